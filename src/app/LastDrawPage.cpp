#include "app/LastDrawPage.h"

#include "app/PageControls.h"
#include "i18n/MessageTable.h"
#include "widgets/LabelsView.h"

#include <QPlainTextEdit>

namespace kugelo {

LastDrawPage::LastDrawPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    auto* memo = place<QPlainTextEdit>(this, "Memo2", {8, 8, 200, 100});
    memo->setPlainText(MessageTable::germanDefaults().join(QLatin1Char('\n')));
    memo->setVisible(false);
    button(this, "Button1", {8, 120, 220, 26}, QStringLiteral("Lottozahlen aus dem Internet laden"));
}

} // namespace kugelo
