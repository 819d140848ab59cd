#include "application_setup.h"
#include "command_line.h"
#include "main_window.h"
#include "work_folder.h"

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    // --help and the documents without a window need no display: they run before the window's
    // application object exists.
    if (const std::optional<int> status = quadrelo::runWithoutWindow(argc, argv)) return *status;

    QApplication app(argc, argv);
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
    quadrelo::TForm1 window(showSplash);
    window.show();
    if (!folderProblem.isEmpty())
        QTimer::singleShot(0, &window, [&window, folderProblem] { window.Attenzione(folderProblem); });
    if (!practice.isEmpty())
        QTimer::singleShot(0, &window, [&window, practice] { window.openPracticeFile(practice); });
    return app.exec();
}
