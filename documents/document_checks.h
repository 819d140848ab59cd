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

// A document command: its entry in the "Stampe" menu and, with a picture, its tool-bar button;
// the checks it runs first; then its report, or the dialog that leads to it. The menu, the tool
// bar and the command line's document names all come from `documentCommands()`.
struct DocumentCommand {
    QString handler = {};     // its designer handler, e.g. "Riepilogopratica1Click": the command's key
    QString objectName = {};  // of its menu item
    QString caption = {};     // menu caption, "&" before its mnemonic; without it, the report's title
    QString icon = {};        // tool-bar picture; none: not on the tool bar
    QString toolTip = {};     // of its tool-bar button, when not the caption
    QString shortcut = {};    // in QKeySequence's portable text
    bool startsGroup = false; // a separator before it in the menu and on the tool bar
    QList<DocumentCheck> checks = {}; // in the order they run
    QString applicantMessage = {};
    QString report = {}; // the report's name, also on the command line
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
