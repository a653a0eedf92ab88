#include "app/AccessibleNames.h"

#include "generator/CriteriaPage.h"
#include "generator/NumberListDialog.h"
#include "i18n/MessageTable.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheetView.h"
#include "stats/ChartView.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>

namespace kugelo {

namespace {

// Changing a name tells assistive technology, so only a name that differs is set.
void setName(QWidget* w, const QString& name) {
    if (w->accessibleName() != name) w->setAccessibleName(name);
}
void setDescription(QWidget* w, const QString& description) {
    if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
}

// A caption as it reads: without the accelerator marks and the runs of blanks.
QString plain(const QString& caption) {
    return QString(caption).remove(QLatin1Char('&')).simplified();
}

// Whether a caption says anything: a sign ("…", "☘") or an empty caption does not.
bool saysSomething(const QString& caption) {
    return std::any_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

template <class W = QWidget> W* child(QWidget* in, const char* name) {
    return in ? in->findChild<W*>(QLatin1String(name)) : nullptr;
}

QString textOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    return {};
}

// The hint of the ball above a column of the tip sheet (0..4 the numbers, 5 the n° CHANCE), which a
// language may have replaced; without one, what the column holds.
QString columnName(QWidget* pages, int column) {
    const QWidget* ball = child(pages, qPrintable(QStringLiteral("Image%1").arg(column + 1)));
    const QString hint = ball ? plain(ball->toolTip()) : QString();
    if (!hint.isEmpty()) return hint;
    return column < 5 ? QString::number(column + 1) : QStringLiteral("n° CHANCE");
}

// The banners spell their text with a blank between the letters; it is read as words.
QString unspaced(const QString& text) {
    QStringList words = text.split(QRegularExpression(QStringLiteral(" {2,}")), Qt::SkipEmptyParts);
    for (QString& word : words)
        word.remove(QLatin1Char(' '));
    return words.join(QLatin1Char(' '));
}

// The chart buttons of the options show only a picture: each is named by the hint of the button of
// another tab that draws the same chart.
struct SameChart {
    const char* button;
    const char* namedLike;
};
constexpr SameChart kChartButtons[] = {
    {"SpeedButton26", "SpeedButton2"}, {"SpeedButton22", "SpeedButton19"}, {"SpeedButton23", "Button2"},
    {"SpeedButton24", "Button3"},      {"SpeedButton25", "Button4"},       {"Superselten", "SpeedButton20"},
    {"SuperAus", "SpeedButton21"},
};

// The chart buttons whose captions are abbreviations ("QS", "2er") are named by their hint, which says it in
// full words.
constexpr const char* kAbbreviated[] = {"SpeedButton9", "SpeedButton1", "SpeedButton3", "SpeedButton12"};

// The web links show their address; what they lead to is the heading above them.
struct Described {
    const char* control;
    const char* by;
};
constexpr Described kLinks[] = {{"Label52", "Label55"}, {"Label54", "Label56"}};
// The underlined labels of the options open a chart: they are described by the hint of the chart's button.
constexpr Described kChartLinks[] = {{"Label88", "SpeedButton9"},
                                     {"Label89", "SpeedButton1"},
                                     {"Label91", "SpeedButton3"},
                                     {"Label90", "SpeedButton12"}};

void nameTipSheet(QWidget* pages) {
    for (const TipRow& row : kTipRows) {
        const auto* rowLabel = child<QLabel>(pages, row.label);
        if (!rowLabel) continue;
        const QString rowName = plain(rowLabel->text());
        for (int f = 0; f < 5; ++f)
            if (auto* field = child(pages, row.numbers[f]))
                setName(field, rowName + QStringLiteral(", ") + columnName(pages, f));
        if (auto* chance = child(pages, row.chance))
            setName(chance, rowName + QStringLiteral(", ") + columnName(pages, 5));
        if (auto* edit = child<QAbstractButton>(pages, row.editButton))
            setName(edit, rowName + QLatin1Char(' ') + plain(edit->text()));
    }
}

void nameMainWindow(QWidget* pages) {
    nameTipSheet(pages);
    for (int column = 0; column < 6; ++column)
        if (auto* ball = child(pages, qPrintable(QStringLiteral("Image%1").arg(column + 1))))
            setName(ball, columnName(pages, column));
    // The chart before its first statistic reads as its tab.
    if (auto* chart = child<ChartView>(pages, "Chart1")) {
        auto* tabs = qobject_cast<QTabWidget*>(pages);
        const int tab = tabs ? tabs->indexOf(chart->parentWidget()) : -1;
        if (tab >= 0) chart->setNameWithoutCaption(plain(tabs->tabText(tab)));
    }
    for (const SameChart& c : kChartButtons) {
        auto* button = child(pages, c.button);
        const QWidget* like = child(pages, c.namedLike);
        if (button && like) setName(button, plain(like->toolTip()));
    }
    for (const char* name : kAbbreviated)
        if (auto* button = child(pages, name); button && !plain(button->toolTip()).isEmpty())
            setName(button, plain(button->toolTip()));
    for (const Described& link : kChartLinks) {
        auto* control = child(pages, link.control);
        const QWidget* by = child(pages, link.by);
        if (control && by) setDescription(control, plain(by->toolTip()));
    }
    for (const Described& link : kLinks) {
        auto* control = child(pages, link.control);
        const QWidget* by = child(pages, link.by);
        if (control && by) setDescription(control, plain(textOf(by)));
    }
    for (const char* banner : {"Label43", "Label44"})
        if (auto* label = child<QLabel>(pages, banner)) setName(label, unspaced(label->text()));
    // The number of rows to compute has no caption; its field's hint says what it is.
    if (auto* rows = child(pages, "UpDown8"))
        if (const QWidget* field = rows->findChild<QLineEdit*>()) setName(rows, plain(field->toolTip()));
}

// The date pickers share one fixed German hint: each is named and described by what its date is for.
void nameDatePickers(QWidget* pages, const MessageTable& m) {
    if (auto* end = child(pages, "DateTimePicker1")) {
        setName(end, m[Msg::DrawDateName]);
        setDescription(end, m[Msg::DrawDateDescription]);
    }
    if (auto* start = child(pages, "DateTimePicker2")) {
        setName(start, m[Msg::StatisticsStartName]);
        setDescription(start, m[Msg::StatisticsStartDescription]);
    }
}

// A spin is described by the hint of its field (which a language replaces), and shows it as its own hint
// too; a spin without one by its range.
void describeSpins(QWidget* window, const MessageTable& m) {
    for (QSpinBox* spin : window->findChildren<QSpinBox*>()) {
        auto* field = spin->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
        const QString hint = field ? field->toolTip() : QString();
        if (!hint.isEmpty() && spin->toolTip() != hint) spin->setToolTip(hint);
        const QString description =
            hint.isEmpty() ? m[Msg::ValueRange].arg(spin->minimum()).arg(spin->maximum()) : plain(hint);
        setDescription(spin, description);
        if (field) setDescription(field, description);
    }
}

// The manual entry: its fields hold a draw, named as the columns of the tip sheet.
void nameManualEntry(QWidget* form3, QWidget* pages) {
    const char* const numbers[] = {"UpDown1", "UpDown2", "UpDown3", "UpDown4", "UpDown5", "UpDown7"};
    for (int i = 0; i < 6; ++i)
        if (auto* spin = child(form3, numbers[i])) setName(spin, columnName(pages, i));
    if (auto* date = child(form3, "DateTimePicker1")) {
        setName(date, plain(form3->windowTitle()));
        setDescription(date, plain(form3->windowTitle()));
    }
}

// The click-script dialog: the parameter fields carry the names of the script's parameters.
void nameScriptDialog(QWidget* csfForm, const MessageTable& m) {
    for (const char* name : {"LabeledEdit2", "LabeledEdit3", "LabeledEdit4", "LabeledEdit5"}) {
        auto* field = child(csfForm, name);
        const auto* label = child<QLabel>(csfForm, qPrintable(QLatin1String(name) + QStringLiteral("Label")));
        if (field && label) setDescription(field, m[Msg::ScriptValue].arg(plain(label->text())));
    }
    if (auto* script = child<QComboBox>(csfForm, "LabeledEdit1")) {
        if (const auto* caption = child<QLabel>(csfForm, "Label1")) setName(script, plain(caption->text()));
        if (const auto* browse = child(csfForm, "BitBtn1")) setDescription(script, plain(browse->toolTip()));
    }
}

} // namespace

void nameControls(const NamedWindows& windows) {
    if (!windows.main || !windows.pages) return;
    // First the buttons of every window that show only a picture or a sign: named by their hint. Qt's own
    // inner buttons (names "qt_...") keep the names Qt gives them.
    for (QAbstractButton* button : windows.main->findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || saysSomething(button->text()))
            continue;
        if (const QString hint = plain(button->toolTip()); !hint.isEmpty()) setName(button, hint);
    }
    nameMainWindow(windows.pages);
    if (windows.criteria) windows.criteria->nameSpins();
    if (windows.form3) nameManualEntry(windows.form3, windows.pages);
    // The buttons of a dialog that have no hint (OK, Abbrechen) are described by the dialog's title.
    for (QWidget* dialog : {windows.form3, windows.form6, windows.csfForm}) {
        if (!dialog) continue;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->toolTip().isEmpty() && !button->objectName().startsWith(QLatin1String("CheckBox")))
                setDescription(button, plain(dialog->windowTitle()));
    }
    if (windows.messages) {
        const MessageTable& m = *windows.messages;
        nameDatePickers(windows.pages, m);
        describeSpins(windows.main, m);
        if (windows.csfForm) nameScriptDialog(windows.csfForm, m);
        if (auto* form6 = qobject_cast<TForm6*>(windows.form6))
            form6->setAccessibleTexts(m[Msg::NumberWeight], m[Msg::NumberInRow]);
        if (windows.sheet)
            windows.sheet->setAccessibleTexts(
                {m[Msg::RowHits], QStringLiteral("%1, ") + m[Msg::CrossSum] + QStringLiteral(": %2"),
                 m[Msg::ValueRange].arg(1).arg(49), m[Msg::ValueRange].arg(1).arg(10), m[Msg::FilledByRow]});
        if (windows.form3) {
            if (auto* date = child(windows.form3, "DateTimePicker1")) setName(date, m[Msg::DrawDateName]);
        }
    }
    // A spin's text field, where the focus is while the spin has it, reads as the spin.
    for (QAbstractSpinBox* spin : windows.main->findChildren<QAbstractSpinBox*>())
        if (auto* field = spin->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
            setName(field, QAccessible::queryAccessibleInterface(spin)->text(QAccessible::Name));
    // A tab widget takes the focus for its tab bar: it reads as the tab in front; each page as its tab.
    // Each is described by the hint of that tab, and so are the tab bar and each page.
    for (QTabWidget* tabs : windows.main->findChildren<QTabWidget*>()) {
        setName(tabs, plain(tabs->tabText(tabs->currentIndex())));
        setDescription(tabs, tabs->tabToolTip(tabs->currentIndex()));
        setDescription(tabs->tabBar(), tabs->tabToolTip(tabs->currentIndex()));
        for (int i = 0; i < tabs->count(); ++i) {
            setName(tabs->widget(i), plain(tabs->tabText(i)));
            setDescription(tabs->widget(i), tabs->tabToolTip(i));
        }
    }
}

} // namespace kugelo
