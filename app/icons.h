#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace quadrelo {

// Tool-bar icons, painted at 24 x 24 and 48 x 48. Ids: "nuova", "apri", "salva", "istanza",
// "antimafia", "statolavori", "perizia", "statica", "sismica", "tecnica", "ici", "rifiuti",
// "occupazione", "guida". An unknown id gives a null icon.
QIcon toolIcon(const QString& id);

// Every id toolIcon knows, in tool-bar order.
QStringList toolIconIds();

// The program's window icon.
QIcon appIcon();

} // namespace quadrelo
