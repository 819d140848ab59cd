// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The archive window and the recent practices, driven from the keyboard.
#include "archive/practice_archive.h"
#include "practice_file/practice_file.h"
#include "record/text_file.h"
#include "test_support.h"
#include "ui/archive/archive_window.h"
#include "ui/archive/practice_places.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"
#include "window_support.h"

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

using namespace quadrelo;
using namespace quadrelo::testing;

class ArchiveWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir;
    std::unique_ptr<MainWindow> w;

    QString path(const QString& name) const { return workDir.filePath(name); }

    void writePractice(const QString& name, const QString& surname, const QString& town) {
        PracticeForm form = archivePrototype(w->form());
        form.Inizializza();
        form.Edit1.text = QStringLiteral("ANNA");
        form.Edit2.text = surname;
        form.Edit9.text = town;
        writeBytes(path(name), practiceFileBytes(form));
    }

private slots:
    void initTestCase() {
        // Settings of the tests' own, never the user's.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Quadrelo"), QStringLiteral("Quadrelo 2004")).clear();
        QVERIFY(copyShippedData(workDir.path()));
        QDir::setCurrent(workDir.path());
        MessageWindows::setTestMode(true);
        w = std::make_unique<MainWindow>(false);
        QVERIFY(showActive(w.get()));
        writePractice(QStringLiteral("verdi.qdr"), QStringLiteral("VERDI"), QStringLiteral("CANTÙ"));
        writePractice(QStringLiteral("bianchi.qdr"), QStringLiteral("BIANCHI"), QStringLiteral("ROMA"));
        writeBytes(path("rotta.qdr"), "non è una pratica\r\n");
    }
    void cleanupTestCase() { w.reset(); }

    // Shortcut, a search typed with accents dropped, Enter: the practice is open in the window.
    void searchAndOpen() {
        // One click into the window, then the command's shortcut to whatever has the focus.
        QTest::mouseClick(w->findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        auto* archive = w->findChild<ArchiveWindow*>();
        QVERIFY(archive);
        QVERIFY(archive->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!archive->isReading(), 10000);
        auto* table = archive->findChild<QTableView*>(QStringLiteral("archiveTable"));
        QCOMPARE(table->model()->rowCount(), 3);
        QTRY_COMPARE(QApplication::focusWidget(),
                     archive->findChild<QLineEdit*>(QStringLiteral("searchBox")));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("anna cantu"));
        QCOMPARE(table->model()->rowCount(), 1);
        QVERIFY(archive->findChild<QLabel*>(QStringLiteral("totalsLabel"))
                    ->text()
                    .contains(QStringLiteral("1 pratica")));
        // Into the list and onto its second row, back to the search, a new search:
        // Down and Enter open the new search's first match, whatever row was current before.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("anna"));
        QCOMPARE(table->model()->rowCount(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ANNA"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(w->form().currentFileName, path("bianchi.qdr"));
        QCOMPARE(w->form().Edit2.text, QStringLiteral("BIANCHI"));
        archive->close();
    }

    // The practice opened from the archive comes to the front and takes the keys; "Annulla" to
    // the question about unsaved changes leaves the user in the archive.
    void openedPracticeTakesTheKeys_data() {
        QTest::addColumn<int>("answer"); // to "Salvare le modifiche?": 1 "Non salvare", 2 "Annulla"
        QTest::newRow("Annulla") << 2;
        QTest::newRow("Non salvare") << 1;
    }
    void openedPracticeTakesTheKeys() {
        QFETCH(int, answer);
        auto* archive = w->findChild<ArchiveWindow*>();
        if (!archive || !archive->isVisible()) {
            QVERIFY(showActive(w.get())); // the archive of the test before has gone
            // Changed first, so that opening asks; the archive from its shortcut.
            QTest::mouseClick(w->findChild<QLineEdit*>(QStringLiteral("Edit3")), Qt::LeftButton);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Roma"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
            archive = w->findChild<ArchiveWindow*>();
            QVERIFY(archive && archive->isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(!archive->isReading(), 10000);
        }
        const QString before = w->form().currentFileName;
        QTRY_VERIFY(archive->isAncestorOf(QApplication::focusWidget()));
        if (qobject_cast<QTableView*>(QApplication::focusWidget())) // back to the search
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("verdi"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        MessageWindows::setNextChoices({answer});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (answer == 2) {
            QCOMPARE(w->form().currentFileName, before);
            QVERIFY(archive->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(archive));
            QCOMPARE(QApplication::focusWidget(),
                     archive->findChild<QTableView*>(QStringLiteral("archiveTable")));
            return;
        }
        QCOMPARE(w->form().currentFileName, path("verdi.qdr"));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w.get()));
        QVERIFY(!archive->isVisible());
        QCOMPARE(QApplication::focusWidget(), w->findChild<QLineEdit*>(QStringLiteral("Edit1")));
        // What is typed now goes over the applicant's name, where the user sees it.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ILARIA"));
        QCOMPARE(w->form().Edit1.text, QStringLiteral("ILARIA"));
        QCOMPARE(w->form().Edit2.text, QStringLiteral("VERDI"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->form().Edit1.text, QStringLiteral("ANNA")); // as saved: nothing left to ask about
    }

    // A recent practice that is gone is dropped, with a message, when chosen.
    void recentPracticeGone() {
        auto* recent = w->findChild<QMenu*>(QStringLiteral("Praticherecenti1"));
        QVERIFY(recent);
        w->openPracticeFile(path("bianchi.qdr"));
        w->openPracticeFile(path("verdi.qdr"));
        QCOMPARE(PracticePlaces::recentPractices().size(), 2);
        QCOMPARE(PracticePlaces::recentPractices().constFirst().applicant, QStringLiteral("VERDI ANNA"));
        QVERIFY(QFile::remove(path("bianchi.qdr")));
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 2);
        QVERIFY(recent->actions().at(1)->text().contains(QStringLiteral("bianchi.qdr — BIANCHI ANNA")));
        MessageWindows::clearShown();
        recent->actions().at(1)->trigger();
        QCOMPARE(w->form().currentFileName, path("verdi.qdr"));
        QVERIFY(MessageWindows::shownMessages().join("\n").contains(QStringLiteral("non esiste più")));
        QCOMPARE(PracticePlaces::recentPractices().size(), 1);
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
    }
    // A name from an old Windows disk is listed, but never opened under the name shown: saving
    // would then write another file.
    // Rows arriving in batches, a search narrowed, taken back and cleared, the sorting column
    // clicked twice: after each step the list and its totals are those of every row read,
    // filtered and sorted afresh.
    void listFollowsEveryChange() {
        QTemporaryDir many;
        const char* const surnames[] = {"ROSSI", "DELL'ACQUA", "ÀLVARO", "RUSSO", "DE ROSA", "BIANCHI"};
        const char* const towns[] = {"SANT'AGATA LI BATTIATI", "FORLÌ", "ROMA", "CANTÙ", "ROSSANO"};
        for (int n = 0; n < 230; ++n) {
            PracticeForm form = archivePrototype(w->form());
            form.Inizializza();
            form.Edit1.text = n % 3 ? QStringLiteral("ANNA") : QStringLiteral("COSTRUZIONI ROSSI S.R.L.");
            form.Edit2.text = QString::fromUtf8(surnames[n % 6]);
            form.Edit9.text = QString::fromUtf8(towns[n % 5]);
            if (n % 7 == 0) form.Edit9.text.clear();
            const QString name = QStringLiteral("p%1-%2.qdr").arg(n % 97, 3, 10, QLatin1Char('0')).arg(n);
            writeBytes(QDir(many.path()).filePath(name), practiceFileBytes(form));
        }
        writeBytes(QDir(many.path()).filePath("rotta.qdr"), "non è una pratica\r\n");
        ArchiveWindow archive(many.path());
        // With the folders earlier tests remembered.
        const QList<ArchiveRow> read = readArchive(archive.folders(), archivePrototype(w->form()));
        QVERIFY(read.size() >= 231);
        QVERIFY(showActive(&archive));
        archive.reload(w->form());
        QTRY_VERIFY_WITH_TIMEOUT(!archive.isReading(), 10000);
        auto* table = archive.findChild<QTableView*>(QStringLiteral("archiveTable"));
        auto* totals = archive.findChild<QLabel*>(QStringLiteral("totalsLabel"));
        auto* search = archive.findChild<QLineEdit*>(QStringLiteral("searchBox"));
        int column = ColumnApplicant;
        bool descending = false;
        const auto check = [&](const char* step) {
            QList<ArchiveRow> expected;
            for (const ArchiveRow& r : read)
                if (search->text().trimmed().isEmpty() || archiveRowMatches(r, search->text())) expected << r;
            std::sort(expected.begin(), expected.end(), [&](const ArchiveRow& a, const ArchiveRow& b) {
                const QPartialOrdering o =
                    QVariant::compare(archiveSortValue(a, column), archiveSortValue(b, column));
                const bool less =
                    o == QPartialOrdering::Less || (o == QPartialOrdering::Equivalent && a.path < b.path);
                const bool greater =
                    o == QPartialOrdering::Greater || (o == QPartialOrdering::Equivalent && b.path < a.path);
                return descending ? greater : less;
            });
            QStringList shown, wanted;
            for (const ArchiveRow& r : archive.shownRows())
                shown << r.path;
            for (const ArchiveRow& r : expected)
                wanted << r.path;
            QVERIFY2(shown == wanted, step);
            QCOMPARE(totals->text(), QStringLiteral("Totale: ") + archiveTotalsText(archiveTotals(expected)));
        };
        check("letto");
        QTest::mouseClick(search, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ro"));
        check("ro");
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("s anna"));
        check("ros anna");
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        check("ro di nuovo");
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" forli"));
        check("ro forli");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        check("ricerca cancellata");
        QHeaderView* header = table->horizontalHeader();
        column = ColumnMunicipality;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QCOMPARE(header->sortIndicatorSection(), column);
        descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
        check("per comune");
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
        check("per comune, all'inverso");
        QTest::mouseClick(search, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("acqua"));
        check("acqua per comune");
        // A search pasted over another: every row read is looked at again, for both words.
        QApplication::clipboard()->setText(QStringLiteral("anna forli"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        check("anna forli incollato");
        archive.reload(w->form());
        QTRY_VERIFY_WITH_TIMEOUT(!archive.isReading(), 10000);
        check("riletto con la ricerca");
        archive.close();
        QVERIFY(showActive(w.get()));
    }

    void foreignNameIsNotOpened() {
        PracticeForm form = archivePrototype(w->form());
        form.Inizializza();
        form.Edit2.text = QStringLiteral("LATINI");
        const QByteArray name = QFile::encodeName(workDir.path()) + "/citt\xe0.qdr";
        {
            QFile file;
            QVERIFY(file.open(::fopen(name.constData(), "wb"), QIODevice::WriteOnly, QFile::AutoCloseHandle));
            file.write(practiceFileBytes(form));
        }
        const QString before = w->form().currentFileName;
        MessageWindows::clearShown();
        QTest::mouseClick(w->findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        auto* archive = w->findChild<ArchiveWindow*>();
        QTRY_VERIFY_WITH_TIMEOUT(!archive->isReading(), 10000);
        QTRY_COMPARE(QApplication::focusWidget(),
                     archive->findChild<QLineEdit*>(QStringLiteral("searchBox")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier); // an earlier search
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("latini"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ::unlink(name.constData());
        QVERIFY2(
            MessageWindows::shownMessages().join("\n").contains(QStringLiteral("rinominare prima il file")),
            qPrintable(MessageWindows::shownMessages().join("\n")));
        QCOMPARE(w->form().currentFileName, before);
        archive->close();
    }
};

QTEST_MAIN(ArchiveWindowTest)
#include "gui_test_archive.moc"
