#pragma once
// Where each sample field sits in the record lines of the two layouts: one table per layout,
// read by CDiveLogSample's decoder, so a position lives in one place.
#include <cstdint>
#include <span>
#include <string_view>

#include "logfile/RecordFormat.h"

class CDiveLogSample;

namespace samplelayout {

// How the characters at a position are read.
enum class EField : uint8_t {
    kByte,       // two digits
    kWord,       // four digits, most significant first
    kSignedWord, // four digits, two's complement
    kFloatBE,    // eight digits, an IEEE single, most significant byte first
    kSplitFloat, // the bytes at p, p + 2, p + 4 and p + 6 as a split float
    kSet,        // nothing read: the field is set to 1
};

// What is done to the value read before it is stored.
enum class EScale : uint8_t { kNone, kQuarter, kTenth, kHundredth, kFortieth, kInterval };

// Which display code versions a rule applies to.
enum class EWhen : uint8_t { kAlways, kLevel4, kBelowLevel4 };

// `count` values of `field` from `position` on, `stride` characters apart, stored as elements
// 0 .. count - 1 of the target. `apply` reads and stores them all, made for the rule's field,
// scale and target so that nothing is chosen per value; `copy` copies the target's elements
// from one sample to another.
struct CFieldRule {
    uint8_t recordType;
    uint8_t position;
    uint8_t count;
    uint8_t stride;
    EField field;
    EScale scale;
    void (*apply)(const CFieldRule& rule, std::string_view line, CDiveLogSample& sample);
    void (*copy)(const CFieldRule& rule, const CDiveLogSample& from, CDiveLogSample& to);
    EWhen when = EWhen::kAlways;
    // The characters the rule reads, as bit i % 64 of reads[i / 64] for character i.
    uint64_t reads[2] = {};
};

// The rules of `recordType` in the layout `format` selects, in line order, and the line length
// they need; empty for a type that carries no sample fields.
std::span<const CFieldRule> RulesFor(unsigned recordType, const CRecordFormat& format,
                                     size_t& lineLength);

// Applies the rules to a line of the right length.
void Apply(std::span<const CFieldRule> rules, std::string_view line, const CRecordFormat& format,
           CDiveLogSample& sample);
// Copies the fields the rules write from one sample to another: what applying them to the
// line `from` got gives `to` as well.
void Copy(std::span<const CFieldRule> rules, const CRecordFormat& format,
          const CDiveLogSample& from, CDiveLogSample& to);

// For a line of the same type and length as `before`, where `into` already holds what `before`
// decoded to: applies only the rules that read a character the two lines differ in, which gives
// `into` what applying them all would. A unit rewrites a record every second with one or two
// values changed, and decoding the rest again was most of the cost of such a line. `alsoInto`,
// when given, is brought up to date the same way (from `into`, so it must hold the same values
// of these fields too). Lines of another length than `before`, or longer than 128 characters
// (no layout has such lines), apply every rule.
void ApplyChanged(std::span<const CFieldRule> rules, std::string_view line, std::string_view before,
                  const CRecordFormat& format, CDiveLogSample& into,
                  CDiveLogSample* alsoInto = nullptr);

} // namespace samplelayout
