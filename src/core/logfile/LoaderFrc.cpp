// The main pass for files in the FRC layout: every line carries the unit's tick count, which the
// loader moves onto the time scale of the first power-on.
#include "logfile/CDiveLogPreDive.h"
#include "logfile/FieldParsers.h"
#include "logfile/LoaderInternal.h"
#include "statuslog/CReport.h"

namespace {

// A dive shorter than this was only a dip below the start threshold: it does not count.
constexpr unsigned kMinimumDiveSeconds = 120;

} // namespace

void CLogLoader::DispatchFrc(unsigned type, std::string_view line) {
    const bool fullLine = line.size() == CRecordFormat::kFrcLineLength;
    switch (type) {
    case 0x00:
        FrcPowerOn(line);
        break;
    case 0x01:
    case 0x02:
        GivePreDive(type, line);
        if (!m_bInDive && fullLine)
            m_log.m_dSurfacePressure = ParseHex(line, type == 0x01 ? 26 : 10, 4);
        break;
    case 0x03:
        FrcDiveStart(line);
        break;
    case 0x06:
        MakeSample(m_dLineTime, 0x06, line);
        if (!m_bFirst06 && m_pPreDive) {
            m_pPreDive->Decode(0x06, line, m_format);
            m_bFirst06 = true;
        }
        SetLatest(k06, line);
        break;
    case 0x08:
        FrcDiveEnd(line);
        break;
    case 0x09:
        SampleLine(type, k09, line);
        m_log.m_GasManagement.Decode(type, line, m_format);
        break;
    case 0x0A:
        SampleLine(type, k0A, line);
        m_log.m_bCylinderPressures = true;
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
        GivePreDive(type, line);
        break;
    case 0x14:
        SampleLine(type, k04, line);
        if (!m_bFirst04 && m_pPreDive) {
            m_pPreDive->Decode(0x14, line, m_format);
            m_bFirst04 = true;
        }
        break;
    case 0x1C:
    case 0x1D:
        FrcRestart(type, line);
        break;
    case 0x21:
    case 0x22:
    case 0x23:
    case 0x24:
    case 0x25:
    case 0x26:
        if (m_pSample)
            m_pSample->DecodeLine(type, line, m_format);
        break;
    case 0x32:
        DecodeSolenoidRecord(type, line, m_dLineTime, true, m_log.m_dDiveStartTime, m_solenoid,
                             m_log.m_arSolenoidC1, m_log.m_arSolenoidC2);
        break;
    case 0x7F:
        GivePreDive(type, line);
        m_bPowered = false;
        MakeSample(m_dLineTime, 0x7F, m_latest[k06]);
        break;
    default:
        CommonRecord(type, line);
        break;
    }
}

void CLogLoader::FrcPowerOn(std::string_view line) {
    CDiveLogPreDive* preDive = NewPreDive(line);
    if (m_log.m_arPreDives.size() == 1) {
        // The first power-on is the origin of the time scale.
        m_dFrcOffset = -m_dLineFrc;
        m_dtFirstPowerOn = preDive->m_dtPowerOn;
    } else if (preDive->m_dtPowerOn.IsValid() && m_dtFirstPowerOn.IsValid()) {
        // The tick count restarts with every power-on; the date-time says where it belongs.
        double d = 0.0;
        if (SecondsBetween(preDive->m_dtPowerOn, m_dtFirstPowerOn, d)) {
            m_dFrcOffset = d - m_dLineFrc;
            m_dLineTime = d;
        }
    }
    m_bPowered = true;
    if (m_bPowerOnSeen)
        MakeSample(m_dLineTime, 0x00, m_latest[k06]);
    else
        m_bPowerOnSeen = true;
}

void CLogLoader::FrcDiveStart(std::string_view line) {
    if (m_nDiveState == 0) {
        m_nDiveState = 1;
        m_bInDive = true;
        GivePreDive(0x03, line);
        const int number = static_cast<int>(ParseHex(line, 10, 4));
        if (m_nDiveNumber == -1)
            m_nDiveNumber = number;
        // A dive start with another number belongs to another dive: it does not move the start.
        if (m_nDiveNumber == number) {
            m_log.m_dDiveStartTime = m_dLineTime;
            m_log.m_dtDiveStart = ParseDateTime(line, 16);
            m_bDiveEndSeen = false;
        }
    }
    MakeSample(m_dLineTime, 0x03, m_latest[k06]);
}

void CLogLoader::FrcDiveEnd(std::string_view line) {
    if (!m_pPreDive)
        return;
    m_pPreDive->Decode(0x08, line, m_format);
    MakeSample(m_dLineTime, 0x08, m_latest[k06]);
    if (static_cast<int>(ParseHex(line, 10, 4)) == m_nDiveNumber) {
        m_pPreDive->m_dEndTime = m_dLineTime;
        m_log.m_dDiveEndTime = m_dLineTime;
        m_bDiveEndSeen = true;
        if (ParseHex(line, 28, 4) < kMinimumDiveSeconds) {
            if (m_nDiveState == 1)
                m_nDiveState = 0;
            m_bAfterDiveEnd = false;
        } else {
            m_nDiveState = 2;
            m_bAfterDiveEnd = true;
        }
    }
    m_bInDive = false;
}

void CLogLoader::FrcRestart(unsigned type, std::string_view line) {
    const bool warm = type == 0x1C;
    const CDateTime restart = ParseDateTime(line, 10);
    double d = 0.0;
    if (restart.IsValid() && SecondsBetween(restart, m_dtFirstPowerOn, d)) {
        m_dFrcOffset = d - m_dLineFrc;
        m_dLineTime = d;
        const char* format = warm ? "%d %B %Y %H:%M:%S" : "%d %B %Y\n%H:%M:%S";
        const std::string r = restart.Format(format);
        const std::string first = m_dtFirstPowerOn.Format(format);
        m_report.Printf(ReportKind::kNotice, m_nLine,
                        warm ? "Warm Restart %s, First Power On %s, Diff %0.1fs, FRC was "
                               "%0.1f, FRC Offset set to %0.1f"
                             : "Cold Restart %s, First Power On %s, Diff %0.1fs, FRC was "
                               "%0.1f, FRC Offset set to %0.1f",
                        r.c_str(), first.c_str(), d, m_dLineFrc, m_dFrcOffset);
    }
    CDiveLogSample& sample = MakeSample(m_dLineTime, type, m_latest[k06]);
    sample.m_bWarmRestart = warm;
    sample.m_bColdRestart = !warm;
}
