// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDate>
#include <QFlags>
#include <QString>
#include <QStringList>

namespace quadrelo::taxcode {

// What the practice knows of the person a code belongs to. Empty data are not compared.
struct Person {
    QString surname;
    QString name;
    QDate birthDate;
    QString birthPlace;
    QString birthProvince;
};

enum class Sex { Male, Female };

// What a code gets wrong; several at once are possible.
enum class Fault : unsigned {
    Pattern = 1u << 0,        // letters and digits out of place: nothing else can be read
    CheckCharacter = 1u << 1, // the sixteenth character
    Surname = 1u << 2,
    Name = 1u << 3,
    BirthDate = 1u << 4,  // year, month letter or day (women add 40)
    BirthPlace = 1u << 5, // cadastral code of the birth place at the birth date
    VatCheckDigit = 1u << 6,
    Incomplete = 1u << 7, // neither 16 characters nor the 11 digits of a VAT number
};
Q_DECLARE_FLAGS(Faults, Fault)
Q_DECLARE_OPERATORS_FOR_FLAGS(Faults)

// Checks a field's text: 16 characters are a personal tax code, 11 digits a VAT number
// (partita IVA); any other text is incomplete; an empty field is not checked.
Faults checkTaxCode(const QString& text, const Person& person);

// One Italian sentence per fault, in the order of the enum.
QStringList faultMessages(Faults faults);

// What a list of practices says of a code: empty for no code, "corretto" when it agrees, or what
// disagrees in the words of the warning without its subject ("non corrisponde al luogo di nascita").
QString taxCodeVerdict(const QString& text, const Person& person);

// The sixteenth character of a code from its first fifteen; a null character when they hold
// anything but digits and capital letters.
QChar checkCharacter(QStringView first15);

// The three letters of a surname and of a first name.
QString surnameLetters(const QString& surname);
QString nameLetters(const QString& name);

// The code undone of the digit substitutions (L for 0 ... V for 9) made for codes that would clash.
QString withoutSubstitutions(const QString& code);

bool isVatNumberValid(const QString& digits);

// A computed code, or the Italian name of the first datum it lacks ("il cognome", "il luogo di
// nascita" ...), with code empty. unknownPlace tells a birth place the table does not hold.
struct Computation {
    QString code;
    QString missing;
    bool unknownPlace = false;
};
Computation computeTaxCode(const Person& person, Sex sex);

} // namespace quadrelo::taxcode
