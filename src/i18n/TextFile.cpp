#include "i18n/TextFile.h"

#include "i18n/TextCodec.h"
#include "platform/Errors.h"

#include <QFileDevice>

namespace kugelo {

namespace {

QString nameOrText(const QString& name) {
    return name.isEmpty() ? QStringLiteral("text") : name;
}

[[noreturn]] void tooLarge(const QString& name) {
    throw IoError(QStringLiteral("%1: larger than %2 bytes, not read as a text file")
                      .arg(nameOrText(name))
                      .arg(MaxTextFileBytes));
}

} // namespace

QStringList textLines(QByteArrayView bytes, const QString& name) {
    if (bytes.size() > MaxTextFileBytes) tooLarge(name);
    const QString text = decodeText(bytes);
    QStringList lines;
    qsizetype start = 0;
    const auto take = [&](qsizetype end) {
        if (end - start > MaxTextLineLength)
            throw IoError(QStringLiteral("%1: line %2 is longer than %3 characters, not read as a text file")
                              .arg(nameOrText(name))
                              .arg(lines.size() + 1)
                              .arg(MaxTextLineLength));
        lines.append(text.mid(start, end - start));
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) continue;
        take(i);
        if (c == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < size) take(size);
    return lines;
}

QStringList readTextFile(const QString& path, const FileOpener& opener) {
    auto device = opener.open(path, QIODevice::ReadOnly);
    // One byte more than the bound tells a file at the bound from a larger one without reading all of it.
    const QByteArray bytes = device->read(MaxTextFileBytes + 1);
    if (auto* file = qobject_cast<QFileDevice*>(device.get()); file && file->error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("%1: %2").arg(path, file->errorString()));
    if (bytes.size() > MaxTextFileBytes) tooLarge(path);
    return textLines(bytes, path);
}

QByteArray crlfText(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines)
        out += line.toUtf8() + "\r\n";
    return out;
}

} // namespace kugelo
