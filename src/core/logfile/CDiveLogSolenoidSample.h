#pragma once
// One second of a controller's oxygen-solenoid activity, and the decoding of the solenoid
// bitmap records (0x30-0x33) into such seconds.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

class CDiveLogSolenoidSample {
public:
    CDiveLogSolenoidSample() = default;
    CDiveLogSolenoidSample(bool fired, double time) : m_dTime(time), m_bFired(fired) {}
    virtual ~CDiveLogSolenoidSample() = default;

    void Set(bool fired, double time) {
        m_bFired = fired;
        m_dTime = time;
    }
    double GetTime() const { return m_dTime; }
    bool GetFired() const { return m_bFired; }

    double m_dTime = 0.0; // s on the time scale
    bool m_bFired = false;
};

// The seconds of one controller as the loader appends them: one bit per second for "fired",
// and the times as runs of consecutive seconds, since a log covers nearly every second and a
// day at one-second intervals would otherwise be 86,400 small objects per controller. Read
// like the array of sample pointers it replaces: an element is reached through `->`
// (GetTime, GetFired, m_dTime, m_bFired) and is made on the spot from the bits.
class CSolenoidSeconds {
public:
    // An element: a sample made when it is read, used like a pointer to one.
    class CRef {
    public:
        CRef(bool fired, double time) : m_sample(fired, time) {}
        const CDiveLogSolenoidSample* operator->() const { return &m_sample; }
        const CDiveLogSolenoidSample& operator*() const { return m_sample; }
        const CDiveLogSolenoidSample* get() const { return &m_sample; }

    private:
        CDiveLogSolenoidSample m_sample;
    };

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = CRef;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = CRef;

        const_iterator() = default;
        const_iterator(const CSolenoidSeconds* owner, size_t index)
            : m_owner(owner), m_index(index) {}
        CRef operator*() const { return (*m_owner)[m_index]; }
        CRef operator[](difference_type n) const { return (*m_owner)[m_index + n]; }
        const_iterator& operator++() { return ++m_index, *this; }
        const_iterator operator++(int) { return {m_owner, m_index++}; }
        const_iterator& operator--() { return --m_index, *this; }
        const_iterator operator--(int) { return {m_owner, m_index--}; }
        const_iterator& operator+=(difference_type n) { return m_index += n, *this; }
        const_iterator& operator-=(difference_type n) { return m_index -= n, *this; }
        const_iterator operator+(difference_type n) const { return {m_owner, m_index + n}; }
        const_iterator operator-(difference_type n) const { return {m_owner, m_index - n}; }
        difference_type operator-(const const_iterator& o) const {
            return static_cast<difference_type>(m_index) - static_cast<difference_type>(o.m_index);
        }
        bool operator==(const const_iterator& o) const { return m_index == o.m_index; }
        auto operator<=>(const const_iterator& o) const { return m_index <=> o.m_index; }

    private:
        const CSolenoidSeconds* m_owner = nullptr;
        size_t m_index = 0;
    };
    using iterator = const_iterator;

    void push_back(bool fired, double time);
    // Seconds firstTime, firstTime + 1, ... (`count` of them, at most 128), fired where the bit
    // of `flags` (low word first) is set: what `count` push_backs in turn would store.
    void AppendSeconds(double firstTime, const uint64_t (&flags)[2], size_t count);
    void clear();
    void reserve(size_t seconds) { m_bits.reserve((seconds + 63) / 64); }
    void shrink_to_fit();

    size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    // Seconds that fit before the bits must grow.
    size_t capacity() const { return m_bits.capacity() * 64; }
    // What the array holds on the heap.
    size_t Bytes() const {
        return m_bits.capacity() * sizeof(uint64_t) + m_runs.capacity() * sizeof(CRun);
    }

    bool Fired(size_t index) const { return (m_bits[index / 64] >> (index % 64)) & 1u; }
    double Time(size_t index) const;
    CRef operator[](size_t index) const { return {Fired(index), Time(index)}; }
    CRef front() const { return (*this)[0]; }
    CRef back() const { return (*this)[m_nSize - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_nSize}; }

private:
    // Seconds from `start` on follow `first` one by one, up to the next run's start.
    struct CRun {
        size_t start;
        double first;
    };

    std::vector<uint64_t> m_bits;
    std::vector<CRun> m_runs;
    size_t m_nSize = 0;
};

using CSolenoidArray = CSolenoidSeconds;

// The last second already recorded, so that overlapping bitmaps add only new seconds. One value
// for the FRC layout (both controllers move together) and one per controller for the short one.
struct CSolenoidState {
    long long lastFrc = 0;
    long long lastC1 = 0;
    long long lastC2 = 0;
};

// Decodes one solenoid bitmap record. A bitmap is 13 bytes = 104 flags; flag i (byte i / 8,
// bit i % 8) describes second base + i - 103. FRC layout 0x32: both controllers, base = `time`.
// Short layout: base from the line; 0x30/0x32 feed controller 1, 0x31/0x33 controller 2, and
// 0x30 seconds are shifted by the dive start. Lines of other lengths are ignored.
void DecodeSolenoidRecord(unsigned recordType, std::string_view line, double time, bool frcLayout,
                          double diveStartTime, CSolenoidState& state, CSolenoidArray& c1,
                          CSolenoidArray& c2);
