#pragma once

#include <QObject>
#include <QPalette>
#include <array>

class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace kugelo {

class ClickableLabel;
class TipSheet;

// The twelve rows of the tip sheet on the tip overview tab: builds the row labels, fields, result labels
// and edit buttons at their design places, shows the model and hands typed text to it.
class TipSheetView : public QObject {
    Q_OBJECT
public:
    TipSheetView(TipSheet& sheet, QWidget* tab);

    QLineEdit* field(int row, int field) const { return m_fields[std::size_t(row)][std::size_t(field)]; }

    // While a generation writes the rows, typing and the row commands are off.
    void setEditable(bool editable);

    // What assistive technology reads of the rows, in the language shown ("%1" the row's caption, "%2"
    // the value). The fifth field of rows 2 to 12 shows its text as its hint too: it is only filled by the
    // row's "…" button or a run.
    struct AccessibleTexts {
        QString hits;        // a row's hits label
        QString crossSum;    // a row's cross-sum label
        QString number;      // a number field
        QString chance;      // the n° CHANCE field
        QString filledByRow; // the read-only fifth field
    };
    void setAccessibleTexts(const AccessibleTexts& texts);

Q_SIGNALS:
    // A tip field lost the input focus.
    void fieldLeft();
    // The edit button of a row (0..11) was clicked.
    void editRowRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRow(int row);
    // The hits and cross-sum labels of a row are named by the row and what they count.
    void nameResults(int row);
    static bool readOnlyField(std::size_t row, std::size_t field) { return field == 4 && row > 0; }

    TipSheet& m_sheet;
    std::array<std::array<QLineEdit*, 7>, 12> m_fields{};
    std::array<ClickableLabel*, 12> m_rowLabels{};
    std::array<QToolButton*, 12> m_editButtons{};
    std::array<QLabel*, 12> m_hits{};
    std::array<QLabel*, 12> m_crossSums{};
    AccessibleTexts m_texts;
    QPalette m_fieldPalette;
    QPalette m_labelPalette;
};

} // namespace kugelo
