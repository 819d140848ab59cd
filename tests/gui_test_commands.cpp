// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The main window's file and document commands, driven as a user drives them.
#include "app/application_setup.h"
#include "practice_file/practice_file.h"
#include "practice_file/recovery_copy.h"
#include "record/catalogue.h"
#include "test_support.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/message_windows.h"
#include "ui/documents/document_output.h"
#include "ui/main/main_window.h"
#include "ui/main/page_control.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

class CommandsTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir;
    std::unique_ptr<MainWindow> w;
    QStringList printed;

    QString path(const QString& name) const { return workDir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(workDir.isValid());
        copyShippedData(workDir.path());
        QFile::remove(path("tec.dat"));
        QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/tec.dat"), path("tec.dat"));
        QDir::setCurrent(workDir.path());
        MessageWindows::setTestMode(true);
        setDocumentSink([this](const QString& name, const QStringList&) { printed << name; });
    }

    void init() {
        MessageWindows::clearShown();
        MessageWindows::setNextAnswers({});
        MessageWindows::setNextChoices({});
        FileDialogs::setNextFileNames({});
        FileDialogs::setNextReplaceAnswers({});
        printed.clear();
        w = std::make_unique<MainWindow>(false);
    }
    void cleanup() { w.reset(); }

    // The window on screen, a click into the applicant's name and `keys` typed there.
    void typeAsUser(const QString& keys) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* edit1 = w->findChild<QLineEdit*>("Edit1");
        QTest::mouseClick(edit1, Qt::LeftButton);
        for (QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
            else
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }

    // Each command that would discard the practice, with each answer to the question.
    void unsavedChangesAreAskedAbout_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");     // 0 "Salva", 1 "Non salvare", 2 "Annulla"
        QTest::addColumn<QString>("saveAs"); // the name given to the save dialog ("" cancels it)
        QTest::addColumn<bool>("proceeds");
        const QString saved = path("salvata.qdr");
        const QString unwritable = path("cartella-inesistente/salvata.qdr");
        for (const char* command : {"Nuova", "Apri", "Esci", "chiusura"}) {
            QTest::addRow("%s, Salva", command) << QString(command) << 0 << saved << true;
            QTest::addRow("%s, Salva senza nome", command) << QString(command) << 0 << QString() << false;
            QTest::addRow("%s, Salva non riuscito", command) << QString(command) << 0 << unwritable << false;
            QTest::addRow("%s, Non salvare", command) << QString(command) << 1 << saved << true;
            QTest::addRow("%s, Annulla", command) << QString(command) << 2 << saved << false;
        }
    }
    void unsavedChangesAreAskedAbout() {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, proceeds);
        const QString saved = path("salvata.qdr");
        QFile::remove(saved);
        typeAsUser("ROSSI");
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004*"));
        QTRY_VERIFY(QFile::exists(w->recoveryCopyPath()));
        MessageWindows::clearShown();
        MessageWindows::setNextChoices({answer});
        QStringList names;
        if (answer == 0) names << saveAs;
        names << QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr");
        FileDialogs::setNextFileNames(names);

        if (command == "Nuova")
            w->Nuova->trigger();
        else if (command == "Apri")
            w->Apri->trigger();
        else if (command == "Esci")
            w->findChild<QAction*>("Esci1")->trigger();
        else
            w->close();

        // A save that fails reports why, and the command stops.
        const bool failed = saveAs.contains("inesistente");
        QCOMPARE(MessageWindows::shownMessages().size(), failed ? 2 : 1);
        QCOMPARE(MessageWindows::shownMessages().first(),
                 QStringLiteral("La pratica è stata modificata. Salvare le modifiche?"));
        QCOMPARE(QFile::exists(saved), answer == 0 && saveAs == saved);
        if (QFile::exists(saved)) QVERIFY(fileBytes(saved).startsWith("ROSSI\r\n"));
        const bool closing = command == "Esci" || command == "chiusura";
        QCOMPARE(w->isVisible(), !(closing && proceeds));
        QString expected = proceeds ? QString() : QStringLiteral("ROSSI");
        if (proceeds && command == "Apri") expected = QStringLiteral("MARIO");
        if (!closing || !proceeds) QCOMPARE(w->form().Edit1.text, expected);
        // Saved or discarded, nothing is left to recover; kept while the changes are kept.
        QCOMPARE(QFile::exists(w->recoveryCopyPath()), !proceeds);
        if (!closing) QCOMPARE(w->windowTitle().endsWith('*'), !proceeds);
    }

    // Typing a value and taking it back is no change: the commands ask what they asked before.
    void unchangedPracticeAsksNothingNew_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Nuova") << "Nuova";
        QTest::newRow("Apri") << "Apri";
        QTest::newRow("chiusura") << "chiusura";
    }
    void unchangedPracticeAsksNothingNew() {
        QFETCH(QString, command);
        typeAsUser("X\b");
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004"));
        MessageWindows::clearShown();
        MessageWindows::setNextAnswers({mrNo});
        FileDialogs::setNextFileNames({QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr")});
        if (command == "Nuova")
            w->Nuova->trigger();
        else if (command == "Apri")
            w->Apri->trigger();
        else
            QVERIFY(!w->close());
        QCOMPARE(MessageWindows::shownMessages(),
                 command == "chiusura" ? QStringList{"Si desidera terminare la sessione di lavoro?"}
                                       : QStringList{});
        if (command == "Apri")
            QCOMPARE(w->windowTitle(),
                     "Quadrelo 2004 - " +
                         QFileInfo(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"))
                             .absoluteFilePath());
        QVERIFY(!QFile::exists(w->recoveryCopyPath()));
    }

    // Whether the practice counts as changed follows every field, the long memos as much as
    // the applicant's name: a key typed marks it, the same key taken back unmarks it.
    void changedFollowsEveryField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("changed");
        QTest::newRow("nome") << "Edit1"
                              << "X" << true;
        QTest::newRow("nome ripreso") << "Edit1"
                                      << "X\b" << false;
        QTest::newRow("descrizione") << "Memo1"
                                     << "X" << true;
        QTest::newRow("descrizione ripresa") << "Memo1"
                                             << "X\b" << false;
        QTest::newRow("relazione") << "Memo2"
                                   << "X" << true;
        QTest::newRow("relazione ripresa") << "Memo2"
                                           << "X\b" << false;
    }
    void changedFollowsEveryField() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(bool, changed);
        QVERIFY(showActive(w.get()));
        const QString example = QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr");
        w->openPracticeFile(example);
        QVERIFY(!w->windowTitle().endsWith('*'));
        w->showPage(fieldSpec(field)->page);
        QWidget* widget = w->findChild<QWidget*>(field);
        QTest::mouseClick(widget, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), widget);
        for (QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
            else
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        QCOMPARE(w->windowTitle().endsWith('*'), changed);
        QCOMPARE(w->isModified(), changed);
    }

    // Between opening and "Salva" another program saved the file: same time stamp, other content.
    void saveNoticesAnotherProgramsSave_data() {
        QTest::addColumn<int>(
            "answer"); // -1 no other save; 0 "Sovrascrivi", 1 "Salva con nome…", 2 "Annulla"
        QTest::newRow("nessun altro salvataggio") << -1;
        QTest::newRow("Sovrascrivi") << 0;
        QTest::newRow("Salva con nome") << 1;
        QTest::newRow("Annulla") << 2;
    }
    void saveNoticesAnotherProgramsSave() {
        QFETCH(int, answer);
        const QString shared = path("condivisa.qdr");
        const QString other = path("altra.qdr");
        QFile::remove(shared);
        QFile::remove(other);
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), shared));
        w->openPracticeFile(shared);
        QCOMPARE(w->form().Edit1.text, QStringLiteral("MARIO"));
        QByteArray theirs = fileBytes(shared);
        if (answer >= 0) {
            const QDateTime stamp = QFileInfo(shared).lastModified();
            theirs.replace("MARIO\r\n", "LUIGI\r\n");
            QFile f(shared);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(theirs);
            QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
            f.close();
        }
        MessageWindows::clearShown();
        MessageWindows::setNextChoices({answer});
        FileDialogs::setNextFileNames({other});
        w->Salva->trigger();

        const QString question = QStringLiteral(
            "Il file è stato modificato da un altro programma dopo l'apertura. Sovrascriverlo?");
        QCOMPARE(MessageWindows::shownMessages(), answer >= 0 ? QStringList{question} : QStringList{});
        QCOMPARE(fileBytes(shared).startsWith("MARIO"), answer <= 0);
        QCOMPARE(QFile::exists(other), answer == 1);
        QCOMPARE(w->form().currentFileName, answer == 1 ? other : shared);
        // Once written, our own save is what the file is compared with.
        if (answer == 0 || answer == -1) {
            MessageWindows::clearShown();
            w->Salva->trigger();
            QVERIFY(MessageWindows::shownMessages().isEmpty());
        }
    }

    void saveAsksForANameOnceThenRewrites() {
        w->form().setText("Edit1", "MARIO");
        FileDialogs::setNextFileNames({path("nuova.qdr")});
        w->Salva1Click();
        QVERIFY(QFile::exists(path("nuova.qdr")));
        QCOMPARE(w->windowTitle(), "Quadrelo 2004 - " + path("nuova.qdr"));
        w->form().setText("Edit1", "LUIGI");
        w->Salva1Click(); // no dialog this time: the queue is empty and would cancel
        QVERIFY(fileBytes(path("nuova.qdr")).startsWith("LUIGI\r\n"));
    }

    void cancelledSaveWritesNothing() {
        FileDialogs::setNextFileNames({QString()});
        w->Salva1Click();
        QCOMPARE(w->form().currentFileName, QStringLiteral("-1"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004"));
    }

    void overwriteAnswers_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes replaces") << true;
        QTest::newRow("No or Cancel keeps") << false;
    }
    void overwriteAnswers() {
        QFETCH(bool, yes);
        QFile f(path("esistente.qdr"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("vecchio");
        f.close();
        FileDialogs::setNextFileNames({path("esistente.qdr")});
        FileDialogs::setNextReplaceAnswers({yes});
        w->Salvaconnome1Click();
        QVERIFY(MessageWindows::shownMessages().contains("Sostituire " + path("esistente.qdr") + " ?"));
        QCOMPARE(fileBytes(path("esistente.qdr")) == "vecchio", !yes);
        QCOMPARE(w->form().currentFileName, yes ? path("esistente.qdr") : QStringLiteral("-1"));
    }

    // A copy left by a program that ended abruptly, with each answer to the question.
    void abandonedCopyIsOffered_data() {
        QTest::addColumn<int>("answer"); // 0 "SI", 1 "NO", -1 window closed without an answer
        QTest::newRow("SI") << 0;
        QTest::newRow("NO") << 1;
        QTest::newRow("chiusa senza risposta") << -1;
    }
    void abandonedCopyIsOffered() {
        QFETCH(int, answer);
        const QString shared = path("recuperata.qdr");
        const QString left = QDir(RecoveryCopy::defaultFolder()).filePath("~Quadrelo-999999-1.recupero");
        QFile::remove(shared);
        QFile::remove(left);
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), shared));
        {
            QByteArray practice = fileBytes(shared);
            practice.replace("MARIO\r\n", "ANNA\r\n");
            RecoveryCopy other;
            other.write(practice, shared, RecoveryCopy::digest(fileBytes(shared)));
            // Its program gone, the copy stays behind without a lock.
            QVERIFY(QFile::copy(other.path(), left));
        }
        MessageWindows::setNextChoices({answer});
        w->offerRecovery();
        QCOMPARE(MessageWindows::shownMessages().size(), 1);
        QVERIFY(MessageWindows::shownMessages().first().startsWith(
            "È stata trovata una pratica non salvata (" + QDir::toNativeSeparators(shared) +
            ", ROSSI ANNA, "));
        QCOMPARE(QFile::exists(left), answer == -1);
        QVERIFY(!QFile::exists(QDir(RecoveryCopy::defaultFolder()).filePath("~Quadrelo-999999-1.lock")));
        QCOMPARE(w->form().Edit1.text, answer == 0 ? QStringLiteral("ANNA") : QString());
        QCOMPARE(w->windowTitle(),
                 answer == 0 ? "Quadrelo 2004 - " + shared + "*" : QStringLiteral("Quadrelo 2004"));
        if (answer == 0) {
            // The file is as that program last read it: "Salva" writes without asking.
            MessageWindows::clearShown();
            w->Salva->trigger();
            QVERIFY(MessageWindows::shownMessages().isEmpty());
            QVERIFY(fileBytes(shared).startsWith("ANNA\r\n"));
        }
        QFile::remove(left);
    }

    // Pictures of the three questions as they appear over the window, on request.
    void questionScreenshots() {
        const QString dir = qEnvironmentVariable("QUADRELO_SHOTS");
        if (dir.isEmpty()) QSKIP("QUADRELO_SHOTS non impostata");
        QDir().mkpath(dir);
        const QString shared = path("foto.qdr");
        QFile::remove(shared);
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), shared));
        w->openPracticeFile(shared);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        // A bare X server gives no window the focus: the keys go to the field itself.
        QTest::keyClicks(w->findChild<QLineEdit*>("Edit1"), "X");
        QVERIFY(w->isModified());
        QFile f(shared);
        QVERIFY(f.open(QIODevice::Append));
        f.write("altro");
        f.close();
        // The window of the question on screen, then its answer.
        auto shoot = [&dir](const QString& name, int answer) {
            QTimer::singleShot(300, [dir, name, answer] {
                auto* dialog = qobject_cast<ChoiceWindow*>(QApplication::activeModalWidget());
                if (!dialog) return;
                QApplication::primaryScreen()->grabWindow(0).save(dir + "/" + name + "-schermo.png");
                dialog->grab().save(dir + "/" + name + ".png");
                dialog->findChildren<QPushButton*>().at(answer)->click();
            });
        };
        MessageWindows::setTestMode(false);
        shoot("modificata", 2);
        w->Nuova->trigger();
        shoot("sovrascrivere", 2);
        w->Salva->trigger();
        {
            // What a program that ended abruptly leaves: a copy whose lock nobody holds.
            RecoveryCopy other;
            other.write(practiceFileBytes(w->form()), shared, {});
            QVERIFY(QFile::copy(other.path(),
                                QDir(RecoveryCopy::defaultFolder()).filePath("~Quadrelo-999999-1.recupero")));
        }
        shoot("ripristino", 1);
        w->offerRecovery();
        MessageWindows::setTestMode(true);
        for (const char* name : {"modificata", "sovrascrivere", "ripristino"})
            QVERIFY2(QFile::exists(dir + "/" + name + ".png"), name);
    }

    void openingRecomputesAndShowsTheFirstPage() {
        w->openPracticeFile(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
        QCOMPARE(w->form().Label36.text, QStringLiteral("9960,00"));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageRichiedente));
        QVERIFY(w->windowTitle().endsWith("pratica-esempio.qdr"));
        QCOMPARE(w->findChild<QLineEdit*>("Edit1")->text(), QStringLiteral("MARIO"));
    }

    void damagedFileChangesNothing() {
        w->form().setText("Edit1", "PRIMA");
        QFile f(path("rotta.qdr"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("SOLO\r\nPOCHE\r\nRIGHE\r\n");
        f.close();
        FileDialogs::setNextFileNames({path("rotta.qdr")});
        MessageWindows::setNextChoices({1}); // "Non salvare": the typed name stays all the same
        w->Apri1Click();
        QVERIFY(MessageWindows::shownMessages().contains("File danneggiato o in formato non compatibile"));
        QCOMPARE(w->form().Edit1.text, QStringLiteral("PRIMA"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004*")); // still unnamed, still changed
    }

    // A new practice: every command warns about the applicant, the state-land one asks the duration.
    void checksWarnAndShowTheirPage() {
        w->showPage(PageTipologia);
        w->commandActions("Stampa1Click").first()->trigger();
        QCOMPARE(MessageWindows::shownMessages().last(),
                 QStringLiteral("I dati relativi al richiedente risultano incompleti."));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageRichiedente));
        w->commandActions("Prospettorelativoallacquisizioneareepubbliche1Click").first()->trigger();
        QCOMPARE(MessageWindows::shownMessages().last(),
                 QStringLiteral("Digitare la durata complessiva dell'occupazione pregressa."));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageAreeStato));
        QVERIFY(printed.isEmpty());
    }

    void passingChecksRunTheReport() {
        w->openPracticeFile(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
        MessageWindows::clearShown();
        w->commandActions("Riepilogopratica1Click").first()->trigger();
        w->commandActions("Stampa1Click").first()->trigger();
        w->commandActions("Certificazionediidoneitstatica1Click").first()->trigger();
        w->commandActions("Promemoriascadenze1Click").first()->trigger();
        QCOMPARE(printed, (QStringList{"modello", "antimafia", "sismica", "promemoria"}));
        QVERIFY(MessageWindows::shownMessages().isEmpty());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyInterfaceFont(app);
    CommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test_commands.moc"
