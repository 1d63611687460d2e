#include "app/CLogViewerApp.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QPrinterInfo>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/AppStatusLog.h"
#include "app/CAboutDlg.h"
#include "app/CLogViewerDlg.h"
#include "app/CQtSettingsStore.h"
#include "app/CSingleInstance.h"
#include "app/CSplashWindow.h"
#include "app/LocalFileName.h"
#include "print/CPrintCommands.h"
#include "viewmodel/BannerText.h"
#include "viewmodel/FileNavigation.h"

CLogViewerApp::Options CLogViewerApp::ParseCommandLine(const QStringList& arguments) {
    Options o;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto next = [&](QString& into) {
            if (i + 1 >= arguments.size()) {
                o.error = a + QStringLiteral(" needs a value");
                return false;
            }
            into = arguments[++i];
            return true;
        };
        QString value;
        if (a == QLatin1String("--screenshot")) {
            if (!next(o.screenshot))
                return o;
        } else if (a == QLatin1String("--page")) {
            if (!next(value))
                return o;
            bool ok = false;
            o.page = value.toInt(&ok);
            if (!ok || o.page < 0 || o.page > 4)
                o.error = QStringLiteral("--page takes 0 to 4");
        } else if (a == QLatin1String("--size")) {
            if (!next(value))
                return o;
            const QStringList wh = value.toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = wh.size() == 2 ? wh[0].toInt(&okW) : 0;
            const int h = wh.size() == 2 ? wh[1].toInt(&okH) : 0;
            if (!okW || !okH || w < 200 || h < 150 || w > 10000 || h > 10000)
                o.error = QStringLiteral("--size takes WIDTHxHEIGHT");
            else
                o.size = QSize(w, h);
        } else if (a == QLatin1String("--report")) {
            if (!next(o.report))
                return o;
            if (o.report != QLatin1String("information") && o.report != QLatin1String("profile") &&
                o.report != QLatin1String("logbook"))
                o.error = QStringLiteral("--report takes information, profile or logbook");
        } else if (a == QLatin1String("--pdf")) {
            if (!next(o.pdf))
                return o;
        } else if (a == QLatin1String("--nosplash") || a == QLatin1String("-nosplash")) {
            o.splash = false;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1 && o.file.isEmpty()) {
            o.error = QStringLiteral("unknown option ") + a;
        } else if (o.file.isEmpty()) {
            o.file = a;
        }
        if (!o.error.isEmpty())
            return o;
    }
    if (o.report.isEmpty() != o.pdf.isEmpty())
        o.error = QStringLiteral("--report and --pdf go together");
    else if (!o.report.isEmpty() && o.file.isEmpty())
        o.error = QStringLiteral("--report needs a log file");
    else if (!o.report.isEmpty() && !o.screenshot.isEmpty())
        o.error = QStringLiteral("--report and --screenshot exclude each other");
    if (!o.screenshot.isEmpty() || !o.report.isEmpty())
        o.splash = false;
    return o;
}

QString CLogViewerApp::Usage() {
    return QStringLiteral("usage: zelvor-log-viewer [--nosplash] "
                          "[--screenshot PNG [--page N] [--size WxH]] [FILE]\n"
                          "       zelvor-log-viewer --report information|profile|logbook "
                          "--pdf OUT.pdf FILE\n");
}

int CLogViewerApp::Run(const Options& options) {
    StatusLog& log = TheStatusLog();
    log.SetProgramName("zelvor-log-viewer");
    log.Open("Zelvor\\Zelvor Log Viewer", "StatusLog.txt", false);
    log.SetTimestamp(true);
    log.SetPrefix(false);
    log.SetEnabled(true);
    log.Write("Zelvor Log Viewer Startup");

    // A viewer already showing a file of this name comes to the front instead.
    const bool screenshot = !options.screenshot.isEmpty() || !options.report.isEmpty();
    if (!options.file.isEmpty() && !screenshot) {
        const std::string name = filenav::FileNamePart(localname::EncodeStd(options.file));
        const QString title =
            QLatin1String(kProgramTitle) + QStringLiteral(" - ") + localname::Decode(name);
        if (CSingleInstance::RaiseExisting(title))
            return 0;
    }

    log.Write("Program Version %s", ProgramVersionText().toLatin1().constData());

    // The printer settings live beside the window's own; both are read here at start-up.
    CQtSettingsStore store;
    int code = 0;
    {
        CLogViewerDlg window;
        if (!options.report.isEmpty()) {
            code = RunReport(window, options);
        } else if (screenshot) {
            code = RunScreenshot(window, options);
        } else {
            window.RestorePrinter(CPrinterConfig::Load(store),
                                  QPrinterInfo::availablePrinterNames());
            CSingleInstance instance;
            instance.Listen(&window);
            if (options.splash)
                (new CSplashWindow)->ShowFor();
            window.show();
            if (!options.file.isEmpty())
                window.OpenAtStart(options.file);
            code = QApplication::exec();
            window.PrintCommands().Save(store);
        }
    }
    log.Write("Zelvor LogViewer Shutdown");
    return code;
}

int CLogViewerApp::RunScreenshot(CLogViewerDlg& window, const Options& options) {
    // Message boxes would wait for a user who is not there: report on stderr instead.
    window.SetMessageHook([](const QString& text) {
        std::fprintf(stderr, "zelvor-log-viewer: %s\n", text.toLocal8Bit().constData());
    });
    window.SetSaveQuestionHook([](const QString&) { return false; });
    // A picture leaves no trace in the user's settings.
    window.SetSettingsReadOnly(true);
    window.resize(options.size);
    window.show();
    // A file that does not load still gives a picture (of the empty window), but not success.
    const bool loaded =
        options.file.isEmpty() || window.OpenFile(options.file, CLogViewerDlg::Source::External);
    window.Pages()->setCurrentIndex(options.page);
    window.resize(options.size);
    // Let the pages lay themselves out and paint (the chart redraws a few times after a resize).
    QTimer::singleShot(600, qApp, &QApplication::quit);
    QApplication::exec();
    const QPixmap picture = window.grab();
    if (picture.size() != options.size)
        std::fprintf(stderr, "zelvor-log-viewer: the window needs at least %dx%d\n",
                     picture.width(), picture.height());
    const bool ok = picture.save(options.screenshot, "PNG");
    if (!ok)
        std::fprintf(stderr, "zelvor-log-viewer: cannot write %s\n",
                     QFile::encodeName(options.screenshot).constData());
    window.close();
    return ok && loaded ? 0 : 1;
}

int CLogViewerApp::RunReport(CLogViewerDlg& window, const Options& options) {
    // Nobody is there to answer a message box: report on stderr.
    window.SetMessageHook([](const QString& text) {
        std::fprintf(stderr, "zelvor-log-viewer: %s\n", text.toLocal8Bit().constData());
    });
    window.SetSaveQuestionHook([](const QString&) { return false; });
    // A report run leaves no trace in the user's settings either.
    window.SetSettingsReadOnly(true);
    if (!window.OpenFile(options.file, CLogViewerDlg::Source::External))
        return 1;
    const EReport report = options.report == QLatin1String("information") ? EReport::Information
                           : options.report == QLatin1String("profile")   ? EReport::Profile
                                                                          : EReport::LogBook;
    if (!reports::WritePdf(options.pdf, report, window.ReportInput())) {
        std::fprintf(stderr, "zelvor-log-viewer: cannot write %s\n",
                     QFile::encodeName(options.pdf).constData());
        return 1;
    }
    return 0;
}
