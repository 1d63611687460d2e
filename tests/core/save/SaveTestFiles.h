#pragma once
// Small log files on disk for the save tests.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "logfile/FieldParsers.h"

namespace savetest {

class CTempDir {
public:
    CTempDir() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "zelvor-save-XXXXXX").string();
        m_path = ::mkdtemp(templ.data());
    }
    ~CTempDir() {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::string ReadAll(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteAll(const std::string& p, const std::string& s) {
    std::ofstream(p, std::ios::binary) << s;
}

// A short-layout record of the given type: 16 bytes plus checksum.
inline std::string Record(unsigned type, unsigned fill = 0x11) {
    return CRecordLineWriter(type).PadTo(16, fill).Finish();
}

inline std::string Join(const std::vector<std::string>& lines, const char* eol = "\n") {
    std::string s;
    for (const auto& l : lines)
        s += l + eol;
    return s;
}

// Big-endian standard record of a binary log with its CRC.
std::string BinaryRecord(unsigned type, const std::string& payload);
// Records followed by the CRC of the whole file.
std::string BinaryFile(const std::vector<std::string>& records);

} // namespace savetest
