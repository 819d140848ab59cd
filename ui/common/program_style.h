// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QProxyStyle>

#include <memory>
#include <optional>
#include <thread>

namespace quadrelo {

// The style the application already has, with Fusion's pictures read as the PNG images they are:
// the extension arrows of the menu bar and the tool bars, and the group-box frame. Another style
// is left as it is.
// Asked by file name, the toolkit first loads every image plugin (SVG, JPEG ...) to ask each
// whether it reads them: 3 ms of every start, for three small pictures. They look the same, and
// are read on a thread of their own: even by format the first image read looks through the
// plugins.
// Fusion's translucent lines around the main tool bar and the pages are filled, not stroked: a
// stroked line reaches the toolkit's fill routines a pixel at a time, and past 96 pixels the
// toolkit splits the fill over its thread pool and waits for it, some 100 µs each time in a
// virtual machine, 19 times in the first frame. The pixels are the same.
class ProgramStyle : public QProxyStyle {
public:
    // Takes over `base` (QApplication::style(), typically).
    explicit ProgramStyle(QStyle* base);
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // Fusion's pictures, read on a thread of their own from the style's creation; null when the
    // toolkit has no such image, and the style answers as before.
    struct Pictures {
        QList<QImage> horizontalArrow, verticalArrow; // each size, or none
        QImage groupBox;
        std::optional<QColor> groupBoxCentre; // the frame's inside, when it is one colour
    };
    class PictureReader {
    public:
        PictureReader();
        const Pictures& pictures(); // waits for the reader; the window's thread only

    private:
        void read();
        Pictures pictures_;   // the reader's until it is joined
        std::jthread thread_; // last: joined before the pictures go
    };

private:
    bool fusion_;
    std::shared_ptr<PictureReader> reader_; // shared with the arrows handed out
    mutable std::optional<QIcon> horizontalArrow_, verticalArrow_;
    mutable std::optional<QPixmap> groupBoxFrame_;
};

} // namespace quadrelo
