#pragma once

#include "platform/AtomicFile.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kugelo {

// The one reader of the text files the program reads: tip files, number lists, draw archives and the
// language and message files. The encoding comes from the byte-order mark (UTF-16 LE/BE, UTF-8), else
// UTF-8 when the bytes are valid UTF-8, else Windows-1252. LF, CR LF and a lone CR each end a line; a
// line end at the end of the text starts no further line, so "a\r\nb\r\n" and "a\nb" are both the two
// lines "a" and "b", and an empty text has no line.
//
// Bounds far beyond any real file keep a wrong or hostile file from taking the memory: beyond them the
// read fails with an IoError that names the file and the bound.
inline constexpr qint64 MaxTextFileBytes = qint64(64) << 20;
inline constexpr qsizetype MaxTextLineLength = qsizetype(64) << 10; // characters

// The lines of a text file's bytes. name (the file's name) appears in the error text.
QStringList textLines(QByteArrayView bytes, const QString& name = QString());

// The bytes of a text file the program writes (listing, report, notice, filled script): each line
// followed by CR LF, UTF-8.
QByteArray crlfText(const QStringList& lines);

// Reads a text file whole into its lines; IoError when it cannot be opened or read or passes a bound.
QStringList readTextFile(const QString& path, const FileOpener& opener = FileOpener::standard());

} // namespace kugelo
