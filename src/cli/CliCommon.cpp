#include "cli/CliCommon.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

#include "viewmodel/StringTable.h"

namespace zelvorlog {

std::string CParsedArgs::Value(const std::string& name, const std::string& fallback) const {
    const auto it = values.find(name);
    return it == values.end() || it->second.empty() ? fallback : it->second.back();
}

bool ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions, CParsedArgs& parsed, std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name == "-h" || name == "--help") {
            parsed.flags.insert("--help");
        } else if (valueOptions.count(name)) {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = "option " + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            parsed.values[name].push_back(value);
        } else if (flagOptions.count(name) && !hasValue) {
            parsed.flags.insert(name);
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    return true;
}

int UsageError(CCommandIo& io, const std::string& command, const std::string& message) {
    io.err << "zelvorlog " << command << ": " << message << "\n"
           << "Try 'zelvorlog " << command << " --help'.\n";
    return kExitUsage;
}

bool ParseUnits(const CParsedArgs& args, bool& metric, std::string& error) {
    const std::string units = args.Value("--units", "metric");
    if (units != "metric" && units != "imperial") {
        error = "--units must be metric or imperial, not \"" + units + "\"";
        return false;
    }
    metric = units == "metric";
    return true;
}

CLoadResult LoadForCommand(const std::string& path, CDiveLog& log) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        CLoadResult result;
        result.messageId = 2218;
        result.errors.push_back("No such file: " + path);
        return result;
    }
    if (std::filesystem::is_directory(path, ec)) {
        CLoadResult result;
        result.messageId = 2218;
        result.errors.push_back("Is a folder, not a log file: " + path);
        return result;
    }
    return log.LoadLogFile(path);
}

std::string FailureText(const CLoadResult& result) {
    std::string text;
    for (const std::string& line : result.errors)
        text += (text.empty() ? "" : "; ") + line;
    if (text.empty() && result.messageId != 0)
        text = DefaultString(result.messageId);
    return text.empty() ? "the file could not be loaded" : text;
}

bool WriteOutputFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "writing " + path + " failed";
        return false;
    }
    return true;
}

} // namespace zelvorlog
