#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "logfile/SafeFileWrite.h"

namespace fs = std::filesystem;

namespace {

class CTempDir {
public:
    CTempDir() {
        std::string templ = (fs::temp_directory_path() / "zelvor-save-XXXXXX").string();
        m_path = ::mkdtemp(templ.data());
    }
    ~CTempDir() {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    fs::path operator/(const std::string& name) const { return fs::path(m_path) / name; }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const fs::path& p, const std::string& s) {
    std::ofstream(p, std::ios::binary) << s;
}

size_t EntryCount(const fs::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

// ---- ReplaceFileContent ------------------------------------------------------------------------

TEST(ReplaceFileContent, ReplacesAndKeepsPermissions) {
    CTempDir dir;
    const fs::path file = dir / "dive.ccl";
    WriteAll(file, "old content\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    std::string error;
    ASSERT_TRUE(ReplaceFileContent(file.string(), "new\n", error)) << error;
    EXPECT_EQ(ReadAll(file), "new\n");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(EntryCount(dir.Path()), 1u); // no temporary file left behind
}

TEST(ReplaceFileContent, FollowsASymbolicLink) {
    CTempDir dir;
    const fs::path real = dir / "real.ccl";
    const fs::path link = dir / "link.ccl";
    WriteAll(real, "old\n");
    fs::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(ReplaceFileContent(link.string(), "new\n", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "new\n");
}

TEST(ReplaceFileContent, EveryFailingStepLeavesTheOriginalUntouched) {
    CTempDir dir;
    const fs::path file = dir / "dive.ccl";
    for (auto step : {EFileWriteStep::Create, EFileWriteStep::Write, EFileWriteStep::Flush,
                      EFileWriteStep::Rename}) {
        WriteAll(file, "original\n");
        SetFileWriteFaultForTesting(true, step);
        std::string error;
        EXPECT_FALSE(ReplaceFileContent(file.string(), "replacement\n", error));
        SetFileWriteFaultForTesting(false);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadAll(file), "original\n");
        EXPECT_EQ(EntryCount(dir.Path()), 1u);
    }
}

TEST(ReplaceFileContent, MissingFileFails) {
    CTempDir dir;
    std::string error;
    EXPECT_FALSE(ReplaceFileContent((dir / "missing.ccl").string(), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(EntryCount(dir.Path()), 0u);
}
