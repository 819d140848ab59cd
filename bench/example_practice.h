// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "calc/practice_form.h"
#include "documents/dialog_defaults.h"
#include "practice_file/practice_file.h"
#include "startup/startup.h"

namespace quadrelo {

// The shipped example practice with the values the document dialogs start from, so that every
// document prints without asking.
inline void openExampleForDocuments(PracticeForm& form) {
    Inizializzazione(form);
    openPractice(form, QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
    form.wasteStartDate = wasteInitialDate();
    form.occupationData = occupationInitialData();
    form.iciData = iciInitialData(form);
    form.swornCourt = QStringLiteral("RIMINI");
}

} // namespace quadrelo
