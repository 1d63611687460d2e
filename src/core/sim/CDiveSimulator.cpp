#include "sim/CDiveSimulator.h"

#include "logfile/FieldParsers.h"
#include "sim/SimWriters.h"

std::string CSimLog::BlockHeaderLine(const CSimMemoryBlock& block) {
    CRecordLineWriter w(0xB0);
    w.Byte(block.busAddress).Byte(block.space);
    w.Byte(block.address >> 24)
        .Byte(block.address >> 16)
        .Byte(block.address >> 8)
        .Byte(block.address);
    return w.Finish();
}

std::string CSimLog::BlockDataLine(const CSimMemoryBlock& block) {
    CRecordLineWriter w(0xB1);
    for (uint8_t b : block.data)
        w.Byte(b);
    return w.Finish();
}

std::string CSimLog::ToText() const {
    size_t size = 0;
    for (const std::string& l : logLines)
        size += l.size() + 2;
    for (const CSimMemoryBlock& b : memoryBlocks)
        size += b.data.size() * 2 + 24;
    std::string text;
    text.reserve(size + 4096);
    auto put = [&text](const std::string& line) {
        text += line;
        text += "\r\n";
    };
    for (const std::string& l : headerLines)
        put(l);
    for (const std::string& l : logLines)
        put(l);
    for (const std::string& l : userLines)
        put(l);
    for (const CSimMemoryBlock& b : memoryBlocks) {
        put(BlockHeaderLine(b));
        put(BlockDataLine(b));
    }
    return text;
}

namespace {
const char* ToolName(int kind) {
    switch (kind) {
    case 0:
        return "Porthole Relay Version ";
    case 1:
        return "Porthole Depot Version ";
    case 2:
        return "Porthole Bench Version ";
    default:
        return "Porthole Link Version ";
    }
}
} // namespace

CSimLog SimulateDive(const CSimOptions& options) {
    CSimLog log;
    log.frcLayout = options.frcLayout;
    log.versionMajor = options.versionMajor;
    log.versionMinor = options.versionMinor;
    log.versionBuild = options.versionBuild;

    CSimRandom random(options.seed);
    CSimDiveModel model(options, random);
    sim::CSimContext ctx{options, model, random, log, {}, {}, {}};
    ctx.totals.unitOn = 6000 + static_cast<unsigned>(random.Int(0, 20000));
    ctx.totals.diveTime = ctx.totals.unitOn / 3;
    ctx.previousDiveEnd = options.powerOn.AddSeconds(-(3.0 * 3600 + random.Int(0, 37 * 3600)));
    ctx.codeId = {14,
                  3,
                  24,
                  0xDC,
                  0,
                  sim::Bcd(options.versionMajor),
                  sim::Bcd(options.versionMinor),
                  sim::Bcd(options.versionBuild)};

    if (options.frcLayout)
        sim::WriteFrcLog(ctx);
    else
        sim::WriteShortLog(ctx);
    sim::WriteUserRecords(ctx);
    sim::WriteSystemInformation(ctx);

    CSimTruth& truth = log.truth;
    truth.diveStartTime = model.DiveStart();
    truth.diveEndTime = model.DiveEnd();
    truth.powerOffTime = model.LogEnd();
    truth.diveSeconds = model.DiveEnd() - model.DiveStart();
    truth.maxDepth = model.MaxDepth();
    truth.surfacePressure = model.SurfacePressure();
    truth.diveStart = options.powerOn.AddSeconds(model.DiveStart());

    log.downloaded = options.powerOn.AddSeconds(model.LogEnd() + 900.0);
    log.headerLines.push_back(
        std::string(ToolName(log.toolKind)) + std::to_string(log.toolVersion[0]) + "." +
        std::to_string(log.toolVersion[1]) + "." + std::to_string(log.toolVersion[2]) + "." +
        std::to_string(log.toolVersion[3]));
    log.headerLines.push_back("Date " + log.downloaded.Format("%d %B %Y"));
    log.headerLines.push_back("Time " + log.downloaded.Format("%H:%M:%S"));
    return log;
}
