// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QStringList>
#include <optional>

namespace quadrelo {

// The program without a window: "--json PRATICA.qdr", "--report NOME|all --pdf USCITA PRATICA.qdr",
// "--elenco CARTELLA [--csv FILE]" and "--help". Returns the exit status, or nothing when the
// window should start.
// Must run before any application object exists: it makes its own.
std::optional<int> runWithoutWindow(int& argc, char** argv);

// The Italian usage text of --help.
QString usageText();

} // namespace quadrelo
