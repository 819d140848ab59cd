// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "ui/common/interface_font.h"

#include <QApplication>

namespace quadrelo {

// The program's application object. It is the last edge of every user action: whatever a
// handler lets through (memory running out included) ends that action in the standard error
// box, never the program with the practice on screen.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

// Readies the memory the window's start writes to: its first frame and its widgets. Called
// first thing, before the window's application object exists.
void prepareStartMemory();

// Names, Italian locale and standard dialogs, interface font: what every start of the window
// layer shares (the program and the window tests alike).
void setupApplication(QApplication& app);

} // namespace quadrelo
