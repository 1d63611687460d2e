#pragma once
// Dive models for the profile page tests: a synthetic one whose every trace has its own value
// range (so each slot's colour shows in a picture), and a simulated dive loaded from a log file.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <ostream>

#include "app/CViewerContext.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "sim/CDiveSimulator.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace profiletest {

// `seconds` one-second samples: a dive to 30 m and back; cells and setpoint on separate levels;
// the fast-ascent bit on in the second half.
inline void BuildSyntheticLog(CDiveLog& log, int seconds) {
    log.UnloadLogFile();
    for (int t = 0; t < seconds; ++t) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = t;
        const double phase = static_cast<double>(t) / seconds;
        const double depth = phase < 0.5 ? 60.0 * phase : 60.0 * (1.0 - phase);
        s->m_dPressure = 1000.0 + depth * 100.0;
        s->m_bPoweredOn = true;
        s->m_dSetpoint = 1.3;
        for (int c = 0; c < 3; ++c) {
            s->m_dC1Cell[c] = 0.40 + 0.12 * c + 0.02 * (t % 5);
            s->m_dC2Cell[c] = 0.80 + 0.12 * c + 0.02 * (t % 5);
        }
        s->m_dC1Measured = 0.30 + 0.01 * (t % 7);
        s->m_dC2Measured = 1.50 + 0.01 * (t % 7);
        s->m_byCellStatusExtra = phase > 0.5 ? 0x01 : 0x00;
        s->m_dGasO2 = 21;
        log.m_arSamples.push_back(std::move(s));
    }
    log.m_bFileLoaded = true;
    log.m_dDiveStartTime = 0;
    log.m_dDiveEndTime = seconds - 1;
    log.m_dLogEndTime = seconds - 1;
    log.m_strFilePath = "synthetic-" + std::to_string(seconds);
    log.m_ChartRange = {0, seconds - 1, seconds - 1, 0, seconds - 1};
}

// Ten slots: the nine PPO2 traces and the fast-ascent band, all enabled.
inline void WriteTenTraceSettings(CViewerContext& ctx) {
    const uint32_t codes[10] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 909};
    CTraceSettings traces = ctx.Settings().Traces();
    for (size_t n = 0; n < 10; ++n) {
        traces.m_nTrace[n] = codes[n];
        traces.m_nTraceEnable[n] = 1;
    }
    ctx.SetTraces(traces);
}

// A simulated dive written to a temporary file and loaded.
inline bool LoadSimulatedDive(CDiveLog& log, const CSimOptions& options) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("sim.ccl")).toStdString();
    {
        std::ofstream out(path, std::ios::binary);
        out << SimulateDive(options).ToText();
    }
    return log.LoadLogFile(path).loaded;
}

} // namespace profiletest
