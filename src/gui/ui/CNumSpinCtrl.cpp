#include "ui/CNumSpinCtrl.h"

#include <QSignalBlocker>

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : QDoubleSpinBox(parent) {
    setAccelerated(true);
    // Every typed digit reaches the record at once: a command that may discard the dive must
    // not find a value still waiting for Enter.
    setKeyboardTracking(true);
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
