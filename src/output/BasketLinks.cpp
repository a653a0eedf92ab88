#include "output/BasketLinks.h"

#include "platform/Endpoints.h"
#include "sheet/TipSheet.h"

#include <QUrl>

namespace kugelo {

namespace {

void replaceFirst(QString& text, const QString& placeholder, const QString& value) {
    const qsizetype at = text.indexOf(placeholder);
    if (at >= 0) text.replace(at, placeholder.size(), value);
}

QString kasten(int n) {
    return QStringLiteral("[KASTEN%1]").arg(n);
}

// The highest row of rows[first .. first + 5] in use, counted from 1; 0 when none is.
int highestInUse(const std::array<QString, 12>& rows, int first) {
    int count = 0;
    for (int i = 0; i < 6; ++i)
        if (rows[std::size_t(first + i)] != emptyBasketRow()) count = i + 1;
    return count;
}

} // namespace

QString basketRowText(const TipSheet& sheet, int row) {
    QStringList fields;
    for (int f = 0; f <= TipSheet::Chance; ++f)
        fields << sheet.text(row, f);
    return fields.join(QLatin1Char(','));
}

QString fallbackBasketTemplate(const Endpoints& endpoints) {
    return endpoints.fallbackBasketPage(
        QStringLiteral("Tipps=[Anzahl]&kasten1=[KASTEN1]&kasten2=[KASTEN2]&kasten3=[KASTEN3]"
                       "&kasten4=[KASTEN4]&kasten5=[KASTEN5]&kasten6=[KASTEN6]"));
}

QStringList basketLinks(const QString& linkTemplate, const std::array<QString, 12>& rows) {
    QString t = linkTemplate.left(MaxBasketTemplateLength);
    // A character outside the basic plane takes two units: the cut keeps it whole or leaves it out.
    if (t.size() == MaxBasketTemplateLength && t.back().isHighSurrogate()) t.chop(1);
    QString first = t;
    for (int n = 1; n <= 12; ++n)
        replaceFirst(first, kasten(n), rows[std::size_t(n - 1)]);
    replaceFirst(first, QStringLiteral("[Anzahl]"), QString::number(highestInUse(rows, 0)));
    QStringList links{first};
    if (rows[6] != emptyBasketRow()) {
        QString second = t;
        for (int n = 1; n <= 6; ++n)
            replaceFirst(second, kasten(n), rows[std::size_t(n + 5)]);
        replaceFirst(second, QStringLiteral("[Anzahl]"), QString::number(highestInUse(rows, 6)));
        links << second;
    }
    return links;
}

bool isWebLink(const QString& link) {
    return isWebAddress(link);
}

QString webLinkAddress(const QString& link) {
    if (!isWebLink(link)) return {};
    return QUrl(link.trimmed(), QUrl::TolerantMode).toString(QUrl::FullyEncoded);
}

} // namespace kugelo
