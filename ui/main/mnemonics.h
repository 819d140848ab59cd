// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QHash>
#include <QString>

class QMenuBar;
class QWidget;

namespace quadrelo {

class PageControl;

// Alt+letter for every tab and for the caption of every field on the pages: a caption's letter
// gives its field the focus. Letters are unique within what the keyboard reaches at once (the
// menus, the tabs, the page in front); a caption left without a free letter has none.
// `controls` are the window's bound controls by designer name.
void giveMnemonics(PageControl* pages, const QMenuBar* menus, const QHash<QString, QWidget*>& controls);

} // namespace quadrelo
