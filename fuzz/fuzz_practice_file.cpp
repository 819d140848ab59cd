// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: the practice file reader, then applying what it accepted.
#include "calc/practice_form.h"
#include "practice_file/practice_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const quadrelo::PracticeFileContents contents = quadrelo::parsePracticeFile(bytes);
        quadrelo::PracticeForm form;
        quadrelo::applyPracticeFile(form, contents);
        quadrelo::recomputeOpenedPractice(form);
        (void)quadrelo::practiceFileBytes(form);
    } catch (const quadrelo::Error&) {
    }
    return 0;
}
