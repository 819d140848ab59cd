// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_layout.h"

#include <QDialog>
#include <QPrintPreviewDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace quadrelo {

namespace report {
class ReportProject;
}

// RvProject1: the program's report project, the templates stored with it.
report::ReportProject& RvProject1();

// The printer every document goes to. "Imposta stampante" configures it with QPrintDialog or
// QPageSetupDialog; the preview prints to it.
QPrinter& reportPrinter();

// RvSystem1 running a report by name: the status window while the pages are laid out, then
// the modal preview at 100 %. A name the project lacks does nothing. values[i] belongs to
// columnNames[i]; `sheetHeading` heads the second and later pages. Throws Error when the
// template cannot be read or the row does not fit it.
void runReport(QWidget* owner, const QString& name, const QStringList& columnNames, const QStringList& values,
               const QString& sheetHeading = {});

// For tests: runReport hands the laid-out document to `hook` instead of showing the preview.
// An empty hook restores the preview.
void setReportPreviewHook(std::function<void(const report::Document&)> hook);

// The small window "Anteprima di stampa" that shows which page is being generated or printed.
class ReportStatusWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportStatusWindow(QWidget* owner = nullptr);

    // Shows `pattern` with "%p" replaced by the page number, at once.
    void showPage(const QString& pattern, int page);
    QString text() const;

private:
    QLabel* label_;
};

// The modal preview of a laid-out document: pages drawn through the printer they print on,
// printing with the printer's own options, and "Esporta PDF" (PDF/A-1b).
class ReportPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(report::Document document, QPrinter* printer, QWidget* owner = nullptr);

    const report::Document& document() const { return document_; }
    QPrintPreviewWidget* previewWidget() const { return preview_; }
    QAction* exportPdfAction() const { return exportPdf_; }
    QAction* exportSignedPdfAction() const { return exportSignedPdf_; }

public slots:
    // Draws the document on the printer: every page for the preview; when really printing, the
    // pages the print dialog chose, with the status window.
    void paintDocument(QPrinter* printer);

    // Writes the document as PDF to `path`; a failure is shown in the error box. True when written.
    bool exportPdf(const QString& path);

protected:
    // The file "Esporta PDF" writes, asked with the save dialog; empty when the user cancels.
    virtual QString askPdfFileName();

private:
    void exportAsked();
    void exportSignedAsked();
    // The PDF name for a signed export, asked and checked as "Esporta PDF" does; empty when the
    // user gives none.
    QString askSignedTarget(int format);

    report::Document document_;
    QPrintPreviewWidget* preview_ = nullptr;
    QAction* exportPdf_ = nullptr;
    QAction* exportSignedPdf_ = nullptr;
    QString signedTarget_;
};

} // namespace quadrelo
