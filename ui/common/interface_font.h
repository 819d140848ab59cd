// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

class QApplication;

namespace quadrelo {

// Starts reading the system's font configuration on a thread of its own. Called before the
// application object exists, so that the toolkit's own start (the platform, the display) runs
// meanwhile; once the object exists (applyInterfaceFont), the same thread fills in the toolkit's
// font database while the window builds its menus.
void startReadingFontConfiguration();

// Liberation Sans 9 pt when it is installed: the face the layouts are drawn for. While the thread
// above reads, the face is set at once and whether it is installed is known in
// waitForInterfaceFont.
void applyInterfaceFont(QApplication& app);

// Before the first text is measured: waits for the thread; without the face, the toolkit's own
// font comes back. Nothing to do when no thread was started.
void waitForInterfaceFont();

} // namespace quadrelo
