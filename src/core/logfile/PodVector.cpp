#include "logfile/PodVector.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace podvector {

#if defined(__linux__)

namespace {

size_t PageBytes(size_t bytes) {
    static const size_t page = [] {
        const long size = ::sysconf(_SC_PAGESIZE);
        return size > 0 ? static_cast<size_t>(size) : size_t(4096);
    }();
    return (bytes + page - 1) / page * page;
}

} // namespace

bool Maps(size_t bytes) {
    return bytes >= kMappedBytes;
}

void* Map(size_t bytes) {
    void* block = ::mmap(nullptr, PageBytes(bytes), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void* Remap(void* block, size_t from, size_t to) {
    if (PageBytes(from) == PageBytes(to))
        return block;
    void* moved = ::mremap(block, PageBytes(from), PageBytes(to), MREMAP_MAYMOVE);
    return moved == MAP_FAILED ? nullptr : moved;
}

void Unmap(void* block, size_t bytes) {
    if (block)
        ::munmap(block, PageBytes(bytes));
}

#else

// Without a way to move a mapping by its page tables, the heap's realloc is the better grower.
bool Maps(size_t) {
    return false;
}
void* Map(size_t bytes) {
    return std::malloc(bytes);
}
void* Remap(void* block, size_t, size_t to) {
    return std::realloc(block, to);
}
void Unmap(void* block, size_t) {
    std::free(block);
}

#endif

} // namespace podvector
