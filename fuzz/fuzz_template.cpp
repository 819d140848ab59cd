// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: the template reader on arbitrary text, a shared block included by any name
// being the same text again.
#include "documents/engine/report_template.h"
#include "record/errors.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    int depth = 0;
    const quadrelo::report::BlockSource blocks = [&text, &depth](const QString&) {
        return ++depth < 4 ? text : QString(); // a block that includes itself ends
    };
    try {
        (void)quadrelo::report::parseTemplate(text, QStringLiteral("fuzz"), blocks);
    } catch (const quadrelo::Error&) {
    }
    return 0;
}
