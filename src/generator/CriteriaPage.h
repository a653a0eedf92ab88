#pragma once

#include "generator/GenerationCriteria.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QSpinBox;
class QWidget;

namespace kugelo {

// The option pages of the "Berechnung" tab: builds every option control of the option table on the five
// inner pages (Statistisch, Schein Optimierung, Mathematisch, n° CHANCE, Allgemein) and keeps them and
// the criteria together. A user change is written into the criteria at once, so a running generation
// sees it at its next test; showCriteria() brings the controls up to date after code changed the criteria.
class CriteriaPage : public QObject {
    Q_OBJECT
public:
    CriteriaPage(GenerationCriteria& criteria, const std::array<QWidget*, 5>& pages,
                 QObject* parent = nullptr);

    // Shows every field again (values and spin limits), without treating it as a user change.
    void showCriteria();

    // Places a control at its design geometry (the window scales it from there).
    using Placer = std::function<void(QWidget*, const QRect&)>;
    // Places every control for its captions as they read now (a language may have replaced them); without
    // a placer, at the design geometry as it is.
    void layOut(const Placer& place = {});

    // A control, spin edit, label or button of the pages by its design name, or nullptr.
    QWidget* control(const QString& name) const;

    // Names each spin, for assistive technology, by the caption beside it as it reads now (a language may
    // have replaced it); a spin that sits in a gap of a caption is named by the caption with "…" there. A
    // control without a hint is described by the heading of its part of the page.
    void nameSpins();

Q_SIGNALS:
    // A chart button or link label asks for a statistic (the value of stats' Statistic); showTabFirst
    // brings the chart tab to the front first.
    void statisticRequested(int which, bool showTabFirst);
    // UpDown7 was changed by the user; carries its value before the change, in thousands.
    void runLimitChanged(int oldThousands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        const OptionRow* option;
        QWidget* widget;
    };
    // Where a spin's accessible name comes from: the caption of `caption`, with "…" in its blank run
    // number `gap` (none when -1), and the unit after it, if any.
    struct SpinCaption {
        QWidget* spin;
        QWidget* caption;
        int gap;
        QWidget* unit;
    };

    void buildStatistics(QWidget* page);
    void buildRowOptimisation(QWidget* page);
    void buildMathematics(QWidget* page);
    void buildChance(QWidget* page);
    void buildGeneral(QWidget* page);

    // Creates the control of one table row and binds it to its field; layOut() places it.
    QWidget* option(const char* name, QWidget* parent);
    // withGaps: a caption that holds spins in its runs of blanks.
    QLabel* label(QWidget* parent, const QRect& geometry, const QString& text, bool heading = false,
                  bool withGaps = false);
    void chartButton(const char* name, QWidget* parent, int which, bool showTabFirst);
    void chartLabel(const char* name, QWidget* parent, const QRect& geometry, const QString& text, int which);
    void remember(QWidget* widget);
    void captionSpin(const char* spin, QWidget* caption, int gap = -1, QWidget* unit = nullptr);
    // A caption at `at` with spins (and their least widths) in its runs of blanks, in their order: each
    // spin where the words before it end, the caption painted with room for it.
    void sentence(const Placer& put, QWidget* caption, const QPoint& at,
                  const std::vector<std::pair<QWidget*, int>>& spins);

    void showOption(const Bound& bound);
    void showOptions(std::initializer_list<const char*> names);
    // The range couplings that the spin buttons keep on mouse press and release.
    void coupleRanges(const QString& spin, bool press);

    GenerationCriteria& m_criteria;
    std::array<QWidget*, 5> m_pages;
    std::vector<Bound> m_bound;
    std::vector<SpinCaption> m_spinCaptions;
    QHash<QString, QWidget*> m_named;
    std::vector<QWidget*> m_headings; // the bold headings of the pages, in the order they were made
    int m_unnamedLabels = 0;
    // The labels without a design name that layOut() places: the cross-sum sentence, the run limit's
    // caption and its unit.
    QLabel* m_crossSumCaption = nullptr;
    QLabel* m_runsCaption = nullptr;
    QLabel* m_thousands = nullptr;
};

} // namespace kugelo
