#include "logfile/SampleLayouts.h"

#include <array>
#include <cstdint>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "logfile/CDiveLogSample.h"
#include "logfile/FieldParsers.h"
#include "logfile/HexDigits.h"

namespace samplelayout {

namespace {

// A line with characters that are not hex digits can still pass its checksum, and then a byte
// reads as far more than 255. Whole-number fields take such a value modulo their width, as a
// conversion through a machine integer gives it, instead of a conversion the language leaves
// undefined.
template <class T> void Put(T& field, double value) {
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
        constexpr double kLimit = 9.0e18; // well inside int64_t
        field =
            value > -kLimit && value < kLimit ? static_cast<T>(static_cast<int64_t>(value)) : T{};
    } else {
        field = static_cast<T>(value);
    }
}

double Read(EField field, std::string_view line, size_t p) {
    using namespace hexdigits;
    switch (field) {
    case EField::kByte:
        return Byte(line, p);
    case EField::kWord:
        return Word(line, p);
    case EField::kSignedWord:
        return SignedWord(line, p);
    case EField::kFloatBE:
        return ParseFloatBE(line.substr(p, 8));
    case EField::kSplitFloat:
        return ParseSplitFloat(Byte(line, p), Byte(line, p + 2), Byte(line, p + 4),
                               Byte(line, p + 6));
    case EField::kSet:
        break;
    }
    return 1.0;
}

double Scaled(EScale scale, double v) {
    switch (scale) {
    case EScale::kQuarter:
        return v * 0.25;
    case EScale::kTenth:
        return v / 10.0;
    case EScale::kHundredth:
        return v / 100.0;
    case EScale::kFortieth:
        return v / 40.0;
    case EScale::kInterval:
        return v == 255.0 ? 10.0 : v;
    case EScale::kNone:
        break;
    }
    return v;
}

// Element `k` of the rule's target: `Member` a plain field, or an array whose elements from
// `Base` on the rule fills.
template <auto Member, int Base> auto& Target(CDiveLogSample& s, int k) {
    if constexpr (Base < 0)
        return s.*Member;
    else
        return (s.*Member)[Base + k];
}
template <auto Member, int Base> const auto& Target(const CDiveLogSample& s, int k) {
    return Target<Member, Base>(const_cast<CDiveLogSample&>(s), k);
}

// The field and scale are known here, so the switches above fold away.
template <EField F, EScale S, auto Member, int Base>
void ApplyRule(const CFieldRule& rule, std::string_view line, CDiveLogSample& sample) {
    for (int k = 0; k < rule.count; ++k) {
        const size_t p = rule.position + static_cast<size_t>(k) * rule.stride;
        Put(Target<Member, Base>(sample, k), Scaled(S, Read(F, line, p)));
    }
}

template <auto Member, int Base>
void CopyRule(const CFieldRule& rule, const CDiveLogSample& from, CDiveLogSample& to) {
    for (int k = 0; k < rule.count; ++k)
        Target<Member, Base>(to, k) = Target<Member, Base>(from, k);
}

// The characters a rule reads: each value's two to eight from its place on.
constexpr uint64_t ReadMask(unsigned position, unsigned count, unsigned stride, EField field,
                            unsigned word) {
    unsigned width = 0;
    switch (field) {
    case EField::kByte:
        width = 2;
        break;
    case EField::kWord:
    case EField::kSignedWord:
        width = 4;
        break;
    case EField::kFloatBE:
    case EField::kSplitFloat:
        width = 8;
        break;
    case EField::kSet:
        break;
    }
    uint64_t mask = 0;
    for (unsigned k = 0; k < count; ++k)
        for (unsigned i = position + k * stride; i < position + k * stride + width; ++i)
            if (i / 64 == word)
                mask |= uint64_t{1} << (i % 64);
    return mask;
}

// One rule: where, what, and into which field (element `base` on of an array, or a plain field),
// for the versions `when` says.
#define RULE_WHEN(type, position, count, stride, field, scale, member, base, when)                 \
    {                                                                                              \
        type, position, count, stride, field, scale,                                               \
            &ApplyRule<field, scale, &CDiveLogSample::member, base>,                               \
            &CopyRule<&CDiveLogSample::member, base>, when, {                                      \
            ReadMask(position, count, stride, field, 0),                                           \
                ReadMask(position, count, stride, field, 1)                                        \
        }                                                                                          \
    }
#define RULE(type, position, count, stride, field, scale, member, base)                            \
    RULE_WHEN(type, position, count, stride, field, scale, member, base, EWhen::kAlways)
#define ONE_VALUE -1

using enum EField;
using enum EScale;

// The short layout's probe record comes as 0x04 and as 0x14.
#define SHORT_PROBES(type)                                                                         \
    RULE(type, 2, 9, 2, kByte, kQuarter, m_dProbeTemp, 0),                                         \
        RULE(type, 20, 1, 0, kByte, kNone, m_byProbeFlags, ONE_VALUE),                             \
        RULE(type, 22, 1, 0, kSignedWord, kTenth, m_dAmbientTemp, ONE_VALUE),                      \
        RULE(type, 26, 1, 0, kByte, kNone, m_dCNS, ONE_VALUE),                                     \
        RULE(type, 28, 1, 0, kByte, kNone, m_dOTU, ONE_VALUE),                                     \
        RULE(type, 30, 1, 0, kByte, kTenth, m_dPPCO2, ONE_VALUE)

// Short layout: 34-character lines (0x1A: 26). After a 0x06 line the sample votes its cells.
constexpr CFieldRule kShort[] = {
    SHORT_PROBES(0x04),
    RULE(0x06, 2, 1, 0, kWord, kNone, m_dPressure, ONE_VALUE),
    RULE(0x06, 6, 3, 2, kByte, kHundredth, m_dC1Cell, 0),
    RULE(0x06, 12, 2, 2, kByte, kFortieth, m_dBattery, 0),
    RULE(0x06, 16, 1, 0, kByte, kNone, m_byC1CellStatus, ONE_VALUE),
    RULE(0x06, 18, 3, 2, kByte, kHundredth, m_dC2Cell, 0),
    RULE(0x06, 24, 2, 2, kByte, kFortieth, m_dBattery, 2),
    RULE(0x06, 28, 1, 0, kByte, kNone, m_byC2CellStatus, ONE_VALUE),
    RULE(0x06, 30, 1, 0, kByte, kNone, m_byCellStatusExtra, ONE_VALUE),
    RULE(0x07, 2, 1, 0, kByte, kNone, m_dGasO2, ONE_VALUE),
    RULE(0x07, 4, 1, 0, kByte, kNone, m_dGasHe, ONE_VALUE),
    RULE(0x07, 8, 1, 0, kByte, kHundredth, m_dSetpoint, ONE_VALUE),
    RULE(0x07, 10, 10, 2, kByte, kNone, m_byStatus, 0),
    // Older display code logged the sample interval in the last byte (255 standing for 10).
    RULE_WHEN(0x07, 30, 1, 0, kByte, kNone, m_byStatusExt, ONE_VALUE, EWhen::kLevel4),
    RULE_WHEN(0x07, 30, 1, 0, kByte, kInterval, m_nSampleInterval, ONE_VALUE, EWhen::kBelowLevel4),
    RULE(0x09, 2, 6, 4, kByte, kNone, m_nGasO2, 0),
    RULE(0x09, 4, 6, 4, kByte, kNone, m_nGasHe, 0),
    RULE(0x09, 26, 1, 0, kByte, kNone, m_dDiveDetect, CDiveLogSample::kGfLowIndex),
    RULE(0x09, 28, 1, 0, kByte, kNone, m_dDiveDetect, CDiveLogSample::kGfHighIndex),
    RULE(0x09, 30, 1, 0, kByte, kNone, m_nConservatism, ONE_VALUE),
    RULE(0x0A, 2, 6, 4, kWord, kNone, m_dCylinder, 0),
    RULE(0x0A, 26, 1, 0, kWord, kNone, m_dCylinder, 12),
    RULE(0x0C, 2, 1, 0, kWord, kNone, m_nDecoWord0, ONE_VALUE),
    RULE(0x0C, 6, 1, 0, kWord, kNone, m_dCeilingPressure, ONE_VALUE),
    RULE(0x0C, 10, 1, 0, kWord, kNone, m_dDecoWord2, ONE_VALUE),
    RULE(0x0C, 14, 1, 0, kWord, kNone, m_dDecoSurfacePressure, ONE_VALUE),
    RULE(0x0C, 18, 1, 0, kWord, kNone, m_dDecoWord4, ONE_VALUE),
    RULE(0x0C, 22, 1, 0, kFloatBE, kNone, m_fGradientFactor, ONE_VALUE),
    RULE(0x0C, 30, 1, 0, kByte, kNone, m_nGasNumber, ONE_VALUE),
    RULE(0x0D, 0, 1, 0, kSet, kNone, m_bHasDiveDetect, ONE_VALUE),
    RULE(0x0D, 2, 1, 0, kByte, kNone, m_byDiveDetectStatus, ONE_VALUE),
    RULE(0x0D, 4, 1, 0, kByte, kNone, m_dDiveEndDepth, ONE_VALUE),
    RULE(0x0D, 6, 1, 0, kByte, kNone, m_dDiveStartDepth, ONE_VALUE),
    SHORT_PROBES(0x14),
    RULE(0x19, 2, 6, 4, kByte, kNone, m_nGasO2, 6),
    RULE(0x19, 4, 6, 4, kByte, kNone, m_nGasHe, 6),
    RULE(0x1A, 2, 6, 4, kWord, kNone, m_dCylinder, 6),
    RULE(0x40, 2, 1, 0, kWord, kTenth, m_dDpsTemp, ONE_VALUE),
    RULE(0x40, 6, 1, 0, kWord, kHundredth, m_dPpmACO2, ONE_VALUE),
    RULE(0x40, 10, 1, 0, kWord, kTenth, m_dPpCO2Cor, ONE_VALUE),
    RULE(0x40, 14, 1, 0, kWord, kNone, m_dPAmbCO2, ONE_VALUE),
    RULE(0x40, 18, 1, 0, kWord, kNone, m_dCO2Led, ONE_VALUE),
    RULE(0x40, 22, 1, 0, kWord, kNone, m_dCO2Temp, ONE_VALUE),
    RULE(0x40, 26, 1, 0, kWord, kHundredth, m_dCO2Filt, ONE_VALUE),
    RULE(0x40, 30, 1, 0, kByte, kQuarter, m_dTsT8, ONE_VALUE),
};

// The two 16-value tables come six split floats to a line (the third line four).
#define SPLIT_TABLE(first, member)                                                                 \
    RULE(first, 10, 6, 8, kSplitFloat, kNone, member, 0),                                          \
        RULE(first + 1, 10, 6, 8, kSplitFloat, kNone, member, 6),                                  \
        RULE(first + 2, 10, 4, 8, kSplitFloat, kNone, member, 12)

// FRC layout: 66-character lines, characters 2-9 the timestamp. The CO2 record (0x40) carries
// nothing for the sample in this layout.
constexpr CFieldRule kFrc[] = {
    RULE(0x06, 10, 1, 0, kWord, kNone, m_dPressure, ONE_VALUE),
    RULE(0x06, 14, 1, 0, kSignedWord, kTenth, m_dAmbientTemp, ONE_VALUE),
    RULE(0x06, 18, 3, 2, kByte, kHundredth, m_dC1Cell, 0),
    RULE(0x06, 24, 1, 0, kByte, kHundredth, m_dC1Measured, ONE_VALUE),
    RULE(0x06, 26, 2, 2, kByte, kFortieth, m_dBattery, 0),
    RULE(0x06, 30, 1, 0, kByte, kNone, m_byC1CellStatus, ONE_VALUE),
    RULE(0x06, 32, 3, 2, kByte, kHundredth, m_dC2Cell, 0),
    RULE(0x06, 38, 1, 0, kByte, kHundredth, m_dC2Measured, ONE_VALUE),
    RULE(0x06, 40, 2, 2, kByte, kFortieth, m_dBattery, 2),
    RULE(0x06, 44, 1, 0, kByte, kNone, m_byC2CellStatus, ONE_VALUE),
    RULE(0x06, 46, 1, 0, kByte, kNone, m_byCellStatusExtra, ONE_VALUE),
    RULE(0x06, 48, 1, 0, kByte, kNone, m_byStatusExt, ONE_VALUE),
    RULE(0x06, 52, 3, 2, kByte, kNone, m_byStatus, 6),
    RULE(0x06, 58, 1, 0, kByte, kHundredth, m_dSetpoint, ONE_VALUE),
    RULE(0x06, 60, 1, 0, kByte, kNone, m_dCNS, ONE_VALUE),
    RULE(0x06, 62, 1, 0, kByte, kNone, m_dOTU, ONE_VALUE),
    RULE(0x09, 10, 9, 4, kByte, kNone, m_nGasO2, 0),
    RULE(0x09, 12, 9, 4, kByte, kNone, m_nGasHe, 0),
    RULE(0x0A, 10, 9, 4, kWord, kNone, m_dCylinder, 0),
    RULE(0x0A, 46, 1, 0, kWord, kNone, m_dCylinder, 12),
    RULE(0x0C, 10, 1, 0, kWord, kNone, m_nDecoWord0, ONE_VALUE),
    RULE(0x0C, 14, 1, 0, kWord, kNone, m_dCeilingPressure, ONE_VALUE),
    RULE(0x0C, 18, 1, 0, kWord, kNone, m_dDecoWord2, ONE_VALUE),
    RULE(0x0C, 22, 1, 0, kWord, kNone, m_dDecoSurfacePressure, ONE_VALUE),
    RULE(0x0C, 26, 1, 0, kWord, kNone, m_dDecoWord4, ONE_VALUE),
    RULE(0x0C, 30, 1, 0, kFloatBE, kNone, m_fGradientFactor, ONE_VALUE),
    RULE(0x0C, 38, 1, 0, kByte, kNone, m_nGasNumber, ONE_VALUE),
    RULE(0x0C, 40, 1, 0, kByte, kNone, m_dGasO2, ONE_VALUE),
    RULE(0x0C, 42, 1, 0, kByte, kNone, m_dGasHe, ONE_VALUE),
    RULE(0x0D, 0, 1, 0, kSet, kNone, m_bHasDiveDetect, ONE_VALUE),
    RULE(0x0D, 10, 1, 0, kByte, kNone, m_byDiveDetectStatus, ONE_VALUE),
    RULE(0x0D, 12, 1, 0, kByte, kNone, m_dDiveEndDepth, ONE_VALUE),
    RULE(0x0D, 14, 1, 0, kByte, kNone, m_dDiveStartDepth, ONE_VALUE),
    RULE(0x0D, 16, 1, 0, kByte, kNone, m_dDiveDetect, 0),
    RULE(0x0D, 18, 1, 0, kWord, kNone, m_dDiveDetect, 1),
    RULE(0x0D, 22, 8, 2, kByte, kNone, m_dDiveDetect, 2),
    RULE(0x0D, 38, 6, 2, kByte, kNone, m_byStatus, 0),
    RULE(0x0D, 52, 1, 0, kByte, kNone, m_byStatus, 9),
    RULE(0x14, 10, 9, 2, kByte, kQuarter, m_dProbeTemp, 0),
    RULE(0x14, 28, 1, 0, kByte, kNone, m_byProbeFlags, ONE_VALUE),
    RULE(0x14, 36, 1, 0, kWord, kTenth, m_dPPCO2, ONE_VALUE),
    SPLIT_TABLE(0x21, m_dTableA),
    SPLIT_TABLE(0x24, m_dTableB),
};

#undef RULE
#undef RULE_WHEN
#undef ONE_VALUE
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

namespace {

bool Applies(const CFieldRule& rule, const CRecordFormat& format) {
    return !((rule.when == EWhen::kLevel4 && !format.level4) ||
             (rule.when == EWhen::kBelowLevel4 && format.level4));
}

} // namespace

void Apply(std::span<const CFieldRule> rules, std::string_view line, const CRecordFormat& format,
           CDiveLogSample& sample) {
    for (const CFieldRule& rule : rules) {
        if (Applies(rule, format))
            rule.apply(rule, line, sample);
    }
}

void Copy(std::span<const CFieldRule> rules, const CRecordFormat& format,
          const CDiveLogSample& from, CDiveLogSample& to) {
    for (const CFieldRule& rule : rules) {
        if (Applies(rule, format))
            rule.copy(rule, from, to);
    }
}

namespace {

// Sets bit i % 64 of differ[i / 64] for each of the `n` (at most 128) characters where a and b
// differ, sixteen at a time where the lines allow.
void MarkDiffering(const char* a, const char* b, size_t n, uint64_t (&differ)[2]) {
    differ[0] = differ[1] = 0;
    auto put = [&](size_t at, uint64_t bits) {
        differ[at / 64] |= bits << (at % 64);
        if (at % 64 != 0 && at / 64 + 1 < 2)
            differ[at / 64 + 1] |= bits >> (64 - at % 64);
    };
    size_t i = 0;
#if defined(__SSE2__)
    auto block = [&](size_t at) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
        return static_cast<uint64_t>(~_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) & 0xFFFF);
    };
    for (; i + 16 <= n; i += 16)
        put(i, block(i));
    if (i < n && n >= 16) {
        // The rest as the end of a block that overlaps the last one: its first lanes are known.
        put(i, block(n - 16) >> (16 - (n - i)));
        i = n;
    }
#endif
    for (; i < n; ++i)
        put(i, static_cast<uint64_t>(a[i] != b[i]));
}

} // namespace

void ApplyChanged(std::span<const CFieldRule> rules, std::string_view line, std::string_view before,
                  const CRecordFormat& format, CDiveLogSample& into, CDiveLogSample* alsoInto) {
    const size_t n = line.size();
    if (n != before.size() || n > 128) {
        // Not what this is for: every rule then, as a whole decode would.
        Apply(rules, line, format, into);
        if (alsoInto)
            Copy(rules, format, into, *alsoInto);
        return;
    }
    uint64_t differ[2];
    MarkDiffering(line.data(), before.data(), n, differ);
    for (const CFieldRule& rule : rules) {
        if (((differ[0] & rule.reads[0]) | (differ[1] & rule.reads[1])) == 0 ||
            !Applies(rule, format))
            continue;
        rule.apply(rule, line, into);
        if (alsoInto)
            rule.copy(rule, into, *alsoInto);
    }
}

} // namespace samplelayout
