#pragma once
// The layout of the diver's details (records 0x80-0x8E) as one table: each record's type, what
// it holds, the member of CDiveLogInformation it fills, its key in the JSON dump and the number
// of the page control that edits it. Decode, Encode, the dive information page and the dump all
// work from this table.
#include <span>
#include <string>

#include "logfile/CDiveLogInformation.h"

enum class EInfoRecordKind {
    Text,      // every byte pair one character
    Index,     // one byte: a position in a list
    Position,  // latitude and longitude: hemisphere, degrees, minutes, seconds each
    DiveTypes, // nineteen flags, one byte each
};

struct CInfoRecord {
    unsigned type;
    EInfoRecordKind kind;
    std::string CDiveLogInformation::*text; // Text records
    int CDiveLogInformation::*index;        // Index records
    const char* jsonKey;                    // the position's two keys are "latitude", "longitude"
    int control; // the page control (its number is also its help text's); 0 for the dive types
};

// In the order the page and the dump show them (not the file order: see kRecordTypes).
std::span<const CInfoRecord> InformationRecords();
// The record of `type`; nullptr for 0x8A and any type outside the table.
const CInfoRecord* InformationRecord(unsigned type);
// The record edited by page control `control`; nullptr when none is.
const CInfoRecord* InformationRecordOfControl(int control);
