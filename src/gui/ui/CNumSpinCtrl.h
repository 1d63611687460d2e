#pragma once
// A numeric spin control with a range, a step and a number of decimals, whose value can be set
// by the program without reporting a change (refreshes must not look like edits).
#include <QDoubleSpinBox>

class CNumSpinCtrl : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit CNumSpinCtrl(QWidget* parent = nullptr);

    void SetRangeAndStep(double min, double max, double step, int decimals);
    // Shows `value` without emitting valueChanged.
    void SetValueQuietly(double value);
};
