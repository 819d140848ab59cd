// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "applicant_tax_code.h"

#include "form_binding.h"
#include "taxcode/birth_places.h"
#include "taxcode/tax_code.h"
#include "ui/common/message_windows.h"
#include "ui/common/tax_code_check.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace quadrelo {

namespace {

const QString kSexQuestion = QStringLiteral("Per il codice fiscale: il richiedente è");
const QStringList kSexAnswers = {QStringLiteral("&Maschio"), QStringLiteral("&Femmina"),
                                 QStringLiteral("Annulla")};
enum SexAnswer { Male, Female, Cancel };

// The sex asked as the program asks everything, answered also by the bare M and F keys.
class SexChoice : public ChoiceWindow {
public:
    explicit SexChoice(QWidget* owner) : ChoiceWindow(owner, kSexQuestion, kSexAnswers, Male, Cancel) {
        setWindowTitle(QStringLiteral("Calcola codice fiscale"));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            if (event->key() == Qt::Key_M) return done(100 + Male);
            if (event->key() == Qt::Key_F) return done(100 + Female);
        }
        ChoiceWindow::keyPressEvent(event);
    }
};

int askSex(QWidget* owner) {
    if (MessageWindows::testMode())
        return MessageWindows::choice(owner, kSexQuestion, kSexAnswers, Male, Cancel);
    MessageWindows::recordShown(kSexQuestion);
    SexChoice window(owner);
    return window.choose();
}

QString lineText(FormBinding& b, const char* name) {
    auto* edit = qobject_cast<QLineEdit*>(b.control(QLatin1String(name)));
    return edit ? edit->text() : QString();
}

// What the window shows, which may be ahead of the practice while a field is being typed in.
taxcode::Person applicantShown(FormBinding& b) {
    auto* born = qobject_cast<QDateEdit*>(b.control(QStringLiteral("DateTimePicker3")));
    return {lineText(b, "Edit2"), lineText(b, "Edit1"), born ? born->date() : QDate(), lineText(b, "Edit3"),
            lineText(b, "Edit22")};
}

// The field the missing datum goes in, so the user lands where to type it.
QString fieldOf(const QString& missing) {
    if (missing == QLatin1String("il cognome")) return QStringLiteral("Edit2");
    if (missing == QLatin1String("il nome")) return QStringLiteral("Edit1");
    if (missing == QLatin1String("la data di nascita")) return QStringLiteral("DateTimePicker3");
    return QStringLiteral("Edit3");
}

void computeInto(FormBinding& b, QLineEdit* taxCode) {
    QWidget* window = taxCode->window();
    const taxcode::Person applicant = applicantShown(b);
    const taxcode::Computation probe = taxcode::computeTaxCode(applicant, taxcode::Sex::Male);
    if (probe.code.isEmpty()) {
        MessageWindows::warning(
            window,
            !probe.unknownPlace
                ? QStringLiteral("Impossibile calcolare il codice fiscale: manca %1.").arg(probe.missing)
            : taxcode::isProvinceCode(applicant.birthProvince)
                ? QStringLiteral(
                      "Impossibile calcolare il codice fiscale di chi è nato a \"%1\": luogo di nascita "
                      "sconosciuto in provincia di %2.")
                      .arg(applicant.birthPlace.trimmed(), applicant.birthProvince.trimmed().toUpper())
                : QStringLiteral("Impossibile calcolare il codice fiscale: \"%1\" non è nell'elenco dei "
                                 "comuni e degli stati esteri.")
                      .arg(applicant.birthPlace.trimmed()));
        if (QWidget* field = b.control(fieldOf(probe.missing))) field->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int answer = askSex(window);
    if (answer != Male && answer != Female) return;
    const QString code =
        taxcode::computeTaxCode(applicant, answer == Female ? taxcode::Sex::Female : taxcode::Sex::Male).code;
    const QString written = taxCode->text().trimmed();
    if (!written.isEmpty() && written.compare(code, Qt::CaseInsensitive) != 0 &&
        MessageWindows::question(
            window,
            QStringLiteral("Sostituire il codice fiscale %1 con quello calcolato, %2?").arg(written, code)) !=
            mrOk)
        return;
    // Typed in as the user would, so the practice takes it and Ctrl+Z brings the old one back.
    taxCode->setFocus(Qt::OtherFocusReason);
    taxCode->selectAll();
    taxCode->insert(code);
}

} // namespace

QLayout* applicantTaxCodeRow(FormBinding& binding, QLineEdit* taxCode) {
    watchTaxCodeField(taxCode, [&binding] { return applicantShown(binding); });

    auto* compute = new QPushButton(QStringLiteral("&Calcola"));
    compute->setObjectName(QStringLiteral("CalcolaCodiceFiscale"));
    compute->setToolTip(QStringLiteral("Calcola codice fiscale (Alt+C)"));
    compute->setAccessibleName(QStringLiteral("Calcola codice fiscale"));
    compute->setAutoDefault(false);
    // Clicking it must not leave the field, which would check the code about to be replaced; the
    // keyboard reaches it by Alt+C, and Enter and Tab keep going from field to field.
    compute->setFocusPolicy(Qt::NoFocus);
    QObject::connect(compute, &QPushButton::clicked, taxCode,
                     [&binding, taxCode] { computeInto(binding, taxCode); });

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(taxCode);
    row->addWidget(compute);
    row->addStretch(1);
    return row;
}

} // namespace quadrelo
