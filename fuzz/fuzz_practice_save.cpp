// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: the write side. A practice that opens is saved through the program's
// file writer and opened again: the practice must come back the same, every figure to the
// last bit, and saving it again must give the same bytes.
#include "calc/practice_form.h"
#include "practice_file/practice_file.h"
#include "practice_file/practice_json.h"
#include "record/text_file.h"
#include "record/variable_names.h"

#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

// Tables with rates that are no round numbers, so that a figure read otherwise shows.
void setTables(quadrelo::PracticeForm& form) {
    for (int i = 0; i < 18; ++i) {
        form.tableA[i] = 1.37 * (i + 1);
        form.tableB[i] = 4.19 * (i + 1);
    }
    double rate = 13.33;
#define QUADRELO_SET_RATE(name) form.name = (rate += 1.01);
    QUADRELO_TABLE_C(QUADRELO_SET_RATE)
    QUADRELO_TABLE_D(QUADRELO_SET_RATE)
#undef QUADRELO_SET_RATE
}

bool sameFigures(quadrelo::PracticeForm& a, quadrelo::PracticeForm& b) {
    for (const QString& name : quadrelo::PracticeForm::figureNames()) {
        const double x = *a.figure(name);
        const double y = *b.figure(name);
        if (std::memcmp(&x, &y, sizeof x) != 0 && !(x == y)) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("pratica.qdr"));
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    quadrelo::PracticeForm first;
    setTables(first);
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
    setTables(second);
    quadrelo::openPractice(second, path); // anything it throws is a finding
    if (state(second) != state(first)) std::abort();
    if (!sameFigures(second, first)) std::abort();
    if (quadrelo::practiceFileBytes(second) != saved) std::abort();
    return 0;
}
