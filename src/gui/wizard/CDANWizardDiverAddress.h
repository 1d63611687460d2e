#pragma once
// Diver Address: where the diver lives and how to reach them.
#include "wizard/CDANWizardPage.h"

class QLineEdit;

class CDANWizardDiverAddress : public CDANWizardPage {
    Q_OBJECT
public:
    explicit CDANWizardDiverAddress(QWidget* parent = nullptr);

    void Load(const CDanDetails& details, const CDanAnswers& answers) override;
    void Store(CDanDetails& details, CDanAnswers& answers) const override;

    // The edit of a stored text value ("EMail"), or null.
    QLineEdit* Field(const char* valueName) const;

private:
    struct CField {
        QLineEdit* edit;
        std::string CDanDetails::*member;
    };
    std::vector<CField> m_arFields;
};
