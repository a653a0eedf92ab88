#include "platform/AtomicFile.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileDevice>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kugelo {

std::unique_ptr<QIODevice> FileOpener::open(const QString& path, QIODevice::OpenMode mode) const {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(mode)) throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    return file;
}

const FileOpener& FileOpener::standard() {
    static const FileOpener opener;
    return opener;
}

namespace {

void flushToDisk(QIODevice& device) {
    if (auto* file = qobject_cast<QFileDevice*>(&device)) {
        if (!file->flush() || ::fsync(file->handle()) != 0)
            throw IoError(QStringLiteral("%1: %2").arg(file->fileName(), file->errorString()));
    }
}

} // namespace

void writeFileWhole(const QString& path, const QString& tempPath, const QByteArray& data,
                    const FileOpener& opener) {
    try {
        auto device = opener.open(tempPath, QIODevice::WriteOnly | QIODevice::Truncate);
        if (device->write(data) != data.size())
            throw IoError(QStringLiteral("%1: %2").arg(tempPath, device->errorString()));
        flushToDisk(*device);
        device->close();
    } catch (...) {
        QFile::remove(tempPath);
        throw;
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tempPath.toStdString()),
                            std::filesystem::path(path.toStdString()), ec);
    if (ec) {
        QFile::remove(tempPath);
        throw IoError(QStringLiteral("%1: %2").arg(path, QString::fromStdString(ec.message())));
    }
}

QByteArray readFileWhole(const QString& path, const FileOpener& opener) {
    auto device = opener.open(path, QIODevice::ReadOnly);
    QByteArray data = device->readAll();
    if (auto* file = qobject_cast<QFileDevice*>(device.get()); file && file->error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    return data;
}

} // namespace kugelo
