#pragma once
// Pieces every `zelvorlog` command shares: argument parsing, loading a log with the documented
// defaults, file output, and the exit codes.
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "logfile/CDiveLog.h"

namespace zelvorlog {

// Exit status of every command.
enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

struct CCommandIo {
    std::ostream& out;
    std::ostream& err;
};

// Options of one command line: "--name value", "--name=value", "-o value", flags, and the
// positional arguments ("--" ends the options).
struct CParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> values;
    std::set<std::string> flags;

    bool Has(const std::string& name) const { return flags.count(name) || values.count(name); }
    // The last value given for the option, or `fallback`.
    std::string Value(const std::string& name, const std::string& fallback = "") const;
};

// False with a message for an unknown option or a missing value. "-h" and "--help" are flags of
// every command.
bool ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions, CParsedArgs& parsed, std::string& error);

// Prints "zelvorlog <command>: <message>" and a hint to standard error; returns kExitUsage.
int UsageError(CCommandIo& io, const std::string& command, const std::string& message);

// "--units metric|imperial" (metric when absent); false for any other value.
bool ParseUnits(const CParsedArgs& args, bool& metric, std::string& error);

// Loads `path` into `log`. A file that does not exist is reported before the loader is asked,
// so the message names the problem plainly.
CLoadResult LoadForCommand(const std::string& path, CDiveLog& log);
// The loader's error lines joined with "; ", or the message box text when there are none.
std::string FailureText(const CLoadResult& result);

// Writes `bytes` to `path` (binary, replacing it); false with a reason.
bool WriteOutputFile(const std::string& path, const std::string& bytes, std::string& error);

int CmdDump(const std::vector<std::string>& args, CCommandIo& io);
int CmdInfo(const std::vector<std::string>& args, CCommandIo& io);
int CmdCheck(const std::vector<std::string>& args, CCommandIo& io);
int CmdExport(const std::vector<std::string>& args, CCommandIo& io);
// export --dan (CmdExport hands it over).
int CmdExportDan(const std::vector<std::string>& args, CCommandIo& io);
// export --uddf: the dives of `files` as one document to `output` ("" or "-": standard output).
int ExportUddfFiles(const std::vector<std::string>& files, const std::string& output,
                    CCommandIo& io);
int CmdConvert(const std::vector<std::string>& args, CCommandIo& io);
int CmdSimulate(const std::vector<std::string>& args, CCommandIo& io);

// The whole tool: args[0] is the command name. Never throws.
int RunZelvorLog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zelvorlog
