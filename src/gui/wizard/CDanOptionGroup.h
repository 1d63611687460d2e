#pragma once
// One option list of the DAN wizard: a titled group of exclusive radio buttons whose value is the
// position of the checked one, counted from 0. Exactly one is always checked.
#include <QGroupBox>
#include <vector>

#include "dan/DanChoices.h"

class QButtonGroup;
class QRadioButton;

class CDanOptionGroup : public QGroupBox {
    Q_OBJECT
public:
    // `columns` 0: one column up to five options, two above.
    explicit CDanOptionGroup(EDanList list, QWidget* parent = nullptr, int columns = 0);

    EDanList List() const { return m_list; }
    uint32_t Position() const;
    // A position past the end of the list (a damaged setting) shows the first option.
    void SetPosition(uint32_t position);
    QRadioButton* Button(int position) const;
    int Count() const { return static_cast<int>(m_arButtons.size()); }

private:
    EDanList m_list;
    QButtonGroup* m_pButtons;
    std::vector<QRadioButton*> m_arButtons;
};
