#include "logfile/binary/BinaryLog.h"

#include "logfile/binary/CQorBinaryFile.h"
#include "logfile/binary/CSRDLDataComp.h"
#include "statuslog/CReport.h"

namespace {

// Appends the lines of every valid record of `type`; false when one of them is malformed.
bool AppendLinesOf(const CQorBinaryFile& file, uint16_t type, std::vector<std::string>& lines) {
    for (const auto& record : file.GetRecords()) {
        if (record->GetType() != type || !record->IsValid())
            continue;
        if (type == CStandardRecord::kTypeDLDataComp)
            static_cast<CSRDLDataComp&>(*record).SetRecordSize(
                file.IsFrcLayout() ? CSRDLDataComp::kFrcRecordSize
                                   : CSRDLDataComp::kShortRecordSize);
        if (!record->SetData(record->GetPayload(), record->GetPayloadSize()))
            return false;
        for (size_t i = 0; i < record->GetLineCount(); ++i)
            lines.push_back(record->GetLine(i));
    }
    return true;
}

bool Finish(const CQorBinaryFile& reader, bool loaded, CMemLineFile& out, bool& frcLayout,
            std::string& errorText, CReport* report) {
    if (report)
        for (size_t k = 0; k < reader.GetInvalidRecordCount(); ++k)
            report->Add(ReportKind::kNotice, "Invalid record, continuing");
    if (!loaded) {
        errorText = "Binary file load failed - " + reader.GetErrorText();
        return false;
    }
    std::vector<std::string> lines;
    if (!ConvertToLines(reader, lines, errorText))
        return false;
    out.SetContent(JoinLines(lines));
    out.Rewind();
    frcLayout = reader.IsFrcLayout();
    return true;
}

} // namespace

bool ConvertToLines(const CQorBinaryFile& file, std::vector<std::string>& lines,
                    std::string& errorText) {
    lines.clear();
    // The header lines come from the first header only, and only when it is sound.
    for (const auto& record : file.GetRecords()) {
        if (record->GetType() != CStandardRecord::kTypeFileHeader)
            continue;
        if (record->IsValid() && record->SetData(record->GetPayload(), record->GetPayloadSize()))
            for (size_t i = 0; i < record->GetLineCount(); ++i)
                lines.push_back(record->GetLine(i));
        break;
    }
    struct Step {
        uint16_t type;
        const char* failure;
    };
    static constexpr Step kSteps[] = {
        {CStandardRecord::kTypeDLDataComp, "Create ccl text dive log data comp failed"},
        {CStandardRecord::kTypeDLDataUser, "Create ccl text dive log data user failed"},
        {CStandardRecord::kTypeMemoryBlock, "Create ccl memory blocks failed"},
        {CStandardRecord::kTypeDANData, "Create DAN data failed"},
    };
    for (const Step& step : kSteps) {
        if (!AppendLinesOf(file, step.type, lines)) {
            errorText = step.failure;
            return false;
        }
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
    const bool loaded = reader.LoadFromBytes(file);
    return Finish(reader, loaded, out, frcLayout, errorText, report);
}
