#include "generator/CriteriaPage.h"

#include "stats/Statistics.h"
#include "widgets/CaptionGapsView.h"
#include "widgets/LabelsView.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace kugelo {

namespace {

constexpr int kLeft = 8;       // left margin of every page
constexpr int kRight = 500;    // right edge of the usable page area
constexpr int kRowHeight = 20; // check boxes, radio buttons and spins
constexpr int kSpinWidth = 44; // spins of one or two digits
constexpr int kColumnGap = 10; // between a caption and the spin or box beside it
constexpr int kChartButton = 22;

// The rows of the statistics page: the options with a percentage, then those of runs with their "rarest"
// variant beside them.
constexpr int kStatisticRows[] = {28, 52, 76, 130, 154, 178};
const char* const kStatisticBoxes[] = {"CheckBox2", "CheckBox14", "CheckBox10",
                                       "CheckBox1", "CheckBox6",  "CheckBox7"};
const char* const kPercentSpins[] = {"UpDown12", "UpDown14", "UpDown13"};
const char* const kRarestBoxes[] = {"CheckBox11", "CheckBox12", "CheckBox13"};
// The chart buttons of the statistics page and their rows.
const struct {
    const char* name;
    int row;
} kStatisticCharts[] = {{"SpeedButton26", 0},
                        {"SpeedButton22", 2},
                        {"SpeedButton23", 3},
                        {"SpeedButton24", 4},
                        {"SpeedButton25", 5}};

// Check boxes with a limit beside them; the spins of one page share one column.
struct Limit {
    const char* box;
    const char* spin;
    int y;
};
constexpr Limit kOverlapLimits[] = {{"CheckBox3", "UpDown3", 24},
                                    {"CheckBox24", "UpDown9", 46},
                                    {"CheckBox4", "UpDown4", 162},
                                    {"CheckBox5", "UpDown5", 184},
                                    {"CheckBox23", "UpDown11", 206}};
constexpr Limit kMinima[] = {
    {"CheckBox22", "UpDown10", 122}, {"CheckBox25", "UpDown15", 146}, {"CheckBox26", "UpDown16", 170}};

const char* const kRadios[] = {"RadioButton1", "RadioButton2", "RadioButton3"};

const char* const kPageNames[5] = {"Statistisch", "Schein Optimierung", "Mathematisch", "n° CHANCE",
                                   "Allgemein"};

int which(Statistic statistic) {
    return static_cast<int>(statistic);
}

// The window's design font: the captions are measured in it, and the contents scale with the window from
// there.
const QFontMetrics& designMetrics() {
    static const QFontMetrics metrics([] {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(11);
        return f;
    }());
    return metrics;
}

int advance(const QString& text) {
    return designMetrics().horizontalAdvance(text);
}

// Where the caption text of a check box or radio button starts, relative to the control.
int captionOffset(const QWidget* w) {
    const QStyle* s = w->style();
    if (qobject_cast<const QRadioButton*>(w))
        return s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
               s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    return s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
           s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
}

// The caption of a label or button as it reads now: a language may have replaced it.
QString captionOf(const QWidget* w) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (const auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    return {};
}

// A small bar chart for the buttons that open a statistic.
QIcon chartIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.drawLine(1, 15, 15, 15);
    p.drawLine(1, 1, 1, 15);
    const struct {
        int x, height;
        QColor colour;
    } bars[] = {{3, 7, QColor(0, 160, 0)}, {7, 12, QColor(200, 0, 0)}, {11, 9, QColor(0, 160, 0)}};
    for (const auto& b : bars)
        p.fillRect(b.x, 15 - b.height, 3, b.height, b.colour);
    return QIcon(pixmap);
}

// The spins whose ranges follow another spin on mouse use.
bool isCoupled(const char* name) {
    for (const char* coupled : {"UpDown3", "UpDown9", "UpDown15", "UpDown16"}) {
        if (qstrcmp(name, coupled) == 0) return true;
    }
    return false;
}

} // namespace

CriteriaPage::CriteriaPage(GenerationCriteria& criteria, const std::array<QWidget*, 5>& pages,
                           QObject* parent)
    : QObject(parent), m_criteria(criteria), m_pages(pages) {
    buildStatistics(pages[0]);
    buildRowOptimisation(pages[1]);
    buildMathematics(pages[2]);
    buildChance(pages[3]);
    buildGeneral(pages[4]);
    Q_ASSERT(std::all_of(optionTable().begin(), optionTable().end(), [this](const OptionRow& o) {
        return m_named.contains(QLatin1String(o.name)) ||
               std::none_of(std::begin(kPageNames), std::end(kPageNames),
                            [&](const char* page) { return qstrcmp(page, o.page) == 0; });
    }));
    showCriteria();
    layOut();
    nameSpins();
}

QWidget* CriteriaPage::control(const QString& name) const {
    return m_named.value(name);
}

void CriteriaPage::captionSpin(const char* spin, QWidget* caption, int gap, QWidget* unit) {
    m_spinCaptions.push_back({control(QLatin1String(spin)), caption, gap, unit});
}

void CriteriaPage::nameSpins() {
    static const QRegularExpression blankRuns(QStringLiteral(" {3,}"));
    for (const SpinCaption& s : m_spinCaptions) {
        QString name = captionOf(s.caption).remove(QLatin1Char('&'));
        if (s.gap >= 0) {
            // The spin's own gap becomes "…", the others a blank.
            QString marked;
            int run = 0;
            qsizetype from = 0;
            for (auto it = blankRuns.globalMatch(name); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                marked += name.mid(from, m.capturedStart() - from);
                marked += run++ == s.gap ? QStringLiteral(" … ") : QStringLiteral(" ");
                from = m.capturedEnd();
            }
            name = marked + name.mid(from);
        }
        if (s.unit) name += QStringLiteral(" (%1)").arg(captionOf(s.unit).trimmed());
        if (s.spin->accessibleName() != name.simplified()) s.spin->setAccessibleName(name.simplified());
    }
    // The page a control lies on.
    const auto pageOf = [this](const QWidget* w) -> QWidget* {
        for (QWidget* page : m_pages)
            if (page->isAncestorOf(w)) return page;
        return nullptr;
    };
    for (QWidget* w : std::as_const(m_named)) {
        if (!(w->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractSpinBox*>(w) ||
            qobject_cast<QLineEdit*>(w) || !w->toolTip().isEmpty())
            continue;
        QWidget* page = pageOf(w);
        if (!page) continue;
        const int y = w->mapTo(page, QPoint(0, 0)).y();
        QString heading;
        for (QWidget* h : m_headings)
            if (pageOf(h) == page && (heading.isEmpty() || h->y() <= y))
                heading = captionOf(h).remove(QLatin1Char('&')).simplified();
        if (w->accessibleDescription() != heading) w->setAccessibleDescription(heading);
    }
}

void CriteriaPage::remember(QWidget* widget) {
    m_named.insert(widget->objectName(), widget);
}

QLabel* CriteriaPage::label(QWidget* parent, const QRect& geometry, const QString& text, bool heading,
                            bool withGaps) {
    QLabel* l = withGaps ? new GapLabel(text, parent) : new QLabel(text, parent);
    l->setObjectName(QStringLiteral("LabelC%1").arg(++m_unnamedLabels));
    l->setGeometry(geometry);
    l->setWordWrap(geometry.height() > kRowHeight);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (heading) {
        m_headings.push_back(l);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    remember(l);
    return l;
}

QWidget* CriteriaPage::option(const char* name, QWidget* parent) {
    const OptionRow* entry = findOption(QLatin1String(name));
    Q_ASSERT(entry);
    const QString caption = QString::fromUtf8(entry->caption);
    const QString hint = QString::fromUtf8(entry->hint);
    QWidget* widget = nullptr;
    switch (entry->kind) {
    case OptionKind::Check: {
        // A caption with runs of blanks holds spins in them.
        auto* box = blankRunSpan(caption, designMetrics(), 0) ? new GapCheckBox(caption, parent)
                                                              : new QCheckBox(caption, parent);
        connect(box, &QCheckBox::toggled, this, [this, entry](bool on) { m_criteria.*(entry->flag) = on; });
        widget = box;
        break;
    }
    case OptionKind::Radio: {
        auto* radio = new QRadioButton(caption, parent);
        const int mode = name[qstrlen(name) - 1] - '0'; // RadioButton1 .. RadioButton3
        connect(radio, &QRadioButton::toggled, this, [this, mode](bool on) {
            if (!on) return;
            m_criteria.chooseChanceMode(mode);
            showOptions({"RadioButton1", "RadioButton2", "RadioButton3"});
        });
        widget = radio;
        break;
    }
    case OptionKind::Spin: {
        auto* spin = new QSpinBox(parent);
        auto* edit = spin->findChild<QLineEdit*>();
        edit->setObjectName(QLatin1String(entry->edit));
        edit->setToolTip(hint);
        remember(edit);
        const bool runLimit = qstrcmp(name, "UpDown7") == 0;
        connect(spin, &QSpinBox::valueChanged, this, [this, entry, runLimit](int value) {
            SpinValue& field = m_criteria.*(entry->spin);
            const int before = field.value;
            field.set(value);
            if (runLimit) Q_EMIT runLimitChanged(before);
        });
        if (isCoupled(entry->name)) spin->installEventFilter(this);
        widget = spin;
        break;
    }
    }
    widget->setObjectName(QLatin1String(name));
    widget->setToolTip(hint);
    m_bound.push_back({entry, widget});
    remember(widget);
    return widget;
}

void CriteriaPage::chartButton(const char* name, QWidget* parent, int which, bool showTabFirst) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(chartIcon());
    b->setAutoRaise(true);
    connect(b, &QToolButton::clicked, this,
            [this, which, showTabFirst] { Q_EMIT statisticRequested(which, showTabFirst); });
    remember(b);
}

void CriteriaPage::chartLabel(const char* name, QWidget* parent, const QRect& geometry, const QString& text,
                              int which) {
    auto* l = new ClickableLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setWordWrap(geometry.height() > kRowHeight);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    l->setCursor(Qt::PointingHandCursor);
    l->setKeyboardRole(ClickableLabel::Role::Button);
    connect(l, &ClickableLabel::clicked, this, [this, which] { Q_EMIT statisticRequested(which, true); });
    remember(l);
}

// The controls are made here in the order the language files and the settings know them; where they
// go is up to layOut().

void CriteriaPage::buildStatistics(QWidget* page) {
    label(page, {kLeft, 6, kRight - kLeft, 16},
          QString::fromUtf8("Zahlen für die Tipps über Statistik bevorzugen"), true);
    for (const char* box : kStatisticBoxes)
        option(box, page);
    for (const char* spin : kPercentSpins)
        option(spin, page);
    for (int i = 0; i < 3; ++i)
        captionSpin(kPercentSpins[i], control(QLatin1String(kStatisticBoxes[i])));
    for (const char* box : kRarestBoxes)
        option(box, page);
    const int charts[] = {which(Statistic::Frequency), which(Statistic::Overdue), which(Statistic::Pairs),
                          which(Statistic::Triples), which(Statistic::Quadruples)};
    for (int i = 0; i < 5; ++i)
        chartButton(kStatisticCharts[i].name, page, charts[i], i != 1);

    label(page, {kLeft + 20, 100, kRight - kLeft - 20, 16},
          QString::fromUtf8(
              "Für die Tippberechnung werden die jeweils ersten x% verwendet. (z.B. bis 30% vom Maximum)"));
    option("CheckBox19", page);
    label(page, {kLeft, 250, kRight - kLeft, 30},
          QString::fromUtf8(
              "Unter \"Allgemein\" können Sie festlegen, dass nur diese Zahlen für die Tippberechnung "
              "verwendet werden"));
}

void CriteriaPage::buildRowOptimisation(QWidget* page) {
    label(page, {kLeft, 4, kRight - kLeft, 16},
          QString::fromUtf8("Optimierung der einzelnen Tipps miteinander im Schein "), true);
    for (const Limit& l : kOverlapLimits)
        option(l.box, page);
    for (const Limit& l : kOverlapLimits) {
        option(l.spin, page);
        captionSpin(l.spin, control(QLatin1String(l.box)));
    }
    option("CheckBox27", page);

    label(page, {kLeft, 96, kRight - kLeft, 16},
          QString::fromUtf8("Optimierung der einzelnen Tipps über die vergangenen Ziehungen"), true);
    // The match counts and the recent window stand in the gaps of their check boxes' captions.
    QWidget* database = option("CheckBox9", page);
    QWidget* recent = option("CheckBox28", page);
    option("UpDown6", page);
    option("UpDown17", page);
    option("UpDown18", page);
    captionSpin("UpDown6", database, 0);
    captionSpin("UpDown17", recent, 0);
    captionSpin("UpDown18", recent, 1);

    option("CheckBox31", page);

    label(page, {kLeft, 256, kRight - kLeft, 16},
          QString::fromUtf8("Für höherer Quoten können verschiedene Zahlen  \"benachteiligt\" werden"), true);
    option("CheckBox29", page);
    option("CheckBox30", page);
}

void CriteriaPage::buildMathematics(QWidget* page) {
    label(page, {kLeft, 6, kRight - kLeft, 16},
          QString::fromUtf8("Diese Bedingungen werden in jeder Tippreihe berücksichtigt"), true);

    // The cross-sum label carries both limits in its gaps.
    m_crossSumCaption = label(page, {kLeft, 28, kRight - kLeft, kRowHeight},
                              QString::fromUtf8(findOption(QStringLiteral("UpDown1"))->caption), false, true);
    option("UpDown1", page);
    option("UpDown2", page);
    captionSpin("UpDown1", m_crossSumCaption, 0);
    captionSpin("UpDown2", m_crossSumCaption, 1);
    label(page, {kLeft, 56, kRight - kLeft, 16},
          QString::fromUtf8("Durch das Begrenzen der Quersummer können Sie Tipps wie 1-2-3-4-5-6 oder "
                            "39-41-43-46-47-49"));
    label(page, {kLeft, 72, kRight - kLeft, 16},
          QString::fromUtf8(
              "Mochten Sie auf höhere Quoten Tippen, wählen Sie Quersummer größer 130. (Datumstipper)"));
    chartLabel("Label88", page, {kLeft, 90, kRight - kLeft, 16},
               QString::fromUtf8(
                   "Die Quersummerverteilung der vergangenen Ziehungen sehen Sie im Diagramm unter QS  "),
               which(Statistic::CrossSums));

    for (const Limit& m : kMinima)
        option(m.box, page);
    for (const Limit& m : kMinima) {
        option(m.spin, page);
        captionSpin(m.spin, control(QLatin1String(m.box)));
    }

    chartLabel(
        "Label89", page, {kLeft, 204, kRight - kLeft, 16},
        QString::fromUtf8("Paare entstehen meist automatisch, aber hier können Sie auch erzwungen werden."),
        which(Statistic::Pairs));
    option("CheckBox8", page);

    // "Dreier, " and "Vierer ..." read as one sentence; the second part wraps beside the first.
    chartLabel("Label91", page, {kLeft, 258, kRight - kLeft, 16}, QString::fromUtf8("Dreier, "),
               which(Statistic::Triples));
    chartLabel("Label90", page, {kLeft, 258, kRight - kLeft, 30},
               QString::fromUtf8("Vierer ... (3-4-5  oder 28-29-30-31) entstehen relativ selten, können hier "
                                 "ganz verhindert werden"),
               which(Statistic::Quadruples));
    option("CheckBox18", page);
}

void CriteriaPage::buildChance(QWidget* page) {
    label(page, {kLeft, 4, kRight - kLeft, 16}, QString::fromUtf8("Berechnungsoptionen für n° CHANCE"), true);

    auto* group = new QGroupBox(QString::fromUtf8("n° CHANCE"), page);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    remember(group);
    for (const char* radio : kRadios)
        option(radio, group);
    // The rarest and the longest overdue choice each have their chart beside them.
    chartButton("Superselten", group, which(Statistic::ChanceFrequency), true);
    chartButton("SuperAus", group, which(Statistic::ChanceOverdue), false);

    QWidget* recent = option("CheckBox16", page);
    option("UpDown19", page);
    captionSpin("UpDown19", recent);
}

void CriteriaPage::buildGeneral(QWidget* page) {
    label(page, {kLeft, 4, kRight - kLeft, 16}, QString::fromUtf8("Allgemeine Berechnungsoptionen"), true);
    option("CheckBox15", page);
    option("CheckBox20", page);

    m_runsCaption = label(page, {kLeft, 88, kRight - kLeft, kRowHeight},
                          QString::fromUtf8(findOption(QStringLiteral("UpDown7"))->caption));
    option("UpDown7", page);
    m_thousands = label(page, {kLeft, 88, kRight - kLeft, kRowHeight}, QStringLiteral("Tausend"));
    captionSpin("UpDown7", m_runsCaption, -1, m_thousands);
    label(page, {kLeft, 116, kRight - kLeft, 30},
          QString::fromUtf8(
              "Sie können versuchen die Berechnungsläufe zu erhöhen, falls mit Ihren Einstellungen "
              "nicht alle Reihen berechnet werden konnten. "));
}

// --- Placing the controls ---
//
// Every caption is measured as it reads now, in the window's design font: a check box is as wide as its
// caption, a spin beside captions stands after the widest of them, and a spin in a sentence stands where
// the words before it end, with the words after it moved along (see GapCheckBox). The built-in German
// captions give the pages their design places.

void CriteriaPage::layOut(const Placer& placer) {
    const Placer put = placer ? placer : Placer([](QWidget* w, const QRect& r) { w->setGeometry(r); });
    const auto get = [this](const char* name) { return control(QLatin1String(name)); };
    // A check box or radio button at (x, y), as wide as its caption; gives back its place.
    const auto fitted = [&](const char* name, int x, int y) {
        QWidget* w = get(name);
        const QRect place(x, y, captionOffset(w) + advance(captionOf(w)) + 6, kRowHeight);
        put(w, place);
        return place;
    };
    const auto chart = [&](const char* name, int x, int y) {
        put(get(name), {x, y - 1, kChartButton, kChartButton});
    };

    // Statistisch: the spins and the "rarest" boxes share one column, the chart buttons another.
    int column = 0;
    for (int i = 0; i < 6; ++i)
        column = std::max(column, fitted(kStatisticBoxes[i], kLeft, kStatisticRows[i]).right());
    column += kColumnGap;
    for (int i = 0; i < 3; ++i)
        put(get(kPercentSpins[i]), {column, kStatisticRows[i], kSpinWidth, kRowHeight});
    int buttons = column + kSpinWidth;
    for (int i = 0; i < 3; ++i)
        buttons = std::max(buttons, fitted(kRarestBoxes[i], column, kStatisticRows[3 + i]).right());
    buttons += kColumnGap;
    for (const auto& c : kStatisticCharts)
        chart(c.name, buttons, kStatisticRows[c.row]);
    fitted("CheckBox19", kLeft, 208);

    // Check boxes one under the other, each with its spin, the spins in one column after the widest caption.
    const auto boxesWithSpins = [&](const auto& limits) {
        int widest = 0;
        for (const Limit& l : limits)
            widest = std::max(widest, fitted(l.box, kLeft, l.y).right());
        for (const Limit& l : limits)
            put(get(l.spin), {widest + kColumnGap, l.y, kSpinWidth, kRowHeight});
    };

    // Schein Optimierung.
    boxesWithSpins(kOverlapLimits);
    fitted("CheckBox27", kLeft, 68);
    sentence(put, get("CheckBox9"), {kLeft, 116}, {{get("UpDown6"), 38}});
    sentence(put, get("CheckBox28"), {kLeft, 138}, {{get("UpDown17"), 38}, {get("UpDown18"), 40}});
    fitted("CheckBox31", kLeft, 228);
    fitted("CheckBox29", kLeft, 276);
    fitted("CheckBox30", kLeft, 298);

    // Mathematisch.
    sentence(put, m_crossSumCaption, {kLeft, 28}, {{get("UpDown1"), 46}, {get("UpDown2"), 46}});
    boxesWithSpins(kMinima);
    fitted("CheckBox8", kLeft, 224);
    const int triplesWidth = advance(captionOf(get("Label91"))) + 2;
    put(get("Label91"), {kLeft, 258, triplesWidth, 16});
    put(get("Label90"), {kLeft + triplesWidth, 258, kRight - kLeft - triplesWidth, 30});
    fitted("CheckBox18", kLeft, 294);

    // n° CHANCE: the radio buttons in their group, the charts of two of them beside them.
    int right = 0;
    for (int i = 0; i < 3; ++i)
        right = std::max(right, fitted(kRadios[i], 12, 24 + 24 * i).right());
    right += kColumnGap;
    chart("Superselten", right, 48);
    chart("SuperAus", right, 72);
    put(get("RadioGroup1"), {kLeft, 28, right + kChartButton + 16, 104});
    const QRect recent = fitted("CheckBox16", kLeft, 148);
    put(get("UpDown19"), {recent.right() + kColumnGap, 148, kSpinWidth, kRowHeight});

    // Allgemein: the run limit between its caption and its unit.
    fitted("CheckBox15", kLeft, 28);
    fitted("CheckBox20", kLeft, 52);
    const int runsWidth = advance(captionOf(m_runsCaption)) + 4;
    put(m_runsCaption, {kLeft, 88, runsWidth, kRowHeight});
    put(get("UpDown7"), {kLeft + runsWidth + 6, 88, 64, kRowHeight});
    put(m_thousands, {kLeft + runsWidth + 76, 88, advance(captionOf(m_thousands)) + 4, kRowHeight});
}

void CriteriaPage::sentence(const Placer& put, QWidget* caption, const QPoint& at,
                            const std::vector<std::pair<QWidget*, int>>& spins) {
    const QString text = captionOf(caption);
    const bool box = qobject_cast<QAbstractButton*>(caption) != nullptr;
    const int textX = at.x() + (box ? captionOffset(caption) : 0);
    // Each spin as wide as the blanks the caption gives it, less two pixels on either side, and at least
    // its minimum; the caption shows with room for it.
    QList<int> widths;
    QList<int> room;
    for (std::size_t i = 0; i < spins.size(); ++i) {
        const auto run = blankRunSpan(text, designMetrics(), int(i));
        const int width = std::max(spins[i].second, run ? run->second - run->first - 4 : 0);
        widths << width;
        room << width + 2 * kGapMargin;
    }
    const QString shown = captionWithRoom(text, designMetrics(), room);
    QList<QWidget*> controls;
    for (const auto& spin : spins)
        controls << spin.first;
    if (auto* gapBox = qobject_cast<GapCheckBox*>(caption)) gapBox->setGapControls(controls);
    if (auto* gapLabel = qobject_cast<GapLabel*>(caption)) gapLabel->setGapControls(controls);
    int after = textX + advance(shown) + kColumnGap; // a spin without its run goes after the caption
    for (std::size_t i = 0; i < spins.size(); ++i) {
        const int width = widths[qsizetype(i)];
        if (const auto run = blankRunSpan(shown, designMetrics(), int(i))) {
            put(spins[i].first, {textX + (run->first + run->second - width) / 2, at.y(), width, kRowHeight});
        } else {
            put(spins[i].first, {after, at.y(), width, kRowHeight});
            after += width + kColumnGap;
        }
    }
    put(caption, {at.x(), at.y(), textX - at.x() + advance(shown) + (box ? 6 : 4), kRowHeight});
}

void CriteriaPage::showOption(const Bound& bound) {
    const OptionRow& entry = *bound.option;
    const QSignalBlocker blocker(bound.widget);
    switch (entry.kind) {
    case OptionKind::Check:
        static_cast<QCheckBox*>(bound.widget)->setChecked(m_criteria.*(entry.flag));
        break;
    case OptionKind::Radio: {
        // Shown as stored, even if code left the choice without a set button.
        auto* radio = static_cast<QRadioButton*>(bound.widget);
        radio->setAutoExclusive(false);
        radio->setChecked(m_criteria.*(entry.flag));
        radio->setAutoExclusive(true);
        break;
    }
    case OptionKind::Spin: {
        const SpinValue& value = m_criteria.*(entry.spin);
        auto* spin = static_cast<QSpinBox*>(bound.widget);
        spin->setRange(value.min, value.max);
        spin->setValue(value.value);
        break;
    }
    }
}

void CriteriaPage::showCriteria() {
    for (const Bound& bound : m_bound)
        showOption(bound);
}

void CriteriaPage::showOptions(std::initializer_list<const char*> names) {
    for (const Bound& bound : m_bound) {
        for (const char* name : names) {
            if (qstrcmp(bound.option->name, name) == 0) showOption(bound);
        }
    }
}

void CriteriaPage::coupleRanges(const QString& spin, bool press) {
    GenerationCriteria& c = m_criteria;
    if (spin == QLatin1String("UpDown15")) {
        c.minEven.setLimits(c.minEven.min, 6 - c.minOdd.value);
    } else if (spin == QLatin1String("UpDown16")) {
        c.minOdd.setLimits(c.minOdd.min, 6 - c.minEven.value);
    } else if (spin == QLatin1String("UpDown3") && press) {
        c.minOverlap.setLimits(c.minOverlap.min, c.maxOverlap.value);
        c.maxOverlap.setLimits(c.minOverlap.value, c.maxOverlap.max);
    } else if (spin == QLatin1String("UpDown9") && !press) {
        c.maxOverlap.setLimits(c.minOverlap.value, c.maxOverlap.max);
    } else {
        return;
    }
    showOptions({"UpDown3", "UpDown9", "UpDown15", "UpDown16"});
}

bool CriteriaPage::eventFilter(QObject* watched, QEvent* event) {
    // Only the spin buttons themselves: a click into the edit field is not a press on the spin.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // the second press of a double click
        coupleRanges(watched->objectName(), true);
        break;
    case QEvent::MouseButtonRelease:
        coupleRanges(watched->objectName(), false);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kugelo
