// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "taxcode/tax_code.h"

#include <functional>

class QLineEdit;
class QWidget;

namespace quadrelo {

class PracticeForm;

// The applicant as the practice holds them: name, surname, place, province and date of birth.
taxcode::Person applicantOf(PracticeForm& form);

// Checks a tax code (or VAT number) against its holder and, when something disagrees, shows the
// warning window naming it. The text is never touched: the user may know better. True if warned.
bool warnAboutTaxCode(QWidget* owner, const QString& code, const taxcode::Person& holder);

// The same for the applicant's code in the practice, once the owner is on screen.
void warnAboutApplicantTaxCodeWhenShown(QWidget* owner, PracticeForm& form);

// Checks the field each time the focus leaves it (not when a message or another window takes the
// focus); the same text with the same outcome warns only once.
void watchTaxCodeField(QLineEdit* field, std::function<taxcode::Person()> holder);

} // namespace quadrelo
