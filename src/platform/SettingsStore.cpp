#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <limits>

namespace kugelo {

namespace {
const QString kFormat = QStringLiteral("Kugelo settings 1");
} // namespace

QString settingTypeName(SettingType type) {
    switch (type) {
    case SettingType::Integer:
        return QStringLiteral("integer");
    case SettingType::String:
        return QStringLiteral("string");
    case SettingType::Bytes:
        return QStringLiteral("bytes");
    }
    return {};
}

const SettingValue& SettingsStore::typed(const QString& name, SettingType type) const {
    const SettingValue* value = find(name);
    if (!value) throw SettingsTypeError(QStringLiteral("the setting %1 does not exist").arg(name));
    if (value->type != type)
        throw SettingsTypeError(QStringLiteral("the setting %1 is stored as %2, not as %3")
                                    .arg(name, settingTypeName(value->type), settingTypeName(type)));
    return *value;
}

qint32 SettingsStore::readInteger(const QString& name) const {
    return typed(name, SettingType::Integer).integer;
}

QString SettingsStore::readString(const QString& name) const {
    return typed(name, SettingType::String).string;
}

QByteArray SettingsStore::readBytes(const QString& name) const {
    return typed(name, SettingType::Bytes).bytes;
}

double SettingsStore::readDateTime(const QString& name) const {
    const QByteArray bytes = readBytes(name);
    if (bytes.size() != 8)
        throw SettingsTypeError(
            QStringLiteral("the setting %1 holds %2 bytes, not a date").arg(name).arg(bytes.size()));
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double day = 0;
    std::memcpy(&day, &bits, sizeof day);
    return day;
}

namespace {
SettingValue named(const QString& name, SettingType type) {
    SettingValue v;
    v.name = name;
    v.type = type;
    return v;
}
} // namespace

void SettingsStore::writeInteger(const QString& name, qint32 value) {
    SettingValue v = named(name, SettingType::Integer);
    v.integer = value;
    write(v);
}

void SettingsStore::writeString(const QString& name, const QString& value) {
    SettingValue v = named(name, SettingType::String);
    v.string = value;
    write(v);
}

void SettingsStore::writeBytes(const QString& name, const QByteArray& value) {
    SettingValue v = named(name, SettingType::Bytes);
    v.bytes = value;
    write(v);
}

const SettingValue* SettingsStore::findIn(const std::vector<SettingValue>& values, const QString& name) {
    for (const SettingValue& v : values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0) return &v;
    return nullptr;
}

void SettingsStore::putIn(std::vector<SettingValue>& values, const SettingValue& value) {
    for (SettingValue& v : values) {
        if (v.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            v = value;
            return;
        }
    }
    values.push_back(value);
}

void SettingsStore::writeDateTime(const QString& name, double dayNumber) {
    quint64 bits = 0;
    std::memcpy(&bits, &dayNumber, sizeof bits);
    QByteArray bytes(8, '\0');
    qToLittleEndian(bits, bytes.data());
    writeBytes(name, bytes);
}

FileSettingsStore::FileSettingsStore(QString path, const FileOpener& opener)
    : m_path(std::move(path)), m_opener(opener) {}

QString FileSettingsStore::defaultPath() {
    const QString configured = qEnvironmentVariable("KUGELO_SETTINGS");
    if (!configured.isEmpty()) return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Velmar/Kugelo/settings.json");
}

QByteArray FileSettingsStore::serialize(const std::vector<Key>& keys) {
    // The indented layout of Qt's JSON writer, written directly: a file of a few hundred values is written
    // at every exit, and going through QJsonObject costs far more than the text itself.
    QByteArray out;
    out.reserve(4096 + static_cast<qsizetype>(keys.size()) * 16384);
    const auto indent = [&out](int level) { out.append(4 * level, ' '); };
    const auto string = [&out](const QString& text) {
        static constexpr char hex[] = "0123456789abcdef";
        const auto escaped = [&out](char16_t u) {
            out += "\\u";
            out += hex[u >> 12 & 0xF];
            out += hex[u >> 8 & 0xF];
            out += hex[u >> 4 & 0xF];
            out += hex[u & 0xF];
        };
        out += '"';
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = text[i].unicode();
            if (u >= 0x80) {
                if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
                    out += QStringView(text).mid(i, 2).toUtf8();
                    ++i;
                } else if (QChar::isSurrogate(u)) {
                    escaped(u); // a lone half of a pair has no UTF-8 form
                } else {
                    out += QStringView(text).mid(i, 1).toUtf8();
                }
                continue;
            }
            switch (u) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20)
                    escaped(u);
                else
                    out += static_cast<char>(u);
            }
        }
        out += '"';
    };
    const auto member = [&](int level, const char* name) {
        indent(level);
        out += '"';
        out += name;
        out += "\": ";
    };
    const auto stringMember = [&](int level, const char* name, const QString& value) {
        member(level, name);
        string(value);
        out += ",\n";
    };
    // The closing bracket of an object or array, with a comma when more follow at its level.
    const auto close = [&](int level, char bracket, bool more) {
        indent(level);
        out += bracket;
        out += more ? ",\n" : "\n";
    };

    out += "{\n";
    stringMember(1, "format", kFormat);
    member(1, "keys");
    out += "[\n";
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const Key& key = keys[k];
        indent(2);
        out += "{\n";
        stringMember(3, "key", key.path);
        member(3, "values");
        out += "[\n";
        for (std::size_t i = 0; i < key.values.size(); ++i) {
            const SettingValue& v = key.values[i];
            indent(4);
            out += "{\n";
            stringMember(5, "name", v.name);
            stringMember(5, "type", settingTypeName(v.type));
            member(5, "value");
            switch (v.type) {
            case SettingType::Integer:
                out += QByteArray::number(static_cast<qint64>(v.integer));
                break;
            case SettingType::String:
                string(v.string);
                break;
            case SettingType::Bytes:
                string(QString::fromLatin1(v.bytes.toHex()));
                break;
            }
            out += '\n';
            close(4, '}', i + 1 < key.values.size());
        }
        close(3, ']', false);
        close(2, '}', k + 1 < keys.size());
    }
    close(1, ']', false);
    out += "}\n";
    return out;
}

std::vector<FileSettingsStore::Key> FileSettingsStore::parse(const QByteArray& text,
                                                             QStringList* badEntries) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (doc.isNull())
        throw KugeloError(QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        throw KugeloError(QStringLiteral("not a Kugelo settings file"));
    std::vector<Key> keys;
    for (const QJsonValue& k : root.value(QStringLiteral("keys")).toArray()) {
        const QJsonObject ko = k.toObject();
        Key key;
        key.path = ko.value(QStringLiteral("key")).toString();
        if (key.path.isEmpty()) {
            badEntries->append(QStringLiteral("a key without a path"));
            continue;
        }
        // One entry that cannot be read costs only itself: it counts as missing, the others stay.
        for (const QJsonValue& entry : ko.value(QStringLiteral("values")).toArray()) {
            const QJsonObject o = entry.toObject();
            SettingValue v;
            v.name = o.value(QStringLiteral("name")).toString();
            const QString type = o.value(QStringLiteral("type")).toString();
            const QJsonValue value = o.value(QStringLiteral("value"));
            const auto bad = [&](const QString& why) { badEntries->append(why); };
            if (v.name.isEmpty()) {
                bad(QStringLiteral("a value without a name in %1").arg(key.path));
                continue;
            }
            if (type == QLatin1String("integer")) {
                const double number = value.toDouble(0.5);
                // The range first: converting a double outside it to an integer is undefined.
                if (!value.isDouble() || !(number >= std::numeric_limits<qint32>::min()) ||
                    !(number <= std::numeric_limits<qint32>::max()) || number != std::trunc(number)) {
                    bad(QStringLiteral("%1 is not a 32-bit integer").arg(v.name));
                    continue;
                }
                v.type = SettingType::Integer;
                v.integer = static_cast<qint32>(number);
            } else if (type == QLatin1String("string") && value.isString()) {
                v.type = SettingType::String;
                v.string = value.toString();
            } else if (type == QLatin1String("bytes") && value.isString()) {
                const QByteArray hex = value.toString().toLatin1();
                v.type = SettingType::Bytes;
                v.bytes = QByteArray::fromHex(hex);
                if (v.bytes.toHex() != hex.toLower()) {
                    bad(QStringLiteral("%1 is not hexadecimal bytes").arg(v.name));
                    continue;
                }
            } else {
                bad(QStringLiteral("%1 has no valid type and value").arg(v.name));
                continue;
            }
            key.values.push_back(v);
        }
        keys.push_back(std::move(key));
    }
    return keys;
}

QString FileSettingsStore::asideName() const {
    // Every damaged file keeps its own copy: a later one never replaces an earlier.
    QString aside = m_path + QStringLiteral(".corrupt");
    for (int n = 2; QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(); ++n)
        aside = m_path + QStringLiteral(".corrupt.%1").arg(n);
    return aside;
}

void FileSettingsStore::load() {
    if (m_loaded) return;
    m_loaded = true;
    const QFileInfo info(m_path);
    if (info.isDir()) {
        // Renaming a folder aside and writing a file in its place would be no help to anybody.
        m_readOnly = true;
        m_problem = {SettingsProblem::Kind::Folder, m_path, {}, {}};
        return;
    }
    if (!info.exists()) return;
    QStringList badEntries;
    try {
        m_keys = parse(readFileAtMost(m_path, MaxBytes, m_opener), &badEntries);
    } catch (const KugeloError& e) {
        m_keys.clear();
        // The damaged file is kept for whoever wants to look at it, and never silently overwritten.
        m_problem = {SettingsProblem::Kind::Unreadable, m_path, e.text(), asideName()};
        if (m_readOnly || !QFile::rename(m_path, m_problem.aside)) {
            m_readOnly = true;
            m_problem.aside.clear();
        }
        return;
    }
    if (badEntries.isEmpty()) return;
    // The entries that parse are kept; the file as it was is copied aside before the next save replaces it.
    m_problem = {SettingsProblem::Kind::Unreadable, m_path, badEntries.join(QStringLiteral("; ")),
                 asideName()};
    if (m_readOnly || !QFile::copy(m_path, m_problem.aside)) {
        m_readOnly = true;
        m_problem.aside.clear();
    }
}

bool FileSettingsStore::openKey(const QString& path, bool create) {
    load();
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].path.compare(path, Qt::CaseInsensitive) == 0) {
            m_open = static_cast<int>(i);
            return true;
        }
    }
    if (!create) return false;
    m_keys.push_back(Key{path, {}});
    m_open = static_cast<int>(m_keys.size()) - 1;
    m_dirty = true;
    return true;
}

void FileSettingsStore::closeKey() {
    m_open = -1;
    if (!m_dirty || m_readOnly) return;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) throw FolderError(folder);
    writeFileWhole(m_path, m_path + QLatin1Char('~'), serialize(m_keys), m_opener);
    m_dirty = false;
}

const SettingValue* FileSettingsStore::find(const QString& name) const {
    return m_open < 0 ? nullptr : findIn(m_keys[static_cast<std::size_t>(m_open)].values, name);
}

void FileSettingsStore::write(const SettingValue& value) {
    if (m_open < 0) throw IoError(QStringLiteral("no settings key is open"));
    m_dirty = true;
    putIn(m_keys[static_cast<std::size_t>(m_open)].values, value);
}

std::vector<SettingValue> FileSettingsStore::values() const {
    return m_open < 0 ? std::vector<SettingValue>{} : m_keys[static_cast<std::size_t>(m_open)].values;
}

} // namespace kugelo
