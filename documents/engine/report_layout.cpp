// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "documents/engine/report_layout.h"

#include "documents/engine/report_fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace quadrelo::report {

namespace {

constexpr double Eps = 0.01; // points

// Fonts are scaled for this device's resolution when text is laid out; it is never painted on.
class LayoutDevice final : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return int(LayoutUnitsPerInch);
        case PdmWidth:
            return int(PageWidthInches * LayoutUnitsPerInch);
        case PdmHeight:
            return int(PageHeightInches * LayoutUnitsPerInch);
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmNumColors:
            return 2;
        case PdmDepth:
            return 1;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }
};

const QPaintDevice* layoutDevice() {
    static const LayoutDevice device;
    return &device;
}

Qt::Alignment qtAlignment(Align a) {
    switch (a) {
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Justify:
        return Qt::AlignJustify;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// "-", "•", "a)", "b.", "12)", "(c)": the marker of a list item, before the item's text.
const QRegularExpression& listMarker() {
    static const QRegularExpression re(
        QStringLiteral("^([-\u2013\u2014\u2022*]|\\(?(?:[0-9]{1,3}|[A-Za-z])[.)])( +)(?=\\S)"));
    return re;
}

} // namespace

// How a text is set: its width (0: one line as wide as the text), alignment, wrapping, and the
// hanging indent of the wrapped lines of each of its lines.
struct TextSetting {
    double widthPt = 0;
    Align align = Align::Left;
    bool wrap = false;
    double hangPt = 0;       // wrapped lines start this far right of their first line
    bool hangMarker = false; // ... or as far as the text after a list marker
};

// One line of the source text (up to a hard break) as it is laid out: its first line's indent,
// and whether and how far its wrapped lines hang (layout units).
struct SourceLine {
    bool broken = false; // a line separator ends it
    double indent = 0;
    bool hangs = false;
    double hang = 0;
};

namespace {
// Texts longer than this keep no glyphs until they are painted (some pages of a memo).
constexpr qsizetype LongText = 20000;
} // namespace

// A text to set, read one source line at a time. It keeps the text as it was given, shared with
// whoever gave it: a long memo is not copied to turn its breaks into separators. A long text
// keeps no glyphs with its lines: they are set again, one source line at a time, when they are
// painted. Keeping the glyphs of hundreds of pages costs more memory than setting the text twice
// costs time.
struct TextSource {
    using Ranges = std::vector<std::pair<qsizetype, qsizetype>>;

    // With `rawBreaks` "\r\n", "\r" and "\n" break lines too; those inside `values` (the columns'
    // values) count as a value's, as a paragraph separator does.
    TextSource(QString text, QFont font, TextSetting how, bool rawBreaks = false, Ranges values = {});

    QString text;
    QFont font;
    TextSetting how;
    bool rawBreaks = false;
    Ranges values;
    QFontMetricsF metrics;
    double nbspAdvance = 0;
    qsizetype length = 0; // characters, a break counting as one

    bool isLong() const { return length > LongText; }

    // The source line at `at` as it is laid out, and `at` moved on to the next; false past the
    // last.
    bool read(SourcePlace& at, SourceLine& sl, QString& segment) const;

    // The glyphs of row `row` of the source line at `at`. The rows of the source line set last
    // are kept: a page paints them one after the other.
    QList<QGlyphRun> glyphs(const SourcePlace& at, int row) const;

private:
    int valueAt(qsizetype i) const {
        for (std::size_t v = 0; v < values.size(); ++v)
            if (i >= values[v].first && i < values[v].second) return int(v);
        return -1;
    }
    bool isBreak(QChar c) const {
        return c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
               (rawBreaks && (c == QLatin1Char('\r') || c == QLatin1Char('\n')));
    }
    // A "\r\n" is one break unless its halves belong to different values or to a value and a fixed text.
    bool pairedBreak(qsizetype i) const {
        return rawBreaks && text[i] == QLatin1Char('\r') && i + 1 < text.size() &&
               text[i + 1] == QLatin1Char('\n') && valueAt(i) == valueAt(i + 1);
    }

    mutable std::mutex guard;
    mutable int setLine = -1;
    mutable QList<QList<QGlyphRun>> setRows;
};

namespace {

// One laid-out line, relative to the top-left of its element.
struct LaidLine {
    QString text;
    QList<QGlyphRun> glyphs;    // layout units from the line's top-left
    double top = 0;             // points below the element's top
    double height = 0;          // points
    double left = 0, right = 0; // inked extent, points from the element's left
    bool blank = true;
    GlyphSource deferred; // without glyphs: where to set them again
};

// Sets one source line, its top `y` layout units below the text's top, into `out`, and gives
// the height it took; with `keepGlyphs` false the lines carry only their extent. The text of a source line
// never reaches into another's: setting them one by one breaks and places every line as setting the whole
// text at once would.
double laySourceLine(const QString& shown, const SourceLine& sl, const QFont& font, const TextSetting& how,
                     double nbspAdvance, double y, bool keepGlyphs, QList<LaidLine>& out) {
    // A dotted blank to fill in by hand (". . . .") never breaks over two lines; the line keeps
    // its ordinary spaces as text.
    QString text = shown;
    if (how.wrap) {
        static const QRegularExpression dotted(QStringLiteral("\\.(?: \\.)+"));
        for (auto m = dotted.globalMatch(shown); m.hasNext();) {
            const QRegularExpressionMatch blank = m.next();
            for (qsizetype c = blank.capturedStart(); c < blank.capturedEnd(); ++c)
                if (text[c] == QLatin1Char(' ')) text[c] = QChar::Nbsp;
        }
    }

    QTextLayout layout(text, font, layoutDevice());
    QTextOption option;
    option.setWrapMode(how.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setAlignment(qtAlignment(how.align));
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    const double lineWidth = how.widthPt > 0 ? how.widthPt / PointsPerLayoutUnit : 1e6;
    layout.beginLayout();
    double below = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        double indent = 0;
        if (line.textStart() == 0)
            indent = sl.indent;
        else if (sl.hangs)
            indent = sl.indent + sl.hang;
        line.setLeadingIncluded(true);
        line.setLineWidth(std::max(lineWidth - indent, 1.0));
        line.setPosition(QPointF(indent, below));
        below += line.height();
        // The break that ends a source line ends its last row: no empty row after it.
        if (line.textStart() + line.textLength() >= text.size() && text.endsWith(QChar::LineSeparator)) break;
    }
    layout.endLayout();

    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        LaidLine laid;
        laid.text = shown.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
        laid.top = (y + line.y()) * PointsPerLayoutUnit;
        laid.height = line.height() * PointsPerLayoutUnit;

        // Justification widens every space, no-break ones too; what it gave those goes to the
        // ordinary spaces of the line, so that "416 bis" and dotted blanks keep their spacing.
        std::vector<std::pair<double, double>> moves; // from this x on, glyphs move by so much
        if (how.align == Align::Justify) {
            int end = line.textStart() + line.textLength();
            while (end > line.textStart() &&
                   (text[end - 1].isSpace() || text[end - 1] == QChar::LineSeparator))
                --end;
            double taken = 0;
            std::vector<int> ordinary;
            for (int c = line.textStart(); c < end; ++c) {
                if (text[c] == QChar::Nbsp) {
                    const double extra = line.cursorToX(c + 1) - line.cursorToX(c) - nbspAdvance;
                    if (extra > 1e-3) {
                        moves.emplace_back(line.cursorToX(c + 1), -extra);
                        taken += extra;
                    }
                } else if (text[c].isSpace()) {
                    ordinary.push_back(c);
                }
            }
            if (taken > 0)
                for (const int c : ordinary)
                    moves.emplace_back(line.cursorToX(c + 1), taken / double(ordinary.size()));
        }
        auto moved = [&](double x) {
            double by = 0;
            for (const auto& [from, move] : moves)
                if (x >= from - 0.5) by += move;
            return x + by;
        };

        double inkLeft = std::numeric_limits<double>::max(), inkRight = std::numeric_limits<double>::lowest();
        for (QGlyphRun run : line.glyphRuns()) {
            QList<QPointF> positions = run.positions();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(indexes);
            for (qsizetype g = 0; g < positions.size(); ++g) {
                positions[g].ry() -= line.y();
                if (!moves.empty()) positions[g].rx() = moved(positions[g].x());
                if (run.rawFont().boundingRect(indexes[g]).isEmpty()) continue; // a space
                inkLeft = std::min(inkLeft, positions[g].x());
                inkRight = std::max(inkRight, positions[g].x() + advances.value(g).x());
            }
            if (!keepGlyphs) continue;
            run.setPositions(positions);
            run.setBoundingRect(QRectF());
            laid.glyphs.append(run);
        }
        if (inkRight > inkLeft) {
            laid.blank = false;
            laid.left = inkLeft * PointsPerLayoutUnit;
            laid.right = inkRight * PointsPerLayoutUnit;
        }
        out.append(laid);
    }
    return below;
}

// Lays a whole text out; a long one's lines carry no glyphs, but where to set them again.
QList<LaidLine> layText(const std::shared_ptr<const TextSource>& text) {
    const bool keepGlyphs = !text->isLong();
    QList<LaidLine> out;
    double y = 0;
    SourcePlace at;
    SourceLine sl;
    QString segment;
    // Each source line is laid out as soon as it is read: only one of them is ever held twice.
    for (SourcePlace here = at; text->read(at, sl, segment); here = at) {
        const qsizetype first = out.size();
        y += laySourceLine(segment, sl, text->font, text->how, text->nbspAdvance, y, keepGlyphs, out);
        if (!keepGlyphs)
            for (qsizetype k = first; k < out.size(); ++k)
                out[k].deferred = {text, here, int(k - first)};
    }
    return out;
}

QList<LaidLine> layText(const QString& source, const QFont& font, const TextSetting& how) {
    return layText(std::make_shared<const TextSource>(source, font, how));
}

// The runs of a span's lines, as addRun would have made them.
QList<TextRun> spanRuns(const TextSpan& span, bool withGlyphs) {
    QList<TextRun> out;
    const TextSource& text = *span.text;
    SourcePlace at = span.start;
    SourceLine sl;
    QString segment;
    QList<LaidLine> laid;
    int row = span.row, left = span.rows;
    double y = span.origin.y();
    const double x = span.origin.x();
    for (SourcePlace here = at; left > 0 && text.read(at, sl, segment); here = at, row = 0) {
        laid.clear();
        laySourceLine(segment, sl, text.font, text.how, text.nbspAdvance, 0, withGlyphs, laid);
        for (; row < laid.size() && left > 0; ++row, --left) {
            const LaidLine& line = laid[row];
            if (!line.blank) {
                TextRun run;
                run.text = line.text;
                run.font = text.font;
                run.origin = QPointF(x, y);
                run.rect = QRectF(x + line.left, y, line.right - line.left, line.height);
                if (withGlyphs)
                    run.glyphs = line.glyphs;
                else
                    run.deferred = {span.text, here, row};
                run.sourceLine = span.sourceLine;
                out.append(run);
            }
            y += line.height;
        }
    }
    return out;
}

QString keepingBreaks(QString s) {
    s.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    s.replace(QLatin1Char('\r'), QChar::LineSeparator);
    s.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return s;
}

QString onOneLine(QString s) {
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

struct Item {
    const Element* e = nullptr;
    int order = 0;
    double top = 0, bottom = 0, left = 0, right = 0; // template points
    QFont font;
    QList<LaidLine> lines;
    QList<LaidLine> overLines;                 // the value over a box row
    std::shared_ptr<const TextSource> flowing; // a long paragraph: its lines are laid as it flows
    double grown =
        0; // a box row's further rows, a title's wrapped lines: what is below moves down by so much
};

// Where the template's vertical positions go after the text above them has grown: every
// position at or below `from` lands on continuation page `page` (0: the template page itself)
// at its own position plus `delta`.
struct Shift {
    double from;
    int page;
    double delta;
};

// Room kept between flowed text and the elements that stay out of the flow (repeated ones and
// those at the foot).
constexpr double Clearance = 0.1 * PointsPerInch;

class PageFlow {
public:
    PageFlow(const Template& tmpl, int templatePage, const QHash<QString, QString>& row, Keep keep)
        : tmpl_(tmpl), templatePage_(templatePage), row_(row), keep_(keep) {
        pageHeight_ = tmpl.paperInches().height() * PointsPerInch;
        limit_ = pageHeight_ - tmpl.bottomMargin * PointsPerInch;
        contTop_ = tmpl.topMargin * PointsPerInch;
    }

    QList<Page> run() {
        const QList<Element>& elements = tmpl_.pages[templatePage_].elements;
        for (int i = 0; i < elements.size(); ++i)
            items_.push_back(measure(elements[i], i));
        placed_.assign(items_.size(), {0, 0});

        // Repeated elements are furniture of every page: the flow keeps clear of them, below
        // those in the upper half of the page and above those in the lower half.
        for (const Item& it : items_) {
            if (!it.e->repeat) continue;
            if (it.top < pageHeight_ / 2)
                contTop_ = std::max(contTop_, it.bottom + Clearance);
            else
                limit_ = std::min(limit_, it.top - Clearance);
        }

        std::vector<const Item*> flow;
        for (const Item& it : items_)
            if (!it.e->repeat && !it.e->foot) flow.push_back(&it);
        std::stable_sort(flow.begin(), flow.end(),
                         [](const Item* a, const Item* b) { return a->top < b->top; });

        for (std::size_t i = 0; i < flow.size();) {
            if (flow[i]->e->keepGroup < 0) {
                place(*flow[i]);
                // Placed once and for all: its lines are runs on the pages now, and a long
                // memo's would otherwise stay beside them until the whole page is done.
                Item& placed = items_[std::size_t(flow[i]->order)];
                placed.lines = {};
                placed.overLines = {};
                ++i;
                continue;
            }
            // From here to the last element of every group met on the way: groups side by side
            // move together.
            std::size_t last = i;
            std::set<int> groups;
            for (std::size_t j = i; j <= last; ++j) {
                const int g = flow[j]->e->keepGroup;
                if (g < 0 || !groups.insert(g).second) continue;
                for (std::size_t m = j; m < flow.size(); ++m)
                    if (flow[m]->e->keepGroup == g) last = std::max(last, m);
            }
            keepTogether(flow, i, last, groups);
            i = last + 1;
        }
        for (const auto& [it, at] : rules_)
            placeRule(*it, at);
        page(0);
        placeFoot();
        for (int k = 0; k < pages_.size(); ++k)
            for (const Item& it : items_)
                if (it.e->repeat) drawAt(it, k, 0);
        return pages_;
    }

private:
    // With `values` it gets where the columns' values lie in the text, so that their line breaks
    // can be told apart from those of the fixed texts.
    QString evaluate(const Element& e, TextSource::Ranges* values = nullptr) const {
        QString out;
        for (const Term& t : e.value) {
            if (t.kind == Term::Text) {
                out += t.text;
                continue;
            }
            const auto v = row_.constFind(t.text);
            if (v == row_.constEnd())
                throw Error(QStringLiteral(
                                "Il modello di stampa «%1» (riga %2) stampa la colonna «%3», che i dati del "
                                "documento non hanno.")
                                .arg(tmpl_.name)
                                .arg(e.sourceLine)
                                .arg(t.text));
            if (values) values->emplace_back(out.size(), out.size() + v->size());
            out += *v; // a lone value is shared, not copied
        }
        return out;
    }

    // A box row with its value. A boxed value longer than the row goes on over further rows
    // of the same cells directly under it, as one fills in a paper form.
    void measureBoxRow(Item& it, QString value) const {
        const QString& cells = it.e->text;
        const QList<LaidLine> row = layText(cells, it.font, {});
        it.lines = row;
        // A mark ("X") is not boxed: it goes into the first cell, past the opening "|".
        if (!value.isEmpty() && !value.startsWith(QLatin1Char('|'))) value.prepend(QLatin1Char(' '));
        if (value.trimmed().isEmpty()) return;
        static const QRegularExpression plainCells(QStringLiteral("^\\|(_\\|)+$"));
        const qsizetype perRow = (cells.size() - 1) / 2;
        if (value.size() <= cells.size() || !plainCells.match(cells).hasMatch() || row.isEmpty() ||
            value.size() % 2 == 0) {
            it.overLines = layText(value, it.font, {});
            return;
        }
        const double rowHeight = row.first().height;
        const qsizetype count = (value.size() - 1) / 2;
        for (qsizetype first = 0, k = 0; first < count; first += perRow, ++k) {
            const QString chunk = value.mid(2 * first, 2 * std::min(perRow, count - first) + 1);
            for (LaidLine line : layText(chunk, it.font, {})) {
                line.top += k * rowHeight;
                it.overLines.append(line);
            }
            if (k == 0) continue;
            for (LaidLine line : row) {
                line.top += k * rowHeight;
                it.lines.append(line);
            }
        }
        it.grown = (it.lines.size() / std::max<qsizetype>(row.size(), 1) - 1) * rowHeight;
    }

    // A value that stays inside its box: the largest size, down to the smallest the element
    // allows, at which it fits the box's width and height, wrapped if need be; wrapped at the
    // smallest size when nothing fits.
    void fitInBox(Item& it, const Element& e, QString text) const {
        if (e.part > 0) text = piece(text, e.part);
        const double width = e.width * PointsPerInch;
        double room = e.height * PointsPerInch;
        for (double size = e.font.size;; size = std::max(e.shrink, size - 0.5)) {
            FontSpec smaller = e.font;
            smaller.size = size;
            const QFont font = resolveFont(smaller);
            const QList<LaidLine> lines = layText(text, font, {width, e.align, true});
            const double height = lines.isEmpty() ? 0 : lines.last().top + lines.last().height;
            if (room <= 0) room = lines.isEmpty() ? 0 : lines.first().height; // one line at full size
            if (height <= room + Eps || size <= e.shrink) {
                it.font = font;
                it.lines = lines;
                // Without a box (no height) the value is a line of the flow, as a title: when
                // it wraps, what stands below moves down by what it took beyond one line.
                if (e.height <= 0) it.grown = std::max(0.0, height - room);
                return;
            }
        }
    }

    // The n-th piece of a value whose pieces are separated by spaces or "/" (a date in parts).
    static QString piece(const QString& text, int n) {
        static const QRegularExpression separators(QStringLiteral("[\\s/]+"));
        return text.split(separators, Qt::SkipEmptyParts).value(n - 1);
    }

    Item measure(const Element& e, int order) const {
        Item it;
        it.e = &e;
        it.order = order;
        const double x = e.pos.x() * PointsPerInch, y = e.pos.y() * PointsPerInch;
        it.top = y;
        const double width = e.width * PointsPerInch;
        switch (e.kind) {
        case ElementKind::Caption:
        case ElementKind::DataText:
        case ElementKind::BoxRow:
        case ElementKind::Paragraph:
        case ElementKind::DataParagraph: {
            it.font = resolveFont(e.font);
            if (e.kind == ElementKind::Paragraph || e.kind == ElementKind::DataParagraph) {
                TextSource::Ranges values;
                QString text =
                    e.kind == ElementKind::Paragraph ? e.text : evaluate(e, e.hangMarker ? &values : nullptr);
                auto source = std::make_shared<const TextSource>(
                    std::move(text), it.font,
                    TextSetting{width, e.align, true, e.hang * PointsPerInch, e.hangMarker}, true,
                    std::move(values));
                // A long paragraph in the flow is laid out as it is placed, a source line at a
                // time: nothing but its place needs it whole (its bottom matters only out of the flow).
                if (source->isLong() && width > 0 && !e.repeat && !e.foot) {
                    it.flowing = std::move(source);
                    it.bottom = y;
                    it.left = x;
                    it.right = x + width;
                    break;
                }
                it.lines = layText(source);
            } else if (e.kind == ElementKind::BoxRow) {
                measureBoxRow(it, onOneLine(evaluate(e)));
            } else if (e.kind == ElementKind::DataText && e.shrink > 0) {
                fitInBox(it, e, onOneLine(evaluate(e)));
            } else {
                QString text = e.kind == ElementKind::Caption ? e.text : onOneLine(evaluate(e));
                if (e.part > 0) text = piece(text, e.part);
                it.lines = layText(text, it.font, {width, e.align, false});
            }
            double height = 0, right = 0;
            for (const QList<LaidLine>* lines : {&it.lines, &it.overLines})
                for (const LaidLine& l : *lines) {
                    height = std::max(height, l.top + l.height);
                    if (!l.blank) right = std::max(right, l.right);
                }
            it.bottom = y + height;
            it.left = x;
            it.right = x + (width > 0 ? width : right);
            break;
        }
        case ElementKind::Line:
            it.top = std::min(e.pos.y(), e.end.y()) * PointsPerInch;
            it.bottom = std::max(e.pos.y(), e.end.y()) * PointsPerInch;
            it.left = std::min(e.pos.x(), e.end.x()) * PointsPerInch;
            it.right = std::max(e.pos.x(), e.end.x()) * PointsPerInch;
            break;
        case ElementKind::Rectangle:
        case ElementKind::Picture:
            it.bottom = y + e.size.height() * PointsPerInch;
            it.left = x;
            it.right = x + e.size.width() * PointsPerInch;
            break;
        }
        return it;
    }

    Page& page(int k) {
        while (int(pages_.size()) <= k) {
            Page p;
            p.size = tmpl_.paperInches() * PointsPerInch;
            p.templatePage = templatePage_;
            p.continuation = !pages_.isEmpty();
            pages_.append(p);
        }
        return pages_[k];
    }

    Shift at(double y) const {
        Shift s = shifts_.front();
        for (const Shift& candidate : shifts_)
            if (candidate.from <= y + Eps) s = candidate;
        return s;
    }

    static bool later(int page, double delta, const Shift& than) {
        return page > than.page || (page == than.page && delta > than.delta + Eps);
    }

    // From `from` down, positions go at least as far as (page, delta) says. Where text beside
    // other text has grown too, the one that needs more room wins.
    void push(double from, int page, double delta) {
        if (!later(page, delta, at(from))) return;
        auto pos = shifts_.begin();
        while (pos != shifts_.end() && pos->from <= from + Eps)
            ++pos;
        for (auto s = pos; s != shifts_.end(); ++s)
            if (later(page, delta, *s)) {
                s->page = page;
                s->delta = delta;
            }
        shifts_.insert(pos, Shift{from, page, delta});
    }

    static bool pushed(const Shift& s) { return s.page != 0 || std::abs(s.delta) > Eps; }

    static bool inFlow(const Item& o) { return !o.e->repeat && !o.e->foot; }

    // The frame drawn around a paragraph, if any: the innermost that holds it.
    const Item* frameAround(const Item& p) const {
        const Item* frame = nullptr;
        for (const Item& o : items_)
            if (o.e->kind == ElementKind::Rectangle && inFlow(o) && o.top <= p.top + Eps &&
                o.bottom > p.top + Eps && o.left <= p.left + Eps && o.right >= p.right - Eps &&
                (!frame || o.bottom < frame->bottom))
                frame = &o;
        return frame;
    }

    // The room a paragraph has: down to the next element below that stands across its width,
    // or to the bottom margin; never more than the height the template gives it.
    double allotted(const Item& p) const {
        double next = std::numeric_limits<double>::max();
        for (const Item& o : items_) {
            if (&o == &p || !inFlow(o) || o.top <= p.top + Eps) continue;
            if (o.left < p.right - Eps && o.right > p.left + Eps) next = std::min(next, o.top);
        }
        // A frame drawn around the paragraph holds it: its bottom edge grows with the text.
        if (const Item* frame = frameAround(p)) next = std::min(next, frame->bottom);
        double room = (next < std::numeric_limits<double>::max() ? next : std::max(limit_, p.top)) - p.top;
        if (p.e->height > 0) room = std::min(room, p.e->height * PointsPerInch);
        return std::max(room, 0.0);
    }

    void place(const Item& it) {
        switch (it.e->kind) {
        case ElementKind::Paragraph:
        case ElementKind::DataParagraph:
            flowParagraph(it);
            break;
        case ElementKind::Line:
        case ElementKind::Rectangle: {
            const Shift s = placeBlock(it);
            rules_.emplace_back(&it, s);
            placed_[it.order] = {s.page, s.page};
            break;
        }
        default: {
            const Shift s = placeBlock(it);
            placeBlockContent(it, s);
            // A box row that went on over further rows, or a title that wrapped, pushes down
            // what stands below its first row.
            if (it.grown > 0) push(it.bottom - it.grown, s.page, s.delta + it.grown);
            break;
        }
        }
    }

    struct Snapshot {
        std::vector<Shift> shifts;
        QList<Page> pages;
        std::size_t rules;
    };

    // Places flow[first..last]; if a group among them ends up on more than one page, they all
    // start again on the next page, unless they do not fit on a page of their own either.
    void keepTogether(const std::vector<const Item*>& flow, std::size_t first, std::size_t last,
                      const std::set<int>& groups) {
        const Snapshot before{shifts_, pages_, rules_.size()};
        auto restore = [&] {
            shifts_ = before.shifts;
            pages_ = before.pages;
            rules_.resize(before.rules);
        };
        auto placeAll = [&] {
            for (std::size_t i = first; i <= last; ++i)
                place(*flow[i]);
        };
        auto split = [&] {
            for (const int g : groups) {
                int from = std::numeric_limits<int>::max(), to = -1;
                for (std::size_t i = first; i <= last; ++i)
                    if (flow[i]->e->keepGroup == g) {
                        from = std::min(from, placed_[flow[i]->order].first);
                        to = std::max(to, placed_[flow[i]->order].second);
                    }
                if (to > from) return true;
            }
            return false;
        };
        placeAll();
        if (!split()) return;
        restore();
        const double top = flow[first]->top;
        push(top, at(top).page + 1, contTop_ - top);
        placeAll();
        if (!split()) return;
        restore(); // taller than a page: it flows as it would without the group
        placeAll();
    }

    void flowParagraph(const Item& it) {
        const Shift s = at(it.top);
        const double room = allotted(it);
        // Inside a frame, text on a continuation page keeps its distance from the frame's top.
        const Item* frame = frameAround(it);
        double inset = 0;
        if (frame) {
            inset = it.top - frame->top;
            for (const Item& o : items_)
                if (&o != frame && inFlow(o) && o.e->kind != ElementKind::Line &&
                    o.e->kind != ElementKind::Rectangle && o.top >= frame->top - Eps &&
                    o.top < frame->bottom && o.left >= frame->left - Eps && o.right <= frame->right + Eps)
                    inset = std::min(inset, o.top - frame->top);
        }
        // What a template places past the bottom margin (the rows of a list the program stacks
        // one after the other) flows on to continuation pages as pushed text does.
        const bool offPaper = !pushed(s) && it.top >= limit_ - Eps;
        double limit = pushed(s) || offPaper ? limit_ : std::max(limit_, it.top + room);
        int k = s.page;
        double y = it.top + s.delta;
        bool first = true;
        int firstPage = k;
        const double x = it.e->pos.x() * PointsPerInch;
        auto placeLine = [&](const LaidLine& line, const SourcePlace* at, int row) {
            const bool atPageTop = k > s.page && y <= contTop_ + inset + Eps;
            const bool standsWhereDrawn = first && !pushed(s) && !offPaper;
            if (y + line.height > limit + Eps && !atPageTop && !standsWhereDrawn) {
                ++k;
                y = contTop_ + inset;
                limit = limit_;
            }
            if (first) firstPage = k;
            if (!at) {
                addRun(k, it, line, x, y, false);
            } else if (keep_ == Keep::Spans) {
                addSpanRow(k, it, line, x, y, *at, row);
            } else {
                LaidLine deferred = line;
                deferred.deferred = {it.flowing, *at, row};
                addRun(k, it, deferred, x, y, false);
            }
            y += line.height;
            first = false;
        };
        if (it.flowing) {
            const TextSource& text = *it.flowing;
            SourcePlace at;
            SourceLine sl;
            QString segment;
            QList<LaidLine> laid;
            for (SourcePlace here = at; text.read(at, sl, segment); here = at) {
                laid.clear();
                laySourceLine(segment, sl, text.font, text.how, text.nbspAdvance, 0, false, laid);
                for (int r = 0; r < laid.size(); ++r)
                    placeLine(laid[r], &here, r);
            }
        } else {
            for (const LaidLine& line : it.lines)
                placeLine(line, nullptr, 0);
        }
        placed_[it.order] = {firstPage, k};
        const double end = it.top + room; // where the elements below it begin in the template
        if (k == s.page)
            push(end, k, s.delta + std::max(0.0, (y - (it.top + s.delta)) - room));
        else
            push(end, k, y - end);
    }

    // Puts a block where the shifts above send it; a block pushed past the bottom margin moves
    // to a continuation page, and what is below it follows.
    Shift placeBlock(const Item& it) {
        Shift s = at(it.top);
        const double height = it.bottom - it.top;
        const double y = it.top + s.delta;
        const bool offPaper = it.top >= limit_ - Eps;
        if ((pushed(s) || offPaper) && y + height > limit_ + Eps && !(s.page > 0 && y <= contTop_ + Eps)) {
            push(it.top, s.page + 1, contTop_ - it.top);
            s = at(it.top);
        }
        return s;
    }

    void placeBlockContent(const Item& it, const Shift& s) {
        placed_[it.order] = {s.page, s.page};
        const double x = it.e->pos.x() * PointsPerInch, y = it.top + s.delta;
        if (it.e->kind == ElementKind::Picture) {
            const QRectF rect(x, y, it.right - it.left, it.bottom - it.top);
            page(s.page).pictures.append({rect, tmpl_.images.value(it.e->text)});
            return;
        }
        const bool overlay = it.e->kind == ElementKind::BoxRow;
        for (const LaidLine& line : it.lines)
            addRun(s.page, it, line, x, y + line.top, overlay);
        for (const LaidLine& line : it.overLines)
            addRun(s.page, it, line, x, y + line.top, overlay);
    }

    // An element out of the flow, moved down by dy on page k.
    void drawAt(const Item& it, int k, double dy) {
        const Element& e = *it.e;
        if (e.kind == ElementKind::Rectangle) {
            page(k).frames.append(
                {QRectF(it.left, it.top + dy, it.right - it.left, it.bottom - it.top), e.pen});
        } else if (e.kind == ElementKind::Line) {
            const QPointF by(0, dy);
            page(k).lines.append({QLineF(e.pos * PointsPerInch + by, e.end * PointsPerInch + by), e.pen});
        } else {
            placeBlockContent(it, Shift{0, k, dy});
        }
    }

    // Lines keep their top where it was placed; their bottom follows the text that grew inside
    // them, but never past the page they start on. A frame whose text goes on to further pages
    // is drawn on each of them around the part that lies there.
    void placeRule(const Item& it, const Shift& topShift) {
        const Element& e = *it.e;
        const double top = it.top + topShift.delta;
        const double pageLimit = std::max(limit_, top);
        auto mapped = [&](double y) {
            const Shift s = y <= it.top + Eps ? topShift : at(y);
            if (s.page != topShift.page) return pageLimit;
            const double moved = y + s.delta;
            return moved > limit_ && moved > y + Eps ? pageLimit : moved;
        };
        if (e.kind == ElementKind::Rectangle) {
            const Shift end = it.bottom <= it.top + Eps ? topShift : at(it.bottom);
            const QRectF rect(it.left, top, it.right - it.left, mapped(it.bottom) - top);
            page(topShift.page).frames.append({rect, e.pen});
            for (int k = topShift.page + 1; k <= end.page; ++k) {
                const double bottom = k < end.page ? limit_ : std::min(it.bottom + end.delta, limit_);
                if (bottom > contTop_ + Eps)
                    page(k).frames.append(
                        {QRectF(it.left, contTop_, it.right - it.left, bottom - contTop_), e.pen});
            }
        } else {
            const QLineF line(e.pos.x() * PointsPerInch, mapped(e.pos.y() * PointsPerInch),
                              e.end.x() * PointsPerInch, mapped(e.end.y() * PointsPerInch));
            page(topShift.page).lines.append({line, e.pen});
        }
    }

    // The elements at the foot go together to the last page of the template page, the lowest
    // of them ending on the bottom margin; when the text reaches that far, to a page after it.
    void placeFoot() {
        double top = std::numeric_limits<double>::max(), bottom = std::numeric_limits<double>::lowest();
        double left = top, right = bottom;
        for (const Item& it : items_)
            if (it.e->foot) {
                top = std::min(top, it.top);
                bottom = std::max(bottom, it.bottom);
                left = std::min(left, it.left);
                right = std::max(right, it.right);
            }
        if (bottom < top) return;
        int k = int(pages_.size()) - 1;
        auto reached = [&](const QRectF& r) {
            return r.left() < right - Eps && r.right() > left + Eps &&
                   r.bottom() + Clearance > top + limit_ - bottom + Eps;
        };
        bool clear = true;
        const Page& last = pages_[k];
        for (const TextRun& t : last.texts)
            clear = clear && !reached(t.rect);
        for (const TextSpan& span : last.spans)
            if (!span.bounds.isNull() && reached(span.bounds))
                for (const TextRun& t : spanRuns(span, false))
                    clear = clear && !reached(t.rect);
        for (const PictureItem& p : last.pictures)
            clear = clear && !reached(p.rect);
        for (const LineItem& l : last.lines)
            clear = clear && !reached(QRectF(l.line.p1(), l.line.p2()).normalized());
        for (const FrameItem& f : last.frames)
            clear = clear && !reached(QRectF(f.rect.bottomLeft(), f.rect.bottomRight()));
        if (!clear) ++k;
        for (const Item& it : items_)
            if (it.e->foot) drawAt(it, k, limit_ - bottom);
    }

    void addRun(int k, const Item& it, const LaidLine& line, double x, double y, bool overlay) {
        if (line.blank) return;
        TextRun run;
        run.text = line.text;
        run.font = it.font;
        run.origin = QPointF(x, y);
        run.rect = QRectF(x + line.left, y, line.right - line.left, line.height);
        run.glyphs = line.glyphs;
        run.deferred = line.deferred;
        run.overlay = overlay;
        run.sourceLine = it.e->sourceLine;
        page(k).texts.append(run);
    }

    // A line of a long paragraph: it goes on the span of the lines before it when it follows them
    // on the page.
    void addSpanRow(int k, const Item& it, const LaidLine& line, double x, double y, const SourcePlace& at,
                    int row) {
        Page& p = page(k);
        if (p.spans.isEmpty() || p.spans.constLast().text != it.flowing ||
            p.spans.constLast().at != p.texts.size()) {
            TextSpan span;
            span.text = it.flowing;
            span.start = at;
            span.row = row;
            span.at = p.texts.size();
            span.origin = QPointF(x, y);
            span.sourceLine = it.e->sourceLine;
            p.spans.append(span);
        }
        TextSpan& span = p.spans.last();
        ++span.rows;
        if (line.blank) return;
        const QRectF rect(x + line.left, y, line.right - line.left, line.height);
        span.bounds = span.bounds.isNull() ? rect : span.bounds.united(rect);
    }

    const Template& tmpl_;
    int templatePage_;
    const QHash<QString, QString>& row_;
    Keep keep_;
    double pageHeight_ = 0;
    double limit_ = 0;   // where flowed text stops: the bottom margin, above repeated elements
    double contTop_ = 0; // where text starts on a continuation page
    std::vector<Item> items_;
    std::vector<std::pair<int, int>> placed_; // by element: first and last page it went to
    std::vector<Shift> shifts_{Shift{std::numeric_limits<double>::lowest(), 0, 0}};
    std::vector<std::pair<const Item*, Shift>> rules_; // lines and frames, drawn once all shifts are known
    QList<Page> pages_;
};

// The marks of numbered pages: small, just inside the band printers leave blank at the edge.
constexpr double MarkSize = 7;                   // points
constexpr double MarkEdge = 0.3 * PointsPerInch; // from the paper's top and bottom edges
constexpr double MarkSide = 0.8 * PointsPerInch; // the heading's left, and the least room right
constexpr double MarkGap = 0.1 * PointsPerInch;  // kept from anything printed beside a mark

TextRun markRun(const LaidLine& line, const QFont& font, double x, double y) {
    TextRun run;
    run.text = line.text;
    run.font = font;
    run.origin = QPointF(x, y);
    run.rect = QRectF(x + line.left, y, line.right - line.left, line.height);
    run.glyphs = line.glyphs;
    run.deferred = line.deferred;
    run.pageMark = true;
    return run;
}

// "Pagina N di M" and the heading's lines, after the page's runs.
void appendMarks(QList<TextRun>& out, const Page& page, const QFont& font, int number, int count,
                 const QList<LaidLine>& heading) {
    const QString text = QStringLiteral("Pagina %1 di %2").arg(number).arg(count);
    const QList<LaidLine> numberLines = layText(text, font, {page.size.width(), Align::Centre, false});
    if (!numberLines.isEmpty()) {
        const LaidLine& line = numberLines.first();
        out.append(markRun(line, font, 0, page.size.height() - MarkEdge - line.height));
    }
    for (const LaidLine& line : heading)
        if (!line.blank) out.append(markRun(line, font, MarkSide, MarkEdge + line.top));
}

// What is printed on a page, as rectangles: texts, frames, rules, pictures.
QList<QRectF> inked(const Page& page) {
    QList<QRectF> out;
    for (const TextRun& t : page.texts)
        out << t.rect;
    for (const FrameItem& f : page.frames)
        out << f.rect;
    for (const LineItem& l : page.lines)
        out << QRectF(l.line.p1(), l.line.p2()).normalized();
    for (const PictureItem& p : page.pictures)
        out << p.rect;
    return out;
}

} // namespace

// What the marks of a document's numbered pages share: their font, how many pages there are, and
// the heading laid out at each width it got.
struct PageMarks {
    QFont font;
    int count = 0;
    std::vector<std::pair<double, QList<LaidLine>>> headings;

    const QList<LaidLine>* heading(double width) const {
        for (const auto& [w, lines] : headings)
            if (w == width) return &lines;
        return nullptr;
    }
};

double textWidth(const QString& text, const FontSpec& font) {
    const QList<LaidLine> lines = layText(onOneLine(text), resolveFont(font), {});
    return lines.isEmpty() || lines.first().blank ? 0 : lines.first().right;
}

double wrappedHeight(const QString& text, const FontSpec& font, double width) {
    const QList<LaidLine> lines = layText(keepingBreaks(text), resolveFont(font), {width, Align::Left, true});
    return lines.isEmpty() ? 0 : lines.last().top + lines.last().height;
}

void numberPages(Document& document, const QString& heading) {
    const int count = int(document.pages.size());
    if (count < 2) return;
    auto marks = std::make_shared<PageMarks>();
    marks->font = resolveFont(FontSpec{QStringLiteral("Arial"), MarkSize, false});
    marks->count = count;
    const QFont& font = marks->font;
    // The heading is laid out once for each width it gets: its lines, and their glyphs, are
    // shared by the pages.
    auto headingAt = [&](double width) {
        if (const QList<LaidLine>* laid = marks->heading(width)) return *laid;
        marks->headings.emplace_back(width, layText(onOneLine(heading), font, {width, Align::Left, true}));
        return marks->headings.back().second;
    };
    for (int k = 0; k < count; ++k) {
        Page& page = document.pages[k];
        const double pageWidth = page.size.width();
        const QList<QRectF> taken = inked(page);
        // Pictures are whole scanned forms: the marks go over their blank border.
        QList<LaidLine> lines;
        double headingWidth = -1;
        if (k > 0 && !heading.trimmed().isEmpty()) {
            // As wide as the head of the page is free from the left; a long heading wraps.
            double width = pageWidth - 2 * MarkSide;
            for (int attempt = 0; attempt < 4; ++attempt) {
                lines = headingAt(width);
                const double height = lines.isEmpty() ? 0 : lines.last().top + lines.last().height;
                const QRectF band(MarkSide, MarkEdge, width, height);
                double right = MarkSide + width;
                auto keepClear = [&](const QRectF& ink) {
                    const QRectF r = ink.adjusted(-MarkGap, -MarkGap / 2, MarkGap, MarkGap / 2);
                    if (r.intersects(band) && r.left() > MarkSide) right = std::min(right, r.left());
                };
                for (qsizetype i = 0; i < taken.size() - page.pictures.size(); ++i)
                    keepClear(taken[i]);
                // A span's lines only when the band reaches them.
                for (const TextSpan& span : page.spans)
                    if (!span.bounds.isNull() &&
                        span.bounds.adjusted(-MarkGap, -MarkGap / 2, MarkGap, MarkGap / 2).intersects(band))
                        for (const TextRun& t : spanRuns(span, false))
                            keepClear(t.rect);
                headingWidth = width;
                if (right >= MarkSide + width - Eps || right - MarkSide < MarkSide) break;
                width = right - MarkSide;
            }
        }
        if (document.keep == Keep::Spans) {
            // Set when the page is: a long document keeps no glyphs of its marks.
            page.marks = marks;
            page.number = k + 1;
            page.headingWidth = headingWidth;
            continue;
        }
        // Room for the marks and no more: a list grown by appending would keep up to twice
        // the runs of every page of a long document.
        page.texts.reserve(page.texts.size() + 1 + lines.size());
        appendMarks(page.texts, page, font, k + 1, count, lines);
    }
}

TextSource::TextSource(QString text_, QFont font_, TextSetting how_, bool rawBreaks_, Ranges values_)
    : text(std::move(text_)), font(std::move(font_)), how(how_), rawBreaks(rawBreaks_),
      values(std::move(values_)), metrics(font, layoutDevice()) {
    nbspAdvance = metrics.horizontalAdvance(QChar(QChar::Nbsp));
    length = text.size();
    if (rawBreaks && length > LongText)
        for (qsizetype i = 0; i + 1 < text.size(); ++i)
            if (pairedBreak(i)) --length;
}

bool TextSource::read(SourcePlace& at, SourceLine& sl, QString& segment) const {
    const qsizetype from = at.from;
    if (from < 0) return false;
    qsizetype to = from;
    while (to < text.size() && !isBreak(text[to]))
        ++to;
    const bool last = to >= text.size();
    // A text that ends with a break has no line after it.
    if (last && from == to && at.line > 0) return false;
    // Leading spaces indent their line by a fixed amount: justification must not stretch them.
    segment = text.mid(from, to - from);
    sl = SourceLine();
    qsizetype spaces = 0;
    while (spaces < segment.size() && segment[spaces] == QLatin1Char(' '))
        ++spaces;
    if (spaces > 0 && spaces < segment.size()) {
        sl.indent = metrics.horizontalAdvance(segment.left(spaces));
        segment.remove(0, spaces);
    }
    if (how.hangMarker) {
        const QRegularExpressionMatch m = listMarker().match(segment);
        if (!m.hasMatch() && at.withinValue && spaces == 0 && at.line > 0 && at.prevHangs) {
            // A line of a value that an item prints goes on where the item's text does,
            // and so do its wrapped lines.
            sl.indent = at.prevIndent + at.prevHang;
            sl.hangs = true;
        } else if (m.hasMatch()) {
            // The marker's spaces do not break and are not widened: the item's first line
            // starts its text where the wrapped lines do.
            for (qsizetype c = m.capturedStart(2); c < m.capturedEnd(2); ++c)
                segment[c] = QChar::Nbsp;
            sl.hangs = true;
            sl.hang = metrics.horizontalAdvance(segment.left(m.capturedEnd(0)));
        }
    } else if (how.hangPt > 0) {
        sl.hangs = true;
        sl.hang = how.hangPt / PointsPerLayoutUnit;
    }
    if (!last) segment += QChar::LineSeparator;
    sl.broken = !last;

    if (last) {
        at.from = -1;
    } else {
        // A paragraph separator, or a break inside a value, stands for a line break inside a
        // column's value.
        const QChar c = text[to];
        at.withinValue = c == QChar::ParagraphSeparator ||
                         (c != QChar::LineSeparator && !values.empty() && valueAt(to) >= 0);
        at.from = to + (pairedBreak(to) ? 2 : 1);
    }
    ++at.line;
    at.prevHangs = sl.hangs;
    at.prevIndent = sl.indent;
    at.prevHang = sl.hang;
    return true;
}

QList<QGlyphRun> TextSource::glyphs(const SourcePlace& at, int row) const {
    const std::lock_guard<std::mutex> lock(guard);
    if (setLine != at.line) {
        QList<LaidLine> laid;
        SourcePlace next = at;
        SourceLine sl;
        QString segment;
        if (read(next, sl, segment)) laySourceLine(segment, sl, font, how, nbspAdvance, 0, true, laid);
        setRows.clear();
        for (const LaidLine& l : laid)
            setRows.append(l.glyphs);
        setLine = at.line;
    }
    return setRows.value(row);
}

QList<TextRun> pageTexts(const Page& page, bool withGlyphs) {
    if (page.spans.isEmpty() && !page.marks) return page.texts;
    QList<TextRun> out;
    qsizetype next = 0;
    for (const TextSpan& span : page.spans) {
        for (; next < span.at; ++next)
            out.append(page.texts[next]);
        out.append(spanRuns(span, withGlyphs));
    }
    for (; next < page.texts.size(); ++next)
        out.append(page.texts[next]);
    if (page.marks) {
        const QList<LaidLine>* heading =
            page.headingWidth >= 0 ? page.marks->heading(page.headingWidth) : nullptr;
        appendMarks(out, page, page.marks->font, page.number, page.marks->count,
                    heading ? *heading : QList<LaidLine>());
    }
    return out;
}

QList<QGlyphRun> glyphsOf(const TextRun& run) {
    if (!run.deferred.text) return run.glyphs;
    return run.deferred.text->glyphs(run.deferred.at, run.deferred.row);
}

QList<QPointF> glyphPositions(const TextRun& run) {
    QList<QPointF> out;
    for (const QGlyphRun& g : glyphsOf(run))
        for (const QPointF& p : g.positions())
            out.append(run.origin + p * PointsPerLayoutUnit);
    return out;
}

Document layoutReport(const Template& tmpl, const QStringList& columnNames, const QStringList& values,
                      const PageProgress& pageDone, Keep keep) {
    if (columnNames.size() != values.size())
        throw Error(
            QStringLiteral("I dati del documento non corrispondono alle colonne: %1 colonne e %2 valori.")
                .arg(columnNames.size())
                .arg(values.size()));
    QHash<QString, QString> row;
    for (qsizetype i = 0; i < columnNames.size(); ++i)
        if (!row.contains(columnNames[i])) row.insert(columnNames[i], values[i]);

    Document doc;
    doc.keep = keep;
    doc.name = tmpl.name;
    doc.title = tmpl.title.isEmpty() ? tmpl.name : tmpl.title;
    for (int p = 0; p < tmpl.pages.size(); ++p) {
        const QList<Page> pages = PageFlow(tmpl, p, row, keep).run();
        for (const Page& page : pages) {
            doc.pages.append(page);
            if (pageDone) pageDone(int(doc.pages.size()));
        }
    }
    return doc;
}

} // namespace quadrelo::report
