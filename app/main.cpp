// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "application_setup.h"
#include "cli/command_line.h"
#include "cli/work_folder.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// Whether a window can be shown at all: a platform chosen by the user, or a display.
bool displayAvailable(int argc, char* argv[]) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    // Past a file-size limit a write must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help and the documents without a window need no display: they run before the window's
    // application object exists.
    if (const std::optional<int> status = quadrelo::runWithoutWindow(argc, argv)) return *status;
    // Without a display the toolkit would abort with its own English message.
    if (!displayAvailable(argc, argv)) {
        std::fprintf(stderr,
                     "Nessun display disponibile: la finestra del programma non si può aprire.\n"
                     "Senza display si usano le opzioni a riga di comando:\n\n%s",
                     qPrintable(quadrelo::usageText()));
        return 1;
    }

    quadrelo::prepareStartMemory();
    quadrelo::startReadingFontConfiguration();
    quadrelo::Application app(argc, argv);
    // What is left once the toolkit took its own options (-platform, -style ...).
    bool showSplash = true;
    QString practice;
    QStringList arguments = QApplication::arguments().mid(1);
    const QString folderOption = quadrelo::takeFolderOption(arguments);
    for (const QString& option : arguments) {
        if (option == QLatin1String("--no-splash")) {
            showSplash = false;
            continue;
        }
        if (!option.startsWith(QLatin1Char('-')) && practice.isEmpty()) {
            practice = option; // a practice to open, as "Apri" does, once the window is up
            continue;
        }
        std::fprintf(stderr, "Opzione non riconosciuta: %s\n\n%s", qPrintable(option),
                     qPrintable(quadrelo::usageText()));
        return 1;
    }

    if (!practice.isEmpty()) practice = QDir::current().absoluteFilePath(practice);
    quadrelo::setupApplication(app);
    // Before the window: its start-up reads the tables from the work folder.
    const QString folderProblem = quadrelo::enterWorkFolder(quadrelo::chooseWorkFolder(folderOption));
    quadrelo::MainWindow window(showSplash, quadrelo::MainWindow::HiddenPages::AfterFirstPaint);
    window.show();
    if (!folderProblem.isEmpty())
        QTimer::singleShot(0, &window, [&window, folderProblem] { window.Attenzione(folderProblem); });
    // Practices left unsaved by a program that did not end normally come first.
    QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });
    if (!practice.isEmpty())
        QTimer::singleShot(0, &window, [&window, practice] { window.openPracticeFile(practice); });
    return app.exec();
}
