#include "views/CLogBookTableModel.h"

#include "ui/Cp1252.h"
#include "viewmodel/LogBook.h"

void CLogBookTableModel::Fill(std::vector<std::string> headers, Rows rows) {
    beginResetModel();
    m_arHeaders = std::move(headers);
    m_arRows = std::move(rows);
    endResetModel();
}

int CLogBookTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_arRows.size());
}

int CLogBookTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_arHeaders.size());
}

QVariant CLogBookTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (row >= m_arRows.size() || column >= m_arRows[row].size())
        return {};
    // The unit's own texts, in its code page.
    return cp1252::ToQString(m_arRows[row][column]);
}

QVariant CLogBookTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        static_cast<std::size_t>(section) < m_arHeaders.size())
        return QString::fromLatin1(m_arHeaders[static_cast<std::size_t>(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CLogBookTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    SortListRows(m_arRows, column, order == Qt::AscendingOrder);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
