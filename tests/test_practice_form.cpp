// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/practice_form.h"
#include "record/catalogue.h"
#include "record/errors.h"
#include "test_support.h"

#include <QtTest>

#include <memory>
#include <optional>

using namespace quadrelo;
using quadrelo::testing::RecordingInterface;

namespace {
const QString appraisal = QStringLiteral("La domanda di condono dovrà essere corredata da una perizia "
                                         "giurata sulle dimensioni e sullo stato delle "
                                         "opere.");
const QString over750 = QStringLiteral("La domanda di condono è improcedibile perché il volume della nuova "
                                       "costruzione o dell'ampliamento è superiore a 750 mc.");
const QString over30 = QStringLiteral(
    "La domanda di condono è improcedibile perché l'ampliamento è superiore al 30% dell'esistente.");
const QString over3000 =
    QStringLiteral("La domanda di condono è improcedibile perché il volume totale è superiore a 3000 mc.");
} // namespace

class PracticeFormTest : public QObject {
    Q_OBJECT
private slots:
    void volumeChecks_data() {
        QTest::addColumn<QString>("toRegularise");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty: nothing") << ""
                                        << "1000"
                                        << "";
        QTest::newRow("451 without existing") << "451"
                                              << "" << appraisal;
        QTest::newRow("450 without existing passes") << "450"
                                                     << ""
                                                     << "";
        QTest::newRow("300 of 1000 is exactly 30 %") << "300"
                                                     << "1000"
                                                     << "";
        QTest::newRow("301 of 1000") << "301"
                                     << "1000" << over30;
        QTest::newRow("100 on 2950") << "100"
                                     << "2950" << over3000;
        QTest::newRow("100 on 2900 is exactly 3000") << "100"
                                                     << "2900"
                                                     << "";
        QTest::newRow("751 whatever the existing") << "751"
                                                   << "100000" << over750;
        QTest::newRow("751 without existing") << "751"
                                              << "" << over750;
        QTest::newRow("750 exactly, existing 2000") << "750"
                                                    << "2000" << over30;
        QTest::newRow("existing zero: nothing") << "500"
                                                << "0"
                                                << "";
        QTest::newRow("460 on 1600") << "460"
                                     << "1600" << appraisal;
        QTest::newRow("450 on 1600 passes") << "450"
                                            << "1600"
                                            << "";
    }
    void volumeChecks() {
        QFETCH(QString, toRegularise);
        QFETCH(QString, existing);
        QFETCH(QString, message);
        RecordingInterface ui;
        PracticeForm form(&ui);
        form.setText(QStringLiteral("Edit23"), toRegularise);
        form.setText(QStringLiteral("Edit24"), existing);
        form.leave(QStringLiteral("Edit23"));
        QCOMPARE(ui.warnings, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(form.Edit23.text, toRegularise); // only a warning: the value stays
    }

    void existingVolumeCheck_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("warned");
        QTest::newRow("3001") << "3001" << true;
        QTest::newRow("3000") << "3000" << false;
        QTest::newRow("empty") << "" << false;
    }
    void existingVolumeCheck() {
        QFETCH(QString, existing);
        QFETCH(bool, warned);
        RecordingInterface ui;
        PracticeForm form(&ui);
        form.setText(QStringLiteral("Edit24"), existing);
        form.leave(QStringLiteral("Edit24"));
        QCOMPARE(ui.warnings.size(), warned ? 1 : 0);
        if (warned)
            QCOMPARE(ui.warnings.first(),
                     QStringLiteral("Verificare la consistenza volumetrica totale dell'immobile."));
    }

    void pastedNonDigitsInVolumeIsAConversionError() {
        PracticeForm form;
        form.setText(QStringLiteral("Edit23"), QStringLiteral("12a"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, form.leave(QStringLiteral("Edit23")));
    }

    void completionDate_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QDate>("after");
        QTest::addColumn<int>("warnings");
        QTest::newRow("31/03/2003 passes") << QDate(2003, 3, 31) << QDate(2003, 3, 31) << 0;
        QTest::newRow("01/04/2003 goes back") << QDate(2003, 4, 1) << QDate(2003, 3, 31) << 1;
        QTest::newRow("earlier passes") << QDate(1999, 7, 15) << QDate(1999, 7, 15) << 0;
        QTest::newRow("much later goes back") << QDate(2010, 1, 1) << QDate(2003, 3, 31) << 1;
    }
    void completionDate() {
        QFETCH(QDate, date);
        QFETCH(QDate, after);
        QFETCH(int, warnings);
        RecordingInterface ui;
        PracticeForm form(&ui);
        form.setDate(QStringLiteral("DateTimePicker1"), date);
        form.closeUp(QStringLiteral("DateTimePicker1"));
        QCOMPARE(form.DateTimePicker1.date, after);
        QCOMPARE(ui.warnings.size(), warnings);
        if (warnings)
            QCOMPARE(ui.warnings.first(),
                     QStringLiteral("Le opere sono condonabili se ultimate entro il 31/03/2003."));
    }

    void statusDateIsNeverChecked() {
        RecordingInterface ui;
        PracticeForm form(&ui);
        form.setDate(QStringLiteral("DateTimePicker2"), QDate(2004, 6, 1));
        form.leave(QStringLiteral("DateTimePicker2"));
        QCOMPARE(form.DateTimePicker2.date, QDate(2004, 6, 1));
        QVERIFY(ui.warnings.isEmpty());
    }

    void nuovaResetsEverything() {
        RecordingInterface ui;
        PracticeForm form(&ui);
        for (const QString& name : PracticeForm::editNames())
            form.edit(name)->text = QStringLiteral("X");
        for (const QString& name : PracticeForm::checkNames())
            form.check(name)->checked = true;
        for (const QString& name : PracticeForm::figureNames())
            *form.figure(name) = 7;
        form.chooseItem(QStringLiteral("ComboBox2"), 6);
        form.chooseItem(QStringLiteral("ComboBox4"), 3);
        form.setMemo(QStringLiteral("Memo1"), QStringLiteral("abc"));
        form.select(QStringLiteral("RadioButton7"));
        form.select(QStringLiteral("RadioButton9"));
        form.select(QStringLiteral("RadioButton14"));
        form.select(QStringLiteral("RadioButton17"));
        form.select(QStringLiteral("RadioButton5"));
        form.setDate(QStringLiteral("DateTimePicker3"), QDate(1970, 5, 5));
        form.currentFileName = QStringLiteral("/tmp/x.qdr");
        // Rows and totals of the calculation tabs are the captions that ever turn yellow.
        for (const QString& name : PracticeForm::captionNames()) {
            const int n = name.mid(5).toInt();
            if ((n >= 30 && n <= 118) || n >= 152) form.caption(name)->highlighted = true;
        }

        form.Nuova1Click();

        QCOMPARE(form.windowCaption(), QStringLiteral("Quadrelo 2004"));
        QCOMPARE(form.currentFileName, QStringLiteral("-1"));
        QCOMPARE(ui.pages, QList<int>{PageRichiedente});
        for (const QString& name : PracticeForm::editNames()) {
            const int n = name.mid(4).toInt();
            const bool number = (n >= 25 && n <= 32) || n >= 40;
            QCOMPARE(form.edit(name)->text, number ? QStringLiteral("0,00") : QString());
        }
        for (const QString& name : PracticeForm::checkNames())
            QVERIFY(!form.check(name)->checked);
        for (const QString& name : PracticeForm::figureNames())
            if (!name.contains(QLatin1String("UnitValue"))) QCOMPARE(*form.figure(name), 0.0);
        for (const QString& name :
             {QStringLiteral("ComboBox1"), QStringLiteral("ComboBox2"), QStringLiteral("ComboBox3")}) {
            QCOMPARE(form.combo(name)->itemIndex, -1);
            QCOMPARE(form.combo(name)->text, QStringLiteral("selezionare"));
        }
        QCOMPARE(form.ComboBox4.itemIndex, 0);
        QCOMPARE(form.ComboBox4.text, QStringLiteral("zona A"));
        QVERIFY(form.Memo1.text.isEmpty());
        for (const char* on :
             {"RadioButton1", "RadioButton3", "RadioButton8", "RadioButton12", "RadioButton16"})
            QVERIFY2(form.radio(QLatin1String(on))->checked, on);
        for (const char* off :
             {"RadioButton7", "RadioButton9", "RadioButton14", "RadioButton17", "RadioButton5"})
            QVERIFY2(!form.radio(QLatin1String(off))->checked, off);
        QCOMPARE(form.DateTimePicker1.date, QDate(2003, 3, 31));
        QCOMPARE(form.DateTimePicker2.date, QDate(2003, 3, 31));
        QCOMPARE(form.DateTimePicker3.date, QDate(1950, 1, 1));

        // Only the first residential row is open among the oblation inputs.
        for (int n = 40; n <= 51; ++n)
            QCOMPARE(form.edit(QStringLiteral("Edit%1").arg(n))->enabled, n == 40 || n == 41);
        QVERIFY(!form.Edit16.enabled);
        QVERIFY(!form.Label18.enabled);
        // Result captions read 0,00 and are white.
        for (const QString& name : PracticeForm::captionNames()) {
            const CaptionState* c = form.caption(name);
            QVERIFY2(!c->highlighted, qPrintable(name));
        }
        for (const char* name : {"Label63", "Label66", "Label86", "Label100", "Label114", "Label125",
                                 "Label126", "Label138", "Label164", "Label182"})
            QCOMPARE(form.caption(QLatin1String(name))->text, QStringLiteral("0,00"));
        // Row captions keep their words.
        QCOMPARE(form.Label30.text, QStringLiteral("1"));
        QCOMPARE(form.Label81.text, QStringLiteral("6"));
        QCOMPARE(form.Label116.text, QStringLiteral("Oltre 300.000"));
        QCOMPARE(form.Label158.text, QStringLiteral("Da 10.001 a 100.000"));
        QVERIFY(ui.warnings.isEmpty());
    }

    // Who shows a practice is not copied with it: the copy of a window's practice must not
    // warn through the window, nor through a stand-in that dies with its source.
    void aCopyShowsOnlyThroughItsOwnInterface_data() {
        QTest::addColumn<bool>("sourceShown");
        QTest::addColumn<bool>("assigned");
        QTest::newRow("copy of a practice shown nowhere") << false << false;
        QTest::newRow("copy of a practice a window shows") << true << false;
        QTest::newRow("assigned onto a practice a window shows") << true << true;
    }
    void aCopyShowsOnlyThroughItsOwnInterface() {
        QFETCH(bool, sourceShown);
        QFETCH(bool, assigned);
        RecordingInterface sourceUi;
        RecordingInterface targetUi;
        auto source = std::make_unique<PracticeForm>(sourceShown ? &sourceUi : nullptr);
        source->setText(QStringLiteral("Edit24"), QStringLiteral("3001"));
        std::optional<PracticeForm> copy;
        if (assigned) {
            copy.emplace(&targetUi);
            *copy = *source;
        } else {
            copy.emplace(*source);
        }
        QVERIFY(&copy->ui() != &source->ui());
        source.reset();
        copy->leave(QStringLiteral("Edit24"));
        QCOMPARE(copy->Edit24.text, QStringLiteral("3001"));
        QCOMPARE(sourceUi.warnings.size(), 0);
        QCOMPARE(targetUi.warnings.size(), assigned ? 1 : 0);
    }

    void selectingTheSelectedButtonChangesNothing() {
        PracticeForm form;
        form.Edit40.text = QStringLiteral("12,00");
        form.select(QStringLiteral("RadioButton1"));
        QCOMPARE(form.Edit40.text, QStringLiteral("12,00"));
        form.select(QStringLiteral("RadioButton8"));
        QCOMPARE(form.Edit40.text, QStringLiteral("12,00"));
    }

    void radioGroupsStayExclusive() {
        PracticeForm form;
        form.select(QStringLiteral("RadioButton11"));
        QVERIFY(!form.RadioButton1.checked);
        QVERIFY(form.RadioButton8.checked); // another group
        QCOMPARE(form.typology(), 6);
        form.select(QStringLiteral("RadioButton15"));
        QCOMPARE(form.municipalityClass(), 4);
        QVERIFY(!form.RadioButton12.checked);
    }

    void listsTakeTypedTextOnlyWhereAllowed() {
        PracticeForm form;
        form.setText(QStringLiteral("ComboBox1"), QStringLiteral("contrada"));
        QCOMPARE(form.ComboBox1.itemIndex, -1);
        QCOMPARE(form.ComboBox1.text, QStringLiteral("contrada"));
        form.setText(QStringLiteral("ComboBox3"), QStringLiteral("erede"));
        QCOMPARE(form.ComboBox3.itemIndex, 2);
        form.chooseItem(QStringLiteral("ComboBox4"), 25); // beyond the list: nothing chosen
        QCOMPARE(form.ComboBox4.itemIndex, -1);
        QVERIFY(form.ComboBox4.text.isEmpty());
        QCOMPARE(fieldSpec(QStringLiteral("ComboBox4"))->kind, FieldKind::FixedList);
        QCOMPARE(fieldSpec(QStringLiteral("ComboBox2"))->kind, FieldKind::List);
    }

    void catalogueCoversEveryControl() {
        QStringList named;
        for (const FieldSpec& f : fieldCatalogue())
            named << f.name;
        for (const QStringList* names :
             {&PracticeForm::editNames(), &PracticeForm::checkNames(), &PracticeForm::radioNames(),
              &PracticeForm::comboNames(), &PracticeForm::dateNames(), &PracticeForm::memoNames()})
            for (const QString& n : *names)
                QVERIFY2(named.contains(n), qPrintable(n));
        QCOMPARE(named.size(), QSet<QString>(named.begin(), named.end()).size());
        QCOMPARE(pageTitles().size(), int(PageCount));
    }
};

QTEST_GUILESS_MAIN(PracticeFormTest)
#include "test_practice_form.moc"
