// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: the write side. A practice that opens is saved through the program's
// file writer and opened again: the practice must come back the same, and saving it again
// must give the same bytes.
#include "practice_file/practice_file.h"
#include "practice_file/practice_json.h"
#include "record/practice_form.h"
#include "record/text_file.h"

#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// One trailing empty line of each memo is dropped by the reader, as files in circulation
// expect; what a file can hold is the memo without it.
void dropTrailingLineBreaks(quadrelo::MemoState& memo) {
    while (memo.text.endsWith(QLatin1String("\r\n")))
        memo.text.chop(2);
}

QJsonObject state(quadrelo::PracticeForm& form) {
    QJsonObject o = quadrelo::practiceJson(form);
    o.remove(QStringLiteral("file"));
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("pratica.qdr"));
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    quadrelo::PracticeForm first;
    QByteArray saved;
    try {
        quadrelo::applyPracticeFile(first, quadrelo::parsePracticeFile(input));
        quadrelo::recomputeOpenedPractice(first);
        dropTrailingLineBreaks(first.Memo1);
        dropTrailingLineBreaks(first.Memo2);
        saved = quadrelo::practiceFileBytes(first);
    } catch (const quadrelo::Error&) {
        return 0; // does not open, or the save refuses it with its reason
    }

    quadrelo::writeBytes(path, saved);
    if (quadrelo::readFileBytes(path, quadrelo::kPracticeFileLimit) != saved) std::abort();
    quadrelo::PracticeForm second;
    quadrelo::openPractice(second, path); // anything it throws is a finding
    if (state(second) != state(first)) std::abort();
    if (quadrelo::practiceFileBytes(second) != saved) std::abort();
    return 0;
}
