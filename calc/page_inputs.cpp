// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "page_inputs.h"

#include "oblation_rows.h"

namespace quadrelo {

const QStringList& oblationInputs() {
    static const QStringList names = [] {
        QStringList n;
        for (const OblationRow& row : oblationRows())
            n << QLatin1String(row.usefulInput.name) << QLatin1String(row.secondInput.name);
        return n;
    }();
    return names;
}

const QStringList& advanceInputs() {
    static const QStringList names{QStringLiteral("Edit60"), QStringLiteral("Edit61"),
                                   QStringLiteral("Edit62"), QStringLiteral("Edit63"),
                                   QStringLiteral("Edit64"), QStringLiteral("Edit65"),
                                   QStringLiteral("Edit66"), QStringLiteral("Edit67")};
    return names;
}

const QStringList& occupiedSurfaceInputs() {
    static const QStringList names{QStringLiteral("Edit25"), QStringLiteral("Edit26"),
                                   QStringLiteral("Edit27"), QStringLiteral("Edit28")};
    return names;
}

const QStringList& areaSurfaceInputs() {
    static const QStringList names{QStringLiteral("Edit29"), QStringLiteral("Edit30"),
                                   QStringLiteral("Edit31"), QStringLiteral("Edit32")};
    return names;
}

} // namespace quadrelo
