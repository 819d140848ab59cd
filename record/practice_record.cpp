// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_record.h"

#include "catalogue.h"

#include <QHash>

#include <utility>

namespace quadrelo {

namespace {

template <class State> using MemberTable = QHash<QString, State PracticeRecord::*>;

#define QUADRELO_ENTRY(name) {QStringLiteral(#name), &PracticeRecord::name},
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
State* lookup(PracticeRecord* record, const MemberTable<State>& table, const QString& name) {
    const auto it = table.constFind(name);
    return it == table.constEnd() ? nullptr : &(record->*(it.value()));
}

template <class State>
const State* lookup(const PracticeRecord* record, const MemberTable<State>& table, const QString& name) {
    const auto it = table.constFind(name);
    return it == table.constEnd() ? nullptr : &(record->*(it.value()));
}

// The radio groups of the main window: typology, destination, municipality class, kind of
// works, and the applicant's kind.
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

// Figures typed by the user start a new practice at "0,00".
bool isNumberField(const QString& edit) {
    const FieldSpec* descriptor = fieldSpec(edit);
    return descriptor && descriptor->kind == FieldKind::NumberText;
}

} // namespace

PracticeRecord::PracticeRecord() {
    const QString zero = QStringLiteral("0,00");
    for (const QString& name : captionNames())
        caption(name)->text = zero;
    // A field caption that is words, not a figure.
    Label18.text = QStringLiteral("Destinazione:");
    for (const QString& name : editNames())
        if (isNumberField(name)) edit(name)->text = zero;
    for (const QString& name :
         {QStringLiteral("ComboBox1"), QStringLiteral("ComboBox2"), QStringLiteral("ComboBox3")})
        combo(name)->text = QStringLiteral("selezionare");
    ComboBox4 = {0, QStringLiteral("zona A"), true};
    DateTimePicker1.date = completionLimit();
    DateTimePicker2.date = completionLimit();
    DateTimePicker3.date = QDate(1950, 1, 1);
    RadioButton1.checked = RadioButton3.checked = RadioButton8.checked = true;
    RadioButton12.checked = RadioButton16.checked = true;
}

QDate PracticeRecord::completionLimit() {
    return QDate(2003, 3, 31);
}

EditState* PracticeRecord::edit(const QString& name) {
    return lookup(this, editTable(), name);
}
const EditState* PracticeRecord::edit(const QString& name) const {
    return lookup(this, editTable(), name);
}
CaptionState* PracticeRecord::caption(const QString& name) {
    return lookup(this, captionTable(), name);
}
const CaptionState* PracticeRecord::caption(const QString& name) const {
    return lookup(this, captionTable(), name);
}
CheckState* PracticeRecord::check(const QString& name) {
    return lookup(this, checkTable(), name);
}
const CheckState* PracticeRecord::check(const QString& name) const {
    return lookup(this, checkTable(), name);
}
RadioState* PracticeRecord::radio(const QString& name) {
    return lookup(this, radioTable(), name);
}
const RadioState* PracticeRecord::radio(const QString& name) const {
    return lookup(this, radioTable(), name);
}
ComboState* PracticeRecord::combo(const QString& name) {
    return lookup(this, comboTable(), name);
}
const ComboState* PracticeRecord::combo(const QString& name) const {
    return lookup(this, comboTable(), name);
}
DateState* PracticeRecord::datePicker(const QString& name) {
    return lookup(this, dateTable(), name);
}
const DateState* PracticeRecord::datePicker(const QString& name) const {
    return lookup(this, dateTable(), name);
}
MemoState* PracticeRecord::memo(const QString& name) {
    return lookup(this, memoTable(), name);
}
const MemoState* PracticeRecord::memo(const QString& name) const {
    return lookup(this, memoTable(), name);
}
double* PracticeRecord::figure(const QString& name) {
    return lookup(this, figureTable(), name);
}
const double* PracticeRecord::figure(const QString& name) const {
    return lookup(this, figureTable(), name);
}

QStringList PracticeRecord::enabledEdits(const QStringList& names) const {
    QStringList enabled;
    for (const QString& name : names)
        if (const EditState* e = edit(name); e && e->enabled) enabled << name;
    return enabled;
}

const QStringList& PracticeRecord::editNames() {
    static const QStringList names{QUADRELO_EDITS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::captionNames() {
    static const QStringList names{QUADRELO_CAPTIONS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::checkNames() {
    static const QStringList names{QUADRELO_CHECKS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::radioNames() {
    static const QStringList names{QUADRELO_RADIOS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::comboNames() {
    static const QStringList names{QUADRELO_COMBOS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::dateNames() {
    static const QStringList names{QUADRELO_DATES(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::memoNames() {
    static const QStringList names{QUADRELO_MEMOS(QUADRELO_NAME)};
    return names;
}
const QStringList& PracticeRecord::figureNames() {
    static const QStringList names{QUADRELO_FIGURES(QUADRELO_NAME)};
    return names;
}
#undef QUADRELO_NAME

// --- what the user does --------------------------------------------------------------

PracticeRecord::Changes PracticeRecord::takeChanges() {
    return std::exchange(changes_, Changes{});
}

void PracticeRecord::setText(const QString& control, const QString& text) {
    if (EditState* e = edit(control)) {
        e->text = text;
        changes_.controls.insert(control);
    } else if (ComboState* c = combo(control)) {
        c->text = text;
        c->itemIndex = static_cast<int>(itemsOf(control).indexOf(text));
        changes_.controls.insert(control);
    }
}

void PracticeRecord::chooseItem(const QString& control, int index) {
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

void PracticeRecord::setChecked(const QString& name, bool checked) {
    if (CheckState* c = check(name)) {
        c->checked = checked;
        changes_.controls.insert(name);
    }
}

void PracticeRecord::setDate(const QString& picker, const QDate& date) {
    if (DateState* d = datePicker(picker)) {
        d->date = date;
        changes_.controls.insert(picker);
    }
}

void PracticeRecord::setMemo(const QString& name, const QString& text) {
    if (MemoState* m = memo(name)) {
        m->text = text;
        changes_.controls.insert(name);
    }
}

QString PracticeRecord::selectInGroup(const QString& name) {
    RadioState* button = radio(name);
    if (!button || button->checked) return {};
    for (const QStringList& group : radioGroups()) {
        if (!group.contains(name)) continue;
        for (const QString& other : group) {
            radio(other)->checked = false;
            changes_.controls.insert(other);
        }
        button->checked = true;
        return group.first();
    }
    return {};
}

QString PracticeRecord::windowCaption() const {
    return currentFileName == QLatin1String("-1") ? QStringLiteral("Quadrelo 2004")
                                                  : QStringLiteral("Quadrelo 2004 - ") + currentFileName;
}

int PracticeRecord::typology() const {
    const RadioState* buttons[] = {&RadioButton1, &RadioButton2,  &RadioButton6,
                                   &RadioButton7, &RadioButton10, &RadioButton11};
    for (int i = 0; i < 6; ++i)
        if (buttons[i]->checked) return i + 1;
    return 0;
}

int PracticeRecord::municipalityClass() const {
    const RadioState* buttons[] = {&RadioButton12, &RadioButton13, &RadioButton14, &RadioButton15};
    for (int i = 0; i < 4; ++i)
        if (buttons[i]->checked) return i + 1;
    return 0;
}

} // namespace quadrelo
