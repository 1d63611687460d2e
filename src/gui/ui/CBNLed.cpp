#include "ui/CBNLed.h"

#include <QPainter>
#include <QRadialGradient>

CBNLed::CBNLed(QWidget* parent, Colour colour) : QWidget(parent), m_colour(colour) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
}

void CBNLed::SetColour(Colour colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

QColor CBNLed::ColourRgb(Colour colour) {
    switch (colour) {
    case Red:
        return QColor(255, 0, 0);
    case Green:
        return QColor(0, 192, 0);
    case Black:
        return QColor(0, 0, 0);
    case White:
        return QColor(255, 255, 255);
    case LightGrey:
        break;
    }
    return QColor(192, 192, 192);
}

void CBNLed::PaintLed(QPainter& painter, const QRectF& rect, Colour colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal side = qMin(rect.width(), rect.height()) - 1.0;
    const QRectF lamp(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    const QColor fill = ColourRgb(colour);
    // A small highlight keeps the lamp readable as a light, but the centre of the disc stays the
    // pure colour so that a look at the lamp (or a test of its pixels) finds the state.
    QRadialGradient shine(lamp.center(), side / 2.0, lamp.topLeft() + QPointF(side / 4, side / 4));
    shine.setColorAt(0.0, fill.lighter(colour == Black ? 300 : 115));
    shine.setColorAt(0.35, fill);
    shine.setColorAt(1.0, fill);
    painter.setBrush(shine);
    painter.setPen(QPen(QColor(64, 64, 64), 1.0));
    painter.drawEllipse(lamp);
    painter.restore();
}

void CBNLed::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintLed(painter, QRectF(rect()), m_colour);
}
