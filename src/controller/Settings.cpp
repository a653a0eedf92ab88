#include "controller/Settings.h"

#include "generator/GenerationCriteria.h"
#include "i18n/MessageTable.h"
#include "platform/SettingsStore.h"
#include "sheet/TipRows.h"
#include "sheet/TipSheet.h"

#include <map>

namespace kugelo {

namespace {

std::vector<QString> editNames(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<QString> names;
    for (const auto& [first, last] : ranges)
        for (int n = first; n <= last; ++n)
            names.push_back(QStringLiteral("Edit%1").arg(n));
    return names;
}

// Which row and field of the sheet a tip value name belongs to.
std::pair<int, int> tipField(const QString& name) {
    static const std::map<QString, std::pair<int, int>> fields = [] {
        std::map<QString, std::pair<int, int>> m;
        for (int r = 0; r < static_cast<int>(kTipRows.size()); ++r) {
            const TipRow& row = kTipRows[static_cast<std::size_t>(r)];
            for (int f = 0; f < 5; ++f)
                m[QLatin1String(row.numbers[f])] = {r, f};
            m[QLatin1String(row.chance)] = {r, 5};
            m[QLatin1String(row.extra)] = {r, 6};
        }
        return m;
    }();
    return fields.at(name);
}

} // namespace

Endpoints endpointsInUse(const WindowValues& stored, const Endpoints& base, std::vector<RefusedHost>* refused,
                         const QProcessEnvironment& env) {
    std::vector<RefusedHost> ignored;
    const auto pick = [&ignored](const char* name, const QString& host, const QString& fallback) {
        if (host.trimmed().isEmpty()) return fallback;
        if (!Endpoints::isWebHost(host)) {
            ignored.push_back({QLatin1String(name), host, true, {}});
            return fallback;
        }
        return host;
    };
    // One after the other, so that refused names them in this order.
    const QString product = pick("ProductHost", stored.ProductHost, base.productHost());
    const QString company = pick("CompanyHost", stored.CompanyHost, base.companyHost());
    const QString results = pick("ResultsHost", stored.ResultsHost, base.resultsHost());
    const Endpoints inUse = Endpoints::withEnvironment(Endpoints(product, company, results), env, refused);
    if (refused) {
        // A stored host is replaced by the one in use, which may come from the environment.
        for (RefusedHost& r : ignored) {
            r.instead = r.source == QLatin1String("ProductHost")   ? inUse.productHost()
                        : r.source == QLatin1String("CompanyHost") ? inUse.companyHost()
                                                                   : inUse.resultsHost();
            refused->push_back(r);
        }
    }
    return inUse;
}

const std::vector<QString>& tipValueNamesForRestore() {
    static const std::vector<QString> names = editNames({{1, 36}, {43, 54}, {56, 79}, {93, 104}});
    return names;
}

const std::vector<QString>& tipValueNamesForSave() {
    static const std::vector<QString> names =
        editNames({{1, 3}, {7, 9}, {4, 6}, {10, 36}, {43, 54}, {56, 79}, {93, 104}});
    return names;
}

SettingsRestore::SettingsRestore(const SettingsStore& store, SettingsTargets targets)
    : m_store(store), m_t(targets) {}

template <class F> void SettingsRestore::group(F&& reads) {
    try {
        reads();
    } catch (const SettingsTypeError&) {
        // A value of another type ends its group; the rest of the group stays as it is.
    }
}

void SettingsRestore::unguarded() {
    const auto stringOr = [this](const QString& name, const QString& fallback) {
        try {
            return m_store.valueExists(name) ? m_store.readString(name) : fallback;
        } catch (const SettingsTypeError&) {
            return fallback;
        }
    };
    m_t.state.LosNr = stringOr(QStringLiteral("Losnummer"), QString());
    m_t.state.neuerSchein = 0;
    try {
        if (m_store.valueExists(QStringLiteral("NeuerSchein")))
            m_t.state.neuerSchein = m_store.readInteger(QStringLiteral("NeuerSchein"));
    } catch (const SettingsTypeError&) {
    }
}

void SettingsRestore::options() {
    GenerationCriteria& c = m_t.criteria;
    for (const OptionRow* option : storedOptions(OptionKind::Check)) {
        if (m_store.valueExists(option->stored)) c.*(option->flag) = m_store.readBool(option->stored);
    }
    c.historyMatchSize.setLimits(c.historyMatchSize.min, c.chanceCountsAsMatch ? 7 : 5);
    for (const OptionRow* option : storedOptions(OptionKind::Radio)) {
        // The three form one choice: a stored "on" chooses, an "off" changes nothing.
        if (m_store.valueExists(option->stored) && m_store.readBool(option->stored))
            c.chooseChanceMode(option->number());
    }
}

void SettingsRestore::group1(const std::function<void(int, int)>& resize) {
    MainState& s = m_t.state;
    // Fields the group does not reach keep 0.
    s.Land = 0;
    s.TippTop = 0;
    s.TippLeft = 0;
    s.sprache = 0;
    group([&] {
        options();
        const auto readBool = [this](const char* name, bool& field) {
            if (m_store.valueExists(QLatin1String(name))) field = m_store.readBool(QLatin1String(name));
        };
        readBool("Spiel77Ja", m_t.kept.Spiel77Ja);
        readBool("Super6Ja", m_t.kept.Super6Ja);
        const auto readInt = [this](const char* name, int fallback) {
            return m_store.valueExists(QLatin1String(name)) ? m_store.readInteger(QLatin1String(name))
                                                            : fallback;
        };
        s.Land = readInt("Land", 1);
        for (auto [name, field] :
             {std::pair{"height", &m_t.window.height}, std::pair{"width", &m_t.window.width}}) {
            if (!m_store.valueExists(QLatin1String(name))) continue;
            *field = m_store.readInteger(QLatin1String(name));
            if (resize) resize(m_t.window.width, m_t.window.height);
        }
        s.TippTop = 39;
        s.TippLeft = 47;
        s.TippTop = readInt("TippTop", s.TippTop);
        s.TippLeft = readInt("TippLeft", s.TippLeft);
        s.sprache = 0;
        s.sprache = readInt("Sprache", 3);
    });
}

void SettingsRestore::spins() {
    for (const OptionRow* option : storedOptions(OptionKind::Spin)) {
        if (m_store.valueExists(option->stored))
            (m_t.criteria.*(option->spin)).set(m_store.readInteger(option->stored));
    }
}

void SettingsRestore::group2() {
    group([&] {
        spins();
        for (const QString& name : tipValueNamesForRestore()) {
            if (!m_store.valueExists(name)) continue;
            const auto [row, field] = tipField(name);
            m_t.sheet.setText(row, field, m_store.readString(name));
        }
    });
}

void SettingsRestore::restoreAll(const QString& homePage) {
    unguarded();
    group1();
    group2();
    group3();
    printFont();
    group4();
    browser();
    group5(homePage);
    hosts();
    dateTimePicker2();
}

void SettingsRestore::optionsOnly() {
    group([&] { options(); });
    group([&] { spins(); });
}

void SettingsRestore::group3() {
    group([&] {
        for (std::size_t i = 0; i < kPrintPositionNames.size(); ++i) {
            const QString name = QLatin1String(kPrintPositionNames[i]);
            if (m_store.valueExists(name)) m_t.kept.printPositions[i] = m_store.readString(name);
        }
        if (m_store.valueExists(QStringLiteral("RadioF8")))
            m_t.kept.RadioF8 = m_store.readInteger(QStringLiteral("RadioF8"));
        m_t.state.OnlineRadio = 1;
        if (m_store.valueExists(QStringLiteral("OnlineRadio")))
            m_t.state.OnlineRadio = m_store.readInteger(QStringLiteral("OnlineRadio"));
    });
}

void SettingsRestore::printFont() {
    if (!m_store.valueExists(QStringLiteral("DruckSchrift"))) return;
    KeptWindowValues& k = m_t.kept;
    // Each value of the font that cannot be read counts as missing.
    const auto attempt = [](auto&& read) {
        try {
            read();
        } catch (const SettingsTypeError&) {
        }
    };
    attempt([&] {
        const QByteArray style = m_store.readBytes(QStringLiteral("DruckSchrift"));
        if (!style.isEmpty()) k.fontStyle = static_cast<quint8>(style[0]);
    });
    attempt([&] { k.fontColor = m_store.readInteger(QStringLiteral("DruckFontColor")); });
    attempt([&] { k.fontSize = m_store.readInteger(QStringLiteral("DruckFontSize")); });
    attempt([&] { k.fontName = m_store.readString(QStringLiteral("DruckFontName")); });
}

void SettingsRestore::group4() {
    group([&] {
        if (m_store.valueExists(QStringLiteral("ZWEIPREIS")))
            m_t.window.feeOneDraw = m_store.readString(QStringLiteral("ZWEIPREIS"));
        if (m_store.valueExists(QStringLiteral("EINPREIS")))
            m_t.window.feeTwoDraws = m_store.readString(QStringLiteral("EINPREIS"));
    });
}

void SettingsRestore::browser() {
    const SettingValue* value = m_store.find(QStringLiteral("Browser"));
    if (!value) return;
    if (value->type == SettingType::Integer)
        m_t.window.linkPageEnabled = value->integer != 0;
    else if (value->type == SettingType::String && !value->string.isEmpty())
        m_t.window.linkPageEnabled = false;
}

void SettingsRestore::group5(const QString& homePage) {
    // The field's design text is the home page: a value missing or of another type leaves it so.
    m_t.window.linkAddress = homePage;
    group([&] {
        const QString url = QStringLiteral("URLEdit");
        if (m_store.valueExists(url)) m_t.window.linkAddress = m_store.readString(url);
        if (m_store.valueExists(QStringLiteral("ProxyHostEdit")))
            m_t.window.proxyHost = m_store.readString(QStringLiteral("ProxyHostEdit"));
        if (m_store.valueExists(QStringLiteral("ProxyPortEdit")))
            m_t.window.proxyPort = m_store.readString(QStringLiteral("ProxyPortEdit"));
    });
}

void SettingsRestore::hosts() {
    for (auto [name, field] : {std::pair{"ProductHost", &m_t.window.ProductHost},
                               std::pair{"CompanyHost", &m_t.window.CompanyHost},
                               std::pair{"ResultsHost", &m_t.window.ResultsHost}}) {
        try {
            if (m_store.valueExists(QLatin1String(name))) *field = m_store.readString(QLatin1String(name));
        } catch (const SettingsTypeError&) {
        }
    }
}

void SettingsRestore::dateTimePicker2() {
    const QString name = QStringLiteral("DateTimePicker2");
    if (!m_store.valueExists(name)) return;
    try {
        const QDate date = fromDayNumber(m_store.readDateTime(name));
        m_t.state.statisticsStart = earliestDrawDate();
        setPickerDate(m_t.state.statisticsStart, date);
    } catch (const SettingsTypeError&) {
        m_t.state.statisticsStart = earliestDrawDate();
    }
}

void saveSettings(SettingsStore& store, const SettingsTargets& t) {
    const MainState& s = t.state;
    GenerationCriteria& c = t.criteria;
    try {
        store.writeInteger(QStringLiteral("NeuerSchein"), s.neuerSchein);
        for (const OptionRow* option : storedOptions(OptionKind::Check))
            store.writeBool(option->stored, c.*(option->flag));
        for (const OptionRow* option : storedOptions(OptionKind::Radio))
            store.writeBool(option->stored, c.*(option->flag));
        if (t.window.normalState) {
            store.writeInteger(QStringLiteral("height"), t.window.height);
            store.writeInteger(QStringLiteral("width"), t.window.width);
        }
        store.writeInteger(QStringLiteral("Sprache"), s.sprache);
        store.writeInteger(QStringLiteral("TippTop"), s.TippTop);
        store.writeInteger(QStringLiteral("TippLeft"), s.TippLeft);
        for (const OptionRow* option : storedOptions(OptionKind::Spin))
            store.writeInteger(option->stored, (c.*(option->spin)).value);
        for (const QString& name : tipValueNamesForSave()) {
            const auto [row, field] = tipField(name);
            store.writeString(name, t.sheet.text(row, field));
        }
        store.writeString(QStringLiteral("ZWEIPREIS"), t.window.feeOneDraw);
        store.writeString(QStringLiteral("EINPREIS"), t.window.feeTwoDraws);
        store.writeBool(QStringLiteral("Browser"), t.window.linkPageEnabled);
        store.writeString(QStringLiteral("URLEdit"), t.window.linkAddress);
        store.writeString(QStringLiteral("ProxyHostEdit"), t.window.proxyHost);
        store.writeString(QStringLiteral("ProxyPortEdit"), t.window.proxyPort);
        store.writeDateTime(QStringLiteral("DateTimePicker2"), toDayNumber(s.statisticsStart));
        store.writeInteger(QStringLiteral("Land"), s.Land);
        store.writeString(QStringLiteral("ProductHost"), t.window.ProductHost);
        store.writeString(QStringLiteral("CompanyHost"), t.window.CompanyHost);
        store.writeString(QStringLiteral("ResultsHost"), t.window.ResultsHost);
        try {
            for (std::size_t i = 0; i < kPrintPositionNames.size(); ++i)
                store.writeString(QLatin1String(kPrintPositionNames[i]), t.kept.printPositions[i]);
            store.writeInteger(QStringLiteral("RadioF8"), t.kept.RadioF8);
            store.writeInteger(QStringLiteral("OnlineRadio"), t.kept.portalChoice);
            store.writeBytes(QStringLiteral("DruckSchrift"),
                             QByteArray(1, static_cast<char>(t.kept.fontStyle)));
            store.writeInteger(QStringLiteral("DruckFontColor"), t.kept.fontColor);
            store.writeInteger(QStringLiteral("DruckFontSize"), t.kept.fontSize);
            store.writeString(QStringLiteral("DruckFontName"), t.kept.fontName);
        } catch (const KugeloError&) {
            // Only the rest of the print values is skipped.
        }
    } catch (const KugeloError&) {
        // A failing write ends the save silently.
    }
}

QString settingsProblemText(const SettingsProblem& problem, const MessageTable& messages) {
    switch (problem.kind) {
    case SettingsProblem::Kind::None:
        break;
    case SettingsProblem::Kind::Folder:
        return messages[Msg::SettingsAreAFolder].arg(problem.path);
    case SettingsProblem::Kind::Unreadable: {
        QString text = messages[Msg::SettingsUnreadable].arg(problem.path, problem.reason);
        if (!problem.aside.isEmpty())
            text += QLatin1Char(' ') + messages[Msg::SettingsKeptAside].arg(problem.aside);
        return text;
    }
    }
    return {};
}

} // namespace kugelo
