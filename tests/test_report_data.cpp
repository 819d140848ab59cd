// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/practice_form.h"
#include "documents/dialog_defaults.h"
#include "documents/report_data.h"
#include "record/errors.h"

#include <QtTest>

using namespace quadrelo;

namespace {

QString valueOf(PracticeForm& form, const QString& column) {
    const QStringList row = RvCustomConnection1GetRow(form);
    return row.at(columnNames().indexOf(column));
}

} // namespace

class ReportDataTest : public QObject {
    Q_OBJECT
private slots:
    void columnsInOrder_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fullName");
        QTest::newRow("first") << 1 << "dati" << 300 << "dati_dichiarante";
        QTest::newRow("firma") << 2 << "firma" << 50 << "luogo_dichiarante";
        QTest::newRow("tecnico") << 6 << "tecnico" << 300 << "dati_tecnico";
        QTest::newRow("Subalterni") << 18 << "Subalterni" << 30 << "dati_modello";
        QTest::newRow("marks") << 24 << "ResidenzialeN" << 3 << "dati_modello";
        QTest::newRow("Tipologia") << 27 << "Tipologia" << 5 << "dati_modello";
        QTest::newRow("tot") << 47 << "tot" << 20 << "dati_modello";
        QTest::newRow("rat") << 93 << "rat" << 20 << "dati_modello";
        QTest::newRow("ft") << 109 << "ft" << 20 << "dati_modello";
        QTest::newRow("descrizione") << 110 << "descrizione" << 1000 << "dati_modello";
        QTest::newRow("decorre") << 113 << "decorre" << 20 << "dati_rifiuti";
        QTest::newRow("decorre0") << 114 << "decorre0" << 20 << "dati_rifiuti";
        QTest::newRow("decorre10") << 124 << "decorre10" << 20 << "dati_rifiuti";
        QTest::newRow("occupa") << 125 << "occupa" << 200 << "dati_rifiuti";
        QTest::newRow("ici08") << 134 << "ici08" << 30 << "dati_ici";
        QTest::newRow("ici1_18") << 152 << "ici1_18" << 20 << "dati_ici";
        QTest::newRow("ici2_1") << 153 << "ici2_1" << 20 << "dati_ici";
        QTest::newRow("all") << 195 << "all" << 500 << "dati_allegati";
        QTest::newRow("relazione") << 196 << "relazione" << 2000 << "dati_modello";
        QTest::newRow("tribunale2") << 199 << "tribunale2" << 50 << "giurato";
        QTest::newRow("last") << 201 << "demanio2" << 50 << "dem";
    }
    void columnsInOrder() {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(QString, fullName);
        const auto& cols = RvCustomConnection1GetCols();
        QCOMPARE(cols.size(), 201);
        QCOMPARE(cols.at(position - 1).name, name);
        QCOMPARE(cols.at(position - 1).width, width);
        QCOMPARE(cols.at(position - 1).fullName, fullName);
        const QStringList names = columnNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 201);
    }

    void rowHasOneValuePerColumn() {
        PracticeForm form;
        QCOMPARE(RvCustomConnection1GetRow(form).size(), 201);
        form.select("RadioButton17");
        form.RadioButton3.checked = false; // a malformed file: no "ultimati" choice
        QCOMPARE(RvCustomConnection1GetRow(form).size(), 201);
    }

    void boxedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("boxed");
        QTest::newRow("AB") << "AB"
                            << "|A|B|";
        QTest::newRow("empty") << ""
                               << "|";
        QTest::newRow("date") << "12/05/1960"
                              << "|1|2|/|0|5|/|1|9|6|0|";
        QTest::newRow("spaces kept") << "VIA  X"
                                     << "|V|I|A| | |X|";
    }
    void boxedText() {
        QFETCH(QString, text);
        QFETCH(QString, boxed);
        QCOMPARE(spazia(text), boxed);
    }

    void boxedFigures_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("boxed");
        QTest::newRow("78 in 9") << 9 << 78.0 << "| | | | |7|8|,|0|0|";
        QTest::newRow("zero") << 9 << 0.0 << " ";
        QTest::newRow("negative") << 14 << -5.0 << " ";
        QTest::newRow("longer than the width") << 5 << 123456.0 << "|1|2|3|4|5|6|,|0|0|";
        QTest::newRow("exact width") << 6 << 100.0 << "|1|0|0|,|0|0|";
        QTest::newRow("rounded as shown") << 7 << 0.125 << "| | | |0|,|1|3|";
    }
    void boxedFigures() {
        QFETCH(int, width);
        QFETCH(double, value);
        QFETCH(QString, boxed);
        QCOMPARE(dilata(width, value), boxed);
    }

    void birthDatePieces_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("pieces");
        QTest::newRow("1960") << QDate(1960, 5, 12) << "12  05  60";
        QTest::newRow("2001") << QDate(2001, 4, 3) << "  03  04/2001";
        QTest::newRow("1950") << QDate(1950, 1, 1) << "01  01  50";
    }
    void birthDatePieces() {
        QFETCH(QDate, date);
        QFETCH(QString, pieces);
        PracticeForm form;
        form.DateTimePicker3.date = date;
        QCOMPARE(valueOf(form, "ici04"), pieces);
    }

    void sentencesWithEmptyFields() {
        PracticeForm form;
        QCOMPARE(
            valueOf(form, "dati"),
            QStringLiteral("          Il sottoscritto  , nato a  (prov.  ) il 01/01/1950 (codice fiscale ), "
                           "residente in , selezionare  , nella sua qualità di selezionare dell'unità "
                           "immobiliare ubicata in comune di , selezionare  , ai sensi e per gli effetti "
                           "dell'art. 46 D.P.R. 28/12/2000 n.445, al fine di non incorrere nelle esclusioni "
                           "disposte dal comma 29 dell'art.32 del D.L. 30 settembre 2003, n. 269"));
        QCOMPARE(valueOf(form, "firma"), QStringLiteral("          , lì . . . . . . . . . . . . . . ."));
        QCOMPARE(valueOf(form, "richiedente"), QStringLiteral("Richiedente:  "));
        QCOMPARE(valueOf(form, "tecnico"),
                 QStringLiteral(
                     "      Il sottoscritto  , nato a  (prov.  ) il  (codice fiscale ), con studio in   "
                     ", iscritto al numero  dell'Albo  della provincia di  in qualità di tecnico "
                     "incaricato, viste le opere abusive di cui alla domanda di Condono Edilizio in "
                     "oggetto, consistenti in:"));
    }

    void filledSentences() {
        PracticeForm form;
        form.Edit1.text = "MARIO";
        form.Edit2.text = "ROSSI";
        form.Edit3.text = "FORLÌ";
        form.Edit22.text = "FC";
        form.DateTimePicker3.date = QDate(1960, 5, 12);
        form.Edit5.text = "RSSMRA60E12D704X";
        form.Edit6.text = "CESENA";
        form.chooseItem("ComboBox2", 6);
        form.Edit7.text = "ROMA";
        form.Edit8.text = "12";
        form.chooseItem("ComboBox3", 0);
        form.Edit9.text = "RIMINI";
        form.chooseItem("ComboBox1", 4);
        form.Edit10.text = "CAVOUR";
        form.Edit11.text = "3/A";
        form.technicianFirstName = "LUCA";
        form.technicianLastName = "BIANCHI";
        form.technicianOfficeTown = "RIMINI";
        form.technicianOfficeAddress = "VIA DANTE 5";
        form.technicianRegisterName = "dei Geometri";
        QCOMPARE(valueOf(form, "spazzatura"),
                 QStringLiteral(
                     "MARIO ROSSI, nato a FORLÌ (prov. FC ) il 12/05/1960 (codice fiscale "
                     "RSSMRA60E12D704X), residente in CESENA, via ROMA 12, nella sua qualità di "
                     "proprietario dell'unità immobiliare ubicata in comune di RIMINI, piazza CAVOUR 3/A"));
        QCOMPARE(valueOf(form, "Via"), QStringLiteral("|v|i|a| |R|O|M|A| |1|2|"));
        QCOMPARE(valueOf(form, "ubicazione"),
                 QStringLiteral("Ubicazione abuso: comune di RIMINI, piazza CAVOUR 3/A"));
        QVERIFY(valueOf(form, "giurato")
                    .contains(QStringLiteral("con studio in RIMINI VIA DANTE 5 , iscritto al numero  "
                                             "dell'Albo dei Geometri della provincia di ")));
        QCOMPARE(valueOf(form, "ici07"), QStringLiteral("via ROMA 12"));
        QCOMPARE(valueOf(form, "stato"),
                 QStringLiteral("          - che le opere stesse sono state ultimate in data 31/03/2003;"));
    }

    void typologyCode_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("code");
        QTest::newRow("1") << "RadioButton1"
                           << "|0|1|";
        QTest::newRow("3") << "RadioButton6"
                           << "|0|3|";
        QTest::newRow("5") << "RadioButton10"
                           << "|0|5|";
        QTest::newRow("6") << "RadioButton11"
                           << "|0|6|";
    }
    void typologyCode() {
        QFETCH(QString, button);
        QFETCH(QString, code);
        PracticeForm form;
        form.select(button);
        QCOMPARE(valueOf(form, "Tipologia"), code);
        form.RadioButton1.checked = form.RadioButton2.checked = form.RadioButton6.checked = false;
        form.RadioButton7.checked = form.RadioButton10.checked = form.RadioButton11.checked = false;
        QCOMPARE(valueOf(form, "Tipologia"), QStringLiteral("|0|6|"));
    }

    void paymentLines() {
        PracticeForm form;
        QCOMPARE(valueOf(form, "dovuto"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "unterzo"), QStringLiteral(" "));
        // No new-construction advance: the restructuring line is the one filled.
        form.advanceTotalRestructuring = 1000;
        form.advanceFirstPayment = 500;
        form.advanceInstalment = 250;
        QCOMPARE(valueOf(form, "dovuto2"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "rata2"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "dovuto3"), dilata(14, 1000));
        QCOMPARE(valueOf(form, "unterzo3"), dilata(14, 300));
        QCOMPARE(valueOf(form, "resta3"), dilata(14, 500));
        QCOMPARE(valueOf(form, "rata3"), QStringLiteral("| | | | | | | | |2|5|0|,|0|0|"));
        form.advanceTotalRestructuring = 0;
        QCOMPARE(valueOf(form, "dovuto3"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "versato3"), dilata(14, 500));
        form.advanceTotalNew = 2000;
        QCOMPARE(valueOf(form, "dovuto2"), dilata(14, 2000));
        QCOMPARE(valueOf(form, "versato3"), QStringLiteral(" "));
        form.nonResOblationTotal = 3000;
        QCOMPARE(valueOf(form, "dovuto"), dilata(14, 3000));
        QCOMPARE(valueOf(form, "unterzo"), dilata(14, 900));
    }

    void attachments() {
        PracticeForm form;
        QCOMPARE(valueOf(form, "all6"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "all"), QString());
        form.CheckBox3.checked = true;
        form.CheckBox10.checked = true;
        form.CheckBox12.checked = true;
        form.Edit35.text = "Planimetria";
        QCOMPARE(valueOf(form, "all1"), QStringLiteral("X"));
        QCOMPARE(valueOf(form, "all2"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "all6"), QStringLiteral("X"));
        QCOMPARE(
            valueOf(form, "all"),
            QStringLiteral("Dichiarazione di non obbligatorietà della certificazione di idoneità statica\r\n"
                           "Planimetria\r\n"));
    }

    void occupationArea_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("area");
        QTest::newRow("12 x 5") << "12"
                                << "5"
                                << "60";
        QTest::newRow("largest product") << "46341"
                                         << "46340"
                                         << "2147441940";
        QTest::newRow("product beyond 32 bits") << "46341"
                                                << "46341"
                                                << "";
        QTest::newRow("side beyond 32 bits") << "3000000000"
                                             << "1"
                                             << "";
    }
    void occupationArea() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, area);
        if (area.isEmpty())
            QVERIFY_THROWS_EXCEPTION(Error, quadrelo::occupationArea(first, second));
        else
            QCOMPARE(quadrelo::occupationArea(first, second), area);
    }

    void occupationDays() {
        QCOMPARE(quadrelo::occupationDays(QDate(2004, 1, 1), QDate(2004, 1, 31)), QStringLiteral("31"));
        QCOMPARE(quadrelo::occupationDays(QDate(2004, 1, 1), QDate(2004, 1, 1)), QString());
        QCOMPARE(quadrelo::occupationDays(QDate(2004, 2, 1), QDate(2004, 1, 1)), QString());
        QCOMPARE(quadrelo::occupationDays(QDate(2004, 2, 28), QDate(2004, 3, 1)),
                 QStringLiteral("3")); // leap year
    }

    // The dialogs' values in their numbered order, the command line's order, reach the columns
    // numbered alike.
    void dialogValuesByNumber_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        for (int i = 0; i < int(kOccupationFields.size()); ++i)
            QTest::addRow("decorre%d", i)
                << QStringLiteral("decorre%1").arg(i) << QStringLiteral("occupazione %1").arg(i);
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= int(kIciItems.size()); ++k)
                QTest::addRow("ici%d_%d", p, k) << QStringLiteral("ici%1_%2").arg(p).arg(k)
                                                << QStringLiteral("immobile %1 voce %2").arg(p).arg(k);
    }
    void dialogValuesByNumber() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        PracticeForm form;
        for (int i = 0; i < int(kOccupationFields.size()); ++i)
            form.occupationData.*kOccupationFields[i] = QStringLiteral("occupazione %1").arg(i);
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= int(kIciItems.size()); ++k)
                form.iciData[p - 1].*kIciItems[k - 1] = QStringLiteral("immobile %1 voce %2").arg(p).arg(k);
        QCOMPARE(valueOf(form, column), value);
    }

    void marksAndDialogValues() {
        PracticeForm form;
        form.select("RadioButton9");
        form.Edit16.text = "NEGOZIO";
        form.CheckBox2.checked = true;
        form.select("RadioButton5");
        form.wasteStartDate = "01/02/2004";
        form.occupationData.kind = "ponteggio";
        form.iciData[1].mainHome = "X";
        form.swornCourt = "RIMINI";
        form.indemnityTotal = 12000;
        form.areaValueTotal = 12000;
        QCOMPARE(valueOf(form, "ResidenzialeS"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "ResidenzialeN"), QStringLiteral("X"));
        QCOMPARE(valueOf(form, "NonRes"), QStringLiteral("|N|E|G|O|Z|I|O|"));
        QCOMPARE(valueOf(form, "DemanioS"), QStringLiteral("X"));
        QCOMPARE(valueOf(form, "VincoliN"), QStringLiteral("X"));
        QCOMPARE(valueOf(form, "UltimaS"), QStringLiteral(" "));
        QCOMPARE(valueOf(form, "UltimaP"), QStringLiteral("X"));
        QCOMPARE(valueOf(form, "decorre"),
                 QStringLiteral("          che dal giorno 01/02/2004 ha iniziato "
                                "l'occupazione dei locali e delle aree di cui sopra"));
        QCOMPARE(valueOf(form, "decorre10"), QStringLiteral("ponteggio"));
        QCOMPARE(valueOf(form, "ici2_18"), QStringLiteral("X"));
        QCOMPARE(valueOf(form, "tribunale1"), QStringLiteral("RIMINI"));
        QCOMPARE(valueOf(form, "demanio2"), dilata(14, 6000));
    }
};

QTEST_GUILESS_MAIN(ReportDataTest)
#include "test_report_data.moc"
