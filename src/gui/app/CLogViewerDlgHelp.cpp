// The Help menu (the help window, the About box, mailing the log file) and the Chart Options
// dialog.
#include <QApplication>
#include <QFile>

#include "app/AppStrings.h"
#include "app/CAboutDlg.h"
#include "app/CHelpWindow.h"
#include "app/CLogViewerDlg.h"
#include "app/CMailClient.h"
#include "views/CChartOptions.h"
#include "views/CDiveProfile.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
} // namespace

void CLogViewerDlg::OnHelpContents() {
    if (!m_pHelp)
        m_pHelp = new CHelpWindow(this);
    m_pHelp->ShowContents();
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

int CLogViewerDlg::RunDialog(QDialog& dialog) {
    return m_dialogHook ? m_dialogHook(dialog) : dialog.exec();
}

void CLogViewerDlg::OnAbout() {
    CAboutDlg about(this);
    RunDialog(about);
}

void CLogViewerDlg::OnChartOptions() {
    CChartOptions options(m_ctx, this);
    if (RunDialog(options) == QDialog::Accepted) {
        if (auto* profile = qobject_cast<CDiveProfile*>(Page(0)))
            profile->ApplyTraceSettings();
    }
}

void CLogViewerDlg::OnMailZelvor() {
    const CDiveLog& log = m_ctx.Log();
    if (!log.m_bFileLoaded || !m_mail)
        return;
    CMailMessage message;
    message.subject = Str(appstr::kMailSubject);
    message.body = Str(appstr::kMailBody);
    message.recipient = m_strZelvorMailAddress;
    message.attachment = QFile::decodeName(QByteArray::fromStdString(log.m_strFilePath));
    SendMailMessage(message);
}

void CLogViewerDlg::SendMailMessage(const CMailMessage& message) {
    if (!m_mail)
        return;
    // The mail program runs modally: the window takes no input until it has the message.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    const CMailClient::Result result = m_mail->Send(message);
    setEnabled(true);
    QApplication::restoreOverrideCursor();
    activateWindow();

    switch (result) {
    case CMailClient::Result::Sent:
        break;
    case CMailClient::Result::NoSupport:
        Warn(Str(appstr::kMailNoSupport));
        break;
    case CMailClient::Result::Invalid:
        Warn(Str(appstr::kMailInvalid));
        break;
    case CMailClient::Result::Failed:
        Warn(Str(appstr::kMailFailed));
        break;
    }
}
