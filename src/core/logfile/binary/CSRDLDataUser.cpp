#include "logfile/binary/CSRDLDataUser.h"

#include "logfile/FieldParsers.h"
#include "logfile/binary/BinaryLineBytes.h"

bool CSRDLDataUser::SetData(const uint8_t* data, size_t length) {
    m_arEntries.clear();
    if (!data)
        return length == 0;
    size_t pos = 0;
    while (pos < length) {
        if (length - pos < 5)
            return false;
        const uint32_t m = ReadBE32(data + pos + 1);
        if (m > length - pos - 5)
            return false;
        Entry entry;
        entry.nType = data[pos];
        entry.arData.assign(data + pos + 5, data + pos + 5 + m);
        m_arEntries.push_back(std::move(entry));
        pos += 5 + size_t(m);
    }
    return true;
}

std::string CSRDLDataUser::GetLine(size_t index) const {
    if (index >= m_arEntries.size())
        return {};
    const Entry& entry = m_arEntries[index];
    CRecordLineWriter line(entry.nType);
    for (uint8_t b : entry.arData)
        line.Byte(b);
    return line.Finish();
}

bool CSRDLDataUser::AppendLineAsEntry(std::string& payload, std::string_view line) {
    std::string bytes;
    if (!LineToBytes(line, bytes) || bytes.size() < 2)
        return false;
    bytes.pop_back(); // the checksum
    payload += bytes[0];
    AppendBE32(payload, static_cast<uint32_t>(bytes.size() - 1));
    payload.append(bytes, 1, std::string::npos);
    return true;
}
