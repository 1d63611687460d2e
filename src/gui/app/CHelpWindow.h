#pragma once
// The bundled help pages in a window of their own, with a contents link and back/forward.
#include <QWidget>

class QPushButton;
class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    // Shows the table of contents.
    void ShowContents();
    // After a language change.
    void SetTexts();
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
    QPushButton* m_pContents;
    QPushButton* m_pBack;
    QPushButton* m_pForward;
};
