// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Oblation rows, the forfait typologies and the carry of the total surface.
#include "class_rows.h"
#include "oblation_rows.h"

#include "practice_form.h"
#include "record/number_text.h"

namespace quadrelo {

namespace {

template <class State> State& at(PracticeForm& form, const BoundControl<State>& control) {
    return form.*control.member;
}

} // namespace

void PracticeForm::recomputeOblationRow(int index) {
    const OblationRow& row = oblationRows().at(static_cast<std::size_t>(index));
    const OblationTotal& destination = oblationTotal(row.residential);
    CaptionState& totalCaption = at(*this, destination.caption);
    double& destinationTotal = this->*destination.value;
    EditState& useful = at(*this, row.usefulInput);
    EditState& second = at(*this, row.secondInput);
    CaptionState* captions[] = {&at(*this, row.typologyCaption), &at(*this, row.totalSurfaceCaption),
                                &at(*this, row.rateCaption), &at(*this, row.amountCaption)};

    this->*row.usefulSurface = 0;
    this->*row.secondSurface = 0;
    for (CaptionState* c : captions)
        c->highlighted = false;
    totalCaption.highlighted = false;

    this->*row.usefulSurface = leggiInput(useful.text);
    this->*row.secondSurface = leggiInput(second.text);

    this->*row.totalSurface = this->*row.usefulSurface + row.secondWeight * (this->*row.secondSurface);
    at(*this, row.totalSurfaceCaption).text = Formatta(this->*row.totalSurface);
    useful.text = Formatta(this->*row.usefulSurface);
    second.text = Formatta(this->*row.secondSurface);

    this->*row.amount = this->*row.totalSurface * (this->*row.rate);
    at(*this, row.amountCaption).text = Formatta(this->*row.amount);

    destinationTotal = 0;
    for (const OblationRow& other : oblationRows())
        if (other.residential == row.residential) destinationTotal += this->*other.amount;
    totalCaption.text = Formatta(destinationTotal);
    if (destinationTotal > 0) totalCaption.highlighted = true;

    if (this->*row.totalSurface > 0)
        for (CaptionState* c : captions)
            c->highlighted = true;
}

void PracticeForm::showOblationCaptions() {
    auto unmark = [this](const BoundControl<CaptionState>& c) { at(*this, c).highlighted = false; };
    auto show = [this](const BoundControl<CaptionState>& c, double value) {
        at(*this, c).text = Formatta(value);
    };
    for (const OblationRow& row : oblationRows()) {
        for (const auto& c :
             {row.typologyCaption, row.totalSurfaceCaption, row.rateCaption, row.amountCaption})
            unmark(c);
        show(row.totalSurfaceCaption, this->*row.totalSurface);
        show(row.amountCaption, this->*row.amount);
    }
    for (const ForfaitRow& row : forfaitRows()) {
        for (const auto& c : {row.typologyCaption, row.rateCaption, row.amountCaption})
            unmark(c);
        show(row.amountCaption, this->*row.amount);
    }
    for (const OblationTotal* total : {&oblationTotal(true), &oblationTotal(false), &forfaitTotal()}) {
        unmark(total->caption);
        show(total->caption, this->*total->value);
    }
}

void PracticeForm::writeOblationRowNumbers() {
    for (const OblationRow& row : oblationRows())
        at(*this, row.typologyCaption).text = QString::number(row.typology);
    for (const ForfaitRow& row : forfaitRows())
        at(*this, row.typologyCaption).text = QString::number(row.typology);
}

static void exitRow(PracticeForm& form, int row) {
    form.recomputeOblationRow(row);
    form.passaggio();
    form.riepilogo();
}

void PracticeForm::Edit40Exit() {
    exitRow(*this, 0);
}
void PracticeForm::Edit42Exit() {
    exitRow(*this, 1);
}
void PracticeForm::Edit44Exit() {
    exitRow(*this, 2);
}
void PracticeForm::Edit46Exit() {
    exitRow(*this, 3);
}
void PracticeForm::Edit48Exit() {
    exitRow(*this, 4);
}
void PracticeForm::Edit50Exit() {
    exitRow(*this, 5);
}

void PracticeForm::passaggio() {
    double total = 0;
    for (const OblationRow& row : oblationRows())
        total += this->*row.totalSurface;
    for (const ClassGroup& group : advanceGroups())
        for (const ClassRow& row : group.rows)
            if (EditState& input = this->*row.input.member; input.enabled) input.text = Formatta(total);
}

} // namespace quadrelo
