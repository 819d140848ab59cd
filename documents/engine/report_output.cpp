// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "documents/engine/report_output.h"

#include "record/text_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace quadrelo::report {

void paintPage(const Page& page, QPainter& painter, const QRectF& target) {
    QRectF to = target;
    if (to.isEmpty()) {
        const QPaintDevice* device = painter.device();
        to = QRectF(0, 0, page.size.width() / PointsPerInch * device->logicalDpiX(),
                    page.size.height() / PointsPerInch * device->logicalDpiY());
    }
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.translate(to.topLeft());
    painter.scale(to.width() / page.size.width(), to.height() / page.size.height());

    for (const PictureItem& p : page.pictures)
        painter.drawImage(p.rect, p.image);

    painter.setBrush(Qt::NoBrush);
    for (const FrameItem& f : page.frames) {
        painter.setPen(QPen(Qt::black, f.pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(f.rect);
    }
    for (const LineItem& l : page.lines) {
        painter.setPen(QPen(Qt::black, l.pen, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(l.line);
    }

    painter.setPen(Qt::black);
    for (const TextRun& run : pageTexts(page, true)) {
        painter.save();
        painter.translate(run.origin);
        painter.scale(PointsPerLayoutUnit, PointsPerLayoutUnit);
        for (const QGlyphRun& g : glyphsOf(run))
            painter.drawGlyphRun(QPointF(0, 0), g);
        painter.restore();
    }
    painter.restore();
}

namespace {

void writePdfTo(const Document& document, QIODevice& out) {
    {
        QPdfWriter writer(&out);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Quadrelo 2004"));
        writer.setResolution(int(LayoutUnitsPerInch));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        auto orientation = [&](qsizetype i) {
            const QSizeF size = document.pages[i].size;
            return size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
        };
        if (!document.pages.isEmpty()) writer.setPageOrientation(orientation(0));
        QPainter painter;
        if (!painter.begin(&writer)) throw Error(QStringLiteral("Impossibile comporre il documento PDF."));
        for (qsizetype i = 0; i < document.pages.size(); ++i) {
            if (i > 0) {
                writer.setPageOrientation(orientation(i));
                writer.newPage();
            }
            paintPage(document.pages[i], painter);
        }
        painter.end();
    }
}

} // namespace

QByteArray pdfBytes(const Document& document) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writePdfTo(document, buffer);
    return buffer.data();
}

QString pdfTargetProblem(const QString& path) {
    return replacementProblem(path, QStringLiteral("PDF"), QByteArrayLiteral("%PDF-"),
                              QStringLiteral("file PDF"), QStringLiteral("il PDF"));
}

void writePdf(const Document& document, const QString& path) {
    // Straight to the file: a long document is never held whole in memory.
    writeStreamed(path, [&document](QIODevice& out) { writePdfTo(document, out); });
}

} // namespace quadrelo::report
