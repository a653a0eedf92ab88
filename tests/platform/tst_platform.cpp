#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "platform/AtomicFile.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"

#include <QDir>
#include <QFile>
#include <QTimer>
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

    // GET requests against the stand-in draw service on 127.0.0.1, each fault as the update will see it.
    void httpClientAgainstTheDrawService_data() {
        QTest::addColumn<QStringList>("serviceOptions");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("replied");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("a draw") << QStringList{} << true << true << 200
                                << QByteArray("19,33,41,24,27,9,4674648\r\n");
        QTest::newRow("error status")
            << QStringList{"--error", "2008-10-06=503"} << false << true << 503 << QByteArray();
        QTest::newRow("body over 1 MiB")
            << QStringList{"--huge", "2008-10-06"} << false << true << 200 << QByteArray();
        QTest::newRow("connection closed")
            << QStringList{"--drop", "2008-10-06"} << false << false << 0 << QByteArray();
        QTest::newRow("body cut in the middle of a line")
            << QStringList{"--cut", "2008-10-06"} << false << true << 200 << QByteArray();
        QTest::newRow("slower than the read time-out")
            << QStringList{"--delay-ms", "1500"} << false << false << 0 << QByteArray();
    }
    void httpClientAgainstTheDrawService() {
        QFETCH(QStringList, serviceOptions);
        QFETCH(bool, ok);
        QFETCH(bool, replied);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        TempHome home;
        home.writeBytes("h.csv", "date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n");
        test::DrawServiceProcess service(QStringList{"--csv", home.file("h.csv")} + serviceOptions);
        if (!service.isRunning()) QSKIP(qPrintable("draw-service not available: " + service.errorText()));
        QtHttpClient client;
        HttpRequest request;
        request.url = service.drawUrl(QDate(2008, 10, 6)).toString();
        request.connectTimeoutMs = 1000;
        request.readTimeoutMs = 1000;
        const HttpResponse response = client.get(request);
        QCOMPARE(response.ok(), ok);
        QCOMPARE(response.replied, replied);
        QCOMPARE(response.status, status);
        if (ok) {
            QCOMPARE(response.body, body);
            QVERIFY(response.statusLine.startsWith("HTTP/1.1 200"));
        } else if (status < 400) { // the transfer failed: no body to use
            QVERIFY(!response.error.isEmpty());
            QVERIFY(response.body.isEmpty());
        }
    }

    void abortEndsTheWaitingRequest() {
        test::DrawServiceProcess service(QStringList{"--delay-ms", "3000"});
        if (!service.isRunning()) QSKIP(qPrintable("draw-service not available: " + service.errorText()));
        QtHttpClient client;
        HttpRequest request;
        request.url = service.drawUrl(QDate(2008, 10, 6)).toString();
        QTimer::singleShot(50, [&client] { client.abort(); });
        const HttpResponse response = client.get(request);
        QVERIFY(!response.replied);
        QCOMPARE(response.error, QStringLiteral("aborted"));
        client.abort(); // nothing waits now: no effect
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
