// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quadrelo {

class PracticeForm;

// One column of the data every document template reads.
struct ColumnDeclaration {
    QString name;
    int width;           // a layout hint in characters; values are never cut to it
    QString fullName;    // group label
    QString description; // group label
};

// The 201 columns, always all of them and always in the same order. Each is declared together
// with how its value is made, in documents/report_data.cpp.
const QList<ColumnDeclaration>& RvCustomConnection1GetCols();
QStringList columnNames();

// The one row: a value per column in the order of the columns, composed afresh from the
// practice, its figures, the technician and the dialog values.
QStringList RvCustomConnection1GetRow(PracticeForm& form);

// What the second and later pages of a document carry at their head, so that loose sheets go
// back to their practice: the applicant's surname and name and the practice file's name.
QString sheetHeading(const PracticeForm& form);

// "|" + every character + "|" after each: one character per cell of a form's box row.
QString spazia(const QString& text);
// A figure right-aligned to `width` cells and boxed; zero or less is a single space.
QString dilata(int width, double value);

// The date of birth in the pieces of the tax form: "12/05/1960" gives "12  05  60".
QString datePieces(const QString& dateText);

} // namespace quadrelo
