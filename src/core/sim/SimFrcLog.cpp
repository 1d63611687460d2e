// The unit's log memory in the FRC layout: 32-byte records, each stamped with the tick count
// since power-on.
#include <vector>

#include "sim/CSimLayoutWriter.h"

namespace sim {
namespace {

// The tick count at the power-on record; the unit needs a moment before it logs.
constexpr double kFrcAtPowerOn = 0.25;

class CFrcWriter : public CSimLayoutWriter {
public:
    explicit CFrcWriter(CSimContext& ctx) : CSimLayoutWriter(ctx, 32) {}

private:
    // The tick count restarts with every power-on.
    CRecordLineWriter Start(unsigned type, int t) const override {
        CRecordLineWriter w(type);
        w.Frc(kFrcAtPowerOn + t - m_nPeriodOn);
        return w;
    }
    void Second(int t, const CSimDiveModel::CPeriod& period) override;
    void Solenoids(int t) override;
    void DiveEnd(int t) override;

    void PowerOn(int t);
    void Status(int t);
    void Calibration(int t);
    void GasTable(int t);
    void DiveStart(int t);
    void Sample(int t);
    void Cylinders(int t);
    void Tables(int t);
};

void CFrcWriter::Second(int t, const CSimDiveModel::CPeriod& period) {
    const CSimDiveModel& model = m_ctx.model;
    if (t == period.on) {
        m_nPeriodOn = t;
        PowerOn(t);
        Status(t);
        GasTable(t);
    }
    if (t == std::min(60, model.DiveStart() / 2))
        Calibration(t);
    if (t == model.DiveStart())
        DiveStart(t);
    if (t % m_ctx.options.intervalSeconds == 0)
        Sample(t);
}

void CFrcWriter::PowerOn(int t) {
    CRecordLineWriter w = PowerOnTotals(t);
    w.Byte(2); // startup reason "Switch 1 Activation"
    for (unsigned b : m_ctx.codeId)
        w.Byte(b); // code date (3 bytes) and the code version (5 bytes)
    Put(w);
}

void CFrcWriter::Status(int t) {
    CRecordLineWriter w = Start(0x01, t);
    w.Byte(0x20).Byte(0x07).Byte(0x37); // C1: master, cells 1-3, solenoid/buzzer/vibrator/B1/B2
    w.Byte(0x10).Byte(0x07).Byte(0x37); // C2: slave
    w.Byte(0x6F).Byte(0xFF);            // bus devices present, every scrubber probe present
    w.Word(m_ctx.model.SurfacePressure()).Word(ToSignedWord(m_s.ambientTemp, 10));
    Put(w);
}

void CFrcWriter::Calibration(int t) {
    const int pressure = m_ctx.model.SurfacePressure();
    CRecordLineWriter w = CalibrationCells(t);
    w.Byte(static_cast<unsigned>(m_ctx.options.calibrationError)).Byte('G');
    for (int i = 0; i < 5; ++i)
        w.Byte('0' + m_ctx.random.Int(0, 9)); // CO2 offset as ASCII digits
    w.Byte(0).Word(40).Word(41).Word(ToWord(m_s.ppco2, 10)).Word(pressure);
    Put(w);
}

void CFrcWriter::GasTable(int t) {
    CRecordLineWriter w = Start(0x09, t);
    for (int k = 0; k < 9; ++k)
        w.Byte(m_ctx.model.GasO2()[k]).Byte(m_ctx.model.GasHe()[k]);
    Put(w);
}

void CFrcWriter::DiveStart(int t) {
    CRecordLineWriter w = Start(0x03, t);
    w.Word(m_ctx.options.diveNumber).Byte(0).DateTime(At(t)).DateTime(m_ctx.previousDiveEnd);
    Put(w);
}

void CFrcWriter::DiveEnd(int t) {
    const CSimDiveModel& model = m_ctx.model;
    CRecordLineWriter w = Start(0x08, t);
    w.Word(m_ctx.options.diveNumber).Byte(0).DateTime(At(t));
    w.Word(ToWord(t - model.DiveStart())).Word(ToWord(model.MaxDepth(), 100));
    Put(w);
}

void CFrcWriter::Sample(int t) {
    const CSimState& s = m_s;
    CountSample(t);

    CRecordLineWriter d = Start(0x06, t);
    d.Word(s.pressure).Word(ToSignedWord(s.ambientTemp, 10));
    for (double c : s.c1Cell)
        d.Byte(ToByte(c, 100));
    d.Byte(ToByte(s.c1Measured, 100)).Byte(ToByte(s.battery[0], 40)).Byte(ToByte(s.battery[1], 40));
    d.Byte(s.c1Status);
    for (double c : s.c2Cell)
        d.Byte(ToByte(c, 100));
    d.Byte(ToByte(s.c2Measured, 100)).Byte(ToByte(s.battery[2], 40)).Byte(ToByte(s.battery[3], 40));
    d.Byte(s.c2Status).Byte(s.cellStatusExtra).Byte(s.statusExt).Byte(0);
    d.Byte(s.status[6]).Byte(s.status[7]).Byte(s.status[8]);
    d.Byte(ToByte(s.setpoint, 100)).Byte(ToByte(s.cns)).Byte(ToByte(s.otu));
    Put(d);

    CRecordLineWriter p = Start(0x14, t);
    for (double temp : s.probeTemp)
        p.Byte(ToByte(temp, 4));
    p.Byte(0xC0).Byte(0).Byte(0).Byte(0).Word(ToWord(s.ppco2, 10));
    Put(p);

    CRecordLineWriter c = Deco(t);
    c.Byte(s.gasO2).Byte(s.gasHe);
    Put(c);

    const int diveSeconds = s.inDive ? t - m_ctx.model.DiveStart() : 0;
    CRecordLineWriter dd = Start(0x0D, t);
    dd.Byte(s.inDive ? 1 : 0).Byte(1).Byte(1); // status, dive end and dive start depth (m)
    dd.Byte(0).Word(ToWord(diveSeconds));
    dd.Byte(3).Byte(1).Byte(m_ctx.options.gfLow).Byte(m_ctx.options.gfHigh);
    dd.Byte(0).Byte(0).Byte(0).Byte(0);
    for (int i = 0; i < 6; ++i)
        dd.Byte(s.status[i]);
    dd.Byte(0).Byte(s.status[9]);
    Put(dd);

    if (m_ctx.options.cylinderPressures)
        Cylinders(t);
    if (t % 60 == 0 || m_ctx.options.intervalSeconds >= 60)
        Tables(t);
}

void CFrcWriter::Cylinders(int t) {
    if (!CylindersChanged())
        return;
    CRecordLineWriter w = Start(0x0A, t);
    for (int k = 0; k < 9; ++k)
        w.Word(m_s.cylinder[k]);
    w.Word(m_s.cylinder[12]);
    Put(w);
}

void CFrcWriter::Tables(int t) {
    // Tissue loadings of the sixteen compartments: nitrogen in the first table, helium in the
    // second, in the unit's own float format.
    for (int table = 0; table < 2; ++table) {
        const std::array<double, 16>& values = table == 0 ? m_s.tissueN2 : m_s.tissueHe;
        for (int part = 0; part < 3; ++part) {
            CRecordLineWriter w = Start(0x21 + table * 3 + part, t);
            for (int i = part * 6; i < std::min(16, part * 6 + 6); ++i)
                w.SplitFloat(static_cast<float>(values[i]));
            Put(w);
        }
    }
    // The CO2 sensor record; this layout's readers keep it for the unit's own tools.
    CRecordLineWriter co2 = Start(0x40, t);
    co2.Word(ToWord(m_s.co2Temp, 10)).Word(ToWord(m_s.co2Ppm / 10.0)).Word(ToWord(m_s.ppco2, 10));
    co2.Word(m_s.pressure).Word(512).Word(ToWord(m_s.co2Temp)).Word(ToWord(m_s.co2Ppm));
    Put(co2);
}

void CFrcWriter::Solenoids(int t) {
    CRecordLineWriter w = Start(0x32, t);
    for (int c = 0; c < 2; ++c)
        WriteSolenoidBitmap(w, m_arFired[c], t);
    Put(w);
}

} // namespace

void WriteFrcLog(CSimContext& ctx) {
    CFrcWriter(ctx).Run();
}

} // namespace sim
