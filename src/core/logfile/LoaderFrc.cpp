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
    switch (type) {
    case 0x00:
        FrcPowerOn(line);
        break;
    case 0x03:
        FrcDiveStart(line);
        break;
    case 0x06:
        MakeSample(m_frcClock.Time(), 0x06, line);
        GiveDepthLine(line);
        SetLatest(k06, line);
        break;
    case 0x08:
        FrcDiveEnd(line);
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
        DecodeSolenoidRecord(type, line, m_frcClock.Time(), true, m_log.m_dDiveStartTime,
                             m_solenoid, m_log.m_arSolenoidC1, m_log.m_arSolenoidC2);
        break;
    case 0x7F:
        GivePreDive(type, line);
        m_power.PowerOff();
        MakeSample(m_frcClock.Time(), 0x7F, m_latest[k06]);
        break;
    // Records of the short layout only: in this layout they mean nothing.
    case 0x04:
    case 0x19:
    case 0x1A:
    case 0x20:
    case 0x42:
        break;
    default:
        DispatchShared(type, line);
        break;
    }
}

void CLogLoader::FrcPowerOn(std::string_view line) {
    CDiveLogPreDive* preDive = NewPreDive(line);
    // The first power-on is the origin of the time scale; the tick count restarts with every
    // later one, whose date-time says where it belongs.
    if (m_log.m_arPreDives.size() == 1)
        m_frcClock.SetOrigin(preDive->m_dtPowerOn);
    else
        m_frcClock.MoveTo(preDive->m_dtPowerOn);
    if (m_power.PowerOn())
        MakeSample(m_frcClock.Time(), 0x00, m_latest[k06]);
}

void CLogLoader::FrcDiveStart(std::string_view line) {
    if (m_divePhase.Start()) {
        m_dive.Enter();
        GivePreDive(0x03, line);
        // A dive start with another number belongs to another dive: it does not move the start.
        if (m_dive.Start(static_cast<int>(ParseHex(line, 10, 4)))) {
            m_log.m_dDiveStartTime = m_frcClock.Time();
            m_log.m_dtDiveStart = ParseDateTime(line, 16);
        }
    }
    MakeSample(m_frcClock.Time(), 0x03, m_latest[k06]);
}

void CLogLoader::FrcDiveEnd(std::string_view line) {
    if (!m_pPreDive)
        return;
    m_pPreDive->Decode(0x08, line, m_format);
    const double time = m_frcClock.Time();
    MakeSample(time, 0x08, m_latest[k06]);
    if (m_dive.Ends(static_cast<int>(ParseHex(line, 10, 4)))) {
        m_pPreDive->m_dEndTime = time;
        m_log.m_dDiveEndTime = time;
        const bool counts = ParseHex(line, 28, 4) >= kMinimumDiveSeconds;
        m_divePhase.End(counts);
        m_dive.End(counts);
    }
    m_dive.Leave();
}

void CLogLoader::FrcRestart(unsigned type, std::string_view line) {
    const bool warm = type == 0x1C;
    const CDateTime restart = ParseDateTime(line, 10);
    if (m_frcClock.MoveTo(restart)) {
        const char* format = warm ? "%d %B %Y %H:%M:%S" : "%d %B %Y\n%H:%M:%S";
        const std::string r = restart.Format(format);
        const std::string first = m_frcClock.Origin().Format(format);
        m_report.Printf(ReportKind::kNotice, m_nLine,
                        warm ? "Warm Restart %s, First Power On %s, Diff %0.1fs, FRC was "
                               "%0.1f, FRC Offset set to %0.1f"
                             : "Cold Restart %s, First Power On %s, Diff %0.1fs, FRC was "
                               "%0.1f, FRC Offset set to %0.1f",
                        r.c_str(), first.c_str(), m_frcClock.Time(), m_frcClock.Frc(),
                        m_frcClock.Offset());
    }
    CDiveLogSample& sample = MakeSample(m_frcClock.Time(), type, m_latest[k06]);
    sample.m_bWarmRestart = warm;
    sample.m_bColdRestart = !warm;
}
