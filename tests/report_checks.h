// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_layout.h"

#include <QRectF>
#include <QString>

namespace quadrelo::testing {

inline constexpr double LayoutTolerance = 0.05; // points

// A box row and the value printed over it: the two overlay runs of one element, at one place.
// (Line numbers alone do not tell them apart: a shared block has lines of its own.)
inline bool sharePlace(const report::TextRun& a, const report::TextRun& b) {
    return a.overlay && b.overlay && a.sourceLine == b.sourceLine &&
           (a.origin - b.origin).manhattanLength() < LayoutTolerance;
}

// Nothing printed over other text (a box row and its value excepted) and nothing off the paper.
inline QString layoutFaults(const report::Document& doc) {
    constexpr double Tol = LayoutTolerance;
    for (int p = 0; p < doc.pages.size(); ++p) {
        const report::Page& page = doc.pages[p];
        const QRectF paper = QRectF(QPointF(0, 0), page.size).adjusted(-Tol, -Tol, Tol, Tol);
        for (int i = 0; i < page.texts.size(); ++i) {
            const report::TextRun& a = page.texts[i];
            if (!paper.contains(a.rect))
                return QStringLiteral("page %1: «%2» off the page").arg(p + 1).arg(a.text);
            for (int j = i + 1; j < page.texts.size(); ++j) {
                const report::TextRun& b = page.texts[j];
                if (sharePlace(a, b)) continue;
                const QRectF both = a.rect.intersected(b.rect);
                if (both.width() > Tol && both.height() > Tol)
                    return QStringLiteral("page %1: «%2» over «%3»").arg(p + 1).arg(a.text, b.text);
            }
        }
    }
    return QString();
}

// Every character of a boxed value printed over its box row stands where the row has a
// character, bars on bars: so each value character is inside its cell.
inline QString boxFaults(const report::Document& doc) {
    for (int p = 0; p < doc.pages.size(); ++p) {
        const report::Page& page = doc.pages[p];
        for (const report::TextRun& row : page.texts) {
            if (!row.overlay || !row.text.contains(QLatin1String("|_|"))) continue;
            const QList<QPointF> cells = report::glyphPositions(row);
            for (const report::TextRun& value : page.texts) {
                if (&value == &row || !sharePlace(value, row)) continue;
                if (!value.text.startsWith(QLatin1Char('|'))) continue; // a single mark
                const QList<QPointF> chars = report::glyphPositions(value);
                if (chars.size() > cells.size())
                    return QStringLiteral("page %1: «%2» runs past its box row «%3»")
                        .arg(p + 1)
                        .arg(value.text, row.text);
                for (int i = 0; i < chars.size() && i < cells.size(); ++i) {
                    if (qAbs(chars[i].x() - cells[i].x()) > LayoutTolerance ||
                        qAbs(chars[i].y() - cells[i].y()) > LayoutTolerance)
                        return QStringLiteral("page %1: «%2» off its cells at character %3")
                            .arg(p + 1)
                            .arg(value.text)
                            .arg(i + 1);
                    if ((value.text[i] == QLatin1Char('|')) != (row.text[i] == QLatin1Char('|')))
                        return QStringLiteral("page %1: «%2» does not match its box row «%3»")
                            .arg(p + 1)
                            .arg(value.text, row.text);
                }
            }
        }
    }
    return QString();
}

// Printers leave a band at the paper's edge blank: every text stays this far inside.
inline constexpr double PrintableMargin = 0.25 * report::PointsPerInch;

inline QString printableFaults(const report::Document& doc) {
    for (int p = 0; p < doc.pages.size(); ++p) {
        const report::Page& page = doc.pages[p];
        const QRectF printable =
            QRectF(QPointF(0, 0), page.size)
                .adjusted(PrintableMargin - LayoutTolerance, PrintableMargin - LayoutTolerance,
                          LayoutTolerance - PrintableMargin, LayoutTolerance - PrintableMargin);
        for (const report::TextRun& t : page.texts)
            if (!printable.contains(t.rect))
                return QStringLiteral("page %1: «%2» outside the printable area").arg(p + 1).arg(t.text);
    }
    return QString();
}

// A text that starts inside a frame of a form ends inside it, and no text crosses an upright
// rule (the dividers of a form's fields).
inline QString frameFaults(const report::Document& doc) {
    constexpr double Tol = LayoutTolerance;
    for (int p = 0; p < doc.pages.size(); ++p) {
        const report::Page& page = doc.pages[p];
        for (const report::TextRun& t : page.texts) {
            const QRectF* inner = nullptr;
            for (const report::FrameItem& f : page.frames) {
                const QRectF r = f.rect.adjusted(-Tol, -Tol, Tol, Tol);
                if (r.contains(t.rect.topLeft()) &&
                    (!inner || r.width() * r.height() < inner->width() * inner->height()))
                    inner = &f.rect;
            }
            if (inner && !inner->adjusted(-Tol, -Tol, Tol, Tol).contains(t.rect))
                return QStringLiteral("page %1: «%2» runs out of its frame").arg(p + 1).arg(t.text);
            for (const report::LineItem& l : page.lines) {
                const QLineF& line = l.line;
                if (qAbs(line.x1() - line.x2()) > Tol) continue;
                const double top = qMin(line.y1(), line.y2()), bottom = qMax(line.y1(), line.y2());
                if (line.x1() > t.rect.left() + Tol && line.x1() < t.rect.right() - Tol &&
                    top < t.rect.bottom() - Tol && bottom > t.rect.top() + Tol)
                    return QStringLiteral("page %1: «%2» crosses a rule").arg(p + 1).arg(t.text);
            }
        }
    }
    return QString();
}

} // namespace quadrelo::testing
