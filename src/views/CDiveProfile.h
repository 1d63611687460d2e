#pragma once
#include "views/CDivePage.h"

class CDiveProfile : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveProfile(CViewerContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
};
