#include "logfile/binary/BinaryLineBytes.h"

#include "logfile/HexDigits.h"

bool LineToBytes(std::string_view line, std::string& bytes) {
    bytes.clear();
    if (line.size() % 2 != 0)
        return false;
    bytes.reserve(line.size() / 2);
    for (size_t i = 0; i < line.size(); i += 2) {
        const int hi = hexdigits::Value(line[i]);
        const int lo = hexdigits::Value(line[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes += static_cast<char>(hi * 16 + lo);
    }
    return true;
}
