#include "draws/DrawImport.h"

#include "platform/DayNumber.h"

#include <QStringList>
#include <algorithm>
#include <map>
#include <optional>

namespace kugelo {

namespace {

struct Columns {
    int date = -1;
    int numbers[5] = {-1, -1, -1, -1, -1};
    int chance = -1;
    int joker = -1;
    QChar separator;
    bool archiveDates = false; // dd/mm/yyyy or yyyymmdd instead of yyyy-mm-dd
};

QString unquote(QString field) {
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2).trimmed();
    return field;
}

QStringList splitFields(const QString& line, QChar separator) {
    QStringList fields = line.split(separator);
    for (QString& f : fields)
        f = unquote(f);
    return fields;
}

Columns archiveColumns(const QStringList& header, const QString& fileName, int lineNo) {
    Columns c;
    c.separator = QLatin1Char(';');
    c.archiveDates = true;
    const auto find = [&](const QString& name) { return static_cast<int>(header.indexOf(name)); };
    c.date = find(QStringLiteral("date_de_tirage"));
    for (int i = 0; i < 5; ++i)
        c.numbers[i] = find(QStringLiteral("boule_%1").arg(i + 1));
    c.chance = find(QStringLiteral("numero_chance"));
    c.joker = find(QStringLiteral("numero_jokerplus"));
    if (c.joker < 0) c.joker = find(QStringLiteral("numero_7"));
    QStringList missing;
    if (c.date < 0) missing << QStringLiteral("date_de_tirage");
    for (int i = 0; i < 5; ++i)
        if (c.numbers[i] < 0) missing << QStringLiteral("boule_%1").arg(i + 1);
    if (c.chance < 0) missing << QStringLiteral("numero_chance");
    if (!missing.isEmpty())
        throw ImportError(fileName, lineNo,
                          QStringLiteral("header lacks %1").arg(missing.join(QStringLiteral(", "))));
    return c;
}

Columns plainColumns() {
    Columns c;
    c.separator = QLatin1Char(',');
    c.date = 0;
    for (int i = 0; i < 5; ++i)
        c.numbers[i] = i + 1;
    c.chance = 6;
    c.joker = 7;
    return c;
}

QDate parseDate(const QString& text, bool archive) {
    if (!archive) return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (text.contains(QLatin1Char('/'))) return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}

bool isDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// Reads the fields of one line. A fault makes the line no draw: its reason is kept and no value comes back
// (a file of nothing but bad lines costs no exception per line).
class LineParser {
public:
    std::nullopt_t fail(const QString& reason) {
        m_reason = reason;
        return std::nullopt;
    }
    const QString& reason() const { return m_reason; }

    std::optional<int> number(const QString& text, const char* what, int low, int high) {
        if (!isDigits(text) || text.size() > 9)
            return fail(QStringLiteral("%1 is not a number: \"%2\"").arg(QString::fromUtf8(what), text));
        const int value = text.toInt();
        if (value < low || value > high)
            return fail(QStringLiteral("%1 out of range %2..%3: %4")
                            .arg(QString::fromUtf8(what))
                            .arg(low)
                            .arg(high)
                            .arg(value));
        return value;
    }

    // Seven digits, blanks between groups allowed; a text without digits (such as "Jokerplus indisponible")
    // or an empty field gives zeros.
    std::optional<std::array<std::uint8_t, 7>> joker(const QString& text) {
        std::array<std::uint8_t, 7> digits{};
        QString compact = text;
        compact.remove(QLatin1Char(' '));
        compact.remove(QChar(0x00A0));
        if (std::none_of(compact.begin(), compact.end(), [](QChar c) { return c.isDigit(); })) return digits;
        if (!isDigits(compact) || compact.size() != 7)
            return fail(QStringLiteral("Joker+ number is not seven digits: \"%1\"").arg(text));
        for (int i = 0; i < 7; ++i)
            digits[i] = static_cast<std::uint8_t>(compact[i].digitValue());
        return digits;
    }

private:
    QString m_reason;
};

std::optional<DrawRecord> parseLine(const QStringList& fields, const Columns& c, LineParser& p,
                                    const QDate& today) {
    int needed = c.chance;
    for (int n : c.numbers)
        needed = std::max(needed, n);
    needed = std::max(needed, c.date);
    if (fields.size() <= needed) return p.fail(QStringLiteral("too few fields (%1)").arg(fields.size()));

    const QDate date = parseDate(fields[c.date], c.archiveDates);
    if (!date.isValid()) return p.fail(QStringLiteral("bad date: \"%1\"").arg(fields[c.date]));
    // A typo in the year would stop every later update (it asks only for days after the last draw).
    if (date < earliestDrawDate())
        return p.fail(QStringLiteral("date before the first draw of this game (%1): \"%2\"")
                          .arg(earliestDrawDate().toString(Qt::ISODate), fields[c.date]));
    if (date > today) return p.fail(QStringLiteral("date after today: \"%1\"").arg(fields[c.date]));

    std::array<int, 5> numbers{};
    for (int i = 0; i < 5; ++i) {
        const std::optional<int> number = p.number(fields[c.numbers[i]], "main number", 1, 49);
        if (!number) return std::nullopt;
        numbers[i] = *number;
        for (int j = 0; j < i; ++j)
            if (numbers[j] == numbers[i])
                return p.fail(QStringLiteral("repeated main number: %1").arg(numbers[i]));
    }
    const std::optional<int> chance = p.number(fields[c.chance], "n° CHANCE", 1, 10);
    if (!chance) return std::nullopt;
    const QString jokerText = (c.joker >= 0 && c.joker < fields.size()) ? fields[c.joker] : QString();
    const auto joker = p.joker(jokerText);
    if (!joker) return std::nullopt;
    return makeDrawRecord(date, numbers, *chance, *joker);
}

} // namespace

std::vector<DrawRecord> parseDrawCsv(const QString& fileName, const TextLines& lines, const QDate& today,
                                     SkippedLines* skipped) {
    std::vector<DrawRecord> draws;
    Columns columns;
    bool haveFormat = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i];
        if (line.trimmed().isEmpty()) continue;
        try {
            if (!haveFormat) {
                haveFormat = true;
                if (line.contains(QLatin1Char(';'))) {
                    columns = archiveColumns(splitFields(line, QLatin1Char(';')), fileName, lineNo);
                    continue;
                }
                columns = plainColumns();
                if (splitFields(line, QLatin1Char(','))
                        .value(0)
                        .compare(QStringLiteral("date"), Qt::CaseInsensitive) == 0)
                    continue;
            }
            LineParser parser;
            if (const auto draw = parseLine(splitFields(line, columns.separator), columns, parser, today)) {
                draws.push_back(*draw);
                continue;
            }
            const ImportError bad(fileName, lineNo, parser.reason());
            if (!skipped) throw bad;
            skipped->add(bad.text());
        } catch (const ImportError& e) { // the header
            if (!skipped) throw;
            skipped->add(e.text());
            if (columns.date < 0) break; // without the columns no later line can be read
        }
    }
    return draws;
}

ImportResult importDraws(const DrawFile& file, const std::vector<DrawRecord>& draws) {
    std::map<double, DrawRecord> incoming;
    for (const DrawRecord& d : draws)
        incoming[d.Datum] = d; // a later line of the same date wins

    std::vector<DrawRecord> merged;
    ImportResult result;
    result.imported = static_cast<int>(incoming.size());
    std::map<double, bool> counted;
    if (file.exists()) {
        for (const DrawRecord& stored : file.readAll()) {
            if (incoming.count(stored.Datum)) {
                if (!counted[stored.Datum]) {
                    counted[stored.Datum] = true;
                    ++result.replaced;
                }
                continue;
            }
            merged.push_back(stored);
        }
    }
    for (const auto& [datum, record] : incoming)
        merged.push_back(record);
    std::stable_sort(merged.begin(), merged.end(),
                     [](const DrawRecord& a, const DrawRecord& b) { return a.Datum < b.Datum; });
    file.replaceContents(merged);
    return result;
}

} // namespace kugelo
