#pragma once
// The picture shown while the program starts: five seconds, or until the user presses a key or a
// mouse button anywhere in the program (that press does nothing else).
#include <QPixmap>
#include <QWidget>

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 5000;

    explicit CSplashWindow(QWidget* parent = nullptr);
    ~CSplashWindow() override;
    // Shows it centred on the screen and starts the timer.
    void ShowFor(int milliseconds = kShowMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap m_picture;
};
