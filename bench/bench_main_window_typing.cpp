// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Typing into the applicant's name with a small practice and with one carrying two long
// memos: a key should cost the same, whatever else the practice holds.
#include "app/application_setup.h"
#include "practice_file/practice_file.h"
#include "record/catalogue.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 31;
constexpr int kKeys = 100;

// A main window with the practice in `path`, the applicant's name clicked into.
struct TypingWindow {
    quadrelo::MainWindow window{false};
    QLineEdit* edit = nullptr;

    bool open(const QString& path) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return false;
        window.openPracticeFile(path);
        window.showPage(quadrelo::PageRichiedente);
        edit = window.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        return edit != nullptr;
    }

    // Milliseconds for 100 characters typed into Edit1 over its whole text.
    double type(const QString& text) {
        QApplication::setActiveWindow(&window);
        QTest::mouseClick(edit, Qt::LeftButton);
        QApplication::processEvents();
        QWidget* focused = QApplication::focusWidget();
        if (focused != edit) return -1;
        edit->selectAll();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClicks(focused, text);
        return timer.nsecsElapsed() / 1e6;
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    quadrelo::setupApplication(app);
    quadrelo::MessageWindows::setTestMode(true);

    const QString example = QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr");
    // The same practice with two memos of 1 MB each, saved as a practice file of its own.
    QTemporaryDir dir;
    const QString withMemos = dir.filePath(QStringLiteral("memorie-lunghe.qdr"));
    {
        quadrelo::PracticeForm form;
        quadrelo::openPractice(form, example);
        const QString line = QStringLiteral("Relazione tecnica descrittiva delle opere abusive.\r\n");
        const QString megabyte = line.repeated(1024 * 1024 / line.size() + 1).left(1024 * 1024);
        form.setMemo(QStringLiteral("Memo1"), megabyte);
        form.setMemo(QStringLiteral("Memo2"), megabyte);
        quadrelo::savePracticeAs(form, withMemos);
    }

    // The two windows take turns, so that a busy machine slows both alike.
    TypingWindow small;
    TypingWindow large;
    if (!small.open(example) || !large.open(withMemos)) return 1;
    const QString text = QStringLiteral("ROSSI MARIO ").repeated(9).left(kKeys);
    std::vector<double> smallMs;
    std::vector<double> largeMs;
    for (int i = 0; i < kRuns + 1; ++i) {
        const double s = small.type(text);
        const double l = large.type(text);
        if (s < 0 || l < 0) return 1;
        if (i == 0) continue;
        smallMs.push_back(s);
        largeMs.push_back(l);
    }
    std::printf("100 caratteri in Edit1, pratica di esempio: mediana %.1f ms (%d prove)\n", median(smallMs),
                kRuns);
    std::printf("100 caratteri in Edit1, con due memo da 1 MB: mediana %.1f ms (%d prove)\n", median(largeMs),
                kRuns);
    std::printf("rapporto: %.2f\n", median(largeMs) / median(smallMs));
    return 0;
}
