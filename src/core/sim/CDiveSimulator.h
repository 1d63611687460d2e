#pragma once
// Writes a realistic log of one dive: the unit's log memory as record lines of the chosen layout,
// the diver's dive information and cylinder records, and the system-information memory blocks
// with code identification, identity area, owner details and the unit's log book. The parts are
// kept apart so the binary writer can pack each into its own kind of record; ToText() joins them
// into a ".ccl" text log.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "logfile/CDateTime.h"
#include "sim/SimOptions.h"

// One copy of a processor's memory, as a 0xB0 header + 0xB1 data line pair carries it.
struct CSimMemoryBlock {
    unsigned busAddress = 0;
    unsigned space = 1;
    uint32_t address = 0;
    std::vector<uint8_t> data;
};

// What the simulator put into the log, for tests to compare the loader's findings with.
struct CSimTruth {
    int diveStartTime = 0; // seconds after power-on
    int diveEndTime = 0;
    int powerOffTime = 0; // the last power-off, which ends the log
    int diveSeconds = 0;
    double maxDepth = 0.0; // metres
    int surfacePressure = 0;
    std::array<bool, kSimAlarmCount> alarms{}; // set when the alarm was raised during the dive
    int sampleTicks = 0;                       // number of 0x06 records
    CDateTime diveStart;
};

struct CSimLog {
    bool frcLayout = true;
    int versionMajor = 7, versionMinor = 0, versionBuild = 20;
    // The download tool that "wrote" the file: 3 = Porthole Link, version a.b.c.d.
    int toolKind = 3;
    std::array<int, 4> toolVersion{2, 4, 0, 11};
    CDateTime downloaded;

    std::vector<std::string> headerLines; // "Porthole Link Version ...", "Date ...", "Time ..."
    std::vector<std::string> logLines;    // the unit's log memory, one record per line
    std::vector<std::string> userLines;   // 0x80-0x8E and 0xA0-0xAC
    std::vector<CSimMemoryBlock> memoryBlocks;
    CSimTruth truth;

    // The 0xB0 header and 0xB1 data line of a block.
    static std::string BlockHeaderLine(const CSimMemoryBlock& block);
    static std::string BlockDataLine(const CSimMemoryBlock& block);
    // Every line in file order, each ended by CR LF.
    std::string ToText() const;
};

// Simulates the dive. The options must have passed ValidateSimOptions.
CSimLog SimulateDive(const CSimOptions& options);
