// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/page_inputs.h"
#include "calc/practice_form.h"
#include "record/errors.h"
#include "record/number_text.h"
#include "startup/startup.h"
#include "tables/parameter_tables.h"
#include "test_support.h"

#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

// A practice as the program starts it, with the shipped tables.
struct Practice : StartedPractice {
    void type(const char* field, const QString& text) { form.setText(QLatin1String(field), text); }
    void leave(const char* field) { form.leave(QLatin1String(field)); }
    void enter(const char* field, const QString& text) {
        type(field, text);
        leave(field);
    }
    void select(const char* radio) { form.select(QLatin1String(radio)); }
    QString text(const char* control) {
        if (const CaptionState* c = form.caption(QLatin1String(control))) return c->text;
        return form.edit(QLatin1String(control))->text;
    }
    bool yellow(const char* caption) { return form.caption(QLatin1String(caption))->highlighted; }
    bool open(const char* edit) { return form.edit(QLatin1String(edit))->enabled; }
};

} // namespace

class CalculationsTest : public QObject {
    Q_OBJECT
private slots:
    void typicalPracticeEndToEnd() {
        Practice p;
        p.select("RadioButton13"); // da 10.001 a 100.000
        p.enter("Edit40", QStringLiteral("78"));
        p.enter("Edit41", QStringLiteral("36"));
        QCOMPARE(p.form.resTotalSurface1, 78 + 0.6 * 36);
        QCOMPARE(p.text("Label34"), QStringLiteral("99,60"));
        QCOMPARE(p.text("Edit40"), QStringLiteral("78,00"));
        QCOMPARE(p.text("Edit41"), QStringLiteral("36,00"));
        QCOMPARE(p.text("Label36"), QStringLiteral("9960,00"));
        QCOMPARE(p.text("Label63"), QStringLiteral("9960,00"));
        for (const char* c : {"Label30", "Label34", "Label35", "Label36", "Label63"})
            QVERIFY2(p.yellow(c), c);
        QCOMPARE(p.text("Edit61"), QStringLiteral("99,60"));
        QCOMPARE(p.form.enabledEdits(advanceInputs()), QStringList{"Edit61"});
        // Payment summary of the oblation: 30 % of 9960 is above the minimum.
        QCOMPARE(p.text("Label125"), QStringLiteral("9960,00"));
        QCOMPARE(p.text("Label126"), QStringLiteral("2988,00"));
        QCOMPARE(p.text("Label134"), QStringLiteral("6972,00"));
        QCOMPARE(p.text("Label132"), QStringLiteral("3486,00"));
        QCOMPARE(p.text("Label137"), QStringLiteral("3486,00"));

        p.leave("Edit61");
        QCOMPARE(p.text("Label95"), QStringLiteral("5478,00")); // 99,60 x 55,00
        QCOMPARE(p.text("Label100"), QStringLiteral("5478,00"));
        QCOMPARE(p.text("Label138"), QStringLiteral("5478,00"));
        QCOMPARE(p.text("Label139"), QStringLiteral("1643,40"));
        QCOMPARE(p.text("Label145"), QStringLiteral("1917,30"));
        QCOMPARE(p.text("Label150"), QStringLiteral("1917,30"));
        for (const char* c : {"Label92", "Label94", "Label95", "Label100"})
            QVERIFY2(p.yellow(c), c);
    }

    void oblationRows_data() {
        QTest::addColumn<QString>("typology");
        QTest::addColumn<bool>("nonResidential");
        QTest::addColumn<QString>("useful");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("amount");
        QTest::newRow("res 2") << "RadioButton2" << false << "100"
                               << "50"
                               << "130,00"
                               << "10400,00";
        QTest::newRow("res 3") << "RadioButton6" << false << "10,5"
                               << ""
                               << "10,50"
                               << "630,00";
        QTest::newRow("non-res 1: whole appurtenances") << "RadioButton1" << true << "100"
                                                        << "50"
                                                        << "150,00"
                                                        << "22500,00";
        QTest::newRow("non-res 2: whole appurtenances") << "RadioButton2" << true << "100"
                                                        << "50"
                                                        << "150,00"
                                                        << "15000,00";
        QTest::newRow("non-res 3: 0.6") << "RadioButton6" << true << "100"
                                        << "50"
                                        << "130,00"
                                        << "10400,00";
        QTest::newRow("both empty") << "RadioButton1" << false << ""
                                    << ","
                                    << "0,00"
                                    << "0,00";
    }
    void oblationRows() {
        QFETCH(QString, typology);
        QFETCH(bool, nonResidential);
        QFETCH(QString, useful);
        QFETCH(QString, second);
        QFETCH(QString, total);
        QFETCH(QString, amount);
        Practice p;
        p.form.select(typology);
        if (nonResidential) p.select("RadioButton9");
        const QStringList open = p.form.enabledEdits(oblationInputs());
        QCOMPARE(open.size(), 2);
        p.form.setText(open[0], useful);
        p.form.setText(open[1], second);
        p.form.leave(open[1]);
        const int row = int(oblationInputs().indexOf(open[0])) / 2; // 0-5
        const char* totals[] = {"Label34", "Label38", "Label42", "Label52", "Label56", "Label60"};
        const char* amounts[] = {"Label36", "Label40", "Label44", "Label54", "Label58", "Label62"};
        QCOMPARE(p.text(totals[row]), total);
        QCOMPARE(p.text(amounts[row]), amount);
        QCOMPARE(p.text(nonResidential ? "Label66" : "Label63"), amount);
        QCOMPARE(p.form.edit(open[0])->text,
                 useful.isEmpty() ? QStringLiteral("0,00") : p.form.edit(open[0])->text);
        QCOMPARE(p.form.edit(open[1])->text.endsWith(QLatin1String(",00")) || second.isEmpty(), true);
        QCOMPARE(p.yellow(totals[row]), total != QLatin1String("0,00"));
        QCOMPARE(p.yellow(nonResidential ? "Label66" : "Label63"), amount != QLatin1String("0,00"));
        QVERIFY(p.ui.errors.isEmpty());
    }

    void badInputStopsTheRow() {
        Practice p;
        p.enter("Edit40", QStringLiteral("10"));
        QVERIFY(p.yellow("Label34"));
        p.type("Edit41", QStringLiteral("1.234,5")); // pasted
        QVERIFY_THROWS_EXCEPTION(ConversionError, p.leave("Edit41"));
        QVERIFY(!p.yellow("Label34")); // step 2 ran, the results did not
        QCOMPARE(p.text("Label34"), QStringLiteral("10,00"));
        QCOMPARE(p.form.resUsefulSurface1, 10.0);
    }

    void paymentSummary_data() {
        QTest::addColumn<double>("total");
        QTest::addColumn<bool>("advance");
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<QString>("instalment");
        QTest::newRow("oblation 0") << 0.0 << false << "0,00"
                                    << "0,00"
                                    << "0,00"
                                    << "0,00";
        QTest::newRow("oblation 1000") << 1000.0 << false << "300,00"
                                       << "1000,00"
                                       << "0,00"
                                       << "0,00";
        QTest::newRow("oblation 1700") << 1700.0 << false << "510,00"
                                       << "1700,00"
                                       << "0,00"
                                       << "0,00";
        QTest::newRow("oblation 2000") << 2000.0 << false << "600,00"
                                       << "1700,00"
                                       << "300,00"
                                       << "150,00";
        QTest::newRow("oblation 10000") << 10000.0 << false << "3000,00"
                                        << "3000,00"
                                        << "7000,00"
                                        << "3500,00";
        QTest::newRow("advance 400") << 400.0 << true << "120,00"
                                     << "400,00"
                                     << "0,00"
                                     << "0,00";
        QTest::newRow("advance 1000") << 1000.0 << true << "300,00"
                                      << "500,00"
                                      << "500,00"
                                      << "250,00";
        QTest::newRow("advance 2000") << 2000.0 << true << "600,00"
                                      << "600,00"
                                      << "1400,00"
                                      << "700,00";
    }
    void paymentSummary() {
        QFETCH(double, total);
        QFETCH(bool, advance);
        QFETCH(QString, share);
        QFETCH(QString, paid);
        QFETCH(QString, remaining);
        QFETCH(QString, instalment);
        Practice p;
        if (advance)
            p.form.advanceTotalNew = total;
        else
            p.form.resOblationTotal = total;
        p.form.riepilogo();
        const char* const* c =
            advance ? (const char* const[]){"Label142", "Label139", "Label147", "Label145", "Label150"}
                    : (const char* const[]){"Label129", "Label126", "Label134", "Label132", "Label137"};
        QCOMPARE(p.text(c[0]), share);
        QCOMPARE(p.text(c[1]), paid);
        QCOMPARE(p.text(c[2]), remaining);
        QCOMPARE(p.text(c[3]), instalment);
        QCOMPARE(p.text(c[4]), instalment);
    }

    void forfaitTypologies_data() {
        QTest::addColumn<QString>("typology");
        QTest::addColumn<QString>("amountCaption");
        QTest::addColumn<QString>("amount");
        QTest::newRow("4") << "RadioButton7"
                           << "Label71"
                           << "3500,00";
        QTest::newRow("5") << "RadioButton10"
                           << "Label72"
                           << "1700,00";
        QTest::newRow("6") << "RadioButton11"
                           << "Label74"
                           << "516,00";
    }
    void forfaitTypologies() {
        QFETCH(QString, typology);
        QFETCH(QString, amountCaption);
        QFETCH(QString, amount);
        Practice p;
        // The summary pays the amount the tab shows, from Tabella C.
        p.form.oblationFixed4 = 1;
        p.form.oblationFixed5 = 2;
        p.form.oblationFixed6 = 3;
        p.form.select(typology);
        const QString tableValue = Formatta(typology == QLatin1String("RadioButton7")    ? 1.0
                                            : typology == QLatin1String("RadioButton10") ? 2.0
                                                                                         : 3.0);
        QCOMPARE(p.form.caption(amountCaption)->text, tableValue);
        QCOMPARE(p.text("Label86"), tableValue);
        QVERIFY(p.form.caption(amountCaption)->highlighted);
        QVERIFY(p.yellow("Label86"));
        for (const char* other : {"Label71", "Label72", "Label74"})
            if (amountCaption != QLatin1String(other)) QCOMPARE(p.text(other), QStringLiteral("0,00"));
        QCOMPARE(p.text("Label125"), tableValue);
        QCOMPARE(p.text("Label126"), tableValue);
        QCOMPARE(p.text("Label129"), QStringLiteral("0,00"));
        QCOMPARE(p.text("Label134"), QStringLiteral("0,00"));
        QVERIFY(p.form.enabledEdits(oblationInputs()).isEmpty());
        QVERIFY(p.form.enabledEdits(advanceInputs()).isEmpty());
        QVERIFY(p.form.enabledEdits(occupiedSurfaceInputs() + areaSurfaceInputs()).isEmpty());
        for (int n = 60; n <= 67; ++n)
            QCOMPARE(p.form.edit(QStringLiteral("Edit%1").arg(n))->text, QStringLiteral("0,00"));
        Q_UNUSED(amount);
    }

    void typologyChangeDiscardsFigures() {
        Practice p;
        p.enter("Edit40", QStringLiteral("100"));
        p.leave("Edit60");
        QVERIFY(p.form.advanceTotalNew > 0);
        p.select("RadioButton2");
        p.select("RadioButton9");
        QCOMPARE(p.form.enabledEdits(oblationInputs()), (QStringList{"Edit48", "Edit49"}));
        QVERIFY(p.form.Edit16.enabled);
        QVERIFY(p.form.Label18.enabled);
        for (int n = 40; n <= 51; ++n)
            QCOMPARE(p.form.edit(QStringLiteral("Edit%1").arg(n))->text, QStringLiteral("0,00"));
        for (const char* c : {"Label34", "Label36", "Label63", "Label66", "Label100", "Label138", "Label125"})
            QCOMPARE(p.text(c), QStringLiteral("0,00"));
        QCOMPARE(p.form.resOblationTotal, 0.0);
        QCOMPARE(p.form.advanceTotalNew, 0.0);
        QCOMPARE(p.text("Label35"), QStringLiteral("100,00")); // measures stay
    }

    void clickOnSelectedTypologyChangesNothing() {
        Practice p;
        p.enter("Edit40", QStringLiteral("50"));
        const QString total = p.text("Label36");
        p.select("RadioButton1");
        p.select("RadioButton8");
        QCOMPARE(p.text("Label36"), total);
        QCOMPARE(p.text("Edit40"), QStringLiteral("50,00"));
    }

    void carryGoesOnlyIntoTheOpenAdvanceInput() {
        Practice p;
        p.type("Edit61", QStringLiteral("7,00")); // closed input: passaggio leaves it
        p.enter("Edit40", QStringLiteral("100"));
        QCOMPARE(p.text("Edit60"), QStringLiteral("100,00"));
        QCOMPARE(p.text("Edit61"), QStringLiteral("7,00"));
        QCOMPARE(p.text("Edit64"), QStringLiteral("0,00"));
    }

    void advanceClassTwo() {
        Practice p;
        p.select("RadioButton13");
        QCOMPARE(p.form.enabledEdits(advanceInputs()), QStringList{"Edit61"});
        QCOMPARE(p.form.enabledEdits(occupiedSurfaceInputs() + areaSurfaceInputs()),
                 (QStringList{"Edit26", "Edit30"}));
        p.enter("Edit61", QStringLiteral("100"));
        QCOMPARE(p.text("Label95"), QStringLiteral("5500,00"));
        QCOMPARE(p.text("Label100"), QStringLiteral("5500,00"));
        for (const char* c : {"Label92", "Label94", "Label95", "Label100"})
            QVERIFY2(p.yellow(c), c);
        QVERIFY(!p.yellow("Label82"));
        QCOMPARE(p.text("Label138"), QStringLiteral("5500,00"));
    }

    void advanceLoneCommaCountsAsEmpty() {
        Practice p;
        p.enter("Edit60", QStringLiteral(","));
        QCOMPARE(p.text("Edit60"), QStringLiteral("0,00"));
        QVERIFY(!p.yellow("Label100"));
        QVERIFY(p.ui.errors.isEmpty());
    }

    // A change of class or works carries the surface at once and recomputes, so the
    // summary never shows the advance of a class no longer chosen.
    void changeOfWorksRefreshesAtOnce() {
        Practice p;
        p.enter("Edit40", QStringLiteral("100"));
        p.leave("Edit60");
        QCOMPARE(p.text("Label100"), QStringLiteral("3800,00"));
        p.select("RadioButton17");
        QCOMPARE(p.form.enabledEdits(advanceInputs()), QStringList{"Edit64"});
        QCOMPARE(p.text("Edit64"), QStringLiteral("100,00"));
        QCOMPARE(p.text("Label100"), QStringLiteral("0,00"));
        QCOMPARE(p.text("Label114"), QStringLiteral("1800,00"));
        QCOMPARE(p.text("Label138"), QStringLiteral("1800,00"));
        QVERIFY(p.yellow("Label114"));
        QVERIFY(!p.yellow("Label100"));
        p.select("RadioButton15");
        QCOMPARE(p.form.enabledEdits(advanceInputs()), QStringList{"Edit67"});
        QCOMPARE(p.text("Label118"), QStringLiteral("4500,00"));
        QCOMPARE(p.form.advanceTotalDue, 4500.0);
    }

    void stateLand_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("classButton");
        QTest::addColumn<QString>("occupied");
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("yearsAfter");
        QTest::addColumn<QString>("indemnity");
        QTest::addColumn<QString>("value");
        QTest::newRow("zone B class 3") << 1 << "RadioButton14"
                                        << "100"
                                        << "100"
                                        << "3"
                                        << "3"
                                        << "12000,00"
                                        << "12000,00";
        QTest::newRow("duration 12 becomes 5") << 1 << "RadioButton14"
                                               << "100"
                                               << "100"
                                               << "12"
                                               << "5"
                                               << "20000,00"
                                               << "12000,00";
        QTest::newRow("duration 0 empties") << 1 << "RadioButton14"
                                            << "100"
                                            << "100"
                                            << "0"
                                            << ""
                                            << "0,00"
                                            << "12000,00";
        QTest::newRow("no duration") << 0 << "RadioButton12"
                                     << "10"
                                     << "10"
                                     << ""
                                     << ""
                                     << "0,00"
                                     << "450,00";
        QTest::newRow("zone E class 2") << 4 << "RadioButton13"
                                        << "10"
                                        << "10"
                                        << "2"
                                        << "2"
                                        << "100,00"
                                        << "150,00";
        QTest::newRow("zone F class 4") << 5 << "RadioButton15"
                                        << "10"
                                        << "10"
                                        << "1"
                                        << "1"
                                        << "75,00"
                                        << "225,00";
    }
    void stateLand() {
        QFETCH(int, zone);
        QFETCH(QString, classButton);
        QFETCH(QString, occupied);
        QFETCH(QString, area);
        QFETCH(QString, years);
        QFETCH(QString, yearsAfter);
        QFETCH(QString, indemnity);
        QFETCH(QString, value);
        Practice p;
        p.form.select(classButton);
        p.form.chooseItem(QStringLiteral("ComboBox4"), zone);
        p.form.closeUp(QStringLiteral("ComboBox4"));
        const QStringList open = p.form.enabledEdits(occupiedSurfaceInputs() + areaSurfaceInputs());
        QCOMPARE(open.size(), 2);
        p.form.setText(open[0], occupied);
        p.form.leave(open[0]);
        p.form.setText(open[1], area);
        p.form.leave(open[1]);
        p.type("Edit33", years);
        p.leave("Edit33");
        QCOMPARE(p.text("Edit33"), yearsAfter);
        QCOMPARE(p.text("Label164"), indemnity);
        QCOMPARE(p.text("Label182"), value);
        QCOMPARE(p.form.indemnityTotal, Leggimi(indemnity));
        QVERIFY(p.yellow("Label164"));
        QVERIFY(p.yellow("Label182"));
    }

    void zoneEUnitValues() {
        Practice p;
        p.form.chooseItem(QStringLiteral("ComboBox4"), 4);
        p.form.closeUp(QStringLiteral("ComboBox4"));
        for (const char* c : {"Label156", "Label159", "Label162", "Label167"})
            QCOMPARE(p.text(c), QStringLiteral("5,00"));
        for (const char* c : {"Label174", "Label177", "Label180", "Label185"})
            QCOMPARE(p.text(c), QStringLiteral("15,00"));
    }

    void changeOfClassClearsStateLand() {
        Practice p;
        p.type("Edit33", QStringLiteral("2"));
        p.enter("Edit25", QStringLiteral("50"));
        QVERIFY(p.form.indemnityTotal > 0);
        p.select("RadioButton13");
        QCOMPARE(p.form.indemnityTotal, 0.0);
        QCOMPARE(p.form.areaValueTotal, 0.0);
        QCOMPARE(p.text("Label164"), QStringLiteral("0,00"));
        QCOMPARE(p.text("Label157"), QStringLiteral("0,00"));
        QVERIFY(!p.yellow("Label152"));
        QCOMPARE(p.text("Edit25"), QStringLiteral("0,00"));
        QVERIFY(!p.open("Edit25"));
        QVERIFY(p.open("Edit26"));
        QCOMPARE(p.text("Edit33"), QStringLiteral("2"));
    }

    void tableChangeDoesNotRefreshAmounts() {
        Practice p;
        p.enter("Edit40", QStringLiteral("10"));
        QStringList c = initialBoxTexts(Table::C);
        c[3] = QStringLiteral("200");
        p.form.startDirectory = p.dir.path();
        saveTable(p.form, Table::C, c);
        QCOMPARE(p.text("Label35"), QStringLiteral("200,00"));
        QCOMPARE(p.text("Label36"), QStringLiteral("1000,00")); // until the row is left again
        p.leave("Edit40");
        QCOMPARE(p.text("Label36"), QStringLiteral("2000,00"));
    }

    void startUpRecomputesFromTheInputs() {
        QTemporaryDir dir;
        copyShippedData(dir.path());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        PracticeForm form;
        form.Edit40.text = QStringLiteral("10");
        form.Edit60.text = QStringLiteral("20");
        Inizializzazione(form);
        QDir::setCurrent(previous);
        QCOMPARE(form.Label36.text, QStringLiteral("1000,00"));
        // The carried surface replaces what the advance input held before the advance is read.
        QCOMPARE(form.Edit60.text, QStringLiteral("10,00"));
        QCOMPARE(form.Label91.text, QStringLiteral("380,00"));
    }
};

QTEST_GUILESS_MAIN(CalculationsTest)
#include "test_calculations.moc"
