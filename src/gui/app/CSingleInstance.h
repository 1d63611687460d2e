#pragma once
// One viewer per file: a second start with a file whose name the running window already shows
// brings that window to the front instead of opening another. The running viewer listens on a
// local socket of the user; a second start sends it the window title it would have and learns
// whether that window is there.
#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // The socket name: per user; $ZELVOR_INSTANCE_NAME replaces it (tests).
    static QString ServerName();

    // Second start: asks the running viewer to come to the front when its title is `title`.
    // True when it did.
    static bool RaiseExisting(const QString& title, int timeoutMs = 2000);

    // First start: answers later starts on behalf of `window`. False when another viewer
    // already answers.
    bool Listen(QWidget* window);

private:
    void OnConnection();

    QLocalServer* m_pServer;
    QWidget* m_pWindow = nullptr;
};
