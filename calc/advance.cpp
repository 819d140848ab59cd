// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Advance on concession charges: one open input, for the municipality class and the kind
// of works, times its Tabella D rate.
#include "practice_form.h"
#include "record/number_text.h"

namespace quadrelo {

namespace {

using P = PracticeForm;

struct AdvanceRow {
    EditState P::*input;
    double P::*surface;
    double P::*amount;
    double P::*rate;
    CaptionState P::*row;
    CaptionState P::*rateCaption;
    CaptionState P::*amountCaption;
};

const AdvanceRow newRows[4] = {
    {&P::Edit60, &P::advanceSurfaceNew1, &P::advanceAmountNew1, &P::advanceRateNew1, &P::Label82, &P::Label90,
     &P::Label91},
    {&P::Edit61, &P::advanceSurfaceNew2, &P::advanceAmountNew2, &P::advanceRateNew2, &P::Label92, &P::Label94,
     &P::Label95},
    {&P::Edit62, &P::advanceSurfaceNew3, &P::advanceAmountNew3, &P::advanceRateNew3, &P::Label96, &P::Label98,
     &P::Label99},
    {&P::Edit63, &P::advanceSurfaceNew4, &P::advanceAmountNew4, &P::advanceRateNew4, &P::Label103,
     &P::Label105, &P::Label106},
};

const AdvanceRow restructuringRows[4] = {
    {&P::Edit64, &P::advanceSurfaceRestructuring1, &P::advanceAmountRestructuring1,
     &P::advanceRateRestructuring1, &P::Label79, &P::Label104, &P::Label107},
    {&P::Edit65, &P::advanceSurfaceRestructuring2, &P::advanceAmountRestructuring2,
     &P::advanceRateRestructuring2, &P::Label108, &P::Label109, &P::Label110},
    {&P::Edit66, &P::advanceSurfaceRestructuring3, &P::advanceAmountRestructuring3,
     &P::advanceRateRestructuring3, &P::Label111, &P::Label112, &P::Label113},
    {&P::Edit67, &P::advanceSurfaceRestructuring4, &P::advanceAmountRestructuring4,
     &P::advanceRateRestructuring4, &P::Label116, &P::Label117, &P::Label118},
};

void paintAdvanceWhite(PracticeForm& form) {
    for (const auto* group : {newRows, restructuringRows})
        for (int k = 0; k < 4; ++k)
            for (auto c : {group[k].row, group[k].rateCaption, group[k].amountCaption})
                (form.*c).highlighted = false;
    form.Label100.highlighted = false;
    form.Label114.highlighted = false;
}

// Reads the group's four inputs, writes them back and returns the group's total.
double recomputeGroup(PracticeForm& form, const AdvanceRow (&group)[4], CaptionState& totalCaption) {
    for (const AdvanceRow& r : group) {
        if (inputVuoto((form.*r.input).text)) continue;
        form.*r.surface = leggiInput((form.*r.input).text);
        if (form.*r.surface > 0) {
            for (auto c : {r.row, r.rateCaption, r.amountCaption})
                (form.*c).highlighted = true;
            totalCaption.highlighted = true;
        }
    }
    for (const AdvanceRow& r : group)
        (form.*r.input).text = Formatta(form.*r.surface);
    double total = 0;
    for (const AdvanceRow& r : group) {
        form.*r.amount = form.*r.surface * (form.*r.rate);
        (form.*r.amountCaption).text = Formatta(form.*r.amount);
        total += form.*r.amount;
    }
    return total;
}

} // namespace

void PracticeForm::SistemaOneri() {
    EditState* inputs[] = {&Edit25, &Edit26, &Edit27, &Edit28, &Edit29, &Edit30, &Edit31, &Edit32,
                           &Edit60, &Edit61, &Edit62, &Edit63, &Edit64, &Edit65, &Edit66, &Edit67};
    for (EditState* input : inputs) {
        input->text = QStringLiteral("0,00");
        input->enabled = false;
    }
    paintAdvanceWhite(*this);

    const int t = typology();
    const int k = municipalityClass();
    if (t < 1 || t > 3 || k == 0) return;
    inputs[k - 1]->enabled = true;     // occupied surface
    inputs[4 + k - 1]->enabled = true; // area surface
    inputs[(RadioButton16.checked ? 8 : 12) + k - 1]->enabled = true;
}

void PracticeForm::Edit60Exit() {
    for (const auto* group : {newRows, restructuringRows})
        for (int k = 0; k < 4; ++k)
            this->*group[k].surface = this->*group[k].amount = 0;
    paintAdvanceWhite(*this);

    advanceTotalNew = recomputeGroup(*this, newRows, Label100);
    Label100.text = Formatta(advanceTotalNew);
    advanceTotalRestructuring = recomputeGroup(*this, restructuringRows, Label114);
    Label114.text = Formatta(advanceTotalRestructuring);
    riepilogo();
}

void PracticeForm::resetAdvanceFigures() {
    for (const auto* group : {newRows, restructuringRows})
        for (int k = 0; k < 4; ++k) {
            this->*group[k].surface = this->*group[k].amount = 0;
            (this->*group[k].amountCaption).text = QStringLiteral("0,00");
        }
    advanceTotalNew = advanceTotalRestructuring = 0;
    Label100.text = Label114.text = QStringLiteral("0,00");
}

void PracticeForm::showAdvanceCaptions() {
    paintAdvanceWhite(*this);
    for (const auto* group : {newRows, restructuringRows})
        for (int k = 0; k < 4; ++k)
            (this->*group[k].amountCaption).text = Formatta(this->*group[k].amount);
    Label100.text = Formatta(advanceTotalNew);
    Label114.text = Formatta(advanceTotalRestructuring);
}

void PracticeForm::recomputeNewAdvanceAtStart() {
    if (!inputVuoto(Edit60.text)) advanceSurfaceNew1 = leggiInput(Edit60.text);
    if (advanceSurfaceNew1 > 0)
        for (CaptionState* c : {&Label82, &Label90, &Label91, &Label100})
            c->highlighted = true;
    advanceTotalNew = 0;
    for (const AdvanceRow& r : newRows) {
        (this->*r.input).text = Formatta(this->*r.surface);
        this->*r.amount = this->*r.surface * (this->*r.rate);
        (this->*r.amountCaption).text = Formatta(this->*r.amount);
        advanceTotalNew += this->*r.amount;
    }
    Label100.text = Formatta(advanceTotalNew);
}

} // namespace quadrelo
