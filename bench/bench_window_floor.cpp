// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The floor the program's start is measured against: a minimal Qt program that shows an empty
// QMainWindow (or, with --un-menu, one with a word in its menu bar), says "mostrata" once it is
// on screen and ends. It links Qt alone, so it pays none of the program's own loading.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    // Drawing any text first loads the fonts the system has, which the empty window never does.
    if (argc > 1 && std::strcmp(argv[1], "--un-menu") == 0)
        window.menuBar()->addMenu(QStringLiteral("&File"));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    std::puts("mostrata");
    std::fflush(stdout);
    std::_Exit(0);
}
