#include "app/InternetPage.h"

#include "app/PageControls.h"
#include "controller/Settings.h"
#include "platform/Endpoints.h"
#include "widgets/LabelsView.h"
#include "widgets/WidgetTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace kugelo {

namespace {
// The host fields and their environment variables.
struct HostField {
    const char* label;
    const char* edit;
    int y;
    const char* caption;
    const char* hint;
    const char* variable;
    QString WindowValues::*stored;
    const QString& (Endpoints::*inUse)() const;
};
const HostField kHostFields[] = {
    {"Label75", "ProductHostEdit", 66, "Produkt-Server",
     "Ziehungsdienst, Warenkorb, Skripte und Produktseite, z. B. http://www.kugelo.example",
     "KUGELO_PRODUCT_HOST", &WindowValues::ProductHost, &Endpoints::productHost},
    {"Label76", "CompanyHostEdit", 94, "Firmen-Server", "Startseite und Downloads des Herstellers",
     "KUGELO_COMPANY_HOST", &WindowValues::CompanyHost, &Endpoints::companyHost},
    {"Label77", "ResultsHostEdit", 122, "Ergebnis-Seite", "Seite der Lotteriegesellschaft mit den Ziehungen",
     "KUGELO_RESULTS_HOST", &WindowValues::ResultsHost, &Endpoints::resultsHost},
};

// A variable that names no http or https host is refused: the field stays the player's.
bool setFromOutside(const HostField& field) {
    return Endpoints::setByEnvironment(field.variable);
}
} // namespace

InternetPage::InternetPage(const WindowValues& values, const Endpoints& endpoints, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    // Each field is named by the label before it (its buddy), in the language shown.
    QLabel* proxyHost = label(this, "Label51", {8, 14, 90, 16}, QStringLiteral("Proxy-Server"));
    proxyHost->setToolTip(QStringLiteral("Name oder Adresse des Proxy-Servers; leer, wenn keiner nötig ist"));
    m_proxyHost = place<QLineEdit>(this, "ProxyHostEdit", {100, 10, 220, 22});
    proxyHost->setBuddy(m_proxyHost);
    m_described[0] = {proxyHost, m_proxyHost, false};
    connect(m_proxyHost, &QLineEdit::textChanged, this, &InternetPage::proxyHostChanged);
    QLabel* proxyPort = label(this, "Label53", {8, 42, 90, 16}, QStringLiteral("Proxy-Port"));
    proxyPort->setToolTip(QStringLiteral("Port des Proxy-Servers, meist 80 oder 8080"));
    m_proxyPort = place<QLineEdit>(this, "ProxyPortEdit", {100, 38, 60, 22});
    proxyPort->setBuddy(m_proxyPort);
    m_described[1] = {proxyPort, m_proxyPort, false};
    m_proxyPort->setText(values.proxyPort);
    connect(m_proxyPort, &QLineEdit::textChanged, this, &InternetPage::proxyPortChanged);

    // The vendor's hosts, stored with the settings; an environment variable overrides its field.
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        const HostField& h = kHostFields[i];
        QLabel* caption = label(this, h.label, {8, h.y + 4, 90, 16}, QString::fromUtf8(h.caption));
        caption->setToolTip(QString::fromUtf8(h.hint));
        m_hosts[i] = place<QLineEdit>(this, h.edit, {100, h.y, 300, 22});
        // Its tool tip says at run time what set the host; the lists know the field by its label.
        m_hosts[i]->setProperty("untranslated", true);
        caption->setBuddy(m_hosts[i]);
        m_described[i + 2] = {caption, m_hosts[i], true};
        connect(m_hosts[i], &QLineEdit::editingFinished, this, &InternetPage::hostEdited);
    }

    const auto link = [this](const char* headingName, const char* name, int y, const QString& heading,
                             const QString& address) {
        label(this, headingName, {8, y, 508, 16}, heading);
        auto* l = place<ClickableLabel>(this, name, {8, y + 18, 508, 18});
        l->setText(address);
        l->setProperty("tag", 1); // an address, which a click opens: the same in every language
        makeLinkLabel(l);
        l->setKeyboardRole(ClickableLabel::Role::Link);
        connect(l, &ClickableLabel::clicked, this, [this, l] { Q_EMIT linkClicked(l->text()); });
        return l;
    };
    m_productPage =
        link("Label55", "Label52", 160, QStringLiteral("Updates und die neueste Version gibt es bei:"),
             endpoints.productPage());
    m_resultsPage =
        link("Label56", "Label54", 206, QStringLiteral("Die aktuellen Ziehungen und Quoten finden unter:"),
             endpoints.resultsPage());
    // The lists hold the built-in addresses, whatever the hosts in use.
    setListedCaption(m_productPage, Endpoints().productPage());
    setListedCaption(m_resultsPage, Endpoints().resultsPage());

    // Values kept in the settings that no command shows.
    label(this, "Label57", {8, 260, 150, 16}, QStringLiteral("Für eine Ziehung:"))->setVisible(false);
    m_oneDrawFee = place<QLineEdit>(this, "Edit81", {160, 258, 60, 22});
    m_oneDrawFee->setText(QStringLiteral("0,50"));
    label(this, "Label58", {8, 286, 150, 16}, QStringLiteral("Für eine Sa und Mi. Ziehung:"))
        ->setVisible(false);
    m_twoDrawsFee = place<QLineEdit>(this, "Edit82", {160, 284, 60, 22});
    m_twoDrawsFee->setText(QStringLiteral("1,00"));
    m_oneDrawFee->setVisible(false);
    m_twoDrawsFee->setVisible(false);
    m_linkPage = place<QCheckBox>(this, "CheckBox21", {8, 310, 200, 18});
    m_linkPage->setText(QStringLiteral("Linkseite aktivieren"));
    m_linkPage->setVisible(false);
    m_linkPageAddress = place<QLineEdit>(this, "URLEdit", {8, 334, 300, 22});
    m_linkPageAddress->setText(endpoints.homePage());
    m_linkPageAddress->setEnabled(false);
    m_linkPageAddress->setVisible(false);

    for (const Described& d : m_described)
        d.label->installEventFilter(this); // a language gives the label another hint
    describeFields();
}

bool InternetPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTipChange) describeFields();
    return QWidget::eventFilter(watched, event);
}

void InternetPage::describeFields() {
    for (const Described& d : m_described) {
        const QString hint = d.label->toolTip();
        if (d.placeholder) d.field->setPlaceholderText(hint);
        const QString why = d.field->toolTip();
        d.field->setAccessibleDescription(why.isEmpty() ? hint : QStringLiteral("%1 (%2)").arg(hint, why));
    }
}

void InternetPage::showValues(const WindowValues& values) {
    m_oneDrawFee->setText(values.feeOneDraw);
    m_twoDrawsFee->setText(values.feeTwoDraws);
    m_linkPage->setChecked(values.linkPageEnabled);
    m_linkPageAddress->setText(values.linkAddress);
    m_proxyHost->setText(values.proxyHost);
    m_proxyPort->setText(values.proxyPort);
}

void InternetPage::takeValues(WindowValues& values, const Endpoints& builtIn) const {
    values.feeOneDraw = m_oneDrawFee->text();
    values.feeTwoDraws = m_twoDrawsFee->text();
    values.linkPageEnabled = m_linkPage->isChecked();
    values.linkAddress = m_linkPageAddress->text();
    values.proxyHost = m_proxyHost->text();
    values.proxyPort = m_proxyPort->text();
    // A host set by its environment variable is not stored (the stored one stays), nor is the built-in one,
    // nor one that is no http or https host (refusedHosts() names it; the stored one stays).
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        const HostField& f = kHostFields[i];
        if (setFromOutside(f)) continue;
        const QString host = Endpoints::normalizeHost(m_hosts[i]->text());
        if (!host.isEmpty() && !Endpoints::isWebHost(host)) continue;
        values.*f.stored = host == (builtIn.*f.inUse)() ? QString() : host;
    }
}

QStringList InternetPage::refusedHosts() const {
    QStringList refused;
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        const QString text = m_hosts[i]->text().trimmed();
        if (m_hosts[i]->isEnabled() && !text.isEmpty() && !Endpoints::isWebHost(text)) refused << text;
    }
    return refused;
}

void InternetPage::showEndpoints(const Endpoints& endpoints, const QString& setBy) {
    for (std::size_t i = 0; i < std::size(kHostFields); ++i) {
        const HostField& f = kHostFields[i];
        const bool fixed = setFromOutside(f);
        const QSignalBlocker block(m_hosts[i]);
        m_hosts[i]->setText((endpoints.*f.inUse)());
        m_hosts[i]->setEnabled(!fixed); // set from outside: shown greyed, its tool tip says by what
        m_hosts[i]->setToolTip(fixed ? QString(setBy).replace(QLatin1String("%1"), QLatin1String(f.variable))
                                     : QString());
    }
    describeFields();
    m_productPage->setText(endpoints.productPage());
    m_resultsPage->setText(endpoints.resultsPage());
}

} // namespace kugelo
