#include "logfile/binary/BinaryLineBytes.h"

namespace {

int Nibble(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool LineToBytes(std::string_view line, std::string& bytes) {
    bytes.clear();
    if (line.size() % 2 != 0)
        return false;
    bytes.reserve(line.size() / 2);
    for (size_t i = 0; i < line.size(); i += 2) {
        const int hi = Nibble(line[i]);
        const int lo = Nibble(line[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes += static_cast<char>(hi * 16 + lo);
    }
    return true;
}
