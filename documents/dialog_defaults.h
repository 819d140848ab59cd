// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/dialog_values.h"

#include <QDate>
#include <QString>

namespace quadrelo {

class PracticeForm;

// What the document dialogs hold when they open, as the values their "conferma" would store:
// the dialogs show these, and documents written without a window use them.
QString wasteInitialDate();
OccupationData occupationInitialData();
// Property 1 from the practice's building register, property 2 too when the practice has a
// second sub-unit, property 3 empty; category "A/1", marks " ".
IciData iciInitialData(const PracticeForm& form);

// "conferma" of the sworn appraisal: the section is cleared, and the court (upper case) and its
// detached section set only when a court is given. False when there is no court to print for.
bool setSwornAppraisalCourt(PracticeForm& form, const QString& court, const QString& section);

// The occupied area of the public-land request: the product of the two sides in whole metres,
// within a 32-bit signed integer. Throws Error with an Italian message beyond it.
QString occupationArea(const QString& firstSide, const QString& secondSide);

// The days of an occupation, both end days counted; empty when the span is not positive.
QString occupationDays(const QDate& from, const QDate& to);

} // namespace quadrelo
