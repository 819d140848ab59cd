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

constexpr int kRuns = 15;
constexpr int kKeys = 100;

// Milliseconds for 100 characters typed into Edit1 of the practice in `path`, median of runs.
double typingMedian(const QString& path) {
    quadrelo::MainWindow window(false);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return -1;
    QApplication::setActiveWindow(&window);
    window.openPracticeFile(path);
    window.showPage(quadrelo::PageRichiedente);
    auto* edit = window.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    if (!edit) return -1;
    QTest::mouseClick(edit, Qt::LeftButton);
    QApplication::processEvents();
    QWidget* focused = QApplication::focusWidget();
    if (!focused) return -1;
    const QString text = QStringLiteral("ROSSI MARIO ").repeated(9).left(kKeys);
    std::vector<double> ms;
    for (int i = 0; i < kRuns + 1; ++i) {
        edit->selectAll();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClicks(focused, text);
        if (i > 0) ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
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

    const double small = typingMedian(example);
    const double large = typingMedian(withMemos);
    if (small < 0 || large < 0) return 1;
    std::printf("100 caratteri in Edit1, pratica di esempio: mediana %.1f ms (%d prove)\n", small, kRuns);
    std::printf("100 caratteri in Edit1, con due memo da 1 MB: mediana %.1f ms (%d prove)\n", large, kRuns);
    std::printf("rapporto: %.2f\n", large / small);
    return 0;
}
