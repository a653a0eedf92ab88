#include "platform/AtomicFile.h"

#include "platform/Errors.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
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

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

void writeAll(QIODevice& device, const QByteArray& data, const QString& path) {
    // A short write leaves Qt's error text empty ("Unknown error"); writing the rest again makes the
    // system say why (no space left, quota exceeded, file too large).
    for (qint64 done = 0; done < data.size();) {
        const qint64 n = device.write(data.constData() + done, data.size() - done);
        if (n <= 0) throw IoError(QStringLiteral("%1: %2").arg(path, device.errorString()));
        done += n;
    }
}

void finishWriting(QIODevice& device, const QString& path, bool sync) {
    auto* file = qobject_cast<QFileDevice*>(&device);
    if (file) {
        // QFile keeps small writes in its buffer: a full disk refuses them only here. The second flush
        // of what is left names the cause where the first came up short without one.
        if (!file->flush()) {
            file->unsetError();
            if (!file->flush()) throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
        }
        if (sync && ::fsync(file->handle()) != 0)
            throw IoError(QStringLiteral("%1: %2").arg(path, systemError(errno)));
    }
    device.close();
    if (file && file->error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
}

QString writeTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString target = info.canonicalFilePath();
    if (target.isEmpty())
        throw IoError(QStringLiteral("%1: the link points to %2, which does not exist")
                          .arg(path, info.symLinkTarget()));
    return target;
}

void writeFileWhole(const QString& path, const QString& tempPath, const QByteArray& data,
                    const FileOpener& opener) {
    // A file that is a link the user made stays a link: its target is replaced, through a temporary file
    // beside the target (a rename does not cross file systems).
    const QString target = writeTarget(path);
    const QString temp =
        target == path ? tempPath
                       : QFileInfo(target).absolutePath() + QLatin1Char('/') + QFileInfo(tempPath).fileName();
    try {
        // Whatever has the temporary name (a file left by a crash, or a link planted there) goes first,
        // and the file is made new: nothing that exists is ever written through.
        // A folder there is left alone: creating the file then fails.
        std::error_code removeError;
        const std::filesystem::path tempFile(temp.toStdString());
        if (!std::filesystem::is_directory(std::filesystem::symlink_status(tempFile, removeError)))
            std::filesystem::remove(tempFile, removeError);
        auto device = opener.open(temp, QIODevice::WriteOnly | QIODevice::NewOnly);
        writeAll(*device, data, temp);
        finishWriting(*device, temp, true);
    } catch (...) {
        if (const QFileInfo t(temp); t.exists() && !t.isSymLink() && t.isFile()) QFile::remove(temp);
        throw;
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temp.toStdString()),
                            std::filesystem::path(target.toStdString()), ec);
    if (ec) {
        QFile::remove(temp);
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

QString fileTooLargeText(const QString& path, qint64 size, qint64 maxBytes) {
    return QStringLiteral("%1: the file holds %2 bytes, more than the %3 that no real file of its kind "
                          "reaches; it is not read")
        .arg(path)
        .arg(size)
        .arg(maxBytes);
}

QByteArray readFileAtMost(const QString& path, qint64 maxBytes, const FileOpener& opener) {
    auto device = opener.open(path, QIODevice::ReadOnly);
    if (device->size() > maxBytes) throw IoError(fileTooLargeText(path, device->size(), maxBytes));
    QByteArray data = device->read(maxBytes);
    if (auto* file = qobject_cast<QFileDevice*>(device.get()); file && file->error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    return data;
}

} // namespace kugelo
