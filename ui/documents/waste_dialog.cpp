// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_dialogs.h"
#include "documents/dialog_defaults.h"

#include "calc/practice_form.h"
#include "document_output.h"
#include "ui/common/message_windows.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

namespace quadrelo {

WasteTaxDialog::WasteTaxDialog(QWidget* owner, PracticeForm& form)
    : DocumentDialog(owner, form, QStringLiteral("Denuncia rifiuti solidi urbani")) {
    setObjectName(QStringLiteral("Form10"));
    auto* label = new QLabel(QStringLiteral("Decorrenza dell'occupazione del fabbricato:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    DateTimePicker3 = new CalendarPicker(this);
    DateTimePicker3->setObjectName(QStringLiteral("DateTimePicker3"));
    DateTimePicker3->setDate(QDate::fromString(wasteInitialDate(), QStringLiteral("dd/MM/yyyy")));
    DateTimePicker3->setMinimumWidth(120);
    label->setBuddy(DateTimePicker3);

    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(label);
    row->addWidget(DateTimePicker3);
    row->addStretch(1);
    finish(row, QStringLiteral("esci"), mrCancel, true);
    DateTimePicker3->setFocus();
}

void WasteTaxDialog::run(QWidget* owner, PracticeForm& form) {
    WasteTaxDialog dialog(owner, form);
    dialog.exec();
}

bool WasteTaxDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) storeDate();
    return DocumentDialog::event(event);
}

void WasteTaxDialog::storeDate() {
    form_.wasteStartDate = DateTimePicker3->date().toString(QStringLiteral("dd/MM/yyyy"));
}

void WasteTaxDialog::BitBtn1Click() {
    storeDate();
    printDocument(this, form_, QStringLiteral("rifiuti"));
}

} // namespace quadrelo
