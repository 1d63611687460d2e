// The four roads by which a file reaches the main window, closing, saving and the file
// navigation.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "app/AppStatusLog.h"
#include "app/AppStrings.h"
#include "app/CLogViewerDlg.h"
#include "app/CQtSettingsStore.h"
#include "app/LocalFileName.h"
#include "viewmodel/BannerText.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
std::string ToLocal(const QString& path) {
    return localname::EncodeStd(path);
}
QString FromLocal(const std::string& path) {
    return localname::Decode(path);
}
// The file a drop offers: the first of the dropped files, and only one on this machine (a remote
// address would have to be fetched first, which the viewer does not do).
QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return QString();
    const QUrl first = data->urls().constFirst();
    return first.isLocalFile() ? first.toLocalFile() : QString();
}
} // namespace

bool CLogViewerDlg::AskYesNo(const QString& text) {
    if (m_askHook)
        return m_askHook(text);
    return QMessageBox::warning(this, QLatin1String(kProgramTitle), text,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::Yes) == QMessageBox::Yes;
}

void CLogViewerDlg::Warn(const QString& text) {
    if (m_warnHook) {
        m_warnHook(text);
        return;
    }
    QMessageBox::warning(this, QLatin1String(kProgramTitle), text);
}

void CLogViewerDlg::OpenAtStart(const QString& path) {
    QTimer::singleShot(0, this, [this, path] { OpenFile(path, Source::External); });
}

void CLogViewerDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CLogViewerDlg::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The program the file came from waits until the drop is answered; the save question and
    // the load come after that, on the same road as File > Open (the loader decides whether the
    // file is a log).
    QTimer::singleShot(0, this, [this, path] { OpenFile(path, Source::External); });
}

bool CLogViewerDlg::OfferToSave(bool clearOnNo) {
    if (!m_ctx.IsLoaded())
        return true;
    // A value still held by a control counts as an edit: it must be asked about, not lost.
    m_ctx.CommitPendingEdits();
    if (!m_ctx.IsModified())
        return true;
    if (AskYesNo(Str(appstr::kSaveQuestion)))
        return OnFileSave(); // a save that failed keeps the dive and its edits where they are
    if (clearOnNo)
        m_ctx.DiscardEdits();
    return true;
}

bool CLogViewerDlg::ReleaseCurrentFile(Source source) {
    if (!m_ctx.IsLoaded())
        return true;
    m_ctx.SetLoading(true);
    if (!OfferToSave(source == Source::Recent)) {
        m_ctx.SetLoading(false);
        return false;
    }
    m_ctx.Unload();
    RefreshAll();
    return true;
}

void CLogViewerDlg::OnFileOpen() {
    // The file shown goes first (after the chance to save), so cancelling the dialog leaves the
    // window empty.
    if (!ReleaseCurrentFile(Source::Dialog))
        return;
    QString path;
    if (m_openHook) {
        path = m_openHook();
    } else {
        QFileDialog dialog(this, Str(appstr::kOpenTitle), FromLocal(m_strDefaultDirectory),
                           Str(appstr::kOpenFilter) + QStringLiteral(";;*"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
        dialog.setDefaultSuffix(QStringLiteral("ccl"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().constFirst();
    }
    if (path.isEmpty()) {
        // Nothing is being loaded after all: the navigation follows the empty window.
        m_ctx.SetLoading(false);
        RefreshNavigation();
        return;
    }
    OpenFile(path, Source::Dialog);
}

bool CLogViewerDlg::OpenFile(const QString& given, Source source) {
    if (!ReleaseCurrentFile(source))
        return false;
    // A name relative to where the program was started would mean another file in the recent
    // list and the default folder tomorrow.
    const QString path = localname::Absolute(given);
    const std::string localPath = ToLocal(path);
    switch (source) {
    case Source::Dialog:
        TheStatusLog().Write("User selected file %s", localPath.c_str());
        AddRecentFile(path);
        break;
    case Source::Recent:
        TheStatusLog().WriteLevel(StatusLog::kProgress, "User selected file via MRU %s",
                                  localPath.c_str());
        break;
    case Source::External:
        TheStatusLog().Write("User selected file %s via external method", localPath.c_str());
        AddRecentFile(path);
        break;
    case Source::Navigation:
        break;
    }
    SetDefaultDirectory(filenav::DirectoryPart(localPath));

    CLoadOptions options;
    options.messageLevel = TheStatusLog().MessageLevel();
    options.observer = StatusLogObserver();
    options.key = m_binaryKey;
    const CLoadResult result = m_ctx.Load(localPath, options);
    RefreshAll();
    if (result.messageId != 0) {
        QString text = Str(result.messageId);
        if (!result.reason.empty())
            text += QStringLiteral("\n\n") + FromLocal(result.reason);
        Warn(text);
    }
    return result.loaded;
}

void CLogViewerDlg::OnFileClose() {
    if (!OfferToSave(false))
        return;
    m_ctx.Unload();
    RefreshAll();
}

bool CLogViewerDlg::OnFileSave() {
    if (!m_ctx.IsLoaded())
        return false;
    const QString unstorable = m_ctx.CommitPendingEdits();
    if (!unstorable.isEmpty())
        Warn(Str(appstr::kUnstorableCharacters).replace(QLatin1String("%s"), unstorable));
    const CSaveResult result =
        m_ctx.Save(m_saveHook ? m_saveHook : [](CDiveLog& log) { return SaveLogFile(log); });
    if (!result.ok) {
        if (!result.error.empty())
            TheStatusLog().WriteText(result.error);
        if (result.messageId != 0)
            Warn(Str(result.messageId) +
                 (result.reason.empty() ? QString() : "\n\n" + FromLocal(result.reason)));
        return false;
    }
    if (!result.notice.empty())
        TheStatusLog().WriteText(result.notice);
    return true;
}

void CLogViewerDlg::Navigate(filenav::Step step) {
    if (!m_ctx.IsLoaded())
        return;
    // A step that leads nowhere leaves the file shown alone.
    const int target = filenav::StepTarget(step, m_nFileIndex, int(m_arFileNames.size()));
    if (target < 0)
        return;
    const std::string path = filenav::Join(m_strDefaultDirectory, m_arFileNames[size_t(target)]);
    OpenFile(FromLocal(path), Source::Navigation);
}

void CLogViewerDlg::SetDefaultDirectory(const std::string& directory) {
    m_strDefaultDirectory = directory;
    if (!m_bSettingsReadOnly) {
        CViewerPreferences viewer = m_ctx.Settings().Viewer();
        viewer.m_strDefaultDirectory = directory;
        m_ctx.SetViewer(viewer);
    }
}

void CLogViewerDlg::AddRecentFile(const QString& path) {
    if (m_bSettingsReadOnly)
        return;
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFiles)
        m_recentFiles.removeLast();
    QSettings& profile = AppSettings();
    for (int i = 0; i < kRecentFiles; ++i) {
        const QString key = QStringLiteral("Recent File List/File%1").arg(i + 1);
        if (i < m_recentFiles.size())
            profile.setValue(key, localname::ToSetting(m_recentFiles[i]));
        else
            profile.remove(key);
    }
    if (m_pFileMenu)
        BuildRecentMenu();
}
