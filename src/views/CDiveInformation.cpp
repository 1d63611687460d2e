#include "views/CDiveInformation.h"

CDiveInformation::CDiveInformation(CViewerContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {}

void CDiveInformation::Refresh() {}
