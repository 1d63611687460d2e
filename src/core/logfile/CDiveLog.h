#pragma once
// The dive model of one loaded log: everything the loader builds and every view reads. The
// viewer's main window owns one; the command line tool and the tests use it without a window.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CDateTime.h"
#include "logfile/CDiveLogGasManagement.h"
#include "logfile/CDiveLogInformation.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/CDiveLogSysInfo.h"
#include "logfile/CSampleStore.h"
#include "logfile/FileIO.h"
#include "logfile/binary/CBinaryLogKey.h"
#include "statuslog/CReport.h"

class CDiveLogPreDive;

// What a load came to; the window shows the message box, the loader never does.
struct CLoadResult {
    bool loaded = false;
    // String-table id of the message box the window must show: 2218 "Unable to open data file.",
    // 2219 "Invalid Checksum.", 2220 "Invalid Log File."; 0 for none.
    int messageId = 0;
    // The status-log error lines of a failed load, in order.
    std::vector<std::string> errors;
    // Why a failed load failed, in words a diver can act on, for the message box; empty when
    // the message alone says it.
    std::string reason;
    // Everything the load had to say, at the level it was asked for, in order.
    std::vector<CReportEvent> events;
};

// How a load reports and what it needs from outside.
struct CLoadOptions {
    int messageLevel = 0; // the "Message Level" setting
    // Sees each event as it happens (the viewer writes them to the status log at once).
    CReport::Observer observer;
    // The binary logs' key; without one, $ZELVOR_LOG_KEY or the built-in test key.
    std::optional<CBinaryLogKey> key;
};

// The three times (whole seconds) and the view range the profile chart receives.
struct CChartRange {
    long long diveStart = 0;
    long long diveEnd = 1;
    long long logEnd = 1;
    long long viewStart = 0;
    long long viewEnd = 1;
};

class CDiveLog {
public:
    static constexpr int kVersionLevels = 9;

    CDiveLog();
    ~CDiveLog();
    CDiveLog(const CDiveLog&) = delete;
    CDiveLog& operator=(const CDiveLog&) = delete;

    CLoadResult LoadLogFile(const std::string& path, const CLoadOptions& options = {});
    // The same for a file already in memory; `name` stands for its path (the title, the
    // messages). A log loaded this way has no file identity, so saving it checks only its kind.
    CLoadResult LoadLogBytes(std::string_view bytes, const std::string& name,
                             const CLoadOptions& options = {});
    void UnloadLogFile();
    // Fills the summary fields and the dive label of m_DiveInformation from the model; how it
    // chose the dive time and depth goes to `report` as progress events.
    void ComputeDiveSummary(CReport& report);
    void ComputeDiveSummary() {
        CReport quiet;
        ComputeDiveSummary(quiet);
    }
    // The pre-dive record set the summary reads (the one current when the dive began); null
    // when the log has none.
    const CDiveLogPreDive* SummaryPreDiveSet() const;

    // Level 1-9 as the loader set them from the display code version.
    bool VersionLevel(int level) const {
        return level >= 1 && level <= kVersionLevels && m_bVersionLevel[level - 1];
    }

    CSampleStore m_arSamples;
    std::vector<std::unique_ptr<CDiveLogPreDive>> m_arPreDives;
    CSolenoidArray m_arSolenoidC1;
    CSolenoidArray m_arSolenoidC2;
    CDiveLogInformation m_DiveInformation;
    CDiveLogGasManagement m_GasManagement;
    CDiveLogSysInfo m_SysInfo;

    int m_nFileKind = 0; // 0 not a dive log, 1 text, 2 binary
    std::string m_strFilePath;
    std::string m_strFileTitle;
    // The loaded file as it was on disk, so a save can tell it was replaced meanwhile.
    fileio::FileIdentity m_fileIdentity;
    double m_dSurfacePressure = 1000.0; // mbar; kept across loads
    int m_nSampleInterval = 10;         // s; kept across loads
    CDateTime m_dtDiveStart;
    double m_dDiveStartTime = 0.0;
    double m_dDiveEndTime = 0.0;
    double m_dLogEndTime = 0.0;
    bool m_bFileLoaded = false;
    bool m_bCylinderPressures = false;
    bool m_bFrcLayout = false;
    bool m_bLoading = false;
    bool m_bModified = false; // the dive information or gas management was edited
    // Counted up by the viewer at every load and unload; tells views that the dive was replaced.
    unsigned m_nLoadGeneration = 0;
    bool m_bVersionLevel[kVersionLevels] = {};

    CChartRange m_ChartRange;
    // What a log without its own cylinder records starts from; the viewer keeps it equal to the
    // settings.
    CCylinderDefaults m_CylinderDefaults = GroupDefaults<CCylinderDefaults>();

private:
    friend class CLogLoader;
    // Empties the four arrays and clears the version levels.
    void ClearSamplesAndVersion();
    // Before a pass: arrays, version levels, the per-file times and the records reset.
    void PrepareForLoad();
    void SetLoadedFile(const std::string& path);
    // `owned`, when given, holds the same bytes as `content` and may be freed: a binary file's
    // bytes are gone before the passes begin.
    void Load(std::string_view content, fileio::CFileBytes* owned, const std::string& path,
              const CLoadOptions& options, CReport& report, CLoadResult& result);
};
