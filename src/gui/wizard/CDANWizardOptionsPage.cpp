#include "wizard/CDANWizardOptionsPage.h"

#include <QGridLayout>

#include "wizard/CDanOptionGroup.h"

CDANWizardOptionsPage::CDANWizardOptionsPage(const char* name, int subtitleId,
                                             std::initializer_list<EDanList> lists, QWidget* parent)
    : CDANWizardPage(name, subtitleId, parent) {
    // Two groups to a row; three groups put the last one across the whole width.
    auto* grid = new QGridLayout(this);
    const int count = static_cast<int>(lists.size());
    int k = 0;
    for (EDanList list : lists) {
        const bool lastAlone = count % 2 == 1 && k == count - 1;
        auto* group = new CDanOptionGroup(list, this, lastAlone ? 3 : 0);
        m_arGroups.push_back(group);
        grid->addWidget(group, k / 2, k % 2, 1, lastAlone ? 2 : 1);
        ++k;
    }
    grid->setRowStretch((count + 1) / 2, 1);
}

CDanOptionGroup* CDANWizardOptionsPage::Group(EDanList list) const {
    for (CDanOptionGroup* g : m_arGroups)
        if (g->List() == list)
            return g;
    return nullptr;
}

void CDANWizardOptionsPage::Load(const CDanDetails& details, const CDanAnswers& answers) {
    CDanDetails d = details;
    CDanAnswers a = answers;
    for (CDanOptionGroup* g : m_arGroups)
        g->SetPosition(Choice(g->List(), d, a));
}

void CDANWizardOptionsPage::Store(CDanDetails& details, CDanAnswers& answers) const {
    for (CDanOptionGroup* g : m_arGroups)
        Choice(g->List(), details, answers) = g->Position();
}
