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

constexpr int kRowsPerPage = 50;
constexpr double kFontSize = 6.5;
constexpr double kLeft = 0.4;
constexpr double kTop = 0.6;
constexpr double kRowHeight = 0.19;

// Column widths in inches within the A4 page's margins; the address and modification time stay
// out.
struct PdfColumn {
    int column;
    double width;
};
const PdfColumn kPdfColumns[] = {
    {ColumnFile, 0.9},          {ColumnApplicant, 1.2},          {ColumnTaxCode, 1.0},
    {ColumnMunicipality, 0.7},  {ColumnTypology, 0.25},          {ColumnOblationDue, 0.55},
    {ColumnOblationPaid, 0.55}, {ColumnOblationRemaining, 0.55}, {ColumnAdvanceDue, 0.55},
    {ColumnAdvancePaid, 0.55},  {ColumnCompletion, 0.6}};

const QStringList kPdfTitles = {
    QStringLiteral("File"),         QStringLiteral("Richiedente"),  QStringLiteral("Codice fiscale"),
    QStringLiteral("Comune"),       QStringLiteral("Tip."),         QStringLiteral("Obl. dovuta"),
    QStringLiteral("Obl. versata"), QStringLiteral("Obl. residua"), QStringLiteral("Ant. dovuta"),
    QStringLiteral("Ant. versata"), QStringLiteral("Ultimazione")};

// A cell's text cut to what its width holds at the list's size.
QString fitted(const QString& text, double width) {
    const int room = int(width * 72.0 / (kFontSize * 0.5));
    const QString flat = text.simplified();
    return flat.size() <= room ? flat : flat.left(room - 1) + QChar(0x2026);
}

// Every value goes through a column of the row, as the documents' values do.
struct PdfBuilder {
    report::Template tmpl;
    QStringList columns;
    QStringList values;

    void text(report::TemplatePage& page, double x, double y, double width, report::Align align,
              const QString& value, bool bold = false) {
        report::Element e;
        e.kind = report::ElementKind::DataText;
        e.pos = QPointF(x, y);
        e.width = width;
        e.align = align;
        e.font = report::FontSpec{QStringLiteral("Arial"), kFontSize, bold};
        const QString name = QStringLiteral("v%1").arg(columns.size());
        e.value = {report::Term{report::Term::Column, name}};
        columns << name;
        values << value;
        page.elements << e;
    }
    void line(report::TemplatePage& page, double y) {
        report::Element e;
        e.kind = report::ElementKind::Line;
        e.pos = QPointF(kLeft, y);
        e.end = QPointF(report::PageWidthInches - kLeft, y);
        e.pen = 0.5;
        page.elements << e;
    }
    void cells(report::TemplatePage& page, double y, const QStringList& texts, bool bold) {
        double x = kLeft;
        for (int i = 0; i < texts.size(); ++i) {
            const PdfColumn& c = kPdfColumns[i];
            const bool amount = isAmountColumn(c.column);
            // Titles are short enough as they are; values are cut to their column.
            text(page, x, y, c.width - 0.05, amount ? report::Align::Right : report::Align::Left,
                 bold ? texts.at(i) : fitted(texts.at(i), c.width - 0.05), bold);
            x += c.width;
        }
    }
};

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
    if (info.isDir()) return QStringLiteral("«%1» è una cartella, non un file %2.").arg(name, kind);
    if (info.suffix().compare(QLatin1String("qdr"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("«%1» è il nome di una pratica: l'elenco non la sostituisce.").arg(name);
    if (!info.exists() && !info.isSymLink()) return {};
    if (!info.isFile())
        return QStringLiteral("«%1» non è un file ordinario (è un dispositivo o una pipe): l'elenco non lo "
                              "sostituisce.")
            .arg(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(ownStart.size()) != ownStart)
        return QStringLiteral("«%1» esiste e non è un file %2 scritto dal programma: l'elenco non lo "
                              "sostituisce.")
            .arg(name, kind);
    return {};
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
    const int pageCount = std::max<int>(1, int((rows.size() + kRowsPerPage - 1) / kRowsPerPage));
    for (int p = 0; p < pageCount; ++p) {
        report::TemplatePage page;
        b.text(page, kLeft, kTop - 0.3, 5.0, report::Align::Left, heading, true);
        b.text(page, report::PageWidthInches - kLeft - 1.5, kTop - 0.3, 1.5, report::Align::Right,
               QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pageCount));
        b.cells(page, kTop, kPdfTitles, true);
        b.line(page, kTop + kRowHeight - 0.02);
        double y = kTop + kRowHeight + 0.02;
        for (int i = p * kRowsPerPage; i < std::min<int>(int(rows.size()), (p + 1) * kRowsPerPage); ++i) {
            QStringList texts;
            for (const PdfColumn& c : kPdfColumns)
                texts << archiveCellText(rows.at(i), c.column);
            b.cells(page, y, texts, false);
            y += kRowHeight;
        }
        if (p == pageCount - 1) {
            b.line(page, y + 0.02);
            b.text(page, kLeft, y + 0.08, report::PageWidthInches - 2 * kLeft, report::Align::Left,
                   archiveTotalsText(archiveTotals(rows)), true);
        }
        b.tmpl.pages << page;
    }
    return report::layoutReport(b.tmpl, b.columns, b.values);
}

QByteArray archivePdf(const QList<ArchiveRow>& rows, const QString& heading) {
    return report::pdfBytes(archiveDocument(rows, heading));
}

void writeArchivePdf(const QString& path, const QList<ArchiveRow>& rows, const QString& heading) {
    if (const QString problem = report::pdfTargetProblem(path); !problem.isEmpty()) throw IoError(problem);
    writeBytes(path, archivePdf(rows, heading));
}

} // namespace quadrelo
