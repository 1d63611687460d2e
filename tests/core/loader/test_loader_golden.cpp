// Golden files: a small log beside the model it must give, written out one line per object.
// The .ccl and .model files under tests/data/loader are made once with UPDATE_GOLDEN=1, checked
// by eye against the loading rules, and compared on every run; regenerating is deliberate.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "LogBuilder.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"

using namespace loadertest;

namespace {

const std::string kDir = std::string(ZELVOR_TEST_DATA_DIR) + "/loader/";

std::string Describe(const CDiveLog& log, const CLoadResult& r) {
    std::ostringstream o;
    o << "loaded " << r.loaded << " message " << r.messageId << " kind " << log.m_nFileKind
      << " frc " << log.m_bFrcLayout << " levels ";
    for (int level = 1; level <= 9; ++level)
        o << log.VersionLevel(level);
    o << " cylinders " << log.m_bCylinderPressures << " interval " << log.m_nSampleInterval
      << " surface " << log.m_dSurfacePressure << "\n";
    o << "dive start " << log.m_dDiveStartTime << " "
      << log.m_dtDiveStart.Format("%Y-%m-%d %H:%M:%S") << " end " << log.m_dDiveEndTime
      << " log end " << log.m_dLogEndTime << "\n";
    const CChartRange& c = log.m_ChartRange;
    o << "chart " << c.diveStart << " " << c.diveEnd << " " << c.logEnd << " view " << c.viewStart
      << " " << c.viewEnd << "\n";
    for (const auto& p : log.m_arPreDives) {
        o << "predive phase " << p->m_nPhase << " on " << p->m_dtPowerOn.Format("%H:%M:%S")
          << " number " << p->m_nDiveNumber << " end " << p->m_dEndTime << " diveend "
          << p->HasDiveEnd() << " off " << p->HasPowerOff() << " surface "
          << p->m_dCurrentSurfacePressure << " temps " << p->m_bTemperaturesReceived << "\n";
    }
    for (const auto& s : log.m_arSamples) {
        o << "t " << s->m_dTime << " p " << s->m_dPressure << " sp " << s->m_dSurfacePressure
          << " in " << s->m_bInDive << " div " << s->m_bDiving << " pow " << s->m_bPoweredOn
          << " rs " << s->m_bWarmRestart << s->m_bColdRestart << " st0 " << int(s->m_byStatus[0])
          << " ppo2 " << s->m_dC1Measured << "/" << s->m_dC2Measured << " set " << s->m_dSetpoint
          << " T0 " << s->m_dProbeTemp[0] << " gas " << s->m_nGasO2[0] << "/" << s->m_nGasHe[0]
          << " cyl " << s->m_dCylinder[0] << "/" << s->m_dCylinder[12] << " ceil "
          << s->GetCeilingDepth() << " gf " << s->GetGfLow() << "/" << s->GetGfHigh() << " co2 "
          << s->m_dDpsTemp << " tab " << s->m_dTableA[0] << " iv " << s->m_nSampleInterval << "\n";
    }
    auto fired = [](const CSolenoidArray& a) {
        int n = 0;
        for (const auto& e : a)
            n += e->m_bFired;
        return n;
    };
    o << "solenoid c1 " << log.m_arSolenoidC1.size() << " fired " << fired(log.m_arSolenoidC1);
    if (!log.m_arSolenoidC1.empty())
        o << " from " << log.m_arSolenoidC1.front()->m_dTime << " to "
          << log.m_arSolenoidC1.back()->m_dTime;
    o << " c2 " << log.m_arSolenoidC2.size() << " fired " << fired(log.m_arSolenoidC2) << "\n";
    return o.str();
}

std::vector<std::string> ShortDive() {
    ShortLog b;
    b.Add("Porthole Link Version 3.2.1").Add("Date 01/06/2020").Add("Time 10:07:00");
    b.PowerOn(At(10, 0, 0));
    b.Add(SStatus01(1012)).Add(SDiveDetect(1, 2));
    b.Add(Short(
        CRecordLineWriter(0x04).Byte(84).PadTo(10).Byte(1).Word(180).Byte(3).Byte(4).Byte(5)));
    b.Add(Short(CRecordLineWriter(0x09).Byte(21).Byte(35).PadTo(13).Byte(30).Byte(80).Byte(1)));
    b.Add(Short(CRecordLineWriter(0x0A).Word(210).PadTo(13).Word(200)));
    b.Add(SDepth(1012)).Add(SStatus07(0, 70));
    b.Add(SDiveStart(At(10, 0, 30), 12)).Add(SDated(0x1B, At(10, 0, 30), 10));
    const unsigned depths[] = {1600, 2200, 2900, 3100, 3050, 2500, 1800, 1400, 1012};
    for (unsigned i = 0; i < std::size(depths); ++i) {
        b.Add(SDepth(depths[i], 128 + i, 126 + i, i == 4 ? 0x02 : 0));
        b.Add(SStatus07(i < 8 ? 0x04 : 0, 130));
        if (i == 3) {
            CRecordLineWriter deco(0x0C);
            deco.Word(0).Word(1312).Word(0).Word(1012).Word(0).FloatBE(0.3f).Byte(1);
            b.Add(Short(deco));
            b.Add(Short(CRecordLineWriter(0x40).Word(250)));
            b.Add(Short(CRecordLineWriter(0x30).Word(60).Byte(0xFF)));
        }
    }
    b.Add(SDiveEnd(At(10, 2, 0), 90)).Add(SDated(0x0B, At(10, 3, 0), 10)).Add(SDepth(1012));
    b.Add(SPowerOff(At(10, 7, 0)));
    return b.Lines();
}

std::vector<std::string> FrcDive() {
    std::vector<std::string> l = VersionLines(7, 0, 20);
    l.push_back("Porthole Depot Version 1.0");
    l.push_back(FPowerOn(50.0, At(9, 0, 0)));
    l.push_back(Frc(FrcRec(0x01, 51.0).PadTo(13).Word(1008)));
    l.push_back(Frc(FrcRec(0x14, 52.0).Byte(88)));
    CRecordLineWriter detect = FrcRec(0x0D, 53.0);
    detect.Byte(0).Byte(1).Byte(2).PadTo(13).Byte(35).Byte(75).PadTo(19).Byte(0x04);
    l.push_back(Frc(detect));
    l.push_back(FDepth(54.0, 1008));
    l.push_back(FDiveStart(80.0, 3, At(9, 0, 30)));
    for (int i = 0; i < 6; ++i)
        l.push_back(FDepth(81.0 + 10 * i, 1500 + 400 * i));
    l.push_back(Frc(FrcRec(0x0A, 120.0).Word(190).PadTo(23).Word(180)));
    l.push_back(Frc(FrcRec(0x21, 121.0).SplitFloat(0.75f)));
    l.push_back(Frc(FrcRec(0x40, 122.0).Word(250)));
    CRecordLineWriter sol = FrcRec(0x32, 130.4);
    sol.Byte(0x0F).PadTo(17).Byte(0x80).Byte(0x01);
    l.push_back(Frc(sol));
    l.push_back(FRestart(0x1C, 3.0, At(9, 3, 0)));
    l.push_back(FDepth(4.0, 1200));
    l.push_back(FDiveEnd(30.0, 3, At(9, 3, 27), 177));
    l.push_back(FDepth(31.0, 1008));
    l.push_back(FPowerOff(60.0, At(9, 4, 0)));
    return l;
}

void CheckGolden(const std::string& name, const std::vector<std::string>& lines) {
    const std::string ccl = kDir + name + ".ccl";
    const std::string model = kDir + name + ".model";
    if (std::getenv("UPDATE_GOLDEN")) {
        std::ofstream f(ccl, std::ios::binary);
        for (const auto& line : lines)
            f << line << "\r\n";
    }
    CDiveLog log;
    const CLoadResult r = log.LoadLogFile(ccl);
    const std::string actual = Describe(log, r);
    if (std::getenv("UPDATE_GOLDEN")) {
        std::ofstream(model, std::ios::binary) << actual;
    }
    std::ifstream f(model, std::ios::binary);
    ASSERT_TRUE(f) << model;
    std::stringstream expected;
    expected << f.rdbuf();
    EXPECT_EQ(actual, expected.str());
}

} // namespace

TEST(LoadGolden, ShortLayoutDive) {
    CheckGolden("short_dive", ShortDive());
}

TEST(LoadGolden, FrcLayoutDive) {
    CheckGolden("frc_dive", FrcDive());
}
