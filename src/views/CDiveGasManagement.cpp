#include "views/CDiveGasManagement.h"

CDiveGasManagement::CDiveGasManagement(CViewerContext& ctx, QWidget* parent)
    : CDivePage(ctx, parent) {}

void CDiveGasManagement::Refresh() {}
