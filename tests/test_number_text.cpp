// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "record/errors.h"
#include "record/number_text.h"

#include <QtTest>
#include <clocale>

using namespace quadrelo;

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void formatta_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0,00";
        QTest::newRow("thousands, no grouping") << 1234.5 << "1234,50";
        QTest::newRow("negative") << -2.5 << "-2,50";
        QTest::newRow("half up after 18 digits") << 0.125 << "0,13";
        QTest::newRow("2.675 is below half") << 2.675 << "2,67";
        QTest::newRow("million") << 1000000.0 << "1000000,00";
        QTest::newRow("surface 99.6") << 78 + 0.6 * 36 << "99,60";
        QTest::newRow("1.005 rounds down") << 1.005 << "1,00";
        QTest::newRow("carry into the units") << 9.995 << "9,99";
        QTest::newRow("carry 0.999") << 0.999 << "1,00";
        QTest::newRow("negative half away from zero") << -0.125 << "-0,13";
        QTest::newRow("tiny") << 1e-20 << "0,00";
        QTest::newRow("big") << 1e20 << "100000000000000000000,00";
        QTest::newRow("one third") << 1.0 / 3 << "0,33";
        QTest::newRow("instalment of 7000") << 3500.0 << "3500,00";
    }
    void formatta() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Formatta(value), text);
    }

    void leggimi_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "78" << 78.0;
        QTest::newRow("comma") << "78,5" << 78.5;
        QTest::newRow("two decimals") << "3,25" << 3.25;
        QTest::newRow("point") << "3.25" << 3.25;
        QTest::newRow("sign") << "-2,50" << -2.5;
        QTest::newRow("plus") << "+4" << 4.0;
        QTest::newRow("exponent") << "1,5E3" << 1500.0;
        QTest::newRow("trailing comma") << "5," << 5.0;
        QTest::newRow("leading comma") << ",5" << 0.5;
    }
    void leggimi() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Leggimi(text), value);
    }

    void leggimiRefuses_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("grouping") << "1.234,5"
                                  << "'1.234,5' non è un valore numerico valido";
        QTest::newRow("empty") << ""
                               << "'' non è un valore numerico valido";
        QTest::newRow("bare comma") << ","
                                    << "',' non è un valore numerico valido";
        QTest::newRow("letters") << "abc"
                                 << "'abc' non è un valore numerico valido";
        QTest::newRow("space") << "1 000"
                               << "'1 000' non è un valore numerico valido";
        QTest::newRow("two commas") << "1,2,3"
                                    << "'1,2,3' non è un valore numerico valido";
    }
    void leggimiRefuses() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            Leggimi(text);
            QFAIL("no conversion error");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void inputReadingRule() {
        QCOMPARE(leggiInput(QString()), 0.0);
        QCOMPARE(leggiInput(QStringLiteral(",")), 0.0);
        QCOMPARE(leggiInput(QStringLiteral("1,5")), 1.5);
        QVERIFY_THROWS_EXCEPTION(ConversionError, leggiInput(QStringLiteral("x")));
    }

    // The process locale follows the environment; an Italian one must not change the texts.
    void independentOfProcessLocale() {
        if (!std::setlocale(LC_ALL, "it_IT.UTF-8")) QSKIP("Italian locale not installed");
        QCOMPARE(Formatta(1234.5), QStringLiteral("1234,50"));
        QCOMPARE(Leggimi(QStringLiteral("3,25")), 3.25);
        std::setlocale(LC_ALL, "C");
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "test_number_text.moc"
