// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "interface_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <system_error>
#include <thread>

namespace quadrelo {

namespace {

QString family() {
    return QStringLiteral("Liberation Sans");
}

struct FontReader {
    std::mutex mutex;
    std::condition_variable_any applicationReady;
    // Written only by the window's thread, under mutex; set, the face was set ahead and is
    // checked once the reader is joined.
    bool applicationExists = false;
    bool installed = false; // whether the face is there: the reader's until joined
    QFont toolkitFont;      // what the face replaced
    std::jthread thread;    // last: joined (or stopped) before the rest goes
};

FontReader& reader() {
    static FontReader r;
    return r;
}

} // namespace

void startReadingFontConfiguration() {
    FontReader& r = reader();
    if (r.thread.joinable()) return;
    try {
        r.thread = std::jthread([&r](std::stop_token stop) {
            // Parsing the configuration's XML is most of the cost of the first text on screen.
            FcInit();
            {
                std::unique_lock lock(r.mutex);
                // A program that ends before its window never signals: the end stops the wait.
                if (!r.applicationReady.wait(lock, stop, [&r] { return r.applicationExists; })) return;
            }
            // The toolkit's font database is safe to fill in from any thread once the
            // application object exists.
            r.installed = QFontDatabase::families().contains(family());
        });
    } catch (const std::system_error&) {
        // No thread to spare: the first font reads the configuration itself.
    }
}

void applyInterfaceFont(QApplication&) {
    FontReader& r = reader();
    if (r.thread.joinable() && !r.applicationExists) {
        // Setting a face reads no font: the widgets built meanwhile (menus, tool bar) measure
        // no text before waitForInterfaceFont.
        r.toolkitFont = QApplication::font();
        QApplication::setFont(QFont(family(), 9));
        {
            std::lock_guard lock(r.mutex);
            r.applicationExists = true;
        }
        r.applicationReady.notify_all();
        return;
    }
    waitForInterfaceFont();
    if (QFontDatabase::families().contains(family())) QApplication::setFont(QFont(family(), 9));
}

void waitForInterfaceFont() {
    FontReader& r = reader();
    if (!r.thread.joinable()) return;
    if (!r.applicationExists) r.thread.request_stop(); // no application object to wait for
    r.thread.join();
    if (r.applicationExists && !r.installed) QApplication::setFont(r.toolkitFont);
    // Ready for another start (the tests start several in one process).
    r.installed = r.applicationExists = false;
}

} // namespace quadrelo
