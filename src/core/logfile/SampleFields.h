#pragma once
// Every field of a sample with its name, in declaration order. The store packs the fields
// through this list and the JSON dump writes them through it, so a field added to the sample is
// added here once and both follow; one left out would come back from the store with its initial
// value and be missing from the dump, which the golden dumps catch.
#include "logfile/CDiveLogSample.h"

// Calls `f(name, field)` for each field; arrays come as whole arrays. `Sample` is
// CDiveLogSample, const or not.
template <class Sample, class F> void ForEachSampleField(Sample& s, F&& f) {
#define ZELVOR_SAMPLE_FIELD(name) f(#name, s.name)
    ZELVOR_SAMPLE_FIELD(m_dSurfacePressure);
    ZELVOR_SAMPLE_FIELD(m_dTime);
    ZELVOR_SAMPLE_FIELD(m_bInDive);
    ZELVOR_SAMPLE_FIELD(m_dC1Measured);
    ZELVOR_SAMPLE_FIELD(m_dC2Measured);
    ZELVOR_SAMPLE_FIELD(m_bDiving);
    ZELVOR_SAMPLE_FIELD(m_dProbeTemp);
    ZELVOR_SAMPLE_FIELD(m_byProbeFlags);
    ZELVOR_SAMPLE_FIELD(m_dAmbientTemp);
    ZELVOR_SAMPLE_FIELD(m_dCNS);
    ZELVOR_SAMPLE_FIELD(m_dOTU);
    ZELVOR_SAMPLE_FIELD(m_dPPCO2);
    ZELVOR_SAMPLE_FIELD(m_dPressure);
    ZELVOR_SAMPLE_FIELD(m_dC1Cell);
    ZELVOR_SAMPLE_FIELD(m_dBattery);
    ZELVOR_SAMPLE_FIELD(m_byC1CellStatus);
    ZELVOR_SAMPLE_FIELD(m_dC2Cell);
    ZELVOR_SAMPLE_FIELD(m_byC2CellStatus);
    ZELVOR_SAMPLE_FIELD(m_byCellStatusExtra);
    ZELVOR_SAMPLE_FIELD(m_dGasO2);
    ZELVOR_SAMPLE_FIELD(m_dGasHe);
    ZELVOR_SAMPLE_FIELD(m_dSetpoint);
    ZELVOR_SAMPLE_FIELD(m_byStatus);
    ZELVOR_SAMPLE_FIELD(m_nSampleInterval);
    ZELVOR_SAMPLE_FIELD(m_byStatusExt);
    ZELVOR_SAMPLE_FIELD(m_nGasO2);
    ZELVOR_SAMPLE_FIELD(m_nGasHe);
    ZELVOR_SAMPLE_FIELD(m_nConservatism);
    ZELVOR_SAMPLE_FIELD(m_dCylinder);
    ZELVOR_SAMPLE_FIELD(m_nDecoWord0);
    ZELVOR_SAMPLE_FIELD(m_dCeilingPressure);
    ZELVOR_SAMPLE_FIELD(m_dDecoWord2);
    ZELVOR_SAMPLE_FIELD(m_dDecoSurfacePressure);
    ZELVOR_SAMPLE_FIELD(m_dDecoWord4);
    ZELVOR_SAMPLE_FIELD(m_fGradientFactor);
    ZELVOR_SAMPLE_FIELD(m_nGasNumber);
    ZELVOR_SAMPLE_FIELD(m_bHasDiveDetect);
    ZELVOR_SAMPLE_FIELD(m_byDiveDetectStatus);
    ZELVOR_SAMPLE_FIELD(m_dDiveEndDepth);
    ZELVOR_SAMPLE_FIELD(m_dDiveStartDepth);
    ZELVOR_SAMPLE_FIELD(m_dDiveDetect);
    ZELVOR_SAMPLE_FIELD(m_dDpsTemp);
    ZELVOR_SAMPLE_FIELD(m_dPpmACO2);
    ZELVOR_SAMPLE_FIELD(m_dPpCO2Cor);
    ZELVOR_SAMPLE_FIELD(m_dPAmbCO2);
    ZELVOR_SAMPLE_FIELD(m_dCO2Led);
    ZELVOR_SAMPLE_FIELD(m_dCO2Temp);
    ZELVOR_SAMPLE_FIELD(m_dCO2Filt);
    ZELVOR_SAMPLE_FIELD(m_dTsT8);
    ZELVOR_SAMPLE_FIELD(m_bWarmRestart);
    ZELVOR_SAMPLE_FIELD(m_bColdRestart);
    ZELVOR_SAMPLE_FIELD(m_dTableA);
    ZELVOR_SAMPLE_FIELD(m_dTableB);
    ZELVOR_SAMPLE_FIELD(m_bPoweredOn);
#undef ZELVOR_SAMPLE_FIELD
}
