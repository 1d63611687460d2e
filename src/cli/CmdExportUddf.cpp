// zelvorlog export --uddf: one UDDF document with one dive per log file.
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/CliCommon.h"
#include "uddf/UddfExport.h"

namespace zelvorlog {

namespace {

// Keeps the last log it loaded, so a single file is read once although the export asks for
// each dive twice; with several files each is read again for its samples rather than holding
// a season of samples in memory at once.
class CFileDiveSource {
public:
    explicit CFileDiveSource(const std::vector<std::string>& files) : m_arFiles(files) {}

    const CDiveLog* Get(std::size_t index, std::string& error) {
        if (m_pLog && m_nLoaded == index)
            return m_pLog.get();
        m_pLog = std::make_unique<CDiveLog>();
        const CLoadResult result = LoadForCommand(m_arFiles[index], *m_pLog);
        if (!result.loaded) {
            m_pLog.reset();
            error = m_arFiles[index] + ": " + FailureText(result);
            return nullptr;
        }
        m_nLoaded = index;
        return m_pLog.get();
    }

private:
    const std::vector<std::string>& m_arFiles;
    std::unique_ptr<CDiveLog> m_pLog;
    std::size_t m_nLoaded = 0;
};

} // namespace

int ExportUddfFiles(const std::vector<std::string>& files, const std::string& output,
                    CCommandIo& io) {
    CFileDiveSource dives(files);
    const uddf::DiveSource source = [&dives](std::size_t i, std::string& error) {
        return dives.Get(i, error);
    };
    std::string error;
    bool ok = false;
    if (output.empty() || output == "-") {
        // The document is built aside first, so a file that fails halfway leaves no half
        // document on the terminal or in a pipe.
        std::ostringstream text;
        ok = uddf::ExportUddf(text, files.size(), source, CDateTime::Now(), error);
        if (ok)
            io.out << text.str();
    } else {
        ok = uddf::ExportUddfFile(output, files.size(), source, CDateTime::Now(), error);
    }
    if (!ok) {
        io.err << "zelvorlog export: " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace zelvorlog
