// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

namespace quadrelo {

class PracticeForm;

// The practice as the program starts: the technician and the four tables from the work
// folder, then the figures that follow from them. A file that cannot be read is reported
// and leaves the others loaded.
void Inizializzazione(PracticeForm& form);

} // namespace quadrelo
