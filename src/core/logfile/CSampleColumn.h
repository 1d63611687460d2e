#pragma once
// One field of every sample, stored as compactly as its values allow. A field that keeps one
// value costs nothing per sample; one with up to 256 (or 65,536) distinct values costs one (or
// two) bytes per sample and a table of the values; anything livelier keeps its raw 8 bytes.
// Values are bit patterns, so every double, int, byte and flag comes back exactly as it went in.
#include <cstddef>
#include <cstdint>
#include <vector>

class CSampleColumn {
public:
    enum class EWidth : uint8_t { kConstant, kByte, kWord, kRaw };

    // Appends the value of sample `index`, which must be the number of samples so far. A
    // constant column need not be told of samples that repeat its value.
    void Append(size_t index, uint64_t bits) {
        if (m_width == EWidth::kConstant && (index == 0 || bits == m_nFirst)) {
            m_nFirst = bits;
            m_nSize = index + 1;
            return;
        }
        // Most fields repeat the value of the sample before.
        if (bits == m_nLastBits && m_width == EWidth::kByte) {
            m_arCodes8.push_back(static_cast<uint8_t>(m_nLastCode));
            ++m_nSize;
            return;
        }
        AppendSlow(index, bits);
    }
    uint64_t Get(size_t index) const {
        switch (m_width) {
        case EWidth::kConstant:
            return m_nFirst;
        case EWidth::kByte:
            return m_arValues[m_arCodes8[index]];
        case EWidth::kWord:
            return m_arValues[m_arCodes16[index]];
        case EWidth::kRaw:
            break;
        }
        return m_arRaw[index];
    }
    // Appends the value of the sample before once more (a column that is not constant).
    void AppendRepeat() {
        switch (m_width) {
        case EWidth::kByte: {
            const uint8_t code = m_arCodes8.back();
            m_arCodes8.push_back(code);
            break;
        }
        case EWidth::kWord: {
            const uint16_t code = m_arCodes16.back();
            m_arCodes16.push_back(code);
            break;
        }
        case EWidth::kRaw: {
            const uint64_t bits = m_arRaw.back();
            m_arRaw.push_back(bits);
            break;
        }
        case EWidth::kConstant:
            break;
        }
        ++m_nSize;
    }
    // `size` is the number of samples the store holds.
    void Set(size_t index, uint64_t bits, size_t size);
    void Clear() { *this = CSampleColumn(); }
    // Frees what only appending needs (the value look-up, spare capacity); a later change
    // builds the look-up again.
    void Compact();

    EWidth Width() const { return m_width; }
    // Heap bytes held, the look-up table of the values included.
    size_t Bytes() const;

private:
    void AppendSlow(size_t index, uint64_t bits);
    // The code of `bits`, added to the table (widening the codes) when new; -1 when the column
    // has just gone raw instead.
    long long CodeOf(uint64_t bits);
    void Widen(EWidth to);
    void PutCode(size_t index, uint32_t code);

    EWidth m_width = EWidth::kConstant;
    size_t m_nSize = 0; // for a constant column, only up to the last sample it was told of
    uint64_t m_nFirst = 0;
    std::vector<uint64_t> m_arValues; // code -> value
    // Value -> code by open addressing (keys with their code + 1, 0 for an empty slot): this is
    // looked up for nearly every sample of the lively fields.
    struct CSlot {
        uint64_t bits;
        uint32_t codePlusOne;
    };
    std::vector<CSlot> m_arSlots;
    long long Find(uint64_t bits) const;
    void Insert(uint64_t bits, uint32_t code);
    std::vector<uint8_t> m_arCodes8;
    std::vector<uint16_t> m_arCodes16;
    std::vector<uint64_t> m_arRaw;
    uint64_t m_nLastBits = 0;
    uint32_t m_nLastCode = 0;
};
