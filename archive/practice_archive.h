// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "calc/practice_form.h"
#include "documents/engine/report_layout.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>

namespace quadrelo {

// One practice file as the archive lists it: who, where, what, and the figures the practice
// shows once opened. A file that cannot be read is a row with its reason and no figures.
struct ArchiveRow {
    QString path; // absolute
    QString fileName;
    QString applicant; // surname and name
    QString taxCode;
    QString taxCodeCheck; // "corretto", what disagrees, or empty without a code
    QString municipality;
    QString address;  // street type, street and number of the works
    int typology = 0; // 1..6, 0 when none is chosen
    double oblationDue = 0;
    double oblationPaid = 0;
    double oblationRemaining = 0;
    double advanceDue = 0;
    double advancePaid = 0;
    QDate completion;
    QDateTime modified;
    QString problem;                // why the file could not be read; empty for a good one
    bool nameNotText = false;       // the name on the disk is not text of this system: shown decoded
    QString searchKey;              // every column's text, folded for searching, a tab between
    std::array<int, 15> keyStart{}; // where each column's text starts in searchKey (and the end)

    bool readable() const { return problem.isEmpty(); }
    bool taxCodeDisagrees() const {
        return readable() && !taxCodeCheck.isEmpty() && taxCodeCheck != QLatin1String("corretto");
    }
};

enum ArchiveColumn {
    ColumnFile,
    ColumnApplicant,
    ColumnTaxCode,
    ColumnTaxCodeCheck,
    ColumnMunicipality,
    ColumnAddress,
    ColumnTypology,
    ColumnOblationDue,
    ColumnOblationPaid,
    ColumnOblationRemaining,
    ColumnAdvanceDue,
    ColumnAdvancePaid,
    ColumnCompletion,
    ColumnModified,
    ArchiveColumnCount
};
static_assert(std::tuple_size_v<decltype(ArchiveRow::keyStart)> == ArchiveColumnCount + 1);

QString archiveColumnTitle(int column);
bool isAmountColumn(int column);
// What a cell shows: amounts as number text, dates dd/mm/yyyy. A damaged file shows its
// reason in place of the applicant and nothing in the other columns but file and date.
QString archiveCellText(const ArchiveRow& row, int column);
// The value a column sorts by: numbers and dates as such, text as folded text.
QVariant archiveSortValue(const ArchiveRow& row, int column);

// A practice ready to read files into: the tables and the technician of `loaded`, no
// window. Each thread reading files needs its own.
PracticeForm archivePrototype(const PracticeForm& loaded);

// A practice file found in a folder: its name as readable as it can be shown, its real bytes
// on the disk (an old Windows disk's names are not UTF-8), or why the folder cannot be listed.
struct PracticeEntry {
    QString path;
    QByteArray nativePath;
    QDateTime modified;
    QString problem; // a folder that could not be listed
};

// Reads one practice file as opening it would, on a copy of `prototype`. Never throws: a
// file that cannot be read, is too large or is no regular file, is a row naming why.
ArchiveRow readArchiveRow(const QString& path, const PracticeForm& prototype);
ArchiveRow readArchiveRow(const PracticeEntry& entry, const PracticeForm& prototype, bool searchKey = true);

// The practice files (*.qdr) directly inside the folders, each once, sorted by path, and an
// entry with its reason for each folder that cannot be read.
QList<PracticeEntry> practiceFilesIn(const QStringList& folders);
// The same entries as they are found on the disk, unsorted, each handed to `found` at once
// (false stops the listing): a window can show the first rows before the folder is listed.
void forEachPracticeFile(const QStringList& folders, const std::function<bool(const PracticeEntry&)>& found);
// How many entries the folders have for the list, from their names alone (no file is looked
// at): a folder entry named like a practice counts too.
int countPracticeNames(const QStringList& folders);

// Reads every practice file of the folders, in the calling thread. A list that is only printed
// needs no search keys.
QList<ArchiveRow> readArchive(const QStringList& folders, const PracticeForm& prototype,
                              bool searchKeys = true);

// Text without accents and case, for searching ("Città" and "CITTA" match).
QString searchFolded(const QString& text);
// True when every word of `query` is found in some column of the row.
bool archiveRowMatches(const ArchiveRow& row, const QString& query);
// The same with the query's words folded once for many rows: true when `key` (a row's search
// key, or a part of one) holds every word.
QStringList archiveSearchWords(const QString& query);
bool archiveKeyHoldsWords(QStringView key, const QStringList& words);
// Where `word` is first found in `text` from `from` on, or -1 (as QStringView::indexOf).
qsizetype findSearchWord(QStringView text, QStringView word, qsizetype from);
// The columns that sort by their folded text, as archiveSortValue has it: the part of the
// row's search key that is the column's (archiveSortText), never folded again.
bool isArchiveTextColumn(int column);
QStringView archiveSortText(const ArchiveRow& row, int column);
// For the other columns, archiveSortValue as a number that orders as it does: equal numbers
// for values it finds equal.
quint64 archiveSortNumber(const ArchiveRow& row, int column);

struct ArchiveTotals {
    int practices = 0;
    int unreadable = 0;
    int wrongTaxCodes = 0; // practices whose code disagrees with the applicant
    double oblationDue = 0;
    double oblationPaid = 0;
    double oblationRemaining = 0;
    double advanceDue = 0;
    double advancePaid = 0;

    void add(const ArchiveRow& row);
};
ArchiveTotals archiveTotals(const QList<ArchiveRow>& rows);
// "12 pratiche — oblazione dovuta 1234,00 ...": the totals line under the list.
QString archiveTotalsText(const ArchiveTotals& totals);

// The list for a spreadsheet in Italian: UTF-8 with BOM, ';' between fields, decimal comma,
// CR LF after every row, the titles first.
QByteArray archiveCsv(const QList<ArchiveRow>& rows);
// Why an export of the list may not be written at `path`, naming it; empty when it may. The
// target may be a new file or one the program wrote, known by its first bytes `ownStart`:
// never a folder, a device, a practice, a table or any other file. `kind`: "CSV", "PDF".
QString listTargetProblem(const QString& path, const QString& kind, const QByteArray& ownStart);
// The same for the CSV: a new file or a list the program wrote (its first line the titles).
QString csvTargetProblem(const QString& path);
// Both writers refuse a target that is not theirs to replace (IoError) before writing.
void writeArchiveCsv(const QString& path, const QList<ArchiveRow>& rows);

// The list as a document of the report engine: A4 landscape, every column of the CSV, cells
// wrapping within their column, rows never split, numbered pages, the totals after the last row.
report::Document archiveDocument(const QList<ArchiveRow>& rows, const QString& heading);
// The same as PDF/A.
QByteArray archivePdf(const QList<ArchiveRow>& rows, const QString& heading);
void writeArchivePdf(const QString& path, const QList<ArchiveRow>& rows, const QString& heading);

// The list as a text table for a terminal.
QString archiveTextTable(const QList<ArchiveRow>& rows);

} // namespace quadrelo
