#include "app/CHelpWindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/AppStrings.h"
#include "app/CViewerContext.h"

namespace {
const QUrl kContents(QStringLiteral("qrc:/help/index.html"));
}

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(CViewerContext::Str(appstr::kHelpTitle));
    setObjectName(QStringLiteral("help"));
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* contents = new QPushButton(CViewerContext::Str(appstr::kHelpContents), this);
    auto* back = new QPushButton(CViewerContext::Str(appstr::kHelpBack), this);
    auto* forward = new QPushButton(CViewerContext::Str(appstr::kHelpForward), this);
    row->addWidget(contents);
    row->addWidget(back);
    row->addWidget(forward);
    row->addStretch(1);
    column->addLayout(row);
    m_pBrowser = new QTextBrowser(this);
    // Links to the web open in the user's browser; the pages themselves stay here.
    m_pBrowser->setOpenExternalLinks(true);
    column->addWidget(m_pBrowser, 1);
    connect(contents, &QPushButton::clicked, this, &CHelpWindow::ShowContents);
    connect(back, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    resize(760, 620);
}

void CHelpWindow::ShowContents() {
    m_pBrowser->setSource(kContents);
}
