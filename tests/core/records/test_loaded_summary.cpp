// The records as the loader fills them from simulated logs whose content is known. The dive
// summary against the simulator's truth is checked by the simulator's own round trips.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "logfile/CDeviceList.h"
#include "logfile/CDiveLog.h"
#include "logfile/FieldParsers.h"
#include "sim/CDiveSimulator.h"

namespace {

std::string WriteLog(const CSimLog& sim, const std::string& name) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zelvor_records_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << sim.ToText();
    return path;
}

void LoadSimulated(CDiveLog& log, const CSimOptions& options, const std::string& name,
                   CSimLog& sim) {
    sim = SimulateDive(options);
    const CLoadResult result = log.LoadLogFile(WriteLog(sim, name));
    ASSERT_TRUE(result.loaded) << name;
}

} // namespace

// ---- LoadLogFile into the records
// ----------------------------------------------------------------

TEST(LoadedRecords, FrcLayoutGradientFactorsAndSystemInformation) {
    CSimOptions options;
    CDiveLog log;
    CSimLog sim;
    LoadSimulated(log, options, "frc.ccl", sim);
    EXPECT_EQ(log.m_DiveInformation.m_dGfLow, options.gfLow);
    EXPECT_EQ(log.m_DiveInformation.m_dGfHigh, options.gfHigh);
    const CSysInfoTexts& display = log.m_SysInfo.Texts(kBusColourDisplay);
    EXPECT_EQ(display.m_strUnitType, "ZELVOR CCR");
    EXPECT_EQ(display.m_strOwnerName, "Sam Diver");
    EXPECT_EQ(display.m_strShipmentDate, "15/03/2024");
    EXPECT_EQ(display.m_strCodeVersion.substr(6), "07.00.20");
    EXPECT_EQ(log.m_SysInfo.History(kBusColourDisplay).size(), 3u);
}

TEST(LoadedRecords, ShortLayoutPlainDisplay) {
    CSimOptions options;
    options.frcLayout = false;
    options.versionMajor = 5;
    options.versionMinor = 2;
    options.versionBuild = 46;
    CDiveLog log;
    CSimLog sim;
    LoadSimulated(log, options, "short.ccl", sim);
    EXPECT_EQ(log.m_SysInfo.DisplayBusAddress(), kBusDisplay);
    EXPECT_EQ(log.m_SysInfo.Texts(kBusDisplay).m_strOwnerName, "Sam Diver");
    EXPECT_EQ(log.m_SysInfo.Texts(kBusC1).m_strTesterId, "7");
}

TEST(LoadedRecords, UserRecordsSurviveASaveCycle) {
    CSimOptions options;
    CDiveLog log;
    CSimLog sim;
    LoadSimulated(log, options, "user.ccl", sim);
    CDiveLogInformation copy;
    for (const std::string& line : log.m_DiveInformation.EncodeAll())
        copy.Decode(RecordType(line), line);
    EXPECT_EQ(copy.m_strLocation, log.m_DiveInformation.m_strLocation);
    EXPECT_EQ(copy.m_bDiveType, log.m_DiveInformation.m_bDiveType);
    EXPECT_EQ(sim.userLines.front(), log.m_DiveInformation.Encode(0x80));
    for (const std::string& line : sim.userLines) {
        if (RecordType(line) < 0xA0)
            continue;
        EXPECT_EQ(line, log.m_GasManagement.Encode(static_cast<int>(RecordType(line) - 0xA0)));
    }
}
