#pragma once

#include "state/DrawRecord.h"

#include <QDialog>
#include <array>

class QDateEdit;
class QSpinBox;

namespace kugelo {

// The manual entry dialog: the date, the five main numbers and the n° CHANCE of a draw, each number with
// its spin buttons. Two hidden spin fields carry bytes 13 and 15 of the loaded record through unchanged.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 330;
    static constexpr int DesignClientHeight = 118;

    explicit TForm3(QWidget* parent = nullptr);

    // Fills the fields from a record and sets the spin ranges (main numbers 1..49, n° CHANCE 1..10).
    void load(const DrawRecord& record);
    // The loaded record with the date and the numbers of the fields (main numbers in field order; the
    // caller sorts them). A number typed outside its range is limited to the range.
    DrawRecord entered(const DrawRecord& loaded) const;

    // Shows the dialog modally; true when it was closed with OK.
    bool runModal();

private:
    QDateEdit* m_date = nullptr;
    std::array<QSpinBox*, 5> m_numbers{};
    QSpinBox* m_chance = nullptr;
    QSpinBox* m_hidden6 = nullptr;
    QSpinBox* m_hidden8 = nullptr;
};

} // namespace kugelo
