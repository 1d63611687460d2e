#pragma once
// The time scale of a log in the short layout. Its lines carry no clock: each depth record is one
// sample interval after the one before, and the date-time records (power-on and off, dive start,
// stamps, restarts) set the time outright, counted from the power-on that opened the log.
//
// Status records may lag their depth record. Once the unit has logged a reference time, the
// first status record after it synchronises: it and those up to the second depth record after
// it are placed by how far the reference says they lag, never before their depth record and
// never a whole interval after it.
#include "logfile/CDateTime.h"

class CShortClock {
public:
    double Time() const { return m_dTime; }

    // A power-on outside a dive starts the log afresh at second 0 of this power-on.
    void Restart(const CDateTime& powerOn) {
        m_dtOrigin = powerOn;
        m_dTime = 0.0;
    }
    // The time becomes `base` plus the whole seconds from `from` to `at`; from the origin when
    // `from` is not given. False, and the time stays, when either date-time is invalid.
    bool MoveTo(const CDateTime& at) { return MoveTo(at, m_dtOrigin, 0.0); }
    bool MoveTo(const CDateTime& at, const CDateTime& from, double base = 0.0);
    // Whole seconds, as every time on this scale is.
    void SetTime(double seconds);
    // The next depth record stays at the current time instead of one interval on: the record
    // just read (a dive start or a stamp) already placed it.
    void Hold() { m_bHold = true; }
    // A depth record: one `interval` on unless held.
    void Depth(int interval);
    // The time of a status record.
    double StatusTime(int interval);
    // The reference time of a 0x1B record, counted from the origin; ignored when invalid.
    void Reference(const CDateTime& at);
    // The dive end ends the synchronisation and forgets the reference.
    void EndDive() {
        m_bSync = false;
        m_nReference = kNoReference;
    }

private:
    static constexpr long long kNoReference = -1;

    double m_dTime = 0.0;
    CDateTime m_dtOrigin = CDateTime::Invalid();
    bool m_bHold = false;
    bool m_bSync = false;
    long long m_nReference = kNoReference;
    long long m_nSyncReference = 0; // the reference when the synchronisation began
    // Depth records since the synchronisation began. The dive end leaves it as it is, so a
    // synchronisation after it may end at its first depth record.
    int m_nSyncDepths = 0;
};
