// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_template.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace quadrelo::report {

// A laid-out document is in points (1/72 inch) from the top-left corner of its page.
inline constexpr double PointsPerInch = 72.0;
// Text is measured as if printed at this resolution, whatever the device: the same lines,
// breaks and glyph positions on screen, on paper and in the PDF.
inline constexpr double LayoutUnitsPerInch = 1200.0;
inline constexpr double PointsPerLayoutUnit = PointsPerInch / LayoutUnitsPerInch;

struct TextSource;

// Where a source line of a text (up to a hard break) begins, with what setting it again needs
// of the line before it.
struct SourcePlace {
    qsizetype from = 0;       // its first character in the text as given
    int line = 0;             // which source line
    bool withinValue = false; // the break before it is one inside a column's value
    bool prevHangs = false;   // the line before it hangs its wrapped lines ...
    double prevIndent = 0;    // ... from this indent (layout units)
    double prevHang = 0;      // ... by so much
};

// Where the glyphs of a line of a long text are set again when it is painted (glyphsOf).
struct GlyphSource {
    std::shared_ptr<const TextSource> text;
    SourcePlace at;
    int row = 0; // the line's row among those the source line wraps into
};

// One line of text where it is printed.
struct TextRun {
    QString text;            // the characters of the line
    QFont font;              // the installed face, size in points
    QRectF rect;             // first glyph's left to last glyph's right, line top to line bottom
    QPointF origin;          // the line's top-left: glyph positions start here
    QList<QGlyphRun> glyphs; // positions in layout units from `origin`, baseline included
    GlyphSource deferred;    // a line of a long text: no glyphs above, glyphsOf sets them
    bool overlay = false;    // a box row or the value printed over it: the two share a place
    int sourceLine = 0;      // the template line of the element it comes from
    bool pageMark = false;   // the page number or the heading of a numbered page, not the template's
};

struct LineItem {
    QLineF line;
    double pen = 0.5; // points
};

struct FrameItem {
    QRectF rect;
    double pen = 0.5; // points
};

struct PictureItem {
    QRectF rect;
    QImage image;
};

// Consecutive lines of a long text on one page, kept as where they start: their runs are set
// again when they are needed (pageTexts), so that a long document does not keep a record and a
// copy of the characters of every line.
struct TextSpan {
    std::shared_ptr<const TextSource> text;
    SourcePlace start;  // the source line of the first line
    int row = 0;        // the first line's row in it
    int rows = 0;       // how many lines, blank ones included
    qsizetype at = 0;   // the runs go before texts[at]
    QPointF origin;     // the first line's top-left
    QRectF bounds;      // around all the runs; empty when all lines are blank
    int sourceLine = 0; // the template line of the element it comes from
};

struct PageMarks;

struct Page {
    QSizeF size;               // points; A4
    int templatePage = 0;      // which page of the template it comes from (0-based)
    bool continuation = false; // added after its template page for text that did not fit
    QList<PictureItem> pictures;
    QList<FrameItem> frames;
    QList<LineItem> lines;
    QList<TextRun> texts; // with `spans`, only the runs not kept in them
    QList<TextSpan> spans;
    // A numbered page of a document kept with spans: its marks are set with its runs.
    std::shared_ptr<const PageMarks> marks;
    int number = 0;           // 1-based
    double headingWidth = -1; // the heading's, none when negative
};

// With Keep::Spans the lines of long texts stay in their pages' spans and the marks of numbered
// pages are set when the runs are (for output only); with Keep::Runs every page has all its runs
// in `texts`.
enum class Keep { Runs, Spans };

struct Document {
    QString name;  // the report's name
    QString title; // for the PDF's properties
    QList<Page> pages;
    Keep keep = Keep::Runs;
};

// Every run of a page in the order it is printed; with `withGlyphs` the lines of long texts get
// their glyphs, otherwise glyphsOf sets them.
QList<TextRun> pageTexts(const Page& page, bool withGlyphs = false);

// The glyphs of a run: its own, or those of its line of a long text set again.
QList<QGlyphRun> glyphsOf(const TextRun& run);

// The baseline position of every glyph of a run, in page points, in text order.
QList<QPointF> glyphPositions(const TextRun& run);

// Called with the number (1-based) of each page as it is completed.
using PageProgress = std::function<void(int page)>;

// Places the template's elements with the row's values: values[i] belongs to columnNames[i].
// A paragraph that needs more room than it has pushes the elements below it down, and goes on
// to a continuation page, followed by them, when it reaches the bottom margin. Elements placed
// past the bottom margin (the rows of a list the program builds) flow the same way.
// Throws Error when the row does not match its columns or the template reads a column the
// row lacks.
Document layoutReport(const Template& tmpl, const QStringList& columnNames, const QStringList& values,
                      const PageProgress& pageDone = {}, Keep keep = Keep::Runs);

// For templates the program builds (a list): how wide a text is on one line, and how high it
// is wrapped to `width`, in points, as the layout sets it.
double textWidth(const QString& text, const FontSpec& font);
double wrappedHeight(const QString& text, const FontSpec& font, double width);

// So that loose sheets of several practices go back in order, a document of more than one page
// gets "Pagina N di M" centred in the bottom margin of every page and, from the second page on,
// `heading` (whose practice, which file) small at the head, left of and clear of whatever
// stands there. A one-page document stays as it is.
void numberPages(Document& document, const QString& heading);

} // namespace quadrelo::report
