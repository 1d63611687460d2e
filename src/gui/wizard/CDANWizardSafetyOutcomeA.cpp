#include "wizard/CDANWizardSafetyOutcomeA.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"
#include "wizard/CDanOptionGroup.h"

namespace {
QString Str(int id) {
    return CViewerContext::Str(id);
}
QString Number(double value) {
    return QString::number(value, 'g', 12);
}
} // namespace

CDANWizardSafetyOutcomeA::CDANWizardSafetyOutcomeA(QWidget* parent)
    : CDANWizardPage("CDANWizardSafetyOutcomeA", danstr::kSubtitleSafety, parent) {
    m_pStateOfRest = new CDanOptionGroup(EDanList::StateOfRest, this, 2);
    m_pExercise = new CDanOptionGroup(EDanList::Exercise, this, 2);
    m_pThermalComfort = new CDanOptionGroup(EDanList::ThermalComfort, this, 2);
    m_pWorkload = new CDanOptionGroup(EDanList::Workload, this, 2);
    m_pAlcohol = new QLineEdit(this);
    m_pAlcohol->setObjectName(QStringLiteral("Alcohol"));
    m_pVisibility = new QLineEdit(this);
    m_pVisibility->setObjectName(QStringLiteral("Visibility"));
    m_pCurrent = new QLineEdit(this);
    m_pCurrent->setObjectName(QStringLiteral("Current"));
    m_pMedication = new QPlainTextEdit(this);
    m_pMedication->setObjectName(QStringLiteral("Medication"));
    m_pMedication->setTabChangesFocus(true);
    m_pMedication->setMinimumHeight(48);
    AddNumberField(m_pAlcohol, ENumber::Integer);
    AddNumberField(m_pVisibility, ENumber::Decimal);
    AddNumberField(m_pCurrent, ENumber::Decimal);

    auto* fields = new QFormLayout;
    fields->addRow(Str(danstr::kAlcohol), m_pAlcohol);
    fields->addRow(Str(danstr::kVisibility), m_pVisibility);
    fields->addRow(Str(danstr::kCurrent), m_pCurrent);
    auto* medicationLabel = new QLabel(Str(danstr::kMedication), this);
    medicationLabel->setBuddy(m_pMedication);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_pStateOfRest, 0, 0);
    grid->addWidget(m_pExercise, 0, 1);
    grid->addWidget(m_pThermalComfort, 1, 0);
    grid->addWidget(m_pWorkload, 1, 1);
    grid->addLayout(fields, 2, 0);
    auto* medication = new QVBoxLayout;
    medication->addWidget(medicationLabel);
    medication->addWidget(m_pMedication, 1);
    grid->addLayout(medication, 2, 1);
    grid->setRowStretch(2, 1);
}

void CDANWizardSafetyOutcomeA::Load(const CDanDetails&, const CDanAnswers& a) {
    m_pStateOfRest->SetPosition(a.m_nStateOfRest);
    m_pAlcohol->setText(QString::number(a.m_nAlcohol));
    m_pExercise->SetPosition(a.m_nExercise);
    m_pMedication->setPlainText(MultiLine(a.m_strMedication));
    m_pVisibility->setText(Number(a.m_dVisibility));
    m_pCurrent->setText(Number(a.m_dCurrent));
    m_pThermalComfort->SetPosition(a.m_nThermalComfort);
    m_pWorkload->SetPosition(a.m_nWorkload);
}

void CDANWizardSafetyOutcomeA::Store(CDanDetails&, CDanAnswers& a) const {
    a.m_nStateOfRest = m_pStateOfRest->Position();
    a.m_nAlcohol = IntegerOf(m_pAlcohol);
    a.m_nExercise = m_pExercise->Position();
    a.m_strMedication = FromMultiLine(m_pMedication->toPlainText());
    a.m_dVisibility = DecimalOf(m_pVisibility);
    a.m_dCurrent = DecimalOf(m_pCurrent);
    a.m_nThermalComfort = m_pThermalComfort->Position();
    a.m_nWorkload = m_pWorkload->Position();
}
