// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The program without a window: the practice as JSON and the documents as PDF/A.
#include "calc/practice_form.h"
#include "documents/document_checks.h"
#include "practice_file/practice_file.h"
#include "record/text_file.h"
#include "signing_support.h"
#include "test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace quadrelo::testing;

namespace {

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

Run runProgram(const QString& folder, const QStringList& arguments, const QString& home = {},
               const QString& output = {}) {
    QProcess p;
    if (!output.isEmpty()) p.setStandardOutputFile(output);
    p.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("XDG_RUNTIME_DIR"); // as under a plain su or a service: Qt would complain
    if (!home.isEmpty()) env.insert("HOME", home);
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

    // The documents named by --help and by the manual page are those of the program's commands.
    void everyDocumentIsNamed_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("--help") << QString::fromUtf8(runProgram(work.path(), {"--help"}).out);
        QTest::newRow("quadrelo.1") << QString::fromUtf8(fileBytes(QUADRELO_SOURCE_DIR "/app/quadrelo.1"));
    }
    void everyDocumentIsNamed() {
        QFETCH(QString, text);
        const qsizetype from = text.indexOf(QStringLiteral("uno tra "));
        QVERIFY(from >= 0);
        QString list = text.mid(from + 8);
        for (const QString& end : {QStringLiteral("."), QStringLiteral("\n  --")})
            if (const qsizetype at = list.indexOf(end); at >= 0) list.truncate(at);
        QStringList named = list.simplified().split(QStringLiteral(", "));
        QStringList reports;
        for (const quadrelo::DocumentCommand& c : quadrelo::documentCommands())
            reports << c.report;
        QCOMPARE(named, reports);
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
        QCOMPARE(QString::fromLocal8Bit(r.err), QString()); // nothing the user did not cause
        const QByteArray pdf = fileBytes(work.filePath("istanza.pdf"));
        QVERIFY(pdf.startsWith("%PDF-1.4"));
        QVERIFY(pdf.contains("pdfaid:part"));
    }

    // A studio's practices with true and wrong codes: the list's check says "corretto" for the true
    // ones only, names what disagrees in the others, and the totals count them.
    void listChecksEveryTaxCode() {
        struct Practice {
            const char* file;
            const char* surname;
            const char* name;
            QDate born;
            const char* place;
            const char* province;
            const char* code;
            const char* verdict;
        };
        const Practice practices[] = {
            {"palau.qdr", "ROSSI", "MARIO", QDate(1990, 5, 1), "PALAU", "SS", "RSSMRA90E01G258T", "corretto"},
            {"palau-stato.qdr", "ROSSI", "MARIO", QDate(1990, 5, 1), "PALAU", "SS", "RSSMRA90E01Z734M",
             "non corrisponde al luogo di nascita"},
            {"castelnuovo.qdr", "VERDI", "LUIGI", QDate(1901, 8, 20), "CASTELNUOVO", "FR", "VRDLGU01M20C223P",
             "corretto"},
            {"castelnuovo-tn.qdr", "VERDI", "LUIGI", QDate(1901, 8, 20), "CASTELNUOVO", "FR",
             "VRDLGU01M20C216W", "non corrisponde al luogo di nascita"},
            {"data.qdr", "ROSSI", "MARIO", QDate(1990, 5, 2), "PALAU", "SS", "RSSMRA90E01G258T",
             "non corrisponde alla data di nascita"},
            {"corto.qdr", "BIANCO", "ANNA", QDate(1970, 2, 10), "RICCÒ DEL GOLFO DI SPEZIA", "SP",
             "BNCNNA70B50H275", "è incompleto"},
            {"societa.qdr", "EDILIZIA SAN MARCO S.R.L.", "", QDate(1950, 1, 1), "", "", "07643520567",
             "corretto"},
            {"senza.qdr", "ROSSI", "MARIO", QDate(1990, 5, 1), "PALAU", "SS", "", ""},
        };
        const QString folder = work.filePath("studio");
        QVERIFY(QDir().mkpath(folder));
        for (const Practice& p : practices) {
            quadrelo::PracticeForm form;
            form.Inizializza();
            form.Edit2.text = QString::fromUtf8(p.surname);
            form.Edit1.text = QString::fromUtf8(p.name);
            form.DateTimePicker3.date = p.born;
            form.Edit3.text = QString::fromUtf8(p.place);
            form.Edit22.text = QString::fromUtf8(p.province);
            form.Edit5.text = QString::fromUtf8(p.code);
            quadrelo::writeBytes(folder + QLatin1Char('/') + QLatin1String(p.file),
                                 quadrelo::practiceFileBytes(form));
        }
        const Run r = runProgram(work.path(), {"--elenco", folder, "--csv", "studio.csv"});
        QCOMPARE(r.status, 0);
        QVERIFY2(QString::fromLocal8Bit(r.out).contains("4 codici fiscali da verificare"), r.out.constData());
        QStringList lines = QString::fromUtf8(fileBytes(work.filePath("studio.csv")).mid(3))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const qsizetype column = lines.takeFirst().split(QLatin1Char(';')).indexOf("Verifica codice fiscale");
        QVERIFY(column > 0);
        QMap<QString, QString> verdicts;
        for (const QString& line : std::as_const(lines))
            verdicts[line.section(QLatin1Char(';'), 0, 0)] = line.section(QLatin1Char(';'), column, column);
        for (const Practice& p : practices)
            QCOMPARE(verdicts.value(QLatin1String(p.file)), QString::fromUtf8(p.verdict));
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

    // Arguments that cannot be right and files that cannot be used end the run before anything
    // is printed or replaced, with the status the help promises and a message naming the cause.
    void refusesBeforeWriting_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("spoil"); // a start-up file to turn into a folder ("/") or damage
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept"); // a file that must stay byte for byte
        const QStringList pdf{"--report", "modello", "--pdf"};
        QTest::newRow("unknown document")
            << QStringList{"--report", "modelo", "--pdf", "x.pdf", "p.qdr"} << "" << 1 << "modelo"
            << "";
        QTest::newRow("date that is no date")
            << QStringList{"--report", "rifiuti", "--rifiuti-dal", "31/02/2003", "--pdf", "x.pdf", "p.qdr"}
            << "" << 1 << "31/02/2003"
            << "";
        QTest::newRow("ten fields of eleven")
            << QStringList{"--report", "occupazione", "--occupazione", "1|2|3|4|5|6|7|8|9|10",
                           "--pdf",    "x.pdf",       "p.qdr"}
            << "" << 1 << "--occupazione"
            << "";
        QTest::newRow("nineteen fields of eighteen")
            << QStringList{"--report", "ici",   "--ici2", QStringList(19, "X").join('|'),
                           "--pdf",    "x.pdf", "p.qdr"}
            << "" << 1 << "--ici2"
            << "";
        QTest::newRow("second practice")
            << QStringList{"--report", "modello", "--pdf", "x.pdf", "p.qdr", "q.qdr"} << "" << 1 << "q.qdr"
            << "";
        QTest::newRow("json and report")
            << QStringList{"--json", "p.qdr", "--report", "modello"} << "" << 1 << "--json"
            << "";
        QTest::newRow("pdf over the practice") << pdf + QStringList{"p.qdr", "p.qdr"} << "" << 1 << "p.qdr"
                                               << "p.qdr";
        QTest::newRow("pdf over the technician")
            << pdf + QStringList{"tec.dat", "p.qdr"} << "" << 1 << "tec.dat"
            << "tec.dat";
        QTest::newRow("pdf over a folder") << pdf + QStringList{"cartella", "p.qdr"} << "" << 1 << "cartella"
                                           << "";
        QTest::newRow("pdf over a pipe") << pdf + QStringList{"tubo", "p.qdr"} << "" << 1 << "tubo"
                                         << "";
        const QStringList list{"--elenco", ".", "--pdf"};
        QTest::newRow("list pdf over the practice") << list + QStringList{"p.qdr"} << "" << 1 << "p.qdr"
                                                    << "p.qdr";
        QTest::newRow("list pdf over the technician") << list + QStringList{"tec.dat"} << "" << 1 << "tec.dat"
                                                      << "tec.dat";
        QTest::newRow("list pdf over a folder") << list + QStringList{"cartella"} << "" << 1 << "cartella"
                                                << "";
        QTest::newRow("list pdf over a pipe") << list + QStringList{"tubo"} << "" << 1 << "tubo"
                                              << "";
        QTest::newRow("csv over a table")
            << QStringList{"--elenco", ".", "--csv", "taba.dat"} << "" << 1 << "taba.dat"
            << "taba.dat";
        QTest::newRow("missing value") << QStringList{"--json"} << "" << 1 << "Manca il valore dopo «--json»"
                                       << "";
        QTest::newRow("unknown option") << QStringList{"--json", "p.qdr", "--frobnicate"} << "" << 1
                                        << "Opzione sconosciuta «--frobnicate»"
                                        << "";
        QTest::newRow("version with an argument") << QStringList{"--version", "junk"} << "" << 1 << "«junk»"
                                                  << "";
        QTest::newRow("all over a file")
            << QStringList{"--report", "all", "--pdf", "taba.dat", "p.qdr"} << "" << 1 << "taba.dat"
            << "taba.dat";
        QTest::newRow("unreadable table")
            << pdf + QStringList{"x.pdf", "p.qdr"} << "/tabd.dat" << 1 << "tabd.dat: è una cartella"
            << "";
        QTest::newRow("damaged table, json")
            << QStringList{"--json", "p.qdr"} << "tabc.dat" << 1 << "tabc.dat è danneggiato alla riga 2: ','"
            << "";
        QTest::newRow("unreadable technician")
            << pdf + QStringList{"x.pdf", "p.qdr"} << "/tec.dat" << 1 << "tec.dat: è una cartella"
            << "";
        QTest::newRow("practice one byte too large")
            << QStringList{"--json", "grande.qdr"} << "" << 2 << "File danneggiato"
            << "";
    }

    void refusesBeforeWriting() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, spoil);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        QVERIFY(copyShippedData(dir.path()));
        QFile::remove(dir.filePath("tec.dat"));
        QVERIFY(
            QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/tec.dat"), dir.filePath("tec.dat")));
        QVERIFY(QFile::copy(example, dir.filePath("p.qdr")));
        QVERIFY(QFile::copy(example, dir.filePath("q.qdr")));
        // The guide too: a work folder without it would get the installed copy.
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/help/quadrelo.hlp"),
                            dir.filePath("quadrelo.hlp")));
        QVERIFY(QDir(dir.path()).mkdir("cartella"));
        QCOMPARE(QProcess::execute("mkfifo", {dir.filePath("tubo")}), 0);
        QFile large(dir.filePath("grande.qdr"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(quadrelo::kPracticeFileLimit + 1)); // sparse: quick to make and to refuse
        large.close();
        if (spoil.startsWith('/')) {
            // A missing file would be filled from the installed copy; a folder cannot be.
            QVERIFY(QFile::remove(dir.filePath(spoil.mid(1))));
            QVERIFY(QDir(dir.path()).mkdir(spoil.mid(1)));
        } else if (!spoil.isEmpty()) {
            QByteArray bytes = fileBytes(dir.filePath(spoil));
            bytes.replace("\r\n150,00\r\n", "\r\n,\r\n"); // a lone comma for a rate
            QFile f(dir.filePath(spoil));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        const QByteArray before = kept.isEmpty() ? QByteArray() : fileBytes(dir.filePath(kept));
        const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        const Run r = runProgram(dir.path(), arguments);
        QCOMPARE(r.status, status);
        const QString err = QString::fromLocal8Bit(r.err);
        QVERIFY2(err.contains(message), qPrintable(err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        if (!kept.isEmpty()) QCOMPARE(fileBytes(dir.filePath(kept)), before);
        QVERIFY(QFileInfo(dir.filePath("tubo")).isFile() == false);
    }

    // A name from an old Windows disk, not valid UTF-8, is the name written, byte for byte.
    void pdfNameKeepsItsBytes() {
        QTemporaryDir dir;
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start("sh", {"-c", "exec \"$0\" --report modello --pdf \"$(printf 'perizia \\350.pdf')\" \"$1\"",
                       QUADRELO_BINARY, example});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        const QByteArray name = QFile::encodeName(dir.path()) + "/perizia \xE8.pdf";
        QVERIFY2(::access(name.constData(), F_OK) == 0, p.readAllStandardError().constData());
        QCOMPARE(::unlink(name.constData()), 0); // the folder cannot remove what it cannot name
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    // A full standard output is a file error, never a success.
    void fullOutputIsAFileError_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("json") << QStringList{"--json", example};
        QTest::newRow("elenco") << QStringList{"--elenco", QUADRELO_SOURCE_DIR "/examples"};
        QTest::newRow("version") << QStringList{"--version"};
    }
    void fullOutputIsAFileError() {
        QFETCH(QStringList, arguments);
        const Run r = runProgram(work.path(), arguments, {}, "/dev/full");
        QCOMPARE(r.status, 1);
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(
                     "Impossibile scrivere sullo standard output: spazio su disco "
                     "esaurito."),
                 r.err.constData());
    }

    // A pipe held open by a writer and a NUL in a field: the listing ends, names every file and
    // keeps its totals.
    void listingEndsWithEveryFile() {
        QTemporaryDir dir;
        QByteArray bytes = fileBytes(example);
        bytes.replace("MARIO", QByteArray("MA\0RIO", 6));
        QFile f(dir.filePath("nul.qdr"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        QCOMPARE(QProcess::execute("mkfifo", {dir.filePath("tubo.qdr")}), 0);
        QFile writer(dir.filePath("tubo.qdr"));
        QVERIFY(writer.open(QIODevice::ReadWrite | QIODevice::Unbuffered)); // a writer that never writes
        const Run r = runProgram(work.path(), {"--elenco", dir.path()});
        QCOMPARE(r.status, 2);
        const QString out = QString::fromUtf8(r.out);
        QVERIFY2(out.contains("tubo.qdr") && out.contains("non è un file ordinario"), qPrintable(out));
        QVERIFY2(out.contains("ROSSI MA\uFFFDRIO"), qPrintable(out));
        QVERIFY2(out.contains("1 pratica — oblazione dovuta 9960,00") && out.contains("1 file illeggibile"),
                 qPrintable(out));
    }

    // The window and the command line share one work folder rule; names on the command line
    // stay relative to where the command was given.
    void workFolderFollowsTheRule_data() {
        QTest::addColumn<bool>("startHoldsTables");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("folder"); // relative to the test's root; "casa" is HOME
        QTest::newRow("dal menu") << false << QStringList{} << "casa/Quadrelo2004";
        QTest::newRow("cartella con le tabelle") << true << QStringList{} << "avvio";
        QTest::newRow("--cartella") << true << QStringList{"--cartella", "studio"} << "avvio/studio";
        QTest::newRow("--cartella=") << false << QStringList{"--cartella=../altrove"} << "altrove";
    }

    void workFolderFollowsTheRule() {
        QFETCH(bool, startHoldsTables);
        QFETCH(QStringList, options);
        QFETCH(QString, folder);
        QTemporaryDir root;
        const QDir r(root.path());
        QVERIFY(r.mkpath("casa") && r.mkpath("avvio"));
        if (startHoldsTables)
            QVERIFY(QFile::copy(QUADRELO_SOURCE_DIR "/data/taba.dat", r.filePath("avvio/taba.dat")));
        QVERIFY(QFile::copy(example, r.filePath("avvio/pratica.qdr")));

        const Run run = runProgram(r.filePath("avvio"), options + QStringList{"--json", "pratica.qdr"},
                                   r.filePath("casa"));
        QCOMPARE(run.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(o["controls"]["Label36"]["text"].toString(), QStringLiteral("9960,00"));
        for (const char* name : {"taba.dat", "tabb.dat", "tabc.dat", "tabd.dat", "tec.dat", "quadrelo.hlp"})
            QVERIFY2(QFile::exists(r.filePath(folder + "/" + name)), name);
        QCOMPARE(QFile::exists(r.filePath("casa/Quadrelo2004")), folder.startsWith("casa/"));
        QVERIFY2(!run.err.contains("Impossibile"), run.err.constData());
    }
    // The password reaches the program through descriptor 3, as a script hands it over; every
    // document of the set is signed with it, or none is written.
    void signsWithThePasswordFromADescriptor_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("secret");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("written");
        QTest::newRow("PAdES, every document")
            << QStringList{"--report", "all", "--pdf", "firmati", "--tribunale", "RIMINI", "--firma-visibile"}
            << quadrelo::testing::kP12Password + "\n"
            << 0 << "firmati/tecnica.pdf";
        QTest::newRow("CAdES") << QStringList{"--report",    "tecnica",   "--pdf",
                                              "tecnica.pdf", "--formato", "cades"}
                               << quadrelo::testing::kP12Password << 0 << "tecnica.pdf.p7m";
        QTest::newRow("wrong password") << QStringList{"--report", "all", "--pdf", "rifiutati"}
                                        << QByteArray("parola sbagliata\n") << 1 << QString();
    }

    void signsWithThePasswordFromADescriptor() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, secret);
        QFETCH(int, status);
        QFETCH(QString, written);
        static quadrelo::testing::TestAuthority ca;
        if (!QFileInfo::exists(ca.path("rossi.p12")))
            ca.issue("rossi", "/C=IT/serialNumber=TINIT-RSSMRA70A01H501U/CN=ROSSI MARIO",
                     QDateTime::currentDateTimeUtc().addDays(-1).toString("yyyyMMddHHmmss'Z'"),
                     QDateTime::currentDateTimeUtc().addYears(1).toString("yyyyMMddHHmmss'Z'"));
        QVERIFY2(ca.failure.isEmpty(), qPrintable(ca.failure));
        QTemporaryDir folder;
        int fds[2];
        QVERIFY(::pipe2(fds, O_CLOEXEC) == 0);
        QCOMPARE(::write(fds[1], secret.constData(), size_t(secret.size())), ssize_t(secret.size()));
        ::close(fds[1]);
        QProcess p;
        p.setWorkingDirectory(folder.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        const int readEnd = fds[0];
        p.setChildProcessModifier([readEnd] { ::dup2(readEnd, 3); });
        p.start(QStringLiteral(QUADRELO_BINARY),
                arguments + QStringList{"--cartella", work.path(), "--firma", "p12:" + ca.path("rossi.p12"),
                                        "--pin-da", "fd:3", example});
        QVERIFY(p.waitForFinished(60000));
        ::close(readEnd);
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(p.exitCode() == status, qPrintable(err));
        if (written.isEmpty()) {
            QVERIFY2(err.contains("La password del file del certificato è errata."), qPrintable(err));
            QCOMPARE(QDir(folder.path())
                         .entryList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot),
                     QStringList());
            return;
        }
        const QString path = folder.filePath(written);
        if (path.endsWith(".p7m")) {
            QVERIFY(!QFileInfo::exists(folder.filePath("tecnica.pdf")));
            const auto verify = quadrelo::testing::runTool(
                "openssl", {"cms", "-verify", "-binary", "-inform", "DER", "-in", path, "-CAfile",
                            ca.path("ca.pem"), "-out", folder.filePath("contenuto.pdf")});
            QVERIFY2(verify.status == 0, verify.err.constData());
            QVERIFY(fileBytes(folder.filePath("contenuto.pdf")).startsWith("%PDF-1.4"));
            return;
        }
        QVERIFY(QString::fromLocal8Bit(p.readAllStandardOutput()).contains("tecnica: scritto " + path));
        for (const QString& name : QDir(folder.filePath("firmati")).entryList(QDir::Files))
            QVERIFY2(
                fileBytes(folder.filePath("firmati/" + name)).contains("/SubFilter /ETSI.CAdES.detached"),
                qPrintable(name));
        QCOMPARE(QDir(folder.filePath("firmati")).entryList(QDir::Files).size(), 13);
        const auto sig = quadrelo::testing::runTool("pdfsig", {path});
        QVERIFY2(sig.out.contains("Signature is Valid."), sig.out.constData());
        QVERIFY(fileBytes(path).contains("/AP << /N ")); // the visible signature asked for
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "cli_test_command_line.moc"
