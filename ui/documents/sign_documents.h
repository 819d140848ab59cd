// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace quadrelo {

class PracticeForm;

// "Firma documenti…": documents of the practice (those printed without a dialog of their own)
// and PDFs or envelopes already written, the folder for the new ones, then the key and one PIN
// for all. A ".p7m" gets one more signature in the same envelope, or a new envelope around it
// when the user chooses so.
class SignDocumentsDialog : public QDialog {
    Q_OBJECT
public:
    SignDocumentsDialog(QWidget* owner, PracticeForm& form);

    void accept() override;

private:
    void addFiles();

    PracticeForm& form_;
    QListWidget* documents_;
    QLineEdit* folder_;
    QCheckBox* nested_;
};

} // namespace quadrelo
