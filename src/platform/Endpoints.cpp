#include "platform/Endpoints.h"

#include <QRegularExpression>
#include <QUrl>

namespace kugelo {

bool isWebAddress(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    const QString scheme = url.scheme(); // QUrl gives it in lower case
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

namespace {

// Whether a host text begins with a scheme ("file:", "data:", "HTTP://"), not with a host name and port
// ("localhost:8080", "draws.example:80/x").
bool hasScheme(const QString& host) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression port(QStringLiteral("^[0-9]+(/.*)?$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = scheme.match(host);
    if (!m.hasMatch()) return false;
    const QString rest = m.captured(1);
    return rest.startsWith(QStringLiteral("//")) || !port.match(rest).hasMatch();
}

} // namespace

QString Endpoints::normalizeHost(const QString& host) {
    QString h = host.trimmed();
    while (h.endsWith(QLatin1Char('/')))
        h.chop(1);
    if (!h.isEmpty() && !hasScheme(h)) h.prepend(QStringLiteral("http://"));
    return h;
}

Endpoints::Endpoints(const QString& productHost, const QString& companyHost, const QString& resultsHost)
    : m_product(normalizeHost(productHost)), m_company(normalizeHost(companyHost)),
      m_results(normalizeHost(resultsHost)) {}

bool Endpoints::setByEnvironment(const char* variable, const QProcessEnvironment& env) {
    const QString value = env.value(QLatin1String(variable)).trimmed();
    return !value.isEmpty() && isWebHost(value);
}

Endpoints Endpoints::withEnvironment(const Endpoints& base, const QProcessEnvironment& env,
                                     std::vector<RefusedHost>* refused) {
    const auto pick = [&env, refused](const char* name, const QString& fallback) {
        const QString value = env.value(QLatin1String(name)).trimmed();
        if (value.isEmpty()) return fallback;
        if (!isWebHost(value)) {
            if (refused) refused->push_back({QLatin1String(name), value, false, fallback});
            return fallback;
        }
        return value;
    };
    // One after the other, so that refused names them in this order.
    const QString product = pick("KUGELO_PRODUCT_HOST", base.m_product);
    const QString company = pick("KUGELO_COMPANY_HOST", base.m_company);
    const QString results = pick("KUGELO_RESULTS_HOST", base.m_results);
    return Endpoints(product, company, results);
}

QString Endpoints::drawService(const QDate& day) const {
    return m_product + QStringLiteral("/lotto/kugelo.asp?Programm=Kugelo&Datum=") +
           day.toString(QStringLiteral("yyyyMMdd"));
}

QString Endpoints::basketService(int tipCount) const {
    return m_product + QStringLiteral("/lotto/lotto.asp?Spiel=Kugelo&Wo=Lottoland&Tipps=") +
           QString::number(tipCount);
}

QString Endpoints::fallbackBasketPage(const QString& query) const {
    QString url = m_product + QStringLiteral("/lotto/warenkorb2.asp");
    if (!query.isEmpty())
        url += (query.startsWith(QLatin1Char('?')) ? QString() : QStringLiteral("?")) + query;
    return url;
}

QString Endpoints::scriptFile(const QString& scriptName) const {
    return m_product + QStringLiteral("/scripts/") + scriptName + QStringLiteral(".txt");
}

QString Endpoints::productPage() const {
    return m_product + QStringLiteral("/kugelo.htm");
}

QString Endpoints::installerDownload() const {
    return m_company + QStringLiteral("/dateien/klickomatp.exe");
}

QString Endpoints::homePage() const {
    return m_company + QLatin1Char('/');
}

QString Endpoints::resultsPage() const {
    return m_results + QStringLiteral("/jeux/loto/tirage");
}

} // namespace kugelo
