#pragma once
// The working state of one load and the two passes over the lines. Private to the loader:
// CDiveLog::LoadLogFile builds one of these around the line source and throws it away after.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/CDiveMarks.h"
#include "logfile/CDivePhase.h"
#include "logfile/CFrcClock.h"
#include "logfile/CLineSource.h"
#include "logfile/CPowerState.h"
#include "logfile/CShortClock.h"
#include "logfile/RecordFormat.h"
#include "logfile/SampleLayouts.h"

class CDiveLogPreDive;

class CLogLoader {
public:
    CLogLoader(CDiveLog& log, const std::string& path, CLineSource& source, CLoadResult& result,
               CReport& report);

    // The whole load of the lines: the system information found by a scan, then one pass that
    // checks and routes every line. A line failing its checksum sends the load back through the
    // two passes below, which say so exactly as a version pass that stops there does.
    // `trustChecksums`: see TrustChecksums.
    static void Run(CDiveLog& log, const std::string& path, CLineSource& source,
                    CLoadResult& result, CReport& report, bool textFile, bool trustChecksums);

    // For lines whose checksums were written by our own converter a moment ago: checking them
    // again would find nothing and cost a pass over every character.
    void TrustChecksums() { m_bChecksumsChecked = true; }
    // Both false when a line fails its checksum (the result then says so).
    bool FirstPass();
    bool MainPass();
    // Sets the version levels (and for text files the layout) from the system information.
    void DetectVersion(bool textFile);
    // Validity check, model times and chart range; the result's outcome.
    void Finish();

private:
    // Latest line of each type that feeds a new sample, kept as copies (m_latest): the source's
    // lines need not outlive the next one read.
    enum Slot { k04, k05, k06, k07, k09, k0A, k0C, k0D, k19, k1A, k40, kSlots };

    // Next record line with its type; false at an empty line or the end. `ok` false on a
    // checksum failure.
    // `skipQuietRepeats`: pass over the lines QuietRepeat finds, counting them.
    bool NextRecord(std::string_view& line, unsigned& type, bool& ok,
                    bool skipQuietRepeats = false);
    // Whether `line` is byte for byte the latest line of its slot, of a type whose repeat does
    // nothing at all in the main pass.
    bool QuietRepeat(std::string_view line) const;
    void ChecksumFailure();
    // Run's one pass, Finish included; false on a checksum failure.
    bool OnePass(bool textFile);
    void ScanSystemInformation();
    // Hands the events of a one-pass load to `to` in the order the two passes give them.
    void Replay(CReport& to);
    bool PowerOnOffGrid(unsigned type) const;
    void LogOffGrid();
    void LogOffGrid(CReport& to, int line) const;

    void DispatchFrc(unsigned type, std::string_view line);
    void DispatchShort(unsigned type, std::string_view line);
    // The records both layouts read alike.
    void DispatchShared(unsigned type, std::string_view line);
    void FrcPowerOn(std::string_view line);
    void FrcDiveStart(std::string_view line);
    void FrcDiveEnd(std::string_view line);
    void FrcRestart(unsigned type, std::string_view line);
    void ShortPowerOn(std::string_view line);
    void ShortDiveStart(std::string_view line);
    void ShortDepth(std::string_view line);
    void ShortStatus(std::string_view line);
    void ShortDiveEnd(std::string_view line);
    void ShortStamp(std::string_view line);
    void ShortRestart(unsigned type, std::string_view line);
    void ShortPowerOff(std::string_view line);
    // Lines decoded into the current sample and remembered for the next one.
    void SampleLine(unsigned type, Slot slot, std::string_view line);
    bool SameFields(std::string_view a, std::string_view b) const;
    void GiveDepthLine(std::string_view line);
    bool CommonRecord(unsigned type, std::string_view line);

    CDiveLogPreDive* NewPreDive(std::string_view line);
    void GivePreDive(unsigned type, std::string_view line);
    // Makes a sample at `time` (see the steps in the .cpp); `maker` is the record type that
    // made it, `depthLine` its 0x06 line.
    CDiveLogSample& MakeSample(double time, unsigned maker, std::string_view depthLine,
                               bool keepPressure = false);
    void RebuildTemplate();
    // `decoded`: a sample the line has just been decoded into, if any.
    void SetLatest(Slot slot, std::string_view line, const CDiveLogSample* decoded = nullptr);
    // The record type a slot's line decodes as, and whether it decodes anything at all.
    unsigned SlotType(Slot slot, std::string_view line) const;
    bool Decodes(Slot slot, std::string_view line) const;
    // The rules `line` is decoded by in `slot`; none when it decodes nothing (empty, a type
    // without rules, or a length other than its layout's).
    std::span<const samplelayout::CFieldRule> RulesDecoding(Slot slot, std::string_view line) const;
    void ClearLatest();
    void TakeSampleInterval(unsigned type, std::string_view line);
    int ClampedInterval() const;
    // A short-layout date-time at 2-13; invalid unless the line has the layout's length, since a
    // shorter line holds no date at all.
    CDateTime ShortDateTime(std::string_view line) const;
    static double Whole(double seconds);

    CDiveLog& m_log;
    const std::string& m_path;
    CLineSource& m_source;
    CLoadResult& m_result;
    CReport& m_report;
    CRecordFormat m_format;
    bool m_bTrace = false;
    bool m_bChecksumsChecked = false; // or trusted: no line needs its checksum tested
    const bool m_bFrcAtStart;         // the layout the version pass reads the lines in
    // What the version pass reports, found during the one pass: its off-grid power-on lines,
    // and where its events go among those already made.
    std::vector<int> m_arFirstOffGrid;
    size_t m_nFirstPassEvents = 0;

    int m_nLine = 0;
    CDiveLogPreDive* m_pPreDive = nullptr;
    CDiveLogSample* m_pSample = nullptr;
    std::string m_latest[kSlots];
    CDiveLogSample m_template; // a new sample before its 0x06 line: the latest lines decoded
    bool m_bTemplateDirty = true;
    CShortClock m_shortClock;
    CFrcClock m_frcClock;
    CDiveMarks m_dive;
    CDivePhase m_divePhase;
    CPowerState m_power;
    // The depth records of this power-on period: the first completes its pre-dive set, and
    // status records go to the set until a second one comes.
    enum EDepthLines { kNoDepthLine, kOneDepthLine, kLaterDepthLines };
    EDepthLines m_depthLines = kNoDepthLine;
    bool m_bFirst04 = false;
    bool m_bPrevDiving = false;
    int m_nPowerOns = 0;
    int m_nSampleCount = 0;
    CSolenoidState m_solenoid;
};
