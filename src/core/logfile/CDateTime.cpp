#include "logfile/CDateTime.h"

#include <cmath>
#include <ctime>

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMaxSpanDays = 3615897.0;
constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

constexpr long long kEpochOffset = 25569; // 1970-01-01 is day 25569 after 1899-12-30

void AppendNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0)
        out += '-';
    for (int i = static_cast<int>(digits.size()); i < width; ++i)
        out += '0';
    out += digits;
}

} // namespace

long long CDateTime::DayNumber(int year, int month, int day) {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
           kEpochOffset;
}

bool CDateTime::IsValidDate(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int limit = (month == 2 && leap) ? 29 : kDays[month - 1];
    return day <= limit;
}

CDateTime::CDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (!IsValidDate(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        m_status = Status::Invalid;
        return;
    }
    m_status = Status::Valid;
    m_dDays = static_cast<double>(DayNumber(year, month, day)) +
              (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
}

CDateTime CDateTime::FromLogBytes(int day, int month, int yearSince2000, int hour, int minute,
                                  int second) {
    return CDateTime(2000 + yearSince2000, month, day, hour, minute, second);
}

CDateTime CDateTime::FromDays(double days) {
    CDateTime dt;
    dt.m_status = Status::Valid;
    dt.m_dDays = days;
    return dt;
}

CDateTime CDateTime::Invalid() {
    CDateTime dt;
    dt.m_status = Status::Invalid;
    return dt;
}

CDateTime CDateTime::Now() {
    std::time_t t = std::time(nullptr);
    std::tm tmv{};
    localtime_r(&t, &tmv);
    return CDateTime(tmv.tm_year + 1900, tmv.tm_mon + 1, tmv.tm_mday, tmv.tm_hour, tmv.tm_min,
                     tmv.tm_sec);
}

CDateTime::Parts CDateTime::Split() const {
    Parts p{};
    // Round to the nearest second first so that 23:59:59.9999999 does not show as the next
    // day's 00:00:00 in one field and the old day in another.
    const long long total = static_cast<long long>(std::llround(m_dDays * kSecondsPerDay));
    long long days = total / 86400;
    long long secs = total % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    CivilFromDays(days - kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>((secs / 60) % 60);
    p.second = static_cast<int>(secs % 60);
    return p;
}

int CDateTime::Year() const {
    return Split().year;
}
int CDateTime::Month() const {
    return Split().month;
}
int CDateTime::Day() const {
    return Split().day;
}
int CDateTime::Hour() const {
    return Split().hour;
}
int CDateTime::Minute() const {
    return Split().minute;
}
int CDateTime::Second() const {
    return Split().second;
}

int CDateTime::DayOfWeek() const {
    // Day 0 (1899-12-30) was a Saturday.
    const long long days = static_cast<long long>(std::floor(m_dDays));
    const long long w = ((days % 7) + 7 + 6) % 7; // 0 = Sunday
    return static_cast<int>(w) + 1;
}

std::optional<long long> CDateTime::SecondsSince(const CDateTime& other) const {
    if (!IsValid() || !other.IsValid())
        return std::nullopt;
    const double span = m_dDays - other.m_dDays;
    if (std::fabs(span) > kMaxSpanDays)
        return std::nullopt;
    // Both values are stored as day fractions; remove the representation noise before rounding
    // half away from zero, so that exact half seconds round as intended.
    const double seconds = span * kSecondsPerDay;
    const double cleaned = std::round(seconds * 1e6) / 1e6;
    return static_cast<long long>(std::round(cleaned));
}

CDateTime CDateTime::AddSeconds(double seconds) const {
    if (!IsValid())
        return *this;
    return FromDays(m_dDays + seconds / kSecondsPerDay);
}

std::string CDateTime::Format(std::string_view format) const {
    if (m_status == Status::Null)
        return {};
    if (m_status == Status::Invalid)
        return "Invalid";
    const Parts p = Split();
    std::string out;
    out.reserve(format.size() + 16);
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const char f = format[++i];
        switch (f) {
        case 'd':
            AppendNumber(out, p.day, 2);
            break;
        case 'm':
            AppendNumber(out, p.month, 2);
            break;
        case 'Y':
            AppendNumber(out, p.year, 4);
            break;
        case 'y':
            AppendNumber(out, p.year % 100, 2);
            break;
        case 'H':
            AppendNumber(out, p.hour, 2);
            break;
        case 'M':
            AppendNumber(out, p.minute, 2);
            break;
        case 'S':
            AppendNumber(out, p.second, 2);
            break;
        case 'B':
            out += kMonthNames[p.month - 1];
            break;
        case 'b':
            out += std::string_view(kMonthNames[p.month - 1]).substr(0, 3);
            break;
        case 'j': {
            const long long doy = DayNumber(p.year, p.month, p.day) - DayNumber(p.year, 1, 1) + 1;
            AppendNumber(out, static_cast<int>(doy), 3);
            break;
        }
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += f;
            break;
        }
    }
    return out;
}
