// Building and showing the main window (no splash), offscreen: median of 30 runs.
#include "application_setup.h"
#include "main_window.h"
#include "message_windows.h"

#include <QApplication>
#include <QElapsedTimer>
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
            quadrelo::TForm1 window(false);
            window.show();
            if (!QTest::qWaitForWindowExposed(&window)) return 1;
            QApplication::processEvents();
            if (i > 0) ms.push_back(timer.nsecsElapsed() / 1e6);
        }
        QApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("TForm1, costruzione e visualizzazione: mediana %.1f ms (min %.1f, max %.1f, %d prove)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}
