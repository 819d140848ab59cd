// Oblation rows, the forfait typologies and the carry of the total surface.
#include "record/number_text.h"
#include "record/practice_form.h"

namespace quadrelo {

namespace {

using P = PracticeForm;

struct OblationRow {
    EditState P::*useful;
    EditState P::*second;
    double P::*usefulValue;
    double P::*secondValue;
    double P::*total;
    double P::*amount;
    double P::*measure;
    double k;                     // weight of the second surface
    CaptionState P::*captions[4]; // row number, total surface, measure, amount
    bool residential;
};

const OblationRow rows[6] = {
    {&P::Edit40,
     &P::Edit41,
     &P::resUsefulSurface1,
     &P::resNonResSurface1,
     &P::resTotalSurface1,
     &P::resOblation1,
     &P::oblationRateResidential1,
     0.6,
     {&P::Label30, &P::Label34, &P::Label35, &P::Label36},
     true},
    {&P::Edit42,
     &P::Edit43,
     &P::resUsefulSurface2,
     &P::resNonResSurface2,
     &P::resTotalSurface2,
     &P::resOblation2,
     &P::oblationRateResidential2,
     0.6,
     {&P::Label37, &P::Label38, &P::Label39, &P::Label40},
     true},
    {&P::Edit44,
     &P::Edit45,
     &P::resUsefulSurface3,
     &P::resNonResSurface3,
     &P::resTotalSurface3,
     &P::resOblation3,
     &P::oblationRateResidential3,
     0.6,
     {&P::Label41, &P::Label42, &P::Label43, &P::Label44},
     true},
    {&P::Edit46,
     &P::Edit47,
     &P::nonResUsefulSurface1,
     &P::nonResAppurtenanceSurface1,
     &P::nonResTotalSurface1,
     &P::nonResOblation1,
     &P::oblationRateNonResidential1,
     1.0,
     {&P::Label48, &P::Label52, &P::Label53, &P::Label54},
     false},
    {&P::Edit48,
     &P::Edit49,
     &P::nonResUsefulSurface2,
     &P::nonResAppurtenanceSurface2,
     &P::nonResTotalSurface2,
     &P::nonResOblation2,
     &P::oblationRateNonResidential2,
     1.0,
     {&P::Label55, &P::Label56, &P::Label57, &P::Label58},
     false},
    {&P::Edit50,
     &P::Edit51,
     &P::nonResUsefulSurface3,
     &P::nonResAppurtenanceSurface3,
     &P::nonResTotalSurface3,
     &P::nonResOblation3,
     &P::oblationRateNonResidential3,
     0.6,
     {&P::Label59, &P::Label60, &P::Label61, &P::Label62},
     false},
};

} // namespace

void PracticeForm::recomputeOblationRow(int index) {
    const OblationRow& row = rows[index];
    CaptionState& totalCaption = row.residential ? Label63 : Label66;
    double& destinationTotal = row.residential ? resOblationTotal : nonResOblationTotal;

    this->*row.usefulValue = 0;
    this->*row.secondValue = 0;
    for (auto c : row.captions)
        (this->*c).highlighted = false;
    totalCaption.highlighted = false;

    this->*row.usefulValue = leggiInput((this->*row.useful).text);
    this->*row.secondValue = leggiInput((this->*row.second).text);

    this->*row.total = this->*row.usefulValue + row.k * (this->*row.secondValue);
    (this->*row.captions[1]).text = Formatta(this->*row.total);
    (this->*row.useful).text = Formatta(this->*row.usefulValue);
    (this->*row.second).text = Formatta(this->*row.secondValue);

    this->*row.amount = this->*row.total * (this->*row.measure);
    (this->*row.captions[3]).text = Formatta(this->*row.amount);

    const int first = row.residential ? 0 : 3;
    destinationTotal =
        this->*rows[first].amount + this->*rows[first + 1].amount + this->*rows[first + 2].amount;
    totalCaption.text = Formatta(destinationTotal);
    if (destinationTotal > 0) totalCaption.highlighted = true;

    if (this->*row.total > 0)
        for (auto c : row.captions)
            (this->*c).highlighted = true;
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
    const double total = resTotalSurface1 + resTotalSurface2 + resTotalSurface3 + nonResTotalSurface1 +
                         nonResTotalSurface2 + nonResTotalSurface3;
    for (EditState* input : {&Edit60, &Edit61, &Edit62, &Edit63, &Edit64, &Edit65, &Edit66, &Edit67})
        if (input->enabled) input->text = Formatta(total);
}

} // namespace quadrelo
