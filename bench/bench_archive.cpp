// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The archive of practices: 1,000 practice files listed, from the start of the reading to the
// last row in the window's thread. Prints the median of repeated runs.
// With a folder as argument the generated practices stay there (for looking at the window).
#include "archive/archive_reader.h"
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
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace quadrelo;

namespace {

const char* const kSurnames[] = {"ROSSI",   "RUSSO",  "FERRARI",  "ESPOSITO", "BIANCHI",  "ROMANO", "COLOMBO",
                                 "RICCI",   "MARINO", "GRECO",    "BRUNO",    "GALLO",    "CONTI",  "DE LUCA",
                                 "MANCINI", "COSTA",  "GIORDANO", "RIZZO",    "LOMBARDI", "MORETTI"};
const char* const kNames[] = {"MARIO",    "GIUSEPPE", "ANNA",   "MARIA", "LUCA",   "FRANCESCA", "PAOLO",
                              "GIOVANNI", "LAURA",    "NICOLÒ", "SARA",  "ANDREA", "ELENA",     "FABIO"};
const char* const kTowns[] = {
    "ROMA",   "MILANO",  "NAPOLI",  "TORINO", "FORLÌ",   "CANTÙ",  "PALERMO",
    "GENOVA", "BOLOGNA", "FIRENZE", "BARI",   "CATANIA", "VERONA", "SANT'AGATA LI BATTIATI"};
const char* const kStreets[] = {"GARIBALDI", "ROMA", "MAZZINI", "CAVOUR", "VERDI", "DANTE", "MARCONI"};

QString text(const char* s) {
    return QString::fromUtf8(s);
}

// A varied practice: applicant, works, typology and surfaces from the number.
void fill(PracticeForm& form, int n) {
    form.Inizializza();
    form.Edit1.text = text(kNames[n % 14]);
    form.Edit2.text = text(kSurnames[(n / 3) % 20]);
    form.Edit5.text = QStringLiteral("%1%2%3A01H501%4")
                          .arg(form.Edit2.text.left(3), form.Edit1.text.left(3))
                          .arg(50 + n % 40)
                          .arg(QChar('A' + n % 26));
    form.Edit9.text = text(kTowns[(n / 7) % 14]);
    form.chooseItem(QStringLiteral("ComboBox1"), n % 10);
    form.Edit10.text = text(kStreets[n % 7]);
    form.Edit11.text = QString::number(1 + n % 120);
    form.select(QStringLiteral("RadioButton%1").arg(12 + n % 4));
    const char* typologies[] = {"RadioButton1", "RadioButton2",  "RadioButton6",
                                "RadioButton7", "RadioButton10", "RadioButton11"};
    const int typology = n % 6;
    form.select(QLatin1String(typologies[typology]));
    if (typology < 3) {
        const QString useful = QStringLiteral("Edit%1").arg(40 + 2 * typology);
        const QString appurtenance = QStringLiteral("Edit%1").arg(41 + 2 * typology);
        form.setText(useful, QString::number(40 + n % 160));
        form.setText(appurtenance, QString::number(n % 50));
        form.leave(appurtenance);
        for (const QString& e : form.enabledEdits(advanceInputs()))
            form.leave(e);
    }
    form.DateTimePicker1.date = QDate(2002, 1, 1).addDays(n % 450);
    form.Memo1.text = QStringLiteral("Ampliamento di un fabbricato esistente n. %1").arg(n);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    testing::copyShippedData(work.path());
    QDir::setCurrent(work.path());
    PracticeForm form;
    Inizializzazione(form);

    const int count = 1000;
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absolutePath() : temporary.path();
    QDir().mkpath(folder);
    for (int n = 0; n < count; ++n) {
        fill(form, n);
        writeBytes(
            QDir(folder).filePath(QStringLiteral("pratica-%1.qdr").arg(n + 1, 4, 10, QLatin1Char('0'))),
            practiceFileBytes(form));
    }

    const int runs = 7;
    QList<double> times;
    qsizetype listed = 0;
    for (int i = 0; i < runs; ++i) {
        ArchiveReader reader(form);
        QEventLoop loop;
        listed = 0;
        QObject::connect(&reader, &ArchiveReader::rowsRead, &loop,
                         [&listed](const QList<ArchiveRow>& rows) { listed += rows.size(); });
        QObject::connect(&reader, &ArchiveReader::finished, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        reader.start({folder});
        loop.exec();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    std::printf("archivio: %lld pratiche elencate (lettura e righe pronte), mediana %.1f ms su %d prove "
                "(min %.1f, max %.1f)\n",
                static_cast<long long>(listed), times.at(runs / 2), runs, times.constFirst(),
                times.constLast());
    return 0;
}
