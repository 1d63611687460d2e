#include "views/CDiveLogBook.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "viewmodel/LogBook.h"
#include "views/CLogBookTableModel.h"
#include "views/CPageContext.h"
#include "views/PageTableHelpers.h"

namespace {
constexpr int kStrDisplay = 2027;
constexpr int kStrCopyToClipboard = 2226;
constexpr int kStrPrint = 2227;
} // namespace

CDiveLogBook::CDiveLogBook(CPageContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {
    m_pModel = new CLogBookTableModel(this);
    m_pGroup = new QGroupBox(this);
    m_pTable = new QTableView(m_pGroup);
    m_pTable->setObjectName("LogBookTable");
    m_pTable->setModel(m_pModel);
    SetUpReportTable(*m_pTable);
    m_pTable->installEventFilter(this);
    QHeaderView* header = m_pTable->horizontalHeader();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &CDiveLogBook::SortByColumn);

    m_pPrint = new QPushButton(this);
    m_pPrint->setObjectName("Print");
    m_pPrint->setIcon(QIcon::fromTheme("document-print"));
    m_pPrint->setEnabled(false);
    connect(m_pPrint, &QPushButton::clicked, this, &CDiveLogBook::printRequested);
    m_pCopy = new QPushButton(this);
    m_pCopy->setObjectName("CopyToClipboard");
    m_pCopy->setIcon(QIcon::fromTheme("edit-copy"));
    connect(m_pCopy, &QPushButton::clicked, this, &CDiveLogBook::OnCopyToClipboard);

    auto* groupLayout = new QVBoxLayout(m_pGroup);
    groupLayout->addWidget(m_pTable);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pPrint);
    buttons->addWidget(m_pCopy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pGroup, 1);
    layout->addLayout(buttons);

    SetTexts();
}

void CDiveLogBook::SetTexts() {
    m_pGroup->setTitle(CPageContext::Str(kStrDisplay));
    m_pPrint->setText(CPageContext::Str(kStrPrint));
    m_pCopy->setText(CPageContext::Str(kStrCopyToClipboard));
    Refresh();
}

void CDiveLogBook::Refresh() {
    const bool metric = m_ctx.IsMetric();
    std::vector<std::vector<std::string>> rows;
    for (const CLogBookEntry& entry : DecodeLogBook(m_ctx.Log()))
        rows.push_back(LogBookRowTexts(entry, metric));
    m_pModel->Fill(LogBookHeaders(metric, PageStringLookup()), std::move(rows));

    // An empty list has nothing to print.
    m_pPrint->setEnabled(m_pModel->rowCount() > 0);

    // A fresh list is in memory order: no column is sorted.
    m_nSortColumn = -1;
    m_bSortAscending = true;
    QHeaderView* header = m_pTable->horizontalHeader();
    header->setSortIndicatorShown(false);
    for (int c = 0; c < m_pModel->columnCount(); ++c)
        header->resizeSection(c, kLogBookColumnWidths[c]);
}

void CDiveLogBook::SortByColumn(int column) {
    if (column < 0 || column >= m_pModel->columnCount())
        return;
    m_bSortAscending = column == m_nSortColumn ? !m_bSortAscending : true;
    m_nSortColumn = column;
    const Qt::SortOrder order = m_bSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_pModel->sort(column, order);
    QHeaderView* header = m_pTable->horizontalHeader();
    header->setSortIndicator(column, order);
    header->setSortIndicatorShown(true);
}

const std::vector<std::string>& CDiveLogBook::Headers() const {
    return m_pModel->Headers();
}

const std::vector<std::vector<std::string>>& CDiveLogBook::RowTexts() const {
    return m_pModel->RowTexts();
}

std::string CDiveLogBook::ClipboardText() const {
    return ListClipboardText(m_pModel->Headers(), m_pModel->RowTexts());
}

std::string CDiveLogBook::SelectionClipboardText() const {
    const std::vector<std::vector<std::string>>& shown = m_pModel->RowTexts();
    std::vector<std::vector<std::string>> rows;
    for (int row : SelectedRowsTopDown(*m_pTable)) {
        if (row >= 0 && static_cast<std::size_t>(row) < shown.size())
            rows.push_back(shown[static_cast<std::size_t>(row)]);
    }
    return ListClipboardText(m_pModel->Headers(), rows);
}

bool CDiveLogBook::eventFilter(QObject* watched, QEvent* event) {
    if (IsCopyOfSelectedRows(*m_pTable, watched, event)) {
        CopyTextToClipboard(SelectionClipboardText());
        return true;
    }
    return CDivePage::eventFilter(watched, event);
}

void CDiveLogBook::OnCopyToClipboard() {
    CopyTextToClipboard(ClipboardText());
}
