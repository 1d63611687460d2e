#include "views/CDiveLogBook.h"

CDiveLogBook::CDiveLogBook(CViewerContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {}

void CDiveLogBook::Refresh() {}
