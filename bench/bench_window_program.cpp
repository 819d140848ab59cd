// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The program's side of the start measured by bench_main_window: the window shown as the
// program's main() shows it, then "mostrata" and the end. A program of its own, linking what the
// program links: the benchmark itself carries the test library, which the program never loads.
#include "app/application_setup.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    quadrelo::prepareStartMemory();
    quadrelo::startReadingFontConfiguration();
    QApplication app(argc, argv);
    quadrelo::setupApplication(app);
    quadrelo::MessageWindows::setTestMode(true);
    quadrelo::MainWindow window(false, quadrelo::MainWindow::HiddenPages::AfterFirstPaint);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    std::puts("mostrata");
    std::fflush(stdout);
    std::_Exit(0);
}
