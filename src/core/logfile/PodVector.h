#pragma once
// A vector of plain values that grows without copying. A day of samples grows each column to
// megabytes a doubling at a time: std::vector copies every element into a new block each time
// and faults in the new block's pages afresh. Here a small block grows by realloc, which extends
// it in place where the heap has room behind it, and a large one is mapped from the system and
// moved by its page tables. Large blocks stay out of the heap for memory's sake as well: grown
// there, each doubling left the block it outgrew behind as a hole the size of the column, and a
// day's load held a third more memory at its peak than its samples needed.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <type_traits>
#include <utility>

namespace podvector {
// Blocks of at least this many bytes are mapped (where the system can grow a mapping in place
// or move it by its page tables); smaller ones come from the heap.
constexpr size_t kMappedBytes = size_t(64) << 10;
// Whether a block of `bytes` is mapped rather than taken from the heap.
bool Maps(size_t bytes);
// A mapped block of at least `bytes` (its pages untouched until written); nullptr on failure.
void* Map(size_t bytes);
// The block `block` of `from` bytes resized to `to`, its contents kept up to the smaller size;
// nullptr on failure, the block then unchanged.
void* Remap(void* block, size_t from, size_t to);
void Unmap(void* block, size_t bytes);
} // namespace podvector

template <class T> class CPodVector {
    static_assert(std::is_trivially_copyable_v<T>, "values are moved by realloc and memcpy");

public:
    CPodVector() = default;
    explicit CPodVector(size_t count) { assign(count, T{}); }
    CPodVector(std::initializer_list<T> values) { assign(values.begin(), values.end()); }
    CPodVector(const CPodVector& other) { assign(other.begin(), other.end()); }
    CPodVector(CPodVector&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0)) {}
    CPodVector& operator=(const CPodVector& other) {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    CPodVector& operator=(CPodVector&& other) noexcept {
        if (this != &other) {
            Release();
            m_data = std::exchange(other.m_data, nullptr);
            m_size = std::exchange(other.m_size, 0);
            m_capacity = std::exchange(other.m_capacity, 0);
        }
        return *this;
    }
    ~CPodVector() { Release(); }

    size_t size() const { return m_size; }
    size_t capacity() const { return m_capacity; }
    bool empty() const { return m_size == 0; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }
    T& operator[](size_t i) { return m_data[i]; }
    const T& operator[](size_t i) const { return m_data[i]; }
    T& back() { return m_data[m_size - 1]; }
    const T& back() const { return m_data[m_size - 1]; }

    void push_back(T value) {
        if (m_size == m_capacity)
            Grow(m_size + 1);
        m_data[m_size++] = value;
    }
    // Room for `count` more values after the last, to be written through the pointer returned
    // and then taken in by `commit`: a loop that appends through a pointer of its own keeps
    // the size out of memory, which a store of bytes could otherwise change as far as the
    // compiler knows.
    T* room(size_t count) {
        if (m_size + count > m_capacity)
            Grow(m_size + count);
        return m_data + m_size;
    }
    // Takes in the first `count` values written into the room.
    void commit(size_t count) { m_size += count; }
    // `count` copies of `value` at the end (the only place this vector inserts).
    void append(size_t count, T value) {
        if (m_size + count > m_capacity)
            Grow(m_size + count);
        std::fill(m_data + m_size, m_data + m_size + count, value);
        m_size += count;
    }
    void assign(size_t count, T value) {
        m_size = 0;
        append(count, value);
    }
    template <class It>
    requires(!std::is_integral_v<It>) void assign(It first, It last) {
        const auto count = static_cast<size_t>(last - first);
        m_size = 0;
        if (count > m_capacity)
            Reallocate(count);
        std::copy(first, last, m_data);
        m_size = count;
    }
    void clear() { m_size = 0; }
    void shrink_to_fit() {
        if (m_size == 0) {
            Release();
        } else if (m_size < m_capacity) {
            Reallocate(m_size);
        }
    }

private:
    void Grow(size_t atLeast) { Reallocate(std::max(atLeast, m_capacity * 2 + 8)); }
    void Reallocate(size_t capacity) {
        if (capacity > static_cast<size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        const size_t size = std::min(m_size, capacity);
        const size_t from = m_capacity * sizeof(T), to = capacity * sizeof(T);
        const bool mapped = podvector::Maps(from);
        void* grown = nullptr;
        if (!mapped && !podvector::Maps(to)) {
            grown = std::realloc(m_data, to);
        } else if (mapped && podvector::Maps(to)) {
            grown = podvector::Remap(m_data, from, to);
        } else {
            // From the heap to a mapping or back: the values are copied once.
            grown = mapped ? std::malloc(to) : podvector::Map(to);
            if (grown) {
                if (size)
                    std::memcpy(grown, m_data, size * sizeof(T));
                Release();
            }
        }
        if (!grown)
            throw std::bad_alloc();
        m_data = static_cast<T*>(grown);
        m_size = size;
        m_capacity = capacity;
    }
    void Release() {
        if (podvector::Maps(m_capacity * sizeof(T)))
            podvector::Unmap(m_data, m_capacity * sizeof(T));
        else
            std::free(m_data);
        m_data = nullptr;
        m_size = m_capacity = 0;
    }

    T* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};
