#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kugelo::fuzz {

void broken(const char* file, int line, const QString& what) {
    std::fprintf(stderr, "\n==== contract broken (%s:%d): %s\n", file, line, what.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

const QString& scratch() {
    static std::unique_ptr<QTemporaryDir> dir;
    static QString path;
    if (!dir) {
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/kugelo-fuzz-XXXXXX"));
        if (!dir->isValid()) broken(__FILE__, __LINE__, QStringLiteral("no scratch folder in ") + base);
        path = dir->path() + QLatin1Char('/');
        // libFuzzer leaves through exit(); the folder goes with the process.
        std::atexit([] { dir.reset(); });
    }
    return path;
}

QString writeScratch(const QString& name, const QByteArray& bytes) {
    const QString path = scratch() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        broken(__FILE__, __LINE__, QStringLiteral("cannot write ") + path);
    return path;
}

QByteArray readScratch(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString drawProblem(const DrawRecord& r) {
    if (!std::isfinite(r.Datum) || r.Datum != std::floor(r.Datum))
        return QStringLiteral("the date %1 is not a whole day").arg(r.Datum);
    for (int i = 0; i < 5; ++i) {
        if (r.Zahl[i] < 1 || r.Zahl[i] > 49)
            return QStringLiteral("main number %1 outside 1..49").arg(int(r.Zahl[i]));
        if (i > 0 && r.Zahl[i] <= r.Zahl[i - 1])
            return QStringLiteral("main numbers not five different ascending numbers");
    }
    if (r.Zahl[5] != 0 || r.Zahl[7] != 0) return QStringLiteral("reserved bytes 13/15 not zero");
    if (r.chance() < 1 || r.chance() > 10)
        return QStringLiteral("n° CHANCE %1 outside 1..10").arg(int(r.chance()));
    for (std::uint8_t d : r.Ziffern)
        if (d > 9) return QStringLiteral("a digit byte of %1").arg(int(d));
    return {};
}

QString describe(const DrawRecord& r) {
    return QStringLiteral("day %1: %2 %3 %4 %5 %6 / %7 / %8")
        .arg(r.Datum)
        .arg(int(r.Zahl[0]))
        .arg(int(r.Zahl[1]))
        .arg(int(r.Zahl[2]))
        .arg(int(r.Zahl[3]))
        .arg(int(r.Zahl[4]))
        .arg(int(r.chance()))
        .arg(r.digits());
}

bool inDateOrder(const std::vector<DrawRecord>& records) {
    for (std::size_t i = 1; i < records.size(); ++i)
        if (!(records[i - 1].Datum <= records[i].Datum)) return false;
    return true;
}

} // namespace kugelo::fuzz
