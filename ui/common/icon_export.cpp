// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Build tool: writes the program's icon and the practice-file icon as SVG and as PNG sizes,
// from the same drawings the window uses.
#include "icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSvgGenerator>
#include <cstdio>

namespace {

bool writeIcon(const QString& folder, const QString& name, void (*paint)(QPainter&)) {
    QSvgGenerator svg;
    svg.setFileName(QDir(folder).filePath(name + QStringLiteral(".svg")));
    svg.setSize(QSize(48, 48));
    svg.setViewBox(QRectF(0, 0, 48, 48));
    svg.setTitle(QStringLiteral("Quadrelo 2004"));
    {
        QPainter p(&svg);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 48.0, size / 48.0);
            paint(p);
        }
        if (!image.save(QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name).arg(size)))) return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: quadrelo_icons CARTELLA\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    if (!writeIcon(folder, QStringLiteral("quadrelo"), quadrelo::paintAppIcon) ||
        !writeIcon(folder, QStringLiteral("application-x-quadrelo-pratica"), quadrelo::paintPracticeIcon))
        return 1;
    return 0;
}
