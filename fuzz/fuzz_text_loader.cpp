// Feeds arbitrary bytes to the loader as a file's content (text, or binary when it begins with
// two zero bytes), then computes the summary and writes the JSON dump, as `zelvorlog dump` does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CDiveLog log;
    const CLoadResult result = log.LoadLogBytes(bytes, "fuzz.ccl");
    if (result.loaded)
        log.ComputeDiveSummary();
    const std::string dump = zelvorlog::DumpJson("fuzz.ccl", log, result);
    if (dump.empty() || dump.back() != '\n')
        __builtin_trap();
    return 0;
}
