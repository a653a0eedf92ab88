#pragma once

#include <QWidget>

namespace kugelo {

class CriteriaPage;
struct GenerationCriteria;

// The "Berechnung" tab (TabSheet6): the inner tabs (PageControl2) whose option controls the criteria page
// builds and keeps.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit OptionsPage(GenerationCriteria& criteria, QWidget* parent = nullptr);

    CriteriaPage* criteriaPage() const { return m_criteriaPage; }

private:
    CriteriaPage* m_criteriaPage = nullptr;
};

} // namespace kugelo
