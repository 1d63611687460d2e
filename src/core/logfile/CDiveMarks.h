#pragma once
// What the loader knows of the dive besides its phase: whether the unit is in it now, which dive
// it is (a log may hold the start or end of another), and whether its end has been read.
class CDiveMarks {
public:
    bool InDive() const { return m_bInDive; }
    void Enter() { m_bInDive = true; }
    void Leave() { m_bInDive = false; }

    // A dive start: the first one names the dive. True when it starts that dive; its end is then
    // still to come.
    bool Start(int number) {
        if (m_nNumber == kNoDive)
            m_nNumber = number;
        if (m_nNumber != number)
            return false;
        m_bEndSeen = false;
        return true;
    }
    // Whether a dive end with this number ends the dive.
    bool Ends(int number) const { return number == m_nNumber; }
    // The dive's end has been read; `counts` false for a dive too short to be one.
    void End(bool counts) {
        m_bEndSeen = true;
        m_bAfterEnd = counts;
    }
    bool EndSeen() const { return m_bEndSeen; }
    // Past the end of a dive that counts: records then lie on the surface after it.
    bool AfterEnd() const { return m_bAfterEnd; }

private:
    static constexpr int kNoDive = -1; // no dive start read yet

    bool m_bInDive = false;
    int m_nNumber = kNoDive;
    bool m_bEndSeen = false;
    bool m_bAfterEnd = false;
};
