// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>
#include <QStringList>

namespace quadrelo {

class PracticeForm;

enum class Table { A, B, C, D };

// File name, editor caption and number of values of a table.
QString tableFileName(Table table);
QString tableEditorCaption(Table table);
int tableSize(Table table);

// The values the program ships with, as the editor boxes show them.
QStringList initialBoxTexts(Table table);

// Full path of a parameter or technician file in the start-up directory.
QString parameterFilePath(const PracticeForm& form, const QString& fileName);

// Start-up load of one table into memory (and, for C and D, into the main-window
// captions). Throws IoError or ConversionError; the values read before the failure stay.
void loadTable(PracticeForm& form, Table table);

// What the editor shows when it opens: the box texts taken from the file. For Tabella C the
// values also go into memory, as the editor has always done. Throws on a missing file or
// (Tabella C) a line that is no number; `boxes` then holds what was filled so far over the
// initial values.
void readTableForEditor(PracticeForm& form, Table table, QStringList& boxes);

// Saves the editor's boxes: every box is checked first, the file is written whole, and only
// then memory and the main-window captions take the new values. Throws ConversionError at
// the first bad box or IoError when the file cannot be written; nothing changes then.
void saveTable(PracticeForm& form, Table table, const QStringList& boxes);

// The main-window captions of Tabelle C and D, in file order.
void showTableCaptions(PracticeForm& form, Table table);

} // namespace quadrelo
