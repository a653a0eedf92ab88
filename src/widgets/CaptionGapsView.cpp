#include "widgets/CaptionGapsView.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kugelo {

namespace {

const QRegularExpression& blankRuns() {
    static const QRegularExpression runs(QStringLiteral(" {3,}"));
    return runs;
}

// The room each control takes: its width and the margins; none for a hidden or deleted one.
QList<int> roomOf(const QList<QPointer<QWidget>>& controls) {
    QList<int> widths;
    for (const QPointer<QWidget>& control : controls)
        widths << (control && !control->isHidden() ? control->width() + 2 * kGapMargin : 0);
    return widths;
}

} // namespace

QString captionWithRoom(const QString& caption, const QFontMetrics& metrics, const QList<int>& widths) {
    QString shown;
    qsizetype from = 0;
    int run = 0;
    for (auto it = blankRuns().globalMatch(caption); it.hasNext(); ++run) {
        const QRegularExpressionMatch m = it.next();
        shown += caption.mid(from, m.capturedStart() - from);
        QString blanks = m.captured();
        if (run < widths.size())
            while (metrics.horizontalAdvance(blanks) < widths[run])
                blanks += QLatin1Char(' ');
        shown += blanks;
        from = m.capturedEnd();
    }
    return shown + caption.mid(from);
}

std::optional<std::pair<int, int>> blankRunSpan(const QString& text, const QFontMetrics& metrics, int n) {
    int run = 0;
    for (auto it = blankRuns().globalMatch(text); it.hasNext(); ++run) {
        const QRegularExpressionMatch m = it.next();
        if (run == n)
            return std::pair{metrics.horizontalAdvance(text.left(m.capturedStart())),
                             metrics.horizontalAdvance(text.left(m.capturedEnd()))};
    }
    return std::nullopt;
}

QString paintedCaption(const QWidget* w) {
    if (const auto* box = qobject_cast<const GapCheckBox*>(w)) return box->shownText();
    if (const auto* label = qobject_cast<const GapLabel*>(w)) return label->shownText();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    return {};
}

void GapCheckBox::setGapControls(const QList<QWidget*>& controls) {
    m_controls.clear();
    for (QWidget* control : controls)
        m_controls << control;
    update();
}

QString GapCheckBox::shownText() const {
    return captionWithRoom(text(), fontMetrics(), roomOf(m_controls));
}

void GapCheckBox::paintEvent(QPaintEvent*) {
    // As a check box paints itself, with the caption's runs of blanks widened for their controls.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawControl(QStyle::CE_CheckBox, option);
}

void GapLabel::setGapControls(const QList<QWidget*>& controls) {
    m_controls.clear();
    for (QWidget* control : controls)
        m_controls << control;
    update();
}

QString GapLabel::shownText() const {
    return captionWithRoom(text(), fontMetrics(), roomOf(m_controls));
}

void GapLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect().adjusted(margin(), margin(), -margin(), -margin()),
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

} // namespace kugelo
