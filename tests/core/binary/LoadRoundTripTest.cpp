// A simulated dive written once as a text log and once as a binary log must load to the same
// model: the binary path differs only in how the lines reach the loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "logfile/CDeviceList.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/CBinaryLogWriter.h"
#include "sim/CDiveSimulator.h"

namespace {

std::filesystem::path TempDir() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("zelvor_binary_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

struct Written {
    std::string textPath;
    std::string binaryPath;
    std::vector<std::string> lines;
};

Written WriteBoth(const CSimOptions& options, const std::string& name) {
    const CSimLog sim = SimulateDive(options);
    Written w;
    w.textPath = (TempDir() / (name + ".ccl")).string();
    w.binaryPath = (TempDir() / (name + ".bin")).string();
    std::ofstream(w.textPath, std::ios::binary) << sim.ToText();
    w.lines = CBinaryLogWriter::SplitLines(sim.ToText());
    CBinaryLogWriter::Options writerOptions;
    writerOptions.key = CBinaryLogKey::TestKey();
    writerOptions.displayVersion = {0, uint8_t(sim.versionMajor), uint8_t(sim.versionMinor),
                                    uint8_t(sim.versionBuild)};
    CBinaryLogWriter writer(writerOptions);
    EXPECT_TRUE(writer.WriteFile(w.binaryPath, w.lines)) << writer.GetErrorText();
    return w;
}

void ExpectSameModel(const CDiveLog& text, const CDiveLog& binary) {
    ASSERT_TRUE(text.m_bFileLoaded);
    ASSERT_TRUE(binary.m_bFileLoaded);
    EXPECT_EQ(text.m_nFileKind, 1);
    EXPECT_EQ(binary.m_nFileKind, 2);
    EXPECT_EQ(text.m_bFrcLayout, binary.m_bFrcLayout);
    for (int level = 1; level <= CDiveLog::kVersionLevels; ++level)
        EXPECT_EQ(text.VersionLevel(level), binary.VersionLevel(level)) << "level " << level;
    EXPECT_EQ(text.m_dDiveStartTime, binary.m_dDiveStartTime);
    EXPECT_EQ(text.m_dDiveEndTime, binary.m_dDiveEndTime);
    EXPECT_EQ(text.m_dLogEndTime, binary.m_dLogEndTime);
    EXPECT_EQ(text.m_dtDiveStart, binary.m_dtDiveStart);
    EXPECT_EQ(text.m_bCylinderPressures, binary.m_bCylinderPressures);
    EXPECT_EQ(text.m_arPreDives.size(), binary.m_arPreDives.size());
    EXPECT_EQ(text.m_arSolenoidC1.size(), binary.m_arSolenoidC1.size());
    EXPECT_EQ(text.m_arSolenoidC2.size(), binary.m_arSolenoidC2.size());
    ASSERT_EQ(text.m_arSamples.size(), binary.m_arSamples.size());
    for (size_t i = 0; i < text.m_arSamples.size(); ++i) {
        const CDiveLogSample& a = *text.m_arSamples[i];
        const CDiveLogSample& b = *binary.m_arSamples[i];
        ASSERT_EQ(a.m_dTime, b.m_dTime) << "sample " << i;
        ASSERT_EQ(a.m_dPressure, b.m_dPressure) << "sample " << i;
        ASSERT_EQ(a.m_dC1Cell[0], b.m_dC1Cell[0]) << "sample " << i;
        ASSERT_EQ(a.m_dSetpoint, b.m_dSetpoint) << "sample " << i;
        ASSERT_EQ(a.m_dCylinder[12], b.m_dCylinder[12]) << "sample " << i;
    }
    EXPECT_EQ(text.m_DiveInformation.m_strLocation, binary.m_DiveInformation.m_strLocation);
    EXPECT_EQ(text.m_DiveInformation.m_strDiveLabel, binary.m_DiveInformation.m_strDiveLabel);
    EXPECT_EQ(text.m_DiveInformation.m_dMaxDepth, binary.m_DiveInformation.m_dMaxDepth);
    for (int bus : {kBusDisplay, kBusColourDisplay, kBusC1, kBusC2})
        EXPECT_EQ(text.m_SysInfo.CodeVersionText(bus), binary.m_SysInfo.CodeVersionText(bus));
}

CSimOptions ShortLayout() {
    CSimOptions options;
    options.frcLayout = false;
    options.versionMajor = 5;
    options.versionMinor = 2;
    options.versionBuild = 46;
    return options;
}

void RoundTrip(const CSimOptions& options, const std::string& name) {
    const Written w = WriteBoth(options, name);
    // The converter gives back exactly the lines of the text log.
    CMemLineFile out;
    bool frc = !options.frcLayout;
    std::string error;
    ASSERT_TRUE(ConvertBinaryLogToLines(w.binaryPath, out, frc, error)) << error;
    EXPECT_EQ(frc, options.frcLayout);
    EXPECT_EQ(out.Content(), JoinLines(w.lines));

    CDiveLog text;
    CDiveLog binary;
    EXPECT_TRUE(text.LoadLogFile(w.textPath).loaded);
    EXPECT_TRUE(binary.LoadLogFile(w.binaryPath).loaded);
    ExpectSameModel(text, binary);
    std::filesystem::remove(w.textPath);
    std::filesystem::remove(w.binaryPath);
}

} // namespace

TEST(BinaryRoundTrip, BothLayoutsLoadLikeTheTextLog) {
    unsetenv("ZELVOR_LOG_KEY");
    RoundTrip(CSimOptions(), "frc");
    RoundTrip(ShortLayout(), "short");
}

TEST(BinaryRoundTrip, WrongKeyLoadsNonsenseWithoutCrashing) {
    const Written w = WriteBoth(ShortLayout(), "wrongkey");
    setenv("ZELVOR_LOG_KEY", "0F1E2D3C4B5A69788796A5B4C3D2E1F0", 1);
    CDiveLog log;
    const CLoadResult result = log.LoadLogFile(w.binaryPath);
    unsetenv("ZELVOR_LOG_KEY");
    // Conversion itself succeeds: only the unscrambled log memory is nonsense.
    for (const auto& error : result.errors)
        EXPECT_EQ(error.find("Unable to convert"), std::string::npos) << error;
    if (!result.loaded) {
        EXPECT_EQ(result.messageId, 2220);
    }
    std::filesystem::remove(w.textPath);
    std::filesystem::remove(w.binaryPath);
}
