// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_dialogs.h"
#include "documents/dialog_defaults.h"

#include "calc/practice_form.h"
#include "document_output.h"
#include "record/errors.h"
#include "ui/common/error_box.h"
#include "ui/common/field_widgets.h"
#include "ui/common/message_windows.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace quadrelo {

namespace {

constexpr int kFieldWidth = 110;
// The long time format is taken as "HH:mm:ss" (two-digit hours, ":" as separator); without its
// last three characters, the separator and the seconds, the hour reads "HH:mm".
QString hourText(const QTime& time) {
    QString text = time.toString(QStringLiteral("HH:mm:ss"));
    text.chop(3);
    return text;
}

bool isEnter(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

OccupationDialog::OccupationDialog(QWidget* owner, PracticeForm& form)
    : DocumentDialog(owner, form, QStringLiteral("Occupazione suolo pubblico")) {
    setObjectName(QStringLiteral("Form11"));
    int labels = 0;
    auto label = [&](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QStringLiteral("Label%1").arg(++labels));
        l->setTextFormat(Qt::PlainText);
        if (buddy) l->setBuddy(buddy);
        return l;
    };
    auto edit = [&](const QString& name, bool digits) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        if (digits) {
            e->setValidator(new EntryValidator(EntryRules{KeyFamily::Digits, false, 0}, e));
            e->setFixedWidth(kFieldWidth);
        }
        return e;
    };
    // Days and hours start as an unconfirmed dialog would store them.
    const OccupationData initial = occupationInitialData();
    auto date = [&](const QString& name, const QString& day) {
        auto* d = new CalendarPicker(this);
        d->setObjectName(name);
        d->setDate(QDate::fromString(day, QStringLiteral("dd/MM/yyyy")));
        d->setFixedWidth(kFieldWidth);
        connect(d, &CalendarPicker::closedUp, this, &OccupationDialog::DateTimePicker1CloseUp);
        return d;
    };
    auto hour = [&](const QString& name, const QString& time) {
        auto* t = new QTimeEdit(QTime::fromString(time, QStringLiteral("HH:mm")), this);
        t->setObjectName(name);
        t->setDisplayFormat(QStringLiteral("HH:mm"));
        t->setFixedWidth(kFieldWidth);
        return t;
    };

    // Created in the order of Tab and Enter.
    Edit4 = edit(QStringLiteral("Edit4"), false);
    Edit5 = edit(QStringLiteral("Edit5"), false);
    Edit1 = edit(QStringLiteral("Edit1"), true);
    Edit2 = edit(QStringLiteral("Edit2"), true);
    Edit3 = edit(QStringLiteral("Edit3"), true);
    DateTimePicker1 = date(QStringLiteral("DateTimePicker1"), initial.firstDay);
    DateTimePicker2 = date(QStringLiteral("DateTimePicker2"), initial.lastDay);
    Edit6 = edit(QStringLiteral("Edit6"), true);
    DateTimePicker3 = hour(QStringLiteral("DateTimePicker3"), initial.startHour);
    DateTimePicker4 = hour(QStringLiteral("DateTimePicker4"), initial.endHour);
    Edit7 = edit(QStringLiteral("Edit7"), false);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(label(QStringLiteral("ubicazione: "), Edit4), 0, 0);
    grid->addWidget(Edit4, 0, 1, 1, 6);
    grid->addWidget(label(QStringLiteral("scopo dell'occupazione:"), Edit5), 1, 0);
    grid->addWidget(Edit5, 1, 1, 1, 6);
    grid->addWidget(label(QStringLiteral("superficie occupata:"), Edit1), 2, 0);
    grid->addWidget(Edit1, 2, 1);
    grid->addWidget(label(QStringLiteral(" m     x"), Edit2), 2, 2);
    grid->addWidget(Edit2, 2, 3);
    grid->addWidget(label(QStringLiteral(" m   ="), Edit3), 2, 4);
    grid->addWidget(Edit3, 2, 5);
    grid->addWidget(label(QStringLiteral(" mq"), nullptr), 2, 6);
    grid->addWidget(label(QStringLiteral("dal"), DateTimePicker1), 3, 0);
    grid->addWidget(DateTimePicker1, 3, 1);
    grid->addWidget(label(QStringLiteral("al "), DateTimePicker2), 3, 2);
    grid->addWidget(DateTimePicker2, 3, 3);
    grid->addWidget(Edit6, 3, 5);
    grid->addWidget(label(QStringLiteral(" giorni"), nullptr), 3, 6);
    grid->addWidget(label(QStringLiteral("dalle ore"), DateTimePicker3), 4, 0);
    grid->addWidget(DateTimePicker3, 4, 1);
    grid->addWidget(label(QStringLiteral("alle ore "), DateTimePicker4), 4, 2);
    grid->addWidget(DateTimePicker4, 4, 3);
    grid->addWidget(label(QStringLiteral("tipologia di occupazione:"), Edit7), 5, 0);
    grid->addWidget(Edit7, 5, 1, 1, 6);
    grid->setColumnStretch(6, 1);
    grid->setColumnMinimumWidth(6, 50);

    finish(grid, QStringLiteral("esci"), mrCancel, false);

    enterOrder_ = {Edit4,           Edit5, Edit1,           Edit2,           Edit3, DateTimePicker1,
                   DateTimePicker2, Edit6, DateTimePicker3, DateTimePicker4, Edit7, BitBtn1};
    for (qsizetype i = 0; i + 1 < enterOrder_.size(); ++i)
        setTabOrder(enterOrder_[i], enterOrder_[i + 1]);
    setTabOrder(BitBtn1, BitBtn2);
    for (QWidget* w : enterOrder_)
        w->installEventFilter(this);
    BitBtn2->installEventFilter(this);
    Edit4->setFocus();
}

void OccupationDialog::run(QWidget* owner, PracticeForm& form) {
    OccupationDialog dialog(owner, form);
    dialog.exec();
}

bool OccupationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        // No default button here: Enter presses only the button that has the focus.
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        const qsizetype at = enterOrder_.indexOf(static_cast<QWidget*>(watched));
        if (at >= 0 && at + 1 < enterOrder_.size()) enterOrder_[at + 1]->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // A message box or the calendar taking the focus is no leaving of the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == Edit1 || watched == Edit2) guarded(this, [this] { Edit1Exit(); });
            if (watched == DateTimePicker1 || watched == DateTimePicker2) DateTimePicker1CloseUp();
        }
    }
    return DocumentDialog::eventFilter(watched, event);
}

void OccupationDialog::Edit1Exit() {
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty()) return;
    Edit3->setText(occupationArea(Edit1->text(), Edit2->text()));
}

void OccupationDialog::DateTimePicker1CloseUp() {
    Edit6->setText(occupationDays(DateTimePicker1->date(), DateTimePicker2->date()));
}

void OccupationDialog::BitBtn1Click() {
    const QString dateFormat = QStringLiteral("dd/MM/yyyy");
    form_.occupationData = {.location = Edit4->text(),
                            .purpose = Edit5->text(),
                            .firstSide = Edit1->text(),
                            .secondSide = Edit2->text(),
                            .area = Edit3->text(),
                            .firstDay = DateTimePicker1->date().toString(dateFormat),
                            .lastDay = DateTimePicker2->date().toString(dateFormat),
                            .days = Edit6->text(),
                            .startHour = hourText(DateTimePicker3->time()),
                            .endHour = hourText(DateTimePicker4->time()),
                            .kind = Edit7->text()};
    printDocument(this, form_, QStringLiteral("occupazione"));
}

} // namespace quadrelo
