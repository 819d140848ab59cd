// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "taxcode/birth_places.h"
#include "taxcode/tax_code.h"

#include <QtTest>

using namespace quadrelo::taxcode;

Q_DECLARE_METATYPE(quadrelo::taxcode::Faults)
Q_DECLARE_METATYPE(quadrelo::taxcode::Person)

namespace {

Person person(const char* surname, const char* name, const QDate& born, const char* place,
              const char* province) {
    return {QString::fromUtf8(surname), QString::fromUtf8(name), born, QString::fromUtf8(place),
            QString::fromUtf8(province)};
}

const Person kMarioRossi = person("ROSSI", "MARIO", QDate(1980, 1, 1), "ROMA", "RM");

} // namespace

// Expected codes and check characters are worked out by hand from the published rules, not by the
// code under test.
class TaxCodeTest : public QObject {
    Q_OBJECT
private slots:
    void checkCharacter_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("public example") << "RSSMRA80A01H501U";
        QTest::newRow("woman, day + 40") << "RSSMRA80A41H501Y";
        QTest::newRow("substituted place digit") << "RSSMRA80A01H50MM";
        QTest::newRow("substituted year digits") << "RSSMRAULA01H501C";
        QTest::newRow("foreign state") << "RSSMRA80A01Z112F";
        QTest::newRow("short surname and name") << "REXVEA80A41H501H";
        QTest::newRow("month S") << "RSSMRA80S01H501F";
    }
    void checkCharacter() {
        QFETCH(QString, code);
        QCOMPARE(quadrelo::taxcode::checkCharacter(QStringView(code).left(15)), code.at(15));
    }

    void letters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::newRow("three consonants") << "ROSSI"
                                          << "RSS"
                                          << "RSS";
        QTest::newRow("four consonants: 1st, 3rd, 4th for a name") << "GIANFRANCO"
                                                                   << "GNF"
                                                                   << "GFR";
        QTest::newRow("two consonants, then vowels") << "MARIA"
                                                     << "MRA"
                                                     << "MRA";
        QTest::newRow("one consonant") << "EVA"
                                       << "VEA"
                                       << "VEA";
        QTest::newRow("two letters, then X") << "RE"
                                             << "REX"
                                             << "REX";
        QTest::newRow("vowels only") << "IO"
                                     << "IOX"
                                     << "IOX";
        QTest::newRow("apostrophe and space") << "D'AMICO DE LUCA"
                                              << "DMC"
                                              << "DCD";
        QTest::newRow("accented vowel") << "NICOLÒ"
                                        << "NCL"
                                        << "NCL";
        QTest::newRow("two names") << "MARIA GRAZIA"
                                   << "MRG"
                                   << "MGR";
    }
    void letters() {
        QFETCH(QString, text);
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QCOMPARE(surnameLetters(text), surname);
        QCOMPARE(nameLetters(text), name);
    }

    void check_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<Person>("holder");
        QTest::addColumn<Faults>("faults");
        const Faults none;
        const Person p = kMarioRossi;
        QTest::newRow("agrees") << "RSSMRA80A01H501U" << p << none;
        QTest::newRow("lower case typed") << "rssmra80a01h501u" << p << none;
        QTest::newRow("check character") << "RSSMRA80A01H501X" << p << Faults(Fault::CheckCharacter);
        QTest::newRow("surname") << "RSSMRA80A01H501U"
                                 << person("BIANCHI", "MARIO", p.birthDate, "ROMA", "RM")
                                 << Faults(Fault::Surname);
        QTest::newRow("name") << "RSSMRA80A01H501U" << person("ROSSI", "LUIGI", p.birthDate, "ROMA", "RM")
                              << Faults(Fault::Name);
        QTest::newRow("year") << "RSSMRA80A01H501U"
                              << person("ROSSI", "MARIO", QDate(1981, 1, 1), "ROMA", "RM")
                              << Faults(Fault::BirthDate);
        QTest::newRow("day") << "RSSMRA80A01H501U"
                             << person("ROSSI", "MARIO", QDate(1980, 1, 2), "ROMA", "RM")
                             << Faults(Fault::BirthDate);
        QTest::newRow("place") << "RSSMRA80A01H501U" << person("ROSSI", "MARIO", p.birthDate, "MILANO", "MI")
                               << Faults(Fault::BirthPlace);
        QTest::newRow("place unknown to the table")
            << "RSSMRA80A01H501U" << person("ROSSI", "MARIO", p.birthDate, "ATLANTIDE", "") << none;
        QTest::newRow("empty data are not compared") << "RSSMRA80A01H501U" << Person{} << none;
        QTest::newRow("several at once")
            << "RSSMRA80A01H501X" << person("BIANCHI", "MARIO", QDate(1980, 1, 2), "ROMA", "RM")
            << (Fault::CheckCharacter | Fault::Surname | Fault::BirthDate);

        // Every month letter, on the first of the month; a wrong month is a wrong date.
        const char months[] = "ABCDEHLMPRST";
        const char checks[] = "UTYACKXLWBFH";
        for (int m = 0; m < 12; ++m) {
            const QString code = QStringLiteral("RSSMRA80") + QLatin1Char(months[m]) +
                                 QStringLiteral("01H501") + QLatin1Char(checks[m]);
            const Person born = person("ROSSI", "MARIO", QDate(1980, m + 1, 1), "ROMA", "RM");
            QTest::addRow("month %c", months[m]) << code << born << none;
            Person otherMonth = born;
            otherMonth.birthDate = QDate(1980, (m + 1) % 12 + 1, 1);
            QTest::addRow("month %c, other date", months[m])
                << code << otherMonth << Faults(Fault::BirthDate);
        }

        // Women: the day plus 40; the practice does not hold the sex, so either agrees.
        QTest::newRow("woman") << "RSSMRA80A41H501Y" << person("ROSSI", "MARIA", p.birthDate, "ROMA", "RM")
                               << none;
        QTest::newRow("woman, wrong day")
            << "RSSMRA80A41H501Y" << person("ROSSI", "MARIA", QDate(1980, 1, 2), "ROMA", "RM")
            << Faults(Fault::BirthDate);
        QTest::newRow("day 71 does not exist") << "RSSMRA80A71H501B" << p << Faults(Fault::BirthDate);
        QTest::newRow("short surname and name")
            << "REXVEA80A41H501H" << person("RE", "EVA", p.birthDate, "ROMA", "RM") << none;

        // Codes that would clash carry letters for digits, from the right.
        QTest::newRow("substituted place digit") << "RSSMRA80A01H50MM" << p << none;
        QTest::newRow("substituted year digits") << "RSSMRAULA01H501C" << p << none;
        QTest::newRow("letter outside the substitutions")
            << "RSSMRA80A01H50AM" << p << Faults(Fault::Pattern);
        QTest::newRow("digit in a letter's place") << "RSSMR480A01H501U" << p << Faults(Fault::Pattern);
        QTest::newRow("no such month letter") << "RSSMRA80F01H501U" << p << Faults(Fault::Pattern);

        QTest::newRow("foreign-born")
            << "RSSMRA80A01Z112F" << person("ROSSI", "MARIO", p.birthDate, "GERMANIA", "EE") << none;
        QTest::newRow("foreign-born, code of Rome")
            << "RSSMRA80A01H501U" << person("ROSSI", "MARIO", p.birthDate, "GERMANIA", "EE")
            << Faults(Fault::BirthPlace);

        // Montalcino (SI) took a new code when it merged in 2017: the code in force at birth counts.
        QTest::newRow("merged town, old code")
            << "RSSMRA60A01F402P" << person("ROSSI", "MARIO", QDate(1960, 1, 1), "MONTALCINO", "SI") << none;
        QTest::newRow("merged town, later code")
            << "RSSMRA60A01M378P" << person("ROSSI", "MARIO", QDate(1960, 1, 1), "MONTALCINO", "SI")
            << Faults(Fault::BirthPlace);

        QTest::newRow("VAT number") << "07643520567" << p << none;
        QTest::newRow("VAT number, hand-worked") << "12345678903" << p << none;
        QTest::newRow("VAT number, wrong digit") << "12345678904" << p << Faults(Fault::VatCheckDigit);
        QTest::newRow("empty") << "" << p << none;
        QTest::newRow("not yet 16") << "RSSMRA80" << p << Faults(Fault::Incomplete);
    }
    void check() {
        QFETCH(QString, code);
        QFETCH(Person, holder);
        QFETCH(Faults, faults);
        QCOMPARE(faultMessages(checkTaxCode(code, holder)), faultMessages(faults));
    }

    void compute_data() {
        QTest::addColumn<Person>("holder");
        QTest::addColumn<bool>("woman");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("missing");
        QTest::newRow("public example") << kMarioRossi << false << "RSSMRA80A01H501U"
                                        << "";
        QTest::newRow("woman") << person("ROSSI", "MARIA", QDate(1980, 1, 1), "ROMA", "RM") << true
                               << "RSSMRA80A41H501Y"
                               << "";
        QTest::newRow("short surname and name")
            << person("RE", "EVA", QDate(1980, 1, 1), "ROMA", "RM") << true << "REXVEA80A41H501H"
            << "";
        QTest::newRow("foreign-born")
            << person("ROSSI", "MARIO", QDate(1980, 1, 1), "GERMANIA", "EE") << false << "RSSMRA80A01Z112F"
            << "";
        QTest::newRow("merged town before")
            << person("ROSSI", "MARIO", QDate(1960, 1, 1), "MONTALCINO", "SI") << false << "RSSMRA60A01F402P"
            << "";
        QTest::newRow("merged town after")
            << person("ROSSI", "MARIO", QDate(2018, 1, 1), "MONTALCINO", "SI") << false << "RSSMRA18A01M378I"
            << "";
        QTest::newRow("no surname") << person("", "MARIO", QDate(1980, 1, 1), "ROMA", "RM") << false << ""
                                    << "il cognome";
        QTest::newRow("no name") << person("ROSSI", " ", QDate(1980, 1, 1), "ROMA", "RM") << false << ""
                                 << "il nome";
        QTest::newRow("no place") << person("ROSSI", "MARIO", QDate(1980, 1, 1), "", "") << false << ""
                                  << "il luogo di nascita";
        QTest::newRow("unknown place")
            << person("ROSSI", "MARIO", QDate(1980, 1, 1), "ATLANTIDE", "") << false << ""
            << "il luogo di nascita";
        QTest::newRow("a namesake only in another province")
            << person("ROSSI", "MARIO", QDate(1980, 1, 1), "ALESSANDRIA", "MI") << false << ""
            << "il luogo di nascita";
    }
    void compute() {
        QFETCH(Person, holder);
        QFETCH(bool, woman);
        QFETCH(QString, code);
        QFETCH(QString, missing);
        const Computation c = computeTaxCode(holder, woman ? Sex::Female : Sex::Male);
        QCOMPARE(c.code, code);
        QCOMPARE(c.missing, missing);
    }

    // UTF-8 read as Windows-1252 ("RiccÃ²") would hide a place from its real name.
    void tableNames() {
        const QRegularExpression damaged(QStringLiteral("[?\\x{80}-\\x{9f}\\x{c2}\\x{c3}\\x{102}\\x{fffd}]"));
        const QRegularExpression code(QStringLiteral("^[A-Z][0-9]{3}$"));
        QVERIFY(allPlaces().size() > 10000);
        for (const BirthPlace& p : allPlaces()) {
            QVERIFY2(code.match(p.code).hasMatch(), qPrintable(p.code));
            const QStringList names = QStringList(p.otherNames) << p.name;
            for (const QString& name : names)
                QVERIFY2(!name.contains(damaged) && !placeKey(name).isEmpty(),
                         qPrintable(p.code + QLatin1Char(' ') + name));
        }
    }

    // Real people whose code the birthplace, the province, the date or the spelling make hard: each
    // computes and checks right, and a wrong variant of the code is flagged.
    void realPeople_data() {
        QTest::addColumn<Person>("holder");
        QTest::addColumn<bool>("woman");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<Faults>("faults");
        const Faults place(Fault::BirthPlace);
        const Faults incomplete(Fault::Incomplete);
        QTest::newRow("Palau (SS), not the Republic of Palau")
            << person("ROSSI", "MARIO", QDate(1990, 5, 1), "PALAU", "SS") << false << "RSSMRA90E01G258T"
            << "RSSMRA90E01Z734M" << place;
        QTest::newRow("Palau, no province")
            << person("ROSSI", "MARIO", QDate(1990, 5, 1), "PALAU", "") << false << "RSSMRA90E01G258T"
            << "RSSMRA90E01Z734M" << place;
        QTest::newRow("Sant'Elena (PD), not Saint Helena")
            << person("ROSSI", "MARIO", QDate(1975, 6, 15), "SANT'ELENA", "PD") << false << "RSSMRA75H15I319S"
            << "RSSMRA75H15Z340S" << place;
        QTest::newRow("Santa Lucia (ME), its former name")
            << person("BIANCHI", "GIUSEPPE", QDate(1900, 1, 1), "SANTA LUCIA", "ME") << false
            << "BNCGPP00A01I220I"
            << "BNCGPP00A01Z527X" << place;
        QTest::newRow("Castelnuovo (FR), not the one in Trentino")
            << person("VERDI", "LUIGI", QDate(1901, 8, 20), "CASTELNUOVO", "FR") << false
            << "VRDLGU01M20C223P"
            << "VRDLGU01M20C216W" << place;
        QTest::newRow("Alessandria (AG), not the one in Piemonte")
            << person("ROSSI", "MARIO", QDate(1960, 1, 1), "ALESSANDRIA", "AG") << false << "RSSMRA60A01A181E"
            << "RSSMRA60A01A182J" << place;
        QTest::newRow("apostrophe accent, 15 characters")
            << person("BIANCO", "ANNA", QDate(1970, 2, 10), "RICCO' DEL GOLFO DI SPEZIA", "SP") << true
            << "BNCNNA70B50H275C"
            << "BNCNNA70B50H275" << incomplete;
        QTest::newRow("accented letter, 10 digits")
            << person("BIANCO", "ANNA", QDate(1970, 2, 10), "RICCÒ DEL GOLFO DI SPEZIA", "SP") << true
            << "BNCNNA70B50H275C"
            << "0123456789" << incomplete;
        QTest::newRow("Roverè della Luna, VAT number with its prefix")
            << person("FERRARI", "PAOLO", QDate(1988, 3, 5), "ROVERE' DELLA LUNA", "TN") << false
            << "FRRPLA88C05H607L"
            << "IT01234567897" << incomplete;
        QTest::newRow("Cervignano del Friuli, name in force")
            << person("BERTI", "LUCA", QDate(1995, 4, 10), "CERVIGNANO DEL FRIULI", "UD") << false
            << "BRTLCU95D10C556H"
            << "BRTLCU95D10C555F" << place;
        QTest::newRow("Hong Kong, missing from one source")
            << person("CHEN", "WEI", QDate(1980, 1, 1), "HONG KONG", "EE") << false << "CHNWEI80A01Z221T"
            << "CHNWEI80A01Z221" << incomplete;
        QTest::newRow("Bozen, the other language's name")
            << person("GRUBER", "HANS", QDate(1972, 7, 22), "BOZEN", "BZ") << false << "GRBHNS72L22A952I"
            << "GRBHNS72L22A954M" << place;
        QTest::newRow("Fossaceca (CB), today's Fossalto, not Fontegreca")
            << person("ROSSI", "MARIO", QDate(2002, 4, 27), "FOSSACECA", "CB") << false << "RSSMRA02D27D737X"
            << "RSSMRA02D27D737Q" << Faults(Fault::CheckCharacter);
        QTest::newRow("Georgia, its code in force, not the ceased one")
            << person("ROSSI", "MARIA", QDate(1995, 6, 1), "GEORGIA", "EE") << true << "RSSMRA95H41Z254T"
            << "RSSMRA95H41Z254" << incomplete;
        QTest::newRow("Ö as OE") << person("ÖZ", "AYŞE", QDate(1985, 3, 12), "GERMANIA", "EE") << true
                                 << "ZOEYSA85C52Z112W"
                                 << "ZOXYSA85C52Z112M" << Faults(Fault::Surname);
    }
    void realPeople() {
        QFETCH(Person, holder);
        QFETCH(bool, woman);
        QFETCH(QString, code);
        QFETCH(QString, wrong);
        QFETCH(Faults, faults);
        QCOMPARE(computeTaxCode(holder, woman ? Sex::Female : Sex::Male).code, code);
        QCOMPARE(faultMessages(checkTaxCode(code, holder)), QStringList());
        QCOMPARE(faultMessages(checkTaxCode(wrong, holder)), faultMessages(faults));
    }
};

QTEST_GUILESS_MAIN(TaxCodeTest)
#include "test_tax_code.moc"
