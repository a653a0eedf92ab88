#include "sheet/TipSheetView.h"

#include "sheet/TipRows.h"
#include "sheet/TipSheet.h"
#include "widgets/LabelsView.h"

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

// A field that only shows a value has the background of the window around it, as read-only fields have.
QColor backgroundColour(FieldBackground background, const QPalette& normal, bool readOnly) {
    switch (background) {
    case FieldBackground::Green:
        return QColor(0, 255, 0);
    case FieldBackground::Red:
        return QColor(255, 0, 0);
    case FieldBackground::Normal:
        break;
    }
    return normal.color(readOnly ? QPalette::Window : QPalette::Base);
}

QString filled(QString text, const QString& row, const QString& value) {
    return text.replace(QLatin1String("%1"), row).replace(QLatin1String("%2"), value);
}

} // namespace

TipSheetView::TipSheetView(TipSheet& sheet, QWidget* tab) : QObject(tab), m_sheet(sheet) {
    for (std::size_t r = 0; r < kTipRows.size(); ++r) {
        const TipRow& row = kTipRows[r];
        const int rowIndex = static_cast<int>(r);
        auto* rowLabel = place<ClickableLabel>(tab, row.label, {kTipLabelX, row.top + 1, 56, 16});
        rowLabel->setText(QLatin1String(row.caption));
        rowLabel->setToolTip(kRowHint);
        rowLabel->setCursor(Qt::PointingHandCursor);
        rowLabel->setKeyboardRole(ClickableLabel::Role::Toggle); // Space locks and unlocks the row too
        connect(rowLabel, &ClickableLabel::clicked, this, [this, rowIndex] { m_sheet.toggleLock(rowIndex); });
        m_rowLabels[r] = rowLabel;

        const char* names[7] = {row.numbers[0], row.numbers[1], row.numbers[2], row.numbers[3],
                                row.numbers[4], row.chance,     row.extra};
        const int xs[7] = {kTipNumberX[0], kTipNumberX[1], kTipNumberX[2], kTipNumberX[3],
                           kTipNumberX[4], kTipChanceX,    kTipExtraX};
        for (int f = 0; f < 7; ++f) {
            // As high as the row pitch, so that neighbouring rows do not overlap.
            auto* edit = place<QLineEdit>(tab, names[f], {xs[f], row.top, 25, 17});
            edit->setAlignment(Qt::AlignCenter);
            edit->setAutoFillBackground(true);
            edit->setReadOnly(readOnlyField(r, std::size_t(f)));
            // Its hint is set at run time, in the language shown: no element of the language files.
            if (readOnlyField(r, std::size_t(f))) edit->setProperty("untranslated", true);
            edit->setVisible(f != TipSheet::Extra);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this,
                    [this, rowIndex, f](const QString& text) { m_sheet.setText(rowIndex, f, text); });
            m_fields[r][std::size_t(f)] = edit;
        }
        m_hits[r] = place<QLabel>(tab, row.hits, {kTipHitsX, row.top + 1, 78, 16});
        m_crossSums[r] = place<QLabel>(tab, row.crossSum, {kTipCrossSumX, row.top + 1, 30, 16});

        auto* edit = place<QToolButton>(tab, row.editButton, {kTipEditButtonX, row.top + 2, 13, 13});
        edit->setText(QStringLiteral("…"));
        edit->setToolTip((r >= 4 && r <= 7) ? kEditHintRows5to8 : kEditHint);
        QFont small = edit->font();
        small.setPixelSize(8);
        edit->setFont(small);
        connect(edit, &QToolButton::clicked, this, [this, rowIndex] { Q_EMIT editRowRequested(rowIndex); });
        m_editButtons[r] = edit;
    }
    m_fieldPalette = m_fields[0][0]->palette();
    m_labelPalette = m_hits[0]->palette();

    // Keyboard order, row by row: the row label (the lock), the six visible fields from left to right, the
    // row's edit button.
    QWidget* previous = nullptr;
    const auto next = [&previous](QWidget* w) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (std::size_t r = 0; r < m_fields.size(); ++r) {
        next(m_rowLabels[r]);
        for (std::size_t f = 0; f < 6; ++f)
            next(m_fields[r][f]);
        next(m_editButtons[r]);
    }

    connect(&m_sheet, &TipSheet::rowChanged, this, &TipSheetView::showRow);
    for (int r = 0; r < TipSheet::RowCount; ++r)
        showRow(r);
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
        p.setColor(QPalette::Base, backgroundColour(row.backgrounds[std::size_t(f)], m_fieldPalette,
                                                    readOnlyField(ri, std::size_t(f))));
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
    m_rowLabels[ri]->setChecked(row.locked);
    nameResults(r);
}

void TipSheetView::nameResults(int r) {
    const auto ri = std::size_t(r);
    const QString row = m_rowLabels[ri]->text().remove(QLatin1Char('&'));
    const auto name = [&row](QLabel* label, const QString& text) {
        // An empty label has nothing to say.
        const QString read =
            label->text().isEmpty() || text.isEmpty() ? QString() : filled(text, row, label->text());
        if (label->accessibleName() != read) label->setAccessibleName(read);
    };
    name(m_hits[ri], m_texts.hits);
    name(m_crossSums[ri], m_texts.crossSum);
}

void TipSheetView::setAccessibleTexts(const AccessibleTexts& texts) {
    m_texts = texts;
    for (std::size_t r = 0; r < m_fields.size(); ++r) {
        for (std::size_t f = 0; f < 6; ++f) {
            QLineEdit* field = m_fields[r][f];
            const QString description = readOnlyField(r, f) ? texts.filledByRow
                                        : f == 5            ? texts.chance
                                                            : texts.number;
            if (field->accessibleDescription() != description) field->setAccessibleDescription(description);
            if (readOnlyField(r, f)) field->setToolTip(texts.filledByRow);
        }
        nameResults(static_cast<int>(r));
    }
}

void TipSheetView::setEditable(bool editable) {
    for (std::size_t r = 0; r < m_fields.size(); ++r) {
        for (std::size_t f = 0; f < 7; ++f)
            m_fields[r][f]->setReadOnly(!editable || readOnlyField(r, f));
        m_rowLabels[r]->setEnabled(editable);
    }
    for (QToolButton* button : m_editButtons)
        button->setEnabled(editable);
}

bool TipSheetView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched)) Q_EMIT fieldLeft();
    return QObject::eventFilter(watched, event);
}

} // namespace kugelo
