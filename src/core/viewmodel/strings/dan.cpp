#include "dan/DanChoices.h"
#include "dan/DanStrings.h"
#include "viewmodel/StringTable.h"

namespace strings {

// The DAN wizard, its option lists and the DAN mail.
void AddDanStrings(std::map<int, const char*>& table) {
    static const StringEntry kEntries[] = {
        {danstr::kTitle, "DAN7 Data Acquisition"},
        {danstr::kSubtitleDiverID, "Diver Identification & Demographics"},
        {danstr::kSubtitleAddress, "Diver Address"},
        {danstr::kSubtitleDetails, "Dive Details"},
        {danstr::kSubtitleDetailsContinued, "Dive Details Continued"},
        {danstr::kSubtitleSafety, "Safety & Outcome"},
        {danstr::kSubtitleSafetyContinued, "Safety & Outcome Continued"},
        {danstr::kIntro1, "This wizard collects all the details required by DAN."},
        {danstr::kIntro2, "Some items are optional and you can leave these blank.  Others are "
                          "required and are marked with *."},
        {danstr::kIntro3,
         "Most of the data is stored in the registry so that exporting multiple dives is "
         "easier.  However the Safety && Outcome items are not as these should be carefully "
         "reported for each dive."},
        {danstr::kIntro4, "Step backwards and forwards through the wizard until you have set all "
                          "the data correctly.  Clicking 'Finish' will start the export process."},
        {danstr::kEnterInteger, "Please enter an integer."},
        {danstr::kEnterNumber, "Please enter a number."},
        {danstr::kMailSubject, "DAN Log File"},
        {danstr::kMailBody, "Note:  Any text you enter here will not be processed."},
        {danstr::kCannotCarry,
         "The export cannot carry the character \"%s\". Please enter the text without it."},

        {danstr::kDiverID, "DAN Diver ID"},
        {danstr::kDivingLicence, "Diving Licence"},
        {danstr::kIssuingAgency, "Issuing Agency"},
        {danstr::kDANMemberNo, "DAN Member No."},
        {danstr::kName, "Name"},
        {danstr::kNameFirst, "First"},
        {danstr::kNameInitials, "Initials"},
        {danstr::kNameFamily, "Family"},
        {danstr::kDateOfBirth, "Date of Birth\n(DD/MM/YYYY)"},
        {danstr::kWeight, "Weight"},
        {danstr::kHeight, "Height"},
        {danstr::kAddressLine1, "Address Line 1"},
        {danstr::kAddressLine2, "Address Line 2"},
        {danstr::kCity, "City"},
        {danstr::kStateProvince, "State / Province"},
        {danstr::kZipPostCode, "Zip / Post Code"},
        {danstr::kPhoneHome, "Phone No (Home)"},
        {danstr::kPhoneBusiness, "Phone No (Business)"},
        {danstr::kPhoneCountry, "Country"},
        {danstr::kPhoneArea, "Area"},
        {danstr::kPhoneNumber, "Number"},
        {danstr::kEMail, "E Mail Address"},
        {danstr::kLanguage, "Language"},
        {danstr::kCitizenship, "Citizenship"},
        {danstr::kAlcohol, "Alcohol (Units)"},
        {danstr::kMedication, "Medication"},
        {danstr::kVisibility, "Visibilty (m)"},
        {danstr::kCurrent, "Current (knts)"},
        {danstr::kComments,
         "Comments.\nPlease, enter all gas mixes used during the dive and depths and times of "
         "gas switches. Describe in details symptoms if any occurred after dive."},
    };
    for (const auto& e : kEntries)
        table.emplace(e.id, e.text);

    static const char* const kListLabels[] = {"Sex",
                                              "Units",
                                              "Units",
                                              "Purpose",
                                              "Program",
                                              "Environment",
                                              "Platform",
                                              "Dive Plan",
                                              "Dive Table",
                                              "Dress",
                                              "Apparatus",
                                              "Gas Source",
                                              "Breathing Gas",
                                              "Decompression",
                                              "State of Rest",
                                              "Exercise",
                                              "Thermal Comfort",
                                              "Workload",
                                              "Problems",
                                              "Equip. Malfunctions",
                                              "Any Symptoms",
                                              "Exposure To Altitude"};
    static_assert(std::size(kListLabels) == static_cast<size_t>(EDanList::Count));
    for (int i = 0; i < static_cast<int>(EDanList::Count); ++i) {
        const CDanChoiceList& list = DanChoiceList(static_cast<EDanList>(i));
        table.emplace(list.labelId, kListLabels[i]);
        for (size_t k = 0; k < list.options.size(); ++k)
            table.emplace(list.firstOptionId + static_cast<int>(k), list.options[k]);
    }
}

} // namespace strings
