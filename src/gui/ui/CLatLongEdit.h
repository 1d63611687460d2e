#pragma once
// A latitude or longitude entry field in four parts: hemisphere letter, degrees, minutes (0-59)
// and seconds. Each part can be typed, or stepped with the cursor keys while it has the focus.
#include <QWidget>

class QComboBox;
class QSpinBox;
class QDoubleSpinBox;

class CLatLongEdit : public QWidget {
    Q_OBJECT
public:
    enum class Axis { Latitude, Longitude };

    explicit CLatLongEdit(Axis axis, QWidget* parent = nullptr);

    QString Hemisphere() const;
    int Degrees() const;
    int Minutes() const;
    // As entered, with any fraction.
    double Seconds() const;

    // Shows the values without reporting a change. An unknown hemisphere letter shows as the
    // axis's default ("N" or "W").
    void SetValues(const QString& hemisphere, int degrees, int minutes, double seconds);

    // The parts, for tests and tab order.
    QComboBox* HemisphereBox() const { return m_pHemisphere; }
    QSpinBox* DegreesBox() const { return m_pDegrees; }
    QSpinBox* MinutesBox() const { return m_pMinutes; }
    QDoubleSpinBox* SecondsBox() const { return m_pSeconds; }

    // One help text for every part.
    void SetHelpText(const QString& text);

signals:
    // The user changed one of the parts.
    void changed();

private:
    QComboBox* m_pHemisphere;
    QSpinBox* m_pDegrees;
    QSpinBox* m_pMinutes;
    QDoubleSpinBox* m_pSeconds;
};
