#include "sim/CSimLayoutWriter.h"

namespace sim {

void CSimLayoutWriter::Run() {
    CSimDiveModel& model = m_ctx.model;
    const int end = model.LogEnd();
    m_arFired[0].assign(end + 1, 0);
    m_arFired[1].assign(end + 1, 0);
    m_Totals = m_ctx.totals;
    model.Step(0);
    m_ctx.cylinderAtStart = m_s.cylinder;
    Opening();
    size_t period = 0;
    for (int t = 0; t <= end; ++t) {
        if (t > 0)
            model.Step(t);
        const CSimDiveModel::CPeriod& p = model.PowerPeriods()[period];
        if (t < p.on)
            continue; // switched off: nothing is logged
        m_arFired[0][t] = m_s.fired[0];
        m_arFired[1][t] = m_s.fired[1];
        Second(t, p);
        if ((t > p.on && t % 100 == 0) || t == p.off)
            Solenoids(t);
        if (t == model.DiveEnd())
            DiveEnd(t);
        if (t == p.off) {
            PowerOff(t);
            if (period + 1 < model.PowerPeriods().size())
                ++period;
        }
    }
}

CRecordLineWriter CSimLayoutWriter::PowerOnTotals(int t) {
    CRecordLineWriter w = Start(0x00, t);
    w.DateTime(At(t));
    Write24(w, m_Totals.unitOn);
    Write24(w, m_Totals.diveTime);
    w.Word(0);
    return w;
}

void CSimLayoutWriter::PowerOff(int t) {
    const CSimDiveModel& model = m_ctx.model;
    CRecordLineWriter w = Start(0x7F, t);
    w.DateTime(At(t));
    const int on = t - m_nPeriodOn;
    m_Totals.unitOn += on / 60;
    if (m_nPeriodOn == 0)
        m_Totals.diveTime += (model.DiveEnd() - model.DiveStart()) / 60;
    Write24(w, m_Totals.unitOn);
    Write24(w, m_Totals.diveTime);
    w.Word(on / 60).Byte(2); // elapsed on time, "Auto Shutdown"
    Put(w);
}

CRecordLineWriter CSimLayoutWriter::CalibrationCells(int t) {
    const int pressure = m_ctx.model.SurfacePressure();
    const double target = 0.98 * pressure / 1000.0;
    const unsigned error = static_cast<unsigned>(m_ctx.options.calibrationError);
    CRecordLineWriter w = Start(0x02, t);
    w.Word(pressure).Word(ToSignedWord(m_s.ambientTemp, 10)).Byte(98);
    for (int c = 0; c < 2; ++c) {
        const unsigned nibble = (error >> (4 * c)) & 0xF;
        for (int i = 0; i < 3; ++i) {
            const bool bad = (nibble & 0x8) || (nibble & (1u << i));
            w.Byte(ToByte(bad ? 0.42 : target + m_ctx.random.Noise(0.005), 100));
        }
    }
    return w;
}

CRecordLineWriter CSimLayoutWriter::Deco(int t) {
    const CSimState& s = m_s;
    CRecordLineWriter c = Start(0x0C, t);
    c.Word(s.timeToSurface).Word(ToWord(s.ceilingPressure)).Word(s.noDecoLimit);
    c.Word(m_ctx.model.SurfacePressure()).Word(ToWord(s.maxDepth, 100));
    c.FloatBE(static_cast<float>(s.gradientFactor)).Byte(s.gasNumber);
    return c;
}

void CSimLayoutWriter::CountSample(int t) {
    CSimTruth& truth = m_ctx.log.truth;
    ++truth.sampleTicks;
    for (int a = 0; a < kSimAlarmCount; ++a)
        truth.alarms[a] = truth.alarms[a] || m_ctx.model.AlarmActive(static_cast<ESimAlarm>(a), t);
}

bool CSimLayoutWriter::CylindersChanged() {
    if (m_bCylindersWritten && m_arLastCylinder == m_s.cylinder)
        return false;
    m_bCylindersWritten = true;
    m_arLastCylinder = m_s.cylinder;
    return true;
}

} // namespace sim
