// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// The rows of the oblation page, each described once: its controls by designer name, the
// figures behind them, its rate and its Exit handler. The calculation, the reset rules and
// the page all read them from here.

#include "practice_form.h"

#include <array>

namespace quadrelo {

// A control of the practice: its member and the designer name the window binds it by.
template <class State> struct BoundControl {
    State PracticeRecord::*member;
    const char* name;
};

// A row with surfaces of its own: typologies 1-3, residential or not.
struct OblationRow {
    int typology; // 1-3; the row's first caption shows it
    bool residential;
    BoundControl<CaptionState> typologyCaption;
    BoundControl<EditState> usefulInput;
    BoundControl<EditState> secondInput; // non-residential surface, or appurtenances
    BoundControl<CaptionState> totalSurfaceCaption;
    BoundControl<CaptionState> rateCaption;
    BoundControl<CaptionState> amountCaption;
    double PracticeRecord::*usefulSurface;
    double PracticeRecord::*secondSurface;
    double PracticeRecord::*totalSurface;
    double PracticeRecord::*rate; // Tabella C, €/mq
    double PracticeRecord::*amount;
    double secondWeight; // what a square metre of the second surface counts
    void (PracticeForm::*exitHandler)();
};

// A typology with a fixed oblation: 4-6.
struct ForfaitRow {
    int typology;
    BoundControl<CaptionState> typologyCaption;
    BoundControl<CaptionState> rateCaption;
    BoundControl<CaptionState> amountCaption;
    double PracticeRecord::*rate; // Tabella C, €
    double PracticeRecord::*amount;
};

// The sum under a group of rows.
struct OblationTotal {
    BoundControl<CaptionState> caption;
    double PracticeRecord::*value;
};

// Residential rows first, each group in typology order.
const std::array<OblationRow, 6>& oblationRows();
const std::array<ForfaitRow, 3>& forfaitRows();
const OblationTotal& oblationTotal(bool residential);
const OblationTotal& forfaitTotal();

} // namespace quadrelo
