// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The archive of practices: rows read from practice files, searching, and the CSV export.
#include "archive/practice_archive.h"
#include "practice_file/practice_file.h"
#include "record/errors.h"
#include "record/text_file.h"
#include "report_checks.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QtTest>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quadrelo;
using namespace quadrelo::testing;

class ArchiveTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir;
    QTemporaryDir practices;
    PracticeForm loaded;

    QString path(const QString& name) const { return practices.filePath(name); }

    // The practice of the program's typical example: typology 1, class 2, 78 + 36 m².
    QByteArray typicalPractice(const QString& name = QStringLiteral("NICOLÒ"),
                               const QString& surname = QStringLiteral("DELL'ACQUA"),
                               const QString& municipality = QStringLiteral("FORLÌ"),
                               const QString& street = QStringLiteral("GARIBALDI")) {
        PracticeForm form = archivePrototype(loaded);
        form.Inizializza();
        form.Edit1.text = name;
        form.Edit2.text = surname;
        form.Edit5.text = QStringLiteral("DLLNCL70A01D704X");
        form.Edit9.text = municipality;
        form.chooseItem(QStringLiteral("ComboBox1"), 6); // via
        form.Edit10.text = street;
        form.Edit11.text = QStringLiteral("12");
        form.DateTimePicker1.date = QDate(2003, 3, 15);
        form.select(QStringLiteral("RadioButton13"));
        form.setText(QStringLiteral("Edit40"), QStringLiteral("78"));
        form.setText(QStringLiteral("Edit41"), QStringLiteral("36"));
        form.leave(QStringLiteral("Edit41"));
        return practiceFileBytes(form);
    }

private slots:
    void initTestCase() {
        QVERIFY(copyShippedData(workDir.path()));
        QDir::setCurrent(workDir.path());
        Inizializzazione(loaded);
    }

    // Every kind of file becomes a row, and a bad one never stops the listing.
    void rowsFromFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("applicant"); // or the reason shown in its place
        QTest::addColumn<QStringList>("amounts");
        const QByteArray good = typicalPractice();
        writeBytes(path("buona.qdr"), good);
        QByteArray damaged = good;
        damaged.replace("\r\nFALSE\r\n", "\r\nSI\r\n");
        writeBytes(path("danneggiata.qdr"), damaged);
        writeBytes(path("troncata.qdr"), good.left(good.size() / 3));
        QFile large(path("enorme.qdr"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(kPracticeFileLimit + 1));
        large.close();
        QDir(practices.path()).mkdir(QStringLiteral("cartella.qdr"));

        const QStringList none{"", "", "", "", ""};
        QTest::newRow("buona") << "buona.qdr"
                               << "DELL'ACQUA NICOLÒ"
                               << QStringList{"9960,00", "2988,00", "6972,00", "5478,00", "1643,40"};
        QTest::newRow("danneggiata") << "danneggiata.qdr"
                                     << "File danneggiato o in formato non compatibile" << none;
        QTest::newRow("troncata") << "troncata.qdr"
                                  << "File danneggiato o in formato non compatibile" << none;
        QTest::newRow("troppo grande") << "enorme.qdr"
                                       << "File danneggiato o in formato non compatibile: " << none;
        QTest::newRow("scomparsa") << "scomparsa.qdr"
                                   << "scomparsa.qdr" << none;
        QTest::newRow("cartella") << "cartella.qdr"
                                  << "cartella.qdr" << none;
    }
    void rowsFromFiles() {
        QFETCH(QString, file);
        QFETCH(QString, applicant);
        QFETCH(QStringList, amounts);
        const ArchiveRow row = readArchiveRow(path(file), loaded);
        QCOMPARE(row.fileName, file);
        QVERIFY2(archiveCellText(row, ColumnApplicant).startsWith(applicant) ||
                     archiveCellText(row, ColumnApplicant).contains(applicant),
                 qPrintable(archiveCellText(row, ColumnApplicant)));
        QCOMPARE(row.readable(), !amounts.constFirst().isEmpty());
        QStringList shown;
        for (int c = ColumnOblationDue; c <= ColumnAdvancePaid; ++c)
            shown << archiveCellText(row, c);
        QCOMPARE(shown, amounts);
        if (row.readable()) {
            QCOMPARE(archiveCellText(row, ColumnTaxCode), QStringLiteral("DLLNCL70A01D704X"));
            QCOMPARE(archiveCellText(row, ColumnMunicipality), QStringLiteral("FORLÌ"));
            QCOMPARE(archiveCellText(row, ColumnAddress), QStringLiteral("via GARIBALDI 12"));
            QCOMPARE(archiveCellText(row, ColumnTypology), QStringLiteral("1"));
            QCOMPARE(archiveCellText(row, ColumnCompletion), QStringLiteral("15/03/2003"));
        }
        // The folder lists every file, good or bad, and the folder named like a practice not at all.
        if (QTest::currentDataTag() == QLatin1String("buona")) {
            const QList<ArchiveRow> rows = readArchive({practices.path()}, loaded);
            QCOMPARE(rows.size(), 4);
            QCOMPARE(archiveTotals(rows).unreadable, 3);
        }
    }

    // Nothing is left out of a listing, and nothing stops it: every file is a row, with its
    // reason when it cannot be read.
    void everyFileIsARow_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown");  // the row's file name
        QTest::addColumn<QString>("reason"); // empty for a practice read
        QTest::newRow("pipe with a writer") << "fifo"
                                            << "tubo.qdr"
                                            << "non è un file ordinario";
        QTest::newRow("Latin-1 name") << "latin1"
                                      << "perizia Cesena n°3 è.qdr"
                                      << "";
        QTest::newRow("NUL in a field") << "nul"
                                        << "nul.qdr"
                                        << "";
        QTest::newRow("unreadable file") << "file"
                                         << "chiusa.qdr"
                                         << "accesso negato";
        QTest::newRow("unreadable folder") << "folder"
                                           << "chiusa"
                                           << "accesso negato";
    }
    void everyFileIsARow() {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QString folder = dir.path();
        const QByteArray good = typicalPractice();
        int fifo = -1;
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("tubo.qdr")).constData(), 0644), 0);
            // Held open for writing: a blocking read would wait for it for ever.
            fifo = ::open(QFile::encodeName(dir.filePath("tubo.qdr")).constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(fifo >= 0);
        } else if (kind == "latin1") {
            const QByteArray native = QFile::encodeName(dir.path()) + "/perizia Cesena n\xB0"
                                                                      "3 \xE8.qdr";
            const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, good.constData(), size_t(good.size())), ssize_t(good.size()));
            ::close(fd);
        } else if (kind == "nul") {
            QByteArray bytes = good;
            bytes.replace("GARIBALDI", QByteArray("GARI\0BALDI", 10));
            writeBytes(dir.filePath("nul.qdr"), bytes);
        } else if (kind == "file") {
            writeBytes(dir.filePath("chiusa.qdr"), good);
            QVERIFY(QFile::setPermissions(dir.filePath("chiusa.qdr"), QFileDevice::Permissions()));
        } else {
            folder = dir.filePath("chiusa");
            QVERIFY(QDir().mkpath(folder));
            writeBytes(QDir(folder).filePath("dentro.qdr"), good);
            QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions()));
        }
        // Root reads everything: the listing is made as another user.
        const passwd* nobody = ::getpwnam("nobody");
        const bool asNobody = ::geteuid() == 0 && (kind == "file" || kind == "folder");
        if (asNobody) QVERIFY(nobody && ::seteuid(nobody->pw_uid) == 0);
        const QList<ArchiveRow> rows = readArchive({folder}, loaded);
        if (asNobody) QVERIFY(::seteuid(0) == 0);
        if (fifo >= 0) ::close(fifo);

        QCOMPARE(rows.size(), 1);
        const ArchiveRow& row = rows.constFirst();
        QCOMPARE(row.fileName, shown);
        QVERIFY2(row.problem.contains(reason), qPrintable(row.problem));
        QCOMPARE(row.readable(), reason.isEmpty());
        QCOMPARE(archiveTotals(rows).unreadable, reason.isEmpty() ? 0 : 1);
        if (row.readable()) QCOMPARE(archiveCellText(row, ColumnOblationDue), QStringLiteral("9960,00"));
        // Printed to a terminal the table holds no control character, and ends with the totals.
        const QString table = archiveTextTable(rows);
        QVERIFY(std::none_of(table.cbegin(), table.cend(), [](QChar c) {
            return c != QLatin1Char('\n') && c.category() == QChar::Other_Control;
        }));
        QVERIFY(table.trimmed()
                    .section(QLatin1Char('\n'), -1)
                    .startsWith(reason.isEmpty() ? "1 pratica" : "0 pratiche"));
    }

    // Searching ignores case and accents, in any column, every word somewhere.
    void search_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("found");
        QTest::newRow("nome senza accento") << "nicolo" << true;
        QTest::newRow("comune minuscolo con accento") << "forlì" << true;
        QTest::newRow("accento su lettera non accentata") << "GÀRIBALDI" << true;
        QTest::newRow("apostrofo") << "dell'acqua" << true;
        QTest::newRow("importo") << "9960,00" << true;
        QTest::newRow("data") << "15/03/2003" << true;
        QTest::newRow("parole in colonne diverse") << "acqua  forli" << true;
        QTest::newRow("una parola assente") << "acqua milano" << false;
        QTest::newRow("vuota") << "  " << true;
    }
    void search() {
        QFETCH(QString, query);
        QFETCH(bool, found);
        writeBytes(path("cerca.qdr"), typicalPractice());
        QCOMPARE(archiveRowMatches(readArchiveRow(path("cerca.qdr"), loaded), query), found);
    }

    // A column of numbers or dates sorts by one number a row keeps: it orders every pair as
    // their sort values compare, negative amounts, -0 and 0, unreadable files and no date included.
    void sortNumberOrdersAsComparison_data() {
        QTest::addColumn<int>("column");
        for (int c : {ColumnTypology, ColumnOblationDue, ColumnOblationPaid, ColumnOblationRemaining,
                      ColumnAdvanceDue, ColumnAdvancePaid, ColumnCompletion, ColumnModified})
            QTest::newRow(qPrintable(archiveColumnTitle(c))) << c;
    }
    void sortNumberOrdersAsComparison() {
        QFETCH(int, column);
        const double amounts[] = {-1e9, -250.5, -1, -0.004, -0.0, 0.0, 0.004, 1, 9960, 1e12};
        QList<ArchiveRow> rows;
        for (int n = 0; n < 10; ++n) {
            ArchiveRow row;
            row.path = QStringLiteral("/pratiche/p.qdr"); // the same for all: the column alone decides
            row.typology = n - 3;
            row.oblationDue = row.oblationPaid = row.oblationRemaining = row.advanceDue = row.advancePaid =
                amounts[n];
            row.completion = n % 4 ? QDate(1940 + 9 * n, 1 + n, 1) : QDate();
            row.modified = n % 3 ? QDateTime(QDate(1950 + 9 * n, 1, 1), QTime(n, 0)) : QDateTime();
            rows << row;
            row.problem = QStringLiteral("illeggibile");
            rows << row;
        }
        for (const ArchiveRow& a : rows)
            for (const ArchiveRow& b : rows) {
                const quint64 x = archiveSortNumber(a, column);
                const quint64 y = archiveSortNumber(b, column);
                const QPartialOrdering o =
                    QVariant::compare(archiveSortValue(a, column), archiveSortValue(b, column));
                QVERIFY2((x < y   ? QPartialOrdering::Less
                          : y < x ? QPartialOrdering::Greater
                                  : QPartialOrdering::Equivalent) == o,
                         qPrintable(QStringLiteral("«%1» e «%2»")
                                        .arg(archiveCellText(a, column), archiveCellText(b, column))));
            }
    }

    // What a spreadsheet set to Italian reads: BOM, ';', decimal comma, quoted structure.
    void csvBytes_data() {
        QTest::addColumn<QString>("applicant");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("semplice") << "ROSSI MARIO" << QByteArray("ROSSI MARIO;");
        QTest::newRow("punto e virgola") << "ROSSI; MARIO" << QByteArray("\"ROSSI; MARIO\";");
        QTest::newRow("virgolette") << "ROSSI \"MARIO\"" << QByteArray("\"ROSSI \"\"MARIO\"\"\";");
        QTest::newRow("a capo") << "ROSSI\nMARIO" << QByteArray("\"ROSSI\nMARIO\";");
        QTest::newRow("accenti") << "NICOLÒ" << QString("NICOLÒ;").toUtf8();
    }
    void csvBytes() {
        QFETCH(QString, applicant);
        QFETCH(QByteArray, field);
        ArchiveRow row;
        row.fileName = QStringLiteral("a.qdr");
        row.applicant = applicant;
        row.typology = 4;
        row.oblationDue = 3500;
        row.oblationPaid = 1234.5;
        row.advanceDue = 0.126;
        row.completion = QDate(2003, 3, 31);
        const QByteArray csv = archiveCsv({row});
        QVERIFY(csv.startsWith(
            "\xEF\xBB\xBF"
            "File;Richiedente;Codice fiscale;Verifica codice fiscale;Comune;Indirizzo;Tipologia;"
            "Oblazione dovuta;Oblazione versata;Oblazione residua;Anticipazione dovuta;"
            "Anticipazione versata;Ultimazione;Modificato\r\n"));
        const QByteArray line = csv.mid(csv.indexOf("\r\n") + 2);
        QCOMPARE(line, "a.qdr;" + field + ";;;;4;3500,00;1234,50;0,00;0,13;0,00;31/03/2003;\r\n");
    }

    // A text cell a spreadsheet would run as a formula stays text; amounts stay numbers and a
    // code of digits keeps its leading zero.
    void csvCellsNeverRunAsFormulas_data() {
        QTest::addColumn<QString>("applicant");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("=") << "=cmd|' /C calc'!A0" << QByteArray("'=cmd|' /C calc'!A0");
        QTest::newRow("+") << "+39 0543 123456" << QByteArray("'+39 0543 123456");
        QTest::newRow("-") << "-2+3" << QByteArray("'-2+3");
        QTest::newRow("@") << "@SOMMA(A1:A9)" << QByteArray("'@SOMMA(A1:A9)");
        QTest::newRow("TAB") << "\t=1+1" << QByteArray("'\t=1+1");
        QTest::newRow("CR") << "\r=1+1" << QByteArray("\"'\r=1+1\"");
        QTest::newRow("in mezzo") << "ROSSI = BIANCHI" << QByteArray("ROSSI = BIANCHI");
    }
    void csvCellsNeverRunAsFormulas() {
        QFETCH(QString, applicant);
        QFETCH(QByteArray, field);
        ArchiveRow row;
        row.fileName = QStringLiteral("=a.qdr");
        row.applicant = applicant;
        row.taxCode = QStringLiteral("01234567890");
        row.oblationPaid = 1234.5;
        row.oblationRemaining = -1234.5;
        row.completion = QDate(2003, 3, 31);
        const QByteArray csv = archiveCsv({row});
        QCOMPARE(csv.mid(csv.indexOf("\r\n") + 2),
                 "'=a.qdr;" + field + ";\"01234567890\";;;;;0,00;1234,50;-1234,50;0,00;0,00;31/03/2003;\r\n");
    }

    // An export never replaces a practice, a table or a folder, whatever name the user typed.
    void exportRefusesFilesNotItsOwn_data() {
        QTest::addColumn<bool>("pdf");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("written");
        QTest::newRow("CSV su una pratica") << false << "pratica.qdr" << false;
        QTest::newRow("CSV su una cartella") << false << "cartella" << false;
        QTest::newRow("CSV nuovo") << false << "elenco.csv" << true;
        QTest::newRow("CSV su una tabella") << false << "tabc.dat" << false;
        QTest::newRow("CSV su un PDF") << false << "vecchio.pdf" << false;
        QTest::newRow("CSV su un elenco precedente") << false << "vecchio.csv" << true;
        QTest::newRow("PDF su una pratica") << true << "pratica.qdr" << false;
        QTest::newRow("PDF su una tabella") << true << "tabc.dat" << false;
        QTest::newRow("PDF nuovo") << true << "elenco.pdf" << true;
    }
    void exportRefusesFilesNotItsOwn() {
        QFETCH(bool, pdf);
        QFETCH(QString, target);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"),
                            dir.filePath("pratica.qdr")));
        QVERIFY(QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/data/tabc.dat"), dir.filePath("tabc.dat")));
        QVERIFY(QDir(dir.path()).mkdir("cartella"));
        writeBytes(dir.filePath("vecchio.pdf"), "%PDF-1.4\n");
        writeBytes(dir.filePath("vecchio.csv"), archiveCsv({}));
        const QByteArray before = QFileInfo(path).isFile() ? fileBytes(path) : QByteArray();
        ArchiveRow row;
        row.fileName = QStringLiteral("a.qdr");
        bool refused = false;
        try {
            pdf ? writeArchivePdf(path, {row}, QStringLiteral("Archivio")) : writeArchiveCsv(path, {row});
        } catch (const IoError&) {
            refused = true;
        }
        QCOMPARE(refused, !written);
        if (written)
            QVERIFY(fileBytes(path).startsWith(pdf ? "%PDF-" : "\xEF\xBB\xBF"));
        else if (!before.isEmpty())
            QCOMPARE(fileBytes(path), before);
    }

    // However many rows, every one is listed once, the pages numbered and the totals last.
    void pdfPages_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("nessuna") << 0 << 1;
        QTest::newRow("una") << 1 << 1;
        QTest::newRow("120") << 120 << 3;
    }
    void pdfPages() {
        QFETCH(int, rows);
        QFETCH(int, pages);
        ArchiveRow row;
        row.fileName = QStringLiteral("a.qdr");
        row.applicant = QStringLiteral("ROSSI MARIO");
        row.oblationDue = 100;
        const report::Document document =
            archiveDocument(QList<ArchiveRow>(rows, row), QStringLiteral("Elenco"));
        QVERIFY2(document.pages.size() >= pages, qPrintable(QString::number(document.pages.size())));
        int listed = 0;
        QStringList last;
        for (const report::Page& page : document.pages)
            for (const report::TextRun& run : page.texts) {
                listed += run.text == QLatin1String("ROSSI MARIO");
                if (&page == &document.pages.constLast() && !run.pageMark) last << run.text;
            }
        QCOMPARE(listed, rows);
        QVERIFY(last.join(' ').contains(QStringLiteral("oblazione dovuta %1,00").arg(rows * 100)));
    }

    // The list of two folders with long names and damaged files: landscape pages, every cell's
    // whole text in reading order (the file with its folder), every title on every page, and no
    // text over another or off the paper.
    void pdfListsEveryCellWhole() {
        QTemporaryDir first, second;
        const QStringList towns = {
            QStringLiteral("CORTACCIA SULLA STRADA DEL VINO/KURTATSCH AN DER WEINSTRASSE"),
            QStringLiteral("SANT'AGATA DE' GOTI"),
            QStringLiteral("SAN MARTINO IN BADIA/ST. MARTIN IN THURN/SAN MARTIN DE TOR")};
        for (int i = 0; i < 60; ++i)
            for (const QTemporaryDir* dir : {&first, &second}) {
                const QByteArray bytes =
                    i % 3 == 0
                        ? typicalPractice(QString(),
                                          QStringLiteral("IMMOBILIARE COSTRUZIONI EDILI SAN "
                                                         "GIORGIO S.R.L."),
                                          towns[i % 3], QStringLiteral("SANTA MARIA DELLE GRAZIE MONTE"))
                        : typicalPractice(QStringLiteral("MARIA ANTONIETTA GIOVANNA"),
                                          QStringLiteral("BRAMBILLA PALLAVICINI DEI CONTI DI SOTTO"),
                                          towns[i % 3], QStringLiteral("GIOVANNI BATTISTA PERGOLESI"));
                writeBytes(
                    dir->filePath(
                        QStringLiteral("Pratica Rossi Mario 2003-%1.qdr").arg(i + 1, 2, 10, QChar('0'))),
                    i % 17 == 5 ? bytes.left(bytes.size() / 3) : bytes);
            }
        const QList<ArchiveRow> rows = readArchive({first.path(), second.path()}, loaded);
        QCOMPARE(rows.size(), 120);
        QVERIFY(archiveTotals(rows).unreadable > 0);
        const report::Document doc = archiveDocument(rows, QStringLiteral("Archivio pratiche"));
        QVERIFY(doc.pages.size() > 1);
        for (const QString& faults : {layoutFaults(doc), printableFaults(doc)})
            QVERIFY2(faults.isEmpty(), qPrintable(faults));

        auto flat = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); };
        QString printed;
        for (const report::Page& page : doc.pages) {
            QVERIFY(page.size.width() > page.size.height());
            QString onPage;
            for (const report::TextRun& run : page.texts)
                if (!run.pageMark) onPage += run.text;
            for (int c = 0; c < ArchiveColumnCount; ++c)
                QVERIFY2(flat(onPage).contains(flat(archiveColumnTitle(c))),
                         qPrintable(archiveColumnTitle(c)));
            printed += onPage;
        }
        printed = flat(printed);
        qsizetype at = 0;
        for (const ArchiveRow& row : rows) {
            QString cells;
            for (int c = 0; c < ArchiveColumnCount; ++c)
                cells += c == ColumnFile ? QFileInfo(QFileInfo(row.path).absolutePath()).fileName() +
                                               QDir::separator() + row.fileName
                                         : archiveCellText(row, c);
            const qsizetype found = printed.indexOf(flat(cells), at);
            QVERIFY2(found >= 0, qPrintable(cells));
            at = found + flat(cells).size();
        }
        QVERIFY(printed.indexOf(flat(archiveTotalsText(archiveTotals(rows))), at) >= 0);
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts of the list's PDF
    ArchiveTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_archive.moc"
