// The main window's file and document commands, driven as a user drives them.
#include "app/application_setup.h"
#include "app/file_dialogs.h"
#include "app/main_window.h"
#include "app/message_windows.h"
#include "app/page_control.h"
#include "documents/ui/document_output.h"
#include "record/catalogue.h"
#include "test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

class CommandsTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir;
    std::unique_ptr<TForm1> w;
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
        FileDialogs::setNextFileNames({});
        FileDialogs::setNextReplaceAnswers({});
        printed.clear();
        w = std::make_unique<TForm1>(false);
    }
    void cleanup() { w.reset(); }

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
        w->Apri1Click();
        QVERIFY(MessageWindows::shownMessages().contains("File danneggiato o in formato non compatibile"));
        QCOMPARE(w->form().Edit1.text, QStringLiteral("PRIMA"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004"));
    }

    // A new practice: every command warns about the applicant, the state-land one asks the duration.
    void checksWarnAndShowTheirPage() {
        w->showPage(PageTipologia);
        w->Stampa1Click();
        QCOMPARE(MessageWindows::shownMessages().last(),
                 QStringLiteral("I dati relativi al richiedente risultano incompleti."));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageRichiedente));
        w->Prospettorelativoallacquisizioneareepubbliche1Click();
        QCOMPARE(MessageWindows::shownMessages().last(),
                 QStringLiteral("Digitare la durata complessiva dell'occupazione pregressa."));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageAreeStato));
        QVERIFY(printed.isEmpty());
    }

    void passingChecksRunTheReport() {
        w->openPracticeFile(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
        MessageWindows::clearShown();
        w->Riepilogopratica1Click();
        w->Stampa1Click();
        w->Certificazionediidoneitstatica1Click();
        w->Promemoriascadenze1Click();
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
