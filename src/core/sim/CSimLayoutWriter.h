#pragma once
// What the writers of the two record layouts share: the run over the seconds of the log with its
// power periods, the unit's running totals, and the records that differ between the layouts only
// in their framing (a tick count and 32 bytes, or neither and 16).
#include <array>
#include <cstdint>
#include <vector>

#include "sim/SimWriters.h"

namespace sim {

class CSimLayoutWriter {
public:
    void Run();

protected:
    CSimLayoutWriter(CSimContext& ctx, size_t recordBytes)
        : m_ctx(ctx), m_s(ctx.model.State()), m_nRecordBytes(recordBytes) {}
    virtual ~CSimLayoutWriter() = default;

    // A record of this type at second t, its type and any framing written.
    virtual CRecordLineWriter Start(unsigned type, int t) const = 0;
    // What comes before the first second's records.
    virtual void Opening() {}
    // Everything of second t before the solenoids, the dive end and the power-off; the unit is on.
    virtual void Second(int t, const CSimDiveModel::CPeriod& period) = 0;
    virtual void Solenoids(int t) = 0;
    virtual void DiveEnd(int t) = 0;

    void Put(CRecordLineWriter& w) {
        w.PadTo(m_nRecordBytes, 0);
        m_ctx.log.logLines.push_back(w.Finish());
    }
    CDateTime At(int t) const { return m_ctx.options.powerOn.AddSeconds(t); }

    // The power-on record up to its last fields: the date-time, the totals before this power-on
    // and the elapsed on time (none yet).
    CRecordLineWriter PowerOnTotals(int t);
    void PowerOff(int t);
    // The calibration record up to the layout's own tail: surface pressure, temperature, the
    // oxygen fraction and the six cells (0.42 bar for a cell the error byte fails).
    CRecordLineWriter CalibrationCells(int t);
    // The decompression record up to the current gas number.
    CRecordLineWriter Deco(int t);
    // Counts a sample for the truth the tests compare against.
    void CountSample(int t);
    // The unit writes its cylinder pressures again only when one of them changed.
    bool CylindersChanged();

    CSimContext& m_ctx;
    const CSimState& m_s;
    std::vector<uint8_t> m_arFired[2];
    int m_nPeriodOn = 0;

private:
    size_t m_nRecordBytes;
    CSimTotals m_Totals;
    std::array<int, 13> m_arLastCylinder{};
    bool m_bCylindersWritten = false;
};

} // namespace sim
