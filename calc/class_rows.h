// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// The rows of the advance page and of the state-land page, one per municipality class, each
// described once: its controls by designer name and the figures behind them. The calculation,
// the pages, the document checks, the table editors and the opening all read them from here.

#include "oblation_rows.h"

#include <array>

namespace quadrelo {

// A municipality class, as the pages and the table editors name it.
struct MunicipalityClass {
    int number; // 1-4, RadioButton12..RadioButton15
    const char* caption;
    const char* rateTableCaption; // Tabella D's editor, whose last class reads "Oltre 300.001"
    const char* zoneTableCaption; // Tabelle A and B's editor
};

// A row of a class group.
struct ClassRow {
    BoundControl<CaptionState> classCaption;
    BoundControl<EditState> input;
    BoundControl<CaptionState> unitCaption; // the rate or the unit value
    BoundControl<CaptionState> amountCaption;
    double PracticeRecord::*surface;
    double PracticeRecord::*unitValue;
    double PracticeRecord::*amount;
};

// Four rows, one per class in class order, under their total.
struct ClassGroup {
    std::array<ClassRow, 4> rows;
    BoundControl<CaptionState> totalCaption;
    double PracticeRecord::*total;
    void (PracticeForm::*exitHandler)(); // what leaving any of the group's inputs runs
};

// A state-land group takes its unit values from a table by zone and class.
struct LandGroup : ClassGroup {
    double (PracticeRecord::*zoneTable)[18]; // Tabella A or B
    bool perYear;                            // the amount counts each year of occupation
};

const std::array<MunicipalityClass, 4>& municipalityClasses();
// New construction (RadioButton16), then restructuring (RadioButton17); rates from Tabella D.
const std::array<ClassGroup, 2>& advanceGroups();
// The indemnity for the past occupation (Tabella A), then the value of the area (Tabella B).
const std::array<LandGroup, 2>& stateLandGroups();

} // namespace quadrelo
