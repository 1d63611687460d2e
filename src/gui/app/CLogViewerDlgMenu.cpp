// The menu bar of the main window and the enabled/checked state of its items.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "app/AppStrings.h"
#include "app/CLogViewerDlg.h"
#include "viewmodel/BannerText.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
} // namespace

QAction* CLogViewerDlg::AddCommand(QMenu* menu, int command, int textId,
                                   void (CLogViewerDlg::*slot)()) {
    QAction* action = menu->addAction(Str(textId));
    action->setData(command);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    m_actions[command] = action;
    return action;
}

void CLogViewerDlg::BuildMenu() {
    // A rebuild (language change) replaces every menu.
    menuBar()->clear();
    for (QMenu* old : m_arMenus)
        old->deleteLater();
    m_arMenus.clear();
    m_actions.clear();
    m_arRecentActions.clear();
    m_arMenus.push_back(BuildFileMenu());
    menuBar()->addMenu(m_arMenus.back());
    QAction* chart = menuBar()->addAction(Str(appstr::kMenuChartOptions));
    chart->setData(int(kCmdChartOptions));
    connect(chart, &QAction::triggered, this, &CLogViewerDlg::OnChartOptions);
    m_actions[kCmdChartOptions] = chart;
    m_arMenus.push_back(BuildToolsMenu());
    menuBar()->addMenu(m_arMenus.back());
    m_arMenus.push_back(BuildHelpMenu());
    menuBar()->addMenu(m_arMenus.back());
    for (QMenu* menu : m_arMenus) {
        connect(menu, &QMenu::aboutToShow, this, &CLogViewerDlg::UpdateCommandStates);
        for (QMenu* sub : menu->findChildren<QMenu*>())
            connect(sub, &QMenu::aboutToShow, this, &CLogViewerDlg::UpdateCommandStates);
    }
    UpdateCommandStates();
}

QMenu* CLogViewerDlg::BuildFileMenu() {
    m_pFileMenu = new QMenu(Str(appstr::kMenuFile), this);
    QMenu* file = m_pFileMenu;
    AddCommand(file, kCmdOpen, appstr::kMenuOpen, &CLogViewerDlg::OnFileOpen)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(file, kCmdClose, appstr::kMenuClose, &CLogViewerDlg::OnFileClose);
    QAction* save = AddCommand(file, kCmdSave, appstr::kMenuSave, nullptr);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, [this] { OnFileSave(); });
    file->addSeparator();
    QMenu* print = file->addMenu(Str(appstr::kMenuPrint));
    BuildPrintMenus(file, print);
    AddExportMenu(file);
    file->addSeparator();
    m_pRecentAnchor = file->addSeparator();
    AddCommand(file, kCmdExit, appstr::kMenuExit, nullptr);
    connect(m_actions[kCmdExit], &QAction::triggered, this, &QWidget::close);
    BuildRecentMenu();
    return file;
}

void CLogViewerDlg::BuildRecentMenu() {
    for (QAction* a : m_arRecentActions) {
        m_pFileMenu->removeAction(a);
        a->deleteLater();
    }
    m_arRecentActions.clear();
    if (m_recentFiles.isEmpty()) {
        // An empty list shows one greyed "Recent File" entry.
        auto* placeholder = new QAction(Str(appstr::kMenuRecentFile), m_pFileMenu);
        placeholder->setEnabled(false);
        m_pFileMenu->insertAction(m_pRecentAnchor, placeholder);
        m_arRecentActions.push_back(placeholder);
        return;
    }
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles[i];
        QString label = path;
        label.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(label), m_pFileMenu);
        action->setData(int(kCmdRecentFile) + i);
        connect(action, &QAction::triggered, this,
                [this, path] { OpenFile(path, Source::Recent); });
        m_pFileMenu->insertAction(m_pRecentAnchor, action);
        m_arRecentActions.push_back(action);
    }
}

QMenu* CLogViewerDlg::BuildToolsMenu() {
    auto* tools = new QMenu(Str(appstr::kMenuTools), this);
    QMenu* units = tools->addMenu(Str(appstr::kMenuUnits));
    QAction* metric = AddCommand(units, kCmdMetric, appstr::kMenuMetric, nullptr);
    metric->setCheckable(true);
    metric->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(metric, &QAction::triggered, this, [this] { SetUnits(true); });
    QAction* imperial = AddCommand(units, kCmdImperial, appstr::kMenuImperial, nullptr);
    imperial->setCheckable(true);
    imperial->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(imperial, &QAction::triggered, this, [this] { SetUnits(false); });
    AddCommand(tools, kCmdSelectLanguage, appstr::kMenuSelectLanguage,
               &CLogViewerDlg::OnSelectLanguage);
    AddCommand(tools, kCmdRightClickMenu, appstr::kMenuRightClick,
               &CLogViewerDlg::ToggleChartRightClickMenu)
        ->setCheckable(true);
    return tools;
}

QMenu* CLogViewerDlg::BuildHelpMenu() {
    auto* help = new QMenu(Str(appstr::kMenuHelp), this);
    AddCommand(help, kCmdHelpContents, appstr::kMenuHelpContents, &CLogViewerDlg::OnHelpContents)
        ->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    AddCommand(help, kCmdMailZelvor, appstr::kMenuMailZelvor, &CLogViewerDlg::OnMailZelvor);
    AddCommand(help, kCmdMailDan, appstr::kMenuMailDan, &CLogViewerDlg::OnMailDan);
    help->addSeparator();
    AddCommand(help, kCmdAbout, appstr::kMenuAbout, &CLogViewerDlg::OnAbout);
    return help;
}

void CLogViewerDlg::ReloadTexts() {
    BuildMenu();
    SetTexts();
    RefreshAll();
}

void CLogViewerDlg::UpdateCommandStates() {
    const bool loaded = m_ctx.Log().m_bFileLoaded;
    for (int command : {kCmdClose, kCmdSave, kCmdPrintInformation, kCmdPrintProfile, kCmdMailZelvor,
                        kCmdMailDan, kCmdPreviewInformation, kCmdPreviewProfile, kCmdPreviewLogBook,
                        kCmdExportReportPdf, kCmdExportUddf}) {
        if (QAction* a = Action(command))
            a->setEnabled(loaded);
    }
    const bool metric = m_ctx.IsMetric();
    if (QAction* a = Action(kCmdMetric))
        a->setChecked(metric);
    if (QAction* a = Action(kCmdImperial))
        a->setChecked(!metric);
    if (QAction* a = Action(kCmdRightClickMenu))
        a->setChecked(m_ctx.IsChartRightClickMenuEnabled());
}

void CLogViewerDlg::NotAvailable() {
    if (m_warnHook) {
        m_warnHook(Str(appstr::kNotAvailable));
        return;
    }
    QMessageBox::information(this, QLatin1String(kProgramTitle), Str(appstr::kNotAvailable));
}
