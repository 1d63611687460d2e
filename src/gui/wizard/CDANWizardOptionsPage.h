#pragma once
// A DAN wizard page that holds nothing but option groups, built from the list of its groups:
// Dive Details (CDANWizardDiveDetailsA, B, C) and the second Safety & Outcome page
// (CDANWizardSafetyOutcomeB).
#include <initializer_list>

#include "wizard/CDANWizardPage.h"

class CDanOptionGroup;

class CDANWizardOptionsPage : public CDANWizardPage {
    Q_OBJECT
public:
    CDANWizardOptionsPage(const char* name, int subtitleId, std::initializer_list<EDanList> lists,
                          QWidget* parent = nullptr);

    void Load(const CDanDetails& details, const CDanAnswers& answers) override;
    void Store(CDanDetails& details, CDanAnswers& answers) const override;

    const std::vector<CDanOptionGroup*>& Groups() const { return m_arGroups; }
    CDanOptionGroup* Group(EDanList list) const;

private:
    std::vector<CDanOptionGroup*> m_arGroups;
};
