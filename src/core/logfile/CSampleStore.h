#pragma once
// The samples of a log, kept field by field: every field of CDiveLogSample is a column in the
// narrowest form its values allow (see CSampleColumn), so a day at one sample a second fits in a
// few megabytes instead of a few hundred. A sample is built from the columns when it is read;
// the last one appended stays a whole object that can still be written, because the loader
// goes on decoding record lines into the newest sample until it makes the next. The newest
// samples wait as whole objects and go into the columns a batch at a time, column by column:
// telling a column a run of values costs far less than telling every column each sample.
//
// Reading keeps the shape of a list of sample pointers: `store[i]->m_dTime`, `*store[i]`, and
// `for (const auto& s : store)` giving a pointer per sample.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "logfile/CDiveLogSample.h"
#include "logfile/CSampleColumn.h"

// One sample built from the store, read like a pointer to it.
class CSampleRef {
public:
    explicit CSampleRef(CDiveLogSample sample) : m_sample(std::move(sample)) {}
    const CDiveLogSample* operator->() const { return &m_sample; }
    const CDiveLogSample& operator*() const& { return m_sample; }
    // A temporary gives its sample away, so `const CDiveLogSample& s = *store[i];` keeps it.
    CDiveLogSample operator*() && { return std::move(m_sample); }

private:
    CDiveLogSample m_sample;
};

class CSampleStore {
public:
    CSampleStore();

    size_t size() const { return m_nSealed + m_nPending; }
    bool empty() const { return size() == 0; }
    void clear();
    // Puts every sample but the newest into the columns and frees what only appending needs;
    // the loader calls it when the log is complete. A sample returned by push_back moves.
    void shrink_to_fit();
    void reserve(size_t) {}

    // Appends a copy; the returned sample is the store's newest and may be written until the
    // next append (or clear).
    CDiveLogSample& push_back(const CDiveLogSample& sample);
    CDiveLogSample& push_back(const std::unique_ptr<CDiveLogSample>& sample) {
        return push_back(*sample);
    }
    // Replaces sample `index`.
    void Set(size_t index, const CDiveLogSample& sample);

    CSampleRef operator[](size_t index) const { return CSampleRef(Get(index)); }
    // The newest sample as it is kept whole (open, or the last one sealed), without building
    // it from the columns: the loader reads it once per new sample. Not for an empty store.
    const CDiveLogSample& Newest() const { return m_arPending[m_nPending]; }
    CSampleRef front() const { return (*this)[0]; }
    CSampleRef back() const { return (*this)[size() - 1]; }
    CDiveLogSample Get(size_t index) const;
    void Get(size_t index, CDiveLogSample& out) const;
    // The one field every search reads, without building the sample.
    double Time(size_t index) const;
    // Status byte `k` (0-9) of sample `index`, also without building the sample.
    unsigned char Status(size_t index, size_t k) const;

    // The first sample in [first, end) whose time is not below `t` (end when none): times only
    // grow along the samples, so this halves.
    size_t FirstNotBefore(double t, size_t first, size_t end) const;
    // The first sample in [first, end) whose time lies after `t`.
    size_t FirstAfter(double t, size_t first, size_t end) const;

    // Whether storing may compare samples with the processor's 32-byte instructions, where it
    // has them (the default). Both ways must find the same changes; tests run each.
    static void AllowWideCompare(bool allowed);

    // Changes with every change of the contents: caches keyed on it notice a new load or edit.
    uint64_t Revision() const { return m_nRevision; }
    // Heap bytes of the stored samples (columns, value tables, the open sample).
    size_t Bytes() const;

    // Samples [first, end) in order: `f(index, sample)` with one sample object updated field by
    // field, which is far cheaper than building each sample afresh.
    void ForEach(size_t first, size_t end,
                 const std::function<void(size_t, const CDiveLogSample&)>& f) const;

    // The same walk keeping only some fields up to date: those whose bytes overlap one of
    // `fields`, given as places inside a sample object `probe` (for example
    // `{&probe.m_dTime, sizeof probe.m_dTime}`). The others keep the values of sample `first`.
    // A walk that reads a handful of fields skips the work of the rest.
    struct CFieldRange {
        const void* at;
        size_t bytes;
    };
    static std::vector<uint32_t> ColumnsOf(const CDiveLogSample& probe,
                                           std::initializer_list<CFieldRange> fields);
    void ForEach(size_t first, size_t end, const std::vector<uint32_t>& columns,
                 const std::function<void(size_t, const CDiveLogSample&)>& f) const;

    // The column of one field no wider than 8 bytes (a place inside `probe`, as for ColumnsOf).
    static uint32_t ColumnOf(const CDiveLogSample& probe, const void* field);
    // The bit patterns of column `column` for samples first ... first + n - 1 (all stored): a
    // pass that reads a few fields of every sample takes them a stretch at a time from the
    // columns, which costs far less than walking a sample object along.
    void Values(uint32_t column, size_t first, size_t n, uint64_t* out) const;
    // Read the bits a column gives as the type of the field it holds.
    static double AsDouble(uint64_t bits) { return std::bit_cast<double>(bits); }
    static int AsInt(uint64_t bits) { return static_cast<int32_t>(static_cast<uint32_t>(bits)); }

    // A value per sample worked out once and kept until the contents change; `key` names what
    // `value` computes (the chart keys its traces by code).
    const std::vector<double>&
    Derived(long long key, const std::function<double(const CDiveLogSample&)>& value) const;

    // A sample walked along the store: the columns with a value per sample, and those that keep
    // their changes with the next change of each to come.
    struct CSweep {
        CDiveLogSample sample;
        std::vector<uint32_t> every;
        std::vector<uint32_t> changing;
        std::vector<uint32_t> next;
        size_t nextChange = SIZE_MAX; // the first sample at which one of `changing` changes
    };

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = const CDiveLogSample*;
        using difference_type = std::ptrdiff_t;
        using pointer = const CDiveLogSample* const*;
        using reference = const CDiveLogSample* const&;

        const_iterator() = default;
        const_iterator(const CSampleStore* store, size_t index);
        reference operator*() const { return m_pSample; }
        const_iterator& operator++();
        bool operator==(const const_iterator& o) const { return m_nIndex == o.m_nIndex; }
        bool operator!=(const const_iterator& o) const { return m_nIndex != o.m_nIndex; }

    private:
        const CSampleStore* m_pStore = nullptr;
        size_t m_nIndex = 0;
        std::shared_ptr<CSweep> m_pBuffer;
        const CDiveLogSample* m_pSample = nullptr;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(nullptr, size()); }

private:
    // Samples waiting whole before they go into the columns, the newest included.
    static constexpr size_t kBatch = 32;
    // Puts the oldest `count` waiting samples into the columns.
    void Seal(size_t count);
    const CDiveLogSample& Waiting(size_t index) const { return m_arPending[index - m_nSealed + 1]; }
    // Begin sets `sweep` on sample `index`; Step moves it on to sample `index`, which must be the
    // one after the sample it holds, writing only the fields that differ.
    // `only`, when given, lists the columns to follow (in increasing order).
    void Begin(size_t index, CSweep& sweep, const std::vector<uint32_t>* only = nullptr) const;
    void Step(size_t index, CSweep& sweep) const;
    void Walk(size_t first, size_t end, const std::vector<uint32_t>* only,
              const std::function<void(size_t, const CDiveLogSample&)>& f) const;
    void Touch();

    std::vector<CSampleColumn> m_arColumns;
    size_t m_nSealed = 0;  // samples in the columns
    size_t m_nPending = 0; // samples waiting after them, the newest last
    // [0] the newest sample in the columns (what the first waiting one is compared with), then
    // the waiting samples in order; always kBatch + 1 long, so that the newest sample stays
    // where it is until the next append.
    std::vector<CDiveLogSample> m_arPending;
    uint64_t m_nRevision = 0;
    mutable uint64_t m_nDerivedRevision = 0;
    mutable std::map<long long, std::vector<double>> m_mapDerived;
};
