#include "logfile/BinaryLogMerge.h"

#include <algorithm>

#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CStandardRecord.h"

bool MergeBinaryLog(std::string_view original, const std::vector<std::string>& lines,
                    std::string& out, std::string& error) {
    std::vector<CStandardRecordData> records;
    if (!binarylog::ReadRecords(original, records, error))
        return false;

    CStandardRecordData user;
    user.nType = CStandardRecord::kTypeDLDataUser;
    if (!binarylog::UserDataPayload(lines, user.strPayload)) {
        error = "a user record line cannot be packed";
        return false;
    }

    // Only the first user record is replaced in place; any later one would be read after it.
    const auto isUser = [](const CStandardRecordData& r) {
        return r.nType == CStandardRecord::kTypeDLDataUser;
    };
    const auto first = std::find_if(records.begin(), records.end(), isUser);
    if (first != records.end())
        records.erase(std::remove_if(first + 1, records.end(), isUser), records.end());

    binarylog::PlaceRecord(records, std::move(user), {CStandardRecord::kTypeDLDataComp});
    out = binarylog::WriteRecords(records);
    return true;
}
