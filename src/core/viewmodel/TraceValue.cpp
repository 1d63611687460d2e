#include "viewmodel/TraceValue.h"

#include "logfile/CDiveLogSample.h"

namespace {

constexpr int kAnalogCodes[] = {0,   101, 102, 103, 104, 105, 106, 107, 108, 109, 201,
                                202, 203, 204, 301, 302, 303, 304, 305, 306, 307, 401,
                                501, 502, 503, 510, 511, 512, 513, 514, 515, 516, 517,
                                601, 602, 701, 702, 703, 704, 705, 706, 707, 708, 709};

double Co2Value(int code, const CDiveLogSample& s) {
    switch (code) {
    case 510:
        return s.m_dDpsTemp;
    case 511:
        return s.m_dPpmACO2;
    case 512:
        return s.m_dPpCO2Cor;
    case 513:
        return s.m_dPAmbCO2;
    case 514:
        return s.m_dCO2Led;
    case 515:
        return s.m_dCO2Temp;
    case 516:
        return s.m_dCO2Filt;
    case 517:
        return s.m_dTsT8;
    default:
        return 0.0;
    }
}

} // namespace

double TraceValue(int code, const CDiveLogSample& s) {
    if (code == kDepthCode)
        return s.GetDepth();
    if (code == 101)
        return s.m_dSetpoint;
    if (code >= 102 && code <= 104)
        return s.m_dC1Cell[code - 102];
    if (code == 105)
        return s.m_dC1Measured;
    if (code >= 106 && code <= 108)
        return s.m_dC2Cell[code - 106];
    if (code == 109)
        return s.m_dC2Measured;
    if (code >= 201 && code <= 204)
        return s.m_dBattery[code - 201];
    if (code == 301)
        return s.m_dCylinder[12];
    if (code >= 302 && code <= 307)
        return s.m_dCylinder[code - 302];
    if (code == 401)
        return s.m_dAmbientTemp;
    if (code == 501)
        return s.m_dCNS;
    if (code == 502)
        return s.m_dOTU;
    if (code == 503)
        return s.m_dPPCO2;
    if (code >= 510 && code <= 517)
        return Co2Value(code, s);
    if (code == kCeilingCode)
        return s.GetCeilingDepth();
    if (code == 602)
        return s.GetGradientFactor();
    if (code >= 701 && code <= 709)
        return s.m_dProbeTemp[code - 701];
    return 0.0;
}

bool TraceDrawsLine(int code) {
    return code == kDepthCode || (code >= 101 && code <= 109) || (code >= 201 && code <= 204) ||
           (code >= 301 && code <= 307) || code == 401 || code == 501 || code == 502 ||
           code == kCeilingCode;
}

std::span<const int> AnalogTraceCodes() {
    return kAnalogCodes;
}
