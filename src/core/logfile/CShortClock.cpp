#include "logfile/CShortClock.h"

#include <algorithm>
#include <cmath>

bool CShortClock::MoveTo(const CDateTime& at, const CDateTime& from, double base) {
    const auto seconds = at.SecondsSince(from);
    if (!seconds)
        return false;
    SetTime(static_cast<double>(*seconds) + base);
    return true;
}

void CShortClock::SetTime(double seconds) {
    m_dTime = std::trunc(seconds);
}

void CShortClock::Depth(int interval) {
    if (!m_bHold)
        SetTime(m_dTime + interval);
    m_bHold = false;
    if (m_bSync && ++m_nSyncDepths > 1) {
        m_bSync = false;
        m_nSyncDepths = 0;
    }
}

double CShortClock::StatusTime(int interval) {
    if (m_nReference != kNoReference && !m_bSync) {
        m_bSync = true;
        m_nSyncReference = m_nReference;
    } else if (!m_bSync) {
        return m_dTime;
    }
    const long long step = interval;
    const long long t = static_cast<long long>(std::trunc(m_dTime));
    const long long lagging = t + m_nReference - step * m_nSyncDepths - m_nSyncReference;
    return static_cast<double>(std::clamp(lagging, t, t + step));
}

void CShortClock::Reference(const CDateTime& at) {
    if (const auto seconds = at.SecondsSince(m_dtOrigin))
        m_nReference = *seconds;
}
