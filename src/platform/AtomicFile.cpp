#include "platform/AtomicFile.h"

#include "platform/Errors.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kugelo {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens a file to read it, and only a regular file. The open does not wait: a FIFO without a writer would
// otherwise hold it for ever, and a device such as /dev/zero never ends.
std::unique_ptr<QIODevice> openRegularFile(const QString& path, QIODevice::OpenMode mode) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw IoError(QStringLiteral("%1: %2").arg(path, systemError(errno)));
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (!regular || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        throw IoError(notRegularFileText(path));
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    }
    return file;
}

} // namespace

std::unique_ptr<QIODevice> FileOpener::open(const QString& path, QIODevice::OpenMode mode) const {
    if (!(mode & QIODevice::WriteOnly)) return openRegularFile(path, mode);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(mode)) throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    return file;
}

QString notRegularFileText(const QString& path) {
    return QStringLiteral("%1: not a regular file (a folder, a device, a pipe or a socket); it is not read")
        .arg(path);
}

const FileOpener& FileOpener::standard() {
    static const FileOpener opener;
    return opener;
}

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

namespace {

// Where a write to path goes: the file it replaces (path, or the target of the link path is) and the
// temporary file beside that file. A file that is a link the user made stays a link: its target is
// replaced, through a temporary file beside the target (a rename does not cross file systems).
struct WritePlace {
    QString target;
    QString temp;
};

WritePlace writePlace(const QString& path, const QString& tempPath) {
    const QString target = writeTarget(path);
    if (target == path) return {target, tempPath};
    return {target, QFileInfo(target).absolutePath() + QLatin1Char('/') + QFileInfo(tempPath).fileName()};
}

// Removes whatever has a temporary name (a file left by a crash, or a link planted there), never what a
// link points to; a folder there is left alone.
void removeTemporary(const QString& temp) {
    std::error_code ec;
    const std::filesystem::path tempFile(temp.toStdString());
    const auto status = std::filesystem::symlink_status(tempFile, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status))
        std::filesystem::remove(tempFile, ec);
}

// Writes data as a new file at temp and flushes it to disk; on failure nothing is left there.
void writeTemporary(const QString& temp, const QByteArray& data, const FileOpener& opener) {
    try {
        // Nothing that exists is ever written through: the file is made new (a folder at the name makes
        // the creation fail).
        removeTemporary(temp);
        auto device = opener.open(temp, QIODevice::WriteOnly | QIODevice::NewOnly);
        writeAll(*device, data, temp);
        finishWriting(*device, temp, true);
    } catch (...) {
        if (const QFileInfo t(temp); t.exists() && !t.isSymLink() && t.isFile()) QFile::remove(temp);
        throw;
    }
}

void renameInto(const WritePlace& place, const QString& path) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(place.temp.toStdString()),
                            std::filesystem::path(place.target.toStdString()), ec);
    if (ec) throw IoError(QStringLiteral("%1: %2").arg(path, QString::fromStdString(ec.message())));
}

// Makes the entries of the folder of file (a rename, a removal) last on disk.
void syncFolderOf(const QString& file) {
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

constexpr char kJournalHead[] = "kugelo file set 1\n";
constexpr qint64 kMaxJournalBytes = 64 << 10;

QByteArray digestOf(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

// Whether the regular file at path holds exactly the bytes of the given size and digest.
bool holds(const QString& path, qint64 size, const QByteArray& digest) {
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() != size) return false;
    try {
        return digestOf(readFileAtMost(path, size)) == digest;
    } catch (const IoError&) {
        return false;
    }
}

} // namespace

void writeFileWhole(const QString& path, const QString& tempPath, const QByteArray& data,
                    const FileOpener& opener) {
    const WritePlace place = writePlace(path, tempPath);
    writeTemporary(place.temp, data, opener);
    try {
        renameInto(place, path);
    } catch (...) {
        QFile::remove(place.temp);
        throw;
    }
}

void writeFileSet(const QString& journal, const std::vector<FileSetMember>& files, const FileOpener& opener) {
    QStringList paths;
    for (const FileSetMember& f : files)
        paths << f.path;
    settleFileSet(journal, paths);
    std::vector<WritePlace> places;
    QByteArray record(kJournalHead);
    try {
        for (const FileSetMember& f : files) {
            places.push_back(writePlace(f.path, f.path + QLatin1Char('~')));
            writeTemporary(places.back().temp, f.data, opener);
            record += QByteArray::number(f.data.size()) + ' ' + digestOf(f.data) + ' ' +
                      QFileInfo(f.path).fileName().toUtf8().toPercentEncoding() + '\n';
        }
        writeFileWhole(journal, journal + QLatin1Char('~'), record, opener);
        syncFolderOf(journal);
    } catch (...) {
        for (const WritePlace& place : places)
            removeTemporary(place.temp);
        throw;
    }
    // The unit counts as written: a failure from here on leaves the journal, and the next settle
    // finishes the renames.
    for (std::size_t i = 0; i < files.size(); ++i)
        renameInto(places[i], files[i].path);
    for (const WritePlace& place : places)
        syncFolderOf(place.target);
    QFile::remove(journal);
}

void settleFileSet(const QString& journal, const QStringList& paths) {
    const QFileInfo info(journal);
    const auto placeOf = [](const QString& path) -> std::optional<WritePlace> {
        try {
            return writePlace(path, path + QLatin1Char('~'));
        } catch (const IoError&) {
            return std::nullopt; // a link to nothing: no unit wrote there
        }
    };
    QList<QByteArray> lines;
    if (info.exists() || info.isSymLink()) {
        // What is no journal of a unit (another kind of file, a link to nothing, a FIFO) counts for nothing.
        try {
            lines = readFileAtMost(journal, kMaxJournalBytes).split('\n');
        } catch (const IoError&) {
        }
        if (lines.value(0) + '\n' != kJournalHead) lines.clear();
    }
    if (lines.isEmpty()) {
        // No unit got as far as its journal: the files are the old ones; what it left goes.
        for (const QString& path : paths)
            if (const auto place = placeOf(path)) removeTemporary(place->temp);
        removeTemporary(journal + QLatin1Char('~'));
        if (info.exists() || info.isSymLink()) removeTemporary(journal);
        return;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split(' ');
        if (fields.size() != 3) continue;
        const QString name = QString::fromUtf8(QByteArray::fromPercentEncoding(fields[2]));
        for (const QString& path : paths) {
            if (QFileInfo(path).fileName() != name) continue;
            // A temporary file that is no longer the one written was renamed already (and perhaps written
            // again since by someone else): the file at its place stays.
            if (const auto place = placeOf(path);
                place && holds(place->temp, fields[0].toLongLong(), fields[1]))
                renameInto(*place, path);
        }
    }
    for (const QString& path : paths)
        syncFolderOf(path);
    removeTemporary(journal);
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
    // The size was checked: read what is there (read(maxBytes) would reserve maxBytes up front).
    QByteArray data = device->read(device->size());
    if (auto* file = qobject_cast<QFileDevice*>(device.get()); file && file->error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    return data;
}

} // namespace kugelo
