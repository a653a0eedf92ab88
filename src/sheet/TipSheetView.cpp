#include "sheet/TipSheetView.h"

#include "app/LabelsView.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheet.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

namespace kugelo {

namespace {
const QString kRowHint = QStringLiteral("Ist \"Tipp\" rot, wird diese Reihe nicht neu berechnet!");
const QString kEditHint =
    QStringLiteral("Klicken Sie hier um den Tipp zu ändern oder per Zufallsgenerator erzeugen wollen");
const QString kEditHintRows5to8 = QStringLiteral(
    "Klicken Sie hier um Tipp 1 mit dem Tippformular zu ändern oder per Zufallsgenerator erzeugen wollen");

QColor backgroundColour(FieldBackground background, const QPalette& normal) {
    switch (background) {
    case FieldBackground::Green:
        return QColor(0, 255, 0);
    case FieldBackground::Red:
        return QColor(255, 0, 0);
    case FieldBackground::Normal:
        break;
    }
    return normal.color(QPalette::Base);
}

void TipSheetView::showRow(int r) {
    const TipSheet::Row& row = m_sheet.row(r);
    const auto ri = std::size_t(r);
    for (int f = 0; f < TipSheet::FieldCount; ++f) {
        QLineEdit* edit = m_fields[ri][std::size_t(f)];
        const QString& text = row.texts[std::size_t(f)];
        if (edit->text() != text) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
        QPalette p = m_fieldPalette;
        p.setColor(QPalette::Base, backgroundColour(row.backgrounds[std::size_t(f)], m_fieldPalette));
        edit->setPalette(p);
    }
    QPalette hits = m_labelPalette;
    hits.setColor(QPalette::WindowText, row.hitsRed ? QColor(255, 0, 0) : QColor(0, 0, 0));
    m_hits[ri]->setPalette(hits);
    m_hits[ri]->setText(row.hits);
    m_crossSums[ri]->setText(row.crossSum);
    QPalette label = m_labelPalette;
    if (row.locked) label.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_rowLabels[ri]->setPalette(label);
}

void TipSheetView::setEditable(bool editable) {
    for (std::size_t r = 0; r < m_fields.size(); ++r) {
        for (std::size_t f = 0; f < 7; ++f)
            m_fields[r][f]->setReadOnly(!editable || (f == 4 && r > 0));
        m_rowLabels[r]->setEnabled(editable);
    }
    for (const TipRow& row : kTipRows)
        if (auto* button = m_fields[0][0]->parentWidget()->findChild<QWidget*>(QLatin1String(row.editButton)))
            button->setEnabled(editable);
}

bool TipSheetView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched)) Q_EMIT fieldLeft();
    return QObject::eventFilter(watched, event);
}

} // namespace kugelo
