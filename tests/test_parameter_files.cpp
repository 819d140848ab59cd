// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/practice_form.h"
#include "record/errors.h"
#include "startup/startup.h"
#include "tables/parameter_tables.h"
#include "tables/technician.h"
#include "test_support.h"

#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

QByteArray fileOf(const QStringList& values) {
    QByteArray bytes = "NON MODIFICARE MANUALMENTE QUESTO FILE!!!\r\n";
    for (const QString& v : values)
        bytes += v.toLatin1() + "\r\n";
    return bytes;
}

struct Workspace {
    QTemporaryDir dir;
    PracticeForm form;
    RecordingInterface ui;
    Workspace() {
        copyShippedData(dir.path());
        form.setUserInterface(&ui);
        form.startDirectory = dir.path();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

class ParameterFilesTest : public QObject {
    Q_OBJECT
private slots:
    void shippedFilesHoldTheInitialValues_data() {
        QTest::addColumn<int>("table");
        QTest::newRow("A") << int(Table::A);
        QTest::newRow("B") << int(Table::B);
        QTest::newRow("C") << int(Table::C);
        QTest::newRow("D") << int(Table::D);
    }
    void shippedFilesHoldTheInitialValues() {
        QFETCH(int, table);
        const Table t = Table(table);
        const QString shipped = QStringLiteral(QUADRELO_SOURCE_DIR "/data/") + tableFileName(t);
        QCOMPARE(fileBytes(shipped).toHex(' '), fileOf(initialBoxTexts(t)).toHex(' '));
    }

    void startUpLoadsEveryTable() {
        QTemporaryDir dir;
        copyShippedData(dir.path());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        RecordingInterface ui;
        PracticeForm form(&ui);
        Inizializzazione(form);
        QDir::setCurrent(previous);
        QVERIFY(ui.errors.isEmpty());
        QCOMPARE(form.oblationRateNonResidential1, 150.0);
        QCOMPARE(form.oblationRateResidential1, 100.0);
        QCOMPARE(form.Label53.text, QStringLiteral("150,00"));
        QCOMPARE(form.Label35.text, QStringLiteral("100,00"));
        QCOMPARE(form.Label84.text, QStringLiteral("516,00"));
        QCOMPARE(form.Label117.text, QStringLiteral("45,00"));
        QCOMPARE(form.tableA[16], 5.0);
        QCOMPARE(form.tableB[17], 22.5);
        QCOMPARE(form.Label156.text, QStringLiteral("15,00")); // zone A, class 1
        QCOMPARE(form.technicianRegisterName, QString());
    }

    // One missing file is reported once; the files after it still load.
    void missingFileDoesNotStopTheOthers_data() {
        QTest::addColumn<QString>("missing");
        QTest::newRow("tec.dat") << "tec.dat";
        QTest::newRow("tabc.dat") << "tabc.dat";
        QTest::newRow("tabd.dat") << "tabd.dat";
    }
    void missingFileDoesNotStopTheOthers() {
        QFETCH(QString, missing);
        QTemporaryDir dir;
        copyShippedData(dir.path());
        QFile::remove(dir.filePath(missing));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        RecordingInterface ui;
        PracticeForm form(&ui);
        Inizializzazione(form);
        QDir::setCurrent(previous);
        QCOMPARE(ui.errors.size(), 1);
        QVERIFY2(ui.errors.first().contains(missing), qPrintable(ui.errors.first()));
        QVERIFY(ui.errors.first().contains(QStringLiteral("file non trovato")));
        QCOMPARE(form.tableB[6], missing == QLatin1String("tabb.dat") ? 0.0 : 120.0);
        QCOMPARE(form.advanceRateNew2, missing == QLatin1String("tabd.dat") ? 0.0 : 55.0);
        QCOMPARE(form.Label94.text,
                 missing == QLatin1String("tabd.dat") ? QStringLiteral("0,00") : QStringLiteral("55,00"));
        QCOMPARE(form.oblationFixed5, missing == QLatin1String("tabc.dat") ? 0.0 : 1700.0);
    }

    void shortTableFailsAtItsFirstMissingValue() {
        Workspace w;
        QFile f(w.path(QStringLiteral("tabd.dat")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("NON MODIFICARE MANUALMENTE QUESTO FILE!!!\r\n40,00\r\n");
        f.close();
        QVERIFY_THROWS_EXCEPTION(ConversionError, loadTable(w.form, Table::D));
        QCOMPARE(w.form.advanceRateNew1, 40.0);
        QCOMPARE(w.form.advanceRateNew2, 0.0);
    }

    void savesAreByteExact_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("written");
        QStringList a = initialBoxTexts(Table::A);
        QTest::newRow("A untouched") << int(Table::A) << a << a;
        QStringList a2 = a;
        a2[8] = QStringLiteral("7,5");
        a2[3] = QString();
        QStringList a2w = a2;
        a2w[3] = QStringLiteral("0,00");
        QTest::newRow("A verbatim 7,5 and empty box") << int(Table::A) << a2 << a2w;
        QStringList c = initialBoxTexts(Table::C);
        c[0] = QStringLiteral("7,5");
        c[8] = QString();
        QStringList cw = c;
        cw[0] = QStringLiteral("7,50");
        cw[8] = QStringLiteral("0,00");
        QTest::newRow("C formatted") << int(Table::C) << c << cw;
        QStringList d = initialBoxTexts(Table::D);
        d[1] = QStringLiteral("55");
        QStringList dw = initialBoxTexts(Table::D);
        QTest::newRow("D formatted") << int(Table::D) << d << dw;
    }
    void savesAreByteExact() {
        QFETCH(int, table);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, written);
        Workspace w;
        saveTable(w.form, Table(table), boxes);
        QCOMPARE(fileBytes(w.path(tableFileName(Table(table)))).toHex(' '), fileOf(written).toHex(' '));
        // What was written reads back as what memory now holds.
        PracticeForm reloaded;
        reloaded.startDirectory = w.dir.path();
        loadTable(reloaded, Table(table));
        for (int i = 0; i < 18; ++i) {
            QCOMPARE(reloaded.tableA[i], w.form.tableA[i]);
            QCOMPARE(reloaded.tableB[i], w.form.tableB[i]);
        }
        QCOMPARE(reloaded.oblationRateNonResidential1, w.form.oblationRateNonResidential1);
        QCOMPARE(reloaded.advanceRateNew2, w.form.advanceRateNew2);
    }

    void savedTableCTakesItsCaptions() {
        Workspace w;
        QStringList c = initialBoxTexts(Table::C);
        c[0] = QStringLiteral("123,4"); // typology 1 non-residential
        saveTable(w.form, Table::C, c);
        QCOMPARE(w.form.oblationRateNonResidential1, 123.4);
        QCOMPARE(w.form.Label53.text, QStringLiteral("123,40"));
        QCOMPARE(w.form.Label35.text, QStringLiteral("100,00"));
    }

    void badBoxChangesNothing_data() {
        QTest::addColumn<int>("table");
        QTest::newRow("A") << int(Table::A);
        QTest::newRow("C") << int(Table::C);
        QTest::newRow("D") << int(Table::D);
    }
    void badBoxChangesNothing() {
        QFETCH(int, table);
        Workspace w;
        loadTable(w.form, Table(table));
        const QByteArray before = fileBytes(w.path(tableFileName(Table(table))));
        const double a0 = w.form.tableA[0], c1 = w.form.oblationRateNonResidential1,
                     d1 = w.form.advanceRateNew1;
        const QString caption = w.form.Label90.text;
        QStringList boxes = initialBoxTexts(Table(table));
        boxes[0] = QStringLiteral("99");
        boxes[5] = QStringLiteral(",");
        try {
            saveTable(w.form, Table(table), boxes);
            QFAIL("no conversion error");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QStringLiteral("',' non è un valore numerico valido"));
        }
        QCOMPARE(fileBytes(w.path(tableFileName(Table(table)))), before);
        QCOMPARE(w.form.tableA[0], a0);
        QCOMPARE(w.form.oblationRateNonResidential1, c1);
        QCOMPARE(w.form.advanceRateNew1, d1);
        QCOMPARE(w.form.Label90.text, caption);
    }

    void failedWriteChangesNothing() {
        Workspace w;
        loadTable(w.form, Table::D);
        showTableCaptions(w.form, Table::D);
        const QByteArray before = fileBytes(w.path(QStringLiteral("tabd.dat")));
        ReadOnlyFolder lock(w.dir.path());
        if (!lock.active()) QSKIP("cannot make a folder read-only here");
        QStringList boxes = initialBoxTexts(Table::D);
        boxes[0] = QStringLiteral("99,00");
        try {
            saveTable(w.form, Table::D, boxes);
            QFAIL("no error");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("tabd.dat")), qPrintable(e.message()));
        }
        QCOMPARE(fileBytes(w.path(QStringLiteral("tabd.dat"))), before);
        QCOMPARE(w.form.advanceRateNew1, 38.0);
        QCOMPARE(w.form.Label90.text, QStringLiteral("38,00"));

        TechnicianFields t;
        t.texts[0] = QStringLiteral("NUOVO");
        QVERIFY_THROWS_EXCEPTION(IoError, saveTechnician(w.form, t));
        QVERIFY(w.form.technicianFirstName.isEmpty());
    }

    void editorWithMissingFileShowsInitialValues() {
        Workspace w;
        QFile::remove(w.path(QStringLiteral("tabd.dat")));
        QStringList boxes;
        QVERIFY_THROWS_EXCEPTION(IoError, readTableForEditor(w.form, Table::D, boxes));
        QCOMPARE(boxes,
                 (QStringList{"38,00", "55,00", "71,00", "89,00", "18,00", "27,00", "36,00", "45,00"}));
        saveTable(w.form, Table::D, boxes);
        QCOMPARE(fileBytes(w.path(QStringLiteral("tabd.dat"))), fileOf(boxes));
    }

    void editorOfShortFileLeavesBoxesEmpty() {
        Workspace w;
        QFile f(w.path(QStringLiteral("taba.dat")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("NON MODIFICARE MANUALMENTE QUESTO FILE!!!\r\n1,5\r\n");
        f.close();
        QStringList boxes;
        readTableForEditor(w.form, Table::A, boxes);
        QCOMPARE(boxes.at(0), QStringLiteral("1,5"));
        QVERIFY(boxes.at(1).isEmpty());
        saveTable(w.form, Table::A, boxes);
        QCOMPARE(w.form.tableA[1], 0.0);
    }

    void editorOfTableCLoadsMemory() {
        Workspace w;
        QStringList boxes;
        readTableForEditor(w.form, Table::C, boxes);
        QCOMPARE(boxes.at(6), QStringLiteral("3500,00"));
        QCOMPARE(w.form.oblationFixed4, 3500.0);
        QCOMPARE(w.form.Label76.text, QStringLiteral("0,00")); // captions untouched
    }

    void technicianRoundTrip_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("line11");
        QTest::addColumn<QString>("name");
        QTest::newRow("Geometri") << 2 << QByteArray("2") << "dei Geometri";
        QTest::newRow("Architetti") << 0 << QByteArray("0") << "degli Architetti";
        QTest::newRow("Periti edili") << 5 << QByteArray("5") << "dei Periti edili";
        QTest::newRow("none") << -1 << QByteArray("-1") << "";
    }
    void technicianRoundTrip() {
        QFETCH(int, index);
        QFETCH(QByteArray, line11);
        QFETCH(QString, name);
        Workspace w;
        TechnicianFields t;
        t.texts =
            QStringList{"MARIO", "ROSSI", "FORLÌ", "FC", "RSSMRA60A01D704X", "1234", "FC", "", "VIA ROMA 1"};
        t.registerIndex = index;
        t.birthDate = QDate(1960, 1, 1);
        saveTechnician(w.form, t);
        QByteArray expected =
            "NON MODIFICARE MANUALMENTE QUESTO FILE!!!\r\nMARIO\r\nROSSI\r\nFORL\xcc\r\nFC\r\n"
            "RSSMRA60A01D704X\r\n1234\r\nFC\r\n\r\nVIA ROMA 1\r\n" +
            line11 + "\r\n01/01/1960\r\n";
        QCOMPARE(fileBytes(w.path(QStringLiteral("tec.dat"))).toHex(' '), expected.toHex(' '));
        QCOMPARE(w.form.technicianRegisterName, name);

        PracticeForm restarted;
        restarted.startDirectory = w.dir.path();
        loadTechnician(restarted);
        QCOMPARE(restarted.technicianRegisterName, name);
        QCOMPARE(restarted.technicianBirthPlace, QStringLiteral("FORLÌ"));
        QVERIFY(restarted.technicianOfficeTown.isEmpty());
        QCOMPARE(restarted.technicianOfficeAddress, QStringLiteral("VIA ROMA 1"));
        QCOMPARE(restarted.technicianBirthDate, QStringLiteral("01/01/1960"));

        TechnicianFields shown;
        readTechnicianForDialog(restarted, shown);
        QCOMPARE(shown.registerIndex, index);
        QCOMPARE(shown.texts, t.texts);
    }

    void technicianDialogRefusesBadLines() {
        Workspace w;
        QFile f(w.path(QStringLiteral("tec.dat")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("NON MODIFICARE MANUALMENTE QUESTO "
                "FILE!!!\r\nA\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nX\r\n01/01/1960\r\n");
        f.close();
        TechnicianFields shown;
        QVERIFY_THROWS_EXCEPTION(ConversionError, readTechnicianForDialog(w.form, shown));
        QCOMPARE(shown.texts.at(0), QStringLiteral("A"));
    }

    void textThatCannotBeStoredIsRefused() {
        Workspace w;
        TechnicianFields t;
        t.texts[0] = QStringLiteral("ŁUKASZ");
        const QByteArray before = fileBytes(w.path(QStringLiteral("tec.dat")));
        QVERIFY_THROWS_EXCEPTION(Error, saveTechnician(w.form, t));
        QCOMPARE(fileBytes(w.path(QStringLiteral("tec.dat"))), before);
    }
};

QTEST_GUILESS_MAIN(ParameterFilesTest)
#include "test_parameter_files.moc"
