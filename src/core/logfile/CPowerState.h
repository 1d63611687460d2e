#pragma once
// Whether the unit is switched on, as each sample records it, and whether the log has seen its
// first power-on: that one opens the log, every later one makes a sample of its own.
class CPowerState {
public:
    bool On() const { return m_bOn; }

    // A power-on record. True when an earlier one was seen, so this one makes a sample.
    bool PowerOn() {
        const bool again = m_bPowerOnSeen;
        m_bOn = true;
        m_bPowerOnSeen = true;
        return again;
    }
    // A record only a running unit writes (a dive start), whether or not its power-on was logged.
    void Running() { m_bOn = true; }
    void PowerOff() { m_bOn = false; }

private:
    bool m_bOn = false;
    bool m_bPowerOnSeen = false;
};
