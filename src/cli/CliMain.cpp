#include <exception>
#include <new>
#include <ostream>

#include "cli/CliCommon.h"

namespace zelvorlog {
namespace {

const char kUsage[] =
    "Usage: zelvorlog COMMAND [OPTIONS] [FILE...]\n"
    "\n"
    "Reads the dive logs of a Zelvor rebreather (text \".ccl\" and binary logs) without the\n"
    "viewer window.\n"
    "\n"
    "Commands:\n"
    "  dump FILE                      the loaded log as JSON on standard output\n"
    "  info FILE [--units imperial]   a readable report of the dive\n"
    "  check FILE|FOLDER...           load each file and say whether it is a valid log\n"
    "  export --csv FILE [-o OUT]     the dive's samples as the Data page shows them, as CSV\n"
    "  export --dan FILE [-o OUT]     the DAN export file (see 'zelvorlog export --dan --help')\n"
    "  export --uddf FILE... [-o OUT] the dives as one UDDF document for logbook programs\n"
    "  convert FILE.bin -o OUT.ccl    a binary log written out as the text log it carries\n"
    "  simulate [OPTIONS] -o OUT      write a realistic simulated dive log\n"
    "\n"
    "Run 'zelvorlog COMMAND --help' for the options of a command.\n"
    "Exit status: 0 success, 1 a file failed to load or be written, 2 wrong usage.\n";

struct CCommand {
    const char* name;
    int (*run)(const std::vector<std::string>&, CCommandIo&);
};

const CCommand kCommands[] = {
    {"dump", CmdDump},     {"info", CmdInfo},       {"check", CmdCheck},
    {"export", CmdExport}, {"convert", CmdConvert}, {"simulate", CmdSimulate},
};

} // namespace

namespace {

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CCommandIo io{out, err};
    try {
        if (args.empty()) {
            err << kUsage;
            return kExitUsage;
        }
        const std::string& command = args[0];
        if (command == "-h" || command == "--help" || command == "help") {
            out << kUsage;
            return kExitOk;
        }
        if (command == "--version") {
            out << "zelvorlog " << ZELVOR_VERSION << "\n";
            return kExitOk;
        }
        for (const CCommand& c : kCommands) {
            if (command == c.name)
                return c.run(std::vector<std::string>(args.begin() + 1, args.end()), io);
        }
        err << "zelvorlog: unknown command \"" << command << "\"\n\n" << kUsage;
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        err << "zelvorlog: out of memory\n";
    } catch (const std::exception& e) {
        err << "zelvorlog: " << e.what() << "\n";
    } catch (...) {
        err << "zelvorlog: unexpected failure\n";
    }
    return kExitFailed;
}

} // namespace

int RunZelvorLog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, out, err);
    // Output that never arrived (a full disk, a closed pipe) must not pass for success.
    out.flush();
    if (!out) {
        err << "zelvorlog: could not write the output\n";
        return kExitFailed;
    }
    return status;
}

} // namespace zelvorlog
