#include "logfile/SampleLayouts.h"

#include <array>

#include "logfile/CDiveLogSample.h"
#include "logfile/FieldParsers.h"
#include "logfile/HexDigits.h"

namespace samplelayout {

namespace {

template <class T> void Put(T& field, double value) {
    field = static_cast<T>(value);
}

// Element `base + k` of an array field, or a plain field.
#define AT(member, base) [](CDiveLogSample& s, int k, double v) { Put(s.member[(base) + k], v); }
#define ONE(member) [](CDiveLogSample& s, int, double v) { Put(s.member, v); }

using enum EField;
using enum EScale;

// The short layout's probe record comes as 0x04 and as 0x14.
#define SHORT_PROBES(type)                                                                         \
    {type, 2, 9, 2, kByte, kQuarter, AT(m_dProbeTemp, 0)},                                         \
        {type, 20, 1, 0, kByte, kNone, ONE(m_byProbeFlags)},                                       \
        {type, 22, 1, 0, kSignedWord, kTenth, ONE(m_dAmbientTemp)},                                \
        {type, 26, 1, 0, kByte, kNone, ONE(m_dCNS)}, {type, 28, 1, 0, kByte, kNone, ONE(m_dOTU)},  \
    {                                                                                              \
        type, 30, 1, 0, kByte, kTenth, ONE(m_dPPCO2)                                               \
    }

// Short layout: 34-character lines (0x1A: 26). After a 0x06 line the sample votes its cells.
constexpr CFieldRule kShort[] = {
    SHORT_PROBES(0x04),
    {0x06, 2, 1, 0, kWord, kNone, ONE(m_dPressure)},
    {0x06, 6, 3, 2, kByte, kHundredth, AT(m_dC1Cell, 0)},
    {0x06, 12, 2, 2, kByte, kFortieth, AT(m_dBattery, 0)},
    {0x06, 16, 1, 0, kByte, kNone, ONE(m_byC1CellStatus)},
    {0x06, 18, 3, 2, kByte, kHundredth, AT(m_dC2Cell, 0)},
    {0x06, 24, 2, 2, kByte, kFortieth, AT(m_dBattery, 2)},
    {0x06, 28, 1, 0, kByte, kNone, ONE(m_byC2CellStatus)},
    {0x06, 30, 1, 0, kByte, kNone, ONE(m_byCellStatusExtra)},
    {0x07, 2, 1, 0, kByte, kNone, ONE(m_dGasO2)},
    {0x07, 4, 1, 0, kByte, kNone, ONE(m_dGasHe)},
    {0x07, 8, 1, 0, kByte, kHundredth, ONE(m_dSetpoint)},
    {0x07, 10, 10, 2, kByte, kNone, AT(m_byStatus, 0)},
    // Older display code logged the sample interval in the last byte (255 standing for 10).
    {0x07, 30, 1, 0, kByte, kNone, ONE(m_byStatusExt), EWhen::kLevel4},
    {0x07, 30, 1, 0, kByte, kInterval, ONE(m_nSampleInterval), EWhen::kBelowLevel4},
    {0x09, 2, 6, 4, kByte, kNone, AT(m_nGasO2, 0)},
    {0x09, 4, 6, 4, kByte, kNone, AT(m_nGasHe, 0)},
    {0x09, 26, 1, 0, kByte, kNone, AT(m_dDiveDetect, CDiveLogSample::kGfLowIndex)},
    {0x09, 28, 1, 0, kByte, kNone, AT(m_dDiveDetect, CDiveLogSample::kGfHighIndex)},
    {0x09, 30, 1, 0, kByte, kNone, ONE(m_nConservatism)},
    {0x0A, 2, 6, 4, kWord, kNone, AT(m_dCylinder, 0)},
    {0x0A, 26, 1, 0, kWord, kNone, AT(m_dCylinder, 12)},
    {0x0C, 2, 1, 0, kWord, kNone, ONE(m_nDecoWord0)},
    {0x0C, 6, 1, 0, kWord, kNone, ONE(m_dCeilingPressure)},
    {0x0C, 10, 1, 0, kWord, kNone, ONE(m_dDecoWord2)},
    {0x0C, 14, 1, 0, kWord, kNone, ONE(m_dDecoSurfacePressure)},
    {0x0C, 18, 1, 0, kWord, kNone, ONE(m_dDecoWord4)},
    {0x0C, 22, 1, 0, kFloatBE, kNone, ONE(m_fGradientFactor)},
    {0x0C, 30, 1, 0, kByte, kNone, ONE(m_nGasNumber)},
    {0x0D, 0, 1, 0, kSet, kNone, ONE(m_bHasDiveDetect)},
    {0x0D, 2, 1, 0, kByte, kNone, ONE(m_byDiveDetectStatus)},
    {0x0D, 4, 1, 0, kByte, kNone, ONE(m_dDiveEndDepth)},
    {0x0D, 6, 1, 0, kByte, kNone, ONE(m_dDiveStartDepth)},
    SHORT_PROBES(0x14),
    {0x19, 2, 6, 4, kByte, kNone, AT(m_nGasO2, 6)},
    {0x19, 4, 6, 4, kByte, kNone, AT(m_nGasHe, 6)},
    {0x1A, 2, 6, 4, kWord, kNone, AT(m_dCylinder, 6)},
    {0x40, 2, 1, 0, kWord, kTenth, ONE(m_dDpsTemp)},
    {0x40, 6, 1, 0, kWord, kHundredth, ONE(m_dPpmACO2)},
    {0x40, 10, 1, 0, kWord, kTenth, ONE(m_dPpCO2Cor)},
    {0x40, 14, 1, 0, kWord, kNone, ONE(m_dPAmbCO2)},
    {0x40, 18, 1, 0, kWord, kNone, ONE(m_dCO2Led)},
    {0x40, 22, 1, 0, kWord, kNone, ONE(m_dCO2Temp)},
    {0x40, 26, 1, 0, kWord, kHundredth, ONE(m_dCO2Filt)},
    {0x40, 30, 1, 0, kByte, kQuarter, ONE(m_dTsT8)},
};

// The two 16-value tables come six split floats to a line (the third line four).
#define SPLIT_TABLE(first, member)                                                                 \
    {first, 10, 6, 8, kSplitFloat, kNone, AT(member, 0)},                                          \
        {first + 1, 10, 6, 8, kSplitFloat, kNone, AT(member, 6)}, {                                \
        first + 2, 10, 4, 8, kSplitFloat, kNone, AT(member, 12)                                    \
    }

// FRC layout: 66-character lines, characters 2-9 the timestamp. The CO2 record (0x40) carries
// nothing for the sample in this layout.
constexpr CFieldRule kFrc[] = {
    {0x06, 10, 1, 0, kWord, kNone, ONE(m_dPressure)},
    {0x06, 14, 1, 0, kSignedWord, kTenth, ONE(m_dAmbientTemp)},
    {0x06, 18, 3, 2, kByte, kHundredth, AT(m_dC1Cell, 0)},
    {0x06, 24, 1, 0, kByte, kHundredth, ONE(m_dC1Measured)},
    {0x06, 26, 2, 2, kByte, kFortieth, AT(m_dBattery, 0)},
    {0x06, 30, 1, 0, kByte, kNone, ONE(m_byC1CellStatus)},
    {0x06, 32, 3, 2, kByte, kHundredth, AT(m_dC2Cell, 0)},
    {0x06, 38, 1, 0, kByte, kHundredth, ONE(m_dC2Measured)},
    {0x06, 40, 2, 2, kByte, kFortieth, AT(m_dBattery, 2)},
    {0x06, 44, 1, 0, kByte, kNone, ONE(m_byC2CellStatus)},
    {0x06, 46, 1, 0, kByte, kNone, ONE(m_byCellStatusExtra)},
    {0x06, 48, 1, 0, kByte, kNone, ONE(m_byStatusExt)},
    {0x06, 52, 3, 2, kByte, kNone, AT(m_byStatus, 6)},
    {0x06, 58, 1, 0, kByte, kHundredth, ONE(m_dSetpoint)},
    {0x06, 60, 1, 0, kByte, kNone, ONE(m_dCNS)},
    {0x06, 62, 1, 0, kByte, kNone, ONE(m_dOTU)},
    {0x09, 10, 9, 4, kByte, kNone, AT(m_nGasO2, 0)},
    {0x09, 12, 9, 4, kByte, kNone, AT(m_nGasHe, 0)},
    {0x0A, 10, 9, 4, kWord, kNone, AT(m_dCylinder, 0)},
    {0x0A, 46, 1, 0, kWord, kNone, AT(m_dCylinder, 12)},
    {0x0C, 10, 1, 0, kWord, kNone, ONE(m_nDecoWord0)},
    {0x0C, 14, 1, 0, kWord, kNone, ONE(m_dCeilingPressure)},
    {0x0C, 18, 1, 0, kWord, kNone, ONE(m_dDecoWord2)},
    {0x0C, 22, 1, 0, kWord, kNone, ONE(m_dDecoSurfacePressure)},
    {0x0C, 26, 1, 0, kWord, kNone, ONE(m_dDecoWord4)},
    {0x0C, 30, 1, 0, kFloatBE, kNone, ONE(m_fGradientFactor)},
    {0x0C, 38, 1, 0, kByte, kNone, ONE(m_nGasNumber)},
    {0x0C, 40, 1, 0, kByte, kNone, ONE(m_dGasO2)},
    {0x0C, 42, 1, 0, kByte, kNone, ONE(m_dGasHe)},
    {0x0D, 0, 1, 0, kSet, kNone, ONE(m_bHasDiveDetect)},
    {0x0D, 10, 1, 0, kByte, kNone, ONE(m_byDiveDetectStatus)},
    {0x0D, 12, 1, 0, kByte, kNone, ONE(m_dDiveEndDepth)},
    {0x0D, 14, 1, 0, kByte, kNone, ONE(m_dDiveStartDepth)},
    {0x0D, 16, 1, 0, kByte, kNone, AT(m_dDiveDetect, 0)},
    {0x0D, 18, 1, 0, kWord, kNone, AT(m_dDiveDetect, 1)},
    {0x0D, 22, 8, 2, kByte, kNone, AT(m_dDiveDetect, 2)},
    {0x0D, 38, 6, 2, kByte, kNone, AT(m_byStatus, 0)},
    {0x0D, 52, 1, 0, kByte, kNone, AT(m_byStatus, 9)},
    {0x14, 10, 9, 2, kByte, kQuarter, AT(m_dProbeTemp, 0)},
    {0x14, 28, 1, 0, kByte, kNone, ONE(m_byProbeFlags)},
    {0x14, 36, 1, 0, kWord, kTenth, ONE(m_dPPCO2)},
    SPLIT_TABLE(0x21, m_dTableA),
    SPLIT_TABLE(0x24, m_dTableB),
};

#undef AT
#undef ONE
#undef SHORT_PROBES
#undef SPLIT_TABLE

// Rules by record type: [first, end) into a layout's table, which is sorted by type.
struct CIndex {
    std::array<uint16_t, 257> start{};
};

template <size_t N> CIndex MakeIndex(const CFieldRule (&rules)[N]) {
    CIndex index;
    size_t r = 0;
    for (unsigned type = 0; type <= 256; ++type) {
        while (r < N && rules[r].recordType < type)
            ++r;
        index.start[type] = static_cast<uint16_t>(r);
    }
    return index;
}

template <size_t N>
std::span<const CFieldRule> Slice(const CFieldRule (&rules)[N], const CIndex& index,
                                  unsigned type) {
    if (type > 255)
        return {};
    return std::span<const CFieldRule>(rules).subspan(index.start[type],
                                                      index.start[type + 1] - index.start[type]);
}

double Read(const CFieldRule& rule, std::string_view line, size_t p) {
    using namespace hexdigits;
    switch (rule.field) {
    case kByte:
        return Byte(line, p);
    case kWord:
        return Word(line, p);
    case kSignedWord:
        return SignedWord(line, p);
    case kFloatBE:
        return ParseFloatBE(line.substr(p, 8));
    case kSplitFloat:
        return ParseSplitFloat(Byte(line, p), Byte(line, p + 2), Byte(line, p + 4),
                               Byte(line, p + 6));
    case kSet:
        break;
    }
    return 1.0;
}

double Scaled(EScale scale, double v) {
    switch (scale) {
    case kQuarter:
        return v * 0.25;
    case kTenth:
        return v / 10.0;
    case kHundredth:
        return v / 100.0;
    case kFortieth:
        return v / 40.0;
    case kInterval:
        return v == 255.0 ? 10.0 : v;
    case kNone:
        break;
    }
    return v;
}

} // namespace

std::span<const CFieldRule> RulesFor(unsigned recordType, const CRecordFormat& format,
                                     size_t& lineLength) {
    static const CIndex shortIndex = MakeIndex(kShort);
    static const CIndex frcIndex = MakeIndex(kFrc);
    if (format.frcLayout) {
        lineLength = CRecordFormat::kFrcLineLength;
        return Slice(kFrc, frcIndex, recordType);
    }
    lineLength = recordType == 0x1A ? CRecordFormat::kShortCylinderLineLength
                                    : CRecordFormat::kShortLineLength;
    return Slice(kShort, shortIndex, recordType);
}

void Apply(std::span<const CFieldRule> rules, std::string_view line, const CRecordFormat& format,
           CDiveLogSample& sample) {
    for (const CFieldRule& rule : rules) {
        if ((rule.when == EWhen::kLevel4 && !format.level4) ||
            (rule.when == EWhen::kBelowLevel4 && format.level4))
            continue;
        // The common case, plain bytes, without a choice per value: most of a line is bytes.
        if (rule.field == kByte && rule.scale == kNone) {
            for (int k = 0; k < rule.count; ++k)
                rule.store(
                    sample, k,
                    hexdigits::Byte(line, rule.position + static_cast<size_t>(k) * rule.stride));
            continue;
        }
        for (int k = 0; k < rule.count; ++k) {
            const size_t p = rule.position + static_cast<size_t>(k) * rule.stride;
            rule.store(sample, k, Scaled(rule.scale, Read(rule, line, p)));
        }
    }
}

} // namespace samplelayout
