// The commands that read files and print or write what they hold: dump, check, export, convert.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "cli/CliCommon.h"
#include "cli/DumpJson.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CLineSource.h"
#include "logfile/FileIO.h"
#include "logfile/binary/BinaryLog.h"
#include "viewmodel/DataRows.h"

namespace zelvorlog {
namespace {

const char kDumpHelp[] =
    "Usage: zelvorlog dump FILE\n"
    "\n"
    "Loads FILE as the viewer's File > Open does (with the default settings; the user's\n"
    "settings are never read) and prints the whole dive model as one JSON object: samples,\n"
    "solenoid events, pre-dive sets, dive summary, dive information, gas management and system\n"
    "information. The keys are described in the README.\n"
    "\n"
    "Exit status: 0 loaded, 1 not loaded (the JSON is still printed, with \"loaded\": false and\n"
    "\"error\"), 2 wrong usage.\n";

const char kCheckHelp[] =
    "Usage: zelvorlog check FILE|FOLDER...\n"
    "\n"
    "Loads each file and prints one line for it: OK with the sample count and the dive start,\n"
    "dive end and log end (seconds on the log's time scale), or FAILED with the reason (an\n"
    "invalid checksum and its line, not a log, no valid dive data). A folder stands for the\n"
    "\".ccl\" and \".bin\" files in it.\n"
    "\n"
    "Exit status: 0 when every file loaded, 1 when any did not, 2 wrong usage.\n";

const char kExportHelp[] =
    "Usage: zelvorlog export --csv FILE [-o OUT] [--units metric|imperial]\n"
    "       zelvorlog export --dan FILE [-o OUT] [--details DETAILS]\n"
    "       zelvorlog export --uddf FILE... [-o OUT]\n"
    "\n"
    "--csv writes the samples of the dive (from the dive start to the dive end) as\n"
    "comma-separated text with the columns, headers, units and number formats of the viewer's\n"
    "Data page.\n"
    "--uddf writes one UDDF 3.2.3 document with one dive per file, for logbook programs: the\n"
    "unit with its six oxygen cells, mixes, cylinders, site and every sample of the dive with\n"
    "depth, cell readings, setpoint, CNS, OTU, temperature and cylinder pressures, in SI units.\n"
    "Without -o the text goes to standard output.\n"
    "--dan writes the DAN export of the log (see 'zelvorlog export --dan --help').\n";

const char kConvertHelp[] =
    "Usage: zelvorlog convert FILE.bin -o OUT.ccl\n"
    "\n"
    "Checks a binary log and writes the text log it carries, header lines included, as the\n"
    "viewer reads it. The scrambling key comes from ZELVOR_LOG_KEY or the built-in test key.\n";

bool HasLogExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".ccl" || ext == ".bin";
}

// The files a check argument stands for: a folder's log files in name order, else itself.
std::vector<std::string> ExpandCheckArgument(const std::string& arg) {
    std::error_code ec;
    if (!std::filesystem::is_directory(arg, ec))
        return {arg};
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(arg, ec)) {
        if (entry.is_regular_file(ec) && HasLogExtension(entry.path()))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Seconds(double value) {
    return FormatFixed(value, 0) + " s";
}

} // namespace

int CmdDump(const std::vector<std::string>& argv, CCommandIo& io) {
    CParsedArgs args;
    std::string error;
    if (!ParseArgs(argv, {}, {}, args, error))
        return UsageError(io, "dump", error);
    if (args.Has("--help")) {
        io.out << kDumpHelp;
        return kExitOk;
    }
    if (args.positional.size() != 1)
        return UsageError(io, "dump", "give exactly one log file");
    const std::string& path = args.positional[0];
    CDiveLog log;
    const CLoadResult result = LoadForCommand(path, log);
    WriteDumpJson(io.out, path, log, result);
    if (!result.loaded) {
        io.err << "zelvorlog dump: " << path << ": " << FailureText(result) << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

int CmdCheck(const std::vector<std::string>& argv, CCommandIo& io) {
    CParsedArgs args;
    std::string error;
    if (!ParseArgs(argv, {}, {}, args, error))
        return UsageError(io, "check", error);
    if (args.Has("--help")) {
        io.out << kCheckHelp;
        return kExitOk;
    }
    if (args.positional.empty())
        return UsageError(io, "check", "give one or more log files or folders");
    int checked = 0, failed = 0;
    for (const std::string& arg : args.positional) {
        const std::vector<std::string> files = ExpandCheckArgument(arg);
        if (files.empty())
            io.err << "zelvorlog check: " << arg << ": no .ccl or .bin files in this folder\n";
        for (const std::string& file : files) {
            CDiveLog log;
            const CLoadResult result = LoadForCommand(file, log);
            ++checked;
            if (!result.loaded) {
                ++failed;
                io.out << file << ": FAILED: " << FailureText(result) << "\n";
                continue;
            }
            io.out << file << ": OK: " << log.m_arSamples.size() << " samples, "
                   << (log.m_bFrcLayout ? "FRC" : "short") << " layout, dive start "
                   << Seconds(log.m_ChartRange.diveStart) << ", dive end "
                   << Seconds(log.m_ChartRange.diveEnd) << ", log end "
                   << Seconds(log.m_ChartRange.logEnd) << "\n";
        }
    }
    if (checked > 1)
        io.out << checked << " files checked, " << checked - failed << " OK, " << failed
               << " failed\n";
    return failed > 0 || checked == 0 ? kExitFailed : kExitOk;
}

int CmdExport(const std::vector<std::string>& argv, CCommandIo& io) {
    if (std::find(argv.begin(), argv.end(), "--dan") != argv.end())
        return CmdExportDan(argv, io);
    CParsedArgs args;
    std::string error;
    if (!ParseArgs(argv, {"-o", "--output", "--units"}, {"--csv", "--uddf"}, args, error))
        return UsageError(io, "export", error);
    if (args.Has("--help")) {
        io.out << kExportHelp;
        return kExitOk;
    }
    bool metric = true;
    if (!ParseUnits(args, metric, error))
        return UsageError(io, "export", error);
    if (args.Has("--uddf")) {
        if (args.positional.empty())
            return UsageError(io, "export", "give one or more log files");
        return ExportUddfFiles(args.positional, args.Value("-o", args.Value("--output")), io);
    }
    if (!args.Has("--csv"))
        return UsageError(io, "export", "choose the format: --csv, --dan or --uddf");
    if (args.positional.size() != 1)
        return UsageError(io, "export", "give exactly one log file");
    const std::string output = args.Value("-o", args.Value("--output"));
    CDiveLog log;
    const CLoadResult result = LoadForCommand(args.positional[0], log);
    if (!result.loaded) {
        io.err << "zelvorlog export: " << args.positional[0] << ": " << FailureText(result) << "\n";
        return kExitFailed;
    }
    const std::string csv = DataCsvText(log, metric);
    if (output.empty() || output == "-") {
        io.out << csv;
        return kExitOk;
    }
    if (fileio::SameFile(output, args.positional[0])) {
        io.err << "zelvorlog export: " << output << ": is the input file; give another name\n";
        return kExitFailed;
    }
    if (!WriteOutputFile(output, csv, error)) {
        io.err << "zelvorlog export: " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

int CmdConvert(const std::vector<std::string>& argv, CCommandIo& io) {
    CParsedArgs args;
    std::string error;
    if (!ParseArgs(argv, {"-o", "--output"}, {}, args, error))
        return UsageError(io, "convert", error);
    if (args.Has("--help")) {
        io.out << kConvertHelp;
        return kExitOk;
    }
    if (args.positional.size() != 1)
        return UsageError(io, "convert", "give exactly one binary log file");
    const std::string output = args.Value("-o", args.Value("--output"));
    if (output.empty())
        return UsageError(io, "convert", "give the text log to write with -o OUT.ccl");
    const std::string& path = args.positional[0];
    std::string content;
    const fileio::ReadOutcome read = fileio::ReadFile(path, content);
    if (!read.ok) {
        io.err << "zelvorlog convert: " << path << ": " << read.error << "\n";
        return kExitFailed;
    }
    // Writing the text over the binary log would destroy the only copy of it.
    if (fileio::SameFile(output, path)) {
        io.err << "zelvorlog convert: " << output << ": is the input file; give another name\n";
        return kExitFailed;
    }
    if (content.size() < 2 || content[0] != '\0' || content[1] != '\0') {
        io.err << "zelvorlog convert: " << path
               << ": not a binary log (a binary log begins with two zero bytes)\n";
        return kExitFailed;
    }
    CMemLineFile lines;
    bool frc = false;
    if (!ConvertBinaryBytesToLines(content, lines, frc, error)) {
        io.err << "zelvorlog convert: " << path << ": " << error << "\n";
        return kExitFailed;
    }
    if (!WriteOutputFile(output, lines.Content(), error)) {
        io.err << "zelvorlog convert: " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace zelvorlog
