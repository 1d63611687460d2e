#include "uddf/UddfExport.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "logfile/CDiveLog.h"
#include "uddf/CUddfWriter.h"

namespace fs = std::filesystem;

namespace uddf {

bool ExportUddf(std::ostream& out, std::size_t count, const DiveSource& source,
                const CDateTime& exportTime, std::string& error) {
    if (count == 0) {
        error = "no dive to export";
        return false;
    }
    CUddfWriter writer(out, exportTime);
    for (std::size_t i = 0; i < count; ++i) {
        const CDiveLog* log = source(i, error);
        if (!log)
            return false;
        writer.AddDive(*log);
    }
    writer.WriteHead();
    for (std::size_t i = 0; i < count; ++i) {
        const CDiveLog* log = source(i, error);
        if (!log)
            return false;
        writer.WriteDive(*log);
    }
    if (!writer.Finish()) {
        error = "writing the document failed";
        return false;
    }
    return true;
}

bool ExportUddfFile(const std::string& path, std::size_t count, const DiveSource& source,
                    const CDateTime& exportTime, std::string& error) {
    const fs::path target(path);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temp;
    std::ofstream out;
    for (int attempt = 0; attempt < 100 && !out.is_open(); ++attempt) {
        temp = dir / ("." + target.filename().string() + ".exporting" + std::to_string(attempt));
        std::error_code ec;
        if (fs::exists(temp, ec))
            continue;
        out.open(temp, std::ios::binary | std::ios::trunc);
    }
    if (!out.is_open()) {
        error = "cannot write in the folder of " + path;
        return false;
    }
    bool ok = ExportUddf(out, count, source, exportTime, error);
    out.close();
    if (ok && !out) {
        error = "writing " + path + " failed";
        ok = false;
    }
    std::error_code ec;
    if (ok) {
        fs::rename(temp, target, ec);
        if (ec) {
            error = "cannot replace " + path + ": " + ec.message();
            ok = false;
        }
    }
    if (!ok)
        fs::remove(temp, ec);
    return ok;
}

bool ExportUddfFile(const std::string& path, const CDiveLog& log, const CDateTime& exportTime,
                    std::string& error) {
    const DiveSource source = [&log](std::size_t, std::string&) { return &log; };
    return ExportUddfFile(path, 1, source, exportTime, error);
}

} // namespace uddf
