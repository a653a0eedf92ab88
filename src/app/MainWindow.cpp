#include "app/MainWindow.h"

#include "app/AccessibleNames.h"
#include "app/ChartPage.h"
#include "app/DatabasePage.h"
#include "app/InternetPage.h"
#include "app/LastDrawPage.h"
#include "app/OptionsPage.h"
#include "app/TipOverviewPage.h"

#include "draws/ManualEntryDialog.h"
#include "generator/CriteriaPage.h"
#include "generator/NumberListDialog.h"
#include "output/NoticeDialog.h"
#include "output/ScriptDialog.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"
#include "sheet/TipSheetView.h"
#include "widgets/AccessibleTabsView.h"
#include "widgets/StatusPanelView.h"
#include "widgets/TabOrderView.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

namespace kugelo {

namespace {

// The number list window TForm6 as the controller reaches it.
class NumberListWindow final : public NumberListPort {
public:
    explicit NumberListWindow(TForm6& form) : m_form(form) {}
    NumberList& list() override { return m_form.list(); }
    void setRowMode(bool rowMode) override { m_form.setRowMode(rowMode); }
    void setTitle(const QString& title) override { m_form.setWindowTitle(title); }
    void showList() override { m_form.showList(); }
    Result runModal() override {
        // A run shows the wait cursor; the window is for the user's hand.
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        const TForm6::Result result = m_form.runModal();
        QGuiApplication::restoreOverrideCursor();
        switch (result) {
        case TForm6::Ok:
            return Result::Ok;
        case TForm6::Abort:
            return Result::Abort;
        case TForm6::Retry:
            return Result::Retry;
        case TForm6::Cancel:
            break;
        }
        return Result::Cancel;
    }

private:
    TForm6& m_form;
};

// The manual entry window TForm3 as the controller reaches it.
class ManualEntryWindow final : public ManualEntryPort {
public:
    explicit ManualEntryWindow(TForm3& form) : m_form(form) {}
    std::optional<DrawRecord> enter(const DrawRecord& shown) override {
        m_form.load(shown);
        if (!m_form.runModal()) return std::nullopt;
        return m_form.entered(shown);
    }

private:
    TForm3& m_form;
};

// The click-script dialog TCSFForm as the controller reaches it.
class ScriptDialogWindow final : public ScriptDialogPort {
public:
    explicit ScriptDialogWindow(TCSFForm& form) : m_form(form) {}
    bool runModal(ScriptDialogModel& model) override { return m_form.runModal(model); }

private:
    TCSFForm& m_form;
};

// Controls whose hint goes to panel 1 of the status bar when the mouse moves over them.
const char* const kStatusHintControls[] = {
    "Label28",       "Label30",       "Label31",       "Label32",       "Label33",       "Label34",
    "Label46",       "Label48",       "Label62",       "Label61",       "Label63",       "Label64",
    "Label43",       "Label44",       "BitBtn4",       "BitBtn7",       "Button6",       "OnlineTipp",
    "SpeedButton2",  "SpeedButton4",  "SpeedButton5",  "SpeedButton6",  "SpeedButton7",  "SpeedButton8",
    "SpeedButton9",  "SpeedButton10", "SpeedButton11", "SpeedButton13", "SpeedButton15", "SpeedButton16",
    "SpeedButton21", "Tipp1Edit",     "Tipp2Edit",     "Tipp3Edit",     "Tipp4Edit",     "Tipp5Edit",
    "Tipp6Edit",     "Tipp7Edit",     "Tipp8Edit",     "Tipp9Edit",     "Tipp10Edit",    "Tipp11Edit",
    "Tipp12Edit",    "BitBtn1",       "BitBtn6",       "BitBtn8",       "BitBtn9",       "Button2",
    "Button3",       "Button4",       "Button5",       "CheckBox1",     "CheckBox2",     "CheckBox3",
    "CheckBox4",     "CheckBox5",     "CheckBox6",     "CheckBox7",     "CheckBox8",     "CheckBox9",
    "CheckBox10",    "CheckBox11",    "CheckBox12",    "CheckBox13",    "CheckBox14",    "CheckBox18",
    "CheckBox23",    "CheckBox24",    "CheckBox27",    "CheckBox28",    "Edit40",        "Edit41",
    "Edit42",        "Edit84",        "Edit85",        "Edit86",        "Edit87",        "Edit91",
    "Edit92",        "ImportButton",
};

// The shortcut of the menu item Aktualisieren1. Text fields take it for "select all" unless told otherwise.
constexpr QKeyCombination kUpdateShortcut(Qt::ControlModifier, Qt::Key_A);

} // namespace

TForm1::TForm1(Platform platform, Endpoints endpoints, QString home, QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      m_controller(platform, std::move(endpoints), std::move(home), std::move(programFolder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmars Ziehwerk Kugelo"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kugelo-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    buildMenu();
    buildStatusBar();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setExpanding(false);
    buildPages();
    // "Zahlen der letzten Ziehung" is never shown: hidden, and its tab disabled so that no key (Ctrl+Tab,
    // the arrows on the tab bar) brings it to the front. Its page stays enabled, as its button follows the
    // update.
    m_pages->setTabVisible(1, false);
    m_pages->tabBar()->setTabEnabled(1, false);
    followScreenWithTabs();
    for (QTabWidget* tabs : findChildren<QTabWidget*>())
        hideHiddenTabsFromAssistiveTechnology(tabs->tabBar());
    m_pages->setCurrentIndex(0);
    setCentralWidget(m_pages);
    // The tab widgets are named after the tab in front.
    for (QTabWidget* tabs : findChildren<QTabWidget*>())
        connect(tabs, &QTabWidget::currentChanged, this, [this] { nameControls(); });

    connectStatusHints();
    // Esc stops whatever long job runs, as its progress line says.
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(stop, &QShortcut::activated, this, [this] { m_controller.stopRunning(); });
    // Typing into the rows can make the undo of the sheet void; one look after a burst of changes.
    connect(&m_controller.sheet(), &TipSheet::rowChanged, this, [this] {
        if (m_undoShowPending) return;
        m_undoShowPending = true;
        QTimer::singleShot(0, this, [this] {
            m_undoShowPending = false;
            showUndo();
        });
    });
    m_controller.setView(this);
    showActivity();
    resize(DesignClientWidth, DesignClientHeight);
    move(286, 64);
}

TForm1::~TForm1() {
    m_controller.setView(nullptr);
    m_controller.setNumberList(nullptr);
    m_controller.setManualEntry(nullptr);
    m_controller.setScriptDialog(nullptr);
}

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const auto item = [this](QWidget* owner, const char* name, const QString& caption,
                             const QKeySequence& shortcut = {}) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        owner->addAction(action);
        return action;
    };
    QAction* update =
        item(bar, "Aktualisieren1", QStringLiteral("&Ziehungsdaten laden"), QKeySequence(kUpdateShortcut));
    connect(update, &QAction::triggered, this, [this] { BitBtn1Click(); });
    QAction* compute =
        item(bar, "Berechnen1", QStringLiteral("&Berechnen"), QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(compute, &QAction::triggered, this, [this] { Label28Click(); });

    auto* language = new QMenu(QStringLiteral("Sprache/&Language"), this);
    language->setObjectName(QStringLiteral("SpracheLanguage1"));
    language->menuAction()->setObjectName(QStringLiteral("SpracheLanguage1"));
    bar->addMenu(language);
    for (const Language& l : languages()) {
        QAction* choose = item(language, l.menuItem, QString::fromUtf8(l.caption));
        choose->setCheckable(true);
        connect(choose, &QAction::triggered, this, [this, number = l.number] { languageClick(number); });
    }
    language->addSeparator()->setObjectName(QStringLiteral("N1"));
    connect(item(language, "Dateispeichern1", QStringLiteral("Datei &speichern")), &QAction::triggered, this,
            [this] { Dateispeichern1Click(); });
    connect(item(language, "DateiLaden1", QStringLiteral("Datei &laden")), &QAction::triggered, this,
            [this] { DateiLaden1Click(); });

    // Hidden in the menu bar, as designed; the edit menu below shows it with its shortcut.
    QAction* submit = item(bar, "Abgeben1", QStringLiteral("&Abgeben"), QKeySequence(Qt::CTRL | Qt::Key_G));
    submit->setVisible(false);
    connect(submit, &QAction::triggered, this, [this] { WarenkorbClick(); });

    QAction* close = item(bar, "Schlieen1", QStringLiteral("&Schließen"));
    connect(close, &QAction::triggered, this, &QWidget::close);

    // The edit menu: the undo, and the commands that have shortcuts, with them (an item of the menu bar
    // cannot show its shortcut). Its texts come from the message table and the items it shows; it is no
    // element of the language files.
    m_editMenu = new QMenu(this);
    m_editMenu->setObjectName(QStringLiteral("Bearbeiten1"));
    m_editMenu->setProperty("untranslated", true);
    m_editMenu->menuAction()->setObjectName(QStringLiteral("Bearbeiten1"));
    bar->insertMenu(language->menuAction(), m_editMenu);
    m_undoAction = new QAction(m_editMenu);
    m_undoAction->setObjectName(QStringLiteral("Rueckgaengig1"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_undoAction->setEnabled(false);
    connect(m_undoAction, &QAction::triggered, this, [this] { UndoClick(); });
    m_editMenu->addAction(m_undoAction);
    m_editMenu->addSeparator();
    m_editMenu->addAction(update);
    m_editMenu->addAction(compute);
    m_shownSubmit = new QAction(m_editMenu);
    m_shownSubmit->setObjectName(QStringLiteral("Abgeben2"));
    m_shownSubmit->setShortcut(submit->shortcut()); // the hidden item's shortcut is not active
    connect(m_shownSubmit, &QAction::triggered, this, [this] { WarenkorbClick(); });
    m_editMenu->addAction(m_shownSubmit);
    showEditMenuTexts();
}

void TForm1::showEditMenuTexts() {
    m_editMenu->setTitle(m_controller.messages()[Msg::EditMenu]);
    m_undoAction->setText(m_controller.messages()[Msg::UndoLink]);
    if (auto* submit = findChild<QAction*>(QStringLiteral("Abgeben1")))
        m_shownSubmit->setText(submit->text());
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 3; ++i) {
        m_panel[i] = new StatusPanelView(bar);
        m_panel[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        m_panel[i]->setFrameShape(QFrame::StyledPanel);
        m_panel[i]->setFrameShadow(QFrame::Sunken);
        m_panel[i]->setIndent(3);
    }
    m_panel[0]->setFixedWidth(150);
    m_panel[1]->setMinimumWidth(50);
    m_panel[2]->setMinimumWidth(50);
    m_panel[2]->hide();
    bar->addWidget(m_panel[0]);
    bar->addWidget(m_panel[1], 1);
    bar->addWidget(m_panel[2], 1);
    m_progressHide = new QTimer(this);
    m_progressHide->setSingleShot(true);
    m_progressHide->setInterval(10000);
    connect(m_progressHide, &QTimer::timeout, m_panel[2], &QWidget::hide);

    m_undoLink = new QLabel(bar);
    m_undoLink->setObjectName(QStringLiteral("UndoLink"));
    m_undoLink->setTextFormat(Qt::RichText);
    m_undoLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_undoLink->setVisible(false);
    connect(m_undoLink, &QLabel::linkActivated, this, [this] { UndoClick(); });
    bar->addPermanentWidget(m_undoLink);
}

void TForm1::showUndo() {
    if (!m_undoLink) return;
    const bool can = m_controller.canUndo();
    // Ctrl+Z: a text field that has something of its own to undo keeps the key (see eventFilter).
    m_undoAction->setEnabled(can);
    if (can) {
        const QString caption = m_controller.messages()[Msg::UndoLink];
        m_undoLink->setText(QStringLiteral("<a href=\"undo\">%1</a>").arg(caption.toHtmlEscaped()));
        m_undoLink->setToolTip(caption + QStringLiteral(" (Ctrl+Z)"));
        m_undoLink->setAccessibleName(caption);
    }
    m_undoLink->setVisible(can);
}

QString TForm1::statusText(int panel) const {
    return (panel >= 0 && panel < 3) ? m_panel[panel]->text() : QString();
}

void TForm1::setStatusText(int panel, const QString& text) {
    if (panel < 0 || panel >= 3) return;
    m_panel[panel]->setText(text);
    m_panel[panel]->setToolTip(text); // a text longer than the panel can still be read whole
    m_panel[panel]->quiet();
}

bool TForm1::progressShown() const {
    return !m_panel[2]->isHidden();
}

void TForm1::showProgress() {
    const QString text = m_controller.progressText();
    setStatusText(2, text);
    if (text.isEmpty()) {
        m_panel[2]->hide();
        return;
    }
    m_panel[2]->show();
    const bool running = m_controller.activity() != Activity::Idle;
    // While a job runs its counts come first: the panel takes the room its line needs, leaving the hint
    // panel a few letters; afterwards the two share the bar again. What is cut off ends in "…" and stays
    // readable as the panel's tool tip.
    int least = 50;
    if (running) {
        const int room = statusBar()->width() - m_panel[0]->width() - 60;
        const int needs = m_panel[2]->fontMetrics().horizontalAdvance(text) + 8;
        least = std::max(50, std::min(needs, room));
    }
    m_panel[2]->setMinimumWidth(least);
    m_panel[1]->setMinimumWidth(running ? 20 : 50);
    if (running)
        m_progressHide->stop();
    else
        m_progressHide->start();
}

void TForm1::buildPages() {
    m_tipOverview = new TipOverviewPage(m_controller.sheet(), m_controller.endpoints());
    m_pages->addTab(m_tipOverview, QStringLiteral("Tipp-Übersicht"));
    m_lastDraw = new LastDrawPage;
    m_pages->addTab(m_lastDraw, QStringLiteral("Zahlen der letzten Ziehung"));
    m_options = new OptionsPage(m_controller.criteria());
    m_pages->addTab(m_options, QStringLiteral("Berechnung"));
    m_chartPage = new ChartPage(m_controller.chart());
    m_pages->addTab(m_chartPage, QStringLiteral("Diagramm"));
    m_database = new DatabasePage;
    m_pages->addTab(m_database, QStringLiteral("Datenbank"));
    m_internet = new InternetPage(m_controller.windowValues(), m_controller.endpoints());
    m_pages->addTab(m_internet, QStringLiteral("Internet-Optionen"));
    // What each tab holds, for the tab's hint and what assistive technology reads of it.
    const QString tabHints[] = {
        QStringLiteral("Die Tipps, die angezeigte Ziehung und die Berechnung der Tipps"),
        {},
        QStringLiteral("Die Einstellungen, nach denen die Tipps berechnet werden"),
        QStringLiteral("Die Diagramme der Statistik"),
        QStringLiteral("Die gespeicherten Ziehungen: laden, wählen, eingeben, löschen und auswerten"),
        QStringLiteral("Proxy, Server und Internetseiten")};
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->setTabToolTip(i, tabHints[i]);

    TipOverviewPage* tips = m_tipOverview;
    connect(tips, &TipOverviewPage::updateRequested, this, [this] { BitBtn1Click(); });
    connect(tips, &TipOverviewPage::previousRequested, this, [this] { SpeedButton6Click(); });
    connect(tips, &TipOverviewPage::nextRequested, this, [this] { SpeedButton7Click(); });
    connect(tips, &TipOverviewPage::bannerClicked, this,
            [this] { openWebPage(m_controller.endpoints().productPage()); });
    connect(tips, &TipOverviewPage::sheetFieldLeft, this, [this] { Komplettcheck(); });
    connect(tips, &TipOverviewPage::editRowRequested, this, [this](int row) { TippEdit(row); });
    connect(tips, &TipOverviewPage::clearRequested, this, [this] { SpeedButton11Click(); });
    connect(tips, &TipOverviewPage::saveRequested, this, [this] { SpeedButton15Click(); });
    connect(tips, &TipOverviewPage::loadRequested, this, [this] { SpeedButton16Click(); });
    connect(tips, &TipOverviewPage::distributionRequested, this,
            [this] { Statistik(Statistic::RowDistribution); });
    connect(tips, &TipOverviewPage::rowCountChanged, this,
            [this](int count) { m_controller.criteria().rowCount.set(count); });
    connect(tips, &TipOverviewPage::runRequested, this, [this] { Label28Click(); });
    connect(tips, &TipOverviewPage::luckyRequested, this, [this] { SpeedButton13Click(); });
    connect(tips, &TipOverviewPage::searchRequested, this, [this] { SpeedButton4Click(); });
    connect(tips, &TipOverviewPage::printRequested, this, [this] { BitBtn7Click(); });
    connect(tips, &TipOverviewPage::basketRequested, this, [this] { WarenkorbClick(); });
    connect(tips, &TipOverviewPage::submitRequested, this, [this] { OnlineTippClick(); });

    CriteriaPage* options = m_options->criteriaPage();
    connect(options, &CriteriaPage::statisticRequested, this,
            [this](int which, bool tabFirst) { Statistik(static_cast<Statistic>(which), tabFirst); });
    // The spin's change notice sees the value before the change.
    connect(options, &CriteriaPage::runLimitChanged, this,
            [this](int oldThousands) { m_controller.state().LaufMax = oldThousands * 1000; });

    connect(m_chartPage, &ChartPage::statisticRequested, this,
            [this](Statistic statistic, bool tabFirst) { Statistik(statistic, tabFirst); });
    connect(m_chartPage, &ChartPage::endDateChanged, this,
            [this](QDate d) { m_controller.state().statisticsStart = d; });
    connect(m_chartPage, &ChartPage::endDateSettled, this,
            [this] { perform([this] { m_controller.followStatisticsStart(); }); });

    connect(m_database, &DatabasePage::updateRequested, this, [this] { BitBtn1Click(); });
    connect(m_database, &DatabasePage::stopRequested, this, [this] { SpeedButton8Click(); });
    connect(m_database, &DatabasePage::dateChanged, this,
            [this](QDate d) { m_controller.state().drawDate = d; });
    connect(m_database, &DatabasePage::selectRequested, this, [this] { SpeedButton5Click(); });
    connect(m_database, &DatabasePage::removeRequested, this, [this] { BitBtn6Click(); });
    connect(m_database, &DatabasePage::enterRequested, this, [this] { BitBtn8Click(); });
    connect(m_database, &DatabasePage::importRequested, this, [this] { ImportButtonClick(); });
    connect(m_database, &DatabasePage::statisticRequested, this,
            [this](Statistic statistic) { Statistik(statistic); });
    connect(m_database, &DatabasePage::parameterAnalysisRequested, this, [this] { BitBtn9Click(); });
    connect(m_database, &DatabasePage::drawAnalysisRequested, this, [this] { BitBtn19Click(); });

    // The update reads the proxy before every request: the fields give every change to the controller.
    connect(m_internet, &InternetPage::proxyHostChanged, this,
            [this](const QString& text) { m_controller.windowValues().proxyHost = text; });
    connect(m_internet, &InternetPage::proxyPortChanged, this,
            [this](const QString& text) { m_controller.windowValues().proxyPort = text; });
    connect(m_internet, &InternetPage::hostEdited, this, [this] {
        // A host of another scheme than http or https is refused at once: the field shows the host in use
        // again, and a message says which schemes are allowed.
        const QStringList refused = m_internet->refusedHosts();
        takeWindowValues();
        m_controller.applyEndpoints();
        showEndpoints();
        for (const QString& host : refused)
            m_controller.platform().dialogs.message(m_controller.refusedHostText(host));
    });
    connect(m_internet, &InternetPage::linkClicked, this,
            [this](const QString& address) { openWebPage(address); });
}

CriteriaPage* TForm1::criteriaPage() const {
    return m_options->criteriaPage();
}

void TForm1::connectStatusHints() {
    for (const char* name : kStatusHintControls) {
        if (QWidget* w = findChild<QWidget*>(QLatin1String(name))) w->installEventFilter(this);
    }
    // The update's shortcut works wherever the focus is: the text fields (also those of the spins and date
    // pickers, which pass the key on to their field directly) leave it to the menu.
    for (QWidget* w : findChildren<QLineEdit*>())
        w->installEventFilter(this);
    for (QWidget* w : findChildren<QAbstractSpinBox*>())
        w->installEventFilter(this);
    for (QWidget* w : findChildren<QPlainTextEdit*>())
        w->installEventFilter(this);
    for (QWidget* w : findChildren<QTextEdit*>())
        w->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+Z in a text field undoes the field's own typing; with nothing to undo there, the program's undo.
    // A spin or a date field passes the key to its own text field.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(watched)) field = spin->findChild<QLineEdit*>();
        if (field && !field->isUndoAvailable() && field->window() == this && m_controller.canUndo()) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->keyCombination() == kUpdateShortcut && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (auto* w = qobject_cast<QWidget*>(watched)) setStatusText(1, w->toolTip());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::openWebPage(const QString& address) {
    m_controller.openWebLink(address);
}

void TForm1::showState() {
    MainState& state = m_controller.state();
    m_database->showSelectedDraw(state.currentDrawLine);
    m_tipOverview->showDraw(state.currentDrawStripLine, state.crossSumText);
    // The picker keeps an earlier date out; the state follows what it shows.
    state.drawDate = m_database->showDate(state.drawDate);
    state.statisticsStart = m_chartPage->showEndDate(state.statisticsStart);
    showUndo();
}

void TForm1::initialise() {
    m_controller.beginStartUp(height());
    // The stored settings, which also arm the sheet check (sortieren) in their course.
    restoreSettings();
    m_controller.endStartUp();
    showWindowValues();
    showState();
}

void TForm1::startUp() {
    m_form3 = std::make_unique<TForm3>(this);
    m_form6 = std::make_unique<TForm6>(m_controller.random(), m_controller.platform().dialogs,
                                       m_controller.platform().clock, this);
    m_numberListPort = std::make_unique<NumberListWindow>(*m_form6);
    m_manualEntryPort = std::make_unique<ManualEntryWindow>(*m_form3);
    m_controller.setNumberList(m_numberListPort.get());
    m_controller.setManualEntry(m_manualEntryPort.get());
    m_csfForm = std::make_unique<TCSFForm>(m_controller.platform().dialogs, this);
    m_scriptDialogPort = std::make_unique<ScriptDialogWindow>(*m_csfForm);
    m_controller.setScriptDialog(m_scriptDialogPort.get());
    // The windows in the order they are created; each one's elements in the order they were created.
    m_texts = std::make_unique<WidgetTexts>(
        std::vector<QWidget*>{this, m_form3.get(), m_form6.get(), m_csfForm.get()});
    m_controller.setTextElements(this);
    m_controller.startUp();
    showStartUpNotices();
    nameControls();
}

void TForm1::showStartUpNotices() {
    QStringList notices;
    for (const QString& notice :
         {settingsProblemText(m_controller.platform().settings.problem(), m_controller.messages()),
          m_controller.startUpNotice(), m_controller.hostNotice()})
        if (!notice.isEmpty()) notices << notice;
    if (!notices.isEmpty()) setStatusText(1, notices.join(QStringLiteral("  ")));
}

void TForm1::nameControls() {
    kugelo::nameControls({this, m_pages, m_options->criteriaPage(), m_form3.get(), m_form6.get(),
                          m_csfForm.get(), &m_controller.messages(), m_tipOverview->sheetView()});
}

void TForm1::perform(const std::function<void()>& command) {
    m_controller.run(command);
}

void TForm1::Komplettcheck() {
    m_controller.checkSheet();
}
void TForm1::SpeedButton11Click() {
    perform([this] { m_controller.clearSheet(); });
}
void TForm1::SpeedButton15Click() {
    perform([this] { m_controller.saveTips(); });
}
void TForm1::SpeedButton16Click() {
    perform([this] { m_controller.loadTips(); });
}
void TForm1::TippEdit(int row) {
    perform([this, row] { m_controller.editRow(row); });
}
void TForm1::SpeedButton5Click() {
    perform([this] { m_controller.selectDraw(); });
}
void TForm1::SpeedButton6Click() {
    perform([this] { m_controller.stepBack(); });
}
void TForm1::SpeedButton7Click() {
    perform([this] { m_controller.stepForward(); });
}
void TForm1::BitBtn6Click() {
    perform([this] { m_controller.removeDraw(); });
}
void TForm1::BitBtn8Click() {
    perform([this] { m_controller.enterDraw(); });
}
void TForm1::ImportButtonClick() {
    perform([this] { m_controller.importArchives(); });
}
void TForm1::UndoClick() {
    perform([this] { m_controller.undo(); });
}
void TForm1::BitBtn1Click() {
    perform([this] { m_controller.update(); });
}
void TForm1::SpeedButton8Click() {
    m_controller.stopUpdate();
}
void TForm1::Statistik(Statistic statistic, bool showTabFirst) {
    perform([=, this] { m_controller.showStatistic(statistic, showTabFirst); });
}
void TForm1::Label28Click() {
    perform([this] { m_controller.generate(); });
}
void TForm1::SpeedButton13Click() {
    perform([this] { m_controller.luckyNumber(); });
}
void TForm1::SpeedButton4Click() {
    perform([this] { m_controller.searchTips(); });
}
void TForm1::BitBtn9Click() {
    perform([this] { m_controller.analyseParameters(); });
}
void TForm1::BitBtn19Click() {
    perform([this] { m_controller.analyseDraws(); });
}
void TForm1::BitBtn7Click() {
    perform([this] { m_controller.printTips(); });
}
void TForm1::WarenkorbClick() {
    perform([this] { m_controller.basket(); });
}
void TForm1::OnlineTippClick() {
    perform([this] { m_controller.submitScript(); });
}
void TForm1::languageClick(int number) {
    perform([this, number] { m_controller.chooseLanguage(number); });
}
void TForm1::Dateispeichern1Click() {
    perform([this] { m_controller.exportTexts(); });
}
void TForm1::DateiLaden1Click() {
    perform([this] { m_controller.applyLanguageFile(); });
}

std::vector<TextElement> TForm1::textElements() {
    return m_texts ? m_texts->elements() : std::vector<TextElement>();
}

void TForm1::setTexts(std::size_t element, const TextAssignment& texts) {
    if (m_texts) m_texts->set(element, texts);
}

void TForm1::languageChosen(int number) {
    for (const Language& l : languages())
        if (auto* a = findChild<QAction*>(QLatin1String(l.menuItem))) a->setChecked(l.number == number);
    const Language* language = languageByNumber(number);
    if (!language) return;
    // Qt's own texts (file dialogs, standard buttons) and the calendar's month and day names.
    const QLocale locale(QLatin1String(language->code));
    for (QWidget* window :
         std::initializer_list<QWidget*>{this, m_form3.get(), m_form6.get(), m_csfForm.get()})
        if (window) window->setLocale(locale);
    if (m_qtTexts) QCoreApplication::removeTranslator(m_qtTexts.get());
    m_qtTexts = std::make_unique<QTranslator>();
    if (m_qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qtTexts.get());
    else
        m_qtTexts.reset(); // English, Qt's own language
}

void TForm1::textsApplied() {
    // The caption the run button gets back after a run, and the texts that show the state.
    m_tipOverview->takeRunCaption();
    if (m_form6) m_form6->takeRandomCaption();
    showEditMenuTexts();
    showState();
    showActivity();
    if (progressShown()) showProgress(); // the counts of the last job, in the new language
    // The options are placed for their captions in the new language; the window scales from there.
    criteriaPage()->layOut([this](QWidget* w, const QRect& design) { m_scaler.place(w, design); });
    showEndpoints();        // the hosts' tool tips; then the names, from the captions and hints just applied
    followScreenWithTabs(); // the controls may have moved with the longer captions
}

void TForm1::followScreenWithTabs() {
    for (int i = 0; i < m_pages->count(); ++i)
        followScreenWithTab(m_pages->widget(i));
}

void TForm1::notice(const QString& html) {
    NoticeDialog(html, this).exec();
}

void TForm1::pump() {
    const Activity activity = m_controller.activity();
    if (activity == Activity::Generating || activity == Activity::Analysing) {
        // The window stays live at no cost per candidate: pending events about every 15 ms.
        if (m_sincePump.isValid() && m_sincePump.elapsed() < 15) return;
        if (const QString line = m_controller.progressLine();
            !line.isEmpty() || activity == Activity::Generating)
            setStatusText(1, line);
    }
    if (activity != Activity::Idle) showProgress();
    QCoreApplication::processEvents();
    m_sincePump.restart();
}

void TForm1::status(int panel, const QString& text) {
    setStatusText(panel, text);
}

void TForm1::outcome(const QString& text, const QString& spoken) {
    const QString said = spoken.isEmpty() ? text : spoken;
    // Named first, so that the new text brings one announcement, not a second one of its own.
    m_panel[1]->announce(said);
    m_panel[1]->setText(text);
    // A text fixed in another language shows as it is; the player's language is in its tool tip.
    m_panel[1]->setToolTip(said);
}

void TForm1::stateChanged() {
    showState();
}

void TForm1::criteriaChanged() {
    showCriteria();
}

void TForm1::notADrawLine(const QString& text) {
    m_controller.platform().dialogs.message(text);
}

void TForm1::waitCursor(bool on) {
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TForm1::showPage(Page page, bool repaintNow) {
    if (page == Page::TipOverview)
        m_pages->setCurrentIndex(0);
    else
        m_pages->setCurrentWidget(m_chartPage);
    if (repaintNow) repaint();
}

namespace {
// Which command each control starts; a control is greyed while the controller does not allow it.
struct CommandControl {
    const char* name;
    Command command;
};
constexpr CommandControl kCommandControls[] = {
    {"SpeedButton5", Command::SelectDraw},
    {"SpeedButton6", Command::SelectDraw},
    {"SpeedButton7", Command::SelectDraw},
    {"BitBtn6", Command::RemoveDraw},
    {"BitBtn8", Command::EnterDraw},
    {"ImportButton", Command::ImportDraws},
    {"BitBtn1", Command::Update},
    {"SpeedButton10", Command::Update},
    {"Button1", Command::Update},
    {"Aktualisieren1", Command::Update},
    {"SpeedButton11", Command::EditSheet},
    {"SpeedButton16", Command::EditSheet},
    {"BitBtn7", Command::Print},
    {"Warenkorb", Command::Basket},
    {"Abgeben1", Command::Basket},
    {"OnlineTipp", Command::SubmitScript},
    {"Deutsch1", Command::Language},
    {"Englich1", Command::Language},
    {"Franz1", Command::Language},
    {"Spanisch1", Command::Language},
    {"Italenisch1", Command::Language},
    {"Russisch1", Command::Language},
    {"Dateispeichern1", Command::Language},
    {"DateiLaden1", Command::Language},
};
// The run button and its menu item start a run when idle and stop it while it goes on.
constexpr const char* kRunControls[] = {"BitBtn4", "Berechnen1"};
// The search and the analyses: each starts when idle and, while an evaluation runs, stops it.
constexpr CommandControl kEvaluationControls[] = {
    {"SpeedButton4", Command::Search}, {"BitBtn9", Command::Analyse}, {"BitBtn19", Command::Analyse}};
} // namespace

void TForm1::showActivity() {
    const auto setEnabled = [this](const char* name, bool enabled) {
        // The dialogs are children of the window and reuse some names: only the window's own pages count.
        if (auto* w = m_pages->findChild<QWidget*>(QLatin1String(name))) w->setEnabled(enabled);
        if (auto* a = findChild<QAction*>(QLatin1String(name))) a->setEnabled(enabled);
    };
    for (const CommandControl& c : kCommandControls)
        setEnabled(c.name, m_controller.allows(c.command));
    m_shownSubmit->setEnabled(m_controller.allows(Command::Basket)); // Abgeben1 in the edit menu
    const bool generating = m_controller.activity() == Activity::Generating;
    for (const char* name : kRunControls)
        setEnabled(name,
                   m_controller.allows(Command::Generate) || m_controller.allows(Command::StopGeneration));
    for (const CommandControl& c : kEvaluationControls)
        setEnabled(c.name, m_controller.allows(c.command) || m_controller.allows(Command::StopAnalysis));
    m_tipOverview->sheetView()->setEditable(m_controller.allows(Command::EditSheet));
    m_database->showStop(m_controller.allows(Command::StopUpdate) && !m_controller.stopRequested());
    m_tipOverview->showRunning(generating && !m_controller.stopRequested(),
                               m_controller.messages()[Msg::StopRun]);
    showUndo();
    const Activity was = m_shownActivity;
    m_shownActivity = m_controller.activity();
    if (was == Activity::Updating && m_shownActivity != Activity::Updating) Q_EMIT updateFinished();
}

void TForm1::activityChanged() {
    // A job's progress, and its final counts once it is over; nothing when no job ran (the basket).
    if (m_shownActivity != Activity::Idle || m_controller.activity() != Activity::Idle) showProgress();
    showActivity();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    rescaleToHeight();
}

void TForm1::rescaleToHeight() {
    if (!m_scalerReady) {
        // The design geometry is taken at the first resize, when every control has its place.
        m_scaler.capture(m_pages);
        m_scalerReady = true;
        if (m_controller.state().Groesse == 0) return;
    }
    if (m_controller.state().Groesse > 0 && height() != m_controller.state().Groesse) {
        const double factor = static_cast<double>(height()) / m_controller.state().Groesse;
        m_scaler.scaleBy(factor);
        if (m_form6) // does not exist yet while the settings are restored at start-up
            m_form6->scaleBy(factor);
        m_controller.state().Groesse = height();
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce) return;
    m_shownOnce = true;
    // The update starts once the window is on the screen.
    if (m_updateOnShow)
        QTimer::singleShot(0, this, [this] {
            BitBtn1Click();
            // The update wrote its own texts; a problem with the stored settings or the shipped history
            // stays in view.
            showStartUpNotices();
        });
}

void TForm1::closeEvent(QCloseEvent* event) {
    // An update ends at once, a run in progress at its next candidate, so the program can end.
    m_controller.stopAll();
    saveSettings();
    event->accept();
}

void TForm1::restoreSettings() {
    SettingsStore& store = m_controller.platform().settings;
    SettingsRestore restore(store, m_controller.settingsTargets());
    try {
        store.openKey(SettingsStore::kugeloKey(), true);
    } catch (const KugeloError&) {
        return; // start-up goes on with the design values
    }
    restore.unguarded();
    m_tipOverview->showTicketNumber(m_controller.state().LosNr);
    m_controller.windowValues().width = width();
    m_controller.windowValues().height = height();
    restore.group1([this](int w, int h) {
        // A stored size larger than the screen (a damaged or foreign file) would open a window that
        // cannot be painted or closed in reasonable time, and be written back at every close.
        if (const QScreen* room = screen()) {
            w = std::min(w, room->availableGeometry().width());
            h = std::min(h, room->availableGeometry().height());
        }
        if (w > 0 && h > 0) resize(w, h);
        rescaleToHeight();
    });
    restore.group2();
    restore.group3();
    restore.printFont();
    restore.group4();
    restore.browser();
    m_controller.state().sortieren = true;
    restore.group5(m_controller.builtInEndpoints().homePage());
    restore.hosts();
    restore.dateTimePicker2();
    try {
        store.closeKey();
    } catch (const KugeloError&) {
    }
    showCriteria();
    m_controller.applyEndpoints();
    showEndpoints();
    showWindowValues();
    if (!store.problem().isEmpty())
        setStatusText(1, settingsProblemText(store.problem(), m_controller.messages()));
}

void TForm1::saveSettings() {
    takeWindowValues();
    SettingsStore& store = m_controller.platform().settings;
    // A failed write of the settings at close is ignored; the previous store file stays as it was.
    try {
        store.openKey(SettingsStore::kugeloKey(), true);
        kugelo::saveSettings(store, m_controller.settingsTargets());
        store.closeKey();
    } catch (const KugeloError&) {
    }
}

void TForm1::showWindowValues() {
    m_internet->showValues(m_controller.windowValues());
}

void TForm1::takeWindowValues() {
    WindowValues& values = m_controller.windowValues();
    values.height = height();
    values.width = width();
    values.normalState =
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    m_internet->takeValues(values, m_controller.builtInEndpoints());
}

void TForm1::showEndpoints() {
    m_internet->showEndpoints(m_controller.endpoints(), m_controller.messages()[Msg::SetFromOutside]);
    m_tipOverview->showEndpoints(m_controller.endpoints());
    nameControls(); // the update button's hint names the host
}

void TForm1::showCriteria() {
    criteriaPage()->showCriteria();
    m_tipOverview->showRowCount(m_controller.criteria().rowCount);
}

} // namespace kugelo
