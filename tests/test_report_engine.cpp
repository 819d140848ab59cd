// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The report engine: template reading, fonts, layout and flow, painting and PDF output.
#include "documents/engine/report_fonts.h"
#include "documents/engine/report_layout.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/engine/report_template.h"
#include "test_support.h"

#include "report_checks.h"
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::report;
using quadrelo::testing::layoutFaults;

Q_DECLARE_METATYPE(QList<Term>)

namespace {

constexpr double Tol = 0.05; // points

// "|" + every character + "|" after each, as the row of values boxes its texts.
QString boxed(const QString& text) {
    QString out = QStringLiteral("|");
    for (const QChar c : text)
        out += c + QStringLiteral("|");
    return out;
}

Document layoutText(const QString& qrt, const QStringList& columns, const QStringList& values) {
    return layoutReport(parseTemplate(qrt, QStringLiteral("prova")), columns, values);
}

QList<const TextRun*> runsOf(const Page& page, int sourceLine) {
    QList<const TextRun*> out;
    for (const TextRun& r : page.texts)
        if (r.sourceLine == sourceLine) out << &r;
    return out;
}

const TextRun* runWithText(const Document& doc, const QString& text, int* pageIndex = nullptr) {
    for (int p = 0; p < doc.pages.size(); ++p)
        for (const TextRun& r : doc.pages[p].texts)
            if (r.text == text) {
                if (pageIndex) *pageIndex = p;
                return &r;
            }
    return nullptr;
}

QStringList words(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

// A long description: numbered words, so that order and loss both show, with CR LF breaks.
QString longText(int minimumLength) {
    static const QStringList filler = {
        QStringLiteral("muratura"),  QStringLiteral("in"),     QStringLiteral("laterizio"),
        QStringLiteral("portante,"), QStringLiteral("solaio"), QStringLiteral("e"),
        QStringLiteral("copertura"), QStringLiteral("a"),      QStringLiteral("falde.")};
    QString text;
    for (int i = 0; text.size() < minimumLength; ++i) {
        text += QStringLiteral("n%1 ").arg(i) + filler[i % filler.size()];
        text += (i % 37 == 36) ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    return text.trimmed();
}

struct ProvaRow {
    QStringList columns, values;
};

ProvaRow provaRow(const QString& relazione) {
    ProvaRow row;
    auto add = [&](const char* name, const QString& value) {
        row.columns << QLatin1String(name);
        row.values << value;
    };
    add("comunedi", QStringLiteral("Roccaraso"));
    add("Cognome", boxed(QStringLiteral("ROSSI")));
    add("Nome", boxed(QStringLiteral("MARIO")));
    add("CodiceFiscale", boxed(QStringLiteral("RSSMRA60E12H501Z")));
    add("UltimaData", boxed(QStringLiteral("15/03/2003")));
    add("it1", boxed(QStringLiteral("     6274,80")));
    add("VincoliS", QStringLiteral("X"));
    add("VincoliN", QStringLiteral(" "));
    add("descrizione",
        QStringLiteral("Ampliamento al piano terra di un fabbricato residenziale con realizzazione di un "
                       "vano adibito a soggiorno.\r\nChiusura di una veranda al primo piano."));
    add("richiedente", QStringLiteral("Richiedente: MARIO ROSSI"));
    add("ubicazione", QStringLiteral("Ubicazione abuso: comune di Roccaraso, via Roma 12"));
    add("dati", QStringLiteral(
                    "MARIO ROSSI, nato a Roma (prov. RM ) il 12/05/1960 (codice fiscale RSSMRA60E12H501Z), "
                    "residente in Roccaraso, via Roma 12, nella sua qualità di proprietario dell'unità "
                    "immobiliare ubicata in comune di Roccaraso, via Roma 12"));
    add("firma", QStringLiteral("          Roccaraso, lì . . . . . . . . . . . . . . ."));
    add("relazione", relazione);
    return row;
}

// Every run of one template line, with the page it is on, in order.
struct Placed {
    int page;
    const TextRun* run;
};
QList<Placed> placedRuns(const Document& doc, int sourceLine) {
    QList<Placed> out;
    for (int p = 0; p < doc.pages.size(); ++p)
        for (const TextRun* r : runsOf(doc.pages[p], sourceLine))
            out.append({p, r});
    return out;
}

// Page, text and place of every run: two layouts that print the same show the same.
QStringList printed(const Document& doc) {
    QStringList out;
    for (int p = 0; p < doc.pages.size(); ++p)
        for (const TextRun& r : doc.pages[p].texts)
            out << QStringLiteral("%1 %2,%3 %4")
                       .arg(p)
                       .arg(r.rect.left(), 0, 'f', 2)
                       .arg(r.rect.top(), 0, 'f', 2)
                       .arg(r.text);
    out.sort();
    return out;
}

QStringList numberedLines(const QString& word, int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("%1 %2").arg(word).arg(i);
    return lines;
}

constexpr double PageHeight = 297.0 / 25.4 * 72;

QString tool(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

} // namespace

class ReportEngineTest : public QObject {
    Q_OBJECT
private slots:
    void storedTestTemplateHasEveryElementKind() {
        ReportProject project;
        QVERIFY(project.reportNames().contains(QStringLiteral("prova")));
        const Template* t = project.find(QStringLiteral("prova"));
        QVERIFY(t);
        QCOMPARE(t->version, 1);
        QCOMPARE(t->title, QStringLiteral("Pagina di prova"));
        QCOMPARE(t->pages.size(), 2);
        QSet<ElementKind> kinds;
        for (const TemplatePage& p : t->pages)
            for (const Element& e : p.elements)
                kinds.insert(e.kind);
        for (ElementKind k :
             {ElementKind::Caption, ElementKind::Paragraph, ElementKind::DataText, ElementKind::DataParagraph,
              ElementKind::BoxRow, ElementKind::Line, ElementKind::Rectangle, ElementKind::Picture})
            QVERIFY2(kinds.contains(k), qPrintable(QString::number(int(k))));
        QVERIFY(!t->images.value(QStringLiteral("prova.png")).isNull());
        const QStringList read = t->columns(), given = provaRow({}).columns;
        QCOMPARE(QSet<QString>(read.begin(), read.end()), QSet<QString>(given.begin(), given.end()));
    }

    // Shared blocks come in shifted; their mistakes name the block and its line.
    void includesSharedBlocks() {
        const BlockSource blocks = [](const QString& name) {
            if (name == QLatin1String("firma.qri"))
                return QStringLiteral("caption 1.0 0.5 \"IL DICHIARANTE\"\nline 1.0 0.9 3.0 0.9\n");
            if (name == QLatin1String("rotto.qri")) return QStringLiteral("caption 1.0\n");
            return QString();
        };
        const Template t = parseTemplate(
            QStringLiteral("QRT 1\npage\ninclude \"firma.qri\" dx=0.5 dy=8\ncaption 1 1 \"dopo\"\n"), "x",
            blocks);
        const QList<Element>& e = t.pages.first().elements;
        QCOMPARE(e.size(), 3);
        QCOMPARE(e[0].pos, QPointF(1.5, 8.5));
        QCOMPARE(e[1].end, QPointF(3.5, 8.9));
        QCOMPARE(e[2].pos, QPointF(1, 1)); // the shift ends with the block
        try {
            parseTemplate(QStringLiteral("QRT 1\npage\n\ninclude \"rotto.qri\"\n"), "x", blocks);
            QFAIL("accepted");
        } catch (const TemplateError& err) {
            QCOMPARE(err.line(), 4);
            QVERIFY2(err.problem().contains(QStringLiteral("blocco «rotto.qri», riga 1")),
                     qPrintable(err.problem()));
        }
        QVERIFY_THROWS_EXCEPTION(
            TemplateError,
            parseTemplate(QStringLiteral("QRT 1\npage\ninclude \"manca.qri\"\n"), "x", blocks));
    }

    // Groups kept together, repeated and foot elements, hanging indents and no-break spaces.
    void readsFlowOptions() {
        const BlockSource blocks = [](const QString& name) {
            if (name == QLatin1String("firma.qri"))
                return QStringLiteral(
                    "keep\ntext 0.9 0 firma\nparagraph 4.4 0.35 width=3 \"IL TECNICO\"\nendkeep\n");
            if (name == QLatin1String("aperto.qri")) return QStringLiteral("keep\ncaption 1 1 \"a\"\n");
            if (name == QLatin1String("chiude.qri")) return QStringLiteral("endkeep\n");
            return QString();
        };
        const Template t =
            parseTemplate(QStringLiteral("QRT 1\npage\n"
                                         "caption 5 0.35 width=2.5 right bold repeat \"FAC-SIMILE\"\n"
                                         "caption 1 1 \"416\\~bis . \\~. \\~.\"\n"
                                         "paragraph 1 2 width=6 hang=0.25 justify\n"
                                         "|          - prima\\~voce\n"
                                         "|\\n resta \\\\~\n"
                                         "datapar 1 3 width=6 hang=auto \"a)\\~\" + v\n"
                                         "keep\n"
                                         "caption 1 4 bold \"DICHIARA\"\n"
                                         "keep\n"
                                         "paragraph 1 4.3 width=6 \"testo\"\n"
                                         "endkeep\n"
                                         "endkeep\n"
                                         "caption 1 5 \"fuori\"\n"
                                         "include \"firma.qri\" dy=6\n"
                                         "keep\n"
                                         "include \"firma.qri\" dy=8\n"
                                         "endkeep\n"
                                         "caption 1 10.8 size=10 foot \"- Si allega\"\n"),
                          "x", blocks);
        const QList<Element>& e = t.pages.first().elements;
        QCOMPARE(e.size(), 12);
        QVERIFY(e[0].repeat && !e[0].foot);
        QCOMPARE(e[0].align, Align::Right);
        QCOMPARE(e[0].text, QStringLiteral("FAC-SIMILE"));
        QCOMPARE(e[1].text, QStringLiteral("416\u00A0bis . \u00A0. \u00A0."));
        // In "|" lines "\~" is the only escape; the rest stays as written.
        QCOMPARE(e[2].text, QStringLiteral("          - prima\u00A0voce\n\\n resta \\\u00A0"));
        QCOMPARE(e[2].hang, 0.25);
        QVERIFY(!e[2].hangMarker);
        QVERIFY(e[3].hangMarker);
        QCOMPARE(e[3].value.first().text, QStringLiteral("a)\u00A0"));
        for (const int i : {0, 1, 2, 3, 6, 11})
            QCOMPARE(e[i].keepGroup, -1);
        QVERIFY(e[4].keepGroup >= 0);
        QCOMPARE(e[5].keepGroup, e[4].keepGroup); // a keep inside a keep: one group
        QVERIFY(e[7].keepGroup >= 0 && e[7].keepGroup != e[4].keepGroup);
        QCOMPARE(e[8].keepGroup, e[7].keepGroup);
        QVERIFY(e[9].keepGroup >= 0 && e[9].keepGroup != e[7].keepGroup);
        QCOMPARE(e[10].keepGroup, e[9].keepGroup);
        QVERIFY(e[11].foot && !e[11].repeat);

        // A block closes the groups it opens, and only those.
        for (const QString& text : {QStringLiteral("QRT 1\npage\ninclude \"aperto.qri\"\n"),
                                    QStringLiteral("QRT 1\npage\nkeep\ninclude \"chiude.qri\"\nendkeep\n")})
            try {
                parseTemplate(text, "x", blocks);
                QFAIL(qPrintable(text));
            } catch (const TemplateError& err) {
                QVERIFY2(err.problem().contains(QStringLiteral("keep")), qPrintable(err.problem()));
            }
    }

    void unknownReportGivesNoDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("not stored") << "inesistente";
        QTest::newRow("empty") << "";
        QTest::newRow("path out of the folder") << "../templates/prova";
        QTest::newRow("case differs") << "Prova";
    }
    void unknownReportGivesNoDocument() {
        QFETCH(QString, name);
        ReportProject project;
        QVERIFY(!project.contains(name));
        QVERIFY(!project.find(name));
        QVERIFY(!project.layout(name, {}, {}).has_value());
    }

    void readsElements() {
        const Template t = parseTemplate(
            QStringLiteral("QRT 1\n"
                           "# commento\n"
                           "font \"Times New Roman\" 11\n"
                           "boxfont \"ISOCTEUR\" 10\n"
                           "margins top=0.7 bottom=0.4\n"
                           "page\n"
                           "caption 1 0.5 \"virgolette \\\"dentro\\\"\"\n"
                           "text 1 1 width=6.5 center bold \"Comune di \" + comunedi\n"
                           "datapar 1 2 width=6.5 justify size=12 \"          Il sottoscritto \" + dati\n"
                           "  + \", dichiara.\" + \"\\n\" + firma\n"
                           "paragraph 1 3 width=6 font=\"Arial\"\n"
                           "|          - prima voce\n"
                           "# commento in mezzo\n"
                           "|\n"
                           "|seconda | con barra\n"
                           "boxes 1 4 6,2 it1\n"
                           "boxes 1 4.5 3\n"
                           "line 1 5 7 5 pen=1.5\n"
                           "rect 1 5.5 6 1\n"
                           "picture 0 0 8.27 11.69 \"modulo.png\"\n"));
        QCOMPARE(t.topMargin, 0.7);
        QCOMPARE(t.bottomMargin, 0.4);
        const QList<Element>& e = t.pages.at(0).elements;
        QCOMPARE(e.size(), 9);
        QCOMPARE(e[0].text, QStringLiteral("virgolette \"dentro\""));
        QCOMPARE(e[0].font, (FontSpec{QStringLiteral("Times New Roman"), 11, false}));
        QCOMPARE(e[1].align, Align::Centre);
        QVERIFY(e[1].font.bold);
        QCOMPARE(e[1].value,
                 (QList<Term>{{Term::Text, QStringLiteral("Comune di ")}, {Term::Column, "comunedi"}}));
        QCOMPARE(e[2].value, (QList<Term>{{Term::Text, QStringLiteral("          Il sottoscritto ")},
                                          {Term::Column, "dati"},
                                          {Term::Text, QStringLiteral(", dichiara.")},
                                          {Term::Text, QStringLiteral("\n")},
                                          {Term::Column, "firma"}}));
        QCOMPARE(e[2].font.size, 12.0);
        QCOMPARE(e[3].text, QStringLiteral("          - prima voce\n\nseconda | con barra"));
        QCOMPARE(e[3].font.family, QStringLiteral("Arial"));
        QCOMPARE(e[4].text, QStringLiteral("|_|_|_|_|_|_|,|_|_|"));
        QCOMPARE(e[4].font, (FontSpec{QStringLiteral("ISOCTEUR"), 10, false}));
        QCOMPARE(e[4].value, (QList<Term>{{Term::Column, "it1"}}));
        QVERIFY(e[5].value.isEmpty());
        QCOMPARE(e[6].end, QPointF(7, 5));
        QCOMPARE(e[6].pen, 1.5);
        QCOMPARE(e[7].size, QSizeF(6, 1));
        QCOMPARE(e[8].text, QStringLiteral("modulo.png"));
        QCOMPARE(t.columns(), (QStringList{"comunedi", "dati", "firma", "it1"}));
    }

    void documentedExampleReads() {
        const QString doc = QString::fromUtf8(
            testing::fileBytes(QStringLiteral(QUADRELO_SOURCE_DIR "/documents/engine/FORMAT.md")));
        const qsizetype from = doc.indexOf(QStringLiteral("```\nQRT 1"));
        QVERIFY(from > 0);
        const QString example = doc.mid(from + 4, doc.indexOf(QStringLiteral("```"), from + 4) - from - 4);
        const Template t = parseTemplate(example, QStringLiteral("esempio"));
        QCOMPARE(t.pages.size(), 1);
        QCOMPARE(t.columns(), (QStringList{"comunedi", "Cognome", "UltimaData", "dati"}));
    }

    void fontDefaultsFollowReportAndPage() {
        const Template t = parseTemplate(QStringLiteral("QRT 1\n"
                                                        "font \"Arial\" 12\n"
                                                        "page\n"
                                                        "caption 1 1 \"a\"\n"
                                                        "font \"Times New Roman\" 9 bold\n"
                                                        "caption 1 2 \"b\"\n"
                                                        "caption 1 3 normal size=7 \"c\"\n"
                                                        "page\n"
                                                        "caption 1 1 \"d\"\n"));
        QCOMPARE(t.pages[0].elements[0].font, (FontSpec{"Arial", 12, false}));
        QCOMPARE(t.pages[0].elements[1].font, (FontSpec{"Times New Roman", 9, true}));
        QCOMPARE(t.pages[0].elements[2].font, (FontSpec{"Times New Roman", 7, false}));
        QCOMPARE(t.pages[1].elements[0].font, (FontSpec{"Arial", 12, false}));
    }

    void badTemplatesNameTheLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("problem");
        const QString head = QStringLiteral("QRT 1\npage\n");
        QTest::newRow("no header") << "page\ncaption 1 1 \"a\"\n" << 1 << "prima riga deve essere «QRT 1»";
        QTest::newRow("newer version") << "QRT 2\npage\n" << 1 << "versione 2";
        QTest::newRow("unknown keyword") << head + "didascalia 1 1 \"a\"\n"
                                         << 3 << "«didascalia» sconosciuta";
        QTest::newRow("element before page") << "QRT 1\ncaption 1 1 \"a\"\n"
                                             << 2 << "prima della prima «page»";
        QTest::newRow("decimal comma") << head + "caption 0,8 1 \"a\"\n" << 3 << "i decimali vanno col punto";
        QTest::newRow("not a number") << head + "caption x 1 \"a\"\n" << 3 << "«x» non è un numero";
        QTest::newRow("too few measures") << head + "rect 1 1 2\n" << 3 << "vuole 4 misure";
        QTest::newRow("unknown option") << head + "caption 1 1 colour=red \"a\"\n"
                                        << 3 << "«colour=» sconosciuta";
        QTest::newRow("option of another kind") << head + "caption 1 1 pen=2 \"a\"\n"
                                                << 3 << "«pen=» non vale";
        QTest::newRow("paragraph without width") << head + "paragraph 1 1 \"a\"\n" << 3 << "width=";
        QTest::newRow("centred without width") << head + "caption 1 1 center \"a\"\n"
                                               << 3 << "serve la larghezza";
        QTest::newRow("wider than the page") << head + "caption 4 1 width=5 \"a\"\n"
                                             << 3 << "esce dalla pagina";
        QTest::newRow("outside the page") << head + "caption 1 12 \"a\"\n" << 3 << "fuori dalla pagina";
        QTest::newRow("unclosed quote") << head + "caption 1 1 \"a\n" << 3 << "virgolette non chiuse";
        QTest::newRow("unknown escape") << head + "caption 1 1 \"a\\t\"\n" << 3 << "sequenza";
        QTest::newRow("caption on two lines") << head + "caption 1 1 \"a\\nb\"\n" << 3 << "sta su una riga";
        QTest::newRow("missing plus") << head + "text 1 1 \"a\" nome\n" << 3 << "manca «+» prima di «nome»";
        QTest::newRow("trailing plus") << head + "text 1 1 \"a\" +\n" << 3 << "finisce con «+»";
        QTest::newRow("not a column name") << head + "text 1 1 \"a\" + 3x\n" << 3 << "«3x» non è";
        QTest::newRow("data text without value") << head + "text 1 1 bold\n" << 3 << "vuole una colonna";
        QTest::newRow("bad box row") << head + "boxes 1 1 6,,2 it1\n" << 3 << "caselle «6,,2» non valide";
        QTest::newRow("aligned box row") << head + "boxes 1 1 3 right v\n" << 3 << "«right» non vale";
        QTest::newRow("bar line without paragraph") << head + "caption 1 1 \"a\"\n|testo\n"
                                                    << 4 << "non segue";
        QTest::newRow("bar line after inline text") << head + "paragraph 1 1 width=2 \"a\"\n|testo\n"
                                                    << 4 << "ha già il testo";
        QTest::newRow("plus line without expression") << head + "caption 1 1 \"a\"\n+ b\n" << 4 << "riga «+»";
        QTest::newRow("paragraph without text") << head + "paragraph 1 1 width=2\n\ncaption 1 2 \"a\"\n"
                                                << 3 << "«paragraph» senza testo";
        QTest::newRow("no pages") << "QRT 1\nfont \"Arial\" 12\n" << 2 << "non ha pagine";
        QTest::newRow("font size zero") << head + "caption 1 1 size=0 \"a\"\n" << 3 << "dimensione 0";
        QTest::newRow("picture without file") << head + "picture 1 1 2 2\n" << 3 << "vuole il nome del file";
        QTest::newRow("rectangle off the page") << head + "rect 5 1 4 1\n" << 3 << "fuori dalla pagina";
        QTest::newRow("endkeep without keep") << head + "caption 1 1 \"a\"\nendkeep\n"
                                              << 4 << "senza un «keep»";
        QTest::newRow("keep open at the next page") << head + "keep\ncaption 1 1 \"a\"\npage\n"
                                                    << 5 << "il «keep» della riga 3 non è chiuso";
        QTest::newRow("keep open at the end") << head + "keep\ncaption 1 1 \"a\"\n"
                                              << 3 << "il «keep» della riga 3 non è chiuso";
        QTest::newRow("keep before the first page") << "QRT 1\nkeep\n" << 2 << "prima della prima «page»";
        QTest::newRow("keep with more on the line") << head + "keep 1\n" << 3 << "non vuole altro";
        QTest::newRow("hang on a caption") << head + "caption 1 1 hang=0.2 \"a\"\n"
                                           << 3 << "«hang=» non vale";
        QTest::newRow("hang as wide as the paragraph") << head + "paragraph 1 1 width=2 hang=2 \"a\"\n"
                                                       << 3 << "rientro 2 non minore della larghezza 2";
        QTest::newRow("hang of nothing") << head + "paragraph 1 1 width=2 hang=0 \"a\"\n"
                                         << 3 << "non positivo";
        QTest::newRow("hang neither number nor auto") << head + "paragraph 1 1 width=2 hang=tanto \"a\"\n"
                                                      << 3 << "«tanto» non è un numero";
        QTest::newRow("repeated paragraph") << head + "paragraph 1 1 width=2 repeat \"a\"\n"
                                            << 3 << "«repeat» non vale per «paragraph»";
        QTest::newRow("repeated and at the foot") << head + "caption 1 1 repeat foot \"a\"\n"
                                                  << 3 << "insieme";
        QTest::newRow("data paragraph at the foot") << head + "datapar 1 1 width=2 foot v\n"
                                                    << 3 << "«foot» non vale per «datapar»";
        QTest::newRow("foot inside keep") << head + "keep\ncaption 1 1 foot \"a\"\nendkeep\n"
                                          << 4 << "«foot» dentro «keep»";
    }
    void badTemplatesNameTheLine() {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, problem);
        try {
            parseTemplate(text, QStringLiteral("statica"));
            QFAIL("read without complaint");
        } catch (const TemplateError& e) {
            QCOMPARE(e.line(), line);
            QVERIFY2(e.problem().contains(problem), qPrintable(e.problem()));
            QVERIFY2(
                e.message().startsWith(QStringLiteral("Modello di stampa «statica», riga %1: ").arg(line)),
                qPrintable(e.message()));
        }
    }

    void boxRowCaptions_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("caption");
        QTest::newRow("one cell") << "1"
                                  << "|_|";
        QTest::newRow("name") << "3"
                              << "|_|_|_|";
        QTest::newRow("figure") << "6,2"
                                << "|_|_|_|_|_|_|,|_|_|";
        QTest::newRow("date") << "2/2/4"
                              << "|_|_|/|_|_|/|_|_|_|_|";
        QTest::newRow("two digits") << "12"
                                    << "|_|_|_|_|_|_|_|_|_|_|_|_|";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("letters") << "abc"
                                 << "";
        QTest::newRow("double separator") << "6,,2"
                                          << "";
        QTest::newRow("trailing separator") << "6,"
                                            << "";
        QTest::newRow("space separator") << "6 2"
                                         << "";
    }
    void boxRowCaptions() {
        QFETCH(QString, pattern);
        QFETCH(QString, caption);
        QCOMPARE(boxRowCaption(pattern), caption);
    }

    void fontsResolveToInstalledFaces_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("faces");
        QTest::addColumn<bool>("monospaced");
        QTest::newRow("Arial") << "Arial" << QStringList{"Liberation Sans"} << false;
        QTest::newRow("Times New Roman") << "Times New Roman" << QStringList{"Liberation Serif"} << false;
        QTest::newRow("ISOCTEUR") << "ISOCTEUR" << QStringList{"Liberation Mono", "DejaVu Sans Mono"} << true;
        QTest::newRow("lower case") << "isocteur" << QStringList{"Liberation Mono", "DejaVu Sans Mono"}
                                    << true;
    }
    void fontsResolveToInstalledFaces() {
        QFETCH(QString, family);
        QFETCH(QStringList, faces);
        QFETCH(bool, monospaced);
        for (const bool bold : {false, true}) {
            const QFont font = resolveFont({family, 12, bold});
            const QFontInfo info(font);
            QVERIFY2(faces.contains(info.family()), qPrintable(info.family() + " for " + family));
            QCOMPARE(info.bold(), bold);
            QVERIFY(QFontDatabase::hasFamily(info.family()));
            QCOMPARE(isMonospaced(font), monospaced);
        }
        // Any other QFont naming the family finds the same face.
        resolveFont({family, 12, false});
        QVERIFY(faces.contains(QFontInfo(QFont(family)).family()));
    }

    void boxedValuesSitInTheirCells_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("rows");
        QTest::newRow("three digits") << "3"
                                      << "|1|2|3|" << 12.0 << 1;
        QTest::newRow("surname, shorter than the row") << "29" << boxed("ROSSI") << 12.0 << 1;
        QTest::newRow("figure right-aligned") << "6,2" << boxed("   78,00") << 10.0 << 1;
        QTest::newRow("date") << "2/2/4" << boxed("12/05/1960") << 11.0 << 1;
        QTest::newRow("wide letters") << "6" << boxed("WMWMWM") << 14.0 << 1;
        // Goes on over a second row of the same cells, directly under the first.
        QTest::newRow("longer than the row") << "3" << boxed("ABCDE") << 12.0 << 2;
        QTest::newRow("mark") << "1"
                              << "X" << 12.0 << 1;
    }
    void boxedValuesSitInTheirCells() {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(double, size);
        QFETCH(int, rows);
        const Document doc =
            layoutText(QStringLiteral("QRT 1\nboxfont \"ISOCTEUR\" %1\npage\nboxes 1.3 2.1 %2 v\n")
                           .arg(size)
                           .arg(pattern),
                       {"v"}, {value});
        QCOMPARE(doc.pages.size(), 1);
        const QList<const TextRun*> runs = runsOf(doc.pages[0], 4);
        QCOMPARE(runs.size(), 2 * rows);
        QString printed;
        for (int r = 0; r < rows; ++r) {
            const TextRun* row = rows > 1                                        ? runs[r]
                                 : runs[0]->text.startsWith(QLatin1String("|_")) ? runs[0]
                                                                                 : runs[1];
            const TextRun* val = rows > 1 ? runs[rows + r] : row == runs[0] ? runs[1] : runs[0];
            QVERIFY(row->text.startsWith(QLatin1String("|_")));
            QCOMPARE(row->origin.y(), runs[0]->origin.y() + r * runs[0]->rect.height());
            printed += val->text.mid(r > 0 ? 1 : 0);
            QVERIFY(row->overlay && val->overlay);
            QCOMPARE(row->font, val->font);
            QVERIFY(isMonospaced(row->font));

            const QList<QPointF> cells = glyphPositions(*row);
            const QList<QPointF> chars = glyphPositions(*val);
            QCOMPARE(cells.size(), row->text.size());
            QVERIFY(chars.size() >= val->text.size());
            QCOMPARE(cells[0].x(), 1.3 * 72);
            const QString text = val->text.startsWith(QLatin1Char('|')) ? val->text : val->text.mid(1);
            const int shift = val->text.size() - text.size(); // a mark goes past the opening "|"
            for (int i = 0; i < text.size() && i + shift < cells.size(); ++i) {
                const double x = chars[i + shift].x();
                QVERIFY2(qAbs(x - cells[i + shift].x()) < Tol,
                         qPrintable(QStringLiteral("character %1").arg(i)));
                QCOMPARE(chars[i + shift].y(), cells[i + shift].y());
                if (text[i] != QLatin1Char('|') && i + shift + 1 < cells.size()) {
                    // Between the bars that close its cell.
                    QCOMPARE(row->text[i + shift - 1], QLatin1Char('|'));
                    QCOMPARE(row->text[i + shift + 1], QLatin1Char('|'));
                    QVERIFY(x > cells[i + shift - 1].x() && x < cells[i + shift + 1].x());
                }
            }
        }
        if (value.startsWith(QLatin1Char('|'))) QCOMPARE(printed, value);
    }

    void rowBindsValuesByPosition() {
        const QString qrt = QStringLiteral("QRT 1\npage\ntext 1 1 a\ntext 1 2 b\n");
        const Document doc = layoutText(qrt, {"b", "a"}, {"valore di b", "valore di a"});
        QCOMPARE(runsOf(doc.pages[0], 3).value(0)->text, QStringLiteral("valore di a"));
        QCOMPARE(runsOf(doc.pages[0], 4).value(0)->text, QStringLiteral("valore di b"));
    }

    void rowMustMatchTheTemplate_data() {
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("fewer values") << QStringList{"a", "b"} << QStringList{"1"} << "2 colonne e 1 valori";
        QTest::newRow("missing column")
            << QStringList{"b"} << QStringList{"1"} << "«prova» (riga 3) stampa la colonna «a»";
    }
    void rowMustMatchTheTemplate() {
        QFETCH(QStringList, columns);
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        try {
            layoutText(QStringLiteral("QRT 1\npage\ntext 1 1 a\n"), columns, values);
            QFAIL("laid out");
        } catch (const Error& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    void longParagraphFlowsOntoContinuationPages() {
        const QString text = longText(6000);
        const QString qrt = QStringLiteral("QRT 1\n"
                                           "font \"Arial\" 12\n"
                                           "margins top=0.5 bottom=0.5\n"
                                           "page\n"
                                           "caption 0.8 0.5 \"TESTA\"\n"
                                           "datapar 0.8 1.0 width=5 justify lungo\n"
                                           "caption 6.0 1.1 \"ACCANTO\"\n"
                                           "caption 0.8 3.0 \"SOTTO\"\n"
                                           "text 0.8 3.3 firma\n"
                                           "line 0.8 3.6 5.8 3.6\n"
                                           "page\n"
                                           "caption 0.8 0.5 \"SECONDA\"\n");
        int pagesReported = 0;
        const Document doc = layoutReport(parseTemplate(qrt), {"lungo", "firma"}, {text, "IL DICHIARANTE"},
                                          [&](int page) { QCOMPARE(page, ++pagesReported); });
        QVERIFY2(doc.pages.size() >= 3, qPrintable(QString::number(doc.pages.size())));
        QCOMPARE(pagesReported, doc.pages.size());
        QVERIFY(!doc.pages[0].continuation);
        QVERIFY(doc.pages[1].continuation);
        QCOMPARE(doc.pages.last().templatePage, 1);
        QVERIFY(!doc.pages.last().continuation);
        QVERIFY(runWithText(doc, "SECONDA") == &doc.pages.last().texts[0]);
        QCOMPARE(layoutFaults(doc), QString());

        // Every word, in order, and each CR LF starts a line of its own.
        QStringList placed;
        QStringList lineStarts;
        const TextRun* last = nullptr;
        int lastPage = -1;
        for (int p = 0; p < doc.pages.size(); ++p)
            for (const TextRun* r : runsOf(doc.pages[p], 6)) {
                placed << words(r->text);
                lineStarts << words(r->text).value(0);
                QVERIFY(r->rect.bottom() <= doc.pages[p].size.height() - 0.5 * 72 + Tol);
                last = r;
                lastPage = p;
            }
        QCOMPARE(placed, words(text));
        for (const QString& segment : text.split(QStringLiteral("\r\n")))
            QVERIFY2(lineStarts.contains(words(segment).value(0)), qPrintable(segment.left(20)));
        QVERIFY(lastPage >= 1);

        // What was below follows the text, at the distance the template gives it; what was beside stays.
        int page = -1;
        const TextRun* below = runWithText(doc, "SOTTO", &page);
        QCOMPARE(page, lastPage);
        QVERIFY(qAbs(below->rect.top() - last->rect.bottom()) < Tol);
        const TextRun* signature = runWithText(doc, "IL DICHIARANTE", &page);
        QCOMPARE(page, lastPage);
        QVERIFY(qAbs(signature->rect.top() - below->rect.top() - 0.3 * 72) < Tol);
        QCOMPARE(doc.pages[lastPage].lines.size(), 1);
        QVERIFY(qAbs(doc.pages[lastPage].lines[0].line.y1() - below->rect.top() - 0.6 * 72) < Tol);
        const TextRun* beside = runWithText(doc, "ACCANTO", &page);
        QCOMPARE(page, 0);
        QCOMPARE(beside->rect.top(), 1.1 * 72);
    }

    // Written to PDF, a long memo's lines on a page are kept as a span and set again: the runs
    // must be those the document keeping every run has, in order, across pages, with list items,
    // blank lines and the marks of numbered pages.
    void spansGiveTheRunsOfEveryLine_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("memo");
        QString items;
        const QStringList lines = longText(60000).split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString markers[] = {QStringLiteral("- "), QStringLiteral("a) "), QString(), QString(),
                                       QStringLiteral("   ")};
            items += markers[i % 5] + lines[i] +
                     (i % 5 == 3 ? QStringLiteral("\r\n\r\n") : QStringLiteral("\r\n"));
        }
        QTest::newRow("justified") << "datapar 0.8 1.0 width=6.5 justify memo" << longText(60000);
        QTest::newRow("list items, lines of an item, blank lines")
            << "datapar 0.8 1.0 width=6.5 justify hang=auto memo" << items;
        QString breaks = items;
        breaks.replace(QStringLiteral("\r\n\r\n"), QStringLiteral("\n\r"));
        QTest::newRow("fixed text before the value, lone breaks")
            << "datapar 0.8 1.0 width=6.5 justify hang=auto \"- premessa:\r\" + memo" << breaks;
    }
    void spansGiveTheRunsOfEveryLine() {
        QFETCH(QString, element);
        QFETCH(QString, memo);
        const Template tmpl =
            parseTemplate(QStringLiteral("QRT 1\nfont \"Arial\" 12\npage\ntext 0.8 0.6 titolo\n") + element +
                              QStringLiteral("\ncaption 0.8 2.0 \"DOPO\"\n"),
                          QStringLiteral("prova"));
        const QStringList columns = {QStringLiteral("titolo"), QStringLiteral("memo")};
        const QStringList values = {QStringLiteral("RELAZIONE"), memo};
        Document runs = layoutReport(tmpl, columns, values);
        Document spans = layoutReport(tmpl, columns, values, {}, Keep::Spans);
        numberPages(runs, QStringLiteral("Pratica di prova"));
        numberPages(spans, QStringLiteral("Pratica di prova"));
        QVERIFY(runs.pages.size() > 3);
        QCOMPARE(spans.pages.size(), runs.pages.size());
        qsizetype kept = 0;
        for (qsizetype p = 0; p < runs.pages.size(); ++p) {
            const QList<TextRun>& expected = runs.pages[p].texts;
            const QList<TextRun> set = pageTexts(spans.pages[p]);
            const QList<TextRun> painted = pageTexts(spans.pages[p], true);
            kept += spans.pages[p].texts.size();
            QCOMPARE(set.size(), expected.size());
            QCOMPARE(painted.size(), expected.size());
            for (qsizetype i = 0; i < expected.size(); ++i) {
                const QString where = QStringLiteral("pagina %1, riga %2").arg(p + 1).arg(i);
                QVERIFY2(set[i].text == expected[i].text, qPrintable(where));
                QVERIFY2(set[i].rect == expected[i].rect, qPrintable(where));
                QVERIFY2(set[i].origin == expected[i].origin, qPrintable(where));
                QVERIFY2(set[i].sourceLine == expected[i].sourceLine, qPrintable(where));
                QVERIFY2(set[i].pageMark == expected[i].pageMark, qPrintable(where));
                QVERIFY2(painted[i].text == expected[i].text, qPrintable(where));
                QVERIFY2(glyphPositions(set[i]) == glyphPositions(expected[i]), qPrintable(where));
                QVERIFY2(glyphPositions(painted[i]) == glyphPositions(expected[i]), qPrintable(where));
            }
        }
        // The memo's lines were not kept as runs.
        QVERIFY(kept < spans.pages.size() * 5);
    }

    // A memo of many pages keeps no glyphs until it is painted: they must be those the same
    // lines get when the memo is short enough to keep them.
    void longMemoPaintsTheGlyphsItWasLaidOutWith() {
        QString memo = QStringLiteral("- ") + longText(40000);
        memo.replace(QStringLiteral("\r\n"), QStringLiteral("\r\n- "));
        const QString shorter = memo.left(memo.lastIndexOf(QStringLiteral("\r\n"), 12000));
        const QString qrt = QStringLiteral("QRT 1\nfont \"Arial\" 12\npage\n"
                                           "datapar 0.8 1.0 width=6.5 justify hang=auto memo\n");
        const Document longDoc = layoutText(qrt, {"memo"}, {memo});
        const Document shortDoc = layoutText(qrt, {"memo"}, {shorter});
        QVERIFY(shortDoc.pages.size() >= 2);
        for (int p = 0; p < 2; ++p) {
            const QList<TextRun>& expected = shortDoc.pages[p].texts;
            const QList<TextRun>& laid = longDoc.pages[p].texts;
            QCOMPARE(laid.size(), expected.size());
            for (qsizetype i = 0; i < expected.size(); ++i) {
                QCOMPARE(laid[i].text, expected[i].text);
                QCOMPARE(laid[i].rect, expected[i].rect);
                QCOMPARE(glyphPositions(laid[i]), glyphPositions(expected[i]));
            }
        }
        const Page& page = longDoc.pages[1];
        QImage image(page.size.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintPage(page, painter, QRectF(QPointF(0, 0), page.size));
        painter.end();
        int dark = 0;
        const QRect line = page.texts.first().rect.toAlignedRect() & image.rect();
        for (int y = line.top(); y <= line.bottom(); ++y)
            for (int x = line.left(); x <= line.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        QVERIFY2(dark > 50, qPrintable(QString::number(dark)));
    }

    void growingTextPushesWhatIsBelow_data() {
        QTest::addColumn<int>("lines");
        QTest::newRow("fits: nothing moves") << 2;
        QTest::newRow("needs more: pushes") << 10;
        QTest::newRow("reaches the bottom: next page") << 60;
    }
    void growingTextPushesWhatIsBelow() {
        QFETCH(int, lines);
        QStringList text;
        for (int i = 1; i <= lines; ++i)
            text << QStringLiteral("riga %1").arg(i);
        const QString qrt = QStringLiteral("QRT 1\n"
                                           "page\n"
                                           "rect 0.8 8.0 5 1\n"
                                           "datapar 0.9 8.1 width=4.8 testo\n"
                                           "caption 0.8 9.2 \"SOTTO\"\n");
        const Document doc = layoutText(qrt, {"testo"}, {text.join(QStringLiteral("\r\n"))});
        QCOMPARE(layoutFaults(doc), QString());
        QStringList placed;
        const TextRun* last = nullptr;
        int lastPage = 0;
        for (int p = 0; p < doc.pages.size(); ++p)
            for (const TextRun* r : runsOf(doc.pages[p], 4)) {
                placed << r->text;
                last = r;
                lastPage = p;
            }
        QCOMPARE(placed, text); // one run per line: the CR LF breaks are kept
        int page = -1;
        const TextRun* below = runWithText(doc, "SOTTO", &page);
        QCOMPARE(page, lastPage);
        const QRectF frame = doc.pages[0].frames.value(0).rect;
        QCOMPARE(frame.top(), 8.0 * 72);
        if (lastPage == 0 && last->rect.bottom() <= 9.0 * 72) {
            QCOMPARE(doc.pages.size(), 1);
            QCOMPARE(below->rect.top(), 9.2 * 72);
            QCOMPARE(frame.bottom(), 9.0 * 72);
        } else {
            // The frame's bottom edge grows with the text it holds; below stays 0.2 in under it.
            QVERIFY(qAbs(below->rect.top() - last->rect.bottom() - 0.2 * 72) < Tol);
            if (lastPage == 0)
                QVERIFY(qAbs(frame.bottom() - last->rect.bottom()) < Tol);
            else
                QVERIFY(frame.bottom() <= doc.pages[0].size.height() - 0.5 * 72 + Tol);
        }
    }

    // A group pushed across the bottom margin starts the next page whole; one that fits, or
    // that no page could hold, lies as it would without the group.
    void keptGroupsGoToOnePage_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("body");
        QTest::addColumn<bool>("moves");
        QTest::newRow("fits where it is") << 2 << 3 << false;
        QTest::newRow("would split: moves whole") << 49 << 6 << true;
        QTest::newRow("heading would be left alone: moves") << 52 << 3 << true;
        QTest::newRow("taller than a page: flows") << 2 << 90 << false;
    }
    void keptGroupsGoToOnePage() {
        QFETCH(int, before);
        QFETCH(int, body);
        QFETCH(bool, moves);
        const QString qrt = QStringLiteral("QRT 1\n"
                                           "font \"Arial\" 12\n"
                                           "margins top=0.5 bottom=0.5\n"
                                           "page\n"
                                           "datapar 0.8 0.5 width=6 height=0.2 prima\n"
                                           "%1\n"
                                           "caption 0.8 1.0 bold \"DICHIARA\"\n"
                                           "datapar 0.8 1.3 width=6 height=0.2 corpo\n"
                                           "%2\n"
                                           "caption 0.8 1.7 \"DOPO\"\n");
        const QStringList columns{"prima", "corpo"};
        const QStringList values{numberedLines("prima", before).join("\r\n"),
                                 numberedLines("corpo", body).join("\r\n")};
        const Document loose = layoutText(qrt.arg("#", "#"), columns, values);
        const Document kept = layoutText(qrt.arg("keep", "endkeep"), columns, values);
        QCOMPARE(layoutFaults(kept), QString());

        auto pagesOfGroup = [](const Document& doc) {
            QSet<int> pages;
            int page = -1;
            if (runWithText(doc, "DICHIARA", &page)) pages.insert(page);
            for (int p = 0; p < doc.pages.size(); ++p)
                for (const TextRun& r : doc.pages[p].texts)
                    if (r.text.startsWith(QLatin1String("corpo"))) pages.insert(p);
            return pages;
        };
        if (!moves) {
            QCOMPARE(printed(kept), printed(loose));
            return;
        }
        QVERIFY(pagesOfGroup(loose).size() > 1); // the case does split without the group
        QCOMPARE(pagesOfGroup(kept).size(), 1);
        int page = -1;
        const TextRun* heading = runWithText(kept, "DICHIARA", &page);
        QCOMPARE(page, 1);
        QVERIFY(kept.pages[1].continuation);
        QCOMPARE(heading->rect.top(), 0.5 * 72);
        // The lines before the group stay where they were; the text keeps its place under the heading.
        for (const TextRun& r : kept.pages[0].texts)
            QVERIFY2(r.text.startsWith(QLatin1String("prima")), qPrintable(r.text));
        const TextRun* first = runWithText(kept, "corpo 1");
        QVERIFY(qAbs(first->rect.top() - heading->rect.top() - 0.3 * 72) < Tol);
        const TextRun* last = runWithText(kept, QStringLiteral("corpo %1").arg(body));
        const TextRun* after = runWithText(kept, "DOPO", &page);
        QCOMPARE(page, 1);
        QVERIFY(qAbs(after->rect.top() - last->rect.bottom() - 0.2 * 72) < Tol);
    }

    // Repeated elements appear in place on every page of their template page, and text that
    // goes on to a continuation page runs between them.
    void repeatedElementsFrameEveryContinuationPage() {
        const QString qrt =
            QStringLiteral("QRT 1\n"
                           "font \"Arial\" 12\n"
                           "margins top=0.4 bottom=0.4\n"
                           "page\n"
                           "caption 4.6 0.35 width=3.0 right bold size=18 repeat \"FAC-SIMILE\"\n"
                           "line 0.8 10.9 7.6 10.9 repeat\n"
                           "caption 0.8 1.0 \"TESTA\"\n"
                           "datapar 0.8 1.3 width=6 lungo\n"
                           "page\n"
                           "caption 0.8 0.5 \"SECONDA\"\n");
        const Document doc = layoutText(qrt, {"lungo"}, {longText(9000)});
        QCOMPARE(layoutFaults(doc), QString());
        QVERIFY(doc.pages.size() >= 4);
        const QList<Placed> marks = placedRuns(doc, 5);
        const QRectF mark = marks.first().run->rect;
        int ownPages = 0;
        for (int p = 0; p < doc.pages.size(); ++p) {
            const Page& page = doc.pages[p];
            if (page.templatePage != 0) {
                QVERIFY(runsOf(page, 5).isEmpty());
                QVERIFY(page.lines.isEmpty());
                continue;
            }
            ++ownPages;
            QCOMPARE(runsOf(page, 5).size(), 1);
            QCOMPARE(runsOf(page, 5).first()->rect, mark);
            QCOMPARE(page.lines.size(), 1);
            QCOMPARE(page.lines.first().line.y1(), 10.9 * 72);
            for (const TextRun* r : runsOf(page, 8)) {
                QVERIFY2(r->rect.top() >= mark.bottom(), qPrintable(r->text));
                QVERIFY2(r->rect.bottom() <= 10.9 * 72, qPrintable(r->text));
            }
        }
        QCOMPARE(marks.size(), ownPages);
        QVERIFY(ownPages >= 3);
        QCOMPARE(doc.pages.last().templatePage, 1);
        QCOMPARE(runsOf(doc.pages.last(), 10).size(), 1);
    }

    // A frame around text that goes on to further pages is drawn on each page around the part
    // that lies there, inside the margins.
    void framesFollowTheirTextAcrossPages() {
        const QString qrt = QStringLiteral("QRT 1\n"
                                           "font \"Arial\" 11\n"
                                           "margins top=0.6 bottom=0.5\n"
                                           "page\n"
                                           "caption 0.8 1.8 bold \"Descrizione\"\n"
                                           "rect 0.8 2.0 6.8 1.0 pen=0.75\n"
                                           "datapar 0.9 2.07 width=6.6 justify lungo\n"
                                           "caption 0.8 3.2 \"SOTTO\"\n");
        const QString text = longText(14000);
        const Document doc = layoutText(qrt, {"lungo"}, {text});
        QCOMPARE(layoutFaults(doc), QString());
        const QList<Placed> runs = placedRuns(doc, 7);
        QVERIFY(runs.last().page >= 2);
        QStringList all;
        for (const Placed& r : runs)
            all << words(r.run->text);
        QCOMPARE(all, words(text));
        for (int p = 0; p < doc.pages.size(); ++p) {
            const Page& page = doc.pages[p];
            QCOMPARE(page.frames.size(), 1);
            const QRectF frame = page.frames.first().rect;
            QCOMPARE(frame.left(), 0.8 * 72);
            QCOMPARE(frame.width(), 6.8 * 72);
            QVERIFY(frame.top() >= 0.6 * 72 - Tol);
            QVERIFY(frame.bottom() <= PageHeight - 0.5 * 72 + Tol);
            QList<const TextRun*> here = runsOf(page, 7);
            QVERIFY(!here.isEmpty());
            for (const TextRun* r : here)
                QVERIFY2(frame.adjusted(-Tol, -Tol, Tol, Tol).contains(r->rect), qPrintable(r->text));
            // Reopened at the top with the template's distance from frame to text.
            QVERIFY(qAbs(here.first()->rect.top() - frame.top() - 0.07 * 72) < Tol);
            if (p < runs.last().page)
                QVERIFY(qAbs(frame.bottom() - (PageHeight - 0.5 * 72)) < Tol); // closed at the margin
            else
                QVERIFY(qAbs(frame.bottom() - here.last()->rect.bottom()) < Tol);
        }
        int page = -1;
        const TextRun* below = runWithText(doc, "SOTTO", &page);
        QCOMPARE(page, doc.pages.size() - 1);
        QVERIFY(qAbs(below->rect.top() - doc.pages.last().frames.first().rect.bottom() - 0.2 * 72) < Tol);
    }

    // The wrapped lines of each item start `hang` to the right of its first line; with
    // hang=auto, under the text after the item's marker, however the first line is justified.
    // In a list item printed with a value, the value's own lines go on where the item's text
    // starts; a line break of the template's text still goes back to the margin.
    void valueLinesContinueTheItem_data() {
        QTest::addColumn<QString>("tail"); // what follows the item's text in the expression
        QTest::addColumn<bool>("hangs");
        QTest::newRow("line of the value") << "v" << true;
        QTest::newRow("line of the template") << "\"\\nriga due\"" << false;
    }
    void valueLinesContinueTheItem() {
        QFETCH(QString, tail);
        QFETCH(bool, hangs);
        const QString qrt =
            QStringLiteral("QRT 1\nfont \"Arial\" 12\npage\ndatapar 0.8 1.0 width=5 hang=auto "
                           "\"          - che le opere consistono in: \" + %1\n")
                .arg(tail);
        const Document doc = layoutText(qrt, {"v"}, {QStringLiteral("\r\nriga due")});
        const QList<const TextRun*> runs = runsOf(doc.pages[0], 4);
        QCOMPARE(runs.size(), 2);
        const QList<QPointF> item = glyphPositions(*runs[0]);
        const double textStart = item.value(runs[0]->text.indexOf(QLatin1String("che"))).x();
        const double expected = hangs ? textStart : 0.8 * 72;
        QVERIFY2(qAbs(glyphPositions(*runs[1]).first().x() - expected) < Tol,
                 qPrintable(QString::number(glyphPositions(*runs[1]).first().x())));
    }

    void wrappedLinesHang_data() {
        QTest::addColumn<QString>("hang");
        QTest::addColumn<QString>("align");
        QTest::newRow("measure") << "0.25"
                                 << "left";
        QTest::newRow("measure, justified") << "0.25"
                                            << "justify";
        QTest::newRow("after the marker") << "auto"
                                          << "left";
        QTest::newRow("after the marker, justified") << "auto"
                                                     << "justify";
    }
    void wrappedLinesHang() {
        QFETCH(QString, hang);
        QFETCH(QString, align);
        const QStringList items{
            QStringLiteral(
                "          - di essere consapevole delle sanzioni penali previste per chiunque rilascia "
                "dichiarazioni mendaci, forma atti falsi o ne fa uso nei casi previsti dalla legge;"),
            QStringLiteral(
                "               a) l'edificio non è stato sopraelevato né ampliato, né vi sono state "
                "apportate variazioni che comportino incrementi dei carichi originari;"),
            QStringLiteral("Senza segno: una riga che non è una voce di elenco e che tuttavia va a capo più "
                           "volte nella larghezza data al paragrafo."),
        };
        const QString qrt =
            QStringLiteral("QRT 1\nfont \"Arial\" 12\npage\nparagraph 0.8 1.0 width=3.5 hang=%1 %2\n|%3\n")
                .arg(hang, align, items.join(QStringLiteral("\n|")));
        const Document doc = layoutText(qrt, {}, {});
        const QList<const TextRun*> runs = runsOf(doc.pages[0], 4);
        const double left = 0.8 * 72;
        int item = -1, wrapped = 0;
        double first = 0, textStart = 0;
        for (const TextRun* r : runs) {
            const QList<QPointF> glyphs = glyphPositions(*r);
            const bool starts = r->text.startsWith(QLatin1Char('-')) ||
                                r->text.startsWith(QLatin1String("a)")) ||
                                r->text.startsWith(QLatin1String("Senza"));
            if (starts) {
                ++item;
                first = glyphs.first().x();
                qsizetype marker = 0;
                while (item < 2 && !r->text.at(marker++).isSpace()) {
                }
                textStart = glyphs.value(marker).x();
                QVERIFY(item == 2 || r->text.at(marker - 1) == QChar::Nbsp || hang != QLatin1String("auto"));
                continue;
            }
            ++wrapped;
            double expected = first + 0.25 * 72;
            if (hang == QLatin1String("auto")) expected = item == 2 ? left : textStart;
            QVERIFY2(qAbs(glyphs.first().x() - expected) < Tol,
                     qPrintable(QStringLiteral("«%1» at %2 instead of %3")
                                    .arg(r->text)
                                    .arg(glyphs.first().x())
                                    .arg(expected)));
            QVERIFY(r->rect.right() <= left + 3.5 * 72 + Tol);
        }
        QCOMPARE(item, 2);
        QVERIFY(wrapped >= 6);
        // Every word is printed once, in order.
        QStringList all;
        for (const TextRun* r : runs)
            all << words(QString(r->text).replace(QChar::Nbsp, QLatin1Char(' ')));
        QCOMPARE(all, words(items.join(QLatin1Char(' '))));
    }

    // A no-break space keeps its words on one line and is never widened by justification:
    // dotted blanks keep the spacing they have in unjustified text.
    void noBreakSpacesKeepTheirWidth() {
        const QString blank = QStringLiteral(".\\~.\\~.\\~.\\~.\\~.\\~.\\~.\\~.\\~.\\~.");
        const QString qrt =
            QStringLiteral("QRT 1\nfont \"Times New Roman\" 14\npage\n"
                           "datapar 0.9 1.0 width=6.5 %1 \"          L'anno %2 il giorno %2 del mese di %2,"
                           " nella Cancelleria del Tribunale, davanti al Cancelliere è comparso \" + nome"
                           " + \", il quale ha esibito la perizia che precede chiedendo di asseverarla"
                           " con giuramento, in data %2 e al protocollo %2 dell'anno %2.\"\n");
        const QStringList columns{"nome"}, values{"ALESSANDRO MASTROGIACOMO DELLA ROVERE"};
        const Document justified = layoutText(qrt.arg("justify", blank), columns, values);
        const Document plain = layoutText(qrt.arg("left", blank), columns, values);
        const QList<const TextRun*> runs = runsOf(justified.pages[0], 4);
        QVERIFY(runs.size() >= 4);
        QCOMPARE(runs.size(), runsOf(plain.pages[0], 4).size());

        // The natural step from one dot to the next.
        const TextRun* reference = runsOf(plain.pages[0], 4).first();
        const qsizetype dot = reference->text.indexOf(QStringLiteral(".\u00A0."));
        QVERIFY(dot > 0);
        const double step = glyphPositions(*reference)[dot + 2].x() - glyphPositions(*reference)[dot].x();

        int blanksChecked = 0;
        for (int i = 0; i < runs.size(); ++i) {
            const TextRun* r = runs[i];
            if (i + 1 < runs.size()) // justified: it reaches the right edge
                QVERIFY2(qAbs(r->rect.right() - (0.9 + 6.5) * 72) < 0.5, qPrintable(r->text));
            QVERIFY2(!r->text.startsWith(QChar::Nbsp) && !r->text.endsWith(QChar::Nbsp), qPrintable(r->text));
            const QList<QPointF> glyphs = glyphPositions(*r);
            for (qsizetype c = r->text.indexOf(QStringLiteral(".\u00A0.")); c >= 0;
                 c = r->text.indexOf(QStringLiteral(".\u00A0."), c + 1)) {
                QVERIFY2(qAbs(glyphs[c + 2].x() - glyphs[c].x() - step) < 0.01,
                         qPrintable(QStringLiteral("«%1», character %2").arg(r->text).arg(c)));
                ++blanksChecked;
            }
        }
        QVERIFY(blanksChecked >= 40);
        // The dots of a blank are never split between lines.
        int wholeBlanks = 0;
        for (const TextRun* r : runs)
            wholeBlanks +=
                int(r->text.count(QString(blank).replace(QStringLiteral("\\~"), QString(QChar::Nbsp))));
        QCOMPARE(wholeBlanks, 6);
    }

    // Elements at the foot go to the bottom margin of the last page their template page gives,
    // together; when the text reaches them they go to a page of their own after it.
    void footElementsStayClearOfTheText() {
        const QString qrt = QStringLiteral("QRT 1\n"
                                           "font \"Arial\" 12\n"
                                           "margins top=0.7 bottom=0.7\n"
                                           "page\n"
                                           "datapar 0.9 1.0 width=6.5 height=0.2 testo\n"
                                           "caption 0.9 1.4 \"FIRMA\"\n"
                                           "caption 0.9 6.0 size=10 foot \"- Si allega copia di documento\"\n"
                                           "caption 0.9 6.2 size=8 foot \"NOTA\"\n"
                                           "page\n"
                                           "caption 0.8 0.7 \"SECONDA\"\n");
        const double margin = PageHeight - 0.7 * 72;
        bool alone = false, sharing = false, later = false;
        for (int lines = 1; lines <= 120; ++lines) {
            const Document doc = layoutText(qrt, {"testo"}, {numberedLines("riga", lines).join("\r\n")});
            const QString at = QStringLiteral("%1 lines").arg(lines);
            QCOMPARE(layoutFaults(doc), QString());
            int lastOwn = -1;
            for (int p = 0; p < doc.pages.size(); ++p)
                if (doc.pages[p].templatePage == 0) lastOwn = p;
            int page = -1;
            const TextRun* note = runWithText(doc, "- Si allega copia di documento", &page);
            QVERIFY2(note && page == lastOwn, qPrintable(at));
            const TextRun* nota = runWithText(doc, "NOTA", &page);
            QVERIFY2(nota && page == lastOwn, qPrintable(at));
            QVERIFY2(qAbs(nota->rect.bottom() - margin) < Tol, qPrintable(at));
            QVERIFY2(qAbs(nota->rect.top() - note->rect.top() - 0.2 * 72) < Tol, qPrintable(at));
            bool text = false;
            for (const TextRun& r : doc.pages[lastOwn].texts) {
                if (&r == note || &r == nota) continue;
                text = true;
                QVERIFY2(r.rect.bottom() <= note->rect.top(), qPrintable(at + ": " + r.text));
            }
            alone = alone || !text;
            sharing = sharing || (text && lastOwn == 0);
            later = later || (text && lastOwn > 0);
            QCOMPARE(doc.pages.last().templatePage, 1);
        }
        QVERIFY(sharing && later && alone); // each case met at least once
    }

    void layoutIsTheSameForEveryDevice() {
        // Laid out against its own resolution, not the screen's: the geometry is fixed.
        const Document doc = layoutText(
            QStringLiteral("QRT 1\nfont \"Arial\" 12\npage\ncaption 1 1 \"Abcdefghij\"\n"), {}, {});
        const TextRun& run = doc.pages[0].texts[0];
        QCOMPARE(run.font.pointSizeF(), 12.0);
        // The face's own advances, read in its design units.
        QFont design = run.font;
        design.setPixelSize(2048);
        const QRawFont raw = QRawFont::fromFont(design);
        double units = 0;
        for (const QPointF& a : raw.advancesForGlyphIndexes(raw.glyphIndexesForString(run.text)))
            units += a.x();
        const double expected = units / 2048 * 12;
        QVERIFY2(qAbs(run.rect.width() - expected) < 0.01,
                 qPrintable(QStringLiteral("%1 instead of %2").arg(run.rect.width()).arg(expected)));
        QCOMPARE(run.rect.top(), 72.0);
    }

    void paintedPageShowsItsText() {
        ReportProject project;
        const ProvaRow row = provaRow(QStringLiteral("Breve relazione."));
        const Document doc = *project.layout(QStringLiteral("prova"), row.columns, row.values);
        const Page& page = doc.pages[0];
        const double scale = 2; // 144 dpi
        QImage image((page.size * scale).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintPage(page, painter, QRectF(QPointF(0, 0), page.size * scale));
        painter.end();
        auto dark = [&](const QRectF& r) {
            int n = 0;
            const QRect px = QRectF(r.topLeft() * scale, r.size() * scale).toAlignedRect() & image.rect();
            for (int y = px.top(); y <= px.bottom(); ++y)
                for (int x = px.left(); x <= px.right(); ++x)
                    n += qGray(image.pixel(x, y)) < 128;
            return n;
        };
        const TextRun* title = runWithText(doc, "PAGINA DI PROVA");
        QVERIFY(title);
        QVERIFY(dark(title->rect) > 200);
        QCOMPARE(dark(QRectF(title->rect.right() + 4, title->rect.top(), 60, title->rect.height())), 0);
        QVERIFY(dark(page.pictures.value(0).rect) > 200);
        QCOMPARE(dark(QRectF(7.7 * 72, 4.5 * 72, 0.4 * 72, 4 * 72)), 0); // right margin
    }

    void provaLaysOutCleanly() {
        ReportProject project;
        const ProvaRow row = provaRow(longText(7000));
        const Document doc = *project.layout(QStringLiteral("prova"), row.columns, row.values);
        QCOMPARE(doc.title, QStringLiteral("Pagina di prova"));
        QVERIFY(doc.pages.size() >= 3);
        QCOMPARE(layoutFaults(doc), QString());
    }

    void pdfIsPdfA1bWithEmbeddedFonts() {
        ReportProject project;
        const ProvaRow row = provaRow(longText(7000));
        const Document doc = *project.layout(QStringLiteral("prova"), row.columns, row.values);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prova.pdf"));
        writePdf(doc, path);
        const QByteArray pdf = testing::fileBytes(path);
        QVERIFY(pdf.startsWith("%PDF-1.4"));
        QVERIFY(
            QString::fromLatin1(pdf).contains(QRegularExpression(QStringLiteral("pdfaid:part(=\"1\"|>1<)"))));
        QVERIFY(QString::fromLatin1(pdf).contains(
            QRegularExpression(QStringLiteral("pdfaid:conformance(=\"B\"|>B<)"))));
        QVERIFY(pdf.contains("xmp:CreatorTool=\"Quadrelo 2004\"") ||
                pdf.contains("<xmp:CreatorTool>Quadrelo 2004<"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"prova.pdf"}); // no temporary left

        if (tool(QStringLiteral("pdfinfo")).isEmpty()) QSKIP("pdfinfo is not installed");
        QProcess info;
        info.start(tool(QStringLiteral("pdfinfo")), {path});
        QVERIFY(info.waitForFinished());
        const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(
            infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(doc.pages.size()))),
            qPrintable(infoText));
        QVERIFY(infoText.contains(QRegularExpression(QStringLiteral("Title:\\s+Pagina di prova"))));
        QVERIFY(infoText.contains(QRegularExpression(QStringLiteral("Creator:\\s+Quadrelo 2004"))));
        QVERIFY(infoText.contains(QRegularExpression(
            QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))));

        if (tool(QStringLiteral("pdffonts")).isEmpty()) QSKIP("pdffonts is not installed");
        QProcess fonts;
        fonts.start(tool(QStringLiteral("pdffonts")), {path});
        QVERIFY(fonts.waitForFinished());
        const QStringList lines =
            QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() > 2);
        const int emb = lines[0].indexOf(QStringLiteral("emb"));
        QSet<QString> names;
        for (const QString& l : lines.mid(2)) {
            QCOMPARE(l.mid(emb, 3), QStringLiteral("yes"));
            names.insert(l.section(' ', 0, 0).section('+', -1));
        }
        QVERIFY2(names.contains("LiberationSerif") && names.contains("LiberationSerif-Bold"),
                 qPrintable(QStringList(names.values()).join(',')));
        QVERIFY(names.contains("LiberationMono") || names.contains("DejaVuSansMono"));
    }

    void failedPdfLeavesNothingHalfWritten() {
        const Document doc = layoutText(QStringLiteral("QRT 1\npage\ncaption 1 1 \"a\"\n"), {}, {});
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("manca/prova.pdf"));
        QVERIFY_THROWS_EXCEPTION(IoError, writePdf(doc, missing));
        QVERIFY(!QFile::exists(missing));
        try {
            writePdf(doc, missing);
        } catch (const IoError& e) {
            QCOMPARE(e.message(),
                     QStringLiteral("Impossibile scrivere il file prova.pdf: cartella inesistente."));
        }

        const QString kept = dir.filePath(QStringLiteral("vecchio.pdf"));
        QFile old(kept);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("vecchio contenuto");
        old.close();
        testing::ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active()) QSKIP("the folder cannot be made read-only here");
        QVERIFY_THROWS_EXCEPTION(IoError, writePdf(doc, kept));
        QCOMPARE(testing::fileBytes(kept), QByteArray("vecchio contenuto"));
    }
};

int main(int argc, char** argv) {
    // Fonts need the GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ReportEngineTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_report_engine.moc"
