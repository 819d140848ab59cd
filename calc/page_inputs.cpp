// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "page_inputs.h"

#include "class_rows.h"
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

namespace {

template <class Group, std::size_t N>
QStringList inputsOf(const std::array<Group, N>& groups, std::size_t first, std::size_t count) {
    QStringList n;
    for (std::size_t g = first; g < first + count; ++g)
        for (const ClassRow& row : groups[g].rows)
            n << QLatin1String(row.input.name);
    return n;
}

} // namespace

const QStringList& advanceInputs() {
    static const QStringList names = inputsOf(advanceGroups(), 0, 2);
    return names;
}

const QStringList& occupiedSurfaceInputs() {
    static const QStringList names = inputsOf(stateLandGroups(), 0, 1);
    return names;
}

const QStringList& areaSurfaceInputs() {
    static const QStringList names = inputsOf(stateLandGroups(), 1, 1);
    return names;
}

} // namespace quadrelo
