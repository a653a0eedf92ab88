#pragma once

#include <QDateEdit>

namespace kugelo {

// A date field ("dd.MM.yyyy") that takes a date as it is typed. Characters typed in a row are one entry,
// shown as typed and taken when it is a whole date (day, month, four-digit year, or eight digits), when
// the player leaves the field or presses Enter, Tab or an arrow key; "15.03.21", "15/3/2021", "150321" and
// "15.03" (this year) count too. An entry of digits alone that is no date goes to the part of the date it
// was typed into (the year after a click there). An entry that is no date leaves the date as it was;
// Escape drops it. The field reports each date once, never a half-typed one. F4 and Alt+Down open the
// calendar.
class DateFieldView final : public QDateEdit {
    Q_OBJECT
public:
    explicit DateFieldView(QWidget* parent = nullptr);

    // Opens the calendar, as a click on the field's arrow does.
    void openCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool typing() const { return !m_typed.isEmpty(); }
    void showTyped();
    // Ends the entry: its date, or the date shown before.
    void take();
    void drop();

    QString m_typed;
    Section m_typedInto = DaySection;
};

} // namespace kugelo
