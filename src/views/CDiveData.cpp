#include "views/CDiveData.h"

CDiveData::CDiveData(CViewerContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {}

void CDiveData::Refresh() {}
