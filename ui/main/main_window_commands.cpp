// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The commands of the main window that reach files, tables, documents and dialogs.
#include "main_window.h"

#include "documents/document_checks.h"
#include "page_control.h"
#include "practice_file/open_practice.h"
#include "practice_file/practice_file.h"
#include "practice_file/recovery_copy.h"
#include "record/catalogue.h"
#include "record/text_file.h"
#include "ui/archive/archive_window.h"
#include "ui/archive/practice_places.h"
#include "ui/common/error_box.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/message_windows.h"
#include "ui/common/printer_setup.h"
#include "ui/documents/document_dialogs.h"
#include "ui/documents/document_output.h"
#include "ui/documents/report_preview.h"
#include "ui/tables/table_editor.h"
#include "ui/tables/technician_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>

namespace quadrelo {

// --- "Pratiche" ------------------------------------------------------------------------------

void MainWindow::Apri1Click() {
    if (!confirmDiscard()) return;
    const QString path = FileDialogs::openPractice(this);
    if (!path.isEmpty()) loadPracticeFile(path);
}

void MainWindow::openPracticeFile(const QString& path) {
    if (confirmDiscard()) loadPracticeFile(path);
}

void MainWindow::loadPracticeFile(const QString& path) {
    runAction([this, path] {
        try {
            QByteArray read;
            openPractice(form_, QFileInfo(path).absoluteFilePath(), &read);
            markSaved(read);
            practiceUsed(form_.currentFileName);
        } catch (const DamagedFileError& e) {
            beep();
            FileDialogs::damagedFile(this, e.message());
        }
    });
}

// --- archive and recent practices -------------------------------------------------------------

void MainWindow::Archiviopratiche1Click() {
    if (!archive_) {
        archive_ = new ArchiveWindow(
            form_.startDirectory.isEmpty() ? QDir::currentPath() : form_.startDirectory, this);
        connect(archive_, &ArchiveWindow::openPracticeRequested, this, [this](const QString& path) {
            // "Annulla" to the question about unsaved changes: the user goes on in the archive.
            if (!confirmDiscard()) {
                archive_->raise();
                archive_->activateWindow();
                return;
            }
            // The archive stays above its owner while shown: out of the way, so that the keys
            // reach the practice just opened.
            archive_->hide();
            raise();
            activateWindow();
            loadPracticeFile(path);
            // Unless a figure that is no number kept its page in front.
            if (PageControl1->currentIndex() == PageRichiedente) focusControl(QStringLiteral("Edit1"));
        });
    }
    // Read again each time: files change, and the figures follow the tables as they are now.
    archive_->reload(form_);
    archive_->show();
    archive_->raise();
    archive_->activateWindow();
    archive_->findChild<QWidget*>(QStringLiteral("searchBox"))->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::buildRecentMenu() {
    auto* pratiche = menuBar()->findChild<QMenu*>(QStringLiteral("Pratiche1"));
    recentMenu_ = new QMenu(QStringLiteral("Pratiche re&centi"), pratiche);
    recentMenu_->setObjectName(QStringLiteral("Praticherecenti1"));
    pratiche->insertMenu(commands_.value(QStringLiteral("Archiviopratiche1Click")), recentMenu_);
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QList<RecentPractice> recent = PracticePlaces::recentPractices();
    for (int i = 0; i < recent.size(); ++i) {
        const RecentPractice& r = recent.at(i);
        // A "&" in a name would be taken for an accelerator.
        auto literal = [](QString t) { return t.replace(QLatin1Char('&'), QStringLiteral("&&")); };
        QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(literal(QFileInfo(r.path).fileName()));
        if (!r.applicant.isEmpty()) text += QStringLiteral(" — ") + literal(r.applicant);
        QAction* action = recentMenu_->addAction(text);
        action->setToolTip(QDir::toNativeSeparators(r.path));
        action->setStatusTip(QDir::toNativeSeparators(r.path));
        const QString path = r.path;
        connect(action, &QAction::triggered, this, [this, path] { openRecentPractice(path); });
    }
    recentMenu_->setEnabled(!recent.isEmpty());
}

void MainWindow::openRecentPractice(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        PracticePlaces::forgetPractice(path);
        fillRecentMenu();
        Attenzione(QStringLiteral("La pratica %1 non esiste più: è stata tolta dalle pratiche recenti.")
                       .arg(QDir::toNativeSeparators(path)));
        return;
    }
    openPracticeFile(path);
}

void MainWindow::practiceUsed(const QString& path) {
    PracticePlaces::practiceUsed(path,
                                 QStringList{form_.Edit2.text, form_.Edit1.text}.join(QLatin1Char(' ')));
    fillRecentMenu();
}

// --- saving ----------------------------------------------------------------------------------

void MainWindow::writePractice(const QString& path) {
    const QByteArray bytes = practiceFileBytes(form_);
    savePracticeAs(form_, path);
    markSaved(bytes);
    practiceUsed(path);
}

bool MainWindow::saveCommand() {
    if (form_.currentFileName == QLatin1String("-1")) return saveAsCommand();
    if (open_->changedOnDisk()) {
        // Another program, or a colleague on the shared folder, saved the practice meanwhile.
        const int answer = MessageWindows::choice(
            this,
            QStringLiteral(
                "Il file è stato modificato da un altro programma dopo l'apertura. Sovrascriverlo?"),
            {QStringLiteral("Sovrascrivi"), QStringLiteral("Salva con nome…"), QStringLiteral("Annulla")}, 2,
            2);
        if (answer == 1) return saveAsCommand();
        if (answer != 0) return false;
    }
    writePractice(form_.currentFileName);
    return true;
}

bool MainWindow::saveAsCommand() {
    while (true) {
        const QString path = FileDialogs::savePractice(this);
        if (path.isEmpty()) return false;
        if (QFileInfo::exists(path)) {
            const FileDialogs::Replace answer = FileDialogs::askReplace(this, path);
            if (answer == FileDialogs::Replace::No) continue; // another name
            if (answer == FileDialogs::Replace::Cancel) return false;
        }
        writePractice(path);
        return true;
    }
}

void MainWindow::Salva1Click() {
    runAction([this] { saveCommand(); });
}

void MainWindow::Salvaconnome1Click() {
    runAction([this] { saveAsCommand(); });
}

void MainWindow::Salvataggio() {
    // Without a file yet, writing would create one named "-1": "Salva" asks for the name.
    Salva1Click();
}

// --- unsaved changes ---------------------------------------------------------------------------

bool MainWindow::isModified() const {
    return open_->isModified();
}

void MainWindow::markSaved(const QByteArray& disk) {
    open_->markSaved(disk);
}

bool MainWindow::confirmDiscard() {
    if (!isModified()) return true;
    const int answer = MessageWindows::choice(
        this, QStringLiteral("La pratica è stata modificata. Salvare le modifiche?"),
        {QStringLiteral("Salva"), QStringLiteral("Non salvare"), QStringLiteral("Annulla")}, 0, 2);
    if (answer == 0) {
        bool saved = false;
        guarded(this, [this, &saved] { saved = saveCommand(); });
        reload();
        return saved;
    }
    if (answer == 1) {
        open_->removeRecoveryCopy();
        return true;
    }
    return false;
}

void MainWindow::practiceChanged() {
    const bool modified = open_->practiceChanged();
    // The caption marks a changed practice with an asterisk after the file name.
    const QString caption = form_.windowCaption() + (modified ? QStringLiteral("*") : QString());
    if (windowTitle() != caption) setWindowTitle(caption);
}

void MainWindow::setRecoveryInterval(int msec) {
    open_->setRecoveryInterval(msec);
}

QString MainWindow::recoveryCopyPath() const {
    return open_->recoveryCopyPath();
}

void MainWindow::offerRecovery() {
    QStringList setAside;
    QList<RecoveredPractice> copies = RecoveryCopy::abandoned(open_->recoveryFolder(), &setAside);
    for (const QString& path : setAside)
        MessageWindows::warning(this,
                                QStringLiteral("Una copia di recupero illeggibile o danneggiata è stata "
                                               "messa da parte e non sarà più proposta: %1")
                                    .arg(QDir::toNativeSeparators(path)));
    for (RecoveredPractice& copy : copies) {
        // The whole path and the applicant: the user must know which practice Ctrl+S would write.
        const QString name = copy.fileName == QLatin1String("-1") ? QStringLiteral("pratica senza nome")
                                                                  : QDir::toNativeSeparators(copy.fileName);
        const QString applicant =
            copy.applicant.isEmpty() ? QStringLiteral("richiedente non indicato") : copy.applicant;
        const QString when = QLocale().toString(copy.written, QStringLiteral("dd/MM/yyyy 'alle' HH:mm"));
        const int answer = MessageWindows::choice(
            this,
            QStringLiteral("È stata trovata una pratica non salvata (%1, %2, %3). Ripristinarla?")
                .arg(name, applicant, when),
            {QStringLiteral("SI"), QStringLiteral("NO")}, 0, -1);
        if (answer == 0) {
            // What we hold now must not be lost either; cancelling leaves the copy for later.
            if (!confirmDiscard()) continue;
            restore(copy);
            RecoveryCopy::discard(copy);
        } else if (answer == 1) {
            RecoveryCopy::discard(copy);
        }
        // Closed without an answer: the copy stays and is offered at the next start.
    }
}

void MainWindow::restore(const RecoveredPractice& copy) {
    runAction([this, &copy] {
        try {
            const PracticeFileContents contents = parsePracticeFile(copy.practice);
            applyPracticeFile(form_, contents);
            recomputeOpenedPractice(form_);
            form_.currentFileName = copy.fileName;
            // A changed practice, bound to its file as that program last knew it.
            open_->markRestored(copy.diskDigest);
        } catch (const DamagedFileError& e) {
            beep();
            FileDialogs::damagedFile(this, e.message());
        }
    });
}

void MainWindow::Ristampa1Click() {
    PrinterSetupDialog::run(reportPrinter(), this);
}

// --- "Stampe" ------------------------------------------------------------------------------

void MainWindow::runDocumentCommand(const DocumentCommand& command) {
    if (const auto failure = firstFailedCheck(form_, command)) {
        Attenzione(failure->message);
        if (failure->page >= 0) showPage(failure->page);
        for (const QString& field : failure->focus)
            focusControl(field);
        return;
    }
    switch (command.dialog) {
    case CommandDialog::WasteTax:
        WasteTaxDialog::run(this, form_);
        break;
    case CommandDialog::Occupation:
        OccupationDialog::run(this, form_);
        break;
    case CommandDialog::Ici:
        IciDialog::run(this, form_);
        break;
    case CommandDialog::SwornAppraisal:
        SwornAppraisalDialog::run(this, form_);
        break;
    case CommandDialog::None:
        printDocument(this, form_, command.report);
        break;
    }
    reload();
}

// --- "Parametri" ---------------------------------------------------------------------------
// Saving a table shows its measures in the practice's captions; nothing is recomputed.

void MainWindow::TabellaA1Click() {
    TableEditor::run(this, form_, Table::A);
    reload();
}
void MainWindow::TabellaB1Click() {
    TableEditor::run(this, form_, Table::B);
    reload();
}
void MainWindow::TabellaC1Click() {
    TableEditor::run(this, form_, Table::C);
    reload();
}
void MainWindow::TabellaD1Click() {
    TableEditor::run(this, form_, Table::D);
    reload();
}
void MainWindow::Datideltecnico1Click() {
    TechnicianDialog::run(this, form_);
}

} // namespace quadrelo
