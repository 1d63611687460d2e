#pragma once
// The first page of the DAN wizard: what it collects and what it keeps.
#include "wizard/CDANWizardPage.h"

class QLabel;

class CDANWizardIntro : public CDANWizardPage {
    Q_OBJECT
public:
    explicit CDANWizardIntro(QWidget* parent = nullptr);

    void initializePage() override;
    void Load(const CDanDetails&, const CDanAnswers&) override {}
    void Store(CDanDetails&, CDanAnswers&) const override {}

    QLabel* TextLabel() const { return m_pText; }
    // The four paragraphs, as shown.
    static QString IntroText();

private:
    QLabel* m_pText;
};
