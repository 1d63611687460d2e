#include "ui/CLatLongEdit.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSpinBox>

CLatLongEdit::CLatLongEdit(Axis axis, QWidget* parent)
    : QWidget(parent), m_pHemisphere(new QComboBox(this)), m_pDegrees(new QSpinBox(this)),
      m_pMinutes(new QSpinBox(this)), m_pSeconds(new QDoubleSpinBox(this)) {
    const bool lat = axis == Axis::Latitude;
    m_pHemisphere->addItems(lat ? QStringList{"N", "S"} : QStringList{"W", "E"});
    // The record keeps each part in one byte; the degrees stop where the globe does.
    m_pDegrees->setRange(0, lat ? 90 : 180);
    m_pDegrees->setSuffix(QString(QChar(0xB0)));
    m_pMinutes->setRange(0, 59);
    m_pMinutes->setSuffix("'");
    m_pSeconds->setRange(0.0, 59.99);
    m_pSeconds->setDecimals(2);
    m_pSeconds->setSuffix("\"");
    for (QAbstractSpinBox* box :
         {static_cast<QAbstractSpinBox*>(m_pDegrees), static_cast<QAbstractSpinBox*>(m_pMinutes),
          static_cast<QAbstractSpinBox*>(m_pSeconds)}) {
        // Every typed digit reaches the record at once (see CNumSpinCtrl).
        box->setKeyboardTracking(true);
        box->setAlignment(Qt::AlignRight);
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_pHemisphere);
    layout->addWidget(m_pDegrees, 1);
    layout->addWidget(m_pMinutes, 1);
    layout->addWidget(m_pSeconds, 1);

    connect(m_pHemisphere, &QComboBox::currentIndexChanged, this, &CLatLongEdit::changed);
    connect(m_pDegrees, &QSpinBox::valueChanged, this, &CLatLongEdit::changed);
    connect(m_pMinutes, &QSpinBox::valueChanged, this, &CLatLongEdit::changed);
    connect(m_pSeconds, &QDoubleSpinBox::valueChanged, this, &CLatLongEdit::changed);
}

QString CLatLongEdit::Hemisphere() const {
    return m_pHemisphere->currentText();
}

int CLatLongEdit::Degrees() const {
    return m_pDegrees->value();
}

int CLatLongEdit::Minutes() const {
    return m_pMinutes->value();
}

double CLatLongEdit::Seconds() const {
    return m_pSeconds->value();
}

void CLatLongEdit::SetValues(const QString& hemisphere, int degrees, int minutes, double seconds) {
    const QSignalBlocker b1(m_pHemisphere), b2(m_pDegrees), b3(m_pMinutes), b4(m_pSeconds);
    const int index = m_pHemisphere->findText(hemisphere);
    m_pHemisphere->setCurrentIndex(index >= 0 ? index : 0);
    m_pDegrees->setValue(degrees);
    m_pMinutes->setValue(minutes);
    m_pSeconds->setValue(seconds);
}

void CLatLongEdit::SetHelpText(const QString& text) {
    QWidget::setToolTip(text);
    for (QWidget* part : {static_cast<QWidget*>(m_pHemisphere), static_cast<QWidget*>(m_pDegrees),
                          static_cast<QWidget*>(m_pMinutes), static_cast<QWidget*>(m_pSeconds)})
        part->setToolTip(text);
}
