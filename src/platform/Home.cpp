#include "platform/Home.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef KUGELO_DATA_FROM_BIN
#define KUGELO_DATA_FROM_BIN "../share/kugelo"
#endif

namespace kugelo {

namespace {
QString withSlash(QString folder) {
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

QString shareFolder(const QString& executableFolder) {
    return QDir::cleanPath(QDir(executableFolder).absoluteFilePath(QStringLiteral(KUGELO_DATA_FROM_BIN)));
}
} // namespace

bool runsInstalled(const QString& executableFolder) {
    if (executableFolder.isEmpty() ||
        QFileInfo(QDir(executableFolder).filePath(QStringLiteral("Land"))).isDir())
        return false;
    return QFileInfo(shareFolder(executableFolder)).isDir();
}

QString programDataFolder(const QString& executableFolder) {
    return runsInstalled(executableFolder) ? shareFolder(executableFolder) : executableFolder;
}

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
    // An installed program keeps the player's files apart from the installation, writable or not.
    if (!runsInstalled(executableFolder) && folderIsWritable(executableFolder))
        return withSlash(executableFolder);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return withSlash(userFolder);
}

} // namespace kugelo
