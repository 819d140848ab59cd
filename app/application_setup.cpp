// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "application_setup.h"

#include "ui/common/error_box.h"
#include "ui/common/program_style.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <fontconfig/fontconfig.h>
#include <thread>

namespace quadrelo {

namespace {

// Joined before the first font, or at the latest when the program ends.
std::jthread& fontConfigurationReader() {
    static std::jthread reader;
    return reader;
}

} // namespace

void startReadingFontConfiguration() {
    // Parsing the configuration's XML is most of the cost of the first text on screen.
    if (std::jthread& reader = fontConfigurationReader(); !reader.joinable())
        reader = std::jthread([] { FcInit(); });
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

    QApplication::setStyle(new ProgramStyle(QApplication::style()));
    applyInterfaceFont(app);
}

void applyInterfaceFont(QApplication&) {
    // Two threads initialising the configuration at once would each parse it.
    if (std::jthread& reader = fontConfigurationReader(); reader.joinable()) reader.join();
    const QString family = QStringLiteral("Liberation Sans");
    if (QFontDatabase::families().contains(family)) QApplication::setFont(QFont(family, 9));
}

} // namespace quadrelo
