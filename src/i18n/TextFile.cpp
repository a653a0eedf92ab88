#include "i18n/TextFile.h"

#include "i18n/TextCodec.h"
#include "platform/Errors.h"

#include <QFileDevice>
#include <algorithm>

namespace kugelo {

namespace {

QString nameOrText(const QString& name) {
    return name.isEmpty() ? QStringLiteral("text") : name;
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

qint64 maxTextFileBytes(TextFileKind kind) {
    switch (kind) {
    case TextFileKind::TipFile:
    case TextFileKind::NumberList:
        return qint64(1) << 20;
    case TextFileKind::ClickScript:
    case TextFileKind::LanguageFile:
        return qint64(4) << 20;
    case TextFileKind::DrawArchive:
        return MaxTextFileBytes;
    }
    return MaxTextFileBytes;
}

QStringView TextLines::view(qsizetype i) const {
    const auto start = qsizetype(m_starts[std::size_t(i)]);
    auto end = qsizetype(m_starts[std::size_t(i) + 1]);
    // The line end: LF, CR LF or CR. No line holds a CR or LF of its own, so what ends the span is its end.
    if (end > start && m_text[end - 1] == QLatin1Char('\n')) --end;
    if (end > start && m_text[end - 1] == QLatin1Char('\r')) --end;
    return QStringView(m_text).sliced(start, end - start);
}

QStringList TextLines::toList(qsizetype maxLines) const {
    const qsizetype count = maxLines < 0 ? size() : std::min(maxLines, size());
    QStringList lines;
    lines.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        lines << (*this)[i];
    return lines;
}

QString TextLines::join(QChar separator) const& {
    QString joined;
    joined.reserve(m_text.size());
    for (qsizetype i = 0; i < size(); ++i) {
        if (i > 0) joined += separator;
        joined += view(i);
    }
    return joined;
}

QString TextLines::join(QChar separator) && {
    // Each line moves to where the joined text has it, which is never behind where it is.
    QChar* chars = m_text.data();
    qsizetype out = 0;
    for (qsizetype i = 0; i < size(); ++i) {
        const QStringView line = view(i);
        if (i > 0) chars[out++] = separator;
        std::copy(line.begin(), line.end(), chars + out);
        out += line.size();
    }
    m_text.truncate(out);
    std::vector<std::uint32_t>().swap(m_starts); // the starts are freed, not only forgotten
    return std::move(m_text);
}

// Finds the lines of a decoded text. The starts are counted first, so that they take exactly the room they
// need.
TextLines splitTextLines(QString text, const QString& name) {
    const qsizetype size = text.size();
    const QChar* chars = text.constData();
    std::size_t count = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (!isLineEnd(chars[i])) continue;
        ++count;
        if (chars[i] == QLatin1Char('\r') && i + 1 < size && chars[i + 1] == QLatin1Char('\n')) ++i;
    }
    if (size > 0 && !isLineEnd(chars[size - 1])) ++count; // the last line has no line end
    TextLines lines;
    if (count == 0) return lines;
    lines.m_starts.reserve(count + 1);
    qsizetype start = 0;
    const auto take = [&](qsizetype end, qsizetype next) {
        if (end - start > MaxTextLineLength)
            throw IoError(QStringLiteral("%1: line %2 is longer than %3 characters, not read as a text file")
                              .arg(nameOrText(name))
                              .arg(lines.m_starts.size() + 1)
                              .arg(MaxTextLineLength));
        lines.m_starts.push_back(std::uint32_t(start));
        start = next;
    };
    for (qsizetype i = 0; i < size; ++i) {
        if (!isLineEnd(chars[i])) continue;
        const qsizetype end = i;
        if (chars[i] == QLatin1Char('\r') && i + 1 < size && chars[i + 1] == QLatin1Char('\n')) ++i;
        take(end, i + 1);
    }
    if (start < size) take(size, size);
    lines.m_starts.push_back(std::uint32_t(size));
    lines.m_text = std::move(text);
    return lines;
}

TextLines textLines(QByteArrayView bytes, const QString& name) {
    if (bytes.size() > MaxTextFileBytes)
        throw IoError(QStringLiteral("%1: larger than %2 bytes, not read as a text file")
                          .arg(nameOrText(name))
                          .arg(MaxTextFileBytes));
    return splitTextLines(decodeText(bytes), name);
}

TextLines readTextFile(const QString& path, TextFileKind kind, const FileOpener& opener) {
    const qint64 maxBytes = maxTextFileBytes(kind);
    QString text;
    {
        auto device = opener.open(path, QIODevice::ReadOnly);
        const qint64 size = device->size();
        if (size > maxBytes) throw IoError(fileTooLargeText(path, size, maxBytes));
        // A file that grew since its size was taken is read on, to one byte past the bound.
        QByteArray bytes = device->read(size + 1);
        if (bytes.size() > size) bytes += device->read(maxBytes + 1 - bytes.size());
        if (auto* file = qobject_cast<QFileDevice*>(device.get());
            file && file->error() != QFileDevice::NoError)
            throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
        if (bytes.size() > maxBytes) throw IoError(fileTooLargeText(path, bytes.size(), maxBytes));
        text = decodeText(bytes);
    } // the bytes are gone before the lines are found
    return splitTextLines(std::move(text), path);
}

QByteArray crlfText(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines)
        out += line.toUtf8() + "\r\n";
    return out;
}

QByteArray crlfText(QStringView text, qsizetype maxLines) {
    // Room for the bytes at most, counted beforehand: a buffer that grows on the way would hold the text
    // twice.
    qsizetype bytes = 2 * maxLines;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    QByteArray out;
    out.reserve(bytes);
    qsizetype start = 0;
    for (qsizetype n = 0; n < maxLines; ++n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        out += text.sliced(start, end - start).toUtf8() + "\r\n";
        if (end == text.size()) break;
        start = end + 1;
    }
    return out;
}

} // namespace kugelo
