#pragma once
// The rows of the Data page: one per sample inside the dive window. Cell texts are made only
// when the view asks for them, so a day-long log at one-second intervals fills at once.
#include <QAbstractTableModel>
#include <QStringList>

#include <cstddef>
#include <vector>

#include "viewmodel/DataRows.h"

class CDiveLog;

class CDataTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CDataTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Re-reads the samples, the cylinder flag and the units; headers come from `lookup`.
    void Fill(const CDiveLog* log, bool metric, const StringLookup& lookup);
    // Header line and every row, tab-separated, in the 8-bit character set.
    std::string ClipboardText() const;
    // The same for the given rows only (positions in the table, in the order given).
    std::string ClipboardText(const std::vector<int>& rows) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Appends the row showing sample `sample`; false once the log has gone since the last fill.
    bool AppendRow(std::string& text, std::size_t sample) const;

    const CDiveLog* m_pLog = nullptr;
    bool m_bMetric = true;
    double m_dDiveStart = 0.0;
    std::vector<EDataColumn> m_arColumns;
    std::vector<std::string> m_arHeaders;
    std::vector<std::size_t> m_arRows; // sample indices
};
