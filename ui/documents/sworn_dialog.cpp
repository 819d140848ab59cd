// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_dialogs.h"
#include "documents/dialog_defaults.h"

#include "calc/practice_form.h"
#include "document_output.h"
#include "ui/common/field_widgets.h"
#include "ui/common/message_windows.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace quadrelo {

SwornAppraisalDialog::SwornAppraisalDialog(QWidget* owner, PracticeForm& form)
    : DocumentDialog(owner, form, QStringLiteral("Perizia giurata")) {
    setObjectName(QStringLiteral("Form16"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const EntryRules upper{KeyFamily::Ordinary, true, 0};
    auto field = [&](int row, const QString& name, const QString& caption) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setValidator(new EntryValidator(upper, edit));
        edit->setMinimumWidth(280);
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    Edit1 = field(0, QStringLiteral("Edit1"), QStringLiteral("Tribunale di: "));
    Edit2 = field(1, QStringLiteral("Edit2"), QStringLiteral("Sezione distaccata di:"));
    finish(grid, QStringLiteral("esci"), mrCancel, true);
    Edit1->setFocus();
}

void SwornAppraisalDialog::run(QWidget* owner, PracticeForm& form) {
    SwornAppraisalDialog dialog(owner, form);
    dialog.exec();
}

void SwornAppraisalDialog::BitBtn1Click() {
    if (setSwornAppraisalCourt(form_, Edit1->text(), Edit2->text()))
        printDocument(this, form_, QStringLiteral("giurata"));
}

} // namespace quadrelo
