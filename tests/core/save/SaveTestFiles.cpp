#include "SaveTestFiles.h"

#include "logfile/binary/CCrc32Static.h"

namespace savetest {

namespace {
void AppendBE32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(v >> shift));
}
} // namespace

std::string BinaryRecord(unsigned type, const std::string& payload) {
    std::string r;
    r.push_back(static_cast<char>(type >> 8));
    r.push_back(static_cast<char>(type));
    AppendBE32(r, static_cast<uint32_t>(payload.size()));
    r += payload;
    AppendBE32(r, CCrc32Static::Compute(r));
    return r;
}

std::string BinaryFile(const std::vector<std::string>& records) {
    std::string f;
    for (const auto& r : records)
        f += r;
    AppendBE32(f, CCrc32Static::Compute(f));
    return f;
}

} // namespace savetest
