#include "views/CDiveProfile.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppStatusLog.h"
#include "app/CViewerContext.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/MimicModel.h"
#include "viewmodel/ReadoutText.h"
#include "viewmodel/TraceValue.h"
#include "views/ProfileAlarms.h"
#include "views/ProfileChart.h"
#include "views/ProfileMimic.h"
#include "views/ProfileReadout.h"

CDiveProfile::CDiveProfile(CViewerContext& ctx, QWidget* parent) : CDivePage(ctx, parent) {
    m_model.SetLog(&m_ctx.Log());
    m_pChart = new CProfileChart(m_model, this);
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
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pAlarms);
    bottom->addStretch();
    bottom->addLayout(mimic);
    bottom->addLayout(readout);
    auto* page = new QVBoxLayout(this);
    page->addWidget(m_pChart, 1);
    page->addLayout(bottom);

    connect(m_pChart, &CProfileChart::chartChanged, this, &CDiveProfile::RedrawProfile);

    m_model.Reset();
    m_pAlarms->SetIdle();
    ApplyTraceSettings();
    m_bInitialised = true;
    Refresh();
}

CDiveProfile::CLoadSignature CDiveProfile::CurrentSignature() const {
    const CDiveLog& log = m_ctx.Log();
    CLoadSignature s;
    s.samples = log.m_arSamples.data();
    s.count = log.m_arSamples.size();
    s.loaded = log.m_bFileLoaded;
    s.diveStart = log.m_ChartRange.diveStart;
    s.diveEnd = log.m_ChartRange.diveEnd;
    s.logEnd = log.m_ChartRange.logEnd;
    s.path = log.m_strFilePath;
    return s;
}

void CDiveProfile::Refresh() {
    const CLoadSignature now = CurrentSignature();
    if (!(now == m_loaded)) {
        // A new file (or none): its dive times and window replace the old zoom.
        m_loaded = now;
        m_model.TakeLoadedTimes();
        const CDiveLog& log = m_ctx.Log();
        m_arMaxDepthSoFar.assign(log.m_arSamples.size(), 0.0);
        double deepest = 0.0;
        for (size_t i = 0; i < log.m_arSamples.size(); ++i) {
            deepest = std::max(deepest, log.m_arSamples[i]->GetDepth());
            m_arMaxDepthSoFar[i] = deepest;
        }
    }
    RedrawProfile();
}

void CDiveProfile::SetTexts() {
    m_pAlarms->SetTexts();
    RedrawProfile();
}

void CDiveProfile::ApplyTraceSettings() {
    m_model.ApplyTraceSettings();
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

bool CDiveProfile::DisplayLiPoly() {
    const CDiveLog& log = m_ctx.Log();
    const int bus = log.m_SysInfo.DisplayBusAddress() ? log.m_SysInfo.DisplayBusAddress() : 0xB0;
    const bool liPoly = log.m_SysInfo.BatteryLiPoly(bus);
    if (log.VersionLevel(6) && !log.m_SysInfo.BatteryTypesConsistent() &&
        !m_bBatteryMessageWritten) {
        m_bBatteryMessageWritten = true;
        TheStatusLog().Write("%s", liPoly
                                       ? "Battery types inconsistent - Display type LiPoly used"
                                       : "Battery types inconsistent - Display type Standard used");
    }
    return liPoly;
}

void CDiveProfile::DrawMimic() {
    if (!m_model.IsLoaded()) {
        m_pMimic->SetPicture(CMimicPicture{}, false);
        return;
    }
    const CDiveLog& log = m_ctx.Log();
    const size_t index = m_model.CursorSample();
    const CDiveLogSample& sample = *log.m_arSamples[index];
    CMimicInput in;
    in.sample = &sample;
    const int number = ReadoutGasNumber(sample, log.m_GasManagement);
    in.gasNumber = number;
    in.maxDepthSoFar = index < m_arMaxDepthSoFar.size() ? m_arMaxDepthSoFar[index] : 0.0;
    in.diveStartTime = log.m_dDiveStartTime;
    const CChartState& state = m_model.State();
    in.showDeco = std::any_of(std::begin(state.m_nTraceCode), std::end(state.m_nTraceCode),
                              [](int code) { return code == kCeilingCode; });
    in.metric = m_ctx.IsMetric();
    in.level3 = log.VersionLevel(3);
    in.thresholds = BatteryThresholds(log, DisplayLiPoly());
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
