#include "ui/CNumSpinCtrl.h"

#include <QSignalBlocker>

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : QDoubleSpinBox(parent) {
    setAccelerated(true);
    setKeyboardTracking(false); // report a typed value once, not at every key
    setAlignment(Qt::AlignRight);
}

void CNumSpinCtrl::SetRangeAndStep(double min, double max, double step, int decimals) {
    const QSignalBlocker block(this);
    setDecimals(decimals);
    setRange(min, max);
    setSingleStep(step);
}

void CNumSpinCtrl::SetValueQuietly(double value) {
    const QSignalBlocker block(this);
    setValue(value);
}
