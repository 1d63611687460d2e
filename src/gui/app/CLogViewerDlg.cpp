#include "app/CLogViewerDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppStatusLog.h"
#include "app/AppStrings.h"
#include "app/CHelpWindow.h"
#include "app/CMailClient.h"
#include "app/CQtSettingsStore.h"
#include "app/LocalFileName.h"
#include "lang/CLanguageSwitch.h"
#include "print/CPrintCommands.h"
#include "settings/SettingsTable.h"
#include "ui/Cp1252.h"
#include "viewmodel/BannerText.h"
#include "views/CDiveData.h"
#include "views/CDiveGasManagement.h"
#include "views/CDiveInformation.h"
#include "views/CDiveLogBook.h"
#include "views/CDiveProfile.h"

// The pictures and help pages live in the GUI library; a static library has to register them.
static void InitResources() {
    Q_INIT_RESOURCE(zelvor);
}

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
QString FromLocal(const std::string& s) {
    return localname::Decode(s);
}
} // namespace

CLogViewerDlg::CLogViewerDlg(QWidget* parent)
    : QMainWindow(parent), m_mail(std::make_unique<CXdgMailClient>()) {
    InitResources();
    setObjectName(QStringLiteral("ZelvorLogViewer"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zelvor.png")));
    setAcceptDrops(true);

    // The settings the whole program shares, read once here.
    m_ctx.LoadSettings(m_store);
    TheStatusLog().SetMessageLevel(m_ctx.Settings().Viewer().MessageLevel());
    {
        CReport report;
        m_binaryKey = CBinaryLogKey::Resolve(m_ctx.Settings().BinaryKey().m_strKey, &report);
        WriteToStatusLog(report.Events());
    }
    m_strDefaultDirectory = m_ctx.Settings().Viewer().m_strDefaultDirectory;
    QSettings& profile = AppSettings();
    m_strZelvorMailAddress =
        profile.value(QStringLiteral("Addresses/Send DAT to Zelvor email")).toString();
    m_strDanMailAddress =
        profile.value(QStringLiteral("Addresses/Send DAT to DAN email")).toString();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path =
            localname::FromSetting(profile.value(QStringLiteral("Recent File List/File%1").arg(i)));
        if (!path.isEmpty())
            m_recentFiles << path;
    }

    // The stored language, before any text is set; a language whose file has gone leaves
    // English and the setting as it is.
    m_pLanguage = std::make_unique<CLanguageSwitch>([this](uint32_t language) {
        CViewerPreferences viewer = m_ctx.Settings().Viewer();
        viewer.m_nLanguageId = language;
        m_ctx.SetViewer(viewer);
    });
    m_pLanguage->Apply(m_ctx.Settings().Viewer().m_nLanguageId);

    m_pPrint = new CPrintCommands(this, [this] { return ReportInput(); });
    BuildCentre();
    CreatePages();
    m_ctx.SetLoading(false);
    SetTexts();
    BuildMenu();
    RestorePlacement();
    RefreshAll();

    connect(&m_ctx, &CViewerContext::diveEdited, this, &CLogViewerDlg::RefreshBannerAndTitle);
    connect(m_pPages, &QTabWidget::currentChanged, this, &CLogViewerDlg::OnPageChanged);
    connect(qobject_cast<CDiveLogBook*>(Page(4)), &CDiveLogBook::printRequested, m_pPrint,
            [this] { m_pPrint->PrintReport(EReport::LogBook); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

CLogViewerDlg::~CLogViewerDlg() {
    // The pages read the model while they go; they go first, the model (m_ctx) after them.
    m_arPages.clear();
    delete m_pPages;
    m_pPages = nullptr;
}

void CLogViewerDlg::BuildCentre() {
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(6, 4, 6, 6);

    // A flat button used as a label, as wide as its text, centred over the pages.
    m_pBanner = new QPushButton(centre);
    m_pBanner->setObjectName(QStringLiteral("banner"));
    m_pBanner->setFlat(true);
    m_pBanner->setFocusPolicy(Qt::NoFocus);
    QFont bannerFont = m_pBanner->font();
    bannerFont.setBold(true);
    m_pBanner->setFont(bannerFont);
    column->addWidget(m_pBanner, 0, Qt::AlignHCenter);

    m_pPages = new QTabWidget(centre);
    m_pPages->setObjectName(QStringLiteral("pages"));
    column->addWidget(m_pPages, 1);

    m_pNavigation = new QWidget(centre);
    auto* row = new QHBoxLayout(m_pNavigation);
    row->setContentsMargins(0, 0, 0, 0);
    auto makeButton = [&](const char* name, const char* icon, filenav::Step step) {
        auto* b = new QToolButton(m_pNavigation);
        b->setObjectName(QLatin1String(name));
        b->setIcon(QIcon(QLatin1String(icon)));
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, step] { Navigate(step); });
        row->addWidget(b);
        return b;
    };
    m_pFirst = makeButton("first", ":/icons/first.png", filenav::Step::First);
    m_pPrevious = makeButton("previous", ":/icons/previous.png", filenav::Step::Previous);
    m_pNext = makeButton("next", ":/icons/next.png", filenav::Step::Next);
    m_pLast = makeButton("last", ":/icons/last.png", filenav::Step::Last);
    m_pCounter = new QLabel(m_pNavigation);
    m_pCounter->setObjectName(QStringLiteral("counter"));
    m_pCounter->setMinimumWidth(80);
    row->addSpacing(8);
    row->addWidget(m_pCounter);
    row->addStretch(1);
    column->addWidget(m_pNavigation);
    setCentralWidget(centre);
}

void CLogViewerDlg::CreatePages() {
    m_arPages = {new CDiveProfile(m_ctx, m_pPages), new CDiveInformation(m_ctx, m_pPages),
                 new CDiveData(m_ctx, m_pPages), new CDiveGasManagement(m_ctx, m_pPages),
                 new CDiveLogBook(m_ctx, m_pPages)};
    for (CDivePage* page : m_arPages)
        m_pPages->addTab(page, QString());
    // Show each page once, the profile last, so every page has been laid out and the profile is
    // on top.
    for (int i = int(m_arPages.size()) - 1; i >= 0; --i)
        m_pPages->setCurrentIndex(i);
    m_nLastPage = 0;
}

void CLogViewerDlg::SetTexts() {
    static const int kTitles[] = {appstr::kTabProfile, appstr::kTabInformation, appstr::kTabData,
                                  appstr::kTabGas, appstr::kTabLogBook};
    for (int i = 0; i < m_pPages->count() && i < 5; ++i)
        m_pPages->setTabText(i, Str(kTitles[i]));
    m_pFirst->setToolTip(Str(appstr::kFirst));
    m_pPrevious->setToolTip(Str(appstr::kPrevious));
    m_pNext->setToolTip(Str(appstr::kNext));
    m_pLast->setToolTip(Str(appstr::kLast));
    if (m_pHelp)
        m_pHelp->SetTexts();
    for (CDivePage* page : m_arPages)
        page->SetTexts();
}

CDivePage* CLogViewerDlg::Page(int index) const {
    return index >= 0 && index < int(m_arPages.size()) ? m_arPages[size_t(index)] : nullptr;
}

QAction* CLogViewerDlg::Action(int command) const {
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

QToolButton* CLogViewerDlg::NavigationButton(filenav::Step step) const {
    switch (step) {
    case filenav::Step::First:
        return m_pFirst;
    case filenav::Step::Previous:
        return m_pPrevious;
    case filenav::Step::Next:
        return m_pNext;
    case filenav::Step::Last:
        return m_pLast;
    }
    return nullptr;
}

void CLogViewerDlg::RefreshAll() {
    RefreshBannerAndTitle();
    RefreshNavigation();
    RefreshPages();
    UpdateCommandStates();
}

void CLogViewerDlg::RefreshPages() {
    for (CDivePage* page : m_arPages)
        page->Refresh();
}

QString CLogViewerDlg::BannerText() const {
    // The banner carries the diver's dive number text and the unit's own text.
    const std::string banner = ::BannerText(m_ctx.Log(), m_ctx.IsMetric(),
                                            [](int id) { return cp1252::FromQString(Str(id)); });
    return cp1252::ToQString(banner);
}

void CLogViewerDlg::RefreshBannerAndTitle() {
    setWindowTitle(FromLocal(WindowTitle(m_ctx.Log())));
    const QString banner = BannerText();
    // The banner is a button: a "&" in a diver's text must show, not become a shortcut.
    m_pBanner->setText(QString(banner).replace(QLatin1Char('&'), QLatin1String("&&")));
    m_pBanner->setVisible(!banner.isEmpty());
}

QString CLogViewerDlg::CounterText() const {
    if (m_nFileIndex < 0)
        return QString();
    QString format = Str(appstr::kCounter);
    // The table's text is a printf format: "%d of %d".
    const int first = int(format.indexOf(QLatin1String("%d")));
    if (first >= 0)
        format.replace(first, 2, QString::number(m_nFileIndex + 1));
    const int second = int(format.indexOf(QLatin1String("%d")));
    if (second >= 0)
        format.replace(second, 2, QString::number(m_arFileNames.size()));
    return format;
}

void CLogViewerDlg::RefreshNavigation() {
    const CDiveLog& log = m_ctx.Log();
    if (!log.m_bFileLoaded) {
        if (!log.m_bLoading)
            m_pNavigation->hide();
        return;
    }
    m_pNavigation->show();
    m_arFileNames = filenav::SiblingLogFiles(m_strDefaultDirectory, log.m_strFileTitle);
    m_nFileIndex = -1;
    for (size_t i = 0; i < m_arFileNames.size(); ++i) {
        if (m_arFileNames[i] == log.m_strFileTitle)
            m_nFileIndex = int(i);
    }
    const int count = int(m_arFileNames.size());
    m_pCounter->setText(CounterText());
    // A file outside the list (a binary log among text logs) can still step to the list's
    // first file; an empty list leads nowhere.
    m_pFirst->setEnabled(m_nFileIndex != 0 && count > 0);
    m_pPrevious->setEnabled(m_nFileIndex > 0);
    m_pNext->setEnabled(m_nFileIndex + 1 != count);
    m_pLast->setEnabled(m_nFileIndex + 1 != count);
}

void CLogViewerDlg::OnPageChanged(int index) {
    // A page that was hidden while the window changed size or the dive changed catches up.
    if (index != m_nLastPage) {
        if (CDivePage* page = Page(index)) {
            if (index == 1)
                page->Refresh();
            else
                page->update();
        }
    }
    m_nLastPage = index;
}

void CLogViewerDlg::SetUnits(bool metric) {
    m_ctx.SetMetric(metric);
    RefreshAll();
}

void CLogViewerDlg::ToggleChartRightClickMenu() {
    m_ctx.SetChartRightClickMenuEnabled(!m_ctx.IsChartRightClickMenuEnabled());
}

void CLogViewerDlg::RestorePlacement() {
    const QString text =
        AppSettings().value(QStringLiteral("ZelvorLogViewer/WindowPlacement")).toString();
    const QStringList parts = text.split(QLatin1Char(','));
    int v[8] = {};
    bool ok = parts.size() == 8;
    for (int i = 0; ok && i < 8; ++i)
        v[i] = parts[i].trimmed().toInt(&ok);
    const QRect rect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
    if (!ok || rect.width() < 200 || rect.height() < 150) {
        resize(1000, 720);
        return;
    }
    // A placement from a screen that is no longer there would put the window out of reach.
    bool onScreen = false;
    for (QScreen* screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(rect);
    if (onScreen)
        setGeometry(rect);
    else
        resize(rect.size());
    if (v[4] == 3)
        setWindowState(Qt::WindowMaximized);
}

void CLogViewerDlg::SavePlacement() const {
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    const int show = isMaximized() ? 3 : (isMinimized() ? 2 : 1);
    const QString text = QStringLiteral("%1,%2,%3,%4,%5,0,-1,-1")
                             .arg(r.left())
                             .arg(r.top())
                             .arg(r.right() + 1)
                             .arg(r.bottom() + 1)
                             .arg(show);
    AppSettings().setValue(QStringLiteral("ZelvorLogViewer/WindowPlacement"), text);
}

void CLogViewerDlg::closeEvent(QCloseEvent* event) {
    // There is no Cancel: the program closes after the chance to save, unless the save the
    // diver chose failed; then the window and the edits stay so the diver can try again.
    if (!OfferToSave(false)) {
        event->ignore();
        return;
    }
    if (m_bSavePlacement)
        SavePlacement();
    if (m_pHelp)
        m_pHelp->close();
    // The model goes with the window, after the pages that read it.
    event->accept();
}

void CLogViewerDlg::SetMailClient(std::unique_ptr<CMailClient> client) {
    m_mail = std::move(client);
}
