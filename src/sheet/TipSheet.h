#pragma once

#include <QObject>
#include <QString>
#include <array>

namespace kugelo {

// Background of a tip field.
enum class FieldBackground { Normal, Green, Red };

// The twelve rows of the tip sheet as values: seven field texts per row (five main numbers, the n° CHANCE,
// the invisible extra field), their backgrounds, the lock, and the hits and cross-sum labels. Every text
// written into a field passes the field validation, exactly as a change of the control's text does, so a
// non-empty field always holds a canonical number in its range. The window shows the model and forwards
// what the user types.
class TipSheet : public QObject {
    Q_OBJECT
public:
    static constexpr int RowCount = 12;
    static constexpr int FieldCount = 7;
    static constexpr int Chance = 5; // field index of the n° CHANCE
    static constexpr int Extra = 6;  // field index of the extra field

    struct Row {
        std::array<QString, FieldCount> texts;
        std::array<FieldBackground, FieldCount> backgrounds{};
        bool locked = false;
        QString hits;
        bool hitsRed = false;
        QString crossSum;

        bool operator==(const Row&) const = default;
    };
    using Rows = std::array<Row, RowCount>;

    explicit TipSheet(QObject* parent = nullptr) : QObject(parent) {}

    // Rows and fields count from 0 here; row r is the design's row r + 1.
    const Row& row(int r) const { return m_rows.at(static_cast<std::size_t>(r)); }
    const QString& text(int r, int field) const { return row(r).texts.at(static_cast<std::size_t>(field)); }

    // Writes a field text through the validation; returns the text the field holds afterwards.
    QString setText(int r, int field, const QString& text);
    void setBackground(int r, int field, FieldBackground background);
    void setHits(int r, const QString& text, bool red);
    void setHits(int r, const QString& text);
    void setCrossSum(int r, const QString& text);

    // Clicking the row label: locked rows are kept by the generation and by clear all.
    void toggleLock(int r);
    bool isLocked(int r) const { return row(r).locked; }

    // Every row as it is now, and every row put back exactly so (texts, backgrounds, locks, labels).
    const Rows& rows() const { return m_rows; }
    void restoreRows(const Rows& rows);

    // Empties every unlocked row: its fields, their backgrounds and its two labels.
    void clearAll();

    // The highest value a field accepts: 49 for main numbers, 10 for the n° CHANCE and the extra field.
    static int maximum(int field) { return field < 5 ? 49 : 10; }

Q_SIGNALS:
    // Something of row r changed (a text, a background, a label or the lock).
    void rowChanged(int r);

private:
    Row& mutableRow(int r) { return m_rows.at(static_cast<std::size_t>(r)); }
    Rows m_rows;
};

// The validation of a tip field: a text that is not a whole number becomes empty; a number is written as
// plain decimal ("07" -> "7") and emptied when it lies outside 1..maximum.
QString validatedTipText(const QString& text, int maximum);

} // namespace kugelo
