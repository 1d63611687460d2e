// Feeds arbitrary bytes to the binary log reader three ways: as they are (almost always stopped
// by the whole-file CRC), with the file CRC cleared (the record walk is reached), and with every
// record's CRC made right (the decoders and the unscrambling are reached). Each time the line
// source that makes the lines a piece at a time must agree with the whole conversion: the same
// outcome, the same lines, and the same lines found by a look-ahead scan.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logfile/CLineSource.h"
#include "logfile/binary/BinaryLineSource.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CBinaryLogKey.h"

namespace {

// The scan looks for the system-information lines and a few record types, and stops at an
// empty line.
const LineStartKinds& Kinds() {
    static const LineStartKinds kinds = [] {
        LineStartKinds k{};
        auto pair = [](const char* two) {
            return static_cast<unsigned char>(two[0]) | static_cast<unsigned char>(two[1]) << 8;
        };
        k[pair("B0")] = 2;
        k[pair("B1")] = 3;
        k[pair("00")] = 4;
        k[pair("80")] = 5;
        k[pair("\r\n")] = kLineEndsText;
        return k;
    }();
    return kinds;
}

std::vector<std::string> Scanned(const CLineSource& source) {
    std::vector<std::string> seen;
    source.ScanLines(Kinds(), [&](unsigned char kind, std::string_view line) {
        seen.push_back(std::to_string(kind) + std::string(line));
    });
    return seen;
}

void Convert(std::string_view file, const CBinaryLogKey& key) {
    CMemLineFile out;
    bool frc = false;
    std::string error;
    const bool converted = ConvertBinaryBytesToLines(file, out, frc, error, &key);
    // Pieces of a few lines, so that most files meet a boundary.
    CBinaryLineSource pieces(150);
    bool piecesFrc = false;
    std::string piecesError;
    if (OpenBinaryBytesAsLines(file, pieces, piecesFrc, piecesError, &key) != converted ||
        piecesError != error || piecesFrc != frc)
        __builtin_trap();
    if (!converted)
        return;
    std::string_view line;
    std::string_view pieceLine;
    while (out.ReadLine(line)) {
        if (line.empty())
            __builtin_trap(); // the converter must never write an empty line
        if (!pieces.ReadLine(pieceLine) || pieceLine != line)
            __builtin_trap();
    }
    if (pieces.ReadLine(pieceLine) || Scanned(pieces) != Scanned(out))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CBinaryLogKey key;
    const std::string file(reinterpret_cast<const char*>(data), size);
    Convert(file, key);

    std::string unprotected = file;
    if (unprotected.size() >= 4)
        unprotected.replace(unprotected.size() - 4, 4, std::string(4, '\0'));
    Convert(unprotected, key);

    std::vector<CStandardRecordData> records;
    std::string error;
    if (binarylog::ReadRecords(unprotected, records, error)) {
        for (auto& record : records)
            record.bCrcValid = true;
        Convert(binarylog::WriteRecords(records), key);
    }
    return 0;
}
