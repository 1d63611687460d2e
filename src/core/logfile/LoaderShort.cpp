// The main pass for files in the short layout: lines carry no clock of their own, so the time
// scale advances by the sample interval and is set from the date-time records.
#include <cmath>

#include "logfile/CDiveLogPreDive.h"
#include "logfile/FieldParsers.h"
#include "logfile/LoaderInternal.h"
#include "statuslog/CReport.h"

void CLogLoader::DispatchShort(unsigned type, std::string_view line) {
    switch (type) {
    case 0x00:
        ShortPowerOn(line);
        break;
    case 0x03:
        ShortDiveStart(line);
        break;
    case 0x06:
        ShortDepth(line);
        break;
    case 0x07:
        ShortStatus(line);
        break;
    case 0x08:
        ShortDiveEnd(line);
        break;
    case 0x0B:
        ShortStamp(line);
        break;
    case 0x1B:
        TakeSampleInterval(type, line);
        m_shortClock.Reference(ShortDateTime(line));
        break;
    case 0x1C:
    case 0x1D:
        ShortRestart(type, line);
        break;
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x33:
        DecodeSolenoidRecord(type, line, m_shortClock.Time(), false, m_log.m_dDiveStartTime,
                             m_solenoid, m_log.m_arSolenoidC1, m_log.m_arSolenoidC2);
        break;
    case 0x7F:
        ShortPowerOff(line);
        break;
    default:
        DispatchShared(type, line);
        break;
    }
}

CDateTime CLogLoader::ShortDateTime(std::string_view line) const {
    if (line.size() != CRecordFormat::kShortLineLength)
        return CDateTime::Invalid();
    return ParseDateTime(line, 2);
}

// Where the sample interval comes from changed with the display code: older units put it in the
// power-on record, newer ones in the restart and reference records; 0x0B always carries it.
void CLogLoader::TakeSampleInterval(unsigned type, std::string_view line) {
    if (line.size() != CRecordFormat::kShortLineLength)
        return;
    const bool level5 = m_format.level5;
    const bool carries = (type == 0x00 && !level5) || type == 0x0B ||
                         ((type == 0x1B || type == 0x1C || type == 0x1D) && level5);
    if (carries)
        m_log.m_nSampleInterval = static_cast<int>(ParseHex(line, 30, 2));
}

void CLogLoader::ShortPowerOn(std::string_view line) {
    CDiveLogPreDive* preDive = NewPreDive(line);
    if (!m_dive.InDive()) {
        // A power-on outside a dive starts the log afresh: what came before was surface time of
        // an earlier power-on period.
        TakeSampleInterval(0x00, line);
        m_shortClock.Restart(ShortDateTime(line));
        m_log.m_arSamples.clear();
        m_log.m_arSolenoidC1.clear();
        m_log.m_arSolenoidC2.clear();
        m_nSampleCount = 0;
        // The deleted samples must not be written into by the lines before the next sample.
        m_pSample = nullptr;
        ClearLatest();
    }
    if (m_power.PowerOn()) {
        m_shortClock.MoveTo(preDive->m_dtPowerOn);
        MakeSample(m_shortClock.Time(), 0x00, m_latest[k06]);
    }
}

void CLogLoader::ShortDiveStart(std::string_view line) {
    if (m_divePhase.Start()) {
        m_dive.Enter();
        if (m_pPreDive) {
            m_pPreDive->Decode(0x03, line, m_format);
            m_shortClock.MoveTo(m_pPreDive->m_dtDiveStart, m_pPreDive->m_dtPowerOn);
        }
        m_log.m_dDiveStartTime = m_shortClock.Time();
        m_log.m_dtDiveStart = ShortDateTime(line);
    }
    m_power.Running();
    MakeSample(m_shortClock.Time(), 0x03, m_latest[k06]);
    m_shortClock.Hold();
}

void CLogLoader::ShortDepth(std::string_view line) {
    m_shortClock.Depth(ClampedInterval());
    MakeSample(m_shortClock.Time(), 0x06, line);
    GiveDepthLine(line);
    SetLatest(k06, line);
}

void CLogLoader::ShortStatus(std::string_view line) {
    CDiveLogSample& sample =
        MakeSample(m_shortClock.StatusTime(ClampedInterval()), 0x07, m_latest[k06], true);
    sample.DecodeLine(0x07, line, m_format);
    if (m_depthLines != kLaterDepthLines)
        GivePreDive(0x07, line);
    SetLatest(k07, line);
}

void CLogLoader::ShortDiveEnd(std::string_view line) {
    if (m_pPreDive) {
        m_pPreDive->Decode(0x08, line, m_format);
        // The dive end takes the time of the last sample.
        if (!m_log.m_arSamples.empty())
            m_shortClock.SetTime(m_log.m_arSamples.Time(m_log.m_arSamples.size() - 1));
        const double t = m_shortClock.Time();
        CDiveLogSample& sample = MakeSample(t, 0x08, m_latest[k06]);
        // The unit is at the surface when it ends the dive.
        sample.SetPressure(m_pPreDive->m_dCurrentSurfacePressure);
        m_pPreDive->m_dEndTime = t;
        m_dive.End(true);
    }
    m_shortClock.EndDive();
}

void CLogLoader::ShortStamp(std::string_view line) {
    if (m_pPreDive) {
        if (m_format.level4)
            TakeSampleInterval(0x0B, line);
        const CDateTime stamp = ShortDateTime(line);
        if (!stamp.IsValid()) {
            m_report.Printf(ReportKind::kNotice, m_nLine,
                            "Invalid Date / Time in 0x0B message %.*s at line %d. Record skipped",
                            static_cast<int>(line.size()), line.data(), m_nLine);
        } else {
            // After the dive's end the stamp is placed against the end, on the dive's scale.
            if (!m_dive.AfterEnd())
                m_shortClock.MoveTo(stamp);
            else
                m_shortClock.MoveTo(stamp, m_pPreDive->m_dtDiveEnd, m_pPreDive->m_dEndTime);
            MakeSample(m_shortClock.Time(), 0x0B, m_latest[k06], true);
        }
    }
    m_shortClock.Hold();
}

void CLogLoader::ShortRestart(unsigned type, std::string_view line) {
    TakeSampleInterval(type, line);
    const CDateTime restart = ShortDateTime(line);
    if (!restart.IsValid())
        return;
    m_shortClock.MoveTo(restart);
    CDiveLogSample& sample = MakeSample(m_shortClock.Time(), type, m_latest[k06], true);
    sample.m_bWarmRestart = type == 0x1C;
    sample.m_bColdRestart = type == 0x1D;
}

void CLogLoader::ShortPowerOff(std::string_view line) {
    if (!m_pPreDive)
        return;
    m_pPreDive->Decode(0x7F, line, m_format);
    m_power.PowerOff();
    m_shortClock.MoveTo(m_pPreDive->m_dtPowerOff);
    MakeSample(m_shortClock.Time(), 0x7F, m_latest[k06]);
}
