#pragma once
// What the fuzz targets share: the dump of a loaded log without the records a save rewrites, for
// comparing a log before and after saving.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/DumpJson.h"
#include "logfile/CDiveLog.h"

namespace fuzzsupport {

// The JSON dump without the summary, the dive information and the cylinders: everything the
// log's own records decide (the system information included). The left-out part is what a save
// writes, and the summary shows some of it.
inline std::string DumpWithoutUserRecords(const CDiveLog& log, const CLoadResult& result) {
    const std::string dump = zelvorlog::DumpJson("fuzz.ccl", log, result);
    const size_t from = dump.find("\"summary\"");
    const size_t to = dump.find("\"system_information\"");
    if (from == std::string::npos || to == std::string::npos || to < from)
        return dump;
    return dump.substr(0, from) + dump.substr(to);
}

// Reports the broken promise with both sides, then stops the run as a finding.
[[noreturn]] inline void Fail(const char* what, const std::string& before,
                              const std::string& after) {
    std::fprintf(stderr, "%s\n--- before\n%s\n--- after\n%s\n", what, before.c_str(),
                 after.c_str());
    std::abort();
}

} // namespace fuzzsupport
