#include "views/CDiveData.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "views/CDataTableModel.h"
#include "views/CPageContext.h"
#include "views/PageTableHelpers.h"

namespace {
constexpr int kStrCopyToClipboard = 2226;
constexpr int kMinColumnWidth = 50;
} // namespace

CDiveData::CDiveData(CPageContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {
    m_pModel = new CDataTableModel(this);
    m_pTable = new QTableView(this);
    m_pTable->setObjectName("DataTable");
    m_pTable->setModel(m_pModel);
    SetUpReportTable(*m_pTable);
    m_pTable->installEventFilter(this);

    m_pCopy = new QPushButton(this);
    m_pCopy->setObjectName("CopyToClipboard");
    m_pCopy->setIcon(QIcon::fromTheme("edit-copy"));
    connect(m_pCopy, &QPushButton::clicked, this, &CDiveData::OnCopyToClipboard);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pCopy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTable, 1);
    layout->addLayout(buttons);

    m_pCopy->setText(CPageContext::Str(kStrCopyToClipboard));
    Refresh();
}

void CDiveData::Refresh() {
    m_pModel->Fill(&m_ctx.Log(), m_ctx.IsMetric(), PageStringLookup());
    SizeColumnsToHeaders();
}

void CDiveData::SetTexts() {
    m_pCopy->setText(CPageContext::Str(kStrCopyToClipboard));
    Refresh();
}

void CDiveData::SizeColumnsToHeaders() {
    QHeaderView* header = m_pTable->horizontalHeader();
    for (int c = 0; c < m_pModel->columnCount(); ++c)
        header->resizeSection(c, std::max(kMinColumnWidth, header->sectionSizeHint(c)));
}

std::string CDiveData::ClipboardText() const {
    return m_pModel->ClipboardText();
}

std::string CDiveData::SelectionClipboardText() const {
    return m_pModel->ClipboardText(SelectedRowsTopDown(*m_pTable));
}

bool CDiveData::eventFilter(QObject* watched, QEvent* event) {
    // The rows the diver marked, with the header line that says what each column is.
    if (IsCopyOfSelectedRows(*m_pTable, watched, event)) {
        CopyTextToClipboard(SelectionClipboardText());
        return true;
    }
    return CDivePage::eventFilter(watched, event);
}

void CDiveData::OnCopyToClipboard() {
    CopyTextToClipboard(ClipboardText());
}
