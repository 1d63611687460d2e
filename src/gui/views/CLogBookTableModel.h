#pragma once
// The rows of the Log Book page as texts, in memory order until a heading is clicked.
#include <QAbstractTableModel>

#include <string>
#include <vector>

class CLogBookTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Rows = std::vector<std::vector<std::string>>;

    explicit CLogBookTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void Fill(std::vector<std::string> headers, Rows rows);
    const std::vector<std::string>& Headers() const { return m_arHeaders; }
    // In the list's current order.
    const Rows& RowTexts() const { return m_arRows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::vector<std::string> m_arHeaders;
    Rows m_arRows;
};
