// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

class QLineEdit;

namespace quadrelo {

// Offers, under a field being typed in, the places of the cadastral table whose name starts so:
// municipalities in force, then ceased ones with their years, then (when asked) foreign states.
// Down and Up choose, Enter takes the chosen place, Esc or typing on ignores the list; without a
// choice the field keeps exactly what was typed and Enter goes on as ever. Taking a place types
// its name into the field, and its province (or "EE" for a foreign state) into `province` when
// that is given and empty.
void completePlaces(QLineEdit* field, bool foreignStates, QLineEdit* province = nullptr);

} // namespace quadrelo
