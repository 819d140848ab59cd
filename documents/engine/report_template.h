// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/errors.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>

namespace quadrelo::report {

// The template format this program reads and the one it writes in its header line.
inline constexpr int TemplateFormatVersion = 1;

// A4 portrait, the paper of every document, in inches; a landscape page swaps the two.
inline constexpr double PageWidthInches = 210.0 / 25.4;
inline constexpr double PageHeightInches = 297.0 / 25.4;

enum class Align { Left, Centre, Right, Justify };

// A font as the template names it ("Arial", "Times New Roman", "ISOCTEUR"); the installed face
// that stands for it is chosen when the text is laid out.
struct FontSpec {
    QString family;
    double size = 12; // points
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

// A piece of a data expression: fixed text, or the value of a column.
struct Term {
    enum Kind { Text, Column };
    Kind kind = Text;
    QString text; // the fixed text, or the column's name
    bool operator==(const Term&) const = default;
};

enum class ElementKind { Caption, Paragraph, DataText, DataParagraph, BoxRow, Line, Rectangle, Picture };

// One element of a template page. Positions and sizes in inches from the page's top-left.
struct Element {
    ElementKind kind = ElementKind::Caption;
    int sourceLine = 0;
    QPointF pos;       // top-left; a line's first end
    QPointF end;       // a line's second end
    QSizeF size;       // rectangle and picture
    double width = 0;  // text width; 0 for a single line as wide as its text
    double height = 0; // paragraphs: space reserved; 0 reaches the next element below
    FontSpec font;     // text elements
    Align align = Align::Left;
    double pen = 0.5;  // lines and rectangles: stroke width in points
    QString text;      // caption and paragraph text, a box row's cells, a picture's file
    QList<Term> value; // data text and data paragraph; the value over a box row (may be empty)
    // Paragraphs: the wrapped lines of each line of the text start this far (inches) right of
    // where its first line starts; with hangMarker, as far as the text after its list marker.
    double hang = 0;
    bool hangMarker = false;
    // Data text: the smallest size (points) it may be reduced to so as to stay inside its
    // width and height; below that it wraps. 0: printed at its size on one line.
    double shrink = 0;
    // Data text: only the n-th piece (1-based) of the value, pieces separated by spaces or "/".
    int part = 0;
    bool repeat = false; // drawn in place on its page and on every continuation page after it
    bool foot = false;   // out of the flow: pinned to the bottom margin of its page's last page
    int keepGroup = -1;  // elements of one keep group share a number; -1 for none
};

struct TemplatePage {
    QList<Element> elements;
};

struct Template {
    int version = TemplateFormatVersion;
    QString name;
    QString title;
    double topMargin = 0.5;    // inches: where a continuation page starts
    double bottomMargin = 0.5; // inches: where text pushed down stops and moves on
    bool landscape = false;    // A4 turned: 11.69 in wide, 8.27 in high
    QSizeF paperInches() const {
        return landscape ? QSizeF(PageHeightInches, PageWidthInches)
                         : QSizeF(PageWidthInches, PageHeightInches);
    }
    QList<TemplatePage> pages;
    QHash<QString, QImage> images; // the pictures, by the file name the template gives

    // Every column the template reads, each once, in order of first use.
    QStringList columns() const;
};

// A template that cannot be read: the message names the template and the line.
class TemplateError : public Error {
public:
    TemplateError(const QString& templateName, int line, const QString& problem);
    int line() const { return line_; }
    const QString& problem() const { return problem_; }

private:
    int line_;
    QString problem_;
};

// The text of a block that templates share ("firma.qri"); a null string when there is none.
using BlockSource = std::function<QString(const QString& blockName)>;

// Reads a template's text. Throws TemplateError at the first line it cannot accept.
// `include "block.qri" [dx=..] [dy=..]` reads a shared block through `blocks`, shifted.
Template parseTemplate(const QString& text, const QString& name = QString(), const BlockSource& blocks = {});

// Reads a template file and the pictures and blocks it names, which sit next to it.
Template loadTemplate(const QString& path);

// The caption of a box row: "3" gives "|_|_|_|", "6,2" gives "|_|_|_|_|_|_|,|_|_|" and
// "2/2/4" gives "|_|_|/|_|_|/|_|_|_|_|" (a separator is a cell of its own). Empty when the
// pattern is not numbers joined by single separators.
QString boxRowCaption(const QString& pattern);

} // namespace quadrelo::report
