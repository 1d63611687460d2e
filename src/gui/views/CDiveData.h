#pragma once
// The "Data" page: the samples of the dive as a table, one row per sample and one column per
// logged quantity, and a button that copies the whole table to the clipboard.
#include "views/CDivePage.h"

class QPushButton;
class QTableView;
class CDataTableModel;

class CDiveData : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveData(CPageContext& ctx, QWidget* parent = nullptr);
    // After a load, an unload or a units change: rebuild columns and rows.
    void Refresh() override;
    // After a language change: the button text and the headers.
    void SetTexts() override;

    // The table's clipboard text (what Copy To Clipboard puts there).
    std::string ClipboardText() const;
    // What Ctrl+C in the table copies: the header and the selected rows, top to bottom.
    std::string SelectionClipboardText() const;
    QTableView* Table() const { return m_pTable; }
    QPushButton* CopyButton() const { return m_pCopy; }

public slots:
    void OnCopyToClipboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SizeColumnsToHeaders();

    QTableView* m_pTable = nullptr;
    CDataTableModel* m_pModel = nullptr;
    QPushButton* m_pCopy = nullptr;
};
