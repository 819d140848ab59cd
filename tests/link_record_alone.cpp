// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Linked with the record's library alone (every object of it): building this program is the
// proof that the practice's data needs no rule from above.
#include "record/practice_record.h"

int main() {
    quadrelo::PracticeRecord record;
    record.setText(QStringLiteral("Edit40"), QStringLiteral("12,50"));
    return record.edit(QStringLiteral("Edit40"))->text == QLatin1String("12,50") ? 0 : 1;
}
