#include "PrintTestEnv.h"

#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace printtest {

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;

QRectF BoxMm(const QXmlStreamAttributes& a) {
    const double x0 = a.value("xMin").toDouble(), y0 = a.value("yMin").toDouble();
    const double x1 = a.value("xMax").toDouble(), y1 = a.value("yMax").toDouble();
    return QRectF(QPointF(x0 * kMmPerPoint, y0 * kMmPerPoint),
                  QPointF(x1 * kMmPerPoint, y1 * kMmPerPoint));
}
} // namespace

const CPdfWord* CPdfPage::Word(const QString& text) const {
    for (const CPdfWord& w : words) {
        if (w.text == text)
            return &w;
    }
    return nullptr;
}

std::vector<const CPdfWord*> CPdfPage::Words(const QString& text) const {
    std::vector<const CPdfWord*> out;
    for (const CPdfWord& w : words) {
        if (w.text == text)
            out.push_back(&w);
    }
    return out;
}

bool HavePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

CPdfPage ReadPdf(const QString& path) {
    CPdfPage page;
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox-layout"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return page;
    QXmlStreamReader xml(p.readAllStandardOutput());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("page")) {
            page.widthMm = xml.attributes().value("width").toDouble() * kMmPerPoint;
            page.heightMm = xml.attributes().value("height").toDouble() * kMmPerPoint;
            page.ok = true;
        } else if (xml.isStartElement() && xml.name() == QLatin1String("word")) {
            const QRectF box = BoxMm(xml.attributes());
            page.words.push_back({xml.readElementText(), box});
        }
    }
    return page;
}

} // namespace printtest
