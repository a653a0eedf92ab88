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
    const QString hints[] = {
        QStringLiteral("Welche Zahlen die Statistik der vergangenen Ziehungen bevorzugt"),
        QStringLiteral("Wie die Tipps des Scheins zueinander und zu den vergangenen Ziehungen stehen"),
        QStringLiteral(
            "Regeln innerhalb eines Tipps: Quersumme, Primzahlen, gerade und ungerade Zahlen, Folgen"),
        QStringLiteral("Wie die n° CHANCE jedes Tipps bestimmt wird"),
        QStringLiteral("Bevorzugte Zahlen, die Zahlenliste und die Zahl der Berechnungsläufe")};
    std::array<QWidget*, 5> pages{};
    for (int i = 0; i < 5; ++i) {
        pages[std::size_t(i)] = new QWidget;
        pages[std::size_t(i)]->setObjectName(QLatin1String(names[i]));
        inner->addTab(pages[std::size_t(i)], captions[i]);
        inner->setTabToolTip(i, hints[i]);
    }
    m_criteriaPage = new CriteriaPage(criteria, pages, this);
}

} // namespace kugelo
