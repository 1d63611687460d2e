#pragma once
// The "Dive Profile" page: the profile chart with zoom and cursor, the readout at the cursor, the
// alarm lamps and the mimic of the controller's display.
#include <QImage>
#include <vector>

#include "viewmodel/CChartModel.h"
#include "viewmodel/CMimicCursor.h"
#include "views/CDivePage.h"

class QScrollArea;
class CProfileAlarms;
class CProfileChart;
class CProfileMimic;
class CProfileReadout;

class CDiveProfile : public CDivePage {
    Q_OBJECT
public:
    explicit CDiveProfile(CPageContext& ctx, QWidget* parent = nullptr);

    // After a load (takes the new dive times and window), an unload or a units change.
    void Refresh() override;
    void SetTexts() override;

    // Takes the chart settings over (after Chart Options closed with OK) and redraws.
    void ApplyTraceSettings();
    // Chart, mimic, readout and lamps from the current state.
    void RedrawProfile();

    // The chart's state for printing and image export.
    const CChartModel& Chart() const { return m_model; }
    CChartModel& Chart() { return m_model; }
    // The chart as the screen shows it, at any size.
    QImage RenderChart(const QSize& size, qreal devicePixelRatio = 1.0) const;

    CProfileChart* ChartWidget() const { return m_pChart; }
    CProfileReadout* ReadoutHeader() const { return m_pHeader; }
    CProfileReadout* ReadoutLines() const { return m_pLines; }
    CProfileAlarms* Alarms() const { return m_pAlarms; }
    CProfileMimic* Mimic() const { return m_pMimic; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void FitStripHeight();
    void DrawMimic();
    void UpdateLamps();

    CChartModel m_model;
    QScrollArea* m_pStrip = nullptr;
    CProfileChart* m_pChart = nullptr;
    CProfileReadout* m_pHeader = nullptr;
    CProfileReadout* m_pLines = nullptr;
    CProfileAlarms* m_pAlarms = nullptr;
    CProfileMimic* m_pMimic = nullptr;
    bool m_bInitialised = false;
    bool m_bRedrawing = false;
    bool m_bBatteryMessageWritten = false; // once per page lifetime
    // The load the chart's times and window come from.
    unsigned m_nGeneration = 0;
    bool m_bHaveGeneration = false;
    CMimicCursor m_mimic;
};
