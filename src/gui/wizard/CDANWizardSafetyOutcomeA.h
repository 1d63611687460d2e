#pragma once
// Safety & Outcome: the diver's state before the dive and the conditions during it.
#include "wizard/CDANWizardPage.h"

class QLineEdit;
class QPlainTextEdit;
class CDanOptionGroup;

class CDANWizardSafetyOutcomeA : public CDANWizardPage {
    Q_OBJECT
public:
    explicit CDANWizardSafetyOutcomeA(QWidget* parent = nullptr);

    void Load(const CDanDetails& details, const CDanAnswers& answers) override;
    void Store(CDanDetails& details, CDanAnswers& answers) const override;

    CDanOptionGroup* m_pStateOfRest;
    QLineEdit* m_pAlcohol;
    CDanOptionGroup* m_pExercise;
    QPlainTextEdit* m_pMedication;
    QLineEdit* m_pVisibility;
    QLineEdit* m_pCurrent;
    CDanOptionGroup* m_pThermalComfort;
    CDanOptionGroup* m_pWorkload;
};
