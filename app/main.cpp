#include "application_setup.h"
#include "command_line.h"
#include "main_window.h"

#include <QStringList>
#include <QTimer>
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Past a file-size limit a write must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help and the documents without a window need no display: they run before the window's
    // application object exists.
    if (const std::optional<int> status = quadrelo::runWithoutWindow(argc, argv)) return *status;

    quadrelo::Application app(argc, argv);
    // What is left once the toolkit took its own options (-platform, -style ...).
    bool showSplash = true;
    QString practice;
    const QStringList arguments = QApplication::arguments().mid(1);
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

    quadrelo::setupApplication(app);
    quadrelo::TForm1 window(showSplash);
    window.show();
    // Practices left unsaved by a program that did not end normally come first.
    QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });
    if (!practice.isEmpty())
        QTimer::singleShot(0, &window, [&window, practice] { window.openPracticeFile(practice); });
    return app.exec();
}
