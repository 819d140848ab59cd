// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QJsonObject>

namespace quadrelo {

class PracticeForm;

// The practice as data for archives and other programs: every control of the main window by
// its designer name with what it shows and whether it is enabled, and the figures by name.
QJsonObject practiceJson(PracticeForm& form);

} // namespace quadrelo
