#pragma once
#include "views/CDivePage.h"

class CDiveData : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveData(CViewerContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
};
