#include "i18n/MessageTable.h"
#include "i18n/TextCodec.h"
#include "i18n/TextFile.h"
#include "platform/Errors.h"

#include <QFile>
#include <QTemporaryDir>

#include <QtTest>

using namespace kugelo;

class TestI18n : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Entries that callers glue to dates and numbers keep their blanks; reserved ones are empty.
    void defaultsKeepTheirBlanks_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 ends with a blank") << 0 << "Soll die Analyse der Datenbank jetzt ab dem ";
        QTest::newRow("1 begins with a blank") << 1 << " durchgeführt werden??";
        QTest::newRow("5 ends with two blanks") << 5 << "Ein Treffer am  ";
        QTest::newRow("11") << 11 << "Zahlen für Tipp ";
        QTest::newRow("22 and 23") << 22 << "Glückszahl ";
        QTest::newRow("23") << 23 << " gesetzt";
        QTest::newRow("28") << 28 << "Velmars Lotto-Tipp für ";
        QTest::newRow("42 run button") << 42 << "Stoppen";
        QTest::newRow("43 cross sum") << 43 << "Quersumme";
        QTest::newRow("58") << 58 << "Ändern Sie die Parameter um 12 Tipps zuberechnen";
        QTest::newRow("61 last") << 61 << "Stop";
        for (int n : {13, 14, 15, 27, 44})
            QTest::addRow("reserved %d", n) << n << "";
        QTest::newRow("62 first added later")
            << 62 << "Was der Zufall allein gebracht hätte, bei gleich vielen zufälligen Reihen: ";
        QTest::newRow("beyond the table") << 76 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void defaultsKeepTheirBlanks() {
        QFETCH(int, n);
        QFETCH(QString, text);
        const MessageTable table;
        QCOMPARE(table.size(), qsizetype(76));
        QCOMPARE(table[n], text);
    }

    // A message file of the first 62 entries empties what it lacks of them; the entries added later keep
    // their German defaults until a file gives them.
    void replacingWithAShorterListEmptiesTheRest() {
        MessageTable table;
        table.replaceAll({"a", "b"});
        QCOMPARE(table[1], QStringLiteral("b"));
        QCOMPARE(table[43], QString());
        QCOMPARE(table[64], QStringLiteral("beobachtet"));
        QStringList full(63, QStringLiteral("x"));
        table.replaceAll(full);
        QCOMPARE(table[61], QStringLiteral("x"));
        QCOMPARE(table[62], QStringLiteral("x"));
        QCOMPARE(table[63], MessageTable::germanDefaults()[63]);
        table.resetToDefaults();
        QCOMPARE(table[43], QStringLiteral("Quersumme"));
    }

    void textFilesDecodeByMarkThenUtf8ThenWindows1252_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBFn\xC2\xB0") << QStringLiteral("n°");
        QTest::newRow("UTF-8 without mark") << QByteArray("Gl\xC3\xBC"
                                                          "ck")
                                            << QStringLiteral("Glück");
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFEG\0\xFC\0", 6) << QStringLiteral("Gü");
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\0G\0\xFC", 6) << QStringLiteral("Gü");
        QTest::newRow("Windows-1252") << QByteArray("Gl\xFC"
                                                    "ck \x80")
                                      << QStringLiteral("Glück €");
    }
    void textFilesDecodeByMarkThenUtf8ThenWindows1252() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeText(bytes), text);
    }

    // Lines joined with "|" for the comparison.
    void textLinesEndAtEveryLineEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << QByteArray() << "" << 0;
        QTest::newRow("one line end") << QByteArray("\r\n") << "" << 1;
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << "a|b" << 2;
        QTest::newRow("LF, no end after the last") << QByteArray("a\nb") << "a|b" << 2;
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << "a|b" << 2;
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << "a||b" << 3;
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\na\r\r\n") << "||a|" << 4;
        QTest::newRow("UTF-8 mark is no text") << QByteArray("\xEF\xBB\xBF"
                                                             "1,2\r\n3")
                                               << "1,2|3" << 2;
        QTest::newRow("UTF-16 LE with CR LF") << QByteArray("\xFF\xFE"
                                                            "1\0\r\0\n\0"
                                                            "2\0",
                                                            10)
                                              << "1|2" << 2;
        QTest::newRow("UTF-16 BE with CR") << QByteArray("\xFE\xFF\0"
                                                         "1\0\r\0"
                                                         "2",
                                                         8)
                                           << "1|2" << 2;
        QTest::newRow("Windows-1252") << QByteArray("Gr\xFC\xDF\r\n") << "Grüß" << 1;
    }
    void textLinesEndAtEveryLineEnd() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lines);
        QFETCH(int, count);
        const QStringList got = textLines(bytes);
        QCOMPARE(got.size(), count);
        QCOMPARE(got.join('|'), lines);
    }

    void textBeyondItsBoundsIsNotRead() {
        QByteArray line(MaxTextLineLength, 'x');
        QCOMPARE(textLines(line + "\r\n" + line).size(), 2); // at the bound
        try {
            textLines("a\n" + line + 'x', QStringLiteral("t.tpf"));
            QFAIL("no error");
        } catch (const IoError& e) {
            QCOMPARE(e.text(), QStringLiteral(
                                   "t.tpf: line 2 is longer than 65536 characters, not read as a text file"));
        }

        QTemporaryDir dir;
        const QString path = dir.filePath("big.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxTextFileBytes + 1)); // sparse: no disk space taken
        file.close();
        try {
            readTextFile(path);
            QFAIL("no error");
        } catch (const IoError& e) {
            QCOMPARE(e.text(),
                     path + QStringLiteral(": larger than 67108864 bytes, not read as a text file"));
        }
        QVERIFY_THROWS_EXCEPTION(IoError, readTextFile(dir.filePath("missing.tpf")));
    }
};

QTEST_GUILESS_MAIN(TestI18n)
#include "tst_i18n.moc"
