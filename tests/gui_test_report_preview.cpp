// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Report output: run by name, the preview at 100 %, printing the chosen pages, "Esporta PDF".
#include "documents/engine/report_project.h"
#include "signing_support.h"
#include "test_support.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/message_windows.h"
#include "ui/documents/report_preview.h"
#include "ui/documents/sign_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using namespace quadrelo;

namespace {

struct Row {
    QStringList columns, values;
};

// The columns the test template reads; the long report flows onto a continuation page.
Row provaRow() {
    Row row;
    QString relazione;
    for (int i = 0; relazione.size() < 7000; ++i)
        relazione += QStringLiteral("Parola%1 della relazione tecnica sullo stato dei luoghi. ").arg(i);
    const QStringList names = {"comunedi",   "Cognome",  "Nome",     "CodiceFiscale", "UltimaData",
                               "it1",        "VincoliS", "VincoliN", "descrizione",   "richiedente",
                               "ubicazione", "dati",     "firma",    "relazione"};
    for (const QString& n : names) {
        row.columns << n;
        row.values << (n == QLatin1String("relazione") ? relazione : QStringLiteral("|A|B|"));
    }
    return row;
}

report::Document provaDocument() {
    const Row row = provaRow();
    return *RvProject1().layout(QStringLiteral("prova"), row.columns, row.values);
}

int pdfPages(const QString& path) {
    QProcess info;
    info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {path});
    info.waitForFinished();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(info.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The preview with the save dialog answered by the test.
class AnsweredPreview : public ReportPreviewDialog {
public:
    using ReportPreviewDialog::ReportPreviewDialog;
    QString answer;
    int asked = 0;

protected:
    QString askPdfFileName() override {
        ++asked;
        return answer;
    }
};

} // namespace

class ReportPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        MessageWindows::setTestMode(true);
        MessageWindows::clearShown();
    }
    void cleanup() { setReportPreviewHook({}); }

    void runReportLaysOutTheNamedReport() {
        QList<report::Document> seen;
        setReportPreviewHook([&](const report::Document& d) { seen << d; });
        const Row row = provaRow();
        runReport(nullptr, QStringLiteral("prova"), row.columns, row.values);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].name, QStringLiteral("prova"));
        QVERIFY(seen[0].pages.size() >= 3);
        QVERIFY(std::any_of(seen[0].pages.begin(), seen[0].pages.end(),
                            [](const report::Page& p) { return p.continuation; }));
    }

    void unknownNameDoesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("not stored") << "inesistente";
        QTest::newRow("empty") << "";
    }
    void unknownNameDoesNothing() {
        QFETCH(QString, name);
        int calls = 0;
        setReportPreviewHook([&](const report::Document&) { ++calls; });
        runReport(nullptr, name, {}, {}); // no row at all: not even looked at
        QCOMPARE(calls, 0);
    }

    void rowNotMatchingItsColumnsStopsTheRun() {
        int calls = 0;
        setReportPreviewHook([&](const report::Document&) { ++calls; });
        Row row = provaRow();
        row.values.removeLast();
        QVERIFY_THROWS_EXCEPTION(Error, runReport(nullptr, QStringLiteral("prova"), row.columns, row.values));
        QCOMPARE(calls, 0);
    }

    void statusWindowShowsThePage() {
        ReportStatusWindow status;
        QCOMPARE(status.windowTitle(), QStringLiteral("Anteprima di stampa"));
        status.showPage(QStringLiteral("Generating page %p"), 3);
        QCOMPARE(status.text(), QStringLiteral("Generating page 3"));
        status.showPage(QStringLiteral("Printing page %p"), 12);
        QCOMPARE(status.text(), QStringLiteral("Printing page 12"));
    }

    void sharedPrinterIsSetForTheTemplates() {
        QPrinter& printer = reportPrinter();
        QCOMPARE(&printer, &reportPrinter());
        QVERIFY(printer.fullPage());
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(printer.docName(), QStringLiteral("ReportPrinter Report"));
    }

    void previewOpensAtActualSize() {
        const report::Document doc = provaDocument();
        // A page range chosen for printing does not thin out the preview.
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        ReportPreviewDialog preview(doc, &printer);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Anteprima di stampa - Pagina di prova"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(preview.previewWidget());
        QCOMPARE(preview.previewWidget()->zoomMode(), QPrintPreviewWidget::CustomZoom);
        QCOMPARE(preview.previewWidget()->zoomFactor(), 1.0);
        QCOMPARE(preview.previewWidget()->pageCount(), int(doc.pages.size()));

        QAction* exportPdf = preview.exportPdfAction();
        QCOMPARE(exportPdf->text(), QStringLiteral("Esporta PDF"));
        QCOMPARE(exportPdf->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QVERIFY(preview.findChild<QToolBar*>()->actions().contains(exportPdf));
        bool printKey = false;
        for (QAction* a : preview.findChild<QToolBar*>()->actions()) {
            printKey = printKey || a->shortcut() == QKeySequence(QKeySequence::Print);
            if (a->text().startsWith(QLatin1String("Fit"))) QVERIFY2(!a->isChecked(), qPrintable(a->text()));
        }
        QVERIFY(printKey);
        // However narrow (or scaled) the window, "Esporta PDF" stays on the bar, not in its overflow.
        preview.resize(360, 400);
        QTRY_VERIFY(preview.findChild<QToolBar*>()->widgetForAction(exportPdf)->isVisible());
        preview.close();
    }

    void exportWritesThePdfTheUserNames_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::newRow("with suffix") << "istanza.pdf"
                                     << "istanza.pdf";
        QTest::newRow("suffix added") << "istanza"
                                      << "istanza.pdf";
        QTest::newRow("upper-case suffix kept") << "ISTANZA.PDF"
                                                << "ISTANZA.PDF";
        QTest::newRow("cancelled") << ""
                                   << "";
    }
    void exportWritesThePdfTheUserNames() {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QTemporaryDir dir;
        AnsweredPreview preview(provaDocument(), &reportPrinter());
        preview.answer = answer.isEmpty() ? QString() : dir.filePath(answer);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTest::keyClick(&preview, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(preview.asked, 1);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
        if (!written.isEmpty()) QVERIFY(testing::fileBytes(dir.filePath(written)).startsWith("%PDF-1.4"));
        QCOMPARE(MessageWindows::shownMessages(), QStringList());
    }

    void failedExportIsReportedNotThrown() {
        AnsweredPreview preview(provaDocument(), &reportPrinter());
        QTemporaryDir dir;
        preview.answer = dir.filePath(QStringLiteral("manca/istanza.pdf"));
        preview.exportPdfAction()->trigger();
        QCOMPARE(MessageWindows::shownMessages().size(), 1);
        QCOMPARE(MessageWindows::shownMessages()[0],
                 QStringLiteral("Impossibile scrivere il file istanza.pdf: cartella inesistente."));
    }

    // Only a PDF is replaced, and only once the user says so; anything else stays as it was.
    void exportReplacesOnlyAPdf_data() {
        QTest::addColumn<QByteArray>("existing"); // "" for a folder of that name
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QString>("message");
        QTest::newRow("old PDF, Sì") << QByteArray("%PDF-1.4\nvecchio\n") << true << true << "Sostituire ";
        QTest::newRow("old PDF, No") << QByteArray("%PDF-1.4\nvecchio\n") << false << false << "Sostituire ";
        QTest::newRow("a practice") << QByteArray("MARIO\r\nROSSI\r\n") << true << false
                                    << "non è un file PDF";
        QTest::newRow("a folder") << QByteArray() << true << false << "è una cartella";
    }
    void exportReplacesOnlyAPdf() {
        QFETCH(QByteArray, existing);
        QFETCH(bool, yes);
        QFETCH(bool, replaced);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("istanza.pdf"));
        if (existing.isEmpty()) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("istanza.pdf")));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(existing);
        }
        AnsweredPreview preview(provaDocument(), &reportPrinter());
        preview.answer = path;
        FileDialogs::setNextReplaceAnswers({yes});
        preview.exportPdfAction()->trigger();
        const QStringList shown = MessageWindows::shownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains(message), qPrintable(shown.first()));
        if (existing.isEmpty()) {
            QVERIFY(QFileInfo(path).isDir());
        } else if (replaced) {
            QVERIFY(testing::fileBytes(path).size() > existing.size());
        } else {
            QCOMPARE(testing::fileBytes(path), existing);
        }
        FileDialogs::setNextReplaceAnswers({});
    }

    // "Esporta PDF firmato…" by keys alone: the key dialog, the certificate file, the password;
    // a wrong password first (nothing written, the reason said), then the right one.
    void signedExportByKeys() {
        testing::TestAuthority ca;
        ca.issue("rossi", "/C=IT/serialNumber=TINIT-RSSMRA70A01H501U/CN=ROSSI MARIO",
                 QDateTime::currentDateTimeUtc().addDays(-1).toString("yyyyMMddHHmmss'Z'"),
                 QDateTime::currentDateTimeUtc().addYears(1).toString("yyyyMMddHHmmss'Z'"));
        QVERIFY2(ca.failure.isEmpty(), qPrintable(ca.failure));
        QSettings(QStringLiteral("Quadrelo"), QStringLiteral("Quadrelo 2004"))
            .remove(QStringLiteral("firma"));
        QTemporaryDir dir;
        AnsweredPreview preview(provaDocument(), &reportPrinter());
        preview.answer = dir.filePath(QStringLiteral("relazione"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QApplication::setActiveWindow(&preview);
        auto typeInto = [](const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); };
        auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        auto focused = [] {
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        };
        const QString signedPdf = dir.filePath(QStringLiteral("relazione.pdf"));
        for (const QByteArray& password : {QByteArray("sbagliata"), testing::kP12Password}) {
            // Back in the preview, as the window manager gives it back once the dialogs close.
            QApplication::setActiveWindow(&preview);
            QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == &preview);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
            QTRY_VERIFY(qobject_cast<SignKeyDialog*>(QApplication::activeModalWidget()));
            QTRY_COMPARE(focused(), QStringLiteral("Pades"));
            press(Qt::Key_Tab);
            QCOMPARE(focused(), QStringLiteral("FirmaVisibile"));
            press(Qt::Key_Tab); // where the key is: the certificate file is offered without a card
            QCOMPARE(focused(), QStringLiteral("TipoChiave"));
            press(Qt::Key_Tab);
            if (password != testing::kP12Password) typeInto(ca.path("rossi.p12"));
            press(Qt::Key_Return);
            QTRY_VERIFY(qobject_cast<PinDialog*>(QApplication::activeModalWidget()));
            QTRY_COMPARE(focused(), QStringLiteral("Pin"));
            typeInto(QString::fromUtf8(password));
            press(Qt::Key_Return);
            QTRY_VERIFY(!QApplication::activeModalWidget());
            if (password != testing::kP12Password) {
                QCOMPARE(MessageWindows::shownMessages(),
                         QStringList{"La password del file del certificato è errata."});
                QVERIFY(!QFileInfo::exists(signedPdf));
                MessageWindows::clearShown();
            }
        }
        QCOMPARE(MessageWindows::shownMessages(), QStringList());
        QCOMPARE(preview.asked, 2);
        const testing::ToolRun sig = testing::runTool(QStringLiteral("pdfsig"), {signedPdf});
        QVERIFY2(sig.out.contains("Signature is Valid."), sig.out.constData());
        QVERIFY(sig.out.contains("Total document signed"));
    }

    void printingSendsTheChosenPages_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("pages");
        const int all = int(provaDocument().pages.size());
        QTest::newRow("all") << 0 << 0 << all;
        QTest::newRow("second and third") << 2 << 3 << 2;
        QTest::newRow("past the end") << 2 << 99 << all - 1;
        QTest::newRow("only the last") << all << all << 1;
    }
    void printingSendsTheChosenPages() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, pages);
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo is not installed");
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("stampa.pdf")));
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        ReportPreviewDialog preview(provaDocument(), &printer);
        preview.paintDocument(&printer);
        QCOMPARE(printer.docName(), QStringLiteral("ReportPrinter Report"));
        QCOMPARE(pdfPages(printer.outputFileName()), pages);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ReportPreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test_report_preview.moc"
