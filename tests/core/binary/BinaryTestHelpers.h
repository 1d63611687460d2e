#pragma once
// Small builders shared by the binary log tests.
#include <cstdint>
#include <string>
#include <vector>

#include "logfile/FieldParsers.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CStandardRecord.h"

namespace bintest {

inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

// A 19-byte header payload: Link 1.2.3.4, 5 March 2024 14:07:09, display code version bytes.
inline std::string HeaderPayload(int major, int minor, int build, int tool = 3) {
    return Bytes({0, 0, 0, 1, tool, 1, 2, 3, 4, 24, 3, 5, 14, 7, 9, 0, major, minor, build});
}

// A computer log payload with start bytes 0 0 0 1 (key-stream start 0) and these records.
inline std::string LogPayload(const std::vector<std::string>& records) {
    std::string payload = Bytes({0, 0, 0, 1});
    for (const auto& r : records)
        payload += r;
    return payload;
}

// A plain record of `size` bytes starting with `type`, the rest counting up from `seed`.
inline std::string LogRecord(int type, size_t size, int seed = 1) {
    std::string r(1, static_cast<char>(type));
    for (size_t i = 1; i < size; ++i)
        r += static_cast<char>(seed + static_cast<int>(i));
    return r;
}

// The text line of raw record bytes.
inline std::string LineOf(const std::string& bytes) {
    CRecordLineWriter w(static_cast<uint8_t>(bytes[0]));
    for (size_t i = 1; i < bytes.size(); ++i)
        w.Byte(static_cast<uint8_t>(bytes[i]));
    return w.Finish();
}

inline std::string File(const std::vector<CStandardRecordData>& records, bool protect = true) {
    return binarylog::WriteRecords(records, protect);
}

} // namespace bintest
