// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Recovery copies across real processes: this test program also plays the working program,
// started again with "--figlio", typing into the window as a user would.
#include "app/application_setup.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <cstdio>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

const QString kChild = QStringLiteral("--figlio");

// "scrivi": opens pratica.qdr, types over the applicant's name and works on until killed.
// "ripristina": answers "SI" to any recovery question, reports what it holds, ends normally.
int runChild(const QString& mode, const QString& folder) {
    QDir::setCurrent(folder);
    MainWindow w(false);
    w.setRecoveryInterval(100);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 2;
    QApplication::setActiveWindow(&w);
    if (!QTest::qWaitForWindowActive(&w)) return 3;
    if (mode == QLatin1String("scrivi")) {
        w.openPracticeFile(QDir(folder).filePath(QStringLiteral("pratica.qdr")));
        QTest::mouseClick(w.findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("bianchi"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::exec();
    }
    MessageWindows::setTestMode(true);
    MessageWindows::setNextChoices({0});
    w.offerRecovery();
    std::printf("domande=%s\n", qPrintable(MessageWindows::shownMessages().join(QLatin1Char('|'))));
    std::printf("Edit1=%s\n", qPrintable(w.form().Edit1.text));
    std::printf("titolo=%s\n", qPrintable(w.windowTitle()));
    // A restored practice is a changed one: it keeps a copy of its own until the program ends.
    const bool copy = QTest::qWaitFor([&w] { return QFile::exists(w.recoveryCopyPath()); }, 3000);
    std::printf("copia=%d\n", copy ? 1 : 0);
    std::fflush(stdout);
    return 0; // the program ends without a crash
}

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("~Quadrelo-*")}, QDir::Files);
}

bool someCopyHolds(const QString& folder, const QByteArray& text) {
    for (const QString& name : QDir(folder).entryList({QStringLiteral("~Quadrelo-*.recupero")}, QDir::Files))
        if (fileBytes(QDir(folder).filePath(name)).contains(text)) return true;
    return false;
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    QString runRestorer(const QString& folder) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {kChild, QStringLiteral("ripristina"), folder});
        if (!p.waitForFinished(30000)) return QStringLiteral("non terminato");
        return QString::fromLocal8Bit(p.readAllStandardOutput()) +
               QString::fromLocal8Bit(p.readAllStandardError());
    }

private slots:
    void killedProgramIsRecoveredByTheNextStart() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(copyShippedData(dir.path()));
        const QString practice = dir.filePath(QStringLiteral("pratica.qdr"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), practice));

        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {kChild, QStringLiteral("scrivi"), dir.path()});
        QVERIFY(writer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(someCopyHolds(dir.path(), "BIANCHI\r\nROSSI\r\n"), 30000);

        // A second program while the first still runs: the copy is not its to offer.
        const QString beside = runRestorer(dir.path());
        QVERIFY2(beside.contains(QStringLiteral("domande=\n")), qPrintable(beside));
        QVERIFY2(beside.contains(QStringLiteral("Edit1=\n")), qPrintable(beside));
        QVERIFY2(beside.contains(QStringLiteral("copia=0\n")), qPrintable(beside));
        QVERIFY(someCopyHolds(dir.path(), "BIANCHI\r\n"));

        writer.kill(); // SIGKILL: no chance to clean up
        QVERIFY(writer.waitForFinished());
        QVERIFY(someCopyHolds(dir.path(), "BIANCHI\r\n"));

        const QString restored = runRestorer(dir.path());
        QVERIFY2(restored.contains(QStringLiteral(
                     "domande=È stata trovata una pratica non salvata (ROSSI BIANCHI, pratica.qdr, ")),
                 qPrintable(restored));
        QVERIFY2(restored.contains(QStringLiteral("). Ripristinarla?\n")), qPrintable(restored));
        QVERIFY2(restored.contains(QStringLiteral("Edit1=BIANCHI\n")), qPrintable(restored));
        QVERIFY2(restored.contains(QStringLiteral("copia=1\n")), qPrintable(restored));
        // A changed practice, bound to the file it came from.
        QVERIFY2(restored.contains(QStringLiteral("titolo=Quadrelo 2004 - %1*\n").arg(practice)),
                 qPrintable(restored));
        // The file itself was never touched, and a normal end leaves no copy and no lock behind.
        QVERIFY(fileBytes(practice).startsWith("MARIO\r\n"));
        QCOMPARE(leftovers(dir.path()), QStringList());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setupApplication(app);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == kChild) return runChild(arguments.at(2), arguments.at(3));
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test_recovery.moc"
