// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_checks.h"

#include "calc/class_rows.h"
#include "calc/page_inputs.h"
#include "calc/practice_form.h"
#include "record/catalogue.h"

namespace quadrelo {

namespace {

const QString kIncomplete = QStringLiteral("I dati relativi al richiedente risultano incompleti.");
const QString kInsufficient = QStringLiteral("I dati relativi al richiedente risultano insufficienti.");
const QString kSelect = QStringLiteral("selezionare");

bool anyEmpty(std::initializer_list<const QString*> texts) {
    for (const QString* t : texts)
        if (t->isEmpty()) return true;
    return false;
}

bool forfait(const PracticeForm& f) {
    return f.RadioButton7.checked || f.RadioButton10.checked || f.RadioButton11.checked;
}

// The surfaces of a group's rows, in class order.
double surfaces(const PracticeForm& f, const ClassGroup& group) {
    double total = 0;
    for (const ClassRow& row : group.rows)
        total += f.*row.surface;
    return total;
}

// The surfaces typed on the oblation page: the useful ones, then the second ones, of the
// residential rows and then of the others.
double oblationSurfaces(const PracticeForm& f) {
    double total = 0;
    for (const bool residential : {true, false})
        for (double PracticeRecord::*OblationRow::*surface :
             {&OblationRow::usefulSurface, &OblationRow::secondSurface})
            for (const OblationRow& row : oblationRows())
                if (row.residential == residential) total += f.*(row.*surface);
    return total;
}

// The memo as the file holds it: line breaks count as CR LF.
qsizetype memoLength(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t.size() + t.count(QLatin1Char('\n'));
}

std::optional<CheckFailure> check(PracticeForm& f, DocumentCheck name, const DocumentCommand& command) {
    auto fail = [](QString message, int page, QStringList focus = {}) {
        return std::optional<CheckFailure>(CheckFailure{std::move(message), page, std::move(focus)});
    };
    if (name == DocumentCheck::A) {
        if (anyEmpty({&f.Edit1.text, &f.Edit2.text, &f.Edit3.text, &f.Edit22.text, &f.Edit5.text,
                      &f.Edit6.text, &f.Edit7.text, &f.Edit8.text}) ||
            f.ComboBox2.text == kSelect || f.ComboBox3.text == kSelect)
            return fail(command.applicantMessage, PageRichiedente);
    } else if (name == DocumentCheck::A2) {
        if (anyEmpty({&f.Edit1.text, &f.Edit2.text})) return fail(kInsufficient, PageRichiedente);
    } else if (name == DocumentCheck::B || name == DocumentCheck::B1) {
        const bool listOk =
            name == DocumentCheck::B ? f.ComboBox1.text != kSelect : f.ComboBox1.itemIndex >= 0;
        if (anyEmpty({&f.Edit9.text, &f.Edit10.text, &f.Edit11.text}) || !listOk)
            return fail(
                QStringLiteral("I dati relativi all'immobile oggetto di sanatoria risultano insufficienti."),
                PageImmobile);
    } else if (name == DocumentCheck::V) {
        if (f.Edit23.text.isEmpty() && !f.RadioButton6.checked && !forfait(f))
            return fail(QStringLiteral("Digitare l'ammontare della volumetria oggetto di sanatoria."),
                        PageIllecito, {QStringLiteral("Edit23")});
    } else if (name == DocumentCheck::D || name == DocumentCheck::D20) {
        const qsizetype minimum = name == DocumentCheck::D ? 1 : 21;
        if (memoLength(f.Memo1.text) < minimum)
            return fail(QStringLiteral("Digitare una sintetica descrizione dell'illecito."), PageIllecito,
                        {QStringLiteral("Memo1")});
    } else if (name == DocumentCheck::O) {
        if (!(oblationSurfaces(f) > 0) && !forfait(f))
            return fail(
                QStringLiteral("I dati numerici per il calcolo dell'oblazione risultano insufficienti."),
                PageOblazione);
    } else if (name == DocumentCheck::N) {
        double amounts = 0;
        for (const ClassGroup& group : advanceGroups())
            for (const ClassRow& row : group.rows)
                amounts += f.*row.amount;
        if (!(amounts > 0) && !forfait(f))
            return fail(
                QStringLiteral("I dati numerici per il calcolo dell'anticipazione sugli oneri di concessione "
                               "risultano insufficienti."),
                PageAnticipazione);
    } else if (name == DocumentCheck::L) {
        if (!f.CheckBox3.checked && !f.CheckBox4.checked && !f.CheckBox5.checked)
            return fail(QStringLiteral("Gli allegati non sono stati selezionati."), PageAllegati);
    } else if (name == DocumentCheck::R) {
        if (f.Memo2.text.isEmpty())
            return fail(QStringLiteral("Inserire la relazione tecnica."), PageIllecito,
                        {QStringLiteral("Memo2")});
    } else if (name == DocumentCheck::T) {
        if (anyEmpty({&f.technicianFirstName, &f.technicianLastName, &f.technicianBirthPlace,
                      &f.technicianBirthProvince, &f.technicianTaxCode, &f.technicianOfficeTown,
                      &f.technicianRegisterNumber, &f.technicianRegisterName, &f.technicianRegisterProvince}))
            return fail(QStringLiteral("I dati del tecnico incaricato risultano incompleti."), -1);
    } else if (name == DocumentCheck::Y) {
        if (f.Edit33.text.isEmpty())
            return fail(QStringLiteral("Digitare la durata complessiva dell'occupazione pregressa."),
                        PageAreeStato, {QStringLiteral("Edit33")});
    } else if (name == DocumentCheck::P) {
        if (!(surfaces(f, stateLandGroups()[0]) > 0))
            return fail(QStringLiteral("Digitare la superficie oggetto di occupazione pregressa."),
                        PageAreeStato, f.enabledEdits(occupiedSurfaceInputs()));
    } else if (name == DocumentCheck::S) {
        if (!(surfaces(f, stateLandGroups()[1]) > 0))
            return fail(QStringLiteral("Digitare la superficie oggetto di occupazione."), PageAreeStato,
                        f.enabledEdits(areaSurfaceInputs()));
    }
    return std::nullopt;
}

} // namespace

const QList<DocumentCommand>& documentCommands() {
    using C = DocumentCheck;
    static const QList<DocumentCommand> commands{
        {"Riepilogopratica1Click",
         "Fac-simile istanza",
         {C::A, C::B1, C::V, C::D20, C::O, C::N, C::L},
         kInsufficient,
         "modello",
         CommandDialog::None},
        {"Stampa1Click",
         "Dichiarazione antimafia",
         {C::A, C::B},
         kIncomplete,
         "antimafia",
         CommandDialog::None},
        {"Dichiarazionesullostatodeilavori1Click",
         "Dichiarazione sullo stato dei lavori",
         {C::A, C::B, C::D},
         kIncomplete,
         "statolavori",
         CommandDialog::None},
        {"Periziagiurata1Click",
         "Perizia giurata",
         {C::A, C::B1, C::V, C::D20, C::O, C::N, C::L},
         kInsufficient,
         "giurata",
         CommandDialog::SwornAppraisal},
        {"Certificazionediidoneitstatica2Click",
         "Certificazione di idoneità statica",
         {C::A2, C::B, C::D, C::T},
         kInsufficient,
         "statica",
         CommandDialog::None},
        {"Certificazionediidoneitstatica1Click",
         "Certificazione relativa alle costruzioni in zona sismica",
         {C::A2, C::B, C::D, C::T},
         kInsufficient,
         "sismica",
         CommandDialog::None},
        {"Relazionetecnicadescrittiva1Click",
         "Relazione tecnica descrittiva",
         {C::A2, C::B, C::D, C::R, C::T},
         kInsufficient,
         "tecnica",
         CommandDialog::None},
        {"ToolButton11Click", "Fac-simile denuncia ai fini dell'I.C.I.", {}, "", "ici", CommandDialog::Ici},
        {"Denunciaaifinidellatassasmaltimentorifiuti1Click",
         "Denuncia per la tassa smaltimento rifiuti",
         {C::A, C::B},
         kIncomplete,
         "rifiuti",
         CommandDialog::WasteTax},
        {"Denunciaperloccupazionesuolopubblico1Click",
         "Denuncia per occupazione suolo pubblico",
         {C::A, C::B},
         kIncomplete,
         "occupazione",
         CommandDialog::Occupation},
        {"Riepilogopratica2Click",
         "Riepilogo pratica",
         {C::A, C::B1, C::V, C::D20, C::O, C::N},
         kInsufficient,
         "riepilogo",
         CommandDialog::None},
        {"Promemoriascadenze1Click",
         "Promemoria scadenze",
         {C::A, C::B1, C::V, C::D20, C::O, C::N},
         kInsufficient,
         "promemoria",
         CommandDialog::None},
        {"Prospettorelativoallacquisizioneareepubbliche1Click",
         "Prospetto relativo all'acquisizione aree pubbliche",
         {C::Y, C::P, C::S},
         "",
         "pubbliche",
         CommandDialog::None},
    };
    return commands;
}

const DocumentCommand* documentCommand(const QString& handlerOrReport) {
    for (const DocumentCommand& c : documentCommands())
        if (c.handler == handlerOrReport || c.report == handlerOrReport) return &c;
    return nullptr;
}

std::optional<CheckFailure> firstFailedCheck(PracticeForm& form, const DocumentCommand& command) {
    for (const DocumentCheck name : command.checks)
        if (auto failure = check(form, name, command)) return failure;
    return std::nullopt;
}

} // namespace quadrelo
