#pragma once
// Start-up and shut-down of the viewer: status log, settings, the check for a viewer already
// showing the file, splash, version line, the main window.
#include <QSize>
#include <QString>
#include <QStringList>

class QApplication;
class CLogViewerDlg;

class CLogViewerApp {
public:
    struct Options {
        QString file;
        QString screenshot; // write a picture of the window here and exit
        int page = 0;       // the page the picture shows (0 = Dive Profile)
        QSize size{1280, 800};
        bool splash = true;
        bool help = false;
        QString report; // "information", "profile" or "logbook": write it as a PDF and exit
        QString pdf;
        QString error; // a command line that could not be understood
    };

    // zelvor-log-viewer [--nosplash] [--screenshot PNG [--page N] [--size WxH]] [FILE]
    //                   --report information|profile|logbook --pdf OUT.pdf FILE
    static Options ParseCommandLine(const QStringList& arguments);
    static QString Usage();

    // The whole run; returns the exit code.
    int Run(const Options& options);

private:
    int RunScreenshot(CLogViewerDlg& window, const Options& options);
    int RunReport(CLogViewerDlg& window, const Options& options);
};
