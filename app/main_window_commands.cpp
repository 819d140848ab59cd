// The commands of the main window that reach files, tables, documents and dialogs.
#include "main_window.h"

#include "documents/document_checks.h"
#include "documents/ui/document_dialogs.h"
#include "documents/ui/document_output.h"
#include "documents/ui/report_preview.h"
#include "error_box.h"
#include "file_dialogs.h"
#include "practice_file/practice_file.h"
#include "printer_setup.h"
#include "tables/ui/table_editor.h"
#include "tables/ui/technician_dialog.h"

#include <QApplication>
#include <QFileInfo>

namespace quadrelo {

// --- "Pratiche" ------------------------------------------------------------------------------

void TForm1::Apri1Click() {
    const QString path = FileDialogs::openPractice(this);
    if (!path.isEmpty()) openPracticeFile(path);
}

void TForm1::openPracticeFile(const QString& path) {
    runAction([this, path] {
        try {
            openPractice(form_, QFileInfo(path).absoluteFilePath());
        } catch (const DamagedFileError& e) {
            beep();
            FileDialogs::damagedFile(this, e.message());
        }
    });
}

bool TForm1::saveAs(const QString& path) {
    if (QFileInfo::exists(path) && !FileDialogs::confirmReplace(this, path)) return false;
    savePracticeAs(form_, path);
    return true;
}

void TForm1::Salva1Click() {
    runAction([this] {
        if (form_.currentFileName == QLatin1String("-1")) {
            const QString path = FileDialogs::savePractice(this);
            if (!path.isEmpty()) saveAs(path);
        } else {
            savePracticeAs(form_, form_.currentFileName);
        }
    });
}

void TForm1::Salvaconnome1Click() {
    runAction([this] {
        const QString path = FileDialogs::savePractice(this);
        if (!path.isEmpty()) saveAs(path);
    });
}

void TForm1::Salvataggio() {
    // Without a file yet, writing would create one named "-1": ask for the name instead.
    if (form_.currentFileName == QLatin1String("-1"))
        Salva1Click();
    else
        runAction([this] { quadrelo::Salvataggio(form_); });
}

void TForm1::Ristampa1Click() {
    PrinterSetupDialog::run(reportPrinter(), this);
}

// --- "Stampe" ------------------------------------------------------------------------------

void TForm1::runDocumentCommand(const QString& handler) {
    const DocumentCommand* command = documentCommand(handler);
    if (!command) return;
    if (const auto failure = firstFailedCheck(form_, *command)) {
        Attenzione(failure->message);
        if (failure->page >= 0) showPage(failure->page);
        for (const QString& field : failure->focus)
            focusControl(field);
        return;
    }
    if (command->dialog == QLatin1String("TForm10"))
        TForm10::run(this, form_);
    else if (command->dialog == QLatin1String("TForm11"))
        TForm11::run(this, form_);
    else if (command->dialog == QLatin1String("TForm14"))
        TForm14::run(this, form_);
    else if (command->dialog == QLatin1String("TForm16"))
        TForm16::run(this, form_);
    else
        printDocument(this, form_, command->report);
    reload();
}

void TForm1::Riepilogopratica1Click() {
    runDocumentCommand(QStringLiteral("Riepilogopratica1Click"));
}
void TForm1::Stampa1Click() {
    runDocumentCommand(QStringLiteral("Stampa1Click"));
}
void TForm1::Dichiarazionesullostatodeilavori1Click() {
    runDocumentCommand(QStringLiteral("Dichiarazionesullostatodeilavori1Click"));
}
void TForm1::Periziagiurata1Click() {
    runDocumentCommand(QStringLiteral("Periziagiurata1Click"));
}
void TForm1::Certificazionediidoneitstatica2Click() {
    runDocumentCommand(QStringLiteral("Certificazionediidoneitstatica2Click"));
}
void TForm1::Certificazionediidoneitstatica1Click() {
    runDocumentCommand(QStringLiteral("Certificazionediidoneitstatica1Click"));
}
void TForm1::Relazionetecnicadescrittiva1Click() {
    runDocumentCommand(QStringLiteral("Relazionetecnicadescrittiva1Click"));
}
void TForm1::ToolButton11Click() {
    runDocumentCommand(QStringLiteral("ToolButton11Click"));
}
void TForm1::Denunciaaifinidellatassasmaltimentorifiuti1Click() {
    runDocumentCommand(QStringLiteral("Denunciaaifinidellatassasmaltimentorifiuti1Click"));
}
void TForm1::Denunciaperloccupazionesuolopubblico1Click() {
    runDocumentCommand(QStringLiteral("Denunciaperloccupazionesuolopubblico1Click"));
}
void TForm1::Riepilogopratica2Click() {
    runDocumentCommand(QStringLiteral("Riepilogopratica2Click"));
}
void TForm1::Promemoriascadenze1Click() {
    runDocumentCommand(QStringLiteral("Promemoriascadenze1Click"));
}
void TForm1::Prospettorelativoallacquisizioneareepubbliche1Click() {
    runDocumentCommand(QStringLiteral("Prospettorelativoallacquisizioneareepubbliche1Click"));
}

// --- "Parametri" ---------------------------------------------------------------------------
// Saving a table shows its measures in the practice's captions; nothing is recomputed.

void TForm1::TabellaA1Click() {
    TForm2::run(this, form_);
    reload();
}
void TForm1::TabellaB1Click() {
    TForm3::run(this, form_);
    reload();
}
void TForm1::TabellaC1Click() {
    TForm4::run(this, form_);
    reload();
}
void TForm1::TabellaD1Click() {
    TForm5::run(this, form_);
    reload();
}
void TForm1::Datideltecnico1Click() {
    TForm8::run(this, form_);
}

} // namespace quadrelo
