// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "screen_fit.h"

#include "message_windows.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

namespace quadrelo {

FittingScrollArea::FittingScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The area itself is no stop of Tab: only the fields inside it are.
    setFocusPolicy(Qt::NoFocus);
    setWidget(content);
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && widget() && widget()->isAncestorOf(now)) ensureWidgetVisible(now);
    });
}

QSize FittingScrollArea::sizeHint() const {
    const int frame = 2 * frameWidth();
    return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
}

QSize FittingScrollArea::minimumSizeHint() const {
    // Room for a line of fields and both scroll bars; the rest scrolls.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize content = widget() ? widget()->minimumSizeHint() : QSize();
    return QSize(std::min(content.width(), 8 * bar), std::min(content.height(), 4 * bar)) + QSize(bar, bar);
}

void keepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    // Before the window manager has framed the window its frame is unknown: allow for one.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull()) {
        const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        frame = QMargins(4, std::max(title, 24) + 4, 4, 4);
    }
    const QSize most = room.size().shrunkBy(frame);
    QSize size = window->size();
    if (size.width() > most.width() || size.height() > most.height()) {
        window->setMinimumSize(window->minimumSize().boundedTo(most));
        size = size.boundedTo(most);
        window->resize(size);
    }
    QRect outer(window->pos(), size.grownBy(frame));
    if (outer.right() > room.right()) outer.moveRight(room.right());
    if (outer.bottom() > room.bottom()) outer.moveBottom(room.bottom());
    if (outer.left() < room.left()) outer.moveLeft(room.left());
    if (outer.top() < room.top()) outer.moveTop(room.top());
    if (outer.topLeft() != window->pos()) window->move(outer.topLeft());
}

void showAtNaturalSize(QWidget* dialog, QWidget* owner) {
    const QSize natural = dialog->sizeHint();
    dialog->setMaximumSize(natural);
    dialog->resize(natural);
    centreOnOwner(dialog, owner);
    keepOnScreen(dialog);
}

} // namespace quadrelo
