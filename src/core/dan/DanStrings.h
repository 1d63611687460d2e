#pragma once
// Numbers of the DAN wizard's and the DAN mail's texts in the string table (the 24500 range;
// the option lists follow from 24700, twelve numbers per list, in the order of EDanList).
namespace danstr {
enum : int {
    kTitle = 24500, // "DAN7 Data Acquisition"
    kSubtitleDiverID,
    kSubtitleAddress,
    kSubtitleDetails,
    kSubtitleDetailsContinued,
    kSubtitleSafety,
    kSubtitleSafetyContinued,
    kIntro1,
    kIntro2,
    kIntro3,
    kIntro4,
    kEnterInteger,
    kEnterNumber,
    kMailSubject,
    kMailBody,
    kCannotCarry,

    kDiverID = 24520,
    kDivingLicence,
    kIssuingAgency,
    kDANMemberNo,
    kName,
    kNameFirst,
    kNameInitials,
    kNameFamily,
    kDateOfBirth,
    kWeight,
    kHeight,
    kAddressLine1,
    kAddressLine2,
    kCity,
    kStateProvince,
    kZipPostCode,
    kPhoneHome,
    kPhoneBusiness,
    kPhoneCountry,
    kPhoneArea,
    kPhoneNumber,
    kEMail,
    kLanguage,
    kCitizenship,
    kAlcohol,
    kMedication,
    kVisibility,
    kCurrent,
    kComments,

    // Group labels of the option lists, in the order of EDanList.
    kFirstListLabel = 24560,

    kFirstOption = 24700,
    kOptionsPerList = 12,
};
} // namespace danstr
