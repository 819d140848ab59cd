// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The open practice without a window: changed or not, saved by someone else, and the
// recovery copy that follows it.
#include "calc/practice_form.h"
#include "practice_file/open_practice.h"
#include "practice_file/practice_file.h"
#include "practice_file/recovery_copy.h"
#include "record/text_file.h"
#include "test_support.h"

#include <QSignalSpy>
#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

class OpenPracticeTest : public QObject {
    Q_OBJECT
private slots:
    // What the user does, step by step, as the window forwards it: "Edit1=..." typed, "memo"
    // (1 MB typed into the description), "memo-" (taken back), "salva", "altro" (another
    // program saves the file), "ripristina" (a recovery copy of the saved file restored),
    // "attendi" (until the copy is on disk).
    void bookkeepingFollowsThePractice_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("refusedFolder");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("changedOnDisk");
        QTest::addColumn<QString>("copyHolds"); // the copy's first line; empty: no copy
        QTest::addColumn<int>("failures");      // said to the user

        const QString company = QStringLiteral("IMMOBILIARE SAN GIOVANNI IN PERSICETO S.R.L.");
        const QString other = QStringLiteral("COSTRUZIONI EDILI FRATELLI DELL'ORTO S.N.C.");
        QTest::newRow("nuova") << QStringList{} << 0 << false << false << false << QString() << 0;
        QTest::newRow("digitata") << QStringList{"Edit1=" + company} << 0 << false << true << false << company
                                  << 0;
        QTest::newRow("ripresa") << QStringList{"Edit1=" + company, "attendi", "Edit1="} << 0 << false
                                 << false << false << QString() << 0;
        QTest::newRow("l'ultima copia vince")
            << QStringList{"Edit1=" + company, "Edit1=" + other} << 0 << false << true << false << other << 0;
        QTest::newRow("non prima dell'intervallo")
            << QStringList{"Edit1=" + company, "attendi", "Edit1=" + other} << 60000 << false << true << false
            << company << 0;
        QTest::newRow("salvata") << QStringList{"Edit1=" + company, "salva"} << 0 << false << false << false
                                 << QString() << 0;
        QTest::newRow("salvata da un altro") << QStringList{"Edit1=" + company, "salva", "altro"} << 0
                                             << false << false << true << QString() << 0;
        QTest::newRow("memoria lunga") << QStringList{"memo"} << 0 << false << true << false << "-1" << 0;
        QTest::newRow("memoria ripresa")
            << QStringList{"memo", "memo-"} << 0 << false << false << false << QString() << 0;
        QTest::newRow("ripristinata") << QStringList{"Edit1=" + company, "salva", "ripristina"} << 0 << false
                                      << true << false << company << 0;
        QTest::newRow("cartella rifiutata, detto una volta")
            << QStringList{"Edit1=" + company, "attendi", "Edit1=" + other} << 0 << true << true << false
            << QString() << 1;
    }

    void bookkeepingFollowsThePractice() {
        QFETCH(QStringList, steps);
        QFETCH(int, interval);
        QFETCH(bool, refusedFolder);
        QTemporaryDir dir;
        const QString folder = dir.filePath(refusedFolder ? "un-file" : "stato");
        if (refusedFolder) QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        const QString file = dir.filePath("pratica.qdr");

        PracticeForm form;
        OpenPractice open(form, folder);
        open.setRecoveryInterval(interval);
        QSignalSpy failures(&open, &OpenPractice::recoveryFailed);
        const QString memo =
            QStringLiteral("Ampliamento del sottotetto con cambio di destinazione d'uso.\r\n")
                .repeated(16 * 1024);
        for (const QString& step : steps) {
            if (step.startsWith("Edit1=")) {
                form.setText("Edit1", step.mid(6));
            } else if (step == "memo" || step == "memo-") {
                form.setMemo("Memo1", step == "memo" ? memo : QString());
            } else if (step == "salva") {
                savePracticeAs(form, file);
                open.markSaved(fileBytes(file));
            } else if (step == "altro") {
                writeBytes(file, fileBytes(file).replace("IMMOBILIARE", "IMMOBILIARI"));
            } else if (step == "ripristina") {
                open.markRestored(RecoveryCopy::digest(fileBytes(file)));
            } else if (step == "attendi") {
                QTRY_VERIFY(QFile::exists(open.recoveryCopyPath()) || !failures.isEmpty());
            }
            open.practiceChanged();
        }
        QTest::qWait(20); // the interval of 0 elapses
        const QString copy = open.recoveryCopyPath();
        QCoreApplication::processEvents(); // what the writer said

        QTEST(open.isModified(), "modified");
        QTEST(open.changedOnDisk(), "changedOnDisk");
        const QByteArray held = QFile::exists(copy) ? RecoveryCopy::read(copy).practice : QByteArray();
        QTEST(QString::fromUtf8(held.left(held.indexOf("\r\n"))), "copyHolds");
        QTEST(int(failures.size()), "failures");
        if (!held.isEmpty()) QCOMPARE(held.size() > 1000000, steps.contains("memo"));
    }
};

QTEST_GUILESS_MAIN(OpenPracticeTest)
#include "test_open_practice.moc"
