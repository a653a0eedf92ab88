#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>

namespace kugelo {

// Opens the files of the domain's file operations. The default opens plain files; tests put in devices
// that fail after a number of bytes to reach every error path.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    // Returns an open device or throws IoError naming the file.
    virtual std::unique_ptr<QIODevice> open(const QString& path, QIODevice::OpenMode mode) const;

    static const FileOpener& standard();
};

// Writes all of data to device; throws IoError naming path and the system's reason when it cannot.
void writeAll(QIODevice& device, const QByteArray& data, const QString& path);

// Flushes what was written to device, syncs it to disk when asked and closes it. Throws IoError naming path
// when any of it fails: a full disk often refuses the bytes only at the flush.
void finishWriting(QIODevice& device, const QString& path, bool sync = false);

// The file a write to path replaces: path itself, or the target of the link path is. Throws IoError for a
// link that points to nothing (a dangling link is not a file to create).
QString writeTarget(const QString& path);

// Writes data to tempPath, flushes it to disk and renames it over path. A failure at any point throws
// IoError and leaves the file at path exactly as it was; there is never a moment without it. An entry
// already at tempPath (a link too) is removed, never written through; when path is a link, the temporary
// file lies beside its target and replaces the target, so the link stays.
void writeFileWhole(const QString& path, const QString& tempPath, const QByteArray& data,
                    const FileOpener& opener = FileOpener::standard());

// Writes data next to path ("<path>~") and renames it into place.
inline void writeFileWhole(const QString& path, const QByteArray& data) {
    writeFileWhole(path, path + QLatin1Char('~'), data);
}

// Reads a whole file; throws IoError when it cannot be opened or read.
QByteArray readFileWhole(const QString& path, const FileOpener& opener = FileOpener::standard());

// The text of the error for a file larger than any real file of its kind.
QString fileTooLargeText(const QString& path, qint64 size, qint64 maxBytes);

// Reads a whole file of at most maxBytes; a larger file is not read and throws IoError saying so.
QByteArray readFileAtMost(const QString& path, qint64 maxBytes,
                          const FileOpener& opener = FileOpener::standard());

} // namespace kugelo
