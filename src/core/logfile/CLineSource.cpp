#include "logfile/CLineSource.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool ReadWholeFile(const std::string& path, std::string& content, std::string& error) {
    content.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "read error";
        return false;
    }
    return true;
}
