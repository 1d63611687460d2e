#include "views/CDataTableModel.h"

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"

void CDataTableModel::Fill(const CDiveLog* log, bool metric, const StringLookup& lookup) {
    beginResetModel();
    m_pLog = log;
    m_bMetric = metric;
    const bool cylinders = log && log->m_bCylinderPressures;
    m_arColumns = DataColumns(cylinders);
    m_arHeaders = DataColumnHeaders(metric, cylinders, lookup);
    m_arRows = log ? DataSampleIndices(*log) : std::vector<std::size_t>();
    m_dDiveStart = log ? DataWindow(*log).dStart : 0.0;
    endResetModel();
}

std::string CDataTableModel::ClipboardText() const {
    std::string text;
    AppendClipboardHeader(text, m_arHeaders);
    text.reserve(text.size() + m_arRows.size() * m_arColumns.size() * 7);
    for (std::size_t sample : m_arRows) {
        if (!AppendRow(text, sample))
            break;
    }
    return text;
}

std::string CDataTableModel::ClipboardText(const std::vector<int>& rows) const {
    std::string text;
    AppendClipboardHeader(text, m_arHeaders);
    text.reserve(text.size() + rows.size() * m_arColumns.size() * 7);
    for (int row : rows) {
        if (row < 0 || static_cast<std::size_t>(row) >= m_arRows.size())
            continue;
        if (!AppendRow(text, m_arRows[static_cast<std::size_t>(row)]))
            break;
    }
    return text;
}

bool CDataTableModel::AppendRow(std::string& text, std::size_t sample) const {
    if (!m_pLog || sample >= m_pLog->m_arSamples.size())
        return false; // the log was unloaded since the last fill
    AppendDataClipboardRow(text, *m_pLog->m_arSamples[sample], m_arColumns, m_dDiveStart,
                           m_bMetric);
    return true;
}

int CDataTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_arRows.size());
}

int CDataTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_arColumns.size());
}

QVariant CDataTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_pLog)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (row >= m_arRows.size() || column >= m_arColumns.size() ||
        m_arRows[row] >= m_pLog->m_arSamples.size())
        return {};
    const CDiveLogSample& s = *m_pLog->m_arSamples[m_arRows[row]];
    return QString::fromLatin1(DataCellText(s, m_arColumns[column], m_dDiveStart, m_bMetric));
}

QVariant CDataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= m_arHeaders.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(m_arHeaders[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}
