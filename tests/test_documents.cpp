// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "calc/practice_form.h"
#include "documents/dialog_defaults.h"
#include "documents/document_checks.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "practice_file/practice_file.h"
#include "report_checks.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

// Every document of the commands: one added is laid out and checked like the others.
const QStringList reports = [] {
    QStringList names;
    for (const DocumentCommand& c : documentCommands())
        names << c.report;
    return names;
}();

// The shipped example: a complete practice, a filled technician, the dialog values a user
// would confirm.
struct Example {
    QTemporaryDir dir;
    PracticeForm form;
    Example() {
        copyShippedData(dir.path());
        QFile::remove(dir.filePath("tec.dat"));
        QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/tec.dat"), dir.filePath("tec.dat"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Inizializzazione(form);
        QDir::setCurrent(previous);
        openPractice(form, QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
        form.wasteStartDate = QStringLiteral("01/02/2004");
        form.occupationData = {.location = "VIA CAVOUR 3/A",
                               .purpose = "ponteggio per il rifacimento della facciata",
                               .firstSide = "12",
                               .secondSide = "5",
                               .area = "60",
                               .firstDay = "01/02/2004",
                               .lastDay = "10/02/2004",
                               .days = "10",
                               .startHour = "08:00",
                               .endHour = "18:00",
                               .kind = "temporanea"};
        form.iciData = iciInitialData(form);
        IciProperty& first = form.iciData[0];
        first.cadastralClass = "2";
        first.value = "85000,00";
        first.ownershipShare = "100";
        first.monthsOwned = "12";
        first.owned = "X";
        first.mainHome = "X";
        form.swornCourt = QStringLiteral("RIMINI");
        form.swornSection = QStringLiteral("SEZIONE DISTACCATA DI RICCIONE");
    }
    // An empty document when the project lacks the report: the test's checks then fail.
    report::Document layout(const QString& name) {
        report::ReportProject project;
        return project.layout(name, columnNames(), RvCustomConnection1GetRow(form), {}, sheetHeading(form))
            .value_or(report::Document{});
    }
};

QString allText(const report::Document& doc) {
    QString text;
    for (const report::Page& page : doc.pages)
        for (const report::TextRun& run : page.texts)
            text += run.text + QLatin1Char(' ');
    return text;
}

QStringList words(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

// The texts of a document in printing order, without the empty box rows and the page marks.
QString printedValues(const report::Document& doc) {
    QString text;
    for (const report::Page& page : doc.pages)
        for (const report::TextRun& run : page.texts)
            if (!run.text.contains(QLatin1String("|_|")) && !run.pageMark) text += run.text;
    return text;
}

// What must survive of a value wherever it is printed: its characters, without the spaces a
// line break takes, the cell bars and the separators of a date printed in parts.
QString comparable(QString text) {
    static const QRegularExpression dropped(QStringLiteral("[\\s\\x{00A0}|/]"));
    return text.remove(dropped);
}

// Numbered words, with line breaks, so that a lost or repeated piece shows.
QString longText(const QString& word, int length) {
    QString text;
    for (int i = 0; text.size() < length; ++i)
        text += QStringLiteral("%1%2").arg(word).arg(i) +
                ((i % 23 == 22) ? QStringLiteral("\r\n") : QStringLiteral(" "));
    return text.trimmed();
}

// A practice with the longest values real practices carry: a company or a long family name,
// the longest official municipality names (the bilingual and trilingual ones of Alto Adige),
// addresses with house numbers, sixteen-digit cadastral references, a long description and
// amounts of seven integer digits.
struct LongPractice : Example {
    explicit LongPractice(bool company) {
        PracticeForm& f = form;
        f.Edit1.text = company ? QString() : QStringLiteral("MARIA ANTONIETTA GIOVANNA");
        f.Edit2.text = company ? QStringLiteral("IMMOBILIARE COSTRUZIONI EDILI SAN GIORGIO S.R.L.")
                               : QStringLiteral("BRAMBILLA PALLAVICINI DEI CONTI DI SOTTO");
        f.Edit3.text = company ? QStringLiteral("SAN LEONARDO IN PASSIRIA/ST. LEONHARD IN PASSEIER")
                               : QStringLiteral("SAN VALENTINO IN ABRUZZO CITERIORE");
        f.Edit22.text = company ? QStringLiteral("BOLZANO/BOZEN") : QStringLiteral("PE");
        f.DateTimePicker3.date = QDate(2001, 4, 3);
        f.Edit5.text = QStringLiteral("BRMMNT01D43I376X");
        f.Edit6.text = company ? QStringLiteral("SAN MARTINO IN BADIA/ST. MARTIN IN THURN/SAN MARTIN DE TOR")
                               : QStringLiteral("CALDARO SULLA STRADA DEL VINO/KALTERN AN DER WEINSTRASSE");
        f.ComboBox2.text = QStringLiteral("viale");
        f.Edit7.text = QStringLiteral("GIOVANNI BATTISTA PERGOLESI");
        f.Edit8.text = QStringLiteral("123/A");
        f.Edit9.text = QStringLiteral("CORTACCIA SULLA STRADA DEL VINO/KURTATSCH AN DER WEINSTRASSE");
        f.ComboBox1.text = QStringLiteral("frazione");
        f.Edit10.text = QStringLiteral("SANTA MARIA DELLE GRAZIE MONTE");
        f.Edit11.text = QStringLiteral("123/A");
        f.ComboBox3.text = QStringLiteral("amministratore");
        const QString sixteen = QStringLiteral("1234567890123456");
        for (EditState* e : {&f.Edit13, &f.Edit14, &f.Edit15, &f.Edit4, &f.Edit17, &f.Edit18, &f.Edit19,
                             &f.Edit20, &f.Edit21})
            e->text = sixteen;
        f.Edit16.text = QStringLiteral("LABORATORIO ARTIGIANALE E MAGAZZINO");
        f.Memo1.text = longText(QStringLiteral("descrizione"), 2000);
        f.Memo2.text = longText(QStringLiteral("relazione"), 2000);
        f.resUsefulSurface1 = 999999.99;
        f.resNonResSurface1 = 888888.88;
        f.resTotalSurface1 = 999999.99;
        f.resOblation1 = f.resOblationTotal = 9876543.21;
        f.oblationFirstPayment = 2962962.96;
        f.oblationInstalment = 3456790.12;
        f.advanceSurfaceNew1 = 999999.99;
        f.advanceAmountNew1 = f.advanceTotalNew = 8765432.10;
        f.advanceFirstPayment = 2629629.63;
        f.advanceInstalment = 3067901.23;
        f.indemnityTotal = 7654321.09;
        f.areaValueTotal = 9999999.98;
        const QString address = QStringLiteral("frazione SANTA MARIA DELLE GRAZIE MONTE 123/A");
        f.occupationData = {.location = address,
                            .purpose = "ponteggio per il rifacimento della facciata e del tetto",
                            .firstSide = "1234567,89",
                            .secondSide = "1234567,89",
                            .area = "1234567,89",
                            .firstDay = "01/02/2004",
                            .lastDay = "31/12/2004",
                            .days = "334",
                            .startHour = "08:00",
                            .endHour = "18:00",
                            .kind = "temporanea con recinzione di cantiere"};
        f.iciData = iciInitialData(f);
        for (IciProperty& property : f.iciData)
            property = {.address = address,
                        .section = "A",
                        .sheet = sixteen,
                        .parcel = sixteen,
                        .subUnit = sixteen,
                        .category = "A/10",
                        .cadastralClass = "3",
                        .listedBuilding = "X",
                        .value = "1234567,89",
                        .ownershipShare = "100",
                        .monthsOwned = "12",
                        .monthsExempt = "12",
                        .monthsReduced = "12",
                        .mainHomeDeduction = "1234567,89",
                        .owned = "X",
                        .excludedOrExempt = "X",
                        .reduced = "X",
                        .mainHome = "X"};
        f.swornCourt = company ? QStringLiteral("BOLZANO/BOZEN") : QStringLiteral("SANTA MARIA CAPUA VETERE");
        f.swornSection =
            company
                ? QStringLiteral("SEZIONE DISTACCATA DI SAN LEONARDO IN PASSIRIA/ST. LEONHARD IN PASSEIER")
                : QStringLiteral("SEZIONE DISTACCATA DI SAN VALENTINO IN ABRUZZO CITERIORE");
    }
};

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
private slots:
    // One name per document: the menu's, which is also its PDF's title and the preview's.
    void everyReportIsStored() {
        report::ReportProject project;
        for (const QString& name : reports) {
            QVERIFY2(project.contains(name), qPrintable(name));
            QCOMPARE(project.find(name)->title,
                     QString(documentCommand(name)->caption).remove(QLatin1Char('&')));
        }
    }

    void layoutIsClean_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : reports)
            QTest::newRow(qPrintable(name)) << name;
    }
    void layoutIsClean() {
        QFETCH(QString, name);
        Example example;
        const report::Document doc = example.layout(name);
        QVERIFY(!doc.pages.isEmpty());
        const QString faults = layoutFaults(doc);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        const QString boxes = boxFaults(doc);
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes));
    }

    // What each document must carry of the practice.
    void valuesArePrinted_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("modello surname boxed") << "modello"
                                               << "|R|O|S|S|I|";
        QTest::newRow("modello amount") << "modello"
                                        << "|9|9|6|0|,|0|0|";
        QTest::newRow("modello first payment") << "modello"
                                               << "|2|9|8|8|,|0|0|";
        QTest::newRow("antimafia applicant") << "antimafia"
                                             << "MARIO ROSSI";
        QTest::newRow("statica technician") << "statica"
                                            << "BIANCHI";
        QTest::newRow("giurata court") << "giurata"
                                       << "RIMINI";
        QTest::newRow("giurata section") << "giurata"
                                         << "RICCIONE";
        QTest::newRow("ici tax code") << "ici"
                                      << "RSSMRA60E12D704N";
        QTest::newRow("ici value") << "ici"
                                   << "85000,00";
        QTest::newRow("rifiuti date") << "rifiuti"
                                      << "01/02/2004";
        QTest::newRow("occupazione days") << "occupazione"
                                          << "10 giorni";
        QTest::newRow("pubbliche indemnity") << "pubbliche"
                                             << "|7|2|0|0|,|0|0|";
        QTest::newRow("promemoria instalment") << "promemoria"
                                               << "|3|4|8|6|,|0|0|";
        QTest::newRow("riepilogo title") << "riepilogo"
                                         << "RIEPILOGO PRATICA";
    }
    void valuesArePrinted() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        Example example;
        const QString text = allText(example.layout(name)).remove(QLatin1Char(' '));
        QVERIFY2(text.contains(QString(expected).remove(QLatin1Char(' '))), qPrintable(expected));
    }

    // Long texts flow on to further pages, whole and in order.
    void longTextsFlow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("report");
        QTest::newRow("modello description") << "modello" << false;
        QTest::newRow("statolavori description") << "statolavori" << false;
        QTest::newRow("tecnica report") << "tecnica" << true;
        QTest::newRow("giurata report") << "giurata" << true;
    }
    void longTextsFlow() {
        QFETCH(QString, name);
        QFETCH(bool, report);
        Example example;
        const report::Document normal = example.layout(name);
        example.form.Memo1.text = longText(QStringLiteral("descrizione"), 2000);
        example.form.Memo2.text = longText(QStringLiteral("relazione"), 6000);
        const report::Document doc = example.layout(name);
        QVERIFY(doc.pages.size() > normal.pages.size());
        const QString faults = layoutFaults(doc);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        const QStringList expected = words(report ? example.form.Memo2.text : example.form.Memo1.text);
        const QString word = report ? QStringLiteral("relazione") : QStringLiteral("descrizione");
        QStringList printed;
        for (const QString& w : words(allText(doc)))
            if (w.startsWith(word) && w.size() > word.size() && w.at(word.size()).isDigit()) printed << w;
        // The numbered words appear once each, in order.
        QCOMPARE(printed, expected);
    }

    // In the summaries' header a value that wraps keeps the distance from the rule under the
    // header that a value on one line has.
    void wrappedHeaderKeepsItsRuleDistance_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"riepilogo", "promemoria", "pubbliche"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void wrappedHeaderKeepsItsRuleDistance() {
        QFETCH(QString, name);
        // From the rule under the header up to the text closest above it.
        auto ruleDistance = [](const report::Document& doc, int* lines) {
            const report::Page& page = doc.pages.value(0);
            for (const report::LineItem& rule : page.lines) {
                if (qAbs(rule.line.dy()) > LayoutTolerance || rule.line.length() < 6 * report::PointsPerInch)
                    continue;
                double above = 0, lastRow = rule.line.y1();
                for (const report::TextRun& run : page.texts)
                    if (run.text == QLatin1String("RESIDENTE IN")) lastRow = run.rect.top();
                *lines = 0;
                for (const report::TextRun& run : page.texts)
                    if (run.rect.bottom() <= rule.line.y1() + LayoutTolerance) {
                        above = std::max(above, run.rect.bottom());
                        if (run.rect.left() > 2.5 * report::PointsPerInch &&
                            run.rect.top() >= lastRow - LayoutTolerance)
                            ++*lines;
                    }
                return rule.line.y1() - above;
            }
            return -1.0;
        };
        Example example;
        LongPractice practice(true);
        int oneLine = 0, wrapped = 0;
        const double expected = ruleDistance(example.layout(name), &oneLine);
        const double distance = ruleDistance(practice.layout(name), &wrapped);
        QCOMPARE(oneLine, 1);
        QVERIFY2(wrapped > 1, qPrintable(QString::number(wrapped)));
        QVERIFY2(expected > 0 && qAbs(distance - expected) < 1.0,
                 qPrintable(QStringLiteral("%1 pt instead of %2 pt").arg(distance).arg(expected)));
    }

    // A document of several pages is numbered in its bottom margin and, from its second page,
    // names its practice at the head, so that loose sheets go back in order; one page stays bare.
    void pagesAreNumbered_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("longValues");
        QTest::addColumn<int>("minimumPages");
        QTest::addColumn<int>("maximumPages");
        QTest::newRow("riepilogo, one page") << "riepilogo" << false << 1 << 1;
        QTest::newRow("sismica, two pages") << "sismica" << false << 2 << 2;
        QTest::newRow("modello, company, four pages and more") << "modello" << true << 5 << 99;
        QTest::newRow("modello, four pages") << "modello" << false << 4 << 4;
    }
    void pagesAreNumbered() {
        QFETCH(QString, name);
        QFETCH(bool, longValues);
        QFETCH(int, minimumPages);
        QFETCH(int, maximumPages);
        LongPractice longPractice(true);
        Example example;
        PracticeForm& form = longValues ? longPractice.form : example.form;
        const report::Document doc = longValues ? longPractice.layout(name) : example.layout(name);
        const int count = int(doc.pages.size());
        QVERIFY2(count >= minimumPages && count <= maximumPages, qPrintable(QString::number(count)));
        for (const QString& faults : {layoutFaults(doc), printableFaults(doc)})
            QVERIFY2(faults.isEmpty(), qPrintable(faults));
        const QString file = QFileInfo(form.currentFileName).fileName();
        for (int k = 0; k < count; ++k) {
            const report::Page& page = doc.pages[k];
            QString number, heading;
            double contentBottom = 0;
            QList<QRectF> drawn;
            for (const report::TextRun& run : page.texts) {
                if (run.pageMark) {
                    (run.rect.top() > page.size.height() / 2 ? number : heading) +=
                        run.text + QLatin1Char(' ');
                    continue;
                }
                drawn << run.rect;
            }
            for (const report::FrameItem& f : page.frames)
                drawn << f.rect;
            for (const report::LineItem& l : page.lines)
                drawn << QRectF(l.line.p1(), l.line.p2()).normalized();
            for (const QRectF& r : drawn)
                contentBottom = std::max(contentBottom, r.bottom());
            if (count == 1) {
                QVERIFY2(number.isEmpty() && heading.isEmpty(), qPrintable(number + heading));
                continue;
            }
            QCOMPARE(number.trimmed(), QStringLiteral("Pagina %1 di %2").arg(k + 1).arg(count));
            QVERIFY2(heading.isEmpty() == (k == 0), qPrintable(heading));
            if (k > 0) {
                QVERIFY2(heading.contains(form.Edit2.text.left(20)) && comparable(heading).contains(file),
                         qPrintable(heading));
            }
            for (const report::TextRun& run : page.texts) {
                if (!run.pageMark) continue;
                // The number is under everything else on its page; neither mark touches a frame or a rule.
                if (run.rect.top() > page.size.height() / 2)
                    QVERIFY2(run.rect.top() >= contentBottom, qPrintable(run.text));
                for (const QRectF& r : drawn)
                    QVERIFY2(!r.intersects(run.rect),
                             qPrintable(QStringLiteral("page %1: %2").arg(k + 1).arg(run.text)));
            }
        }
    }

    // With the longest real values every character of every value the document reads is
    // printed, inside the printable area, over nothing else, and boxed values on their cells.
    void longValuesLayOut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("company");
        for (const QString& name : reports) {
            QTest::newRow(qPrintable(name + " company")) << name << true;
            QTest::newRow(qPrintable(name + " person")) << name << false;
        }
    }
    void longValuesLayOut() {
        QFETCH(QString, name);
        QFETCH(bool, company);
        LongPractice practice(company);
        const QStringList values = RvCustomConnection1GetRow(practice.form);
        const report::Document doc = practice.layout(name);
        QVERIFY(!doc.pages.isEmpty());
        for (const QString& faults :
             {layoutFaults(doc), printableFaults(doc), frameFaults(doc), boxFaults(doc)})
            QVERIFY2(faults.isEmpty(), qPrintable(faults));

        // The dotted date blank after a long place name goes to the next line whole.
        if (allText(doc).contains(QLatin1String(", lì"))) {
            const QString blank = QStringLiteral(". . . . . . . . . . . . . . .");
            bool whole = false;
            for (const report::Page& page : doc.pages)
                for (const report::TextRun& run : page.texts)
                    whole = whole || run.text.contains(blank);
            QVERIFY2(whole, "the dotted date blank is split over two lines");
        }

        report::ReportProject project;
        const QString printed = comparable(printedValues(doc));
        for (const QString& column : project.find(name)->columns()) {
            const QString value = comparable(values.at(columnNames().indexOf(column)));
            QVERIFY2(printed.contains(value), qPrintable(column + QStringLiteral(": ") + value));
        }
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts
    DocumentsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_documents.moc"
