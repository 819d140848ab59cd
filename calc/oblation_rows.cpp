// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "oblation_rows.h"

namespace quadrelo {

namespace {

using P = PracticeForm;

#define QUADRELO_BOUND(control)                                                                              \
    { &P::control, #control }

constexpr std::array<OblationRow, 6> kOblationRows{{
    {1, true, QUADRELO_BOUND(Label30), QUADRELO_BOUND(Edit40), QUADRELO_BOUND(Edit41),
     QUADRELO_BOUND(Label34), QUADRELO_BOUND(Label35), QUADRELO_BOUND(Label36), &P::resUsefulSurface1,
     &P::resNonResSurface1, &P::resTotalSurface1, &P::oblationRateResidential1, &P::resOblation1, 0.6,
     &P::Edit40Exit},
    {2, true, QUADRELO_BOUND(Label37), QUADRELO_BOUND(Edit42), QUADRELO_BOUND(Edit43),
     QUADRELO_BOUND(Label38), QUADRELO_BOUND(Label39), QUADRELO_BOUND(Label40), &P::resUsefulSurface2,
     &P::resNonResSurface2, &P::resTotalSurface2, &P::oblationRateResidential2, &P::resOblation2, 0.6,
     &P::Edit42Exit},
    {3, true, QUADRELO_BOUND(Label41), QUADRELO_BOUND(Edit44), QUADRELO_BOUND(Edit45),
     QUADRELO_BOUND(Label42), QUADRELO_BOUND(Label43), QUADRELO_BOUND(Label44), &P::resUsefulSurface3,
     &P::resNonResSurface3, &P::resTotalSurface3, &P::oblationRateResidential3, &P::resOblation3, 0.6,
     &P::Edit44Exit},
    {1, false, QUADRELO_BOUND(Label48), QUADRELO_BOUND(Edit46), QUADRELO_BOUND(Edit47),
     QUADRELO_BOUND(Label52), QUADRELO_BOUND(Label53), QUADRELO_BOUND(Label54), &P::nonResUsefulSurface1,
     &P::nonResAppurtenanceSurface1, &P::nonResTotalSurface1, &P::oblationRateNonResidential1,
     &P::nonResOblation1, 1.0, &P::Edit46Exit},
    {2, false, QUADRELO_BOUND(Label55), QUADRELO_BOUND(Edit48), QUADRELO_BOUND(Edit49),
     QUADRELO_BOUND(Label56), QUADRELO_BOUND(Label57), QUADRELO_BOUND(Label58), &P::nonResUsefulSurface2,
     &P::nonResAppurtenanceSurface2, &P::nonResTotalSurface2, &P::oblationRateNonResidential2,
     &P::nonResOblation2, 1.0, &P::Edit48Exit},
    {3, false, QUADRELO_BOUND(Label59), QUADRELO_BOUND(Edit50), QUADRELO_BOUND(Edit51),
     QUADRELO_BOUND(Label60), QUADRELO_BOUND(Label61), QUADRELO_BOUND(Label62), &P::nonResUsefulSurface3,
     &P::nonResAppurtenanceSurface3, &P::nonResTotalSurface3, &P::oblationRateNonResidential3,
     &P::nonResOblation3, 0.6, &P::Edit50Exit},
}};

constexpr std::array<ForfaitRow, 3> kForfaitRows{{
    {4, QUADRELO_BOUND(Label70), QUADRELO_BOUND(Label76), QUADRELO_BOUND(Label71), &P::oblationFixed4,
     &P::flatOblation4},
    {5, QUADRELO_BOUND(Label77), QUADRELO_BOUND(Label80), QUADRELO_BOUND(Label72), &P::oblationFixed5,
     &P::flatOblation5},
    {6, QUADRELO_BOUND(Label81), QUADRELO_BOUND(Label84), QUADRELO_BOUND(Label74), &P::oblationFixed6,
     &P::flatOblation6},
}};

constexpr OblationTotal kResidentialTotal{QUADRELO_BOUND(Label63), &P::resOblationTotal};
constexpr OblationTotal kNonResidentialTotal{QUADRELO_BOUND(Label66), &P::nonResOblationTotal};
constexpr OblationTotal kForfaitTotal{QUADRELO_BOUND(Label86), &P::flatOblationTotal};

#undef QUADRELO_BOUND

} // namespace

const std::array<OblationRow, 6>& oblationRows() {
    return kOblationRows;
}

const std::array<ForfaitRow, 3>& forfaitRows() {
    return kForfaitRows;
}

const OblationTotal& oblationTotal(bool residential) {
    return residential ? kResidentialTotal : kNonResidentialTotal;
}

const OblationTotal& forfaitTotal() {
    return kForfaitTotal;
}

} // namespace quadrelo
