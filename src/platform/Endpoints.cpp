#include "platform/Endpoints.h"

namespace kugelo {

QString Endpoints::normalizeHost(const QString& host) {
    QString h = host.trimmed();
    while (h.endsWith(QLatin1Char('/')))
        h.chop(1);
    if (!h.isEmpty() && !h.contains(QStringLiteral("://"))) h.prepend(QStringLiteral("http://"));
    return h;
}

Endpoints::Endpoints(const QString& productHost, const QString& companyHost, const QString& resultsHost)
    : m_product(normalizeHost(productHost)), m_company(normalizeHost(companyHost)),
      m_results(normalizeHost(resultsHost)) {}

Endpoints Endpoints::withEnvironment(const Endpoints& base, const QProcessEnvironment& env) {
    const auto pick = [&env](const char* name, const QString& fallback) {
        const QString value = env.value(QLatin1String(name)).trimmed();
        return value.isEmpty() ? fallback : value;
    };
    return Endpoints(pick("KUGELO_PRODUCT_HOST", base.m_product), pick("KUGELO_COMPANY_HOST", base.m_company),
                     pick("KUGELO_RESULTS_HOST", base.m_results));
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
