#pragma once
// A calendar date-time as the log and the summary use it: a day count since 1899-12-30 (the
// fraction of the day is the time) with a validity status, the same model the dive unit's
// download tools use, so differences and formats agree with theirs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CDateTime {
public:
    enum class Status { Valid, Invalid, Null };

    CDateTime() = default; // null
    // Builds from calendar fields; any field out of range gives an invalid value.
    CDateTime(int year, int month, int day, int hour, int minute, int second);
    // The six bytes a log stores: day, month, year - 2000, hour, minute, second (plain binary).
    static CDateTime FromLogBytes(int day, int month, int yearSince2000, int hour, int minute,
                                  int second);
    static CDateTime FromDays(double days);
    static CDateTime Invalid();
    // The current local time.
    static CDateTime Now();

    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }
    bool IsNull() const { return m_status == Status::Null; }
    double Days() const { return m_dDays; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    // 1 = Sunday ... 7 = Saturday.
    int DayOfWeek() const;

    // this - other in whole seconds, rounded half away from zero. Empty when either value is not
    // valid or when the span exceeds 3,615,897 days either way.
    std::optional<long long> SecondsSince(const CDateTime& other) const;
    // A copy moved by the given seconds (an invalid or null value stays as it is).
    CDateTime AddSeconds(double seconds) const;

    // strftime-like: %d %m %Y %y %H %M %S %B %b %j %%; anything else is copied. An invalid
    // value formats as "Invalid", a null one as "".
    std::string Format(std::string_view format) const;

    bool operator==(const CDateTime& o) const {
        return m_status == o.m_status && (m_status != Status::Valid || m_dDays == o.m_dDays);
    }
    bool operator<(const CDateTime& o) const { return m_dDays < o.m_dDays; }

    // Days since 1899-12-30 for a proleptic Gregorian date (no validation).
    static long long DayNumber(int year, int month, int day);
    static bool IsValidDate(int year, int month, int day);

private:
    struct Parts {
        int year, month, day, hour, minute, second;
    };
    Parts Split() const;

    double m_dDays = 0.0;
    Status m_status = Status::Null;
};
