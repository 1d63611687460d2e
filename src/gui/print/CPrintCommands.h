#pragma once
// The printing commands of the main window and the printer they print on: File > Print,
// Printer Setup, Print Preview, Export > Report as PDF and the log book's Print button. The
// printer chosen in any of the dialogs is the application's printer; it is restored at start-up
// and its name and orientation are written back at exit.
#include <QObject>
#include <QPrinter>
#include <QStringList>
#include <functional>

#include "print/ReportRender.h"
#include "settings/PrinterSettings.h"

class QDialog;
class QWidget;

class CPrintCommands : public QObject {
    Q_OBJECT
public:
    using InputSource = std::function<CReportInput()>;
    CPrintCommands(QWidget* window, InputSource source);

    // Start-up: select the remembered printer when it is among `installed`; warn once when it
    // has gone.
    EPrinterRestore Restore(const CPrinterConfig& config, const QStringList& installed);
    // Exit: the printer's texts and orientation, written only once there is a chosen printer.
    void Save(ISettingsStore& store) const;
    CPrinterConfig Config() const;
    bool HasPrinter() const { return m_bHasPrinter; }

    // 1 portrait, 2 landscape; any other code is refused (false).
    bool SetOrientation(int code);
    int Orientation() const;
    QPrinter& Printer() { return m_printer; }

    // The commands.
    void PrintReport(EReport report);
    void PrinterSetup();
    void Preview(EReport report);
    void ExportPdf();
    bool ExportPdf(EReport report, const QString& path);

    // Test hooks: modal dialogs (print, page setup, preview) go to the dialog hook instead of
    // exec(); warnings to the message hook; the export's choice of report and file to the export
    // hook (false = cancelled).
    void SetDialogHook(std::function<int(QDialog&)> hook) { m_dialogHook = std::move(hook); }
    void SetMessageHook(std::function<void(const QString&)> hook) { m_warnHook = std::move(hook); }
    void SetExportHook(std::function<bool(EReport&, QString&)> hook) {
        m_exportHook = std::move(hook);
    }

private:
    int RunDialog(QDialog& dialog);
    void Warn(const QString& text);
    // Without any printer installed, jobs go to a PDF file the print dialog lets the user name.
    void OfferPdfWhenNoPrinter(EReport report);
    bool ChooseExport(EReport& report, QString& path);

    QWidget* m_pWindow;
    InputSource m_source;
    QPrinter m_printer;
    bool m_bHasPrinter = false;
    CPrinterConfig m_restored;
    QString m_strOfferedPdf; // the PDF file suggested when there is no printer
    std::function<int(QDialog&)> m_dialogHook;
    std::function<void(const QString&)> m_warnHook;
    std::function<bool(EReport&, QString&)> m_exportHook;
};
