// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The program of a build without windows: the command-line options only.
#include "cli/command_line.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = quadrelo::runWithoutWindow(argc, argv)) return *status;
    std::fprintf(stderr, "Questa versione di Quadrelo 2004 è senza finestre: usare --json o --report.\n\n%s",
                 qPrintable(quadrelo::usageText()));
    return 1;
}
