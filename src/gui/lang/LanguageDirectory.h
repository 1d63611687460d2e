#pragma once
// Where the viewer looks for its language files (*.so).
#include <QString>

// $ZELVOR_LANG_DIR when it is set and not empty; else, for an installed viewer, the language
// folder of the installation, found from the program's own folder (bin/ beside lib/), so the
// installation can live under any prefix; else the program's folder itself, where a build puts
// them.
QString LanguageDirectory(const QString& programDir, const QString& environmentValue);

// The same for the running program: QCoreApplication::applicationDirPath() and the environment.
QString LanguageDirectory();
