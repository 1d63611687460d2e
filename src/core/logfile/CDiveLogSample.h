#pragma once
// One sample: the state of the rebreather at one moment of the time scale. The unit spreads that
// state over several record types; the loader makes a sample and feeds it the latest line of
// every type, and the views read it through the fields and operations below.
#include <cstddef>
#include <cstring>
#include <string_view>

#include "logfile/RecordFormat.h"

class CDiveLogSample {
public:
    CDiveLogSample() = default;
    CDiveLogSample(const CDiveLogSample& other) { *this = other; }
    // The fields are plain values in one block after the object's own header: the loader copies
    // a sample for every second of a log, and one block copy beats a copy per field.
    CDiveLogSample& operator=(const CDiveLogSample& other) {
        if (this != &other)
            std::memcpy(static_cast<void*>(&m_dSurfacePressure), &other.m_dSurfacePressure,
                        FieldBytes());
        return *this;
    }
    virtual ~CDiveLogSample() = default;

    // ---- Decoding -------------------------------------------------------------------------------

    // Decodes one record line into the fields, by the layout's table of field positions. A line
    // whose length does not fit the layout for its type, or a type without sample fields,
    // changes nothing.
    void DecodeLine(unsigned recordType, std::string_view line, const CRecordFormat& format);
    // Sets m_dTime (always, even for an empty or wrong-length line), then decodes a 0x06 line.
    void DecodeTimedLine(double time, std::string_view line, const CRecordFormat& format);
    // Keeps 600 ... 1080 mbar; anything else is stored as 1000.
    void SetSurfacePressure(double mbar);
    void SetPressure(double mbar) { m_dPressure = mbar; }
    // Clamped to 1 ... 120 s.
    void SetSampleInterval(int seconds);
    // Depth hysteresis: the diving state after this sample, given the state before it. Samples
    // without a dive-detection record pass the previous state on and keep m_bDiving.
    bool UpdateDiving(bool previous);

    // ---- Reading --------------------------------------------------------------------------------

    // (pressure - surface pressure) / 100 in metres, never negative.
    double GetDepth() const;
    // 0-2 controller 1 cells, 3 controller 1 measured, 4-6 controller 2 cells, 7 controller 2
    // measured; 0 for any other index.
    double GetCellPPO2(int index) const;
    double GetBattery(int index) const;
    double GetProbeTemp(int index) const;
    // Diluent cylinders 0-11; 0 when not logged or not positive.
    double GetDiluentPressure(int index) const;
    double GetOxygenPressure() const;
    bool HasOxygenPressure() const { return m_dCylinder[12] != -1.0; }
    bool HasCylinderPressure(int index) const;
    double GetCeilingDepth() const;
    double GetGradientFactor() const { return m_fGradientFactor * 100.0; }
    double GetDecoWord4() const;
    int GetDecoWord0() const { return m_nDecoWord0; }
    int GetGasNumber() const { return m_nGasNumber; }
    // Controller 1 reads status byte 2, controller 2 byte 4: 3 both bits 0 and 1, 1 only bit 0,
    // 2 only bit 1, 0 neither; -1 for any other controller number.
    int GetControllerFlags(int controller) const;
    // Set: the gas breathed is a bottom gas ("GAS"); clear: diluent ("DIL").
    bool GetGasModeBit() const { return (m_byStatus[0] & 0x08) != 0; }

    // The gradient-factor settings live in the dive-detection table.
    static constexpr int kGfLowIndex = 4;
    static constexpr int kGfHighIndex = 5;
    double GetGfLow() const { return m_dDiveDetect[kGfLowIndex]; }
    double GetGfHigh() const { return m_dDiveDetect[kGfHighIndex]; }

    // ---- Fields, in the order the unit's tools declare them -------------------------------------

    double m_dSurfacePressure = 1000.0; // mbar
    double m_dTime = 0.0;               // s on the time scale
    bool m_bInDive = false;
    double m_dC1Measured = 0.0; // bar
    double m_dC2Measured = 0.0; // bar
    bool m_bDiving = false;
    double m_dProbeTemp[9] = {}; // degrees C
    unsigned char m_byProbeFlags = 0;
    double m_dAmbientTemp = 0.0; // degrees C
    double m_dCNS = 0.0;         // %
    double m_dOTU = 0.0;         // %
    double m_dPPCO2 = 0.0;
    double m_dPressure = 0.0;           // mbar, absolute
    double m_dC1Cell[3] = {};           // bar
    double m_dBattery[4] = {};          // V: C1 battery 1, 2, C2 battery 1, 2
    unsigned char m_byC1CellStatus = 0; // bits 0-2: cells 1-3 excluded
    double m_dC2Cell[3] = {};
    unsigned char m_byC2CellStatus = 0;
    unsigned char m_byCellStatusExtra = 0;
    double m_dGasO2 = 0.0;    // %
    double m_dGasHe = 0.0;    // %
    double m_dSetpoint = 0.0; // bar
    unsigned char m_byStatus[10] = {};
    int m_nSampleInterval = 10; // s
    unsigned char m_byStatusExt = 0;
    int m_nGasO2[12] = {};
    int m_nGasHe[12] = {};
    int m_nConservatism = -1;
    // 0-11 diluent cylinders 1-12, 12 the oxygen cylinder; -1 = not logged.
    double m_dCylinder[13] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int m_nDecoWord0 = 0;
    double m_dCeilingPressure = 0.0; // mbar, absolute
    double m_dDecoWord2 = 0.0;
    double m_dDecoSurfacePressure = 0.0; // mbar
    double m_dDecoWord4 = 0.0;
    double m_fGradientFactor = 0.0; // fraction, decoded from a single-precision float
    int m_nGasNumber = -1;
    bool m_bHasDiveDetect = false;
    unsigned char m_byDiveDetectStatus = 0;
    double m_dDiveEndDepth = 0.0;   // m
    double m_dDiveStartDepth = 0.0; // m
    double m_dDiveDetect[10] = {};  // [4] gradient factor low, [5] high
    double m_dDpsTemp = 0.0;
    double m_dPpmACO2 = 0.0;
    double m_dPpCO2Cor = 0.0;
    double m_dPAmbCO2 = 0.0;
    double m_dCO2Led = 0.0;
    double m_dCO2Temp = 0.0;
    double m_dCO2Filt = 0.0;
    double m_dTsT8 = 0.0;
    bool m_bWarmRestart = false;
    bool m_bColdRestart = false;
    double m_dTableA[16] = {};
    double m_dTableB[16] = {};
    bool m_bPoweredOn = false;

private:
    // From the first field to the end of the object.
    size_t FieldBytes() const {
        return sizeof(CDiveLogSample) -
               static_cast<size_t>(reinterpret_cast<const char*>(&m_dSurfacePressure) -
                                   reinterpret_cast<const char*>(this));
    }
    // Measured PPO2 of one controller from its three cells and exclusion bits.
    double VoteCells(const double* cells, unsigned char status) const;
};
