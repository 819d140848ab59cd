// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Payment summary: 30 % with the application, never below the minimum nor above the total,
// the rest in two equal instalments.
#include "practice_form.h"
#include "record/number_text.h"

namespace quadrelo {

namespace {

struct Plan {
    double firstShare; // 30 % of the total
    double first;      // paid with the application
    double remaining;
};

Plan plan(double total, double minimum) {
    Plan p;
    p.firstShare = total * 30 / 100;
    p.first = p.firstShare;
    if (total < minimum)
        p.first = total;
    else if (p.first < minimum)
        p.first = minimum;
    p.remaining = total - p.first;
    return p;
}

} // namespace

void PracticeForm::riepilogo() {
    const QString zero = QStringLiteral("0,00");

    for (CaptionState* c : {&Label125, &Label129, &Label126, &Label134, &Label132, &Label137})
        c->text = zero;
    oblationInstalment = 0;
    const double oblationTotal = resOblationTotal + nonResOblationTotal;
    Label125.text = Formatta(oblationTotal);
    const Plan oblation = plan(oblationTotal, 1700);
    oblationFirstPayment = oblation.firstShare;
    Label129.text = Formatta(oblationFirstPayment);
    oblationFirstPayment = oblation.first;
    Label126.text = Formatta(oblationFirstPayment);
    if (oblation.remaining > 0) {
        Label134.text = Formatta(oblation.remaining);
        oblationInstalment = oblation.remaining / 2;
        Label132.text = Formatta(oblationInstalment);
        Label137.text = Formatta(oblationInstalment);
    }
    // The forfait typologies pay their fixed sum whole with the application: the amount the
    // oblation tab shows, taken from Tabella C.
    if (typology() >= 4) Label125.text = Label126.text = Formatta(flatOblationTotal);

    for (CaptionState* c : {&Label138, &Label139, &Label142, &Label145, &Label147, &Label150})
        c->text = zero;
    advanceInstalment = 0;
    advanceTotalDue = advanceTotalNew + advanceTotalRestructuring;
    Label138.text = Formatta(advanceTotalDue);
    const Plan advance = plan(advanceTotalDue, 500);
    advanceFirstPayment = advance.firstShare;
    Label142.text = Formatta(advanceFirstPayment);
    advanceFirstPayment = advance.first;
    Label139.text = Formatta(advanceFirstPayment);
    if (advance.remaining > 0) {
        Label147.text = Formatta(advance.remaining);
        advanceInstalment = advance.remaining / 2;
        Label145.text = Formatta(advanceInstalment);
        Label150.text = Formatta(advanceInstalment);
    }
}

} // namespace quadrelo
