// File > Export: the loaded dive written out for other programs.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include "app/AppStatusLog.h"
#include "app/AppStrings.h"
#include "app/CLogViewerDlg.h"
#include "app/LocalFileName.h"
#include "report/ReportStrings.h"
#include "uddf/UddfExport.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
} // namespace

void CLogViewerDlg::AddExportMenu(QMenu* file) {
    // The print menus made the Export submenu for the PDF report; the UDDF item joins it.
    const QString title = Str(report::kMenuExport);
    QMenu* exportMenu = nullptr;
    for (QAction* a : file->actions()) {
        if (a->menu() && a->text() == title)
            exportMenu = a->menu();
    }
    if (!exportMenu)
        exportMenu = file->addMenu(title);
    AddCommand(exportMenu, kCmdExportUddf, appstr::kMenuExportUddf, &CLogViewerDlg::OnExportUddf);
}

void CLogViewerDlg::OnExportUddf() {
    const CDiveLog& log = m_ctx.Log();
    if (!log.m_bFileLoaded)
        return;
    // Beside the log, under its name: logbooks import whole folders of these.
    const QFileInfo source(localname::Decode(log.m_strFilePath));
    const QString suggested =
        source.absoluteDir().filePath(source.completeBaseName() + QStringLiteral(".uddf"));
    QString path = m_uddfHook
                       ? m_uddfHook(suggested)
                       : QFileDialog::getSaveFileName(this, Str(appstr::kExportUddfTitle),
                                                      suggested, Str(appstr::kExportUddfFilter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".uddf");
    const std::string localPath = localname::EncodeStd(path);
    std::string error;
    if (uddf::ExportUddfFile(localPath, log, CDateTime::Now(), error)) {
        TheStatusLog().Write("UDDF export written to %s", localPath.c_str());
        return;
    }
    TheStatusLog().Write("UDDF export to %s failed - %s", localPath.c_str(), error.c_str());
    QString text = Str(appstr::kExportUddfFailed);
    text.replace(QLatin1String("%s"), QString::fromLocal8Bit(error.c_str()));
    Warn(text);
}
