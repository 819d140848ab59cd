// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The archive of practices. 10,000 practice files (or the count given second): listed as the
// command line's --elenco lists them (rows and the terminal table), against the floor of only
// reading every file, interleaved, in the same run; then read in a thread for the window, from
// the start to the last row. Prints medians and the ratio to the floor.
// With a folder as first argument the generated practices stay there (for looking at the
// window); a folder that already holds them is used as it is.
#include "archive/archive_reader.h"
#include "archive/practice_archive.h"
#include "archive_practices.h"
#include "calc/page_inputs.h"
#include "calc/practice_form.h"
#include "practice_file/practice_file.h"
#include "record/text_file.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace quadrelo;

namespace {

// The floor: every practice file found, opened and read to its end, nothing made of it.
qint64 readEveryFile(const QString& folder) {
    qint64 bytes = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.qdr")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly)) bytes += file.readAll().size();
    }
    return bytes;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double cpuMsec() {
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

template <class F> double msecOf(F&& run, double* cpu = nullptr) {
    QElapsedTimer timer;
    const double cpuStart = cpuMsec();
    timer.start();
    run();
    if (cpu) *cpu = cpuMsec() - cpuStart;
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    testing::copyShippedData(work.path());
    QDir::setCurrent(work.path());
    PracticeForm form;
    Inizializzazione(form);

    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absolutePath() : temporary.path();
    bench::writePractices(form, folder, count);
    const PracticeForm prototype = archivePrototype(form);

    // Warm: the files in the page cache, the code paths run once.
    readEveryFile(folder);
    archiveTextTable(readArchive({folder}, prototype, false));

    const int runs = 7;
    QList<double> floor, listing, floorCpu, listingCpu;
    qsizetype listed = 0;
    for (int i = 0; i < runs; ++i) {
        double cpu = 0;
        floor << msecOf([&] { readEveryFile(folder); }, &cpu);
        floorCpu << cpu;
        listing << msecOf(
            [&] {
                const QList<ArchiveRow> rows = readArchive({folder}, prototype, false);
                listed = archiveTextTable(rows).size() > 0 ? rows.size() : 0;
            },
            &cpu);
        listingCpu << cpu;
    }
    std::printf(
        "--elenco di %lld pratiche: mediana %.1f ms (CPU %.1f); lettura di ogni file: %.1f ms (CPU %.1f); "
        "rapporto %.1f× (CPU %.1f×, %d prove alternate)\n",
        static_cast<long long>(listed), median(listing), median(listingCpu), median(floor), median(floorCpu),
        median(listing) / median(floor), median(listingCpu) / median(floorCpu), runs);

    QList<double> times;
    listed = 0;
    for (int i = 0; i < runs; ++i) {
        ArchiveReader reader(form);
        QEventLoop loop;
        listed = 0;
        QObject::connect(&reader, &ArchiveReader::rowsRead, &loop,
                         [&listed](const QList<ArchiveRow>& rows) { listed += rows.size(); });
        QObject::connect(&reader, &ArchiveReader::finished, &loop, &QEventLoop::quit);
        times << msecOf([&] {
            reader.start({folder});
            loop.exec();
        });
    }
    std::printf("archivio in un thread: %lld pratiche elencate, mediana %.1f ms su %d prove\n",
                static_cast<long long>(listed), median(times), runs);
    return 0;
}
