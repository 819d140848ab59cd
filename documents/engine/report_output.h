#pragma once

#include "documents/engine/report_layout.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace quadrelo::report {

// Draws one laid-out page: the one drawing path of the preview, the printer and the PDF.
// `target` is where the page goes in the painter's device coordinates; empty, the whole device
// is the page at its own resolution, origin at the paper's top-left corner.
void paintPage(const Page& page, QPainter& painter, const QRectF& target = QRectF());

// Writes the document as PDF/A-1b (A4, fonts embedded, title and creator "Quadrelo 2004")
// through a temporary file: a failure leaves nothing half-written at `path` and throws
// IoError with the reason in Italian.
void writePdf(const Document& document, const QString& path);

} // namespace quadrelo::report
