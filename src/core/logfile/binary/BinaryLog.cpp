#include "logfile/binary/BinaryLog.h"

#include "logfile/binary/BinaryLineSource.h"
#include "logfile/binary/CQorBinaryFile.h"
#include "logfile/binary/CSRDLDataComp.h"
#include "statuslog/CReport.h"

#include <cstdint>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// A day's log converts to tens of megabytes of text. Faulting that in 4 KiB at a time costs
// more than writing it, so on Linux the buffer asks for huge pages where the kernel offers
// them on request. Only a hint: without it the text is the same, just slower to fill.
void ReserveText(std::string& text, size_t size) {
    text.reserve(size);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    if (size < 2 * kHuge)
        return;
    const auto begin = reinterpret_cast<uintptr_t>(text.data());
    const uintptr_t from = (begin + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t to = (begin + size) & ~(kHuge - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

void AppendLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

// Appends the lines of every valid record of `type`; false when one of them is malformed.
bool AppendLinesOf(const CQorBinaryFile& file, uint16_t type, std::string& text) {
    const size_t logRecordSize =
        file.IsFrcLayout() ? CSRDLDataComp::kFrcRecordSize : CSRDLDataComp::kShortRecordSize;
    // A reader that left the log memory in the file's bytes holds no type-32 records.
    if (type == CStandardRecord::kTypeDLDataComp)
        for (const auto& span : file.GetLogMemorySpans())
            if (!CSRDLDataComp::AppendUnscrambledLines(span.payload, span.length, logRecordSize,
                                                       file.GetKey(), text))
                return false;
    for (const auto& record : file.GetRecords()) {
        if (record->GetType() != type || !record->IsValid())
            continue;
        // The log memory is nearly the whole file: its lines go straight from the payload into
        // the text rather than through a copy and one string per line.
        if (type == CStandardRecord::kTypeDLDataComp) {
            if (!CSRDLDataComp::AppendLines(record->GetPayload(), record->GetPayloadSize(),
                                            logRecordSize, text))
                return false;
            continue;
        }
        if (!record->SetData(record->GetPayload(), record->GetPayloadSize()))
            return false;
        for (size_t i = 0; i < record->GetLineCount(); ++i)
            AppendLine(text, record->GetLine(i));
    }
    return true;
}

// What every way of reading a binary log says first about the reader's load.
bool Loaded(const CQorBinaryFile& reader, bool loaded, std::string& errorText, CReport* report) {
    if (report)
        for (size_t k = 0; k < reader.GetInvalidRecordCount(); ++k)
            report->Add(ReportKind::kNotice, "Invalid record, continuing");
    if (!loaded)
        errorText = "Binary file load failed - " + reader.GetErrorText();
    return loaded;
}

bool Finish(const CQorBinaryFile& reader, bool loaded, CMemLineFile& out, bool& frcLayout,
            std::string& errorText, CReport* report) {
    if (!Loaded(reader, loaded, errorText, report))
        return false;
    std::string text;
    if (!ConvertToText(reader, text, errorText))
        return false;
    out.SetContent(std::move(text));
    out.Rewind();
    frcLayout = reader.IsFrcLayout();
    return true;
}

struct Step {
    uint16_t type;
    const char* failure;
};
// The steps after the header lines, in the order of their lines.
constexpr Step kLogMemoryStep = {CStandardRecord::kTypeDLDataComp,
                                 "Create ccl text dive log data comp failed"};
constexpr Step kLaterSteps[] = {
    {CStandardRecord::kTypeDLDataUser, "Create ccl text dive log data user failed"},
    {CStandardRecord::kTypeMemoryBlock, "Create ccl memory blocks failed"},
    {CStandardRecord::kTypeDANData, "Create DAN data failed"},
};

} // namespace

const char* const kLogMemoryFailure = kLogMemoryStep.failure;

void AppendHeaderLines(const CQorBinaryFile& file, std::string& text) {
    // The header lines come from the first header only, and only when it is sound.
    for (const auto& record : file.GetRecords()) {
        if (record->GetType() != CStandardRecord::kTypeFileHeader)
            continue;
        if (record->IsValid() && record->SetData(record->GetPayload(), record->GetPayloadSize()))
            for (size_t i = 0; i < record->GetLineCount(); ++i)
                AppendLine(text, record->GetLine(i));
        break;
    }
}

bool AppendLinesAfterLogMemory(const CQorBinaryFile& file, std::string& text,
                               std::string& errorText) {
    for (const Step& step : kLaterSteps) {
        if (!AppendLinesOf(file, step.type, text)) {
            errorText = step.failure;
            return false;
        }
    }
    return true;
}

bool ConvertToText(const CQorBinaryFile& file, std::string& text, std::string& errorText) {
    text.clear();
    // Every payload byte becomes two digits, each record line gains a checksum and CR LF.
    size_t estimate = 0;
    for (const auto& record : file.GetRecords())
        estimate += record->GetPayloadSize() / 8 * 21;
    for (const auto& span : file.GetLogMemorySpans())
        estimate += span.length / 8 * 21;
    ReserveText(text, estimate);
    AppendHeaderLines(file, text);
    if (!AppendLinesOf(file, kLogMemoryStep.type, text)) {
        errorText = kLogMemoryStep.failure;
        return false;
    }
    return AppendLinesAfterLogMemory(file, text, errorText);
}

bool ConvertToLines(const CQorBinaryFile& file, std::vector<std::string>& lines,
                    std::string& errorText) {
    lines.clear();
    std::string text;
    if (!ConvertToText(file, text, errorText))
        return false;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return true;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    std::string text;
    text.reserve(total);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool ConvertBinaryLogToLines(const std::string& path, CMemLineFile& out, bool& frcLayout,
                             std::string& errorText, const CBinaryLogKey* key, CReport* report) {
    frcLayout = false;
    CQorBinaryFile reader;
    if (key)
        reader.SetKey(*key);
    const bool loaded = reader.Load(path);
    return Finish(reader, loaded, out, frcLayout, errorText, report);
}

bool ConvertBinaryBytesToLines(std::string_view file, CMemLineFile& out, bool& frcLayout,
                               std::string& errorText, const CBinaryLogKey* key, CReport* report) {
    frcLayout = false;
    CQorBinaryFile reader;
    if (key)
        reader.SetKey(*key);
    const bool loaded = reader.LoadForConversion(file);
    return Finish(reader, loaded, out, frcLayout, errorText, report);
}

bool OpenBinaryBytesAsLines(std::string_view file, CBinaryLineSource& out, bool& frcLayout,
                            std::string& errorText, const CBinaryLogKey* key, CReport* report) {
    frcLayout = false;
    auto reader = std::make_unique<CQorBinaryFile>();
    if (key)
        reader->SetKey(*key);
    const bool loaded = reader->LoadForConversion(file);
    if (!Loaded(*reader, loaded, errorText, report))
        return false;
    const bool frc = reader->IsFrcLayout();
    if (!out.Open(std::move(reader), errorText))
        return false;
    frcLayout = frc;
    return true;
}
