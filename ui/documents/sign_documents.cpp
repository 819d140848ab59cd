// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "sign_documents.h"

#include "calc/practice_form.h"
#include "documents/document_checks.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "report_preview.h"
#include "sign/stamp_place.h"
#include "sign_dialogs.h"
#include "ui/common/error_box.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/message_windows.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quadrelo {

namespace {

constexpr int kReportRole = Qt::UserRole;   // a document of the practice, by report name
constexpr int kFileRole = Qt::UserRole + 1; // a file already written

} // namespace

SignDocumentsDialog::SignDocumentsDialog(QWidget* owner, PracticeForm& form)
    : QDialog(owner), form_(form), documents_(new QListWidget), folder_(new QLineEdit),
      nested_(
          new QCheckBox(QStringLiteral("Per i file .p7m: una &nuova busta intorno (nome.p7m.p7m) invece di "
                                       "una firma in più nella stessa"))) {
    setObjectName(QStringLiteral("SignDocumentsDialog"));
    setWindowTitle(QStringLiteral("Firma documenti"));
    documents_->setObjectName(QStringLiteral("Documenti"));
    documents_->setMinimumSize(460, 240);
    for (const DocumentCommand& c : documentCommands()) {
        if (c.report.isEmpty() || c.dialog != CommandDialog::None) continue;
        auto* item = new QListWidgetItem(c.caption, documents_);
        item->setData(kReportRole, c.report);
        if (const auto failure = firstFailedCheck(form_, c)) {
            // Not printable yet: shown, with the reason, but not offered.
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
            item->setToolTip(failure->message);
        } else {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    documents_->setCurrentRow(0);
    folder_->setObjectName(QStringLiteral("CartellaFirmati"));
    folder_->setText(QDir::toNativeSeparators(FileDialogs::pdfStartFolder()));
    auto* add = new QPushButton(QStringLiteral("&Aggiungi PDF o .p7m già scritti…"));
    auto* browse = new QPushButton(QStringLiteral("S&foglia…"));
    connect(add, &QPushButton::clicked, this, &SignDocumentsDialog::addFiles);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Cartella dei documenti firmati"), folder_->text());
        if (!chosen.isEmpty()) folder_->setText(QDir::toNativeSeparators(chosen));
    });

    auto* listLabel = new QLabel(QStringLiteral("&Documenti da firmare (spazio per scegliere):"));
    listLabel->setBuddy(documents_);
    auto* folderRow = new QHBoxLayout;
    auto* folderLabel = new QLabel(QStringLiteral("&Cartella dei documenti della pratica:"));
    folderLabel->setBuddy(folder_);
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Avanti"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SignDocumentsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SignDocumentsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(documents_);
    layout->addWidget(add, 0, Qt::AlignLeft);
    layout->addWidget(folderLabel);
    layout->addLayout(folderRow);
    layout->addWidget(nested_);
    layout->addWidget(buttons);
}

void SignDocumentsDialog::addFiles() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Documenti già scritti"), FileDialogs::pdfStartFolder(),
        QStringLiteral("Documenti PDF o firmati (*.pdf *.p7m)"));
    for (const QString& f : files) {
        auto* item = new QListWidgetItem(QDir::toNativeSeparators(f), documents_);
        item->setData(kFileRole, f);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void SignDocumentsDialog::accept() {
    struct Job {
        QString report; // empty for a file already written
        QString path;
    };
    const QString folder = QDir::fromNativeSeparators(folder_->text().trimmed());
    QList<Job> jobs;
    for (int i = 0; i < documents_->count(); ++i) {
        const QListWidgetItem* item = documents_->item(i);
        if (item->checkState() != Qt::Checked) continue;
        const QString report = item->data(kReportRole).toString();
        jobs.append({report, report.isEmpty() ? item->data(kFileRole).toString()
                                              : QDir(folder).filePath(report + QStringLiteral(".pdf"))});
    }
    if (jobs.isEmpty()) {
        showErrorBox(this, QStringLiteral("Scegliere almeno un documento da firmare."));
        return;
    }
    if (!QFileInfo(folder).isDir() &&
        std::any_of(jobs.cbegin(), jobs.cend(), [](const Job& j) { return !j.report.isEmpty(); })) {
        showErrorBox(this, QStringLiteral("«%1» non è una cartella.").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const bool nested = nested_->isChecked();
    QWidget* owner = parentWidget();
    PracticeForm* form = &form_;
    QDialog::accept();
    askKeyAndSign(
        owner,
        [owner, jobs](const KeyChoice& choice) {
            // Every new file is checked, and replacing one asked, before the PIN.
            for (const Job& j : jobs) {
                if (j.report.isEmpty()) continue;
                if (const QString problem = sign::signedTargetProblem(j.path, choice.format);
                    !problem.isEmpty()) {
                    showErrorBox(owner, problem);
                    return false;
                }
                const QString written = sign::signedPath(j.path, choice.format);
                if (QFileInfo::exists(written) && !FileDialogs::confirmReplace(owner, written)) return false;
            }
            return true;
        },
        [owner, jobs, form, nested](sign::SigningKey& key, const KeyChoice& choice) {
            const sign::Format format = choice.format;
            QStringList written;
            try {
                for (const Job& j : jobs) {
                    if (j.report.isEmpty()) {
                        written << sign::signExistingFile(j.path, key, format,
                                                          nested ? sign::Countersign::Nested
                                                                 : sign::Countersign::SameFile);
                        continue;
                    }
                    const auto document = RvProject1().layout(
                        j.report, columnNames(), RvCustomConnection1GetRow(*form), {}, sheetHeading(*form));
                    if (!document) continue;
                    sign::writeSignedPdf(j.path, report::pdfBytes(*document), key, format,
                                         choice.visible ? sign::stampPlace(*document) : std::nullopt);
                    written << sign::signedPath(j.path, format);
                }
            } catch (const Error& e) {
                // What was signed before the failure stays signed; the user learns both.
                throw Error(written.isEmpty() ? e.message()
                                              : QStringLiteral("%1\n\nGià firmati: %2.")
                                                    .arg(e.message(), written.join(QStringLiteral(", "))));
            }
            const QString summary =
                QStringLiteral("Documenti firmati:\n%1").arg(written.join(QLatin1Char('\n')));
            if (MessageWindows::testMode())
                MessageWindows::recordShown(summary);
            else
                QMessageBox::information(owner, QStringLiteral("Firma documenti"), summary);
        });
}

} // namespace quadrelo
