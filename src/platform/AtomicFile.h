#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace kugelo {

// Opens the files of the domain's file operations. The default opens plain files; tests put in devices
// that fail after a number of bytes to reach every error path.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    // Returns an open device or throws IoError naming the file. A file opened to be read must be a regular
    // file: a folder, a FIFO, a device or a socket is refused at once, without waiting for a writer.
    virtual std::unique_ptr<QIODevice> open(const QString& path, QIODevice::OpenMode mode) const;

    static const FileOpener& standard();
};

// The text of the error for a path to read that is no regular file.
QString notRegularFileText(const QString& path);

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

// Several files written as one unit: a crash at any moment leaves, once settleFileSet has run, either every
// file as it was or every file as written. Each new content goes to a temporary file beside its file
// (written and flushed to disk as writeFileWhole does); then the journal, written whole itself, records each
// file's name, size and digest: from here on the unit counts as written. Only then are the temporary files
// renamed into place, and the journal removed. A crash before the journal leaves the old files and some
// temporary ones, which settleFileSet removes; a crash after it is finished by settleFileSet.
struct FileSetMember {
    QString path;
    QByteArray data;
};
void writeFileSet(const QString& journal, const std::vector<FileSetMember>& files,
                  const FileOpener& opener = FileOpener::standard());

// Finishes the unit whose journal is journal, or removes what a unit that never got that far left behind.
// paths are all the files such a unit may hold; only they (and their temporary files) are renamed or
// removed, whatever the journal says. An earlier unit is settled before a new one is written; readers of
// the files settle before they read. Costs two looks at the folder when there is nothing to do.
void settleFileSet(const QString& journal, const QStringList& paths);

// Reads a whole file; throws IoError when it cannot be opened or read.
QByteArray readFileWhole(const QString& path, const FileOpener& opener = FileOpener::standard());

// The text of the error for a file larger than any real file of its kind.
QString fileTooLargeText(const QString& path, qint64 size, qint64 maxBytes);

// Reads a whole file of at most maxBytes; a larger file is not read and throws IoError saying so.
QByteArray readFileAtMost(const QString& path, qint64 maxBytes,
                          const FileOpener& opener = FileOpener::standard());

} // namespace kugelo
