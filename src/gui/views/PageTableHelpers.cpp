#include "views/PageTableHelpers.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>
#include <algorithm>

#include "views/CPageContext.h"

void SetUpReportTable(QTableView& table) {
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setShowGrid(false);
    table.setWordWrap(false);
    table.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* rows = table.verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(table.fontMetrics().height() + 4);
    table.horizontalHeader()->setHighlightSections(false);
    table.horizontalHeader()->setStretchLastSection(false);
}

StringLookup PageStringLookup() {
    return [](int id) { return CPageContext::Str(id).toLatin1().toStdString(); };
}

void CopyTextToClipboard(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

bool IsCopyOfSelectedRows(const QTableView& table, const QObject* watched, const QEvent* event) {
    return watched == &table && event->type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
           table.selectionModel() && table.selectionModel()->hasSelection();
}

std::vector<int> SelectedRowsTopDown(const QTableView& table) {
    std::vector<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}
