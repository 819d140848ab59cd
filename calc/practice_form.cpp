// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The practice's life cycle, the dispatch of what the user does to the handlers, and the
// checks of single fields.
#include "practice_form.h"

#include "class_rows.h"
#include "oblation_rows.h"

#include "record/catalogue.h"
#include "record/number_text.h"

#include <QHash>

namespace quadrelo {

namespace {

bool isNumberField(const QString& edit) {
    const FieldSpec* descriptor = fieldSpec(edit);
    return descriptor && descriptor->kind == FieldKind::NumberText;
}

} // namespace

PracticeForm::PracticeForm(UserInterface* ui) : ui_(ui ? ui : &silent_) {
    // The window as it comes up, before the start-up loading: a new practice.
    writeOblationRowNumbers();
    auto writeClassCaptions = [this](const ClassGroup& group) {
        for (std::size_t k = 0; k < group.rows.size(); ++k)
            (this->*group.rows[k].classCaption.member).text = QLatin1String(municipalityClasses()[k].caption);
    };
    for (const ClassGroup& group : advanceGroups())
        writeClassCaptions(group);
    for (const LandGroup& group : stateLandGroups())
        writeClassCaptions(group);
    RadioButton1Click();
}

PracticeForm::PracticeForm(const PracticeForm& other) : PracticeRecord(other), ui_(&silent_) {}

PracticeForm& PracticeForm::operator=(const PracticeForm& other) {
    PracticeRecord::operator=(other);
    return *this;
}

void PracticeForm::setUserInterface(UserInterface* ui) {
    ui_ = ui ? ui : &silent_;
}

// --- what the user does --------------------------------------------------------------

void PracticeForm::runHandler(Handler handler) {
    // Marked first: a handler that stops on an error may have changed something already.
    noteHandlerRan();
    (this->*handler)();
}

void PracticeForm::select(const QString& radio) {
    // Each group's rules, by the group's first button; the applicant's kind has none.
    static const QHash<QString, Handler> clickHandlers{
        {QStringLiteral("RadioButton1"), &PracticeForm::RadioButton1Click},   // typology
        {QStringLiteral("RadioButton8"), &PracticeForm::RadioButton1Click},   // destination
        {QStringLiteral("RadioButton12"), &PracticeForm::RadioButton12Click}, // municipality class
        {QStringLiteral("RadioButton16"), &PracticeForm::RadioButton12Click}, // kind of works
    };
    const QString group = selectInGroup(radio);
    if (group.isEmpty()) return;
    if (const Handler handler = clickHandlers.value(group)) runHandler(handler);
}

void PracticeForm::leave(const QString& control) {
    if (const Handler handler = exitHandler(control)) runHandler(handler);
}

void PracticeForm::closeUp(const QString& control) {
    if (control == QLatin1String("DateTimePicker1"))
        runHandler(&PracticeForm::DateTimePicker1CloseUp);
    else if (control == QLatin1String("ComboBox4"))
        runHandler(&PracticeForm::ComboBox4CloseUp);
}

PracticeForm::Handler PracticeForm::exitHandler(const QString& control) {
    static const QHash<QString, Handler> handlers = [] {
        QHash<QString, Handler> h;
        for (const OblationRow& row : oblationRows()) {
            h.insert(QLatin1String(row.usefulInput.name), row.exitHandler);
            h.insert(QLatin1String(row.secondInput.name), row.exitHandler);
        }
        auto insertGroup = [&h](const ClassGroup& group) {
            for (const ClassRow& row : group.rows)
                h.insert(QLatin1String(row.input.name), group.exitHandler);
        };
        for (const ClassGroup& group : advanceGroups())
            insertGroup(group);
        for (const LandGroup& group : stateLandGroups())
            insertGroup(group);
        h.insert(QStringLiteral("Edit33"), &PracticeForm::Edit33Exit);
        h.insert(QStringLiteral("Edit23"), &PracticeForm::Edit23Exit);
        h.insert(QStringLiteral("Edit24"), &PracticeForm::Edit24Exit);
        h.insert(QStringLiteral("DateTimePicker1"), &PracticeForm::DateTimePicker1CloseUp);
        return h;
    }();
    return handlers.value(control);
}

// --- life cycle ------------------------------------------------------------------------

void PracticeForm::recomputeAtStart() {
    Indennizza();
    recomputeOblationRow(0);
    passaggio();
    recomputeNewAdvanceAtStart();
    riepilogo();
}

void PracticeForm::Nuova1Click() {
    Inizializza();
    ui_->showPage(PageRichiedente);
}

void PracticeForm::Inizializza() {
    currentFileName = QStringLiteral("-1");

#define QUADRELO_ZERO(name) name = 0;
    QUADRELO_FIGURES(QUADRELO_ZERO)
#undef QUADRELO_ZERO

    for (const QString& name : editNames())
        edit(name)->text = isNumberField(name) ? QStringLiteral("0,00") : QString();
    Memo1.text.clear();
    Memo2.text.clear();

    for (ComboState* c : {&ComboBox1, &ComboBox2, &ComboBox3}) {
        c->itemIndex = -1;
        c->text = QStringLiteral("selezionare");
    }
    chooseItem(QStringLiteral("ComboBox4"), 0);
    Indennizza();

    for (const QString& name : checkNames())
        check(name)->checked = false;

    for (const char* name :
         {"RadioButton1", "RadioButton3", "RadioButton8", "RadioButton12", "RadioButton16"})
        select(QLatin1String(name));

    DateTimePicker1.date = completionLimit();
    DateTimePicker2.date = completionLimit();
    DateTimePicker3.date = QDate(1950, 1, 1);

    showOblationCaptions();
    showAdvanceCaptions();

    riepilogo();
    azzera_demanio();
}

// --- field checks ----------------------------------------------------------------------

void PracticeForm::DateTimePicker1CloseUp() {
    if (DateTimePicker1.date > completionLimit()) {
        ui_->Attenzione(QStringLiteral("Le opere sono condonabili se ultimate entro il 31/03/2003."));
        DateTimePicker1.date = completionLimit();
    }
}

void PracticeForm::Edit23Exit() {
    if (Edit23.text.isEmpty()) return;
    const QString appraisal = QStringLiteral(
        "La domanda di condono dovrà essere corredata da una perizia giurata sulle dimensioni e sullo stato "
        "delle opere.");
    const double v = Leggimi(Edit23.text);
    if (v > 750) {
        ui_->Attenzione(QStringLiteral("La domanda di condono è improcedibile perché il volume della nuova "
                                       "costruzione o dell'ampliamento è superiore a 750 mc."));
        return;
    }
    if (Edit24.text.isEmpty()) {
        if (v > 450) ui_->Attenzione(appraisal);
        return;
    }
    const double e = Leggimi(Edit24.text);
    if (e <= 0) return;
    if (100 * v / e > 30)
        ui_->Attenzione(QStringLiteral(
            "La domanda di condono è improcedibile perché l'ampliamento è superiore al 30% dell'esistente."));
    else if (v + e > 3000)
        ui_->Attenzione(QStringLiteral(
            "La domanda di condono è improcedibile perché il volume totale è superiore a 3000 mc."));
    else if (v > 450)
        ui_->Attenzione(appraisal);
}

void PracticeForm::Edit24Exit() {
    if (!Edit24.text.isEmpty() && Leggimi(Edit24.text) > 3000)
        ui_->Attenzione(QStringLiteral("Verificare la consistenza volumetrica totale dell'immobile."));
}

} // namespace quadrelo
