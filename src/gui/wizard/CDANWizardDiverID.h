#pragma once
// Diver Identification & Demographics: who the diver is.
#include "wizard/CDANWizardPage.h"

class QDateEdit;
class QLineEdit;
class CDanOptionGroup;

class CDANWizardDiverID : public CDANWizardPage {
    Q_OBJECT
public:
    explicit CDANWizardDiverID(QWidget* parent = nullptr);

    void Load(const CDanDetails& details, const CDanAnswers& answers) override;
    void Store(CDanDetails& details, CDanAnswers& answers) const override;

    QLineEdit* m_pDiverID;
    QLineEdit* m_pDivingLicence;
    QLineEdit* m_pIssuingAgency;
    QLineEdit* m_pDANMemberNo;
    QLineEdit* m_pNameFirst;
    QLineEdit* m_pNameInitials;
    QLineEdit* m_pNameFamily;
    QDateEdit* m_pDateOfBirth;
    CDanOptionGroup* m_pSex;
    QLineEdit* m_pWeight;
    CDanOptionGroup* m_pWeightUnits;
    QLineEdit* m_pHeight;
    CDanOptionGroup* m_pHeightUnits;

    // The date a stored "DateOfBirth" stands for: eight characters read as year, month and day
    // (digits as a plain decimal conversion reads them); anything else, or a date that does not
    // exist, gives `today`.
    static QDate DateOfBirth(const std::string& stored, const QDate& today);
};
