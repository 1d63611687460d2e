#include "dan/DanClock.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

std::time_t DanExportClock() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        char* end = nullptr;
        errno = 0;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (errno == 0 && end && *end == '\0' && seconds >= 0)
            return static_cast<std::time_t>(seconds);
    }
    return std::time(nullptr);
}

namespace {
// Seconds east of UTC that local time has at `when`.
long UtcOffsetAt(std::time_t when) {
    std::tm local{};
    if (!localtime_r(&when, &local))
        return 0;
    return local.tm_gmtoff;
}

std::time_t LocalNoon(int year, int month) {
    std::tm t{};
    t.tm_year = year;
    t.tm_mon = month;
    t.tm_mday = 1;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return std::mktime(&t);
}
} // namespace

int StandardBiasMinutes(std::time_t now) {
    tzset();
    std::tm local{};
    if (!localtime_r(&now, &local))
        return 0;
    const long january = UtcOffsetAt(LocalNoon(local.tm_year, 0));
    const long july = UtcOffsetAt(LocalNoon(local.tm_year, 6));
    return static_cast<int>(-std::min(january, july) / 60);
}

std::string FormatBias(int biasMinutes) {
    const int hours = biasMinutes / 60;
    const int minutes = std::abs(biasMinutes % 60);
    char text[32];
    std::snprintf(text, sizeof text, "%c%02d%02d", biasMinutes < 0 ? '-' : '+', std::abs(hours),
                  minutes);
    return text;
}

std::string DanTimeStamp(std::time_t now) {
    tzset();
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&now, &local))
        std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text + FormatBias(StandardBiasMinutes(now));
}
