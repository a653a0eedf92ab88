#include "app/OptionsPage.h"

#include "app/PageControls.h"
#include "generator/CriteriaPage.h"
#include "widgets/LabelsView.h"

#include <QTabWidget>
#include <array>

namespace kugelo {

OptionsPage::OptionsPage(GenerationCriteria& criteria, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet6"));
    auto* inner = place<QTabWidget>(this, "PageControl2", {4, 4, kPageWidth - 8, kPageHeight - 8});
    const char* names[] = {"TabSheet7", "TabSheet8", "TabSheet9", "TabSheet10", "TabSheet11"};
    const QString captions[] = {QStringLiteral("Statistisch"), QStringLiteral("Schein Optimierung"),
                                QStringLiteral("Mathematisch"), QStringLiteral("n° CHANCE"),
                                QStringLiteral("Allgemein")};
    std::array<QWidget*, 5> pages{};
    for (int i = 0; i < 5; ++i) {
        pages[std::size_t(i)] = new QWidget;
        pages[std::size_t(i)]->setObjectName(QLatin1String(names[i]));
        inner->addTab(pages[std::size_t(i)], captions[i]);
    }
    m_criteriaPage = new CriteriaPage(criteria, pages, this);
}

} // namespace kugelo
