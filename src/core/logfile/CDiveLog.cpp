#include "logfile/CDiveLog.h"

#include <chrono>
#include <thread>

#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/CLineSource.h"
#include "logfile/FileIO.h"
#include "logfile/LoaderInternal.h"
#include "logfile/binary/BinaryFileAccess.h"
#include "logfile/binary/BinaryLineSource.h"
#include "logfile/binary/BinaryLog.h"

namespace {

constexpr int kOpenAttempts = 10;
constexpr auto kOpenRetryDelay = std::chrono::milliseconds(10);

// A busy file (a download still closing it) gets a few more tries at opening.
fileio::ReadOutcome ReadLogFile(const std::string& path, fileio::CFileBytes& content) {
    fileio::ReadOutcome read;
    for (int attempt = 1;; ++attempt) {
        read = fileio::ReadFile(path, content);
        if (read.ok || read.osError == 0 || attempt >= kOpenAttempts)
            return read;
        std::this_thread::sleep_for(kOpenRetryDelay);
    }
}

// 0 not a log, 1 text, 2 binary: the first two bytes decide.
int CheckFormat(std::string_view content, std::string& error) {
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
    m_fileIdentity = {};
    m_ChartRange = CChartRange{};
    m_DiveInformation.Clear();
    m_GasManagement.Reset(m_CylinderDefaults);
    m_SysInfo.Clear();
}

CLoadResult CDiveLog::LoadLogFile(const std::string& path, const CLoadOptions& options) {
    CLoadResult result;
    CReport report(options.messageLevel, options.observer);
    m_bLoading = true;
    fileio::CFileBytes content;
    const fileio::ReadOutcome read = ReadLogFile(path, content);
    if (read.ok) {
        Load(content.View(), path, options, report, result);
        if (result.loaded)
            m_fileIdentity = read.identity;
    } else {
        // Only regular files are read; what stood in the way is said with the path.
        result.messageId = 2218;
        result.reason = read.error + ": " + path;
        const std::string detail =
            read.osError
                ? "Unable to open source file: " + binaryfile::OpenFailureDetail(read.osError, path)
                : read.error;
        result.errors = {result.reason, "Error Message - " + detail};
        for (const std::string& line : result.errors)
            report.Add(ReportKind::kError, line);
        m_nFileKind = 0;
    }
    m_bLoading = false;
    result.events = report.TakeEvents();
    return result;
}

CLoadResult CDiveLog::LoadLogBytes(std::string_view bytes, const std::string& name,
                                   const CLoadOptions& options) {
    CLoadResult result;
    CReport report(options.messageLevel, options.observer);
    Load(bytes, name, options, report, result);
    m_bLoading = false;
    result.events = report.TakeEvents();
    return result;
}

void CDiveLog::Load(std::string_view content, const std::string& path, const CLoadOptions& options,
                    CReport& report, CLoadResult& result) {
    m_bLoading = true;
    const auto fail = [&](std::vector<std::string> errors) {
        for (const std::string& line : errors)
            report.Add(ReportKind::kError, line);
        result.errors = std::move(errors);
    };

    std::string error;
    m_nFileKind = CheckFormat(content, error);
    if (m_nFileKind == 0) {
        result.messageId = 2218;
        fail({"Invalid file format", "Error Message - " + error});
        return;
    }
    report.Add(ReportKind::kProgress, "File format check passed");
    m_bFrcLayout = false;

    CMemLineFile text;
    CBinaryLineSource binary(options.binaryPieceChars ? options.binaryPieceChars
                                                      : CBinaryLineSource::kPieceChars);
    CLineSource* source = &text;
    if (m_nFileKind == 2) {
        bool frcLayout = false;
        std::string convertError;
        const CBinaryLogKey key =
            options.key ? *options.key : CBinaryLogKey::Resolve(std::string(), &report);
        // The lines are made from the file's bytes as they are read, so `content` stays
        // until the load is done.
        if (!OpenBinaryBytesAsLines(content, binary, frcLayout, convertError, &key, &report)) {
            // Without a message the diver would be left looking at an empty window.
            result.messageId = 2220;
            result.reason = convertError;
            fail({"Unable to convert the binary file to a CMemStdioFile",
                  "Error Message - " + convertError});
            return;
        }
        m_bFrcLayout = frcLayout;
        source = &binary;
    } else {
        text.SetView(content); // the caller's text outlives the load
    }

    PrepareForLoad();
    CLogLoader::Run(*this, path, *source, result, report, m_nFileKind == 1, m_nFileKind == 2);
}

void CDiveLog::PrepareForLoad() {
    ClearSamplesAndVersion();
    // From here on the previous file is gone even if the caller did not unload it first; a
    // failed load must not leave it marked as loaded over empty arrays.
    m_bFileLoaded = false;
    m_strFilePath.clear();
    m_strFileTitle.clear();
    m_fileIdentity = {};
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
