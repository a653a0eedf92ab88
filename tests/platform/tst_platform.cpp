#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "platform/AtomicFile.h"
#include "platform/Dialogs.h"
#include "platform/Endpoints.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QtTest>
#include <limits>

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

    // Files written as one unit: a failure while any of them or the journal is written leaves every file as
    // it was and nothing beside them; a write that succeeds replaces all and leaves nothing either (a file
    // that is a link stays one).
    void fileSetIsWrittenWholeOrNotAtAll_data() {
        QTest::addColumn<int>(
            "failAtOpen"); // the write (0 .. 2 the files, 3 the journal) that fails; -1 none
        QTest::newRow("the first file fails") << 0;
        QTest::newRow("the last file fails") << 2;
        QTest::newRow("the journal fails") << 3;
        QTest::newRow("no failure") << -1;
    }
    void fileSetIsWrittenWholeOrNotAtAll() {
        QFETCH(int, failAtOpen);
        class FailAtOpen final : public FileOpener {
        public:
            explicit FailAtOpen(int n) : m_failAt(n) {}
            std::unique_ptr<QIODevice> open(const QString& path, QIODevice::OpenMode mode) const override {
                if ((mode & QIODevice::WriteOnly) && m_opened++ == m_failAt)
                    throw IoError(path + QStringLiteral(": simulated failure"));
                return FileOpener::standard().open(path, mode);
            }

        private:
            int m_failAt;
            mutable int m_opened = 0;
        };
        TempHome home;
        QVERIFY(QDir().mkpath(home.file("elsewhere")));
        home.writeBytes("a.txt", "old a");
        home.writeBytes("elsewhere/b", "old b");
        QVERIFY(QFile::link(home.file("elsewhere/b"), home.file("a.txt.trans")));
        const QStringList names{"a.txt", "a.txt.trans", "a.txt.meld"};
        std::vector<FileSetMember> files;
        for (const QString& name : names)
            files.push_back({home.file(name), "new " + name.toUtf8()});
        const QString journal = home.file("a.txt.journal");
        if (failAtOpen >= 0) {
            QVERIFY_THROWS_EXCEPTION(IoError, writeFileSet(journal, files, FailAtOpen(failAtOpen)));
            QCOMPARE(home.readBytes("a.txt"), QByteArray("old a"));
            QCOMPARE(home.readBytes("a.txt.trans"), QByteArray("old b"));
            QVERIFY(!QFileInfo::exists(home.file("a.txt.meld")));
        } else {
            writeFileSet(journal, files, FailAtOpen(-1));
            for (const QString& name : names)
                QCOMPARE(home.readBytes(name), "new " + name.toUtf8());
        }
        QVERIFY(QFileInfo(home.file("a.txt.trans")).isSymLink());
        const QStringList left = QDir(home.path()).entryList(QDir::Files | QDir::System) +
                                 QDir(home.file("elsewhere")).entryList(QDir::Files);
        QCOMPARE(left, failAtOpen >= 0 ? QStringList({"a.txt", "a.txt.trans", "b"})
                                       : QStringList({"a.txt", "a.txt.meld", "a.txt.trans", "b"}));
    }

    // What a unit that never wrote its journal left is removed, and so is anything at the journal's name that
    // is no journal (here a link to nothing, or text of another kind); the files stay as they are.
    void fileSetSettlesWhatIsNoUnit_data() {
        QTest::addColumn<QString>("journal");
        QTest::newRow("no journal") << "";
        QTest::newRow("a link to nothing") << "link";
        QTest::newRow("another text") << "text";
    }
    void fileSetSettlesWhatIsNoUnit() {
        QFETCH(QString, journal);
        TempHome home;
        home.writeBytes("a.txt", "old a");
        home.writeBytes("a.txt~", "half of a new a");
        home.writeBytes("a.txt.trans~", "a new template");
        if (journal == "link") QVERIFY(QFile::link(home.file("nowhere"), home.file("a.txt.journal")));
        if (journal == "text") home.writeBytes("a.txt.journal", "5 x a.txt\n");
        settleFileSet(home.file("a.txt.journal"), {home.file("a.txt"), home.file("a.txt.trans")});
        QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::System), QStringList{"a.txt"});
        QCOMPARE(home.readBytes("a.txt"), QByteArray("old a"));
    }

    // A file to read must be a regular file (or a link to one): a folder, a FIFO or a device is refused at
    // once, never waited on.
    void onlyRegularFilesAreRead_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("regular file") << "file";
        QTest::newRow("link to a regular file") << "link";
        QTest::newRow("folder") << "folder";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a FIFO") << "fifo link";
        QTest::newRow("device") << "device";
    }
    void onlyRegularFilesAreRead() {
        QFETCH(QString, what);
        TempHome home;
        home.writeBytes("file", "bytes");
        QVERIFY(QDir().mkpath(home.file("folder")));
        QVERIFY(makeFifo(home.file("fifo")));
        QVERIFY(QFile::link(home.file("file"), home.file("link")));
        QVERIFY(QFile::link(home.file("fifo"), home.file("fifo link")));
        const QString path = what == "device" ? QStringLiteral("/dev/zero") : home.file(what);
        QString error;
        QByteArray bytes;
        QVERIFY2(endsWithoutWaiting(home.file("fifo"),
                                    [&] {
                                        try {
                                            bytes = readFileAtMost(path, 1000);
                                        } catch (const IoError& e) {
                                            error = e.text();
                                        }
                                    }),
                 "the read waited for a writer");
        if (what == "file" || what == "link") {
            QCOMPARE(bytes, QByteArray("bytes"));
            QVERIFY(error.isEmpty());
        } else {
            QCOMPARE(error, notRegularFileText(path));
        }
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
        // Hostile services: each ends within the deadline as a failed request.
        QTest::newRow("headers, then one byte per second")
            << QStringList{"--trickle", "2008-10-06"} << false << true << 200 << QByteArray();
        QTest::newRow("headers, then silence")
            << QStringList{"--stall", "2008-10-06"} << false << true << 200 << QByteArray();
        QTest::newRow("a body that never ends")
            << QStringList{"--endless-body", "2008-10-06"} << false << true << 200 << QByteArray();
        QTest::newRow("headers that never end")
            << QStringList{"--endless-headers", "2008-10-06"} << false << false << 0 << QByteArray();
        QTest::newRow("a body that cannot be decompressed")
            << QStringList{"--bad-gzip", "2008-10-06"} << false << true << 200 << QByteArray();
    }
    void httpClientAgainstTheDrawService() {
        QFETCH(QStringList, serviceOptions);
        QFETCH(bool, ok);
        QFETCH(bool, replied);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        test::ServedHistory service("date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n",
                                    serviceOptions);
        KUGELO_REQUIRE_SERVICE(service);
        QtHttpClient client;
        HttpRequest request;
        request.url = service.service().drawUrl(QDate(2008, 10, 6)).toString();
        request.connectTimeoutMs = 1000;
        request.readTimeoutMs = 1000;
        request.deadlineMs = 2500;
        QElapsedTimer clock;
        clock.start();
        const HttpResponse response = client.get(request);
        QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
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
        KUGELO_REQUIRE_SERVICE(service);
        QtHttpClient client;
        HttpRequest request;
        request.url = service.drawUrl(QDate(2008, 10, 6)).toString();
        QTimer::singleShot(50, [&client] { client.abort(); });
        const HttpResponse response = client.get(request);
        QVERIFY(!response.replied);
        QCOMPARE(response.error, QStringLiteral("aborted"));
        client.abort(); // nothing waits now: no effect
    }

    // Only http and https are ever asked: any other address gets no reply, at once, marked refused. Qt's
    // network access would read a local file (with a "200 OK"), a data: address, or wait for ever on a FIFO.
    void onlyHttpAndHttpsAreAsked_data() {
        QTest::addColumn<QString>("url"); // LOCAL: a file holding a draw line, FIFO: a FIFO that gives one
        const QString service = QStringLiteral("#/lotto/kugelo.asp?Programm=Kugelo&Datum=20081007");
        QTest::newRow("file:") << "file://LOCAL" + service;
        QTest::newRow("FILE: in capitals") << "FILE://LOCAL" + service;
        QTest::newRow("file: of a FIFO") << "file://FIFO" + service;
        QTest::newRow("data:") << "data:text/plain,19,33,41,24,27,9,4674648" + service;
        QTest::newRow("qrc:") << "qrc:/Land/Kugelo.txt" + service;
        QTest::newRow("ftp:") << "ftp://127.0.0.1:9" + service;
        QTest::newRow("javascript:") << "javascript:alert(1)//" + service;
        QTest::newRow("no scheme") << "127.0.0.1:9/lotto/kugelo.asp";
        QTest::newRow("http: without a host") << "http:///etc/passwd" + service;
    }
    void onlyHttpAndHttpsAreAsked() {
        QFETCH(QString, url);
        TempHome home;
        home.writeBytes("draws.txt", "19,33,41,24,27,9,4674648\r\n");
        const FeedingFifo fifo(home.file("fifo"), "19,33,41,24,27,9,4674648\r\n");
        QVERIFY(fifo.made());
        url.replace("LOCAL", home.file("draws.txt")).replace("FIFO", home.file("fifo"));
        QtHttpClient client;
        HttpRequest request;
        request.url = url;
        QElapsedTimer clock;
        clock.start();
        const HttpResponse response = client.get(request);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!fifo.read());
        QVERIFY(!response.replied);
        QCOMPARE(response.status, 0);
        QCOMPARE(response.statusLine, QString());
        QCOMPARE(response.body, QByteArray());
        QVERIFY(!response.ok());
        QVERIFY(response.refused);
        QCOMPARE(response.error, notAskedText(url));
    }

    // http and https in any case are asked.
    void httpInAnyCaseIsAsked_data() {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("http") << "http";
        QTest::newRow("HTTP") << "HTTP";
        QTest::newRow("hTtP") << "hTtP";
    }
    void httpInAnyCaseIsAsked() {
        QFETCH(QString, scheme);
        test::ServedHistory service(
            "date,n1,n2,n3,n4,n5,chance,joker\n2008-10-06,19,33,41,24,27,9,4674648\n");
        KUGELO_REQUIRE_SERVICE(service);
        QtHttpClient client;
        HttpRequest request;
        request.url = service.service().drawUrl(QDate(2008, 10, 6)).toString().replace("http", scheme);
        QVERIFY(request.url.startsWith(scheme + "://"));
        const HttpResponse response = client.get(request);
        QVERIFY(response.ok());
        QVERIFY(!response.refused);
        QCOMPARE(response.body, QByteArray("19,33,41,24,27,9,4674648\r\n"));
    }

    // A host as entered: the scheme http or https in any case, else refused; "http://" goes before a host
    // without a scheme, also before a host with a port, but not before another scheme.
    void onlyHttpAndHttpsHostsAreUsed_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("normalized");
        QTest::addColumn<bool>("used");
        QTest::newRow("http") << "http://draws.example"
                              << "http://draws.example" << true;
        QTest::newRow("https with a port") << "https://draws.example:8443/"
                                           << "https://draws.example:8443" << true;
        QTest::newRow("HTTP in capitals") << "HTTP://Draws.example"
                                          << "HTTP://Draws.example" << true;
        QTest::newRow("HtTpS mixed") << " HtTpS://draws.example "
                                     << "HtTpS://draws.example" << true;
        QTest::newRow("no scheme") << "draws.example"
                                   << "http://draws.example" << true;
        QTest::newRow("no scheme, a port") << "localhost:8080"
                                           << "http://localhost:8080" << true;
        QTest::newRow("an address and a port") << "127.0.0.1:5000/"
                                               << "http://127.0.0.1:5000" << true;
        QTest::newRow("file://") << "file:///etc/passwd#"
                                 << "file:///etc/passwd#" << false;
        QTest::newRow("FILE:// in capitals") << "FILE:///etc/passwd#"
                                             << "FILE:///etc/passwd#" << false;
        QTest::newRow("file: without slashes") << "file:/etc/passwd#"
                                               << "file:/etc/passwd#" << false;
        QTest::newRow("data:") << "data:text/plain,19,33,41,24,27,9,4674648#"
                               << "data:text/plain,19,33,41,24,27,9,4674648#" << false;
        QTest::newRow("ftp:") << "ftp://draws.example"
                              << "ftp://draws.example" << false;
        QTest::newRow("javascript:") << "javascript:alert(1)"
                                     << "javascript:alert(1)" << false;
        QTest::newRow("mailto:") << "mailto:draws@draws.example"
                                 << "mailto:draws@draws.example" << false;
        QTest::newRow("qrc:") << "qrc:/Land"
                              << "qrc:/Land" << false;
        QTest::newRow("http without a host") << "http:///etc/passwd"
                                             << "http:///etc/passwd" << false;
        QTest::newRow("a port without a host") << "localhost:"
                                               << "localhost:" << false;
    }
    void onlyHttpAndHttpsHostsAreUsed() {
        QFETCH(QString, host);
        QFETCH(QString, normalized);
        QFETCH(bool, used);
        QCOMPARE(Endpoints::normalizeHost(host), normalized);
        QCOMPARE(Endpoints::isWebHost(host), used);
        QCOMPARE(isWebAddress(Endpoints(host, {}, {}).drawService(QDate(2008, 10, 7))), used);

        // From the environment: a host of another scheme is refused, the given one stays.
        QProcessEnvironment env;
        for (const char* variable : {"KUGELO_PRODUCT_HOST", "KUGELO_COMPANY_HOST", "KUGELO_RESULTS_HOST"})
            env.insert(QLatin1String(variable), host);
        const Endpoints base("http://p.example", "http://c.example", "https://r.example");
        std::vector<RefusedHost> refused;
        const Endpoints e = Endpoints::withEnvironment(base, env, &refused);
        QCOMPARE(e.productHost(), used ? normalized : base.productHost());
        QCOMPARE(e.companyHost(), used ? normalized : base.companyHost());
        QCOMPARE(e.resultsHost(), used ? normalized : base.resultsHost());
        QCOMPARE(refused.size(), used ? 0U : 3U);
        for (const RefusedHost& r : refused) {
            QCOMPARE(r.host, host.trimmed());
            QVERIFY(!r.stored);
        }
        if (!used) QCOMPARE(refused[0].source, QStringLiteral("KUGELO_PRODUCT_HOST"));
        QCOMPARE(Endpoints::setByEnvironment("KUGELO_PRODUCT_HOST", env), used);
    }

    // Every type goes into the file and comes back; typed reads refuse another type; keys are separate.
    void settingsFileRoundTrip() {
        TempHome home;
        const QString path = home.file("config/settings.json");
        {
            FileSettingsStore store(path);
            QVERIFY(!store.openKey(SettingsStore::kugeloKey(), false));
            QVERIFY(store.openKey(SettingsStore::kugeloKey(), true));
            store.writeInteger("Sprache", 3);
            store.writeInteger("DruckFontColor", qint32(0xFF000008));
            store.writeInteger("Min", std::numeric_limits<qint32>::min());
            store.writeString("Edit1", "17");
            store.writeString("URLEdit", QStringLiteral("http://www.velmar.example/ü€"));
            store.writeString("Empty", "");
            store.writeBytes("DruckSchrift", QByteArray(1, '\x01'));
            store.writeBytes("Raw", QByteArray("\x00\xff\x7f", 3));
            store.writeDateTime("DateTimePicker2", 39727.25);
            store.writeInteger("Sprache", 2); // replaces, keeps its place
            store.closeKey();
            QVERIFY(store.openKey(SettingsStore::klickwerkKey(), true));
            store.writeString("Edit1", "other key");
            store.closeKey();
        }
        FileSettingsStore store(path);
        QVERIFY(store.openKey(SettingsStore::kugeloKey(), false));
        QVERIFY(store.problem().isEmpty());
        QStringList names;
        for (const SettingValue& v : store.values())
            names << v.name;
        QCOMPARE(names, QStringList({"Sprache", "DruckFontColor", "Min", "Edit1", "URLEdit", "Empty",
                                     "DruckSchrift", "Raw", "DateTimePicker2"}));
        QCOMPARE(store.readInteger("Sprache"), 2);
        QCOMPARE(store.readInteger("DruckFontColor"), qint32(0xFF000008));
        QCOMPARE(store.readInteger("Min"), std::numeric_limits<qint32>::min());
        QCOMPARE(store.readString("Edit1"), QStringLiteral("17"));
        QCOMPARE(store.readString("URLEdit"), QStringLiteral("http://www.velmar.example/ü€"));
        QCOMPARE(store.readString("Empty"), QString());
        QCOMPARE(store.readBytes("Raw"), QByteArray("\x00\xff\x7f", 3));
        QCOMPARE(store.readDateTime("DateTimePicker2"), 39727.25);
        QVERIFY_THROWS_EXCEPTION(SettingsTypeError, store.readString("Sprache"));
        QVERIFY_THROWS_EXCEPTION(SettingsTypeError, store.readInteger("Edit1"));
        QVERIFY_THROWS_EXCEPTION(SettingsTypeError, store.readDateTime("DruckSchrift")); // one byte
        QVERIFY_THROWS_EXCEPTION(SettingsTypeError, store.readInteger("Missing"));
        store.closeKey();
        QVERIFY(store.openKey(SettingsStore::klickwerkKey(), false));
        QCOMPARE(store.values().size(), std::size_t(1));
        QCOMPARE(store.readString("Edit1"), QStringLiteral("other key"));
    }

    // The file is exactly what Qt's JSON writer makes of the same values, escapes and all.
    void settingsFileIsQtsIndentedJson() {
        const QString tricky = QStringLiteral("quote \" backslash \\ tab \t nl \n cr \r bs \b ff \f ") +
                               QChar(0x01) + QChar(0x1F) + QChar(0x7F) + QStringLiteral(" é € ") +
                               QString::fromUcs4(U"\U0001F340") + QChar(0xD800) + QStringLiteral("x") +
                               QChar(0xDC00);
        TempHome home;
        {
            FileSettingsStore store(home.file("settings.json"));
            QVERIFY(store.openKey(QStringLiteral("Software\\Kugelo"), true));
            store.writeString(QStringLiteral("Edit1"), tricky);
            store.writeInteger(tricky, std::numeric_limits<qint32>::min());
            store.writeInteger(QStringLiteral("UpDown1"), 2147483647);
            store.writeBytes(QStringLiteral("DateTimePicker2"), QByteArray("\x00\xff\x10", 3));
            store.writeString(QStringLiteral("empty"), QString());
            store.closeKey();
            QVERIFY(store.openKey(QStringLiteral("Software\\Other"), true));
            store.closeKey();
        }
        FileSettingsStore back(home.file("settings.json"));
        QVERIFY(back.openKey(QStringLiteral("Software\\Kugelo"), false));
        QJsonArray values;
        for (const SettingValue& v : back.values()) {
            QJsonObject o;
            o.insert("name", v.name);
            o.insert("type", settingTypeName(v.type));
            if (v.type == SettingType::Integer) o.insert("value", v.integer);
            if (v.type == SettingType::String) o.insert("value", v.string);
            if (v.type == SettingType::Bytes) o.insert("value", QString::fromLatin1(v.bytes.toHex()));
            values.append(o);
        }
        QCOMPARE(values.size(), 5);
        QJsonArray keys;
        keys.append(QJsonObject{{"key", "Software\\Kugelo"}, {"values", values}});
        keys.append(QJsonObject{{"key", "Software\\Other"}, {"values", QJsonArray()}});
        const QJsonObject root{{"format", "Kugelo settings 1"}, {"keys", keys}};
        QCOMPARE(home.readBytes("settings.json"), QJsonDocument(root).toJson(QJsonDocument::Indented));
        QCOMPARE(back.readString("Edit1"),
                 tricky.left(tricky.size() - 3) + QChar(0xD800) + 'x' + QChar(0xDC00));
    }

    void settingsFileThatCannotBeParsedIsMovedAside_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("not JSON") << QByteArray("Sprache=3\n");
        QTest::newRow("cut short") << QByteArray("{\"format\": \"Kugelo settings 1\", \"keys\": [");
        QTest::newRow("another format") << QByteArray("{\"format\": \"something else\", \"keys\": []}");
    }
    void settingsFileThatCannotBeParsedIsMovedAside() {
        QFETCH(QByteArray, text);
        TempHome home;
        home.writeBytes("settings.json", text);
        FileSettingsStore store(home.file("settings.json"));
        QVERIFY(store.openKey(SettingsStore::kugeloKey(), true));
        QCOMPARE(store.problem().kind, SettingsProblem::Kind::Unreadable);
        QCOMPARE(store.problem().aside, home.file("settings.json.corrupt"));
        QVERIFY(store.values().empty());
        QCOMPARE(home.readBytes("settings.json.corrupt"), text);
        QVERIFY(!QFile::exists(home.file("settings.json")));
        // The next save writes a good store and leaves the damaged one alone.
        store.writeInteger("Sprache", 1);
        store.closeKey();
        FileSettingsStore again(home.file("settings.json"));
        QVERIFY(again.openKey(SettingsStore::kugeloKey(), false));
        QVERIFY(again.problem().isEmpty());
        QCOMPARE(again.readInteger("Sprache"), 1);
        QCOMPARE(home.readBytes("settings.json.corrupt"), text);
    }

    // One entry that cannot be read costs only itself: the others are kept, the file is copied aside as it
    // was, and the problem is named.
    void settingsEntriesThatCannotBeReadCountAsMissing_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown type") << QByteArray(R"("type": "float", "value": 1)") << "no valid type";
        QTest::newRow("integer beyond 32 bits")
            << QByteArray(R"("type": "integer", "value": 4294967296)") << "not a 32-bit integer";
        QTest::newRow("integer 3e9") << QByteArray(R"("type": "integer", "value": 3e9)")
                                     << "not a 32-bit integer";
        QTest::newRow("integer 1e10")
            << QByteArray(R"("type": "integer", "value": 1e10)") << "not a 32-bit integer";
        QTest::newRow("integer 1.5") << QByteArray(R"("type": "integer", "value": 1.5)")
                                     << "not a 32-bit integer";
        QTest::newRow("bytes not hexadecimal")
            << QByteArray(R"("type": "bytes", "value": "0g")") << "not hexadecimal";
    }
    void settingsEntriesThatCannotBeReadCountAsMissing() {
        QFETCH(QByteArray, entry);
        QFETCH(QString, reason);
        const QByteArray text =
            R"({"format": "Kugelo settings 1", "keys": [{"key": "\\SOFTWARE\\Velmar\\Kugelo",
            "values": [{"name": "Sprache", "type": "integer", "value": 1}, {"name": "height", )" +
            entry + R"(}, {"name": "Edit1", "type": "string", "value": "7"}]}]})";
        TempHome home;
        home.writeBytes("settings.json", text);
        FileSettingsStore store(home.file("settings.json"));
        QVERIFY(store.openKey(SettingsStore::kugeloKey(), false));
        QCOMPARE(store.readInteger("Sprache"), 1);
        QCOMPARE(store.readString("Edit1"), QStringLiteral("7"));
        QVERIFY(!store.valueExists("height"));
        QVERIFY2(store.problem().reason.contains(reason), qPrintable(store.problem().reason));
        QCOMPARE(store.problem().aside, home.file("settings.json.corrupt"));
        QCOMPARE(home.readBytes("settings.json.corrupt"), text);
        // The save keeps what was read; the copy aside stays as it was.
        store.writeInteger("Sprache", 2);
        store.closeKey();
        FileSettingsStore again(home.file("settings.json"));
        QVERIFY(again.openKey(SettingsStore::kugeloKey(), false));
        QVERIFY(again.problem().isEmpty());
        QCOMPARE(again.readInteger("Sprache"), 2);
        QCOMPARE(again.readString("Edit1"), QStringLiteral("7"));
        QCOMPARE(home.readBytes("settings.json.corrupt"), text);
    }

    // Each damaged file keeps its own copy; a later one never replaces an earlier.
    void everyDamagedSettingsFileIsKeptAside() {
        TempHome home;
        const QString path = home.file("settings.json");
        for (const char* text : {"first", "second", "third"}) {
            home.writeBytes("settings.json", text);
            FileSettingsStore store(path);
            store.openKey(SettingsStore::kugeloKey(), true);
            store.writeInteger("Sprache", 1);
            store.closeKey();
        }
        QCOMPARE(home.readBytes("settings.json.corrupt"), QByteArray("first"));
        QCOMPARE(home.readBytes("settings.json.corrupt.2"), QByteArray("second"));
        QCOMPARE(home.readBytes("settings.json.corrupt.3"), QByteArray("third"));
    }

    // A folder in place of the settings file is neither renamed nor written; a file larger than any real
    // settings file is not read into memory.
    void settingsPathThatIsAFolderOrHuge() {
        TempHome home;
        QVERIFY(QDir().mkpath(home.file("folder/inside")));
        FileSettingsStore folder(home.file("folder"));
        QVERIFY(folder.openKey(SettingsStore::kugeloKey(), true));
        QCOMPARE(folder.problem().kind, SettingsProblem::Kind::Folder);
        folder.writeInteger("Sprache", 1);
        folder.closeKey();
        QVERIFY(QFileInfo(home.file("folder")).isDir());
        QVERIFY(QFileInfo::exists(home.file("folder/inside")));
        QVERIFY(!QFileInfo::exists(home.file("folder.corrupt")));

        QFile huge(home.file("huge.json"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(FileSettingsStore::MaxBytes + 1));
        huge.close();
        FileSettingsStore store(home.file("huge.json"));
        QVERIFY(store.openKey(SettingsStore::kugeloKey(), true));
        QVERIFY2(store.problem().reason.contains("more than"), qPrintable(store.problem().reason));
        QVERIFY(store.values().empty());
    }

    // Temporary files are made new: whatever has their name is removed, never written through. A file
    // that is a link stays a link and its target gets the content; a link to nothing is an error.
    void wholeWritesAndLinks_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("a link planted at the temporary name") << "planted";
        QTest::newRow("a file left at the temporary name") << "leftover";
        QTest::newRow("the file is a link") << "link";
        QTest::newRow("the file is a link to nothing") << "dangling";
    }
    void wholeWritesAndLinks() {
        QFETCH(QString, setup);
        TempHome home;
        QVERIFY(QDir().mkpath(home.file("elsewhere")));
        const QString path = home.file("a.dat");
        const QString victim = home.file("elsewhere/victim");
        home.writeBytes("elsewhere/victim", "victim");
        if (setup == "planted" || setup == "leftover") {
            home.writeBytes("a.dat", "old");
            if (setup == "planted")
                QVERIFY(QFile::link(victim, path + "~"));
            else
                home.writeBytes("a.dat~", "half");
            writeFileWhole(path, "new");
            QCOMPARE(home.readBytes("a.dat"), QByteArray("new"));
            QVERIFY(!QFileInfo(path).isSymLink());
            QVERIFY(!QFileInfo(path + "~").exists() && !QFileInfo(path + "~").isSymLink());
            QCOMPARE(home.readBytes("elsewhere/victim"), QByteArray("victim"));
        } else if (setup == "link") {
            QVERIFY(QFile::link(victim, path));
            writeFileWhole(path, "new");
            QVERIFY(QFileInfo(path).isSymLink());
            QCOMPARE(home.readBytes("elsewhere/victim"), QByteArray("new"));
            QVERIFY(!QFileInfo::exists(victim + "~") && !QFileInfo::exists(path + "~"));
        } else {
            QVERIFY(QFile::link(home.file("elsewhere/missing"), path));
            QVERIFY_THROWS_EXCEPTION(IoError, writeFileWhole(path, "new"));
            QVERIFY(!QFileInfo::exists(home.file("elsewhere/missing")));
            QVERIFY(QFileInfo(path).isSymLink());
        }
    }

    // A full disk refuses bytes only when the buffer is flushed; the write fails and names the cause.
    void aFullDiskFailsTheWholeWriteWithItsCause() {
        TempHome home;
        home.writeBytes("a.txt", "old");
        const FileSizeLimit limit(100);
        try {
            writeFileWhole(home.file("a.txt"), QByteArray(200, 'x'));
            QFAIL("no error");
        } catch (const IoError& e) {
            QVERIFY2(e.text().contains(FileSizeLimit::reason()), qPrintable(e.text()));
        }
        QCOMPARE(home.readBytes("a.txt"), QByteArray("old"));
        QVERIFY(!QFile::exists(home.file("a.txt~")));
    }

    // A save that fails while the new file is written, before it is renamed, leaves the previous store.
    void interruptedSettingsSaveKeepsThePreviousStore() {
        TempHome home;
        {
            FileSettingsStore store(home.file("settings.json"));
            store.openKey(SettingsStore::kugeloKey(), true);
            store.writeInteger("Sprache", 3);
            store.closeKey();
        }
        const QByteArray before = home.readBytes("settings.json");
        FailingOpener opener;
        opener.failWriteAfter = 20;
        FileSettingsStore store(home.file("settings.json"), opener);
        store.openKey(SettingsStore::kugeloKey(), true);
        store.writeInteger("Sprache", 1);
        QVERIFY_THROWS_EXCEPTION(IoError, store.closeKey());
        QCOMPARE(home.readBytes("settings.json"), before);
        QVERIFY(!QFile::exists(home.file("settings.json~")));
    }

    void settingsFileComesFromTheEnvironment() {
        const QByteArray configured = qgetenv("KUGELO_SETTINGS");
        QCOMPARE(FileSettingsStore::defaultPath(), QString::fromLocal8Bit(configured));
        qunsetenv("KUGELO_SETTINGS");
        const QString perUser = FileSettingsStore::defaultPath();
        qputenv("KUGELO_SETTINGS", "/tmp/elsewhere.json");
        QCOMPARE(FileSettingsStore::defaultPath(), QStringLiteral("/tmp/elsewhere.json"));
        qputenv("KUGELO_SETTINGS", configured);
        QVERIFY2(perUser.endsWith("/Velmar/Kugelo/settings.json"), qPrintable(perUser));
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
