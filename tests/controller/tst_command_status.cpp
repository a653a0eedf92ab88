// Every command answers: what the status bar says after it, in the player's language (French here, the
// language of a first start), and what assistive technology is told.

#include "Doubles.h"
#include "TestSupport.h"

#include "controller/Controller.h"
#include "i18n/TextFile.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QtTest>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// Answers every request with 404: the basket then builds its links from the built-in template.
class NotFoundHttp final : public HttpClient {
public:
    HttpResponse get(const HttpRequest&) override {
        HttpResponse r;
        r.replied = true;
        r.status = 404;
        r.statusLine = QStringLiteral("HTTP/1.1 404 Not Found");
        return r;
    }
    void abort() override {}
};

// What the commands told the window: the last text of status panel 1 and what was to be announced.
class OutcomeView final : public ControllerView {
public:
    void outcome(const QString& text, const QString& spoken) override {
        shown = text;
        this->spoken = spoken;
        ++outcomes;
    }
    QString shown;
    QString spoken;
    int outcomes = 0;
};

class EnteredDraw final : public ManualEntryPort {
public:
    std::optional<DrawRecord> enter(const DrawRecord&) override {
        return makeDrawRecord(QDate(2020, 1, 13), {3, 9, 17, 28, 40}, 5);
    }
};

class AcceptingScriptDialog final : public ScriptDialogPort {
public:
    bool runModal(ScriptDialogModel& model) override {
        model.choice.script = script;
        return true;
    }
    QString script;
};

enum class Step {
    SaveTips,
    LoadTips,
    ClearSheet,
    RemoveDraw,
    RemoveWithoutDraw,
    UndoRemove,
    EnterDraw,
    Print,
    PrintWithoutViewer,
    SearchNothing,
    SearchFound,
    SearchStartAfterEnd,
    SearchStartAfterNewest,
    Import,
    Basket,
    Script,
    RunRarest,
    RunLongestOverdue,
    RunAtRandom,
};

struct Fixture {
    Fixture()
        : controller(Platform{dialogs, desktop, clock, sound, http, settings},
                     Endpoints(QStringLiteral("http://127.0.0.1:9"), Endpoints::defaultCompanyHost(),
                               Endpoints::defaultResultsHost()),
                     home.path()) {
        controller.setView(&view);
        controller.setManualEntry(&entry);
        controller.setScriptDialog(&script);
        controller.setSecondBasketDelay(1);
        controller.beginStartUp(450);
        controller.endStartUp();
        controller.messages().replaceAll(
            readTextFile(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../data/Land/Kugelo_fr.txt.meld"),
                         TextFileKind::LanguageFile)
                .toList());
        home.writeDraws({{"2019-12-30", {1, 2, 3, 4, 5}, 1},
                         {"2020-01-04", {1, 2, 3, 4, 5}, 1},
                         {"2020-01-06", {10, 11, 12, 13, 14}, 2},
                         {"2020-01-08", {1, 2, 3, 4, 9}, 3},
                         {"2020-01-11", {10, 11, 12, 13, 14}, 4}});
        MainState& state = controller.state();
        state.sortieren = true;
        state.statisticsStart = QDate(2019, 12, 1);
        setPickerDate(state.drawDate, QDate(2020, 1, 11));
        controller.selectDraw();
        for (int f = 0; f < 6; ++f)
            controller.sheet().setText(0, f, QStringList{"1", "2", "3", "4", "5", "3"}[f]);
    }
    QString native(const QString& name) const { return QDir::toNativeSeparators(home.file(name)); }

    TempHome home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    SteppingClock clock{{.day = QDate(2020, 1, 11)}};
    RecordingSound sound;
    NotFoundHttp http;
    MemorySettingsStore settings;
    OutcomeView view;
    EnteredDraw entry;
    AcceptingScriptDialog script;
    Controller controller;
};

} // namespace

class TestCommandStatus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    // Each command: what the status bar shows afterwards ("%HOME%" the home folder) and what assistive
    // technology hears when that differs (a text fixed in German).
    void everyCommandAnswers_data() {
        QTest::addColumn<Step>("command");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        const QString undo = QStringLiteral(" — Ctrl+Z pour annuler");
        const QString chance = QStringLiteral("Les grilles ont été recalculées — n° CHANCE : ");
        QTest::newRow("save tips") << Step::SaveTips << "Grilles enregistrées dans %HOME%grilles.tpf"
                                   << "";
        QTest::newRow("load tips") << Step::LoadTips << "Grilles chargées depuis %HOME%grilles.tpf" + undo
                                   << "";
        QTest::newRow("clear the sheet") << Step::ClearSheet << "Grilles effacées" + undo << "";
        QTest::newRow("remove a draw") << Step::RemoveDraw << "Tirage du 11/01/2020 supprimé" + undo << "";
        QTest::newRow("remove where no draw is") << Step::RemoveWithoutDraw << "Aucun tirage à supprimer"
                                                 << "";
        QTest::newRow("undo") << Step::UndoRemove << "Annulé : Tirage du 11/01/2020 supprimé"
                              << "";
        QTest::newRow("enter a draw") << Step::EnterDraw << "Tirage du 13/01/2020 enregistré" + undo << "";
        QTest::newRow("print") << Step::Print << "Liste à imprimer ouverte : %HOME%Tipp.txt"
                               << "";
        QTest::newRow("print, no viewer")
            << Step::PrintWithoutViewer
            << "Aucun programme n'a ouvert la liste ; elle se trouve dans %HOME%Tipp.txt"
            << "";
        QTest::newRow("search, nothing found")
            << Step::SearchNothing << "Aucun tirage trouvé parmi 5 examinés"
            << "";
        QTest::newRow("search, found") << Step::SearchFound << "Tirages trouvés : 2 ; tirages examinés : 5"
                                       << "";
        QTest::newRow("search, start after the end date")
            << Step::SearchStartAfterEnd
            << "Aucun tirage dans la période : le début des statistiques (01/02/2020) est après la date de "
               "fin "
               "(11/01/2020)"
            << "";
        QTest::newRow("search, start after the newest draw")
            << Step::SearchStartAfterNewest
            << "Aucun tirage dans la période : le début des statistiques (01/02/2020) est après le dernier "
               "tirage enregistré (11/01/2020)"
            << "";
        QTest::newRow("import") << Step::Import
                                << "Nouveaux tirages : 1, Tirages remplacés : 1, Lignes ignorées : 1" + undo
                                << "";
        QTest::newRow("basket") << Step::Basket << "Überprüfen Sie den Tipp im Warenkorb!!!"
                                << "Vérifiez vos grilles dans le panier";
        QTest::newRow("click script") << Step::Script << "Klickomat lancé avec %HOME%Tipps/20200111.csf"
                                      << "";
        QTest::newRow("run, the rarest n° CHANCE")
            << Step::RunRarest << chance + "le moins sorti, le même partout"
            << "";
        QTest::newRow("run, the longest overdue n° CHANCE")
            << Step::RunLongestOverdue << chance + "le plus en retard, le même partout"
            << "";
        QTest::newRow("run, n° CHANCE at random") << Step::RunAtRandom << chance + "au hasard"
                                                  << "";
    }
    void everyCommandAnswers() {
        QFETCH(Step, command);
        QFETCH(QString, shown);
        QFETCH(QString, spoken);
        Fixture f;
        Controller& c = f.controller;
        MainState& state = c.state();
        switch (command) {
        case Step::SaveTips:
            f.dialogs.fileNames = {f.home.file("grilles.tpf")};
            c.saveTips();
            break;
        case Step::LoadTips:
            f.home.writeBytes("grilles.tpf", "7,8,9,10,11,2,\r\n");
            f.dialogs.fileNames = {f.home.file("grilles.tpf")};
            c.loadTips();
            break;
        case Step::ClearSheet:
            c.clearSheet();
            break;
        case Step::RemoveDraw:
            c.removeDraw();
            break;
        case Step::RemoveWithoutDraw:
            f.home.writeBytes("Kugelo.dat", {});
            c.selectDraw();
            c.removeDraw();
            break;
        case Step::UndoRemove:
            c.removeDraw();
            QVERIFY(c.undo());
            break;
        case Step::EnterDraw:
            c.enterDraw();
            break;
        case Step::Print:
        case Step::PrintWithoutViewer:
            f.desktop.opens = command == Step::Print;
            c.printTips();
            break;
        case Step::SearchNothing:
        case Step::SearchFound:
            if (command == Step::SearchNothing)
                for (int i = 0; i < 5; ++i)
                    c.sheet().setText(0, i, QString::number(40 + i));
            f.dialogs.inputs = {QStringLiteral("5")};
            f.dialogs.answers = {true, true, true};
            c.searchTips();
            break;
        case Step::SearchStartAfterEnd:
        case Step::SearchStartAfterNewest:
            state.statisticsStart = QDate(2020, 2, 1);
            if (command == Step::SearchStartAfterNewest) state.drawDate = QDate(2020, 3, 1);
            f.dialogs.inputs = {QStringLiteral("5")};
            c.searchTips();
            break;
        case Step::Import:
            f.home.writeBytes("in.csv",
                              "2020-01-11,1,2,3,4,5,1,\n2019-12-28,1,2,3,4,6,1,\n2020-01-15,1,2,3,4,60,1,\n");
            c.importArchiveFiles({f.home.file("in.csv")});
            break;
        case Step::Basket:
            QCOMPARE(c.basket(), Controller::BasketOutcome::Opened);
            break;
        case Step::Script:
            QDir(f.home.path()).mkpath("Script");
            QDir(f.home.path()).mkpath("Klickwerk");
            f.home.writeBytes("Script/loto.csf", "[Z1_1]\r\n");
            f.home.writeBytes("Klickwerk/Klickomat.exe", "MZ");
            f.settings.openKey(SettingsStore::klickwerkKey(), true);
            f.settings.writeString("Path", f.home.file("Klickwerk"));
            f.settings.closeKey();
            f.script.script = f.home.file("Script/loto.csf");
            c.submitScript();
            break;
        case Step::RunRarest:
        case Step::RunLongestOverdue:
        case Step::RunAtRandom:
            c.criteria().chooseChanceMode(command == Step::RunAtRandom ? 1
                                          : command == Step::RunRarest ? 2
                                                                       : 3);
            c.criteria().rowCount.set(2);
            c.criteria().runLimitThousands.set(1);
            c.generate();
            break;
        }
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(f.view.shown, QString(shown).replace("%HOME%", f.native({})));
        QCOMPARE(f.view.spoken, spoken);
    }
};

QTEST_GUILESS_MAIN(TestCommandStatus)
#include "tst_command_status.moc"
