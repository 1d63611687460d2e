#pragma once
// The program's diary: one plain-text file, opened for each line and closed again at once so it
// is complete on disk after every line. A run starts a fresh file; the last ten are kept as
// StatusLog01.txt (newest) ... StatusLog10.txt (oldest).
#include <cstdarg>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

class StatusLog {
public:
    static constexpr size_t kBufferSize = 3000;
    static constexpr int kOldLogs = 10;

    // Progress messages are level 3, the loader's per-line trace level 4.
    enum Level { kAlways = 0, kProgress = 3, kTrace = 4 };

    StatusLog() = default;

    // Creates <data dir>/<folder> and sets the log path to <that>/<fileName>; unless
    // keepExisting, rotates the old logs and deletes the current one. `folder` may use "\" or
    // "/" between its parts.
    void Open(std::string_view folder, std::string_view fileName, bool keepExisting);
    // As Open, under an explicit base directory instead of the data folder.
    void OpenIn(const std::string& baseDir, std::string_view folder, std::string_view fileName,
                bool keepExisting);

    // printf-style, checked by the compiler; user texts belong in the arguments, never in the
    // format, so a "%" in a file name is written as it stands.
    bool Write(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Written only when the "Message Level" reaches `level` (0 always writes).
    bool WriteLevel(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));
    // A ready-made message, never interpreted as a format.
    bool WriteText(std::string_view message);

    void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    void SetTimestamp(bool on) { m_bTimestamp = on; }
    void SetPrefix(bool on) { m_bPrefix = on; }
    void SetProgramName(std::string name) { m_strProgramName = std::move(name); }
    // The "Message Level" setting; above 4 counts as 0.
    void SetMessageLevel(int level) { m_nMessageLevel = (level < 0 || level > 4) ? 0 : level; }
    int MessageLevel() const { return m_nMessageLevel; }
    bool Reaches(int level) const { return level <= 0 || m_nMessageLevel >= level; }

    const std::string& Path() const { return m_strLogPath; }
    // Every line written is also handed to the sink.
    void SetSink(std::function<void(std::string_view)> sink) { m_sink = std::move(sink); }

private:
    bool WriteV(const char* format, va_list args);
    bool WriteLine(std::string_view message);
    void Rotate(const std::string& dir, std::string_view fileName);

    std::string m_strProgramName;
    std::string m_strLogPath;
    bool m_bEnabled = false;
    bool m_bTimestamp = false;
    bool m_bPrefix = false;
    int m_nMessageLevel = 0;
    std::mutex m_lock;
    std::function<void(std::string_view)> m_sink;
};

// The folder for shared data: $ZELVOR_DATA_DIR when set, else $XDG_DATA_HOME, else
// ~/.local/share.
std::string DataDirectory();
