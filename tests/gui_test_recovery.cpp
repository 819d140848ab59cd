// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Recovery copies across real processes: this test program also plays the working program,
// started again with "--figlio", typing into the window as a user would.
#include "app/application_setup.h"
#include "practice_file/recovery_copy.h"
#include "record/errors.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStatusBar>
#include <QtTest>

#include <cstdio>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // Nothing restored, no copy may appear: five times the interval shows that.
    const bool restored = !MessageWindows::shownMessages().isEmpty();
    const bool copy =
        QTest::qWaitFor([&w] { return QFile::exists(w.recoveryCopyPath()); }, restored ? 10000 : 500);
    std::printf("copia=%d\n", copy ? 1 : 0);
    std::fflush(stdout);
    return 0; // the program ends without a crash
}

// A copy as a program writes it, of a practice whose applicant is ROSSI MARIO.
QByteArray validCopy(const QString& practice) {
    return "QUADRELO RECUPERO 1\r\n" + QFile::encodeName(practice) + "\r\n-\r\n" +
           fileBytes(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
}

// The user "nobody", for files and folders that belong to someone else (only root can make them).
bool giveToNobody(const QString& path) {
    const passwd* nobody = ::getpwnam("nobody");
    return nobody && ::lchown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
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
    // A link planted at the copy's name or in place of the private folder, a folder that others
    // may write to or that is not the user's: nothing outside the user's own folder is written.
    void copyIsNeverWrittenThroughALink_data() {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<bool>("written"); // a copy is written, elsewhere than the victim
        QTest::newRow("link at the copy's name") << "name" << true;
        QTest::newRow("link at the copy between writes") << "between" << true;
        QTest::newRow("folder is a link") << "folder link" << false;
        QTest::newRow("folder open to everyone") << "folder 0777" << false;
        QTest::newRow("folder of another user") << "folder nobody" << false;
    }
    void copyIsNeverWrittenThroughALink() {
        QFETCH(QString, plant);
        QFETCH(bool, written);
        QTemporaryDir root;
        const QString state = root.filePath("stato/quadrelo");
        const QString victim = root.filePath("vittima.qdr");
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), victim));
        const QByteArray before = fileBytes(victim);
        QVERIFY(QDir().mkpath(root.filePath("altrove")));
        if (plant == "folder link") {
            QVERIFY(QDir().mkpath(root.filePath("stato")));
            QVERIFY(QFile::link(root.filePath("altrove"), state));
        } else {
            QVERIFY(QDir().mkpath(state));
        }
        if (plant == "folder 0777") QVERIFY(::chmod(QFile::encodeName(state).constData(), 0777) == 0);
        if (plant == "folder nobody" && (::geteuid() != 0 || !giveToNobody(state)))
            QSKIP("Only root can give the folder to another user.");

        RecoveryCopy copy(state);
        if (plant == "name") QVERIFY(QFile::link(victim, copy.path()));
        bool refused = false;
        try {
            copy.write("NUOVA\r\n", QStringLiteral("-1"), {});
            if (plant == "between") {
                QVERIFY(QFile::remove(copy.path()) && QFile::link(victim, copy.path()));
                copy.write("NUOVA\r\n", QStringLiteral("-1"), {});
            }
        } catch (const IoError& e) {
            refused = true;
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(state)), qPrintable(e.message()));
        }
        QCOMPARE(refused, !written);
        QCOMPARE(fileBytes(victim), before);
        QVERIFY(QDir(root.filePath("altrove")).isEmpty());
        if (written) {
            QVERIFY(someCopyHolds(state, "NUOVA\r\n"));
            QCOMPARE(QFileInfo(copy.path()).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                     QFile::Permissions());
        }
        copy.remove();
    }

    // Only the user's own copies are offered; one that cannot be used is set aside and said once.
    void onlyTheUsersOwnCopiesAreOffered_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<bool>("setAside");
        QTest::newRow("own copy") << "own" << true << false;
        QTest::newRow("copy of another user") << "nobody" << false << false;
        QTest::newRow("link to a copy elsewhere") << "link" << false << false;
        QTest::newRow("in a folder open to everyone") << "folder 0777" << false << false;
        QTest::newRow("damaged copy") << "damaged" << false << true;
        QTest::newRow("unreadable copy") << "unreadable" << false << true;
    }
    void onlyTheUsersOwnCopiesAreOffered() {
        QFETCH(QString, kind);
        QFETCH(bool, offered);
        QFETCH(bool, setAside);
        QTemporaryDir root;
        const QString state = root.filePath("quadrelo");
        QVERIFY(QDir().mkpath(state));
        QVERIFY(::chmod(QFile::encodeName(state).constData(), kind == "folder 0777" ? 0777 : 0700) == 0);
        const QString practice = root.filePath("pratiche/pratica.qdr");
        const QString name = QDir(state).filePath("~Quadrelo-1-2.recupero");
        QByteArray bytes = validCopy(practice);
        if (kind == "damaged") bytes.chop(bytes.size() / 2);
        if (kind == "link") {
            QFile f(root.filePath("piantata"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            f.close();
            QVERIFY(QFile::link(root.filePath("piantata"), name));
        } else {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        if (kind == "nobody" && (::geteuid() != 0 || !giveToNobody(name)))
            QSKIP("Only root can give the copy to another user.");
        if (kind == "unreadable") {
            if (::geteuid() == 0) QSKIP("Root reads every file.");
            QVERIFY(QFile::setPermissions(name, QFileDevice::Permissions()));
        }

        QStringList aside;
        QList<RecoveredPractice> found = RecoveryCopy::abandoned(state, &aside);
        QCOMPARE(found.size(), offered ? 1 : 0);
        if (offered) {
            QCOMPARE(found.constFirst().fileName, practice);
            QCOMPARE(found.constFirst().applicant, QStringLiteral("ROSSI MARIO"));
        }
        QCOMPARE(aside, setAside ? QStringList{name + ".danneggiata"} : QStringList());
        found.clear(); // the locks go
        // Said once: the next start neither offers it nor reports it again.
        QStringList again;
        QCOMPARE(RecoveryCopy::abandoned(state, &again).size(), offered ? 1 : 0);
        QCOMPARE(again, QStringList());
        if (kind == "link") QVERIFY(QFileInfo(name).isSymLink());
    }

    // A copy that cannot be written is said in the status bar, not dropped in silence.
    void refusedCopyIsSaid() {
        QTemporaryDir dir;
        QVERIFY(copyShippedData(dir.path()));
        QTemporaryDir stateHome;
        QVERIFY(QDir(stateHome.path()).mkdir("quadrelo"));
        QVERIFY(QFile::setPermissions(stateHome.filePath("quadrelo"), QFileDevice::Permissions(0x7777)));
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.path()));
        QDir::setCurrent(dir.path());
        MessageWindows::setTestMode(true);
        MainWindow w(false);
        w.setRecoveryInterval(0);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("bianchi"));
        QTRY_VERIFY(w.statusBar()->currentMessage().contains("cartella delle copie di recupero"));
        QVERIFY(w.statusBar()->currentMessage().contains("anche altri utenti vi possono scrivere"));
        QVERIFY(QDir(stateHome.filePath("quadrelo")).isEmpty());
        MessageWindows::setNextChoices({1}); // leaving: do not save
        w.close();
    }

    void killedProgramIsRecoveredByTheNextStart() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The copies go to the user's own folder, never into the work folder.
        QTemporaryDir stateHome;
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.path()));
        const QString copies = stateHome.filePath(QStringLiteral("quadrelo"));
        QVERIFY(copyShippedData(dir.path()));
        const QString practice = dir.filePath(QStringLiteral("pratica.qdr"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), practice));

        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {kChild, QStringLiteral("scrivi"), dir.path()});
        QVERIFY(writer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(someCopyHolds(copies, "BIANCHI\r\nROSSI\r\n"), 30000);
        QCOMPARE(leftovers(dir.path()), QStringList());
        struct stat folder {};
        QVERIFY(::stat(QFile::encodeName(copies).constData(), &folder) == 0);
        QCOMPARE(folder.st_mode & 0777, 0700u);

        // A second program while the first still runs: the copy is not its to offer.
        const QString beside = runRestorer(dir.path());
        QVERIFY2(beside.contains(QStringLiteral("domande=\n")), qPrintable(beside));
        QVERIFY2(beside.contains(QStringLiteral("Edit1=\n")), qPrintable(beside));
        QVERIFY2(beside.contains(QStringLiteral("copia=0\n")), qPrintable(beside));
        QVERIFY(someCopyHolds(copies, "BIANCHI\r\n"));

        writer.kill(); // SIGKILL: no chance to clean up
        QVERIFY(writer.waitForFinished());
        QVERIFY(someCopyHolds(copies, "BIANCHI\r\n"));

        const QString restored = runRestorer(dir.path());
        // The whole path and the applicant: which practice Ctrl+S would write.
        QVERIFY2(restored.contains(QStringLiteral("domande=È stata trovata una pratica non salvata (%1, "
                                                  "ROSSI BIANCHI, ")
                                       .arg(practice)),
                 qPrintable(restored));
        QVERIFY2(restored.contains(QStringLiteral("). Ripristinarla?\n")), qPrintable(restored));
        QVERIFY2(restored.contains(QStringLiteral("Edit1=BIANCHI\n")), qPrintable(restored));
        QVERIFY2(restored.contains(QStringLiteral("copia=1\n")), qPrintable(restored));
        // A changed practice, bound to the file it came from.
        QVERIFY2(restored.contains(QStringLiteral("titolo=Quadrelo 2004 - %1*\n").arg(practice)),
                 qPrintable(restored));
        // The file itself was never touched, and a normal end leaves no copy and no lock behind.
        QVERIFY(fileBytes(practice).startsWith("MARIO\r\n"));
        QCOMPARE(leftovers(copies), QStringList());
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
