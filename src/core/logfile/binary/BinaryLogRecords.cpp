#include "logfile/binary/BinaryLogRecords.h"

#include <algorithm>
#include <cstdio>

#include "logfile/binary/BinaryFileAccess.h"
#include "logfile/binary/CCrc32Static.h"
#include "logfile/binary/CSRDANData.h"
#include "logfile/binary/CSRDLDataUser.h"
#include "logfile/binary/CStandardRecord.h"

namespace binarylog {

namespace {

uint32_t BE32(const uint8_t* p) {
    return CStandardRecord::ReadBE32(p);
}

const uint8_t* Bytes(std::string_view s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

} // namespace

bool ParseRecords(std::string_view file, const RecordVisitor& onRecord, std::string& error) {
    const uint8_t* data = Bytes(file);
    // The trailing four bytes are the file CRC; no record may reach into them.
    const size_t end = file.size() >= CStandardRecord::kCrcSize ? file.size() - 4 : 0;
    size_t pos = 0;
    do {
        if (end - pos < CStandardRecord::kHeaderSize) {
            error = "File to small, at least six bytes required for record header";
            return false;
        }
        const uint16_t type = static_cast<uint16_t>(data[pos] << 8 | data[pos + 1]);
        const uint32_t length = BE32(data + pos + 2);
        pos += CStandardRecord::kHeaderSize;
        if (length > end - pos) {
            error = "File to small, insufficient data for a standard record";
            return false;
        }
        const uint8_t* payload = data + pos;
        pos += length;
        if (end - pos < CStandardRecord::kCrcSize) {
            error = "File to small, insufficient data for a CRC";
            return false;
        }
        const uint32_t stored = BE32(data + pos);
        pos += CStandardRecord::kCrcSize;
        onRecord(type, payload, length, stored);
    } while (pos < end);
    return true;
}

uint32_t StoredFileCrc(std::string_view file) {
    return BE32(Bytes(file) + file.size() - 4);
}

bool CheckFileCrc(std::string_view file, std::string& error) {
    if (file.size() < 4) {
        error = "Unable to read full file contents";
        return false;
    }
    const uint32_t stored = StoredFileCrc(file);
    if (stored == 0 || stored == CCrc32Static::Compute(file.data(), file.size() - 4))
        return true;
    error = "crc32 mismatch";
    return false;
}

bool ReadRecords(std::string_view file, std::vector<CStandardRecordData>& records,
                 std::string& error) {
    records.clear();
    return ParseRecords(
        file,
        [&](uint16_t type, const uint8_t* payload, size_t length, uint32_t stored) {
            CStandardRecordData record;
            record.nType = type;
            record.strPayload.assign(reinterpret_cast<const char*>(payload), length);
            uint32_t crc = CCrc32Static::Update(CCrc32Static::kInitial, payload - 6, 6);
            crc = CCrc32Static::Finish(CCrc32Static::Update(crc, payload, length));
            record.bCrcValid = crc == stored;
            record.nStoredCrc = stored;
            records.push_back(std::move(record));
        },
        error);
}

bool ReadRecordsFromFile(const std::string& path, std::vector<CStandardRecordData>& records,
                         std::string& error) {
    int osError = 0;
    std::FILE* file = binaryfile::OpenForReading(path, osError);
    if (!file) {
        error = "Unable to open source file: " + binaryfile::OpenFailureDetail(osError, path);
        return false;
    }
    std::string content;
    const bool read = binaryfile::ReadAll(file, content, error);
    std::fclose(file);
    return read && ReadRecords(content, records, error);
}

std::string WriteRecords(const std::vector<CStandardRecordData>& records, bool protect) {
    std::string out;
    size_t total = 4;
    for (const auto& record : records)
        total += 10 + record.strPayload.size();
    out.reserve(total);
    for (const auto& record : records) {
        const size_t start = out.size();
        CStandardRecord::AppendBE16(out, record.nType);
        CStandardRecord::AppendBE32(out, static_cast<uint32_t>(record.strPayload.size()));
        out += record.strPayload;
        const uint32_t crc = record.bCrcValid
                                 ? CCrc32Static::Compute(out.data() + start, out.size() - start)
                                 : record.nStoredCrc;
        CStandardRecord::AppendBE32(out, crc);
    }
    CStandardRecord::AppendBE32(out, protect ? CCrc32Static::Compute(out) : 0u);
    return out;
}

void PlaceRecord(std::vector<CStandardRecordData>& records, CStandardRecordData record,
                 std::initializer_list<uint16_t> after) {
    auto sameType = [&](const CStandardRecordData& r) { return r.nType == record.nType; };
    if (auto it = std::find_if(records.begin(), records.end(), sameType); it != records.end()) {
        *it = std::move(record);
        return;
    }
    for (uint16_t type : after) {
        auto it = std::find_if(records.begin(), records.end(),
                               [&](const CStandardRecordData& r) { return r.nType == type; });
        if (it != records.end()) {
            records.insert(it + 1, std::move(record));
            return;
        }
    }
    records.push_back(std::move(record));
}

bool UserDataPayload(const std::vector<std::string>& lines, std::string& payload) {
    payload.clear();
    for (const auto& line : lines)
        if (!CSRDLDataUser::AppendLineAsEntry(payload, line))
            return false;
    return true;
}

bool DanDataPayload(const std::vector<std::string>& lines, std::string& payload) {
    payload.clear();
    for (const auto& line : lines)
        if (!CSRDANData::AppendLineAsEntry(payload, line))
            return false;
    return true;
}

} // namespace binarylog
