#include "logfile/binary/BinaryLog.h"

bool ConvertBinaryLogToLines(const std::string& path, CMemLineFile& out, bool& frcLayout,
                             std::string& errorText) {
    (void)path;
    (void)out;
    frcLayout = false;
    errorText = "Binary logs are not supported yet";
    return false;
}
