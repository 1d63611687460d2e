#include "logfile/binary/CSRDLDataComp.h"

#include "logfile/FieldParsers.h"

bool CSRDLDataComp::SetData(const uint8_t* data, size_t length) {
    m_arData.clear();
    if (!data || length < kStartBytes)
        return false;
    m_arData.assign(data + kStartBytes, data + length);
    return true;
}

size_t CSRDLDataComp::GetLineCount() const {
    return m_arData.size() / m_nRecordSize;
}

std::string CSRDLDataComp::GetLine(size_t index) const {
    if (index >= GetLineCount())
        return {};
    const uint8_t* record = m_arData.data() + index * m_nRecordSize;
    CRecordLineWriter line(record[0]);
    for (size_t i = 1; i < m_nRecordSize; ++i)
        line.Byte(record[i]);
    return line.Finish();
}
