// Feeds arbitrary bytes to the binary log reader three ways: as they are (almost always stopped
// by the whole-file CRC), with the file CRC cleared (the record walk is reached), and with every
// record's CRC made right (the decoders and the unscrambling are reached).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logfile/CLineSource.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CBinaryLogKey.h"

namespace {

void Convert(std::string_view file, const CBinaryLogKey& key) {
    CMemLineFile out;
    bool frc = false;
    std::string error;
    if (ConvertBinaryBytesToLines(file, out, frc, error, &key)) {
        std::string_view line;
        while (out.ReadLine(line))
            if (line.empty())
                __builtin_trap(); // the converter must never write an empty line
    }
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
