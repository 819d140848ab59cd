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

// The memo as the file holds it: line breaks count as CR LF. Counted, not rewritten: a long
// memo is not copied to be measured.
qsizetype memoLength(const QString& text) {
    return text.size() - text.count(QLatin1String("\r\n")) + text.count(QLatin1Char('\n'));
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
    using D = CommandDialog;
    static const QList<DocumentCommand> commands{
        {.handler = "Riepilogopratica1Click",
         .objectName = "Riepilogopratica1",
         .caption = "&Fac-simile istanza",
         .icon = "istanza",
         .checks = {C::A, C::B1, C::V, C::D20, C::O, C::N, C::L},
         .applicantMessage = kInsufficient,
         .report = "modello"},
        {.handler = "Stampa1Click",
         .objectName = "Stampa1",
         .caption = "Dichiarazione &antimafia",
         .icon = "antimafia",
         .checks = {C::A, C::B},
         .applicantMessage = kIncomplete,
         .report = "antimafia"},
        {.handler = "Dichiarazionesullostatodeilavori1Click",
         .objectName = "Dichiarazionesullostatodeilavori1",
         .caption = "Dichiarazione sullo stato dei &lavori",
         .icon = "statolavori",
         .checks = {C::A, C::B, C::D},
         .applicantMessage = kIncomplete,
         .report = "statolavori"},
        {.handler = "Periziagiurata1Click",
         .objectName = "Periziagiurata1",
         .caption = "&Perizia giurata",
         .icon = "perizia",
         .startsGroup = true,
         .checks = {C::A, C::B1, C::V, C::D20, C::O, C::N, C::L},
         .applicantMessage = kInsufficient,
         .report = "giurata",
         .dialog = D::SwornAppraisal},
        {.handler = "Certificazionediidoneitstatica2Click",
         .objectName = "Certificazionediidoneitstatica2",
         .caption = "&Certificazione di idoneità statica",
         .icon = "statica",
         .checks = {C::A2, C::B, C::D, C::T},
         .applicantMessage = kInsufficient,
         .report = "statica"},
        {.handler = "Certificazionediidoneitstatica1Click",
         .objectName = "Certificazionediidoneitstatica1",
         .caption = "Certificazione relativa alle costruzioni in zona &sismica",
         .icon = "sismica",
         .checks = {C::A2, C::B, C::D, C::T},
         .applicantMessage = kInsufficient,
         .report = "sismica"},
        {.handler = "Relazionetecnicadescrittiva1Click",
         .objectName = "Relazionetecnicadescrittiva1",
         .caption = "&Relazione tecnica descrittiva",
         .icon = "tecnica",
         .checks = {C::A2, C::B, C::D, C::R, C::T},
         .applicantMessage = kInsufficient,
         .report = "tecnica"},
        // The menu item opens what the tool-bar button opens, under the button's handler.
        {.handler = "ToolButton11Click",
         .objectName = "FacsimiledenunciaaifinidellICI1",
         .caption = "Fac-simile denuncia ai fini dell'&I.C.I.",
         .icon = "ici",
         .toolTip = "Denuncia ai fini dell'I.C.I.",
         .startsGroup = true,
         .report = "ici",
         .dialog = D::Ici},
        {.handler = "Denunciaaifinidellatassasmaltimentorifiuti1Click",
         .objectName = "Denunciaaifinidellatassasmaltimentorifiuti1",
         .caption = "Denuncia per la &tassa smaltimento rifiuti",
         .icon = "rifiuti",
         .checks = {C::A, C::B},
         .applicantMessage = kIncomplete,
         .report = "rifiuti",
         .dialog = D::WasteTax},
        {.handler = "Denunciaperloccupazionesuolopubblico1Click",
         .objectName = "Denunciaperloccupazionesuolopubblico1",
         .caption = "Denuncia per &occupazione suolo pubblico",
         .icon = "occupazione",
         .checks = {C::A, C::B},
         .applicantMessage = kIncomplete,
         .report = "occupazione",
         .dialog = D::Occupation},
        {.handler = "Riepilogopratica2Click",
         .objectName = "Riepilogopratica2",
         .caption = "Ri&epilogo pratica",
         .startsGroup = true,
         .checks = {C::A, C::B1, C::V, C::D20, C::O, C::N},
         .applicantMessage = kInsufficient,
         .report = "riepilogo"},
        {.handler = "Promemoriascadenze1Click",
         .objectName = "Promemoriascadenze1",
         .caption = "Pro&memoria scadenze",
         .checks = {C::A, C::B1, C::V, C::D20, C::O, C::N},
         .applicantMessage = kInsufficient,
         .report = "promemoria"},
        {.handler = "Prospettorelativoallacquisizioneareepubbliche1Click",
         .objectName = "Prospettorelativoallacquisizioneareepubbliche1",
         .caption = "Prospetto relativo all'acquisizione aree p&ubbliche",
         .checks = {C::Y, C::P, C::S},
         .report = "pubbliche"},
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
