#include "print/ReportRender.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cstdio>

#include "app/CViewerContext.h"
#include "print/CReportPainter.h"
#include "report/InformationReport.h"
#include "report/LogBookReport.h"
#include "report/ProfileReport.h"
#include "report/ReportStrings.h"
#include "viewmodel/BannerText.h"

namespace {

constexpr int kPdfResolution = 1200;

std::string Lookup(int id) {
    return CViewerContext::Str(id).toLatin1().toStdString();
}

} // namespace

namespace reports {

QString Title(EReport report) {
    switch (report) {
    case EReport::Information:
        return CViewerContext::Str(2197);
    case EReport::Profile:
        return CViewerContext::Str(2198);
    case EReport::LogBook:
        break;
    }
    return CViewerContext::Str(report::kReportLogBook);
}

QString DocumentName(EReport report) {
    // The log book's document name was never translated.
    if (report == EReport::LogBook)
        return QStringLiteral("Zelvor Log Viewer - Log Book");
    return QLatin1String(kProgramTitle) + QStringLiteral(" - ") + Title(report);
}

bool Landscape(EReport report) {
    return report == EReport::Profile;
}

void Render(QPainter& painter, const QRectF& area, qreal dpmm, EReport report,
            const CReportInput& input) {
    if (!input.log)
        return;
    const double width = area.width() / dpmm;
    const double height = area.height() / dpmm;
    const CTextMeasure measure = CReportPainter::Measure();
    CReportPainter out(painter, dpmm, area.topLeft());
    switch (report) {
    case EReport::Information:
        out.Paint(report::LayoutInformationReport(width, height, input.banner, *input.log,
                                                  input.metric, measure, Lookup));
        break;
    case EReport::Profile:
        out.PaintProfile(report::LayoutProfileReport(width, height, input.banner, input.chart,
                                                     input.metric, measure, Lookup),
                         input.chart, *input.log, input.metric);
        break;
    case EReport::LogBook:
        out.Paint(report::LayoutLogBookReport(width, height, input.banner, input.logBookHeaders,
                                              input.logBookRows, measure, Lookup)
                      .page);
        break;
    }
}

bool Print(QPrinter& printer, EReport report, const CReportInput& input) {
    printer.setDocName(DocumentName(report));
    QPainter painter;
    if (!painter.begin(&printer))
        return false; // nothing was started, so there is nothing to abort
    const qreal dpmm = printer.resolution() / 25.4;
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    Render(painter, area, dpmm, report, input);
    return painter.end();
}

bool WritePdf(const QString& path, EReport report, const CReportInput& input,
              const QPageSize& pageSize) {
    // Written beside the target and renamed into place once complete, so a failed export never
    // leaves half a file where a good one was.
    const QString part = path + QStringLiteral(".part");
    bool ok = false;
    {
        QPdfWriter writer(part);
        writer.setResolution(kPdfResolution);
        writer.setTitle(DocumentName(report));
        writer.setCreator(QLatin1String(kProgramTitle));
        writer.setPageLayout(QPageLayout(
            pageSize, Landscape(report) ? QPageLayout::Landscape : QPageLayout::Portrait,
            QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (painter.begin(&writer)) {
            const qreal dpmm = writer.resolution() / 25.4;
            const QRectF area(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
            Render(painter, area, dpmm, report, input);
            ok = painter.end();
        }
    }
    if (!ok) {
        QFile::remove(part);
        return false;
    }
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) !=
        0) {
        QFile::remove(part);
        return false;
    }
    return true;
}

} // namespace reports
