// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

// Window-wide variables by name: the practice's figures, the parameter tables and the
// technician's data. Expanded into members, name tables and loops.

// Figures of the practice: every one is zero in a new practice.
// clang-format off
#define QUADRELO_FIGURES(X) \
    X(resUsefulSurface1) X(resUsefulSurface2) X(resUsefulSurface3) X(resNonResSurface1) \
    X(resNonResSurface2) X(resNonResSurface3) X(resTotalSurface1) X(resTotalSurface2) \
    X(resTotalSurface3) X(resOblation1) X(resOblation2) X(resOblation3) \
    X(resOblationTotal) X(nonResUsefulSurface1) X(nonResUsefulSurface2) X(nonResUsefulSurface3) \
    X(nonResAppurtenanceSurface1) X(nonResAppurtenanceSurface2) X(nonResAppurtenanceSurface3) X(nonResTotalSurface1) \
    X(nonResTotalSurface2) X(nonResTotalSurface3) X(nonResOblation1) X(nonResOblation2) \
    X(nonResOblation3) X(nonResOblationTotal) X(flatOblation4) X(flatOblation5) \
    X(flatOblation6) X(flatOblationTotal) X(oblationFirstPayment) X(oblationInstalment) \
    X(advanceTotalDue) X(advanceFirstPayment) X(advanceInstalment) X(advanceSurfaceNew1) \
    X(advanceSurfaceNew2) X(advanceSurfaceNew3) X(advanceSurfaceNew4) X(advanceSurfaceRestructuring1) \
    X(advanceSurfaceRestructuring2) X(advanceSurfaceRestructuring3) X(advanceSurfaceRestructuring4) X(advanceAmountNew1) \
    X(advanceAmountNew2) X(advanceAmountNew3) X(advanceAmountNew4) X(advanceAmountRestructuring1) \
    X(advanceAmountRestructuring2) X(advanceAmountRestructuring3) X(advanceAmountRestructuring4) X(advanceTotalNew) \
    X(advanceTotalRestructuring) X(occupiedSurface1) X(occupiedSurface2) X(occupiedSurface3) \
    X(occupiedSurface4) X(indemnityUnitValue1) X(indemnityUnitValue2) X(indemnityUnitValue3) \
    X(indemnityUnitValue4) X(indemnityAmount1) X(indemnityAmount2) X(indemnityAmount3) \
    X(indemnityAmount4) X(indemnityTotal) X(areaSurface1) X(areaSurface2) \
    X(areaSurface3) X(areaSurface4) X(areaUnitValue1) X(areaUnitValue2) \
    X(areaUnitValue3) X(areaUnitValue4) X(areaValue1) X(areaValue2) \
    X(areaValue3) X(areaValue4) X(areaValueTotal) X(occupationYears)

// Tabella C, in the order of its file.
#define QUADRELO_TABLE_C(X) \
    X(oblationRateNonResidential1) X(oblationRateNonResidential2) X(oblationRateNonResidential3) \
    X(oblationRateResidential1) X(oblationRateResidential2) X(oblationRateResidential3) \
    X(oblationFixed4) X(oblationFixed5) X(oblationFixed6)

// Tabella D, in the order of its file.
#define QUADRELO_TABLE_D(X) \
    X(advanceRateNew1) X(advanceRateNew2) X(advanceRateNew3) X(advanceRateNew4) \
    X(advanceRateRestructuring1) X(advanceRateRestructuring2) X(advanceRateRestructuring3) X(advanceRateRestructuring4)

// The technician's record, in the order of its file.
#define QUADRELO_TECHNICIAN(X) \
    X(technicianFirstName) X(technicianLastName) X(technicianBirthPlace) \
    X(technicianBirthProvince) X(technicianTaxCode) X(technicianRegisterNumber) \
    X(technicianRegisterProvince) X(technicianOfficeTown) X(technicianOfficeAddress) \
    X(technicianRegisterName) X(technicianBirthDate)
// clang-format on
