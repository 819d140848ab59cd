// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_layout.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

class QPainter;

namespace quadrelo::report {

// Draws one laid-out page: the one drawing path of the preview, the printer and the PDF.
// `target` is where the page goes in the painter's device coordinates; empty, the whole device
// is the page at its own resolution, origin at the paper's top-left corner.
void paintPage(const Page& page, QPainter& painter, const QRectF& target = QRectF());

// The document as PDF/A-1b (A4, fonts embedded, title and creator "Quadrelo 2004").
QByteArray pdfBytes(const Document& document);

// Writes the PDF through the program's one checked file writer: a failure leaves whatever
// was at `path` as it was and throws IoError with the reason in Italian.
void writePdf(const Document& document, const QString& path);

// Why a PDF must not be written to `path`, empty when it may: only a new file or an existing
// regular file that already is a PDF may take it. A folder, a device, a pipe or a file with
// other content (a practice, a table) is never replaced.
QString pdfTargetProblem(const QString& path);

} // namespace quadrelo::report
