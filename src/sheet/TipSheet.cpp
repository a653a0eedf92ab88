#include "sheet/TipSheet.h"

#include "platform/Convert.h"

namespace kugelo {

QString validatedTipText(const QString& text, int maximum) {
    const auto value = tryStrToInt(text);
    if (!value || *value < 1 || *value > maximum) return {};
    return QString::number(*value);
}

QString TipSheet::setText(int r, int field, const QString& text) {
    QString& stored = mutableRow(r).texts.at(static_cast<std::size_t>(field));
    const QString validated = validatedTipText(text, maximum(field));
    // The control shows what was typed until the validation replaces it, so a rejected keystroke is a
    // change too.
    if (validated != stored || validated != text) {
        stored = validated;
        Q_EMIT rowChanged(r);
    }
    return stored;
}

void TipSheet::setBackground(int r, int field, FieldBackground background) {
    FieldBackground& stored = mutableRow(r).backgrounds.at(static_cast<std::size_t>(field));
    if (stored != background) {
        stored = background;
        Q_EMIT rowChanged(r);
    }
}

void TipSheet::setHits(int r, const QString& text, bool red) {
    Row& row = mutableRow(r);
    if (row.hits != text || row.hitsRed != red) {
        row.hits = text;
        row.hitsRed = red;
        Q_EMIT rowChanged(r);
    }
}

void TipSheet::setHits(int r, const QString& text) {
    setHits(r, text, row(r).hitsRed);
}

void TipSheet::setCrossSum(int r, const QString& text) {
    Row& row = mutableRow(r);
    if (row.crossSum != text) {
        row.crossSum = text;
        Q_EMIT rowChanged(r);
    }
}

void TipSheet::toggleLock(int r) {
    mutableRow(r).locked = !row(r).locked;
    Q_EMIT rowChanged(r);
}

void TipSheet::restoreRows(const Rows& rows) {
    for (int r = 0; r < RowCount; ++r) {
        if (m_rows[std::size_t(r)] == rows[std::size_t(r)]) continue;
        m_rows[std::size_t(r)] = rows[std::size_t(r)];
        Q_EMIT rowChanged(r);
    }
}

void TipSheet::clearAll() {
    for (int r = 0; r < RowCount; ++r) {
        Row& row = mutableRow(r);
        if (row.locked) continue;
        const bool locked = row.locked;
        row = Row{};
        row.locked = locked;
        Q_EMIT rowChanged(r);
    }
}

} // namespace kugelo
