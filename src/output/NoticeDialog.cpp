#include "output/NoticeDialog.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kugelo {

namespace {

// Loads no resource a page names and follows no link. An image the page names takes no room (a resource
// that is not there would show a broken-image icon).
class InertBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl&) override {
        if (type == QTextDocument::ImageResource) {
            QImage nothing(1, 1, QImage::Format_ARGB32);
            nothing.fill(Qt::transparent);
            return nothing;
        }
        return {};
    }
};

} // namespace

NoticeDialog::NoticeDialog(const QString& html, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Meldung"));
    setWindowTitle(QStringLiteral("Mitteilung"));
    auto* browser = new InertBrowser(this);
    browser->setObjectName(QStringLiteral("MeldungText"));
    browser->setOpenLinks(false);
    browser->setOpenExternalLinks(false);
    browser->setHtml(html);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(460, 320);
}

} // namespace kugelo
