// The printing commands of the main window: the menu items, the log book's Print button and what
// the reports are made from.
#include <QAction>
#include <QMenu>

#include "app/AppStrings.h"
#include "app/CLogViewerDlg.h"
#include "print/CPrintCommands.h"
#include "report/ReportStrings.h"
#include "views/CDiveLogBook.h"
#include "views/CDiveProfile.h"

void CLogViewerDlg::BuildPrintMenus(QMenu* file, QMenu* print) {
    CPrintCommands* jobs = m_pPrint;
    auto add = [&](QMenu* menu, int command, const QString& text, auto run) {
        QAction* action = menu->addAction(text);
        action->setData(command);
        connect(action, &QAction::triggered, this, run);
        m_actions[command] = action;
    };
    const auto str = [](int id) { return CViewerContext::Str(id); };
    add(print, kCmdPrintInformation, str(appstr::kMenuPrintInformation),
        [jobs] { jobs->PrintReport(EReport::Information); });
    add(print, kCmdPrintProfile, str(appstr::kMenuPrintProfile),
        [jobs] { jobs->PrintReport(EReport::Profile); });
    QMenu* preview = file->addMenu(str(report::kMenuPrintPreview));
    add(preview, kCmdPreviewInformation, str(appstr::kMenuPrintInformation),
        [jobs] { jobs->Preview(EReport::Information); });
    add(preview, kCmdPreviewProfile, str(appstr::kMenuPrintProfile),
        [jobs] { jobs->Preview(EReport::Profile); });
    add(preview, kCmdPreviewLogBook, str(report::kReportLogBook),
        [jobs] { jobs->Preview(EReport::LogBook); });
    add(file, kCmdPrinterSetup, str(appstr::kMenuPrinterSetup), [jobs] { jobs->PrinterSetup(); });
    QMenu* exportMenu = file->addMenu(str(report::kMenuExport));
    add(exportMenu, kCmdExportReportPdf, str(report::kMenuExportPdf),
        [jobs] { jobs->ExportPdf(); });
}

CReportInput CLogViewerDlg::ReportInput() const {
    CReportInput input;
    input.log = &m_ctx.Log();
    input.metric = m_ctx.IsMetric();
    input.banner = BannerText().toLatin1().toStdString();
    if (auto* profile = qobject_cast<CDiveProfile*>(Page(0)))
        input.chart = profile->Chart().State();
    if (auto* book = qobject_cast<CDiveLogBook*>(Page(4))) {
        input.logBookHeaders = book->Headers();
        input.logBookRows = book->RowTexts();
    }
    return input;
}

void CLogViewerDlg::RestorePrinter(const CPrinterConfig& config, const QStringList& installed) {
    m_pPrint->Restore(config, installed);
}

void CLogViewerDlg::SetMessageHook(std::function<void(const QString&)> hook) {
    m_warnHook = hook;
    m_pPrint->SetMessageHook(std::move(hook));
}

void CLogViewerDlg::SetDialogHook(std::function<int(QDialog&)> hook) {
    m_dialogHook = hook;
    m_pPrint->SetDialogHook(std::move(hook));
}
