// zelvor-log-viewer: shows the log of one rebreather dive.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/CLogViewerApp.h"
#include "app/LocalFileName.h"

int main(int argc, char** argv) {
    // --help needs no display: answer it before the application object goes looking for one
    // (without a display that search aborts the program).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(CLogViewerApp::Usage().toLocal8Bit().constData(), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    // QApplication takes the user's locale for the C library too; under a German or French one
    // printf would write decimal commas and strtod would stop at the log files' decimal points.
    // Numbers are always written and read with a point, whatever language the texts are in.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Zelvor"));
    QApplication::setApplicationName(QStringLiteral("ZelvorLogViewer"));
    // Lets the desktop match the window with the installed desktop entry (its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.zelvor.LogViewer"));

    // The application object has taken its own options out of argv by now. Its arguments() would
    // turn bytes of a file name that are not UTF-8 into U+FFFD; the raw argv keeps them.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << localname::Decode(QByteArray(argv[i]));
    const CLogViewerApp::Options options = CLogViewerApp::ParseCommandLine(arguments);
    if (options.help) {
        std::fputs(CLogViewerApp::Usage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "zelvor-log-viewer: %s\n%s", options.error.toLocal8Bit().constData(),
                     CLogViewerApp::Usage().toLocal8Bit().constData());
        return 2;
    }
    CLogViewerApp viewer;
    return viewer.Run(options);
}
