#include "logfile/CSampleStore.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZELVOR_STORE_AVX2 1
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
        // A field must lie inside one 64-byte stretch of the object for Marked to see it whole,
        // which alignment to its own size gives.
        for (const CFieldSlot& slot : l.slots)
            if (slot.offset % slot.size != 0)
                std::abort();
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

// Each store starts its revisions at a number of its own, so that two stores never share one;
// within a store an edit only counts on. An atomic add for every sample appended cost more than
// a percent of a load.
uint64_t FirstRevision() {
    static std::atomic<uint64_t> counter{0};
    return ++counter << 32;
}

} // namespace

static_assert(std::endian::native == std::endian::little,
              "fields are stored as the low bytes of a 64-bit value");

CSampleStore::CSampleStore() : m_arPending(kBatch + 1), m_nRevision(FirstRevision()) {
    for (const CFieldSlot& slot : Layout().slots)
        m_arColumns.emplace_back(static_cast<uint8_t>(slot.size));
}

void CSampleStore::Touch() {
    ++m_nRevision;
}

void CSampleStore::clear() {
    for (CSampleColumn& column : m_arColumns)
        column.Clear();
    m_nSealed = 0;
    m_nPending = 0;
    std::fill(m_arPending.begin(), m_arPending.end(), CDiveLogSample());
    m_mapDerived.clear();
    Touch();
}

// All but the newest sample go into the columns: the newest may still be written.
void CSampleStore::shrink_to_fit() {
    if (m_nPending > 1)
        Seal(m_nPending - 1);
    for (CSampleColumn& column : m_arColumns)
        column.Compact();
}

namespace {

constexpr size_t kSampleBytes = sizeof(CDiveLogSample);
constexpr size_t kMaskWords = (kSampleBytes + 63) / 64;

// A byte changes somewhere in samples[from ... to] (each compared with the one before it) just
// when one of them differs in it from samples[from - 1]. So each stretch of the sample is taken
// through the whole batch, its differences gathered in a register, and marked once: the bit of
// byte b is bit b % 64 of changed[b / 64]. Nearly all of a sample's bytes stay put for a day.
// This marks the bytes from `at` on, sixteen at a time.
void MarkChangedFrom(const CDiveLogSample* samples, size_t from, size_t to, size_t at,
                     uint64_t (&changed)[kMaskWords]) {
    const auto* base = reinterpret_cast<const unsigned char*>(&samples[from - 1]);
#if defined(__SSE2__)
    for (; at + 16 <= kSampleBytes; at += 16) {
        const __m128i was = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at));
        __m128i differ = _mm_setzero_si128();
        for (size_t k = from; k <= to; ++k) {
            const auto* p = reinterpret_cast<const unsigned char*>(&samples[k]) + at;
            differ = _mm_or_si128(
                differ, _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), was));
        }
        const auto same =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(differ, _mm_setzero_si128())));
        changed[at / 64] |= static_cast<uint64_t>(~same & 0xFFFF) << (at % 64);
    }
#endif
    for (; at < kSampleBytes; ++at) {
        unsigned differ = 0;
        for (size_t k = from; k <= to; ++k)
            differ |= reinterpret_cast<const unsigned char*>(&samples[k])[at] ^ base[at];
        if (differ != 0)
            changed[at / 64] |= uint64_t{1} << (at % 64);
    }
}

#if ZELVOR_STORE_AVX2
// The same, 32 bytes at a time, for processors that have the instructions.
[[gnu::target("avx2")]] void MarkChangedInBatchAvx2(const CDiveLogSample* samples, size_t from,
                                                    size_t to, uint64_t (&changed)[kMaskWords]) {
    const auto* base = reinterpret_cast<const unsigned char*>(&samples[from - 1]);
    size_t at = 0;
    for (; at + 32 <= kSampleBytes; at += 32) {
        const __m256i was = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + at));
        __m256i differ = _mm256_setzero_si256();
        for (size_t k = from; k <= to; ++k) {
            const auto* p = reinterpret_cast<const unsigned char*>(&samples[k]) + at;
            differ = _mm256_or_si256(
                differ,
                _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), was));
        }
        const auto same = static_cast<uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(differ, _mm256_setzero_si256())));
        // 32-byte steps from 0 keep the 32 bits inside one word of the mask.
        changed[at / 64] |= static_cast<uint64_t>(~same) << (at % 64);
    }
    // The compiler leaves the upper halves of the registers in use on the jump to the plain
    // code below, and every SSE instruction the program ran after that (a dump's number
    // formatting, say) paid for it: a dump took twice as long.
    _mm256_zeroupper();
    MarkChangedFrom(samples, from, to, at, changed);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

std::atomic<bool> g_wideCompareAllowed{true};

void MarkChangedInBatch(const CDiveLogSample* samples, size_t from, size_t to,
                        uint64_t (&changed)[kMaskWords]) {
#if ZELVOR_STORE_AVX2
    if (HasAvx2() && g_wideCompareAllowed.load(std::memory_order_relaxed)) {
        MarkChangedInBatchAvx2(samples, from, to, changed);
        return;
    }
#endif
    MarkChangedFrom(samples, from, to, 0, changed);
}

// Whether any byte of the field at `slot` is marked.
bool Marked(const uint64_t (&changed)[kMaskWords], const CFieldSlot& slot) {
    // Fields are aligned to their size, so one never straddles two mask words.
    const uint64_t bytes = slot.size == 8 ? 0xFF : slot.size == 4 ? 0x0F : 0x01;
    return (changed[slot.offset / 64] >> (slot.offset % 64) & bytes) != 0;
}

// The field at `slot` of `n` samples in a row.
template <size_t Size>
void Gather(const CDiveLogSample* samples, const CFieldSlot& slot, size_t n, uint64_t* out) {
    for (size_t k = 0; k < n; ++k)
        out[k] = Read(samples[k], CFieldSlot{slot.offset, Size});
}

} // namespace

void CSampleStore::AllowWideCompare(bool allowed) {
    g_wideCompareAllowed.store(allowed, std::memory_order_relaxed);
}

// Only the columns whose bytes changed somewhere in the batch are told, each its run of values
// at once: the others repeat by themselves.
void CSampleStore::Seal(size_t count) {
    count = std::min(count, m_nPending);
    if (count == 0)
        return;
    const CLayout& layout = Layout();
    size_t from = 1; // the first waiting sample not yet in the columns
    if (m_nSealed == 0) {
        for (size_t c = 0; c < layout.slots.size(); ++c)
            m_arColumns[c].Append(0, Read(m_arPending[1], layout.slots[c]));
        from = 2;
    }
    if (from <= count) {
        uint64_t changed[kMaskWords] = {};
        MarkChangedInBatch(m_arPending.data(), from, count, changed);
        const size_t firstIndex = m_nSealed + from - 1;
        const size_t n = count - from + 1;
        uint64_t run[kBatch];
        for (size_t c = 0; c < layout.slots.size(); ++c) {
            const CFieldSlot& slot = layout.slots[c];
            if (!Marked(changed, slot))
                continue;
            if (slot.size == 8)
                Gather<8>(&m_arPending[from], slot, n, run);
            else if (slot.size == 4)
                Gather<4>(&m_arPending[from], slot, n, run);
            else
                Gather<1>(&m_arPending[from], slot, n, run);
            m_arColumns[c].AppendRun(firstIndex, run, n);
        }
    }
    m_nSealed += count;
    // The newest sealed sample becomes the one to compare with, and the rest move up.
    m_arPending[0] = m_arPending[count];
    for (size_t k = 1; k + count <= m_nPending; ++k)
        m_arPending[k] = m_arPending[k + count];
    m_nPending -= count;
}

CDiveLogSample& CSampleStore::push_back(const CDiveLogSample& sample) {
    if (m_nPending == kBatch)
        Seal(kBatch - 1);
    CDiveLogSample& added = m_arPending[++m_nPending];
    added = sample;
    Touch();
    return added;
}

void CSampleStore::Set(size_t index, const CDiveLogSample& sample) {
    if (index >= size())
        return;
    Touch();
    if (index >= m_nSealed) {
        m_arPending[index - m_nSealed + 1] = sample;
        return;
    }
    const auto& slots = Layout().slots;
    for (size_t c = 0; c < slots.size(); ++c)
        m_arColumns[c].Set(index, Read(sample, slots[c]), m_nSealed);
    if (index + 1 == m_nSealed)
        m_arPending[0] = sample;
}

void CSampleStore::Get(size_t index, CDiveLogSample& out) const {
    if (index >= m_nSealed) {
        out = Waiting(index);
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
    if (index >= m_nSealed)
        return Waiting(index).m_dTime;
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
    if (index >= m_nSealed)
        return Waiting(index).m_byStatus[k];
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

uint32_t CSampleStore::ColumnOf(const CDiveLogSample& probe, const void* field) {
    const auto& slots = Layout().slots;
    const auto at = static_cast<uint32_t>(static_cast<const char*>(field) -
                                          reinterpret_cast<const char*>(&probe));
    for (size_t c = 0; c < slots.size(); ++c)
        if (slots[c].offset == at)
            return static_cast<uint32_t>(c);
    std::abort(); // not the start of a field: a fault in the caller, not in any data
}

void CSampleStore::Values(uint32_t column, size_t first, size_t n, uint64_t* out) const {
    const size_t sealed = first < m_nSealed ? std::min(n, m_nSealed - first) : 0;
    if (sealed)
        m_arColumns[column].GetRange(first, sealed, out);
    const CFieldSlot& slot = Layout().slots[column];
    for (size_t i = sealed; i < n; ++i)
        out[i] = Read(Waiting(first + i), slot);
}

void CSampleStore::ForEach(size_t first, size_t end, const std::vector<uint32_t>& columns,
                           const std::function<void(size_t, const CDiveLogSample&)>& f) const {
    Walk(first, end, &columns, f);
}

void CSampleStore::Walk(size_t first, size_t end, const std::vector<uint32_t>* only,
                        const std::function<void(size_t, const CDiveLogSample&)>& f) const {
    end = std::min(end, size());
    if (first >= end)
        return;
    CSweep sweep;
    size_t i = first;
    if (i < m_nSealed) {
        Begin(i, sweep, only);
        f(i, sweep.sample);
        for (++i; i < end && i < m_nSealed; ++i) {
            Step(i, sweep);
            f(i, sweep.sample);
        }
    }
    // The waiting samples are whole already; a walk over chosen fields still keeps the others
    // as they were at `first`, as it promises.
    const auto& slots = Layout().slots;
    for (; i < end; ++i) {
        if (!only) {
            f(i, Waiting(i));
            continue;
        }
        if (i == first) {
            sweep.sample = Waiting(i);
        } else {
            for (uint32_t c : *only)
                if (c < slots.size())
                    Write(sweep.sample, slots[c], Read(Waiting(i), slots[c]));
        }
        f(i, sweep.sample);
    }
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
    size_t bytes = m_arColumns.capacity() * sizeof(CSampleColumn) +
                   m_arPending.capacity() * sizeof(CDiveLogSample);
    for (const CSampleColumn& column : m_arColumns)
        bytes += column.Bytes();
    return bytes;
}

// ---- Iteration ----------------------------------------------------------------------------------

CSampleStore::const_iterator::const_iterator(const CSampleStore* store, size_t index)
    : m_pStore(store), m_nIndex(index) {
    if (!store || index >= store->size())
        return;
    if (index >= store->m_nSealed) {
        m_pSample = &store->Waiting(index);
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
    } else if (m_nIndex >= m_pStore->m_nSealed) {
        m_pSample = &m_pStore->Waiting(m_nIndex);
    } else {
        m_pStore->Step(m_nIndex, *m_pBuffer);
        m_pSample = &m_pBuffer->sample;
    }
    return *this;
}
