// The listing, the basket links and the click-script export as the controller runs them: through its
// ports, and against the stand-in service for the basket request and the script update.

#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "Fixtures.h"
#include "TestSupport.h"

#include "controller/Controller.h"
#include "controller/Settings.h"
#include "i18n/MessageTable.h"
#include "platform/Endpoints.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// Writes a file of the home, making its folder first.
void writeFile(const TempHome& home, const QString& name, const QByteArray& bytes) {
    QDir(home.path()).mkpath(QFileInfo(name).path());
    home.writeBytes(name, bytes);
}

class OutputView final : public ControllerView {
public:
    void status(int panel, const QString& text) override {
        if (panel != 1) return;
        lastStatus = text;
        if (onStatus) onStatus();
    }
    void notice(const QString& html) override { notices << html; }
    void dayDone(const QDate&, const QString& statusLine) override { dayLines << statusLine; }
    QString lastStatus;
    QStringList dayLines;
    QStringList notices;
    std::function<void()> onStatus;
};

// The click-script dialog: takes the values it is given and closes with OK or Cancel.
class ScriptedScriptDialog final : public ScriptDialogPort {
public:
    bool runModal(ScriptDialogModel& model) override {
        shown = model;
        if (change) change(model.choice);
        return ok;
    }
    std::function<void(AutomationChoice&)> change;
    bool ok = true;
    ScriptDialogModel shown;
};

// The controller over a temporary home, with the product host given (the stand-in service, or a port
// where nothing listens).
struct OutputFixture {
    explicit OutputFixture(const QString& productHost)
        : controller(Platform{dialogs, desktop, clock, sound, http, settings},
                     Endpoints(productHost, QStringLiteral("http://company.example"),
                               Endpoints::defaultResultsHost()),
                     home.path()) {
        controller.setView(&view);
        controller.setScriptDialog(&scriptDialog);
        controller.setSecondBasketDelay(50);
        controller.beginStartUp(450);
        controller.endStartUp();
    }
    void fill(const QStringList& rows) { fillSheet(controller.sheet(), rows); }
    // The automation program's key after the command.
    QString stored(const char* name) {
        settings.openKey(SettingsStore::klickwerkKey(), true);
        const SettingValue* v = settings.find(QLatin1String(name));
        const QString text = v ? v->string : QStringLiteral("<none>");
        settings.closeKey();
        return text;
    }
    // Installs a stand-in automation program; its executable's path.
    QString installProgram() {
        writeFile(home, QStringLiteral("Klickwerk/Klickomat.exe"), "MZ");
        settings.openKey(SettingsStore::klickwerkKey(), true);
        settings.writeString(QStringLiteral("Path"), home.file(QStringLiteral("Klickwerk")));
        settings.closeKey();
        return home.file(QStringLiteral("Klickwerk/Klickomat.exe"));
    }

    TempHome home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    FixedDayClock clock{QDate(2026, 12, 10)};
    RecordingSound sound;
    QtHttpClient http;
    MemorySettingsStore settings;
    OutputView view;
    ScriptedScriptDialog scriptDialog;
    Controller controller;
};

const QString kShown = QStringLiteral("Überprüfen Sie den Tipp im Warenkorb!!!");

} // namespace

class TestOutputCommands : public QObject {
    Q_OBJECT

    TempHome m_files;

private Q_SLOTS:
    void printWritesTheListingAndOpensIt_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("listing"); // empty: nothing written, the conversion error shown
        QTest::newRow("rows print")
            << QStringList{"3:7,1,49,20,33,2"}
            << QByteArray("Velmars Lotto-Tipp für  12.12.26\r\n"
                          "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n\r\n"
                          " 3. Velmars Lotto-Tipp für :  7    1   49   20   33   n° CHANCE:  2\r\n");
        QTest::newRow("a printed row with an empty field")
            << QStringList{"1:5,12,23,34,45,7", "2:5,6"} << QByteArray();
    }
    void printWritesTheListingAndOpensIt() {
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, listing);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        OutputFixture f(QStringLiteral("http://127.0.0.1:9"));
        f.home.writeDraws({{"2026-12-07", {1, 2, 3, 4, 5}, 1}, {"2026-12-09", {6, 7, 8, 9, 10}, 2}});
        setPickerDate(f.controller.state().drawDate, QDate(2026, 12, 9)); // a Wednesday
        f.controller.selectDraw();
        f.fill(rows);
        f.controller.run([&] { f.controller.printTips(); });
        const QString path = f.home.file(QStringLiteral("Tipp.txt"));
        if (listing.isEmpty()) {
            QCOMPARE(f.dialogs.messages, QStringList{"'' is not a valid integer value"});
            QVERIFY(!QFile::exists(path));
            QVERIFY(f.desktop.opened.isEmpty());
        } else {
            QCOMPARE(f.home.readBytes(QStringLiteral("Tipp.txt")), listing);
            QCOMPARE(f.desktop.opened, QStringList{path});
        }
    }

    // The basket command against the stand-in service: the links it opens (BASE: the service's address),
    // the status text, a notice instead of a basket.
    void basketOpensTheServicesLinks_data() {
        QTest::addColumn<QStringList>("serviceArguments");
        QTest::addColumn<QByteArray>("linkTemplate"); // given to the service when not empty
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("notice");
        const QString k = QStringLiteral("BASE/lotto/warenkorb2.asp?Tipps=%1&kasten1=%2&kasten2=%3&kasten3=%4"
                                         "&kasten4=%5&kasten5=%6&kasten6=%7");
        const QString e = QStringLiteral(",,,,,");
        const QString seven = k + QStringLiteral("&kasten7=%8&kasten8=%9&kasten9=,,,,,&kasten10=,,,,,"
                                                 "&kasten11=,,,,,&kasten12=,,,,,");
        const QString r1 = QStringLiteral("5,12,23,34,45,7");
        const QString r3 = QStringLiteral("1,2,3,4,5,10");
        QTest::newRow("all rows empty")
            << QStringList{} << QByteArray() << QStringList{}
            << QStringList{seven.arg(0).arg(e, e, e, e, e, e, e, e)} << kShown << false;
        QTest::newRow("rows 1 and 3")
            << QStringList{} << QByteArray() << QStringList{"1:" + r1, "3:" + r3}
            << QStringList{seven.arg(3).arg(r1, e, r3, e, e, e, e, e)} << kShown << false;
        QTest::newRow("row 7: a second link")
            << QStringList{} << QByteArray() << QStringList{"1:" + r1, "7:" + r3}
            << QStringList{seven.arg(1).arg(r1, e, e, e, e, e, r3, e),
                           k.arg(1).arg(r3, e, e, e, e, e) +
                               "&kasten7=[KASTEN7]&kasten8=[KASTEN8]&kasten9=[KASTEN9]&kasten10=[KASTEN10]"
                               "&kasten11=[KASTEN11]&kasten12=[KASTEN12]"}
            << kShown << false;
        QTest::newRow("row 8 without row 7: only through the template's KASTEN8")
            << QStringList{} << QByteArray() << QStringList{"8:" + r3}
            << QStringList{seven.arg(0).arg(e, e, e, e, e, e, e, r3)} << kShown << false;
        QTest::newRow("a doubled placeholder")
            << QStringList{} << QByteArray("http://shop.example/?a=[KASTEN1]&b=[KASTEN1]&n=[Anzahl]")
            << QStringList{"1:" + r1} << QStringList{"http://shop.example/?a=" + r1 + "&b=[KASTEN1]&n=1"}
            << kShown << false;
        QTest::newRow("a long template is cut")
            << QStringList{} << "http://shop.example/?a=[KASTEN1]&p=" + QByteArray(3000, 'x') + "&n=[Anzahl]"
            << QStringList{"1:" + r1}
            << QStringList{"http://shop.example/?a=" + r1 + "&p=" + QString(2048 - 35, QLatin1Char('x'))}
            << kShown << false;
        QTest::newRow("a notice") << QStringList{"--basket-notice"} << QByteArray() << QStringList{"1:" + r1}
                                  << QStringList{} << QString() << true;
        QTest::newRow("an error status: the built-in template with rows 1 to 6")
            << QStringList{"--basket-error", "500"} << QByteArray() << QStringList{"1:" + r1, "8:" + r3}
            << QStringList{k.arg(1).arg(r1, e, e, e, e, e)} << kShown << false;
        QTest::newRow("a javascript: template is refused")
            << QStringList{} << QByteArray("javascript:alert('[KASTEN1]')") << QStringList{"1:" + r1}
            << QStringList{}
            << "Nicht geöffnet, keine http- oder https-Adresse: javascript:alert('5,12,23,34,45,7')" << false;
    }
    void basketOpensTheServicesLinks() {
        QFETCH(QStringList, serviceArguments);
        QFETCH(QByteArray, linkTemplate);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, opened);
        QFETCH(QString, status);
        QFETCH(bool, notice);
        if (!linkTemplate.isEmpty()) {
            m_files.writeBytes(QStringLiteral("template.txt"), linkTemplate);
            serviceArguments << "--basket-template" << m_files.file(QStringLiteral("template.txt"));
        }
        DrawServiceProcess service(serviceArguments);
        KUGELO_REQUIRE_SERVICE(service);
        OutputFixture f(service.baseUrl());
        f.fill(rows);
        f.controller.run([&] { f.controller.basket(); });
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(f.desktop.opened, opened.replaceInStrings(QStringLiteral("BASE"), service.baseUrl()));
        QCOMPARE(f.view.lastStatus, status);
        QCOMPARE(f.view.notices.size(), notice ? 1 : 0);
        QCOMPARE(QFile::exists(f.home.file(QStringLiteral("Meldung.htm"))), notice);
        if (notice) {
            const QByteArray page = f.home.readBytes(QStringLiteral("Meldung.htm"));
            QVERIFY(f.view.notices[0].contains(QStringLiteral("Mitteilung")));
            QVERIFY(page.endsWith("</html>\r\n"));
            QCOMPARE(page.count("\n"), page.count("\r\n"));
        }
    }

    void basketStopsBeforeOpening_data() {
        QTest::addColumn<QString>("proxyPort");
        QTest::addColumn<QString>("message");
        QTest::newRow("no service") << "80"
                                    << "Connection refused";
        QTest::newRow("a proxy port that is no number") << "achtzig"
                                                        << "'achtzig' is not a valid integer value";
    }
    void basketStopsBeforeOpening() {
        QFETCH(QString, proxyPort);
        QFETCH(QString, message);
        OutputFixture f(QStringLiteral("http://127.0.0.1:9"));
        f.controller.windowValues().proxyPort = proxyPort;
        f.controller.run([&] { f.controller.basket(); });
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].contains(message), qPrintable(f.dialogs.messages[0]));
        QVERIFY(f.desktop.opened.isEmpty());
    }

    // The second link follows after the pause, while the event loop runs; a second basket waits its turn,
    // and closing the window ends the pause without it.
    void secondBasketFollowsThePause() {
        DrawServiceProcess service;
        KUGELO_REQUIRE_SERVICE(service);
        for (const bool closeDuringPause : {false, true}) {
            OutputFixture f(service.baseUrl());
            f.controller.setSecondBasketDelay(300);
            f.fill({"7:1,2,3,4,5,6"});
            bool basketAllowedInPause = true;
            bool paused = false;
            f.view.onStatus = [&] { // the first link is open, the pause begins
                if (f.desktop.opened.size() != 1 || paused) return;
                paused = true;
                basketAllowedInPause = f.controller.allows(Command::Basket);
                if (closeDuringPause) QTimer::singleShot(0, [&] { f.controller.stopAll(); });
            };
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(f.controller.basket(), Controller::BasketOutcome::Opened);
            QVERIFY(!basketAllowedInPause);
            QCOMPARE(f.desktop.opened.size(), closeDuringPause ? 1 : 2);
            if (!closeDuringPause)
                QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
            QVERIFY(f.controller.allows(Command::Basket));
        }
    }

    void installOfferWhenTheProgramIsMissing_data() {
        QTest::addColumn<bool>("pathStored");
        QTest::addColumn<bool>("yes");
        QTest::newRow("nothing stored, Yes") << false << true;
        QTest::newRow("a folder without the program, No") << true << false;
    }
    void installOfferWhenTheProgramIsMissing() {
        QFETCH(bool, pathStored);
        QFETCH(bool, yes);
        OutputFixture f(QStringLiteral("http://127.0.0.1:9"));
        if (pathStored) {
            f.settings.openKey(SettingsStore::klickwerkKey(), true);
            f.settings.writeString(QStringLiteral("Path"), f.home.path());
            f.settings.closeKey();
        }
        f.dialogs.answers.push_back(yes);
        setPickerDate(f.controller.state().drawDate, QDate(2026, 12, 28));
        f.fill({"1:5,12,23,34,45,7"});
        f.controller.run([&] { f.controller.submitScript(); });
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(f.dialogs.questions.size(), 1);
        QVERIFY2(f.dialogs.questions[0].contains(QStringLiteral("Velmars Klickomat installieren?")),
                 qPrintable(f.dialogs.questions[0]));
        QCOMPARE(f.desktop.opened,
                 yes ? QStringList{"http://company.example/dateien/klickomatp.exe"} : QStringList{});
        QVERIFY(f.desktop.started.isEmpty());
        QCOMPARE(f.home.readBytes(QStringLiteral("Tipps/20270104.tpf")), QByteArray("5,12,23,34,45,7,\r\n"));
        QCOMPARE(f.scriptDialog.shown.scripts, QStringList()); // the dialog did not show
    }

    // OK fills the chosen script into "Tipps" and starts the program with an argument list; Cancel keeps
    // only the tip copy.
    void submitFillsTheScriptAndStartsTheProgram() {
        for (const bool ok : {true, false}) {
            OutputFixture f(QStringLiteral("http://127.0.0.1:9"));
            const QString program = f.installProgram();
            writeFile(f.home, QStringLiteral("Script/lotto.csf"), "a=[Z1_1] b=[Z1_10] c=[CHANCE1]\nd=[MI]\n");
            f.fill({"1:5,12,23,34,45,7", "10:1,2,3,4,9,10"});
            f.scriptDialog.ok = ok;
            f.scriptDialog.change = [](AutomationChoice& c) {
                c.text1 = QStringLiteral("Max \"Mustermann\" x");
            };
            f.controller.run([&] { f.controller.submitScript(); });
            QCOMPARE(f.dialogs.messages, QStringList());
            const QString script = f.home.file(QStringLiteral("Script/lotto.csf"));
            QCOMPARE(f.scriptDialog.shown.choice.script, script); // nothing stored: the last script listed
            QVERIFY(QFile::exists(f.home.file(QStringLiteral("Tipps/20261217.tpf"))));
            const QString filled = f.home.file(QStringLiteral("Tipps/20261210.csf"));
            if (!ok) {
                QVERIFY(f.desktop.started.isEmpty());
                QVERIFY(!QFile::exists(filled));
                QCOMPARE(f.stored("KugeloScript"), QStringLiteral("<none>"));
                continue;
            }
            QCOMPARE(f.home.readBytes(QStringLiteral("Tipps/20261210.csf")),
                     QByteArray("a=5 b=1 c=7\r\nd=NEIN\r\n"));
            QCOMPARE(f.desktop.started,
                     QList<QStringList>({{program, "START", filled, "0", "Max \"Mustermann\" x", "0", ""}}));
            QCOMPARE(f.stored("KugeloScript"), script);
            QCOMPARE(f.stored("KugeloZahl1"), QStringLiteral("0"));
            QCOMPARE(f.stored("KugeloText1"), QStringLiteral("Max \"Mustermann\" x"));
        }
    }

    void unreadableScriptStopsAfterStoringTheChoice() {
        OutputFixture f(QStringLiteral("http://127.0.0.1:9"));
        f.installProgram();
        f.scriptDialog.change = [&](AutomationChoice& c) {
            c.script = f.home.file(QStringLiteral("gone.csf"));
        };
        f.controller.run([&] { f.controller.submitScript(); });
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].contains(QStringLiteral("gone.csf")),
                 qPrintable(f.dialogs.messages[0]));
        QCOMPARE(f.stored("KugeloScript"), f.home.file(QStringLiteral("gone.csf")));
        QVERIFY(f.desktop.started.isEmpty());
        QVERIFY(!QFile::exists(f.home.file(QStringLiteral("gone.csf")))); // the update creates no script
    }

    // Only http and https are asked, also where a host of another scheme reached the controller: the update
    // has days without reply that say so, the basket stops with the same text, the script update keeps the
    // local script (LOCAL: a file holding a draw line and a link; it is newer than the local script).
    void hostsOfOtherSchemesAreNeverAsked_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("file:") << "file://LOCAL#";
        QTest::newRow("FILE: in capitals") << "FILE://LOCAL#";
        QTest::newRow("data:") << "data:text/plain,19,33,41,24,27,9,4674648#";
        QTest::newRow("ftp:") << "ftp://127.0.0.1:9";
    }
    void hostsOfOtherSchemesAreNeverAsked() {
        QFETCH(QString, host);
        TempHome served;
        served.writeBytes(QStringLiteral("served.txt"),
                          "19,33,41,24,27,9,4674648\r\nhttp://evil.example/\r\n");
        host.replace(QStringLiteral("LOCAL"), served.file(QStringLiteral("served.txt")));
        OutputFixture f(host);
        QCOMPARE(f.controller.endpoints().productHost(), host);
        const MessageTable messages;
        const auto refused = [&](const QString& url) { return messages[Msg::OnlyWebAddresses].arg(url); };

        const UpdateResult update = f.controller.update();
        QCOMPARE(update.drawsStored, 0);
        QVERIFY(update.unreachable);
        QCOMPARE(f.view.dayLines,
                 QStringList({refused(host + "/lotto/kugelo.asp?Programm=Kugelo&Datum=20081007"),
                              refused(host + "/lotto/kugelo.asp?Programm=Kugelo&Datum=20081008"),
                              refused(host + "/lotto/kugelo.asp?Programm=Kugelo&Datum=20081009")}));
        QCOMPARE(f.view.lastStatus, f.view.dayLines.last());

        f.fill({"1:5,12,23,34,45,7"});
        f.controller.run([&] { f.controller.basket(); });
        QCOMPARE(f.dialogs.messages,
                 QStringList{refused(host + "/lotto/lotto.asp?Spiel=Kugelo&Wo=Lottoland&Tipps=5")});
        QCOMPARE(f.desktop.opened, QStringList());

        writeFile(f.home, QStringLiteral("Script/lotto.csf"), "old\r\n");
        QFile local(f.home.file(QStringLiteral("Script/lotto.csf")));
        QVERIFY(local.open(QIODevice::ReadWrite));
        QVERIFY(local.setFileTime(QDateTime::currentDateTimeUtc().addDays(-5),
                                  QFileDevice::FileModificationTime));
        local.close();
        f.controller.updateScript(local.fileName());
        QCOMPARE(f.home.readBytes(QStringLiteral("Script/lotto.csf")), QByteArray("old\r\n"));
    }

    // A stored host of another scheme than http or https is ignored (the built-in one is used) and named in
    // a status text; one from the environment is refused with the text that names the allowed schemes.
    // http and https are taken in any case.
    void storedAndEnvironmentHostsOfOtherSchemes_data() {
        QTest::addColumn<bool>("fromEnvironment");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("used");
        for (const bool environment : {false, true}) {
            const char* entry = environment ? "environment" : "settings";
            for (const char* host : {"file:///etc/passwd#", "File:/etc/passwd#", "data:text/plain,1,2,3#",
                                     "ftp://draws.example", "javascript:alert(1)", "qrc:/Land#"})
                QTest::addRow("%s, %s", entry, host) << environment << QString::fromLatin1(host) << false;
            for (const char* host :
                 {"HTTP://Draws.example", "hTtPs://draws.example:8443", "draws.example:8080"})
                QTest::addRow("%s, %s", entry, host) << environment << QString::fromLatin1(host) << true;
        }
    }
    void storedAndEnvironmentHostsOfOtherSchemes() {
        QFETCH(bool, fromEnvironment);
        QFETCH(QString, host);
        QFETCH(bool, used);
        const char* variables[] = {"KUGELO_PRODUCT_HOST", "KUGELO_COMPANY_HOST", "KUGELO_RESULTS_HOST"};
        const auto unset = qScopeGuard([&] {
            for (const char* v : variables)
                qunsetenv(v);
        });
        OutputFixture f(Endpoints::defaultProductHost());
        const Endpoints builtIn(Endpoints::defaultProductHost(), QStringLiteral("http://company.example"),
                                Endpoints::defaultResultsHost());
        WindowValues& stored = f.controller.windowValues();
        if (fromEnvironment) {
            for (const char* v : variables)
                qputenv(v, host.toUtf8());
        } else {
            stored.ProductHost = stored.CompanyHost = stored.ResultsHost = host;
        }
        f.controller.applyEndpoints();
        const Endpoints& e = f.controller.endpoints();
        const QString normalized = Endpoints::normalizeHost(host);
        QCOMPARE(e.productHost(), used ? normalized : builtIn.productHost());
        QCOMPARE(e.companyHost(), used ? normalized : builtIn.companyHost());
        QCOMPARE(e.resultsHost(), used ? normalized : builtIn.resultsHost());
        QVERIFY(isWebAddress(e.drawService(QDate(2008, 10, 7))));
        QVERIFY(isWebAddress(e.resultsPage()));
        QVERIFY(isWebAddress(e.installerDownload()));

        const MessageTable& m = f.controller.messages();
        QStringList notices;
        if (!used && fromEnvironment) {
            for (const char* v : variables)
                notices << m[Msg::OnlyWebAddresses].arg(QLatin1String(v) + "=" + host);
        } else if (!used) {
            notices << m[Msg::StoredHostIgnored].arg(host, builtIn.productHost())
                    << m[Msg::StoredHostIgnored].arg(host, builtIn.companyHost())
                    << m[Msg::StoredHostIgnored].arg(host, builtIn.resultsHost());
        }
        QCOMPARE(f.controller.hostNotice(), notices.join(QStringLiteral("  ")));
        QVERIFY(!used || f.controller.refusedHostText(host).isEmpty());
        QCOMPARE(f.controller.refusedHostText(host), used ? QString() : m[Msg::OnlyWebAddresses].arg(host));
        if (!used)
            QVERIFY2(f.controller.hostNotice().contains(QStringLiteral("http:// und https://")),
                     qPrintable(f.controller.hostNotice()));
    }

    // The script update against the stand-in's script directory: a newer copy replaces the local script,
    // an older one or none leaves it.
    void scriptUpdateTakesOnlyANewerCopy_data() {
        QTest::addColumn<int>("servedAgeDays"); // -1: the directory has no copy
        QTest::addColumn<int>("localAgeDays");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("newer copy") << 1 << 5 << QByteArray("new [Z1_1]\r\n");
        QTest::newRow("older copy") << 5 << 1 << QByteArray("old\r\n");
        QTest::newRow("no copy") << -1 << 5 << QByteArray("old\r\n");
    }
    void scriptUpdateTakesOnlyANewerCopy() {
        QFETCH(int, servedAgeDays);
        QFETCH(int, localAgeDays);
        QFETCH(QByteArray, after);
        TempHome served;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        if (servedAgeDays >= 0) {
            served.writeBytes(QStringLiteral("lotto.csf.txt"), "new [Z1_1]\r\n");
            QFile file(served.file(QStringLiteral("lotto.csf.txt")));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(now.addDays(-servedAgeDays), QFileDevice::FileModificationTime));
        }
        DrawServiceProcess service({"--scripts", served.path()});
        KUGELO_REQUIRE_SERVICE(service);
        OutputFixture f(service.baseUrl());
        writeFile(f.home, QStringLiteral("Script/lotto.csf"), "old\r\n");
        QFile local(f.home.file(QStringLiteral("Script/lotto.csf")));
        QVERIFY(local.open(QIODevice::ReadWrite));
        QVERIFY(local.setFileTime(now.addDays(-localAgeDays), QFileDevice::FileModificationTime));
        local.close();
        f.controller.updateScript(local.fileName());
        QCOMPARE(f.home.readBytes(QStringLiteral("Script/lotto.csf")), after);
        f.controller.updateScript(f.home.file(QStringLiteral("Script/other.csf")));
        QVERIFY(!QFile::exists(f.home.file(QStringLiteral("Script/other.csf"))));
    }
};

QTEST_GUILESS_MAIN(TestOutputCommands)
#include "tst_output_commands.moc"
