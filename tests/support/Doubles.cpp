#include "Doubles.h"

#include "platform/Errors.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace kugelo::test {

bool ScriptedDialogs::question(const QString& caption, const QString& text) {
    questions << caption + QLatin1Char('|') + text;
    if (onQuestion) onQuestion();
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::input(const QString& caption, const QString& prompt, const QString& proposed) {
    prompts << caption + QLatin1Char('|') + prompt;
    if (inputs.empty()) return proposed;
    QString text = inputs.front();
    inputs.pop_front();
    return text;
}

QString ScriptedDialogs::openFileName(const FileDialogOptions& options) {
    fileDialogs << options;
    if (fileNames.empty()) return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::saveFileName(const FileDialogOptions& options) {
    return openFileName(options);
}

QStringList ScriptedDialogs::openFileNames(const FileDialogOptions& options) {
    const QString names = openFileName(options);
    return names.isEmpty() ? QStringList() : names.split(QLatin1Char('\n'));
}

namespace {

// A file device that stops reading and writing after a budget of bytes.
class BudgetDevice final : public QIODevice {
public:
    BudgetDevice(std::unique_ptr<QIODevice> inner, qint64 readBudget, qint64 writeBudget)
        : m_inner(std::move(inner)), m_readBudget(readBudget), m_writeBudget(writeBudget) {}

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_inner->size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_inner->seek(pos); }
    void close() override {
        m_inner->close();
        QIODevice::close();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (m_readBudget >= 0) {
            if (m_readBudget == 0) {
                setErrorString(QStringLiteral("simulated read failure"));
                return -1;
            }
            maxSize = std::min(maxSize, m_readBudget);
        }
        const qint64 n = m_inner->read(data, maxSize);
        if (m_readBudget > 0 && n > 0) m_readBudget -= n;
        return n;
    }
    qint64 writeData(const char* data, qint64 maxSize) override {
        if (m_writeBudget >= 0) {
            if (m_writeBudget == 0) {
                setErrorString(QStringLiteral("simulated write failure (disk full)"));
                return -1;
            }
            maxSize = std::min(maxSize, m_writeBudget);
        }
        const qint64 n = m_inner->write(data, maxSize);
        if (m_writeBudget > 0 && n > 0) m_writeBudget -= n;
        return n;
    }

private:
    std::unique_ptr<QIODevice> m_inner;
    qint64 m_readBudget;
    qint64 m_writeBudget;
};

} // namespace

std::unique_ptr<QIODevice> FailingOpener::open(const QString& path, QIODevice::OpenMode mode) const {
    auto device = std::make_unique<BudgetDevice>(FileOpener::standard().open(path, mode), failReadAfter,
                                                 failWriteAfter);
    device->open(mode & ~QIODevice::Truncate);
    return device;
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    // Without the signal ignored, the system would end the process instead of failing the write.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

QString FileSizeLimit::reason() {
    return QString::fromLocal8Bit(std::strerror(EFBIG));
}

bool MemorySettingsStore::openKey(const QString& path, bool create) {
    if (!keys.count(path) && !create) return false;
    keys[path];
    open = path;
    return true;
}

const SettingValue* MemorySettingsStore::find(const QString& name) const {
    const auto key = keys.find(open);
    return open.isEmpty() || key == keys.end() ? nullptr : findIn(key->second, name);
}

void MemorySettingsStore::write(const SettingValue& value) {
    if (open.isEmpty()) throw IoError(QStringLiteral("no key open"));
    if (failWritesAfter >= 0 && writes >= failWritesAfter)
        throw IoError(QStringLiteral("the store takes no more"));
    ++writes;
    putIn(keys[open], value);
}

std::vector<SettingValue> MemorySettingsStore::values() const {
    const auto key = keys.find(open);
    return key == keys.end() ? std::vector<SettingValue>{} : key->second;
}

} // namespace kugelo::test
