#pragma once
// Writes one UDDF 3.2.3 document for one or more loaded dives, streaming: a first pass over the
// dives collects what the head of the document needs (units, owner, sites, mixes, cylinders),
// then the head is written and each dive's samples go out one waypoint at a time, so the dive's
// samples are read once and never copied.
//
//   CUddfWriter w(out, CDateTime::Now());
//   for each dive: w.AddDive(log);
//   w.WriteHead();
//   for each dive, in the same order: w.WriteDive(log);
//   w.Finish();
#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "logfile/CDateTime.h"
#include "uddf/CUddfDiveFacts.h"
#include "uddf/CXmlStreamWriter.h"

class CDiveLog;
class CDiveLogSample;

namespace uddf {

struct CUddfDiveScan;

inline constexpr const char* kNamespace = "http://www.streit.cc/uddf/3.2/";
inline constexpr const char* kVersion = "3.2.3";

class CUddfWriter {
public:
    CUddfWriter(std::ostream& out, const CDateTime& exportTime);

    void AddDive(const CDiveLog& log);
    void WriteHead();
    // False when the dive is not the next one added or no head was written.
    bool WriteDive(const CDiveLog& log);
    // Closes the document; false when the stream failed on the way.
    bool Finish();

    std::size_t DiveCount() const { return m_arFacts.size(); }

private:
    struct CDiveRefs {
        int unit = 0;
        int site = -1;
        std::array<int, CUddfDiveFacts::kCylinders> mix{};
    };
    // What the samples loop keeps from one waypoint to the next.
    struct CWaypointState {
        // The references of this dive's unit, made once rather than per waypoint.
        std::array<std::string, CUddfDiveFacts::kCylinders> tankIds;
        std::array<std::string, 6> sensorIds;
        unsigned alarms = 0;
        double maxDepth = 0.0;
        double minKelvin = 0.0;
        bool hasTemperature = false;
    };

    void WriteGenerator();
    void WriteDiver();
    void WriteUnit(int unit);
    void WriteSites();
    void WriteMixes();
    void WriteBeforeDive(const CDiveLog& log, const CDiveRefs& refs);
    void WriteTankData(const CDiveLog& log, const CDiveRefs& refs);
    void WriteSamples(const CDiveLog& log, const CUddfDiveScan& scan, const CDiveRefs& refs,
                      CWaypointState& state);
    void WriteWaypoint(const CDiveLogSample& s, std::size_t pos, double diveStart,
                       const CUddfDiveScan& scan, const CDiveRefs& refs, CWaypointState& state);
    void WriteAfterDive(const CDiveLog& log, const CWaypointState& state);
    void Number(const char* name, double value, int decimals);

    static std::string UnitId(int unit);
    static std::string TankId(int unit, int cylinder);
    static std::string SensorId(int unit, int controller, int cell);

    CXmlStreamWriter m_xml;
    CDateTime m_dtExport;
    std::vector<CUddfDiveFacts> m_arFacts;
    std::vector<CDiveRefs> m_arRefs;
    std::vector<CUddfUnit> m_arUnits;
    // Per unit: the cylinders any of its dives used.
    std::vector<std::array<bool, CUddfDiveFacts::kCylinders>> m_arUnitTanks;
    std::vector<CUddfSite> m_arSites;
    std::vector<CUddfMix> m_arMixes;
    std::string m_strOwnerName;
    std::size_t m_nNextDive = 0;
    bool m_bHeadWritten = false;
};

} // namespace uddf
