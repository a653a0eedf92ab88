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

// Writes data to tempPath, flushes it to disk and renames it over path. A failure at any point throws
// IoError and leaves the file at path exactly as it was; there is never a moment without it.
void writeFileWhole(const QString& path, const QString& tempPath, const QByteArray& data,
                    const FileOpener& opener = FileOpener::standard());

// Writes data next to path ("<path>~") and renames it into place.
inline void writeFileWhole(const QString& path, const QByteArray& data) {
    writeFileWhole(path, path + QLatin1Char('~'), data);
}

// Reads a whole file; throws IoError when it cannot be opened or read.
QByteArray readFileWhole(const QString& path, const FileOpener& opener = FileOpener::standard());

} // namespace kugelo
