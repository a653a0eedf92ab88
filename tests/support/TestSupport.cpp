#include "TestSupport.h"

#include "draws/DrawFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace kugelo::test {

FeedingFifo::FeedingFifo(const QString& path, const QByteArray& bytes, int waitMs) {
    const QByteArray name = QFile::encodeName(path);
    m_made = ::mkfifo(name.constData(), 0600) == 0;
    if (!m_made) return;
    m_writer = std::thread([this, name, bytes, waitMs] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (!m_stop && std::chrono::steady_clock::now() < end) {
            // Without a reader a non-blocking open for writing fails: the writer never waits on its own.
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_read = true;
                [[maybe_unused]] const ssize_t written =
                    ::write(fd, bytes.constData(), std::size_t(bytes.size()));
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

FeedingFifo::~FeedingFifo() {
    m_stop = true;
    if (m_writer.joinable()) m_writer.join();
}

DrawRecord toRecord(const DrawRow& row) {
    std::array<std::uint8_t, 7> digits{};
    for (int i = 0; i < 7 && row.digits[i]; ++i)
        digits[i] = static_cast<std::uint8_t>(row.digits[i] - '0');
    return makeDrawRecord(QDate::fromString(QLatin1String(row.date), QStringLiteral("yyyy-MM-dd")),
                          row.numbers, row.chance, digits);
}

std::vector<DrawRecord> toRecords(std::initializer_list<DrawRow> rows) {
    std::vector<DrawRecord> records;
    for (const DrawRow& row : rows)
        records.push_back(toRecord(row));
    return records;
}

void addImpossibleDrawRows() {
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("main number 0") << QList<int>{0, 7, 20, 33, 46, 3};
    QTest::newRow("main number 50") << QList<int>{7, 20, 33, 46, 50, 3};
    QTest::newRow("a main number twice") << QList<int>{7, 7, 7, 7, 7, 3};
    QTest::newRow("n° CHANCE 0") << QList<int>{7, 20, 33, 46, 49, 0};
    QTest::newRow("n° CHANCE 11") << QList<int>{7, 20, 33, 46, 49, 11};
}

DrawRecord impossibleRecord(const char* date, const QList<int>& numbers) {
    DrawRecord r = toRecord({date, {1, 2, 3, 4, 5}, 1});
    for (int i = 0; i < 5; ++i)
        r.Zahl[std::size_t(i)] = std::uint8_t(numbers[i]);
    r.Zahl[6] = std::uint8_t(numbers[5]);
    return r;
}

TempHome::TempHome() : m_path(m_dir.path() + QLatin1Char('/')) {}

void TempHome::writeDraws(std::initializer_list<DrawRow> rows, const QByteArray& trailing) const {
    writeBytes(QStringLiteral("Kugelo.dat"), encodeDrawRecords(toRecords(rows)) + trailing);
}

void TempHome::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(f.fileName()));
}

QByteArray TempHome::readBytes(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read test file %s", qPrintable(f.fileName()));
    return f.readAll();
}

QString realHistoryCsv() {
    const QString folder = qEnvironmentVariable("KUGELO_SHARED_DATA");
    const QString path = folder + QStringLiteral("/loto-history.csv");
    return (!folder.isEmpty() && QFileInfo::exists(path)) ? path : QString();
}

std::vector<HistoryRow> readHistoryRows(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    file.readLine(); // header
    std::vector<HistoryRow> rows;
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split(',');
        if (f.size() < 8) continue;
        rows.push_back({QDate::fromString(QString::fromLatin1(f[0]), Qt::ISODate),
                        {f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt()},
                        f[6].toInt(),
                        f[7]});
    }
    return rows;
}

std::vector<DrawRecord> readHistoryCsv(const QString& path) {
    std::vector<DrawRecord> records;
    for (const HistoryRow& row : readHistoryRows(path)) {
        std::array<std::uint8_t, 7> digits{};
        for (int i = 0; i < 7 && i < row.joker.size(); ++i)
            digits[std::size_t(i)] = static_cast<std::uint8_t>(row.joker[i] - '0');
        records.push_back(makeDrawRecord(row.date, row.numbers, row.chance, digits));
    }
    return records;
}

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool endsWithoutWaiting(const QString& fifo, const std::function<void()>& work) {
    std::future<void> done = std::async(std::launch::async, work);
    const bool ended = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!ended && !fifo.isEmpty()) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    done.get();
    return ended;
}

} // namespace kugelo::test
