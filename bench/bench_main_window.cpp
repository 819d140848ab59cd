// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Building and showing the main window (no splash), offscreen (or on the platform set), median
// of 30 runs; then the start of a process to its window shown (bench_window_program), against a
// minimal Qt program showing an empty QMainWindow (bench_window_floor) in the same run,
// interleaved, and the ratio.
#include "app/application_setup.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Milliseconds from starting `program` with `arguments` to its window shown.
double startToShown(const QString& program, const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    if (!child.waitForReadyRead(30000)) return -1;
    const double ms = timer.nsecsElapsed() / 1e6;
    child.waitForFinished(30000);
    return ms;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The shipped tables in the work folder, for this process and the ones it starts.
    QTemporaryDir work;
    quadrelo::testing::copyShippedData(work.path());
    QDir::setCurrent(work.path());
    quadrelo::setupApplication(app);
    // A missing parameter file must not stop the runs on an error box.
    quadrelo::MessageWindows::setTestMode(true);

    constexpr int runs = 30;
    std::vector<double> ms;
    for (int i = 0; i < runs + 1; ++i) {
        QElapsedTimer timer;
        timer.start();
        {
            quadrelo::MainWindow window(false);
            window.show();
            if (!QTest::qWaitForWindowExposed(&window)) return 1;
            QApplication::processEvents();
            if (i > 0) ms.push_back(timer.nsecsElapsed() / 1e6);
        }
        QApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("MainWindow, costruzione e visualizzazione: mediana %.1f ms (min %.1f, max %.1f, %d prove)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), runs);

    // From the start of a process to its window on screen: the program's window against an
    // empty QMainWindow and one with a word in its menu bar, each in a process of its own,
    // interleaved.
    {
        std::vector<double> program, floor, text;
        const QDir here(QCoreApplication::applicationDirPath());
        const QString floorProgram = here.filePath(QStringLiteral("bench_window_floor"));
        const QString windowProgram = here.filePath(QStringLiteral("bench_window_program"));
        for (int i = 0; i < 21; ++i) {
            const double a = startToShown(floorProgram, {});
            const double b = startToShown(windowProgram, {});
            const double c = startToShown(floorProgram, {QStringLiteral("--un-menu")});
            if (a < 0 || b < 0 || c < 0) return 1;
            if (i == 0) continue; // the first round loads the libraries into the cache
            floor.push_back(a);
            program.push_back(b);
            text.push_back(c);
        }
        for (auto* v : {&program, &floor, &text})
            std::sort(v->begin(), v->end());
        const double p = program[program.size() / 2], f = floor[floor.size() / 2], t = text[text.size() / 2];
        std::printf("dall'avvio alla finestra mostrata: programma %.1f ms, QMainWindow vuota %.1f ms, "
                    "QMainWindow con un menu %.1f ms; rapporto %.2f× la vuota (obiettivo 1,5×), %.2f× "
                    "quella con un menu (mediane di %zu prove alternate)\n",
                    p, f, t, p / f, p / t, program.size());
    }

    // One key typed into a long technical report: the window compares the practice with the
    // one last saved after every key, so this must stay well below what a typist notices.
    {
        quadrelo::MainWindow window(false);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        auto* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("Memo2"));
        if (!memo) return 1;
        memo->setPlainText(
            QStringLiteral("Relazione tecnica descrittiva delle opere abusive.\n").repeated(400));
        memo->moveCursor(QTextCursor::End);
        std::vector<double> keys;
        for (int i = 0; i < runs + 1; ++i) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(memo, Qt::Key_A);
            if (i > 0) keys.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(keys.begin(), keys.end());
        std::printf("un tasto in una relazione di %lld caratteri: mediana %.2f ms (max %.2f, %d prove)\n",
                    static_cast<long long>(memo->toPlainText().size()), keys[keys.size() / 2], keys.back(),
                    runs);
    }
    return 0;
}
