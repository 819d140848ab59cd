// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_layout.h"
#include "pades.h"

namespace quadrelo::sign {

// The place a laid-out document leaves free for a visible signature (see freeStampPlace).
std::optional<Stamp> stampPlace(const report::Document& document);

} // namespace quadrelo::sign
