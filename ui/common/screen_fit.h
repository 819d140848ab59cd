// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QScrollArea>

namespace quadrelo {

// A scroll area that asks for all the room its content wants, so that a window holding it
// keeps its natural size where the screen allows and scrolls where it does not. The field
// that takes the focus, by Tab, Enter or a mnemonic, is scrolled into view.
class FittingScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* content, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

// Keeps a window within the available area of its screen: no larger than the room there
// (frame included), and moved inside it. Call it when the window is shown.
void keepOnScreen(QWidget* window);

// A dialog at its natural size (never larger), centred on its owner, within the screen.
void showAtNaturalSize(QWidget* dialog, QWidget* owner);

} // namespace quadrelo
