#pragma once
// What the Data and Log Book pages share: a list laid out like a report, header texts in the
// current language for the core's table builders, and the plain-text clipboard.
#include <string>
#include <vector>

#include "viewmodel/DataRows.h"

class QEvent;
class QObject;
class QTableView;

// Whole-row selection, no editing, no row numbers, fixed row height (the view then never
// measures rows, which keeps a long table fast).
void SetUpReportTable(QTableView& table);
// Numbered texts of the current language, in the 8-bit character set the core works in.
StringLookup PageStringLookup();
// Replaces the clipboard's contents with `text` (8-bit) as plain text.
void CopyTextToClipboard(const std::string& text);
// True for Ctrl+C (or the platform's copy key) pressed in `table` while rows are selected: the
// table's own copy would take only the one cell under the cursor.
bool IsCopyOfSelectedRows(const QTableView& table, const QObject* watched, const QEvent* event);
// The selected rows' positions in the table, top to bottom.
std::vector<int> SelectedRowsTopDown(const QTableView& table);
