#include "views/ProfileMimic.h"

#include <QPainter>
#include <algorithm>

CProfileMimic::CProfileMimic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

void CProfileMimic::SetPicture(const CMimicPicture& picture, bool shown) {
    m_picture = picture;
    m_bShown = shown;
    update();
}

void CProfileMimic::PaintMimic(QPainter& p, const QRect& rect, const CMimicPicture& picture,
                               bool shown) {
    p.save();
    p.fillRect(rect, QColor(112, 163, 32));
    p.setPen(Qt::black);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    const int dot = std::max(1, rect.width() / 100);
    if (shown) {
        for (int y = 0; y < CMimicPicture::kHeight; ++y) {
            for (int x = 0; x < CMimicPicture::kWidth; ++x) {
                if (picture.Dot(x, y))
                    p.fillRect(rect.left() + (x + 2) * dot, rect.top() + (y + 2) * dot, dot, dot,
                               Qt::black);
            }
        }
    }
    p.restore();
}

void CProfileMimic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintMimic(painter, rect(), m_picture, m_bShown);
}
