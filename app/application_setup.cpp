// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "application_setup.h"

#include "ui/common/error_box.h"
#include "ui/common/program_style.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <system_error>
#include <thread>

namespace quadrelo {

void prepareStartMemory() {
    // A fresh page costs a fault on its first write, some ten microseconds in a virtual machine:
    // the first frame alone (about 2 MB) would take some 450 of them on the window's thread.
    // Large blocks come from the heap instead of a mapping of their own, as the allocator's own
    // rule would have them once one such block is freed, and a thread fills in the heap's pages
    // in one call while the window is built.
    constexpr std::size_t kStartMemory = std::size_t(4) << 20;
    // An allocator that is not the C library's own (a sanitizer's) refuses, and nothing is done.
    if (mallopt(M_MMAP_THRESHOLD, 8 << 20) != 1) return;
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
    void* block = std::malloc(kStartMemory);
    if (!block) return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const std::size_t length =
        (kStartMemory - (begin - reinterpret_cast<std::uintptr_t>(block))) & ~(page - 1);
    std::free(block); // the heap keeps it, below the trim threshold
#ifdef MADV_POPULATE_WRITE
    // Filling in leaves the contents as they are, so the allocator may hand the pages out
    // meanwhile; a kernel without it refuses, and the pages fault in as before.
    try {
        std::thread([begin, length] {
            madvise(reinterpret_cast<void*>(begin), length, MADV_POPULATE_WRITE);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the pages fault in as they are first written.
    }
#else
    (void)length;
#endif
}

Application::~Application() {
    // A start that ends before its window: the font thread may still be filling in the
    // toolkit's database, which goes with this object.
    waitForInterfaceFont();
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

} // namespace quadrelo
