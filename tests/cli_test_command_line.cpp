// The program without a window: the practice as JSON and the documents as PDF/A.
#include "test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace quadrelo::testing;

namespace {

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

Run runProgram(const QString& folder, const QStringList& arguments) {
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUADRELO_BINARY), arguments);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

const QString example = QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr");

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
    QTemporaryDir work;

private slots:
    void initTestCase() {
        copyShippedData(work.path());
        QFile::remove(work.filePath("tec.dat"));
        QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/tec.dat"), work.filePath("tec.dat"));
    }

    void jsonHasControlsAndFigures() {
        const Run r = runProgram(work.path(), {"--json", example});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o["controls"]["Edit1"]["text"].toString(), QStringLiteral("MARIO"));
        QCOMPARE(o["controls"]["Edit40"]["enabled"].toBool(), true);
        QCOMPARE(o["controls"]["Edit46"]["enabled"].toBool(), false);
        QCOMPARE(o["controls"]["Label36"]["text"].toString(), QStringLiteral("9960,00"));
        QCOMPARE(o["figures"]["resTotalSurface1"].toDouble(), 78 + 0.6 * 36);
        QCOMPARE(o["figures"]["indemnityTotal"].toDouble(), 7200.0);
    }

    void damagedFileExitsTwo() {
        QFile f(work.filePath("rotta.qdr"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("A\r\nB\r\n");
        f.close();
        const Run r = runProgram(work.path(), {"--json", "rotta.qdr"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(QString::fromLocal8Bit(r.err).contains("File danneggiato o in formato non compatibile"));
    }

    void documentChecksStopThePdf() {
        QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/fuzz/corpus/practice/nuova.qdr"),
                    work.filePath("nuova.qdr"));
        const Run r = runProgram(work.path(), {"--report", "antimafia", "--pdf", "a.pdf", "nuova.qdr"});
        QCOMPARE(r.status, 2);
        QVERIFY(
            QString::fromLocal8Bit(r.err).contains("I dati relativi al richiedente risultano incompleti."));
        QVERIFY(!QFile::exists(work.filePath("a.pdf")));
    }

    void writesPdfA() {
        const Run r = runProgram(work.path(), {"--report", "modello", "--pdf", "istanza.pdf", example});
        QCOMPARE(r.status, 0);
        const QByteArray pdf = fileBytes(work.filePath("istanza.pdf"));
        QVERIFY(pdf.startsWith("%PDF-1.4"));
        QVERIFY(pdf.contains("pdfaid:part"));
    }

    void allWritesWhatPassesAndSaysWhatNot() {
        const Run r = runProgram(work.path(), {"--report", "all", "--pdf", "documenti", example});
        // One document skipped: the check is not passed, whatever was written.
        QCOMPARE(r.status, 2);
        const QString err = QString::fromLocal8Bit(r.err);
        // Without a court the sworn appraisal is not printed, as its dialog would not print it.
        QVERIFY2(err.contains("giurata: saltato, manca il tribunale"), qPrintable(err));
        const QStringList written = QDir(work.filePath("documenti")).entryList({"*.pdf"});
        QCOMPARE(written.size(), 12);
        QVERIFY(!written.contains("giurata.pdf"));

        const Run all =
            runProgram(work.path(), {"--report", "all", "--pdf", "tutti", "--tribunale", "RIMINI", example});
        QCOMPARE(all.status, 0);
        QCOMPARE(QDir(work.filePath("tutti")).entryList({"*.pdf"}).size(), 13);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "cli_test_command_line.moc"
