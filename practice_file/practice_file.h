// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/errors.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quadrelo {

class PracticeForm;

// A practice file that cannot be read back: a bad line or the end before the second separator.
class DamagedFileError : public Error {
public:
    DamagedFileError() : Error(QStringLiteral("File danneggiato o in formato non compatibile")) {}
    // With the reason when it is known before reading, as for a file far too large.
    explicit DamagedFileError(const QString& reason)
        : Error(QStringLiteral("File danneggiato o in formato non compatibile: %1.").arg(reason)) {}
};

// The separator line that closes each memo section.
QString practiceSeparator();

// The file's contents for the practice on screen: 93 lines, then the two memo sections.
// Throws Error naming the field when something would not read back the same.
QByteArray practiceFileBytes(const PracticeForm& form);

// Writes the practice to `currentFileName` through a temporary file. Throws on failure,
// leaving the previous file as it was.
void Salvataggio(const PracticeForm& form);

// "Salva" and "Salva con nome" once the file name is known: writes the practice and only
// then binds the window to the file. A failure leaves the name and the caption as they were.
void savePracticeAs(PracticeForm& form, const QString& path);

// A practice file read and checked whole, not yet applied.
struct PracticeFileContents {
    QStringList lines; // the 93 positional lines
    QString memo1;
    QString memo2;
};

PracticeFileContents parsePracticeFile(const QByteArray& bytes); // throws DamagedFileError
PracticeFileContents readPracticeFile(const QString& path);      // IoError or DamagedFileError

// Sets every control in line order, letting the selection rules run as the choices are set,
// then recomputes every result as opening a file does.
void applyPracticeFile(PracticeForm& form, const PracticeFileContents& contents);
void recomputeOpenedPractice(PracticeForm& form);

// Opening as a whole: read and check, then bind the window to the file and apply it.
// Nothing changes when reading fails. `read` receives the file's bytes as they were read.
void openPractice(PracticeForm& form, const QString& path, QByteArray* read = nullptr);

} // namespace quadrelo
