// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// What the window tests share: a window shown and active, so that focus and key events behave.

#include <QApplication>
#include <QWidget>
#include <QtTest>

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

} // namespace quadrelo::testing
