// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// What the window tests share: a window shown and active, so that focus and key events behave.

#include "app/application_setup.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace quadrelo::testing {

// Shows the window and makes it the active one. False when it never became visible.
inline bool showActive(QWidget* window) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) return false;
    // Focus needs the active window; a bare X server without window manager may not give it.
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window, 2000))
        qWarning("finestra non attiva: i controlli del fuoco falliranno");
    return true;
}

// The start of a window test: a work folder holding the shipped tables, made current; the
// interface font; message windows answered by the test.
inline bool prepareWindowTests(const QTemporaryDir& workDir) {
    if (!workDir.isValid() || !copyShippedData(workDir.path())) return false;
    QDir::setCurrent(workDir.path());
    applyInterfaceFont(*qApp);
    MessageWindows::setTestMode(true);
    return true;
}

// A new main window, shown and active, with no message left over from its start.
inline std::unique_ptr<MainWindow> openMainWindow() {
    MessageWindows::setNextAnswers({});
    auto window = std::make_unique<MainWindow>(false);
    if (!showActive(window.get())) return nullptr;
    MessageWindows::clearShown();
    return window;
}

// Starts over in a window an earlier data row has used, as the user would: open popups closed,
// "Nuova" without saving what the row typed, the window active again. False when the row
// closed the window.
inline bool startOver(MainWindow& window) {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (!window.isVisible()) return false;
    MessageWindows::setNextAnswers({});
    MessageWindows::setNextChoices({1}); // "Non salvare"
    window.Nuova->trigger();
    MessageWindows::setNextChoices({});
    MessageWindows::clearShown();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window, 2000))
        qWarning("finestra non attiva: i controlli del fuoco falliranno");
    return true;
}

// One main window for all the rows of a test function: the first row opens it, every further
// row starts over in it (a window a row closed is opened again).
inline bool windowForThisRow(std::unique_ptr<MainWindow>& window, QByteArray& openedFor) {
    const QByteArray function(QTest::currentTestFunction());
    if (window && openedFor == function && startOver(*window)) return true;
    window.reset();
    window = openMainWindow();
    openedFor = function;
    return window != nullptr;
}

} // namespace quadrelo::testing
