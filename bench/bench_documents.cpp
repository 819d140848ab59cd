// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Writing all thirteen documents of the example practice to PDF, as "--report all" does.
// Prints the median of repeated runs in this process, then the program's "--report all" against
// the floor (bench_documents_floor: thirteen one-page PDF/A files from a bare Qt program), the
// two run in turn so that both see the same load; CPU time of each whole process.
#include "calc/practice_form.h"
#include "child_process.h"
#include "documents/document_checks.h"
#include "documents/engine/report_output.h"
#include "documents/engine/report_project.h"
#include "documents/report_data.h"
#include "example_practice.h"
#include "practice_file/practice_file.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace quadrelo;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    testing::copyExampleData(dir.path());
    QDir::setCurrent(dir.path());

    PracticeForm form;
    openExampleForDocuments(form);
    QStringList reports; // every document, as "--report all" writes them
    for (const DocumentCommand& c : documentCommands())
        if (!c.report.isEmpty()) reports << c.report;

    report::ReportProject project;
    const int runs = 15;
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        for (const QString& name : reports) {
            const auto doc = project.layout(name, columnNames(), RvCustomConnection1GetRow(form));
            report::writePdf(*doc, dir.filePath(name + QStringLiteral(".pdf")));
        }
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    std::printf("tredici documenti in PDF/A: mediana %.1f ms su %d prove (minimo %.1f ms)\n",
                times.at(runs / 2), runs, times.first());

    const QString binaries = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    const QString program = binaries + QStringLiteral("/app/quadrelo");
    const QString floor = binaries + QStringLiteral("/bench/bench_documents_floor");
    QDir(dir.path()).mkdir(QStringLiteral("floor"));
    QDir(dir.path()).mkdir(QStringLiteral("all"));
    const QStringList programArguments{QStringLiteral("--cartella"),
                                       dir.path(),
                                       QStringLiteral("--tribunale"),
                                       QStringLiteral("RIMINI"),
                                       QStringLiteral("--report"),
                                       QStringLiteral("all"),
                                       QStringLiteral("--pdf"),
                                       dir.filePath(QStringLiteral("all")),
                                       QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr")};
    QList<double> programTimes, floorTimes, ratios;
    for (int i = 0; i < runs; ++i) {
        const ChildCost f = runChild(floor, {dir.filePath(QStringLiteral("floor"))});
        const ChildCost p = runChild(program, programArguments);
        if (!f.ok || !p.ok) {
            std::printf("%s o %s non riuscito\n", qPrintable(floor), qPrintable(program));
            return 1;
        }
        floorTimes << f.cpuSeconds;
        programTimes << p.cpuSeconds;
        ratios << p.cpuSeconds / f.cpuSeconds;
    }
    for (QList<double>* list : {&programTimes, &floorTimes, &ratios})
        std::sort(list->begin(), list->end());
    std::printf("--report all: mediana %.3f s CPU, pavimento %.3f s CPU, rapporto %.2f "
                "(mediana dei rapporti a coppie %.2f, %d coppie alternate)\n",
                programTimes.at(runs / 2), floorTimes.at(runs / 2),
                programTimes.at(runs / 2) / floorTimes.at(runs / 2), ratios.at(runs / 2), runs);
    return 0;
}
