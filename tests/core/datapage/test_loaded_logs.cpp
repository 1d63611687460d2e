// The data table and the log book of simulated dives, loaded the way the viewer loads a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "sim/CDiveSimulator.h"
#include "viewmodel/DataRows.h"
#include "viewmodel/LogBook.h"

namespace {

// Simulates a dive, writes it as a text log and loads it into `log`.
void LoadSimulated(CDiveLog& log, const CSimOptions& options, const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("datapage_" + std::to_string(getpid()) + "_" + name + ".ccl");
    {
        std::ofstream out(path, std::ios::binary);
        out << SimulateDive(options).ToText();
    }
    const CLoadResult result = log.LoadLogFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(result.loaded) << name;
}

CSimOptions Options(bool frc, bool colour) {
    CSimOptions o;
    o.frcLayout = frc;
    o.colourDisplay = colour;
    o.durationSeconds = 20 * 60;
    o.diveNumber = 42;
    if (!frc)
        o.versionMajor = 6; // the short layout belongs to displays before 07.00.03
    std::string error;
    EXPECT_TRUE(ValidateSimOptions(o, error)) << error;
    return o;
}

void ExpectLogBookEndsWithThisDive(const CDiveLog& log, const std::string& lastNumber) {
    const auto entries = DecodeLogBook(log);
    ASSERT_FALSE(entries.empty());
    const auto last = LogBookRowTexts(entries.back(), true);
    EXPECT_EQ(last[0], lastNumber);
    EXPECT_EQ(last[1].substr(0, 10), "14/06/2026");
}

} // namespace

TEST(LoadedLog, DataRowsCoverExactlyTheDiveWindow) {
    for (bool frc : {true, false}) {
        CDiveLog log;
        LoadSimulated(log, Options(frc, false), frc ? "frc" : "short");
        const CDataWindow window = DataWindow(log);
        const auto indices = DataSampleIndices(log);
        ASSERT_FALSE(indices.empty());
        std::size_t inside = 0;
        for (const auto& s : log.m_arSamples)
            inside += s->m_dTime >= window.dStart && s->m_dTime <= window.dEnd;
        EXPECT_EQ(indices.size(), inside);
        // Surface samples before the dive exist and are not listed.
        EXPECT_GT(indices.front(), 0u);
        EXPECT_LT(log.m_arSamples[indices.front() - 1]->m_dTime, window.dStart);

        std::vector<std::string> row;
        DataRowTexts(log, indices.front(), true, row);
        EXPECT_EQ(row.size(), log.m_bCylinderPressures ? 27u : 20u);
        EXPECT_GE(std::stod(row[0]), 0.0);
        EXPECT_LT(std::stod(row[0]), 60.0);
    }
}

TEST(LoadedLog, LogBookFromEachDisplayKind) {
    {
        CDiveLog log;
        LoadSimulated(log, Options(true, false), "frc_book");
        ExpectLogBookEndsWithThisDive(log, "42 (Eeprom)");
        EXPECT_EQ(LogBookRowTexts(DecodeLogBook(log).front(), true)[0], "37");
    }
    {
        CDiveLog log;
        LoadSimulated(log, Options(false, false), "plain_book");
        ExpectLogBookEndsWithThisDive(log, "42");
    }
    {
        CDiveLog log;
        LoadSimulated(log, Options(false, true), "colour_book");
        ExpectLogBookEndsWithThisDive(log, "42");
        EXPECT_EQ(DecodeLogBook(log).size(), 6u);
    }
}
