// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Advance on concession charges: one open input, for the municipality class and the kind
// of works, times its Tabella D rate.
#include "class_rows.h"

#include "record/number_text.h"

namespace quadrelo {

namespace {

const ClassGroup& newGroup() {
    return advanceGroups()[0];
}

void paintAdvanceWhite(PracticeForm& form) {
    for (const ClassGroup& group : advanceGroups()) {
        for (const ClassRow& r : group.rows)
            for (const auto& c : {r.classCaption, r.unitCaption, r.amountCaption})
                (form.*c.member).highlighted = false;
        (form.*group.totalCaption.member).highlighted = false;
    }
}

// Reads the group's four inputs, writes them back and returns the group's total.
double recomputeGroup(PracticeForm& form, const ClassGroup& group) {
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
    for (const ClassRow& r : group.rows)
        (form.*r.input.member).text = Formatta(form.*r.surface);
    double total = 0;
    for (const ClassRow& r : group.rows) {
        form.*r.amount = form.*r.surface * (form.*r.unitValue);
        (form.*r.amountCaption.member).text = Formatta(form.*r.amount);
        total += form.*r.amount;
    }
    return total;
}

} // namespace

void PracticeForm::SistemaOneri() {
    auto closeInputs = [this](const ClassGroup& group) {
        for (const ClassRow& r : group.rows) {
            EditState& input = this->*r.input.member;
            input.text = QStringLiteral("0,00");
            input.enabled = false;
        }
    };
    for (const LandGroup& group : stateLandGroups())
        closeInputs(group);
    for (const ClassGroup& group : advanceGroups())
        closeInputs(group);
    paintAdvanceWhite(*this);

    const int t = typology();
    const int k = municipalityClass();
    if (t < 1 || t > 3 || k == 0) return;
    const std::size_t row = static_cast<std::size_t>(k - 1);
    for (const LandGroup& group : stateLandGroups())
        (this->*group.rows[row].input.member).enabled = true;
    (this->*advanceGroups()[RadioButton16.checked ? 0 : 1].rows[row].input.member).enabled = true;
}

void PracticeForm::Edit60Exit() {
    for (const ClassGroup& group : advanceGroups())
        for (const ClassRow& r : group.rows)
            this->*r.surface = this->*r.amount = 0;
    paintAdvanceWhite(*this);

    for (const ClassGroup& group : advanceGroups()) {
        this->*group.total = recomputeGroup(*this, group);
        (this->*group.totalCaption.member).text = Formatta(this->*group.total);
    }
    riepilogo();
}

void PracticeForm::resetAdvanceFigures() {
    for (const ClassGroup& group : advanceGroups()) {
        for (const ClassRow& r : group.rows) {
            this->*r.surface = this->*r.amount = 0;
            (this->*r.amountCaption.member).text = QStringLiteral("0,00");
        }
        this->*group.total = 0;
        (this->*group.totalCaption.member).text = QStringLiteral("0,00");
    }
}

void PracticeForm::showAdvanceCaptions() {
    paintAdvanceWhite(*this);
    for (const ClassGroup& group : advanceGroups()) {
        for (const ClassRow& r : group.rows)
            (this->*r.amountCaption.member).text = Formatta(this->*r.amount);
        (this->*group.totalCaption.member).text = Formatta(this->*group.total);
    }
}

void PracticeForm::recomputeNewAdvanceAtStart() {
    const ClassGroup& group = newGroup();
    const ClassRow& first = group.rows[0];
    if (!inputVuoto((this->*first.input.member).text))
        this->*first.surface = leggiInput((this->*first.input.member).text);
    if (this->*first.surface > 0)
        for (const auto& c : {first.classCaption, first.unitCaption, first.amountCaption, group.totalCaption})
            (this->*c.member).highlighted = true;
    double& total = this->*group.total;
    total = 0;
    for (const ClassRow& r : group.rows) {
        (this->*r.input.member).text = Formatta(this->*r.surface);
        this->*r.amount = this->*r.surface * (this->*r.unitValue);
        (this->*r.amountCaption.member).text = Formatta(this->*r.amount);
        total += this->*r.amount;
    }
    (this->*group.totalCaption.member).text = Formatta(total);
}

} // namespace quadrelo
