#include "uddf/CUddfDiveFacts.h"

#include <cstdio>

#include "logfile/CDiveLog.h"
#include "uddf/CUddfDiveScan.h"

namespace uddf {

namespace {

// The display's identity, or a controller's when the display's was not received.
const CSysInfoTexts& UnitTexts(const CDiveLogSysInfo& sys) {
    for (int bus : {sys.DisplayBusAddress(), 0xB2, 0xB4}) {
        const CSysInfoTexts& texts = sys.Texts(bus);
        if (!texts.m_strUnitType.empty() || !texts.m_strSerialNumber.empty())
            return texts;
    }
    return sys.Texts(sys.DisplayBusAddress());
}

std::string OwnerName(const CDiveLogSysInfo& sys) {
    for (int bus : {sys.DisplayBusAddress(), 0xB2, 0xB4}) {
        if (!sys.Texts(bus).m_strOwnerName.empty())
            return sys.Texts(bus).m_strOwnerName;
    }
    return {};
}

double Degrees(unsigned d, unsigned m, unsigned s, bool negative) {
    const double value = d + m / 60.0 + s / 3600.0;
    return negative ? -value : value;
}

std::optional<CUddfSite> MakeSite(const CDiveLogInformation& info) {
    const bool entered = info.m_nLatDegrees || info.m_nLatMinutes || info.m_nLatSeconds ||
                         info.m_nLongDegrees || info.m_nLongMinutes || info.m_nLongSeconds;
    if (info.m_strLocation.empty() && info.m_strDiveSite.empty() && !entered)
        return std::nullopt;
    CUddfSite site;
    site.m_strName = info.m_strDiveSite.empty() ? info.m_strLocation : info.m_strDiveSite;
    site.m_strLocation = info.m_strLocation.empty() ? info.m_strDiveSite : info.m_strLocation;
    if (entered) {
        site.m_dLatitude = Degrees(info.m_nLatDegrees, info.m_nLatMinutes, info.m_nLatSeconds,
                                   info.m_strLatHemisphere == "S");
        site.m_dLongitude = Degrees(info.m_nLongDegrees, info.m_nLongMinutes, info.m_nLongSeconds,
                                    info.m_strLongHemisphere == "W");
    }
    return site;
}

CUddfMix DiluentMix(const CDiveLogGasManagement& gases, int diluent) {
    CUddfMix mix;
    mix.m_nO2 = gases.m_nDiluentO2[static_cast<size_t>(diluent - 1)];
    mix.m_nHe = gases.m_nDiluentHe[static_cast<size_t>(diluent - 1)];
    char name[48];
    std::snprintf(name, sizeof name, "Diluent %d %d/%d", diluent, mix.m_nO2, mix.m_nHe);
    mix.m_strName = name;
    return mix;
}

} // namespace

bool HasTankData(const CDiveLog& log, int cylinder) {
    return cylinder >= 0 && cylinder < CUddfDiveFacts::kCylinders &&
           log.m_GasManagement.m_dPressureIn[static_cast<size_t>(cylinder)] > 0.0;
}

CUddfDiveFacts MakeDiveFacts(const CDiveLog& log, const CUddfDiveScan& scan) {
    CUddfDiveFacts facts;
    const CDiveLogSysInfo& sys = log.m_SysInfo;
    const CSysInfoTexts& unit = UnitTexts(sys);
    facts.m_Unit.m_strType = unit.m_strUnitType;
    facts.m_Unit.m_strSerial = unit.m_strSerialNumber;
    facts.m_Unit.m_strDisplayCode = sys.CodeVersionText(sys.DisplayBusAddress());
    facts.m_Unit.m_strC1Code = sys.CodeVersionText(0xB2);
    facts.m_Unit.m_strC2Code = sys.CodeVersionText(0xB4);
    facts.m_strOwnerName = OwnerName(sys);
    facts.m_Site = MakeSite(log.m_DiveInformation);

    const CDiveLogGasManagement& gases = log.m_GasManagement;
    for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c) {
        const size_t logged = scan.m_nCylinder[static_cast<size_t>(SampleCylinderOf(c))];
        facts.m_bTank[static_cast<size_t>(c)] =
            HasTankData(log, c) || logged != CUddfDiveScan::kNever;
    }
    facts.m_arMixes[0] = CUddfMix{"Oxygen", gases.m_nOxygenO2, 0};
    for (int d = 1; d <= CDiveLogGasManagement::kDiluents; ++d) {
        if (scan.m_bDiluentBreathed[static_cast<size_t>(d)] ||
            facts.m_bTank[static_cast<size_t>(d)])
            facts.m_arMixes[static_cast<size_t>(d)] = DiluentMix(gases, d);
    }
    return facts;
}

} // namespace uddf
