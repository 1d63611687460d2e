// The records both layouts read alike, once the layout's own dispatch has taken the records that
// drive its clock.
#include "logfile/CDiveLogPreDive.h"
#include "logfile/FieldParsers.h"
#include "logfile/LoaderInternal.h"

namespace {

// Where the pre-dive status (0x01) and calibration (0x02) records hold the surface pressure.
size_t SurfacePressureAt(unsigned type, bool frcLayout) {
    if (frcLayout)
        return type == 0x01 ? 26 : 10;
    return type == 0x01 ? 20 : 2;
}

} // namespace

void CLogLoader::DispatchShared(unsigned type, std::string_view line) {
    switch (type) {
    case 0x01:
    case 0x02:
        GivePreDive(type, line);
        if (!m_dive.InDive() && line.size() == static_cast<size_t>(m_format.LineLength()))
            m_log.m_dSurfacePressure =
                ParseHex(line, SurfacePressureAt(type, m_format.frcLayout), 4);
        break;
    case 0x04:
    case 0x14:
        SampleLine(type, k04, line);
        if (!m_bFirst04 && m_pPreDive) {
            m_pPreDive->Decode(type, line, m_format);
            m_bFirst04 = true;
        }
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
    default:
        CommonRecord(type, line);
        break;
    }
}

void CLogLoader::GiveDepthLine(std::string_view line) {
    if (m_depthLines != kNoDepthLine) {
        m_depthLines = kLaterDepthLines;
    } else if (m_pPreDive) {
        m_pPreDive->Decode(0x06, line, m_format);
        m_depthLines = kOneDepthLine;
    }
}
