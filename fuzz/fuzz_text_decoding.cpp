// Text decoding: any bytes as a text file of the program (language, message, number list and import files
// all go through it).
//
// Contract: a byte-order mark chooses UTF-8, UTF-16 LE or UTF-16 BE and is not part of the text; without
// one, valid UTF-8 is read as UTF-8 and anything else as Windows-1252, one character per byte, so ASCII
// stays ASCII; the text is well-formed (no unpaired surrogate) unless a UTF-16 file holds one itself, and
// written back as UTF-8 it reads the same;
// the text reader's lines are the text split at LF, CR LF and lone CR, no line end starting a last line.
#include "FuzzSupport.h"

#include "i18n/TextCodec.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"

#include <QStringDecoder>

using namespace kugelo;
using namespace kugelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const QString text = decodeText(bytes);
    // UTF-16 passes an unpaired surrogate of the file through as it stands; every other way gives
    // well-formed text.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    FUZZ_CHECK(utf16 || text.isValidUtf16(), QStringLiteral("the text holds an unpaired surrogate"));

    const bool bom =
        bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString expected = utf8.decode(QByteArrayView(bytes).sliced(3));
        if (!utf8.hasError())
            FUZZ_CHECK(text == expected, QStringLiteral("UTF-8 after its mark read otherwise"));
    } else if (!bom) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString asUtf8 = utf8.decode(bytes);
        if (!utf8.hasError()) {
            FUZZ_CHECK(text == asUtf8, QStringLiteral("valid UTF-8 read otherwise"));
        } else {
            FUZZ_CHECK(text.size() == bytes.size(),
                       QStringLiteral("Windows-1252: %1 characters from %2 bytes")
                           .arg(text.size())
                           .arg(bytes.size()));
            for (qsizetype i = 0; i < bytes.size(); ++i) {
                const auto b = static_cast<unsigned char>(bytes[i]);
                if (b < 0x80 || b >= 0xA0)
                    FUZZ_CHECK(text[i].unicode() == b, QStringLiteral("byte %1 read as U+%2")
                                                           .arg(b)
                                                           .arg(text[i].unicode(), 4, 16, QLatin1Char('0')));
            }
        }
    }

    // What the program writes (UTF-8, no mark) reads back the same. A text that itself begins with U+FEFF
    // would be taken for a mark; only a file with two marks gives one.
    if (!text.startsWith(QChar(0xFEFF)) && text.isValidUtf16())
        FUZZ_CHECK(decodeText(text.toUtf8()) == text,
                   QStringLiteral("the text reads otherwise once written"));

    // The lines of the text reader: no line end inside a line, every character kept, and a line end at the
    // end of the text starts no further line.
    TextLines lines;
    try {
        lines = textLines(bytes);
    } catch (const IoError&) {
        for (const QString& line : QString(text)
                                       .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                       .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                       .split(QLatin1Char('\n')))
            if (line.size() > MaxTextLineLength) return 0;
        broken(__FILE__, __LINE__, QStringLiteral("the text reader refused a text within its bounds"));
    }
    QString joined;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                   QStringLiteral("a line holds a line end"));
        FUZZ_CHECK(line.size() <= MaxTextLineLength, QStringLiteral("a line beyond the bound"));
        joined += line + QLatin1Char('\n');
    }
    QString normal = QString(text)
                         .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                         .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!normal.isEmpty() && !normal.endsWith(QLatin1Char('\n'))) normal += QLatin1Char('\n');
    FUZZ_CHECK(joined == normal, QStringLiteral("the lines are not the text (%1 lines)").arg(lines.size()));
    // Joined with LF and written with CR LF (as a filled click script is), the lines are the lines.
    const QString joinedLines = lines.join(QLatin1Char('\n'));
    FUZZ_CHECK(TextLines(lines).join(QLatin1Char('\n')) == joinedLines,
               QStringLiteral("the lines joined in place differ"));
    FUZZ_CHECK(crlfText(joinedLines, lines.size()) == crlfText(lines.toList()),
               QStringLiteral("the joined lines are written otherwise than the lines"));
    return 0;
}
