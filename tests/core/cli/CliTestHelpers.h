#pragma once
// Running zelvorlog in-process and the file chores its tests share.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliCommon.h"

namespace clitest {

struct CRun {
    int status = 0;
    std::string out, err;
};

inline CRun Zelvorlog(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CRun r;
    r.status = zelvorlog::RunZelvorLog(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// A path in this test process's own temporary folder.
inline std::string TempPath(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("zelvor_cli_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace clitest
