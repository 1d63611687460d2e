#include "views/CDiveProfile.h"

CDiveProfile::CDiveProfile(CViewerContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {}

void CDiveProfile::Refresh() {}
