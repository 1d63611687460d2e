#include "dan/DanChoices.h"

#include <array>

#include "dan/DanStrings.h"

namespace {
const char* const kSex[] = {"Female", "Male", "Other"};
const char* const kWeightUnits[] = {"lb", "kg"};
const char* const kHeightUnits[] = {"inches", "cm"};
const char* const kPurpose[] = {"Sightseeing", "Learning",     "Teaching",    "Research",
                                "Photography", "Spearfishing", "Proficiency", "Work",
                                "Other",       "Unspecified"};
const char* const kProgram[] = {"Recreation",  "Training",   "Scientific",
                                "Medical",     "Commercial", "Military",
                                "Competitive", "Other",      "Unspecified"};
const char* const kEnvironment[] = {"Ocean/Sea", "Lake/Quarry", "River/Spring", "Cave/Cavern",
                                    "Pool",      "Chamber",     "Under Ice",    "Other"};
const char* const kPlatform[] = {"Beach/Shore", "Pier",  "Small Boat", "Charter Boat",
                                 "Live-Aboard", "Barge", "Landside",   "Hyperbaric Facility",
                                 "Other"};
const char* const kDivePlan[] = {"None", "Table", "Computer", "Another Diver"};
const char* const kDiveTable[] = {"PADI", "NAUI",  "BSAC",  "Buehlman", "DCIEM",      "US Navy",
                                  "CSMD", "COMEX", "Other", "None",     "Unspecified"};
const char* const kDress[] = {"Dive Skin", "Wet Suit", "Dry Suit", "Hot Water Suit", "Other"};
const char* const kApparatus[] = {"Scuba Open", "Rebreather",   "Surface Supplied",
                                  "Chamber",    "Experimental", "Other"};
const char* const kGasSource[] = {"Diver carried tank", "Compressor", "Air Banks",  "Gas Banks",
                                  "Mix Maker",          "Other",      "Unspecified"};
const char* const kBreathingGas[] = {"Air",    "Nitrox",      "Heliox", "Trimix",
                                     "Oxygen", "Combination", "Other"};
const char* const kDecompression[] = {"Safety Stop", "In Water", "In Chamber", "Other", "None"};
const char* const kStateOfRest[] = {"Rested", "Tired", "Exhausted", "Unspecified"};
const char* const kExercise[] = {"None", "Light", "Moderate", "Heavy", "Unspecified"};
const char* const kThermalComfort[] = {"Comfortable", "Cold", "Very Cold", "Hot"};
const char* const kWorkload[] = {"Resting", "Light", "Moderate", "Severe", "Exhausting"};
const char* const kProblems[] = {"Equalisation", "Vertigo",    "Out of Air",
                                 "Buoyancy",     "Shared Air", "Rapid Ascent",
                                 "Sea Sickness", "Other",      "None"};
const char* const kEquipmentMalfunctions[] = {
    "Face Mask",           "Fins",          "Weight Belt", "BC",
    "Thermal Protection",  "Dive Computer", "Depth Gauge", "Pressure gauge",
    "Breathing Apparatus", "None",          "Other",       "Deco Reel"};
const char* const kAnySymptoms[] = {"Yes", "No"};
// The misspellings are the texts divers' language files already translate.
const char* const kExposureToAltitude[] = {"Commercial Aircraft", "Upressurised Aircraft",
                                           "MedEvac Aircraft",    "Ground Transportaion",
                                           "Helicopter",          "None"};

constexpr int Label(EDanList list) {
    return danstr::kFirstListLabel + static_cast<int>(list);
}
constexpr int First(EDanList list) {
    return danstr::kFirstOption + danstr::kOptionsPerList * static_cast<int>(list);
}

#define DAN_LIST(list, value, options)                                                             \
    { value, Label(EDanList::list), First(EDanList::list), options }

const std::array<CDanChoiceList, static_cast<size_t>(EDanList::Count)> kLists = {{
    DAN_LIST(Sex, "Sex", kSex),
    DAN_LIST(WeightUnits, "WeightUnits", kWeightUnits),
    DAN_LIST(HeightUnits, "HeightUnits", kHeightUnits),
    DAN_LIST(Purpose, "DetailsPurpose", kPurpose),
    DAN_LIST(Program, "DetailsProgram", kProgram),
    DAN_LIST(Environment, "DetailsEnvironment", kEnvironment),
    DAN_LIST(Platform, "DetailsPlatform", kPlatform),
    DAN_LIST(DivePlan, "DetailsDivePlan", kDivePlan),
    DAN_LIST(DiveTable, "DetailsDiveTable", kDiveTable),
    DAN_LIST(Dress, "DetailsDress", kDress),
    DAN_LIST(Apparatus, "DetailsApparatus", kApparatus),
    DAN_LIST(GasSource, "DetailsGasSource", kGasSource),
    DAN_LIST(BreathingGas, "DetailsBreathingGas", kBreathingGas),
    DAN_LIST(Decompression, "DetailsDecompression", kDecompression),
    DAN_LIST(StateOfRest, "StateOfRest", kStateOfRest),
    DAN_LIST(Exercise, "Exercise", kExercise),
    DAN_LIST(ThermalComfort, "ThermalComfort", kThermalComfort),
    DAN_LIST(Workload, "Workload", kWorkload),
    DAN_LIST(Problems, "Problems", kProblems),
    DAN_LIST(EquipmentMalfunctions, "EquipmentMalfunctions", kEquipmentMalfunctions),
    DAN_LIST(AnySymptoms, "AnySymptoms", kAnySymptoms),
    DAN_LIST(ExposureToAltitude, "ExposureToAltitude", kExposureToAltitude),
}};
#undef DAN_LIST
} // namespace

const CDanChoiceList& DanChoiceList(EDanList list) {
    return kLists[static_cast<size_t>(list)];
}

const CDanChoiceList* FindDanChoiceList(std::string_view valueName) {
    for (const CDanChoiceList& list : kLists)
        if (list.valueName == valueName)
            return &list;
    return nullptr;
}
