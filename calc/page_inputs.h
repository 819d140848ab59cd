// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// The surface inputs of the computing pages by designer name, in the order the pages show
// them: what a reopened practice leaves again, what an Exit handler is found for, and what a
// document's check points the user to.

#include <QStringList>

namespace quadrelo {

const QStringList& oblationInputs();        // each oblation row's two surfaces
const QStringList& advanceInputs();         // new construction, then restructuring
const QStringList& occupiedSurfaceInputs(); // state land occupied in the past
const QStringList& areaSurfaceInputs();     // state land to be bought

} // namespace quadrelo
