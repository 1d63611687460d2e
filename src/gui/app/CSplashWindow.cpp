#include "app/CSplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

CSplashWindow::CSplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(QStringLiteral(":/images/splash.png")) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("splash"));
    resize(m_picture.isNull() ? QSize(480, 300) : m_picture.size());
}

CSplashWindow::~CSplashWindow() {
    qApp->removeEventFilter(this);
}

void CSplashWindow::ShowFor(int milliseconds) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = rect();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    qApp->installEventFilter(this);
    show();
    raise();
    QTimer::singleShot(milliseconds, this, &QWidget::close);
}

void CSplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.drawPixmap(0, 0, m_picture);
        return;
    }
    p.fillRect(rect(), QColor(30, 130, 255));
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Zelvor Log Viewer"));
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        close();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
