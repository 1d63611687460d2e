// A simulated dive written once as a text log and once as a binary log must load to the same
// model: the binary path differs only in how the lines reach the loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "cli/DumpJson.h"
#include "logfile/CDiveLog.h"
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

// The whole model in its dump form, from the load result on: only the file name and kind may
// differ between the two loads.
std::string LoadedModel(const std::string& path, int expectedKind) {
    CDiveLog log;
    const CLoadResult result = log.LoadLogFile(path);
    EXPECT_TRUE(result.loaded) << path;
    EXPECT_EQ(log.m_nFileKind, expectedKind) << path;
    const std::string json = zelvorlog::DumpJson(path, log, result);
    return json.substr(json.find("\"loaded\""));
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

    EXPECT_TRUE(LoadedModel(w.textPath, 1) == LoadedModel(w.binaryPath, 2))
        << "the binary file loads to another model than its text twin";
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
