#include "command_line.h"

#include "documents/dialog_defaults.h"
#include "documents/document_checks.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "practice_file/practice_file.h"
#include "practice_file/practice_json.h"
#include "record/errors.h"
#include "record/practice_form.h"
#include "record/user_interface.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QJsonDocument>
#include <cstdio>

namespace quadrelo {

namespace {

void printErr(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QString outPath(const QString& pdf, const QString& report, bool folder) {
    return folder ? QDir(pdf).filePath(report + QStringLiteral(".pdf")) : pdf;
}

// Fields separated by "|", padded or cut to the count the dialog has.
QStringList fields(const QString& option, int count) {
    QStringList f = option.split(QLatin1Char('|'));
    while (f.size() < count)
        f << QString();
    return f.mid(0, count);
}

struct Options {
    QString practice;
    QString json;
    QString report;
    QString pdf;
    QString wasteDate;
    QString occupation;
    QString ici[3];
    QString court;
    QString section;
};

// Puts the dialog values a document needs into the practice; a reason when it cannot print.
QString prepareDialogValues(PracticeForm& form, const QString& report, const Options& o) {
    if (report == QLatin1String("rifiuti")) {
        form.wasteStartDate = o.wasteDate.isEmpty() ? wasteInitialDate() : o.wasteDate;
    } else if (report == QLatin1String("occupazione")) {
        form.occupationData = o.occupation.isEmpty() ? occupationInitialData() : fields(o.occupation, 11);
    } else if (report == QLatin1String("ici")) {
        form.iciData = iciInitialData(form);
        for (int p = 0; p < 3; ++p)
            if (!o.ici[p].isEmpty()) form.iciData[p] = fields(o.ici[p], 18);
    } else if (report == QLatin1String("giurata")) {
        if (!setSwornAppraisalCourt(form, o.court, o.section))
            return QStringLiteral("manca il tribunale (--tribunale).");
    }
    return {};
}

// Checks, dialog values, layout and PDF of one report; the reason when it was not written.
QString writeReport(PracticeForm& form, report::ReportProject& project, const QString& name,
                    const QString& path, const Options& o) {
    if (const DocumentCommand* command = documentCommand(name))
        if (const auto failure = firstFailedCheck(form, *command)) return failure->message;
    if (const QString reason = prepareDialogValues(form, name, o); !reason.isEmpty()) return reason;
    const auto document = project.layout(name, columnNames(), RvCustomConnection1GetRow(form));
    if (!document) return QStringLiteral("documento «%1» sconosciuto.").arg(name);
    report::writePdf(*document, path);
    return {};
}

// Without a window, what the practice would show goes to standard error.
class ConsoleInterface : public UserInterface {
public:
    void Attenzione(const QString& message) override { printErr(message); }
    bool Uscita(const QString&) override { return false; }
    void showPage(int) override {}
    void focusControl(const QString&) override {}
    void beep() override {}
};

int run(const Options& o) {
    ConsoleInterface console;
    PracticeForm form(&console);
    form.Inizializzazione(); // tables and technician from the current folder
    openPractice(form, QDir::current().absoluteFilePath(o.practice));

    if (!o.json.isNull()) {
        std::fputs(QJsonDocument(practiceJson(form)).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }

    report::ReportProject project;
    if (o.report == QLatin1String("all")) {
        QDir().mkpath(o.pdf);
        // A script must tell a complete set from a partial one: any document skipped fails.
        int skipped = 0;
        for (const DocumentCommand& c : documentCommands()) {
            const QString reason = writeReport(form, project, c.report, outPath(o.pdf, c.report, true), o);
            if (reason.isEmpty()) {
                std::printf("%s: scritto %s\n", qPrintable(c.report),
                            qPrintable(outPath(o.pdf, c.report, true)));
            } else {
                ++skipped;
                printErr(QStringLiteral("%1: saltato, %2").arg(c.report, reason));
            }
        }
        return skipped == 0 ? 0 : 2;
    }
    const QString reason = writeReport(form, project, o.report, o.pdf, o);
    if (!reason.isEmpty()) {
        printErr(reason);
        return 2;
    }
    return 0;
}

} // namespace

QString usageText() {
    return QStringLiteral(
        "Uso: quadrelo [opzioni] [PRATICA.qdr]\n"
        "\n"
        "Senza opzioni apre la finestra del programma (con la pratica indicata, se c'è).\n"
        "Le tabelle e i dati del tecnico sono letti dalla cartella corrente.\n"
        "\n"
        "  --no-splash                 non mostra la finestra iniziale\n"
        "  --json PRATICA.qdr          scrive la pratica come JSON sullo standard output\n"
        "  --report NOME --pdf FILE PRATICA.qdr\n"
        "                              scrive il documento NOME in PDF/A dopo gli stessi controlli\n"
        "                              del menu \"Stampe\"; NOME è uno tra modello, antimafia,\n"
        "                              statolavori, giurata, statica, sismica, tecnica, ici, rifiuti,\n"
        "                              occupazione, riepilogo, promemoria, pubbliche\n"
        "  --report all --pdf CARTELLA PRATICA.qdr\n"
        "                              scrive ogni documento i cui controlli sono superati, uno per file;\n"
        "                              i documenti saltati, con il motivo, sullo standard error (stato 2\n"
        "                              se ne manca anche uno solo)\n"
        "\n"
        "Dati dei documenti che in finestra chiedono una maschera:\n"
        "  --rifiuti-dal GG/MM/AAAA    decorrenza dell'occupazione (rifiuti; 31/03/2003)\n"
        "  --occupazione \"C1|...|C11\"  ubicazione|scopo|lato 1|lato 2|superficie|dal|al|giorni|\n"
        "                              dalle ore|alle ore|tipologia (occupazione)\n"
        "  --ici1 \"C1|...|C18\"         i diciotto dati dell'immobile 1 (anche --ici2, --ici3), "
        "nell'ordine\n"
        "                              della maschera; i segni sono \"X\" o \" \" (ici)\n"
        "  --tribunale NOME            tribunale della perizia (giurata; senza, non si stampa)\n"
        "  --sezione NOME              sezione distaccata (giurata)\n"
        "\n"
        "Stato d'uscita: 0 riuscito, 1 errore d'uso o di file, 2 pratica danneggiata o controllo non "
        "superato.\n");
}

std::optional<int> runWithoutWindow(int& argc, char** argv) {
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--json" || a == "--report" || a == "--help" || a == "-h") headless = true;
    }
    if (!headless) return std::nullopt;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    QGuiApplication app(argc, argv); // fonts for the documents
    QCoreApplication::setApplicationName(QStringLiteral("Quadrelo 2004"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QString(), QStringLiteral("pratica")});
    parser.addOption({QStringLiteral("report"), QString(), QStringLiteral("nome")});
    parser.addOption({QStringLiteral("pdf"), QString(), QStringLiteral("file")});
    parser.addOption({QStringLiteral("rifiuti-dal"), QString(), QStringLiteral("data")});
    parser.addOption({QStringLiteral("occupazione"), QString(), QStringLiteral("campi")});
    for (int p = 1; p <= 3; ++p)
        parser.addOption({QStringLiteral("ici%1").arg(p), QString(), QStringLiteral("campi")});
    parser.addOption({QStringLiteral("tribunale"), QString(), QStringLiteral("nome")});
    parser.addOption({QStringLiteral("sezione"), QString(), QStringLiteral("nome")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({QStringLiteral("no-splash"), QString()});
    if (!parser.parse(app.arguments())) {
        printErr(parser.errorText());
        return 1;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }

    Options o;
    o.json = parser.isSet(QStringLiteral("json")) ? parser.value(QStringLiteral("json")) : QString();
    o.practice = !o.json.isNull() ? o.json : parser.positionalArguments().value(0);
    o.report = parser.value(QStringLiteral("report"));
    o.pdf = parser.value(QStringLiteral("pdf"));
    o.wasteDate = parser.value(QStringLiteral("rifiuti-dal"));
    o.occupation = parser.value(QStringLiteral("occupazione"));
    for (int p = 0; p < 3; ++p)
        o.ici[p] = parser.value(QStringLiteral("ici%1").arg(p + 1));
    o.court = parser.value(QStringLiteral("tribunale"));
    o.section = parser.value(QStringLiteral("sezione"));
    if (o.practice.isEmpty() || (o.json.isNull() && o.pdf.isEmpty())) {
        printErr(QStringLiteral(
            "Indicare la pratica (e con --report il file o la cartella --pdf). Vedere --help."));
        return 1;
    }
    try {
        return run(o);
    } catch (const DamagedFileError& e) {
        printErr(e.message());
        return 2;
    } catch (const Error& e) {
        printErr(e.message());
        return 1;
    }
}

} // namespace quadrelo
