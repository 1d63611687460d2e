#pragma once
// The time stamp of a DAN export: local date and time followed by the standard time-zone bias.
#include <ctime>
#include <string>

// Now, or the time in SOURCE_DATE_EPOCH when that holds a number of seconds, so reproducible
// builds and tests get the same export twice.
std::time_t DanExportClock();

// Minutes to add to local standard time to reach UTC, daylight saving left out (one hour east
// of UTC gives -60). Daylight saving only ever moves clocks forward, so the standard offset is
// the smaller of the offsets on 1 January and 1 July of the year of `now`. Follows TZ as the C
// library does.
int StandardBiasMinutes(std::time_t now);

// "%+03d%02d" of the bias in hours and minutes: -60 gives "-0100", 0 gives "+0000", -330 gives
// "-0530". A bias under an hour keeps its sign ("-0030").
std::string FormatBias(int biasMinutes);

// "%Y%m%d%H%M%S" of local time directly followed by FormatBias(StandardBiasMinutes(now)).
std::string DanTimeStamp(std::time_t now);
