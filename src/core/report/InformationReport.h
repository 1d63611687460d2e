#pragma once
// The printed dive information: the banner, then Summary, Information, DiveType, Gas Management
// and Notes, each under an underlined heading at 12.5 mm.
#include <string>

#include "report/ReportPage.h"
#include "viewmodel/ProfileStrings.h"

class CDiveLog;
class CDiveLogInformation;

namespace report {

inline constexpr double kSectionX = 12.5;
inline constexpr double kSummaryLabelX[3] = {12.5, 70.0, 135.0};
inline constexpr double kSummaryValueX[3] = {42.5, 110.0, 165.0};
inline constexpr double kDetailValueX = 42.5;
inline constexpr double kGasRowLabelX = 14.5;
// Oxygen, Helium, Nitrogen, Max Pressure, Cylinder Size, Pressure IN, Pressure OUT, Gas Used.
inline constexpr double kGasColumnX[8] = {33.0, 55.5, 74.5, 95.0, 117.0, 139.0, 161.0, 183.0};

// "51°30'26\" N 0°7'39\" W" (the degree sign as the 8-bit 0xB0).
std::string LatLongText(const CDiveLogInformation& info);
// The ticked dive types by their names, comma separated.
std::string DiveTypeText(const CDiveLogInformation& info, const TextLookup& lookup = BuiltInText);
// The absorbent the unit was filled with; the logs carry no code for it yet.
inline constexpr int kUnknownAbsorbent = 24686;
std::string AbsorbentTypeText(int code, const TextLookup& lookup = BuiltInText);
// The decompression option of the log's display ("Trimix", "Nitrox", ...), empty when unknown.
std::string DisplayDecoOption(const CDiveLog& log);

CReportPage LayoutInformationReport(double width, double height, const std::string& banner,
                                    const CDiveLog& log, bool metric, const CTextMeasure& measure,
                                    const TextLookup& lookup = BuiltInText);

// Splits `text` at spaces into lines no wider than `width`; a word wider than the line stands
// alone on its line. Line breaks in the text are kept.
std::vector<std::string> WrapText(const std::string& text, double width, double heightMm,
                                  const CTextMeasure& measure);

} // namespace report
