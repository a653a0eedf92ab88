#include "app/MainWindow.h"

#include "draws/ManualEntryDialog.h"
#include "generator/CriteriaPage.h"
#include "generator/NumberListDialog.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheetView.h"
#include "stats/ChartView.h"
#include "widgets/LabelsView.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace kugelo {

namespace {

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    auto* l = place<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

// A picture button: an icon, optionally a caption, and its hint.
QToolButton* speedButton(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                         const QString& hint, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
    auto* b = place<QToolButton>(parent, name, geometry);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    if (icon != QStyle::SP_CustomBase) {
        b->setIcon(parent->style()->standardIcon(icon));
        b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    }
    return b;
}

QPushButton* button(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                    const QString& hint = {}, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
    auto* b = place<QPushButton>(parent, name, geometry);
    b->setText(caption);
    b->setToolTip(hint);
    if (icon != QStyle::SP_CustomBase) b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

QDateEdit* datePicker(QWidget* parent, const char* name, const QRect& geometry) {
    auto* d = place<QDateEdit>(parent, name, geometry);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setMinimumDate(earliestDrawDate());
    d->setDate(earliestDrawDate());
    d->setToolTip(QStringLiteral(
        "Dieses Datum gilt als ENddatum für die Berechnung, Ziehungen danach werden nicht berücksichtigt"));
    return d;
}

// A small painted ball above a column of the tip sheet (decoration).
QPixmap ballPixmap(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(6, 5), 9);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.setPen(colour.darker(140));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return pixmap;
}

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

// "abc" -> "a b c": the letter-spaced text of the banners.
QString spaced(const QString& text) {
    QStringList letters;
    for (QChar c : text)
        letters << QString(c);
    return letters.join(QLatin1Char(' '));
}

QString hostOnly(const QString& host) {
    const QUrl url(host);
    return url.host().isEmpty() ? host : url.host();
}

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
    "Edit92",
};

// The shortcut of the menu item Aktualisieren1. Text fields take it for "select all" unless told otherwise.
constexpr QKeyCombination kUpdateShortcut(Qt::ControlModifier, Qt::Key_A);

// Width and height of the tab pages in design pixels.
constexpr int kPageWidth = 524;
constexpr int kPageHeight = 380;

} // namespace

TForm1::TForm1(Platform platform, Endpoints endpoints, QString home, QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      m_controller(platform, std::move(endpoints), std::move(home), std::move(programFolder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmars Ziehwerk Kugelo"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    buildMenu();
    buildStatusBar();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setExpanding(false);
    const struct {
        const char* name;
        QString caption;
        void (TForm1::*build)(QWidget*);
    } tabs[] = {
        {"TabSheet1", QStringLiteral("Tipp-Übersicht"), &TForm1::buildTipOverview},
        {"TabSheet2", QStringLiteral("Zahlen der letzten Ziehung"), &TForm1::buildHiddenTab},
        {"TabSheet6", QStringLiteral("Berechnung"), &TForm1::buildCalculationTab},
        {"TabSheet5", QStringLiteral("Diagramm"), &TForm1::buildChartTab},
        {"TabSheet4", QStringLiteral("Datenbank"), &TForm1::buildDatabaseTab},
        {"TabSheet3", QStringLiteral("Internet-Optionen"), &TForm1::buildInternetTab},
    };
    for (const auto& t : tabs) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(t.name));
        (this->*t.build)(page);
        m_pages->addTab(page, t.caption);
    }
    m_pages->setTabVisible(1, false); // "Zahlen der letzten Ziehung" is never shown
    m_pages->setCurrentIndex(0);
    setCentralWidget(m_pages);

    connectStatusHints();
    m_controller.setView(this);
    showActivity();
    resize(DesignClientWidth, DesignClientHeight);
    move(286, 64);
}

TForm1::~TForm1() {
    m_controller.setView(nullptr);
    m_controller.setNumberList(nullptr);
    m_controller.setManualEntry(nullptr);
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
    item(language, "Deutsch1", QStringLiteral("Deutsch"));
    item(language, "Englich1", QStringLiteral("Englisch"));
    item(language, "Franz1", QStringLiteral("Französisch"));
    item(language, "Spanisch1", QStringLiteral("Spanisch"));
    item(language, "Italenisch1", QStringLiteral("Italienisch"));
    item(language, "Russisch1", QStringLiteral("Russisch"));
    language->addSeparator()->setObjectName(QStringLiteral("N1"));
    item(language, "Dateispeichern1", QStringLiteral("Datei &speichern"));
    item(language, "DateiLaden1", QStringLiteral("Datei &laden"));

    // Hidden in the menu; its shortcut still works, as the design's hidden item does.
    QAction* submit = item(bar, "Abgeben1", QStringLiteral("&Abgeben"), QKeySequence(Qt::CTRL | Qt::Key_G));
    submit->setVisible(false);
    auto* submitShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(submitShortcut, &QShortcut::activated, submit, &QAction::trigger);

    QAction* close = item(bar, "Schlieen1", QStringLiteral("&Schließen"));
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 2; ++i) {
        m_panel[i] = new QLabel(bar);
        m_panel[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        m_panel[i]->setFrameShape(QFrame::StyledPanel);
        m_panel[i]->setFrameShadow(QFrame::Sunken);
        m_panel[i]->setIndent(3);
    }
    m_panel[0]->setFixedWidth(150);
    m_panel[1]->setMinimumWidth(50);
    bar->addWidget(m_panel[0]);
    bar->addWidget(m_panel[1], 1);
}

QString TForm1::statusText(int panel) const {
    return (panel == 0 || panel == 1) ? m_panel[panel]->text() : QString();
}

void TForm1::setStatusText(int panel, const QString& text) {
    if (panel != 0 && panel != 1) return;
    m_panel[panel]->setText(text);
    m_panel[panel]->setToolTip(text); // a text longer than the panel can still be read whole
}

void TForm1::buildTipOverview(QWidget* tab) {
    // Top strip: the current draw.
    auto* strip = place<QFrame>(tab, "Panel4", {0, 0, kPageWidth, 40});
    strip->setFrameShape(QFrame::StyledPanel);
    auto* update = speedButton(
        strip, "SpeedButton10", {6, 7, 26, 26}, {},
        QStringLiteral("Ziehungsdaten von %1 laden").arg(hostOnly(m_controller.endpoints().productHost())),
        QStyle::SP_BrowserReload);
    update->setIconSize({18, 18});
    connect(update, &QToolButton::clicked, this, [this] { BitBtn1Click(); });
    auto* back = speedButton(strip, "SpeedButton6", {46, 9, 22, 22}, {},
                             QStringLiteral("vorhergehende Ziehung anzeigen"), QStyle::SP_ArrowLeft);
    m_label35 = label(strip, "Label35", {72, 12, 250, 16}, {});
    m_label35->setAlignment(Qt::AlignCenter);
    QFont bold = m_label35->font();
    bold.setBold(true);
    m_label35->setFont(bold);
    auto* forward = speedButton(strip, "SpeedButton7", {326, 9, 22, 22}, {},
                                QStringLiteral("nächste Ziehung anzeigen"), QStyle::SP_ArrowRight);
    label(strip, "Losnummer", {354, 12, 70, 16}, {});
    m_label13 = label(strip, "Label13", {424, 12, 94, 16}, QStringLiteral("Quersumme"));
    m_label13->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(back, &QToolButton::clicked, this, [this] { SpeedButton6Click(); });
    connect(forward, &QToolButton::clicked, this, [this] { SpeedButton7Click(); });

    // Banners at the left and right edge.
    const auto banner = [this, tab](const char* panelName, const char* labelName, int x, const QString& text,
                                    const QString& hint) {
        auto* panel = place<ClickablePanel>(tab, panelName, {x, 44, 40, 330});
        panel->setAutoFillBackground(true);
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x7a));
        p.setColor(QPalette::WindowText, QColor(0xff, 0xd7, 0x40));
        panel->setPalette(p);
        panel->setCursor(Qt::PointingHandCursor);
        auto* l = place<VerticalLabel>(panel, labelName, {0, 0, 40, 330});
        QFont f = l->font();
        f.setPixelSize(15);
        f.setBold(true);
        l->setFont(f);
        l->setText(text);
        l->setToolTip(hint);
        connect(panel, &ClickablePanel::clicked, this,
                [this] { openWebPage(m_controller.endpoints().productPage()); });
        connect(l, &ClickableLabel::clicked, this,
                [this] { openWebPage(m_controller.endpoints().productPage()); });
    };
    banner("Panel2", "Label43", 2, spaced(hostOnly(m_controller.endpoints().companyHost())),
           QStringLiteral("Der Ziehwerk ist eine Programm von Velmar-Software"));
    banner("Panel5", "Label44", kPageWidth - 42,
           spaced(QStringLiteral("Kugelo")) + QStringLiteral("   V 2 . 2"),
           QStringLiteral("Neuste Update finden Sie immer auf der Internetseite"));

    // The tip sheet: decoration balls above the columns, then the twelve rows.
    for (int i = 0; i < 6; ++i) {
        const int x = i < 5 ? kTipNumberX[i] : kTipChanceX;
        auto* ball = place<QLabel>(tab, "", {x + 4, 48, 16, 16});
        ball->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        ball->setPixmap(ballPixmap(i < 5 ? QColor(0xf2, 0xc1, 0x1d) : QColor(0xd6, 0x28, 0x28)));
    }
    m_sheetView = new TipSheetView(m_controller.sheet(), tab);
    connect(m_sheetView, &TipSheetView::fieldLeft, this, [this] { Komplettcheck(); });
    connect(m_sheetView, &TipSheetView::editRowRequested, this, [this](int row) { TippEdit(row); });

    // Button row under the sheet.
    constexpr int rowY = 282;
    auto* clear = speedButton(tab, "SpeedButton11", {48, rowY, 26, 26}, {},
                              QStringLiteral("Löschen aller Tipps"), QStyle::SP_DialogDiscardButton);
    auto* save = speedButton(tab, "SpeedButton15", {76, rowY, 26, 26}, {},
                             QStringLiteral("Speichern des Tipps"), QStyle::SP_DialogSaveButton);
    auto* load = speedButton(tab, "SpeedButton16", {104, rowY, 26, 26}, {},
                             QStringLiteral("Tipp laden aus Datei"), QStyle::SP_DialogOpenButton);
    connect(clear, &QToolButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(save, &QToolButton::clicked, this, [this] { SpeedButton15Click(); });
    connect(load, &QToolButton::clicked, this, [this] { SpeedButton16Click(); });
    speedButton(tab, "SpeedButton4", {136, rowY, 112, 26}, QStringLiteral("Tipps in DB suchen"),
                QStringLiteral("Hier können Sie suchen ob dieser Tipp schon einmal gezogen wurde"));
    auto* distribution =
        button(tab, "Button6", {252, rowY, 114, 26}, QStringLiteral("Verteilung der Tipps"),
               QStringLiteral("Hier sehen Sie im Diagramm welche Zahlen wie oft gezogen wurden"));
    connect(distribution, &QPushButton::clicked, this, [this] { Statistik(Statistic::RowDistribution); });
    button(tab, "BitBtn7", {370, rowY, 108, 26}, QStringLiteral("Tipp ausdrucken"),
           QStringLiteral("Drucken SIe hier die berechneten Tipps aus"), QStyle::SP_FileIcon);

    // Bottom strip: the generation controls.
    auto* bottom = place<QFrame>(tab, "Panel3", {44, 316, kPageWidth - 88, 58});
    bottom->setFrameShape(QFrame::StyledPanel);
    auto* count = place<QSpinBox>(bottom, "UpDown8", {8, 16, 44, 26});
    count->setRange(1, 12);
    count->setValue(5);
    count->findChild<QLineEdit*>()->setObjectName(QStringLiteral("Edit80"));
    connect(count, &QSpinBox::valueChanged, this, [this](int v) { m_controller.criteria().UpDown8.set(v); });
    m_runButton =
        button(bottom, "BitBtn4", {58, 14, 124, 30}, QStringLiteral("Tipps berechnen"),
               QStringLiteral("Starten Sie hier die Berechnung der Tippreihen."), QStyle::SP_MediaPlay);
    QFont runFont = m_runButton->font();
    runFont.setBold(true);
    m_runButton->setFont(runFont);
    connect(m_runButton, &QPushButton::clicked, this, [this] { Label28Click(); });
    auto* lucky = speedButton(
        bottom, "SpeedButton13", {186, 14, 30, 30}, QStringLiteral("☘"),
        QStringLiteral("Hier können Sie den Zufall etwas nachhelfen und wirklich Ihren Tipp generieren"));
    connect(lucky, &QToolButton::clicked, this, [this] { SpeedButton13Click(); });
    speedButton(bottom, "OnlineTipp", {222, 14, 104, 30}, QStringLiteral("Tipp &abgeben"),
                QStringLiteral("Hier können Sie den Tipp Online abgeben"), QStyle::SP_ArrowUp);
    button(bottom, "Warenkorb", {332, 14, 96, 30}, QStringLiteral("shopping"));

    auto* buffer = place<QTextEdit>(tab, "RichEdit1", {0, 0, 10, 10});
    buffer->setVisible(false);
}

void TForm1::buildHiddenTab(QWidget* tab) {
    auto* memo = place<QPlainTextEdit>(tab, "Memo2", {8, 8, 200, 100});
    memo->setPlainText(MessageTable::germanDefaults().join(QLatin1Char('\n')));
    memo->setVisible(false);
    button(tab, "Button1", {8, 120, 220, 26}, QStringLiteral("Lottozahlen aus dem Internet laden"));
}

void TForm1::buildCalculationTab(QWidget* tab) {
    auto* inner = place<QTabWidget>(tab, "PageControl2", {4, 4, kPageWidth - 8, kPageHeight - 8});
    const char* names[] = {"TabSheet7", "TabSheet8", "TabSheet9", "TabSheet10", "TabSheet11"};
    const QString captions[] = {QStringLiteral("Statistisch"), QStringLiteral("Schein Optimierung"),
                                QStringLiteral("Mathematisch"), QStringLiteral("n° CHANCE"),
                                QStringLiteral("Allgemein")};
    std::array<QWidget*, 5> pages{};
    for (int i = 0; i < 5; ++i) {
        pages[std::size_t(i)] = new QWidget;
        pages[std::size_t(i)]->setObjectName(QLatin1String(names[i]));
        inner->addTab(pages[std::size_t(i)], captions[i]);
    }
    m_criteriaPage = new CriteriaPage(m_controller.criteria(), pages, this);
    connect(m_criteriaPage, &CriteriaPage::statisticRequested, this,
            [this](int which, bool tabFirst) { Statistik(static_cast<Statistic>(which), tabFirst); });
    // The spin's change notice sees the value before the change.
    connect(m_criteriaPage, &CriteriaPage::runLimitChanged, this,
            [this](int oldThousands) { m_controller.state().LaufMax = oldThousands * 1000; });
}

void TForm1::buildChartTab(QWidget* tab) {
    auto* bar = place<QFrame>(tab, "Panel6", {0, 0, kPageWidth, 34});
    bar->setFrameShape(QFrame::StyledPanel);
    const auto chartButton = [this, bar](const char* name, const QRect& geometry, const QString& caption,
                                         const QString& hint, Statistic statistic, bool tabFirst,
                                         QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        auto* b = speedButton(bar, name, geometry, caption, hint, icon);
        connect(b, &QToolButton::clicked, this,
                [this, statistic, tabFirst] { Statistik(statistic, tabFirst); });
    };
    chartButton("SpeedButton2", {4, 4, 26, 26}, {}, QStringLiteral("Verteilung der gezogenen Zahlen"),
                Statistic::Frequency, false, QStyle::SP_FileDialogDetailedView);
    chartButton("SpeedButton9", {32, 4, 30, 26}, QStringLiteral("QS"), {}, Statistic::CrossSums, false);
    chartButton("SpeedButton1", {64, 4, 30, 26}, QStringLiteral("2er"), {}, Statistic::Pairs, false);
    chartButton("SpeedButton3", {96, 4, 30, 26}, QStringLiteral("3er"), {}, Statistic::Triples, false);
    chartButton("SpeedButton12", {128, 4, 30, 26}, QStringLiteral("4er"), {}, Statistic::Quadruples, false);
    chartButton("SpeedButton19", {160, 4, 70, 26}, QStringLiteral("ausstehende"),
                QStringLiteral("wie lange wurde die jeweilige Zahl nicht gezogen"), Statistic::Overdue,
                false);
    chartButton("SpeedButton20", {232, 4, 62, 26}, QStringLiteral("n°CHANCE"),
                QStringLiteral("Wie oft wurde jeder einzelne Glanzball gezogen"), Statistic::ChanceFrequency,
                true);
    chartButton("SpeedButton21", {296, 4, 90, 26}, QStringLiteral("n°CHANCE offen"),
                QStringLiteral("wie lange sind der einzelne n°CHANCE überfällig"), Statistic::ChanceOverdue,
                false);
    m_picker2 = datePicker(bar, "DateTimePicker2", {416, 6, 102, 22});
    connect(m_picker2, &QDateEdit::dateChanged, this,
            [this](QDate d) { m_controller.state().DateTimePicker2 = d; });

    auto* chart = new ChartView(m_controller.chart(), tab);
    chart->setGeometry(0, 36, kPageWidth, kPageHeight - 36);
}

void TForm1::buildDatabaseTab(QWidget* tab) {
    const auto connectStatistic = [this](QPushButton* b, Statistic statistic) {
        connect(b, &QPushButton::clicked, this, [this, statistic] { Statistik(statistic); });
    };
    auto* update =
        button(tab, "BitBtn1", {8, 8, 180, 28}, QStringLiteral("&Datenbank aktualisieren"),
               QStringLiteral("aktualieren der Datenbank über Internet"), QStyle::SP_BrowserReload);
    connect(update, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    auto* stop = speedButton(tab, "SpeedButton8", {194, 9, 26, 26}, {}, QStringLiteral("Stoppt das Einlesen"),
                             QStyle::SP_BrowserStop);
    stop->setVisible(false);
    connect(stop, &QToolButton::clicked, this, [this] { SpeedButton8Click(); });

    m_picker1 = datePicker(tab, "DateTimePicker1", {8, 48, 110, 24});
    connect(m_picker1, &QDateEdit::dateChanged, this,
            [this](QDate d) { m_controller.state().DateTimePicker1 = d; });
    auto* select = speedButton(tab, "SpeedButton5", {124, 47, 26, 26}, {},
                               QStringLiteral("Bewertung des Tipps für die Ziehung des gewählten Datums"),
                               QStyle::SP_DialogApplyButton);
    connect(select, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
    m_label29 = label(tab, "Label29", {158, 52, 358, 16}, {});
    QFont bold = m_label29->font();
    bold.setBold(true);
    m_label29->setFont(bold);

    auto* remove = button(tab, "BitBtn6", {8, 84, 110, 28}, QStringLiteral("Löschen"),
                          QStringLiteral("Löschen der aktuell angezeigten Ziehung"), QStyle::SP_TrashIcon);
    connect(remove, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    auto* enter =
        button(tab, "BitBtn8", {124, 84, 110, 28}, QStringLiteral("Eingeben"),
               QStringLiteral("manuelle eingaben der Ziehungsdaten."), QStyle::SP_FileDialogNewFolder);
    connect(enter, &QPushButton::clicked, this, [this] { BitBtn8Click(); });

    connectStatistic(button(tab, "Button2", {8, 126, 92, 26}, QStringLiteral("Paare suchen"),
                            QStringLiteral("Erzeugen der Grafik für die Paarbildung der Zahlen")),
                     Statistic::Pairs);
    connectStatistic(
        button(tab, "Button3", {104, 126, 92, 26}, QStringLiteral("Dreier suchen"),
               QStringLiteral("Erzeugen der Grafik für die Bildung von Dreiergruppen der Zahlen")),
        Statistic::Triples);
    connectStatistic(button(tab, "Button4", {200, 126, 92, 26}, QStringLiteral("Vierer suchen"),
                            QStringLiteral("Erzeugen der Grafik für die Bildung von Viergruppen der Zahlen")),
                     Statistic::Quadruples);
    connectStatistic(button(tab, "Button5", {296, 126, 92, 26}, QStringLiteral("Ausstehende"),
                            QStringLiteral("Erzeugt die Grafik für die Ausstehenden Zahlen")),
                     Statistic::Overdue);
    connectStatistic(button(tab, "Button8", {392, 126, 124, 26}, QStringLiteral("Glanzball ausstehende"),
                            QStringLiteral("Welcher Glanzball ist am länsten überfällig")),
                     Statistic::ChanceOverdue);

    const QString analysisHint =
        QStringLiteral("Berechnung und Erfolg beginnend mit dem oben gewählten Datum");
    label(tab, "Label73", {8, 170, 508, 16},
          QStringLiteral("Anhand der eingestellten Parameter werden Tipps berechnet und ausgewertet"));
    button(tab, "BitBtn9", {8, 188, 508, 28},
           QStringLiteral("Historische Analyse der Parameter beginnenden mit oben gewähltem Datum"),
           analysisHint);
    label(tab, "Label74", {8, 230, 508, 16}, QStringLiteral("War eine Ziehung schonmal ein 4er oder 5er?"));
    button(tab, "BitBtn19", {8, 248, 508, 28},
           QStringLiteral("Historische Analyse beginnend mit dem oben gewähltem Datum"), analysisHint);

    place<QPlainTextEdit>(tab, "Memo1", {0, 0, 10, 10})->setVisible(false);
}

void TForm1::buildInternetTab(QWidget* tab) {
    label(tab, "Label51", {8, 14, 90, 16}, QStringLiteral("Proxy-Server"));
    // The update reads the proxy before every request: the fields give every change to the controller.
    auto* proxyHost = place<QLineEdit>(tab, "ProxyHostEdit", {100, 10, 220, 22});
    connect(proxyHost, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_controller.windowValues().ProxyHostEdit = text; });
    label(tab, "Label53", {8, 42, 90, 16}, QStringLiteral("Proxy-Port"));
    auto* proxyPort = place<QLineEdit>(tab, "ProxyPortEdit", {100, 38, 60, 22});
    proxyPort->setText(m_controller.windowValues().ProxyPortEdit);
    connect(proxyPort, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_controller.windowValues().ProxyPortEdit = text; });

    // The vendor's hosts, stored with the settings; an environment variable overrides its field.
    const struct {
        const char* label;
        const char* edit;
        int y;
        const char* caption;
        const char* hint;
    } hosts[] = {
        {"Label75", "ProductHostEdit", 66, "Produkt-Server",
         "Ziehungsdienst, Warenkorb, Skripte und Produktseite, z. B. http://www.kugelo.example"},
        {"Label76", "CompanyHostEdit", 94, "Firmen-Server", "Startseite und Downloads des Herstellers"},
        {"Label77", "ResultsHostEdit", 122, "Ergebnis-Seite",
         "Seite der Lotteriegesellschaft mit den Ziehungen"},
    };
    for (const auto& h : hosts) {
        label(tab, h.label, {8, h.y + 4, 90, 16}, QString::fromUtf8(h.caption))
            ->setToolTip(QString::fromUtf8(h.hint));
        auto* edit = place<QLineEdit>(tab, h.edit, {100, h.y, 300, 22});
        edit->setPlaceholderText(QString::fromUtf8(h.hint));
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            takeWindowValues();
            m_controller.applyEndpoints();
            showEndpoints();
        });
    }

    const auto link = [this, tab](const char* headingName, const char* name, int y, const QString& heading,
                                  const QString& address) {
        label(tab, headingName, {8, y, 508, 16}, heading);
        auto* l = place<ClickableLabel>(tab, name, {8, y + 18, 508, 18});
        l->setText(address);
        makeLinkLabel(l);
        connect(l, &ClickableLabel::clicked, this, [this, l] { openWebPage(l->text()); });
    };
    link("Label55", "Label52", 160, QStringLiteral("Updates und die neueste Version gibt es bei:"),
         m_controller.endpoints().productPage());
    link("Label56", "Label54", 206, QStringLiteral("Die aktuellen Ziehungen und Quoten finden unter:"),
         m_controller.endpoints().resultsPage());

    // Values kept in the settings that no command shows.
    label(tab, "Label57", {8, 260, 150, 16}, QStringLiteral("Für eine Ziehung:"))->setVisible(false);
    place<QLineEdit>(tab, "Edit81", {160, 258, 60, 22})->setText(QStringLiteral("0,50"));
    label(tab, "Label58", {8, 286, 150, 16}, QStringLiteral("Für eine Sa und Mi. Ziehung:"))
        ->setVisible(false);
    place<QLineEdit>(tab, "Edit82", {160, 284, 60, 22})->setText(QStringLiteral("1,00"));
    tab->findChild<QWidget*>(QStringLiteral("Edit81"))->setVisible(false);
    tab->findChild<QWidget*>(QStringLiteral("Edit82"))->setVisible(false);
    auto* browser = place<QCheckBox>(tab, "CheckBox21", {8, 310, 200, 18});
    browser->setText(QStringLiteral("Linkseite aktivieren"));
    browser->setVisible(false);
    auto* url = place<QLineEdit>(tab, "URLEdit", {8, 334, 300, 22});
    url->setText(m_controller.endpoints().homePage());
    url->setEnabled(false);
    url->setVisible(false);
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
    m_controller.platform().desktop.open(address);
}

void TForm1::showState() {
    m_label29->setText(m_controller.state().Label29);
    m_label35->setText(m_controller.state().Label35);
    m_label13->setText(m_controller.state().Label13);
    {
        const QSignalBlocker block(m_picker1);
        m_picker1->setDate(m_controller.state().DateTimePicker1);
    }
    {
        const QSignalBlocker block(m_picker2);
        m_picker2->setDate(m_controller.state().DateTimePicker2);
    }
    // The picker keeps an earlier date out; the state follows what it shows.
    m_controller.state().DateTimePicker1 = m_picker1->date();
    m_controller.state().DateTimePicker2 = m_picker2->date();
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
    m_controller.startUp();
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

void TForm1::pump() {
    if (m_controller.activity() == Activity::Generating) {
        // The window stays live at no cost per candidate: pending events about every 15 ms.
        if (m_sincePump.isValid() && m_sincePump.elapsed() < 15) return;
        setStatusText(1, m_controller.progressLine());
    }
    QCoreApplication::processEvents();
    m_sincePump.restart();
}

void TForm1::status(int panel, const QString& text) {
    setStatusText(panel, text);
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
        m_pages->setCurrentWidget(findChild<QWidget*>(QStringLiteral("TabSheet5")));
    if (repaintNow) repaint();
}

namespace {
// Which command each control starts; a control is greyed while the controller does not allow it.
struct CommandControl {
    const char* name;
    Command command;
};
constexpr CommandControl kCommandControls[] = {
    {"SpeedButton5", Command::SelectDraw}, {"SpeedButton6", Command::SelectDraw},
    {"SpeedButton7", Command::SelectDraw}, {"BitBtn6", Command::RemoveDraw},
    {"BitBtn8", Command::EnterDraw},       {"BitBtn1", Command::Update},
    {"SpeedButton10", Command::Update},    {"Button1", Command::Update},
    {"Aktualisieren1", Command::Update},   {"SpeedButton11", Command::EditSheet},
    {"SpeedButton16", Command::EditSheet},
};
// The run button and its menu item start a run when idle and stop it while it goes on.
constexpr const char* kRunControls[] = {"BitBtn4", "Berechnen1"};
} // namespace

void TForm1::showActivity() {
    const auto setEnabled = [this](const char* name, bool enabled) {
        // The dialogs are children of the window and reuse some names: only the window's own pages count.
        if (auto* w = m_pages->findChild<QWidget*>(QLatin1String(name))) w->setEnabled(enabled);
        if (auto* a = findChild<QAction*>(QLatin1String(name))) a->setEnabled(enabled);
    };
    for (const CommandControl& c : kCommandControls)
        setEnabled(c.name, m_controller.allows(c.command));
    const bool generating = m_controller.activity() == Activity::Generating;
    for (const char* name : kRunControls)
        setEnabled(name, m_controller.allows(Command::Generate) || generating);
    m_sheetView->setEditable(m_controller.allows(Command::EditSheet));
    m_pages->findChild<QToolButton*>(QStringLiteral("SpeedButton8"))
        ->setVisible(m_controller.allows(Command::StopUpdate) && !m_controller.stopRequested());
    if (m_tippsberechnen.isEmpty()) m_tippsberechnen = m_runButton->text();
    m_runButton->setText(generating && !m_controller.stopRequested() ? m_controller.messages()[Msg::StopRun]
                                                                     : m_tippsberechnen);
    const Activity was = m_shownActivity;
    m_shownActivity = m_controller.activity();
    if (was == Activity::Updating && m_shownActivity != Activity::Updating) Q_EMIT updateFinished();
}

void TForm1::activityChanged() {
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
            // The update wrote its own texts; a problem with the stored settings stays in view.
            if (!m_controller.platform().settings.problem().isEmpty())
                setStatusText(1, m_controller.platform().settings.problem());
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
    findChild<QLabel*>(QStringLiteral("Losnummer"))->setText(m_controller.state().LosNr);
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
    if (!store.problem().isEmpty()) setStatusText(1, store.problem());
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

namespace {
// The host fields of the Internet-Optionen tab and their environment variables.
struct HostField {
    const char* edit;
    const char* variable;
    QString WindowValues::*stored;
};
const HostField kHostFields[] = {
    {"ProductHostEdit", "KUGELO_PRODUCT_HOST", &WindowValues::ProductHost},
    {"CompanyHostEdit", "KUGELO_COMPANY_HOST", &WindowValues::CompanyHost},
    {"ResultsHostEdit", "KUGELO_RESULTS_HOST", &WindowValues::ResultsHost},
};
} // namespace

void TForm1::showWindowValues() {
    findChild<QLineEdit*>(QStringLiteral("Edit81"))->setText(m_controller.windowValues().Edit81);
    findChild<QLineEdit*>(QStringLiteral("Edit82"))->setText(m_controller.windowValues().Edit82);
    findChild<QCheckBox*>(QStringLiteral("CheckBox21"))->setChecked(m_controller.windowValues().CheckBox21);
    findChild<QLineEdit*>(QStringLiteral("URLEdit"))->setText(m_controller.windowValues().URLEdit);
    findChild<QLineEdit*>(QStringLiteral("ProxyHostEdit"))
        ->setText(m_controller.windowValues().ProxyHostEdit);
    findChild<QLineEdit*>(QStringLiteral("ProxyPortEdit"))
        ->setText(m_controller.windowValues().ProxyPortEdit);
}

void TForm1::takeWindowValues() {
    m_controller.windowValues().height = height();
    m_controller.windowValues().width = width();
    m_controller.windowValues().normalState =
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    m_controller.windowValues().Edit81 = findChild<QLineEdit*>(QStringLiteral("Edit81"))->text();
    m_controller.windowValues().Edit82 = findChild<QLineEdit*>(QStringLiteral("Edit82"))->text();
    m_controller.windowValues().CheckBox21 = findChild<QCheckBox*>(QStringLiteral("CheckBox21"))->isChecked();
    m_controller.windowValues().URLEdit = findChild<QLineEdit*>(QStringLiteral("URLEdit"))->text();
    m_controller.windowValues().ProxyHostEdit =
        findChild<QLineEdit*>(QStringLiteral("ProxyHostEdit"))->text();
    m_controller.windowValues().ProxyPortEdit =
        findChild<QLineEdit*>(QStringLiteral("ProxyPortEdit"))->text();
    // A host set by its environment variable is not stored (the stored one stays), nor is the built-in one.
    const QString builtIn[] = {m_controller.builtInEndpoints().productHost(),
                               m_controller.builtInEndpoints().companyHost(),
                               m_controller.builtInEndpoints().resultsHost()};
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        const HostField& f = kHostFields[i];
        if (!qEnvironmentVariable(f.variable).trimmed().isEmpty()) continue;
        const QString host = Endpoints::normalizeHost(findChild<QLineEdit*>(QLatin1String(f.edit))->text());
        m_controller.windowValues().*f.stored = host == builtIn[i] ? QString() : host;
    }
}

void TForm1::showEndpoints() {
    const QString hosts[] = {m_controller.endpoints().productHost(), m_controller.endpoints().companyHost(),
                             m_controller.endpoints().resultsHost()};
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        auto* edit = findChild<QLineEdit*>(QLatin1String(kHostFields[i].edit));
        const bool fixed = !qEnvironmentVariable(kHostFields[i].variable).trimmed().isEmpty();
        const QSignalBlocker block(edit);
        edit->setText(hosts[i]);
        edit->setEnabled(!fixed); // set from outside: shown greyed, its tool tip says by what
        edit->setToolTip(
            fixed ? QStringLiteral("Festgelegt durch %1").arg(QLatin1String(kHostFields[i].variable))
                  : QString());
    }
    findChild<QWidget*>(QStringLiteral("SpeedButton10"))
        ->setToolTip(QStringLiteral("Ziehungsdaten von %1 laden")
                         .arg(hostOnly(m_controller.endpoints().productHost())));
    findChild<QLabel*>(QStringLiteral("Label52"))->setText(m_controller.endpoints().productPage());
    findChild<QLabel*>(QStringLiteral("Label54"))->setText(m_controller.endpoints().resultsPage());
    findChild<QLabel*>(QStringLiteral("Label43"))
        ->setText(spaced(hostOnly(m_controller.endpoints().companyHost())));
}

void TForm1::showCriteria() {
    m_criteriaPage->showCriteria();
    auto* count = findChild<QSpinBox*>(QStringLiteral("UpDown8"));
    const QSignalBlocker block(count);
    count->setRange(m_controller.criteria().UpDown8.min, m_controller.criteria().UpDown8.max);
    count->setValue(m_controller.criteria().UpDown8.value);
}

} // namespace kugelo
