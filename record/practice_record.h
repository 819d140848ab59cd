// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "control_names.h"
#include "controls.h"
#include "dialog_values.h"
#include "variable_names.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>

namespace quadrelo {

// The practice's data as the main window holds it: every control by its designer name, the
// figures, the parameter tables and the technician's data as window-wide variables. Setting a
// control here runs no rule; the rules live on top of it (calc/practice_form.h).
class PracticeRecord {
public:
    // The window as it comes up, before any rule ran: zeros, the default choices and dates.
    PracticeRecord();

    // --- controls -------------------------------------------------------------------
#define QUADRELO_MEMBER(name) EditState name;
    QUADRELO_EDITS(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
#define QUADRELO_MEMBER(name) CaptionState name;
    QUADRELO_CAPTIONS(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
#define QUADRELO_MEMBER(name) CheckState name;
    QUADRELO_CHECKS(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
#define QUADRELO_MEMBER(name) RadioState name;
    QUADRELO_RADIOS(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
#define QUADRELO_MEMBER(name) ComboState name;
    QUADRELO_COMBOS(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
#define QUADRELO_MEMBER(name) DateState name;
    QUADRELO_DATES(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
#define QUADRELO_MEMBER(name) MemoState name;
    QUADRELO_MEMOS(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER

    // --- window-wide variables ------------------------------------------------------
#define QUADRELO_MEMBER(name) double name = 0;
    QUADRELO_FIGURES(QUADRELO_MEMBER)
    QUADRELO_TABLE_C(QUADRELO_MEMBER)
    QUADRELO_TABLE_D(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER
    double tableA[18] = {};
    double tableB[18] = {};
#define QUADRELO_MEMBER(name) QString name;
    QUADRELO_TECHNICIAN(QUADRELO_MEMBER)
#undef QUADRELO_MEMBER

    // Values the document dialogs leave for their reports: not part of the practice, kept
    // until the same dialog is confirmed again.
    QString wasteStartDate;
    OccupationData occupationData;
    IciData iciData;
    QString swornCourt;
    QString swornSection;

    QString currentFileName = QStringLiteral("-1");
    QString startDirectory;

    // The last day works may have been completed by.
    static QDate completionLimit();

    // --- lookup by designer name (nullptr when the name is no such control) ------------
    EditState* edit(const QString& name);
    const EditState* edit(const QString& name) const;
    CaptionState* caption(const QString& name);
    const CaptionState* caption(const QString& name) const;
    CheckState* check(const QString& name);
    const CheckState* check(const QString& name) const;
    RadioState* radio(const QString& name);
    const RadioState* radio(const QString& name) const;
    ComboState* combo(const QString& name);
    const ComboState* combo(const QString& name) const;
    DateState* datePicker(const QString& name);
    const DateState* datePicker(const QString& name) const;
    MemoState* memo(const QString& name);
    const MemoState* memo(const QString& name) const;
    static const QStringList& editNames();
    static const QStringList& captionNames();
    static const QStringList& checkNames();
    static const QStringList& radioNames();
    static const QStringList& comboNames();
    static const QStringList& dateNames();
    static const QStringList& memoNames();
    static const QStringList& figureNames();
    double* figure(const QString& name);
    const double* figure(const QString& name) const;
    // The enabled ones of `names`, in order.
    QStringList enabledEdits(const QStringList& names) const;

    // --- what the user does (forwarded by the window) ---------------------------------
    // Text typed into an edit or a list box. The window has already filtered the keys.
    void setText(const QString& control, const QString& text);
    // An item chosen in a list box (-1: none).
    void chooseItem(const QString& control, int index);
    void setChecked(const QString& check, bool checked);
    void setDate(const QString& picker, const QDate& date);
    void setMemo(const QString& memo, const QString& text);

    // What the window must show again after the actions above, so that a key costs what it
    // touches: the controls they changed, and every control but the memos once a handler
    // ran (handlers write figures and captions all over, never a memo).
    struct Changes {
        QSet<QString> controls;
        bool handlerRan = false;
    };
    // The changes since the last call, which starts a new record.
    Changes takeChanges();

    // "Quadrelo 2004", followed by the file's path once the practice has one.
    QString windowCaption() const;
    // Typology 1..6 from the typology buttons; 0 when none is selected.
    int typology() const;
    // Municipality class 1..4; 0 when none is selected.
    int municipalityClass() const;

protected:
    // Selects a radio button and clears the others of its group. Returns the group's first
    // button, or an empty text when the button was already selected or is no radio button.
    QString selectInGroup(const QString& radio);
    // A rule ran: every control but the memos may have changed.
    void noteHandlerRan() {
        changes_.handlerRan = true;
    }

private:
    Changes changes_;
};

} // namespace quadrelo
