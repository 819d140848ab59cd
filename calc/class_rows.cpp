// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "class_rows.h"

namespace quadrelo {

namespace {

using P = PracticeForm;

#define QUADRELO_BOUND(control)                                                                              \
    { &P::control, #control }

constexpr std::array<MunicipalityClass, 4> kClasses{{
    {1, "Fino a 10.000", "Fino a 10.000", "< 10.000"},
    {2, "Da 10.001 a 100.000", "Da 10.001 a 100.000", "da 10.001 a 100.000"},
    {3, "Da 100.001 a 300.000", "Da 100.001 a 300.000", "da 100.001 a 300.000"},
    {4, "Oltre 300.000", "Oltre 300.001", "> 300.001"},
}};

constexpr std::array<ClassGroup, 2> kAdvanceGroups{{
    {{{
         {QUADRELO_BOUND(Label82), QUADRELO_BOUND(Edit60), QUADRELO_BOUND(Label90), QUADRELO_BOUND(Label91),
          &P::advanceSurfaceNew1, &P::advanceRateNew1, &P::advanceAmountNew1},
         {QUADRELO_BOUND(Label92), QUADRELO_BOUND(Edit61), QUADRELO_BOUND(Label94), QUADRELO_BOUND(Label95),
          &P::advanceSurfaceNew2, &P::advanceRateNew2, &P::advanceAmountNew2},
         {QUADRELO_BOUND(Label96), QUADRELO_BOUND(Edit62), QUADRELO_BOUND(Label98), QUADRELO_BOUND(Label99),
          &P::advanceSurfaceNew3, &P::advanceRateNew3, &P::advanceAmountNew3},
         {QUADRELO_BOUND(Label103), QUADRELO_BOUND(Edit63), QUADRELO_BOUND(Label105),
          QUADRELO_BOUND(Label106), &P::advanceSurfaceNew4, &P::advanceRateNew4, &P::advanceAmountNew4},
     }},
     QUADRELO_BOUND(Label100),
     &P::advanceTotalNew,
     &P::Edit60Exit},
    {{{
         {QUADRELO_BOUND(Label79), QUADRELO_BOUND(Edit64), QUADRELO_BOUND(Label104), QUADRELO_BOUND(Label107),
          &P::advanceSurfaceRestructuring1, &P::advanceRateRestructuring1, &P::advanceAmountRestructuring1},
         {QUADRELO_BOUND(Label108), QUADRELO_BOUND(Edit65), QUADRELO_BOUND(Label109),
          QUADRELO_BOUND(Label110), &P::advanceSurfaceRestructuring2, &P::advanceRateRestructuring2,
          &P::advanceAmountRestructuring2},
         {QUADRELO_BOUND(Label111), QUADRELO_BOUND(Edit66), QUADRELO_BOUND(Label112),
          QUADRELO_BOUND(Label113), &P::advanceSurfaceRestructuring3, &P::advanceRateRestructuring3,
          &P::advanceAmountRestructuring3},
         {QUADRELO_BOUND(Label116), QUADRELO_BOUND(Edit67), QUADRELO_BOUND(Label117),
          QUADRELO_BOUND(Label118), &P::advanceSurfaceRestructuring4, &P::advanceRateRestructuring4,
          &P::advanceAmountRestructuring4},
     }},
     QUADRELO_BOUND(Label114),
     &P::advanceTotalRestructuring,
     &P::Edit60Exit},
}};

constexpr std::array<LandGroup, 2> kStateLandGroups{{
    {{{{
          {QUADRELO_BOUND(Label152), QUADRELO_BOUND(Edit25), QUADRELO_BOUND(Label156),
           QUADRELO_BOUND(Label157), &P::occupiedSurface1, &P::indemnityUnitValue1, &P::indemnityAmount1},
          {QUADRELO_BOUND(Label158), QUADRELO_BOUND(Edit26), QUADRELO_BOUND(Label159),
           QUADRELO_BOUND(Label160), &P::occupiedSurface2, &P::indemnityUnitValue2, &P::indemnityAmount2},
          {QUADRELO_BOUND(Label161), QUADRELO_BOUND(Edit27), QUADRELO_BOUND(Label162),
           QUADRELO_BOUND(Label163), &P::occupiedSurface3, &P::indemnityUnitValue3, &P::indemnityAmount3},
          {QUADRELO_BOUND(Label166), QUADRELO_BOUND(Edit28), QUADRELO_BOUND(Label167),
           QUADRELO_BOUND(Label168), &P::occupiedSurface4, &P::indemnityUnitValue4, &P::indemnityAmount4},
      }},
      QUADRELO_BOUND(Label164),
      &P::indemnityTotal,
      &P::Edit25Exit},
     &P::tableA,
     true},
    {{{{
          {QUADRELO_BOUND(Label170), QUADRELO_BOUND(Edit29), QUADRELO_BOUND(Label174),
           QUADRELO_BOUND(Label175), &P::areaSurface1, &P::areaUnitValue1, &P::areaValue1},
          {QUADRELO_BOUND(Label176), QUADRELO_BOUND(Edit30), QUADRELO_BOUND(Label177),
           QUADRELO_BOUND(Label178), &P::areaSurface2, &P::areaUnitValue2, &P::areaValue2},
          {QUADRELO_BOUND(Label179), QUADRELO_BOUND(Edit31), QUADRELO_BOUND(Label180),
           QUADRELO_BOUND(Label181), &P::areaSurface3, &P::areaUnitValue3, &P::areaValue3},
          {QUADRELO_BOUND(Label184), QUADRELO_BOUND(Edit32), QUADRELO_BOUND(Label185),
           QUADRELO_BOUND(Label186), &P::areaSurface4, &P::areaUnitValue4, &P::areaValue4},
      }},
      QUADRELO_BOUND(Label182),
      &P::areaValueTotal,
      &P::Edit25Exit},
     &P::tableB,
     false},
}};

#undef QUADRELO_BOUND

} // namespace

const std::array<MunicipalityClass, 4>& municipalityClasses() {
    return kClasses;
}

const std::array<ClassGroup, 2>& advanceGroups() {
    return kAdvanceGroups;
}

const std::array<LandGroup, 2>& stateLandGroups() {
    return kStateLandGroups;
}

} // namespace quadrelo
