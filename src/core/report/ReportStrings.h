#pragma once
// Numbers of the printing texts in the string table (the printing range 24600-24699).
namespace report {
enum : int {
    kGasOxygen = 24600,
    kGasHelium,
    kGasNitrogen,
    kGasMaxPressure,
    kGasCylinder,
    kGasPressureIn,
    kGasPressureOut,
    kGasUsed,
    kGasDiluent, // "Diluent %d"

    kPrinterGone = 24610,
    kMenuPrintPreview,
    kMenuExport,
    kMenuExportPdf,
    kExportPdfTitle,
    kChooseReport,
    kPdfFilter,
    kPdfWriteFailed,
    kPreviewTitle,
    kReportLogBook,
    kPrintFailed,
};
} // namespace report
