#include "cli/ProcessHeap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#if __GLIBC_PREREQ(2, 33) && defined(MADV_HUGEPAGE)
#define ZELVOR_TUNE_HEAP 1
#endif
#endif

namespace zelvorlog {

#if defined(ZELVOR_TUNE_HEAP)
namespace {
// Volatile, so that the block is taken although nothing reads it.
void* volatile g_pHeapFiller = nullptr;
} // namespace
#endif

void PrepareHeapForOneLoad() {
#if defined(ZELVOR_TUNE_HEAP)
    constexpr size_t kLargePage = size_t(2) << 20;
    // Enough for the sample store and everything else of the largest simulated day.
    constexpr int kRoom = 64 << 20;
    if (mallopt(M_MMAP_THRESHOLD, 32 << 20) != 1 || mallopt(M_TRIM_THRESHOLD, 1 << 30) != 1 ||
        mallopt(M_TOP_PAD, kRoom) != 1)
        return;
    // A block beyond what the heap holds makes it grow now, by the block and the room; freed,
    // it goes back to the top of the heap, which stays. Growing writes a heap header just
    // after the block, and a page touched before the advice below would keep its whole large
    // page small: the advice starts past it.
    const size_t grow = mallinfo2().keepcost + (size_t(64) << 10);
    void* block = std::malloc(grow);
    if (!block)
        return;
    const auto from = reinterpret_cast<uintptr_t>(block);
    std::free(block);
    const auto to = reinterpret_cast<uintptr_t>(::sbrk(0));
    const uintptr_t start = (from + grow + 64 + kLargePage - 1) / kLargePage * kLargePage;
    const uintptr_t end = to / kLargePage * kLargePage;
    if (end <= start)
        return;
    // Only advice: a system without large pages, or one that refuses, leaves small ones.
    if (::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) != 0)
        return;
    // The heap hands out its top from the freed block on, which lies below the advised part: a
    // block up to it, kept for good and never touched, lets what comes next start there (a
    // heap header takes the bytes before each block). Its pages cost no memory.
    constexpr uintptr_t kHeader = 8;
    if (start - from > 2 * kHeader)
        g_pHeapFiller = std::malloc(static_cast<size_t>(start - from - kHeader));
#endif
}

} // namespace zelvorlog
