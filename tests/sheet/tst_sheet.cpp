#include "i18n/TextFile.h"
#include "sheet/TipFile.h"
#include "sheet/TipSheet.h"

#include <QtTest>

using namespace kugelo;

namespace {

// Fills row r (0-based) with five numbers, an n° CHANCE and an extra value, each through the validation.
void fillRow(TipSheet& sheet, int r, const QStringList& texts) {
    for (int f = 0; f < texts.size(); ++f)
        sheet.setText(r, f, texts[f]);
}

QStringList rowTexts(const TipSheet& sheet, int r) {
    QStringList texts;
    for (const QString& t : sheet.row(r).texts)
        texts << t;
    return texts;
}

const QStringList kEmptyRow{"", "", "", "", "", "", ""};

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The validation runs on every change, so typing is judged keystroke by keystroke.
    void typingIsValidatedKeyByKey_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("shown"); // the field text after each key
        QTest::newRow("49 stays") << 0 << "49" << QStringList{"4", "49"};
        QTest::newRow("50 empties at the second key") << 1 << "50" << QStringList{"5", ""};
        QTest::newRow("a leading 0 empties at once") << 2 << "07" << QStringList{"", "7"};
        QTest::newRow("a lone sign empties") << 3 << "-5" << QStringList{"", "5"};
        QTest::newRow("plus sign") << 4 << "+" << QStringList{""};
        QTest::newRow("letters") << 0 << "a1" << QStringList{"", "1"};
        QTest::newRow("n° CHANCE 10") << TipSheet::Chance << "10" << QStringList{"1", "10"};
        QTest::newRow("n° CHANCE 11") << TipSheet::Chance << "11" << QStringList{"1", ""};
        QTest::newRow("extra 0") << TipSheet::Extra << "0" << QStringList{""};
        QTest::newRow("three digits") << 0 << "123" << QStringList{"1", "12", ""};
    }
    void typingIsValidatedKeyByKey() {
        QFETCH(int, field);
        QFETCH(QString, keys);
        QFETCH(QStringList, shown);
        TipSheet sheet;
        QStringList seen;
        for (QChar key : keys)
            seen << sheet.setText(4, field, sheet.text(4, field) + key);
        QCOMPARE(seen, shown);
    }

    // Texts written whole, as commands and files do.
    void wholeTextsAreValidated_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("expected");
        QTest::newRow("07") << "07" << 49 << "7";
        QTest::newRow("leading blank") << " 7" << 49 << "7";
        QTest::newRow("trailing blank") << "7 " << 49 << "";
        QTest::newRow("plus") << "+8" << 49 << "8";
        QTest::newRow("negative") << "-3" << 49 << "";
        QTest::newRow("zero") << "0" << 10 << "";
        QTest::newRow("beyond 32 bits") << "99999999999" << 49 << "";
        QTest::newRow("hexadecimal") << "$1A" << 49 << "";
        QTest::newRow("ten as n° CHANCE") << "0010" << 10 << "10";
        QTest::newRow("empty") << "" << 49 << "";
    }
    void wholeTextsAreValidated() {
        QFETCH(QString, text);
        QFETCH(int, maximum);
        QFETCH(QString, expected);
        QCOMPARE(validatedTipText(text, maximum), expected);
    }

    void clearAllKeepsLockedRowsExactly() {
        TipSheet sheet;
        for (int r = 0; r < TipSheet::RowCount; ++r) {
            fillRow(sheet, r, {"1", "2", "3", "4", "5", "6", "7"});
            sheet.setHits(r, "2", true);
            sheet.setCrossSum(r, "15");
            sheet.setBackground(r, 0, FieldBackground::Green);
        }
        sheet.toggleLock(2);
        sheet.toggleLock(6);
        sheet.toggleLock(9);
        sheet.toggleLock(9); // twice: unlocked again
        sheet.clearAll();
        for (int r = 0; r < TipSheet::RowCount; ++r) {
            const TipSheet::Row& row = sheet.row(r);
            const bool kept = r == 2 || r == 6;
            QCOMPARE(rowTexts(sheet, r), (kept ? QStringList{"1", "2", "3", "4", "5", "6", "7"} : kEmptyRow));
            QCOMPARE(row.hits, kept ? QStringLiteral("2") : QString());
            QCOMPARE(row.crossSum, kept ? QStringLiteral("15") : QString());
            QCOMPARE(row.backgrounds[0], kept ? FieldBackground::Green : FieldBackground::Normal);
            QCOMPARE(row.locked, kept);
        }
    }

    void savingWritesFilledRowsOnly() {
        TipSheet sheet;
        fillRow(sheet, 0, {"5", "12", "23", "34", "45", "7"});
        fillRow(sheet, 1, {"", "8", "9", "10", "11", "2", "3"}); // first number empty: not saved
        fillRow(sheet, 2, {"1", "2", "3", "4", "10", "3"});
        fillRow(sheet, 4, {"6", "7", "8", "9", "11", "", "4"});
        QCOMPARE(tipFileText(sheet), QByteArray("5,12,23,34,45,7,\r\n1,2,3,4,10,3,\r\n6,7,8,9,11,,4\r\n"));
    }

    void loadingFillsRowsInOrderLockedOnesToo() {
        TipSheet sheet;
        for (int r = 0; r < TipSheet::RowCount; ++r)
            fillRow(sheet, r, {"9", "9", "9", "9", "9", "9"});
        sheet.toggleLock(1);
        sheet.toggleLock(5);
        loadTipFile(sheet, textLines("5,12,23,34,45,7,\r\n1,2,3,4,10,3,\n6,7,8,9,11,,4"));
        QCOMPARE(rowTexts(sheet, 0), QStringList({"5", "12", "23", "34", "45", "7", ""}));
        QCOMPARE(rowTexts(sheet, 1), QStringList({"1", "2", "3", "4", "10", "3", ""}));
        QCOMPARE(rowTexts(sheet, 2), QStringList({"6", "7", "8", "9", "11", "", "4"}));
        for (int r = 3; r < TipSheet::RowCount; ++r)
            QCOMPARE(rowTexts(sheet, r), kEmptyRow);
        QVERIFY(sheet.isLocked(1)); // the lock stays, only the numbers are replaced
    }

    // Whatever a file holds, loading ends with empty or valid fields.
    void loadingAnyContentGivesEmptyOrValidFields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("firstRow");
        QTest::newRow("three values")
            << QByteArray("5,12,23\r\n") << QStringList{"5", "12", "", "", "", "", ""};
        QTest::newRow("empty file") << QByteArray() << kEmptyRow;
        QTest::newRow("letters and signs")
            << QByteArray("a,-3,+4,5x,49,10,0\n") << QStringList{"", "", "4", "", "49", "10", ""};
        QTest::newRow("huge numbers") << QByteArray("99999999999999,300,49,1,2,11,10\n")
                                      << QStringList{"", "", "49", "1", "2", "", "10"};
        QTest::newRow("more than seven fields")
            << QByteArray("1,2,3,4,5,6,7,8\n") << QStringList{"1", "2", "3", "4", "5", "6", ""};
        QTest::newRow("binary garbage") << QByteArray("\x00\xff,\x01\x80\n\x00", 8) << kEmptyRow;
        QTest::newRow("long line") << QByteArray("1,2,3,4,5,6,") + QByteArray(MaxTextLineLength - 12, '7')
                                   << QStringList{"1", "2", "3", "4", "5", "6", ""};
    }
    void loadingAnyContentGivesEmptyOrValidFields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, firstRow);
        TipSheet sheet;
        loadTipFile(sheet, textLines(bytes));
        QCOMPARE(rowTexts(sheet, 0), firstRow);
        for (int r = 0; r < TipSheet::RowCount; ++r)
            for (int f = 0; f < TipSheet::FieldCount; ++f)
                QCOMPARE(validatedTipText(sheet.text(r, f), TipSheet::maximum(f)), sheet.text(r, f));
    }

    // Files made elsewhere: a byte-order mark is no part of row 1, and every line end starts a new row.
    void loadingReadsEveryEncodingAndLineEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        const auto utf16 = [](QStringConverter::Encoding encoding, const char* text) {
            QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
            return QByteArray(encoder.encode(QString::fromLatin1(text)));
        };
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF"
                                                  "1,2,3,4,5,6,\r\n7,8,9,10,11,2,\r\n");
        QTest::newRow("UTF-16 LE mark")
            << utf16(QStringConverter::Utf16LE, "1,2,3,4,5,6,\r\n7,8,9,10,11,2,\r\n");
        QTest::newRow("UTF-16 BE mark") << utf16(QStringConverter::Utf16BE, "1,2,3,4,5,6,\n7,8,9,10,11,2,\n");
        QTest::newRow("CR") << QByteArray("1,2,3,4,5,6,\r7,8,9,10,11,2,\r");
        QTest::newRow("mixed") << QByteArray("1,2,3,4,5,6,\r7,8,9,10,11,2,\n");
    }
    void loadingReadsEveryEncodingAndLineEnd() {
        QFETCH(QByteArray, bytes);
        TipSheet sheet;
        loadTipFile(sheet, textLines(bytes));
        QCOMPARE(rowTexts(sheet, 0), QStringList({"1", "2", "3", "4", "5", "6", ""}));
        QCOMPARE(rowTexts(sheet, 1), QStringList({"7", "8", "9", "10", "11", "2", ""}));
        QCOMPARE(rowTexts(sheet, 2), kEmptyRow);
    }

    void saveAndLoadRoundTrip() {
        TipSheet sheet;
        fillRow(sheet, 0, {"5", "12", "23", "34", "45", "7", "3"});
        fillRow(sheet, 11, {"1", "2", "3", "4", "49", "10"});
        TipSheet loaded;
        loadTipFile(loaded, textLines(tipFileText(sheet)));
        QCOMPARE(rowTexts(loaded, 0), rowTexts(sheet, 0));
        QCOMPARE(rowTexts(loaded, 1), rowTexts(sheet, 11));
        QCOMPARE(rowTexts(loaded, 11), kEmptyRow);
    }

    void nextDrawDate_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QDate>("next");
        QTest::newRow("Wednesday to Saturday") << QDate(2026, 3, 11) << QDate(2026, 3, 14);
        QTest::newRow("Monday to Wednesday") << QDate(2026, 3, 9) << QDate(2026, 3, 11);
        QTest::newRow("Saturday to Monday") << QDate(2026, 3, 14) << QDate(2026, 3, 16);
        QTest::newRow("Sunday + 2") << QDate(2026, 3, 15) << QDate(2026, 3, 17);
    }
    void nextDrawDate() {
        QFETCH(QDate, date);
        QFETCH(QDate, next);
        QCOMPARE(kugelo::nextDrawDate(date), next);
    }
};

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"
