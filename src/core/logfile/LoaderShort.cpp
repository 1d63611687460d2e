// The main pass for files in the short layout: lines carry no clock of their own, so the time
// scale advances by the sample interval and is set from the date-time records.
#include <cmath>

#include "logfile/CDiveLogPreDive.h"
#include "logfile/FieldParsers.h"
#include "logfile/LoaderInternal.h"
#include "statuslog/CReport.h"

void CLogLoader::DispatchShort(unsigned type, std::string_view line) {
    const bool fullLine = line.size() == CRecordFormat::kShortLineLength;
    switch (type) {
    case 0x00:
        ShortPowerOn(line);
        break;
    case 0x01:
    case 0x02:
        GivePreDive(type, line);
        if (!m_bInDive && fullLine)
            m_log.m_dSurfacePressure = ParseHex(line, type == 0x01 ? 20 : 2, 4);
        break;
    case 0x03:
        ShortDiveStart(line);
        break;
    case 0x04:
    case 0x14:
        SampleLine(type, k04, line);
        if (!m_bFirst04 && m_pPreDive) {
            m_pPreDive->Decode(type, line, m_format);
            m_bFirst04 = true;
        }
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
    case 0x09:
    case 0x19:
        SampleLine(type, type == 0x09 ? k09 : k19, line);
        m_log.m_GasManagement.Decode(type, line, m_format);
        break;
    case 0x0A:
    case 0x1A:
        SampleLine(type, type == 0x0A ? k0A : k1A, line);
        m_log.m_bCylinderPressures = true;
        break;
    case 0x0B:
        ShortStamp(line);
        break;
    case 0x0C:
        SampleLine(type, k0C, line);
        break;
    case 0x0D:
        SampleLine(type, k0D, line);
        break;
    case 0x40:
        SampleLine(type, k40, line);
        break;
    case 0x13:
    case 0x20:
    case 0x42:
        GivePreDive(type, line);
        break;
    case 0x1B: {
        TakeSampleInterval(type, line);
        double d = 0.0;
        if (SecondsBetween(ShortDateTime(line), m_dtFirstPowerOn, d))
            m_nRefTime = static_cast<long long>(d);
        break;
    }
    case 0x1C:
    case 0x1D:
        ShortRestart(type, line);
        break;
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x33:
        DecodeSolenoidRecord(type, line, m_dTime, false, m_log.m_dDiveStartTime, m_solenoid,
                             m_log.m_arSolenoidC1, m_log.m_arSolenoidC2);
        break;
    case 0x7F:
        ShortPowerOff(line);
        break;
    default:
        CommonRecord(type, line);
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
    if (!m_bInDive) {
        // A power-on outside a dive starts the log afresh: what came before was surface time of
        // an earlier power-on period.
        TakeSampleInterval(0x00, line);
        m_dtFirstPowerOn = ShortDateTime(line);
        m_log.m_arSamples.clear();
        m_log.m_arSolenoidC1.clear();
        m_log.m_arSolenoidC2.clear();
        m_nSampleCount = 0;
        // The deleted samples must not be written into by the lines before the next sample.
        m_pSample = nullptr;
        ClearLatest();
        m_dTime = 0.0;
    }
    m_bPowered = true;
    if (m_bPowerOnSeen) {
        double d = 0.0;
        if (SecondsBetween(preDive->m_dtPowerOn, m_dtFirstPowerOn, d))
            m_dTime = Whole(d);
        MakeSample(m_dTime, 0x00, m_latest[k06]);
    } else {
        m_bPowerOnSeen = true;
    }
}

void CLogLoader::ShortDiveStart(std::string_view line) {
    if (m_nDiveState == 0) {
        m_nDiveState = 1;
        m_bInDive = true;
        if (m_pPreDive) {
            m_pPreDive->Decode(0x03, line, m_format);
            double d = 0.0;
            if (SecondsBetween(m_pPreDive->m_dtDiveStart, m_pPreDive->m_dtPowerOn, d))
                m_dTime = Whole(d);
        }
        m_log.m_dDiveStartTime = m_dTime;
        m_log.m_dtDiveStart = ShortDateTime(line);
    }
    m_bPowered = true;
    MakeSample(m_dTime, 0x03, m_latest[k06]);
    m_bHoldTime = true;
}

void CLogLoader::ShortDepth(std::string_view line) {
    if (!m_bHoldTime)
        m_dTime = Whole(m_dTime + ClampedInterval());
    MakeSample(m_dTime, 0x06, line);
    m_bHoldTime = false;
    if (!m_bFirst06) {
        if (m_pPreDive) {
            m_pPreDive->Decode(0x06, line, m_format);
            m_bFirst06 = true;
        }
    } else {
        m_bSecond06 = true;
    }
    SetLatest(k06, line);
    if (m_bSync && ++m_nSyncCount > 1) {
        m_bSync = false;
        m_nSyncCount = 0;
    }
}

// Records 0x07 may lag their 0x06: with a 0x1B reference the unit says how far, counted from the
// moment the reference was taken.
double CLogLoader::Time07() {
    if (m_nRefTime != -1 && !m_bSync) {
        m_bSync = true;
        m_nSyncTime = m_nRefTime;
    } else if (!m_bSync) {
        return m_dTime;
    }
    const long long interval = ClampedInterval();
    const long long t = static_cast<long long>(Whole(m_dTime));
    long long n = t + m_nRefTime - interval * m_nSyncCount - m_nSyncTime;
    if (n < t)
        n = t;
    return static_cast<double>(n > t + interval ? t + interval : n);
}

void CLogLoader::ShortStatus(std::string_view line) {
    CDiveLogSample& sample = MakeSample(Time07(), 0x07, m_latest[k06], true);
    sample.DecodeLine(0x07, line, m_format);
    if (!m_bSecond06)
        GivePreDive(0x07, line);
    SetLatest(k07, line);
}

void CLogLoader::ShortDiveEnd(std::string_view line) {
    if (m_pPreDive) {
        m_pPreDive->Decode(0x08, line, m_format);
        const double t =
            m_log.m_arSamples.empty() ? Whole(m_dTime) : Whole(m_log.m_arSamples.back()->m_dTime);
        m_dTime = t;
        CDiveLogSample& sample = MakeSample(t, 0x08, m_latest[k06]);
        // The unit is at the surface when it ends the dive.
        sample.SetPressure(m_pPreDive->m_dCurrentSurfacePressure);
        m_pPreDive->m_dEndTime = t;
        m_bAfterDiveEnd = true;
    }
    m_bSync = false;
    m_nRefTime = -1;
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
            double d = 0.0;
            if (!m_bAfterDiveEnd) {
                if (SecondsBetween(stamp, m_dtFirstPowerOn, d))
                    m_dTime = Whole(d);
            } else if (SecondsBetween(stamp, m_pPreDive->m_dtDiveEnd, d)) {
                m_dTime = Whole(d + m_pPreDive->m_dEndTime);
            }
            MakeSample(m_dTime, 0x0B, m_latest[k06], true);
        }
    }
    m_bHoldTime = true;
}

void CLogLoader::ShortRestart(unsigned type, std::string_view line) {
    TakeSampleInterval(type, line);
    const CDateTime restart = ShortDateTime(line);
    if (!restart.IsValid())
        return;
    double d = 0.0;
    if (SecondsBetween(restart, m_dtFirstPowerOn, d))
        m_dTime = Whole(d);
    CDiveLogSample& sample = MakeSample(m_dTime, type, m_latest[k06], true);
    sample.m_bWarmRestart = type == 0x1C;
    sample.m_bColdRestart = type == 0x1D;
}

void CLogLoader::ShortPowerOff(std::string_view line) {
    if (!m_pPreDive)
        return;
    m_pPreDive->Decode(0x7F, line, m_format);
    m_bPowered = false;
    double d = 0.0;
    if (SecondsBetween(m_pPreDive->m_dtPowerOff, m_dtFirstPowerOn, d))
        m_dTime = Whole(d);
    MakeSample(m_dTime, 0x7F, m_latest[k06]);
}
