#pragma once

#include <QDate>
#include <QProcessEnvironment>
#include <QString>
#include <vector>

namespace kugelo {

// Whether an address may be asked or opened: a valid address of the scheme http or https (in any case) that
// names a host. Nothing else is ever asked (file:, data:, ftp:, ...), whatever the settings say.
bool isWebAddress(const QString& address);

// A host that was given but is not used because it is no http or https host: where it came from (the
// stored setting's name, such as "ProductHost", or the environment variable) and its text.
struct RefusedHost {
    QString source;
    QString host;
    bool stored = false; // from the stored settings (ignored); else entered from outside (refused)
    QString instead;     // the host used in its place
};

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
    // when that variable is set and not empty. A variable that names no http or https host is refused: the
    // given host stays, and the variable is added to refused when given.
    static Endpoints
    withEnvironment(const Endpoints& base,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                    std::vector<RefusedHost>* refused = nullptr);
    // The environment variable of a host, when it is set, not empty and names an http or https host (the
    // host it gives then wins over the stored one).
    static bool setByEnvironment(const char* variable,
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
    // scheme is given ("host", "host:8080"; "file:/x" and "data:,x" keep their scheme).
    static QString normalizeHost(const QString& host);
    // Whether a host (as normalizeHost gives it) may be used: http or https, with a host name.
    static bool isWebHost(const QString& host) { return isWebAddress(normalizeHost(host)); }

private:
    QString m_product = defaultProductHost();
    QString m_company = defaultCompanyHost();
    QString m_results = defaultResultsHost();
};

} // namespace kugelo
