#pragma once
// The option lists of the DAN details and answers. A choice is kept as its position in its list,
// counted from 0; the export writes it counted from 1. The texts are numbered so that a language
// file can replace them.
#include <span>
#include <string_view>

enum class EDanList {
    Sex,
    WeightUnits,
    HeightUnits,
    Purpose,
    Program,
    Environment,
    Platform,
    DivePlan,
    DiveTable,
    Dress,
    Apparatus,
    GasSource,
    BreathingGas,
    Decompression,
    StateOfRest,
    Exercise,
    ThermalComfort,
    Workload,
    Problems,
    EquipmentMalfunctions,
    AnySymptoms,
    ExposureToAltitude,
    Count
};

struct CDanChoiceList {
    // The stored value ("DetailsPurpose") or the answer ("StateOfRest") the choice is kept in.
    std::string_view valueName;
    int labelId;                          // the group's label in the string table
    int firstOptionId;                    // the options follow from here, in order
    std::span<const char* const> options; // the built-in English texts
};

const CDanChoiceList& DanChoiceList(EDanList list);
// The list whose choice is kept under this name, or null.
const CDanChoiceList* FindDanChoiceList(std::string_view valueName);
