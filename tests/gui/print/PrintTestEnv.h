#pragma once
// Shared pieces of the printing tests: the temporary folder, a simulated dive, and the text of a
// PDF with the position of every word, read back through pdftotext.
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

namespace printtest {

QString TempRoot();

struct CPdfWord {
    QString text;
    QRectF mm; // millimetres from the page's top left
};
struct CPdfPage {
    bool ok = false; // pdftotext ran and found a page
    double widthMm = 0.0;
    double heightMm = 0.0;
    std::vector<CPdfWord> words;

    const CPdfWord* Word(const QString& text) const;
    std::vector<const CPdfWord*> Words(const QString& text) const;
};
// The first page of `path`; ok is false when pdftotext is missing or fails.
CPdfPage ReadPdf(const QString& path);
bool HavePdfToText();

} // namespace printtest
