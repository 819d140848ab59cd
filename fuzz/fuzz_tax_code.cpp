// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: the tax-code check and computation on arbitrary codes and holders. The
// input's lines are the code, surname, name, birth date (dd/MM/yyyy), birth place, province.
#include "taxcode/tax_code.h"

#include <QDate>
#include <QStringList>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QString code = lines.value(0);
    quadrelo::taxcode::Person person;
    person.surname = lines.value(1);
    person.name = lines.value(2);
    person.birthDate = QDate::fromString(lines.value(3), QStringLiteral("dd/MM/yyyy"));
    person.birthPlace = lines.value(4);
    person.birthProvince = lines.value(5);
    (void)quadrelo::taxcode::faultMessages(quadrelo::taxcode::checkTaxCode(code, person));
    (void)quadrelo::taxcode::withoutSubstitutions(code);
    (void)quadrelo::taxcode::isVatNumberValid(code);
    if (code.size() >= 15) (void)quadrelo::taxcode::checkCharacter(QStringView(code).left(15));
    (void)quadrelo::taxcode::computeTaxCode(person, quadrelo::taxcode::Sex::Male);
    (void)quadrelo::taxcode::computeTaxCode(person, quadrelo::taxcode::Sex::Female);
    return 0;
}
