// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The list of practices written out: CSV for a spreadsheet, PDF through the report engine.
#include "practice_archive.h"

#include "documents/engine/report_layout.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_template.h"
#include "record/errors.h"
#include "record/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace quadrelo {

namespace {

// What a spreadsheet would take for a formula: the cell gets a leading apostrophe and stays text.
bool looksLikeFormula(const QString& text) {
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front());
}

// A tax code or partita IVA of digits only would become a number and lose its leading zeros.
bool isDigitCode(const QString& text) {
    return text.size() > 1 && text.front() == QLatin1Char('0') &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

QByteArray csvField(const QString& text, bool number) {
    QString field = (!number && looksLikeFormula(text)) ? QLatin1Char('\'') + text : text;
    // A spreadsheet reads ';', quotes and line breaks as structure unless the field is quoted.
    if (field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) || isDigitCode(field)) {
        field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field.toUtf8();
}

// Amounts, the typology and the dates are numbers and dates to the spreadsheet; the rest is text.
bool isNumberColumn(int column) {
    return isAmountColumn(column) || column == ColumnTypology || column == ColumnCompletion ||
           column == ColumnModified;
}

QByteArray csvLine(const QStringList& fields, bool titles = false) {
    QByteArray line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i) line += ';';
        line += csvField(fields.at(i), titles || isNumberColumn(i));
    }
    return line + "\r\n";
}

// The first bytes of every list the program writes as CSV: its mark and first titles.
const QByteArray kCsvStart = QByteArrayLiteral("\xEF\xBB\xBF"
                                               "File;Richiedente;");

// --- PDF -------------------------------------------------------------------------------------

// A4 landscape: every column of the CSV, each cell wrapping within its column.
constexpr double kFontSize = 7;
constexpr double kLeft = 0.4;        // inches, left and right
constexpr double kHeadingTop = 0.45; // the list's heading, on every page
constexpr double kTitlesTop = 0.75;  // the column titles, on every page
constexpr double kGap = 0.08;        // between columns
constexpr double kRowGap = 0.07;     // between rows
constexpr double kLongestWord = 1.6; // a longer word breaks inside itself rather than widen its column

report::FontSpec listFont(bool bold = false) {
    return report::FontSpec{QStringLiteral("Arial"), kFontSize, bold};
}

double widthInches(const QString& text, bool bold = false) {
    return report::textWidth(text, listFont(bold)) / report::PointsPerInch;
}

double longestWord(const QString& text, bool bold = false) {
    double widest = 0;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = std::max(widest, widthInches(word, bold));
    return std::min(widest, kLongestWord);
}

// The columns share the page's width: each at least as wide as its longest word, the rest
// given in proportion to what its longest text would need on one line.
QList<double> columnWidths(const QList<QStringList>& cells, const QStringList& titles, double room) {
    const qsizetype count = titles.size();
    QList<double> least(count, 0), natural(count, 0);
    for (qsizetype c = 0; c < count; ++c) {
        least[c] = longestWord(titles[c], true) + 0.02; // a hair more: a word as wide as its line may break
        natural[c] = std::max(least[c], std::min(widthInches(titles[c], true), 1.2));
    }
    for (const QStringList& row : cells)
        for (qsizetype c = 0; c < count; ++c) {
            least[c] = std::max(least[c], longestWord(row[c]) + 0.02);
            natural[c] = std::max(natural[c], widthInches(row[c]) + 0.02);
        }
    double sumLeast = 0, sumNatural = 0;
    for (qsizetype c = 0; c < count; ++c) {
        natural[c] = std::max(natural[c], least[c]);
        sumLeast += least[c];
        sumNatural += natural[c];
    }
    QList<double> widths(count, 0);
    for (qsizetype c = 0; c < count; ++c) {
        if (sumNatural <= room)
            widths[c] = natural[c] + (room - sumNatural) * natural[c] / std::max(sumNatural, 1e-9);
        else if (sumLeast <= room)
            widths[c] = least[c] + (natural[c] - least[c]) * (room - sumLeast) / (sumNatural - sumLeast);
        else
            widths[c] = least[c] * room / sumLeast;
    }
    return widths;
}

// Every value goes through a column of the row, as the documents' values do.
struct PdfBuilder {
    report::Template tmpl;
    QStringList columns;
    QStringList values;

    report::Element& add(report::TemplatePage& page, report::ElementKind kind, double x, double y,
                         double width, report::Align align, const QString& value, bool bold) {
        report::Element e;
        e.kind = kind;
        e.pos = QPointF(x, y);
        e.width = width;
        e.align = align;
        e.font = listFont(bold);
        const QString name = QStringLiteral("v%1").arg(columns.size());
        e.value = {report::Term{report::Term::Column, name}};
        columns << name;
        values << value;
        page.elements << e;
        return page.elements.last();
    }
    void line(report::TemplatePage& page, double y, bool repeat) {
        report::Element e;
        e.kind = report::ElementKind::Line;
        e.pos = QPointF(kLeft, y);
        e.end = QPointF(tmpl.paperInches().width() - kLeft, y);
        e.pen = 0.5;
        e.repeat = repeat;
        page.elements << e;
    }
};

// The folder of each file, by its name, when the list spans several folders; none otherwise.
QHash<QString, QString> folderNames(const QList<ArchiveRow>& rows) {
    QHash<QString, QString> byPath; // absolute folder -> what the list calls it
    for (const ArchiveRow& r : rows)
        if (!r.path.isEmpty()) byPath.insert(QFileInfo(r.path).absolutePath(), QString());
    if (byPath.size() < 2) return {};
    QHash<QString, int> uses;
    for (auto it = byPath.cbegin(); it != byPath.cend(); ++it)
        ++uses[QFileInfo(it.key()).fileName()];
    for (auto it = byPath.begin(); it != byPath.end(); ++it) {
        const QString name = QFileInfo(it.key()).fileName();
        it.value() = uses.value(name) > 1 || name.isEmpty() ? QDir::toNativeSeparators(it.key()) : name;
    }
    return byPath;
}

} // namespace

QByteArray archiveCsv(const QList<ArchiveRow>& rows) {
    QByteArray bytes("\xEF\xBB\xBF");
    QStringList titles;
    for (int c = 0; c < ArchiveColumnCount; ++c)
        titles << archiveColumnTitle(c);
    bytes += csvLine(titles, true);
    for (const ArchiveRow& r : rows) {
        QStringList fields;
        for (int c = 0; c < ArchiveColumnCount; ++c)
            fields << archiveCellText(r, c);
        bytes += csvLine(fields);
    }
    return bytes;
}

QString listTargetProblem(const QString& path, const QString& kind, const QByteArray& ownStart) {
    const QFileInfo info(path); // follows a symbolic link to what it names
    const QString name = QDir::toNativeSeparators(path);
    if (info.suffix().compare(QLatin1String("qdr"), Qt::CaseInsensitive) == 0 && !info.isDir())
        return QStringLiteral("«%1» è il nome di una pratica: l'elenco non la sostituisce.").arg(name);
    // A link to nothing would be written through, wherever it points.
    if (!info.exists() && info.isSymLink())
        return QStringLiteral("«%1» non è un file ordinario (è un dispositivo o una pipe): l'elenco non lo "
                              "sostituisce.")
            .arg(name);
    return replacementProblem(path, kind, ownStart, QStringLiteral("file %1 scritto dal programma").arg(kind),
                              QStringLiteral("l'elenco"));
}

QString csvTargetProblem(const QString& path) {
    return listTargetProblem(path, QStringLiteral("CSV"), kCsvStart);
}

void writeArchiveCsv(const QString& path, const QList<ArchiveRow>& rows) {
    if (const QString problem = csvTargetProblem(path); !problem.isEmpty()) throw IoError(problem);
    writeBytes(path, archiveCsv(rows));
}

report::Document archiveDocument(const QList<ArchiveRow>& rows, const QString& heading) {
    PdfBuilder b;
    b.tmpl.name = QStringLiteral("elenco");
    b.tmpl.title = QStringLiteral("Archivio pratiche");
    b.tmpl.landscape = true;
    b.tmpl.topMargin = 0.5;
    b.tmpl.bottomMargin = 0.55;
    const double paperWidth = b.tmpl.paperInches().width();

    // The same columns as the CSV, in its order.
    QStringList titles;
    for (int c = 0; c < ArchiveColumnCount; ++c)
        titles << archiveColumnTitle(c);
    const QHash<QString, QString> folders = folderNames(rows);
    QList<QStringList> cells;
    for (const ArchiveRow& r : rows) {
        QStringList texts;
        for (int c = 0; c < ArchiveColumnCount; ++c)
            texts << archiveCellText(r, c);
        if (!folders.isEmpty() && !r.path.isEmpty())
            texts[ColumnFile] =
                folders.value(QFileInfo(r.path).absolutePath()) + QDir::separator() + texts[ColumnFile];
        cells << texts;
    }
    const QList<double> widths =
        columnWidths(cells, titles, paperWidth - 2 * kLeft - kGap * (ArchiveColumnCount - 1));

    report::TemplatePage page;
    report::Element& top = b.add(page, report::ElementKind::DataText, kLeft, kHeadingTop,
                                 paperWidth - 2 * kLeft, report::Align::Left, heading, true);
    top.font.size = 9;
    top.shrink = 6;
    top.height = kTitlesTop - kHeadingTop - 0.05;
    top.repeat = true;
    // The titles wrap inside a band as high as the tallest of them, on every page.
    double titlesHeight = 0;
    for (int c = 0; c < ArchiveColumnCount; ++c)
        titlesHeight = std::max(titlesHeight, report::wrappedHeight(titles[c], listFont(true),
                                                                    widths[c] * report::PointsPerInch) /
                                                  report::PointsPerInch);
    double x = kLeft;
    for (int c = 0; c < ArchiveColumnCount; ++c) {
        report::Element& t =
            b.add(page, report::ElementKind::DataText, x, kTitlesTop, widths[c],
                  isAmountColumn(c) ? report::Align::Right : report::Align::Left, titles[c], true);
        t.shrink = kFontSize;
        t.height = titlesHeight + 0.01;
        t.repeat = true;
        x += widths[c] + kGap;
    }
    b.line(page, kTitlesTop + titlesHeight + 0.03, true);

    // One row after the other, as far down as they go: what does not fit the page flows on to
    // the next, a row never split over two pages.
    const double lineHeight =
        report::wrappedHeight(QStringLiteral("X"), listFont(), 1e6) / report::PointsPerInch;
    double y = kTitlesTop + titlesHeight + 0.08;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        x = kLeft;
        for (int c = 0; c < ArchiveColumnCount; ++c) {
            report::Element& cell =
                b.add(page, report::ElementKind::DataParagraph, x, y, widths[c],
                      isAmountColumn(c) ? report::Align::Right : report::Align::Left, cells[i][c], false);
            cell.keepGroup = int(i);
            cell.height = lineHeight + 0.005; // a cell that wraps keeps the gap to the next row
            x += widths[c] + kGap;
        }
        y += lineHeight + kRowGap;
    }
    b.line(page, y, false);
    b.add(page, report::ElementKind::DataParagraph, kLeft, y + 0.05, paperWidth - 2 * kLeft,
          report::Align::Left, archiveTotalsText(archiveTotals(rows)), true);
    b.tmpl.pages << page;
    report::Document document = report::layoutReport(b.tmpl, b.columns, b.values);
    report::numberPages(document, QString());
    return document;
}

QByteArray archivePdf(const QList<ArchiveRow>& rows, const QString& heading) {
    return report::pdfBytes(archiveDocument(rows, heading));
}

void writeArchivePdf(const QString& path, const QList<ArchiveRow>& rows, const QString& heading) {
    if (const QString problem = report::pdfTargetProblem(path); !problem.isEmpty()) throw IoError(problem);
    writeBytes(path, archivePdf(rows, heading));
}

} // namespace quadrelo
