// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "startup.h"

#include "calc/practice_form.h"
#include "calc/user_interface.h"
#include "record/errors.h"
#include "tables/parameter_tables.h"
#include "tables/technician.h"

#include <QDir>
#include <functional>

namespace quadrelo {

void Inizializzazione(PracticeForm& form) {
    form.startDirectory = QDir::currentPath();
    // Each file loads on its own: one missing file must not leave the others at zero.
    const std::function<void()> loads[] = {
        [&form] { loadTechnician(form); },      [&form] { loadTable(form, Table::C); },
        [&form] { loadTable(form, Table::D); }, [&form] { loadTable(form, Table::A); },
        [&form] { loadTable(form, Table::B); },
    };
    for (const auto& load : loads) {
        try {
            load();
        } catch (const Error& e) {
            form.ui().reportError(e.message());
        }
    }
    form.recomputeAtStart();
}

} // namespace quadrelo
