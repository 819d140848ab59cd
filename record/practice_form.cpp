// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_form.h"

#include "catalogue.h"
#include "errors.h"
#include "number_text.h"

#include <QHash>

#include <utility>

namespace quadrelo {

namespace {

template <class State> using MemberTable = QHash<QString, State PracticeForm::*>;

#define QUADRELO_ENTRY(name) {QStringLiteral(#name), &PracticeForm::name},
const MemberTable<EditState>& editTable() {
    static const MemberTable<EditState> t{QUADRELO_EDITS(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<CaptionState>& captionTable() {
    static const MemberTable<CaptionState> t{QUADRELO_CAPTIONS(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<CheckState>& checkTable() {
    static const MemberTable<CheckState> t{QUADRELO_CHECKS(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<RadioState>& radioTable() {
    static const MemberTable<RadioState> t{QUADRELO_RADIOS(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<ComboState>& comboTable() {
    static const MemberTable<ComboState> t{QUADRELO_COMBOS(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<DateState>& dateTable() {
    static const MemberTable<DateState> t{QUADRELO_DATES(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<MemoState>& memoTable() {
    static const MemberTable<MemoState> t{QUADRELO_MEMOS(QUADRELO_ENTRY)};
    return t;
}
const MemberTable<double>& figureTable() {
    static const MemberTable<double> t{QUADRELO_FIGURES(QUADRELO_ENTRY)};
    return t;
}
#undef QUADRELO_ENTRY

#define QUADRELO_NAME(name) QStringLiteral(#name),

template <class State>
State* lookup(PracticeForm* form, const MemberTable<State>& table, const QString& name) {
    const auto it = table.constFind(name);
    return it == table.constEnd() ? nullptr : &(form->*(it.value()));
}

// Radio groups of the main window; the first two run RadioButton1Click, the next two
// RadioButton12Click, the last has no rules.
const QList<QStringList>& radioGroups() {
    static const QList<QStringList> groups{
        {QStringLiteral("RadioButton1"), QStringLiteral("RadioButton2"), QStringLiteral("RadioButton6"),
         QStringLiteral("RadioButton7"), QStringLiteral("RadioButton10"), QStringLiteral("RadioButton11")},
        {QStringLiteral("RadioButton8"), QStringLiteral("RadioButton9")},
        {QStringLiteral("RadioButton12"), QStringLiteral("RadioButton13"), QStringLiteral("RadioButton14"),
         QStringLiteral("RadioButton15")},
        {QStringLiteral("RadioButton16"), QStringLiteral("RadioButton17")},
        {QStringLiteral("RadioButton3"), QStringLiteral("RadioButton4"), QStringLiteral("RadioButton5")},
    };
    return groups;
}

QStringList itemsOf(const QString& combo) {
    const FieldSpec* descriptor = fieldSpec(combo);
    return descriptor ? descriptor->items : QStringList{};
}

const QDate kCompletionLimit(2003, 3, 31);

// Figures typed by the user start a new practice at "0,00".
bool isNumberField(const QString& edit) {
    const FieldSpec* descriptor = fieldSpec(edit);
    return descriptor && descriptor->kind == FieldKind::NumberText;
}

} // namespace

PracticeForm::PracticeForm(UserInterface* ui) : ui_(ui ? ui : &silent_) {
    // The window as it comes up, before the start-up loading: a new practice.
    const QString zero = QStringLiteral("0,00");
    for (const QString& name : captionNames())
        caption(name)->text = zero;
    // Row and field captions that are words, not figures.
    Label18.text = QStringLiteral("Destinazione:");
    writeOblationRowNumbers();
    const char* classes[] = {"Fino a 10.000", "Da 10.001 a 100.000", "Da 100.001 a 300.000", "Oltre 300.000"};
    CaptionState PracticeForm::*const classRows[][4] = {
        {&PracticeForm::Label82, &PracticeForm::Label92, &PracticeForm::Label96, &PracticeForm::Label103},
        {&PracticeForm::Label79, &PracticeForm::Label108, &PracticeForm::Label111, &PracticeForm::Label116},
        {&PracticeForm::Label152, &PracticeForm::Label158, &PracticeForm::Label161, &PracticeForm::Label166},
        {&PracticeForm::Label170, &PracticeForm::Label176, &PracticeForm::Label179, &PracticeForm::Label184},
    };
    for (const auto& rows : classRows)
        for (int k = 0; k < 4; ++k)
            (this->*rows[k]).text = QLatin1String(classes[k]);
    for (const QString& name : editNames())
        if (isNumberField(name)) edit(name)->text = zero;
    for (const QString& name :
         {QStringLiteral("ComboBox1"), QStringLiteral("ComboBox2"), QStringLiteral("ComboBox3")})
        combo(name)->text = QStringLiteral("selezionare");
    ComboBox4 = {0, QStringLiteral("zona A"), true};
    DateTimePicker1.date = kCompletionLimit;
    DateTimePicker2.date = kCompletionLimit;
    DateTimePicker3.date = QDate(1950, 1, 1);
    RadioButton1.checked = RadioButton3.checked = RadioButton8.checked = true;
    RadioButton12.checked = RadioButton16.checked = true;
    RadioButton1Click();
}

void PracticeForm::setUserInterface(UserInterface* ui) {
    ui_ = ui ? ui : &silent_;
}

EditState* PracticeForm::edit(const QString& name) {
    return lookup(this, editTable(), name);
}
CaptionState* PracticeForm::caption(const QString& name) {
    return lookup(this, captionTable(), name);
}
CheckState* PracticeForm::check(const QString& name) {
    return lookup(this, checkTable(), name);
}
RadioState* PracticeForm::radio(const QString& name) {
    return lookup(this, radioTable(), name);
}
ComboState* PracticeForm::combo(const QString& name) {
    return lookup(this, comboTable(), name);
}
DateState* PracticeForm::datePicker(const QString& name) {
    return lookup(this, dateTable(), name);
}
MemoState* PracticeForm::memo(const QString& name) {
    return lookup(this, memoTable(), name);
}
double* PracticeForm::figure(const QString& name) {
    return lookup(this, figureTable(), name);
}

QStringList PracticeForm::enabledEdits(const QStringList& names) {
    QStringList enabled;
    for (const QString& name : names)
        if (const EditState* e = edit(name); e && e->enabled) enabled << name;
    return enabled;
}

const QStringList& PracticeForm::editNames() {
    static const QStringList names{QUADRELO_EDITS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::captionNames() {
    static const QStringList names{QUADRELO_CAPTIONS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::checkNames() {
    static const QStringList names{QUADRELO_CHECKS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::radioNames() {
    static const QStringList names{QUADRELO_RADIOS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::comboNames() {
    static const QStringList names{QUADRELO_COMBOS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::dateNames() {
    static const QStringList names{QUADRELO_DATES(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::memoNames() {
    static const QStringList names{QUADRELO_MEMOS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeForm::figureNames() {
    static const QStringList names{QUADRELO_FIGURES(QUADRELO_NAME)};
    return names;
}
#undef QUADRELO_NAME

// --- what the user does --------------------------------------------------------------

PracticeForm::Changes PracticeForm::takeChanges() {
    return std::exchange(changes_, Changes{});
}

void PracticeForm::runHandler(Handler handler) {
    // Marked first: a handler that stops on an error may have changed something already.
    changes_.handlerRan = true;
    (this->*handler)();
}

void PracticeForm::setText(const QString& control, const QString& text) {
    if (EditState* e = edit(control)) {
        e->text = text;
        changes_.controls.insert(control);
    } else if (ComboState* c = combo(control)) {
        c->text = text;
        c->itemIndex = static_cast<int>(itemsOf(control).indexOf(text));
        changes_.controls.insert(control);
    }
}

void PracticeForm::chooseItem(const QString& control, int index) {
    ComboState* c = combo(control);
    if (!c) return;
    changes_.controls.insert(control);
    const QStringList items = itemsOf(control);
    if (index >= 0 && index < items.size()) {
        c->itemIndex = index;
        c->text = items.at(index);
    } else {
        c->itemIndex = -1;
        c->text.clear();
    }
}

void PracticeForm::setChecked(const QString& name, bool checked) {
    if (CheckState* c = check(name)) {
        c->checked = checked;
        changes_.controls.insert(name);
    }
}

void PracticeForm::setDate(const QString& picker, const QDate& date) {
    if (DateState* d = datePicker(picker)) {
        d->date = date;
        changes_.controls.insert(picker);
    }
}

void PracticeForm::setMemo(const QString& name, const QString& text) {
    if (MemoState* m = memo(name)) {
        m->text = text;
        changes_.controls.insert(name);
    }
}

void PracticeForm::select(const QString& name) {
    RadioState* button = radio(name);
    if (!button || button->checked) return;
    for (int g = 0; g < radioGroups().size(); ++g) {
        const QStringList& group = radioGroups().at(g);
        if (!group.contains(name)) continue;
        for (const QString& other : group) {
            radio(other)->checked = false;
            changes_.controls.insert(other);
        }
        button->checked = true;
        if (g <= 1)
            runHandler(&PracticeForm::RadioButton1Click);
        else if (g <= 3)
            runHandler(&PracticeForm::RadioButton12Click);
        return;
    }
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

// --- life cycle ------------------------------------------------------------------------

void PracticeForm::recomputeAtStart() {
    Indennizza();
    recomputeOblationRow(0);
    passaggio();
    recomputeNewAdvanceAtStart();
    riepilogo();
}

QString PracticeForm::windowCaption() const {
    return currentFileName == QLatin1String("-1") ? QStringLiteral("Quadrelo 2004")
                                                  : QStringLiteral("Quadrelo 2004 - ") + currentFileName;
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

    DateTimePicker1.date = kCompletionLimit;
    DateTimePicker2.date = kCompletionLimit;
    DateTimePicker3.date = QDate(1950, 1, 1);

    showOblationCaptions();
    showAdvanceCaptions();

    riepilogo();
    azzera_demanio();
}

// --- field checks ----------------------------------------------------------------------

void PracticeForm::DateTimePicker1CloseUp() {
    if (DateTimePicker1.date > kCompletionLimit) {
        ui_->Attenzione(QStringLiteral("Le opere sono condonabili se ultimate entro il 31/03/2003."));
        DateTimePicker1.date = kCompletionLimit;
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

int PracticeForm::typology() const {
    const RadioState* buttons[] = {&RadioButton1, &RadioButton2,  &RadioButton6,
                                   &RadioButton7, &RadioButton10, &RadioButton11};
    for (int i = 0; i < 6; ++i)
        if (buttons[i]->checked) return i + 1;
    return 0;
}

int PracticeForm::municipalityClass() const {
    const RadioState* buttons[] = {&RadioButton12, &RadioButton13, &RadioButton14, &RadioButton15};
    for (int i = 0; i < 4; ++i)
        if (buttons[i]->checked) return i + 1;
    return 0;
}

} // namespace quadrelo
