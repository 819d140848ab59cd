// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Saves that fail half-way (a full disk, a file-size limit) must leave the old file as it was.
#include "app/application_setup.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "practice_file/practice_file.h"
#include "tables/parameter_tables.h"
#include "tables/technician.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

enum class Target {
    SalvaFinestra,
    Salva,
    SalvaConNome,
    TabellaA,
    TabellaB,
    TabellaC,
    TabellaD,
    Tecnico,
    Pdf
};
enum class Medium { FileSizeLimit, FullTmpfs };

// Past this many bytes every write of the process fails, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

// A small tmpfs (root only) that is filled to its last byte once the old files are on it.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : folder_(folder) {
        QDir().mkpath(folder);
        mounted_ = geteuid() == 0 &&
                   mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    void fill() {
        QFile filler(QDir(folder_).filePath(QStringLiteral("riempitivo")));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }

private:
    QString folder_;
    bool mounted_ = false;
};

QString fileOf(Target target) {
    switch (target) {
    case Target::SalvaFinestra:
    case Target::Salva:
        return QStringLiteral("pratica.qdr");
    case Target::SalvaConNome:
        return QStringLiteral("altra.qdr");
    case Target::TabellaA:
        return tableFileName(Table::A);
    case Target::TabellaB:
        return tableFileName(Table::B);
    case Target::TabellaC:
        return tableFileName(Table::C);
    case Target::TabellaD:
        return tableFileName(Table::D);
    case Target::Tecnico:
        return QStringLiteral("tec.dat");
    case Target::Pdf:
        break;
    }
    return QStringLiteral("riepilogo.pdf");
}

QStringList changedBoxes(Table table) {
    QStringList boxes = initialBoxTexts(table);
    for (QString& box : boxes)
        box = QStringLiteral("12345,67");
    return boxes;
}

// A field whose handler runs out of memory on F9.
class HungryEdit : public QLineEdit {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F9) throw std::bad_alloc();
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

class FailedWritesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void failedWriteKeepsTheOldFile_data() {
        QTest::addColumn<Target>("target");
        QTest::addColumn<Medium>("medium");
        const std::pair<const char*, Target> targets[] = {
            {"Salva (Ctrl+S nella finestra)", Target::SalvaFinestra},
            {"Salva", Target::Salva},
            {"Salva con nome", Target::SalvaConNome},
            {"Tabella A", Target::TabellaA},
            {"Tabella B", Target::TabellaB},
            {"Tabella C", Target::TabellaC},
            {"Tabella D", Target::TabellaD},
            {"tecnico", Target::Tecnico},
            {"PDF", Target::Pdf}};
        for (const auto& [name, target] : targets) {
            QTest::addRow("%s, limite di dimensione", name) << target << Medium::FileSizeLimit;
            QTest::addRow("%s, tmpfs pieno", name) << target << Medium::FullTmpfs;
        }
    }

    void failedWriteKeepsTheOldFile() {
        QFETCH(Target, target);
        QFETCH(Medium, medium);
        QTemporaryDir base;
        const QString work = base.filePath(QStringLiteral("disco"));
        SmallDisk disk(work);
        if (medium == Medium::FullTmpfs && !disk.mounted())
            QSKIP("mounting a tmpfs needs root (and a system that allows it)");
        QVERIFY(copyShippedData(work));

        RecordingInterface ui;
        PracticeForm form(&ui);
        form.startDirectory = work;
        loadTechnician(form);
        for (Table t : {Table::A, Table::B, Table::C, Table::D})
            loadTable(form, t);
        form.Edit1.text = QStringLiteral("PRIMO");
        savePracticeAs(form, QDir(work).filePath(QStringLiteral("altra.qdr")));
        savePracticeAs(form, QDir(work).filePath(QStringLiteral("pratica.qdr")));
        QFile oldPdf(QDir(work).filePath(QStringLiteral("riepilogo.pdf")));
        QVERIFY(oldPdf.open(QIODevice::WriteOnly));
        oldPdf.write("%PDF-1.4\n% il documento di ieri\n");
        oldPdf.close();
        const QString path = QDir(work).filePath(fileOf(target));
        const QByteArray before = fileBytes(path);
        QVERIFY(!before.isEmpty());
        const QString caption = form.windowCaption();

        form.Edit1.text = QStringLiteral("SECONDO, CON UN NOME BEN PIÙ LUNGO DI PRIMA");
        TechnicianFields technician;
        technician.texts.fill(QStringLiteral("UN TESTO QUALSIASI"));
        std::optional<report::Document> pdf;
        if (target == Target::Pdf) {
            report::ReportProject project;
            pdf = project.layout(QStringLiteral("riepilogo"), columnNames(), RvCustomConnection1GetRow(form));
            QVERIFY(pdf);
        }
        const QStringList entries =
            QDir(work).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        // The window opens the same practice in the same folder and the user saves it there.
        std::unique_ptr<MainWindow> window;
        if (target == Target::SalvaFinestra) {
            MessageWindows::setTestMode(true);
            MessageWindows::clearShown();
            const QString previous = QDir::currentPath();
            QDir::setCurrent(work);
            window = std::make_unique<MainWindow>(false);
            QDir::setCurrent(previous);
            window->openPracticeFile(path);
            window->show();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" E ALTRO"));
            QCOMPARE(window->windowTitle(), caption + QLatin1Char('*')); // changed, not saved
        }

        QString message;
        {
            std::optional<FileSizeLimit> limit;
            if (medium == Medium::FullTmpfs)
                disk.fill();
            else
                limit.emplace(64);
            try {
                switch (target) {
                case Target::SalvaFinestra:
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
                    if (!MessageWindows::shownMessages().isEmpty())
                        message = MessageWindows::shownMessages().constLast();
                    break;
                case Target::Salva:
                    savePracticeAs(form, form.currentFileName);
                    break;
                case Target::SalvaConNome:
                    savePracticeAs(form, path);
                    break;
                case Target::TabellaA:
                    saveTable(form, Table::A, changedBoxes(Table::A));
                    break;
                case Target::TabellaB:
                    saveTable(form, Table::B, changedBoxes(Table::B));
                    break;
                case Target::TabellaC:
                    saveTable(form, Table::C, changedBoxes(Table::C));
                    break;
                case Target::TabellaD:
                    saveTable(form, Table::D, changedBoxes(Table::D));
                    break;
                case Target::Tecnico:
                    saveTechnician(form, technician);
                    break;
                case Target::Pdf:
                    report::writePdf(*pdf, path);
                    break;
                }
            } catch (const IoError& e) {
                message = e.message();
            }
        }
        if (medium == Medium::FullTmpfs) QFile::remove(QDir(work).filePath(QStringLiteral("riempitivo")));

        QVERIFY2(message.contains(QStringLiteral("spazio su disco esaurito")), qPrintable(message));
        QVERIFY2(message.contains(fileOf(target)), qPrintable(message));
        QCOMPARE(fileBytes(path).toHex(' '), before.toHex(' '));
        QCOMPARE(QDir(work).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), entries);
        QCOMPARE(form.currentFileName, QDir(work).filePath(QStringLiteral("pratica.qdr")));
        QCOMPARE(form.windowCaption(), caption);
        QCOMPARE(form.technicianFirstName, QStringLiteral("")); // memory takes only what was written
        if (window) {
            QCOMPARE(window->windowTitle(), caption + QLatin1Char('*')); // still unsaved
            QCOMPARE(window->form().currentFileName, path);
            QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(),
                     QStringLiteral("PRIMO E ALTRO")); // what was typed stays on screen
        }
    }

    // Memory running out inside a handler ends that action with the error box; the window and
    // what it holds stay.
    void outOfMemoryEndsOnlyTheAction() {
        MessageWindows::setTestMode(true);
        MessageWindows::clearShown();
        HungryEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::mouseClick(&edit, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("AB"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
        QCOMPARE(MessageWindows::shownMessages(),
                 QStringList{QStringLiteral("Memoria insufficiente per completare l'operazione.")});
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("C"));
        QCOMPARE(edit.text(), QStringLiteral("ABC"));
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv); // the program's own, with its last edge for every action
    FailedWritesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test_failed_writes.moc"
