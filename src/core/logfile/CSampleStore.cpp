#include "logfile/CSampleStore.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <type_traits>

#include "logfile/SampleFields.h"

namespace {

// Where one field lives inside a sample object and how wide it is.
struct CFieldSlot {
    uint32_t offset;
    uint32_t size;
};

// Every field of a sample, in declaration order, arrays element by element.
template <class F> void VisitFields(CDiveLogSample& s, F&& f) {
    ForEachSampleField(s, [&](const char*, auto& field) {
        if constexpr (std::is_array_v<std::remove_reference_t<decltype(field)>>) {
            for (auto& element : field)
                f(element);
        } else {
            f(field);
        }
    });
}

struct CLayout {
    std::vector<CFieldSlot> slots;
    size_t timeColumn = 0;
    size_t statusColumn = 0; // m_byStatus[0]; the other nine follow it
    // The columns whose field lies in 8-byte word w of a sample object are
    // [wordStart[w], wordStart[w + 1]): fields are in declaration order, so they follow on.
    std::vector<uint32_t> wordStart;
};

const CLayout& Layout() {
    static const CLayout layout = [] {
        CLayout l;
        CDiveLogSample probe;
        const auto* base = reinterpret_cast<const char*>(&probe);
        VisitFields(probe, [&](auto& field) {
            static_assert(sizeof(field) == 8 || sizeof(field) == 4 || sizeof(field) == 1);
            const auto offset = reinterpret_cast<const char*>(&field) - base;
            if (&field == reinterpret_cast<const void*>(&probe.m_dTime))
                l.timeColumn = l.slots.size();
            if (&field == reinterpret_cast<const void*>(&probe.m_byStatus[0]))
                l.statusColumn = l.slots.size();
            l.slots.push_back(
                {static_cast<uint32_t>(offset), static_cast<uint32_t>(sizeof(field))});
        });
        const size_t words = (sizeof(CDiveLogSample) + 7) / 8;
        l.wordStart.assign(words + 1, static_cast<uint32_t>(l.slots.size()));
        for (size_t c = l.slots.size(); c-- > 0;) {
            const size_t w = l.slots[c].offset / 8;
            // Offsets must grow with the columns for the ranges to hold.
            if (c + 1 < l.slots.size() && l.slots[c + 1].offset <= l.slots[c].offset)
                std::abort();
            for (size_t v = 0; v <= w; ++v)
                l.wordStart[v] = std::min<uint32_t>(l.wordStart[v], static_cast<uint32_t>(c));
        }
        return l;
    }();
    return layout;
}

// Fixed-size copies, so each compiles to one load or store.
uint64_t Read(const CDiveLogSample& s, const CFieldSlot& slot) {
    const char* p = reinterpret_cast<const char*>(&s) + slot.offset;
    switch (slot.size) {
    case 8: {
        uint64_t v;
        std::memcpy(&v, p, 8);
        return v;
    }
    case 4: {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default:
        return static_cast<unsigned char>(*p);
    }
}

void Write(CDiveLogSample& s, const CFieldSlot& slot, uint64_t bits) {
    char* p = reinterpret_cast<char*>(&s) + slot.offset;
    switch (slot.size) {
    case 8:
        std::memcpy(p, &bits, 8);
        break;
    case 4: {
        const auto v = static_cast<uint32_t>(bits);
        std::memcpy(p, &v, 4);
        break;
    }
    default:
        *p = static_cast<char>(bits);
        break;
    }
}

uint64_t NextRevision() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}

} // namespace

static_assert(std::endian::native == std::endian::little,
              "fields are stored as the low bytes of a 64-bit value");

CSampleStore::CSampleStore() : m_nRevision(NextRevision()) {
    for (const CFieldSlot& slot : Layout().slots)
        m_arColumns.emplace_back(static_cast<uint8_t>(slot.size));
}

void CSampleStore::Touch() {
    m_nRevision = NextRevision();
}

void CSampleStore::clear() {
    for (CSampleColumn& column : m_arColumns)
        column.Clear();
    m_nSealed = 0;
    m_bOpen = false;
    m_pair[0] = m_pair[1] = CDiveLogSample();
    m_mapDerived.clear();
    Touch();
}

// A sample differs from the one before in a few fields: the columns that vary take every
// sample, and of the constant ones only those whose bytes changed are looked at, found by
// comparing the two sample objects a word at a time.
void CSampleStore::shrink_to_fit() {
    for (CSampleColumn& column : m_arColumns)
        column.Compact();
}

void CSampleStore::Seal() {
    if (!m_bOpen)
        return;
    const CLayout& layout = Layout();
    const size_t index = m_nSealed;
    if (index == 0) {
        for (size_t c = 0; c < layout.slots.size(); ++c)
            m_arColumns[c].Append(0, Read(Open(), layout.slots[c]));
    } else {
        // Only the columns of the words that changed are told: the others repeat by themselves.
        // A sample differs from the one before in a few words, so whole blocks are compared at
        // once and only a block that differs is looked at word by word.
        constexpr size_t kWords = sizeof(CDiveLogSample) / 8;
        const auto* now = reinterpret_cast<const unsigned char*>(&Open());
        const auto* before = reinterpret_cast<const unsigned char*>(&Last());
        const uint32_t* wordStart = layout.wordStart.data();
        auto changed = [&](size_t w) {
            for (uint32_t c = wordStart[w]; c < wordStart[w + 1]; ++c)
                m_arColumns[c].Append(index, Read(Open(), layout.slots[c]));
        };
        size_t w0 = 0;
#if defined(__SSE2__)
        constexpr size_t kBlock = 8; // words compared at once
        auto same = [&](size_t w) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(now + 8 * w));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(before + 8 * w));
            return _mm_cmpeq_epi8(a, b);
        };
        for (; w0 + kBlock <= kWords; w0 += kBlock) {
            const __m128i s0 = same(w0), s1 = same(w0 + 2), s2 = same(w0 + 4), s3 = same(w0 + 6);
            const __m128i all = _mm_and_si128(_mm_and_si128(s0, s1), _mm_and_si128(s2, s3));
            if (_mm_movemask_epi8(all) == 0xFFFF)
                continue;
            // A bit for every byte that differs, then a word at a time from the lowest.
            auto bits = [](__m128i m) {
                return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m)));
            };
            uint64_t differ = ~(bits(s0) | bits(s1) << 16 | bits(s2) << 32 | bits(s3) << 48);
            while (differ != 0) {
                const auto word = static_cast<size_t>(std::countr_zero(differ)) / 8;
                changed(w0 + word);
                differ &= ~(uint64_t{0xFF} << (8 * word));
            }
        }
#endif
        for (; w0 < kWords; ++w0) {
            if (std::memcmp(now + 8 * w0, before + 8 * w0, 8) != 0)
                changed(w0);
        }
    }
    // The sealed sample becomes the one to compare the next with; no copy needed.
    m_nOpenSlot = 1 - m_nOpenSlot;
    ++m_nSealed;
    m_bOpen = false;
}

CDiveLogSample& CSampleStore::push_back(const CDiveLogSample& sample) {
    Seal();
    Open() = sample;
    m_bOpen = true;
    Touch();
    return Open();
}

void CSampleStore::Set(size_t index, const CDiveLogSample& sample) {
    if (index >= size())
        return;
    Touch();
    if (m_bOpen && index == m_nSealed) {
        Open() = sample;
        return;
    }
    const auto& slots = Layout().slots;
    for (size_t c = 0; c < slots.size(); ++c)
        m_arColumns[c].Set(index, Read(sample, slots[c]), m_nSealed);
    if (index + 1 == m_nSealed)
        Last() = sample;
}

void CSampleStore::Get(size_t index, CDiveLogSample& out) const {
    if (m_bOpen && index == m_nSealed) {
        out = Open();
        return;
    }
    const auto& slots = Layout().slots;
    for (size_t c = 0; c < slots.size(); ++c)
        Write(out, slots[c], m_arColumns[c].Get(index));
}

CDiveLogSample CSampleStore::Get(size_t index) const {
    CDiveLogSample sample;
    Get(index, sample);
    return sample;
}

double CSampleStore::Time(size_t index) const {
    if (m_bOpen && index == m_nSealed)
        return Open().m_dTime;
    return std::bit_cast<double>(m_arColumns[Layout().timeColumn].Get(index));
}

size_t CSampleStore::FirstNotBefore(double t, size_t first, size_t end) const {
    end = std::min(end, size());
    while (first < end) {
        const size_t mid = first + (end - first) / 2;
        if (Time(mid) < t)
            first = mid + 1;
        else
            end = mid;
    }
    return first;
}

size_t CSampleStore::FirstAfter(double t, size_t first, size_t end) const {
    end = std::min(end, size());
    while (first < end) {
        const size_t mid = first + (end - first) / 2;
        if (Time(mid) <= t)
            first = mid + 1;
        else
            end = mid;
    }
    return first;
}

unsigned char CSampleStore::Status(size_t index, size_t k) const {
    if (k >= std::size(CDiveLogSample().m_byStatus))
        return 0;
    if (m_bOpen && index == m_nSealed)
        return Open().m_byStatus[k];
    return static_cast<unsigned char>(m_arColumns[Layout().statusColumn + k].Get(index));
}

void CSampleStore::Begin(size_t index, CSweep& sweep, const std::vector<uint32_t>* only) const {
    Get(index, sweep.sample);
    sweep.every.clear();
    sweep.changing.clear();
    sweep.next.clear();
    sweep.nextChange = SIZE_MAX;
    const size_t count = only ? only->size() : m_arColumns.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t c = only ? (*only)[k] : k;
        if (c >= m_arColumns.size())
            continue;
        const CSampleColumn& column = m_arColumns[c];
        if (column.Width() == CSampleColumn::EWidth::kConstant)
            continue;
        if (column.Width() != CSampleColumn::EWidth::kChanges) {
            sweep.every.push_back(static_cast<uint32_t>(c));
            continue;
        }
        const size_t next = index < m_nSealed ? column.ChangeAt(std::min(index, m_nSealed - 1)) + 1
                                              : column.Changes();
        sweep.changing.push_back(static_cast<uint32_t>(c));
        sweep.next.push_back(static_cast<uint32_t>(next));
        if (next < column.Changes())
            sweep.nextChange = std::min(sweep.nextChange, column.ChangeStart(next));
    }
}

void CSampleStore::Step(size_t index, CSweep& sweep) const {
    const auto& slots = Layout().slots;
    CDiveLogSample& out = sweep.sample;
    for (uint32_t c : sweep.every) {
        const CSampleColumn& column = m_arColumns[c];
        if (!column.SameAsBefore(index))
            Write(out, slots[c], column.Get(index));
    }
    if (index != sweep.nextChange)
        return;
    // Some seldom-changing field changes here: look through them for the next change after.
    sweep.nextChange = SIZE_MAX;
    for (size_t j = 0; j < sweep.changing.size(); ++j) {
        const uint32_t c = sweep.changing[j];
        const CSampleColumn& column = m_arColumns[c];
        uint32_t& next = sweep.next[j];
        if (next < column.Changes() && column.ChangeStart(next) == index)
            Write(out, slots[c], column.ChangeBits(next++));
        if (next < column.Changes())
            sweep.nextChange = std::min(sweep.nextChange, column.ChangeStart(next));
    }
}

void CSampleStore::ForEach(size_t first, size_t end,
                           const std::function<void(size_t, const CDiveLogSample&)>& f) const {
    Walk(first, end, nullptr, f);
}

std::vector<uint32_t> CSampleStore::ColumnsOf(const CDiveLogSample& probe,
                                              std::initializer_list<CFieldRange> fields) {
    const auto& slots = Layout().slots;
    const auto* base = reinterpret_cast<const char*>(&probe);
    std::vector<uint32_t> columns;
    for (size_t c = 0; c < slots.size(); ++c) {
        for (const CFieldRange& field : fields) {
            const auto from = static_cast<const char*>(field.at) - base;
            const auto to = from + static_cast<std::ptrdiff_t>(field.bytes);
            const auto at = static_cast<std::ptrdiff_t>(slots[c].offset);
            if (at < to && at + static_cast<std::ptrdiff_t>(slots[c].size) > from) {
                columns.push_back(static_cast<uint32_t>(c));
                break;
            }
        }
    }
    return columns;
}

void CSampleStore::ForEach(size_t first, size_t end, const std::vector<uint32_t>& columns,
                           const std::function<void(size_t, const CDiveLogSample&)>& f) const {
    Walk(first, end, &columns, f);
}

void CSampleStore::Walk(size_t first, size_t end, const std::vector<uint32_t>* only,
                        const std::function<void(size_t, const CDiveLogSample&)>& f) const {
    end = std::min(end, size());
    size_t i = first;
    if (i < end && i < m_nSealed) {
        CSweep sweep;
        Begin(i, sweep, only);
        f(i, sweep.sample);
        for (++i; i < end && i < m_nSealed; ++i) {
            Step(i, sweep);
            f(i, sweep.sample);
        }
    }
    if (i < end && m_bOpen && i == m_nSealed)
        f(i, Open());
}

const std::vector<double>&
CSampleStore::Derived(long long key,
                      const std::function<double(const CDiveLogSample&)>& value) const {
    if (m_nDerivedRevision != m_nRevision) {
        m_mapDerived.clear();
        m_nDerivedRevision = m_nRevision;
    }
    // Not a structured binding: Clang 14 cannot capture one in the lambda below.
    const auto emplaced = m_mapDerived.try_emplace(key);
    std::vector<double>& values = emplaced.first->second;
    if (emplaced.second) {
        values.resize(size());
        ForEach(0, size(), [&](size_t i, const CDiveLogSample& s) { values[i] = value(s); });
    }
    return values;
}

size_t CSampleStore::Bytes() const {
    size_t bytes = m_arColumns.capacity() * sizeof(CSampleColumn) + sizeof(m_pair);
    for (const CSampleColumn& column : m_arColumns)
        bytes += column.Bytes();
    return bytes;
}

// ---- Iteration ----------------------------------------------------------------------------------

CSampleStore::const_iterator::const_iterator(const CSampleStore* store, size_t index)
    : m_pStore(store), m_nIndex(index) {
    if (!store || index >= store->size())
        return;
    if (store->m_bOpen && index == store->m_nSealed) {
        m_pSample = &store->Open();
        return;
    }
    m_pBuffer = std::make_shared<CSweep>();
    store->Begin(index, *m_pBuffer);
    m_pSample = &m_pBuffer->sample;
}

CSampleStore::const_iterator& CSampleStore::const_iterator::operator++() {
    ++m_nIndex;
    if (!m_pStore || m_nIndex >= m_pStore->size()) {
        m_pSample = nullptr;
    } else if (m_pStore->m_bOpen && m_nIndex == m_pStore->m_nSealed) {
        m_pSample = &m_pStore->Open();
    } else {
        m_pStore->Step(m_nIndex, *m_pBuffer);
        m_pSample = &m_pBuffer->sample;
    }
    return *this;
}
