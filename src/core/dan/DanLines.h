#pragma once
// The DAN data lines of an export: 47 key-and-value texts after the DL7 segments, each wrapped as
// a text-log record of type 0xD0 ("D0", the payload bytes in hex, the XOR checksum).
#include <string>
#include <string_view>
#include <vector>

#include "dan/CDanAnswers.h"
#include "settings/CDanDetails.h"

// Everything an export writes besides the log itself.
struct CDanExportData {
    CDanDetails details;
    CDanAnswers answers;
    std::string strTimeStamp; // the FSH05 value (DanTimeStamp)
};

// Segment numbers of BuildDanLine; 4 to 6 are not used.
enum EDanSegment { kSegFSH = 0, kSegZRH = 1, kSegZPD = 2, kSegZPA = 3, kSegZDD = 7, kSegZSR = 8 };

// The payload of one field ("ZPD01" followed by the value); empty for a pair not exported.
std::string DanPayload(int segment, int field, const CDanExportData& data);
// The record line of a payload; an empty payload gives an empty line.
std::string DanRecordLine(std::string_view payload);
// DanRecordLine(DanPayload(...)).
std::string BuildDanLine(int segment, int field, const CDanExportData& data);
// All 47 lines in file order.
std::vector<std::string> BuildDanLines(const CDanExportData& data);

// The medication text as exported: split at carriage returns, line feeds stripped from both
// ends of each piece, empty pieces dropped, the rest joined with "^".
std::string JoinMedication(std::string_view text);
