#include "wizard/CDanOptionGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include "app/CViewerContext.h"

CDanOptionGroup::CDanOptionGroup(EDanList list, QWidget* parent, int columns)
    : QGroupBox(parent), m_list(list), m_pButtons(new QButtonGroup(this)) {
    const CDanChoiceList& choices = DanChoiceList(list);
    setTitle(CViewerContext::Str(choices.labelId));
    setObjectName(QString::fromLatin1(choices.valueName.data(),
                                      static_cast<qsizetype>(choices.valueName.size())));
    const int n = static_cast<int>(choices.options.size());
    if (columns <= 0)
        columns = n > 5 ? 2 : 1;
    const int rows = (n + columns - 1) / columns;
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    for (int k = 0; k < n; ++k) {
        auto* button = new QRadioButton(CViewerContext::Str(choices.firstOptionId + k), this);
        m_pButtons->addButton(button, k);
        m_arButtons.push_back(button);
        // Down the first column, then the next, as a list is read.
        grid->addWidget(button, k % rows, k / rows);
    }
    // The options keep together on the left when the group is wider than they need.
    grid->setColumnStretch(columns, 1);
    m_pButtons->setExclusive(true);
    SetPosition(0);
}

uint32_t CDanOptionGroup::Position() const {
    const int id = m_pButtons->checkedId();
    return id < 0 ? 0 : static_cast<uint32_t>(id);
}

void CDanOptionGroup::SetPosition(uint32_t position) {
    if (position >= m_arButtons.size())
        position = 0;
    m_arButtons[position]->setChecked(true);
}

QRadioButton* CDanOptionGroup::Button(int position) const {
    return position >= 0 && position < Count() ? m_arButtons[static_cast<size_t>(position)]
                                               : nullptr;
}
