#pragma once
#include "views/CDivePage.h"

class CDiveInformation : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveInformation(CViewerContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
};
