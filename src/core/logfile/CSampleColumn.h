#pragma once
// One field of every sample, stored as compactly as its values allow. A field that keeps one
// value costs nothing per sample. Most fields are small integers as the record lines carry
// them, scaled (a cell's hundredths of a bar, a temperature's tenths): such a field keeps the
// integer in two bytes, which is read back by the same division the decoder made, so nothing
// is looked up per sample; one that came from a single-precision float keeps that float's four
// bytes. Any other field with up to 256 (or 65,536) distinct values costs one
// (or two) bytes per sample and a table of the values; anything livelier keeps its raw 8 bytes.
// A field that changes seldom (a cylinder pressure once a minute, a dive's worth of depths in
// a day at the surface) keeps only its changes, with the sample each starts at. Values are bit
// patterns, so every double, int, byte and flag comes back exactly as it went in.
#include <atomic>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "logfile/PodVector.h"

class CSampleColumn {
public:
    enum class EWidth : uint8_t { kConstant, kByte, kWord, kRaw, kScaled, kChanges, kSingle };

    // `fieldBytes`: 8 for a double, 4 for an int, 1 for a byte or flag.
    explicit CSampleColumn(uint8_t fieldBytes = 8) : m_nFieldBytes(fieldBytes) {}

    // Gives sample `index` (not below any sample told before) its value. Samples the column is
    // not told of repeat the value before them: a repeat costs nothing until a new value comes,
    // which is what lets the store pass over the fields a sample did not change.
    void Append(size_t index, uint64_t bits) {
        if (m_nSize != 0 && bits == m_nTail)
            return;
        if (m_width == EWidth::kConstant && m_nSize == 0) {
            m_nFirst = m_nTail = bits;
            m_nSize = 1;
            return;
        }
        if (m_width == EWidth::kChanges) {
            AddChange(index, bits);
            return;
        }
        if (index > m_nSize)
            Fill(index);
        if (m_width == EWidth::kScaled) {
            int code = 0;
            if (Encode(bits, code)) {
                m_arCodes16.push_back(static_cast<uint16_t>(code));
                ++m_nSize;
                m_nTail = bits;
                return;
            }
        }
        if (m_width == EWidth::kSingle) {
            uint32_t single = 0;
            if (EncodeSingle(bits, single)) {
                m_arCodes32.push_back(single);
                ++m_nSize;
                m_nTail = bits;
                return;
            }
        }
        AppendSlow(index, bits);
        m_nTail = bits;
    }
    // Gives samples start ... start + n - 1 the values `bits`, exactly as n Appends in turn
    // would: the store tells a column the values of a batch of samples at once.
    void AppendRun(size_t start, const uint64_t* bits, size_t n);
    uint64_t Get(size_t index) const {
        if (index >= m_nSize)
            return m_nTail;
        switch (m_width) {
        case EWidth::kConstant:
            return m_nFirst;
        case EWidth::kByte:
            return m_arValues[m_arCodes8[index]];
        case EWidth::kWord:
            return m_arValues[m_arCodes16[index]];
        case EWidth::kScaled:
            return Decode(static_cast<int16_t>(m_arCodes16[index]));
        case EWidth::kChanges:
            return m_arChangeBits[ChangeAt(index)];
        case EWidth::kSingle:
            return DecodeSingle(m_arCodes32[index]);
        case EWidth::kRaw:
            break;
        }
        return m_arRaw[index];
    }
    // The values of samples first ... first + n - 1, as n Gets would give them: a reader that
    // wants one field of many samples takes a stretch at a time, deciding the form once.
    void GetRange(size_t first, size_t n, uint64_t* out) const;
    // A column that keeps its changes: how many, and where change `k` starts and what it holds.
    size_t Changes() const { return m_width == EWidth::kChanges ? m_arChangeAt.size() : 0; }
    size_t ChangeStart(size_t k) const { return m_arChangeAt[k]; }
    uint64_t ChangeBits(size_t k) const { return m_arChangeBits[k]; }
    // The change in force at sample `index` (below the samples stored).
    size_t ChangeAt(size_t index) const;
    // Whether sample `index` (above 0) holds the value of the sample before it, found without
    // reading the value: walking the samples in order, most fields stay put.
    bool SameAsBefore(size_t index) const {
        if (index >= m_nSize)
            return true; // past the stored samples, all repeat the last
        switch (m_width) {
        case EWidth::kConstant:
            return true;
        case EWidth::kChanges:
            return m_arChangeAt[ChangeAt(index)] != index;
        case EWidth::kByte:
            return m_arCodes8[index] == m_arCodes8[index - 1];
        case EWidth::kWord:
        case EWidth::kScaled:
            return m_arCodes16[index] == m_arCodes16[index - 1];
        case EWidth::kSingle:
            return m_arCodes32[index] == m_arCodes32[index - 1];
        case EWidth::kRaw:
            break;
        }
        return m_arRaw[index] == m_arRaw[index - 1];
    }
    // `size` is the number of samples the store holds.
    void Set(size_t index, uint64_t bits, size_t size);
    void Clear() { *this = CSampleColumn(m_nFieldBytes); }
    // Frees what only appending needs (the value look-up, spare capacity); a later change
    // builds the look-up again.
    void Compact();

    EWidth Width() const { return m_width; }
    // Heap bytes held, the look-up table of the values included.
    size_t Bytes() const;

private:
    // The divisors the decoders scale by; a quarter is a division by 4 as well, exactly.
    static constexpr double kDivisors[] = {1.0, 4.0, 10.0, 40.0, 100.0};

    // `bits` as a two-byte integer that Decode gives back exactly, if it is one.
    bool Encode(uint64_t bits, int& code) const {
        if (m_nFieldBytes == 1) {
            code = static_cast<int>(bits & 0xFF);
            return true;
        }
        if (m_nFieldBytes == 4) {
            code = static_cast<int32_t>(static_cast<uint32_t>(bits));
            return code >= INT16_MIN && code <= INT16_MAX;
        }
        const double scaled = std::bit_cast<double>(bits) * m_dDivisor;
        if (!(scaled >= INT16_MIN && scaled <= INT16_MAX))
            return false;
        // Rounded half away from zero, inline: only an exact round trip is kept, and at a tie
        // neither neighbour gives the value back, so the way of rounding changes nothing.
        code = static_cast<int>(scaled + (scaled < 0.0 ? -0.5 : 0.5));
        return Decode(code) == bits;
    }
    // A double that came from a single-precision value (a gradient factor) keeps its four bytes.
    bool EncodeSingle(uint64_t bits, uint32_t& single) const {
        if (m_nFieldBytes != 8)
            return false;
        const auto f = static_cast<float>(std::bit_cast<double>(bits));
        single = std::bit_cast<uint32_t>(f);
        return DecodeSingle(single) == bits;
    }
    static uint64_t DecodeSingle(uint32_t single) {
        return std::bit_cast<uint64_t>(static_cast<double>(std::bit_cast<float>(single)));
    }
    uint64_t Decode(int code) const {
        if (m_nFieldBytes == 8)
            return std::bit_cast<uint64_t>(static_cast<double>(code) / m_dDivisor);
        if (m_nFieldBytes == 4)
            return static_cast<uint32_t>(code);
        return static_cast<uint8_t>(code);
    }
    // From a constant column that meets its second value: scaled codes when both values have
    // them under one divisor.
    bool StartScaled(uint64_t bits);
    // Appends `bits` under a finer divisor, if one gives it and every value so far a code.
    bool Rescale(uint64_t bits);
    // A scaled column that meets a value without a code goes over to the table of values.
    void LeaveScaled();
    // A column of changes that changes too often goes over to a value for every sample.
    static constexpr size_t kChangesWorthChecking = 64;
    void KeepEverySample();
    // A column of changes takes one; false when that made it keep every sample instead.
    bool AddChange(size_t index, uint64_t bits) {
        m_arChangeAt.push_back(static_cast<uint32_t>(index));
        m_arChangeBits.push_back(bits);
        m_nSize = index + 1;
        m_nTail = bits;
        if (m_arChangeAt.size() < kChangesWorthChecking || m_arChangeAt.size() * 6 <= m_nSize)
            return true;
        KeepEverySample();
        return false;
    }
    // Rebuilds the column from its values, never again as changes, nor in a form it has left.
    void Rebuild(bool scaledFailed, bool singleFailed);

    void SetStored(size_t index, uint64_t bits, size_t size);
    // Stores the repeats of the last value up to sample `count`.
    void Fill(size_t count);
    void AppendSlow(size_t index, uint64_t bits);
    // The code of `bits`, added to the table (widening the codes) when new; -1 when the column
    // has just gone raw instead.
    long long CodeOf(uint64_t bits);
    void Widen(EWidth to);
    void PutCode(size_t index, uint32_t code);

    EWidth m_width = EWidth::kConstant;
    uint8_t m_nFieldBytes = 8;
    bool m_bScaledFailed = false; // once left, a column keeps its table
    bool m_bSingleFailed = false;
    bool m_bEverySample = false; // once lively, a column keeps a value for every sample
    double m_dDivisor = 1.0;
    size_t m_nSize = 0;   // samples stored; those after repeat m_nTail
    uint64_t m_nTail = 0; // the value of the last sample stored
    uint64_t m_nFirst = 0;
    std::vector<uint64_t> m_arValues; // code -> value
    // Value -> code by open addressing (keys with their code + 1, 0 for an empty slot): this is
    // looked up for nearly every sample of the lively fields.
    struct CSlot {
        uint64_t bits;
        uint32_t codePlusOne;
    };
    std::vector<CSlot> m_arSlots;
    // The top bits of the product, which every bit of the value reaches: a double from a float,
    // or a small whole number, has its low bits all zero.
    static size_t Hash(uint64_t bits, size_t mask) {
        const int shift = std::countl_zero(static_cast<uint64_t>(mask)); // mask is 2^k - 1
        return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> (shift & 63)) & mask;
    }
    long long Find(uint64_t bits) const {
        if (m_arSlots.empty())
            return -1;
        const size_t mask = m_arSlots.size() - 1;
        for (size_t i = Hash(bits, mask);; i = (i + 1) & mask) {
            const CSlot& slot = m_arSlots[i];
            if (slot.codePlusOne == 0)
                return -1;
            if (slot.bits == bits)
                return slot.codePlusOne - 1;
        }
    }
    void Insert(uint64_t bits, uint32_t code);
    CPodVector<uint8_t> m_arCodes8;
    CPodVector<uint16_t> m_arCodes16;
    CPodVector<uint64_t> m_arRaw;
    CPodVector<uint32_t> m_arCodes32; // single-precision values
    uint64_t m_nLastBits = 0;
    uint32_t m_nLastCode = 0;
    CPodVector<uint32_t> m_arChangeAt; // the sample each change starts at, first 0
    CPodVector<uint64_t> m_arChangeBits;
    // Where the last look-up of a change ended: reads walk the samples in order, mostly. Only a
    // hint, so readers on several threads may overwrite each other's.
    struct CHint {
        mutable std::atomic<uint32_t> at{0};
        CHint() = default;
        CHint(const CHint& o) : at(o.at.load(std::memory_order_relaxed)) {}
        CHint& operator=(const CHint& o) {
            at.store(o.at.load(std::memory_order_relaxed), std::memory_order_relaxed);
            return *this;
        }
    };
    CHint m_hint;
};
