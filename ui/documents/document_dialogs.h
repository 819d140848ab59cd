// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "ui/common/field_widgets.h"

#include <QDateEdit>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace quadrelo {

class PracticeForm;

// What the four document dialogs share: their natural size within the screen (the fields
// scroll where it has less room), centred on the main window when shown,
// "conferma" (`BitBtn1`) that stores, runs the report and closes with mrOk whatever happens
// on the way, and a closing button (`BitBtn2`, also Esc) that stores nothing.
class DocumentDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // Closing by the title bar: mrCancel, nothing stored.
    void reject() override;

protected:
    DocumentDialog(QWidget* owner, PracticeForm& form, const QString& caption);

    // Puts `content` above the two buttons.
    void finish(QLayout* content, const QString& closingText, int closingResult, bool confirmIsDefault);
    // What "conferma" stores and prints; the dialog closes afterwards even when it throws.
    virtual void BitBtn1Click() = 0;

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    PracticeForm& form_;

private:
    void confirm();
    int closingResult_ = 2;
};

// "Denuncia rifiuti solidi urbani": start of the occupation of the building.
class WasteTaxDialog : public DocumentDialog {
    Q_OBJECT
public:
    WasteTaxDialog(QWidget* owner, PracticeForm& form);
    static void run(QWidget* owner, PracticeForm& form);

    CalendarPicker* DateTimePicker3 = nullptr;

protected:
    bool event(QEvent* event) override;
    void BitBtn1Click() override;

private:
    void storeDate();
};

// "Occupazione suolo pubblico": where, why, how large and how long public land is occupied.
class OccupationDialog : public DocumentDialog {
    Q_OBJECT
public:
    OccupationDialog(QWidget* owner, PracticeForm& form);
    static void run(QWidget* owner, PracticeForm& form);

    QLineEdit* Edit1 = nullptr;                // first side, m
    QLineEdit* Edit2 = nullptr;                // second side, m
    QLineEdit* Edit3 = nullptr;                // area, m²
    QLineEdit* Edit4 = nullptr;                // location
    QLineEdit* Edit5 = nullptr;                // purpose
    QLineEdit* Edit6 = nullptr;                // days
    QLineEdit* Edit7 = nullptr;                // kind of occupation
    CalendarPicker* DateTimePicker1 = nullptr; // "dal"
    CalendarPicker* DateTimePicker2 = nullptr; // "al "
    QTimeEdit* DateTimePicker3 = nullptr;      // "dalle ore"
    QTimeEdit* DateTimePicker4 = nullptr;      // "alle ore "

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void BitBtn1Click() override;

private:
    void Edit1Exit();
    void DateTimePicker1CloseUp();

    QList<QWidget*> enterOrder_;
};

// "Compilazione della dichiarazione I.C.I. (fac-simile)": up to three properties.
class IciDialog : public DocumentDialog {
    Q_OBJECT
public:
    IciDialog(QWidget* owner, PracticeForm& form);
    static void run(QWidget* owner, PracticeForm& form);

    // Controls by designer number: Edit1..Edit36, ComboBox1..ComboBox3, CheckBox1..CheckBox15.
    QLineEdit* edit(int number) const;
    QComboBox* comboBox(int number) const;
    QCheckBox* checkBox(int number) const;
    QGroupBox* groupBox(int property) const;

    // Item k (1..18) of property p (1..3) as it is stored: text, category text or mark.
    QString value(int property, int item) const;

protected:
    void BitBtn1Click() override;

private:
    QGroupBox* buildProperty(int property);
    void prefill();

    QList<QLineEdit*> edits_;
    QList<QComboBox*> combos_;
    QList<QCheckBox*> checks_;
    QList<QGroupBox*> groups_;
    QList<QList<QWidget*>> items_; // [property][item], both 0-based
};

// "Perizia giurata": the court of the sworn appraisal.
class SwornAppraisalDialog : public DocumentDialog {
    Q_OBJECT
public:
    SwornAppraisalDialog(QWidget* owner, PracticeForm& form);
    static void run(QWidget* owner, PracticeForm& form);

    QLineEdit* Edit1 = nullptr; // "Tribunale di: "
    QLineEdit* Edit2 = nullptr; // "Sezione distaccata di:"

protected:
    void BitBtn1Click() override;
};

} // namespace quadrelo
