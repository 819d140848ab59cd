// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace quadrelo {

class PracticeForm;

// What must be filled in before a document: the applicant (A in full, A2 the name), the
// building (B, B1 with an item chosen in its list), the volume (V), the description of the
// works (D, D20 at least 21 characters), the oblation's and the advance's figures (O, N), the
// attachments (L), the technical report (R), the technician (T), the state land's duration and
// surfaces (Y, P, S).
enum class DocumentCheck { A, A2, B, B1, V, D, D20, O, N, L, R, T, Y, P, S };

// The dialog a document command opens instead of running its report at once.
enum class CommandDialog { None, WasteTax, Occupation, Ici, SwornAppraisal };

// The document commands of the "Stampe" menu and the tool bar.
struct DocumentCommand {
    QString handler;             // e.g. "Riepilogopratica1Click"
    QString caption;             // menu caption
    QList<DocumentCheck> checks; // in the order they run
    QString applicantMessage;
    QString report; // report run when the checks pass (empty when a dialog opens)
    CommandDialog dialog = CommandDialog::None;
};

const QList<DocumentCommand>& documentCommands();
const DocumentCommand* documentCommand(const QString& handlerOrReport);

// What a failed check asks of the window: the warning, the page to bring to the front
// (-1: none) and the fields that receive the focus in turn (the last keeps it).
struct CheckFailure {
    QString message;
    int page = -1;
    QStringList focus;
};

// The first check of the command that the practice fails, if any.
std::optional<CheckFailure> firstFailedCheck(PracticeForm& form, const DocumentCommand& command);

} // namespace quadrelo
