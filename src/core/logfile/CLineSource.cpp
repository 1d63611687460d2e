#include "logfile/CLineSource.h"

bool CMemLineFile::ReadLine(std::string_view& line) {
    if (m_pos >= m_content.size())
        return false;
    const size_t nl = m_content.find('\n', m_pos);
    const size_t end = nl == std::string::npos ? m_content.size() : nl;
    std::string_view view(m_content.data() + m_pos, end - m_pos);
    if (!view.empty() && view.back() == '\r')
        view.remove_suffix(1);
    m_pos = nl == std::string::npos ? m_content.size() : nl + 1;
    line = view;
    return true;
}
