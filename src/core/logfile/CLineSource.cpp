#include "logfile/CLineSource.h"

#include <cstring>

bool CMemLineFile::ReadLine(std::string_view& line) {
    const size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    const char* data = m_text.data();
    const void* nl = std::memchr(data + m_pos, '\n', size - m_pos);
    const size_t end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - data) : size;
    std::string_view view(data + m_pos, end - m_pos);
    if (!view.empty() && view.back() == '\r')
        view.remove_suffix(1);
    m_pos = nl ? end + 1 : size;
    line = view;
    return true;
}
