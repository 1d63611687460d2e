#include "sim/SimBinary.h"

#include "logfile/binary/CBinaryLogWriter.h"

std::vector<std::string> SimLogLines(const CSimLog& log) {
    std::vector<std::string> lines;
    lines.reserve(log.headerLines.size() + log.logLines.size() + log.userLines.size() +
                  2 * log.memoryBlocks.size());
    lines.insert(lines.end(), log.headerLines.begin(), log.headerLines.end());
    lines.insert(lines.end(), log.logLines.begin(), log.logLines.end());
    lines.insert(lines.end(), log.userLines.begin(), log.userLines.end());
    for (const CSimMemoryBlock& block : log.memoryBlocks) {
        lines.push_back(CSimLog::BlockHeaderLine(block));
        lines.push_back(CSimLog::BlockDataLine(block));
    }
    return lines;
}

bool BuildSimBinary(const CSimLog& log, std::string& file, std::string& error,
                    const CBinaryLogKey* key) {
    CBinaryLogWriter::Options options;
    options.layout =
        log.frcLayout ? CBinaryLogWriter::Layout::Frc : CBinaryLogWriter::Layout::Short;
    options.displayVersion = std::array<uint8_t, 4>{0, static_cast<uint8_t>(log.versionMajor),
                                                    static_cast<uint8_t>(log.versionMinor),
                                                    static_cast<uint8_t>(log.versionBuild)};
    if (key)
        options.key = *key;
    CBinaryLogWriter writer(options);
    if (!writer.Build(SimLogLines(log), file)) {
        error = writer.GetErrorText();
        return false;
    }
    return true;
}
