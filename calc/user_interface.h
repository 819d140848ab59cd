// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>

namespace quadrelo {

// What the practice needs from whoever shows it: the main window in the program, a
// recorder in the tests, nothing at all on the command line.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Warning with a beep (Form12); returns when the user has read it.
    virtual void Attenzione(const QString& message) = 0;
    // Yes/no question (Form13); true exactly when the answer is "NO".
    virtual bool Uscita(const QString& question) = 0;
    // Brings a tab page of the main window to the front.
    virtual void showPage(int page) = 0;
    // Moves the keyboard focus to a control of the main window.
    virtual void focusControl(const QString& control) = 0;
    virtual void beep() = 0;
    // The standard error box: a conversion or file error that ended an action.
    virtual void reportError(const QString& message) { Attenzione(message); }
};

// For headless use: warnings are dropped, questions get "SI".
class SilentInterface : public UserInterface {
public:
    void Attenzione(const QString&) override {}
    bool Uscita(const QString&) override { return false; }
    void showPage(int) override {}
    void focusControl(const QString&) override {}
    void beep() override {}
};

} // namespace quadrelo
