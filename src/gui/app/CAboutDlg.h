#pragma once
// Help > About: the version line and the maker's website and mail address.
#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    // "Zelvor Log Viewer Version 1.0.0 - Linux Edition".
    static QString VersionLine();
};

// The program's version text: commas become points, spaces go.
QString ProgramVersionText();
