// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The floor the documents are measured against: a minimal Qt program that writes thirteen
// one-page PDF/A-1b files, A4 at 1200 dpi, with the three faces the documents use, through
// QPainter on QPdfWriter as the program does. Usage: bench_documents_floor FOLDER
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) return 1;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const char* faces[] = {"Liberation Sans", "Liberation Serif", "Liberation Mono"};
    for (int n = 0; n < 13; ++n) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
            writer.setTitle(QStringLiteral("Documento %1").arg(n + 1));
            writer.setCreator(QStringLiteral("floor"));
            writer.setResolution(1200);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(0, 0, 0, 0), QPageLayout::Point));
            QPainter painter(&writer);
            double y = 1200;
            for (const char* face : faces) {
                QFont font{QString::fromLatin1(face)};
                font.setPointSizeF(12);
                font.setHintingPreference(QFont::PreferNoHinting);
                painter.setFont(font);
                painter.drawText(QPointF(1000, y), QStringLiteral("Dichiarazione sostitutiva dell'atto di "
                                                                  "notorietà |_|_|_| 0123456789"));
                y += 600;
            }
            painter.drawRect(QRectF(1000, y, 7800, 1200));
        }
        QFile file(folder + QStringLiteral("/floor-%1.pdf").arg(n + 1));
        if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size()) return 1;
    }
    return 0;
}
