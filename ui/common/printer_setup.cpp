// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "printer_setup.h"

#include "message_windows.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quadrelo {

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* owner)
    : QDialog(owner), printer_(printer) {
    setObjectName(QStringLiteral("ImpostaStampante"));
    setWindowTitle(QStringLiteral("Imposta stampante"));
    auto* form = new QFormLayout;

    printers_ = new QComboBox;
    printers_->setObjectName(QStringLiteral("Stampante"));
    const QStringList names = QPrinterInfo::availablePrinterNames();
    printers_->addItems(names);
    if (const int at = int(names.indexOf(printer.printerName())); at >= 0)
        printers_->setCurrentIndex(at);
    else if (const int fallback = int(names.indexOf(QPrinterInfo::defaultPrinterName())); fallback >= 0)
        printers_->setCurrentIndex(fallback);
    if (names.isEmpty()) {
        printers_->addItem(QStringLiteral("(nessuna stampante installata)"));
        printers_->setEnabled(false);
    }
    form->addRow(QStringLiteral("&Stampante:"), printers_);

    paper_ = new QComboBox;
    paper_->setObjectName(QStringLiteral("Carta"));
    for (QPageSize::PageSizeId id :
         {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::Letter, QPageSize::Legal})
        paper_->addItem(QPageSize::name(id), int(id));
    const int paperAt = paper_->findData(int(printer.pageLayout().pageSize().id()));
    paper_->setCurrentIndex(paperAt >= 0 ? paperAt : 0);
    form->addRow(QStringLiteral("&Formato carta:"), paper_);

    portrait_ = new QRadioButton(QStringLiteral("&Verticale"));
    landscape_ = new QRadioButton(QStringLiteral("&Orizzontale"));
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    orientation->addStretch();
    form->addRow(QStringLiteral("Orientamento:"), orientation);

    auto* note =
        new QLabel(QStringLiteral("Non si stampa nulla ora: le scelte valgono per le prossime stampe."));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* use =
        buttons->addButton(QStringLiteral("&Usa per le prossime stampe"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("Usa"));
    use->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Annulla"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void PrinterSetupDialog::apply() {
    if (printers_->isEnabled()) printer_.setPrinterName(printers_->currentText());
    printer_.setPageSize(QPageSize(QPageSize::PageSizeId(paper_->currentData().toInt())));
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PrinterSetupDialog::run(QPrinter& printer, QWidget* owner) {
    PrinterSetupDialog dialog(printer, owner);
    if (MessageWindows::testMode()) return;
    if (dialog.exec() == QDialog::Accepted) dialog.apply();
}

} // namespace quadrelo
