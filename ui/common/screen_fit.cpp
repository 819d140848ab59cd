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

namespace {

// The window manager's frame round a window; before it has framed the window, an allowance.
QMargins frameOf(const QWidget* window) {
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                   outer.bottom() - inner.bottom());
    if (frame.isNull()) {
        const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        frame = QMargins(4, std::max(title, 24) + 4, 4, 4);
    }
    return frame;
}

QRect roomFor(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

void keepOnScreen(QWidget* window) {
    const QRect room = roomFor(window);
    if (!room.isValid()) return;
    const QMargins frame = frameOf(window);
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
    QSize natural = dialog->sizeHint();
    // Where one side must scroll, its scroll bar takes room from the other: room it gets back.
    const QSize most = roomFor(dialog).size().shrunkBy(frameOf(dialog));
    const int bar = dialog->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, dialog);
    const QSize wanted = natural;
    if (wanted.width() > most.width()) natural.rheight() += bar;
    if (wanted.height() > most.height()) natural.rwidth() += bar;
    dialog->setMaximumSize(natural);
    dialog->resize(natural);
    centreOnOwner(dialog, owner);
    keepOnScreen(dialog);
}

} // namespace quadrelo
