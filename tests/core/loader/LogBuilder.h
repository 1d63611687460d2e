#pragma once
// Builds small logs line by line for the loader tests: every record with a correct checksum and
// the layout's length, power-on records of the short layout kept on their 4-line grid.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CDateTime.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/FieldParsers.h"

namespace loadertest {

inline CDateTime At(int hour, int minute, int second, int day = 1) {
    return CDateTime(2020, 6, day, hour, minute, second);
}

// A short-layout record: type, payload bytes, padded to 16 bytes, checksum.
inline std::string Short(const CRecordLineWriter& w) {
    CRecordLineWriter copy = w;
    return copy.PadTo(16).Finish();
}
// An FRC-layout record: type, FRC timestamp, payload, padded to 32 bytes, checksum.
inline std::string Frc(const CRecordLineWriter& w) {
    CRecordLineWriter copy = w;
    return copy.PadTo(32).Finish();
}
inline CRecordLineWriter FrcRec(unsigned type, double seconds) {
    CRecordLineWriter w(type);
    w.Frc(seconds);
    return w;
}

// Code identification of the display (region 7 at 0x200000): "DC" kind, version bytes BCD.
inline std::vector<std::string> VersionLines(unsigned major, unsigned minor, unsigned build) {
    auto bcd = [](unsigned v) { return ((v / 10) << 4) | (v % 10); };
    CRecordLineWriter header(0xB0);
    header.Byte(0xB0).Byte(0x01).Byte(0x00).Byte(0x20).Byte(0x00).Byte(0x00);
    CRecordLineWriter data(0xB1);
    data.Byte(1)
        .Byte(2)
        .Byte(20)
        .Byte(0xDC)
        .Byte(0)
        .Byte(bcd(major))
        .Byte(bcd(minor))
        .Byte(bcd(build));
    return {header.Finish(), data.Finish()};
}

// ---- Short layout records -----------------------------------------------------------------------

inline std::string SPowerOn(const CDateTime& dt, unsigned lastByte = 0) {
    CRecordLineWriter w(0x00);
    w.DateTime(dt).Byte(0).Word(100).Byte(0).Word(50).Word(7).Byte(lastByte);
    return Short(w);
}
inline std::string SStatus01(unsigned surface) {
    return Short(CRecordLineWriter(0x01).PadTo(10).Word(surface).Word(215).Byte(0));
}
inline std::string SDiveStart(const CDateTime& dt, unsigned number) {
    return Short(CRecordLineWriter(0x03).DateTime(dt).DateTime(At(8, 0, 0)).Word(number));
}
// Pressure, then cells of both controllers (hundredths of a bar) and exclusion bits.
inline std::string SDepth(unsigned pressure, unsigned c1 = 100, unsigned c2 = 100,
                          unsigned status1 = 0, unsigned status2 = 0) {
    CRecordLineWriter w(0x06);
    w.Word(pressure).Byte(c1).Byte(c1).Byte(c1).Byte(240).Byte(240).Byte(status1);
    w.Byte(c2).Byte(c2).Byte(c2).Byte(240).Byte(240).Byte(status2).Byte(0);
    return Short(w);
}
inline std::string SStatus07(unsigned status0, unsigned setpoint = 130, unsigned last = 0) {
    CRecordLineWriter w(0x07);
    w.Byte(21).Byte(35).Byte(0).Byte(setpoint).Byte(status0);
    w.PadTo(15).Byte(last);
    return Short(w);
}
inline std::string SDiveDetect(unsigned endDepth, unsigned startDepth) {
    return Short(CRecordLineWriter(0x0D).Byte(0).Byte(endDepth).Byte(startDepth));
}
inline std::string SDiveEnd(const CDateTime& dt, unsigned diveTime) {
    return Short(CRecordLineWriter(0x08).DateTime(dt).Word(diveTime).Word(1234));
}
// 0x0B, 0x1B, 0x1C, 0x1D: a date-time and the sample interval in the last byte.
inline std::string SDated(unsigned type, const CDateTime& dt, unsigned interval = 10) {
    return Short(CRecordLineWriter(type).DateTime(dt).PadTo(15).Byte(interval));
}
inline std::string SPowerOff(const CDateTime& dt) {
    return Short(CRecordLineWriter(0x7F).DateTime(dt).PadTo(15).Byte(2));
}
inline std::string SFiller() {
    return Short(CRecordLineWriter(0x50));
}

// Collects short-layout lines and keeps power-on records on lines 1, 5, 9, ...
class ShortLog {
public:
    ShortLog& Add(const std::string& line) {
        m_lines.push_back(line);
        if (!IsHeaderLine(line) && !line.empty())
            ++m_records;
        return *this;
    }
    ShortLog& PowerOn(const CDateTime& dt, unsigned lastByte = 0) {
        while (m_records % 4 != 0)
            Add(SFiller());
        return Add(SPowerOn(dt, lastByte));
    }
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    int m_records = 0;
};

// A power-on and two depth records: the smallest log that loads.
inline std::vector<std::string> SimpleShort() {
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDepth(1100)).Add(SDepth(1200));
    return b.Lines();
}

// ---- FRC layout records -------------------------------------------------------------------------

inline std::string FPowerOn(double frc, const CDateTime& dt) {
    return Frc(FrcRec(0x00, frc).DateTime(dt).Byte(0).Word(100).Byte(0).Word(50).Word(7).Byte(1));
}
inline std::string FDiveStart(double frc, unsigned number, const CDateTime& dt) {
    return Frc(FrcRec(0x03, frc).Word(number).Byte(0).DateTime(dt).DateTime(At(8, 0, 0)));
}
inline std::string FDepth(double frc, unsigned pressure) {
    return Frc(FrcRec(0x06, frc)
                   .Word(pressure)
                   .Word(215)
                   .Byte(100)
                   .Byte(101)
                   .Byte(102)
                   .Byte(101)
                   .Byte(240)
                   .Byte(240)
                   .Byte(0)
                   .Byte(98)
                   .Byte(99)
                   .Byte(100)
                   .Byte(99)
                   .Byte(240)
                   .Byte(240)
                   .Byte(0));
}
inline std::string FDiveEnd(double frc, unsigned number, const CDateTime& dt, unsigned duration) {
    return Frc(FrcRec(0x08, frc).Word(number).Byte(0).DateTime(dt).Word(duration).Word(2150));
}
inline std::string FRestart(unsigned type, double frc, const CDateTime& dt) {
    return Frc(FrcRec(type, frc).DateTime(dt));
}
inline std::string FPowerOff(double frc, const CDateTime& dt) {
    return Frc(FrcRec(0x7F, frc).DateTime(dt).PadTo(19).Byte(2));
}

// ---- Files and loading --------------------------------------------------------------------------

inline std::string TempPath(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("zelvor-loader-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

inline std::string WriteFile(const std::string& name, const std::string& content) {
    const std::string path = TempPath(name);
    std::ofstream f(path, std::ios::binary);
    f << content;
    return path;
}

// The sample times of a loaded log, in order.
inline std::vector<double> Times(const CDiveLog& log) {
    std::vector<double> out;
    for (const auto& s : log.m_arSamples)
        out.push_back(s->m_dTime);
    return out;
}

inline std::string WriteLog(const std::string& name, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines)
        content += line + "\r\n";
    return WriteFile(name, content);
}

// Load options at the given message level whose observer keeps every event's text.
class StatusCapture {
public:
    explicit StatusCapture(int level = 0) : m_nLevel(level) {}
    CLoadOptions Options() {
        CLoadOptions options;
        options.messageLevel = m_nLevel;
        options.observer = [this](const CReportEvent& e) { m_lines.push_back(e.text); };
        return options;
    }
    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Has(std::string_view text) const { return Count(text) > 0; }
    int Count(std::string_view text) const {
        int n = 0;
        for (const auto& l : m_lines)
            n += l == text;
        return n;
    }

private:
    int m_nLevel = 0;
    std::vector<std::string> m_lines;
};

} // namespace loadertest
