#include "uddf/CUddfWriter.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "uddf/CUddfDiveScan.h"
#include "uddf/UddfValues.h"
#include "viewmodel/DataRows.h"

namespace uddf {

namespace {

// The alarm words of the format that fit the unit's alarms. The others (battery, oxygen, CNS,
// OTU, scrubber and CO2 warnings) have no word of their own and are left out rather than
// written under a word that means something else.
enum AlarmWord : unsigned { kAscent = 1, kDeco = 2, kError = 4 };
constexpr struct {
    unsigned word;
    const char* text;
} kAlarmWords[] = {{kAscent, "ascent"}, {kDeco, "deco"}, {kError, "error"}};

unsigned AlarmWords(const CDiveLogSample& s) {
    constexpr unsigned char kCellWarning = 0x10;
    constexpr unsigned char kFastAscent = 0x01, kCeiling = 0x02, kMissedDeco = 0x80;
    constexpr unsigned char kDpsFailure = 0x08;
    unsigned words = 0;
    if (s.m_byCellStatusExtra & kFastAscent)
        words |= kAscent;
    if (s.m_byCellStatusExtra & (kCeiling | kMissedDeco))
        words |= kDeco;
    if ((s.m_byC1CellStatus & kCellWarning) || (s.m_byC2CellStatus & kCellWarning) ||
        (s.m_byStatusExt & kDpsFailure))
        words |= kError;
    return words;
}

std::string Numbered(const char* prefix, std::size_t n) {
    return prefix + std::to_string(n + 1);
}

// The owner's name as first and last name: the last word is the last name.
std::pair<std::string, std::string> SplitName(const std::string& name) {
    const size_t space = name.find_last_of(' ');
    if (space == std::string::npos)
        return {name, std::string()};
    return {name.substr(0, space), name.substr(space + 1)};
}

// The diver's own dive number when it is a plain positive number.
long long DiverDiveNumber(const std::string& text) {
    long long value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc() && res.ptr == text.data() + text.size() && value > 0 ? value : 0;
}

// A dive must carry a date-time: the summary's, else the dive start, else the first power-on.
std::string DiveDateTime(const CDiveLog& log) {
    if (log.m_DiveInformation.m_dtDiveDateTime.IsValid())
        return FormatDateTime(log.m_DiveInformation.m_dtDiveDateTime);
    if (log.m_dtDiveStart.IsValid())
        return FormatDateTime(log.m_dtDiveStart);
    for (const auto& set : log.m_arPreDives) {
        if (set->m_dtPowerOn.IsValid())
            return FormatDateTime(set->m_dtPowerOn);
    }
    // Nothing in the log tells the day; the unit's own calendar starts here.
    return "2000-01-01T00:00:00";
}

} // namespace

CUddfWriter::CUddfWriter(std::ostream& out, const CDateTime& exportTime)
    : m_xml(out), m_dtExport(exportTime) {}

std::string CUddfWriter::UnitId(int unit) {
    return Numbered("unit", static_cast<size_t>(unit));
}

std::string CUddfWriter::TankId(int unit, int cylinder) {
    return UnitId(unit) + (cylinder == 0 ? "_tank_o2" : "_tank_dil" + std::to_string(cylinder));
}

std::string CUddfWriter::SensorId(int unit, int controller, int cell) {
    return UnitId(unit) + "_c" + std::to_string(controller) + "_cell" + std::to_string(cell);
}

template <typename T> int IndexOf(std::vector<T>& list, const T& value) {
    const auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end())
        return static_cast<int>(it - list.begin());
    list.push_back(value);
    return static_cast<int>(list.size() - 1);
}

void CUddfWriter::AddDive(const CDiveLog& log) {
    const CUddfDiveScan scan = ScanDive(log);
    CUddfDiveFacts facts = MakeDiveFacts(log, scan);
    CDiveRefs refs;
    refs.unit = IndexOf(m_arUnits, facts.m_Unit);
    m_arUnitTanks.resize(m_arUnits.size());
    for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c)
        m_arUnitTanks[static_cast<size_t>(refs.unit)][static_cast<size_t>(c)] |=
            facts.m_bTank[static_cast<size_t>(c)];
    if (facts.m_Site)
        refs.site = IndexOf(m_arSites, *facts.m_Site);
    for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c) {
        const auto& mix = facts.m_arMixes[static_cast<size_t>(c)];
        refs.mix[static_cast<size_t>(c)] = mix ? IndexOf(m_arMixes, *mix) : -1;
    }
    if (m_strOwnerName.empty())
        m_strOwnerName = facts.m_strOwnerName;
    m_arFacts.push_back(std::move(facts));
    m_arRefs.push_back(refs);
}

void CUddfWriter::Number(const char* name, double value, int decimals) {
    const std::string text = FormatNumber(value, decimals);
    if (!text.empty())
        m_xml.Element(name, text);
}

void CUddfWriter::WriteHead() {
    m_xml.Declaration();
    m_xml.Start("uddf");
    m_xml.Attribute("xmlns", kNamespace);
    m_xml.Attribute("version", kVersion);
    WriteGenerator();
    WriteDiver();
    WriteSites();
    WriteMixes();
    m_xml.Start("profiledata");
    m_bHeadWritten = true;
}

void CUddfWriter::WriteGenerator() {
    m_xml.Start("generator");
    m_xml.Element("name", "Zelvor Log Viewer");
    m_xml.Element("type", "logbook");
    m_xml.Start("manufacturer");
    m_xml.Attribute("id", "zelvor");
    m_xml.Element("name", "Zelvor");
    m_xml.End();
    m_xml.Element("version", ZELVOR_VERSION);
    const std::string now = FormatDateTime(m_dtExport);
    if (!now.empty())
        m_xml.Element("datetime", now);
    m_xml.End();
}

void CUddfWriter::WriteDiver() {
    m_xml.Start("diver");
    m_xml.Start("owner");
    m_xml.Attribute("id", "owner");
    const auto [first, last] = SplitName(m_strOwnerName);
    m_xml.Start("personal");
    m_xml.Element("firstname", first);
    m_xml.Element("lastname", last);
    m_xml.End();
    m_xml.Start("equipment");
    for (size_t u = 0; u < m_arUnits.size(); ++u)
        WriteUnit(static_cast<int>(u));
    for (size_t u = 0; u < m_arUnits.size(); ++u) {
        for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c) {
            if (!m_arUnitTanks[u][static_cast<size_t>(c)])
                continue;
            m_xml.Start("tank");
            m_xml.Attribute("id", TankId(static_cast<int>(u), c));
            m_xml.Element("name", c == 0 ? std::string("Oxygen") : "Diluent " + std::to_string(c));
            m_xml.End();
        }
    }
    m_xml.End(); // equipment
    m_xml.End(); // owner
    m_xml.End(); // diver
}

void CUddfWriter::WriteUnit(int unit) {
    const CUddfUnit& u = m_arUnits[static_cast<size_t>(unit)];
    m_xml.Start("rebreather");
    m_xml.Attribute("id", UnitId(unit));
    m_xml.Element("name", u.m_strType.empty() ? std::string("Rebreather") : u.m_strType);
    if (!u.m_strType.empty())
        m_xml.Element("model", u.m_strType);
    if (!u.m_strSerial.empty())
        m_xml.Element("serialnumber", u.m_strSerial);
    const std::pair<const char*, const std::string*> codes[] = {
        {"Display code version ", &u.m_strDisplayCode},
        {"C1 code version ", &u.m_strC1Code},
        {"C2 code version ", &u.m_strC2Code}};
    bool notes = false;
    for (const auto& [label, code] : codes) {
        if (code->empty())
            continue;
        if (!notes)
            m_xml.Start("notes");
        notes = true;
        m_xml.Element("para", label + *code);
    }
    if (notes)
        m_xml.End();
    for (int controller = 1; controller <= 2; ++controller) {
        for (int cell = 1; cell <= 3; ++cell) {
            m_xml.Start("o2sensor");
            m_xml.Attribute("id", SensorId(unit, controller, cell));
            m_xml.Element("name",
                          "C" + std::to_string(controller) + " cell " + std::to_string(cell));
            m_xml.End();
        }
    }
    m_xml.End();
}

void CUddfWriter::WriteSites() {
    if (m_arSites.empty())
        return;
    m_xml.Start("divesite");
    for (size_t i = 0; i < m_arSites.size(); ++i) {
        const CUddfSite& site = m_arSites[i];
        m_xml.Start("site");
        m_xml.Attribute("id", Numbered("site", i));
        m_xml.Element("name", site.m_strName);
        m_xml.Start("geography");
        m_xml.Element("location", site.m_strLocation);
        if (site.m_dLatitude)
            Number("latitude", *site.m_dLatitude, kDegreeDecimals);
        if (site.m_dLongitude)
            Number("longitude", *site.m_dLongitude, kDegreeDecimals);
        m_xml.End();
        m_xml.End();
    }
    m_xml.End();
}

void CUddfWriter::WriteMixes() {
    if (m_arMixes.empty())
        return;
    m_xml.Start("gasdefinitions");
    for (size_t i = 0; i < m_arMixes.size(); ++i) {
        const CUddfMix& mix = m_arMixes[i];
        m_xml.Start("mix");
        m_xml.Attribute("id", Numbered("mix", i));
        m_xml.Element("name", mix.m_strName);
        Number("o2", PercentToFraction(mix.m_nO2), kFractionDecimals);
        // A mix whose parts add up to more than the whole has no nitrogen to speak of.
        const int n2 = 100 - mix.m_nO2 - mix.m_nHe;
        if (n2 >= 0 && n2 <= 100)
            Number("n2", PercentToFraction(n2), kFractionDecimals);
        Number("he", PercentToFraction(mix.m_nHe), kFractionDecimals);
        m_xml.End();
    }
    m_xml.End();
}

bool CUddfWriter::WriteDive(const CDiveLog& log) {
    if (!m_bHeadWritten || m_nNextDive >= m_arFacts.size())
        return false;
    const size_t index = m_nNextDive++;
    const CDiveRefs& refs = m_arRefs[index];
    m_xml.Start("repetitiongroup");
    m_xml.Attribute("id", Numbered("group", index));
    m_xml.Start("dive");
    m_xml.Attribute("id", Numbered("dive", index));
    WriteBeforeDive(log, refs);
    WriteTankData(log, refs);
    const CUddfDiveScan scan = ScanDive(log);
    CWaypointState state;
    WriteSamples(log, scan, refs, state);
    WriteAfterDive(log, state);
    m_xml.End(); // dive
    m_xml.End(); // repetitiongroup
    return true;
}

void CUddfWriter::WriteBeforeDive(const CDiveLog& log, const CDiveRefs& refs) {
    const CDiveLogInformation& info = log.m_DiveInformation;
    const CDiveLogPreDive* set = log.SummaryPreDiveSet();
    m_xml.Start("informationbeforedive");
    if (refs.site >= 0)
        m_xml.Empty("link", "ref", Numbered("site", static_cast<size_t>(refs.site)));
    const long long logged = info.m_bSummaryValid ? info.m_nDiveNumber : 0;
    const long long own = DiverDiveNumber(info.m_strDiveNumberText);
    if (own > 0 || logged > 0)
        m_xml.Element("divenumber", std::to_string(own > 0 ? own : logged));
    if (logged > 0)
        m_xml.Element("internaldivenumber", std::to_string(logged));
    m_xml.Element("datetime", DiveDateTime(log));
    if (set && set->m_bStatusReceived)
        Number("airtemperature", CelsiusToKelvin(set->m_dStatusAmbientTemp), kKelvinDecimals);
    if (set) {
        const auto interval = set->m_dtDiveStart.SecondsSince(set->m_dtPreviousDiveEnd);
        if (interval && *interval >= 0) {
            m_xml.Start("surfaceintervalbeforedive");
            m_xml.Element("passedtime", std::to_string(*interval));
            m_xml.End();
        }
    }
    m_xml.Start("equipmentused");
    m_xml.Empty("link", "ref", UnitId(refs.unit));
    m_xml.End();
    m_xml.Element("apparatus", "rebreather");
    if (set && set->m_dCurrentSurfacePressure > 0.0)
        Number("surfacepressure", MillibarToPascal(set->m_dCurrentSurfacePressure),
               kPascalDecimals);
    m_xml.End();
}

void CUddfWriter::WriteTankData(const CDiveLog& log, const CDiveRefs& refs) {
    const CDiveLogGasManagement& gases = log.m_GasManagement;
    for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c) {
        const auto cyl = static_cast<size_t>(c);
        if (!HasTankData(log, c) || !m_arUnitTanks[static_cast<size_t>(refs.unit)][cyl])
            continue;
        m_xml.Start("tankdata");
        m_xml.Empty("link", "ref", TankId(refs.unit, c));
        if (refs.mix[cyl] >= 0)
            m_xml.Empty("link", "ref", Numbered("mix", static_cast<size_t>(refs.mix[cyl])));
        if (gases.m_dCylinderSizeL[cyl] > 0.0)
            Number("tankvolume", LitresToCubicMetres(gases.m_dCylinderSizeL[cyl]), kVolumeDecimals);
        Number("tankpressurebegin", BarToPascal(gases.m_dPressureIn[cyl]), kPascalDecimals);
        if (gases.m_dPressureOut[cyl] > 0.0)
            Number("tankpressureend", BarToPascal(gases.m_dPressureOut[cyl]), kPascalDecimals);
        m_xml.End();
    }
}

void CUddfWriter::WriteSamples(const CDiveLog& log, const CUddfDiveScan& scan,
                               const CDiveRefs& refs, CWaypointState& state) {
    if (scan.m_arWindow.empty())
        return;
    const double diveStart = DataWindow(log).dStart;
    for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c)
        state.tankIds[static_cast<size_t>(c)] = TankId(refs.unit, c);
    for (int i = 0; i < 6; ++i)
        state.sensorIds[static_cast<size_t>(i)] = SensorId(refs.unit, i / 3 + 1, i % 3 + 1);
    m_xml.Start("samples");
    for (size_t pos = 0; pos < scan.m_arWindow.size(); ++pos)
        WriteWaypoint(SampleAt(log, scan.m_arWindow[pos]), pos, diveStart, scan, refs, state);
    m_xml.End();
}

void CUddfWriter::WriteWaypoint(const CDiveLogSample& s, size_t pos, double diveStart,
                                const CUddfDiveScan& scan, const CDiveRefs& refs,
                                CWaypointState& state) {
    m_xml.Start("waypoint");
    // An alarm is written where it begins, not again for every sample it lasts.
    const unsigned words = AlarmWords(s);
    for (const auto& w : kAlarmWords) {
        if ((words & w.word) && !(state.alarms & w.word))
            m_xml.Element("alarm", w.text);
    }
    state.alarms = words;
    if (scan.Logs(scan.m_nCns, pos))
        Number("cns", PercentToFraction(s.m_dCNS), kFractionDecimals);
    if (scan.Logs(scan.m_nLoopPPO2, pos)) {
        const double loop = MasterController(s) == 1 ? s.m_dC1Measured : s.m_dC2Measured;
        Number("calculatedpo2", BarToPascal(loop), kPascalDecimals);
    }
    const double depth = s.GetDepth();
    state.maxDepth = std::max(state.maxDepth, depth);
    Number("depth", depth, kDepthDecimals);
    Number("divetime", s.m_dTime - diveStart, kTimeDecimals);
    if (scan.Logs(scan.m_nOtu, pos))
        Number("otu", s.m_dOTU, kOtuDecimals);
    if (scan.Logs(scan.m_nSetpoint, pos))
        m_xml.Element("setpo2", "setby", "computer",
                      FormatNumber(BarToPascal(s.m_dSetpoint), kPascalDecimals));
    const auto& tanks = m_arUnitTanks[static_cast<size_t>(refs.unit)];
    for (int c = 0; c < CUddfDiveFacts::kCylinders; ++c) {
        const int sc = SampleCylinderOf(c);
        if (!tanks[static_cast<size_t>(c)] ||
            !scan.Logs(scan.m_nCylinder[static_cast<size_t>(sc)], pos) ||
            !s.HasCylinderPressure(sc))
            continue;
        m_xml.Element("tankpressure", "ref", state.tankIds[static_cast<size_t>(c)],
                      FormatNumber(BarToPascal(s.m_dCylinder[sc]), kPascalDecimals));
    }
    if (scan.Logs(scan.m_nTemperature, pos)) {
        const double kelvin = CelsiusToKelvin(s.m_dAmbientTemp);
        state.minKelvin = state.hasTemperature ? std::min(state.minKelvin, kelvin) : kelvin;
        state.hasTemperature = true;
        Number("temperature", kelvin, kKelvinDecimals);
    }
    if (pos == 0)
        m_xml.Empty("divemode", "type", "closedcircuit");
    if (scan.Logs(scan.m_nGradientFactor, pos))
        Number("gradientfactor", s.m_fGradientFactor, kFractionDecimals);
    for (int controller = 1; controller <= 2; ++controller) {
        if (!scan.Logs(scan.m_nCells[static_cast<size_t>(controller - 1)], pos))
            continue;
        const double* cells = controller == 1 ? s.m_dC1Cell : s.m_dC2Cell;
        for (int cell = 0; cell < 3; ++cell)
            m_xml.Element("measuredpo2", "ref",
                          state.sensorIds[static_cast<size_t>((controller - 1) * 3 + cell)],
                          FormatNumber(BarToPascal(cells[cell]), kPascalDecimals));
    }
    m_xml.End();
}

void CUddfWriter::WriteAfterDive(const CDiveLog& log, const CWaypointState& state) {
    const CDiveLogInformation& info = log.m_DiveInformation;
    m_xml.Start("informationafterdive");
    if (state.hasTemperature)
        Number("lowesttemperature", state.minKelvin, kKelvinDecimals);
    Number("greatestdepth", info.m_bSummaryValid ? info.m_dMaxDepth : state.maxDepth,
           kDepthDecimals);
    const std::optional<double> visibility = ParseVisibilityMetres(info.m_strVisibility);
    if (visibility)
        Number("visibility", *visibility, kDepthDecimals);
    std::optional<long long> duration;
    if (info.m_bSummaryValid)
        duration = ParseDiveTimeText(info.m_strDiveTime);
    if (!duration) {
        const CDataWindow window = DataWindow(log);
        duration = static_cast<long long>(std::max(0.0, window.dEnd - window.dStart));
    }
    m_xml.Element("diveduration", std::to_string(*duration));
    // The notes, one paragraph a line; a visibility that is not a distance goes with them so
    // that nothing the diver typed is lost.
    std::vector<std::string> paras;
    if (!visibility && !info.m_strVisibility.empty())
        paras.push_back("Visibility: " + info.m_strVisibility);
    size_t start = 0;
    const std::string& notes = info.m_strNotes;
    while (start <= notes.size() && !notes.empty()) {
        size_t end = notes.find('\n', start);
        if (end == std::string::npos)
            end = notes.size();
        std::string line = notes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            paras.push_back(line);
        start = end + 1;
    }
    if (!paras.empty()) {
        m_xml.Start("notes");
        for (const std::string& p : paras)
            m_xml.Element("para", p);
        m_xml.End();
    }
    m_xml.End();
}

bool CUddfWriter::Finish() {
    if (!m_bHeadWritten)
        WriteHead();
    m_xml.Finish();
    return m_xml.Good() && m_nNextDive == m_arFacts.size();
}

} // namespace uddf
