// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/field_entry.h"
#include "tables/technician.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace quadrelo {

class EntryValidator;
class PracticeForm;

// "Tecnico incaricato": the technician's record, read from tec.dat when the dialog opens
// and written back by "salva".
class TechnicianDialog : public QDialog {
    Q_OBJECT
public:
    explicit TechnicianDialog(QWidget* owner, PracticeForm& form);
    static void run(QWidget* owner, PracticeForm& form);

    QLineEdit* Edit1 = nullptr; // "Nome:"
    QLineEdit* Edit2 = nullptr; // "Cognome:"
    QLineEdit* Edit3 = nullptr; // "Nato a:"
    QLineEdit* Edit4 = nullptr; // "Provincia:" of birth
    QLineEdit* Edit5 = nullptr; // "Codice fiscale:"
    QLineEdit* Edit6 = nullptr; // "N° di iscrizione:"
    QLineEdit* Edit7 = nullptr; // "Provincia:" of the register
    QLineEdit* Edit8 = nullptr; // "Studio in:"
    QLineEdit* Edit9 = nullptr; // the office's street address
    QComboBox* ComboBox1 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "salva"
    QPushButton* BitBtn2 = nullptr; // "esci"

    // What the dialog shows, as saveTechnician takes it.
    TechnicianFields fields() const;

    void FormActivate();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeEdit(int k, const EntryRules& rules);
    void showFields(const TechnicianFields& fields);

    PracticeForm& form_;
    QList<QLineEdit*> edits_;
    QList<EntryValidator*> validators_;
    QList<QWidget*> enterOrder_;
};

} // namespace quadrelo
