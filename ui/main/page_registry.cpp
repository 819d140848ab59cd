// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Pages "Richiedente", "Immobile" and "Illecito": the registry data of the practice.
#include "applicant_tax_code.h"
#include "form_binding.h"
#include "pages.h"
#include "ui/common/place_completion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quadrelo {

using namespace page;

namespace {

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    return layout;
}

// Street type list and street name side by side, the name taking the room left.
QHBoxLayout* streetRow(QComboBox* type, QLineEdit* street) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    setChars(type, 11);
    row->addWidget(type);
    row->addWidget(street, 1);
    return row;
}

} // namespace

QWidget* buildApplicantPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet1"));
    QVBoxLayout* layout = pageLayout(pg);
    const int labelWidth = pg->fontMetrics().horizontalAdvance(QStringLiteral("Il richiedente è:")) + 16;

    QGroupBox* personal = b.group(QStringLiteral("GroupBox1"), groupOf(QStringLiteral("Edit1")));
    QGridLayout* g = gridIn(personal);
    g->setColumnMinimumWidth(0, labelWidth);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit1"))), 0, 0);
    g->addWidget(b.edit(QStringLiteral("Edit1")), 0, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit2"))), 0, 2);
    g->addWidget(b.edit(QStringLiteral("Edit2")), 0, 3);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit3"))), 1, 0);
    QLineEdit* birthPlace = b.edit(QStringLiteral("Edit3"));
    g->addWidget(birthPlace, 1, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit22"))), 1, 2);
    QLineEdit* province = b.edit(QStringLiteral("Edit22"));
    completePlaces(birthPlace, true, province);
    setChars(province, 4);
    g->addWidget(province, 1, 3, Qt::AlignLeft);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("DateTimePicker3"))), 2, 0);
    QDateEdit* birth = b.date(QStringLiteral("DateTimePicker3"));
    setChars(birth, 12);
    g->addWidget(birth, 2, 1, Qt::AlignLeft);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit5"))), 2, 2);
    QLineEdit* taxCode = b.edit(QStringLiteral("Edit5"));
    setChars(taxCode, 20);
    g->addLayout(applicantTaxCodeRow(b, taxCode), 2, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    layout->addWidget(personal);

    QGroupBox* residence = b.group(QStringLiteral("GroupBox2"), groupOf(QStringLiteral("Edit6")));
    g = gridIn(residence);
    g->setColumnMinimumWidth(0, labelWidth);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit6"))), 0, 0);
    QLineEdit* residenceTown = b.edit(QStringLiteral("Edit6"));
    completePlaces(residenceTown, true);
    g->addWidget(residenceTown, 0, 1, 1, 3);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("ComboBox2"))), 1, 0);
    g->addLayout(streetRow(b.combo(QStringLiteral("ComboBox2")), b.edit(QStringLiteral("Edit7"))), 1, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit8"))), 1, 2);
    QLineEdit* number = b.edit(QStringLiteral("Edit8"));
    setChars(number, 8);
    g->addWidget(number, 1, 3);
    g->setColumnStretch(1, 1);
    layout->addWidget(residence);

    QGroupBox* role = b.group(QStringLiteral("GroupBox3"), groupOf(QStringLiteral("ComboBox3")));
    g = gridIn(role);
    g->setColumnMinimumWidth(0, labelWidth);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("ComboBox3"))), 0, 0);
    QComboBox* roles = b.combo(QStringLiteral("ComboBox3"));
    setChars(roles, 18);
    g->addWidget(roles, 0, 1, Qt::AlignLeft);
    g->setColumnStretch(1, 1);
    layout->addWidget(role);
    layout->addStretch(1);
    return pg;
}

QWidget* buildPropertyPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet2"));
    QVBoxLayout* layout = pageLayout(pg);
    const int labelWidth = pg->fontMetrics().horizontalAdvance(QStringLiteral("Numeri di mappa:")) + 16;

    QGroupBox* location = b.group(QStringLiteral("GroupBox4"), groupOf(QStringLiteral("Edit9")));
    QGridLayout* g = gridIn(location);
    g->setColumnMinimumWidth(0, labelWidth);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit9"))), 0, 0);
    QLineEdit* municipality = b.edit(QStringLiteral("Edit9"));
    completePlaces(municipality, false);
    g->addWidget(municipality, 0, 1, 1, 3);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("ComboBox1"))), 1, 0);
    g->addLayout(streetRow(b.combo(QStringLiteral("ComboBox1")), b.edit(QStringLiteral("Edit10"))), 1, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit11"))), 1, 2);
    QLineEdit* number = b.edit(QStringLiteral("Edit11"));
    setChars(number, 8);
    g->addWidget(number, 1, 3);
    g->setColumnStretch(1, 1);
    layout->addWidget(location);

    // Land register and building register side by side.
    auto* registers = new QHBoxLayout;
    registers->setSpacing(8);
    auto numbers = [&](std::initializer_list<const char*> names) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        for (const char* name : names) {
            QLineEdit* e = b.edit(QLatin1String(name));
            setChars(e, 7);
            row->addWidget(e);
        }
        row->addStretch(1);
        return row;
    };
    QGroupBox* land = b.group(QStringLiteral("GroupBox5"), groupOf(QStringLiteral("Edit12")));
    g = gridIn(land);
    g->setColumnMinimumWidth(0, labelWidth);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit12"))), 0, 0);
    g->addLayout(numbers({"Edit12"}), 0, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit13"))), 1, 0);
    g->addLayout(numbers({"Edit13"}), 1, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit14"))), 2, 0);
    g->addLayout(numbers({"Edit14", "Edit15", "Edit4"}), 2, 1);
    g->setRowStretch(3, 1);
    registers->addWidget(land, 1);
    QGroupBox* building = b.group(QStringLiteral("GroupBox6"), groupOf(QStringLiteral("Edit17")));
    g = gridIn(building);
    g->setColumnMinimumWidth(0, labelWidth);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit17"))), 0, 0);
    g->addLayout(numbers({"Edit17"}), 0, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit18"))), 1, 0);
    g->addLayout(numbers({"Edit18"}), 1, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit19"))), 2, 0);
    g->addLayout(numbers({"Edit19"}), 2, 1);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("Edit20"))), 3, 0);
    g->addLayout(numbers({"Edit20", "Edit21"}), 3, 1);
    registers->addWidget(building, 1);
    layout->addLayout(registers);

    // Constraints, use and municipality class side by side.
    auto* choices = new QHBoxLayout;
    choices->setSpacing(8);
    QGroupBox* constraints = b.group(QStringLiteral("GroupBox7"), groupOf(QStringLiteral("CheckBox1")));
    g = gridIn(constraints);
    g->addWidget(b.check(QStringLiteral("CheckBox1")), 0, 0);
    g->addWidget(b.check(QStringLiteral("CheckBox2")), 1, 0);
    g->setRowStretch(2, 1);
    choices->addWidget(constraints);

    QGroupBox* use = b.group(QStringLiteral("GroupBox8"), groupOf(QStringLiteral("RadioButton8")));
    g = gridIn(use);
    b.beginRadioGroup();
    g->addWidget(b.radio(QStringLiteral("RadioButton8")), 0, 0, 1, 2);
    g->addWidget(b.radio(QStringLiteral("RadioButton9")), 1, 0, 1, 2);
    g->addWidget(b.label(QStringLiteral("Label18"), captionOf(QStringLiteral("Edit16"))), 2, 0);
    g->addWidget(b.edit(QStringLiteral("Edit16")), 2, 1);
    g->setColumnStretch(1, 1);
    g->setRowStretch(3, 1);
    choices->addWidget(use, 1);

    QGroupBox* size = b.group(QStringLiteral("GroupBox9"), groupOf(QStringLiteral("RadioButton12")));
    g = gridIn(size);
    g->addWidget(fieldLabel(QStringLiteral("Numero di abitanti:")), 0, 0);
    b.beginRadioGroup();
    int row = 1;
    for (const char* name : {"RadioButton12", "RadioButton13", "RadioButton14", "RadioButton15"})
        g->addWidget(b.radio(QLatin1String(name)), row++, 0);
    g->setRowStretch(row, 1);
    choices->addWidget(size);
    layout->addLayout(choices);
    layout->addStretch(1);
    return pg;
}

QWidget* buildOffencePage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet3"));
    QVBoxLayout* layout = pageLayout(pg);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    QGroupBox* works = b.group(QStringLiteral("GroupBox10"), groupOf(QStringLiteral("DateTimePicker1")));
    QGridLayout* g = gridIn(works);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("DateTimePicker1"))), 0, 0);
    QDateEdit* completion = b.date(QStringLiteral("DateTimePicker1"));
    setChars(completion, 12);
    g->addWidget(completion, 0, 1, 1, 3, Qt::AlignLeft);
    g->addWidget(fieldLabel(captionOf(QStringLiteral("DateTimePicker2"))), 1, 0);
    QDateEdit* state = b.date(QStringLiteral("DateTimePicker2"));
    setChars(state, 12);
    g->addWidget(state, 1, 1, 1, 3, Qt::AlignLeft);
    g->addWidget(fieldLabel(QStringLiteral("ultimati:")), 2, 0);
    b.beginRadioGroup();
    g->addWidget(b.radio(QStringLiteral("RadioButton3")), 2, 1);
    g->addWidget(b.radio(QStringLiteral("RadioButton4")), 2, 2);
    g->addWidget(b.radio(QStringLiteral("RadioButton5")), 2, 3);
    g->setColumnStretch(4, 1);
    top->addWidget(works, 3);

    QGroupBox* volumes = b.group(QStringLiteral("GroupBox13"), groupOf(QStringLiteral("Edit24")));
    g = gridIn(volumes);
    int row = 0;
    for (const char* name : {"Edit24", "Edit23"}) {
        g->addWidget(fieldLabel(captionOf(QLatin1String(name))), row, 0);
        QLineEdit* e = b.edit(QLatin1String(name));
        setChars(e, 8);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(e, row, 1);
        g->addWidget(fieldLabel(QStringLiteral("mc")), row, 2);
        ++row;
    }
    g->setRowStretch(row, 1);
    top->addWidget(volumes, 2);
    layout->addLayout(top);

    QGroupBox* description = b.group(QStringLiteral("GroupBox12"), groupOf(QStringLiteral("Memo1")));
    auto* box = new QVBoxLayout(description);
    box->setContentsMargins(8, 4, 8, 6);
    box->addWidget(b.memo(QStringLiteral("Memo1")));
    layout->addWidget(description, 1);

    QGroupBox* report = b.group(QStringLiteral("GroupBox14"), groupOf(QStringLiteral("Memo2")));
    box = new QVBoxLayout(report);
    box->setContentsMargins(8, 4, 8, 6);
    box->addWidget(b.memo(QStringLiteral("Memo2")));
    layout->addWidget(report, 1);
    return pg;
}

} // namespace quadrelo
