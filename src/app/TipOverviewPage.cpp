#include "app/TipOverviewPage.h"

#include "app/PageControls.h"
#include "generator/GenerationCriteria.h"
#include "platform/Endpoints.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheetView.h"
#include "widgets/LabelsView.h"
#include "widgets/WidgetTexts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

namespace kugelo {

namespace {

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

} // namespace

TipOverviewPage::TipOverviewPage(TipSheet& sheet, const Endpoints& endpoints, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));

    // Top strip: the current draw.
    auto* strip = place<QFrame>(this, "Panel4", {0, 0, kPageWidth, 40});
    strip->setFrameShape(QFrame::StyledPanel);
    m_update = speedButton(strip, "SpeedButton10", {6, 7, 26, 26}, {}, {}, QStyle::SP_BrowserReload);
    m_update->setIconSize({18, 18});
    // The hint names the host in use; the lists hold it with a placeholder for the host.
    setHintArgument(m_update, hostOnly(endpoints.productHost()));
    setHintTemplate(m_update, QStringLiteral("Ziehungsdaten von %1 laden"));
    connect(m_update, &QToolButton::clicked, this, &TipOverviewPage::updateRequested);
    auto* back = speedButton(strip, "SpeedButton6", {46, 9, 22, 22}, {},
                             QStringLiteral("vorhergehende Ziehung anzeigen"), QStyle::SP_ArrowLeft);
    m_draw = label(strip, "Label35", {72, 12, 250, 16}, {});
    m_draw->setAlignment(Qt::AlignCenter);
    // The keyboard reaches the draw shown, so that a screen reader reads it.
    m_draw->setFocusPolicy(Qt::TabFocus);
    m_draw->setToolTip(QStringLiteral("Die angezeigte Ziehung: Datum, die fünf Zahlen und die n° CHANCE"));
    QFont bold = m_draw->font();
    bold.setBold(true);
    m_draw->setFont(bold);
    auto* forward = speedButton(strip, "SpeedButton7", {326, 9, 22, 22}, {},
                                QStringLiteral("nächste Ziehung anzeigen"), QStyle::SP_ArrowRight);
    m_ticketNumber = label(strip, "Losnummer", {354, 12, 70, 16}, {});
    m_crossSum = label(strip, "Label13", {424, 12, 94, 16}, QStringLiteral("Quersumme"));
    m_crossSum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(back, &QToolButton::clicked, this, &TipOverviewPage::previousRequested);
    connect(forward, &QToolButton::clicked, this, &TipOverviewPage::nextRequested);

    // Banners at the left and right edge.
    const auto banner = [this](const char* panelName, const char* labelName, int x, const QString& text,
                               const QString& hint) {
        auto* panel = place<ClickablePanel>(this, panelName, {x, 44, 40, 330});
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
        l->setProperty("tag", 8); // the banners keep their texts in every language
        l->setToolTip(hint);
        connect(panel, &ClickablePanel::clicked, this, &TipOverviewPage::bannerClicked);
        connect(l, &ClickableLabel::clicked, this, &TipOverviewPage::bannerClicked);
        return l;
    };
    m_leftBanner = banner("Panel2", "Label43", 2, spaced(hostOnly(endpoints.companyHost())),
                          QStringLiteral("Der Ziehwerk ist eine Programm von Velmar-Software"));
    setListedCaption(m_leftBanner, spaced(hostOnly(Endpoints::defaultCompanyHost())));
    banner("Panel5", "Label44", kPageWidth - 42,
           spaced(QStringLiteral("Kugelo")) + QStringLiteral("   V 2 . 2"),
           QStringLiteral("Neuste Update finden Sie immer auf der Internetseite"));

    // The tip sheet: decoration balls above the columns, then the twelve rows.
    for (int i = 0; i < 6; ++i) {
        const int x = i < 5 ? kTipNumberX[i] : kTipChanceX;
        auto* ball = place<QLabel>(this, "", {x + 4, 48, 16, 16});
        ball->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        ball->setPixmap(ballPixmap(i < 5 ? QColor(0xf2, 0xc1, 0x1d) : QColor(0xd6, 0x28, 0x28)));
        // What the column holds; the fields below are named after it (and their row).
        ball->setToolTip(i < 5 ? QStringLiteral("Zahl %1").arg(i + 1) : QStringLiteral("n° CHANCE"));
    }
    m_sheetView = new TipSheetView(sheet, this);
    connect(m_sheetView, &TipSheetView::fieldLeft, this, &TipOverviewPage::sheetFieldLeft);
    connect(m_sheetView, &TipSheetView::editRowRequested, this, &TipOverviewPage::editRowRequested);

    // Button row under the sheet.
    constexpr int rowY = 282;
    auto* clear = speedButton(this, "SpeedButton11", {48, rowY, 26, 26}, {},
                              QStringLiteral("Löschen aller Tipps"), QStyle::SP_DialogDiscardButton);
    auto* save = speedButton(this, "SpeedButton15", {76, rowY, 26, 26}, {},
                             QStringLiteral("Speichern des Tipps"), QStyle::SP_DialogSaveButton);
    auto* load = speedButton(this, "SpeedButton16", {104, rowY, 26, 26}, {},
                             QStringLiteral("Tipp laden aus Datei"), QStyle::SP_DialogOpenButton);
    connect(clear, &QToolButton::clicked, this, &TipOverviewPage::clearRequested);
    connect(save, &QToolButton::clicked, this, &TipOverviewPage::saveRequested);
    connect(load, &QToolButton::clicked, this, &TipOverviewPage::loadRequested);
    auto* search =
        speedButton(this, "SpeedButton4", {136, rowY, 112, 26}, QStringLiteral("Tipps in DB suchen"),
                    QStringLiteral("Hier können Sie suchen ob dieser Tipp schon einmal gezogen wurde"));
    connect(search, &QToolButton::clicked, this, &TipOverviewPage::searchRequested);
    auto* distribution =
        button(this, "Button6", {252, rowY, 114, 26}, QStringLiteral("Verteilung der Tipps"),
               QStringLiteral("Hier sehen Sie im Diagramm welche Zahlen wie oft gezogen wurden"));
    connect(distribution, &QPushButton::clicked, this, &TipOverviewPage::distributionRequested);
    auto* print = button(this, "BitBtn7", {370, rowY, 108, 26}, QStringLiteral("Tipp ausdrucken"),
                         QStringLiteral("Drucken SIe hier die berechneten Tipps aus"), QStyle::SP_FileIcon);
    connect(print, &QPushButton::clicked, this, &TipOverviewPage::printRequested);

    // Bottom strip: the generation controls.
    auto* bottom = place<QFrame>(this, "Panel3", {44, 316, kPageWidth - 88, 58});
    bottom->setFrameShape(QFrame::StyledPanel);
    m_rowCount = place<QSpinBox>(bottom, "UpDown8", {8, 16, 44, 26});
    m_rowCount->setRange(1, 12);
    m_rowCount->setValue(5);
    auto* rowCountField = m_rowCount->findChild<QLineEdit*>();
    rowCountField->setObjectName(QStringLiteral("Edit80"));
    rowCountField->setToolTip(QStringLiteral("Anzahl der Tipps, die berechnet werden"));
    connect(m_rowCount, &QSpinBox::valueChanged, this, &TipOverviewPage::rowCountChanged);
    m_run = button(bottom, "BitBtn4", {58, 14, 124, 30}, QStringLiteral("Tipps berechnen"),
                   QStringLiteral("Starten Sie hier die Berechnung der Tippreihen."), QStyle::SP_MediaPlay);
    QFont runFont = m_run->font();
    runFont.setBold(true);
    m_run->setFont(runFont);
    connect(m_run, &QPushButton::clicked, this, &TipOverviewPage::runRequested);
    auto* lucky = speedButton(
        bottom, "SpeedButton13", {186, 14, 30, 30}, QStringLiteral("☘"),
        QStringLiteral("Hier können Sie den Zufall etwas nachhelfen und wirklich Ihren Tipp generieren"));
    connect(lucky, &QToolButton::clicked, this, &TipOverviewPage::luckyRequested);
    auto* submit = speedButton(bottom, "OnlineTipp", {222, 14, 104, 30}, QStringLiteral("Tipp &abgeben"),
                               QStringLiteral("Hier können Sie den Tipp Online abgeben"), QStyle::SP_ArrowUp);
    connect(submit, &QToolButton::clicked, this, &TipOverviewPage::submitRequested);
    auto* basket = button(bottom, "Warenkorb", {332, 14, 96, 30}, QStringLiteral("shopping"),
                          QStringLiteral("Legt die Tipps in den Warenkorb einer Online-Annahmestelle"));
    connect(basket, &QPushButton::clicked, this, &TipOverviewPage::basketRequested);

    auto* buffer = place<QTextEdit>(this, "RichEdit1", {0, 0, 10, 10});
    buffer->setVisible(false);
}

void TipOverviewPage::showDraw(const QString& draw, const QString& crossSum) {
    m_draw->setText(draw);
    m_crossSum->setText(crossSum);
}

void TipOverviewPage::showTicketNumber(const QString& text) {
    m_ticketNumber->setText(text);
}

void TipOverviewPage::showEndpoints(const Endpoints& endpoints) {
    setHintArgument(m_update, hostOnly(endpoints.productHost()));
    m_leftBanner->setText(spaced(hostOnly(endpoints.companyHost())));
}

void TipOverviewPage::showRowCount(const SpinValue& count) {
    const QSignalBlocker block(m_rowCount);
    m_rowCount->setRange(count.min, count.max);
    m_rowCount->setValue(count.value);
}

void TipOverviewPage::takeRunCaption() {
    m_runCaption = m_run->text();
}

void TipOverviewPage::showRunning(bool running, const QString& stopCaption) {
    if (m_runCaption.isEmpty()) m_runCaption = m_run->text();
    m_run->setText(running ? stopCaption : m_runCaption);
}

} // namespace kugelo
