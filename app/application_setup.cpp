// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "application_setup.h"

#include "ui/common/error_box.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <fontconfig/fontconfig.h>
#include <thread>

namespace quadrelo {

namespace {

// Start-up work on a thread of its own, joined when its result is needed or at the latest
// when the program ends.
struct StartupWork {
    std::thread thread;
    void start(void (*work)()) {
        if (!thread.joinable()) thread = std::thread(work);
    }
    void wait() {
        if (thread.joinable()) thread.join();
    }
    ~StartupWork() { wait(); }
};

StartupWork& fontConfigurationReader() {
    static StartupWork reader;
    return reader;
}

} // namespace

void startReadingFontConfiguration() {
    // Parsing the configuration's XML is most of the cost of the first text on screen.
    fontConfigurationReader().start([] { FcInit(); });
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    guarded(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void setupApplication(QApplication& app) {
    // No display name: the platform would append it to every caption ("Attenzione!" included).
    QApplication::setApplicationName(QStringLiteral("Quadrelo 2004"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    // File, print and preview dialogs speak Italian like the rest of the program.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;

    applyInterfaceFont(app);
}

void applyInterfaceFont(QApplication&) {
    // Two threads initialising the configuration at once would each parse it.
    fontConfigurationReader().wait();
    const QString family = QStringLiteral("Liberation Sans");
    if (QFontDatabase::families().contains(family)) QApplication::setFont(QFont(family, 9));
}

} // namespace quadrelo
