// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_archive.h"

#include "practice_file/practice_file.h"
#include "record/errors.h"
#include "record/number_text.h"
#include "record/text_file.h"
#include "taxcode/tax_code.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QVariant>

#include <algorithm>

namespace quadrelo {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

// A caption's figure as the user reads it; captions always hold number text.
double shown(const CaptionState& caption) {
    try {
        return caption.text.isEmpty() ? 0 : Leggimi(caption.text);
    } catch (const Error&) {
        return 0;
    }
}

QString joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty()) kept << p.trimmed();
    return kept.join(QLatin1Char(' '));
}

// A list box shows its chosen item; "selezionare" is what an untouched one says.
QString comboText(const ComboState& combo) {
    return combo.text == QLatin1String("selezionare") ? QString() : combo.text;
}

void fillSearchKey(ArchiveRow& row) {
    QStringList texts;
    for (int c = 0; c < ArchiveColumnCount; ++c)
        texts << archiveCellText(row, c);
    row.searchKey = searchFolded(texts.join(QLatin1Char('\t')));
}

} // namespace

QString archiveColumnTitle(int column) {
    static const char* const titles[ArchiveColumnCount] = {"File",
                                                           "Richiedente",
                                                           "Codice fiscale",
                                                           "Verifica codice fiscale",
                                                           "Comune",
                                                           "Indirizzo",
                                                           "Tipologia",
                                                           "Oblazione dovuta",
                                                           "Oblazione versata",
                                                           "Oblazione residua",
                                                           "Anticipazione dovuta",
                                                           "Anticipazione versata",
                                                           "Ultimazione",
                                                           "Modificato"};
    return column >= 0 && column < ArchiveColumnCount ? QString::fromUtf8(titles[column]) : QString();
}

bool isAmountColumn(int column) {
    return column >= ColumnOblationDue && column <= ColumnAdvancePaid;
}

QString archiveCellText(const ArchiveRow& row, int column) {
    switch (column) {
    case ColumnFile:
        return row.fileName;
    case ColumnModified:
        return row.modified.isValid() ? row.modified.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString();
    case ColumnApplicant:
        return row.readable() ? row.applicant : row.problem;
    default:
        break;
    }
    if (!row.readable()) return {};
    switch (column) {
    case ColumnTaxCode:
        return row.taxCode;
    case ColumnTaxCodeCheck:
        return row.taxCodeCheck;
    case ColumnMunicipality:
        return row.municipality;
    case ColumnAddress:
        return row.address;
    case ColumnTypology:
        return row.typology ? QString::number(row.typology) : QString();
    case ColumnOblationDue:
        return Formatta(row.oblationDue);
    case ColumnOblationPaid:
        return Formatta(row.oblationPaid);
    case ColumnOblationRemaining:
        return Formatta(row.oblationRemaining);
    case ColumnAdvanceDue:
        return Formatta(row.advanceDue);
    case ColumnAdvancePaid:
        return Formatta(row.advancePaid);
    case ColumnCompletion:
        return row.completion.isValid() ? row.completion.toString(kDateFormat) : QString();
    default:
        return {};
    }
}

QVariant archiveSortValue(const ArchiveRow& row, int column) {
    // Unreadable files sort below every figure and date.
    switch (column) {
    case ColumnTypology:
        return row.typology;
    case ColumnOblationDue:
        return row.readable() ? row.oblationDue : -1.0;
    case ColumnOblationPaid:
        return row.readable() ? row.oblationPaid : -1.0;
    case ColumnOblationRemaining:
        return row.readable() ? row.oblationRemaining : -1.0;
    case ColumnAdvanceDue:
        return row.readable() ? row.advanceDue : -1.0;
    case ColumnAdvancePaid:
        return row.readable() ? row.advancePaid : -1.0;
    case ColumnCompletion:
        return row.readable() ? row.completion.toJulianDay() : qint64(0);
    case ColumnModified:
        return row.modified.toMSecsSinceEpoch();
    default:
        return searchFolded(archiveCellText(row, column));
    }
}

PracticeForm archivePrototype(const PracticeForm& loaded) {
    PracticeForm form(loaded);
    form.setUserInterface(nullptr); // never the window's: the copy may live in another thread
    form.currentFileName = QStringLiteral("-1");
    return form;
}

ArchiveRow readArchiveRow(const QString& path, const PracticeForm& prototype) {
    ArchiveRow row;
    const QFileInfo info(path);
    row.path = info.absoluteFilePath();
    row.fileName = info.fileName();
    row.modified = info.lastModified();
    try {
        const PracticeFileContents contents = readPracticeFile(row.path);
        PracticeForm form(prototype);
        form.setUserInterface(nullptr);
        form.currentFileName = row.path;
        applyPracticeFile(form, contents);
        recomputeOpenedPractice(form);
        row.applicant = joined({form.Edit2.text, form.Edit1.text});
        row.taxCode = form.Edit5.text;
        row.taxCodeCheck = taxcode::taxCodeVerdict(
            form.Edit5.text,
            {form.Edit2.text, form.Edit1.text, form.DateTimePicker3.date, form.Edit3.text, form.Edit22.text});
        row.municipality = form.Edit9.text;
        row.address = joined({comboText(form.ComboBox1), form.Edit10.text, form.Edit11.text});
        row.typology = form.typology();
        row.oblationDue = shown(form.Label125);
        row.oblationPaid = shown(form.Label126);
        row.oblationRemaining = shown(form.Label134);
        row.advanceDue = shown(form.Label138);
        row.advancePaid = shown(form.Label139);
        row.completion = form.DateTimePicker1.date;
    } catch (const FileTooLargeError& e) {
        row.problem = e.reason();
    } catch (const Error& e) {
        row.problem = e.message();
    } catch (const std::bad_alloc&) {
        row.problem = QStringLiteral("Memoria insufficiente per leggere il file.");
    }
    fillSearchKey(row);
    return row;
}

QStringList practiceFilesIn(const QStringList& folders) {
    QStringList files;
    QSet<QString> seen;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QFileInfoList entries = dir.entryInfoList(
            {QStringLiteral("*.qdr")}, QDir::Files | QDir::Readable | QDir::Hidden | QDir::System);
        for (const QFileInfo& entry : entries) {
            const QString canonical = entry.canonicalFilePath();
            const QString key = canonical.isEmpty() ? entry.absoluteFilePath() : canonical;
            if (seen.contains(key)) continue;
            seen.insert(key);
            files << entry.absoluteFilePath();
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

QList<ArchiveRow> readArchive(const QStringList& folders, const PracticeForm& prototype) {
    QList<ArchiveRow> rows;
    for (const QString& file : practiceFilesIn(folders))
        rows << readArchiveRow(file, prototype);
    return rows;
}

QString searchFolded(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) folded += c;
    return folded.toCaseFolded();
}

bool archiveRowMatches(const ArchiveRow& row, const QString& query) {
    const QStringList words = searchFolded(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(words.cbegin(), words.cend(),
                       [&row](const QString& w) { return row.searchKey.contains(w); });
}

ArchiveTotals archiveTotals(const QList<ArchiveRow>& rows) {
    ArchiveTotals t;
    for (const ArchiveRow& r : rows) {
        if (!r.readable()) {
            ++t.unreadable;
            continue;
        }
        ++t.practices;
        if (r.taxCodeDisagrees()) ++t.wrongTaxCodes;
        t.oblationDue += r.oblationDue;
        t.oblationPaid += r.oblationPaid;
        t.oblationRemaining += r.oblationRemaining;
        t.advanceDue += r.advanceDue;
        t.advancePaid += r.advancePaid;
    }
    return t;
}

QString archiveTotalsText(const ArchiveTotals& t) {
    QString text =
        t.practices == 1 ? QStringLiteral("1 pratica") : QStringLiteral("%1 pratiche").arg(t.practices);
    text +=
        QStringLiteral(" — oblazione dovuta %1, versata %2, residua %3 — anticipazione dovuta %4, versata %5")
            .arg(Formatta(t.oblationDue), Formatta(t.oblationPaid), Formatta(t.oblationRemaining),
                 Formatta(t.advanceDue), Formatta(t.advancePaid));
    if (t.wrongTaxCodes == 1)
        text += QStringLiteral(" — 1 codice fiscale da verificare");
    else if (t.wrongTaxCodes > 1)
        text += QStringLiteral(" — %1 codici fiscali da verificare").arg(t.wrongTaxCodes);
    if (t.unreadable == 1)
        text += QStringLiteral(" — 1 file illeggibile");
    else if (t.unreadable > 1)
        text += QStringLiteral(" — %1 file illeggibili").arg(t.unreadable);
    return text;
}

QString archiveTextTable(const QList<ArchiveRow>& rows) {
    QList<int> widths(ArchiveColumnCount, 0);
    QList<QStringList> cells;
    QStringList titles;
    for (int c = 0; c < ArchiveColumnCount; ++c)
        titles << archiveColumnTitle(c);
    cells << titles;
    for (const ArchiveRow& r : rows) {
        QStringList line;
        for (int c = 0; c < ArchiveColumnCount; ++c)
            line << archiveCellText(r, c).simplified();
        cells << line;
    }
    for (const QStringList& line : cells)
        for (int c = 0; c < ArchiveColumnCount; ++c)
            widths[c] = std::max<int>(widths[c], int(line.at(c).size()));
    QString out;
    for (const QStringList& line : cells) {
        QStringList padded;
        for (int c = 0; c < ArchiveColumnCount; ++c)
            padded << (isAmountColumn(c) ? line.at(c).rightJustified(widths[c])
                                         : line.at(c).leftJustified(widths[c]));
        out += padded.join(QStringLiteral("  ")).trimmed() + QLatin1Char('\n');
    }
    out += archiveTotalsText(archiveTotals(rows)) + QLatin1Char('\n');
    return out;
}

} // namespace quadrelo
