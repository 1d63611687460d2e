#pragma once
// The last Safety & Outcome page: the diver's own account of the dive.
#include "wizard/CDANWizardPage.h"

class QPlainTextEdit;

class CDANWizardSafetyOutcomeC : public CDANWizardPage {
    Q_OBJECT
public:
    explicit CDANWizardSafetyOutcomeC(QWidget* parent = nullptr);

    void Load(const CDanDetails& details, const CDanAnswers& answers) override;
    void Store(CDanDetails& details, CDanAnswers& answers) const override;

    QPlainTextEdit* m_pComments;
};
