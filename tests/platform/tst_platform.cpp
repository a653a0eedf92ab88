#include "Doubles.h"
#include "TestSupport.h"

#include "platform/AtomicFile.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeWriteReplacesTheFileAndLeavesNoTemporary() {
        TempHome home;
        home.writeBytes("a.txt", "old");
        writeFileWhole(home.file("a.txt"), "new contents");
        QCOMPARE(home.readBytes("a.txt"), QByteArray("new contents"));
        QVERIFY(!QFile::exists(home.file("a.txt~")));
    }

    void failedWholeWriteKeepsTheOldFile_data() {
        QTest::addColumn<qint64>("failAfter");
        QTest::newRow("at the first byte") << qint64(0);
        QTest::newRow("in the middle") << qint64(5);
    }
    void failedWholeWriteKeepsTheOldFile() {
        QFETCH(qint64, failAfter);
        TempHome home;
        home.writeBytes("a.txt", "old");
        FailingOpener opener;
        opener.failWriteAfter = failAfter;
        QVERIFY_THROWS_EXCEPTION(
            IoError, writeFileWhole(home.file("a.txt"), home.file("a.txt~"), "new contents", opener));
        QCOMPARE(home.readBytes("a.txt"), QByteArray("old"));
        QVERIFY(!QFile::exists(home.file("a.txt~")));
    }

    void wholeWriteIntoAMissingFolderIsAnIoError() {
        TempHome home;
        QVERIFY_THROWS_EXCEPTION(IoError, writeFileWhole(home.file("no/such/folder/a.txt"), "x"));
    }

    void fileFilterBecomesQtForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one pair") << "Textdatei|*.txt"
                                  << "Textdatei (*.txt)";
        QTest::newRow("two pairs, two patterns") << "Tipps|*.tpf;*.txt|Alle|*.*"
                                                 << "Tipps (*.tpf *.txt);;Alle (*.*)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void fileFilterBecomesQtForm() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(qtFileFilter(filter), expected);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
