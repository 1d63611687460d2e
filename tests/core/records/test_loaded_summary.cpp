// The user records of a simulated log, loaded and written back. How the loader fills the summary
// and system information is checked by the simulator's round trips and the golden dumps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "logfile/CDiveLog.h"
#include "logfile/FieldParsers.h"
#include "sim/CDiveSimulator.h"

TEST(LoadedRecords, UserRecordsSurviveASaveCycle) {
    const CSimLog sim = SimulateDive(CSimOptions());
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zelvor_records_user_" + std::to_string(::getpid()) + ".ccl"))
                                 .string();
    std::ofstream(path, std::ios::binary) << sim.ToText();
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(path).loaded);
    std::filesystem::remove(path);
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
