#include "lang/LanguageDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef ZELVOR_LANG_INSTALL_DIR
#define ZELVOR_LANG_INSTALL_DIR "lib/zelvor-log-viewer/lang"
#endif

QString LanguageDirectory(const QString& programDir, const QString& environmentValue) {
    if (!environmentValue.isEmpty())
        return environmentValue;
    // The install rules put the program in <prefix>/bin and the language files in
    // <prefix>/ZELVOR_LANG_INSTALL_DIR.
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../") +
                                              QStringLiteral(ZELVOR_LANG_INSTALL_DIR));
    if (QFileInfo(installed).isDir())
        return installed;
    return programDir;
}

QString LanguageDirectory() {
    return LanguageDirectory(QCoreApplication::applicationDirPath(),
                             qEnvironmentVariable("ZELVOR_LANG_DIR"));
}
