// Saving dive information and cylinder data must change nothing else: the arbitrary bytes are
// loaded as a text log and, built into a binary log, as a binary one; for each that loads, a few
// details are edited from the input, the records are merged into the file as File > Save does,
// and the result must load to the same dump as before apart from the records written, which
// must come back as edited.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "logfile/BinaryLogMerge.h"
#include "logfile/LogSaver.h"
#include "logfile/TextLogMerge.h"
#include "logfile/binary/CBinaryLogWriter.h"

namespace {

// Edits drawn from the input's last bytes, so the fuzzer can vary them: the kind of change a
// diver makes in the dive information page.
void Edit(CDiveLog& log, std::string_view bytes) {
    const size_t n = bytes.size() < 8 ? bytes.size() : 8;
    std::string location;
    for (char c : bytes.substr(bytes.size() - n))
        location += static_cast<char>(' ' + static_cast<unsigned char>(c) % 95);
    log.m_DiveInformation.m_strLocation = location;
    log.m_DiveInformation.m_nWeather = n ? static_cast<unsigned char>(bytes.back()) % 8 : 0;
}

void CheckSave(std::string_view file, bool binary, std::string_view edits) {
    CDiveLog before;
    const CLoadResult loaded = before.LoadLogBytes(file, "fuzz.ccl");
    if (!loaded.loaded || before.m_nFileKind != (binary ? 2 : 1))
        return;
    Edit(before, edits);
    before.ComputeDiveSummary();
    const std::vector<std::string> lines = UserRecordLines(before);

    std::string saved;
    if (binary) {
        std::string error;
        if (!MergeBinaryLog(file, lines, saved, error))
            return; // refused: nothing written, nothing lost
    } else {
        saved = MergeTextLog(file, lines);
    }

    CDiveLog after;
    const CLoadResult reloaded = after.LoadLogBytes(saved, "fuzz.ccl");
    if (reloaded.loaded)
        after.ComputeDiveSummary();
    const std::string dumpBefore = fuzzsupport::DumpWithoutUserRecords(before, loaded);
    const std::string dumpAfter = fuzzsupport::DumpWithoutUserRecords(after, reloaded);
    if (dumpBefore != dumpAfter)
        fuzzsupport::Fail(binary ? "binary save changed the log" : "text save changed the log",
                          dumpBefore, dumpAfter);
    if (UserRecordLines(after) != lines)
        fuzzsupport::Fail("the saved records did not come back", "", "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckSave(bytes, bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '\0', bytes);

    // The same lines as a binary log, so the binary save sees well-formed files too.
    if (bytes.size() >= 2 && bytes[0] != '\0') {
        std::string image;
        if (CBinaryLogWriter().Build(CBinaryLogWriter::SplitLines(bytes), image))
            CheckSave(image, true, bytes);
    }
    return 0;
}
