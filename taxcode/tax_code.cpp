// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "tax_code.h"

#include "birth_places.h"

namespace quadrelo::taxcode {

namespace {

const QString kMonthLetters = QStringLiteral("ABCDEHLMPRST");
// Letters that stand for 0..9 where a digit would make two people's codes equal.
const QString kDigitLetters = QStringLiteral("LMNPQRSTUV");
// Positions of the digits that may be replaced: year, day, and the place's three digits.
constexpr int kDigitPositions[] = {6, 7, 9, 10, 12, 13, 14};
// Value of a character in an odd place (1st, 3rd ...), digits and letters alike from 0/A.
constexpr int kOddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

bool isLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isVowel(QChar c) {
    return QStringLiteral("AEIOU").contains(c);
}

// Upper case, accents dropped, letters only: "D'Amico" -> "DAMICO", "Nicolò" -> "NICOLO"; the letters
// the Agenzia delle Entrate spells out since 2011 as two: "Öz" -> "OEZ", "Müller" -> "MUELLER".
QString plainLetters(const QString& text) {
    QString spelled = text.toUpper();
    spelled
        .replace(QChar(0x00C4), QLatin1String("AE"))  // Ä
        .replace(QChar(0x00C6), QLatin1String("AE"))  // Æ
        .replace(QChar(0x00D6), QLatin1String("OE"))  // Ö
        .replace(QChar(0x0152), QLatin1String("OE"))  // Œ
        .replace(QChar(0x00DC), QLatin1String("UE")); // Ü
    const QString decomposed = spelled.normalized(QString::NormalizationForm_KD);
    QString letters;
    for (QChar c : decomposed)
        if (isLetter(c)) letters.append(c);
    return letters;
}

void split(const QString& letters, QString& consonants, QString& vowels) {
    for (QChar c : letters)
        (isVowel(c) ? vowels : consonants).append(c);
}

QString threeLetters(const QString& consonants, const QString& vowels) {
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

bool hasPattern(const QString& code) {
    for (int i = 0; i < 16; ++i) {
        const QChar c = code.at(i);
        const bool digitPlace =
            std::find(std::begin(kDigitPositions), std::end(kDigitPositions), i) != std::end(kDigitPositions);
        if (digitPlace ? !(isDigit(c) || kDigitLetters.contains(c)) : !isLetter(c)) return false;
    }
    return kMonthLetters.contains(code.at(8));
}

// Year, month and day as they stand in a code, for a date; women's day plus 40.
QString dateLetters(const QDate& date, Sex sex) {
    const int day = date.day() + (sex == Sex::Female ? 40 : 0);
    return QStringLiteral("%1%2%3")
        .arg(date.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(kMonthLetters.at(date.month() - 1))
        .arg(day, 2, 10, QLatin1Char('0'));
}

Faults checkVatNumber(const QString& digits) {
    return isVatNumberValid(digits) ? Faults() : Faults(Fault::VatCheckDigit);
}

} // namespace

QChar checkCharacter(QStringView first15) {
    int sum = 0;
    for (int i = 0; i < 15 && i < first15.size(); ++i) {
        const QChar c = first15.at(i);
        // Only digits and capitals have a value: anything else has no check character.
        if (!isDigit(c) && (c < QLatin1Char('A') || c > QLatin1Char('Z'))) return QChar();
        const int value = isDigit(c) ? c.unicode() - '0' : c.unicode() - 'A';
        sum += (i % 2 == 0) ? kOddValues[value] : value;
    }
    return QChar(u'A' + sum % 26);
}

QString surnameLetters(const QString& surname) {
    QString consonants, vowels;
    split(plainLetters(surname), consonants, vowels);
    return threeLetters(consonants, vowels);
}

QString nameLetters(const QString& name) {
    QString consonants, vowels;
    split(plainLetters(name), consonants, vowels);
    // Four consonants or more: the first, third and fourth.
    if (consonants.size() >= 4) return QString(consonants.at(0)) + consonants.at(2) + consonants.at(3);
    return threeLetters(consonants, vowels);
}

QString withoutSubstitutions(const QString& code) {
    QString plain = code;
    for (int i : kDigitPositions) {
        if (i >= plain.size()) break;
        const qsizetype digit = kDigitLetters.indexOf(plain.at(i));
        if (digit >= 0) plain[i] = QChar(u'0' + int(digit));
    }
    return plain;
}

bool isVatNumberValid(const QString& digits) {
    if (digits.size() != 11) return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        if (!isDigit(digits.at(i))) return false;
        int d = digits.at(i).unicode() - '0';
        // Digits in even places (2nd, 4th ...) count double, less 9 when over 9.
        if (i % 2 == 1) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return isDigit(digits.at(10)) && (10 - sum % 10) % 10 == digits.at(10).unicode() - '0';
}

Faults checkTaxCode(const QString& text, const Person& person) {
    const QString code = text.trimmed().toUpper();
    if (code.isEmpty()) return {};
    if (code.size() == 11 && std::all_of(code.begin(), code.end(), isDigit)) return checkVatNumber(code);
    if (code.size() != 16) return Fault::Incomplete;
    if (!hasPattern(code)) return Fault::Pattern;

    Faults faults;
    if (checkCharacter(QStringView(code).left(15)) != code.at(15)) faults |= Fault::CheckCharacter;
    if (!plainLetters(person.surname).isEmpty() && code.left(3) != surnameLetters(person.surname))
        faults |= Fault::Surname;
    if (!plainLetters(person.name).isEmpty() && code.mid(3, 3) != nameLetters(person.name))
        faults |= Fault::Name;

    const QString plain = withoutSubstitutions(code);
    if (person.birthDate.isValid()) {
        const QString written = plain.mid(6, 5);
        if (written != dateLetters(person.birthDate, Sex::Male) &&
            written != dateLetters(person.birthDate, Sex::Female))
            faults |= Fault::BirthDate;
    }
    // A place the table does not know is left alone; one it knows must give the code it had
    // on the birth date, or any of its codes when the table's dates do not reach that far back.
    const QList<BirthPlace> places = placesNamed(person.birthPlace, person.birthProvince);
    if (!places.isEmpty()) {
        const QString written = plain.mid(11, 4);
        const bool anyInForce = std::any_of(places.begin(), places.end(), [&](const BirthPlace& p) {
            return !person.birthDate.isValid() || p.validOn(person.birthDate);
        });
        const bool matches = std::any_of(places.begin(), places.end(), [&](const BirthPlace& p) {
            return p.code == written &&
                   (!anyInForce || !person.birthDate.isValid() || p.validOn(person.birthDate));
        });
        if (!matches) faults |= Fault::BirthPlace;
    }
    return faults;
}

QStringList faultMessages(Faults faults) {
    const std::pair<Fault, const char*> texts[] = {
        {Fault::Pattern, "Il codice fiscale non ha la forma di un codice fiscale"},
        {Fault::CheckCharacter, "Il codice fiscale ha il carattere di controllo errato"},
        {Fault::Surname, "Il codice fiscale non corrisponde al cognome"},
        {Fault::Name, "Il codice fiscale non corrisponde al nome"},
        {Fault::BirthDate, "Il codice fiscale non corrisponde alla data di nascita"},
        {Fault::BirthPlace, "Il codice fiscale non corrisponde al luogo di nascita"},
        {Fault::VatCheckDigit, "La partita IVA ha la cifra di controllo errata"},
        {Fault::Incomplete, "Il codice fiscale è incompleto"},
    };
    QStringList messages;
    for (const auto& [fault, text] : texts)
        if (faults.testFlag(fault)) messages << QString::fromUtf8(text);
    return messages;
}

QString taxCodeVerdict(const QString& text, const Person& person) {
    if (text.trimmed().isEmpty()) return {};
    const QStringList messages = faultMessages(checkTaxCode(text, person));
    if (messages.isEmpty()) return QStringLiteral("corretto");
    const QString subject = QStringLiteral("Il codice fiscale ");
    QStringList parts;
    for (const QString& m : messages)
        parts << (m.startsWith(subject) ? m.mid(subject.size()) : m.left(1).toLower() + m.mid(1));
    return parts.join(QStringLiteral("; "));
}

Computation computeTaxCode(const Person& person, Sex sex) {
    Computation result;
    if (plainLetters(person.surname).isEmpty())
        result.missing = QStringLiteral("il cognome");
    else if (plainLetters(person.name).isEmpty())
        result.missing = QStringLiteral("il nome");
    else if (!person.birthDate.isValid())
        result.missing = QStringLiteral("la data di nascita");
    else if (placeKey(person.birthPlace).isEmpty())
        result.missing = QStringLiteral("il luogo di nascita");
    if (!result.missing.isEmpty()) return result;

    const BirthPlace place = placeOnDate(person.birthPlace, person.birthProvince, person.birthDate);
    if (place.code.isEmpty()) {
        result.missing = QStringLiteral("il luogo di nascita");
        result.unknownPlace = true;
        return result;
    }
    const QString first15 = surnameLetters(person.surname) + nameLetters(person.name) +
                            dateLetters(person.birthDate, sex) + place.code;
    result.code = first15 + checkCharacter(first15);
    return result;
}

} // namespace quadrelo::taxcode
