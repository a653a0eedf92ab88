#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace kugelo {

// The folder of what ships with the program (Land/, the win sound, the public draw history): the folder of
// the executable, where the build copies them; for an installed program, whose executable folder has no
// Land/, the program's share folder beside it (bin/../share/kugelo) when that is there.
QString programDataFolder(const QString& executableFolder);

// True when the program runs installed: its shipped files come from the share folder, not from the folder
// of the executable.
bool runsInstalled(const QString& executableFolder);

// The folder of the draw file, reports and tip folders, always ending with '/':
// KUGELO_HOME when set; else, for a program run from its build folder, the folder of the executable when
// files can be created there; else (an installed program, or a folder without write access) the per-user
// data folder (created when missing).
QString resolveHome(const QString& executableFolder,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// True when a file can be created in the folder.
bool folderIsWritable(const QString& folder);

} // namespace kugelo
