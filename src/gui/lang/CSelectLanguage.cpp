#include "lang/CSelectLanguage.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/AppStrings.h"
#include "viewmodel/ProfileStrings.h"
#include "views/CPageContext.h"

CSelectLanguage::CSelectLanguage(std::vector<uint16_t> ids, const QStringList& names,
                                 uint16_t current, QWidget* parent)
    : QDialog(parent), m_arIds(std::move(ids)) {
    setObjectName(QStringLiteral("SelectLanguage"));
    setWindowTitle(CPageContext::Str(appstr::kSelectLanguageTitle));
    auto* column = new QVBoxLayout(this);
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("languages"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < names.size() && size_t(i) < m_arIds.size(); ++i) {
        m_pList->addItem(names[i]);
        if (m_arIds[size_t(i)] == current && m_pList->selectedItems().isEmpty()) {
            m_pList->setCurrentRow(i);
        }
    }
    column->addWidget(m_pList);

    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton(CPageContext::Str(profile_text::kOk), QDialogButtonBox::AcceptRole);
    m_pOk->setObjectName(QStringLiteral("ok"));
    m_pOk->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    QPushButton* cancel =
        buttons->addButton(CPageContext::Str(profile_text::kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    column->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CSelectLanguage::UpdateOk);
    // A double click is the same as choosing the entry and OK.
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_pOk->isEnabled())
            accept();
    });
    UpdateOk();
    resize(qMax(sizeHint().width(), 280), 240);
}

void CSelectLanguage::UpdateOk() {
    m_pOk->setEnabled(!m_pList->selectedItems().isEmpty());
}

uint16_t CSelectLanguage::Chosen() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (selected.isEmpty())
        return 0;
    const int row = m_pList->row(selected.first());
    return row >= 0 && size_t(row) < m_arIds.size() ? m_arIds[size_t(row)] : 0;
}
