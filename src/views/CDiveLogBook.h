#pragma once
#include "views/CDivePage.h"

class CDiveLogBook : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveLogBook(CViewerContext& ctx, QWidget* parent = nullptr);
    void Refresh() override;
};
