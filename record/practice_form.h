// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "control_names.h"
#include "controls.h"
#include "dialog_values.h"
#include "user_interface.h"
#include "variable_names.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace quadrelo {

// The practice as the main window holds it: every control by its designer name, the
// figures, the parameter tables and the technician's data as window-wide variables, and
// the handlers that change them. The window shows this state and forwards what the user
// does; nothing here knows about widgets.
class PracticeForm {
public:
    explicit PracticeForm(UserInterface* ui = nullptr);

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

    // --- lookup by designer name (nullptr when the name is no such control) ------------
    EditState* edit(const QString& name);
    CaptionState* caption(const QString& name);
    CheckState* check(const QString& name);
    RadioState* radio(const QString& name);
    ComboState* combo(const QString& name);
    DateState* datePicker(const QString& name);
    MemoState* memo(const QString& name);
    static const QStringList& editNames();
    static const QStringList& captionNames();
    static const QStringList& checkNames();
    static const QStringList& radioNames();
    static const QStringList& comboNames();
    static const QStringList& dateNames();
    static const QStringList& memoNames();
    static const QStringList& figureNames();
    double* figure(const QString& name);
    // The enabled ones of Edit<first>..Edit<last>, in order.
    QStringList enabledEdits(const QStringList& names);

    // --- what the user does (forwarded by the window) ---------------------------------
    // Text typed into an edit or a list box. The window has already filtered the keys.
    void setText(const QString& control, const QString& text);
    // An item chosen in a list box (-1: none).
    void chooseItem(const QString& control, int index);
    void setChecked(const QString& check, bool checked);
    void setDate(const QString& picker, const QDate& date);
    void setMemo(const QString& memo, const QString& text);
    // A radio button becomes selected: the others of its group clear, and its click
    // handler runs when the selection changed.
    void select(const QString& radio);
    // The focus left a control: its Exit handler runs.
    void leave(const QString& control);
    // The drop-down of a list or a date picker closed.
    void closeUp(const QString& control);

    // What the window must show again after the actions above, so that a key costs what it
    // touches: the controls they changed, and every control but the memos once a handler
    // ran (handlers write figures and captions all over, never a memo).
    struct Changes {
        QSet<QString> controls;
        bool handlerRan = false;
    };
    // The changes since the last call, which starts a new record.
    Changes takeChanges();

    // --- operations of the main window ----------------------------------------------
    // Once the tables and the technician are in: the figures that follow from them.
    void recomputeAtStart();
    void Inizializza();
    void Nuova1Click(); // Inizializza; the window then shows the first page
    // "Quadrelo 2004", followed by the file's path once the practice has one.
    QString windowCaption() const;

    // Field checks
    void DateTimePicker1CloseUp();
    void Edit23Exit();
    void Edit24Exit();

    // Oblation
    void Edit40Exit();
    void Edit42Exit();
    void Edit44Exit();
    void Edit46Exit();
    void Edit48Exit();
    void Edit50Exit();
    void passaggio();
    // Typology and destination rules
    void RadioButton1Click();
    void RadioButton12Click();
    void ComboBox4CloseUp();
    // Payment summary
    void riepilogo();
    // Advance on charges
    void SistemaOneri();
    void Edit60Exit();
    // State land
    void Indennizza();
    void Edit25Exit();
    void Edit33Exit();
    // Keeps the duration's text within 1 to 5 years, or empty; as leaving the field does.
    void limitaDurata();
    void aggiorna_demanio();
    void azzera_demanio();

    // Typology 1..6 from the typology buttons; 0 when none is selected.
    int typology() const;
    // Municipality class 1..4; 0 when none is selected.
    int municipalityClass() const;

    UserInterface& ui() {
        return *ui_;
    }
    void setUserInterface(UserInterface* ui);

    // Steps 1-8 of an oblation row's Exit handler (row 0-2 residential, 3-5 not).
    void recomputeOblationRow(int row);
    // The oblation and forfait captions of a new practice: their figures, nothing highlighted.
    void showOblationCaptions();
    // The typology number in the first caption of every oblation and forfait row.
    void writeOblationRowNumbers();
    // The advance's surfaces, amounts and totals back to zero, as a new typology wants them.
    void resetAdvanceFigures();
    // The advance's captions of a new practice: their figures, nothing highlighted.
    void showAdvanceCaptions();
    // The start-up recomputation of the new-construction advance from Edit60 alone.
    void recomputeNewAdvanceAtStart();

private:
    using Handler = void (PracticeForm::*)();
    // The Exit handler that leaving `control` runs; nullptr when there is none.
    static Handler exitHandler(const QString& control);
    void runHandler(Handler handler);

    Changes changes_;

    SilentInterface silent_;
    UserInterface* ui_;
};

} // namespace quadrelo
