#pragma once
// The program's only top-level window: menu, banner, the five dive pages and the buttons that step
// through the other logs of the same unit. It owns the dive model (through the viewer context)
// and carries out every command.
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CQtSettingsStore.h"
#include "app/CViewerContext.h"
#include "dan/CDanAnswers.h"
#include "logfile/LogSaver.h"
#include "print/ReportRender.h"
#include "viewmodel/FileNavigation.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class CDivePage;
class CHelpWindow;
class CLanguageSwitch;
class CMailClient;
struct CMailMessage;
class CPrintCommands;
struct CPrinterConfig;

class CLogViewerDlg : public QMainWindow {
    Q_OBJECT
public:
    // Command numbers of the menu; tests and the language switch find actions by them.
    enum Command {
        kCmdOpen = 57601,
        kCmdClose = 57602,
        kCmdSave = 57603,
        kCmdPrintInformation = 32781,
        kCmdPrintProfile = 32782,
        kCmdPrinterSetup = 32790,
        kCmdRecentFile = 57616,
        kCmdExit = 32771,
        kCmdChartOptions = 32801,
        kCmdMetric = 32804,
        kCmdImperial = 32805,
        kCmdSelectLanguage = 32799,
        kCmdRightClickMenu = 32816,
        kCmdHelpContents = 32777,
        kCmdMailZelvor = 32783,
        kCmdMailDan = 32818,
        kCmdAbout = 32772,
        kCmdPreviewInformation = 32950,
        kCmdPreviewProfile = 32951,
        kCmdPreviewLogBook = 32952,
        kCmdExportReportPdf = 32953,
        kCmdExportUddf = 32840,
    };
    // How a file reached the window; decides the status-log line and the recent-file list.
    enum class Source { Dialog, Recent, External, Navigation };
    static constexpr int kRecentFiles = 4;

    explicit CLogViewerDlg(QWidget* parent = nullptr);
    ~CLogViewerDlg() override;

    CViewerContext& Context() { return m_ctx; }
    QTabWidget* Pages() const { return m_pPages; }
    CDivePage* Page(int index) const;
    QAction* Action(int command) const;

    // The file given on the command line: opened once the window runs.
    void OpenAtStart(const QString& path);

    // The commands.
    void OnFileOpen();
    bool OpenFile(const QString& given, Source source);
    void OnFileClose();
    bool OnFileSave();
    void Navigate(filenav::Step step);
    void SetUnits(bool metric);
    void ToggleChartRightClickMenu();
    void OnChartOptions();
    void OnHelpContents();
    void OnMailZelvor();
    // Help > Email This File To DAN: wizard, export file, mail.
    void OnMailDan();
    const CDanAnswers& DanAnswers() const { return m_danAnswers; }
    QString DanFilePath() const { return m_strDanFilePath; }
    void OnAbout();
    // Tools > Select Language: the dialog, then the switch and the new texts everywhere.
    void OnSelectLanguage();
    CLanguageSwitch& Language() { return *m_pLanguage; }
    // File > Export > UDDF...: the loaded dive, with any unsaved edits, as a UDDF document.
    void OnExportUddf();

    // After a language change: the menu, tab titles, tooltips, every page's labels and the
    // banner take the new texts.
    void ReloadTexts();

    // Enabled and checked states of every menu item, as the menus show them.
    void UpdateCommandStates();
    void RefreshAll();

    QString BannerText() const;

    // Printing: the application's printer, restored at start and saved at exit, and what the
    // reports show at this moment.
    CPrintCommands& PrintCommands() { return *m_pPrint; }
    CReportInput ReportInput() const;
    void RestorePrinter(const CPrinterConfig& config, const QStringList& installed);
    QString CounterText() const;
    QStringList RecentFiles() const { return m_recentFiles; }
    const std::vector<std::string>& FileNames() const { return m_arFileNames; }
    int FileIndex() const { return m_nFileIndex; }
    QToolButton* NavigationButton(filenav::Step step) const;
    CHelpWindow* HelpWindow() const { return m_pHelp; }

    // Test hooks: the save question (true = Yes), warning boxes, the open dialog (empty =
    // cancel), the save itself and the mail program.
    void SetSaveQuestionHook(std::function<bool(const QString&)> hook) {
        m_askHook = std::move(hook);
    }
    void SetMessageHook(std::function<void(const QString&)> hook);
    void SetOpenDialogHook(std::function<QString()> hook) { m_openHook = std::move(hook); }
    // The UDDF export's save dialog; it gets the suggested path and returns the chosen one
    // (empty = cancel).
    void SetUddfDialogHook(std::function<QString(const QString&)> hook) {
        m_uddfHook = std::move(hook);
    }
    void SetSaveHook(std::function<CSaveResult(CDiveLog&)> hook) { m_saveHook = std::move(hook); }
    void SetMailClient(std::unique_ptr<CMailClient> client);
    // Modal dialogs (Chart Options, About) go to the hook instead of exec(); it returns the
    // dialog's result.
    void SetDialogHook(std::function<int(QDialog&)> hook);
    // Pictures for the documentation must not move the user's window next time.
    void SetSavePlacement(bool save) { m_bSavePlacement = save; }
    // A run that only takes a picture reads the user's settings but leaves them as they were:
    // no recent file, no default directory, no window placement.
    void SetSettingsReadOnly(bool readOnly) {
        m_bSettingsReadOnly = readOnly;
        m_bSavePlacement = m_bSavePlacement && !readOnly;
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    // A log file dropped onto the window opens as if chosen with File > Open.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenu();
    QMenu* BuildFileMenu();
    QMenu* BuildToolsMenu();
    QMenu* BuildHelpMenu();
    void BuildPrintMenus(QMenu* file, QMenu* print);
    void AddExportMenu(QMenu* file);
    QAction* AddCommand(QMenu* menu, int command, int textId, void (CLogViewerDlg::*slot)());
    void BuildRecentMenu();
    void BuildCentre();
    void CreatePages();
    void SetTexts();
    void RestorePlacement();
    void SavePlacement() const;

    void RefreshBannerAndTitle();
    void RefreshNavigation();
    void RefreshPages();
    void OnPageChanged(int index);

    // Step 1 of every road: the save question and the unload; the navigation stays up. False
    // when the road stops here: a save the diver chose failed, and the dive stays as it was.
    bool ReleaseCurrentFile(Source source);
    // Stores what the controls still hold, then asks the save question when the dive has edits.
    // False only when the diver chose to save and the save failed.
    bool OfferToSave(bool clearOnNo);
    void SetDefaultDirectory(const std::string& directory);
    void AddRecentFile(const QString& path);
    void NotAvailable();
    int RunDialog(QDialog& dialog);
    void SendMailMessage(const CMailMessage& message);

    bool AskYesNo(const QString& text);
    void Warn(const QString& text);

    CViewerContext m_ctx;
    QTabWidget* m_pPages = nullptr;
    std::vector<CDivePage*> m_arPages;
    QPushButton* m_pBanner = nullptr;
    QToolButton* m_pFirst = nullptr;
    QToolButton* m_pPrevious = nullptr;
    QToolButton* m_pNext = nullptr;
    QToolButton* m_pLast = nullptr;
    QLabel* m_pCounter = nullptr;
    QWidget* m_pNavigation = nullptr;
    std::vector<QMenu*> m_arMenus;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentAnchor = nullptr;
    std::vector<QAction*> m_arRecentActions;
    std::map<int, QAction*> m_actions;
    CHelpWindow* m_pHelp = nullptr;
    CPrintCommands* m_pPrint = nullptr;

    std::vector<std::string> m_arFileNames;
    int m_nFileIndex = -1;
    QStringList m_recentFiles;
    int m_nLastPage = 0;
    bool m_bSavePlacement = true;
    bool m_bSettingsReadOnly = false;
    std::string m_strDefaultDirectory; // "Default Directory", as read at start and set since

    // Where the settings live; read once at start into the context's groups and written by the
    // commands that change them.
    CQtSettingsStore m_store;
    // The language in use; it stores the choice through the context's settings.
    std::unique_ptr<CLanguageSwitch> m_pLanguage;
    CBinaryLogKey m_binaryKey;
    QString m_strZelvorMailAddress;
    QString m_strDanMailAddress;
    QString m_strDanFilePath;
    // The answers of the last export (the diver's details live in the settings).
    CDanAnswers m_danAnswers;

    std::unique_ptr<CMailClient> m_mail;
    std::function<bool(const QString&)> m_askHook;
    std::function<void(const QString&)> m_warnHook;
    std::function<QString()> m_openHook;
    std::function<QString(const QString&)> m_uddfHook;
    std::function<CSaveResult(CDiveLog&)> m_saveHook;
    std::function<int(QDialog&)> m_dialogHook;
};
