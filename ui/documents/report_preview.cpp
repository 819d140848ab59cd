// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "report_preview.h"

#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "sign/stamp_place.h"
#include "sign_dialogs.h"
#include "ui/common/error_box.h"
#include "ui/common/file_dialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace quadrelo {

namespace {

const QString WindowTitle = QStringLiteral("Anteprima di stampa");
const QString JobTitle = QStringLiteral("ReportPrinter Report");

QPrinter* sharedPrinter = nullptr;

std::function<void(const report::Document&)>& previewHook() {
    static std::function<void(const report::Document&)> hook;
    return hook;
}

// Every template is drawn for A4 portrait from the sheet's corner.
void prepareForReports(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(JobTitle);
}

} // namespace

report::ReportProject& RvProject1() {
    static report::ReportProject project;
    return project;
}

QPrinter& reportPrinter() {
    if (!sharedPrinter) {
        sharedPrinter = new QPrinter(QPrinter::HighResolution);
        prepareForReports(*sharedPrinter);
        // Gone before the application: a printer outliving it would talk to an unloaded print system.
        qAddPostRoutine([] {
            delete sharedPrinter;
            sharedPrinter = nullptr;
        });
    }
    return *sharedPrinter;
}

void setReportPreviewHook(std::function<void(const report::Document&)> hook) {
    previewHook() = std::move(hook);
}

void runReport(QWidget* owner, const QString& name, const QStringList& columnNames, const QStringList& values,
               const QString& sheetHeading) {
    report::ReportProject& project = RvProject1();
    if (!project.contains(name)) return;
    std::optional<report::Document> document;
    {
        ReportStatusWindow status(owner);
        status.show();
        document = project.layout(
            name, columnNames, values,
            [&status](int page) { status.showPage(QStringLiteral("Generating page %p"), page); },
            sheetHeading);
    }
    if (!document) return;
    if (previewHook()) {
        previewHook()(*document);
        return;
    }
    QPrinter& printer = reportPrinter();
    // Paper and orientation stay as "Imposta stampante" left them, for every print after it.
    printer.setFullPage(true);
    printer.setDocName(JobTitle);
    ReportPreviewDialog preview(std::move(*document), &printer, owner);
    preview.exec();
}

ReportStatusWindow::ReportStatusWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), label_(new QLabel(this)) {
    setWindowTitle(WindowTitle);
    setObjectName(QStringLiteral("ReportStatusWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    label_->setMinimumWidth(220);
    label_->setAlignment(Qt::AlignCenter);
    layout->addWidget(label_);
}

void ReportStatusWindow::showPage(const QString& pattern, int page) {
    label_->setText(QString(pattern).replace(QLatin1String("%p"), QString::number(page)));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ReportStatusWindow::text() const {
    return label_->text();
}

ReportPreviewDialog::ReportPreviewDialog(report::Document document, QPrinter* printer, QWidget* owner)
    : QPrintPreviewDialog(printer, owner), document_(std::move(document)) {
    // The document's name as the menu gives it, as in its PDF's title.
    setWindowTitle(document_.title.isEmpty() ? WindowTitle
                                             : WindowTitle + QStringLiteral(" - ") + document_.title);
    preview_ = findChild<QPrintPreviewWidget*>();
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paintDocument);
    if (preview_) {
        preview_->setZoomMode(QPrintPreviewWidget::CustomZoom);
        preview_->setZoomFactor(1.0);
    }

    exportPdf_ = new QAction(QStringLiteral("Esporta PDF"), this);
    exportPdf_->setObjectName(QStringLiteral("EsportaPdf"));
    exportPdf_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportPdf_->setToolTip(QStringLiteral("Esporta PDF (Ctrl+E)"));
    connect(exportPdf_, &QAction::triggered, this, &ReportPreviewDialog::exportAsked);
    addAction(exportPdf_); // the shortcut works wherever the focus is in the dialog
    exportSignedPdf_ = new QAction(QStringLiteral("Esporta PDF firmato…"), this);
    exportSignedPdf_->setObjectName(QStringLiteral("EsportaPdfFirmato"));
    exportSignedPdf_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    exportSignedPdf_->setToolTip(
        QStringLiteral("Esporta PDF firmato digitalmente, PAdES o CAdES (Ctrl+Maiusc+E)"));
    connect(exportSignedPdf_, &QAction::triggered, this, &ReportPreviewDialog::exportSignedAsked);
    addAction(exportSignedPdf_);

    if (auto* toolbar = findChild<QToolBar*>()) {
        // Ctrl+P prints, as everywhere else; the dialog's own print action has no key of its own.
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* a : toolbar->actions())
            if (a->text() == print && a->shortcut().isEmpty()) {
                a->setShortcut(QKeySequence::Print);
                a->setToolTip(a->text() + QStringLiteral(" (Ctrl+P)"));
                addAction(a);
            }
        // The zoom is 100 %, not fitted: the fit buttons must not show as pressed.
        for (const char* fit : {"Fit width", "Fit page"}) {
            const QString text = QCoreApplication::translate("QPrintPreviewDialog", fit);
            for (QAction* a : toolbar->actions())
                if (a->text() == text) {
                    if (a->actionGroup()) a->actionGroup()->setExclusive(false);
                    a->setChecked(false);
                }
        }
        // First on the bar, so that a narrow or scaled window never hides it in the overflow.
        QAction* first = toolbar->actions().value(0);
        toolbar->insertAction(first, exportPdf_);
        toolbar->insertAction(first, exportSignedPdf_);
        toolbar->insertSeparator(first);
        for (QAction* a : {exportPdf_, exportSignedPdf_})
            if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(a)))
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }

    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        resize(screen->availableSize() * 0.85);
}

void ReportPreviewDialog::paintDocument(QPrinter* printer) {
    // The preview records its pages through a picture engine; anything else is paper or a file.
    const bool previewing = printer->paintEngine() && printer->paintEngine()->type() == QPaintEngine::Picture;
    int from = 1, to = int(document_.pages.size());
    if (!previewing && printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = std::max(from, printer->fromPage());
        to = std::min(to, printer->toPage() > 0 ? printer->toPage() : to);
    }
    std::optional<ReportStatusWindow> status;
    if (!previewing) {
        printer->setDocName(JobTitle);
        status.emplace(this);
        status->show();
    }
    QPainter painter;
    if (!painter.begin(printer)) return;
    for (int n = from; n <= to; ++n) {
        if (n > from) printer->newPage();
        if (status) status->showPage(QStringLiteral("Printing page %p"), n);
        report::paintPage(document_.pages[n - 1], painter);
    }
    painter.end();
}

bool ReportPreviewDialog::exportPdf(const QString& path) {
    return guarded(this, [&] {
        if (const QString problem = report::pdfTargetProblem(path); !problem.isEmpty())
            throw IoError(problem);
        report::writePdf(document_, path);
    });
}

QString ReportPreviewDialog::askPdfFileName() {
    const QString suggested =
        QDir(FileDialogs::pdfStartFolder()).filePath(document_.name + QStringLiteral(".pdf"));
    // The replace question comes after the ".pdf" is added, from the program itself.
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta PDF"), suggested,
                                                        QStringLiteral("Documenti PDF (*.pdf)"), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    FileDialogs::rememberPdf(chosen);
    return chosen;
}

void ReportPreviewDialog::exportAsked() {
    while (true) {
        QString path = askPdfFileName();
        if (path.isEmpty()) return;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
        // Only a PDF is ever replaced, and only when the user says so.
        if (const QString problem = report::pdfTargetProblem(path); !problem.isEmpty()) {
            showErrorBox(this, problem);
            return;
        }
        if (QFileInfo::exists(path)) {
            const FileDialogs::Replace answer = FileDialogs::askReplace(this, path);
            if (answer == FileDialogs::Replace::No) continue; // another name
            if (answer == FileDialogs::Replace::Cancel) return;
        }
        exportPdf(path);
        return;
    }
}

QString ReportPreviewDialog::askSignedTarget(int format) {
    const auto chosenFormat = sign::Format(format);
    while (true) {
        QString path = askPdfFileName();
        if (path.isEmpty()) return {};
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
        if (const QString problem = sign::signedTargetProblem(path, chosenFormat); !problem.isEmpty()) {
            showErrorBox(this, problem);
            return {};
        }
        const QString written = sign::signedPath(path, chosenFormat);
        if (QFileInfo::exists(written)) {
            const FileDialogs::Replace answer = FileDialogs::askReplace(this, written);
            if (answer == FileDialogs::Replace::No) continue;
            if (answer == FileDialogs::Replace::Cancel) return {};
        }
        return path;
    }
}

void ReportPreviewDialog::exportSignedAsked() {
    askKeyAndSign(
        this,
        [this](const KeyChoice& choice) {
            signedTarget_ = askSignedTarget(int(choice.format));
            return !signedTarget_.isEmpty();
        },
        [this](sign::SigningKey& key, const KeyChoice& choice) {
            sign::writeSignedPdf(signedTarget_, report::pdfBytes(document_), key, choice.format,
                                 choice.visible ? sign::stampPlace(document_) : std::nullopt);
        });
}

} // namespace quadrelo
