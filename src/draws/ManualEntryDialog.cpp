#include "draws/ManualEntryDialog.h"

#include "platform/DayNumber.h"
#include "widgets/LabelsView.h"

#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QValidator>
#include <algorithm>

namespace kugelo {

namespace {

// A spin box that lets any number of up to three digits be typed and limits it to its range when the
// text is taken (the standard one refuses the keystroke, or falls back to its last value).
class RangeSpinBox final : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int&) const override {
        if (input.isEmpty()) return QValidator::Intermediate;
        if (input.size() > 3) return QValidator::Invalid;
        for (const QChar c : input)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return QValidator::Invalid;
        const int value = input.toInt();
        return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
    }
    void fixup(QString& input) const override {
        bool ok = false;
        const int value = input.toInt(&ok);
        if (ok) input = QString::number(std::clamp(value, minimum(), maximum()));
    }
    int valueFromText(const QString& text) const override { return text.toInt(); }
};

// A number field and its spin buttons: the spin box carries the spin name, its edit the field name.
QSpinBox* numberField(QWidget* parent, const char* spinName, const char* editName, const QRect& geometry) {
    QSpinBox* spin = place<RangeSpinBox>(parent, spinName, geometry);
    spin->findChild<QLineEdit*>()->setObjectName(QLatin1String(editName));
    spin->setAlignment(Qt::AlignRight);
    // A number beyond the range is taken as the nearest end of the range.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return spin;
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Zahlen der Ziehung eingeben"));
    setModal(true);
    setFixedSize(DesignClientWidth, DesignClientHeight);

    m_date = place<QDateEdit>(this, "DateTimePicker1", {8, 8, 110, 24});
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_date->setMinimumDate(earliestDrawDate());

    static const char* const kSpins[] = {"UpDown1", "UpDown2", "UpDown3", "UpDown4", "UpDown5"};
    static const char* const kEdits[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"};
    for (int i = 0; i < 5; ++i)
        m_numbers[i] = numberField(this, kSpins[i], kEdits[i], {8 + 46 * i, 42, 42, 24});

    auto* chanceLabel = place<QLabel>(this, "Label1", {244, 46, 26, 16});
    chanceLabel->setText(QStringLiteral("n°:"));
    QFont bold = chanceLabel->font();
    bold.setBold(true);
    chanceLabel->setFont(bold);
    QPalette red = chanceLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    chanceLabel->setPalette(red);
    m_chance = numberField(this, "UpDown7", "Edit7", {272, 42, 42, 24});

    // The hidden fields hold the record's bytes 13 and 15 as they were loaded, whatever their value.
    m_hidden6 = numberField(this, "UpDown6", "Edit6", {8, 74, 42, 24});
    auto* ppLabel = place<QLabel>(this, "Label2", {54, 78, 26, 16});
    ppLabel->setText(QStringLiteral("PP:"));
    m_hidden8 = numberField(this, "UpDown8", "Edit8", {82, 74, 42, 24});
    for (QWidget* hidden :
         {static_cast<QWidget*>(m_hidden6), static_cast<QWidget*>(ppLabel), static_cast<QWidget*>(m_hidden8)})
        hidden->setVisible(false);
    m_hidden6->setRange(0, 255);
    m_hidden8->setRange(0, 255);

    auto* panel = place<QFrame>(this, "Panel1", {0, DesignClientHeight - 42, DesignClientWidth, 42});
    panel->setFrameShape(QFrame::StyledPanel);
    auto* ok = place<QPushButton>(panel, "BitBtn2", {DesignClientWidth - 196, 8, 88, 26});
    ok->setText(QStringLiteral("OK"));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    auto* cancel = place<QPushButton>(panel, "BitBtn1", {DesignClientWidth - 100, 8, 92, 26});
    cancel->setText(QStringLiteral("Abbrechen"));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm3::load(const DrawRecord& record) {
    m_date->setDate(record.date());
    for (QSpinBox* spin : m_numbers)
        spin->setRange(1, 49);
    m_chance->setRange(1, 10);
    for (int i = 0; i < 5; ++i)
        m_numbers[i]->setValue(record.Zahl[i]);
    m_hidden6->setValue(record.Zahl[5]);
    m_chance->setValue(record.Zahl[6]);
    m_hidden8->setValue(record.Zahl[7]);
    m_numbers[0]->setFocus();
    m_numbers[0]->selectAll();
}

DrawRecord TForm3::entered(const DrawRecord& loaded) const {
    DrawRecord record = loaded;
    record.Datum = toDayNumber(m_date->date());
    for (int i = 0; i < 5; ++i)
        record.Zahl[i] = static_cast<std::uint8_t>(m_numbers[i]->value());
    record.Zahl[5] = static_cast<std::uint8_t>(m_hidden6->value());
    record.Zahl[6] = static_cast<std::uint8_t>(m_chance->value());
    record.Zahl[7] = static_cast<std::uint8_t>(m_hidden8->value());
    return record;
}

bool TForm3::runModal() {
    const bool ok = exec() == QDialog::Accepted;
    // A number still being typed counts as it is shown once corrected.
    for (QSpinBox* spin : {m_numbers[0], m_numbers[1], m_numbers[2], m_numbers[3], m_numbers[4], m_chance})
        spin->interpretText();
    return ok;
}

} // namespace kugelo
