// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Building and showing the main window (no splash), offscreen: median of 30 runs.
#include "app/application_setup.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
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
