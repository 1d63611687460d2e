#pragma once
// The "Log Book" page: the dives the rebreather's own log book remembers (number, date and time,
// duration, maximum depth), read from the memory copies the log file carries. Clicking a heading
// sorts by that column, clicking it again reverses the order.
#include <string>
#include <vector>

#include "views/CDivePage.h"

class QGroupBox;
class QPushButton;
class QTableView;
class CLogBookTableModel;

class CDiveLogBook : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveLogBook(CPageContext& ctx, QWidget* parent = nullptr);
    // After a load, an unload or a units change: re-read the entries in memory order.
    void Refresh() override;
    // After a language change: group box, buttons and headings.
    void SetTexts() override;

    // The list as shown (current order), for the clipboard and the printed log book.
    const std::vector<std::string>& Headers() const;
    const std::vector<std::vector<std::string>>& RowTexts() const;
    std::string ClipboardText() const;
    // What Ctrl+C in the list copies: the headings and the selected rows as shown.
    std::string SelectionClipboardText() const;

    QTableView* Table() const { return m_pTable; }
    QPushButton* CopyButton() const { return m_pCopy; }
    QPushButton* PrintButton() const { return m_pPrint; }

signals:
    // The Print button: the main window prints the list as it is shown.
    void printRequested();

public slots:
    void OnCopyToClipboard();
    void SortByColumn(int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* m_pGroup = nullptr;
    QTableView* m_pTable = nullptr;
    CLogBookTableModel* m_pModel = nullptr;
    QPushButton* m_pPrint = nullptr;
    QPushButton* m_pCopy = nullptr;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};
