#include "generator/CriteriaPage.h"

#include "stats/Statistics.h"
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

const char* const kPageNames[5] = {"Statistisch", "Schein Optimierung", "Mathematisch", "n° CHANCE",
                                   "Allgemein"};

int which(Statistic statistic) {
    return static_cast<int>(statistic);
}

// The window's design font: the spins laid over caption gaps are placed for it, and the contents scale
// with the window from there.
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

// The n-th run of blanks (three or more) of a caption, as the horizontal span it takes from the
// caption's start.
std::pair<int, int> blankRun(const QString& caption, int n) {
    int from = 0;
    for (int found = 0;; ++found) {
        from = caption.indexOf(QStringLiteral("   "), from);
        if (from < 0) return {0, 0};
        int to = from;
        while (to < caption.size() && caption.at(to) == QLatin1Char(' '))
            ++to;
        if (found == n) return {advance(caption.left(from)), advance(caption.left(to))};
        from = to;
    }
}

// A spin over the n-th blank run of a caption that starts at textX of a row at y: centred on the gap,
// and at least minWidth wide.
QRect overGap(const QString& caption, int n, int textX, int y, int minWidth = 38) {
    const auto [from, to] = blankRun(caption, n);
    const int width = std::max(minWidth, to - from - 4);
    return {textX + (from + to - width) / 2, y, width, kRowHeight};
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
    nameSpins();
}

QWidget* CriteriaPage::control(const QString& name) const {
    return m_named.value(name);
}

void CriteriaPage::captionSpin(const char* spin, QWidget* caption, int gap, QWidget* unit) {
    m_spinCaptions.push_back({control(QLatin1String(spin)), caption, gap, unit});
}

void CriteriaPage::nameSpins() {
    const auto textOf = [](const QWidget* w) {
        if (const auto* box = qobject_cast<const QAbstractButton*>(w)) return box->text();
        if (const auto* l = qobject_cast<const QLabel*>(w)) return l->text();
        return QString();
    };
    static const QRegularExpression blankRuns(QStringLiteral(" {3,}"));
    for (const SpinCaption& s : m_spinCaptions) {
        QString name = textOf(s.caption).remove(QLatin1Char('&'));
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
        if (s.unit) name += QStringLiteral(" (%1)").arg(textOf(s.unit).trimmed());
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
                heading = textOf(h).remove(QLatin1Char('&')).simplified();
        if (w->accessibleDescription() != heading) w->setAccessibleDescription(heading);
    }
}

void CriteriaPage::remember(QWidget* widget) {
    m_named.insert(widget->objectName(), widget);
}

QWidget* CriteriaPage::label(QWidget* parent, const QRect& geometry, const QString& text, bool heading) {
    auto* l = new QLabel(text, parent);
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

QWidget* CriteriaPage::option(const char* name, QWidget* parent, const QRect& geometry) {
    const OptionRow* entry = findOption(QLatin1String(name));
    Q_ASSERT(entry);
    const QString caption = QString::fromUtf8(entry->caption);
    const QString hint = QString::fromUtf8(entry->hint);
    QWidget* widget = nullptr;
    switch (entry->kind) {
    case OptionKind::Check: {
        auto* box = new QCheckBox(caption, parent);
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
    QRect g = geometry;
    if (g.width() <= 0) g.setWidth(captionOffset(widget) + advance(caption) + 6);
    widget->setGeometry(g);
    m_bound.push_back({entry, widget});
    remember(widget);
    return widget;
}

void CriteriaPage::chartButton(const char* name, QWidget* parent, const QPoint& at, int which,
                               bool showTabFirst) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(at.x(), at.y() - 1, kChartButton, kChartButton);
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

void CriteriaPage::buildStatistics(QWidget* page) {
    label(page, {kLeft, 6, kRight - kLeft, 16},
          QString::fromUtf8("Zahlen für die Tipps über Statistik bevorzugen"), true);

    // The options with a percentage, then those of runs with their "rarest" variant; both share one
    // column for the spins and the "seltensten" boxes, and one for the chart buttons.
    const int rows[] = {28, 52, 76, 130, 154, 178};
    const char* const main[] = {"CheckBox2", "CheckBox14", "CheckBox10",
                                "CheckBox1", "CheckBox6",  "CheckBox7"};
    int column = 0;
    for (int i = 0; i < 6; ++i)
        column = std::max(column, option(main[i], page, {kLeft, rows[i], 0, kRowHeight})->geometry().right());
    column += kColumnGap;
    option("UpDown12", page, {column, rows[0], kSpinWidth, kRowHeight});
    option("UpDown14", page, {column, rows[1], kSpinWidth, kRowHeight});
    option("UpDown13", page, {column, rows[2], kSpinWidth, kRowHeight});
    captionSpin("UpDown12", control(QStringLiteral("CheckBox2")));
    captionSpin("UpDown14", control(QStringLiteral("CheckBox14")));
    captionSpin("UpDown13", control(QStringLiteral("CheckBox10")));
    int buttons = column + kSpinWidth;
    buttons =
        std::max(buttons, option("CheckBox11", page, {column, rows[3], 0, kRowHeight})->geometry().right());
    buttons =
        std::max(buttons, option("CheckBox12", page, {column, rows[4], 0, kRowHeight})->geometry().right());
    buttons =
        std::max(buttons, option("CheckBox13", page, {column, rows[5], 0, kRowHeight})->geometry().right());
    buttons += kColumnGap;
    chartButton("SpeedButton26", page, {buttons, rows[0]}, which(Statistic::Frequency), true);
    chartButton("SpeedButton22", page, {buttons, rows[2]}, which(Statistic::Overdue), false);
    chartButton("SpeedButton23", page, {buttons, rows[3]}, which(Statistic::Pairs), true);
    chartButton("SpeedButton24", page, {buttons, rows[4]}, which(Statistic::Triples), true);
    chartButton("SpeedButton25", page, {buttons, rows[5]}, which(Statistic::Quadruples), true);

    label(page, {kLeft + 20, 100, kRight - kLeft - 20, 16},
          QString::fromUtf8(
              "Für die Tippberechnung werden die jeweils ersten x% verwendet. (z.B. bis 30% vom Maximum)"));
    option("CheckBox19", page, {kLeft, 208, 0, kRowHeight});
    label(page, {kLeft, 250, kRight - kLeft, 30},
          QString::fromUtf8(
              "Unter \"Allgemein\" können Sie festlegen, dass nur diese Zahlen für die Tippberechnung "
              "verwendet werden"));
}

void CriteriaPage::buildRowOptimisation(QWidget* page) {
    label(page, {kLeft, 4, kRight - kLeft, 16},
          QString::fromUtf8("Optimierung der einzelnen Tipps miteinander im Schein "), true);
    // Check boxes with a limit beside them; their spins share one column.
    const struct {
        const char* box;
        const char* spin;
        int y;
    } limits[] = {{"CheckBox3", "UpDown3", 24},
                  {"CheckBox24", "UpDown9", 46},
                  {"CheckBox4", "UpDown4", 162},
                  {"CheckBox5", "UpDown5", 184},
                  {"CheckBox23", "UpDown11", 206}};
    int column = 0;
    for (const auto& l : limits)
        column = std::max(column, option(l.box, page, {kLeft, l.y, 0, kRowHeight})->geometry().right());
    column += kColumnGap;
    for (const auto& l : limits) {
        option(l.spin, page, {column, l.y, kSpinWidth, kRowHeight});
        captionSpin(l.spin, control(QLatin1String(l.box)));
    }
    option("CheckBox27", page, {kLeft, 68, 0, kRowHeight});

    label(page, {kLeft, 96, kRight - kLeft, 16},
          QString::fromUtf8("Optimierung der einzelnen Tipps über die vergangenen Ziehungen"), true);
    // The match counts and the recent window sit in the gaps of their check boxes' captions.
    QWidget* database = option("CheckBox9", page, {kLeft, 116, 0, kRowHeight});
    QWidget* recent = option("CheckBox28", page, {kLeft, 138, 0, kRowHeight});
    const QString databaseCaption = QString::fromUtf8(findOption(QStringLiteral("CheckBox9"))->caption);
    const QString recentCaption = QString::fromUtf8(findOption(QStringLiteral("CheckBox28"))->caption);
    const int databaseX = kLeft + captionOffset(database);
    const int recentX = kLeft + captionOffset(recent);
    option("UpDown6", page, overGap(databaseCaption, 0, databaseX, 116));
    option("UpDown17", page, overGap(recentCaption, 0, recentX, 138));
    option("UpDown18", page, overGap(recentCaption, 1, recentX, 138, 40));
    captionSpin("UpDown6", database, 0);
    captionSpin("UpDown17", recent, 0);
    captionSpin("UpDown18", recent, 1);

    option("CheckBox31", page, {kLeft, 228, 0, kRowHeight});

    label(page, {kLeft, 256, kRight - kLeft, 16},
          QString::fromUtf8("Für höherer Quoten können verschiedene Zahlen  \"benachteiligt\" werden"), true);
    option("CheckBox29", page, {kLeft, 276, 0, kRowHeight});
    option("CheckBox30", page, {kLeft, 298, 0, kRowHeight});
}

void CriteriaPage::buildMathematics(QWidget* page) {
    label(page, {kLeft, 6, kRight - kLeft, 16},
          QString::fromUtf8("Diese Bedingungen werden in jeder Tippreihe berücksichtigt"), true);

    // The cross-sum label carries both limits in its gaps.
    const QString crossSums = QString::fromUtf8(findOption(QStringLiteral("UpDown1"))->caption);
    QWidget* crossSumCaption = label(page, {kLeft, 28, advance(crossSums) + 4, kRowHeight}, crossSums);
    option("UpDown1", page, overGap(crossSums, 0, kLeft, 28, 46));
    option("UpDown2", page, overGap(crossSums, 1, kLeft, 28, 46));
    captionSpin("UpDown1", crossSumCaption, 0);
    captionSpin("UpDown2", crossSumCaption, 1);
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

    const struct {
        const char* box;
        const char* spin;
        int y;
    } minima[] = {
        {"CheckBox22", "UpDown10", 122}, {"CheckBox25", "UpDown15", 146}, {"CheckBox26", "UpDown16", 170}};
    int column = 0;
    for (const auto& m : minima)
        column = std::max(column, option(m.box, page, {kLeft, m.y, 0, kRowHeight})->geometry().right());
    column += kColumnGap;
    for (const auto& m : minima) {
        option(m.spin, page, {column, m.y, kSpinWidth, kRowHeight});
        captionSpin(m.spin, control(QLatin1String(m.box)));
    }

    chartLabel(
        "Label89", page, {kLeft, 204, kRight - kLeft, 16},
        QString::fromUtf8("Paare entstehen meist automatisch, aber hier können Sie auch erzwungen werden."),
        which(Statistic::Pairs));
    option("CheckBox8", page, {kLeft, 224, 0, kRowHeight});

    // "Dreier, " and "Vierer ..." read as one sentence; the second part wraps beside the first.
    const QString triples = QString::fromUtf8("Dreier, ");
    const int triplesWidth = advance(triples) + 2;
    chartLabel("Label91", page, {kLeft, 258, triplesWidth, 16}, triples, which(Statistic::Triples));
    chartLabel("Label90", page, {kLeft + triplesWidth, 258, kRight - kLeft - triplesWidth, 30},
               QString::fromUtf8("Vierer ... (3-4-5  oder 28-29-30-31) entstehen relativ selten, können hier "
                                 "ganz verhindert werden"),
               which(Statistic::Quadruples));
    option("CheckBox18", page, {kLeft, 294, 0, kRowHeight});
}

void CriteriaPage::buildChance(QWidget* page) {
    label(page, {kLeft, 4, kRight - kLeft, 16}, QString::fromUtf8("Berechnungsoptionen für n° CHANCE"), true);

    auto* group = new QGroupBox(QString::fromUtf8("n° CHANCE"), page);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    remember(group);
    int right = 0;
    const char* const radios[] = {"RadioButton1", "RadioButton2", "RadioButton3"};
    for (int i = 0; i < 3; ++i)
        right =
            std::max(right, option(radios[i], group, {12, 24 + 24 * i, 0, kRowHeight})->geometry().right());
    right += kColumnGap;
    // The rarest and the longest overdue choice each have their chart beside them.
    chartButton("Superselten", group, {right, 48}, which(Statistic::ChanceFrequency), true);
    chartButton("SuperAus", group, {right, 72}, which(Statistic::ChanceOverdue), false);
    group->setGeometry(kLeft, 28, right + kChartButton + 16, 104);

    QWidget* recent = option("CheckBox16", page, {kLeft, 148, 0, kRowHeight});
    option("UpDown19", page, {recent->geometry().right() + kColumnGap, 148, kSpinWidth, kRowHeight});
    captionSpin("UpDown19", recent);
}

void CriteriaPage::buildGeneral(QWidget* page) {
    label(page, {kLeft, 4, kRight - kLeft, 16}, QString::fromUtf8("Allgemeine Berechnungsoptionen"), true);
    option("CheckBox15", page, {kLeft, 28, 0, kRowHeight});
    option("CheckBox20", page, {kLeft, 52, 0, kRowHeight});

    const QString runs = QString::fromUtf8(findOption(QStringLiteral("UpDown7"))->caption);
    const int runsWidth = advance(runs) + 4;
    QWidget* runsCaption = label(page, {kLeft, 88, runsWidth, kRowHeight}, runs);
    option("UpDown7", page, {kLeft + runsWidth + 6, 88, 64, kRowHeight});
    QWidget* thousands =
        label(page, {kLeft + runsWidth + 76, 88, advance(QStringLiteral("Tausend")) + 4, kRowHeight},
              QStringLiteral("Tausend"));
    captionSpin("UpDown7", runsCaption, -1, thousands);
    label(page, {kLeft, 116, kRight - kLeft, 30},
          QString::fromUtf8(
              "Sie können versuchen die Berechnungsläufe zu erhöhen, falls mit Ihren Einstellungen "
              "nicht alle Reihen berechnet werden konnten. "));
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
