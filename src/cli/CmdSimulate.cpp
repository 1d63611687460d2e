// `zelvorlog simulate`: writes a simulated dive as a text or binary log.
#include <charconv>
#include <limits>
#include <ostream>

#include "cli/CliCommon.h"
#include "logfile/binary/CBinaryLogKey.h"
#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"

namespace zelvorlog {
namespace {

const char kSimulateHelp[] =
    "Usage: zelvorlog simulate [OPTIONS] -o OUT\n"
    "\n"
    "Writes a realistic log of one dive: descent, bottom and an ascent with the stops the\n"
    "decompression ceiling asks for, oxygen cells tracking the setpoint (one drifting), solenoid\n"
    "firings, falling batteries, a warming scrubber, CNS and OTU, cylinder pressures, pre-dive\n"
    "records, system information, the unit's log book, dive information and cylinder records.\n"
    "The same options and seed always give the same bytes.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE       the log to write (required)\n"
    "  --layout frc|short      record layout (default frc)\n"
    "  --version MM.mm.bb      display code version (default 07.00.20 for frc, 05.02.46 for\n"
    "                          short; frc needs 07.00.03 or above, short below it)\n"
    "  --display b0|bc         short layout: plain (b0, default) or colour (bc) display\n"
    "  --duration MIN[:SS]     dive time (default 45)\n"
    "  --depth METRES          maximum depth (default 30)\n"
    "  --interval SECONDS      sample interval, 1-120 (default 10)\n"
    "  --before MIN            minutes at the surface before the dive (default 5)\n"
    "  --after MIN             minutes at the surface after the dive (default 3)\n"
    "  --seed N                seed of everything that varies (default 1)\n"
    "  --start 'YYYY-MM-DD HH:MM:SS'  power-on date and time (default 2026-06-14 09:30:00)\n"
    "  --dive-number N         logged dive number (default 42)\n"
    "  --alarm NAME@TIME[+S]   raise an alarm TIME (seconds or mm:ss) after the dive start for\n"
    "                          S seconds (default 30); may be repeated. NAME is one of:\n"
    "                          c1-cell-warning c1-low-battery c1-low-oxygen c1-high-oxygen\n"
    "                          c2-cell-warning c2-low-battery c2-low-oxygen c2-high-oxygen\n"
    "                          fast-ascent ceiling-violation cns-exposure otu-exposure\n"
    "                          scrubber-2nd scrubber-1st co2-2nd co2-1st dive-start\n"
    "  --cal-error BYTE        calibration error byte (low nibble C1, high nibble C2)\n"
    "  --gf LOW/HIGH           gradient factors in percent (default 30/85)\n"
    "  --power-cycles N        switch the unit off and on again N times after the dive (0-5;\n"
    "                          ten minutes off, two minutes on each)\n"
    "  --no-cylinders          no cylinder pressure records\n"
    "  --no-info               no dive information records\n"
    "  --no-cylinder-records   no cylinder records (sizes and pressures in and out)\n"
    "  --binary                write a binary log instead of a text log\n"
    "  --key HEX               scrambling key of the binary log, 32 hex digits (default: the\n"
    "                          key in ZELVOR_LOG_KEY, else the built-in test key)\n";

bool ParseIntText(const std::string& text, long long& value) {
    int base = 10;
    const char* begin = text.data();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        begin += 2;
    }
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(begin, end, value, base);
    return begin != end && r.ec == std::errc() && r.ptr == end;
}

bool ParseDoubleText(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, value);
    return !text.empty() && r.ec == std::errc() && r.ptr == end;
}

// Reads option `name` as an integer within [lo, hi] into `out` when it is given.
bool IntOption(const CParsedArgs& args, const char* name, long long lo, long long hi, int& out,
               std::string& error) {
    if (!args.values.count(name))
        return true;
    long long v = 0;
    if (!ParseIntText(args.Value(name), v) || v < lo || v > hi) {
        error = std::string(name) + " must be a whole number from " + std::to_string(lo) + " to " +
                std::to_string(hi);
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

bool ParseDuration(const std::string& text, int& seconds) {
    const size_t colon = text.find(':');
    long long minutes = 0, secs = 0;
    if (colon == std::string::npos) {
        if (!ParseIntText(text, minutes))
            return false;
    } else if (!ParseIntText(text.substr(0, colon), minutes) ||
               !ParseIntText(text.substr(colon + 1), secs) || secs < 0 || secs > 59) {
        return false;
    }
    if (minutes < 0 || minutes > 24 * 60)
        return false;
    seconds = static_cast<int>(minutes * 60 + secs);
    return true;
}

bool ParseStart(const std::string& text, CDateTime& dt) {
    int y, mo, d, h, mi, s;
    char sep;
    if (std::sscanf(text.c_str(), "%d-%d-%d%c%d:%d:%d", &y, &mo, &d, &sep, &h, &mi, &s) != 7 ||
        (sep != ' ' && sep != 'T'))
        return false;
    dt = CDateTime(y, mo, d, h, mi, s);
    return dt.IsValid();
}

// Builds the simulator's options from the command line; false with a message.
bool BuildOptions(const CParsedArgs& args, CSimOptions& o, std::string& error) {
    const std::string layout = args.Value("--layout", "frc");
    if (layout != "frc" && layout != "short") {
        error = "--layout must be frc or short";
        return false;
    }
    o.frcLayout = layout == "frc";
    if (!o.frcLayout) {
        o.versionMajor = 5;
        o.versionMinor = 2;
        o.versionBuild = 46;
    }
    if (args.values.count("--version") &&
        !ParseSimVersion(args.Value("--version"), o.versionMajor, o.versionMinor, o.versionBuild)) {
        error = "--version must look like 07.00.20";
        return false;
    }
    const std::string display = args.Value("--display", "b0");
    if (display != "b0" && display != "bc") {
        error = "--display must be b0 or bc";
        return false;
    }
    o.colourDisplay = display == "bc";
    if (args.values.count("--duration") &&
        !ParseDuration(args.Value("--duration"), o.durationSeconds)) {
        error = "--duration must be minutes or mm:ss, from 1:00 to 1440:00";
        return false;
    }
    if (args.values.count("--depth") && !ParseDoubleText(args.Value("--depth"), o.maxDepthMetres)) {
        error = "--depth must be a number of metres";
        return false;
    }
    int diveNumber = o.diveNumber;
    if (!IntOption(args, "--interval", 1, 120, o.intervalSeconds, error) ||
        !IntOption(args, "--before", 0, 600, o.surfaceBeforeMinutes, error) ||
        !IntOption(args, "--after", 0, 600, o.surfaceAfterMinutes, error) ||
        !IntOption(args, "--dive-number", 1, 65535, diveNumber, error) ||
        !IntOption(args, "--cal-error", 0, 255, o.calibrationError, error) ||
        !IntOption(args, "--power-cycles", 0, 5, o.powerCycles, error))
        return false;
    o.diveNumber = diveNumber;
    if (args.values.count("--seed")) {
        long long seed = 0;
        if (!ParseIntText(args.Value("--seed"), seed) || seed < 0) {
            error = "--seed must be a whole number from 0 to " +
                    std::to_string(std::numeric_limits<long long>::max());
            return false;
        }
        o.seed = static_cast<uint64_t>(seed);
    }
    if (args.values.count("--start") && !ParseStart(args.Value("--start"), o.powerOn)) {
        error = "--start must be a date and time like '2026-06-14 09:30:00'";
        return false;
    }
    if (args.values.count("--gf")) {
        const std::string gf = args.Value("--gf");
        const size_t slash = gf.find('/');
        long long lo = 0, hi = 0;
        if (slash == std::string::npos || !ParseIntText(gf.substr(0, slash), lo) ||
            !ParseIntText(gf.substr(slash + 1), hi) || lo < 0 || hi > 255) {
            error = "--gf must look like 30/85";
            return false;
        }
        o.gfLow = static_cast<int>(lo);
        o.gfHigh = static_cast<int>(hi);
    }
    const auto alarms = args.values.find("--alarm");
    if (alarms != args.values.end()) {
        for (const std::string& text : alarms->second) {
            CSimAlarm alarm;
            if (!ParseSimAlarm(text, alarm, error))
                return false;
            o.alarms.push_back(alarm);
        }
    }
    o.cylinderPressures = !args.Has("--no-cylinders");
    o.diveInformation = !args.Has("--no-info");
    o.cylinderRecords = !args.Has("--no-cylinder-records");
    return ValidateSimOptions(o, error);
}

} // namespace

int CmdSimulate(const std::vector<std::string>& argv, CCommandIo& io) {
    CParsedArgs args;
    std::string error;
    const std::set<std::string> valueOptions = {
        "-o",         "--output", "--layout",      "--version", "--display",
        "--duration", "--depth",  "--interval",    "--before",  "--after",
        "--seed",     "--start",  "--dive-number", "--alarm",   "--cal-error",
        "--gf",       "--key",    "--power-cycles"};
    const std::set<std::string> flags = {"--no-cylinders", "--no-info", "--no-cylinder-records",
                                         "--binary"};
    if (!ParseArgs(argv, valueOptions, flags, args, error))
        return UsageError(io, "simulate", error);
    if (args.Has("--help")) {
        io.out << kSimulateHelp;
        return kExitOk;
    }
    if (!args.positional.empty())
        return UsageError(io, "simulate", "unexpected argument \"" + args.positional[0] + "\"");
    const std::string output = args.Value("-o", args.Value("--output"));
    if (output.empty())
        return UsageError(io, "simulate", "give the file to write with -o OUT");
    CSimOptions options;
    if (!BuildOptions(args, options, error))
        return UsageError(io, "simulate", error);
    std::optional<CBinaryLogKey> key;
    if (args.values.count("--key")) {
        if (!args.Has("--binary"))
            return UsageError(io, "simulate", "--key only applies with --binary");
        key = CBinaryLogKey::FromHex(args.Value("--key"));
        if (!key)
            return UsageError(io, "simulate", "--key must be 32 hex digits");
    }

    const CSimLog log = SimulateDive(options);
    std::string bytes;
    if (args.Has("--binary")) {
        if (!BuildSimBinary(log, bytes, error, key ? &*key : nullptr)) {
            io.err << "zelvorlog simulate: " << error << "\n";
            return kExitFailed;
        }
    } else {
        bytes = log.ToText();
    }
    if (!WriteOutputFile(output, bytes, error)) {
        io.err << "zelvorlog simulate: " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace zelvorlog
