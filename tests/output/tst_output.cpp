// The listing, the basket links and the click script, without a window.

#include "Doubles.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "i18n/TextFile.h"
#include "output/BasketLinks.h"
#include "output/ClickScript.h"
#include "output/Printout.h"
#include "platform/Endpoints.h"
#include "platform/Errors.h"
#include "sheet/TipSheet.h"

#include <QDir>
#include <QUrl>
#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

namespace {

std::array<QString, 12> basketRows(const QStringList& rows) {
    TipSheet sheet;
    fillSheet(sheet, rows);
    std::array<QString, 12> texts;
    for (int r = 0; r < 12; ++r)
        texts[std::size_t(r)] = basketRowText(sheet, r);
    return texts;
}

const QByteArray kHeader = "Velmars Lotto-Tipp für ";
const QByteArray kRule = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n\r\n";

} // namespace

class TestOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The listing byte for byte: the tip date from the weekday of the end date, the rows that print and
    // their numbering and padding.
    void listingIsWrittenByteForByte_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QDate>("draw");
        QTest::addColumn<QByteArray>("text");
        const QDate saturday(2026, 12, 5);
        const QDate wednesday(2026, 12, 9);
        QTest::newRow("empty sheet: header, rule, empty line")
            << QStringList{} << saturday << saturday << kHeader + " 07.12.26\r\n" + kRule;
        QTest::newRow("rows 2 and 5 keep their numbers; a row without its first number is left out")
            << QStringList{"2:5,12,23,34,45,7", "3:,12,23,34,45,7", "5:49,1,17,8,30,10"} << saturday
            << saturday
            << kHeader + " 07.12.26\r\n" + kRule +
                   " 2. Velmars Lotto-Tipp für :  5   12   23   34   45   n° CHANCE:  7\r\n"
                   " 5. Velmars Lotto-Tipp für : 49    1   17    8   30   n° CHANCE: 10\r\n";
        QTest::newRow("rows 10 to 12 numbered in two places")
            << QStringList{"10:1,2,3,4,5,1", "12:11,22,33,44,45,9"} << saturday << saturday
            << kHeader + " 07.12.26\r\n" + kRule +
                   "10. Velmars Lotto-Tipp für :  1    2    3    4    5   n° CHANCE:  1\r\n"
                   "12. Velmars Lotto-Tipp für : 11   22   33   44   45   n° CHANCE:  9\r\n";
        QTest::newRow("end date on a Wednesday: the draw + 3")
            << QStringList{} << wednesday << wednesday << kHeader + " 12.12.26\r\n" + kRule;
        QTest::newRow("end date on a Monday: the draw + 2")
            << QStringList{} << QDate(2026, 12, 7) << QDate(2026, 12, 7) << kHeader + " 09.12.26\r\n" + kRule;
        QTest::newRow("end date a Wednesday without a draw: days go to the current draw")
            << QStringList{} << wednesday << saturday << kHeader + " 08.12.26\r\n" + kRule;
        QTest::newRow("end date a Tuesday: + 2 to the current draw")
            << QStringList{} << QDate(2026, 12, 8) << QDate(2026, 12, 7) << kHeader + " 09.12.26\r\n" + kRule;
    }
    void listingIsWrittenByteForByte() {
        QFETCH(QStringList, rows);
        QFETCH(QDate, end);
        QFETCH(QDate, draw);
        QFETCH(QByteArray, text);
        TipSheet sheet;
        fillSheet(sheet, rows);
        const QStringList lines = listingLines(sheet, QString::fromUtf8(kHeader), listingTipDate(end, draw),
                                               QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(crlfText(lines), text);
    }

    void listingRefusesARowThatIsNoNumber() {
        TipSheet sheet;
        fillSheet(sheet, {"1:5,12,23,34,45,7", "4:8,9"});
        QVERIFY_THROWS_EXCEPTION(ConversionError, listingLines(sheet, "x", QDate(2026, 12, 9)));
    }

    void basketLinksFillTheTemplate_data() {
        QTest::addColumn<QString>("linkTemplate");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("links");
        const QString six = QStringLiteral("http://b.example/k?n=[Anzahl]&a=[KASTEN1]&b=[KASTEN2]&c=[KASTEN3]"
                                           "&d=[KASTEN4]&e=[KASTEN5]&f=[KASTEN6]");
        QTest::newRow("all rows empty: one link, Count 0")
            << six << QStringList{}
            << QStringList{"http://b.example/k?n=0&a=,,,,,&b=,,,,,&c=,,,,,&d=,,,,,&e=,,,,,&f=,,,,,"};
        QTest::newRow("rows 1 and 3: Count is the highest row in use")
            << six << QStringList{"1:5,12,23,34,45,7", "3:1,2,3,4,5,10"}
            << QStringList{"http://b.example/k?n=3&a=5,12,23,34,45,7&b=,,,,,&c=1,2,3,4,5,10&d=,,,,,&e=,,,,,"
                           "&f=,,,,,"};
        QTest::newRow("row 7: a second link with rows 7 to 12, counted from row 7")
            << six << QStringList{"2:5,12,23,34,45,7", "7:1,2,3,4,5,10", "9:6,7,8,9,10,1"}
            << QStringList{"http://b.example/k?n=2&a=,,,,,&b=5,12,23,34,45,7&c=,,,,,&d=,,,,,&e=,,,,,&f=,,,,,",
                           "http://b.example/k?n=3&a=1,2,3,4,5,10&b=,,,,,&c=6,7,8,9,10,1&d=,,,,,&e=,,,,,"
                           "&f=,,,,,"};
        QTest::newRow("row 8 without row 7: no second link")
            << six << QStringList{"8:1,2,3,4,5,10"}
            << QStringList{"http://b.example/k?n=0&a=,,,,,&b=,,,,,&c=,,,,,&d=,,,,,&e=,,,,,&f=,,,,,"};
        QTest::newRow("rows 7 to 12 in a template that holds their placeholders")
            << "http://b.example/?n=[Anzahl]&g=[KASTEN7]&h=[KASTEN8]" << QStringList{"8:1,2,3,4,5,10"}
            << QStringList{"http://b.example/?n=0&g=,,,,,&h=1,2,3,4,5,10"};
        QTest::newRow("a doubled placeholder is filled at its first occurrence only")
            << "http://b.example/?a=[KASTEN1]&a=[KASTEN1]&n=[Anzahl]&n=[Anzahl]"
            << QStringList{"1:1,2,3,4,5,6"}
            << QStringList{"http://b.example/?a=1,2,3,4,5,6&a=[KASTEN1]&n=1&n=[Anzahl]"};
        // 2030 characters, then "&a=[KASTEN1]&n=" (15): the cut falls inside "[Anzahl]".
        const QString head = QStringLiteral("http://b.example/?p=") + QString(2010, QLatin1Char('x'));
        QTest::newRow("a template is cut to 2048 characters before it is filled")
            << head + "&a=[KASTEN1]&n=[Anzahl]" << QStringList{"1:1,2,3,4,5,6"}
            << QStringList{head + "&a=1,2,3,4,5,6&n=[An"};
        QTest::newRow("a service template is not checked here")
            << "javascript:alert('[KASTEN1]')" << QStringList{} << QStringList{"javascript:alert(',,,,,')"};
    }
    void basketLinksFillTheTemplate() {
        QFETCH(QString, linkTemplate);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, links);
        QCOMPARE(basketLinks(linkTemplate, basketRows(rows)), links);
    }

    // The cut to 2048 characters never splits a character of two UTF-16 units: it keeps it whole or
    // leaves it out, and what is left holds no lone surrogate (which the browser would get as U+FFFD).
    void basketCutKeepsCharactersWhole_data() {
        QTest::addColumn<QString>("linkTemplate");
        QTest::addColumn<QString>("link");
        const QString head = QStringLiteral("http://b.example/?a=[KASTEN1]&p=");
        const QString filledHead = QStringLiteral("http://b.example/?a=1,2,3,4,5,6&p=");
        const QString smile = QStringLiteral("\U0001F600"); // two units
        const auto pad = [&head](int unitsBefore) {
            return QString(unitsBefore - head.size(), QLatin1Char('x'));
        };
        QTest::newRow("a pair across the cut is left out")
            << head + pad(2047) + smile + "tail" << filledHead + pad(2047);
        QTest::newRow("a pair that ends at the cut is kept")
            << head + pad(2046) + smile + "tail" << filledHead + pad(2046) + smile;
        QTest::newRow("a character of one unit at the cut is kept")
            << head + pad(2047) + QStringLiteral("\u00E4") + "tail"
            << filledHead + pad(2047) + QStringLiteral("\u00E4");
        QTest::newRow("pairs all along, one across the cut")
            << head + pad(47) + smile.repeated(1200) << filledHead + pad(47) + smile.repeated(1000);
    }
    void basketCutKeepsCharactersWhole() {
        QFETCH(QString, linkTemplate);
        QFETCH(QString, link);
        const QStringList links = basketLinks(linkTemplate, basketRows({"1:1,2,3,4,5,6"}));
        QCOMPARE(links, QStringList{link});
        QVERIFY(QStringView(links[0]).isValidUtf16());
        QVERIFY(!webLinkAddress(links[0]).contains(QStringLiteral("%EF%BF%BD"))); // U+FFFD
    }

    // The address the desktop is given for a link: one line of ASCII, which the desktop reads back as the
    // same address it made of the link itself (so kugelo-cli prints what the window opens).
    void linksOpenAsOneLineOfAscii_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address"); // empty: refused
        QTest::newRow("plain") << "http://shop.example/k?a=1,2,3,4,5,6&n=1"
                               << "http://shop.example/k?a=1,2,3,4,5,6&n=1";
        QTest::newRow("a line end inside") << "http://shop.example/k?a=1,2\nfile:///etc/passwd"
                                           << "http://shop.example/k?a=1,2%0Afile:///etc/passwd";
        QTest::newRow("CR LF inside") << "http://shop.example/k?a=1\r\njavascript:alert(1)"
                                      << "http://shop.example/k?a=1%0D%0Ajavascript:alert(1)";
        QTest::newRow("a line end at the end") << "http://shop.example/k?a=1\r\n"
                                               << "http://shop.example/k?a=1";
        QTest::newRow("blanks around and inside") << "  http://shop.example/k?a=1 2  "
                                                  << "http://shop.example/k?a=1%202";
        QTest::newRow("a tab and other control characters") << "http://shop.example/k?a=1\t2\x1b]0;x\x07"
                                                            << "http://shop.example/k?a=1%092%1B]0;x%07";
        QTest::newRow("umlauts and a pair") << "https://shop.example/\u00E4?a=\U0001F600"
                                            << "https://shop.example/%C3%A4?a=%F0%9F%98%80";
        QTest::newRow("scheme in capitals") << "HTTP://Shop.example/k"
                                            << "http://shop.example/k";
        QTest::newRow("a line end before another scheme") << "\nfile:///etc/passwd\nhttp://shop.example/"
                                                          << "";
        QTest::newRow("javascript: with a web address after a line end")
            << "javascript:alert(1)\nhttp://shop.example/"
            << "";
    }
    void linksOpenAsOneLineOfAscii() {
        QFETCH(QString, link);
        QFETCH(QString, address);
        QCOMPARE(webLinkAddress(link), address);
        QCOMPARE(isWebLink(link), !address.isEmpty());
        if (address.isEmpty()) return;
        for (const QChar c : address)
            QVERIFY2(c.unicode() > 0x20 && c.unicode() < 0x7F, qPrintable(address));
        // What the desktop makes of the address (QtDesktop::open) is what it made of the link.
        QCOMPARE(QString::fromLatin1(QUrl::fromUserInput(address).toEncoded()), address);
        QCOMPARE(QString::fromLatin1(QUrl::fromUserInput(link).toEncoded()), address);
    }

    void fallbackTemplateCarriesRowsOneToSix() {
        const QString link =
            basketLinks(fallbackBasketTemplate(Endpoints(QStringLiteral("shop.example"), {}, {})),
                        basketRows({"1:1,2,3,4,5,6", "7:7,8,9,10,11,2"}))
                .first();
        QCOMPARE(link,
                 QStringLiteral("http://shop.example/lotto/warenkorb2.asp?Tipps=1&kasten1=1,2,3,4,5,6"
                                "&kasten2=,,,,,&kasten3=,,,,,&kasten4=,,,,,&kasten5=,,,,,&kasten6=,,,,,"));
    }

    void onlyWebLinksAreOpened_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("web");
        QTest::newRow("http") << "http://shop.example/k?a=1,2,3" << true;
        QTest::newRow("https, scheme in capitals") << "HTTPS://shop.example/" << true;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("data") << "data:text/html,<script>alert(1)</script>" << false;
        QTest::newRow("another scheme") << "ftp://shop.example/" << false;
        QTest::newRow("no host") << "http:/k?a=1" << false;
        QTest::newRow("no scheme") << "shop.example/k" << false;
    }
    void onlyWebLinksAreOpened() {
        QFETCH(QString, link);
        QFETCH(bool, web);
        QCOMPARE(isWebLink(link), web);
    }

    void clickScriptPlaceholdersAreFilled() {
        TipSheet sheet;
        fillSheet(sheet, {"1:5,12,23,34,45,7", "10:1,2,3,4,9,10", "12:6,7,8,11,49,3"});
        const QString script = QStringLiteral(
            "a=[Z1_1] b=[Z1_10] c=[Z1_11] d=[Z5_12] e=[CHANCE1] f=[CHANCE10] g=[CHANCE12] h=[Z1_1]\n"
            "empty=<[Z3_2]><[CHANCE2]> other=[Z6_1] [z1_1] [MELDUNGFERTIG] [MI] [SA] [MISA]");
        QCOMPARE(fillClickScript(script, sheet),
                 QStringLiteral("a=5 b=1 c= d=49 e=7 f=10 g=3 h=5\n"
                                "empty=<><> other=[Z6_1] [z1_1] Bitte überprüfen Sie jetzt den Tipp und dann "
                                "können Sie ihn abgeben! NEIN NEIN NEIN"));
        QCOMPARE(fillClickScript(QStringLiteral("no placeholders [Z]"), sheet),
                 QStringLiteral("no placeholders [Z]"));
    }

    void scriptFilesAreNamedAfterTheirDates() {
        QCOMPARE(scriptTipFileName(QDate(2026, 12, 28)), QStringLiteral("20270104.tpf"));
        QCOMPARE(filledScriptFileName(QDate(2026, 12, 10)), QStringLiteral("20261210.csf"));
        QCOMPARE(automationArguments("/t/20261210.csf", {"s", "1", "a \"b\" c", "0", ""}),
                 QStringList({"START", "/t/20261210.csf", "1", "a \"b\" c", "0", ""}));
    }

    // The dialog's model: the list of the script folder, the path it proposes, browsing and the "0" rule.
    void scriptDialogModel() {
        TempHome home;
        QDir(home.path()).mkpath(QStringLiteral("Script/folder.csf"));
        home.writeBytes(QStringLiteral("Script/lotto.csf"), "x");
        home.writeBytes(QStringLiteral("Script/notes.txt"), "x");
        const QString folder = home.file(QStringLiteral("Script"));

        ScriptDialogModel fresh;
        fresh.open(folder);
        QCOMPARE(fresh.scripts, QStringList{folder + "/lotto.csf"});
        QCOMPARE(fresh.choice.script, folder + "/lotto.csf");
        fresh.close();
        QCOMPARE(fresh.choice.zahl1, QStringLiteral("0"));
        QCOMPARE(fresh.choice.zahl2, QStringLiteral("0"));
        QCOMPARE(fresh.choice.text1, QString());

        ScriptDialogModel stored;
        stored.choice = {"/elsewhere/mine.csf", "7", "t", "", "u"};
        stored.open(folder);
        QCOMPARE(stored.choice.script, QStringLiteral("/elsewhere/mine.csf"));
        ScriptedDialogs dialogs;
        stored.browse(dialogs); // cancelled: the path stays
        QCOMPARE(stored.choice.script, QStringLiteral("/elsewhere/mine.csf"));
        dialogs.fileNames.push_back(folder + "/lotto.csf");
        stored.browse(dialogs);
        QCOMPARE(stored.choice.script, folder + "/lotto.csf");
        QCOMPARE(dialogs.fileDialogs.last().filter, QStringLiteral("Velmars Click Script|*.csf"));
        QCOMPARE(dialogs.fileDialogs.last().defaultExtension, QStringLiteral("CSF"));
        QCOMPARE(dialogs.fileDialogs.last().initialFolder, folder);
        stored.close();
        QCOMPARE(stored.choice.zahl1, QStringLiteral("7"));
        QCOMPARE(stored.choice.zahl2, QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestOutput)
#include "tst_output.moc"
