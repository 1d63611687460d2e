#include "logfile/CSampleColumn.h"

#include <algorithm>
#include <type_traits>

namespace {

// Past this many distinct values a column whose values are mostly distinct (times, say) keeps
// raw values: a table as long as the column would only add to it.
constexpr size_t kTableWorthChecking = 4096;
constexpr size_t kMaxWordCodes = 65536;
constexpr size_t kMaxByteCodes = 256;

} // namespace

bool CSampleColumn::StartScaled(uint64_t bits) {
    if (m_bScaledFailed)
        return false;
    for (double divisor : kDivisors) {
        m_dDivisor = divisor;
        int first = 0, next = 0;
        if (Encode(m_nFirst, first) && Encode(bits, next)) {
            m_width = EWidth::kScaled;
            m_arCodes16.assign(m_nSize, static_cast<uint16_t>(first));
            m_arCodes16.push_back(static_cast<uint16_t>(next));
            ++m_nSize;
            m_nLastBits = bits;
            m_nLastCode = static_cast<uint16_t>(next);
            return true;
        }
        if (m_nFieldBytes != 8)
            break;
    }
    m_dDivisor = 1.0;
    return false;
}

void CSampleColumn::LeaveScaled() {
    Rebuild(true, m_bSingleFailed);
}

void CSampleColumn::KeepEverySample() {
    Rebuild(m_bScaledFailed, m_bSingleFailed);
}

void CSampleColumn::Rebuild(bool scaledFailed, bool singleFailed) {
    // A column of changes holds its runs already, and only they are told again: a sample that
    // repeats the one before it changes nothing in a column being appended to.
    const size_t size = m_nSize;
    const uint8_t fieldBytes = m_nFieldBytes;
    CSampleColumn old = std::move(*this);
    *this = CSampleColumn(fieldBytes);
    m_bScaledFailed = scaledFailed;
    m_bSingleFailed = singleFailed;
    m_bEverySample = true;
    if (old.m_width == EWidth::kChanges) {
        for (size_t k = 0; k < old.m_arChangeAt.size(); ++k)
            Append(old.m_arChangeAt[k], old.m_arChangeBits[k]);
    } else {
        // A lively column that leaves its form late in a day holds tens of thousands of values:
        // read and told a stretch at a time, they cost a fraction of a value at a time.
        constexpr size_t kStretch = 256;
        uint64_t stretch[kStretch];
        for (size_t first = 0; first < size; first += kStretch) {
            const size_t n = std::min(kStretch, size - first);
            old.GetRange(first, n, stretch);
            AppendRun(first, stretch, n);
        }
    }
    Fill(size);
}

void CSampleColumn::GetRange(size_t first, size_t n, uint64_t* out) const {
    // Past the samples stored, every value repeats the last.
    const size_t stored = first < m_nSize ? std::min(n, m_nSize - first) : 0;
    std::fill(out + stored, out + n, m_nTail);
    switch (m_width) {
    case EWidth::kConstant:
        std::fill(out, out + stored, m_nFirst);
        return;
    case EWidth::kByte:
        for (size_t i = 0; i < stored; ++i)
            out[i] = m_arValues[m_arCodes8[first + i]];
        return;
    case EWidth::kWord:
        for (size_t i = 0; i < stored; ++i)
            out[i] = m_arValues[m_arCodes16[first + i]];
        return;
    case EWidth::kScaled:
        for (size_t i = 0; i < stored; ++i)
            out[i] = Decode(static_cast<int16_t>(m_arCodes16[first + i]));
        return;
    case EWidth::kSingle:
        for (size_t i = 0; i < stored; ++i)
            out[i] = DecodeSingle(m_arCodes32[first + i]);
        return;
    case EWidth::kRaw:
        if (stored)
            std::copy(&m_arRaw[first], &m_arRaw[first] + stored, out);
        return;
    case EWidth::kChanges:
        break;
    }
    // A change at a time: the values between two changes are one fill.
    size_t i = 0;
    for (size_t k = stored ? ChangeAt(first) : 0; i < stored; ++k) {
        const size_t end = k + 1 < m_arChangeAt.size()
                               ? std::min<size_t>(m_arChangeAt[k + 1] - first, stored)
                               : stored;
        std::fill(out + i, out + end, m_arChangeBits[k]);
        i = end;
    }
}

size_t CSampleColumn::ChangeAt(size_t index) const {
    const size_t n = m_arChangeAt.size();
    size_t k = m_hint.at.load(std::memory_order_relaxed);
    if (k < n && m_arChangeAt[k] <= index) {
        // The same change or the next one: the reader walks forward.
        if (k + 1 == n || index < m_arChangeAt[k + 1])
            return k;
        if (k + 2 == n || index < m_arChangeAt[k + 2]) {
            m_hint.at.store(static_cast<uint32_t>(k + 1), std::memory_order_relaxed);
            return k + 1;
        }
    }
    k = static_cast<size_t>(std::upper_bound(m_arChangeAt.begin(), m_arChangeAt.end(), index) -
                            m_arChangeAt.begin()) -
        1;
    m_hint.at.store(static_cast<uint32_t>(k), std::memory_order_relaxed);
    return k;
}

void CSampleColumn::Fill(size_t count) {
    if (count <= m_nSize)
        return;
    // Mostly a gap of a sample or two, between two changes of a lively field.
    auto repeat = [count](auto& values) { values.append(count - values.size(), values.back()); };
    switch (m_width) {
    case EWidth::kConstant:
    case EWidth::kChanges:
        return; // both give the samples past the stored ones the last value
    case EWidth::kByte:
        repeat(m_arCodes8);
        break;
    case EWidth::kWord:
    case EWidth::kScaled:
        repeat(m_arCodes16);
        break;
    case EWidth::kRaw:
        repeat(m_arRaw);
        break;
    case EWidth::kSingle:
        repeat(m_arCodes32);
        break;
    }
    m_nSize = count;
}

// A value that needs a finer scale than the column's first ones (a quarter degree after whole
// degrees): every code so far times the ratio of the divisors gives the same values, since a
// division is rounded from the exact quotient, which does not change.
bool CSampleColumn::Rescale(uint64_t bits) {
    if (m_nFieldBytes != 8)
        return false;
    int low = 0, high = 0;
    for (uint16_t code : m_arCodes16) {
        low = std::min(low, static_cast<int>(static_cast<int16_t>(code)));
        high = std::max(high, static_cast<int>(static_cast<int16_t>(code)));
    }
    const double divisor = m_dDivisor;
    for (double finer : kDivisors) {
        const double ratio = finer / divisor;
        if (ratio <= 1.0 || ratio != std::floor(ratio) || high * ratio > INT16_MAX ||
            low * ratio < INT16_MIN)
            continue;
        m_dDivisor = finer;
        int code = 0;
        if (!Encode(bits, code))
            continue;
        const int factor = static_cast<int>(ratio);
        for (uint16_t& c : m_arCodes16)
            c = static_cast<uint16_t>(static_cast<int16_t>(c) * factor);
        m_arCodes16.push_back(static_cast<uint16_t>(code));
        ++m_nSize;
        return true;
    }
    m_dDivisor = divisor;
    return false;
}

void CSampleColumn::AppendSlow(size_t index, uint64_t bits) {
    if (m_width == EWidth::kScaled) {
        if (Rescale(bits))
            return;
        LeaveScaled();
    }
    if (m_width == EWidth::kSingle)
        Rebuild(m_bScaledFailed, true);
    if (m_width == EWidth::kConstant) {
        if (!m_bEverySample) {
            m_width = EWidth::kChanges;
            m_arChangeAt = {0, static_cast<uint32_t>(index)};
            m_arChangeBits = {m_nFirst, bits};
            m_nSize = index + 1;
            return;
        }
        m_nSize = index;
        if (StartScaled(bits))
            return;
        uint32_t first = 0, next = 0;
        if (!m_bSingleFailed && EncodeSingle(m_nFirst, first) && EncodeSingle(bits, next)) {
            m_width = EWidth::kSingle;
            m_arCodes32.assign(m_nSize, first);
            m_arCodes32.push_back(next);
            ++m_nSize;
            return;
        }
        Widen(EWidth::kByte);
    }
    if (m_width != EWidth::kRaw) {
        const long long code = CodeOf(bits);
        if (code >= 0) {
            if (m_width == EWidth::kByte)
                m_arCodes8.push_back(static_cast<uint8_t>(code));
            else
                m_arCodes16.push_back(static_cast<uint16_t>(code));
            ++m_nSize;
            return;
        }
    }
    m_arRaw.push_back(bits);
    ++m_nSize;
}

// A lively field is told its values in one tight loop per width, a repeat storing the code
// before it as Fill would have; a value the width cannot hold, and a column of any other width,
// go through Append, which changes the width as it must.
void CSampleColumn::AppendRun(size_t start, const uint64_t* bits, size_t n) {
    if (m_nSize == 0) {
        for (size_t k = 0; k < n; ++k)
            Append(start + k, bits[k]);
        return;
    }
    // Repeats after the last change stay untold, as Append leaves them.
    size_t end = n;
    while (end > 0 && bits[end - 1] == (end > 1 ? bits[end - 2] : m_nTail))
        --end;
    size_t k = 0;
    // Stores the values from k on with `code(bits, code&)` giving a new value's code, until one
    // has none; returns with k there. A `cheap` code is worked out for every value, repeats
    // included: a lively field changes at no pattern a branch predictor can follow, and a
    // mispredicted branch on each change cost more than the code.
    auto run = [&](auto& codes, auto code, auto cheap) {
        if (start + k > m_nSize)
            Fill(start + k);
        auto lastCode = codes.back();
        uint64_t lastBits = m_nTail;
        auto* out = codes.room(end - k);
        const size_t first = k;
        for (; k < end; ++k) {
            const uint64_t b = bits[k];
            if (cheap || b != lastBits) {
                if (!code(b, lastCode))
                    break;
                lastBits = b;
            }
            out[k - first] = lastCode;
        }
        codes.commit(k - first);
        m_nSize = start + k;
        m_nTail = lastBits;
    };
    while (k < end) {
        switch (m_width) {
        case EWidth::kScaled:
            run(
                m_arCodes16,
                [this](uint64_t b, uint16_t& code) {
                    int c = 0;
                    if (!Encode(b, c))
                        return false;
                    code = static_cast<uint16_t>(c);
                    return true;
                },
                std::true_type());
            break;
        case EWidth::kRaw:
            run(
                m_arRaw,
                [](uint64_t b, uint64_t& code) {
                    code = b;
                    return true;
                },
                std::true_type());
            break;
        case EWidth::kSingle:
            run(
                m_arCodes32, [this](uint64_t b, uint32_t& code) { return EncodeSingle(b, code); },
                std::true_type());
            break;
        case EWidth::kByte:
        case EWidth::kWord: {
            if (m_arSlots.empty())
                break; // compacted: Append builds the look-up again
            auto known = [this](uint64_t b, auto& code) {
                const long long found = Find(b);
                if (found < 0)
                    return false;
                code = static_cast<std::remove_reference_t<decltype(code)>>(found);
                m_nLastBits = b;
                m_nLastCode = static_cast<uint32_t>(found);
                return true;
            };
            if (m_width == EWidth::kByte)
                run(m_arCodes8, known, std::false_type());
            else
                run(m_arCodes16, known, std::false_type());
            break;
        }
        case EWidth::kChanges:
            // A column of changes takes each change as Append does, until it changes so often
            // that it keeps every sample instead.
            for (; k < end; ++k) {
                if (bits[k] != m_nTail && !AddChange(start + k, bits[k])) {
                    ++k;
                    break;
                }
            }
            continue;
        case EWidth::kConstant:
            break;
        }
        if (k < end) {
            Append(start + k, bits[k]);
            ++k;
        }
    }
}

void CSampleColumn::Set(size_t index, uint64_t bits, size_t size) {
    if (index >= size)
        return;
    if (m_width == EWidth::kChanges)
        KeepEverySample();
    Fill(size);
    SetStored(index, bits, size);
    m_nTail = Get(m_nSize - 1);
}

void CSampleColumn::SetStored(size_t index, uint64_t bits, size_t size) {
    if (m_width == EWidth::kScaled) {
        int code = 0;
        if (Encode(bits, code)) {
            m_arCodes16[index] = static_cast<uint16_t>(code);
            return;
        }
        LeaveScaled();
    }
    if (m_width == EWidth::kSingle) {
        uint32_t single = 0;
        if (EncodeSingle(bits, single)) {
            m_arCodes32[index] = single;
            return;
        }
        Rebuild(m_bScaledFailed, true);
    }
    if (m_width == EWidth::kConstant) {
        if (bits == m_nFirst)
            return;
        m_nSize = size;
        Widen(EWidth::kByte);
    }
    if (m_width != EWidth::kRaw) {
        const long long code = CodeOf(bits);
        if (code >= 0) {
            PutCode(index, static_cast<uint32_t>(code));
            return;
        }
    }
    m_arRaw[index] = bits;
}

long long CSampleColumn::CodeOf(uint64_t bits) {
    if (m_arSlots.empty())
        for (uint32_t code = 0; code < m_arValues.size(); ++code)
            Insert(m_arValues[code], code);
    if (bits == m_nLastBits && m_nLastCode < m_arValues.size() && m_arValues[m_nLastCode] == bits)
        return m_nLastCode;
    if (const long long found = Find(bits); found >= 0) {
        m_nLastBits = bits;
        m_nLastCode = static_cast<uint32_t>(found);
        return found;
    }
    const size_t count = m_arValues.size() + 1;
    if (count > kMaxWordCodes || (count > kTableWorthChecking && 2 * count > m_nSize + 1)) {
        Widen(EWidth::kRaw);
        return -1;
    }
    if (m_width == EWidth::kByte && count > kMaxByteCodes) {
        // Mostly new values (times, counters) will not repeat later either: raw is cheaper
        // than a table as long as the column, and than looking each value up.
        if (2 * count > m_nSize + 1) {
            Widen(EWidth::kRaw);
            return -1;
        }
        Widen(EWidth::kWord);
    }
    const auto code = static_cast<uint32_t>(m_arValues.size());
    m_arValues.push_back(bits);
    Insert(bits, code);
    m_nLastBits = bits;
    m_nLastCode = code;
    return code;
}

void CSampleColumn::Insert(uint64_t bits, uint32_t code) {
    // Kept at most half full, so a probe ends soon at an empty slot.
    if (2 * (m_arValues.size() + 1) > m_arSlots.size()) {
        std::vector<CSlot> old = std::move(m_arSlots);
        m_arSlots.assign(std::max<size_t>(16, 2 * old.size()), CSlot{0, 0});
        for (const CSlot& slot : old)
            if (slot.codePlusOne != 0)
                Insert(slot.bits, slot.codePlusOne - 1);
    }
    const size_t mask = m_arSlots.size() - 1;
    size_t i = Hash(bits, mask);
    while (m_arSlots[i].codePlusOne != 0)
        i = (i + 1) & mask;
    m_arSlots[i] = CSlot{bits, code + 1};
}

void CSampleColumn::Widen(EWidth to) {
    if (to == EWidth::kRaw) {
        CPodVector<uint64_t> raw(m_nSize);
        for (size_t i = 0; i < m_nSize; ++i)
            raw[i] = Get(i);
        m_arRaw = std::move(raw);
        m_arValues = decltype(m_arValues)();
        m_arSlots = decltype(m_arSlots)();
        m_arCodes8 = decltype(m_arCodes8)();
        m_arCodes16 = decltype(m_arCodes16)();
    } else if (to == EWidth::kByte) {
        // Only from a constant column: every sample so far holds code 0.
        m_arValues = {m_nFirst};
        m_arSlots = decltype(m_arSlots)();
        Insert(m_nFirst, 0);
        m_nLastBits = m_nFirst;
        m_nLastCode = 0;
        m_arCodes8.assign(m_nSize, 0);
    } else if (to == EWidth::kWord) {
        m_arCodes16.assign(m_arCodes8.begin(), m_arCodes8.end());
        m_arCodes8 = decltype(m_arCodes8)();
    }
    m_width = to;
}

void CSampleColumn::PutCode(size_t index, uint32_t code) {
    if (m_width == EWidth::kByte)
        m_arCodes8[index] = static_cast<uint8_t>(code);
    else
        m_arCodes16[index] = static_cast<uint16_t>(code);
}

void CSampleColumn::Compact() {
    m_arSlots = decltype(m_arSlots)();
    m_arChangeAt.shrink_to_fit();
    m_arChangeBits.shrink_to_fit();
    m_arValues.shrink_to_fit();
    m_arCodes8.shrink_to_fit();
    m_arCodes16.shrink_to_fit();
    m_arRaw.shrink_to_fit();
    m_arCodes32.shrink_to_fit();
}

size_t CSampleColumn::Bytes() const {
    return m_arValues.capacity() * sizeof(uint64_t) + m_arSlots.capacity() * sizeof(CSlot) +
           m_arCodes8.capacity() + m_arCodes16.capacity() * sizeof(uint16_t) +
           m_arRaw.capacity() * sizeof(uint64_t) + m_arChangeAt.capacity() * sizeof(uint32_t) +
           m_arChangeBits.capacity() * sizeof(uint64_t) + m_arCodes32.capacity() * sizeof(uint32_t);
}
