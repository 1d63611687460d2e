#pragma once
// One second of a controller's oxygen-solenoid activity, and the decoding of the solenoid
// bitmap records (0x30-0x33) into such seconds.
#include <memory>
#include <string_view>
#include <vector>

class CDiveLogSolenoidSample {
public:
    CDiveLogSolenoidSample() = default;
    CDiveLogSolenoidSample(bool fired, double time) : m_dTime(time), m_bFired(fired) {}
    virtual ~CDiveLogSolenoidSample() = default;

    void Set(bool fired, double time) {
        m_bFired = fired;
        m_dTime = time;
    }
    double GetTime() const { return m_dTime; }
    bool GetFired() const { return m_bFired; }

    double m_dTime = 0.0; // s on the time scale
    bool m_bFired = false;
};

using CSolenoidArray = std::vector<std::unique_ptr<CDiveLogSolenoidSample>>;

// The last second already recorded, so that overlapping bitmaps add only new seconds. One value
// for the FRC layout (both controllers move together) and one per controller for the short one.
struct CSolenoidState {
    long long lastFrc = 0;
    long long lastC1 = 0;
    long long lastC2 = 0;
};

// Decodes one solenoid bitmap record. A bitmap is 13 bytes = 104 flags; flag i (byte i / 8,
// bit i % 8) describes second base + i - 103. FRC layout 0x32: both controllers, base = `time`.
// Short layout: base from the line; 0x30/0x32 feed controller 1, 0x31/0x33 controller 2, and
// 0x30 seconds are shifted by the dive start. Lines of other lengths are ignored.
void DecodeSolenoidRecord(unsigned recordType, std::string_view line, double time, bool frcLayout,
                          double diveStartTime, CSolenoidState& state, CSolenoidArray& c1,
                          CSolenoidArray& c2);
