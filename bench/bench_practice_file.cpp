// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Opening a full practice: reading and checking the file, applying it and recomputing.
// Prints the median of repeated runs.
#include "calc/practice_form.h"
#include "practice_file/practice_file.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace quadrelo;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    testing::copyShippedData(dir.path());
    QDir::setCurrent(dir.path());

    PracticeForm form;
    Inizializzazione(form);
    form.Edit1.text = QStringLiteral("MARIO");
    form.Edit2.text = QStringLiteral("ROSSI");
    form.Memo1.text = QString(2000, QLatin1Char('d'));
    form.Memo2.text = QStringLiteral("Relazione tecnica\r\n").repeated(300);
    form.select(QStringLiteral("RadioButton13"));
    form.setText(QStringLiteral("Edit40"), QStringLiteral("78"));
    form.setText(QStringLiteral("Edit41"), QStringLiteral("36"));
    form.leave(QStringLiteral("Edit41"));
    form.leave(QStringLiteral("Edit61"));
    form.setText(QStringLiteral("Edit33"), QStringLiteral("3"));
    form.setText(QStringLiteral("Edit26"), QStringLiteral("50"));
    form.leave(QStringLiteral("Edit26"));
    form.currentFileName = dir.filePath(QStringLiteral("pratica.qdr"));
    Salvataggio(form);

    const int runs = 300;
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        PracticeForm target;
        Inizializzazione(target);
        QElapsedTimer timer;
        timer.start();
        openPractice(target, form.currentFileName);
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    std::printf("apertura e ricalcolo di una pratica completa: mediana %.3f ms su %d prove\n",
                times.at(runs / 2), runs);
    return 0;
}
