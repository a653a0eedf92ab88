#include "i18n/MessageTable.h"
#include "i18n/TextCodec.h"

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
        QTest::newRow("beyond the table") << 62 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void defaultsKeepTheirBlanks() {
        QFETCH(int, n);
        QFETCH(QString, text);
        const MessageTable table;
        QCOMPARE(table.size(), qsizetype(62));
        QCOMPARE(table[n], text);
    }

    void replacingWithAShorterListEmptiesTheRest() {
        MessageTable table;
        table.replaceAll({"a", "b"});
        QCOMPARE(table[1], QStringLiteral("b"));
        QCOMPARE(table[43], QString());
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
};

QTEST_GUILESS_MAIN(TestI18n)
#include "tst_i18n.moc"
