#pragma once
// An indicator lamp: a small round light in one of five colours. The colour values double as the
// offsets into the classic lamp bitmap strip, so code that stored an offset keeps working.
#include <QColor>
#include <QWidget>

class CBNLed : public QWidget {
    Q_OBJECT
public:
    enum Colour {
        Red = 0,        // alarm
        Green = 16,     // on / good
        Black = 32,     // alarm, masked
        White = 48,     // no alarm
        LightGrey = 64, // no alarm, masked; also the idle state
    };
    Q_ENUM(Colour)

    explicit CBNLed(QWidget* parent = nullptr, Colour colour = LightGrey);

    void SetColour(Colour colour);
    Colour GetColour() const { return m_colour; }

    // The fill of a colour (light grey is RGB(192,192,192)).
    static QColor ColourRgb(Colour colour);
    // Paints a lamp into `rect` through any painter (screen, printer, image).
    static void PaintLed(QPainter& painter, const QRectF& rect, Colour colour);

    QSize sizeHint() const override { return {16, 16}; }
    QSize minimumSizeHint() const override { return {12, 12}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colour m_colour;
};
