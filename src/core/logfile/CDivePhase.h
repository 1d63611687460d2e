#pragma once
// How far the loader has come through the dive: before it, after its start, or past its end.
// Each pre-dive set records the phase it was made in.
#include "logfile/CDiveLogPreDive.h"

class CDivePhase {
public:
    using EPhase = CDiveLogPreDive::Phase;

    EPhase Get() const { return m_phase; }
    // The first dive start opens the dive; a later one changes nothing. True when this one did.
    bool Start() {
        if (m_phase != CDiveLogPreDive::kPreDive)
            return false;
        m_phase = CDiveLogPreDive::kAfterStartOfDive;
        return true;
    }
    // The end of the dive: one too short to count takes a dive that was only started back to
    // before it; one that counts ends it.
    void End(bool counts) {
        if (counts)
            m_phase = CDiveLogPreDive::kPostDive;
        else if (m_phase == CDiveLogPreDive::kAfterStartOfDive)
            m_phase = CDiveLogPreDive::kPreDive;
    }

private:
    EPhase m_phase = CDiveLogPreDive::kPreDive;
};
