// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QIcon>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace quadrelo {

// Tool-bar icons, painted at 24 x 24 and 48 x 48. Ids: "nuova", "apri", "salva", "istanza",
// "antimafia", "statolavori", "perizia", "statica", "sismica", "tecnica", "ici", "rifiuti",
// "occupazione", "guida". An unknown id gives a null icon.
QIcon toolIcon(const QString& id);

// Starts drawing every tool-bar icon `side` pixels wide on a thread of its own, once per
// program: the first paint then finds them drawn. finishDrawingAhead waits for it, and must
// come before the application object goes.
void drawToolIconsAhead(int side);
void finishDrawingAhead();

// Every id toolIcon knows, in tool-bar order.
QStringList toolIconIds();

// The program's window icon.
QIcon appIcon();

// The drawings of the program's icon and of its practice files, on a 48 x 48 grid: the build
// writes them out as the desktop's icons too.
void paintAppIcon(QPainter& painter);
void paintPracticeIcon(QPainter& painter);

} // namespace quadrelo
