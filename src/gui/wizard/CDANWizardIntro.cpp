#include "wizard/CDANWizardIntro.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"

CDANWizardIntro::CDANWizardIntro(QWidget* parent)
    : CDANWizardPage("CDANWizardIntro", 0, parent), m_pText(new QLabel(this)) {
    m_pText->setWordWrap(true);
    m_pText->setTextFormat(Qt::PlainText);
    m_pText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    layout->addStretch(1);
}

QString CDANWizardIntro::IntroText() {
    QStringList paragraphs;
    for (int id : {danstr::kIntro1, danstr::kIntro2, danstr::kIntro3, danstr::kIntro4})
        paragraphs << CViewerContext::Str(id);
    // The texts double an ampersand, as a dialog's static text needs; a label shows it once.
    return paragraphs.join(QStringLiteral("\n\n"))
        .replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void CDANWizardIntro::initializePage() {
    m_pText->setText(IntroText());
}
