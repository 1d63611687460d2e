#include "views/CDiveProfile.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/MimicModel.h"
#include "viewmodel/ReadoutText.h"
#include "viewmodel/TraceValue.h"
#include "views/CPageContext.h"
#include "views/ProfileAlarms.h"
#include "views/ProfileChart.h"
#include "views/ProfileMimic.h"
#include "views/ProfileReadout.h"

CDiveProfile::CDiveProfile(CPageContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {
    m_model.SetLog(&m_ctx.Log());
    m_pChart = new CProfileChart(m_model, m_ctx, this);
    m_pAlarms = new CProfileAlarms(this);
    m_pMimic = new CProfileMimic(this);
    m_pHeader = new CProfileReadout(CProfileReadout::Area::Header, m_model, this);
    m_pLines = new CProfileReadout(CProfileReadout::Area::Lines, m_model, this);

    auto* readout = new QVBoxLayout;
    readout->setSpacing(3);
    readout->addWidget(m_pHeader);
    readout->addWidget(m_pLines);
    readout->addStretch();
    auto* mimic = new QVBoxLayout;
    mimic->addWidget(m_pMimic);
    mimic->addStretch();
    // The mimic and the readout keep their sizes and stay in view; on a narrow screen the lamps
    // give way and scroll sideways instead of holding the window wider than the screen.
    m_pStrip = new QScrollArea(this);
    m_pStrip->setObjectName(QStringLiteral("alarmStrip"));
    m_pStrip->setWidget(m_pAlarms);
    m_pStrip->setWidgetResizable(true);
    m_pStrip->setFrameShape(QFrame::NoFrame);
    m_pStrip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pStrip->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pStrip->viewport()->setAutoFillBackground(false);
    m_pAlarms->setAutoFillBackground(false);
    m_pStrip->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pStrip, 1);
    bottom->addLayout(mimic);
    bottom->addLayout(readout);
    auto* page = new QVBoxLayout(this);
    page->addWidget(m_pChart, 1);
    page->addLayout(bottom);

    connect(m_pChart, &CProfileChart::chartChanged, this, &CDiveProfile::RedrawProfile);

    FitStripHeight();

    m_model.Reset();
    m_pAlarms->SetIdle();
    ApplyTraceSettings();
    m_bInitialised = true;
    Refresh();
}

void CDiveProfile::FitStripHeight() {
    // Room for the lamps and, when the page is too narrow for them, their scroll bar. A
    // sliver of them is always in view, so the diver sees there is more.
    const int content = m_pAlarms->minimumSizeHint().height();
    m_pStrip->setFixedHeight(content + m_pStrip->horizontalScrollBar()->sizeHint().height());
    m_pStrip->setMinimumWidth(120);
}

void CDiveProfile::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FitStripHeight();
    CDivePage::changeEvent(event);
}

void CDiveProfile::Refresh() {
    if (!m_bHaveGeneration || m_nGeneration != m_ctx.Generation()) {
        // A new file (or none): its dive times and window replace the old zoom.
        m_bHaveGeneration = true;
        m_nGeneration = m_ctx.Generation();
        m_model.TakeLoadedTimes();
        m_mimic.TakeLog(m_ctx.Log());
    }
    RedrawProfile();
}

void CDiveProfile::SetTexts() {
    m_pAlarms->SetTexts();
    RedrawProfile();
}

void CDiveProfile::ApplyTraceSettings() {
    m_model.ApplyTraceSettings(m_ctx.Settings().Traces());
    RedrawProfile();
}

QImage CDiveProfile::RenderChart(const QSize& size, qreal devicePixelRatio) const {
    return m_pChart->Render(size, devicePixelRatio);
}

void CDiveProfile::RedrawProfile() {
    if (m_bRedrawing || !m_bInitialised)
        return;
    m_bRedrawing = true;
    const bool metric = m_ctx.IsMetric();
    m_pChart->SetMetric(metric);
    m_pHeader->SetMetric(metric);
    m_pLines->SetMetric(metric);
    m_pChart->Redraw();
    DrawMimic();
    m_pHeader->update();
    m_pLines->update();
    UpdateLamps();
    m_bRedrawing = false;
}

void CDiveProfile::DrawMimic() {
    if (!m_model.IsLoaded()) {
        m_pMimic->SetPicture(CMimicPicture{}, false);
        return;
    }
    if (!m_bBatteryMessageWritten) {
        const CDisplayBattery battery = DisplayBattery(m_ctx.Log());
        if (!battery.notice.empty()) {
            m_bBatteryMessageWritten = true;
            m_ctx.WriteStatusLine(battery.notice);
        }
    }
    const CMimicInput in = m_mimic.At(m_model.CursorSample(), m_model.State(), m_ctx.IsMetric());
    m_pMimic->SetPicture(BuildMimic(in), true);
}

void CDiveProfile::UpdateLamps() {
    if (!m_model.IsLoaded()) {
        m_pAlarms->SetIdle();
        return;
    }
    const CDiveLog& log = m_ctx.Log();
    m_pAlarms->Update(*log.m_arSamples[m_model.CursorSample()], log.VersionLevel(4));
}
