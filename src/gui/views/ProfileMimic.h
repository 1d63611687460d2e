#pragma once
// The mimic of the controller's display: a dot matrix drawn from the core's picture.
#include <QWidget>

#include "viewmodel/CMimicPicture.h"

class CProfileMimic : public QWidget {
    Q_OBJECT
public:
    explicit CProfileMimic(QWidget* parent = nullptr);

    // The picture to show; `shown` false leaves the empty background (no file loaded).
    void SetPicture(const CMimicPicture& picture, bool shown);
    const CMimicPicture& Picture() const { return m_picture; }

    // Paints the display into `rect` through any painter.
    static void PaintMimic(QPainter& painter, const QRect& rect, const CMimicPicture& picture,
                           bool shown);

    QSize sizeHint() const override { return {200, 72}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CMimicPicture m_picture;
    bool m_bShown = false;
};
