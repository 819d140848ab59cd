// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// State-owned land: indemnity for the years of occupation and value of the area, by zone
// (Tabelle A and B) and municipality class.
#include "practice_form.h"
#include "record/number_text.h"

namespace quadrelo {

namespace {

using P = PracticeForm;

struct LandRow {
    EditState P::*input;
    double P::*surface;
    double P::*unitValue;
    double P::*amount;
    CaptionState P::*row;
    CaptionState P::*unitCaption;
    CaptionState P::*amountCaption;
};

const LandRow indemnityRows[4] = {
    {&P::Edit25, &P::occupiedSurface1, &P::indemnityUnitValue1, &P::indemnityAmount1, &P::Label152,
     &P::Label156, &P::Label157},
    {&P::Edit26, &P::occupiedSurface2, &P::indemnityUnitValue2, &P::indemnityAmount2, &P::Label158,
     &P::Label159, &P::Label160},
    {&P::Edit27, &P::occupiedSurface3, &P::indemnityUnitValue3, &P::indemnityAmount3, &P::Label161,
     &P::Label162, &P::Label163},
    {&P::Edit28, &P::occupiedSurface4, &P::indemnityUnitValue4, &P::indemnityAmount4, &P::Label166,
     &P::Label167, &P::Label168},
};

const LandRow areaRows[4] = {
    {&P::Edit29, &P::areaSurface1, &P::areaUnitValue1, &P::areaValue1, &P::Label170, &P::Label174,
     &P::Label175},
    {&P::Edit30, &P::areaSurface2, &P::areaUnitValue2, &P::areaValue2, &P::Label176, &P::Label177,
     &P::Label178},
    {&P::Edit31, &P::areaSurface3, &P::areaUnitValue3, &P::areaValue3, &P::Label179, &P::Label180,
     &P::Label181},
    {&P::Edit32, &P::areaSurface4, &P::areaUnitValue4, &P::areaValue4, &P::Label184, &P::Label185,
     &P::Label186},
};

void readGroup(PracticeForm& form, const LandRow (&group)[4], CaptionState& totalCaption) {
    for (const LandRow& r : group) {
        if (inputVuoto((form.*r.input).text)) continue;
        form.*r.surface = leggiInput((form.*r.input).text);
        if (form.*r.surface > 0) {
            for (auto c : {r.row, r.unitCaption, r.amountCaption})
                (form.*c).highlighted = true;
            totalCaption.highlighted = true;
        }
    }
}

} // namespace

void PracticeForm::Indennizza() {
    const int z = ComboBox4.itemIndex;
    if (z >= 0 && z <= 5) {
        for (int k = 0; k < 4; ++k) {
            const int index = z <= 3 ? 4 * z + k : (z == 4 ? 16 : 17);
            this->*indemnityRows[k].unitValue = tableA[index];
            this->*areaRows[k].unitValue = tableB[index];
        }
    }
    for (const auto* group : {indemnityRows, areaRows})
        for (int k = 0; k < 4; ++k)
            (this->*group[k].unitCaption).text = Formatta(this->*group[k].unitValue);
}

void PracticeForm::Edit25Exit() {
    azzera_demanio();
    readGroup(*this, indemnityRows, Label164);
    readGroup(*this, areaRows, Label182);
    aggiorna_demanio();
}

void PracticeForm::Edit33Exit() {
    limitaDurata();
    aggiorna_demanio();
}

void PracticeForm::limitaDurata() {
    if (Edit33.text.isEmpty()) return;
    // Read as the indemnity reads it, so that a file's "2,5" counts the years it names; only
    // a text that is no number stops here.
    if (Leggimi(Edit33.text) > 5) Edit33.text = QStringLiteral("5");
    // No fewer than one year is counted; a file can hold what the keys never let in.
    if (Leggimi(Edit33.text) < 1) Edit33.text.clear();
}

void PracticeForm::aggiorna_demanio() {
    occupationYears = 0;
    for (const auto* group : {indemnityRows, areaRows})
        for (int k = 0; k < 4; ++k)
            (this->*group[k].input).text = Formatta(this->*group[k].surface);
    if (!Edit33.text.isEmpty()) occupationYears = Leggimi(Edit33.text);

    indemnityTotal = 0;
    for (const LandRow& r : indemnityRows) {
        this->*r.amount = this->*r.surface * (this->*r.unitValue) * occupationYears;
        indemnityTotal += this->*r.amount;
    }
    areaValueTotal = 0;
    for (const LandRow& r : areaRows) {
        this->*r.amount = this->*r.surface * (this->*r.unitValue);
        areaValueTotal += this->*r.amount;
    }
    for (const auto* group : {indemnityRows, areaRows})
        for (int k = 0; k < 4; ++k)
            (this->*group[k].amountCaption).text = Formatta(this->*group[k].amount);
    Label164.text = Formatta(indemnityTotal);
    Label182.text = Formatta(areaValueTotal);
}

void PracticeForm::azzera_demanio() {
    // The figures go to zero with their captions, so no document prints an indemnity the
    // screen no longer shows.
    for (const auto* group : {indemnityRows, areaRows})
        for (int k = 0; k < 4; ++k) {
            const LandRow& r = group[k];
            this->*r.surface = 0;
            this->*r.amount = 0;
            (this->*r.amountCaption).text = QStringLiteral("0,00");
            for (auto c : {r.row, r.unitCaption, r.amountCaption})
                (this->*c).highlighted = false;
        }
    indemnityTotal = areaValueTotal = 0;
    Label164.text = Label182.text = QStringLiteral("0,00");
    Label164.highlighted = Label182.highlighted = false;
}

} // namespace quadrelo
