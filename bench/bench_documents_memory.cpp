// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Peak memory of the program writing the "tecnica" of a practice with long memos to PDF, at
// about 700 and about 3,000 pages, against the same document of the example practice (one
// page). Each document is written by its own process, whose largest resident set is read.
// The practice's memos are input the program must hold: the peak less their text is what must
// not grow with the pages.
#include "calc/practice_form.h"
#include "child_process.h"
#include "practice_file/practice_file.h"
#include "startup/startup.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace quadrelo;

namespace {

// Numbered words, a line break every 23 of them, as a long description is typed.
QString longText(const QString& word, qsizetype length) {
    QString text;
    text.reserve(length + 32);
    for (int i = 0; text.size() < length; ++i)
        text += word + QString::number(i) + ((i % 23 == 22) ? QStringLiteral("\r\n") : QStringLiteral(" "));
    return text.trimmed();
}

// Read a piece at a time: this process stays small (see main).
int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    int pages = 0;
    QByteArray bytes;
    while (!file.atEnd()) {
        // The piece before is kept from where a mark may have begun in it.
        bytes = bytes.right(11) + file.read(1024 * 1024);
        for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0 && at + 11 < bytes.size();
             at = bytes.indexOf("/Type /Page", at + 1))
            if (bytes.at(at + 11) != 's') ++pages;
    }
    return pages;
}

// The example practice with two memos of `memoLength` characters each, saved at `path`.
void writePractice(qsizetype memoLength, const QString& path) {
    PracticeForm form;
    Inizializzazione(form);
    openPractice(form, QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
    if (memoLength > 0) {
        form.Memo1.text = longText(QStringLiteral("descrizione"), memoLength);
        form.Memo2.text = longText(QStringLiteral("relazione"), memoLength);
    }
    savePracticeAs(form, path);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Run again to write a practice: a child's peak as the system reports it includes this
    // process's own (it is started from this one's memory), so this one never holds a long memo.
    if (argc == 4 && qstrcmp(argv[1], "--pratica") == 0) {
        writePractice(QByteArray(argv[2]).toLongLong(), QString::fromLocal8Bit(argv[3]));
        return 0;
    }
    QTemporaryDir dir;
    testing::copyExampleData(dir.path());
    QDir::setCurrent(dir.path());
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../app/quadrelo");

    struct Case {
        const char* name;
        qsizetype memoLength; // characters of each of the two memos
    };
    const Case cases[] = {{"esempio", 0}, {"700", 1250000}, {"3000", 5600000}};
    double base = 0, at700 = 0, own700 = 0;
    int pages700 = 0;
    for (const Case& c : cases) {
        const QString practice = dir.filePath(QStringLiteral("%1.qdr").arg(QLatin1String(c.name)));
        if (!runChild(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--pratica"), QString::number(c.memoLength), practice})
                 .ok) {
            std::printf("pratica %s non scritta\n", c.name);
            return 1;
        }
        const QString pdf = dir.filePath(QStringLiteral("%1.pdf").arg(QLatin1String(c.name)));
        QList<double> peaks;
        const int runs = c.memoLength > 2000000 ? 3 : 5;
        for (int i = 0; i < runs; ++i) {
            const ChildCost cost =
                runChild(program, {QStringLiteral("--cartella"), dir.path(), QStringLiteral("--report"),
                                   QStringLiteral("tecnica"), QStringLiteral("--pdf"), pdf, practice});
            if (!cost.ok) {
                std::printf("%s non riuscito\n", qPrintable(program));
                return 1;
            }
            peaks << cost.peakMiB;
        }
        std::sort(peaks.begin(), peaks.end());
        const double peak = peaks.at(runs / 2);
        const int pages = pdfPages(pdf);
        const double memoMiB = 2.0 * 2.0 * double(c.memoLength) / (1024.0 * 1024.0); // two memos, UTF-16
        std::printf("tecnica %-8s %5d pagine: picco %.1f MiB (mediana di %d), testo dei promemoria %.1f MiB",
                    c.name, pages, peak, runs, memoMiB);
        const double own = peak - memoMiB;
        if (c.memoLength > 0) std::printf(", picco meno promemoria %.1f MiB", own);
        if (c.memoLength == 0) base = peak;
        if (pages700 == 0 && c.memoLength > 0) {
            at700 = peak;
            own700 = own;
            pages700 = pages;
        } else if (c.memoLength > 0) {
            std::printf(
                ", %.2f volte il picco a %d pagine (%.2f volte meno promemoria), %.1f KiB per pagina in "
                "più",
                peak / at700, pages700, own / own700,
                (peak - at700) * 1024.0 / std::max(1, pages - pages700));
        }
        if (c.memoLength > 0) std::printf(", %.1f MiB sopra il documento di una pagina", peak - base);
        std::printf("\n");
    }
    return 0;
}
