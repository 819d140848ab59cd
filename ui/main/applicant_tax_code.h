// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

class QLayout;
class QLineEdit;

namespace quadrelo {

class FormBinding;

// The applicant's tax code with its "Calcola codice fiscale" button (Alt+C) beside it: the code is
// checked when the field is left, and the button fills it from surname, name, date and place of
// birth after asking the sex.
QLayout* applicantTaxCodeRow(FormBinding& binding, QLineEdit* taxCode);

} // namespace quadrelo
