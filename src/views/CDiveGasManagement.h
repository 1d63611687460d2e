#pragma once
#include "views/CDivePage.h"

class CDiveGasManagement : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveGasManagement(CViewerContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
};
