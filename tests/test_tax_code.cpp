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
        QTest::newRow("not yet 16") << "RSSMRA80" << p << none;
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
};

QTEST_GUILESS_MAIN(TaxCodeTest)
#include "test_tax_code.moc"
