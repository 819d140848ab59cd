// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/practice_form.h"
#include "documents/document_checks.h"
#include "record/catalogue.h"

#include <QtTest>

using namespace quadrelo;

namespace {

std::optional<CheckFailure> run(PracticeForm& form, const char* handler) {
    return firstFailedCheck(form, *documentCommand(QLatin1String(handler)));
}

void fillApplicant(PracticeForm& f) {
    f.Edit1.text = "MARIO";
    f.Edit2.text = "ROSSI";
    f.Edit3.text = "FORLÌ";
    f.Edit22.text = "FC";
    f.Edit5.text = "RSSMRA60E12D704X";
    f.Edit6.text = "CESENA";
    f.Edit7.text = "ROMA";
    f.Edit8.text = "1";
    f.chooseItem("ComboBox2", 6);
    f.chooseItem("ComboBox3", 0);
}

void fillProperty(PracticeForm& f) {
    f.Edit9.text = "RIMINI";
    f.Edit10.text = "CAVOUR";
    f.Edit11.text = "3";
    f.chooseItem("ComboBox1", 4);
}

void fillTechnician(PracticeForm& f) {
    f.technicianFirstName = f.technicianLastName = f.technicianBirthPlace = f.technicianBirthProvince = "X";
    f.technicianTaxCode = f.technicianOfficeTown = f.technicianRegisterNumber = f.technicianRegisterProvince =
        "X";
    f.technicianRegisterName = "dei Geometri";
}

const QString applicantInsufficient =
    QStringLiteral("I dati relativi al richiedente risultano insufficienti.");
const QString applicantIncomplete = QStringLiteral("I dati relativi al richiedente risultano incompleti.");
const QString propertyMessage =
    QStringLiteral("I dati relativi all'immobile oggetto di sanatoria risultano insufficienti.");
const QString description = QStringLiteral("Digitare una sintetica descrizione dell'illecito.");
const QString technician = QStringLiteral("I dati del tecnico incaricato risultano incompleti.");

} // namespace

class DocumentChecksTest : public QObject {
    Q_OBJECT
private slots:
    void newPractice_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("page");
        QTest::newRow("istanza") << "Riepilogopratica1Click" << applicantInsufficient << int(PageRichiedente);
        QTest::newRow("antimafia") << "Stampa1Click" << applicantIncomplete << int(PageRichiedente);
        QTest::newRow("stato lavori")
            << "Dichiarazionesullostatodeilavori1Click" << applicantIncomplete << int(PageRichiedente);
        QTest::newRow("perizia") << "Periziagiurata1Click" << applicantInsufficient << int(PageRichiedente);
        QTest::newRow("statica") << "Certificazionediidoneitstatica2Click" << applicantInsufficient
                                 << int(PageRichiedente);
        QTest::newRow("sismica") << "Certificazionediidoneitstatica1Click" << applicantInsufficient
                                 << int(PageRichiedente);
        QTest::newRow("tecnica") << "Relazionetecnicadescrittiva1Click" << applicantInsufficient
                                 << int(PageRichiedente);
        QTest::newRow("rifiuti") << "Denunciaaifinidellatassasmaltimentorifiuti1Click" << applicantIncomplete
                                 << int(PageRichiedente);
        QTest::newRow("occupazione") << "Denunciaperloccupazionesuolopubblico1Click" << applicantIncomplete
                                     << int(PageRichiedente);
        QTest::newRow("riepilogo") << "Riepilogopratica2Click" << applicantInsufficient
                                   << int(PageRichiedente);
        QTest::newRow("promemoria") << "Promemoriascadenze1Click" << applicantInsufficient
                                    << int(PageRichiedente);
        QTest::newRow("pubbliche") << "Prospettorelativoallacquisizioneareepubbliche1Click"
                                   << "Digitare la durata complessiva dell'occupazione pregressa."
                                   << int(PageAreeStato);
    }
    void newPractice() {
        QFETCH(QString, handler);
        QFETCH(QString, message);
        QFETCH(int, page);
        PracticeForm form;
        const auto failure = firstFailedCheck(form, *documentCommand(handler));
        QVERIFY(failure);
        QCOMPARE(failure->message, message);
        QCOMPARE(failure->page, page);
    }

    void icoHasNoChecks() {
        PracticeForm form;
        QVERIFY(!run(form, "ToolButton11Click"));
    }

    // A street type typed by hand passes B and fails B1.
    void typedStreetType_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<bool>("propertyFails");
        QTest::newRow("antimafia B") << "Stampa1Click" << false;
        QTest::newRow("rifiuti B") << "Denunciaaifinidellatassasmaltimentorifiuti1Click" << false;
        QTest::newRow("istanza B1") << "Riepilogopratica1Click" << true;
        QTest::newRow("perizia B1") << "Periziagiurata1Click" << true;
        QTest::newRow("promemoria B1") << "Promemoriascadenze1Click" << true;
    }
    void typedStreetType() {
        QFETCH(QString, handler);
        QFETCH(bool, propertyFails);
        PracticeForm form;
        fillApplicant(form);
        fillProperty(form);
        form.setText("ComboBox1", "contrada");
        const auto failure = firstFailedCheck(form, *documentCommand(handler));
        QCOMPARE(failure && failure->message == propertyMessage, propertyFails);
    }

    void descriptionLength() {
        PracticeForm form;
        fillApplicant(form);
        fillProperty(form);
        form.Edit23.text = "100";
        form.Memo1.text = QString(20, QLatin1Char('x'));
        QVERIFY(!run(form, "Dichiarazionesullostatodeilavori1Click")); // D passes
        const auto failure = run(form, "Riepilogopratica1Click");      // D20 fails
        QVERIFY(failure);
        QCOMPARE(failure->message, description);
        QCOMPARE(failure->focus, QStringList{"Memo1"});
        form.Memo1.text = QStringLiteral("0123456789\n123456789"); // the line break counts as CR LF
        QVERIFY(run(form, "Riepilogopratica1Click")->message != description);
    }

    void volumeAndForfait() {
        PracticeForm form;
        fillApplicant(form);
        fillProperty(form);
        form.Memo1.text = QString(30, QLatin1Char('x'));
        auto failure = run(form, "Riepilogopratica1Click");
        QCOMPARE(failure->message,
                 QStringLiteral("Digitare l'ammontare della volumetria oggetto di sanatoria."));
        QCOMPARE(failure->focus, QStringList{"Edit23"});
        form.select("RadioButton6"); // typology 3: V passes, O does not
        failure = run(form, "Riepilogopratica1Click");
        QCOMPARE(failure->message,
                 QStringLiteral("I dati numerici per il calcolo dell'oblazione risultano insufficienti."));
        QCOMPARE(failure->page, int(PageOblazione));
        form.select("RadioButton10"); // typology 5: O and N pass with nothing entered
        failure = run(form, "Riepilogopratica1Click");
        QCOMPARE(failure->message, QStringLiteral("Gli allegati non sono stati selezionati."));
        QCOMPARE(failure->page, int(PageAllegati));
        form.CheckBox6.checked = form.CheckBox7.checked = true; // not among the first three
        QVERIFY(run(form, "Riepilogopratica1Click"));
        form.CheckBox5.checked = true;
        QVERIFY(!run(form, "Riepilogopratica1Click"));
        QVERIFY(!run(form, "Riepilogopratica2Click"));
    }

    void advanceNeeded() {
        PracticeForm form;
        fillApplicant(form);
        fillProperty(form);
        form.Edit23.text = "100";
        form.Memo1.text = QString(30, QLatin1Char('x'));
        form.resUsefulSurface1 = 10;
        const auto failure = run(form, "Promemoriascadenze1Click");
        QCOMPARE(failure->page, int(PageAnticipazione));
        form.advanceAmountRestructuring3 = 1;
        QVERIFY(!run(form, "Promemoriascadenze1Click"));
    }

    void technicianLastWithoutPageChange() {
        PracticeForm form;
        form.Edit1.text = "MARIO";
        form.Edit2.text = "ROSSI";
        fillProperty(form);
        form.Memo1.text = "x";
        auto failure = run(form, "Certificazionediidoneitstatica1Click");
        QCOMPARE(failure->message, technician);
        QCOMPARE(failure->page, -1);
        failure = run(form, "Relazionetecnicadescrittiva1Click");
        QCOMPARE(failure->message, QStringLiteral("Inserire la relazione tecnica."));
        QCOMPARE(failure->focus, QStringList{"Memo2"});
        form.Memo2.text = "r";
        fillTechnician(form);
        form.technicianOfficeAddress.clear(); // not checked
        QVERIFY(!run(form, "Relazionetecnicadescrittiva1Click"));
        form.technicianRegisterName.clear();
        QCOMPARE(run(form, "Certificazionediidoneitstatica2Click")->message, technician);
    }

    void stateLandSurfaces() {
        PracticeForm form;
        form.Edit33.text = "3";
        form.select("RadioButton14");
        auto failure = run(form, "Prospettorelativoallacquisizioneareepubbliche1Click");
        QCOMPARE(failure->message,
                 QStringLiteral("Digitare la superficie oggetto di occupazione pregressa."));
        QCOMPARE(failure->focus, QStringList{"Edit27"});
        form.occupiedSurface3 = 10;
        failure = run(form, "Prospettorelativoallacquisizioneareepubbliche1Click");
        QCOMPARE(failure->message, QStringLiteral("Digitare la superficie oggetto di occupazione."));
        QCOMPARE(failure->focus, QStringList{"Edit31"});
        form.areaSurface3 = 10;
        QVERIFY(!run(form, "Prospettorelativoallacquisizioneareepubbliche1Click"));
    }

    void applicantFirstEvenWithPropertyMissing() {
        PracticeForm form;
        fillApplicant(form);
        form.Edit8.text.clear();
        QCOMPARE(run(form, "Stampa1Click")->message, applicantIncomplete);
        form.Edit8.text = " "; // spaces count as content
        QCOMPARE(run(form, "Stampa1Click")->message, propertyMessage);
    }
};

QTEST_GUILESS_MAIN(DocumentChecksTest)
#include "test_document_checks.moc"
