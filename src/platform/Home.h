#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace kugelo {

// The folder of the draw file, reports and tip folders, always ending with '/':
// KUGELO_HOME when set; else the folder of the executable when files can be created there; else the
// per-user data folder (created when missing).
QString resolveHome(const QString& executableFolder,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// True when a file can be created in the folder.
bool folderIsWritable(const QString& folder);

} // namespace kugelo
