// What a choice of typology, destination, municipality class, kind of works or zone opens
// and resets.
#include "record/number_text.h"
#include "record/practice_form.h"

namespace quadrelo {

void PracticeForm::RadioButton1Click() {
    const bool nonResidential = RadioButton9.checked;
    Label18.enabled = nonResidential;
    Edit16.enabled = nonResidential;

    for (double* v : {&resUsefulSurface1,
                      &resUsefulSurface2,
                      &resUsefulSurface3,
                      &resNonResSurface1,
                      &resNonResSurface2,
                      &resNonResSurface3,
                      &resTotalSurface1,
                      &resTotalSurface2,
                      &resTotalSurface3,
                      &resOblation1,
                      &resOblation2,
                      &resOblation3,
                      &resOblationTotal,
                      &nonResUsefulSurface1,
                      &nonResUsefulSurface2,
                      &nonResUsefulSurface3,
                      &nonResAppurtenanceSurface1,
                      &nonResAppurtenanceSurface2,
                      &nonResAppurtenanceSurface3,
                      &nonResTotalSurface1,
                      &nonResTotalSurface2,
                      &nonResTotalSurface3,
                      &nonResOblation1,
                      &nonResOblation2,
                      &nonResOblation3,
                      &nonResOblationTotal,
                      &advanceSurfaceNew1,
                      &advanceSurfaceNew2,
                      &advanceSurfaceNew3,
                      &advanceSurfaceNew4,
                      &advanceSurfaceRestructuring1,
                      &advanceSurfaceRestructuring2,
                      &advanceSurfaceRestructuring3,
                      &advanceSurfaceRestructuring4,
                      &advanceAmountNew1,
                      &advanceAmountNew2,
                      &advanceAmountNew3,
                      &advanceAmountNew4,
                      &advanceAmountRestructuring1,
                      &advanceAmountRestructuring2,
                      &advanceAmountRestructuring3,
                      &advanceAmountRestructuring4,
                      &advanceTotalNew,
                      &advanceTotalRestructuring})
        *v = 0;

    EditState* inputs[12] = {&Edit40, &Edit41, &Edit42, &Edit43, &Edit44, &Edit45,
                             &Edit46, &Edit47, &Edit48, &Edit49, &Edit50, &Edit51};
    for (EditState* input : inputs) {
        input->text = QStringLiteral("0,00");
        input->enabled = false;
    }

    const QString zero = QStringLiteral("0,00");
    for (CaptionState* c :
         {&Label34, &Label36,  &Label38,  &Label40,  &Label42,  &Label44,  &Label52,  &Label54,
          &Label56, &Label58,  &Label60,  &Label62,  &Label63,  &Label66,  &Label91,  &Label95,
          &Label99, &Label106, &Label100, &Label107, &Label110, &Label113, &Label118, &Label114})
        c->text = zero;
    for (CaptionState* c :
         {&Label30, &Label34, &Label35, &Label36, &Label37, &Label38, &Label39, &Label40, &Label41,
          &Label42, &Label43, &Label44, &Label48, &Label52, &Label53, &Label54, &Label55, &Label56,
          &Label57, &Label58, &Label59, &Label60, &Label61, &Label62, &Label63, &Label66})
        c->highlighted = false;

    const int t = typology();
    if (t >= 1 && t <= 3) {
        const int first = 2 * (t - 1) + (nonResidential ? 6 : 0);
        inputs[first]->enabled = true;
        inputs[first + 1]->enabled = true;
    }

    // Forfait update, with the arrangement of the advance and state-land inputs inside it.
    flatOblation4 = flatOblation5 = flatOblation6 = 0;
    for (CaptionState* c :
         {&Label70, &Label76, &Label71, &Label77, &Label80, &Label72, &Label81, &Label84, &Label74, &Label86})
        c->highlighted = false;
    SistemaOneri();
    struct Forfait {
        int typology;
        double* amount;
        double rate;
        CaptionState* captions[3];
    };
    const Forfait forfaits[] = {{4, &flatOblation4, oblationFixed4, {&Label70, &Label76, &Label71}},
                                {5, &flatOblation5, oblationFixed5, {&Label77, &Label80, &Label72}},
                                {6, &flatOblation6, oblationFixed6, {&Label81, &Label84, &Label74}}};
    for (const Forfait& f : forfaits) {
        if (f.typology != t) continue;
        for (CaptionState* c : f.captions)
            c->highlighted = true;
        *f.amount = f.rate;
    }
    Label71.text = Formatta(flatOblation4);
    Label72.text = Formatta(flatOblation5);
    Label74.text = Formatta(flatOblation6);
    flatOblationTotal = flatOblation4 + flatOblation5 + flatOblation6;
    Label86.text = Formatta(flatOblationTotal);
    if (flatOblationTotal > 0) Label86.highlighted = true;

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
