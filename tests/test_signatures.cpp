// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Signed documents, checked by verifiers we did not write: pdfsig for the signature inside the
// PDF, openssl cms for the envelope. The keys come from a .p12 file and from a SoftHSM2 token.
#include "calc/practice_form.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "practice_file/practice_file.h"
#include "record/text_file.h"
#include "sign/cades.h"
#include "sign/pkcs11_token.h"
#include "sign/signed_files.h"
#include "sign/stamp_place.h"
#include "signing_support.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QRegularExpression>
#include <QtTest>

using namespace quadrelo;
using namespace quadrelo::testing;

namespace {

// The example practice's technical report, laid out.
report::Document exampleDocument() {
    QTemporaryDir dir;
    copyShippedData(dir.path());
    QFile::remove(dir.filePath("tec.dat"));
    QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/tec.dat"), dir.filePath("tec.dat"));
    RecordingInterface ui;
    PracticeForm form(&ui);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Inizializzazione(form);
    QDir::setCurrent(previous);
    openPractice(form, QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
    report::ReportProject project;
    return *project.layout(QStringLiteral("tecnica"), columnNames(), RvCustomConnection1GetRow(form), {},
                           sheetHeading(form));
}

// The last page of a PDF in grey at 72 dpi: one pixel a point.
QImage lastPage(const QString& pdf, int pages, const QString& folder) {
    const QString out = QDir(folder).filePath("pagina");
    runTool("pdftoppm", {"-gray", "-r", "72", "-f", QString::number(pages), "-l", QString::number(pages),
                         "-singlefile", pdf, out});
    return QImage(out + ".pgm");
}

int darkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

QString openssl() {
    return QStringLiteral("openssl");
}

} // namespace

Q_DECLARE_METATYPE(quadrelo::sign::Format)
Q_DECLARE_METATYPE(quadrelo::sign::Countersign)

class SignaturesTest : public QObject {
    Q_OBJECT
    TestAuthority ca;
    std::optional<SoftToken> token;
    report::Document document;
    QByteArray pdf;
    QTemporaryDir out;

    // The key a row names: "p12:NAME" or "token".
    std::unique_ptr<sign::SigningKey> key(const QString& source, std::optional<sign::Pkcs11Module>& module) {
        if (source.startsWith("p12:"))
            return sign::openPkcs12(ca.bytes(source.mid(4) + ".p12"), kP12Password);
        module.emplace(kSoftHsmModule);
        return module->login(module->certificates().value(0), kTokenPin);
    }

private slots:
    void initTestCase() {
        const QString now = QDateTime::currentDateTimeUtc().addDays(-1).toString("yyyyMMddHHmmss'Z'");
        const QString later = QDateTime::currentDateTimeUtc().addYears(2).toString("yyyyMMddHHmmss'Z'");
        ca.issue("rossi", "/C=IT/serialNumber=TINIT-RSSMRA70A01H501U/GN=MARIO/SN=ROSSI/CN=ROSSI MARIO", now,
                 later);
        ca.issue("bianchi", "/C=IT/serialNumber=TINIT-BNCLCU75C41F205X/CN=BIANCHI LUCIA", now, later);
        ca.issue("scaduto", "/C=IT/CN=VERDI GIUSEPPE", "20200101000000Z", "20230101000000Z");
        ca.issue("cifra", "/C=IT/CN=NERI ANNA", now, later, "cifra");
        QVERIFY2(ca.failure.isEmpty(), qPrintable(ca.failure));
        token.emplace(ca, "rossi");
        QVERIFY2(token->failure.isEmpty(), qPrintable(token->failure));
        document = exampleDocument();
        pdf = report::pdfBytes(document);
        QVERIFY(pdf.startsWith("%PDF-1.4"));
    }

    void tokenListsTheHoldersCertificate() {
        sign::Pkcs11Module module(kSoftHsmModule);
        const QList<sign::TokenCertificate> found = module.certificates();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].token, QStringLiteral("Firma Quadrelo"));
        QCOMPARE(found[0].info.holder, QStringLiteral("ROSSI MARIO"));
        QCOMPARE(found[0].info.taxCode, QStringLiteral("RSSMRA70A01H501U"));
        QCOMPARE(found[0].info.issuer, QStringLiteral("Ente certificatore di prova"));
        QCOMPARE(sign::certificateProblem(found[0].info), QString());
    }

    void signedFilesPassIndependentVerifiers_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<sign::Format>("format");
        QTest::newRow("p12 PAdES") << "p12:rossi" << sign::Format::Pades;
        QTest::newRow("p12 CAdES") << "p12:rossi" << sign::Format::Cades;
        QTest::newRow("token PAdES") << "token" << sign::Format::Pades;
        QTest::newRow("token CAdES") << "token" << sign::Format::Cades;
    }

    void signedFilesPassIndependentVerifiers() {
        QFETCH(QString, source);
        QFETCH(sign::Format, format);
        std::optional<sign::Pkcs11Module> module;
        const QString path = out.filePath(QString(QTest::currentDataTag()).replace(' ', '-') + ".pdf");
        sign::writeSignedPdf(path, pdf, *key(source, module), format);
        const QString written = sign::signedPath(path, format);
        const QByteArray bytes = fileBytes(written);

        if (format == sign::Format::Cades) {
            QVERIFY(written.endsWith(".pdf.p7m"));
            const QString content = out.filePath("contenuto.pdf");
            const ToolRun verify =
                runTool(openssl(), {"cms", "-verify", "-binary", "-inform", "DER", "-in", written, "-CAfile",
                                    ca.path("ca.pem"), "-out", content});
            QVERIFY2(verify.status == 0, verify.err.constData());
            QCOMPARE(fileBytes(content), pdf);
            const ToolRun print =
                runTool(openssl(), {"cms", "-cmsout", "-print", "-inform", "DER", "-in", written});
            QVERIFY(print.out.contains("id-smime-aa-signingCertificateV2"));
            QVERIFY(print.out.contains("signingTime"));
            return;
        }
        // Every byte of the unsigned file stays; the PDF/A marks with it.
        QVERIFY(bytes.size() > pdf.size());
        QCOMPARE(bytes.left(pdf.size()), pdf);
        QVERIFY(QString::fromLatin1(bytes).contains(QRegularExpression("pdfaid:part(=\"1\"|>1<)")));
        QVERIFY(QString::fromLatin1(bytes).contains(QRegularExpression("pdfaid:conformance(=\"B\"|>B<)")));
        const ToolRun info = runTool("pdfinfo", {written});
        QVERIFY2(info.status == 0 && info.err.isEmpty(), info.err.constData());
        QVERIFY(info.out.contains("Pages:"));

        const ToolRun sig = runTool("pdfsig", {written});
        QVERIFY2(sig.out.contains("Signature Validation: Signature is Valid."), sig.out.constData());
        QVERIFY2(sig.out.contains("Total document signed"), sig.out.constData());
        QVERIFY(sig.out.contains("Signer Certificate Common Name: ROSSI MARIO"));
        QVERIFY(sig.out.contains("Signature Type: ETSI.CAdES.detached"));

        // A second signer on the signed PDF: both signatures hold, the second over the whole file.
        const QString twice = written + ".due.pdf";
        QFile::copy(written, twice);
        sign::signExistingFile(twice, *sign::openPkcs12(ca.bytes("bianchi.p12"), kP12Password),
                               sign::Format::Pades);
        const ToolRun both = runTool("pdfsig", {twice});
        QCOMPARE(both.out.count("Signature is Valid."), 2);
        QVERIFY2(both.out.contains("Signature Field Name: Firma 2"), both.out.constData());
        QCOMPARE(fileBytes(twice).left(bytes.size()), bytes);

        // One byte of the document changed after signing: the signature no longer holds.
        QByteArray changed = bytes;
        const qsizetype at = changed.indexOf("/Title");
        changed[at + 1] = 'X';
        QFile f(written);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(changed);
        f.close();
        const ToolRun tampered = runTool("pdfsig", {written});
        QVERIFY2(!tampered.out.contains("Signature is Valid."), tampered.out.constData());
    }

    // A second signer on an envelope: beside the first in the same envelope, or around it in a new
    // one; openssl verifies every signature and finds the PDF inside.
    void envelopeSignedAgain_data() {
        QTest::addColumn<sign::Countersign>("how");
        QTest::addColumn<QString>("written");
        QTest::newRow("same envelope") << sign::Countersign::SameFile << "controfirma.pdf.p7m";
        QTest::newRow("new envelope") << sign::Countersign::Nested << "controfirma.pdf.p7m.p7m";
    }

    void envelopeSignedAgain() {
        QFETCH(sign::Countersign, how);
        QFETCH(QString, written);
        const QString pdfPath = out.filePath("controfirma.pdf");
        QFile::remove(pdfPath + ".p7m");
        QFile::remove(pdfPath + ".p7m.p7m");
        sign::writeSignedPdf(pdfPath, pdf, *sign::openPkcs12(ca.bytes("rossi.p12"), kP12Password),
                             sign::Format::Cades);
        const QByteArray first = fileBytes(pdfPath + ".p7m");
        QCOMPARE(sign::signExistingFile(pdfPath + ".p7m",
                                        *sign::openPkcs12(ca.bytes("bianchi.p12"), kP12Password),
                                        sign::Format::Cades, how),
                 out.filePath(written));
        const QString signers = out.filePath("firmatari.pem");
        const QString content = out.filePath("contenuto");
        const ToolRun verify =
            runTool(openssl(), {"cms", "-verify", "-binary", "-inform", "DER", "-in", out.filePath(written),
                                "-CAfile", ca.path("ca.pem"), "-signer", signers, "-out", content});
        QVERIFY2(verify.status == 0, verify.err.constData());
        const QByteArray pem = fileBytes(signers);
        QVERIFY(pem.contains(ca.bytes("bianchi.pem").trimmed())); // the second signer, always
        if (how == sign::Countersign::SameFile) {
            QCOMPARE(pem.count("BEGIN CERTIFICATE"), 2);
            QCOMPARE(fileBytes(content), pdf);
        } else {
            QCOMPARE(pem.count("BEGIN CERTIFICATE"), 1);
            QCOMPARE(fileBytes(content), first);
            QCOMPARE(sign::envelopeContent(fileBytes(content)), pdf);
        }
    }

    // The visible signature goes where the page was blank and shows there; the PDF stays valid.
    void visibleSignatureInTheFreePlace() {
        const std::optional<sign::Stamp> stamp = sign::stampPlace(document);
        QVERIFY(stamp);
        QCOMPARE(stamp->page, int(document.pages.size() - 1));
        const QString path = out.filePath("visibile.pdf");
        const QString plain = out.filePath("semplice.pdf");
        writeBytes(plain, pdf);
        sign::writeSignedPdf(path, pdf, *sign::openPkcs12(ca.bytes("rossi.p12"), kP12Password),
                             sign::Format::Pades, stamp);
        const QRect area = stamp->rect.toAlignedRect().adjusted(2, 2, -2, -2);
        const QImage before = lastPage(plain, int(document.pages.size()), out.path());
        const QImage after = lastPage(path, int(document.pages.size()), out.path());
        QVERIFY(!before.isNull() && !after.isNull());
        QCOMPARE(darkPixels(before, area), 0);
        QVERIFY(darkPixels(after, area) > 200);
        const ToolRun sig = runTool("pdfsig", {path});
        QVERIFY2(sig.out.contains("Signature is Valid.") && sig.out.contains("Total document signed"),
                 sig.out.constData());
        const ToolRun info = runTool("pdfinfo", {path});
        QVERIFY2(info.status == 0 && info.err.isEmpty(), info.err.constData());
    }

    // A signature that cannot be made leaves the file that was there as it was.
    void refusedSignatureLeavesTheFile_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("secret");
        QTest::addColumn<QString>("message");
        QTest::newRow("expired") << "p12:scaduto" << kP12Password
                                 << "Il certificato di VERDI GIUSEPPE è scaduto il 01/01/2023";
        QTest::newRow("no signing usage")
            << "p12:cifra" << kP12Password << "Il certificato di NERI ANNA non è un certificato di firma";
        QTest::newRow("wrong password") << "p12:rossi" << QByteArray("parola sbagliata")
                                        << "La password del file del certificato è errata.";
        QTest::newRow("wrong PIN") << kSoftHsmModule << QByteArray("111111") << "PIN errato.";
        QTest::newRow("missing module")
            << "/usr/lib/pkcs11/carta-assente.so" << kTokenPin
            << "Il modulo della carta «/usr/lib/pkcs11/carta-assente.so» non esiste.";
    }

    void refusedSignatureLeavesTheFile() {
        QFETCH(QString, source);
        QFETCH(QByteArray, secret);
        QFETCH(QString, message);
        const QString path = out.filePath("precedente.pdf");
        QFile::remove(path);
        QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"), path);
        const QByteArray before = fileBytes(path);
        QString said;
        try {
            std::optional<sign::Pkcs11Module> module;
            std::unique_ptr<sign::SigningKey> k;
            if (source.startsWith("p12:")) {
                k = sign::openPkcs12(ca.bytes(source.mid(4) + ".p12"), secret);
            } else {
                module.emplace(source);
                k = module->login(module->certificates().value(0), secret);
            }
            sign::writeSignedPdf(path, pdf, *k, sign::Format::Pades);
        } catch (const sign::SignError& e) {
            said = e.message();
        }
        QVERIFY2(said.startsWith(message), qPrintable(said));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(out.path()).entryList({"*.tmp", ".*"}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(SignaturesTest)
#include "test_signatures.moc"
