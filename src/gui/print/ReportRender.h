#pragma once
// The three reports onto a printer, a PDF file or the preview: page geometry from the device,
// layout from the core, painting through CReportPainter.
#include <QPageSize>
#include <QString>
#include <string>
#include <vector>

#include "viewmodel/CChartState.h"

class CDiveLog;
class QPainter;
class QPrinter;
class QRectF;

enum class EReport { Information, Profile, LogBook };

// Everything a report shows, taken from the window at the moment of printing.
struct CReportInput {
    const CDiveLog* log = nullptr;
    bool metric = true;
    std::string banner;
    CChartState chart; // the profile page's state: window, traces, ranges
    std::vector<std::string> logBookHeaders;
    std::vector<std::vector<std::string>> logBookRows; // in the list's current order
};

namespace reports {

// "Dive Information", "Dive Profile", "Log Book".
QString Title(EReport report);
// "Zelvor Log Viewer - Dive Information" and so on.
QString DocumentName(EReport report);
// The profile is printed across the page, the others along it.
bool Landscape(EReport report);

// Draws the report on an open painter whose printable area is `area` (device units) on a device
// of `dotsPerMm`.
void Render(QPainter& painter, const QRectF& area, qreal dotsPerMm, EReport report,
            const CReportInput& input);
// One page on a printer that is set up (orientation, output); false when the document could not
// be started.
bool Print(QPrinter& printer, EReport report, const CReportInput& input);
// The report as a one-page PDF of `pageSize`, turned as the report wants it.
bool WritePdf(const QString& path, EReport report, const CReportInput& input,
              const QPageSize& pageSize = QPageSize(QPageSize::A4));

} // namespace reports
