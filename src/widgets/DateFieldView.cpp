#include "widgets/DateFieldView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace kugelo {

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(',') ||
           c == QLatin1Char(' ');
}

// A year as typed: four digits, or two for this century.
int yearOf(const QString& text) {
    if (text.size() == 4) return text.toInt();
    if (text.size() == 2) return 2000 + text.toInt();
    return 0;
}

// The date an entry names; complete says whether nothing more can follow (the year has four digits). An
// invalid date when the entry names none.
QDate dateOf(const QString& typed, const QDate& shown, bool* complete) {
    *complete = false;
    static const QRegularExpression separators(QStringLiteral("[./\\-, ]+"));
    const QStringList parts = typed.split(separators, Qt::SkipEmptyParts);
    const bool digitsOnly = parts.size() == 1 && !typed.contains(separators);
    if (digitsOnly && (typed.size() == 8 || typed.size() == 6)) {
        *complete = typed.size() == 8;
        return QDate(yearOf(typed.mid(4)), typed.mid(2, 2).toInt(), typed.left(2).toInt());
    }
    if (parts.size() == 3 && parts[0].size() <= 2 && parts[1].size() <= 2) {
        *complete = parts[2].size() == 4;
        return QDate(yearOf(parts[2]), parts[1].toInt(), parts[0].toInt());
    }
    if (parts.size() == 2 && parts[0].size() <= 2 && parts[1].size() <= 2 &&
        !typed.endsWith(QLatin1Char(' ')))
        return QDate(shown.year(), parts[1].toInt(), parts[0].toInt());
    return {};
}

// The field's format, and where its month and year begin in it.
const QString kFormat = QStringLiteral("dd.MM.yyyy");
constexpr qsizetype kMonthAt = 3;
constexpr qsizetype kYearAt = 6;

} // namespace

DateFieldView::DateFieldView(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(kFormat);
}

void DateFieldView::openCalendar() {
    if (!calendarPopup()) return;
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint arrow =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateEdit::mousePressEvent(&press);
}

void DateFieldView::showTyped() {
    // Shown as typed; the field takes it as a date only when the entry ends. Digits typed into the month or
    // the year stand in their place of the date shown.
    QString shown = m_typed;
    const bool digitsOnly = !m_typed.contains(QRegularExpression(QStringLiteral("\\D")));
    if (digitsOnly && m_typed.size() <= 4 && (m_typedInto == MonthSection || m_typedInto == YearSection)) {
        shown = date().toString(kFormat);
        if (m_typedInto == YearSection)
            shown.replace(kYearAt, 4, m_typed);
        else
            shown.replace(kMonthAt, 2, m_typed);
    }
    const QSignalBlocker block(lineEdit());
    lineEdit()->setText(shown);
}

void DateFieldView::take() {
    if (!typing()) return;
    const QString typed = m_typed;
    m_typed.clear();
    bool complete = false;
    QDate entered = dateOf(typed, date(), &complete);
    if (!entered.isValid() && !typed.contains(QRegularExpression(QStringLiteral("\\D"))) &&
        typed.size() <= 4) {
        // Digits typed into one part of the date.
        const int n = typed.toInt();
        const QDate d = date();
        switch (m_typedInto) {
        case DaySection:
            entered = QDate(d.year(), d.month(), n);
            break;
        case MonthSection:
            entered = QDate(d.year(), n, std::min(d.day(), QDate(d.year(), n, 1).daysInMonth()));
            break;
        case YearSection:
            entered = QDate(yearOf(typed), d.month(),
                            std::min(d.day(), QDate(yearOf(typed), d.month(), 1).daysInMonth()));
            break;
        default:
            break;
        }
    }
    // setDate keeps the date within the field's range and shows it in the field's format; the date shown
    // before comes back when the entry is none.
    setDate(entered.isValid() ? entered : date());
}

void DateFieldView::drop() {
    m_typed.clear();
    setDate(date());
}

void DateFieldView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_F4 || (key == Qt::Key_Down && modifiers == Qt::AltModifier)) {
        take();
        openCalendar();
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool plain = (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier;
    if (plain && text.size() == 1 && (text[0].isDigit() || (typing() && isSeparator(text[0])))) {
        if (!typing()) m_typedInto = currentSection();
        m_typed += text;
        bool complete = false;
        if (dateOf(m_typed, date(), &complete).isValid() && complete)
            take();
        else
            showTyped();
        event->accept();
        return;
    }
    if (typing()) {
        switch (key) {
        case Qt::Key_Backspace:
            m_typed.chop(1);
            if (typing())
                showTyped();
            else
                drop();
            event->accept();
            return;
        case Qt::Key_Escape:
            drop();
            event->accept();
            return;
        default:
            if (plain && !text.isEmpty() && text[0].isPrint()) { // a letter ends nothing and adds nothing
                event->accept();
                return;
            }
            take();
            break;
        }
    }
    QDateEdit::keyPressEvent(event);
}

void DateFieldView::focusOutEvent(QFocusEvent* event) {
    take();
    QDateEdit::focusOutEvent(event);
}

bool DateFieldView::focusNextPrevChild(bool next) {
    take();
    return QDateEdit::focusNextPrevChild(next);
}

} // namespace kugelo
