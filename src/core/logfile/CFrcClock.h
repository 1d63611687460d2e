#pragma once
// The time scale of a log in the FRC layout. Every line carries the unit's tick count, which
// restarts with each power-on; the loader places all lines on the scale of the first power-on,
// second 0, by an offset that the date-time of a later power-on or restart moves.
#include "logfile/CDateTime.h"

class CFrcClock {
public:
    // Every line: its tick count, negative for a line too short to carry one.
    void Tick(double frc) {
        m_dFrc = frc;
        m_dTime = frc + m_dOffset;
    }

    double Time() const { return m_dTime; }
    double Frc() const { return m_dFrc; }
    double Offset() const { return m_dOffset; }
    const CDateTime& Origin() const { return m_dtOrigin; }

    // The first power-on: its tick count becomes second 0 and its date-time the origin that
    // later date-times are placed against. The current line keeps the time it was read at.
    void SetOrigin(const CDateTime& powerOn) {
        m_dOffset = -m_dFrc;
        m_dtOrigin = powerOn;
    }
    // A later power-on or a restart: the current line and those after it lie at `at`, counted
    // from the origin. False, and nothing moves, when either date-time is invalid.
    bool MoveTo(const CDateTime& at) {
        const auto seconds = at.SecondsSince(m_dtOrigin);
        if (!seconds)
            return false;
        m_dTime = static_cast<double>(*seconds);
        m_dOffset = m_dTime - m_dFrc;
        return true;
    }

private:
    double m_dFrc = 0.0;
    double m_dOffset = 0.0;
    double m_dTime = 0.0;
    CDateTime m_dtOrigin = CDateTime::Invalid();
};
