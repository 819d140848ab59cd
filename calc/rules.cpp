// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// What a choice of typology, destination, municipality class, kind of works or zone opens
// and resets.
#include "oblation_rows.h"

#include "practice_form.h"
#include "record/number_text.h"

namespace quadrelo {

void PracticeForm::RadioButton1Click() {
    const bool nonResidential = RadioButton9.checked;
    Label18.enabled = nonResidential;
    Edit16.enabled = nonResidential;

    for (const OblationRow& row : oblationRows())
        for (double PracticeRecord::*v : {row.usefulSurface, row.secondSurface, row.totalSurface, row.amount})
            this->*v = 0;
    resOblationTotal = nonResOblationTotal = 0;
    resetAdvanceFigures();

    const QString zero = QStringLiteral("0,00");
    for (const OblationRow& row : oblationRows()) {
        for (const BoundControl<EditState>& input : {row.usefulInput, row.secondInput}) {
            (this->*input.member).text = zero;
            (this->*input.member).enabled = false;
        }
        for (const BoundControl<CaptionState>& c : {row.totalSurfaceCaption, row.amountCaption})
            (this->*c.member).text = zero;
        for (const BoundControl<CaptionState>& c :
             {row.typologyCaption, row.totalSurfaceCaption, row.rateCaption, row.amountCaption})
            (this->*c.member).highlighted = false;
    }
    for (const bool residential : {true, false}) {
        CaptionState& total = this->*oblationTotal(residential).caption.member;
        total.text = zero;
        total.highlighted = false;
    }

    const int t = typology();
    for (const OblationRow& row : oblationRows())
        if (row.typology == t && row.residential != nonResidential) {
            (this->*row.usefulInput.member).enabled = true;
            (this->*row.secondInput.member).enabled = true;
        }

    // Forfait update, with the arrangement of the advance and state-land inputs inside it.
    for (const ForfaitRow& row : forfaitRows()) {
        this->*row.amount = 0;
        for (const BoundControl<CaptionState>& c : {row.typologyCaption, row.rateCaption, row.amountCaption})
            (this->*c.member).highlighted = false;
    }
    CaptionState& forfaitCaption = this->*forfaitTotal().caption.member;
    forfaitCaption.highlighted = false;
    SistemaOneri();
    flatOblationTotal = 0;
    for (const ForfaitRow& row : forfaitRows()) {
        if (row.typology == t) {
            for (const BoundControl<CaptionState>& c :
                 {row.typologyCaption, row.rateCaption, row.amountCaption})
                (this->*c.member).highlighted = true;
            this->*row.amount = this->*row.rate;
        }
        (this->*row.amountCaption.member).text = Formatta(this->*row.amount);
        flatOblationTotal += this->*row.amount;
    }
    forfaitCaption.text = Formatta(flatOblationTotal);
    if (flatOblationTotal > 0) forfaitCaption.highlighted = true;

    riepilogo();
    azzera_demanio();
}

void PracticeForm::RadioButton12Click() {
    SistemaOneri();
    azzera_demanio();
    // The newly opened advance input takes the total surface at once, so that the payment
    // summary never shows the advance of a class no longer chosen.
    passaggio();
    Edit60Exit();
}

void PracticeForm::ComboBox4CloseUp() {
    Indennizza();
    aggiorna_demanio();
}

} // namespace quadrelo
