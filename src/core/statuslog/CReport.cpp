#include "statuslog/CReport.h"

#include <cstdarg>
#include <cstdio>

#include "statuslog/StatusLog.h"

CReport::CReport(int messageLevel, Observer observer)
    : m_nMessageLevel(messageLevel < 0 || messageLevel > 4 ? 0 : messageLevel),
      m_observer(std::move(observer)) {}

bool CReport::Wants(ReportKind kind) const {
    switch (kind) {
    case ReportKind::kProgress:
        return m_nMessageLevel >= StatusLog::kProgress;
    case ReportKind::kTrace:
        return m_nMessageLevel >= StatusLog::kTrace;
    default:
        return true;
    }
}

void CReport::Add(ReportKind kind, int line, std::string text) {
    if (!Wants(kind))
        return;
    m_events.push_back({kind, line, std::move(text)});
    if (m_observer)
        m_observer(m_events.back());
}

void CReport::Printf(ReportKind kind, int line, const char* format, ...) {
    if (!Wants(kind))
        return;
    // The status log cuts a line at the same length.
    char buffer[StatusLog::kBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    Add(kind, line, buffer);
}

std::vector<std::string> CReport::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(m_events.size());
    for (const CReportEvent& e : m_events)
        texts.push_back(e.text);
    return texts;
}

bool CReport::Has(std::string_view text) const {
    for (const CReportEvent& e : m_events)
        if (e.text == text)
            return true;
    return false;
}
