#include "platform/Home.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace kugelo {

namespace {
QString withSlash(QString folder) {
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}
} // namespace

bool folderIsWritable(const QString& folder) {
    if (folder.isEmpty() || !QDir(folder).exists()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kugelo-write-test-XXXXXX")));
    return probe.open();
}

QString resolveHome(const QString& executableFolder, const QProcessEnvironment& env) {
    const QString configured = env.value(QStringLiteral("KUGELO_HOME"));
    if (!configured.isEmpty()) {
        QDir().mkpath(configured);
        return withSlash(configured);
    }
    if (folderIsWritable(executableFolder)) return withSlash(executableFolder);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return withSlash(userFolder);
}

} // namespace kugelo
