#include "statuslog/StatusLog.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string DataDirectory() {
    if (const char* d = std::getenv("ZELVOR_DATA_DIR"); d && *d)
        return d;
    if (const char* d = std::getenv("XDG_DATA_HOME"); d && *d)
        return d;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share";
}

void StatusLog::Open(std::string_view folder, std::string_view fileName, bool keepExisting) {
    OpenIn(DataDirectory(), folder, fileName, keepExisting);
}

void StatusLog::OpenIn(const std::string& baseDir, std::string_view folder,
                       std::string_view fileName, bool keepExisting) {
    m_bEnabled = true;
    std::string sub(folder);
    for (char& c : sub) {
        if (c == '\\')
            c = '/';
    }
    fs::path dir = fs::path(baseDir) / sub;
    std::error_code ec;
    fs::create_directories(dir, ec); // a failure only means lost lines later
    m_strLogPath = (dir / std::string(fileName)).string();
    if (!keepExisting) {
        Rotate(dir.string(), fileName);
        if (fs::is_regular_file(fs::symlink_status(m_strLogPath, ec)))
            fs::remove(m_strLogPath, ec);
    }
}

void StatusLog::Rotate(const std::string& dir, std::string_view fileName) {
    const std::string name(fileName);
    const size_t dot = name.rfind('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
    auto numbered = [&](int k) {
        char num[16];
        std::snprintf(num, sizeof num, "%02d", k);
        return fs::path(dir) / (base + num + ext);
    };
    // Only our own files move: a folder (or anything else) that happens to carry one of the
    // names stays where and what it is.
    std::error_code ec;
    auto isLogFile = [&](const fs::path& p) {
        return fs::is_regular_file(fs::symlink_status(p, ec));
    };
    if (isLogFile(numbered(kOldLogs)))
        fs::remove(numbered(kOldLogs), ec);
    for (int k = kOldLogs; k >= 1; --k) {
        const fs::path source = k == 1 ? fs::path(dir) / name : numbered(k - 1);
        const fs::path target = numbered(k);
        if (!isLogFile(source) ||
            (fs::exists(fs::symlink_status(target, ec)) && !isLogFile(target)))
            continue;
        fs::rename(source, target, ec);
    }
}

bool StatusLog::Write(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const bool ok = WriteV(format, args);
    va_end(args);
    return ok;
}

bool StatusLog::WriteLevel(int level, const char* format, ...) {
    if (!Reaches(level))
        return true;
    va_list args;
    va_start(args, format);
    const bool ok = WriteV(format, args);
    va_end(args);
    return ok;
}

bool StatusLog::WriteV(const char* format, va_list args) {
    if (m_strLogPath.empty() && !m_sink)
        return false;
    if (!m_bEnabled && !m_sink)
        return true;
    if (format == nullptr)
        return false;
    char buffer[kBufferSize + 1];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    buffer[kBufferSize] = '\0';
    return WriteLine(buffer);
}

bool StatusLog::WriteText(std::string_view message) {
    if (m_strLogPath.empty() && !m_sink)
        return false;
    if (!m_bEnabled && !m_sink)
        return true;
    return WriteLine(message.substr(0, kBufferSize));
}

bool StatusLog::WriteLine(std::string_view message) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_sink)
        m_sink(message);
    if (m_strLogPath.empty())
        return true;
    if (!m_bEnabled)
        return true;
    std::string line;
    if (m_bPrefix)
        line += m_strProgramName + " : ";
    if (m_bTimestamp) {
        std::time_t t = std::time(nullptr);
        std::tm tmv{};
        localtime_r(&t, &tmv);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%d/%m/%Y %H:%M:%S", &tmv);
        line += stamp;
        line += " : ";
    }
    line += message;
    line += '\n';
    std::FILE* f = std::fopen(m_strLogPath.c_str(), "ab");
    if (!f)
        return false;
    const bool ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    std::fclose(f);
    return ok;
}
