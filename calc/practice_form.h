// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/practice_record.h"
#include "user_interface.h"

namespace quadrelo {

// The practice with its rules: the handlers the window's controls run, on top of the data.
// Anything that needs the user goes through the UserInterface; nothing here knows widgets.
class PracticeForm : public PracticeRecord {
public:
    explicit PracticeForm(UserInterface* ui = nullptr);
    // Who shows a practice is no part of its data: a copy starts with its own silent
    // interface (the source's may be a window, or live no longer), and an assignment keeps
    // the interface the practice had.
    PracticeForm(const PracticeForm& other);
    PracticeForm& operator=(const PracticeForm& other);
    ~PracticeForm() = default;

    // A radio button becomes selected: the others of its group clear, and its click
    // handler runs when the selection changed.
    void select(const QString& radio);
    // The focus left a control: its Exit handler runs.
    void leave(const QString& control);
    // The drop-down of a list or a date picker closed.
    void closeUp(const QString& control);

    // --- operations of the main window ----------------------------------------------
    // Once the tables and the technician are in: the figures that follow from them.
    void recomputeAtStart();
    void Inizializza();
    void Nuova1Click(); // Inizializza; the window then shows the first page

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

    UserInterface& ui() { return *ui_; }
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

    SilentInterface silent_;
    UserInterface* ui_;
};

} // namespace quadrelo
