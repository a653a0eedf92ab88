#include "Doubles.h"
#include "DrawServiceProcess.h"
#include "TestSupport.h"

#include "app/ChartPage.h"
#include "app/MainWindow.h"
#include "draws/DrawFile.h"
#include "draws/ManualEntryDialog.h"
#include "generator/GenerationCriteria.h"
#include "generator/NumberList.h"
#include "generator/NumberListDialog.h"
#include "i18n/LanguageFiles.h"
#include "i18n/MessageTable.h"
#include "i18n/TextFile.h"
#include "output/ScriptDialog.h"
#include "platform/Endpoints.h"
#include "platform/Home.h"
#include "platform/HttpClient.h"
#include "platform/QtDialogsView.h"
#include "platform/SettingsStore.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheet.h"
#include "stats/ChartModel.h"
#include "stats/ChartView.h"
#include "widgets/WidgetTexts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsTextItem>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QValueAxis>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

using namespace kugelo;
using namespace kugelo::test;

namespace {

// A program folder with the win sound of the build and, when asked, its language files.
QString programFolder(const TempHome& folder, bool withLanguages) {
    const QString bin = qEnvironmentVariable("KUGELO_BIN_DIR") + QLatin1Char('/');
    QFile::copy(bin + QStringLiteral("yippee.wav"), folder.file(QStringLiteral("yippee.wav")));
    if (withLanguages) {
        QDir().mkpath(folder.file(QStringLiteral("Land")));
        for (const QString& name : QDir(bin + QStringLiteral("Land")).entryList(QDir::Files))
            QFile::copy(bin + QStringLiteral("Land/") + name, folder.file(QStringLiteral("Land/") + name));
    }
    return folder.path();
}

// A main window over a temporary home, with the dialogs, desktop and clock doubles.
struct Window {
    // settingsFile: a settings file to use instead of a store in memory. The program folder holds the
    // language files only with withLanguages; without them the window keeps its built-in German texts.
    explicit Window(const Endpoints& endpoints = Endpoints(), const QDate& today = QDate(2008, 10, 20),
                    const QString& settingsFile = {}, bool withLanguages = false)
        : clock({.day = today}),
          file(settingsFile.isEmpty() ? nullptr : std::make_unique<FileSettingsStore>(settingsFile)),
          form{Platform{dialogs, desktop, clock, sound, http,
                        file ? static_cast<SettingsStore&>(*file) : settings},
               endpoints, home.path(), programFolder(program, withLanguages)} {}

    TempHome home;
    TempHome program;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    SteppingClock clock;
    RecordingSound sound;
    QtHttpClient http;
    MemorySettingsStore settings;
    std::unique_ptr<FileSettingsStore> file;
    // The program folder is the build's bin folder, where the win sound is copied.
    TForm1 form;

    template <class W = QWidget> W* find(const QString& name) {
        W* w = form.findChild<W*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    void start() {
        form.initialise();
        form.startUp();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
};

// The first two weeks of the game, as the stand-in draw service serves them.
const QByteArray kTwoWeeksCsv = "date,n1,n2,n3,n4,n5,chance,joker\n"
                                "2008-10-06,19,33,41,24,27,9,4674648\n"
                                "2008-10-08,24,48,32,41,22,1,8234403\n"
                                "2008-10-11,46,22,10,39,20,4,4461098\n"
                                "2008-10-13,41,10,48,37,11,4,3725522\n";
const QDate kServiceToday(2008, 10, 14);

// Opens the manual entry dialog with BitBtn8 and lets `fill` act on it before it closes with `closeWith`.
void enterDraw(Window& w, const std::function<void(TForm3*)>& fill, const char* closeWith) {
    QTimer::singleShot(0, [&w, fill, closeWith] {
        TForm3* dialog = w.form.form3();
        fill(dialog);
        dialog->findChild<QPushButton*>(QLatin1String(closeWith))->click();
    });
    QTest::mouseClick(w.find("BitBtn8"), Qt::LeftButton);
}

void setSpin(TForm3* dialog, const QString& name, int value) {
    dialog->findChild<QSpinBox*>(name)->setValue(value);
}

QList<int> spinValues(TForm3* dialog) {
    QList<int> values;
    for (const char* name : {"UpDown1", "UpDown2", "UpDown3", "UpDown4", "UpDown5", "UpDown7"})
        values << dialog->findChild<QSpinBox*>(QLatin1String(name))->value();
    return values;
}

void writeThreeDraws(const TempHome& home) {
    home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9},
                     {"2008-10-08", {24, 48, 32, 41, 22}, 1},
                     {"2008-10-11", {46, 22, 10, 39, 20}, 4}});
}

// Edits a row in the number dialog: ticks the given boxes by clicking them, then closes it with the
// given button; returns the dialog's caption while it was open.
QString editRow(Window& w, const char* editButton, QList<int> clicks, const char* closeWith) {
    QString caption;
    QTimer::singleShot(0, [&] {
        TForm6* dialog = w.form.form6();
        caption = dialog->windowTitle();
        for (int n : clicks)
            QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("CheckBox%1").arg(n)),
                              Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseClick(dialog->findChild<QWidget*>(QLatin1String(closeWith)), Qt::LeftButton);
    });
    QTest::mouseClick(w.find(editButton), Qt::LeftButton);
    return caption;
}

// The lines of a shipped language data file of the build.
TextLines shippedText(const QString& name) {
    return readTextFile(qEnvironmentVariable("KUGELO_BIN_DIR") + QStringLiteral("/Land/") + name,
                        TextFileKind::LanguageFile);
}
QStringList shippedLines(const QString& name) {
    return shippedText(name).toList();
}

// The caption a language file gives an element of a window.
QString shippedCaption(const QString& languageFile, const QString& element,
                       const QString& window = QStringLiteral("Form1")) {
    const std::vector<MasterEntry> master = masterEntries(shippedText(QStringLiteral("Kugelo.txt")));
    for (std::size_t i = 0; i < master.size(); ++i)
        if (master[i].window == window && master[i].name == element)
            return shippedLines(languageFile).value(qsizetype(2 * i));
    qFatal("%s is not in the master list", qPrintable(element));
}

QString shippedHint(const QString& languageFile, const QString& element) {
    const std::vector<MasterEntry> master = masterEntries(shippedText(QStringLiteral("Kugelo.txt")));
    for (std::size_t i = 0; i < master.size(); ++i)
        if (master[i].window == QLatin1String("Form1") && master[i].name == element)
            return shippedLines(languageFile).value(qsizetype(2 * i + 1));
    qFatal("%s is not in the master list", qPrintable(element));
}

// Where an object lies in its window: the names on the way down, an unnamed one by its class and place.
QString pathOf(const QObject* object) {
    QStringList parts;
    for (const QObject* o = object; o; o = o->parent()) {
        QString part = o->objectName();
        if (part.isEmpty()) {
            int index = 0;
            if (const QObject* parent = o->parent())
                for (const QObject* sibling : parent->children()) {
                    if (sibling == o) break;
                    index += sibling->metaObject() == o->metaObject();
                }
            part = QStringLiteral("%1#%2").arg(QLatin1String(o->metaObject()->className())).arg(index);
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

// Every text a window and its dialogs show or give assistive technology now, by where and what it is:
// captions, hints, titles, tab texts, placeholders, menu items, accessible names and descriptions.
void collectTexts(QWidget* window, const QString& moment, QMap<QString, QString>& texts) {
    const auto put = [&](const QObject* o, const char* what, const QString& text) {
        if (!text.trimmed().isEmpty())
            texts.insert(moment + QLatin1Char(' ') + pathOf(o) + QLatin1Char(' ') + QLatin1String(what),
                         text);
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (qobject_cast<QTabBar*>(w->parentWidget())) continue; // Qt's own scroll buttons, never shown
        if (w->isWindow()) put(w, "title", w->windowTitle());
        put(w, "hint", w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) put(w, "caption", label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) put(w, "caption", button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w)) put(w, "caption", box->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) put(w, "placeholder", edit->placeholderText());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) {
                put(tabs->widget(i), "tab", tabs->tabText(i));
                put(tabs->widget(i), "tab hint", tabs->tabToolTip(i));
            }
        if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w)) {
            put(w, "name", a->text(QAccessible::Name));
            put(w, "description", a->text(QAccessible::Description));
        }
    }
    for (const QAction* action : window->findChildren<QAction*>()) {
        put(action, "caption", action->text());
        put(action, "hint", action->statusTip());
    }
}

// The words of a language's files, and the words of a text that are none of them.
QSet<QString> wordsOf(const QStringList& lines) {
    static const QRegularExpression word(QStringLiteral("\\p{L}{3,}"));
    QSet<QString> words;
    for (const QString& line : lines)
        for (auto it = word.globalMatch(line); it.hasNext();)
            words.insert(it.next().captured().toLower());
    return words;
}
// Addresses, paths, names of variables and parameters ("KUGELO_PRODUCT_HOST", "ZAHL1") and numbers are
// the same in every language.
QString withoutAddressesAndNumbers(QString text) {
    static const QRegularExpression address(QStringLiteral("\\S*[/\\\\]\\S*")),
        name(QStringLiteral("\\b[A-Z]+(_[A-Z]+)+\\b|\\b[A-Z]+\\d+\\b")), digits(QStringLiteral("\\d+"));
    return text.replace(address, QStringLiteral("·"))
        .replace(name, QStringLiteral("·"))
        .replace(digits, QStringLiteral("#"));
}

// What assistive technology reads of a control.
QString accessible(QWidget* w, QAccessible::Text text = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(w)->text(text);
}

// The texts of every window and dialog and the messages of a few commands in one language: at start-up
// with settings that cannot be used (a folder in their place) and a host set from outside, while the number
// list and the manual entry are open, after an update that finds no service, a basket without a service,
// the search and the lucky number.
QMap<QString, QString> textsOfEveryWindow(int language) {
    QMap<QString, QString> texts;
    qputenv("KUGELO_PRODUCT_HOST", "http://127.0.0.1:1");
    const auto unset = qScopeGuard([] { qunsetenv("KUGELO_PRODUCT_HOST"); });
    TempHome settings;
    QDir().mkpath(settings.file(QStringLiteral("settings.json")));
    Window w(Endpoints::withEnvironment(Endpoints(QStringLiteral("http://127.0.0.1:1"),
                                                  QStringLiteral("http://127.0.0.1:1"),
                                                  QStringLiteral("http://127.0.0.1:1"))),
             QDate(2008, 10, 20), settings.file(QStringLiteral("settings.json")), true);
    w.file->openKey(QStringLiteral("\\SOFTWARE\\Velmar\\Kugelo"), true);
    w.file->writeInteger(QStringLiteral("Sprache"), language);
    w.file->closeKey();
    writeThreeDraws(w.home);
    w.start();
    collectTexts(&w.form, QStringLiteral("start"), texts);

    QTimer::singleShot(0, [&] {
        collectTexts(w.form.form6(), QStringLiteral("row"), texts);
        w.form.form6()->reject();
    });
    w.form.TippEdit(2);
    QTimer::singleShot(0, [&] {
        collectTexts(w.form.form3(), QStringLiteral("entry"), texts);
        w.form.form3()->reject();
    });
    w.form.BitBtn8Click();

    w.form.BitBtn1Click();
    collectTexts(&w.form, QStringLiteral("update"), texts);
    w.form.WarenkorbClick();
    w.dialogs.inputs.push_back(QStringLiteral("4"));
    w.form.SpeedButton4Click();
    w.form.SpeedButton13Click();
    collectTexts(&w.form, QStringLiteral("commands"), texts);
    const std::pair<const char*, const QStringList*> shown[] = {
        {"message", &w.dialogs.messages}, {"question", &w.dialogs.questions}, {"input", &w.dialogs.prompts}};
    for (const auto& [kind, list] : shown)
        for (qsizetype i = 0; i < list->size(); ++i)
            texts.insert(QStringLiteral("dialog %1 %2").arg(QLatin1String(kind)).arg(i), list->at(i));
    return texts;
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void windowHasItsTabsInOrder() {
        Window w;
        w.start();
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Velmars Ziehwerk Kugelo"));
        auto* pages = w.find<QTabWidget>("PageControl1");
        QStringList tabs;
        for (int i = 0; i < pages->count(); ++i)
            tabs << pages->widget(i)->objectName() + "=" + pages->tabText(i) +
                        (pages->isTabVisible(i) ? "" : " (hidden)");
        QCOMPARE(tabs,
                 QStringList({"TabSheet1=Tipp-Übersicht", "TabSheet2=Zahlen der letzten Ziehung (hidden)",
                              "TabSheet6=Berechnung", "TabSheet5=Diagramm", "TabSheet4=Datenbank",
                              "TabSheet3=Internet-Optionen"}));
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(w.form.size(), QSize(532, 450));
        QCOMPARE(w.form.font().family(), QStringLiteral("Arial"));
        QCOMPARE(w.find<QLabel>("StatusBar1Panel0")->width(), 150);
        auto* inner = w.find<QTabWidget>("PageControl2");
        QCOMPARE(inner->tabText(0), QStringLiteral("Statistisch"));
        QCOMPARE(inner->tabText(4), QStringLiteral("Allgemein"));
    }

    void menuHasItsCaptionsAndShortcuts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("visible");
        QTest::newRow("update") << "Aktualisieren1"
                                << "&Ziehungsdaten laden"
                                << "Ctrl+A" << true;
        QTest::newRow("run") << "Berechnen1"
                             << "&Berechnen"
                             << "Ctrl+R" << true;
        QTest::newRow("language") << "SpracheLanguage1"
                                  << "Sprache/&Language"
                                  << "" << true;
        QTest::newRow("German") << "Deutsch1"
                                << "Deutsch"
                                << "" << true;
        QTest::newRow("English") << "Englich1"
                                 << "Englisch"
                                 << "" << true;
        QTest::newRow("French") << "Franz1"
                                << "Französisch"
                                << "" << true;
        QTest::newRow("Spanish") << "Spanisch1"
                                 << "Spanisch"
                                 << "" << true;
        QTest::newRow("Italian") << "Italenisch1"
                                 << "Italienisch"
                                 << "" << true;
        QTest::newRow("Russian") << "Russisch1"
                                 << "Russisch"
                                 << "" << true;
        QTest::newRow("save file") << "Dateispeichern1"
                                   << "Datei &speichern"
                                   << "" << true;
        QTest::newRow("load file") << "DateiLaden1"
                                   << "Datei &laden"
                                   << "" << true;
        QTest::newRow("submit, hidden") << "Abgeben1"
                                        << "&Abgeben"
                                        << "Ctrl+G" << false;
        QTest::newRow("close") << "Schlieen1"
                               << "&Schließen"
                               << "" << true;
    }
    void menuHasItsCaptionsAndShortcuts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, visible);
        Window w;
        QAction* action = nullptr;
        for (QAction* a : w.form.findChildren<QAction*>())
            if (a->objectName() == name) action = a;
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
        QCOMPARE(action->isVisible(), visible);
    }

    void menuTopLevelOrder() {
        Window w;
        QStringList names;
        for (QAction* a : w.form.menuBar()->actions())
            names << a->objectName();
        QCOMPARE(names, QStringList({"Aktualisieren1", "Berechnen1", "Bearbeiten1", "SpracheLanguage1",
                                     "Abgeben1", "Schlieen1"}));
    }

    // Every command of the main window exists under its design name with its default caption.
    void commandControlsCarryTheirCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char* rows[][2] = {
            {"BitBtn4", "Tipps berechnen"},
            {"SpeedButton4", "Tipps in DB suchen"},
            {"Button6", "Verteilung der Tipps"},
            {"BitBtn7", "Tipp ausdrucken"},
            {"OnlineTipp", "Tipp &abgeben"},
            {"Warenkorb", "shopping"},
            {"SpeedButton9", "QS"},
            {"SpeedButton1", "2er"},
            {"SpeedButton3", "3er"},
            {"SpeedButton12", "4er"},
            {"SpeedButton19", "ausstehende"},
            {"SpeedButton20", "n°CHANCE"},
            {"SpeedButton21", "n°CHANCE offen"},
            {"BitBtn1", "&Datenbank aktualisieren"},
            {"BitBtn6", "Löschen"},
            {"BitBtn8", "Eingeben"},
            {"Button2", "Paare suchen"},
            {"Button3", "Dreier suchen"},
            {"Button4", "Vierer suchen"},
            {"Button5", "Ausstehende"},
            {"Button8", "Glanzball ausstehende"},
            {"BitBtn9", "Historische Analyse der Parameter beginnenden mit oben gewähltem Datum"},
            {"BitBtn19", "Historische Analyse beginnend mit dem oben gewähltem Datum"},
            {"Button1", "Lottozahlen aus dem Internet laden"},
            {"Label28", "1. Tipp"},
            {"Label64", "12. Tipp"},
            {"Label61", "10. Tipp"},
            {"Label13", "Quersumme"},
            {"CheckBox21", "Linkseite aktivieren"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }
    void commandControlsCarryTheirCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Window w;
        QWidget* control = w.find(name);
        const QVariant text = control->property("text");
        QCOMPARE(text.toString(), caption);
    }

    void hintsGoToTheStatusBar() {
        Window w;
        w.start();
        const auto enter = [&w](const char* name) {
            QEvent event(QEvent::Enter);
            QApplication::sendEvent(w.find(name), &event);
            return w.form.statusText(1);
        };
        QCOMPARE(enter("SpeedButton6"), QStringLiteral("vorhergehende Ziehung anzeigen"));
        QCOMPARE(enter("Label30"), QStringLiteral("Ist \"Tipp\" rot, wird diese Reihe nicht neu berechnet!"));
        QCOMPARE(enter("Tipp5Edit"),
                 QStringLiteral("Klicken Sie hier um Tipp 1 mit dem Tippformular zu ändern "
                                "oder per Zufallsgenerator erzeugen wollen"));
        QCOMPARE(enter("BitBtn8"), QStringLiteral("manuelle eingaben der Ziehungsdaten."));
        QCOMPARE(enter("Button8"),
                 QStringLiteral("manuelle eingaben der Ziehungsdaten.")); // not in the list: unchanged
        QCOMPARE(enter("CheckBox1"), QString());                          // an empty hint empties the panel
        QCOMPARE(enter("SpeedButton9"), QStringLiteral("Verteilung der Quersummen der fünf Zahlen"));
        QCOMPARE(w.find("Button8")->toolTip(), QStringLiteral("Welcher Glanzball ist am länsten überfällig"));
    }

    void bannersAndLinksOpenTheirPages() {
        Window w;
        w.start();
        QTest::mouseClick(w.find("Label52"), Qt::LeftButton);
        QTest::mouseClick(w.find("Label54"), Qt::LeftButton);
        QTest::mouseClick(w.find("Label43"), Qt::LeftButton);
        QTest::mouseClick(w.find("Panel5"), Qt::LeftButton, {}, QPoint(5, 5));
        const Endpoints e;
        QCOMPARE(w.desktop.opened,
                 QStringList({e.productPage(), e.resultsPage(), e.productPage(), e.productPage()}));
        QCOMPARE(w.text("Label52"), e.productPage());
        QCOMPARE(w.text("Label54"), e.resultsPage());
        QVERIFY(w.text("Label44").endsWith("V 2 . 2"));
    }

    void heightChangeRescalesTheTabContentOnly() {
        Window w;
        w.start();
        auto* label = w.find<QLabel>("Label35");
        const QRect design = label->geometry();
        const int designFont = QFontInfo(label->font()).pixelSize();
        const int statusFont = QFontInfo(w.form.statusBar()->font()).pixelSize();

        w.form.resize(700, 450); // width alone scales nothing
        QCoreApplication::processEvents();
        QCOMPARE(label->geometry(), design);

        w.form.resize(700, 900);
        QCoreApplication::processEvents();
        QCOMPARE(w.form.state().Groesse, 900);
        QCOMPARE(label->geometry(), QRect(design.topLeft() * 2, design.size() * 2));
        QCOMPARE(QFontInfo(label->font()).pixelSize(), designFont * 2);
        QCOMPARE(QFontInfo(w.form.statusBar()->font()).pixelSize(), statusFont);

        w.form.resize(700, 450); // back to the design: no drift
        QCoreApplication::processEvents();
        QCOMPARE(label->geometry(), design);
    }

    void startUpCreatesTheDrawFileAndShowsTheNewestDraw() {
        {
            Window w;
            w.start();
            QVERIFY(QFile::exists(w.home.drawFile()));
            QCOMPARE(w.dialogs.messages, QStringList()); // an empty file is no error
            QVERIFY(w.form.state().sortieren);
        }
        Window w;
        writeThreeDraws(w.home);
        w.start();
        QCOMPARE(w.text("Label35"), QStringLiteral("Sa 11.10.08    10  20  22  39  46   n°: 4"));
        QCOMPARE(w.text("Label29"), w.text("Label35"));
        QCOMPARE(w.text("Label13"), QStringLiteral("Quersumme: 137"));
        QCOMPARE(w.find<QDateEdit>("DateTimePicker1")->date(), QDate(2008, 10, 11));
        QCOMPARE(w.find<QDateEdit>("DateTimePicker2")->date(), QDate(2008, 10, 6));
        QCOMPARE(w.find<QLineEdit>("ProxyPortEdit")->text(), QStringLiteral("80"));
    }

    void drawCommandsUpdateTheDisplays() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        QTest::mouseClick(w.find("SpeedButton6"), Qt::LeftButton);
        QCOMPARE(w.text("Label35"), QStringLiteral("Mi 08.10.08    22  24  32  41  48   n°: 1"));
        QCOMPARE(w.find<QDateEdit>("DateTimePicker1")->date(), QDate(2008, 10, 8));

        w.find<QDateEdit>("DateTimePicker1")->setDate(QDate(2008, 10, 7));
        QTest::mouseClick(w.find("SpeedButton5"), Qt::LeftButton);
        QCOMPARE(w.text("Label29"), QStringLiteral("Mi 08.10.08    22  24  32  41  48 n°:1"));

        QTest::mouseClick(w.find("BitBtn6"), Qt::LeftButton); // removes 8 October, shows the next later draw
        QCOMPARE(w.text("Label29"), QStringLiteral("Sa 11.10.08    10  20  22  39  46   n°: 4"));
        QCOMPARE(DrawFile(w.home.drawFile()).readAll().size(), std::size_t(2));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void aFailingCommandShowsTheGeneralErrorReport() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        QFile::remove(w.home.drawFile());
        QTest::mouseClick(w.find("BitBtn6"), Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.messages[0].contains("Kugelo.dat"));
        QVERIFY(w.form.isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void typingIsValidatedAndReadOnlyFieldsIgnoreKeys() {
        Window w;
        w.start();
        const auto type = [&w](const char* name, const char* keys) {
            auto* edit = w.find<QLineEdit>(name);
            edit->setFocus();
            QTest::keyClicks(edit, keys);
            return edit->text();
        };
        QCOMPARE(type("Edit1", "49"), QStringLiteral("49"));
        QCOMPARE(type("Edit2", "50"), QString());
        QCOMPARE(type("Edit3", "07"), QStringLiteral("7"));
        QCOMPARE(type("Edit6", "11"), QString());
        QCOMPARE(type("Edit5", "8"), QStringLiteral("8"));
        QCOMPARE(type("Edit11", "8"), QString()); // fifth field of row 2 is read-only
        QCOMPARE(w.form.sheet().text(0, 0), QStringLiteral("49"));
        QCOMPARE(w.form.sheet().text(0, 2), QStringLiteral("7"));
    }

    void leavingAFieldChecksTheSheetWithColours() {
        Window w;
        writeThreeDraws(w.home); // newest: 10 20 22 39 46, n° CHANCE 4
        w.start();
        auto* first = w.find<QLineEdit>("Edit1");
        first->setFocus();
        for (const char* keys : {"46", "22", "10", "5", "6", "4"}) {
            QTest::keyClicks(QApplication::focusWidget(), keys);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(w.text("Label22"), QStringLiteral("3"));
        QCOMPARE(w.find<QLabel>("Label22")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(w.text("Label36"), QStringLiteral("89"));
        QCOMPARE(w.find<QLineEdit>("Edit1")->text(), QStringLiteral("5")); // sorted
        QCOMPARE(w.find<QLineEdit>("Edit3")->palette().color(QPalette::Base), QColor(0, 255, 0));
        QCOMPARE(w.find<QLineEdit>("Edit1")->palette().color(QPalette::Base),
                 w.find<QLineEdit>("Edit7")->palette().color(QPalette::Base));
        QCOMPARE(w.find<QLineEdit>("Edit6")->palette().color(QPalette::Base), QColor(255, 0, 0));
        QVERIFY(!w.sound.played.isEmpty());
        QVERIFY(w.sound.played.last().endsWith("/yippee.wav"));
        QVERIFY(QFile::exists(w.sound.played.last()));

        // Stepping to another draw checks again.
        QTest::mouseClick(w.find("SpeedButton6"), Qt::LeftButton);
        QCOMPARE(w.text("Label22"), QStringLiteral("1"));
        QCOMPARE(w.find<QLabel>("Label22")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    }

    void rowLabelsLockAndClearAllSkipsLockedRows() {
        Window w;
        w.start();
        TipSheet& sheet = w.form.sheet();
        for (int r : {0, 1})
            sheet.setText(r, 0, "9");
        QTest::mouseClick(w.find("Label30"), Qt::LeftButton);
        QCOMPARE(w.find<QLabel>("Label30")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QTest::mouseClick(w.find("SpeedButton11"), Qt::LeftButton);
        QCOMPARE(w.find<QLineEdit>("Edit1")->text(), QString());
        QCOMPARE(w.find<QLineEdit>("Edit7")->text(), QStringLiteral("9"));
        QTest::mouseClick(w.find("Label30"), Qt::LeftButton);
        QCOMPARE(w.find<QLabel>("Label30")->palette().color(QPalette::WindowText),
                 w.find<QLabel>("Label28")->palette().color(QPalette::WindowText));
    }

    void tipFilesSaveAndLoadThroughTheSharedDialogs() {
        Window w;
        writeThreeDraws(w.home);
        w.start(); // DateTimePicker1: Saturday 11 October 2008
        TipSheet& sheet = w.form.sheet();
        const QStringList row{"5", "12", "23", "34", "45", "7"};
        for (int f = 0; f < 6; ++f)
            sheet.setText(2, f, row[f]);
        const QString path = w.home.file("tips.tpf");
        w.dialogs.fileNames = {path};
        QTest::mouseClick(w.find("SpeedButton15"), Qt::LeftButton);
        QCOMPARE(w.home.readBytes("tips.tpf"), QByteArray("5,12,23,34,45,7,\r\n"));
        QCOMPARE(w.dialogs.fileDialogs.last().proposedName, QStringLiteral("20081013.tpf"));
        QCOMPARE(w.dialogs.fileDialogs.last().filter, QStringLiteral("Tippdatei|*.tpf"));
        QCOMPARE(w.dialogs.fileDialogs.last().defaultExtension, QStringLiteral("tpf"));
        QCOMPARE(w.find<QDateEdit>("DateTimePicker1")->date(), QDate(2008, 10, 13)); // Saturday + 2

        QTest::mouseClick(w.find("SpeedButton15"), Qt::LeftButton); // cancelled: the date moves anyway
        QCOMPARE(w.find<QDateEdit>("DateTimePicker1")->date(), QDate(2008, 10, 15));

        QTest::mouseClick(w.find("Label28"), Qt::LeftButton); // locked rows are loaded too
        sheet.setText(0, 0, "1");
        w.dialogs.fileNames = {path};
        QTest::mouseClick(w.find("SpeedButton16"), Qt::LeftButton);
        QCOMPARE(w.find<QLineEdit>("Edit2")->text(), QStringLiteral("12"));
        QCOMPARE(w.find<QLineEdit>("Edit13")->text(), QString());
        // The selection by date runs at the end: 15 October lies after the last draw.
        QCOMPARE(w.text("Label29"), QStringLiteral("Sa 11.10.08    10  20  22  39  46   n°: 4"));
        QCOMPARE(w.text("Label22"), QStringLiteral("0"));
        QVERIFY(w.dialogs.messages.isEmpty());

        // A file that cannot be read is reported and costs no rows.
        w.dialogs.fileNames = {w.home.file("missing.tpf")};
        QTest::mouseClick(w.find("SpeedButton16"), Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.find<QLineEdit>("Edit2")->text(), QStringLiteral("12"));
    }

    // The save dialogs ask before they replace a file; No keeps the dialog open, Yes takes the file.
    void saveDialogsAskBeforeReplacingAFile() {
        TempHome home;
        home.writeBytes("20260314.tpf", "1,2,3,4,5,6,\r\n");
        QtDialogs dialogs;
        QStringList questions;
        bool stillOpenAfterNo = false;
        const auto answer = [&questions](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&questions, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                questions << box->text();
                box->button(button)->click();
            });
        };
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const auto closeEvenOnFailure = qScopeGuard([dialog] {
                if (dialog->isVisible()) dialog->reject();
            });
            dialog->selectFile(QStringLiteral("20260314"));
            answer(QMessageBox::No);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which asks
            stillOpenAfterNo = dialog->isVisible();
            answer(QMessageBox::Yes);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which asks
        });
        const QString path =
            dialogs.saveFileName({{}, "Tippdatei|*.tpf", "tpf", home.path(), "20260314.tpf"});
        QVERIFY(stillOpenAfterNo);
        QCOMPARE(questions.size(), 2);
        QVERIFY2(questions[0].contains("20260314.tpf"), qPrintable(questions[0]));
        QCOMPARE(QFileInfo(path), QFileInfo(home.file("20260314.tpf")));
    }

    void aTipFileThatCannotBeWrittenLeavesTheOldOne() {
        Window w;
        w.start();
        w.home.writeBytes("old.tpf", "1,2,3,4,5,6,\r\n");
        QVERIFY(QDir(w.home.path()).mkdir("old.tpf~")); // the temporary name is taken by a folder
        w.form.sheet().setText(0, 0, "9");
        w.dialogs.fileNames = {w.home.file("old.tpf")};
        QTest::mouseClick(w.find("SpeedButton15"), Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.home.readBytes("old.tpf"), QByteArray("1,2,3,4,5,6,\r\n"));
    }

    void editingARowInTheNumberDialog() {
        Window w;
        w.start();
        TipSheet& sheet = w.form.sheet();
        QCOMPARE(editRow(w, "Tipp2Edit", {3, 17, 42}, "BitBtn1"), QStringLiteral("Zahlen für Tipp  2"));
        QCOMPARE(sheet.text(1, 0) + "," + sheet.text(1, 1) + "," + sheet.text(1, 2) + "," + sheet.text(1, 3),
                 QStringLiteral("3,17,42,"));

        // Pre-ticked on yellow: the row's numbers; two more ticked give seven, the five lowest are taken.
        for (int f = 0; f < 5; ++f)
            sheet.setText(0, f, QString::number(10 * (f + 1)));
        sheet.setText(0, 5, "4");
        bool yellowWhileOpen = false;
        QTimer::singleShot(0,
                           [&] { yellowWhileOpen = w.form.form6()->list().colour(30) == BoxColour::Yellow; });
        editRow(w, "Tipp1Edit", {1, 35}, "BitBtn1");
        QVERIFY(yellowWhileOpen);
        QStringList row;
        for (int f = 0; f < 6; ++f)
            row << sheet.text(0, f);
        QCOMPARE(row, QStringList({"1", "10", "20", "30", "35", "4"}));

        editRow(w, "Tipp1Edit", {2, 3, 4}, "BitBtn2"); // Abbrechen changes nothing
        QCOMPARE(sheet.text(0, 0), QStringLiteral("1"));

        TForm6* dialog = w.form.form6();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Zahlen für Berechnung wählen"));
        QVERIFY(!dialog->rowMode());
        QCOMPARE(dialog->list().colour(30), BoxColour::Normal);
        QVERIFY(dialog->list().isSet(30)); // the ticks stay: they are the number list's boxes
    }

    void chartCommandsFillTheChartAndChooseTheTab() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        auto* pages = w.find<QTabWidget>("PageControl1");
        // Start-up draws the frequency chart without leaving the tip overview.
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(w.form.chart().count(), 49);
        QCOMPARE(w.form.chart().caption(),
                 QStringLiteral("Zahlenverteilung     Ziehungen: 3    Quersumme: 149"));
        auto* chart = w.find<ChartView>("Chart1");
        QCOMPARE(chart->barSet()->count(), 50); // bar i stands at x = i
        QCOMPARE(chart->horizontalAxis()->titleText().replace(QChar(0xA0), ' '), w.form.chart().caption());

        QTest::mouseClick(w.find("Button2"), Qt::LeftButton); // pairs: to the Diagramm tab
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet5"));
        QCOMPARE(w.form.chart().count(), 48);

        pages->setCurrentIndex(0);
        QTest::mouseClick(w.find("Button6"), Qt::LeftButton); // distribution of the rows
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet5"));
        QCOMPARE(w.form.chart().caption(), QStringLiteral("Zahlenverteilung des Tippes"));

        pages->setCurrentIndex(4);
        w.form.state().Berechnunglaeuft = true;
        QTest::mouseClick(w.find("Button8"), Qt::LeftButton); // n° CHANCE overdue during a run: no tab change
        QCOMPARE(pages->currentIndex(), 4);
        QCOMPARE(w.form.chart().count(), 10);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Changing the start date beside the chart counts the statistic it shows again, once the date has come
    // to rest; the rows' distribution takes no range and stays.
    void theChartFollowsItsStartDate() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        auto* pages = w.find<QTabWidget>("PageControl1");
        pages->setCurrentWidget(w.find("TabSheet5"));
        auto* start = w.find<QDateEdit>("DateTimePicker2");
        QCOMPARE(start->date(), QDate(2008, 10, 6));
        start->setDate(QDate(2008, 10, 7));
        start->setDate(QDate(2008, 10, 9)); // stepping on: counted once, for the date reached
        QCOMPARE(w.form.chart().caption(),
                 QStringLiteral("Zahlenverteilung     Ziehungen: 3    Quersumme: 149"));
        QTRY_COMPARE(w.form.chart().caption(),
                     QStringLiteral("Zahlenverteilung     Ziehungen: 1    Quersumme: 137"));
        QCOMPARE(w.form.state().statisticsStart, QDate(2008, 10, 9));

        QTest::mouseClick(w.find("SpeedButton19"), Qt::LeftButton); // overdue main numbers
        start->setDate(QDate(2008, 10, 6));
        QTRY_COMPARE(w.form.chart().yAt(0), 3); // 1 was drawn in none of the three draws
        QCOMPARE(w.form.chart().caption(), w.form.messages()[26]);

        pages->setCurrentIndex(0);
        QTest::mouseClick(w.find("Button6"), Qt::LeftButton); // the rows' distribution
        const int bars = w.form.chart().count();
        start->setDate(QDate(2008, 10, 9));
        QTest::qWait(ChartPage::SettleMs + 100);
        QCOMPARE(w.form.chart().caption(), QStringLiteral("Zahlenverteilung des Tippes"));
        QCOMPARE(w.form.chart().count(), bars);
    }

    // Hovering a bar shows its x and y. A min-max axis starts at the smallest y: that bar stands as a block
    // on the base, which is marked; the frequency chart, whose axis here starts at 0, needs no mark.
    void barsShowTheirValues() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.find<QTabWidget>("PageControl1")->setCurrentWidget(w.find("TabSheet5"));
        auto* view = w.find<ChartView>("Chart1");
        QTest::qWait(20);
        QVERIFY(!view->baseMarked());
        QCOMPARE(view->barTextAt(view->barPosition(24)), QStringLiteral("x: 24, y: 2"));
        QCOMPARE(view->barTextAt(view->barPosition(1)), QStringLiteral("x: 1, y: 0")); // never drawn

        // Overdue: the numbers of the last draw (10 20 22 39 46) have the smallest value, 1.
        QTest::mouseClick(w.find("SpeedButton19"), Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(w.form.chart().axisMinimum(), 1);
        QVERIFY(view->baseMarked());
        QCOMPARE(view->verticalAxis()->min(), 1.0);
        QCOMPARE(view->barTextAt(view->barPosition(22)), QStringLiteral("x: 22, y: 1"));
        QCOMPARE(view->barTextAt(view->barPosition(1)), QStringLiteral("x: 1, y: 3"));
        const QPoint between = (view->barPosition(22) + view->barPosition(23)) / 2;
        QCOMPARE(view->barTextAt(between), QString());
        // The smallest bars stand on the base as blocks in their colour; beside them is the background.
        const QImage picture = view->grab().toImage();
        const qreal ratio = picture.devicePixelRatio();
        QCOMPARE(picture.pixelColor(view->barPosition(22) * ratio), QColor(0, 160, 0));
        QCOMPARE(picture.pixelColor(view->barPosition(10) * ratio), QColor(0, 160, 0));
        QVERIFY(picture.pixelColor(between * ratio) != QColor(0, 160, 0));

        QTest::mouseMove(view->viewport(), view->barPosition(22));
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("x: 22, y: 1"));
        // The pointer leaves the window's place: the next test's window would open under it, and the hint of
        // the control there would take the status bar.
        QTest::mouseMove(&w.form, QPoint(w.form.width() + 100, w.form.height() + 100));
    }

    // At the design size every caption of the statistics shows whole, on two lines where one is too short.
    void everyChartCaptionFitsAtTheDesignSize() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.find<QTabWidget>("PageControl1")->setCurrentWidget(w.find("TabSheet5"));
        auto* view = w.find<ChartView>("Chart1");
        const MessageTable& m = w.form.messages();
        const QStringList captions{
            m[46] + "     " + m[32] + ": 12345    " + m[43] + ": 124,67",
            m[56] + "     " + m[53] + "12345    " + m[43] + ": 124,67",
            m[53] + ": 12345   " + m[54] + ":1176",
            m[53] + ": 12345   " + m[55] + ":18424",
            m[53] + ": 12345   " + m[57] + ":211876",
            m[26],
            m[47],
            m[10],
            m[25],
        };
        for (const QString& caption : captions) {
            w.form.chart().setCaption(caption);
            QTest::qWait(20);
            QStringList shown;
            for (QGraphicsItem* item : view->scene()->items()) {
                if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                    shown << text->toPlainText()
                                 .replace(QChar(0xA0), ' ')
                                 .replace(QChar::LineSeparator, ' ')
                                 .replace('\n', ' ')
                                 .simplified();
            }
            QVERIFY2(shown.contains(caption.simplified()), qPrintable(shown.join(" | ")));
        }
    }

    void generationRunFromTheWindow() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        auto* run = w.find<QPushButton>("BitBtn4");
        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(w.form.statusText(1),
                 QStringLiteral("Tipps wurden neu berechnet — n° CHANCE: die seltenste, überall dieselbe"));
        QCOMPARE(w.form.statusText(2), QStringLiteral("Tipp 5 von 5, Kandidaten: %1")
                                           .arg(QLocale().toString(w.form.controller().lastRunCandidates())));
        QCOMPARE(run->text(), QStringLiteral("Tipps berechnen"));
        for (int r = 0; r < 5; ++r)
            QVERIFY(!w.form.sheet().text(r, 0).isEmpty());
        QCOMPARE(w.form.sheet().text(5, 0), QString());
        QVERIFY(w.form.state().sortieren);
        QVERIFY(!w.form.state().Berechnunglaeuft);
        QVERIFY(w.find("SpeedButton11")->isEnabled());
    }

    // A second press while the run is in progress stops it; the rows computed so far stay.
    void pressingAgainStopsTheRun() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.form.criteria().runLimitThousands.set(30000);
        w.form.criteria().crossSumMin.set(279); // nothing passes: without a stop this run would take long
        auto* run = w.find<QPushButton>("BitBtn4");
        bool disabledDuringRun = false;
        QTimer::singleShot(100, [&] {
            disabledDuringRun =
                !w.find("SpeedButton11")->isEnabled() && w.find<QLineEdit>("Edit1")->isReadOnly();
            QCOMPARE(run->text(), QStringLiteral("Stoppen"));
            QTest::mouseClick(run, Qt::LeftButton);
        });
        QTest::mouseClick(run, Qt::LeftButton);
        QVERIFY(disabledDuringRun);
        QCOMPARE(w.form.statusText(1),
                 QStringLiteral("Tipps wurden neu berechnet — n° CHANCE: die seltenste, überall dieselbe"));
        QCOMPARE(run->text(), QStringLiteral("Tipps berechnen"));
        QCOMPARE(w.form.criteria().crossSumMin.value, 279);
        QVERIFY(!w.find<QLineEdit>("Edit1")->isReadOnly());
    }

    // The analyses from their buttons: the draw analysis writes and opens its report; the parameter analysis,
    // pressed again while a cycle runs, stops without one, with every other command disabled meanwhile and
    // its progress and how to stop it in panel 0.
    void analysesFromTheWindow() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.dialogs.answers = {true};
        QTest::mouseClick(w.find("BitBtn19"), Qt::LeftButton);
        QCOMPARE(w.desktop.opened, QStringList{w.home.file("Test.rtf")});

        w.form.criteria().runLimitThousands.set(30000);
        w.form.criteria().crossSumMin.set(279); // nothing passes: without a stop this cycle would take long
        w.dialogs.answers = {true};
        bool othersDisabled = false;
        QString progress;
        QTimer::singleShot(100, [&] {
            othersDisabled = !w.find("SpeedButton11")->isEnabled() && !w.find("BitBtn1")->isEnabled() &&
                             w.find("SpeedButton4")->isEnabled() && w.find<QLineEdit>("Edit1")->isReadOnly();
            progress = w.form.statusText(0);
            QTest::mouseClick(w.find("BitBtn9"), Qt::LeftButton);
        });
        QTest::mouseClick(w.find("BitBtn9"), Qt::LeftButton);
        QVERIFY(othersDisabled);
        QCOMPARE(progress,
                 QStringLiteral("Analyse: Durchlauf 1, 11.10.08  (erneut klicken beendet die Analyse)"));
        QCOMPARE(w.desktop.opened.size(), 1);
        QVERIFY(w.find("SpeedButton11")->isEnabled());
        QCOMPARE(w.form.criteria().crossSumMin.value, 279);
    }

    // The draw analysis shows its passes at most a few times a second, but a question about a draw always
    // finds row 1 showing the draw compared (threshold 0: a question after every comparison).
    void drawAnalysisQuestionShowsItsRow() {
        Window w;
        w.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9},
                           {"2008-10-08", {24, 48, 32, 41, 22}, 1},
                           {"2008-10-11", {46, 22, 10, 39, 20}, 4},
                           {"2008-10-13", {1, 2, 3, 4, 5}, 2}});
        w.start();
        w.form.state().drawDate = QDate(2008, 10, 6);
        w.dialogs.answers = {true, true, true, true};
        w.dialogs.inputs = {QStringLiteral("0")};
        QStringList shown;
        w.dialogs.onQuestion = [&] {
            QStringList row;
            for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
                row << w.find<QLineEdit>(name)->text();
            shown << row.join(QLatin1Char(' '));
        };
        QTest::mouseClick(w.find("BitBtn19"), Qt::LeftButton);
        // The start question, then 8 October against 6 October, 11 October against both.
        QCOMPARE(shown.mid(1), QStringList({"22 24 32 41 48", "10 20 22 39 46", "10 20 22 39 46"}));
        QCOMPARE(w.desktop.opened, QStringList{w.home.file("Test.rtf")});
    }

    // With CheckBox20 the pool goes through the number list dialog: "&Rechnen" builds it from the boxes,
    // "Abbrechen" ends the run before any row changes.
    void poolThroughTheNumberListDialog() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.form.criteria().showPool = true;
        w.form.criteria().rowCount.set(1);
        w.form.sheet().setText(3, 0, "7");
        bool shownPool = false;
        QTimer::singleShot(0, [&] {
            TForm6* dialog = w.form.form6();
            NumberList& list = dialog->list();
            shownPool =
                list.isSet(1) && list.weight(1).toInt() >= 2 && !list.isSet(10); // 10 was in the last draw
            for (int n = 1; n <= 49; ++n) {
                list.setSet(n, n >= 11 && n <= 19);
                list.setWeight(n, "1");
            }
            dialog->showList();
            QTest::mouseClick(dialog->findChild<QWidget*>("BitBtn3"), Qt::LeftButton);
        });
        QTest::mouseClick(w.find("BitBtn4"), Qt::LeftButton);
        QVERIFY(shownPool);
        for (int f = 0; f < 5; ++f) {
            const int n = w.form.sheet().text(0, f).toInt();
            QVERIFY2(n >= 11 && n <= 19, qPrintable(w.form.sheet().text(0, f)));
        }
        QCOMPARE(w.form.sheet().text(3, 0), QString()); // cleared by the run

        w.form.sheet().setText(3, 0, "7");
        QTimer::singleShot(
            0, [&] { QTest::mouseClick(w.form.form6()->findChild<QWidget*>("BitBtn2"), Qt::LeftButton); });
        QTest::mouseClick(w.find("BitBtn4"), Qt::LeftButton);
        QCOMPARE(w.find<QPushButton>("BitBtn4")->text(), QStringLiteral("Tipps berechnen"));
        QVERIFY(w.form.state().sortieren);
    }

    void luckyNumberSeedsTheRandomSource() {
        Window w;
        w.start();
        w.dialogs.inputs = {"12345"};
        QTest::mouseClick(w.find("SpeedButton13"), Qt::LeftButton);
        QCOMPARE(w.form.random().state(), 12345u);
        QCOMPARE(w.form.statusText(1), QStringLiteral("Glückszahl 12345 gesetzt"));
        w.dialogs.inputs = {"lucky"}; // not a number: seeded from the clock
        const std::uint64_t counter = w.clock.counter;
        QTest::mouseClick(w.find("SpeedButton13"), Qt::LeftButton);
        QCOMPARE(w.form.random().state(), std::uint32_t(counter));
    }

    // The update from BitBtn1 against the stand-in service: while it runs its start buttons are off, the
    // stop button shows, the window takes events and a second start is refused.
    void updateFromTheDatabaseTab() {
        ServedHistory service(kTwoWeeksCsv, {"--delay-ms", "30"});
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.start();
        QSignalSpy finished(&w.form, &TForm1::updateFinished);
        bool checkedWhileRunning = false;
        QTimer::singleShot(80, [&] {
            checkedWhileRunning = true;
            QVERIFY(w.form.updateRunning());
            // Day n of the eight from 7 to 14 October, the draws stored so far, and how to stop.
            QVERIFY(w.form.progressShown());
            const QRegularExpression progress(QStringLiteral(
                "^Tag [1-8] von 8, gespeicherte Ziehungen: [0-3] – Esc oder Stopp-Taste beendet$"));
            QVERIFY2(progress.match(w.form.statusText(2)).hasMatch(), qPrintable(w.form.statusText(2)));
            QVERIFY(!w.find("BitBtn1")->isEnabled());
            QVERIFY(!w.find("SpeedButton10")->isEnabled());
            QVERIFY(!w.find("Button1")->isEnabled());
            QVERIFY(!w.find("BitBtn8")->isEnabled());
            QVERIFY(!w.find("SpeedButton8")->isHidden());
            w.find<QAction>("Aktualisieren1")->trigger(); // refused: one update at a time
        });
        QTest::mouseClick(w.find("BitBtn1"), Qt::LeftButton);
        QVERIFY(checkedWhileRunning);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(DrawFile(w.home.drawFile()).readAll().size(), std::size_t(3)); // 8, 11 and 13 October
        QCOMPARE(w.text("Label35"), QStringLiteral("Mo 13.10.08    10  11  37  41  48   n°: 4"));
        QCOMPARE(w.text("Label29"), w.text("Label35"));
        QCOMPARE(w.form.statusText(0), QStringLiteral("HTTP/1.1 200 OK"));
        QCOMPARE(w.form.statusText(1), w.form.messages()[45]);
        QCOMPARE(w.form.statusText(2), QStringLiteral("Tag 8 von 8, gespeicherte Ziehungen: 3"));
        QVERIFY(w.form.progressShown());
        QVERIFY(w.find("BitBtn1")->isEnabled());
        QVERIFY(w.find("SpeedButton10")->isEnabled());
        QVERIFY(w.find("Button1")->isEnabled());
        QVERIFY(w.find("SpeedButton8")->isHidden());
        QVERIFY(!w.form.updateRunning());
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // The output buttons reach their commands: the listing opens, Ctrl+G's hidden item opens the basket, and
    // the script dialog fills the script and starts the program. The basket and the export wait for an
    // update; the listing does not.
    void outputCommandsFromTheWindow() {
        ServedHistory service(kTwoWeeksCsv, {"--delay-ms", "30"});
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.start();
        bool checked = false;
        QTimer::singleShot(80, [&] {
            checked = true;
            QVERIFY(!w.find("Warenkorb")->isEnabled());
            QVERIFY(!w.find<QAction>("Abgeben1")->isEnabled());
            QVERIFY(!w.find("OnlineTipp")->isEnabled());
            QVERIFY(w.find("BitBtn7")->isEnabled());
        });
        QTest::mouseClick(w.find("BitBtn1"), Qt::LeftButton);
        QVERIFY(checked);
        QVERIFY(w.find("Warenkorb")->isEnabled());

        for (int f = 0; f < 6; ++f)
            w.form.sheet().setText(0, f, QString::number(f + 1));
        QTest::mouseClick(w.find("BitBtn7"), Qt::LeftButton);
        QCOMPARE(w.desktop.opened, QStringList{w.home.file("Tipp.txt")});
        w.find<QAction>("Abgeben1")->trigger();
        QVERIFY2(w.desktop.opened.last().startsWith(
                     service.baseUrl() + "/lotto/warenkorb2.asp?Tipps=1&kasten1=1,2,3,4,5,6&kasten2=,,,,,"),
                 qPrintable(w.desktop.opened.last()));
        QCOMPARE(w.form.statusText(1), QStringLiteral("Überprüfen Sie den Tipp im Warenkorb!!!"));

        QDir(w.home.path()).mkpath("Script");
        QDir(w.home.path()).mkpath("Klickwerk");
        w.home.writeBytes("Script/lotto.csf", "[Z1_1] [CHANCE1]\r\n");
        w.home.writeBytes("Klickwerk/Klickomat.exe", "MZ");
        w.settings.openKey(SettingsStore::klickwerkKey(), true);
        w.settings.writeString("Path", w.home.file("Klickwerk"));
        w.settings.writeString("KugeloScript", w.home.file("elsewhere.csf"));
        w.settings.closeKey();
        w.dialogs.fileNames.push_back(w.home.file("Script/lotto.csf"));
        QTimer::singleShot(0, [&] {
            auto* dialog = w.form.findChild<TCSFForm*>();
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Script für Zahlenübergabe auswählen!"));
            auto* script = dialog->findChild<QComboBox*>("LabeledEdit1");
            QCOMPARE(script->currentText(), w.home.file("elsewhere.csf"));
            QCOMPARE(script->count(), 1);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton); // browse
            QCOMPARE(script->currentText(), w.home.file("Script/lotto.csf"));
            dialog->findChild<QLineEdit*>("LabeledEdit4")->setText("a \"b\" c");
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        });
        QTest::mouseClick(w.find("OnlineTipp"), Qt::LeftButton);
        QCOMPARE(w.dialogs.messages, QStringList());
        const QString filled = w.home.file("Tipps/20081014.csf");
        QCOMPARE(w.desktop.started, QList<QStringList>({{w.home.file("Klickwerk/Klickomat.exe"), "START",
                                                         filled, "0", "a \"b\" c", "0", ""}}));
        QCOMPARE(w.home.readBytes("Tipps/20081014.csf"), QByteArray("1 6\r\n"));
    }

    // Ctrl+A starts the update from any text field of the window; the field's text is not selected.
    void ctrlAStartsTheUpdateWhereverTheFocusIs_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("tip field") << "Edit1";
        QTest::newRow("proxy port") << "ProxyPortEdit";
        QTest::newRow("field of a spin") << "Edit80";
    }
    void ctrlAStartsTheUpdateWhereverTheFocusIs() {
        QFETCH(QString, field);
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.start();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        auto* edit = w.find<QLineEdit>(field);
        auto* pages = w.find<QTabWidget>("PageControl1");
        for (QWidget* page = edit->parentWidget(); page; page = page->parentWidget())
            if (pages->indexOf(page) >= 0) pages->setCurrentWidget(page);
        if (edit->text().isEmpty()) edit->setText("7");
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        QSignalSpy finished(&w.form, &TForm1::updateFinished);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(finished.size(), 1);
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(DrawFile(w.home.drawFile()).readAll().size(), std::size_t(3));
    }

    // The import button takes CSV archives through the file dialog; Ctrl+Z and the status bar's link take
    // the last change back, and the link is there only while there is something to take back.
    void importAndUndoFromTheWindow() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        auto* link = w.find<QLabel>("UndoLink");
        QVERIFY(!link->isVisible());
        const QByteArray before = w.home.readBytes("Kugelo.dat");

        w.home.writeBytes("in.csv", kTwoWeeksCsv + "2008-10-15,1,2,3,4,5,1,\n2008-10-16,1,2,3,4,60,1,\n");
        w.dialogs.fileNames = {w.home.file("in.csv")};
        QTest::mouseClick(w.find("ImportButton"), Qt::LeftButton);
        QCOMPARE(w.dialogs.messages,
                 QStringList{"Neue Ziehungen: 2\nErsetzte Ziehungen: 3\nÜbersprungene Zeilen: 1\n"
                             "in.csv:7: main number out of range 1..49: 60"});
        QVERIFY2(w.text("Label29").contains("15.10.08"), qPrintable(w.text("Label29")));
        QVERIFY(link->isVisible());
        QVERIFY(link->text().contains("Rückgängig"));

        // A tip field with nothing of its own to undo leaves Ctrl+Z to the program.
        auto* field = w.find<QLineEdit>("Edit1");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.home.readBytes("Kugelo.dat"), before);
        QVERIFY2(w.text("Label29").contains("11.10.08"), qPrintable(w.text("Label29")));
        QVERIFY(!link->isVisible());

        w.form.sheet().setText(0, 0, "9");
        QTest::mouseClick(w.find("SpeedButton11"), Qt::LeftButton);
        QVERIFY(link->isVisible());
        Q_EMIT link->linkActivated("undo");
        QCOMPARE(field->text(), QStringLiteral("9"));
        QVERIFY(!link->isVisible());

        // Typing into the rows after a clear makes its undo void: the link goes.
        QTest::mouseClick(w.find("SpeedButton11"), Qt::LeftButton);
        QVERIFY(link->isVisible());
        QTest::keyClicks(field, "7");
        QTRY_VERIFY(!link->isVisible());
    }

    // The stop button, or Esc as the progress line says, ends a request that is still waiting, at once.
    void stopEndsAWaitingRequest_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("stop button") << false;
        QTest::newRow("Esc") << true;
    }
    void stopEndsAWaitingRequest() {
        QFETCH(bool, escape);
        ServedHistory service(kTwoWeeksCsv, {"--delay-ms", "3000"});
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.start();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTimer::singleShot(100, [&] {
            if (escape)
                QTest::keyClick(w.find("PageControl1"), Qt::Key_Escape);
            else
                QTest::mouseClick(w.find("SpeedButton8"), Qt::LeftButton);
        });
        w.find<QAction>("Aktualisieren1")->trigger();
        QCOMPARE(w.form.statusText(0), QStringLiteral("aborted"));
        QVERIFY(DrawFile(w.home.drawFile()).readAll().empty());
        QVERIFY(w.find("BitBtn1")->isEnabled());
        QVERIFY(w.find("SpeedButton8")->isHidden());
    }

    // The progress line speaks the chosen language, also with the counts of a job that is over.
    void updateProgressFollowsTheLanguage() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday, {}, true); // a new player here comes up in French
        w.start();
        QSignalSpy finished(&w.form, &TForm1::updateFinished);
        QTest::mouseClick(w.find("BitBtn1"), Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(w.form.statusText(2), QStringLiteral("Jour 8 sur 8, tirages enregistrés : 3"));
        w.find<QAction>(QStringLiteral("Englich1"))->trigger();
        QCOMPARE(w.form.statusText(2), QStringLiteral("Day 8 of 8, draws stored: 3"));
    }

    void closingTheWindowStopsTheUpdate() {
        ServedHistory service(kTwoWeeksCsv, {"--delay-ms", "3000"});
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.start();
        QTimer::singleShot(100, [&] { w.form.close(); });
        QTest::mouseClick(w.find("BitBtn1"), Qt::LeftButton);
        QVERIFY(!w.form.isVisible());
        QVERIFY(!w.form.updateRunning());
        QCOMPARE(w.form.statusText(0), QStringLiteral("aborted"));
        QVERIFY(DrawFile(w.home.drawFile()).readAll().empty());
    }

    void aProxyPortThatIsNoNumberIsReportedAndTheButtonsComeBack() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.start();
        w.find<QLineEdit>("ProxyPortEdit")->setText("80a");
        QTest::mouseClick(w.find("SpeedButton10"), Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.messages[0].contains("80a"));
        QVERIFY(w.find("BitBtn1")->isEnabled());
        QVERIFY(w.find("SpeedButton10")->isEnabled());
        QVERIFY(w.find("SpeedButton8")->isHidden());
        QVERIFY(!w.form.updateRunning());
        QVERIFY(DrawFile(w.home.drawFile()).readAll().empty());
    }

    void theUpdateRunsWhenTheWindowFirstShows() {
        ServedHistory service(kTwoWeeksCsv);
        KUGELO_REQUIRE_SERVICE(service);
        Window w(service.endpoints(), kServiceToday);
        w.form.setUpdateOnShow(true);
        QSignalSpy finished(&w.form, &TForm1::updateFinished);
        w.start();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QCOMPARE(DrawFile(w.home.drawFile()).readAll().size(), std::size_t(3));
        QCOMPARE(w.text("Label35"), QStringLiteral("Mo 13.10.08    10  11  37  41  48   n°: 4"));
        w.form.hide();
        w.form.show();
        QTest::qWait(200);
        QCOMPARE(finished.size(), 1); // only the first showing updates
    }

    // Manual entry with 11 October current unless the row says otherwise; the file holds 6, 8 and 11 October.
    void manualEntry_data() {
        QTest::addColumn<QDate>("current");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QList<int>>("numbers"); // five main numbers and the n° CHANCE, as typed
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<int>("index"); // of the entered record in the file
        QTest::newRow("two days after the last: appended")
            << QDate(2008, 10, 11) << QDate(2008, 10, 13) << QList<int>{40, 12, 7, 33, 2, 5}
            << QStringList{"2008-10-06", "2008-10-08", "2008-10-11", "2008-10-13"} << 3;
        QTest::newRow("between two draws, an older one current: inserted")
            << QDate(2008, 10, 6) << QDate(2008, 10, 9) << QList<int>{1, 2, 3, 4, 5, 10}
            << QStringList{"2008-10-06", "2008-10-08", "2008-10-09", "2008-10-11"} << 2;
        QTest::newRow("the date of a stored draw: replaced")
            << QDate(2008, 10, 8) << QDate(2008, 10, 8) << QList<int>{49, 48, 47, 46, 45, 1}
            << QStringList{"2008-10-06", "2008-10-08", "2008-10-11"} << 1;
        QTest::newRow("the date of another stored draw than the one shown: replaced")
            << QDate(2008, 10, 11) << QDate(2008, 10, 8) << QList<int>{49, 48, 47, 46, 45, 1}
            << QStringList{"2008-10-06", "2008-10-08", "2008-10-11"} << 1;
    }
    void manualEntry() {
        QFETCH(QDate, current);
        QFETCH(QDate, date);
        QFETCH(QList<int>, numbers);
        QFETCH(QStringList, dates);
        QFETCH(int, index);
        Window w;
        w.home.writeDraws({{"2008-10-06", {19, 33, 41, 24, 27}, 9, "4674648"},
                           {"2008-10-08", {24, 48, 32, 41, 22}, 1, "8234403"},
                           {"2008-10-11", {46, 22, 10, 39, 20}, 4, "4461098"}});
        w.start();
        w.find<QDateEdit>("DateTimePicker1")->setDate(current);
        QTest::mouseClick(w.find("SpeedButton5"), Qt::LeftButton);
        const std::vector<DrawRecord> before = DrawFile(w.home.drawFile()).readAll();
        enterDraw(
            w,
            [&](TForm3* dialog) {
                dialog->findChild<QDateEdit*>("DateTimePicker1")->setDate(date);
                const char* names[] = {"UpDown1", "UpDown2", "UpDown3", "UpDown4", "UpDown5", "UpDown7"};
                for (int i = 0; i < 6; ++i)
                    setSpin(dialog, names[i], numbers[i]);
            },
            "BitBtn2");
        const std::vector<DrawRecord> after = DrawFile(w.home.drawFile()).readAll();
        QStringList got;
        for (const DrawRecord& r : after)
            got << r.date().toString(Qt::ISODate);
        QCOMPARE(got, dates);
        const DrawRecord& entered = after[std::size_t(index)];
        QList<int> sorted = numbers.mid(0, 5);
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(int(entered.Zahl[i]), sorted[i]);
        QCOMPARE(int(entered.chance()), numbers[5]);
        // Bytes 13 and 15 come from the record the dialog was loaded with, and so does the extra number
        // when that draw is corrected; a draw of another date has none, not the shown draw's.
        const auto loaded = std::find_if(before.begin(), before.end(),
                                         [&](const DrawRecord& r) { return r.date() == current; });
        const std::array<std::uint8_t, 7> none{};
        QCOMPARE(entered.Ziffern, date == current ? loaded->Ziffern : none);
        QCOMPARE(entered.Zahl[5], loaded->Zahl[5]);
        // The draw that was current stays current.
        QCOMPARE(w.form.state().current.Datum, toDayNumber(current));
    }

    void manualEntryShowsTheChosenDrawAndCancelChangesNoByte() {
        Window w;
        writeThreeDraws(w.home);
        w.start();
        w.find<QDateEdit>("DateTimePicker1")->setDate(QDate(2008, 10, 8));
        const QByteArray before = w.home.readBytes("Kugelo.dat");
        QList<int> shown;
        QDate shownDate;
        enterDraw(
            w,
            [&](TForm3* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Zahlen der Ziehung eingeben"));
                shown = spinValues(dialog);
                shownDate = dialog->findChild<QDateEdit*>("DateTimePicker1")->date();
                setSpin(dialog, "UpDown1", 1);
            },
            "BitBtn1");
        QCOMPARE(shownDate, QDate(2008, 10, 8));
        QCOMPARE(shown, (QList<int>{22, 24, 32, 41, 48, 1}));
        QCOMPARE(w.home.readBytes("Kugelo.dat"), before);
        QCOMPARE(w.text("Label29"), QStringLiteral("Mi 08.10.08    22  24  32  41  48 n°:1"));
    }

    // An empty file: the dialog proposes the first draw date and the smallest valid numbers; numbers typed
    // beyond a field's range are limited to it.
    void manualEntryIntoAnEmptyFileAndNumbersBeyondTheirRange() {
        Window w;
        w.start();
        QList<int> proposed;
        QDate proposedDate;
        enterDraw(
            w,
            [&](TForm3* dialog) {
                proposed = spinValues(dialog);
                proposedDate = dialog->findChild<QDateEdit*>("DateTimePicker1")->date();
                auto* first = dialog->findChild<QLineEdit*>("Edit1");
                first->setText("75");
                auto* chance = dialog->findChild<QLineEdit*>("Edit7");
                chance->setText("0");
            },
            "BitBtn2");
        QCOMPARE(proposedDate, QDate(2008, 10, 6));
        QCOMPARE(proposed, (QList<int>{1, 2, 3, 4, 5, 1}));
        const std::vector<DrawRecord> stored = DrawFile(w.home.drawFile()).readAll();
        QCOMPARE(stored.size(), std::size_t(1));
        QCOMPARE(stored[0], toRecord({"2008-10-06", {2, 3, 4, 5, 49}, 1}));
    }

    // Every option, spin, tip field, the proxy, the hosts and the statistics date changed in their controls,
    // the window closed and a new one started on the same store: everything is back.
    void settingsSurviveARestart() {
        auto w1 = std::make_unique<Window>();
        w1->start();
        QStringList changed;
        for (const OptionRow& row : optionTable()) {
            const QString name = QLatin1String(row.name);
            if (row.kind == OptionKind::Check) {
                w1->find<QCheckBox>(name)->click();
            } else if (row.kind == OptionKind::Spin) {
                auto* spin = w1->find<QSpinBox>(name);
                spin->setValue(spin->value() == spin->maximum() ? spin->minimum() : spin->maximum());
            }
        }
        w1->find<QRadioButton>("RadioButton3")->click();
        for (int r = 0; r < 12; ++r) {
            const TipRow& row = kTipRows[std::size_t(r)];
            for (int f = 0; f < 5; ++f)
                QTest::keyClicks(w1->find<QLineEdit>(row.numbers[f]), QString::number((r * 5 + f) % 49 + 1));
            QTest::keyClicks(w1->find<QLineEdit>(row.chance), QString::number(r % 10 + 1));
        }
        w1->find<QLineEdit>("ProxyHostEdit")->setText("proxy.example");
        w1->find<QLineEdit>("ProxyPortEdit")->setText("3128");
        w1->find<QDateEdit>("DateTimePicker2")->setDate(QDate(2008, 10, 9));
        auto* host = w1->find<QLineEdit>("ProductHostEdit");
        host->setText("draws.example:8080");
        Q_EMIT host->editingFinished();
        QCOMPARE(w1->form.endpoints().drawService(QDate(2008, 10, 7)),
                 QStringLiteral("http://draws.example:8080/lotto/kugelo.asp?Programm=Kugelo&Datum=20081007"));

        const auto controls = [](Window& w) {
            QStringList values;
            for (const OptionRow& row : optionTable()) {
                const QString name = QLatin1String(row.name);
                if (row.kind == OptionKind::Spin)
                    values << name + "=" + QString::number(w.find<QSpinBox>(name)->value());
                else
                    values << name + "=" + QString::number(w.find<QAbstractButton>(name)->isChecked());
            }
            for (const TipRow& row : kTipRows)
                for (const char* field : {row.numbers[0], row.numbers[1], row.numbers[2], row.numbers[3],
                                          row.numbers[4], row.chance})
                    values << w.find<QLineEdit>(field)->text();
            for (const char* edit : {"ProxyHostEdit", "ProxyPortEdit", "ProductHostEdit"})
                values << w.find<QLineEdit>(edit)->text();
            values << w.find<QDateEdit>("DateTimePicker2")->date().toString(Qt::ISODate);
            return values;
        };
        const QStringList before = controls(*w1);
        QVERIFY(before.contains("RadioButton3=1"));
        QVERIFY(before.contains("proxy.example"));
        w1->form.close();

        Window w2;
        w2.settings.keys = w1->settings.keys;
        w1.reset();
        w2.start();
        QCOMPARE(controls(w2), before);
        QCOMPARE(w2.form.endpoints().productHost(), QStringLiteral("http://draws.example:8080"));
    }

    // A host field refuses a host of another scheme than http or https at once: a message names the
    // allowed schemes, the field shows the host in use again, and the close stores none of it. http and https
    // are taken in any case.
    void hostFieldsTakeOnlyHttpAndHttps_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("taken"); // empty: refused
        for (const char* field : {"ProductHostEdit", "CompanyHostEdit", "ResultsHostEdit"}) {
            for (const char* host : {"file:///etc/passwd#", "FILE:/etc/passwd#", "data:text/plain,19,33#",
                                     "ftp://draws.example", "javascript:alert(1)"})
                QTest::addRow("%s, %s", field, host) << field << host << QString();
            QTest::addRow("%s, HTTP in capitals", field) << field << "HTTP://Draws.example:8080/"
                                                         << "HTTP://Draws.example:8080";
            QTest::addRow("%s, no scheme", field) << field << "draws.example"
                                                  << "http://draws.example";
        }
    }
    void hostFieldsTakeOnlyHttpAndHttps() {
        QFETCH(QString, field);
        QFETCH(QString, host);
        QFETCH(QString, taken);
        const auto inUse = [&field](const Endpoints& e) {
            return field == "ProductHostEdit"   ? e.productHost()
                   : field == "CompanyHostEdit" ? e.companyHost()
                                                : e.resultsHost();
        };
        Window w;
        w.start();
        const QString before = inUse(w.form.endpoints());
        auto* edit = w.find<QLineEdit>(field);
        edit->setText(host);
        Q_EMIT edit->editingFinished();
        if (taken.isEmpty()) {
            QCOMPARE(w.dialogs.messages, QStringList{"Nur http:// und https:// sind erlaubt, nicht " + host});
            QCOMPARE(inUse(w.form.endpoints()), before);
            QCOMPARE(edit->text(), before);
        } else {
            QCOMPARE(w.dialogs.messages, QStringList());
            QCOMPARE(inUse(w.form.endpoints()), taken);
            QCOMPARE(edit->text(), taken);
        }
        w.form.close();
        w.settings.openKey(SettingsStore::kugeloKey(), false);
        QCOMPARE(w.settings.readString(field.chopped(4)), taken);
    }

    // A stored host of another scheme is ignored at the start with a status text (the built-in one is
    // used); the update at the start asks the built-in host, and never reads the local file nor waits on a
    // FIFO (LOCAL, FIFO: both hold a draw line).
    void storedHostsOfOtherSchemesAreIgnored_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("file:") << "file://LOCAL#";
        QTest::newRow("file: of a FIFO") << "file://FIFO#";
        QTest::newRow("File: mixed case") << "File://LOCAL#";
        QTest::newRow("data:") << "data:text/plain,19,33,41,24,27,9,4674648#";
        QTest::newRow("ftp:") << "ftp://127.0.0.1:9";
    }
    void storedHostsOfOtherSchemesAreIgnored() {
        QFETCH(QString, host);
        TempHome files;
        files.writeBytes("draws.txt", "19,33,41,24,27,9,4674648\r\n");
        const FeedingFifo fifo(files.file("fifo"), "19,33,41,24,27,9,4674648\r\n");
        QVERIFY(fifo.made());
        host.replace("LOCAL", files.file("draws.txt")).replace("FIFO", files.file("fifo"));
        Window w;
        w.settings.openKey(SettingsStore::kugeloKey(), true);
        for (const char* name : {"ProductHost", "CompanyHost", "ResultsHost"})
            w.settings.writeString(QLatin1String(name), host);
        w.settings.closeKey();
        w.form.setUpdateOnShow(true);
        QSignalSpy finished(&w.form, &TForm1::updateFinished);
        w.start();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QVERIFY(!fifo.read());
        QVERIFY(DrawFile(w.home.drawFile()).readAll().empty());
        const Endpoints builtIn;
        QCOMPARE(w.form.endpoints().productHost(), builtIn.productHost());
        QCOMPARE(w.form.endpoints().companyHost(), builtIn.companyHost());
        QCOMPARE(w.form.endpoints().resultsHost(), builtIn.resultsHost());
        const QString ignored = "Gespeicherter Server " + host +
                                " nicht benutzt, nur http:// und https:// sind erlaubt; es gilt ";
        QTRY_VERIFY2(w.form.statusText(1).contains(ignored + builtIn.productHost()),
                     qPrintable(w.form.statusText(1)));
        QVERIFY(w.form.statusText(1).contains(ignored + builtIn.companyHost()));
        QVERIFY(w.form.statusText(1).contains(ignored + builtIn.resultsHost()));
        QCOMPARE(w.find<QLineEdit>("ProductHostEdit")->text(), builtIn.productHost());
        QCOMPARE(w.dialogs.messages, QStringList());
        // The links of the Internet-Optionen tab open the built-in pages.
        QTest::mouseClick(w.find("Label54"), Qt::LeftButton);
        QCOMPARE(w.desktop.opened, QStringList{builtIn.resultsPage()});
        w.form.close();
        w.settings.openKey(SettingsStore::kugeloKey(), false);
        QCOMPARE(w.settings.readString("ProductHost"), QString());
    }

    // A host of another scheme from its environment variable is refused at the start with a message in the
    // status bar; the field stays the player's (not greyed) and shows the host in use.
    void environmentHostsOfOtherSchemesAreRefused_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("host");
        const std::pair<const char*, const char*> hosts[] = {{"KUGELO_PRODUCT_HOST", "ProductHostEdit"},
                                                             {"KUGELO_COMPANY_HOST", "CompanyHostEdit"},
                                                             {"KUGELO_RESULTS_HOST", "ResultsHostEdit"}};
        for (const auto& [variable, field] : hosts)
            for (const char* host : {"file:///etc/passwd#", "data:,1#", "FTP://draws.example"})
                QTest::addRow("%s=%s", variable, host) << variable << field << host;
    }
    void environmentHostsOfOtherSchemesAreRefused() {
        QFETCH(QString, variable);
        QFETCH(QString, field);
        QFETCH(QString, host);
        qputenv(variable.toLatin1().constData(), host.toUtf8());
        const auto unset = qScopeGuard([&variable] { qunsetenv(variable.toLatin1().constData()); });
        Window w;
        w.start();
        const Endpoints builtIn;
        QCOMPARE(w.form.endpoints().drawService(QDate(2008, 10, 7)), builtIn.drawService(QDate(2008, 10, 7)));
        QCOMPARE(w.form.endpoints().homePage(), builtIn.homePage());
        QCOMPARE(w.form.endpoints().resultsPage(), builtIn.resultsPage());
        QVERIFY2(w.form.statusText(1).contains("Nur http:// und https:// sind erlaubt, nicht " + variable +
                                               "=" + host),
                 qPrintable(w.form.statusText(1)));
        auto* edit = w.find<QLineEdit>(field);
        QVERIFY(edit->isEnabled());
        QVERIFY(edit->text().startsWith("http"));
    }

    // The refusal and the note on a stored host speak every language of the menu, and name the schemes
    // that are allowed.
    void hostRefusalsSpeakEveryLanguage_data() {
        QTest::addColumn<int>("language");
        for (const Language& l : languages())
            QTest::newRow(l.fileName) << l.number;
    }
    void hostRefusalsSpeakEveryLanguage() {
        QFETCH(int, language);
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        w.settings.openKey(SettingsStore::kugeloKey(), true);
        w.settings.writeString("ProductHost", "file:///etc/passwd#");
        w.settings.closeKey();
        w.start();
        w.form.languageClick(language);
        const QStringList meld =
            shippedLines(QLatin1String(languageByNumber(language)->fileName) + QStringLiteral(".meld"));
        for (int n : {int(Msg::OnlyWebAddresses), int(Msg::StoredHostIgnored)})
            QVERIFY2(meld[n].contains("http://") && meld[n].contains("https://") && meld[n].contains("%1"),
                     qPrintable(meld[n]));
        QVERIFY(meld[int(Msg::StoredHostIgnored)].contains("%2"));
        QCOMPARE(w.form.controller().hostNotice(),
                 meld[int(Msg::StoredHostIgnored)].arg(QStringLiteral("file:///etc/passwd#"),
                                                       Endpoints::defaultProductHost()));
        auto* edit = w.find<QLineEdit>("CompanyHostEdit");
        edit->setText("ftp://draws.example");
        Q_EMIT edit->editingFinished();
        QCOMPARE(w.dialogs.messages,
                 QStringList{meld[int(Msg::OnlyWebAddresses)].arg(QStringLiteral("ftp://draws.example"))});
        if (language != 1)
            QVERIFY(meld[int(Msg::OnlyWebAddresses)] !=
                    MessageTable::germanDefaults()[int(Msg::OnlyWebAddresses)]);
    }

    // The browse button of the click-script dialog finds a script whatever the case of its name: typed
    // without the extension, the default extension "CSF" finds "lotto.csf" as on Windows; the list shows
    // the scripts in every case.
    void scriptBrowseFindsScriptsWhateverTheirCase_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found"); // in the script folder; empty: nothing, the path stays
        QTest::newRow("the name, lower-case file") << "lotto"
                                                   << "lotto.csf";
        QTest::newRow("the name, upper-case file") << "EURO"
                                                   << "EURO.CSF";
        QTest::newRow("the name, mixed-case file") << "mixed"
                                                   << "Mixed.Csf";
        QTest::newRow("the extension in another case") << "lotto.CSF"
                                                       << "lotto.csf";
        QTest::newRow("the exact name") << "EURO.CSF"
                                        << "EURO.CSF";
        QTest::newRow("no such script") << "keno"
                                        << "";
    }
    void scriptBrowseFindsScriptsWhateverTheirCase() {
        QFETCH(QString, typed);
        QFETCH(QString, found);
        TempHome home;
        QVERIFY(QDir(home.path()).mkpath("Script"));
        for (const char* name : {"lotto.csf", "EURO.CSF", "Mixed.Csf", "notes.txt"})
            home.writeBytes(QStringLiteral("Script/") + QLatin1String(name), "x");
        const QString folder = home.file("Script");
        ScriptDialogModel model;
        model.choice.script = QStringLiteral("/elsewhere/mine.csf"); // the stored choice
        model.open(folder);
        const QString before = model.choice.script;
        QtDialogs dialogs;
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            const auto closeEvenOnFailure = qScopeGuard([dialog] {
                if (dialog->isVisible()) dialog->reject();
            });
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(view);
            const auto shown = [view] {
                QStringList names;
                for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                    names << view->model()->index(r, 0, view->rootIndex()).data().toString();
                names.sort();
                return names;
            };
            QTRY_COMPARE(shown(), QStringList({"EURO.CSF", "Mixed.Csf", "lotto.csf"}));
            // "File not found" is closed as the player would close it.
            QTimer::singleShot(300, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
            });
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        model.browse(dialogs);
        QCOMPARE(model.choice.script, found.isEmpty() ? before : folder + "/" + found);
    }

    // A settings file that cannot be parsed: moved aside, the window comes up with the design values and
    // says so, and its close writes a good store.
    void aCorruptSettingsFileIsMovedAside() {
        TempHome config;
        config.writeBytes("settings.json", "{ this is not a settings file");
        {
            Window w(Endpoints(), QDate(2008, 10, 20), config.file("settings.json"));
            w.start();
            QVERIFY(w.form.statusText(1).contains("settings.json.corrupt"));
            QCOMPARE(w.find<QSpinBox>("UpDown8")->value(), 5);
            QVERIFY(w.find<QCheckBox>("CheckBox27")->isChecked());
            w.find<QSpinBox>("UpDown8")->setValue(7);
            w.form.close();
        }
        QCOMPARE(config.readBytes("settings.json.corrupt"), QByteArray("{ this is not a settings file"));
        FileSettingsStore store(config.file("settings.json"));
        QVERIFY(store.openKey(SettingsStore::kugeloKey(), false));
        QVERIFY(store.problem().isEmpty());
        QCOMPARE(store.readInteger("UpDown8"), 7);
    }

    // The start-up's rules on restored values: the seven-day rule of the statistics date, the port of an
    // empty proxy host.
    void startUpRulesOnStoredValues_data() {
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<QString>("proxyHost");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("port");
        const QDate today(2008, 10, 20);
        QTest::newRow("yesterday, no proxy") << 1 << "" << QDate(2008, 10, 6) << "80";
        QTest::newRow("ten days ago, a proxy") << 10 << "proxy.example" << today.addDays(-10) << "3128";
    }
    void startUpRulesOnStoredValues() {
        QFETCH(int, daysAgo);
        QFETCH(QString, proxyHost);
        QFETCH(QDate, date);
        QFETCH(QString, port);
        Window w;
        w.settings.openKey(SettingsStore::kugeloKey(), true);
        w.settings.writeDateTime("DateTimePicker2", toDayNumber(w.clock.today().addDays(-daysAgo)));
        w.settings.writeString("ProxyHostEdit", proxyHost);
        w.settings.writeString("ProxyPortEdit", "3128");
        w.start();
        QCOMPARE(w.find<QDateEdit>("DateTimePicker2")->date(), date);
        QCOMPARE(w.find<QLineEdit>("ProxyPortEdit")->text(), port);
    }

    // A stored height rescales the tab content at once; the number list window keeps its design size.
    // (540 fits the 800 × 600 screen of the offscreen platform.)
    void aStoredHeightRescalesAtOnce() {
        Window w;
        w.settings.openKey(SettingsStore::kugeloKey(), true);
        w.settings.writeInteger("height", 540);
        w.settings.writeInteger("width", 532);
        w.form.initialise();
        QCOMPARE(w.form.state().Groesse, 540);
        QCOMPARE(w.find("BitBtn4")->height(), 36);
        w.form.startUp();
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QCOMPARE(w.find("BitBtn4")->height(), 36);
        QCOMPARE(w.form.form6()->size(), QSize(TForm6::DesignClientWidth, TForm6::DesignClientHeight));
    }

    // A stored size beyond the screen (a damaged file) is limited to the screen, and so is what the close
    // writes back: the next start does not freeze again.
    void aStoredSizeIsLimitedToTheScreen() {
        Window w;
        w.settings.openKey(SettingsStore::kugeloKey(), true);
        w.settings.writeInteger("height", 100000);
        w.settings.writeInteger("width", 100000);
        w.start();
        const QSize room = w.form.screen()->availableGeometry().size();
        QVERIFY2(w.form.width() <= room.width() && w.form.height() <= room.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(w.form.width()).arg(w.form.height())));
        w.form.close();
        w.settings.openKey(SettingsStore::kugeloKey(), false);
        QVERIFY(w.settings.readInteger("height") <= room.height());
        QVERIFY(w.settings.readInteger("width") <= room.width());
    }

    // A message may carry a service's answer: it is shown as plain text, never as markup.
    void messagesAreShownAsPlainText() {
        QtDialogs dialogs;
        Qt::TextFormat format = Qt::AutoText;
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                format = box->textFormat();
                shown = box->text();
                box->accept();
            }
        });
        dialogs.message("<b>Wartung</b>");
        QCOMPARE(shown, QStringLiteral("<b>Wartung</b>"));
        QCOMPARE(format, Qt::PlainText);
    }

    void aMaximisedCloseKeepsTheStoredSize() {
        Window w;
        w.settings.openKey(SettingsStore::kugeloKey(), true);
        w.settings.writeInteger("height", 460);
        w.settings.writeInteger("width", 540);
        w.start();
        w.form.showMaximized();
        QCoreApplication::processEvents();
        w.form.close();
        w.settings.openKey(SettingsStore::kugeloKey(), false);
        QCOMPARE(w.settings.readInteger("height"), 460);
        QCOMPARE(w.settings.readInteger("width"), 540);
        QCOMPARE(w.settings.readInteger("OnlineRadio"), 0);
    }

    void endpointsKeepTheirPathsAndQueries() {
        const Endpoints e("http://p.example:8080/", "c.example", "https://r.example");
        QCOMPARE(e.drawService(QDate(2008, 10, 6)),
                 QStringLiteral("http://p.example:8080/lotto/kugelo.asp?Programm=Kugelo&Datum=20081006"));
        QCOMPARE(e.basketService(12),
                 QStringLiteral("http://p.example:8080/lotto/lotto.asp?Spiel=Kugelo&Wo=Lottoland&Tipps=12"));
        QCOMPARE(e.fallbackBasketPage("a=1"),
                 QStringLiteral("http://p.example:8080/lotto/warenkorb2.asp?a=1"));
        QCOMPARE(e.scriptFile("Lotto"), QStringLiteral("http://p.example:8080/scripts/Lotto.txt"));
        QCOMPARE(e.productPage(), QStringLiteral("http://p.example:8080/kugelo.htm"));
        QCOMPARE(e.installerDownload(), QStringLiteral("http://c.example/dateien/klickomatp.exe"));
        QCOMPARE(e.homePage(), QStringLiteral("http://c.example/"));
        QCOMPARE(e.resultsPage(), QStringLiteral("https://r.example/jeux/loto/tirage"));

        QProcessEnvironment env;
        env.insert("KUGELO_PRODUCT_HOST", "http://127.0.0.1:5000");
        env.insert("KUGELO_RESULTS_HOST", " ");
        const Endpoints overridden = Endpoints::withEnvironment(e, env);
        QCOMPARE(overridden.productHost(), QStringLiteral("http://127.0.0.1:5000"));
        QCOMPARE(overridden.companyHost(), QStringLiteral("http://c.example"));
        QCOMPARE(overridden.resultsHost(), QStringLiteral("https://r.example"));
        QVERIFY(Endpoints().productHost().endsWith(".example"));
    }

    void homeIsTheProgramFolderUnlessOverriddenOrReadOnly() {
        TempHome exe;
        QProcessEnvironment env;
        QCOMPARE(resolveHome(exe.path(), env), exe.path());

        TempHome chosen;
        env.insert("KUGELO_HOME", chosen.path() + "sub");
        QCOMPARE(resolveHome(exe.path(), env), chosen.path() + "sub/");
        QVERIFY(QDir(chosen.path() + "sub").exists());

        // A folder where no file can be created, not even by root.
        QStandardPaths::setTestModeEnabled(true);
        const QString readOnly = QStringLiteral("/proc");
        if (folderIsWritable(readOnly)) QSKIP("/proc is writable here");
        const QString fallback = resolveHome(readOnly, QProcessEnvironment());
        QCOMPARE(fallback, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/");
        QVERIFY(QDir(fallback).exists());
    }

    // The shipped master list is what the windows export now (a control added, renamed or moved shows
    // here: run scripts/export-texts and translate its lines), and every language has both files, whole.
    void shippedLanguageDataMatchesTheWindows() {
        Window w;
        w.start();
        const QString exported = w.home.file(QStringLiteral("Kugelo.txt"));
        w.form.controller().exportTextsTo(exported);
        const QStringList master = readTextFile(exported, TextFileKind::LanguageFile).toList();
        QCOMPARE(master, shippedLines(QStringLiteral("Kugelo.txt")));
        for (const Language& l : languages()) {
            const QString file = QLatin1String(l.fileName);
            QCOMPARE(shippedLines(file).size(), master.size() / 5 * 2);
            QCOMPARE(shippedLines(file + QStringLiteral(".meld")).size(), w.form.messages().size());
        }
        // The template beside the master list is the German language file.
        QCOMPARE(readTextFile(exported + QStringLiteral(".trans"), TextFileKind::LanguageFile).toList(),
                 shippedLines(QStringLiteral("Kugelo_de.txt")));
    }

    // The hosts set from outside change what the window shows (the update button's hint, the left banner,
    // the links, the greyed host fields with their reason), not the master list or the template: a list
    // exported there and saved as Land/Kugelo.txt still matches every language.
    void theExportIsTheSameInEveryEnvironment() {
        const auto exported = [](bool fromOutside) {
            const char* const variables[] = {"KUGELO_PRODUCT_HOST", "KUGELO_COMPANY_HOST",
                                             "KUGELO_RESULTS_HOST"};
            for (const char* v : variables)
                if (fromOutside)
                    qputenv(v, "http://127.0.0.1:9");
                else
                    qunsetenv(v);
            const auto unset = qScopeGuard([&variables] {
                for (const char* v : variables)
                    qunsetenv(v);
            });
            Window w(Endpoints::withEnvironment(Endpoints()), QDate(2008, 10, 20), {}, true);
            w.start();
            if (fromOutside) {
                // The window shows the hosts in use.
                const QString hint = w.find("SpeedButton10")->toolTip();
                [&] { QVERIFY2(hint.contains(QStringLiteral("127.0.0.1")), qPrintable(hint)); }();
                [&] { QVERIFY(!w.find("ProductHostEdit")->toolTip().isEmpty()); }();
            }
            const QString target = w.home.file(QStringLiteral("Kugelo.txt"));
            w.form.controller().exportTextsTo(target);
            return readTextFile(target, TextFileKind::LanguageFile).toList() +
                   readTextFile(target + QStringLiteral(".trans"), TextFileKind::LanguageFile).toList();
        };
        const QStringList outside = exported(true);
        const QStringList plain = exported(false);
        QCOMPARE(outside.size(), plain.size());
        QCOMPARE(outside, plain);
    }

    // No built-in German text is left in another language: every window and dialog is walked (captions,
    // hints, titles, accessible names and descriptions, status texts) and every message and input box of a
    // few commands is noted, once in German and once in the language; a text that reads the same in both
    // and has a word the language's files never use is German that nobody translated. The texts the
    // required behaviour fixes in German are listed below.
    void noBuiltInGermanInAnyLanguage_data() {
        QTest::addColumn<int>("language");
        for (const Language& l : languages())
            if (l.number != 1) QTest::newRow(l.fileName) << l.number;
    }
    void noBuiltInGermanInAnyLanguage() {
        QFETCH(int, language);
        static const QMap<QString, QString> german = textsOfEveryWindow(1);
        const QMap<QString, QString> texts = textsOfEveryWindow(language);
        const QString file = QLatin1String(languageByNumber(language)->fileName);
        const QSet<QString> words =
            wordsOf(shippedLines(file) + shippedLines(file + QStringLiteral(".meld")));
        // Texts the required behaviour fixes in German, and where they may show (numbers read as "#"); what
        // assistive technology reads of them comes in the language.
        const std::pair<QString, QStringList> fixed[] = {
            {QStringLiteral("Velmars Ziehwerk Kugelo"), {"title", "name"}},
            {QStringLiteral(
                 "Dieses Datum gilt als ENddatum für die Berechnung, Ziehungen danach werden nicht "
                 "berücksichtigt"),
             {"hint"}},
            {QStringLiteral("Der Ziehwerk ist eine Programm von Velmar-Software"), {"hint"}},
            {QStringLiteral("Neuste Update finden Sie immer auf der Internetseite"), {"hint"}},
            {QStringLiteral("Die Zahl # geht mit der Gewichtung # in die Berechnung ein"),
             {"caption", "hint"}},
        };
        QStringList found;
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            const QString text = withoutAddressesAndNumbers(it.value());
            const QString what = it.key().section(QLatin1Char(' '), -1);
            if (std::any_of(std::begin(fixed), std::end(fixed),
                            [&](const auto& f) { return f.first == text && f.second.contains(what); }))
                continue;
            // The words it shares with the German text at the same place that the language never uses.
            const QSet<QString> shared = wordsOf({text}) & wordsOf({german.value(it.key())});
            QStringList strange;
            for (const QString& w : shared)
                if (!words.contains(w)) strange << w;
            if (!strange.isEmpty())
                found << QStringLiteral("%1: \"%2\" (%3)").arg(it.key(), it.value(), strange.join(u' '));
        }
        for (const QString& line : found)
            qInfo("%s", qPrintable(line));
        QVERIFY2(found.isEmpty(), "German texts in another language, listed above");
    }

    // The controls whose own text does not say what they are have names made from the captions and hints
    // of the language shown: a tip field by its row and column, a row's "…" button by its row, a spin by the
    // caption beside it, an icon button by its hint, a field by its label; the chart by its caption, with
    // its bars as the description.
    void accessibleNamesFollowTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("number"); // row 3, number 2
        QTest::addColumn<QString>("chance"); // row 3, n° CHANCE
        QTest::addColumn<QString>("edit");   // row 3, "…"
        QTest::newRow("Deutsch") << 1 << "3. Tipp, Zahl 2"
                                 << "3. Tipp, n° CHANCE"
                                 << "3. Tipp …";
        QTest::newRow("English") << 2 << "Line 3, Number 2"
                                 << "Line 3, n° CHANCE"
                                 << "Line 3 …";
    }
    void accessibleNamesFollowTheLanguage() {
        QFETCH(int, language);
        QFETCH(QString, number);
        QFETCH(QString, chance);
        QFETCH(QString, edit);
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        writeThreeDraws(w.home);
        w.start();
        w.form.languageClick(language);
        const QString file = QLatin1String(languageByNumber(language)->fileName);
        QCOMPARE(accessible(w.find("Edit14")), number);
        QCOMPARE(accessible(w.find("Edit18")), chance);
        QCOMPARE(accessible(w.find("Tipp3Edit")), edit);
        QCOMPARE(accessible(w.find("UpDown12")), shippedCaption(file, QStringLiteral("CheckBox2")));
        QCOMPARE(accessible(w.find("UpDown19")), shippedCaption(file, QStringLiteral("CheckBox16")));
        // The two spins in the gaps of one caption: each marks its own gap.
        const QString from = accessible(w.find("UpDown17"));
        const QString weeks = accessible(w.find("UpDown18"));
        QCOMPARE(from.count(QChar(0x2026)), 1);
        QVERIFY2(from != weeks && weeks.count(QChar(0x2026)) == 1, qPrintable(from + " / " + weeks));
        QCOMPARE(accessible(w.find("UpDown8")), shippedHint(file, QStringLiteral("Edit80")));
        QCOMPARE(accessible(w.find("SpeedButton11")), shippedHint(file, QStringLiteral("SpeedButton11")));
        QCOMPARE(accessible(w.find("ProxyHostEdit")), shippedCaption(file, QStringLiteral("Label51")));
        QCOMPARE(accessible(w.find("SuperAus")), shippedHint(file, QStringLiteral("SpeedButton21")));

        // The hidden tab is invisible to assistive technology, and a press on it does nothing.
        auto* pages = w.find<QTabWidget>("PageControl1");
        QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(pages->tabBar());
        QCOMPARE(tabs->childCount(), 6);
        QVERIFY(tabs->child(1)->state().invisible);
        QVERIFY(!tabs->child(2)->state().invisible);
        QCOMPARE(tabs->child(2)->text(QAccessible::Name), pages->tabText(2));
        QVERIFY(tabs->child(1)->actionInterface()->actionNames().isEmpty());
        tabs->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(pages->currentIndex(), 0);

        w.form.Statistik(Statistic::ChanceFrequency);
        auto* chart = w.find("Chart1");
        QCOMPARE(accessible(chart), w.form.chart().caption().simplified());
        QStringList bars;
        for (const ChartPoint& p : w.form.chart().series2())
            bars << QStringLiteral("%1: %2").arg(p.x).arg(p.y);
        QCOMPARE(bars.size(), 10);
        QCOMPARE(accessible(chart, QAccessible::Description), bars.join(QStringLiteral(", ")));
    }

    // Every control the keyboard reaches has a name and a description that say something, in every
    // language: on every tab and in every dialog.
    void everyFocusableControlIsNamedAndDescribed_data() {
        QTest::addColumn<int>("language");
        for (const Language& l : languages())
            QTest::newRow(l.fileName) << l.number;
    }
    void everyFocusableControlIsNamedAndDescribed() {
        QFETCH(int, language);
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        writeThreeDraws(w.home);
        w.start();
        w.form.languageClick(language);
        const auto says = [](const QString& text) {
            return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
        };
        // Shown unless its window is closed or its tab is behind: nothing on the way up is hidden by itself.
        const auto shown = [](QWidget* w) {
            for (QWidget* up = w; up && !up->isWindow(); up = up->parentWidget()) {
                auto* stack = qobject_cast<QStackedWidget*>(up->parentWidget());
                auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
                if (tabs ? !tabs->isTabVisible(tabs->indexOf(up)) : up->isHidden()) return false;
            }
            return true;
        };
        const QList<QWidget*> windows{&w.form, w.form.form3(), w.form.form6(), w.find("CSFForm")};
        QStringList silent;
        for (QWidget* control : w.form.findChildren<QWidget*>()) {
            if (!windows.contains(control->window()) || !(control->focusPolicy() & Qt::TabFocus) ||
                !shown(control) || control->focusProxy() ||
                control->objectName().startsWith(QLatin1String("qt_")) ||
                qobject_cast<QTabBar*>(control->parentWidget()))
                continue;
            const QString name = accessible(control),
                          description = accessible(control, QAccessible::Description);
            if (!says(name) || !says(description))
                silent << QStringLiteral("%1 %2: \"%3\" / \"%4\"")
                              .arg(QLatin1String(control->metaObject()->className()), pathOf(control), name,
                                   description);
        }
        for (const QString& line : silent)
            qInfo("%s", qPrintable(line));
        QVERIFY2(silent.isEmpty(), "controls without a name or a description, listed above");
    }

    // In French: the results read with their row, the number list's boxes by their number and what ticking
    // does, each date field by its own role, the spins and fields by what they are for; where a fixed German
    // hint is the tool tip, assistive technology has its own French text.
    void assistiveTechnologyHearsTheChosenLanguage() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        writeThreeDraws(w.home); // newest: 10 20 22 39 46, n° CHANCE 4
        w.start();               // French
        const QString fr = QStringLiteral("Kugelo_fr.txt");
        const QStringList m = shippedLines(fr + QStringLiteral(".meld"));
        const int numbers[] = {10, 20, 5, 6, 7, 4};
        for (int f = 0; f < 6; ++f)
            w.form.sheet().setText(2, f, QString::number(numbers[f]));
        w.form.Komplettcheck();
        const QString row3 = shippedCaption(fr, QStringLiteral("Label31"));
        QCOMPARE(accessible(w.find("Label24")), QString(m[136]).arg(row3, QStringLiteral("2")));
        QCOMPARE(accessible(w.find("Label38")), QStringLiteral("%1, %2: 48").arg(row3, m[43]));
        QCOMPARE(accessible(w.find("Label25")), QString()); // an empty row says nothing

        // Each date field by its role; their common hint stays as the tool tip.
        auto* end = w.find("DateTimePicker1");
        auto* start = w.find("DateTimePicker2");
        QCOMPARE(accessible(end), m[137]);
        QCOMPARE(accessible(end, QAccessible::Description), m[138]);
        QCOMPARE(accessible(start), m[139]);
        QCOMPARE(accessible(start, QAccessible::Description), m[140]);
        QCOMPARE(start->toolTip(), end->toolTip());
        // A spin by the hint of its field, in French; one without by its range.
        QCOMPARE(accessible(w.find("UpDown12"), QAccessible::Description),
                 shippedHint(fr, QStringLiteral("Edit85")));
        QCOMPARE(w.find("UpDown12")->toolTip(), shippedHint(fr, QStringLiteral("Edit85")));
        QCOMPARE(accessible(w.find("UpDown3"), QAccessible::Description),
                 QString(m[143])
                     .arg(w.find<QSpinBox>("UpDown3")->minimum())
                     .arg(w.find<QSpinBox>("UpDown3")->maximum()));
        // The Internet-Optionen fields by the hints of their labels.
        QCOMPARE(accessible(w.find("ProxyHostEdit"), QAccessible::Description),
                 shippedHint(fr, QStringLiteral("Label51")));
        QCOMPARE(accessible(w.find("ResultsHostEdit"), QAccessible::Description),
                 shippedHint(fr, QStringLiteral("Label77")));
        QCOMPARE(w.find<QLineEdit>("ResultsHostEdit")->placeholderText(),
                 shippedHint(fr, QStringLiteral("Label77")));
        // The draw shown is reached by the keyboard; the basket button and the chart buttons with short
        // captions say what they do.
        auto* draw = w.find("Label35");
        QVERIFY(draw->focusPolicy() & Qt::TabFocus);
        QVERIFY(accessible(draw).contains(QStringLiteral("10  20  22  39  46")));
        QCOMPARE(accessible(draw, QAccessible::Description), shippedHint(fr, QStringLiteral("Label35")));
        QCOMPARE(accessible(w.find("Warenkorb"), QAccessible::Description),
                 shippedHint(fr, QStringLiteral("Warenkorb")));
        QCOMPARE(w.find<QToolButton>("SpeedButton1")->text(), QStringLiteral("2n°"));
        QCOMPARE(accessible(w.find("SpeedButton1")), shippedHint(fr, QStringLiteral("SpeedButton1")));
        // The banners keep their German hint; they are described in French.
        QCOMPARE(w.find("Label44")->toolTip(),
                 QStringLiteral("Neuste Update finden Sie immer auf der Internetseite"));
        QCOMPARE(accessible(w.find("Label44"), QAccessible::Description),
                 shippedHint(fr, QStringLiteral("Label44")));

        // The number list: each box by its number, described by what ticking it does.
        TForm6* form6 = w.form.form6();
        auto* box7 = form6->findChild<QCheckBox*>(QStringLiteral("CheckBox7"));
        form6->setRowMode(true);
        QCOMPARE(accessible(box7), QStringLiteral("7"));
        QCOMPARE(accessible(box7, QAccessible::Description), QString(m[142]).arg(7));
        form6->setRowMode(false);
        form6->list().setWeight(7, QStringLiteral("3"));
        form6->showList();
        QCOMPARE(accessible(box7, QAccessible::Description), QString(m[141]).arg(7).arg(3));
        QCOMPARE(box7->toolTip(), QStringLiteral("3")); // the weight, as designed
        form6->list().mouseOver(7);
        form6->showList();
        auto* panel = form6->findChild<QLabel*>(QStringLiteral("StatusBar1Panel0"));
        QCOMPARE(panel->text(), QStringLiteral("Die Zahl 7 geht mit der Gewichtung 3 in die Berechnung ein"));
        QCOMPARE(accessible(panel), QString(m[141]).arg(7).arg(3));
        // The random button shows the French caption from its first opening on.
        form6->setRowMode(true);
        form6->showList();
        QCOMPARE(form6->findChild<QPushButton*>(QStringLiteral("BitBtn4"))->text(),
                 shippedCaption(fr, QStringLiteral("BitBtn4"), QStringLiteral("Form6")));
    }

    // The fifth field of rows 2 to 12 only shows a value: it looks read-only, and its hint and description
    // say where the value comes from, in the language shown.
    void theReadOnlyFifthFieldSaysWhereItsValueComesFrom() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        w.start(); // French
        const QString filled =
            shippedLines(QStringLiteral("Kugelo_fr.txt.meld")).value(int(Msg::FilledByRow));
        auto* fifth = w.find<QLineEdit>("Edit11");
        auto* fourth = w.find<QLineEdit>("Edit10");
        QVERIFY(fifth->isReadOnly());
        QVERIFY(fifth->palette().color(QPalette::Base) != fourth->palette().color(QPalette::Base));
        QCOMPARE(fifth->palette().color(QPalette::Base), fifth->palette().color(QPalette::Window));
        QCOMPARE(fifth->toolTip(), filled);
        QCOMPARE(accessible(fifth, QAccessible::Description), filled);
        QVERIFY(!w.find<QLineEdit>("Edit5")->isReadOnly()); // row 1 takes all five
        QVERIFY(w.find("Edit5")->toolTip().isEmpty());
    }

    // An update that finds no service says so in the language shown and names the tab with the hosts by
    // the caption the player sees; a status panel too narrow for its text gives it whole as its hint and
    // description.
    void statusTextsComeInTheLanguageAndWhole() {
        Window w(Endpoints(QStringLiteral("http://127.0.0.1:1"), Endpoints::defaultCompanyHost(),
                           Endpoints::defaultResultsHost()),
                 QDate(2008, 10, 20), {}, true);
        writeThreeDraws(w.home);
        w.start(); // French
        w.form.BitBtn1Click();
        const QStringList m = shippedLines(QStringLiteral("Kugelo_fr.txt.meld"));
        QCOMPARE(w.form.statusText(0), m[124]);
        const QString tab = shippedCaption(QStringLiteral("Kugelo_fr.txt"), QStringLiteral("TabSheet3"));
        QVERIFY2(w.form.statusText(1).startsWith(QString(m[125]).section(QLatin1Char('%'), 0, 0)) &&
                     w.form.statusText(1).contains(QStringLiteral("« %1 »").arg(tab)),
                 qPrintable(w.form.statusText(1)));
        int cut = 0;
        for (QLabel* panel :
             w.find("StatusBar1")->findChildren<QLabel*>(QRegularExpression("^StatusBar1Panel"))) {
            if (panel->isHidden() || panel->text().isEmpty()) continue;
            if (panel->fontMetrics().horizontalAdvance(panel->text()) > panel->contentsRect().width()) ++cut;
            QCOMPARE(panel->toolTip(), panel->text());
            QCOMPARE(accessible(panel, QAccessible::Description), panel->text());
        }
        QVERIFY(cut > 0); // the hint about the service does not fit its panel at the design size
    }

    // The keyboard alone: Space locks a row at its label; in the number list Space ticks a box, the context
    // menu key lowers its weight, Up and Down move through the columns, and the OK button that "&Rechnen"
    // covers takes no focus.
    void theKeyboardAloneLocksRowsAndEditsTheNumberList() {
        Window w;
        w.start();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        auto* rowLabel = w.find("Label31");
        rowLabel->setFocus(Qt::TabFocusReason);
        QTest::keyClick(rowLabel, Qt::Key_Space);
        QVERIFY(w.form.sheet().row(2).locked);
        QCOMPARE(QAccessible::queryAccessibleInterface(rowLabel)->state().checked, 1);
        QTest::keyClick(rowLabel, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.find("Edit13"));
        w.find("Edit18")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w.find("Edit18"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.find("Tipp3Edit"));

        TForm6* form6 = w.form.form6();
        form6->setRowMode(false);
        form6->list().setSet(9, false);
        form6->list().setWeight(9, QStringLiteral("2"));
        form6->showList();
        form6->show();
        QVERIFY(QTest::qWaitForWindowExposed(form6));
        auto* box9 = form6->findChild<QCheckBox*>(QStringLiteral("CheckBox9"));
        box9->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box9, Qt::Key_Space);
        QVERIFY(form6->list().isSet(9));
        QTest::keyClick(box9, Qt::Key_Menu);
        QCOMPARE(form6->list().weight(9), QStringLiteral("1"));
        QTest::keyClick(box9, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CheckBox16"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), box9);
        QCOMPARE(form6->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->focusPolicy(), Qt::NoFocus);
        form6->setRowMode(true);
        QCOMPARE(form6->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->focusPolicy(), Qt::StrongFocus);
        form6->hide();
    }

    // The fit check finds the words of a caption that another control lies over or that reach past the
    // parent's edge, from where the font, the alignment and the control's geometry paint them; a control in a
    // run of blanks covers nothing.
    void theFitCheckFindsWordsUnderAnotherControl_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("before");    // the text left of the spin
        QTest::addColumn<int>("width");         // the spin's; 0: hidden
        QTest::addColumn<QString>("edgeAfter"); // the window ends 3 px after this text; empty: 400 px wide
        QTest::addColumn<QString>("found");
        const QString run = QStringLiteral("Sum from ");
        QTest::newRow("label, spin in a run of blanks") << "label" << run << 30 << ""
                                                        << "";
        QTest::newRow("label, spin wider than its run") << "label" << run << 60 << ""
                                                        << "\"to\" under Spin";
        QTest::newRow("label, spin over the first word") << "label"
                                                         << "" << 12 << ""
                                                         << "\"Sum\" under Spin";
        QTest::newRow("label, hidden spin") << "label"
                                            << "" << 0 << ""
                                            << "";
        QTest::newRow("right-aligned label, spin in its run") << "right" << run << 30 << ""
                                                              << "";
        QTest::newRow("right-aligned label, spin over a word") << "right" << run << 60 << ""
                                                               << "\"to\" under Spin";
        QTest::newRow("check box, spin in its run") << "check" << run << 30 << ""
                                                    << "";
        QTest::newRow("check box, spin over a word") << "check"
                                                     << "Sum" << 40 << ""
                                                     << "\"from\" under Spin";
        QTest::newRow("label, last word past the edge")
            << "label" << run << 0 << "Sum from            to            allowed in a "
            << "\"line\" beyond the edge of Window";
    }
    void theFitCheckFindsWordsUnderAnotherControl() {
        QFETCH(QString, control);
        QFETCH(QString, before);
        QFETCH(int, width);
        QFETCH(QString, edgeAfter);
        QFETCH(QString, found);
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        window.setFont(font);
        const QFontMetrics metrics(font);
        const QString caption = QStringLiteral("Sum from            to            allowed in a line");
        const QRect place(10, 10, 350, 20);
        int textX = place.x();
        if (control == QLatin1String("check")) {
            auto* box = new QCheckBox(caption, &window);
            box->setGeometry(place);
            box->setObjectName(QStringLiteral("Caption"));
            textX += box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                     box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        } else {
            auto* label = new QLabel(caption, &window);
            label->setGeometry(place);
            label->setObjectName(QStringLiteral("Caption"));
            if (control == QLatin1String("right")) {
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                textX = place.x() + place.width() - metrics.horizontalAdvance(caption);
            }
        }
        window.resize(edgeAfter.isEmpty() ? 400 : textX + metrics.horizontalAdvance(edgeAfter) + 3, 40);
        auto* spin = new QSpinBox(&window);
        spin->setObjectName(QStringLiteral("Spin"));
        spin->setGeometry(textX + metrics.horizontalAdvance(before) + 1, place.y(), width, place.height());
        spin->setHidden(width == 0);
        window.show();
        const QStringList lines = WidgetTexts({&window}).clippedTexts();
        if (found.isEmpty())
            QVERIFY2(lines.isEmpty(), qPrintable(lines.join(QLatin1Char('\n'))));
        else
            QCOMPARE(lines, QStringList(QStringLiteral("Window/Caption: %1 (%2)").arg(caption, found)));
    }

    // Every caption of every language fits its control at the design size, and no other control lies over a
    // word of it (a spin over the blanks of a sentence leaves the words beside it in view).
    void translatedCaptionsFit_data() {
        QTest::addColumn<int>("language");
        for (const Language& l : languages())
            QTest::newRow(l.fileName) << l.number;
    }
    void translatedCaptionsFit() {
        QFETCH(int, language);
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        // The texts set at run time count too: the cross sum of a current draw has three digits at most.
        w.home.writeDraws({{"2008-10-06", {45, 46, 47, 48, 49}, 10}});
        w.start();
        w.form.languageClick(language);
        QVERIFY(w.text(QStringLiteral("Label13")).endsWith(QStringLiteral(": 235")));
        QCOMPARE(w.form.state().sprache, language);
        QCOMPARE(
            w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(),
            shippedCaption(QLatin1String(languageByNumber(language)->fileName), QStringLiteral("BitBtn4")));
        const QStringList clipped = w.form.clippedTexts();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    // The options are placed for the captions of the language chosen, and keep those places, scaled, when
    // the height changes; a language chosen in a larger window places them as at the design size, scaled.
    void optionsPlacedForALanguageScaleWithTheWindow() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        w.start();
        w.form.resize(700, 450);
        QCoreApplication::processEvents();
        QWidget* spin = w.find(QStringLiteral("UpDown18"));
        w.form.languageClick(6);
        const QRect russian = spin->geometry();
        w.form.languageClick(1);
        const QRect german = spin->geometry();
        QVERIFY2(russian.x() > german.x(), "the spin stands after the longer Russian words before it");

        w.form.resize(700, 900);
        QCoreApplication::processEvents();
        QCOMPARE(spin->geometry(), QRect(german.topLeft() * 2, german.size() * 2));
        w.form.languageClick(6);
        QCOMPARE(spin->geometry(), QRect(russian.topLeft() * 2, russian.size() * 2));
        w.form.resize(700, 450);
        QCoreApplication::processEvents();
        QCOMPARE(spin->geometry(), russian);
    }

    // The first start comes up in French; the menu switches the captions, the messages, the check marks
    // and Qt's own texts; the banners never change.
    void languagesFromTheMenu() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        writeThreeDraws(w.home);
        w.start();
        const QString banner = w.text(QStringLiteral("Label43"));
        QCOMPARE(w.form.state().sprache, 3);
        QVERIFY(w.find<QAction>(QStringLiteral("Franz1"))->isChecked());
        QCOMPARE(w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(),
                 shippedCaption(QStringLiteral("Kugelo_fr.txt"), QStringLiteral("BitBtn4")));
        const QStringList french = shippedLines(QStringLiteral("Kugelo_fr.txt.meld"));
        QVERIFY(w.text(QStringLiteral("Label13")).startsWith(french[43] + QStringLiteral(": ")));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));

        w.find<QAction>(QStringLiteral("Russisch1"))->trigger();
        QCOMPARE(w.form.state().sprache, 6);
        QVERIFY(w.find<QAction>(QStringLiteral("Russisch1"))->isChecked());
        QVERIFY(!w.find<QAction>(QStringLiteral("Franz1"))->isChecked());
        QCOMPARE(w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(),
                 shippedCaption(QStringLiteral("Kugelo_ru.txt"), QStringLiteral("BitBtn4")));
        QCOMPARE(w.text(QStringLiteral("Label43")), banner);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));

        w.find<QAction>(QStringLiteral("Deutsch1"))->trigger();
        QCOMPARE(w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(), QStringLiteral("Tipps berechnen"));
        QCOMPARE(w.find<QAction>(QStringLiteral("Berechnen1"))->text(), QStringLiteral("&Berechnen"));
        QVERIFY(w.text(QStringLiteral("Label13")).startsWith(QStringLiteral("Quersumme: ")));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        // The run button gets the chosen language's caption back after a run.
        QTest::mouseClick(w.find(QStringLiteral("BitBtn4")), Qt::LeftButton);
        QTRY_COMPARE(w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(),
                     QStringLiteral("Tipps berechnen"));
    }

    // Files in other encodings, a missing message file, a missing language file or master list.
    void languageFilesAsTheyMayCome_data() {
        QTest::addColumn<QByteArray>("mark");   // byte-order mark, and the encoding it names
        QTest::addColumn<bool>("withMessages"); // the Spanish ".meld" is there
        QTest::addColumn<bool>("withMaster");   // the master list is there
        QTest::addColumn<bool>("applied");
        QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF") << true << true << true;
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") << true << true << true;
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF") << true << true << true;
        QTest::newRow("no message file: captions only") << QByteArray() << false << true << true;
        QTest::newRow("no master list: nothing") << QByteArray() << true << false << false;
    }
    void languageFilesAsTheyMayCome() {
        QFETCH(QByteArray, mark);
        QFETCH(bool, withMessages);
        QFETCH(bool, withMaster);
        QFETCH(bool, applied);
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        w.settings.openKey(QStringLiteral("\\SOFTWARE\\Velmar\\Kugelo"), true);
        w.settings.writeInteger(QStringLiteral("Sprache"), 1);
        w.settings.closeKey();
        w.start();
        const QString land = w.program.file(QStringLiteral("Land/"));
        QString text =
            QStringList(shippedLines(QStringLiteral("Kugelo_es.txt"))).join(QStringLiteral("\r\n"));
        QByteArray bytes = mark;
        if (mark.startsWith("\xFF") || mark.startsWith("\xFE")) {
            for (const QChar c : text) {
                const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
                bytes += mark.startsWith("\xFF") ? low : high;
                bytes += mark.startsWith("\xFF") ? high : low;
            }
        } else {
            bytes += text.toUtf8();
        }
        QFile::remove(land + QStringLiteral("Kugelo_es.txt"));
        w.program.writeBytes(QStringLiteral("Land/Kugelo_es.txt"), bytes);
        if (!withMessages) QFile::remove(land + QStringLiteral("Kugelo_es.txt.meld"));
        if (!withMaster) QFile::remove(land + QStringLiteral("Kugelo.txt"));
        w.find<QAction>(QStringLiteral("Spanisch1"))->trigger();
        QCOMPARE(w.form.state().sprache, 4);
        QCOMPARE(w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(),
                 applied ? shippedCaption(QStringLiteral("Kugelo_es.txt"), QStringLiteral("BitBtn4"))
                         : QStringLiteral("Tipps berechnen"));
        const QString crossSum = applied && withMessages
                                     ? shippedLines(QStringLiteral("Kugelo_es.txt.meld"))[43]
                                     : QStringLiteral("Quersumme");
        QCOMPARE(w.form.messages()[Msg::CrossSum], crossSum);
    }

    // "Datei speichern" writes the master list and the template; the template applied as a language file
    // leaves every text as it is, also after a language was applied.
    void exportedTemplateAppliesAsALanguageFile() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        w.start(); // French
        const QString target = w.home.file(QStringLiteral("export.txt"));
        w.dialogs.fileNames.push_back(target);
        w.find<QAction>(QStringLiteral("Dateispeichern1"))->trigger();
        QCOMPARE(w.dialogs.fileDialogs.last().filter, QStringLiteral("Textdatei|*.txt"));
        QVERIFY(w.home.readBytes(QStringLiteral("export.txt.trans")).startsWith("\xFF\xFE"));
        const QStringList before =
            readTextFile(target + QStringLiteral(".trans"), TextFileKind::LanguageFile).toList();
        QCOMPARE(before.value(0), shippedLines(QStringLiteral("Kugelo_fr.txt")).value(0));
        w.form.controller().setLanguageFile(target + QStringLiteral(".trans"));
        w.find<QAction>(QStringLiteral("DateiLaden1"))->trigger();
        w.form.controller().exportTextsTo(w.home.file(QStringLiteral("again.txt")));
        QCOMPARE(
            readTextFile(w.home.file(QStringLiteral("again.txt.trans")), TextFileKind::LanguageFile).toList(),
            before);
    }

    // An export over the language folder's master list that was cut off after its journal (here the
    // template's rename fails: a folder holds its place) is finished by the next language load before the
    // files are read: the master list and the template are again of one export.
    void anExportCutOffIsFinishedByTheNextLanguageLoad() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        w.start(); // French
        const QString master = w.program.file(QStringLiteral("Land/Kugelo.txt"));
        QVERIFY(QDir().mkpath(master + QStringLiteral(".trans/in the way")));
        QVERIFY_THROWS_EXCEPTION(IoError, w.form.controller().exportTextsTo(master));
        QVERIFY(QFileInfo::exists(master + QStringLiteral(".journal")));
        QVERIFY(QDir(master + QStringLiteral(".trans")).removeRecursively());

        w.find<QAction>(QStringLiteral("DateiLaden1"))->trigger();
        QVERIFY(!QFileInfo::exists(master + QStringLiteral(".journal")));
        QVERIFY(!QFileInfo::exists(master + QStringLiteral(".trans~")));
        const QString again = w.home.file(QStringLiteral("again.txt"));
        w.form.controller().exportTextsTo(again);
        QCOMPARE(w.program.readBytes(QStringLiteral("Land/Kugelo.txt")),
                 w.home.readBytes(QStringLiteral("again.txt")));
        QCOMPARE(w.program.readBytes(QStringLiteral("Land/Kugelo.txt.trans")),
                 w.home.readBytes(QStringLiteral("again.txt.trans")));
        QCOMPARE(w.find<QPushButton>(QStringLiteral("BitBtn4"))->text(),
                 shippedCaption(QStringLiteral("Kugelo_fr.txt"), QStringLiteral("BitBtn4")));
    }

    // What a command did shows in the status bar in the player's language, and the panel is named by it for
    // a screen reader (whose announcement is the name's change); a hint that follows is shown and read as the
    // panel's text again.
    void commandsAnswerInTheStatusBar() {
        Window w(Endpoints(), QDate(2008, 10, 20), {}, true);
        writeThreeDraws(w.home);
        w.start();
        w.form.languageClick(3);
        auto* panel = w.find<QLabel>(QStringLiteral("StatusBar1Panel1"));
        w.form.sheet().setText(0, 0, QStringLiteral("9"));
        QTest::mouseClick(w.find(QStringLiteral("SpeedButton11")), Qt::LeftButton);
        QCOMPARE(w.form.statusText(1), QStringLiteral("Grilles effacées — Ctrl+Z pour annuler"));
        QCOMPARE(accessible(panel), w.form.statusText(1));
        w.find<QAction>(QStringLiteral("Rueckgaengig1"))->trigger();
        QCOMPARE(w.form.statusText(1), QStringLiteral("Annulé : Grilles effacées"));
        QCOMPARE(accessible(panel), w.form.statusText(1));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w.find(QStringLiteral("SpeedButton6")), &enter);
        QCOMPARE(accessible(panel), w.find(QStringLiteral("SpeedButton6"))->toolTip());
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
