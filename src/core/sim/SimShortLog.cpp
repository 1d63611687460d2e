// The unit's log memory in the short layout: 16-byte records without time stamps. The reader
// rebuilds the time scale from the sample interval and the date-time records, so the order of
// records here is what places every sample.
#include <vector>

#include "sim/CSimLayoutWriter.h"

namespace sim {
namespace {

class CShortWriter : public CSimLayoutWriter {
public:
    explicit CShortWriter(CSimContext& ctx)
        : CSimLayoutWriter(ctx, 16), m_bLevel4(SimVersionNumber(ctx.options) >= 3009036),
          m_bLevel5(SimVersionNumber(ctx.options) >= 5000040) {}

private:
    CRecordLineWriter Start(unsigned type, int) const override { return CRecordLineWriter(type); }
    void Opening() override;
    void Second(int t, const CSimDiveModel::CPeriod& period) override;
    void Solenoids(int t) override;
    void DiveEnd(int t) override;

    void PadToPowerOnGrid();
    void PowerOn(int t);
    void PreDive();
    void Calibration();
    void GasTables();
    void DateTimeStamp(int t);
    void DiveStart(int t);
    void Sample(int t);
    void Status(bool afterDive);
    void Cylinders();

    bool m_bLevel4, m_bLevel5;
    std::string m_strLastStatus;
};

void CShortWriter::Opening() {
    PowerOn(0);
    PreDive();
    Calibration();
    GasTables();
    DateTimeStamp(0);
}

void CShortWriter::Second(int t, const CSimDiveModel::CPeriod& period) {
    // A later power-on places its own sample: the reader takes its time from the date, and the
    // next depth record is one interval on.
    if (t == period.on && t > 0) {
        m_nPeriodOn = t;
        PowerOn(t);
        PreDive();
    }
    if (t == m_ctx.model.DiveStart())
        DiveStart(t);
    if (t % m_ctx.options.intervalSeconds == 0 && (t == 0 || t != period.on))
        Sample(t);
}

// The reader only accepts a power-on record on the first line of a four-line group; the unit
// fills the rest of a group with erased (0xFF) records.
void CShortWriter::PadToPowerOnGrid() {
    std::vector<std::string>& lines = m_ctx.log.logLines;
    while (lines.size() % 4 != 0) {
        CRecordLineWriter w(0xFF);
        w.PadTo(16, 0xFF);
        lines.push_back(w.Finish());
    }
}

void CShortWriter::PowerOn(int t) {
    PadToPowerOnGrid();
    CRecordLineWriter w = PowerOnTotals(t);
    // Older units keep the sample interval where newer ones put the startup reason.
    w.Byte(m_bLevel5 ? 2 : m_ctx.options.intervalSeconds);
    Put(w);
}

void CShortWriter::PreDive() {
    CRecordLineWriter s(0x01);
    s.Byte(0x20).Byte(0x07).Byte(0x37).Byte(0x10).Byte(0x07).Byte(0x37).Byte(0x6F).Byte(0xFF);
    s.Byte(0).Word(m_ctx.model.SurfacePressure()).Word(ToSignedWord(m_s.ambientTemp, 10)).Byte(0);
    Put(s);
    CRecordLineWriter co2(0x42);
    co2.Byte('G');
    for (int i = 0; i < 5; ++i)
        co2.Byte('0' + m_ctx.random.Int(0, 9));
    co2.Byte(0).Word(40).Word(41).Word(ToWord(m_s.ppco2, 10)).Word(m_ctx.model.SurfacePressure());
    Put(co2);
    CRecordLineWriter text(0x20);
    for (char c : std::string("SIMULATED UNIT "))
        text.Byte(static_cast<unsigned char>(c));
    Put(text);
}

void CShortWriter::Calibration() {
    const CDateTime when = At(std::min(60, m_ctx.model.DiveStart() / 2));
    CRecordLineWriter w = CalibrationCells(0);
    w.Byte(when.Hour()).Byte(when.Minute()).Byte(when.Second());
    w.Byte(static_cast<unsigned>(m_ctx.options.calibrationError));
    Put(w);
}

void CShortWriter::GasTables() {
    for (int part = 0; part < 2; ++part) {
        CRecordLineWriter w(part == 0 ? 0x09 : 0x19);
        for (int k = part * 6; k < part * 6 + 6; ++k)
            w.Byte(m_ctx.model.GasO2()[k]).Byte(m_ctx.model.GasHe()[k]);
        if (part == 0)
            w.Byte(m_ctx.options.gfLow).Byte(m_ctx.options.gfHigh).Byte(1); // conservatism 1
        Put(w);
    }
}

void CShortWriter::DateTimeStamp(int t) {
    CRecordLineWriter w(0x0B);
    w.DateTime(At(t)).PadTo(15, 0).Byte(m_ctx.options.intervalSeconds);
    Put(w);
}

void CShortWriter::DiveStart(int t) {
    CRecordLineWriter w(0x03);
    w.DateTime(At(t)).DateTime(m_ctx.previousDiveEnd).Word(m_ctx.options.diveNumber).Byte(0);
    Put(w);
}

void CShortWriter::DiveEnd(int t) {
    const CSimDiveModel& model = m_ctx.model;
    const int seconds = t - model.DiveStart();
    CRecordLineWriter w(0x08);
    w.DateTime(At(t)).Word(ToWord(seconds)).Word(ToWord(model.MaxDepth(), 100));
    w.Word(seconds / 60).Word((model.PowerOff() - model.DiveStart()) / 60);
    Put(w);
    Status(true);
}

void CShortWriter::Sample(int t) {
    const CSimState& s = m_s;
    CountSample(t);

    CRecordLineWriter d(0x06);
    d.Word(s.pressure);
    for (double c : s.c1Cell)
        d.Byte(ToByte(c, 100));
    d.Byte(ToByte(s.battery[0], 40)).Byte(ToByte(s.battery[1], 40)).Byte(s.c1Status);
    for (double c : s.c2Cell)
        d.Byte(ToByte(c, 100));
    d.Byte(ToByte(s.battery[2], 40)).Byte(ToByte(s.battery[3], 40)).Byte(s.c2Status);
    d.Byte(s.cellStatusExtra);
    Put(d);
    // The status record makes a sample of its own, so it is written only when it changes.
    Status(false);

    CRecordLineWriter p(0x04);
    for (double temp : s.probeTemp)
        p.Byte(ToByte(temp, 4));
    p.Byte(0xC0).Word(ToSignedWord(s.ambientTemp, 10)).Byte(ToByte(s.cns)).Byte(ToByte(s.otu));
    p.Byte(ToByte(s.ppco2, 10));
    Put(p);

    CRecordLineWriter c = Deco(t);
    Put(c);

    CRecordLineWriter dd(0x0D);
    dd.Byte(s.inDive ? 1 : 0).Byte(1).Byte(1);
    Put(dd);

    if (m_ctx.options.cylinderPressures)
        Cylinders();
    if (t % 60 == 0 || m_ctx.options.intervalSeconds >= 60) {
        CRecordLineWriter co2(0x40);
        co2.Word(ToWord(s.co2Temp, 10)).Word(ToWord(s.co2Ppm)).Word(ToWord(s.ppco2, 10));
        co2.Word(s.pressure).Word(512).Word(ToWord(s.co2Temp)).Word(ToWord(s.ppco2, 100));
        co2.Byte(ToByte(s.probeTemp[8], 4));
        Put(co2);
    }
}

void CShortWriter::Status(bool afterDive) {
    std::array<unsigned, 10> status = m_s.status;
    if (afterDive) {
        status[0] &= ~0x14u;
        status[3] &= ~0x40u;
        status[5] &= ~0x40u;
    }
    CRecordLineWriter w(0x07);
    w.Byte(m_s.gasO2).Byte(m_s.gasHe).Byte(0).Byte(ToByte(m_s.setpoint, 100));
    for (unsigned b : status)
        w.Byte(b);
    w.Byte(m_bLevel4 ? m_s.statusExt : static_cast<unsigned>(m_ctx.options.intervalSeconds));
    w.PadTo(16, 0);
    std::string line = w.Finish();
    if (line == m_strLastStatus)
        return;
    m_strLastStatus = line;
    m_ctx.log.logLines.push_back(std::move(line));
}

void CShortWriter::Cylinders() {
    if (!CylindersChanged())
        return;
    CRecordLineWriter w(0x0A);
    for (int k = 0; k < 6; ++k)
        w.Word(m_s.cylinder[k]);
    w.Word(m_s.cylinder[12]);
    Put(w);
}

void CShortWriter::Solenoids(int t) {
    // The base second is a word; a log that runs past it keeps its solenoid history short.
    if (t > 65535)
        return;
    for (int c = 0; c < 2; ++c) {
        CRecordLineWriter w(c == 0 ? 0x32 : 0x33);
        w.Word(t);
        WriteSolenoidBitmap(w, m_arFired[c], t);
        Put(w);
    }
}

} // namespace

void WriteShortLog(CSimContext& ctx) {
    CShortWriter(ctx).Run();
}

} // namespace sim
