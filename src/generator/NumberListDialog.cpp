#include "generator/NumberListDialog.h"

#include "widgets/LabelsView.h"

#include "generator/RandomSource.h"
#include "i18n/TextFile.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <cmath>

namespace kugelo {

namespace {

// Design geometry: a 7 x 7 grid of number boxes, the button row below it, the status bar at the bottom.
constexpr int kMargin = 8;
constexpr int kColumns = 7;
constexpr int kRows = 7; // of visible boxes
constexpr int kCellWidth = 46;
constexpr int kCellHeight = 27;
constexpr int kBoxWidth = 44;
constexpr int kBoxHeight = 24;
constexpr int kButtonTop = kMargin + kRows * kCellHeight + 7;
constexpr int kButtonHeight = 26;
constexpr int kButtonWidth = 80;
constexpr int kStatusTop = kButtonTop + kButtonHeight + 8;

const QColor kYellow(255, 255, 0);

QPushButton* button(QWidget* parent, const char* name, int x, const QString& caption) {
    auto* b = place<QPushButton>(parent, QLatin1String(name), {x, kButtonTop, kButtonWidth, kButtonHeight});
    b->setText(caption);
    b->setAutoDefault(false); // Enter belongs to the default button OK alone
    return b;
}

QToolButton* speedButton(QWidget* parent, const char* name, int x, const QString& hint,
                         QStyle::StandardPixmap icon) {
    auto* b = place<QToolButton>(parent, QLatin1String(name), {x, kButtonTop, kButtonHeight, kButtonHeight});
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

} // namespace

TForm6::TForm6(RandomSource& random, Dialogs& dialogs, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_random(random), m_dialogs(dialogs), m_clock(clock) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Welche Zahlen für die Berechnung"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);
    build();
    setRowMode(false);
    showList();
    setFixedSize(DesignClientWidth, DesignClientHeight);
    m_scaler.capture(this);
}

void TForm6::build() {
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        // 50..59 continue the grid below the visible rows; they are never shown.
        const int row = (n - 1) / kColumns;
        const int column = (n - 1) % kColumns;
        auto* box = place<QCheckBox>(
            this, QStringLiteral("CheckBox%1").arg(n),
            {kMargin + column * kCellWidth, kMargin + row * kCellHeight, kBoxWidth, kBoxHeight});
        box->setText(QString::number(n));
        box->setBackgroundRole(QPalette::Window); // a check box would fill with the button colour
        box->setAutoFillBackground(true);
        box->setVisible(n <= 49);
        box->installEventFilter(this);
        // The box's state, however it changed (mouse, Space, an accessibility action), is the list's: the
        // ticks shown are the ticks used. A change that comes from the list itself is no news to it.
        connect(box, &QCheckBox::toggled, this, [this, n](bool checked) {
            if (m_list.isSet(n) == checked) return;
            m_list.setSet(n, checked);
            showList();
        });
        m_boxes[n] = box;
    }

    const int right = DesignClientWidth - kMargin;
    auto* save = speedButton(this, "SpeedButton1", kMargin, QStringLiteral("Speichern der Liste"),
                             QStyle::SP_DialogSaveButton);
    auto* load = speedButton(this, "SpeedButton2", kMargin + kButtonHeight + 4,
                             QStringLiteral("Laden der Liste"), QStyle::SP_DialogOpenButton);
    m_randomButton = button(this, "BitBtn4", right - 3 * kButtonWidth - 8, QStringLiteral("&Zufall"));
    m_abort = button(this, "BitBtn2", right - 2 * kButtonWidth - 4, QStringLiteral("Abbrechen"));
    m_ok = button(this, "BitBtn1", right - kButtonWidth, QStringLiteral("OK"));
    m_ok->setDefault(true);
    m_ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    m_abort->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    // "&Rechnen" lies over OK: the user sees it, while Enter still reaches the default button OK.
    m_compute = button(this, "BitBtn3", right - kButtonWidth, QStringLiteral("&Rechnen"));
    m_compute->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    m_compute->raise();

    connect(save, &QToolButton::clicked, this, &TForm6::SpeedButton1Click);
    connect(load, &QToolButton::clicked, this, &TForm6::SpeedButton2Click);
    connect(m_randomButton, &QPushButton::clicked, this, &TForm6::BitBtn4Click);
    connect(m_abort, &QPushButton::clicked, this, [this] { finish(Abort); });
    connect(m_ok, &QPushButton::clicked, this, [this] { finish(Ok); });
    connect(m_compute, &QPushButton::clicked, this, [this] { finish(Retry); });

    auto* bar = place<QStatusBar>(this, QStringLiteral("StatusBar1"),
                                  {0, kStatusTop, DesignClientWidth, DesignClientHeight - kStatusTop});
    bar->setSizeGripEnabled(false);
    m_panel0 = new QLabel(bar);
    m_panel0->setObjectName(QStringLiteral("StatusBar1Panel0"));
    m_panel0->setFrameShape(QFrame::StyledPanel);
    m_panel0->setFrameShadow(QFrame::Sunken);
    m_panel0->setIndent(3);
    bar->addWidget(m_panel0, 1);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(25);
    connect(m_timer, &QTimer::timeout, this, &TForm6::Timer1Timer);
}

void TForm6::setRowMode(bool rowMode) {
    m_randomButton->setHidden(!rowMode);
    m_compute->setHidden(rowMode);
    // While "&Rechnen" covers OK, the keyboard does not stop on the hidden OK (Enter still presses it).
    m_ok->setFocusPolicy(rowMode ? Qt::StrongFocus : Qt::NoFocus);
    describeBoxes();
}

void TForm6::takeRandomCaption() {
    m_idleRandomCaption = m_randomButton->text();
    m_list.setRandomButtonCaption(m_idleRandomCaption);
}

void TForm6::setAccessibleTexts(const QString& weightText, const QString& rowText) {
    m_weightText = weightText;
    m_rowText = rowText;
    showStatus();
    describeBoxes();
}

void TForm6::showStatus() {
    m_panel0->setText(m_list.statusText());
    // The panel's text is fixed in German; what a screen reader reads of it comes in the language.
    const int n = m_list.statusNumber();
    const QString read = n > 0 ? QString(m_weightText)
                                     .replace(QLatin1String("%1"), QString::number(n))
                                     .replace(QLatin1String("%2"), m_list.weight(n))
                               : m_list.statusText();
    if (m_panel0->accessibleName() != read) m_panel0->setAccessibleName(read);
    if (m_panel0->accessibleDescription() != read) m_panel0->setAccessibleDescription(read);
}

void TForm6::describeBoxes() {
    const bool row = rowMode();
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        QString text = row ? m_rowText : m_weightText;
        text.replace(QLatin1String("%1"), QString::number(n)).replace(QLatin1String("%2"), m_list.weight(n));
        if (m_boxes[n]->accessibleDescription() != text) m_boxes[n]->setAccessibleDescription(text);
    }
}

bool TForm6::rowMode() const {
    return !m_randomButton->isHidden();
}

void TForm6::showList() {
    const QColor normalBack = palette().color(QPalette::ToolTipBase);
    const QColor normalText = palette().color(QPalette::ToolTipText);
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        QCheckBox* box = m_boxes[n];
        box->setChecked(m_list.isSet(n));
        box->setToolTip(m_list.weight(n));
        const bool yellow = m_list.colour(n) == BoxColour::Yellow;
        QPalette p = box->palette();
        p.setColor(QPalette::Window, yellow ? kYellow : normalBack);
        p.setColor(QPalette::WindowText, yellow ? QColor(Qt::black) : normalText);
        box->setPalette(p);
    }
    // The caption a language gives the button when no draw runs; the draw's own while it runs.
    m_randomButton->setText(m_list.timerActive() ? m_list.randomButtonCaption() : m_idleRandomCaption);
    showStatus();
    describeBoxes();
    if (m_list.timerActive() && !m_timer->isActive())
        m_timer->start();
    else if (!m_list.timerActive())
        m_timer->stop();
}

TForm6::Result TForm6::runModal() {
    m_result = Cancel;
    exec();
    return m_result;
}

void TForm6::finish(Result result) {
    m_result = result;
    done(result == Ok ? Accepted : Rejected);
}

void TForm6::reject() {
    // The close box and Escape.
    finish(Cancel);
}

void TForm6::done(int code) {
    m_list.closed();
    showList();
    QDialog::done(code);
}

void TForm6::scaleBy(double factor) {
    m_scaler.scaleBy(factor);
    const double total = m_scaler.factor();
    setFixedSize(static_cast<int>(std::lround(DesignClientWidth * total)),
                 static_cast<int>(std::lround(DesignClientHeight * total)));
}

void TForm6::SpeedButton1Click() {
    const QString path = m_dialogs.saveFileName(
        {{},
         QStringLiteral("Werteliste|*.nlf"),
         QStringLiteral("nlf"),
         {},
         m_clock.today().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".nlf")});
    if (path.isEmpty()) return;
    const QByteArray data = m_list.saveNlf();
    showList();
    // Written whole and renamed into place, so a failed save keeps the earlier file; the failure is
    // reported instead of leaving a missing or half-written list behind without a word.
    try {
        writeFileWhole(path, data);
    } catch (const IoError& error) {
        m_dialogs.message(error.text());
    }
}

void TForm6::SpeedButton2Click() {
    const QString path = m_dialogs.openFileName(
        {{},
         QStringLiteral("Werteliste|*.nlf"),
         QStringLiteral("nlf"),
         {},
         m_clock.today().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".nlf")});
    if (path.isEmpty()) return;
    // A file that cannot be read is reported and changes nothing, rather than reading as empty lines
    // that would clear every box.
    TextLines lines;
    try {
        lines = readTextFile(path, TextFileKind::NumberList);
    } catch (const IoError& error) {
        m_dialogs.message(error.text());
        return;
    }
    m_list.fromNlf(lines);
    showList();
}

void TForm6::BitBtn4Click() {
    m_list.pressRandom(m_random);
    showList();
}

void TForm6::Timer1Timer() {
    m_list.tick(m_random);
    showList();
}

bool TForm6::keyOnBox(int n, QEvent::Type type, QKeyEvent* key) {
    if (type == QEvent::FocusIn) {
        // The keyboard's way to rest on a box: the status bar shows its weight.
        m_list.mouseOver(n);
        showStatus();
        return false;
    }
    // The context menu key (or Shift+F10) does what the right button does: one less weight.
    const bool contextKey =
        key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
    switch (contextKey ? Qt::Key_Menu : key->key()) {
    case Qt::Key_Menu:
        m_list.mousePressed(n, true);
        showList();
        showStatus();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // Up and down move through the columns of the grid.
        const int to = n + (key->key() == Qt::Key_Up ? -kColumns : kColumns);
        if (to >= 1 && to <= 49) m_boxes[to]->setFocus(Qt::TabFocusReason);
        return true;
    }
    default:
        return false;
    }
}

int TForm6::boxNumber(QObject* object) const {
    for (int n = 1; n <= NumberList::BoxCount; ++n) {
        if (m_boxes[n] == object) return n;
    }
    return 0;
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::KeyPress) {
        if (const int n = boxNumber(watched); n > 0 && keyOnBox(n, type, static_cast<QKeyEvent*>(event)))
            return true;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::Enter) {
        if (const int n = boxNumber(watched)) {
            if (type == QEvent::Enter) {
                m_list.mouseOver(n);
                showStatus();
            } else {
                m_list.mousePressed(n, static_cast<QMouseEvent*>(event)->button() == Qt::RightButton);
                showList();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kugelo
