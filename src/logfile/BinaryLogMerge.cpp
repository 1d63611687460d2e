#include "logfile/BinaryLogMerge.h"

#include <cstdint>

#include "logfile/FieldParsers.h"
#include "logfile/binary/CCrc32Static.h"

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kCrcSize = 4;
constexpr uint16_t kTypeComputerLog = 32;
constexpr uint16_t kTypeUser = 33;

void AppendBE32(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>(v >> 16));
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v));
}

uint32_t ReadBE32(std::string_view s, size_t at) {
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])); };
    return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

struct CRecordSpan {
    uint16_t type;
    std::string_view image; // header, payload and CRC as stored
};

bool SplitRecords(std::string_view file, std::vector<CRecordSpan>& records, std::string& error) {
    if (file.size() < kCrcSize) {
        error = "file too small for its closing CRC";
        return false;
    }
    const size_t end = file.size() - kCrcSize;
    size_t pos = 0;
    while (pos < end) {
        if (end - pos < kHeaderSize) {
            error = "record header cut short at offset " + std::to_string(pos);
            return false;
        }
        const auto type = static_cast<uint16_t>((static_cast<unsigned char>(file[pos]) << 8) |
                                                static_cast<unsigned char>(file[pos + 1]));
        const uint64_t length = ReadBE32(file, pos + 2);
        const uint64_t size = kHeaderSize + length + kCrcSize;
        if (size > end - pos) {
            error = "record at offset " + std::to_string(pos) + " runs past the end of the file";
            return false;
        }
        records.push_back({type, file.substr(pos, size)});
        pos += size;
    }
    return true;
}

std::string MakeRecord(uint16_t type, const std::string& payload) {
    std::string image;
    image.push_back(static_cast<char>(type >> 8));
    image.push_back(static_cast<char>(type));
    AppendBE32(image, static_cast<uint32_t>(payload.size()));
    image += payload;
    AppendBE32(image, CCrc32Static::Compute(image));
    return image;
}

} // namespace

std::string BuildUserRecordPayload(const std::vector<std::string>& lines) {
    std::string payload;
    for (const auto& line : lines) {
        if (line.size() < 4)
            continue; // not a record: a type and a checksum at least
        const size_t dataBytes = line.size() / 2 - 2;
        payload.push_back(static_cast<char>(RecordType(line)));
        AppendBE32(payload, static_cast<uint32_t>(dataBytes));
        for (size_t i = 0; i < dataBytes; ++i)
            payload.push_back(static_cast<char>(ParseHex(line, 2 + 2 * i, 2)));
    }
    return payload;
}

bool MergeBinaryLog(std::string_view original, const std::vector<std::string>& lines,
                    std::string& out, std::string& error) {
    std::vector<CRecordSpan> records;
    if (!SplitRecords(original, records, error))
        return false;

    const std::string user = MakeRecord(kTypeUser, BuildUserRecordPayload(lines));
    bool hasUser = false;
    for (const auto& r : records)
        hasUser = hasUser || r.type == kTypeUser;

    out.clear();
    out.reserve(original.size() + user.size());
    bool placed = false;
    for (const auto& r : records) {
        if (r.type == kTypeUser) {
            if (!placed)
                out += user;
            placed = true;
            continue;
        }
        out.append(r.image);
        if (!hasUser && !placed && r.type == kTypeComputerLog) {
            out += user;
            placed = true;
        }
    }
    if (!placed)
        out += user;
    AppendBE32(out, CCrc32Static::Compute(out));
    return true;
}
