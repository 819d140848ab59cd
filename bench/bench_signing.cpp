// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// What signing with a .p12 adds to "--report all": the thirteen documents of the example written
// as they are, then opened key, signed (PAdES and CAdES) and written. Prints the medians.
#include "calc/practice_form.h"
#include "documents/document_checks.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "example_practice.h"
#include "practice_file/practice_file.h"
#include "record/text_file.h"
#include "sign/signed_files.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quadrelo;

namespace {} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    testing::copyExampleData(dir.path());
    QDir::setCurrent(dir.path());

    // A signer's certificate of its own, as an authority would issue it, in a .p12.
    const QByteArray password = "benchmark";
    for (const QStringList& arguments :
         {QStringList{"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "firma.key", "-out",
                      "firma.pem", "-subj", "/C=IT/CN=ROSSI MARIO", "-days", "30", "-addext",
                      "keyUsage=critical,nonRepudiation"},
          QStringList{"pkcs12", "-export", "-inkey", "firma.key", "-in", "firma.pem", "-out", "firma.p12",
                      "-passout", "pass:" + QString::fromLatin1(password)}}) {
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"), arguments);
        if (!openssl.waitForFinished() || openssl.exitCode() != 0) {
            std::fprintf(stderr, "openssl non ha creato il certificato di prova\n");
            return 1;
        }
    }

    PracticeForm form;
    openExampleForDocuments(form);
    report::ReportProject project;
    QList<std::pair<QString, QByteArray>> pdfs;
    for (const DocumentCommand& c : documentCommands())
        if (!c.report.isEmpty())
            pdfs.append({c.report, report::pdfBytes(*project.layout(c.report, columnNames(),
                                                                    RvCustomConnection1GetRow(form)))});

    auto writePlain = [&] {
        for (const auto& [name, bytes] : pdfs)
            writeBytes(dir.filePath(name + QStringLiteral(".pdf")), bytes);
    };
    // As the command line does: the key opened once, then every document signed and written.
    auto writeSigned = [&](sign::Format format, bool write) {
        const auto key = sign::openPkcs12(readFileBytes(dir.filePath("firma.p12")), password);
        for (const auto& [name, bytes] : pdfs) {
            const QString path = dir.filePath(name + QStringLiteral(".pdf"));
            if (write)
                sign::writeSignedPdf(path, bytes, *key, format);
            else
                sign::signedBytes(bytes, *key, format);
        }
    };
    // Runs in turn, so that the disk's and the machine's moods weigh on each alike.
    const int runs = 21;
    QList<double> plain, pades, cades, inMemory;
    auto time = [](const std::function<void()>& run) {
        QElapsedTimer timer;
        timer.start();
        run();
        return timer.nsecsElapsed() / 1e6;
    };
    for (int i = 0; i < runs; ++i) {
        plain << time(writePlain);
        pades << time([&] { writeSigned(sign::Format::Pades, true); });
        cades << time([&] { writeSigned(sign::Format::Cades, true); });
        inMemory << time([&] { writeSigned(sign::Format::Pades, false); });
    }
    for (QList<double>* l : {&plain, &pades, &cades, &inMemory})
        std::sort(l->begin(), l->end());
    const int m = runs / 2;
    std::printf("%lld documenti scritti senza firma: mediana %.1f ms su %d prove\n", qlonglong(pdfs.size()),
                plain[m], runs);
    std::printf("firmati PAdES con un .p12 e scritti: mediana %.1f ms (%.1f ms in più)\n", pades[m],
                pades[m] - plain[m]);
    std::printf("firmati CAdES con un .p12 e scritti: mediana %.1f ms (%.1f ms in più)\n", cades[m],
                cades[m] - plain[m]);
    std::printf("solo la firma PAdES dei %lld, chiave aperta compresa: mediana %.1f ms\n",
                qlonglong(pdfs.size()), inMemory[m]);
    return 0;
}
