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
    setObjectName(QStringLiteral("help"));
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* contents = m_pContents = new QPushButton(this);
    auto* back = m_pBack = new QPushButton(this);
    auto* forward = m_pForward = new QPushButton(this);
    SetTexts();
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

void CHelpWindow::SetTexts() {
    setWindowTitle(CViewerContext::Str(appstr::kHelpTitle));
    m_pContents->setText(CViewerContext::Str(appstr::kHelpContents));
    m_pBack->setText(CViewerContext::Str(appstr::kHelpBack));
    m_pForward->setText(CViewerContext::Str(appstr::kHelpForward));
}

void CHelpWindow::ShowContents() {
    m_pBrowser->setSource(kContents);
}
