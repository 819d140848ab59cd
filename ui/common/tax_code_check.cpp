// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "tax_code_check.h"

#include "calc/practice_form.h"
#include "message_windows.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace quadrelo {

namespace {

QString textOf(PracticeForm& form, const char* edit) {
    const EditState* state = form.edit(QLatin1String(edit));
    return state ? state->text : QString();
}

QString warningText(const QString& code, const taxcode::Person& holder) {
    QStringList sentences = taxcode::faultMessages(taxcode::checkTaxCode(code, holder));
    // A warning is a sentence, and ends as one.
    for (QString& s : sentences)
        if (!s.endsWith(QLatin1Char('.'))) s += QLatin1Char('.');
    return sentences.join(QLatin1Char('\n'));
}

class TaxCodeWatch : public QObject {
public:
    TaxCodeWatch(QLineEdit* field, std::function<taxcode::Person()> holder)
        : QObject(field), field_(field), holder_(std::move(holder)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == field_ && event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // After the field's own handling of the leave, and outside the focus change.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                QTimer::singleShot(0, field_, [this] { check(); });
        }
        return false;
    }

private:
    void check() {
        const QString code = field_->text();
        const QString warning = warningText(code, holder_());
        const QString outcome = code + QLatin1Char('\t') + warning;
        if (warning.isEmpty() || outcome == lastWarned_) return;
        lastWarned_ = outcome;
        MessageWindows::warning(field_->window(), warning);
    }

    QLineEdit* field_;
    std::function<taxcode::Person()> holder_;
    QString lastWarned_;
};

} // namespace

taxcode::Person applicantOf(PracticeForm& form) {
    const DateState* born = form.datePicker(QStringLiteral("DateTimePicker3"));
    return {textOf(form, "Edit2"), textOf(form, "Edit1"), born ? born->date : QDate(), textOf(form, "Edit3"),
            textOf(form, "Edit22")};
}

bool warnAboutTaxCode(QWidget* owner, const QString& code, const taxcode::Person& holder) {
    const QString warning = warningText(code, holder);
    if (warning.isEmpty()) return false;
    MessageWindows::warning(owner, warning);
    return true;
}

void warnAboutApplicantTaxCodeWhenShown(QWidget* owner, PracticeForm& form) {
    QTimer::singleShot(0, owner,
                       [owner, &form] { warnAboutTaxCode(owner, textOf(form, "Edit5"), applicantOf(form)); });
}

void watchTaxCodeField(QLineEdit* field, std::function<taxcode::Person()> holder) {
    new TaxCodeWatch(field, std::move(holder));
}

} // namespace quadrelo
