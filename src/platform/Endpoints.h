#pragma once

#include <QDate>
#include <QProcessEnvironment>
#include <QString>

namespace kugelo {

// Addresses of the vendor's web services and the two web pages the program opens. The hosts (scheme and
// host, optionally a port) are configuration; the paths and queries are fixed.
class Endpoints {
public:
    static QString defaultProductHost() { return QStringLiteral("http://www.kugelo.example"); }
    static QString defaultCompanyHost() { return QStringLiteral("http://www.velmar.example"); }
    static QString defaultResultsHost() { return QStringLiteral("https://www.loto-results.example"); }

    Endpoints() = default;
    Endpoints(const QString& productHost, const QString& companyHost, const QString& resultsHost);

    // The given hosts, each replaced by KUGELO_PRODUCT_HOST, KUGELO_COMPANY_HOST or KUGELO_RESULTS_HOST
    // when that variable is set and not empty.
    static Endpoints
    withEnvironment(const Endpoints& base,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

    const QString& productHost() const { return m_product; }
    const QString& companyHost() const { return m_company; }
    const QString& resultsHost() const { return m_results; }

    QString drawService(const QDate& day) const;
    QString basketService(int tipCount) const;
    QString fallbackBasketPage(const QString& query) const;
    QString scriptFile(const QString& scriptName) const;
    QString productPage() const;
    QString installerDownload() const;
    QString homePage() const;
    QString resultsPage() const;

    // A host as configured: surrounding blanks and trailing slashes dropped, "http://" added when no
    // scheme is given.
    static QString normalizeHost(const QString& host);

private:
    QString m_product = defaultProductHost();
    QString m_company = defaultCompanyHost();
    QString m_results = defaultResultsHost();
};

} // namespace kugelo
