#pragma once
// Simulated logs on disk, the schema check and a light reader of the exported document for the
// UDDF export tests.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "logfile/CDiveLog.h"
#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"
#include "uddf/UddfExport.h"

namespace uddftest {

namespace fs = std::filesystem;

inline std::string TempPath(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("zelvor_uddf_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return (dir / name).string();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Writes the simulated dive as a text log, or as a binary log; returns the path.
inline std::string WriteSimLog(const std::string& name, const CSimOptions& options,
                               bool binary = false) {
    const std::string path = TempPath(name);
    const CSimLog sim = SimulateDive(options);
    std::string bytes = sim.ToText();
    if (binary) {
        std::string error;
        EXPECT_TRUE(BuildSimBinary(sim, bytes, error)) << error;
    }
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string ExportText(const CDiveLog& log) {
    std::ostringstream out;
    std::string error;
    const uddf::DiveSource source = [&log](std::size_t, std::string&) { return &log; };
    EXPECT_TRUE(uddf::ExportUddf(out, 1, source, CDateTime(2026, 7, 1, 12, 0, 0), error)) << error;
    return out.str();
}

// The published schema lives beside the project (../shared/schemas), or where
// ZELVOR_UDDF_SCHEMA points; a user's clone has neither.
inline std::string SchemaPath() {
    if (const char* env = std::getenv("ZELVOR_UDDF_SCHEMA"))
        return env;
    return (fs::path(ZELVOR_TEST_DATA_DIR).parent_path().parent_path().parent_path() / "shared" /
            "schemas" / "uddf-3.2.3.xsd")
        .string();
}

// Empty when the document validates; else xmllint's complaint. Skips the calling test when
// the schema or xmllint is not there.
#define UDDF_EXPECT_VALID(document)                                                                \
    do {                                                                                           \
        const std::string schema_ = uddftest::SchemaPath();                                        \
        if (!std::filesystem::exists(schema_))                                                     \
            GTEST_SKIP() << "UDDF schema not found at " << schema_                                 \
                         << " (set ZELVOR_UDDF_SCHEMA); schema validation skipped";                \
        if (std::system("xmllint --version >/dev/null 2>&1") != 0)                                 \
            GTEST_SKIP() << "xmllint not installed (libxml2-utils); schema validation skipped";    \
        EXPECT_EQ(uddftest::SchemaErrors(document, schema_), "");                                  \
    } while (0)

inline std::string SchemaErrors(const std::string& document, const std::string& schema) {
    static int counter = 0;
    const std::string doc = TempPath("check" + std::to_string(++counter) + ".uddf");
    const std::string report = doc + ".txt";
    std::ofstream(doc, std::ios::binary) << document;
    const std::string command =
        "xmllint --noout --schema '" + schema + "' '" + doc + "' >'" + report + "' 2>&1";
    const int status = std::system(command.c_str());
    return status == 0 ? std::string() : ReadFile(report);
}

// The text of every element `name` in document order.
inline std::vector<std::string> Values(const std::string& xml, const std::string& name) {
    std::vector<std::string> out;
    const std::regex re("<" + name + "(?: [^>]*)?>([^<]*)</" + name + ">");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), re); it != std::sregex_iterator();
         ++it)
        out.push_back((*it)[1]);
    return out;
}

inline int Count(const std::string& xml, const std::string& text) {
    int n = 0;
    for (size_t pos = xml.find(text); pos != std::string::npos; pos = xml.find(text, pos + 1))
        ++n;
    return n;
}

// The waypoints of the document, each as its own text.
inline std::vector<std::string> Waypoints(const std::string& xml) {
    std::vector<std::string> out;
    size_t pos = 0;
    while ((pos = xml.find("<waypoint>", pos)) != std::string::npos) {
        const size_t end = xml.find("</waypoint>", pos);
        out.push_back(xml.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

} // namespace uddftest
