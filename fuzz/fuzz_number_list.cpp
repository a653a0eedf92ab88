// A number list file (*.nlf): loaded into the dialog's boxes, saved, loaded and saved again; then the
// weight steps and a random draw on the loaded boxes.
//
// Contract: after a load box i is set exactly when line i is not empty, and its weight is that line
// ("1" for an empty line); a save writes exactly 49 lines ended by CR LF, line i the weight of a set box
// and empty otherwise; save -> load -> save gives the same bytes (unless the first weight begins with
// U+FEFF); a right click never leaves a weight below
// zero or a set box of weight "0"; a random draw fixes five different numbers 1..49
// and sets no other box.
#include "FuzzSupport.h"

#include "generator/NumberList.h"
#include "generator/RandomSource.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"

#include <algorithm>

using namespace kugelo;
using namespace kugelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    TextLines lines;
    try {
        lines = textLines(bytes);
    } catch (const IoError&) {
        return 0; // a line beyond the text reader's bound: the load fails with the error
    }
    NumberList list;
    list.fromNlf(lines);
    for (int n = 1; n <= 49; ++n) {
        const QString line = lines.value(n - 1);
        FUZZ_CHECK(list.isSet(n) == !line.isEmpty(),
                   QStringLiteral("box %1 set: %2").arg(n).arg(list.isSet(n)));
        FUZZ_CHECK(list.weight(n) == (line.isEmpty() ? QStringLiteral("1") : line),
                   QStringLiteral("box %1 has the weight \"%2\"").arg(n).arg(list.weight(n)));
    }

    const QByteArray saved = list.saveNlf();
    FUZZ_CHECK(saved.count("\r\n") == 49 && saved.endsWith("\r\n"),
               QStringLiteral("the saved list has %1 lines").arg(saved.count("\r\n")));
    const QList<QByteArray> savedLines = saved.left(saved.size() - 2).split('\n');
    for (int n = 1; n <= 49; ++n) {
        QByteArray line = savedLines.value(n - 1);
        if (line.endsWith('\r')) line.chop(1);
        FUZZ_CHECK(line.isEmpty() != list.isSet(n),
                   QStringLiteral("saved line %1 does not match its box").arg(n));
    }
    // A first weight that begins with U+FEFF (only a file with two byte-order marks gives one) is saved
    // as UTF-8 starting with the bytes of a mark, and the reader takes them for one.
    if (!lines.value(0).startsWith(QChar(0xFEFF))) {
        NumberList again;
        again.fromNlf(textLines(saved));
        FUZZ_CHECK(again.saveNlf() == saved, QStringLiteral("save -> load -> save changed the file"));
    }

    // Right clicks on every box, then the random draw of the row mode.
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        list.mousePressed(n, true);
        if (!list.isSet(n)) continue;
        bool ok = false;
        const int weight = list.weight(n).toInt(&ok);
        FUZZ_CHECK(ok && weight > 0,
                   QStringLiteral("box %1 set with the weight \"%2\"").arg(n).arg(list.weight(n)));
    }
    RandomSource random;
    random.setState(static_cast<std::uint32_t>(qHash(bytes)));
    list.pressRandom(random);
    list.tick(random);
    for (int press = 0; press < 5; ++press)
        list.pressRandom(random);
    FUZZ_CHECK(!list.timerActive(), QStringLiteral("the random draw did not stop"));
    // Box 1 may lose its tick to its own weight reaction (Minus is on after the right clicks), so the
    // row is the list of fixed numbers, and every set box is one of them.
    for (int i = 1; i <= 5; ++i) {
        const int n = list.Tippreihe[static_cast<std::size_t>(i)];
        FUZZ_CHECK(n >= 1 && n <= 49, QStringLiteral("the random draw fixed %1").arg(n));
        for (int k = 1; k < i; ++k)
            FUZZ_CHECK(list.Tippreihe[static_cast<std::size_t>(k)] != n,
                       QStringLiteral("%1 drawn twice").arg(n));
    }
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        if (!list.isSet(n)) continue;
        const auto begin = list.Tippreihe.begin() + 1;
        FUZZ_CHECK(std::find(begin, begin + 5, n) != begin + 5,
                   QStringLiteral("box %1 set, not drawn").arg(n));
    }
    return 0;
}
