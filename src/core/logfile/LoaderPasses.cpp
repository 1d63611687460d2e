// The two passes over the lines, version detection, making samples and the end of a load.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "logfile/CDiveLogPreDive.h"
#include "logfile/FieldParsers.h"
#include "logfile/HexDigits.h"
#include "logfile/LoaderInternal.h"
#include "logfile/SampleLayouts.h"
#include "statuslog/CReport.h"

namespace {

struct VersionLevel {
    long threshold;
    const char* text;
};

constexpr VersionLevel kLevels[CDiveLog::kVersionLevels] = {
    {2001003, "Display Code Version 02.01.03 or above"},
    {2001004, "Display Code Version 02.01.04 or above"},
    {3009022, "Display Code Version 03.09.22 or above"},
    {3009036, "Display Code Version 03.09.36 or above"},
    {5000040, "Display Code Version 05.00.40 or above"},
    {5001042, "Display Code Version 05.01.42 or above"},
    {5002046, "Display Code Version 05.02.46 or above"},
    // The unit's tools announce this level as 07.00.17 although it starts at 07.00.11.
    {7000011, "Display Code Version 07.00.17 or above"},
    {7000020, "Display Code Version 07.00.20 or above"},
};
constexpr long kFrcLayoutVersion = 7000003;
// The display (plain, then colour), then the controllers.
constexpr int kVersionSources[] = {0xB0, 0xBC, 0xB2, 0xB4};

// Two characters read as a decimal number, as the BCD version bytes print.
int Decimal2(const std::string& text, size_t pos) {
    int value = 0;
    for (size_t i = pos; i < pos + 2 && i < text.size(); ++i) {
        const char c = text[i];
        value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
    }
    return value;
}

// What the first two characters of a line say to the system-information scan: an empty line
// ends the text, and the record type they read as (with the loader's digit reading) picks the
// lines it wants.
enum : unsigned char { kHeaderLine = kLineEndsText + 1, kDataLine };
// Built once at first use: too many steps for a compile-time table.
const LineStartKinds& LineStarts() {
    static const LineStartKinds table = [] {
        LineStartKinds t{};
        for (unsigned pair = 0; pair < 65536; ++pair) {
            const char first = static_cast<char>(pair & 0xFF);
            const char second = static_cast<char>(pair >> 8);
            const unsigned type =
                hexdigits::kDigit[pair & 0xFF] * 16u + hexdigits::kDigit[pair >> 8];
            if (first == '\n' || (first == '\r' && second == '\n'))
                t[pair] = kLineEndsText;
            else if (type == 0xB0)
                t[pair] = kHeaderLine;
            else if (type == 0xB1)
                t[pair] = kDataLine;
        }
        return t;
    }();
    return table;
}

} // namespace

CLogLoader::CLogLoader(CDiveLog& log, const std::string& path, CLineSource& source,
                       CLoadResult& result, CReport& report)
    : m_log(log), m_path(path), m_source(source), m_result(result), m_report(report),
      m_bFrcAtStart(log.m_bFrcLayout) {
    m_format.frcLayout = log.m_bFrcLayout;
    m_bTrace = report.Wants(ReportKind::kTrace);
}

// ---- Reading lines ------------------------------------------------------------------------------

// Header lines all begin with one of these; records begin with a hex digit, and only "D" is both.
static bool MayBeHeader(std::string_view line) {
    const char c = line[0];
    return (c == 'P' || c == 'D' || c == 'T') && IsHeaderLine(line);
}

bool CLogLoader::NextRecord(std::string_view& line, unsigned& type, bool& ok,
                            bool skipQuietRepeats) {
    ok = true;
    for (;;) {
        if (!m_source.ReadLine(line) || line.empty())
            return false;
        if (MayBeHeader(line))
            continue;
        ++m_nLine;
        if (!skipQuietRepeats || !QuietRepeat(line))
            break;
    }
    if (!m_bChecksumsChecked && !hexdigits::ChecksumValid(line)) {
        ChecksumFailure();
        ok = false;
        return false;
    }
    type = hexdigits::Byte(line, 0); // a line that passed its checksum has at least 4 characters
    return true;
}

// A unit writes its deco, dive-detect, CO2 and (once the power-on set has one) probe records
// every second, mostly unchanged. Such a repeat passed its checksum when the line first came,
// and the newest sample and the template hold what it decodes to already (see SampleLine), so
// the main pass has nothing to do for it but count it. Not in the FRC layout, whose clock ticks
// with every line, nor when every line is traced.
bool CLogLoader::QuietRepeat(std::string_view line) const {
    if (m_format.frcLayout || m_bTrace || line.size() < 4)
        return false;
    Slot slot = kSlots;
    switch (hexdigits::Byte(line, 0)) {
    case 0x0C:
        slot = k0C;
        break;
    case 0x0D:
        slot = k0D;
        break;
    case 0x40:
        slot = k40;
        break;
    case 0x04:
    case 0x14:
        // The first probe record of a power-on period also goes to its pre-dive set.
        if (!m_bFirst04 && m_pPreDive)
            return false;
        slot = k04;
        break;
    default:
        return false;
    }
    return line == std::string_view(m_latest[slot]);
}

void CLogLoader::ChecksumFailure() {
    m_report.Printf(ReportKind::kError, m_nLine, "Invalid checksum in file %s at line %d",
                    m_path.c_str(), m_nLine);
    m_result.loaded = false;
    m_result.messageId = 2219;
    m_result.errors = {m_report.Events().back().text};
    m_log.ClearSamplesAndVersion();
    m_log.m_bLoading = false;
}

// Short-layout power-on records sit on a grid of four lines; one elsewhere is a fragment.
bool CLogLoader::PowerOnOffGrid(unsigned type) const {
    return !m_format.frcLayout && type == 0x00 && (m_nLine - 1) % 4 != 0;
}

void CLogLoader::LogOffGrid() {
    LogOffGrid(m_report, m_nLine);
}

void CLogLoader::LogOffGrid(CReport& to, int line) const {
    to.Printf(ReportKind::kNotice, line,
              "Power On record skipped due to location in file %s at line %d", m_path.c_str(),
              line);
}

// ---- One pass -----------------------------------------------------------------------------------

void CLogLoader::Run(CDiveLog& log, const std::string& path, CLineSource& source,
                     CLoadResult& result, CReport& report, bool textFile, bool trustChecksums) {
    // What a load that stops at a bad checksum leaves as it found it: the window's values that
    // outlive a load, and the layout the file kind gave.
    const double surfacePressure = log.m_dSurfacePressure;
    const int sampleInterval = log.m_nSampleInterval;
    const bool frcLayout = log.m_bFrcLayout;
    const CLoadResult resultBefore = result;
    {
        // The version pass's notices come before the main pass's, but some are only known once
        // the lines have been read: the events wait here and go out in order at the end.
        CReport events(report.MessageLevel());
        CLogLoader loader(log, path, source, result, events);
        if (trustChecksums)
            loader.TrustChecksums();
        if (loader.OnePass(textFile)) {
            loader.Replay(report);
            return;
        }
    }
    // A bad line is rare; the two passes read the file again from a clean model and stop at the
    // same line, with the version pass's messages up to it and nothing of the main pass.
    log.PrepareForLoad();
    log.m_dSurfacePressure = surfacePressure;
    log.m_nSampleInterval = sampleInterval;
    log.m_bFrcLayout = frcLayout;
    result = resultBefore;
    source.Rewind();
    CLogLoader loader(log, path, source, result, report);
    if (!loader.FirstPass())
        return;
    loader.DetectVersion(textFile);
    if (loader.MainPass())
        loader.Finish();
}

bool CLogLoader::OnePass(bool textFile) {
    m_report.Add(ReportKind::kProgress, "Starting first pass to determine version number");
    m_nFirstPassEvents = m_report.Events().size();
    ScanSystemInformation();
    for (int k = 0; k < m_log.m_SysInfo.LostRegions(); ++k)
        m_report.Add(ReportKind::kNotice, "Memory allocation failed");
    DetectVersion(textFile);
    if (!MainPass())
        return false;
    Finish();
    return true;
}

void CLogLoader::Replay(CReport& to) {
    std::vector<CReportEvent> events = m_report.TakeEvents();
    for (size_t k = 0; k < events.size(); ++k) {
        if (k == m_nFirstPassEvents) {
            for (int line : m_arFirstOffGrid)
                LogOffGrid(to, line);
        }
        to.Add(events[k].kind, events[k].line, std::move(events[k].text));
    }
}

// The system-information records, which the version comes from, are the only lines needed
// before the main pass, and a unit writes them at the end of its log. So instead of reading
// every line, the source scans for the lines of their types, and they go to the record as the
// version pass would give them: a 0xB1 line with the latest 0xB0 line. Header lines are never of
// these types, and an empty line ends the scan as it ends reading. A line that would fail its
// checksum may be read wrongly here, but it fails the load.
void CLogLoader::ScanSystemInformation() {
    // A copy: the source's lines may not outlive the call that gives them.
    std::string header;
    m_source.ScanLines(LineStarts(), [&](unsigned char kind, std::string_view line) {
        if (kind == kHeaderLine)
            header.assign(line);
        else
            m_log.m_SysInfo.Decode(header, line);
    });
}

// ---- First pass: the display code version -------------------------------------------------------

bool CLogLoader::FirstPass() {
    m_report.Add(ReportKind::kProgress, "Starting first pass to determine version number");
    std::string_view line;
    std::string header; // a copy: a line may not outlive the next one read
    unsigned type = 0;
    bool ok = true;
    while (NextRecord(line, type, ok)) {
        if (PowerOnOffGrid(type)) {
            LogOffGrid();
            continue;
        }
        if (type == 0xB0)
            header.assign(line);
        else if (type == 0xB1)
            m_log.m_SysInfo.Decode(header, line);
    }
    for (int k = 0; k < m_log.m_SysInfo.LostRegions(); ++k)
        m_report.Add(ReportKind::kNotice, "Memory allocation failed");
    return ok;
}

void CLogLoader::DetectVersion(bool textFile) {
    std::string text;
    for (int bus : kVersionSources) {
        if (m_log.m_SysInfo.CodeVersionValid(bus)) {
            text = m_log.m_SysInfo.CodeVersionText(bus);
            break;
        }
    }
    if (text.empty()) {
        for (bool& level : m_log.m_bVersionLevel)
            level = true;
        m_report.Add(ReportKind::kNotice,
                     "Display Code Version 05.01.42 or above selected as default as no valid "
                     "versions available");
    } else {
        const long v =
            Decimal2(text, 6) * 1000000L + Decimal2(text, 9) * 1000L + Decimal2(text, 12);
        const char* highest = "Display Code Version prior to 02.01.03";
        for (int k = 0; k < CDiveLog::kVersionLevels; ++k) {
            m_log.m_bVersionLevel[k] = v >= kLevels[k].threshold;
            if (m_log.m_bVersionLevel[k])
                highest = kLevels[k].text;
        }
        m_report.Add(ReportKind::kNotice, highest);
        if (textFile && v >= kFrcLayoutVersion)
            m_log.m_bFrcLayout = true;
    }
    m_format.frcLayout = m_log.m_bFrcLayout;
    m_format.level4 = m_log.VersionLevel(4);
    m_format.level5 = m_log.VersionLevel(5);

    m_report.Add(ReportKind::kProgress, "Version number obtained");
    m_report.Add(ReportKind::kProgress, "Reset to start of file");
    m_source.Rewind();
    m_report.Add(ReportKind::kProgress, "Reset to start of file completed");
    m_nLine = 0;
    m_report.Add(ReportKind::kProgress, "Starting main load of file");
}

// ---- Main pass ----------------------------------------------------------------------------------

bool CLogLoader::MainPass() {
    std::string_view line;
    unsigned type = 0;
    bool ok = true;
    while (NextRecord(line, type, ok, true)) {
        // The version pass reads every line in the layout known before it, after dive ends too.
        if (!m_bFrcAtStart && type == 0x00 && (m_nLine - 1) % 4 != 0)
            m_arFirstOffGrid.push_back(m_nLine);
        if (!m_dive.AfterEnd() && PowerOnOffGrid(type)) {
            LogOffGrid();
            type = 0xFF;
        }
        if (m_bTrace)
            m_report.Printf(ReportKind::kTrace, m_nLine, "Read line %d, Record type 0x%02X",
                            m_nLine, type);
        if (m_format.frcLayout) {
            m_frcClock.Tick(line.size() >= 10 ? ParseFrc(line.substr(2, 8)) : -1.0);
            DispatchFrc(type, line);
        } else {
            DispatchShort(type, line);
        }
    }
    return ok;
}

bool CLogLoader::CommonRecord(unsigned type, std::string_view line) {
    if (type >= 0x80 && type <= 0x8E) {
        m_log.m_DiveInformation.Decode(type, line);
        return true;
    }
    if (type >= 0xA0 && type <= 0xAC) {
        m_log.m_GasManagement.Decode(type, line);
        return true;
    }
    return false;
}

// Whether two lines of one type give the sample the same fields: all but the checksum, and in
// the FRC layout all but the timestamp as well, which the sample does not keep.
bool CLogLoader::SameFields(std::string_view a, std::string_view b) const {
    const size_t n = a.size();
    if (n != b.size() || n < 4 || a[0] != b[0] || a[1] != b[1])
        return false;
    const size_t from = m_format.frcLayout && n >= 12 ? 10 : 2;
    return std::memcmp(a.data() + from, b.data() + from, n - 2 - from) == 0;
}

void CLogLoader::SampleLine(unsigned type, Slot slot, std::string_view line) {
    // Units repeat most of these lines unchanged every second. A repeat writes what the latest
    // line of its type wrote, which the newest sample already holds (from the template, or from
    // that line decoded into it) and no other line or step overwrites; the template too.
    std::string& kept = m_latest[slot];
    if (SameFields(line, kept))
        return;
    // A line of the type and length of the latest one, both decoding, changes only the fields
    // read from the characters that changed, in the newest sample and the template alike.
    if (m_pSample && line.size() == kept.size() && line[0] == kept[0] && line[1] == kept[1]) {
        if (const auto rules = RulesDecoding(slot, line); !rules.empty()) {
            samplelayout::ApplyChanged(rules, line, kept, m_format, *m_pSample,
                                       m_bTemplateDirty ? nullptr : &m_template);
            kept.assign(line);
            return;
        }
    }
    if (m_pSample)
        m_pSample->DecodeLine(type, line, m_format);
    SetLatest(slot, line, m_pSample);
}

// ---- Pre-dive sets ------------------------------------------------------------------------------

CDiveLogPreDive* CLogLoader::NewPreDive(std::string_view line) {
    auto preDive = std::make_unique<CDiveLogPreDive>();
    preDive->m_nPhase = m_divePhase.Get();
    preDive->Decode(0x00, line, m_format);
    m_pPreDive = preDive.get();
    m_log.m_arPreDives.push_back(std::move(preDive));
    ++m_nPowerOns;
    m_depthLines = kNoDepthLine;
    m_bFirst04 = false;
    return m_pPreDive;
}

void CLogLoader::GivePreDive(unsigned type, std::string_view line) {
    if (m_pPreDive)
        m_pPreDive->Decode(type, line, m_format);
}

// ---- Making samples -----------------------------------------------------------------------------

unsigned CLogLoader::SlotType(Slot slot, std::string_view line) const {
    static constexpr unsigned kTypes[kSlots] = {0x04, 0x05, 0x06, 0x07, 0x09, 0x0A,
                                                0x0C, 0x0D, 0x19, 0x1A, 0x40};
    // The 0x04 slot also holds 0x14 lines, which decode alike in the short layout; the FRC
    // layout has only 0x14.
    if (slot == k04)
        return m_format.frcLayout ? 0x14 : RecordType(line);
    return kTypes[slot];
}

std::span<const samplelayout::CFieldRule> CLogLoader::RulesDecoding(Slot slot,
                                                                    std::string_view line) const {
    if (line.empty())
        return {};
    size_t length = 0;
    const auto rules = samplelayout::RulesFor(SlotType(slot, line), m_format, length);
    return line.size() == length ? rules : std::span<const samplelayout::CFieldRule>();
}

bool CLogLoader::Decodes(Slot slot, std::string_view line) const {
    return !RulesDecoding(slot, line).empty();
}

// Each type writes its own fields and no other type's, always the same ones for a line of the
// right length. So a new latest line can be decoded over the template, unless it is one that
// decodes nothing while the line it replaces did: then the fields must go back to their
// initial values and the template is rebuilt.
void CLogLoader::SetLatest(Slot slot, std::string_view line, const CDiveLogSample* decoded) {
    // The new line goes in last where the old one is still asked about: the kept copy is
    // overwritten in place.
    std::string& kept = m_latest[slot];
    // The depth line is not in the template, and a dirty template is rebuilt anyway: neither
    // needs to know what the lines decode.
    if (slot == k06 || m_bTemplateDirty) {
        kept.assign(line);
        return;
    }
    const auto rules = RulesDecoding(slot, line);
    if (rules.empty()) {
        if (Decodes(slot, kept))
            m_bTemplateDirty = true;
        kept.assign(line);
        return;
    }
    kept.assign(line);
    // A sample the line was decoded into has its fields already: copying them is cheaper than
    // reading the digits again.
    if (decoded)
        samplelayout::Copy(rules, m_format, *decoded, m_template);
    else
        m_template.DecodeLine(SlotType(slot, line), line, m_format);
}

void CLogLoader::ClearLatest() {
    for (std::string& line : m_latest)
        line.clear();
    m_bTemplateDirty = true;
}

// A new sample is a fresh one fed the latest lines. None of those lines writes a field that the
// 0x06 line writes or reads (the voting reads only the setpoint of 0x07, which comes before it),
// so everything but the 0x06 line is decoded once into a template and copied until one of those
// latest lines changes.
void CLogLoader::RebuildTemplate() {
    m_template = CDiveLogSample();
    static constexpr Slot kShortOrder[] = {k04, k05, k07, k09, k0A, k19, k1A, k0C, k0D, k40};
    static constexpr Slot kFrcOrder[] = {k04, k09, k0A, k0C, k0D, k40};
    const bool frc = m_format.frcLayout;
    const Slot* order = frc ? kFrcOrder : kShortOrder;
    const size_t count = frc ? std::size(kFrcOrder) : std::size(kShortOrder);
    for (size_t k = 0; k < count; ++k) {
        const std::string_view line = m_latest[order[k]];
        if (!line.empty())
            m_template.DecodeLine(SlotType(order[k], line), line, m_format);
    }
    m_bTemplateDirty = false;
}

CDiveLogSample& CLogLoader::MakeSample(double time, unsigned maker, std::string_view depthLine,
                                       bool keepPressure) {
    if (m_bTemplateDirty)
        RebuildTemplate();
    const bool hasPrevious = !m_log.m_arSamples.empty();
    // Read before the append: the store then seals the newest sample into its columns.
    const double previousPressure =
        keepPressure && hasPrevious ? m_log.m_arSamples.Newest().m_dPressure : 0.0;
    CDiveLogSample& sample = m_log.m_arSamples.push_back(m_template);
    m_pSample = &sample;
    ++m_nSampleCount;

    // Stamps, restarts and dive ends describe the surface or a moment, not the dive itself.
    const bool unmarked = m_format.frcLayout ? maker == 0x08
                                             : (maker == 0x07 || maker == 0x08 || maker == 0x0B ||
                                                maker == 0x1C || maker == 0x1D);
    sample.m_bInDive = unmarked ? false : m_dive.InDive();
    sample.DecodeTimedLine(time, depthLine, m_format);
    if (keepPressure && hasPrevious)
        sample.SetPressure(previousPressure);
    sample.SetSurfacePressure(m_log.m_dSurfacePressure);
    if (!m_format.frcLayout) {
        m_bPrevDiving = sample.UpdateDiving(m_bPrevDiving);
        sample.SetSampleInterval(m_log.m_nSampleInterval);
    }
    sample.m_bPoweredOn = m_power.On();
    return sample;
}

// ---- Time helpers -------------------------------------------------------------------------------

double CLogLoader::Whole(double seconds) {
    return std::trunc(seconds);
}

int CLogLoader::ClampedInterval() const {
    const int n = m_log.m_nSampleInterval;
    return n < 1 ? 1 : n > 120 ? 120 : n;
}

// ---- After the pass -----------------------------------------------------------------------------

void CLogLoader::Finish() {
    m_report.Add(ReportKind::kProgress, "Finished loading file");
    m_report.Add(ReportKind::kProgress, "Checking file validity");
    if (m_nPowerOns > 0 && m_nSampleCount > 0 && !m_log.m_arSamples.empty()) {
        m_log.SetLoadedFile(m_path);
        m_log.m_arSamples.shrink_to_fit();
        m_result.loaded = true;
        m_report.Printf(ReportKind::kNotice, 0, "File %s loaded OK", m_path.c_str());
        const auto& samples = m_log.m_arSamples;
        double end = 0.0;
        if (m_format.frcLayout && m_dive.EndSeen()) {
            end = m_log.m_dDiveEndTime;
        } else {
            // The last sample marked as in the dive.
            for (size_t i = samples.size(); i-- > 0;) {
                if (samples.Status(i, 0) & 0x04) {
                    end = samples.Time(i);
                    break;
                }
            }
        }
        const double logEnd = samples.Time(samples.size() - 1);
        m_log.m_dDiveEndTime = end;
        m_log.m_dLogEndTime = logEnd;
        CChartRange& chart = m_log.m_ChartRange;
        chart.diveStart = static_cast<long long>(Whole(m_log.m_dDiveStartTime));
        chart.logEnd = static_cast<long long>(Whole(logEnd));
        chart.diveEnd = static_cast<long long>(Whole(end));
        if (chart.diveEnd == 0)
            chart.diveEnd = chart.logEnd;
        chart.viewStart = chart.diveStart;
        chart.viewEnd = chart.diveEnd;
        m_log.m_SysInfo.Complete();
        m_log.ComputeDiveSummary(m_report);
    } else {
        m_log.UnloadLogFile();
        m_result.messageId = 2220;
        m_report.Printf(ReportKind::kError, 0, "File %s loaded but contains no valid dive data",
                        m_path.c_str());
        m_result.errors = {m_report.Events().back().text};
    }
    m_log.m_bLoading = false;
    m_report.Add(ReportKind::kProgress, "Starting to display data");
}
