// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace quadrelo {

// "Imposta stampante": the printer, paper and orientation the next prints use. It prints
// nothing; its button says so.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    PrinterSetupDialog(QPrinter& printer, QWidget* owner);

    // Shows the dialog; on confirmation the printer takes the choices.
    static void run(QPrinter& printer, QWidget* owner);
    // Gives the printer what the dialog shows.
    void apply();

private:
    QPrinter& printer_;
    QComboBox* printers_ = nullptr;
    QComboBox* paper_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
};

} // namespace quadrelo
