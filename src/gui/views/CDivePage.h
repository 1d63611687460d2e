#pragma once
// One tab of the main window. Pages read the model at each Refresh and keep no copies of sample
// values.
#include <QWidget>

class CPageContext;

class CDivePage : public QWidget {
    Q_OBJECT
public:
    CDivePage(CPageContext& ctx, QWidget* parent = nullptr) : QWidget(parent), m_ctx(ctx) {}
    // After a load, an unload, a units change.
    virtual void Refresh() = 0;
    // After a language change: reload every label from the string table.
    virtual void SetTexts() {}

protected:
    CPageContext& m_ctx;
};
