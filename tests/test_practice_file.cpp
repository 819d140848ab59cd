// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/practice_form.h"
#include "practice_file/practice_file.h"
#include "practice_file/practice_json.h"
#include "record/catalogue.h"
#include "record/text_file.h"
#include "tables/parameter_tables.h"
#include "tables/technician.h"
#include "test_support.h"

#include <QJsonDocument>
#include <QtTest>

#include <optional>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

using Practice = StartedPractice;
using QMapIntBytes = QMap<int, QByteArray>;

QByteArray newPracticeFile() {
    QByteArray b;
    auto line = [&b](const QByteArray& l) { b += l + "\r\n"; };
    for (int i = 1; i <= 24; ++i)
        line("-1");
    for (int i = 0; i < 8; ++i)
        line("0,00"); // Edit60..Edit67
    for (int i = 0; i < 4; ++i)
        line("-1"); // Edit33..Edit36
    line("-1");
    line("-1");
    line("-1");
    line("0"); // zone A
    for (int i = 0; i < 13; ++i)
        line("FALSE");
    // RadioButton1..17: typology 1, "sì", residenziale, class 1, new construction
    const int on[] = {1, 3, 8, 12, 16};
    for (int r = 1; r <= 17; ++r)
        line(std::find(std::begin(on), std::end(on), r) != std::end(on) ? "TRUE" : "FALSE");
    for (int i = 0; i < 20; ++i)
        line("0,00"); // Edit40..51, Edit25..32
    line("31/03/2003");
    line("31/03/2003");
    line("01/01/1950");
    line("-1");
    line("]*#@\xa7@#*[");
    line("-1");
    line("]*#@\xa7@#*[");
    return b;
}

// Writes a file whose lines are those of a new practice with some replaced (1-based).
QString writeVariant(const QString& path, const QMap<int, QByteArray>& replaced, int keepLines = -1,
                     const QByteArray& tail = {}) {
    QList<QByteArray> lines = newPracticeFile().split('\n');
    lines.removeLast();
    for (auto it = replaced.begin(); it != replaced.end(); ++it)
        lines[it.key() - 1] = it.value() + "\r";
    if (keepLines >= 0) lines = lines.mid(0, keepLines);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (const QByteArray& l : lines)
        f.write(l + "\n");
    f.write(tail);
    return path;
}

QStringList describe(PracticeForm& f) {
    QStringList out;
    for (const QString& n : PracticeForm::editNames())
        out << n + "=" + f.edit(n)->text + (f.edit(n)->enabled ? "" : "#");
    for (const QString& n : PracticeForm::checkNames())
        out << n + "=" + QString::number(f.check(n)->checked);
    for (const QString& n : PracticeForm::radioNames())
        out << n + "=" + QString::number(f.radio(n)->checked);
    for (const QString& n : PracticeForm::comboNames())
        out << n + "=" + QString::number(f.combo(n)->itemIndex) + "/" + f.combo(n)->text;
    for (const QString& n : PracticeForm::dateNames())
        out << n + "=" + f.datePicker(n)->date.toString();
    for (const QString& n : PracticeForm::memoNames())
        out << n + "=" + f.memo(n)->text;
    for (const QString& n : PracticeForm::captionNames())
        out << n + "=" + f.caption(n)->text + (f.caption(n)->highlighted ? "*" : "");
    for (const QString& n : PracticeForm::figureNames())
        out << n + "=" + QString::number(*f.figure(n), 'g', 17);
    return out;
}

// Compares two descriptions line by line, so a failure names the control.
void compareDescriptions(const QStringList& actual, const QStringList& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i)
        QCOMPARE(actual.at(i), expected.at(i));
}

} // namespace

class PracticeFileTest : public QObject {
    Q_OBJECT
private slots:
    // Saving through a chain of links replaces the file at its end; every link stays a link.
    void saveFollowsLinksToTheFinalFile_data() {
        QTest::addColumn<QStringList>("chain"); // each name links to the next; the last is the file
        QTest::newRow("one link") << QStringList{"pratica.qdr", "vera.qdr"};
        QTest::newRow("link to a link") << QStringList{"pratica.qdr", "mezzo.qdr", "vera.qdr"};
        QTest::newRow("into another folder")
            << QStringList{"pratica.qdr", "sotto/mezzo.qdr", "sotto/vera.qdr"};
    }
    void saveFollowsLinksToTheFinalFile() {
        QFETCH(QStringList, chain);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sotto"));
        writeBytes(dir.filePath(chain.constLast()), "VECCHIA\r\n");
        for (qsizetype i = chain.size() - 2; i >= 0; --i) {
            // Relative links, as a user makes them: each to the next name from its own folder.
            const QString from = dir.filePath(chain.at(i));
            const QString to = QFileInfo(from).dir().relativeFilePath(dir.filePath(chain.at(i + 1)));
            QVERIFY(QFile::link(to, from));
        }
        writeBytes(dir.filePath(chain.constFirst()), "NUOVA\r\n");
        QCOMPARE(fileBytes(dir.filePath(chain.constLast())), QByteArray("NUOVA\r\n"));
        for (qsizetype i = 0; i + 1 < chain.size(); ++i)
            QVERIFY2(QFileInfo(dir.filePath(chain.at(i))).isSymLink(), qPrintable(chain.at(i)));
    }

    void newPracticeIs97Lines() {
        Practice p;
        const QByteArray bytes = practiceFileBytes(p.form);
        QCOMPARE(bytes.count("\r\n"), 97);
        QCOMPARE(bytes.toHex(' '), newPracticeFile().toHex(' '));
        QVERIFY(bytes.contains(QByteArray::fromHex("5D2A2340A740232A5B0D0A")));
    }

    void memoSections_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("two lines") << "prima\r\nseconda" << QByteArray("prima\r\nseconda\r\n")
                                   << "prima\r\nseconda";
        QTest::newRow("final line break") << "prima\r\n" << QByteArray("prima\r\n\r\n") << "prima";
        QTest::newRow("lone LF from a widget") << "a\nb" << QByteArray("a\r\nb\r\n") << "a\r\nb";
        QTest::newRow("text -1") << "-1" << QByteArray("-1\r\n") << "";
        // Only an edited or damaged file holds one; it stays inside its line, byte for byte.
        QTest::newRow("lone CR inside a line") << "a\rb\r\nc" << QByteArray("a\rb\r\nc\r\n") << "a\rb\r\nc";
        QTest::newRow("lone CR ending a line") << "a\r\r\nc" << QByteArray("a\r\r\nc\r\n") << "a\r\r\nc";
        QTest::newRow("accents") << "città è così" << QByteArray("citt\xe0 \xe8 cos\xec\r\n")
                                 << "città è così";
    }
    void memoSections() {
        QFETCH(QString, memo);
        QFETCH(QByteArray, section);
        QFETCH(QString, readBack);
        Practice p;
        p.form.Memo1.text = memo;
        const QByteArray bytes = practiceFileBytes(p.form);
        const QByteArray afterLines = bytes.mid(newPracticeFile().indexOf("-1\r\n]*#@"));
        QVERIFY(afterLines.startsWith(section + "]*#@\xa7@#*[\r\n-1\r\n"));
        QCOMPARE(parsePracticeFile(bytes).memo1, readBack);
    }

    // A file is read in pieces of 64 KiB: whatever falls on the edge between two pieces (the two
    // bytes of a line end, an accented letter, the memos' separator) reads as from the whole file.
    void piecesReadAsTheWholeFile_data() {
        QTest::addColumn<QString>("around"); // what stands across the edge
        QTest::addColumn<int>("beforeEdge"); // how many of its bytes lie before it
        QTest::newRow("line end split") << "x\r\ny" << 2;
        QTest::newRow("line end after the edge") << "x\r\ny" << 1;
        QTest::newRow("line end before the edge") << "x\r\ny" << 3;
        QTest::newRow("accented letters") << QString::fromUtf8("àèìòù€") << 3;
        QTest::newRow("empty lines") << "a\r\n\r\n\r\nb" << 4;
        QTest::newRow("line of the edge only") << "\r\n" << 1;
    }
    void piecesReadAsTheWholeFile() {
        QFETCH(QString, around);
        QFETCH(int, beforeEdge);
        constexpr qsizetype Edge = 64 * 1024;
        Practice p;
        p.form.Memo1.text = QStringLiteral("QQQQZZZZ");
        const qsizetype head = practiceFileBytes(p.form).indexOf("QQQQZZZZ"); // where Memo1 begins
        p.form.Memo1.text =
            QString(Edge - head - beforeEdge, QLatin1Char('a')) + around + QString(70000, QLatin1Char('b'));
        p.form.Memo2.text = QStringLiteral("Relazione\r\nsu due righe");
        const QByteArray bytes = practiceFileBytes(p.form);
        QStringEncoder cp1252("windows-1252");
        const QByteArray encoded = cp1252.encode(around);
        QCOMPARE(bytes.mid(Edge - beforeEdge, encoded.size()), encoded);
        const QString path = p.dir.filePath(QStringLiteral("bordo.qdr"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();

        Practice whole;
        applyPracticeFile(whole.form, parsePracticeFile(bytes));
        Practice pieces;
        openPractice(pieces.form, path);
        QCOMPARE(pieces.form.Memo1.text, p.form.Memo1.text);
        QCOMPARE(pieces.form.Memo1.text, whole.form.Memo1.text);
        QCOMPARE(pieces.form.Memo2.text, whole.form.Memo2.text);
    }

    void refusesWhatWouldNotReadBack_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("separator in a memo") << "Memo2"
                                             << "a\r\n]*#@§@#*[\r\nb"
                                             << "«Relazione tecnica»";
        QTest::newRow("character outside the code page") << "Edit2"
                                                         << "ŁUKASZ"
                                                         << "«Cognome»";
        QTest::newRow("emoji in a memo") << "Memo1"
                                         << "ok 😀"
                                         << "«Descrizione sintetica dell'illecito»";
    }
    void refusesWhatWouldNotReadBack() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        Practice p;
        if (field.startsWith("Memo"))
            p.form.memo(field)->text = text;
        else
            p.form.edit(field)->text = text;
        p.form.currentFileName = p.path("x.qdr");
        try {
            Salvataggio(p.form);
            QFAIL("saved");
        } catch (const Error& e) {
            QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(p.path("x.qdr")));
    }

    void freeListTextIsSavedAsNone() {
        Practice p;
        p.form.setText("ComboBox1", "contrada");
        p.form.chooseItem("ComboBox2", 7);
        p.form.Edit1.text = "-1";
        const PracticeFileContents c = parsePracticeFile(practiceFileBytes(p.form));
        QCOMPARE(c.lines.at(36), QStringLiteral("-1"));
        QCOMPARE(c.lines.at(37), QStringLiteral("7"));
        Practice q;
        applyPracticeFile(q.form, c);
        QCOMPARE(q.form.ComboBox1.text, QString()); // not "selezionare"
        QCOMPARE(q.form.ComboBox2.text, QStringLiteral("viale"));
        QCOMPARE(q.form.Edit1.text, QString());
    }

    void flagSpellings_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("set");
        QTest::newRow("true") << QByteArray("true") << false << true;
        QTest::newRow("True") << QByteArray("True") << false << true;
        QTest::newRow("1") << QByteArray("1") << false << true;
        QTest::newRow("0") << QByteArray("0") << false << false;
        QTest::newRow("FALSE") << QByteArray("FALSE") << false << false;
        QTest::newRow("SI") << QByteArray("SI") << true << false;
        QTest::newRow("empty") << QByteArray() << true << false;
    }
    void flagSpellings() {
        QFETCH(QByteArray, word);
        QFETCH(bool, damaged);
        QFETCH(bool, set);
        Practice p;
        const QString path = writeVariant(p.path("f.qdr"), {{41, word}, {1, "MARIO"}});
        p.form.Edit1.text = "PRIMA";
        if (damaged) {
            QVERIFY_THROWS_EXCEPTION(DamagedFileError, openPractice(p.form, path));
            QCOMPARE(p.form.Edit1.text, QStringLiteral("PRIMA")); // nothing applied
            QCOMPARE(p.form.currentFileName, QStringLiteral("-1"));
            QCOMPARE(p.form.windowCaption(), QStringLiteral("Quadrelo 2004"));
        } else {
            openPractice(p.form, path);
            QCOMPARE(p.form.CheckBox1.checked, set);
            QCOMPARE(p.form.currentFileName, path);
            QCOMPARE(p.form.windowCaption(), QStringLiteral("Quadrelo 2004 - ") + path);
        }
    }

    void tolerances() {
        Practice p;
        // zone "25" is no error, a later radio of a group wins, line 94 is the separator,
        // text after the second separator is ignored.
        QList<QByteArray> lines = newPracticeFile().split('\n');
        Q_UNUSED(lines);
        const QString path =
            writeVariant(p.path("t.qdr"), {{40, "25"}, {55, "TRUE"}}, -1, "garbage\r\nmore\r\n");
        openPractice(p.form, path);
        QCOMPARE(p.form.ComboBox4.itemIndex, -1);
        QVERIFY(p.form.RadioButton2.checked);
        QVERIFY(!p.form.RadioButton1.checked);
        QCOMPARE(p.form.typology(), 2);
        QVERIFY(p.form.Edit42.enabled);
        QVERIFY(p.form.Memo1.text.isEmpty());
    }

    void separatorOnLine94() {
        Practice p;
        QByteArray bytes = newPracticeFile();
        const int memo = bytes.indexOf("-1\r\n]*#@");
        bytes.remove(memo, 4); // Memo1 section is just the separator
        const PracticeFileContents c = parsePracticeFile(bytes);
        QVERIFY(c.memo1.isEmpty());
        QVERIFY(c.memo2.isEmpty());
    }

    void damagedFilesChangeNothing_data() {
        QTest::addColumn<int>("keep");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("ends after line 40") << 40 << 0 << QByteArray();
        QTest::newRow("ends inside Memo2") << 96 << 0 << QByteArray();
        QTest::newRow("list not a number") << -1 << 38 << QByteArray("via");
        QTest::newRow("bad date") << -1 << 91 << QByteArray("31/02/2003");
        QTest::newRow("date with words") << -1 << 93 << QByteArray("ieri");
    }
    void damagedFilesChangeNothing() {
        QFETCH(int, keep);
        QFETCH(int, line);
        QFETCH(QByteArray, value);
        Practice p;
        QMap<int, QByteArray> changes{{1, "ALTRO"}};
        if (line) changes[line] = value;
        const QString path = writeVariant(p.path("d.qdr"), changes, keep);
        p.form.Edit1.text = "MARIO";
        p.form.currentFileName = "/prima.qdr";
        const QStringList before = describe(p.form);
        QVERIFY_THROWS_EXCEPTION(DamagedFileError, openPractice(p.form, path));
        compareDescriptions(describe(p.form), before);
        QCOMPARE(p.form.currentFileName, QStringLiteral("/prima.qdr"));
    }

    void missingFileChangesNothing() {
        Practice p;
        const QStringList before = describe(p.form);
        try {
            openPractice(p.form, p.path("assente.qdr"));
            QFAIL("opened");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains("file non trovato"), qPrintable(e.message()));
        }
        compareDescriptions(describe(p.form), before);
        QCOMPARE(p.form.currentFileName, QStringLiteral("-1"));
    }

    // Every typology and destination comes back with every field and every figure.
    void roundTrip_data() {
        QTest::addColumn<QString>("typology");
        QTest::addColumn<bool>("nonResidential");
        QTest::addColumn<QString>("classButton");
        QTest::addColumn<bool>("restructuring");
        const char* typologies[] = {"RadioButton1", "RadioButton2",  "RadioButton6",
                                    "RadioButton7", "RadioButton10", "RadioButton11"};
        const char* classes[] = {"RadioButton12", "RadioButton13", "RadioButton14", "RadioButton15"};
        for (int t = 0; t < 6; ++t)
            for (int d = 0; d < 2; ++d)
                QTest::addRow("typology %d %s", t + 1, d ? "non residenziale" : "residenziale")
                    << typologies[t] << bool(d) << classes[(t + d) % 4] << bool(t % 2);
    }
    void roundTrip() {
        QFETCH(QString, typology);
        QFETCH(bool, nonResidential);
        QFETCH(QString, classButton);
        QFETCH(bool, restructuring);
        Practice p;
        PracticeForm& f = p.form;
        f.setText("Edit1", "MARIO");
        f.setText("Edit2", "ROSSI");
        f.setText("Edit5", "RSSMRA60A01D704X");
        f.setText("Edit7", "GARIBALDI");
        f.chooseItem("ComboBox2", 6);
        f.chooseItem("ComboBox3", 1);
        f.setText("ComboBox1", "contrada");
        f.setDate("DateTimePicker3", QDate(1960, 5, 12));
        f.setDate("DateTimePicker1", QDate(2002, 10, 3));
        f.setText("Edit23", "120");
        f.setText("Edit24", "900");
        f.setMemo("Memo1", "Ampliamento al piano primo\r\ncon tettoia");
        f.setMemo("Memo2", "Relazione:\r\n\r\nstrutture in c.a.");
        f.setChecked("CheckBox3", true);
        f.setChecked("CheckBox11", true);
        f.setText("Edit34", "Planimetria catastale");
        f.select(typology);
        if (nonResidential) {
            f.select("RadioButton9");
            f.setText("Edit16", "NEGOZIO");
        }
        f.select(classButton);
        if (restructuring) f.select("RadioButton17");
        f.chooseItem("ComboBox4", 2);
        f.closeUp("ComboBox4");
        for (int n = 40; n <= 51; ++n) {
            const QString name = QStringLiteral("Edit%1").arg(n);
            if (f.edit(name)->enabled) {
                f.setText(name, QString::number(n - 20) + ",5");
                f.leave(name);
            }
        }
        for (int n = 60; n <= 67; ++n) {
            const QString name = QStringLiteral("Edit%1").arg(n);
            if (f.edit(name)->enabled) f.leave(name);
        }
        f.setText("Edit33", "3");
        f.leave("Edit33");
        for (int n = 25; n <= 32; ++n) {
            const QString name = QStringLiteral("Edit%1").arg(n);
            if (f.edit(name)->enabled) {
                f.setText(name, "40");
                f.leave(name);
            }
        }
        f.currentFileName = p.path("pratica.qdr");
        Salvataggio(f);

        Practice q;
        q.form.select("RadioButton11"); // something else on screen
        openPractice(q.form, p.path("pratica.qdr"));
        // Free list text comes back as no selection; everything else as it was.
        f.ComboBox1.text.clear();
        f.currentFileName = q.form.currentFileName;
        // With no state-land input open (forfait typologies) nothing reads the duration back
        // into its variable; it only ever multiplies surfaces that are zero then.
        if (f.typology() >= 4) f.occupationYears = q.form.occupationYears;
        compareDescriptions(describe(q.form), describe(f));
        QCOMPARE(q.ui.pages, (QList<int>{PageOblazione, PageAnticipazione, PageAreeStato, PageRichiedente}));
    }

    void advanceTypedOverComesBackAsTotalSurface() {
        Practice p;
        p.form.setText("Edit40", "100");
        p.form.leave("Edit40");
        p.form.setText("Edit60", "55");
        p.form.leave("Edit60");
        p.form.currentFileName = p.path("a.qdr");
        Salvataggio(p.form);
        Practice q;
        openPractice(q.form, p.path("a.qdr"));
        QCOMPARE(q.form.Edit60.text, QStringLiteral("100,00"));
        QCOMPARE(q.form.Label91.text, QStringLiteral("3800,00"));
    }

    void badNumberDuringRecomputationBeeps() {
        Practice p;
        const QString path = writeVariant(p.path("b.qdr"), {{71, "12x"}});
        openPractice(p.form, path);
        QCOMPARE(p.ui.beeps, 1);
        QCOMPARE(p.ui.pages, QList<int>{PageOblazione}); // the failing page stays in front
        QCOMPARE(p.form.currentFileName, path);
    }

    // A save that cannot be written says why; a file that does not exist yet is no reason.
    void failedSaveSaysWhy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cartella inesistente") << "manca/pratica.qdr" << false << "cartella inesistente";
        QTest::newRow("cartella protetta") << "pratica.qdr" << true << "accesso negato";
    }
    void failedSaveSaysWhy() {
        QFETCH(QString, name);
        QFETCH(bool, locked);
        QFETCH(QString, reason);
        Practice p;
        std::optional<ReadOnlyFolder> lock;
        if (locked) {
            lock.emplace(p.dir.path());
            if (!lock->active()) QSKIP("cannot make a folder read-only here");
        }
        try {
            savePracticeAs(p.form, p.path(name));
            QFAIL("saved");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
    }

    void failedSaveKeepsThePreviousFileAndName() {
        Practice p;
        p.form.Edit1.text = "PRIMO";
        savePracticeAs(p.form, p.path("s.qdr"));
        const QByteArray before = fileBytes(p.path("s.qdr"));
        p.form.Edit1.text = "SECONDO";
        {
            ReadOnlyFolder lock(p.dir.path());
            if (!lock.active()) QSKIP("cannot make a folder read-only here");
            QVERIFY_THROWS_EXCEPTION(IoError, savePracticeAs(p.form, p.path("nuovo.qdr")));
            QVERIFY_THROWS_EXCEPTION(IoError, Salvataggio(p.form));
        }
        QCOMPARE(fileBytes(p.path("s.qdr")), before);
        QCOMPARE(p.form.currentFileName, p.path("s.qdr"));
        QCOMPARE(p.form.windowCaption(), QStringLiteral("Quadrelo 2004 - ") + p.path("s.qdr"));
    }

    // The system's reasons reach the user in Italian, naming the file.
    void systemReasonsInItalian_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("open a folder") << false << "cartella"
                                       << "Impossibile leggere il file cartella: è una cartella.";
        QTest::newRow("open a missing file") << false << "manca.qdr"
                                             << "Impossibile leggere il file manca.qdr: file non trovato.";
        QTest::newRow("save over a folder") << true << "cartella"
                                            << "Impossibile scrivere il file cartella: è una cartella.";
        QTest::newRow("save into a missing folder")
            << true << "manca/p.qdr"
            << "Impossibile scrivere il file p.qdr: cartella inesistente.";
        QTest::newRow("save into a locked folder") << true << "chiusa/p.qdr"
                                                   << "Impossibile scrivere il file p.qdr: accesso negato.";
    }
    void systemReasonsInItalian() {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, message);
        Practice p;
        QVERIFY(QDir(p.dir.path()).mkdir("cartella"));
        QVERIFY(QDir(p.dir.path()).mkdir("chiusa"));
        savePracticeAs(p.form, p.path("chiusa/p.qdr"));
        p.form.currentFileName = QStringLiteral("-1");
        ReadOnlyFolder lock(p.path("chiusa"));
        if (name.startsWith("chiusa") && !lock.active()) QSKIP("cannot make a folder read-only here");
        try {
            if (save)
                savePracticeAs(p.form, p.path(name));
            else
                openPractice(p.form, p.path(name));
            QFAIL("no error");
        } catch (const IoError& e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(p.form.currentFileName, QStringLiteral("-1"));
    }

    // Files far larger than any the program writes are refused before they are read whole;
    // the largest real practice, with memos of some megabytes, still opens.
    void sizeLimits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("opens");
        QTest::newRow("practice with 5 MB of memo") << "p.qdr" << qint64(5 << 20) << true;
        QTest::newRow("practice at the limit") << "p.qdr" << kPracticeFileLimit << true;
        QTest::newRow("practice one byte over") << "p.qdr" << kPracticeFileLimit + 1 << false;
        QTest::newRow("table one byte over") << "taba.dat" << kParameterFileLimit + 1 << false;
        QTest::newRow("technician one byte over") << "tec.dat" << kParameterFileLimit + 1 << false;
    }
    void sizeLimits() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(bool, opens);
        Practice p;
        QFile file(p.path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (opens) {
            // The 93 lines of a new practice, a memo of 100-byte lines, and the second memo.
            const QByteArray separator = QByteArray("]*#@\xa7@#*[\r\n");
            QByteArray head = newPracticeFile();
            head.truncate(head.indexOf("-1\r\n]*#@"));
            const QByteArray tail = separator + "-1\r\n" + separator;
            const qint64 memo = size - head.size() - tail.size();
            const QByteArray line = QByteArray(98, 'x') + "\r\n";
            file.write(head);
            for (qint64 n = 0; n < (memo - 2) / line.size(); ++n)
                file.write(line);
            file.write(QByteArray(int((memo - 2) % line.size()), 'y') + "\r\n");
            file.write(tail);
        } else {
            QVERIFY(file.resize(size)); // sparse: the size alone must refuse it
        }
        file.close();
        QCOMPARE(QFileInfo(file).size(), size);

        QString message;
        try {
            if (name.endsWith(".qdr"))
                openPractice(p.form, p.path(name));
            else if (name == "tec.dat")
                loadTechnician(p.form);
            else
                loadTable(p.form, Table::A);
        } catch (const Error& e) {
            message = e.message();
        }
        if (opens) {
            QCOMPARE(message, QString());
            QCOMPARE(p.form.currentFileName, p.path(name));
            QVERIFY(p.form.Memo1.text.endsWith('y'));
        } else {
            QVERIFY2(message.contains(name.endsWith(".qdr") ? "File danneggiato" : name + " è danneggiato"),
                     qPrintable(message));
            QVERIFY2(message.contains(name.endsWith(".qdr") ? "32 MB" : "1 MB"), qPrintable(message));
            QCOMPARE(p.form.currentFileName, QStringLiteral("-1"));
        }
    }

    // What an opened practice shows agrees with its tables and its limits, and --json writes
    // figures as the program shows them.
    void openedFiguresAgree_data() {
        QTest::addColumn<QMapIntBytes>("lines");
        QTest::addColumn<QString>("shown"); // a control, or "json:" and a figure
        QTest::addColumn<QString>("expected");
        QTest::newRow("forfait summary follows Tabella C")
            << QMap<int, QByteArray>{{54, "FALSE"}, {60, "TRUE"}} << "Label125"
            << "4000,00";
        QTest::newRow("duration over 5") << QMap<int, QByteArray>{{33, "12"}} << "Edit33"
                                         << "5";
        QTest::newRow("duration below 1") << QMap<int, QByteArray>{{33, "-3"}} << "Edit33"
                                          << "";
        QTest::newRow("json infinite")
            << QMap<int, QByteArray>{{71, "1E308"}, {72, "1E308"}} << "json:resOblation1"
            << "INF";
    }
    void openedFiguresAgree() {
        QFETCH(QMapIntBytes, lines);
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        Practice p;
        p.form.oblationFixed4 = 4000;
        openPractice(p.form, writeVariant(p.path("variante.qdr"), lines));
        if (shown.startsWith(QLatin1String("json:"))) {
            const QJsonObject written =
                QJsonDocument::fromJson(QJsonDocument(practiceJson(p.form)).toJson()).object();
            QCOMPARE(written["figures"].toObject()[shown.mid(5)].toVariant().toString(), expected);
        } else if (const CaptionState* c = p.form.caption(shown)) {
            QCOMPARE(c->text, expected);
        } else {
            QCOMPARE(p.form.edit(shown)->text, expected);
        }
    }

    // An opened practice shows the figures its inputs name, and saved and opened again it
    // has exactly those figures and saves to the same bytes.
    void reopensWithItsFigures_data() {
        QTest::addColumn<QMapIntBytes>("lines");
        QTest::addColumn<QStringList>("shown"); // "control=text" after the first opening
        // Class 1, zone A (Tabella A 15,00, Tabella B 45,00): 100 mq occupied and of area.
        const QMapIntBytes land{{83, "100"}, {87, "100"}};
        auto with = [](QMapIntBytes lines, const QMapIntBytes& more) {
            lines.insert(more);
            return lines;
        };
        QTest::newRow("duration 2,5")
            << with(land, {{33, "2,5"}})
            << QStringList{"Edit33=2,5", "Label164=3750,00", "Label182=4500,00", "Edit25=100,00"};
        QTest::newRow("duration 1e1")
            << with(land, {{33, "1e1"}}) << QStringList{"Edit33=5", "Label164=7500,00", "Label182=4500,00"};
        QTest::newRow("duration 0,5")
            << with(land, {{33, "0,5"}}) << QStringList{"Edit33=", "Label164=0,00", "Label182=4500,00"};
        QTest::newRow("duration no number")
            << with(land, {{33, "tre"}}) << QStringList{"Edit33=tre", "Label182=0,00"};
        // Three decimals everywhere, a closed input too (read by the advance all the same).
        QMapIntBytes decimals{{33, "3"}};
        for (int line = 25; line <= 32; ++line)
            decimals.insert(line, "100,005");
        for (int line = 71; line <= 90; ++line)
            decimals.insert(line, QByteArray::number(line) + ",125");
        QTest::newRow("residential, three decimals")
            << decimals << QStringList{"Edit40=71,13", "Label34=114,41", "Edit66=100,00", "Label113=3600,00"};
        QMapIntBytes commercial = decimals;
        // Typology 2, non-residential, class 3, restructuring.
        commercial.insert({{54, "FALSE"},
                           {55, "TRUE"},
                           {61, "FALSE"},
                           {62, "TRUE"},
                           {65, "FALSE"},
                           {67, "TRUE"},
                           {69, "FALSE"},
                           {70, "TRUE"},
                           {16, "NEGOZIO"}});
        commercial.insert(79, "1234567,995");
        QTest::newRow("non-residential, restructuring") << commercial << QStringList{"Edit48=1234568,00"};
    }
    void reopensWithItsFigures() {
        QFETCH(QMapIntBytes, lines);
        QFETCH(QStringList, shown);
        Practice p;
        openPractice(p.form, writeVariant(p.path("variante.qdr"), lines));
        for (const QString& pair : shown) {
            const QString control = pair.section('=', 0, 0);
            const CaptionState* caption = p.form.caption(control);
            QCOMPARE(control + "=" + (caption ? caption->text : p.form.edit(control)->text), pair);
        }
        p.form.currentFileName = p.path("salvata.qdr");
        const QByteArray saved = practiceFileBytes(p.form);
        writeBytes(p.form.currentFileName, saved);
        Practice q;
        openPractice(q.form, p.form.currentFileName);
        q.form.currentFileName = p.form.currentFileName;
        compareDescriptions(describe(q.form), describe(p.form));
        QCOMPARE(practiceFileBytes(q.form), saved);
    }
};

QTEST_GUILESS_MAIN(PracticeFileTest)
#include "test_practice_file.moc"
