// zelvorlog export --dan: the viewer's Help > Email This File To DAN export without the wizard
// and without the mail.
#include <ostream>

#include "cli/CliCommon.h"
#include "dan/DanClock.h"
#include "dan/DanDetailsFile.h"
#include "dan/DanExport.h"
#include "logfile/CLineSource.h"
#include "logfile/FileIO.h"

namespace zelvorlog {
namespace {

const char kExportDanHelp[] =
    "Usage: zelvorlog export --dan FILE [-o OUT] [--details DETAILS]\n"
    "\n"
    "Writes the DAN export of a log as Help > Email This File To DAN does: the log unchanged\n"
    "followed by the 47 DAN data lines (a text log), or the log with its DAN data record put in\n"
    "place (a binary log). The export goes to OUT, by default beside FILE with the extension\n"
    "\".dan\"; FILE itself is never changed. The time stamp is the current local time (or\n"
    "SOURCE_DATE_EPOCH) with the standard time-zone offset of TZ.\n"
    "\n"
    "DETAILS is a text file of Name=Value lines holding what the viewer's DAN wizard asks:\n"
    "  the diver's details by their setting names (DiverID, DivingLicence, IssuingAgency,\n"
    "  DANMemberNo, NameFirst, NameInitials, NameFamily, DateOfBirth as YYYYMMDD, Sex, Weight,\n"
    "  WeightUnits, Height, HeightUnits, AddressLine1, AddressLine2, City, StateProvince,\n"
    "  ZipPostCode, PhoneHomeCountry, PhoneHomeArea, PhoneHomeNumber, PhoneBusinessCountry,\n"
    "  PhoneBusinessArea, PhoneBusinessNumber, EMail, Language, Citiznship, DetailsPurpose,\n"
    "  DetailsProgram, DetailsEnvironment, DetailsPlatform, DetailsDivePlan, DetailsDiveTable,\n"
    "  DetailsDress, DetailsApparatus, DetailsGasSource, DetailsBreathingGas,\n"
    "  DetailsDecompression) and the answers about this dive (StateOfRest, Alcohol, Exercise,\n"
    "  Medication, Visibility, Current, ThermalComfort, Workload, Problems,\n"
    "  EquipmentMalfunctions, AnySymptoms, ExposureToAltitude, Comments).\n"
    "Choices are positions in the wizard's lists counted from 0 (Sex=1 is Male); Visibility\n"
    "(metres) and Current (knots) may have decimals. In values \\n, \\r and \\\\ stand for a\n"
    "line feed, a carriage return and a backslash. Empty lines and lines starting with # are\n"
    "skipped. Anything not given takes its default (empty text, first choice, 0); an unknown\n"
    "name is an error.\n"
    "\n"
    "Exit status: 0 written, 1 FILE did not load or OUT could not be written, 2 wrong usage\n"
    "(including a DETAILS file with an unknown name or a bad value).\n";

} // namespace

int CmdExportDan(const std::vector<std::string>& argv, CCommandIo& io) {
    CParsedArgs args;
    std::string error;
    if (!ParseArgs(argv, {"-o", "--output", "--details"}, {"--dan"}, args, error))
        return UsageError(io, "export", error);
    if (args.Has("--help")) {
        io.out << kExportDanHelp;
        return kExitOk;
    }
    if (args.positional.size() != 1)
        return UsageError(io, "export", "give exactly one log file");
    const std::string& path = args.positional[0];

    CDanExportData data;
    if (args.Has("--details")) {
        const std::string detailsPath = args.Value("--details");
        std::string text;
        const fileio::ReadOutcome read = fileio::ReadFile(detailsPath, text);
        if (!read.ok) {
            io.err << "zelvorlog export: " << detailsPath << ": " << read.error << "\n";
            return kExitFailed;
        }
        if (!ParseDanDetailsFile(text, data.details, data.answers, error))
            return UsageError(io, "export", detailsPath + ": " + error);
    }

    CDiveLog log;
    const CLoadResult result = LoadForCommand(path, log);
    if (!result.loaded) {
        io.err << "zelvorlog export: " << path << ": " << FailureText(result) << "\n";
        return kExitFailed;
    }
    data.strTimeStamp = DanTimeStamp(DanExportClock());
    const std::string output = args.Value("-o", args.Value("--output"));
    const CDanWriteResult written = WriteDanFile(log.m_nFileKind, path, data, output);
    if (!written.ok) {
        io.err << "zelvorlog export: " << written.error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace zelvorlog
