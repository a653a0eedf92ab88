#pragma once

#include "platform/AtomicFile.h"
#include "platform/Errors.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace kugelo {

// The three kinds of stored values.
enum class SettingType { Integer, String, Bytes };

// "integer", "string", "bytes".
QString settingTypeName(SettingType type);

// One named value of a key.
struct SettingValue {
    QString name;
    SettingType type = SettingType::Integer;
    qint32 integer = 0;
    QString string;
    QByteArray bytes;

    bool operator==(const SettingValue&) const = default;
};

// A value was read with another type than the one it is stored with, or it is not there.
class SettingsTypeError : public KugeloError {
public:
    using KugeloError::KugeloError;
};

// Why the stored settings could not be used (they start empty then); kind None when they could.
struct SettingsProblem {
    enum class Kind { None, Folder, Unreadable };
    Kind kind = Kind::None;
    QString path;   // the settings file
    QString reason; // Unreadable: what could not be read
    QString aside;  // Unreadable: where the file as it was lies now; empty when it stayed in place
    bool isEmpty() const { return kind == Kind::None; }
};

// The per-user settings store: keys ("\SOFTWARE\Velmar\Kugelo") holding named values of three types.
// One key is open at a time; reads and writes go to the open key.
class SettingsStore {
public:
    static QString kugeloKey() { return QStringLiteral("\\SOFTWARE\\Velmar\\Kugelo"); }
    static QString klickwerkKey() { return QStringLiteral("\\SOFTWARE\\Velmar\\Klickwerk\\Settings"); }

    virtual ~SettingsStore() = default;

    // Opens a key, creating it when asked; false when it does not exist and may not be created.
    virtual bool openKey(const QString& path, bool create) = 0;
    // Closes the open key and keeps what was written to it; throws IoError when that fails.
    virtual void closeKey() = 0;
    // The value of the open key, or nullptr.
    virtual const SettingValue* find(const QString& name) const = 0;
    // Adds or replaces a value of the open key; throws IoError when the store takes no writes.
    virtual void write(const SettingValue& value) = 0;
    // Every value of the open key, in the order they were first written.
    virtual std::vector<SettingValue> values() const = 0;
    // Why the stored settings could not be used (they start empty then).
    virtual SettingsProblem problem() const { return {}; }

    bool valueExists(const QString& name) const { return find(name) != nullptr; }
    // Typed reads: each throws SettingsTypeError for a missing value or one of another type.
    qint32 readInteger(const QString& name) const;
    bool readBool(const QString& name) const { return readInteger(name) != 0; }
    QString readString(const QString& name) const;
    QByteArray readBytes(const QString& name) const;
    // A date-time: 8 bytes, a little-endian IEEE double day number.
    double readDateTime(const QString& name) const;

    void writeInteger(const QString& name, qint32 value);
    void writeBool(const QString& name, bool value) { writeInteger(name, value ? 1 : 0); }
    void writeString(const QString& name, const QString& value);
    void writeBytes(const QString& name, const QByteArray& value);
    void writeDateTime(const QString& name, double dayNumber);

protected:
    // For implementations that keep a key as a list: the value of a name (names ignore case), and adding or
    // replacing one in place.
    static const SettingValue* findIn(const std::vector<SettingValue>& values, const QString& name);
    static void putIn(std::vector<SettingValue>& values, const SettingValue& value);

private:
    const SettingValue& typed(const QString& name, SettingType type) const;
};

// The store as one JSON file. It is read when the first key is opened and written whole (a temporary file
// renamed over it) when a key that was written to is closed. A file that cannot be parsed is moved aside as
// "<file>.corrupt" (".corrupt.2" and so on beside earlier copies) and the store starts empty; entries that
// cannot be read count as missing and the file is copied aside; problem() says so. A folder in place of
// the file is neither read nor written.
class FileSettingsStore final : public SettingsStore {
public:
    // No real settings file comes near this; a larger one counts as unreadable.
    static constexpr qint64 MaxBytes = qint64(4) << 20;

    explicit FileSettingsStore(QString path, const FileOpener& opener = FileOpener::standard());

    // KUGELO_SETTINGS when set, else Velmar/Kugelo/settings.json in the per-user configuration folder
    // (~/.config on Linux).
    static QString defaultPath();

    // Only reads: a damaged file stays where it is, and nothing is written (for tools that only look).
    void setReadOnly() { m_readOnly = true; }
    SettingsProblem problem() const override { return m_problem; }

    bool openKey(const QString& path, bool create) override;
    void closeKey() override;
    const SettingValue* find(const QString& name) const override;
    void write(const SettingValue& value) override;
    std::vector<SettingValue> values() const override;

private:
    // The file's text for a set of keys, and back; parse throws KugeloError with the reason.
    struct Key {
        QString path;
        std::vector<SettingValue> values;
    };
    static QByteArray serialize(const std::vector<Key>& keys);
    // Throws KugeloError when the text is no settings file; entries that cannot be read are left out and
    // named in badEntries.
    static std::vector<Key> parse(const QByteArray& text, QStringList* badEntries);
    // "<file>.corrupt", or ".corrupt.2" and so on when that exists.
    QString asideName() const;
    void load();

    QString m_path;
    const FileOpener& m_opener;
    SettingsProblem m_problem;
    std::vector<Key> m_keys;
    int m_open = -1;
    bool m_loaded = false;
    bool m_dirty = false;
    bool m_readOnly = false; // set by the caller, or for a damaged file that could not be moved aside
};

} // namespace kugelo
