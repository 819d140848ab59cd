// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "tables/parameter_tables.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quadrelo {

class EntryValidator;
class PracticeForm;

// The editor of one parameter table: the value boxes Edit1..EditN, the protection check box
// and the two buttons. The four windows differ only in their table and the layout of the boxes.
class TableEditor : public QDialog {
    Q_OBJECT
public:
    TableEditor(Table table, QWidget* owner, PracticeForm& form);
    // The editor of `table`, modal, until the user closes it.
    static void run(QWidget* owner, PracticeForm& form, Table table);

    Table table() const { return table_; }
    // Box k, counted from 1 as the designer names go (Edit1 is box(1)).
    QLineEdit* box(int k) const { return boxes_.value(k - 1); }
    int boxCount() const { return int(boxes_.size()); }
    QStringList boxTexts() const;

    QCheckBox* CheckBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "modifica"
    QPushButton* BitBtn2 = nullptr; // "esci"

    // Fills the boxes from the table's file; run each time the window is shown.
    void FormActivate();
    void CheckBox1Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeBox(int k);
    void buildZoneGrid(QGridLayout* grid);
    void buildOblationGrid(QGridLayout* grid);
    void buildAdvanceGrid(QGridLayout* grid);
    void showBoxTexts(const QStringList& texts);

    Table table_;
    PracticeForm& form_;
    QList<QLineEdit*> boxes_;
    QList<EntryValidator*> validators_;
};

} // namespace quadrelo
