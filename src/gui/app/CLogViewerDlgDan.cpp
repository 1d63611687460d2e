// Help > Email This File To DAN: the diver's details through the wizard, the export file beside
// the log, and the mail that carries it.
#include <QFile>

#include "app/AppStatusLog.h"
#include "app/CLogViewerDlg.h"
#include "app/CMailClient.h"
#include "dan/DanClock.h"
#include "dan/DanExport.h"
#include "dan/DanStrings.h"
#include "wizard/CDANWizard.h"

void CLogViewerDlg::OnMailDan() {
    const CDiveLog& log = m_ctx.Log();
    if (!log.m_bFileLoaded)
        return;

    // The store may have changed since the last export (another window, another tool): the
    // wizard starts from what it holds now.
    m_ctx.ReloadDanDetails();
    CDANWizard wizard(m_ctx.Settings().Dan(), this);
    if (RunDialog(wizard) != QDialog::Accepted)
        return;
    // Only the values the diver changed are written back.
    m_ctx.SetDanDetails(wizard.Details());
    m_danAnswers = wizard.Answers();

    CDanExportData data;
    data.details = m_ctx.Settings().Dan();
    data.answers = m_danAnswers;
    data.strTimeStamp = DanTimeStamp(DanExportClock());
    const CDanWriteResult written = WriteDanFile(log.m_nFileKind, log.m_strFilePath, data);
    if (!written.ok) {
        TheStatusLog().Write("Unable to write DAN file %s", written.error.c_str());
        if (written.messageId != 0)
            Warn(CViewerContext::Str(written.messageId));
        return;
    }
    m_strDanFilePath = QFile::decodeName(QByteArray::fromStdString(written.strDanFilePath));
    TheStatusLog().Write("DAN file written %s", written.strDanFilePath.c_str());

    CMailMessage message;
    message.subject = CViewerContext::Str(danstr::kMailSubject);
    message.body = CViewerContext::Str(danstr::kMailBody);
    message.recipient = m_strDanMailAddress;
    message.attachment = m_strDanFilePath;
    SendMailMessage(message);
}
