// The diver's records (dive information and cylinders) and the system-information memory
// blocks: code identification, identity area with the owner's details, and the unit's log book.
#include <string_view>

#include "logfile/CDiveLogGasManagement.h"
#include "logfile/CDiveLogInformation.h"

#include "sim/SimWriters.h"

namespace sim {
namespace {

void PutText(std::vector<uint8_t>& data, size_t at, std::string_view text, size_t width) {
    for (size_t i = 0; i < width && at + i < data.size(); ++i)
        data[at + i] = static_cast<uint8_t>(i < text.size() ? text[i] : ' ');
}

void PutWord(std::vector<uint8_t>& data, size_t at, unsigned value) {
    data[at] = static_cast<uint8_t>(value >> 8);
    data[at + 1] = static_cast<uint8_t>(value);
}

void PutDateTime(std::vector<uint8_t>& data, size_t at, const CDateTime& dt) {
    const int parts[6] = {dt.Day(),  dt.Month(),  dt.Year() - 2000,
                          dt.Hour(), dt.Minute(), dt.Second()};
    for (int i = 0; i < 6; ++i)
        data[at + i] = static_cast<uint8_t>(parts[i]);
}

// One processor's identity area. The colour display keeps its owner details and history 64
// bytes further on than the other processors.
std::vector<uint8_t> IdentityArea(size_t length, size_t ownerShift, std::string_view serial) {
    std::vector<uint8_t> id(length, 0);
    PutText(id, 0, "ZELVOR CCR", 16);
    PutText(id, 18, serial, 16);
    id[34] = 2;    // decompression option: trimix
    id[35] = 0x00; // standard batteries on every processor
    PutText(id, 36, "15032024", 8);
    id[44] = 0;    // a complete unit, not an upgrade
    id[45] = 0x07; // temperature probe, OCB and HUS fitted
    id[50] = 7;    // tester
    id[51] = 1;    // 22 Kg wing
    id[52] = 2;    // large harness
    id[53] = 1;    // large counterlungs
    id[54] = 1;    // ADV fitted
    id[55] = 0;
    PutText(id, 56, "DLR00042", 8);
    PutText(id, 64 + ownerShift, "Sam Diver", 16);
    PutText(id, 82 + ownerShift, "01234 567890", 16);
    PutText(id, 100 + ownerShift, "TR12 6XY", 16);
    const size_t history = 128 + 2 * ownerShift;
    // Service history: shipment, a service and a cell change, as days since 1 January 2000.
    const unsigned events[3][2] = {{1, 8840}, {3, 9205}, {5, 9480}};
    for (int e = 0; e < 21; ++e) {
        uint8_t* entry = &id[history + 3 * e];
        if (e < 3) {
            entry[0] = static_cast<uint8_t>(events[e][0]);
            entry[1] = static_cast<uint8_t>(events[e][1] >> 8);
            entry[2] = static_cast<uint8_t>(events[e][1]);
        } else {
            entry[0] = entry[1] = entry[2] = 0xFF;
        }
    }
    return id;
}

struct CSimBookEntry {
    int number;
    CDateTime start;
    int seconds;
    int centimetres;
};

std::vector<CSimBookEntry> LogBookEntries(CSimContext& ctx) {
    std::vector<CSimBookEntry> entries;
    const CSimOptions& o = ctx.options;
    const int earlier = std::min(o.diveNumber - 1, 5);
    CDateTime when = o.powerOn;
    for (int i = earlier; i >= 1; --i) {
        when = o.powerOn.AddSeconds(-86400.0 * (i * 3 + 1) + ctx.random.Int(0, 7200));
        entries.push_back(
            {o.diveNumber - i, when, ctx.random.Int(30, 90) * 60, ctx.random.Int(900, 4500)});
    }
    entries.push_back({o.diveNumber, o.powerOn.AddSeconds(ctx.model.DiveStart()),
                       ctx.model.DiveEnd() - ctx.model.DiveStart(),
                       static_cast<int>(std::lround(ctx.model.MaxDepth() * 100))});
    return entries;
}

void PutLongEntry(std::vector<uint8_t>& data, size_t at, const CSimBookEntry& e) {
    std::fill(data.begin() + at, data.begin() + at + 32, 0);
    data[at] = 0x70;
    PutWord(data, at + 1, e.number);
    PutDateTime(data, at + 4, e.start);
    PutWord(data, at + 18, std::min(e.seconds, 65534));
    PutWord(data, at + 20, std::min(e.centimetres, 65534));
}

void PutShortEntry(std::vector<uint8_t>& data, size_t at, const CSimBookEntry& e) {
    PutWord(data, at, e.number);
    PutDateTime(data, at + 2, e.start);
    PutWord(data, at + 8, std::min(e.seconds, 65535));
    PutWord(data, at + 10, std::min(e.centimetres, 65535));
}

CSimMemoryBlock Block(unsigned bus, unsigned space, uint32_t address, std::vector<uint8_t> data) {
    CSimMemoryBlock b;
    b.busAddress = bus;
    b.space = space;
    b.address = address;
    b.data = std::move(data);
    return b;
}

} // namespace

void WriteUserRecords(CSimContext& ctx) {
    std::vector<std::string>& lines = ctx.log.userLines;
    if (ctx.options.diveInformation) {
        CDiveLogInformation info;
        info.m_strLocation = "Cove Bay";
        info.m_strDiveSite = "North Wall";
        info.m_strVisibility = "12 m";
        info.m_strPartner = "Alex Buddy";
        info.m_strDiveBoat = "Kittiwake";
        info.m_strLatHemisphere = "N";
        info.m_nLatDegrees = 50;
        info.m_nLatMinutes = 5;
        info.m_nLatSeconds = 12;
        info.m_strLongHemisphere = "W";
        info.m_nLongDegrees = 5;
        info.m_nLongMinutes = 3;
        info.m_nLongSeconds = 25;
        info.m_nWeather = 1;
        info.m_nWindDirection = 3;
        info.m_nWindSpeed = 2;
        info.m_nSeaState = 1;
        info.m_bDiveType[CDiveLogInformation::kSea] = true;
        info.m_bDiveType[CDiveLogInformation::kReef] = true;
        info.m_bDiveType[CDiveLogInformation::kWall] = true;
        info.m_strNotes = "Simulated dive, seed " + std::to_string(ctx.options.seed);
        for (std::string& line : info.EncodeAll())
            lines.push_back(std::move(line));
    }
    if (ctx.options.cylinderRecords) {
        // The oxygen cylinder and the diluent breathed, with what the gauges read.
        const CSimState& end = ctx.model.State();
        CDiveLogGasManagement gas;
        const int cylinders[2] = {0, 1 + end.gasNumber};
        for (int cylinder : cylinders) {
            const int slot = cylinder == 0 ? 12 : cylinder - 1;
            gas.m_dCylinderSizeL[cylinder] = 3.0;
            gas.m_dCylinderSizeCuft[cylinder] = 13.0;
            gas.m_dMaxPressure[cylinder] = 3000.0;
            gas.m_dPressureIn[cylinder] = ctx.cylinderAtStart[slot];
            gas.m_dPressureOut[cylinder] = end.cylinder[slot];
            lines.push_back(gas.Encode(cylinder));
        }
    }
}

void WriteSystemInformation(CSimContext& ctx) {
    std::vector<CSimMemoryBlock>& blocks = ctx.log.memoryBlocks;
    const bool colour = ctx.options.frcLayout || ctx.options.colourDisplay;
    const unsigned display = colour ? 0xBC : 0xB0;
    const std::string serial = "ZV" + std::to_string(100000 + ctx.options.seed % 900000);

    blocks.push_back(Block(display, 1, colour ? 0x1080 : 0x4000,
                           IdentityArea(colour ? 0x200 : 0x100, colour ? 64 : 0, serial)));
    blocks.push_back(
        Block(display, 1, 0x200000, std::vector<uint8_t>(ctx.codeId.begin(), ctx.codeId.end())));

    const std::vector<CSimBookEntry> entries = LogBookEntries(ctx);
    if (ctx.options.frcLayout) {
        std::vector<uint8_t> book(0x10000, 0xFF);
        for (size_t i = 0; i < entries.size(); ++i)
            PutLongEntry(book, 32 * i, entries[i]);
        blocks.push_back(Block(0xBC, 2, 0, std::vector<uint8_t>(0x100, 0)));
        blocks.push_back(Block(0xBC, 6, 0, std::move(book)));
        std::vector<uint8_t> eeprom(0x20, 0xFF);
        PutLongEntry(eeprom, 0, entries.back());
        blocks.push_back(Block(0xBC, 2, 0x100, std::move(eeprom)));
    } else if (colour) {
        std::vector<uint8_t> book(0x300, 0);
        for (size_t i = 0; i < entries.size() && i < 48; ++i)
            PutShortEntry(book, 16 * i, entries[i]);
        blocks.push_back(Block(0xBC, 2, 0, std::vector<uint8_t>(0x100, 0)));
        blocks.push_back(Block(0xBC, 2, 0x100, std::move(book)));
    } else {
        // The plain display keeps its log book in the upper part of its settings memory.
        std::vector<uint8_t> settings(0x400, 0);
        for (size_t i = 0; i < entries.size() && i < 48; ++i)
            PutShortEntry(settings, 256 + 16 * i, entries[i]);
        blocks.push_back(Block(0xB0, 2, 0, std::move(settings)));
    }

    for (unsigned bus : {0xB2u, 0xB4u}) {
        blocks.push_back(Block(bus, 1, 0x2000, IdentityArea(0x100, 0, serial)));
        const std::vector<uint8_t> code = {2, 9, 23, 0xCC, 0, 0x02, 0x05, 0x10};
        blocks.push_back(Block(bus, 1, 0x200000, code));
    }
}

} // namespace sim
