// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace quadrelo {

// The practice-file dialogs and questions. Tests queue the answers instead of seeing windows.
struct FileDialogs {
    // The open and save dialogs; an empty name when the user cancels.
    static QString openPractice(QWidget* owner);
    static QString savePractice(QWidget* owner);
    // "Sostituire %s ?" with Yes, No and Cancel: true only for Yes.
    static bool confirmReplace(QWidget* owner, const QString& path);
    // The same question, the answer told apart: No asks for another name, Cancel stops.
    enum class Replace { Yes, No, Cancel };
    static Replace askReplace(QWidget* owner, const QString& path);
    // The plain message box of a practice file that cannot be read.
    static void damagedFile(QWidget* owner, const QString& message);

    // Where the file dialogs open: the folder of the open practice, else the folder last used
    // (kept across runs), else the work folder.
    static void setPractice(const QString& practiceFile, const QString& workFolder);
    static QString startFolder();
    // A file chosen in a dialog: its folder is the one last used.
    static void remember(const QString& chosenFile);
    // The same for the PDF of a document, kept apart: a PDF folder is no place of practices.
    static QString pdfStartFolder();
    static void rememberPdf(const QString& chosenFile);

    // Test hooks: names returned by the next dialogs ("" = cancel), answers to the next questions.
    static void setNextFileNames(QStringList names);
    static void setNextReplaceAnswers(QList<bool> answers);
};

} // namespace quadrelo
