#include "print/CPrintCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "app/CViewerContext.h"
#include "report/ReportStrings.h"
#include "viewmodel/BannerText.h"

namespace {

QString Str(int id) {
    return CViewerContext::Str(id);
}

std::string Std(const QString& s) {
    return s.toLatin1().toStdString();
}

QString ToQ(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// Where a PDF goes unless the user says otherwise: the documents folder, or home without one.
QString DocumentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

} // namespace

CPrintCommands::CPrintCommands(QWidget* window, InputSource source)
    : QObject(window), m_pWindow(window), m_source(std::move(source)),
      m_printer(QPrinter::HighResolution) {}

EPrinterRestore CPrintCommands::Restore(const CPrinterConfig& config,
                                        const QStringList& installed) {
    std::vector<std::string> names;
    for (const QString& name : installed)
        names.push_back(Std(name));
    const EPrinterRestore decision = DecidePrinterRestore(config, names);
    if (decision == EPrinterRestore::Gone) {
        Warn(Str(report::kPrinterGone));
    } else if (decision == EPrinterRestore::Selected) {
        m_printer.setPrinterName(ToQ(config.m_strPrinterName));
        m_restored = config;
        m_bHasPrinter = true;
        SetOrientation(int(config.m_nLandscape));
    }
    return decision;
}

CPrinterConfig CPrintCommands::Config() const {
    CPrinterConfig config;
    config.m_nLandscape = uint32_t(Orientation());
    const QString name = m_printer.printerName();
    config.m_strPrinterName = Std(name);
    if (!name.isEmpty() && config.m_strPrinterName == m_restored.m_strPrinterName) {
        config.m_strSpooler = m_restored.m_strSpooler;
        config.m_strPort = m_restored.m_strPort;
        return config;
    }
    if (name.isEmpty())
        return config; // a PDF file: nothing to re-select next time
    // The printing system names no driver or port; the make and model and the queue name stand
    // in, so that the three texts are filled and the printer is found again next time.
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    config.m_strSpooler = Std(info.makeAndModel().isEmpty() ? name : info.makeAndModel());
    config.m_strPort = Std(name);
    return config;
}

void CPrintCommands::Save(ISettingsStore& store) const {
    if (m_bHasPrinter)
        Config().Save(store);
}

bool CPrintCommands::SetOrientation(int code) {
    if (code != kPortrait && code != kLandscape)
        return false;
    m_printer.setPageOrientation(code == kLandscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
    return true;
}

int CPrintCommands::Orientation() const {
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
}

int CPrintCommands::RunDialog(QDialog& dialog) {
    return m_dialogHook ? m_dialogHook(dialog) : dialog.exec();
}

void CPrintCommands::Warn(const QString& text) {
    if (m_warnHook) {
        m_warnHook(text);
        return;
    }
    QMessageBox::warning(m_pWindow, QLatin1String(kProgramTitle), text);
}

void CPrintCommands::OfferPdfWhenNoPrinter(EReport report) {
    // Qt itself falls back to PDF output without printers, but with no file to write to. A name
    // of our own suggesting follows the report; one the user typed stays.
    const QString file = m_printer.outputFileName();
    if (m_printer.outputFormat() == QPrinter::PdfFormat) {
        if (!file.isEmpty() && file != m_strOfferedPdf)
            return;
    } else if (!m_printer.printerName().isEmpty() ||
               !QPrinterInfo::availablePrinterNames().isEmpty()) {
        return;
    }
    m_strOfferedPdf = QDir(DocumentsFolder()).filePath(reports::DocumentName(report) + ".pdf");
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(m_strOfferedPdf);
}

void CPrintCommands::PrintReport(EReport report) {
    const CReportInput input = m_source();
    if (!input.log || !input.log->m_bFileLoaded)
        return;
    // The report decides the orientation, before the job starts, and the printer keeps it.
    if (report != EReport::LogBook)
        SetOrientation(reports::Landscape(report) ? kLandscape : kPortrait);
    OfferPdfWhenNoPrinter(report);
    QPrintDialog dialog(&m_printer, m_pWindow);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (RunDialog(dialog) != QDialog::Accepted)
        return;
    m_bHasPrinter = true;
    if (!reports::Print(m_printer, report, input))
        Warn(Str(report::kPrintFailed));
}

void CPrintCommands::PrinterSetup() {
    OfferPdfWhenNoPrinter(EReport::Information);
    QPageSetupDialog dialog(&m_printer, m_pWindow);
    if (RunDialog(dialog) == QDialog::Accepted)
        m_bHasPrinter = true;
}

void CPrintCommands::Preview(EReport report) {
    const CReportInput input = m_source();
    if (!input.log || !input.log->m_bFileLoaded)
        return;
    if (report != EReport::LogBook)
        SetOrientation(reports::Landscape(report) ? kLandscape : kPortrait);
    QPrintPreviewDialog dialog(&m_printer, m_pWindow);
    dialog.setWindowTitle(Str(report::kPreviewTitle) + QStringLiteral(" - ") +
                          reports::Title(report));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* printer) {
        printer->setDocName(reports::DocumentName(report));
        QPainter painter(printer);
        const qreal dpmm = printer->resolution() / 25.4;
        reports::Render(painter,
                        QRectF(QPointF(0, 0), printer->pageRect(QPrinter::DevicePixel).size()),
                        dpmm, report, input);
    });
    RunDialog(dialog);
}

bool CPrintCommands::ChooseExport(EReport& report, QString& path) {
    if (m_exportHook)
        return m_exportHook(report, path);
    const QStringList names = {reports::Title(EReport::Information),
                               reports::Title(EReport::Profile), reports::Title(EReport::LogBook)};
    bool ok = false;
    const QString choice = QInputDialog::getItem(m_pWindow, Str(report::kExportPdfTitle),
                                                 Str(report::kChooseReport), names, 0, false, &ok);
    if (!ok)
        return false;
    report = EReport(names.indexOf(choice));
    path = QFileDialog::getSaveFileName(m_pWindow, Str(report::kExportPdfTitle),
                                        QDir(DocumentsFolder()).filePath(choice + ".pdf"),
                                        Str(report::kPdfFilter));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return true;
}

void CPrintCommands::ExportPdf() {
    const CReportInput input = m_source();
    if (!input.log || !input.log->m_bFileLoaded)
        return;
    EReport report = EReport::Information;
    QString path;
    if (!ChooseExport(report, path))
        return;
    if (!ExportPdf(report, path))
        Warn(Str(report::kPdfWriteFailed));
}

bool CPrintCommands::ExportPdf(EReport report, const QString& path) {
    // A4 unless the chosen printer uses other paper.
    const QPageSize size =
        m_bHasPrinter ? m_printer.pageLayout().pageSize() : QPageSize(QPageSize::A4);
    return reports::WritePdf(path, report, m_source(), size);
}
