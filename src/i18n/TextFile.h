#pragma once

#include "platform/AtomicFile.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace kugelo {

// The one reader of the text files the program reads: tip files, number lists, click scripts, draw archives
// and the language and message files. The encoding comes from the byte-order mark (UTF-16 LE/BE, UTF-8),
// else UTF-8 when the bytes are valid UTF-8, else Windows-1252. LF, CR LF and a lone CR each end a line; a
// line end at the end of the text starts no further line, so "a\r\nb\r\n" and "a\nb" are both the two
// lines "a" and "b", and an empty text has no line.
//
// Each kind of file has a bound on its size far beyond any real file of the kind, and every line a bound on
// its length: beyond them the read fails with an IoError that names the file and the bound. Only regular
// files are read; a FIFO or a device is refused at once.
enum class TextFileKind {
    TipFile,      // "*.tpf": at most twelve short lines (also the listing "Tipp.txt")
    NumberList,   // "*.nlf": 49 short lines
    ClickScript,  // "*.csf": a few hundred lines
    LanguageFile, // the master list, a language file or a message file: a few thousand short lines
    DrawArchive,  // a CSV archive of draws: one line per draw, the operator's lines a few hundred bytes
};
// The largest file of a kind that is read, in bytes.
qint64 maxTextFileBytes(TextFileKind kind);
// The bound of text in memory given to textLines: the largest of the kinds' bounds.
inline constexpr qint64 MaxTextFileBytes = qint64(16) << 20;
inline constexpr qsizetype MaxTextLineLength = qsizetype(64) << 10; // characters

// The lines of a text. It keeps the decoded text once, with where each line starts, so that a file of
// short lines costs a small multiple of its size rather than one string per line.
class TextLines {
public:
    TextLines() = default;

    qsizetype size() const { return m_starts.empty() ? 0 : qsizetype(m_starts.size()) - 1; }
    bool isEmpty() const { return size() == 0; }
    // Line i (0 <= i < size()), without its line end; the view lives as long as this object.
    QStringView view(qsizetype i) const;
    QString operator[](qsizetype i) const { return view(i).toString(); }
    // Line i, or an empty text beyond the last line.
    QString value(qsizetype i) const { return i >= 0 && i < size() ? (*this)[i] : QString(); }
    // The first lines (at most maxLines; all of them when it is negative) as a list.
    QStringList toList(qsizetype maxLines = -1) const;
    // The lines joined with separator between them. Joined from an rvalue, the text is rewritten in place
    // and the lines are gone, so that the join costs no second copy of the text.
    QString join(QChar separator) const&;
    QString join(QChar separator) &&;

    class const_iterator {
    public:
        const_iterator(const TextLines* lines, qsizetype i) : m_lines(lines), m_i(i) {}
        QString operator*() const { return (*m_lines)[m_i]; }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_i == other.m_i; }

    private:
        const TextLines* m_lines;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    friend TextLines splitTextLines(QString text, const QString& name);
    QString m_text;
    // The start of each line in m_text, then the end of the text. A line ends where the next starts, less
    // its line end; the offsets fit 32 bits, as no text beyond MaxTextFileBytes is read.
    std::vector<std::uint32_t> m_starts;
};

// The lines of a text file's bytes (at most MaxTextFileBytes). name (the file's name) appears in the error
// text.
TextLines textLines(QByteArrayView bytes, const QString& name = QString());

// The bytes of a text file the program writes (listing, report, notice, filled script): each line
// followed by CR LF, UTF-8.
QByteArray crlfText(const QStringList& lines);
// The same for the first maxLines lines of a text whose lines are separated by LF.
QByteArray crlfText(QStringView text, qsizetype maxLines);

// Reads a text file of a kind; IoError when it cannot be opened or read, is no regular file or passes a
// bound.
TextLines readTextFile(const QString& path, TextFileKind kind,
                       const FileOpener& opener = FileOpener::standard());

} // namespace kugelo
