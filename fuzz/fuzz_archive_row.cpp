// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: a practice file read as an archive row, then written as CSV and as a table.
#include "archive/practice_archive.h"
#include "calc/practice_form.h"

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A file in memory: the row reader opens it by name as it opens any practice.
    static const int fd = ::memfd_create("pratica.qdr", 0);
    static const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    static const quadrelo::PracticeForm prototype = quadrelo::archivePrototype(quadrelo::PracticeForm());
    if (fd < 0 || ::ftruncate(fd, 0) != 0) return 0;
    if (size && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    const quadrelo::ArchiveRow row = quadrelo::readArchiveRow(path, prototype);
    (void)quadrelo::archiveCsv({row});
    (void)quadrelo::archiveTextTable({row});
    return 0;
}
