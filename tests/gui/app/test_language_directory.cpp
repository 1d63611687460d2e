#include <QDir>
#include <gtest/gtest.h>

#include "GuiTestEnv.h"
#include "lang/LanguageDirectory.h"

// ---- LanguageDirectory ---------------------------------------------------------------------

// An installed viewer under any prefix finds the language folder beside its bin/; a viewer run
// from the build folder (no such folder) looks beside itself; the environment overrides both.
TEST(LanguageDirectory, InstalledLayoutBuildFolderAndEnvironment) {
    const QString prefix = guitest::NewFolder(QStringLiteral("prefix"));
    const QString bin = prefix + QStringLiteral("/bin");
    QDir().mkpath(bin);

    EXPECT_EQ(LanguageDirectory(bin, QString()), bin);

    const QString lang = prefix + QStringLiteral("/lib/zelvor-log-viewer/lang");
    QDir().mkpath(lang);
    EXPECT_EQ(LanguageDirectory(bin, QString()), lang);
    EXPECT_EQ(LanguageDirectory(bin + QStringLiteral("/"), QString()), lang);

    EXPECT_EQ(LanguageDirectory(bin, QStringLiteral("/opt/lang")), QStringLiteral("/opt/lang"));
}
