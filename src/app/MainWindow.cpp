#include "app/MainWindow.h"

#include "app/LabelsView.h"
#include "draws/CurrentDraw.h"
#include "draws/DrawFile.h"
#include "draws/DrawUpdate.h"
#include "draws/ManualEntry.h"
#include "draws/ManualEntryDialog.h"
#include "evaluation/HitCheck.h"
#include "generator/CriteriaPage.h"
#include "generator/GenerationRun.h"
#include "generator/NumberListDialog.h"
#include "i18n/TextFile.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Convert.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"
#include "sheet/TipFile.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheetView.h"
#include "stats/ChartView.h"

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

// Shows the wait cursor while it lives.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Sets a shared file dialog up for tip files; its default extension and filter are put back when the
// scope ends.
class TipDialogScope {
public:
    TipDialogScope(FileDialogOptions& dialog, const QString& folder)
        : m_dialog(dialog), m_extension(dialog.defaultExtension), m_filter(dialog.filter) {
        dialog.defaultExtension = QStringLiteral("tpf");
        dialog.filter = QStringLiteral("Tippdatei|*.tpf");
        dialog.initialFolder = folder;
    }
    ~TipDialogScope() {
        m_dialog.defaultExtension = m_extension;
        m_dialog.filter = m_filter;
    }
    TipDialogScope(const TipDialogScope&) = delete;
    TipDialogScope& operator=(const TipDialogScope&) = delete;

private:
    FileDialogOptions& m_dialog;
    QString m_extension;
    QString m_filter;
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

// Width and height of the tab pages in design pixels.
constexpr int kPageWidth = 524;
constexpr int kPageHeight = 380;

} // namespace

TForm1::TForm1(Platform platform, Endpoints endpoints, QString home, QString programFolder, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_endpoints(endpoints),
      m_baseEndpoints(std::move(endpoints)), m_home(std::move(home)),
      m_programFolder(std::move(programFolder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmars Ziehwerk Kugelo"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    m_currentDraw =
        std::make_unique<CurrentDraw>(m_state, m_messages, m_platform.dialogs, [this] { Komplettcheck(); });

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
    resize(DesignClientWidth, DesignClientHeight);
    move(286, 64);
}

TForm1::~TForm1() = default;

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
    QAction* update = item(bar, "Aktualisieren1", QStringLiteral("&Ziehungsdaten laden"),
                           QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(update, &QAction::triggered, this, [this] { runCommand([this] { BitBtn1Click(); }); });
    QAction* compute =
        item(bar, "Berechnen1", QStringLiteral("&Berechnen"), QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(compute, &QAction::triggered, this, [this] { runCommand([this] { Label28Click(); }); });

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
    if (panel == 0 || panel == 1) m_panel[panel]->setText(text);
}

void TForm1::buildTipOverview(QWidget* tab) {
    // Top strip: the current draw.
    auto* strip = place<QFrame>(tab, "Panel4", {0, 0, kPageWidth, 40});
    strip->setFrameShape(QFrame::StyledPanel);
    auto* update =
        speedButton(strip, "SpeedButton10", {6, 7, 26, 26}, {},
                    QStringLiteral("Ziehungsdaten von %1 laden").arg(hostOnly(m_endpoints.productHost())),
                    QStyle::SP_BrowserReload);
    update->setIconSize({18, 18});
    connect(update, &QToolButton::clicked, this, [this] { runCommand([this] { BitBtn1Click(); }); });
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
    connect(back, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton6Click(); }); });
    connect(forward, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton7Click(); }); });

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
        connect(panel, &ClickablePanel::clicked, this, [this] { openWebPage(m_endpoints.productPage()); });
        connect(l, &ClickableLabel::clicked, this, [this] { openWebPage(m_endpoints.productPage()); });
    };
    banner("Panel2", "Label43", 2, spaced(hostOnly(m_endpoints.companyHost())),
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
    m_sheetView = new TipSheetView(m_sheet, tab);
    connect(m_sheetView, &TipSheetView::fieldLeft, this, [this] { runCommand([this] { Komplettcheck(); }); });
    connect(m_sheetView, &TipSheetView::editRowRequested, this,
            [this](int row) { runCommand([this, row] { TippEdit(row); }); });

    // Button row under the sheet.
    constexpr int rowY = 282;
    auto* clear = speedButton(tab, "SpeedButton11", {48, rowY, 26, 26}, {},
                              QStringLiteral("Löschen aller Tipps"), QStyle::SP_DialogDiscardButton);
    auto* save = speedButton(tab, "SpeedButton15", {76, rowY, 26, 26}, {},
                             QStringLiteral("Speichern des Tipps"), QStyle::SP_DialogSaveButton);
    auto* load = speedButton(tab, "SpeedButton16", {104, rowY, 26, 26}, {},
                             QStringLiteral("Tipp laden aus Datei"), QStyle::SP_DialogOpenButton);
    connect(clear, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton11Click(); }); });
    connect(save, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton15Click(); }); });
    connect(load, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton16Click(); }); });
    speedButton(tab, "SpeedButton4", {136, rowY, 112, 26}, QStringLiteral("Tipps in DB suchen"),
                QStringLiteral("Hier können Sie suchen ob dieser Tipp schon einmal gezogen wurde"));
    auto* distribution =
        button(tab, "Button6", {252, rowY, 114, 26}, QStringLiteral("Verteilung der Tipps"),
               QStringLiteral("Hier sehen Sie im Diagramm welche Zahlen wie oft gezogen wurden"));
    connect(distribution, &QPushButton::clicked, this,
            [this] { runCommand([this] { Statistik(Statistic::RowDistribution); }); });
    button(tab, "BitBtn7", {370, rowY, 108, 26}, QStringLiteral("Tipp ausdrucken"),
           QStringLiteral("Drucken SIe hier die berechneten Tipps aus"), QStyle::SP_FileIcon);

    // Bottom strip: the generation controls.
    auto* bottom = place<QFrame>(tab, "Panel3", {44, 316, kPageWidth - 88, 58});
    bottom->setFrameShape(QFrame::StyledPanel);
    auto* count = place<QSpinBox>(bottom, "UpDown8", {8, 16, 44, 26});
    count->setRange(1, 12);
    count->setValue(5);
    count->findChild<QLineEdit*>()->setObjectName(QStringLiteral("Edit80"));
    connect(count, &QSpinBox::valueChanged, this, [this](int v) { m_criteria.UpDown8.set(v); });
    m_runButton =
        button(bottom, "BitBtn4", {58, 14, 124, 30}, QStringLiteral("Tipps berechnen"),
               QStringLiteral("Starten Sie hier die Berechnung der Tippreihen."), QStyle::SP_MediaPlay);
    QFont runFont = m_runButton->font();
    runFont.setBold(true);
    m_runButton->setFont(runFont);
    connect(m_runButton, &QPushButton::clicked, this, [this] { runCommand([this] { Label28Click(); }); });
    auto* lucky = speedButton(
        bottom, "SpeedButton13", {186, 14, 30, 30}, QStringLiteral("☘"),
        QStringLiteral("Hier können Sie den Zufall etwas nachhelfen und wirklich Ihren Tipp generieren"));
    connect(lucky, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton13Click(); }); });
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
    m_criteriaPage = new CriteriaPage(m_criteria, pages, this);
    connect(m_criteriaPage, &CriteriaPage::statisticRequested, this, [this](int which, bool tabFirst) {
        runCommand([=, this] { Statistik(static_cast<Statistic>(which), tabFirst); });
    });
    // The spin's change notice sees the value before the change.
    connect(m_criteriaPage, &CriteriaPage::runLimitChanged, this,
            [this](int oldThousands) { m_state.LaufMax = oldThousands * 1000; });
}

void TForm1::buildChartTab(QWidget* tab) {
    auto* bar = place<QFrame>(tab, "Panel6", {0, 0, kPageWidth, 34});
    bar->setFrameShape(QFrame::StyledPanel);
    const auto chartButton = [this, bar](const char* name, const QRect& geometry, const QString& caption,
                                         const QString& hint, Statistic statistic, bool tabFirst,
                                         QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        auto* b = speedButton(bar, name, geometry, caption, hint, icon);
        connect(b, &QToolButton::clicked, this,
                [this, statistic, tabFirst] { runCommand([=, this] { Statistik(statistic, tabFirst); }); });
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
    connect(m_picker2, &QDateEdit::dateChanged, this, [this](QDate d) { m_state.DateTimePicker2 = d; });

    auto* chart = new ChartView(m_chart, tab);
    chart->setGeometry(0, 36, kPageWidth, kPageHeight - 36);
}

void TForm1::buildDatabaseTab(QWidget* tab) {
    const auto connectStatistic = [this](QPushButton* b, Statistic statistic) {
        connect(b, &QPushButton::clicked, this,
                [this, statistic] { runCommand([=, this] { Statistik(statistic); }); });
    };
    auto* update =
        button(tab, "BitBtn1", {8, 8, 180, 28}, QStringLiteral("&Datenbank aktualisieren"),
               QStringLiteral("aktualieren der Datenbank über Internet"), QStyle::SP_BrowserReload);
    connect(update, &QPushButton::clicked, this, [this] { runCommand([this] { BitBtn1Click(); }); });
    auto* stop = speedButton(tab, "SpeedButton8", {194, 9, 26, 26}, {}, QStringLiteral("Stoppt das Einlesen"),
                             QStyle::SP_BrowserStop);
    stop->setVisible(false);
    connect(stop, &QToolButton::clicked, this, [this] { SpeedButton8Click(); });

    m_picker1 = datePicker(tab, "DateTimePicker1", {8, 48, 110, 24});
    connect(m_picker1, &QDateEdit::dateChanged, this, [this](QDate d) { m_state.DateTimePicker1 = d; });
    auto* select = speedButton(tab, "SpeedButton5", {124, 47, 26, 26}, {},
                               QStringLiteral("Bewertung des Tipps für die Ziehung des gewählten Datums"),
                               QStyle::SP_DialogApplyButton);
    connect(select, &QToolButton::clicked, this, [this] { runCommand([this] { SpeedButton5Click(); }); });
    m_label29 = label(tab, "Label29", {158, 52, 358, 16}, {});
    QFont bold = m_label29->font();
    bold.setBold(true);
    m_label29->setFont(bold);

    auto* remove = button(tab, "BitBtn6", {8, 84, 110, 28}, QStringLiteral("Löschen"),
                          QStringLiteral("Löschen der aktuell angezeigten Ziehung"), QStyle::SP_TrashIcon);
    connect(remove, &QPushButton::clicked, this, [this] { runCommand([this] { BitBtn6Click(); }); });
    auto* enter =
        button(tab, "BitBtn8", {124, 84, 110, 28}, QStringLiteral("Eingeben"),
               QStringLiteral("manuelle eingaben der Ziehungsdaten."), QStyle::SP_FileDialogNewFolder);
    connect(enter, &QPushButton::clicked, this, [this] { runCommand([this] { BitBtn8Click(); }); });

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
    place<QLineEdit>(tab, "ProxyHostEdit", {100, 10, 220, 22});
    label(tab, "Label53", {8, 42, 90, 16}, QStringLiteral("Proxy-Port"));
    place<QLineEdit>(tab, "ProxyPortEdit", {100, 38, 60, 22})->setText(QStringLiteral("80"));

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
            applyEndpoints();
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
         m_endpoints.productPage());
    link("Label56", "Label54", 206, QStringLiteral("Die aktuellen Ziehungen und Quoten finden unter:"),
         m_endpoints.resultsPage());

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
    url->setText(m_endpoints.homePage());
    url->setEnabled(false);
    url->setVisible(false);
}

void TForm1::connectStatusHints() {
    for (const char* name : kStatusHintControls) {
        if (QWidget* w = findChild<QWidget*>(QLatin1String(name))) w->installEventFilter(this);
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (auto* w = qobject_cast<QWidget*>(watched)) setStatusText(1, w->toolTip());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::openWebPage(const QString& address) {
    m_platform.desktop.open(address);
}

void TForm1::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const KugeloError& e) {
        m_platform.dialogs.message(e.text());
    } catch (const std::exception& e) {
        m_platform.dialogs.message(QString::fromLocal8Bit(e.what()));
    }
    showState();
}

void TForm1::showState() {
    m_label29->setText(m_state.Label29);
    m_label35->setText(m_state.Label35);
    m_label13->setText(m_state.Label13);
    {
        const QSignalBlocker block(m_picker1);
        m_picker1->setDate(m_state.DateTimePicker1);
    }
    {
        const QSignalBlocker block(m_picker2);
        m_picker2->setDate(m_state.DateTimePicker2);
    }
    // The picker keeps an earlier date out; the state follows what it shows.
    m_state.DateTimePicker1 = m_picker1->date();
    m_state.DateTimePicker2 = m_picker2->date();
}

void TForm1::initialise() {
    m_state.Groesse = height();
    m_state.dfb = toDayNumber(m_platform.clock.today());
    m_state.Home = m_home;
    if (!m_state.Home.endsWith(QLatin1Char('/'))) m_state.Home += QLatin1Char('/');
    m_state.SoundName = QStringLiteral("yippee.wav");
    m_state.LaufMax = 100000;
    m_state.sortieren = false;
    m_state.Berechnunglaeuft = false;

    // The stored settings, which also arm the sheet check (sortieren) in their course.
    restoreSettings();

    // A start date of the statistics within the last seven days is replaced by the earliest date.
    if (m_state.DateTimePicker2 > m_platform.clock.today().addDays(-7))
        m_state.DateTimePicker2 = earliestDrawDate();
    auto* proxyHost = findChild<QLineEdit*>(QStringLiteral("ProxyHostEdit"));
    if (proxyHost->text().isEmpty())
        findChild<QLineEdit*>(QStringLiteral("ProxyPortEdit"))->setText(QStringLiteral("80"));

    m_state.LaufMax = 1000 * m_criteria.UpDown7.value;

    m_state.ZahlenFile = QStringLiteral("Kugelo.dat");
    runCommand([this] { DrawFile(m_state.drawFilePath()).createIfMissing(); });

    m_random.seedFromClock(m_platform.clock);

    m_state.aktDatum = toDayNumber(m_state.DateTimePicker2);
    setPickerDate(m_state.DateTimePicker1, m_platform.clock.today());
    showState();
}

void TForm1::startUp() {
    m_form3 = std::make_unique<TForm3>(this);
    m_form6 = std::make_unique<TForm6>(m_random, m_platform.dialogs, m_platform.clock, this);
    runCommand([this] { m_currentDraw->selectByDate(); });
    runCommand([this] { Statistik(Statistic::Frequency); });
    m_pages->setCurrentIndex(0);
}

QString TForm1::soundPath() const {
    // The sound ships beside the program; a copy in the home folder is the second place to look.
    for (const QString& folder : {m_programFolder, m_state.Home}) {
        const QString path = QDir(folder).filePath(m_state.SoundName);
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

void TForm1::Komplettcheck() {
    kugelo::Komplettcheck(m_state, m_sheet, [this] { m_platform.sound.play(soundPath()); });
}

void TForm1::SpeedButton11Click() {
    m_sheet.clearAll();
}

void TForm1::SpeedButton15Click() {
    setPickerDate(m_state.DateTimePicker1, nextDrawDate(m_state.DateTimePicker1));
    showState();
    const TipDialogScope scope(m_saveDialog1, m_state.Home);
    m_saveDialog1.proposedName =
        m_state.DateTimePicker1.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".tpf");
    const QString path = m_platform.dialogs.saveFileName(m_saveDialog1);
    if (!path.isEmpty()) writeFileWhole(path, tipFileText(m_sheet));
}

void TForm1::SpeedButton16Click() {
    {
        const TipDialogScope scope(m_openDialog1, m_state.Home);
        const QString path = m_platform.dialogs.openFileName(m_openDialog1);
        if (!path.isEmpty()) {
            m_openDialog1.proposedName = path;
            // The file is read before the sheet is cleared, so a file that cannot be read costs no rows.
            const QStringList lines = readTextFile(path);
            loadTipFile(m_sheet, lines);
        }
    }
    m_currentDraw->selectByDate();
}

void TForm1::TippEdit(int row) {
    if (!m_form6) return;
    m_form6->setWindowTitle(m_messages[11] + QStringLiteral(" ") + QString::number(row + 1));
    NumberList& list = m_form6->list();
    // Set up the row mode.
    list.Zufall = m_messages[60];
    list.Stopp = m_messages[61];
    m_form6->setRowMode(true);
    list.MaxTipp = 5;
    list.MaxZahl = 49;
    for (int n = 1; n <= 49; ++n) {
        list.setSet(n, false);
        list.setColour(n, BoxColour::Normal);
    }
    for (int f = 0; f < 5; ++f) {
        const auto n = tryStrToInt(m_sheet.text(row, f));
        if (!n || *n < 1 || *n > 49) break;
        list.setSet(*n, true);
        list.setColour(*n, BoxColour::Yellow);
    }
    m_form6->showList();

    const TForm6::Result result = m_form6->runModal();
    if (result == TForm6::Ok) {
        int f = 0;
        for (int n = 1; n <= 49 && f < 5; ++n) {
            if (list.isSet(n)) m_sheet.setText(row, f++, QString::number(n));
        }
    }
    m_form6->setRowMode(false);
    for (int n = 1; n <= 49; ++n)
        list.setColour(n, BoxColour::Normal);
    m_form6->setWindowTitle(m_messages[12]);
    m_form6->showList();
}

void TForm1::SpeedButton5Click() {
    m_currentDraw->selectByDate();
}

void TForm1::SpeedButton6Click() {
    m_currentDraw->stepBack();
}

void TForm1::SpeedButton7Click() {
    m_currentDraw->stepForward();
}

void TForm1::BitBtn6Click() {
    const WaitCursor wait;
    m_currentDraw->removeCurrent();
}

void TForm1::BitBtn8Click() {
    const DrawFile file(m_state.drawFilePath());
    const DrawRecord loaded = manualEntryStart(m_state, file);
    m_form3->load(loaded);
    if (m_form3->runModal()) storeManualEntry(file, m_form3->entered(loaded));
    // The draw that was current before stays current.
    setPickerDate(m_state.DateTimePicker1, fromDayNumber(m_state.aktDatum));
    m_currentDraw->selectByDate();
}

void TForm1::setControlsEnabled(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) {
        // The dialogs are children of the window and reuse some names: only the window's own pages count.
        if (auto* w = m_pages->findChild<QWidget*>(QLatin1String(name))) w->setEnabled(enabled);
        if (auto* a = findChild<QAction*>(QLatin1String(name))) a->setEnabled(enabled);
    }
}

void TForm1::BitBtn1Click() {
    if (m_updateRunning) return; // one update at a time
    m_updateRunning = true;
    auto* stop = m_pages->findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
    // Its own start buttons and the commands that change the draw file wait until the update is over; the
    // buttons come back also when the update ends with an error report.
    const auto setRunning = [this, stop](bool running) {
        setControlsEnabled(
            {"BitBtn1", "SpeedButton10", "Button1", "BitBtn6", "BitBtn8", "BitBtn4", "Berechnen1"}, !running);
        stop->setVisible(running);
    };
    struct Finish {
        TForm1* form;
        std::function<void(bool)> setRunning;
        ~Finish() {
            setRunning(false);
            form->m_updateRunning = false;
            form->showState();
            Q_EMIT form->updateFinished();
        }
    } finish{this, setRunning};
    setRunning(true);

    UpdateHooks hooks;
    hooks.pump = [] { QCoreApplication::processEvents(); };
    hooks.stopRequested = [stop] { return stop->isHidden(); };
    hooks.proxy = [this] {
        return UpdateProxy{findChild<QLineEdit*>(QStringLiteral("ProxyHostEdit"))->text(),
                           strToInt(findChild<QLineEdit*>(QStringLiteral("ProxyPortEdit"))->text())};
    };
    hooks.status = [this](int panel, const QString& text) { setStatusText(panel, text); };
    hooks.message = [this](const QString& text) { m_platform.dialogs.message(text); };
    hooks.drawShown = [this] { showState(); };
    hooks.dayDone = [this](const QDate&, const QString&) { showState(); };
    DrawUpdate(m_state, m_messages, m_platform.http, m_endpoints, m_platform.clock, *m_currentDraw, hooks)
        .run();
}

void TForm1::SpeedButton8Click() {
    if (!m_updateRunning) return;
    m_pages->findChild<QToolButton*>(QStringLiteral("SpeedButton8"))->setVisible(false);
    m_platform.http.abort(); // a request that waits now ends at once
}

void TForm1::Statistik(Statistic statistic, bool showTabFirst) {
    auto* diagram = findChild<QWidget*>(QStringLiteral("TabSheet5"));
    if (showTabFirst) m_pages->setCurrentWidget(diagram);
    const WaitCursor wait;
    if (showStatistic(statistic, m_state, m_messages, m_chart, &m_sheet)) m_pages->setCurrentWidget(diagram);
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
        if (m_state.Groesse == 0) return;
    }
    if (m_state.Groesse > 0 && height() != m_state.Groesse) {
        const double factor = static_cast<double>(height()) / m_state.Groesse;
        m_scaler.scaleBy(factor);
        if (m_form6) // does not exist yet while the settings are restored at start-up
            m_form6->scaleBy(factor);
        m_state.Groesse = height();
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce) return;
    m_shownOnce = true;
    // The update starts once the window is on the screen.
    if (m_updateOnShow)
        QTimer::singleShot(0, this, [this] {
            runCommand([this] { BitBtn1Click(); });
            // The update wrote its own texts; a problem with the stored settings stays in view.
            if (!m_platform.settings.problem().isEmpty()) setStatusText(1, m_platform.settings.problem());
        });
}

void TForm1::closeEvent(QCloseEvent* event) {
    SpeedButton8Click();
    // A run in progress stops at its next candidate, so the program can end.
    if (m_runButton->text() == m_messages[42]) m_runButton->setText(m_tippsberechnen);
    saveSettings();
    event->accept();
}

void TForm1::restoreSettings() {
    SettingsStore& store = m_platform.settings;
    const SettingsTargets targets{m_state, m_criteria, m_sheet, m_window, m_kept};
    SettingsRestore restore(store, targets);
    try {
        store.openKey(SettingsStore::kugeloKey(), true);
    } catch (const KugeloError&) {
        return; // start-up goes on with the design values
    }
    restore.unguarded();
    findChild<QLabel*>(QStringLiteral("Losnummer"))->setText(m_state.LosNr);
    m_window.width = width();
    m_window.height = height();
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
    m_state.sortieren = true;
    restore.group5(m_baseEndpoints.homePage());
    restore.hosts();
    restore.dateTimePicker2();
    try {
        store.closeKey();
    } catch (const KugeloError&) {
    }
    showCriteria();
    applyEndpoints();
    showWindowValues();
    if (!store.problem().isEmpty()) setStatusText(1, store.problem());
}

void TForm1::saveSettings() {
    takeWindowValues();
    SettingsStore& store = m_platform.settings;
    // A failed write of the settings at close is ignored; the previous store file stays as it was.
    try {
        store.openKey(SettingsStore::kugeloKey(), true);
        kugelo::saveSettings(store, SettingsTargets{m_state, m_criteria, m_sheet, m_window, m_kept});
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
    findChild<QLineEdit*>(QStringLiteral("Edit81"))->setText(m_window.Edit81);
    findChild<QLineEdit*>(QStringLiteral("Edit82"))->setText(m_window.Edit82);
    findChild<QCheckBox*>(QStringLiteral("CheckBox21"))->setChecked(m_window.CheckBox21);
    findChild<QLineEdit*>(QStringLiteral("URLEdit"))->setText(m_window.URLEdit);
    findChild<QLineEdit*>(QStringLiteral("ProxyHostEdit"))->setText(m_window.ProxyHostEdit);
    findChild<QLineEdit*>(QStringLiteral("ProxyPortEdit"))->setText(m_window.ProxyPortEdit);
}

void TForm1::takeWindowValues() {
    m_window.height = height();
    m_window.width = width();
    m_window.normalState =
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    m_window.Edit81 = findChild<QLineEdit*>(QStringLiteral("Edit81"))->text();
    m_window.Edit82 = findChild<QLineEdit*>(QStringLiteral("Edit82"))->text();
    m_window.CheckBox21 = findChild<QCheckBox*>(QStringLiteral("CheckBox21"))->isChecked();
    m_window.URLEdit = findChild<QLineEdit*>(QStringLiteral("URLEdit"))->text();
    m_window.ProxyHostEdit = findChild<QLineEdit*>(QStringLiteral("ProxyHostEdit"))->text();
    m_window.ProxyPortEdit = findChild<QLineEdit*>(QStringLiteral("ProxyPortEdit"))->text();
    // A host set by its environment variable is not stored (the stored one stays), nor is the built-in one.
    const QString builtIn[] = {m_baseEndpoints.productHost(), m_baseEndpoints.companyHost(),
                               m_baseEndpoints.resultsHost()};
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        const HostField& f = kHostFields[i];
        if (!qEnvironmentVariable(f.variable).trimmed().isEmpty()) continue;
        const QString host = Endpoints::normalizeHost(findChild<QLineEdit*>(QLatin1String(f.edit))->text());
        m_window.*f.stored = host == builtIn[i] ? QString() : host;
    }
}

void TForm1::applyEndpoints() {
    m_endpoints = endpointsInUse(m_window, m_baseEndpoints);
    const QString hosts[] = {m_endpoints.productHost(), m_endpoints.companyHost(), m_endpoints.resultsHost()};
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
        ->setToolTip(QStringLiteral("Ziehungsdaten von %1 laden").arg(hostOnly(m_endpoints.productHost())));
    findChild<QLabel*>(QStringLiteral("Label52"))->setText(m_endpoints.productPage());
    findChild<QLabel*>(QStringLiteral("Label54"))->setText(m_endpoints.resultsPage());
    findChild<QLabel*>(QStringLiteral("Label43"))->setText(spaced(hostOnly(m_endpoints.companyHost())));
}

void TForm1::showCriteria() {
    m_criteriaPage->showCriteria();
    auto* count = findChild<QSpinBox*>(QStringLiteral("UpDown8"));
    const QSignalBlocker block(count);
    count->setRange(m_criteria.UpDown8.min, m_criteria.UpDown8.max);
    count->setValue(m_criteria.UpDown8.value);
}

void TForm1::SpeedButton13Click() {
    const QString proposed = QString::number(m_random.below(99999));
    const QString answer = m_platform.dialogs.input(m_messages[20], m_messages[21], proposed);
    if (const auto number = tryStrToInt(answer)) {
        m_random.setState(static_cast<std::uint32_t>(*number));
        setStatusText(1, m_messages[22] + QString::number(*number) + m_messages[23]);
    } else {
        m_random.seedFromClock(m_platform.clock);
    }
}

void TForm1::Label28Click() {
    if (m_tippsberechnen.isEmpty()) m_tippsberechnen = m_runButton->text();
    if (m_runButton->text() == m_messages[42]) {
        m_runButton->setText(m_tippsberechnen); // the running loop sees it at its next candidate
        return;
    }
    m_runButton->setText(m_messages[42]);

    // Commands that would change the sheet or the draw file wait until the run is over.
    const auto setBusy = [this](bool busy) {
        setControlsEnabled({"SpeedButton5", "SpeedButton6", "SpeedButton7", "SpeedButton10", "SpeedButton11",
                            "SpeedButton16", "BitBtn1", "BitBtn6", "BitBtn8", "Aktualisieren1"},
                           !busy);
        m_sheetView->setEditable(!busy);
    };
    struct Finish {
        TForm1* form;
        std::function<void(bool)> setBusy;
        ~Finish() {
            setBusy(false);
            form->m_runButton->setText(form->m_tippsberechnen);
            form->showCriteria();
        }
    } finish{this, setBusy};
    setBusy(true);
    const WaitCursor wait;

    GenerationRun* current = nullptr;
    QElapsedTimer sincePump;
    sincePump.start();
    RunHooks hooks;
    hooks.pump = [&] {
        // The window stays live at no cost per candidate: pending events about every 15 ms.
        if (sincePump.elapsed() < 15) return;
        if (current) setStatusText(1, current->progressLine());
        QCoreApplication::processEvents();
        sincePump.restart();
    };
    hooks.stopRequested = [this] { return m_runButton->text() != m_messages[42]; };
    hooks.status = [this](const QString& text) { setStatusText(1, text); };
    hooks.showTipTab = [this] { m_pages->setCurrentIndex(0); };
    hooks.showChartTab = [this] {
        m_pages->setCurrentWidget(findChild<QWidget*>(QStringLiteral("TabSheet5")));
        repaint();
    };
    hooks.criteriaChanged = [this] { showCriteria(); };
    hooks.sheetCheck = [this] { Komplettcheck(); };
    hooks.numberList = [this](NumberPool& pool) {
        m_pages->setCurrentIndex(0);
        NumberList& list = m_form6->list();
        list.Zufall = m_messages[60];
        list.Stopp = m_messages[61];
        list.MaxZahl = 49;
        for (int n = 1; n <= 49; ++n) {
            list.setSet(n, pool.count(n) > 0);
            list.setWeight(n, QString::number(pool.count(n)));
        }
        m_form6->setRowMode(false);
        m_form6->showList();
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        const TForm6::Result result = m_form6->runModal();
        QGuiApplication::restoreOverrideCursor();
        if (result == TForm6::Ok) return PoolChoice::Keep;
        if (result == TForm6::Retry) {
            pool.rebuildFrom(list);
            return PoolChoice::Rebuild;
        }
        return PoolChoice::Cancel;
    };
    GenerationRun run(RunEnvironment{m_state, m_sheet, m_criteria, m_messages, m_chart, *m_currentDraw,
                                     m_random, m_platform.clock},
                      hooks);
    current = &run;
    run.run();
}

} // namespace kugelo
