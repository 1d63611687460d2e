#include "wizard/CDANWizardSafetyOutcomeC.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"

CDANWizardSafetyOutcomeC::CDANWizardSafetyOutcomeC(QWidget* parent)
    : CDANWizardPage("CDANWizardSafetyOutcomeC", danstr::kSubtitleSafetyContinued, parent) {
    auto* prompt = new QLabel(CViewerContext::Str(danstr::kComments), this);
    prompt->setWordWrap(true);
    m_pComments = new QPlainTextEdit(this);
    m_pComments->setObjectName(QStringLiteral("Comments"));
    m_pComments->setTabChangesFocus(true);
    prompt->setBuddy(m_pComments);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_pComments, 1);
}

void CDANWizardSafetyOutcomeC::Load(const CDanDetails&, const CDanAnswers& a) {
    m_pComments->setPlainText(MultiLine(a.m_strComments));
}

void CDANWizardSafetyOutcomeC::Store(CDanDetails&, CDanAnswers& a) const {
    a.m_strComments = FromMultiLine(m_pComments->toPlainText());
}
