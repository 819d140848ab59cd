// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// What the window tests share: a window shown and active, so that focus and key events behave.

#include "app/application_setup.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"
#include "ui/main/page_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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

// Every named control of the pages and every tab as the user sees it: kind, whether it is
// enabled, its text or state, one line each, in name order.
inline QStringList controlStates(MainWindow& window) {
    QStringList states;
    PageControl* pages = window.pageControl();
    for (int i = 0; i < pages->count(); ++i)
        states << QStringLiteral("linguetta %1: %2").arg(i).arg(pages->tabBar()->tabMnemonic(i));
    for (const QWidget* w : pages->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty()) continue;
        QString value;
        if (auto* e = qobject_cast<const QLineEdit*>(w))
            value = e->text();
        else if (auto* l = qobject_cast<const QLabel*>(w))
            value = l->text();
        else if (auto* b = qobject_cast<const QAbstractButton*>(w))
            value = b->text() + (b->isChecked() ? "+" : "-");
        else if (auto* c = qobject_cast<const QComboBox*>(w))
            value = c->currentText();
        else if (auto* m = qobject_cast<const QPlainTextEdit*>(w))
            value = m->toPlainText();
        else if (auto* g = qobject_cast<const QGroupBox*>(w))
            value = g->title();
        states << QStringLiteral("%1 %2 %3 %4")
                      .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()),
                           w->isEnabled() ? QStringLiteral("attivo") : QStringLiteral("spento"), value);
    }
    states.sort();
    return states;
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
