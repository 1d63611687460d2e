// File > Export > UDDF...: the menu item, the save dialog's answers and what lands on disk.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include "GuiTestEnv.h"
#include "app/CLogViewerDlg.h"
#include "app/CQtSettingsStore.h"

namespace {

QMenu* SubMenu(QMenu* menu, const QString& title) {
    for (QAction* a : menu->actions()) {
        if (a->menu() && a->text() == title)
            return a->menu();
    }
    return nullptr;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ExportUddf, KeyboardThroughTheFileMenuWritesTheLoadedDive) {
    AppSettings().clear();
    const QString dir = guitest::NewFolder("export_uddf");
    const QString log = guitest::WriteLog(dir, "ZV1_0007.ccl", true, 7);
    CLogViewerDlg window;
    QString suggested;
    QString chosen = dir + "/season";
    window.SetUddfDialogHook([&](const QString& path) {
        suggested = path;
        return chosen;
    });
    QMenu* file = window.menuBar()->actions().at(0)->menu();
    QMenu* exportMenu = SubMenu(file, "&Export");
    ASSERT_NE(exportMenu, nullptr);
    QAction* uddf = window.Action(CLogViewerDlg::kCmdExportUddf);
    ASSERT_TRUE(exportMenu->actions().contains(uddf));
    window.UpdateCommandStates();
    EXPECT_FALSE(uddf->isEnabled()) << "nothing to export without a dive";

    window.OpenFile(log, CLogViewerDlg::Source::External);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    exportMenu->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(exportMenu));
    EXPECT_TRUE(uddf->isEnabled());
    QTest::keyClick(exportMenu, Qt::Key_U);

    EXPECT_EQ(suggested, dir + "/ZV1_0007.uddf");
    const QByteArray xml = ReadAll(chosen + ".uddf");
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf"));
    EXPECT_TRUE(xml.contains("<internaldivenumber>7</internaldivenumber>"));
    EXPECT_TRUE(xml.trimmed().endsWith("</uddf>"));
    EXPECT_TRUE(guitest::StatusLogText().contains("UDDF export written to " + chosen + ".uddf"));
}

TEST(ExportUddf, CancelWritesNothingAndAFailureIsShown) {
    AppSettings().clear();
    const QString dir = guitest::NewFolder("export_uddf_fail");
    CLogViewerDlg window;
    QStringList messages;
    window.SetMessageHook([&](const QString& t) { messages << t; });
    window.OpenFile(guitest::WriteLog(dir, "ZV1_0001.ccl"), CLogViewerDlg::Source::External);
    window.SetUddfDialogHook([](const QString&) { return QString(); });
    window.Action(CLogViewerDlg::kCmdExportUddf)->trigger();
    EXPECT_FALSE(QFile::exists(dir + "/ZV1_0001.uddf"));
    EXPECT_TRUE(messages.isEmpty());

    // A folder that does not exist cannot take the file.
    window.SetUddfDialogHook([dir](const QString&) { return dir + "/no/such/dive.uddf"; });
    window.Action(CLogViewerDlg::kCmdExportUddf)->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("The UDDF file could not be written:\n"))
        << messages[0].toStdString();
}
