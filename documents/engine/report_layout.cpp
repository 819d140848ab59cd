#include "documents/engine/report_layout.h"

#include "documents/engine/report_fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
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

// One laid-out line, relative to the top-left of its element.
struct LaidLine {
    QString text;
    QList<QGlyphRun> glyphs;    // layout units from the line's top-left
    double top = 0;             // points below the element's top
    double height = 0;          // points
    double left = 0, right = 0; // inked extent, points from the element's left
    bool blank = true;
};

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

QList<LaidLine> layText(const QString& source, const QFont& font, double widthPt, Align align, bool wrap) {
    // Leading spaces indent their line by a fixed amount: justification must not stretch them.
    QString text;
    QHash<qsizetype, double> indents; // start of a line of the source → its indent, layout units
    const QFontMetricsF metrics(font, layoutDevice());
    const QStringList segments = source.split(QChar::LineSeparator);
    for (qsizetype i = 0; i < segments.size(); ++i) {
        QString segment = segments[i];
        qsizetype spaces = 0;
        while (spaces < segment.size() && segment[spaces] == QLatin1Char(' '))
            ++spaces;
        if (spaces > 0 && spaces < segment.size()) {
            indents.insert(text.size(), metrics.horizontalAdvance(segment.left(spaces)));
            segment.remove(0, spaces);
        }
        text += segment;
        if (i + 1 < segments.size()) text += QChar::LineSeparator;
    }

    QTextLayout layout(text, font, layoutDevice());
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setAlignment(qtAlignment(align));
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    const double lineWidth = widthPt > 0 ? widthPt / PointsPerLayoutUnit : 1e6;
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        const double indent = indents.value(line.textStart(), 0.0);
        line.setLeadingIncluded(true);
        line.setLineWidth(std::max(lineWidth - indent, 1.0));
        line.setPosition(QPointF(indent, y));
        y += line.height();
    }
    layout.endLayout();

    QList<LaidLine> out;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        LaidLine laid;
        laid.text = text.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
        laid.top = line.y() * PointsPerLayoutUnit;
        laid.height = line.height() * PointsPerLayoutUnit;
        double inkLeft = std::numeric_limits<double>::max(), inkRight = std::numeric_limits<double>::lowest();
        for (QGlyphRun run : line.glyphRuns()) {
            QList<QPointF> positions = run.positions();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(indexes);
            for (qsizetype g = 0; g < positions.size(); ++g) {
                positions[g].ry() -= line.y();
                if (run.rawFont().boundingRect(indexes[g]).isEmpty()) continue; // a space
                inkLeft = std::min(inkLeft, positions[g].x());
                inkRight = std::max(inkRight, positions[g].x() + advances.value(g).x());
            }
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
    QList<LaidLine> overLines; // the value over a box row
};

// Where the template's vertical positions go after the text above them has grown: every
// position at or below `from` lands on continuation page `page` (0: the template page itself)
// at its own position plus `delta`.
struct Shift {
    double from;
    int page;
    double delta;
};

class PageFlow {
public:
    PageFlow(const Template& tmpl, int templatePage, const QHash<QString, QString>& row)
        : tmpl_(tmpl), templatePage_(templatePage), row_(row) {
        pageHeight_ = PageHeightInches * PointsPerInch;
        limit_ = pageHeight_ - tmpl.bottomMargin * PointsPerInch;
        topMargin_ = tmpl.topMargin * PointsPerInch;
    }

    QList<Page> run() {
        const QList<Element>& elements = tmpl_.pages[templatePage_].elements;
        for (int i = 0; i < elements.size(); ++i)
            items_.push_back(measure(elements[i], i));
        std::vector<const Item*> sorted;
        for (const Item& it : items_)
            sorted.push_back(&it);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Item* a, const Item* b) { return a->top < b->top; });

        std::vector<std::pair<const Item*, Shift>>
            rules; // lines and frames, placed once all shifts are known
        for (const Item* it : sorted) {
            switch (it->e->kind) {
            case ElementKind::Paragraph:
            case ElementKind::DataParagraph:
                flowParagraph(*it);
                break;
            case ElementKind::Line:
            case ElementKind::Rectangle:
                rules.emplace_back(it, placeBlock(*it));
                break;
            default:
                placeBlockContent(*it, placeBlock(*it));
                break;
            }
        }
        for (const auto& [it, at] : rules)
            placeRule(*it, at);
        page(0);
        return pages_;
    }

private:
    QString evaluate(const Element& e) const {
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
            out += *v;
        }
        return out;
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
            if (e.kind == ElementKind::Paragraph) {
                it.lines = layText(keepingBreaks(e.text), it.font, width, e.align, true);
            } else if (e.kind == ElementKind::DataParagraph) {
                it.lines = layText(keepingBreaks(evaluate(e)), it.font, width, e.align, true);
            } else if (e.kind == ElementKind::BoxRow) {
                it.lines = layText(e.text, it.font, 0, Align::Left, false);
                QString value = onOneLine(evaluate(e));
                // A mark ("X") is not boxed: it goes into the first cell, past the opening "|".
                if (!value.isEmpty() && !value.startsWith(QLatin1Char('|'))) value.prepend(QLatin1Char(' '));
                if (!value.trimmed().isEmpty()) it.overLines = layText(value, it.font, 0, Align::Left, false);
            } else {
                const QString text = e.kind == ElementKind::Caption ? e.text : onOneLine(evaluate(e));
                it.lines = layText(text, it.font, width, e.align, false);
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
            p.size = QSizeF(PageWidthInches * PointsPerInch, PageHeightInches * PointsPerInch);
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

    // The room a paragraph has: down to the next element below that stands across its width,
    // or to the bottom margin; never more than the height the template gives it.
    double allotted(const Item& p) const {
        double next = std::numeric_limits<double>::max();
        for (const Item& o : items_) {
            if (&o == &p || o.top <= p.top + Eps) continue;
            if (o.left < p.right - Eps && o.right > p.left + Eps) next = std::min(next, o.top);
        }
        // A frame drawn around the paragraph holds it: its bottom edge grows with the text.
        for (const Item& o : items_)
            if (o.e->kind == ElementKind::Rectangle && o.top <= p.top + Eps && o.bottom > p.top + Eps &&
                o.left <= p.left + Eps && o.right >= p.right - Eps)
                next = std::min(next, o.bottom);
        double room = (next < std::numeric_limits<double>::max() ? next : std::max(limit_, p.top)) - p.top;
        if (p.e->height > 0) room = std::min(room, p.e->height * PointsPerInch);
        return std::max(room, 0.0);
    }

    void flowParagraph(const Item& it) {
        const Shift s = at(it.top);
        const double room = allotted(it);
        double limit = pushed(s) ? limit_ : std::max(limit_, it.top + room);
        int k = s.page;
        double y = it.top + s.delta;
        bool first = true;
        for (const LaidLine& line : it.lines) {
            const bool atPageTop = k > s.page && y <= topMargin_ + Eps;
            const bool standsWhereDrawn = first && !pushed(s);
            if (y + line.height > limit + Eps && !atPageTop && !standsWhereDrawn) {
                ++k;
                y = topMargin_;
                limit = limit_;
            }
            addRun(k, it, line, it.e->pos.x() * PointsPerInch, y, false);
            y += line.height;
            first = false;
        }
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
        if (pushed(s) && y + height > limit_ + Eps && !(s.page > 0 && y <= topMargin_ + Eps)) {
            push(it.top, s.page + 1, topMargin_ - it.top);
            s = at(it.top);
        }
        return s;
    }

    void placeBlockContent(const Item& it, const Shift& s) {
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

    // Lines and frames keep their top where it was placed; their bottom follows the text that
    // grew inside them, but never past the page they start on.
    void placeRule(const Item& it, const Shift& topShift) {
        const Element& e = *it.e;
        auto mapped = [&](double y) {
            const Shift s = y <= it.top + Eps ? topShift : at(y);
            if (s.page != topShift.page) return std::max(limit_, it.top + topShift.delta);
            const double moved = y + s.delta;
            return moved > limit_ && moved > y + Eps ? std::max(limit_, it.top + topShift.delta) : moved;
        };
        if (e.kind == ElementKind::Rectangle) {
            const double top = it.top + topShift.delta;
            const QRectF rect(it.left, top, it.right - it.left, mapped(it.bottom) - top);
            page(topShift.page).frames.append({rect, e.pen});
        } else {
            const QLineF line(e.pos.x() * PointsPerInch, mapped(e.pos.y() * PointsPerInch),
                              e.end.x() * PointsPerInch, mapped(e.end.y() * PointsPerInch));
            page(topShift.page).lines.append({line, e.pen});
        }
    }

    void addRun(int k, const Item& it, const LaidLine& line, double x, double y, bool overlay) {
        if (line.blank) return;
        TextRun run;
        run.text = line.text;
        run.font = it.font;
        run.origin = QPointF(x, y);
        run.rect = QRectF(x + line.left, y, line.right - line.left, line.height);
        run.glyphs = line.glyphs;
        run.overlay = overlay;
        run.sourceLine = it.e->sourceLine;
        page(k).texts.append(run);
    }

    const Template& tmpl_;
    int templatePage_;
    const QHash<QString, QString>& row_;
    double pageHeight_ = 0, limit_ = 0, topMargin_ = 0;
    std::vector<Item> items_;
    std::vector<Shift> shifts_{Shift{std::numeric_limits<double>::lowest(), 0, 0}};
    QList<Page> pages_;
};

} // namespace

QList<QPointF> glyphPositions(const TextRun& run) {
    QList<QPointF> out;
    for (const QGlyphRun& g : run.glyphs)
        for (const QPointF& p : g.positions())
            out.append(run.origin + p * PointsPerLayoutUnit);
    return out;
}

Document layoutReport(const Template& tmpl, const QStringList& columnNames, const QStringList& values,
                      const PageProgress& pageDone) {
    if (columnNames.size() != values.size())
        throw Error(
            QStringLiteral("I dati del documento non corrispondono alle colonne: %1 colonne e %2 valori.")
                .arg(columnNames.size())
                .arg(values.size()));
    QHash<QString, QString> row;
    for (qsizetype i = 0; i < columnNames.size(); ++i)
        if (!row.contains(columnNames[i])) row.insert(columnNames[i], values[i]);

    Document doc;
    doc.name = tmpl.name;
    doc.title = tmpl.title.isEmpty() ? tmpl.name : tmpl.title;
    for (int p = 0; p < tmpl.pages.size(); ++p) {
        const QList<Page> pages = PageFlow(tmpl, p, row).run();
        for (const Page& page : pages) {
            doc.pages.append(page);
            if (pageDone) pageDone(int(doc.pages.size()));
        }
    }
    return doc;
}

} // namespace quadrelo::report
