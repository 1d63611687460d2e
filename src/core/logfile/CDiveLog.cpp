#include "logfile/CDiveLog.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/CLineSource.h"
#include "logfile/LoaderInternal.h"
#include "logfile/binary/BinaryLog.h"

namespace {

constexpr int kOpenAttempts = 10;
constexpr auto kOpenRetryDelay = std::chrono::milliseconds(10);

// The causes the unit's tools report for a file that cannot be opened.
int FileErrorCause(int error) {
    switch (error) {
    case ENOENT:
        return 2; // file not found
    case ENOTDIR:
        return 3; // bad path
    case EMFILE:
        return 4; // too many open files
    case EACCES:
    case EPERM:
        return 5; // access denied
    case EISDIR:
        return 6; // invalid file
    default:
        return 1; // generic
    }
}

// The whole file in one read, into a buffer sized once, so a large log costs its own size and
// no more. A busy file (a download still closing it) gets a few more tries.
bool ReadLogFile(const std::string& path, std::string& content, std::string& error) {
    std::FILE* f = nullptr;
    int lastError = 0;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        f = std::fopen(path.c_str(), "rb");
        if (f)
            break;
        lastError = errno;
        if (attempt + 1 < kOpenAttempts)
            std::this_thread::sleep_for(kOpenRetryDelay);
    }
    if (!f) {
        char detail[64];
        std::snprintf(detail, sizeof detail, " - m_cause %d, m_lOsError %d, m_strFileName ",
                      FileErrorCause(lastError), lastError);
        error =
            std::string("Unable to open source file: ") + std::strerror(lastError) + detail + path;
        return false;
    }
    content.clear();
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        size = std::ftell(f);
    std::rewind(f);
    if (size > 0)
        content.reserve(static_cast<size_t>(size));
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = std::string("Unable to read source file: ") + path;
        return false;
    }
    return true;
}

// 0 not a log, 1 text, 2 binary: the first two bytes decide.
int CheckFormat(const std::string& content, std::string& error) {
    if (content.size() < 2) {
        error = "File to small, at least two bytes required for format check";
        return 0;
    }
    return content[0] == '\0' && content[1] == '\0' ? 2 : 1;
}

std::string FileTitle(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

CDiveLog::CDiveLog() = default;
CDiveLog::~CDiveLog() = default;

void CDiveLog::ClearSamplesAndVersion() {
    m_arSamples.clear();
    m_arSamples.shrink_to_fit();
    m_arPreDives.clear();
    m_arSolenoidC1.clear();
    m_arSolenoidC1.shrink_to_fit();
    m_arSolenoidC2.clear();
    m_arSolenoidC2.shrink_to_fit();
    for (bool& level : m_bVersionLevel)
        level = false;
}

void CDiveLog::UnloadLogFile() {
    ClearSamplesAndVersion();
    m_bFileLoaded = false;
    m_bModified = false;
    m_bCylinderPressures = false;
    m_strFilePath.clear();
    m_strFileTitle.clear();
    m_ChartRange = CChartRange{};
    m_DiveInformation.Clear();
    m_GasManagement.Reset(m_CylinderDefaults);
    m_SysInfo.Clear();
}

CLoadResult CDiveLog::LoadLogFile(const std::string& path, const CLoadOptions& options) {
    CLoadResult result;
    CReport report(options.messageLevel, options.observer);
    Load(path, options, report, result);
    m_bLoading = false;
    result.events = report.TakeEvents();
    return result;
}

void CDiveLog::Load(const std::string& path, const CLoadOptions& options, CReport& report,
                    CLoadResult& result) {
    m_bLoading = true;
    const auto fail = [&](std::vector<std::string> errors) {
        for (const std::string& line : errors)
            report.Add(ReportKind::kError, line);
        result.errors = std::move(errors);
    };

    std::string content;
    std::string error;
    m_nFileKind = ReadLogFile(path, content, error) ? CheckFormat(content, error) : 0;
    if (m_nFileKind == 0) {
        result.messageId = 2218;
        fail({"Invalid file format", "Error Message - " + error});
        return;
    }
    report.Add(ReportKind::kProgress, "File format check passed");
    m_bFrcLayout = false;

    CMemLineFile source;
    if (m_nFileKind == 2) {
        content = std::string(); // the converter reads the file itself
        bool frcLayout = false;
        std::string convertError;
        const CBinaryLogKey key =
            options.key ? *options.key : CBinaryLogKey::Resolve(std::string(), &report);
        if (!ConvertBinaryLogToLines(path, source, frcLayout, convertError, &key, &report)) {
            // Without a message the diver would be left looking at an empty window.
            result.messageId = 2220;
            result.reason = convertError;
            fail({"Unable to convert the binary file to a CMemStdioFile",
                  "Error Message - " + convertError});
            return;
        }
        m_bFrcLayout = frcLayout;
    } else {
        source.SetContent(std::move(content));
    }

    PrepareForLoad();
    CLogLoader loader(*this, path, source, result, report);
    if (!loader.FirstPass())
        return;
    loader.DetectVersion(m_nFileKind == 1);
    if (!loader.MainPass())
        return;
    loader.Finish();
}

void CDiveLog::PrepareForLoad() {
    ClearSamplesAndVersion();
    // From here on the previous file is gone even if the caller did not unload it first; a
    // failed load must not leave it marked as loaded over empty arrays.
    m_bFileLoaded = false;
    m_strFilePath.clear();
    m_strFileTitle.clear();
    m_ChartRange = CChartRange{};
    // The times describe the file being loaded; a file without a dive start must not inherit
    // the previous file's.
    m_dtDiveStart = CDateTime();
    m_dDiveStartTime = 0.0;
    m_dDiveEndTime = 0.0;
    m_dLogEndTime = 0.0;
    m_bCylinderPressures = false;
    m_DiveInformation.Clear();
    m_GasManagement.Reset(m_CylinderDefaults);
    m_SysInfo.Clear();
}

void CDiveLog::SetLoadedFile(const std::string& path) {
    m_strFilePath = path;
    m_strFileTitle = FileTitle(path);
    m_bFileLoaded = true;
}
