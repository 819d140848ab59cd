// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// State-owned land: indemnity for the years of occupation and value of the area, by zone
// (Tabelle A and B) and municipality class.
#include "class_rows.h"

#include "record/number_text.h"

namespace quadrelo {

namespace {

void readGroup(PracticeForm& form, const ClassGroup& group) {
    for (const ClassRow& r : group.rows) {
        const EditState& input = form.*r.input.member;
        if (inputVuoto(input.text)) continue;
        form.*r.surface = leggiInput(input.text);
        if (form.*r.surface > 0) {
            for (const auto& c : {r.classCaption, r.unitCaption, r.amountCaption})
                (form.*c.member).highlighted = true;
            (form.*group.totalCaption.member).highlighted = true;
        }
    }
}

} // namespace

void PracticeForm::Indennizza() {
    const int z = ComboBox4.itemIndex;
    if (z >= 0 && z <= 5) {
        for (int k = 0; k < 4; ++k) {
            const int index = z <= 3 ? 4 * z + k : (z == 4 ? 16 : 17);
            for (const LandGroup& group : stateLandGroups())
                this->*group.rows[static_cast<std::size_t>(k)].unitValue = (this->*group.zoneTable)[index];
        }
    }
    for (const LandGroup& group : stateLandGroups())
        for (const ClassRow& r : group.rows)
            (this->*r.unitCaption.member).text = Formatta(this->*r.unitValue);
}

void PracticeForm::Edit25Exit() {
    azzera_demanio();
    for (const LandGroup& group : stateLandGroups())
        readGroup(*this, group);
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
    for (const LandGroup& group : stateLandGroups())
        for (const ClassRow& r : group.rows)
            (this->*r.input.member).text = Formatta(this->*r.surface);
    if (!Edit33.text.isEmpty()) occupationYears = Leggimi(Edit33.text);

    for (const LandGroup& group : stateLandGroups()) {
        double& total = this->*group.total;
        total = 0;
        for (const ClassRow& r : group.rows) {
            if (group.perYear)
                this->*r.amount = this->*r.surface * (this->*r.unitValue) * occupationYears;
            else
                this->*r.amount = this->*r.surface * (this->*r.unitValue);
            total += this->*r.amount;
        }
    }
    for (const LandGroup& group : stateLandGroups()) {
        for (const ClassRow& r : group.rows)
            (this->*r.amountCaption.member).text = Formatta(this->*r.amount);
        (this->*group.totalCaption.member).text = Formatta(this->*group.total);
    }
}

void PracticeForm::azzera_demanio() {
    // The figures go to zero with their captions, so no document prints an indemnity the
    // screen no longer shows.
    for (const LandGroup& group : stateLandGroups()) {
        for (const ClassRow& r : group.rows) {
            this->*r.surface = 0;
            this->*r.amount = 0;
            (this->*r.amountCaption.member).text = QStringLiteral("0,00");
            for (const auto& c : {r.classCaption, r.unitCaption, r.amountCaption})
                (this->*c.member).highlighted = false;
        }
        this->*group.total = 0;
        CaptionState& total = this->*group.totalCaption.member;
        total.text = QStringLiteral("0,00");
        total.highlighted = false;
    }
}

} // namespace quadrelo
