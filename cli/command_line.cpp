// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "command_line.h"

#include "archive/practice_archive.h"
#include "calc/practice_form.h"
#include "calc/user_interface.h"
#include "documents/dialog_defaults.h"
#include "documents/document_checks.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "practice_file/practice_file.h"
#include "practice_file/practice_json.h"
#include "record/errors.h"
#include "record/text_file.h"
#include "sign/cades.h"
#include "sign/pades.h"
#include "sign/pkcs11_token.h"
#include "sign/signed_files.h"
#include "sign/stamp_place.h"
#include "startup/startup.h"
#include "work_folder.h"

#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace quadrelo {

namespace {

void printErr(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QString outputFailure(int savedErrno) {
    return QStringLiteral("Impossibile scrivere sullo standard output: %1.")
        .arg(systemFailureReason(savedErrno, true));
}

// Standard output is checked as any file is: a full disk or a size limit is a file error.
void writeOut(const QByteArray& bytes) {
    if (!bytes.isEmpty() &&
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
        throw IoError(outputFailure(errno));
}

void writeOut(const QString& text) {
    writeOut(text.toLocal8Bit());
}

// What is still buffered must reach its file too before the run counts as done.
void finishOut() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError(outputFailure(errno ? errno : EIO));
}

QString outPath(const QString& pdf, const QString& report, bool folder) {
    return folder ? QDir(pdf).filePath(report + QStringLiteral(".pdf")) : pdf;
}

// Fields separated by "|", in the order of `fields`; their count was checked with the arguments.
template <typename Data, std::size_t count>
Data fromFields(const QString& option, const std::array<QString Data::*, count>& fields) {
    const QStringList values = option.split(QLatin1Char('|'));
    Data data;
    for (std::size_t i = 0; i < count && i < std::size_t(values.size()); ++i)
        data.*fields[i] = values[qsizetype(i)];
    return data;
}

// A usage error: what is wrong with the arguments, never a half-done run.
struct UsageError {
    QString message;
};

struct Options {
    QString practice;
    QString json;
    QString report;
    QString pdf;
    QByteArray pdfNative; // the --pdf name's own bytes, when they are no valid text of the locale
    QString wasteDate;
    QString occupation;
    QString ici[3];
    QString court;
    QString section;
    QString folder; // --elenco
    QString csv;
    QString signer;       // --firma: "pkcs11:MODULO" or "p12:FILE"
    QString format;       // --formato: "pades" or "cades"
    QString pinSource;    // --pin-da: "FILE" or "fd:N"
    bool visible = false; // --firma-visibile
};

// The key every document of the run is signed with, opened once: one PIN for all.
struct Signing {
    std::optional<sign::Pkcs11Module> module;
    std::unique_ptr<sign::SigningKey> key;
    sign::Format format = sign::Format::Pades;
};

sign::Format signFormat(const Options& o) {
    return o.format == QLatin1String("cades") ? sign::Format::Cades : sign::Format::Pades;
}

// The PIN or password, from a file or an open file descriptor, never from the arguments: the
// first line, without its end.
QByteArray readSecret(const QString& source) {
    QByteArray secret;
    if (source.startsWith(QLatin1String("fd:"))) {
        const int fd = source.mid(3).toInt();
        char buffer[512];
        ssize_t n = 0;
        // Up to the first line's end: a descriptor left open by its writer must not hang the run.
        while (!secret.contains('\n') && secret.size() < 4096 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
            secret.append(buffer, n);
        const int savedErrno = errno;
        explicit_bzero(buffer, sizeof buffer);
        if (n < 0)
            throw IoError(QStringLiteral("Impossibile leggere il PIN dal descrittore %1: %2.")
                              .arg(fd)
                              .arg(systemFailureReason(savedErrno)));
    } else {
        secret = readFileBytes(QDir::current().absoluteFilePath(source), 4096);
    }
    const qsizetype end = secret.indexOf('\n');
    if (end >= 0) secret.truncate(end > 0 && secret[end - 1] == '\r' ? end - 1 : end);
    return secret;
}

// Opens the --firma key with the secret of --pin-da; a key that may not sign is refused here,
// before any document is written.
void openSigning(Signing& signing, const Options& o) {
    signing.format = signFormat(o);
    QByteArray secret = readSecret(o.pinSource);
    const QString where = o.signer.section(QLatin1Char(':'), 1);
    try {
        if (o.signer.startsWith(QLatin1String("p12:"))) {
            signing.key = sign::openPkcs12(readFileBytes(where, 1024 * 1024), secret);
            const QString problem =
                sign::certificateProblem(sign::describeCertificate(signing.key->certificate()));
            if (!problem.isEmpty()) throw sign::SignError(problem);
        } else {
            signing.module.emplace(where);
            const QList<sign::TokenCertificate> found = signing.module->certificates();
            if (found.isEmpty())
                throw sign::SignError(QStringLiteral("Sulla carta non c'è alcun certificato."));
            // The first certificate that may sign; when none may, why the first may not.
            auto usable = std::find_if(found.cbegin(), found.cend(), [](const sign::TokenCertificate& c) {
                return sign::certificateProblem(c.info).isEmpty();
            });
            if (usable == found.cend()) throw sign::SignError(sign::certificateProblem(found.first().info));
            signing.key = signing.module->login(*usable, secret);
        }
    } catch (...) {
        sign::forgetSecret(secret);
        throw;
    }
    sign::forgetSecret(secret);
}

// Puts the dialog values a document needs into the practice; a reason when it cannot print.
QString prepareDialogValues(PracticeForm& form, const QString& report, const Options& o) {
    if (report == QLatin1String("rifiuti")) {
        form.wasteStartDate = o.wasteDate.isEmpty() ? wasteInitialDate() : o.wasteDate;
    } else if (report == QLatin1String("occupazione")) {
        form.occupationData =
            o.occupation.isEmpty() ? occupationInitialData() : fromFields(o.occupation, kOccupationFields);
    } else if (report == QLatin1String("ici")) {
        form.iciData = iciInitialData(form);
        for (int p = 0; p < 3; ++p)
            if (!o.ici[p].isEmpty()) form.iciData[p] = fromFields(o.ici[p], kIciItems);
    } else if (report == QLatin1String("giurata")) {
        if (!setSwornAppraisalCourt(form, o.court, o.section))
            return QStringLiteral("manca il tribunale (--tribunale).");
    }
    return {};
}

// Checks, dialog values, layout and PDF of one report; the reason when it was not written.
QString writeReport(PracticeForm& form, report::ReportProject& project, const QString& name,
                    const QString& path, const Options& o, Signing* signing) {
    if (const DocumentCommand* command = documentCommand(name))
        if (const auto failure = firstFailedCheck(form, *command)) return failure->message;
    if (const QString reason = prepareDialogValues(form, name, o); !reason.isEmpty()) return reason;
    const auto document = project.layout(name, columnNames(), RvCustomConnection1GetRow(form), {},
                                         sheetHeading(form), report::Keep::Spans);
    if (!document) return QStringLiteral("documento «%1» sconosciuto.").arg(name);
    if (!signing && o.pdfNative.isEmpty()) {
        report::writePdf(*document, path);
        return {};
    }
    QByteArray bytes;
    QByteArray nativeTarget = o.pdfNative;
    if (signing) {
        // Signed whole before anything is written: a refused signature leaves no file.
        const bool cades = signing->format == sign::Format::Cades;
        std::optional<sign::Stamp> stamp;
        if (o.visible) {
            stamp = sign::stampPlace(*document);
            if (!stamp)
                printErr(
                    QStringLiteral("%1: nessuno spazio libero sull'ultima pagina, la firma resta invisibile.")
                        .arg(name));
        }
        bytes = report::pdfBytes(*document);
        bytes = cades ? sign::cadesEnvelope(bytes, *signing->key)
                      : sign::padesSign(bytes, *signing->key, QDateTime::currentDateTimeUtc(), stamp);
        if (cades && !nativeTarget.isEmpty()) nativeTarget += ".p7m";
    }
    if (nativeTarget.isEmpty()) {
        writeBytes(sign::signedPath(path, signing->format), bytes);
        return {};
    }
    // A name the locale cannot spell: written under a name it can, beside it, then renamed to
    // the bytes the user gave, never to a look-alike.
    const QString temporary = QFileInfo(path).absolutePath() + QStringLiteral("/.quadrelo-pdf.tmp");
    if (signing)
        writeBytes(temporary, bytes);
    else
        report::writePdf(*document, temporary);
    if (::rename(QFile::encodeName(temporary).constData(), nativeTarget.constData()) != 0) {
        const int savedErrno = errno;
        QFile::remove(temporary);
        throw IoError(QStringLiteral("Impossibile scrivere il file %1: %2.")
                          .arg(QFileInfo(path).fileName(), systemFailureReason(savedErrno, true)));
    }
    return {};
}

// Without a window, what the practice would show goes to standard error.
class ConsoleInterface : public UserInterface {
public:
    QStringList loadErrors; // start-up files that did not load
    void Attenzione(const QString& message) override { printErr(message); }
    void reportError(const QString& message) override { loadErrors << message; }
    bool Uscita(const QString&) override { return false; }
    void showPage(int) override {}
    void focusControl(const QString&) override {}
    void beep() override {}
};

// --elenco: the practices of a folder as a table, or as CSV into a file. A file that cannot
// be read is listed with its reason and makes the status 2.
int listFolder(const PracticeForm& loaded, const Options& o) {
    const QList<ArchiveRow> rows = readArchive({o.folder}, archivePrototype(loaded), false);
    const bool allRead =
        std::all_of(rows.cbegin(), rows.cend(), [](const ArchiveRow& r) { return r.readable(); });
    if (!o.pdf.isEmpty()) {
        writeArchivePdf(o.pdf, rows,
                        QStringLiteral("Archivio pratiche — %1").arg(QDir::toNativeSeparators(o.folder)));
        writeOut(QStringLiteral("%1: %2\n")
                     .arg(QDir::toNativeSeparators(o.pdf), archiveTotalsText(archiveTotals(rows))));
    }
    if (o.csv.isEmpty()) {
        if (o.pdf.isEmpty()) writeOut(archiveTextTable(rows));
    } else {
        writeArchiveCsv(o.csv, rows);
        writeOut(QStringLiteral("%1: %2\n")
                     .arg(QDir::toNativeSeparators(o.csv), archiveTotalsText(archiveTotals(rows))));
    }
    return allRead ? 0 : 2;
}

int run(const Options& o) {
    ConsoleInterface console;
    PracticeForm form(&console);
    Inizializzazione(form); // tables and technician from the work folder
    // Figures from tables that did not load would be zeros printed as if they were right.
    if (!console.loadErrors.isEmpty()) {
        for (const QString& message : console.loadErrors)
            printErr(message);
        return 1;
    }
    if (!o.folder.isNull()) return listFolder(form, o);
    openPractice(form, QDir::current().absoluteFilePath(o.practice));

    if (!o.json.isNull()) {
        writeOut(QJsonDocument(practiceJson(form)).toJson(QJsonDocument::Indented));
        return 0;
    }

    std::optional<Signing> signing;
    if (!o.signer.isEmpty()) openSigning(signing.emplace(), o);
    Signing* key = signing ? &*signing : nullptr;
    auto written = [&](const QString& path) { return key ? sign::signedPath(path, key->format) : path; };

    report::ReportProject project;
    if (o.report == QLatin1String("all")) {
        QDir().mkpath(o.pdf);
        // A script must tell a complete set from a partial one: any document skipped fails.
        int skipped = 0;
        const QList<DocumentCommand> commands = documentCommands();
        for (qsizetype i = 0; i < commands.size(); ++i) {
            const DocumentCommand& c = commands.at(i);
            QString reason;
            try {
                reason = writeReport(form, project, c.report, outPath(o.pdf, c.report, true), o, key);
            } catch (const Error& e) {
                if (!dynamic_cast<const IoError*>(&e) && !dynamic_cast<const sign::SignError*>(&e)) throw;
                // A write failure stops the set: the script learns what was not written.
                printErr(QStringLiteral("%1: non scritto, %2").arg(c.report, e.message()));
                QStringList untried;
                for (qsizetype j = i + 1; j < commands.size(); ++j)
                    untried << commands.at(j).report;
                if (!untried.isEmpty())
                    printErr(
                        QStringLiteral("Documenti non tentati: %1.").arg(untried.join(QStringLiteral(", "))));
                return 1;
            }
            if (reason.isEmpty()) {
                writeOut(QStringLiteral("%1: scritto %2\n")
                             .arg(c.report, written(outPath(o.pdf, c.report, true))));
            } else {
                ++skipped;
                printErr(QStringLiteral("%1: saltato, %2").arg(c.report, reason));
            }
        }
        return skipped == 0 ? 0 : 2;
    }
    const QString reason = writeReport(form, project, o.report, o.pdf, o, key);
    if (!reason.isEmpty()) {
        printErr(reason);
        return 2;
    }
    return 0;
}

QStringList reportNames() {
    QStringList names;
    for (const DocumentCommand& c : documentCommands())
        if (!c.report.isEmpty() && !names.contains(c.report)) names << c.report;
    return names;
}

bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// The PDF may only be a new file or an old PDF, never the practice it is made from.
void checkPdfTarget(const QString& path, const QString& practice, sign::Format format = sign::Format::Pades,
                    bool signing = false) {
    if (signing && format == sign::Format::Cades) {
        const QString envelope = sign::signedPath(path, format);
        if (sameFile(envelope, practice))
            throw UsageError{
                QStringLiteral("«%1» è la pratica da stampare: la busta firmata non la sostituisce.")
                    .arg(QDir::toNativeSeparators(envelope))};
        if (const QString problem = sign::signedTargetProblem(path, format); !problem.isEmpty())
            throw UsageError{problem};
        return;
    }
    if (sameFile(path, practice))
        throw UsageError{QStringLiteral("«%1» è la pratica da stampare: il PDF non la sostituisce.")
                             .arg(QDir::toNativeSeparators(path))};
    if (const QString problem = report::pdfTargetProblem(path); !problem.isEmpty()) throw UsageError{problem};
}

void checkFieldCount(const QString& option, const QString& value, int count) {
    if (value.isNull()) return;
    const auto given = value.split(QLatin1Char('|')).size();
    if (given != count)
        throw UsageError{QStringLiteral("--%1 vuole %2 campi separati da \"|\", ne sono stati dati %3.")
                             .arg(option)
                             .arg(count)
                             .arg(given)};
}

// The signature's options: the key and where its secret is read, never the secret itself.
void checkSignOptions(const Options& o) {
    if (o.signer.isNull()) {
        if (!o.format.isNull() || !o.pinSource.isNull() || o.visible)
            throw UsageError{QStringLiteral(
                "--formato, --pin-da e --firma-visibile si usano con --firma. Vedere --help.")};
        return;
    }
    if (o.report.isEmpty()) throw UsageError{QStringLiteral("--firma si usa con --report. Vedere --help.")};
    const QString where = o.signer.section(QLatin1Char(':'), 1);
    if (!(o.signer.startsWith(QLatin1String("pkcs11:")) || o.signer.startsWith(QLatin1String("p12:"))) ||
        where.isEmpty())
        throw UsageError{QStringLiteral("--firma vuole pkcs11:MODULO (la carta) o p12:FILE (il certificato "
                                        "in un file), non «%1».")
                             .arg(o.signer)};
    if (!o.format.isNull() && o.format != QLatin1String("pades") && o.format != QLatin1String("cades"))
        throw UsageError{QStringLiteral("--formato vuole pades o cades, non «%1».").arg(o.format)};
    if (o.visible && o.format == QLatin1String("cades"))
        throw UsageError{QStringLiteral("--firma-visibile vale per le firme PAdES, dentro il PDF.")};
    if (o.pinSource.isEmpty())
        throw UsageError{QStringLiteral("Con --firma indicare con --pin-da FILE o --pin-da fd:N dove leggere "
                                        "il PIN o la password: sulla riga di comando li vedrebbe chiunque.")};
    if (o.pinSource.startsWith(QLatin1String("fd:"))) {
        bool number = false;
        const int fd = o.pinSource.mid(3).toInt(&number);
        if (!number || fd < 0 || ::fcntl(fd, F_GETFD) < 0)
            throw UsageError{QStringLiteral("--pin-da %1: il descrittore non è aperto.").arg(o.pinSource)};
    }
}

void checkListOptions(const Options& o, const QStringList& positional) {
    if (!o.json.isNull() || !o.report.isEmpty())
        throw UsageError{QStringLiteral("--elenco non si usa con --json o --report.")};
    if (!positional.isEmpty())
        throw UsageError{QStringLiteral("Con --elenco non si indica una pratica (argomento in più: «%1»).")
                             .arg(positional.constFirst())};
    if (o.folder.isEmpty() || !QFileInfo(o.folder).isDir())
        throw UsageError{QStringLiteral("«%1» non è una cartella: --elenco vuole la cartella delle pratiche.")
                             .arg(QDir::toNativeSeparators(o.folder))};
    if (!o.csv.isNull()) {
        if (o.csv.isEmpty()) throw UsageError{QStringLiteral("--csv vuole il nome del file.")};
        if (const QString problem = csvTargetProblem(o.csv); !problem.isEmpty()) throw UsageError{problem};
    }
    // The list's PDF replaces neither a practice, nor a folder, a device or a file of other content.
    if (!o.pdf.isEmpty()) {
        if (QFileInfo(o.pdf).suffix().compare(QLatin1String("qdr"), Qt::CaseInsensitive) == 0)
            throw UsageError{QStringLiteral("«%1» è il nome di una pratica: l'elenco non la sostituisce.")
                                 .arg(QDir::toNativeSeparators(o.pdf))};
        if (const QString problem = report::pdfTargetProblem(o.pdf); !problem.isEmpty())
            throw UsageError{problem};
    }
}

// Everything the arguments can get wrong, found before any file is read or written.
void checkOptions(const Options& o, const QStringList& positional) {
    if (!o.folder.isNull()) return checkListOptions(o, positional);
    if (!o.csv.isNull()) throw UsageError{QStringLiteral("--csv si usa con --elenco. Vedere --help.")};
    if (positional.size() > (o.json.isNull() ? 1 : 0))
        throw UsageError{QStringLiteral("Indicare una sola pratica (argomento in più: «%1»).")
                             .arg(positional.value(o.json.isNull() ? 1 : 0))};
    if (!o.json.isNull() && !o.report.isEmpty())
        throw UsageError{QStringLiteral("--json e --report non si usano insieme.")};
    if (o.practice.isEmpty() || (o.json.isNull() && o.pdf.isEmpty()))
        throw UsageError{QStringLiteral(
            "Indicare la pratica (e con --report il file o la cartella --pdf). Vedere --help.")};
    if (o.json.isNull() && o.report.isEmpty())
        throw UsageError{QStringLiteral("Con --pdf indicare il documento (--report). Vedere --help.")};
    if (!o.report.isEmpty() && o.report != QLatin1String("all") && !reportNames().contains(o.report))
        throw UsageError{QStringLiteral("Documento «%1» sconosciuto. I documenti sono: %2, oppure all.")
                             .arg(o.report, reportNames().join(QStringLiteral(", ")))};
    if (!o.wasteDate.isNull() && !QDate::fromString(o.wasteDate, QStringLiteral("dd/MM/yyyy")).isValid())
        throw UsageError{QStringLiteral("--rifiuti-dal vuole una data vera nella forma GG/MM/AAAA, non «%1».")
                             .arg(o.wasteDate)};
    checkFieldCount(QStringLiteral("occupazione"), o.occupation, int(kOccupationFields.size()));
    for (int p = 0; p < 3; ++p)
        checkFieldCount(QStringLiteral("ici%1").arg(p + 1), o.ici[p], int(kIciItems.size()));

    checkSignOptions(o);
    if (o.report == QLatin1String("all")) {
        const QFileInfo folder(o.pdf);
        if (folder.exists() && !folder.isDir())
            throw UsageError{
                QStringLiteral("«%1» non è una cartella: con --report all --pdf indica la cartella "
                               "dei documenti.")
                    .arg(QDir::toNativeSeparators(o.pdf))};
        for (const QString& name : reportNames())
            checkPdfTarget(outPath(o.pdf, name, true), o.practice, signFormat(o), !o.signer.isNull());
    } else if (!o.report.isEmpty()) {
        checkPdfTarget(o.pdf, o.practice, signFormat(o), !o.signer.isNull());
    }
}

// The toolkit's own diagnostics (a runtime folder it would like, a font it misses) are not
// the user's doing and have no place among the program's messages.
void quietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The bytes of the --pdf name as given, made absolute, when the decoded name would not spell
// them again (a name from an old Windows disk); empty otherwise.
QByteArray nativePdfName(int argc, char** argv, const QString& decoded) {
    QByteArray raw;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--pdf" && i + 1 < argc)
            raw = argv[i + 1];
        else if (a.startsWith("--pdf="))
            raw = a.mid(6);
    }
    if (raw.isEmpty() || QFile::encodeName(QFile::decodeName(raw)) == raw) return {};
    if (!raw.startsWith('/')) raw = QFile::encodeName(QDir::currentPath()) + '/' + raw;
    // An existing file by those bytes is replaced only when it is a PDF.
    struct stat info {};
    if (::lstat(raw.constData(), &info) == 0) {
        const int fd =
            S_ISREG(info.st_mode) ? ::open(raw.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
        char head[5] = {};
        const bool pdf = fd >= 0 && ::read(fd, head, 5) == 5 && QByteArray(head, 5) == "%PDF-";
        if (fd >= 0) ::close(fd);
        if (!pdf)
            throw UsageError{QStringLiteral("«%1» esiste e non è un file PDF: il PDF non lo sostituisce.")
                                 .arg(QDir::toNativeSeparators(decoded))};
    }
    return raw;
}

// The parser's own messages are English: each of its errors said in Italian.
QString parserError(const QCommandLineParser& parser) {
    QStringList unknown;
    for (const QString& name : parser.unknownOptionNames())
        unknown << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    if (unknown.size() == 1)
        return QStringLiteral("Opzione sconosciuta «%1». Vedere --help.").arg(unknown.constFirst());
    if (!unknown.isEmpty())
        return QStringLiteral("Opzioni sconosciute: «%1». Vedere --help.")
            .arg(unknown.join(QStringLiteral("», «")));
    const QString text = parser.errorText();
    const qsizetype from = text.indexOf(QLatin1Char('\''));
    const qsizetype to = text.lastIndexOf(QLatin1Char('\''));
    const QString option = from >= 0 && to > from ? text.mid(from + 1, to - from - 1) : QString();
    if (text.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("Manca il valore dopo «%1». Vedere --help.").arg(option);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("«%1» non vuole un valore. Vedere --help.").arg(option);
    return QStringLiteral("Argomenti non validi. Vedere --help.");
}

// Words in the description column of --help, wrapped to its width.
QString helpColumn(const QString& text) {
    const QString indent(30, QLatin1Char(' '));
    QString out;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > 62) {
            out += indent + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + indent + line + QLatin1Char('\n');
}

} // namespace

QString usageText() {
    const QString text = QStringLiteral(
        "Uso: quadrelo [opzioni] [PRATICA.qdr]\n"
        "\n"
        "Senza opzioni apre la finestra del programma (con la pratica indicata, se c'è).\n"
        "\n"
        "Cartella di lavoro (tabelle, dati del tecnico, guida): quella indicata con --cartella;\n"
        "altrimenti la cartella corrente, se contiene taba.dat; altrimenti ~/Quadrelo2004.\n"
        "I file che vi mancano sono copiati da quelli installati, senza sostituire quelli esistenti.\n"
        "I nomi di file indicati qui sotto sono relativi alla cartella da cui si dà il comando.\n"
        "\n"
        "  --cartella CARTELLA         usa CARTELLA come cartella di lavoro\n"
        "  --no-splash                 non mostra la finestra iniziale\n"
        "  --version                   scrive la versione del programma\n"
        "  --json PRATICA.qdr          scrive la pratica come JSON sullo standard output\n"
        "  --report NOME --pdf FILE PRATICA.qdr\n"
        "                              scrive il documento NOME in PDF/A dopo gli stessi controlli\n"
        "%1"
        "  --report all --pdf CARTELLA PRATICA.qdr\n"
        "                              scrive ogni documento i cui controlli sono superati, uno per file;\n"
        "                              i documenti saltati, con il motivo, sullo standard error (stato 2\n"
        "                              se ne manca anche uno solo)\n"
        "  --elenco CARTELLA [--csv FILE] [--pdf FILE]\n"
        "                              elenca le pratiche (*.qdr) della cartella: file, richiedente,\n"
        "                              codice fiscale, comune e indirizzo dei lavori, tipologia,\n"
        "                              oblazione dovuta, versata e residua, anticipazione dovuta e\n"
        "                              versata, ultimazione, ultima modifica; una tabella sullo standard\n"
        "                              output o, con --csv, un file CSV per il foglio di calcolo\n"
        "                              (\";\", virgola decimale, UTF-8), con --pdf un PDF/A in A4\n"
        "                              orizzontale con le stesse colonne; stato 2 se un file è illeggibile\n"
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
        "Firma digitale dei documenti scritti con --report (una sola richiesta del PIN per tutti):\n"
        "  --firma pkcs11:MODULO       firma con la carta o il token del modulo PKCS#11 MODULO (il primo\n"
        "                              certificato di firma valido che vi si trova)\n"
        "  --firma p12:FILE            firma con il certificato del file FILE (.p12 o .pfx)\n"
        "  --formato pades|cades       pades (predefinito): la firma dentro il PDF, che resta .pdf;\n"
        "                              cades: la busta NOME.pdf.p7m con il PDF al suo interno\n"
        "  --pin-da FILE|fd:N          legge il PIN della carta o la password del file dalla prima riga\n"
        "                              di FILE o dal descrittore N già aperto (mai dagli argomenti)\n"
        "  --firma-visibile            con pades, scrive anche \"Firmato digitalmente da\" e il titolare\n"
        "                              nello spazio libero dell'ultima pagina\n"
        "\n"
        "Stato d'uscita: 0 riuscito, 1 errore d'uso o di file, 2 pratica danneggiata o controllo non "
        "superato.\n");
    return text.arg(helpColumn(QStringLiteral("del menu \"Stampe\"; NOME è uno tra ") +
                               reportNames().join(QStringLiteral(", "))));
}

std::optional<int> runWithoutWindow(int& argc, char** argv) {
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--json" || a == "--report" || a == "--help" || a == "-h" || a == "--version" ||
            a == "--elenco" || a == "--csv")
            headless = true;
    }
    if (!headless) return std::nullopt;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietToolkit);

    QGuiApplication app(argc, argv); // fonts for the documents
    QCoreApplication::setApplicationName(QStringLiteral("Quadrelo 2004"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUADRELO_VERSION));
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
    parser.addOption({QStringLiteral("cartella"), QString(), QStringLiteral("cartella")});
    parser.addOption({QStringLiteral("version"), QString()});
    parser.addOption({QStringLiteral("elenco"), QString(), QStringLiteral("cartella")});
    parser.addOption({QStringLiteral("csv"), QString(), QStringLiteral("file")});
    parser.addOption({QStringLiteral("firma"), QString(), QStringLiteral("chiave")});
    parser.addOption({QStringLiteral("formato"), QString(), QStringLiteral("formato")});
    parser.addOption({QStringLiteral("pin-da"), QString(), QStringLiteral("origine")});
    parser.addOption({QStringLiteral("firma-visibile"), QString()});
    if (!parser.parse(app.arguments())) {
        printErr(parserError(parser));
        return 1;
    }
    // Beyond a size limit a write fails with its reason instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const bool help = parser.isSet(QStringLiteral("help"));
    if (help || parser.isSet(QStringLiteral("version"))) {
        if (!help && !parser.positionalArguments().isEmpty()) {
            printErr(QStringLiteral("--version non vuole altri argomenti (argomento in più: «%1»).")
                         .arg(parser.positionalArguments().constFirst()));
            return 1;
        }
        try {
            writeOut(help ? usageText()
                          : QStringLiteral("Quadrelo 2004 %1\n").arg(QStringLiteral(QUADRELO_VERSION)));
            finishOut();
        } catch (const Error& e) {
            printErr(e.message());
            return 1;
        }
        return 0;
    }

    Options o;
    auto valueOrNull = [&parser](const QString& name) {
        return parser.isSet(name) ? parser.value(name) : QString();
    };
    o.json = valueOrNull(QStringLiteral("json"));
    o.practice = !o.json.isNull() ? o.json : parser.positionalArguments().value(0);
    o.report = parser.value(QStringLiteral("report"));
    o.pdf = parser.value(QStringLiteral("pdf"));
    o.wasteDate = valueOrNull(QStringLiteral("rifiuti-dal"));
    o.occupation = valueOrNull(QStringLiteral("occupazione"));
    for (int p = 0; p < 3; ++p)
        o.ici[p] = valueOrNull(QStringLiteral("ici%1").arg(p + 1));
    o.court = parser.value(QStringLiteral("tribunale"));
    o.section = parser.value(QStringLiteral("sezione"));
    o.folder = valueOrNull(QStringLiteral("elenco"));
    o.csv = valueOrNull(QStringLiteral("csv"));
    o.signer = valueOrNull(QStringLiteral("firma"));
    o.format = valueOrNull(QStringLiteral("formato"));
    o.pinSource = valueOrNull(QStringLiteral("pin-da"));
    o.visible = parser.isSet(QStringLiteral("firma-visibile"));
    try {
        checkOptions(o, parser.positionalArguments());
        // Names on the command line belong to the folder the command was given in.
        o.practice = QDir::current().absoluteFilePath(o.practice);
        if (!o.pdf.isEmpty()) o.pdf = QDir::current().absoluteFilePath(o.pdf);
        if (o.report != QLatin1String("all")) o.pdfNative = nativePdfName(argc, argv, o.pdf);
        if (!o.folder.isEmpty()) o.folder = QDir::current().absoluteFilePath(o.folder);
        if (!o.csv.isEmpty()) o.csv = QDir::current().absoluteFilePath(o.csv);
        if (o.signer.startsWith(QLatin1String("p12:")))
            o.signer = QStringLiteral("p12:") + QDir::current().absoluteFilePath(o.signer.mid(4));
        const QString folderProblem =
            enterWorkFolder(chooseWorkFolder(parser.value(QStringLiteral("cartella"))));
        if (!folderProblem.isEmpty()) printErr(folderProblem);
        const int status = run(o);
        finishOut();
        return status;
    } catch (const UsageError& e) {
        printErr(e.message);
        return 1;
    } catch (const DamagedFileError& e) {
        printErr(e.message());
        return 2;
    } catch (const Error& e) {
        printErr(e.message());
        return 1;
    } catch (const std::bad_alloc&) {
        printErr(QStringLiteral("Memoria insufficiente per completare l'operazione."));
        return 1;
    }
}

} // namespace quadrelo
