// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "program_style.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QLinearGradient>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QTabBar>
#include <qdrawutil.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <optional>
#include <system_error>

namespace quadrelo {

namespace {

QImage styleImage(const char* name) {
    QImageReader reader(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1.png").arg(QLatin1String(name)), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The arrow at every size the toolkit draws it; empty if one is missing (another toolkit version).
QList<QImage> arrowImages(std::initializer_list<const char*> names) {
    QList<QImage> images;
    for (const char* name : names) {
        images << styleImage(name);
        if (images.constLast().isNull()) return {};
    }
    return images;
}

// The one colour of the picture inside its border, if it has only one.
std::optional<QColor> uniformCentre(const QImage& image, int border) {
    if (image.width() <= 2 * border || image.height() <= 2 * border) return std::nullopt;
    const QRgb first = image.pixel(border, border);
    for (int y = border; y < image.height() - border; ++y)
        for (int x = border; x < image.width() - border; ++x)
            if (image.pixel(x, y) != first) return std::nullopt;
    return QColor::fromRgba(first);
}

// An extension arrow that takes its pictures from the reader the first time it is drawn or
// measured: the menu bar and each tool bar ask for one when they are built, and it is drawn only
// when the window is too narrow for them.
class ArrowEngine : public QIconEngine {
public:
    ArrowEngine(std::shared_ptr<ProgramStyle::PictureReader> reader, bool vertical, QStyle* base)
        : reader_(std::move(reader)), vertical_(vertical), base_(base) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // Sizes here are device pixels: the icon asking has applied the screen's scale already, and
    // the pictures' icon must not apply it again.
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new ArrowEngine(*this); }

private:
    const QIcon& icon() {
        if (!icon_) {
            const QList<QImage>& images =
                vertical_ ? reader_->pictures().verticalArrow : reader_->pictures().horizontalArrow;
            if (images.isEmpty()) {
                // Asked for only now: the toolkit's own reads its pictures at once.
                icon_ = base_ ? base_->standardIcon(vertical_ ? QStyle::SP_ToolBarVerticalExtensionButton
                                                              : QStyle::SP_ToolBarHorizontalExtensionButton)
                              : QIcon();
            } else {
                icon_.emplace();
                for (const QImage& image : images)
                    icon_->addPixmap(QPixmap::fromImage(image));
            }
        }
        return *icon_;
    }

    std::shared_ptr<ProgramStyle::PictureReader> reader_;
    bool vertical_;
    QPointer<QStyle> base_; // for the toolkit's own arrow, if its pictures are missing
    std::optional<QIcon> icon_;
};

// Whether the painter draws logical pixels onto whole device pixels (no scaled screen): only then
// are a filled row and a stroked line the same pixels.
bool pixelAligned(const QPainter* painter) {
    const QTransform t = painter->deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy());
}

// Fills `rect` with a translucent colour in bands few enough rows high that the toolkit blends
// each band on this thread: it hands 96 rows or more to its thread pool and waits. Scaled, the
// bands' edges would fall between device pixels: one fill.
void fillTranslucent(QPainter* painter, const QRect& rect, const QColor& colour) {
    if (!pixelAligned(painter)) {
        painter->fillRect(rect, colour);
        return;
    }
    constexpr int band = 32;
    for (int y = rect.top(); y <= rect.bottom(); y += band)
        painter->fillRect(QRect(rect.left(), y, rect.width(), qMin(band, rect.bottom() - y + 1)), colour);
}

// The pixels a one-pixel pen gives QPainter::drawRect(rect): rect grown by one to the right and
// below, each pixel once.
void strokeRect(QPainter* painter, const QRect& rect, const QColor& colour) {
    const QRect outer = rect.adjusted(0, 0, 1, 1);
    fillTranslucent(painter, QRect(outer.left(), outer.top(), outer.width(), 1), colour);
    if (outer.height() > 1)
        fillTranslucent(painter, QRect(outer.left(), outer.bottom(), outer.width(), 1), colour);
    if (outer.height() <= 2) return;
    fillTranslucent(painter, QRect(outer.left(), outer.top() + 1, 1, outer.height() - 2), colour);
    if (outer.width() > 1)
        fillTranslucent(painter, QRect(outer.right(), outer.top() + 1, 1, outer.height() - 2), colour);
}

void horizontalLine(QPainter* painter, const QRect& rect, int y, const QColor& colour) {
    fillTranslucent(painter, QRect(rect.left(), y, rect.width(), 1), colour);
}

// Fusion's shades for the lines of tool bars and frames.
const QColor lightShade(255, 255, 255, 90);
const QColor darkShade(0, 0, 0, 60);
const QColor innerContrastLine(255, 255, 255, 30);

// Fusion's outline of frames and fields.
QColor outlineColour(const QPalette& palette) {
    return palette.window().color().darker(140);
}

// Fusion's button colour, and from it its colour for the inside of a page frame.
QColor tabFrameColour(const QPalette& palette) {
    QColor button = palette.button().color();
    const int grey = qGray(button.rgb());
    button = button.lighter(100 + qMax(1, (180 - grey) / 6));
    button.setHsv(button.hue(), int(button.saturation() * 0.75), button.value());
    return button.lighter(104);
}

// Whether the lines of this frame may be filled: Fusion's, on a plain window colour (a textured
// one gets other shades), on whole device pixels.
bool fillsFusionLines(bool fusion, const QStyleOption* option, const QPainter* painter) {
    return fusion && option->palette.window().style() != Qt::TexturePattern && pixelAligned(painter);
}

} // namespace

ProgramStyle::PictureReader::PictureReader() {
    try {
        thread_ = std::jthread([this] { read(); });
    } catch (const std::system_error&) {
        read(); // no thread to spare
    }
}

// The first image read makes the toolkit look through all its image plugins (a millisecond);
// on the reader's thread, the window's thread never waits for it.
void ProgramStyle::PictureReader::read() {
    pictures_.horizontalArrow = arrowImages({"toolbar-ext-h-8", "toolbar-ext-h-16", "toolbar-ext-h-32"});
    pictures_.verticalArrow = arrowImages({"toolbar-ext-v-5", "toolbar-ext-v-10", "toolbar-ext-v-20"});
    pictures_.groupBox = styleImage("fusion_groupbox");
    pictures_.groupBoxCentre = uniformCentre(pictures_.groupBox, 6);
}

const ProgramStyle::Pictures& ProgramStyle::PictureReader::pictures() {
    if (thread_.joinable()) thread_.join();
    return pictures_;
}

ProgramStyle::ProgramStyle(QStyle* base)
    : QProxyStyle(base),
      fusion_(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
    if (fusion_) reader_ = std::make_shared<PictureReader>();
}

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                 const QWidget* widget) const {
    // Right to left the horizontal arrow is another picture: left to the toolkit.
    const bool rightToLeft = option ? option->direction == Qt::RightToLeft
                                    : (widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft());
    const bool vertical = which == SP_ToolBarVerticalExtensionButton;
    if (fusion_ && (vertical || (which == SP_ToolBarHorizontalExtensionButton && !rightToLeft))) {
        std::optional<QIcon>& arrow = vertical ? verticalArrow_ : horizontalArrow_;
        if (!arrow) arrow = QIcon(new ArrowEngine(reader_, vertical, baseStyle()));
        return *arrow;
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element == PE_FrameGroupBox && fusion_) {
        if (!groupBoxFrame_) groupBoxFrame_ = QPixmap::fromImage(reader_->pictures().groupBox);
        if (!groupBoxFrame_->isNull()) {
            // As Fusion draws it: the picture's border stretched around the box, below the title.
            constexpr int margin = 3;
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            const int top = box && !box->isCheckable() && box->title().isEmpty()
                                ? margin
                                : qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                       option->fontMetrics.height()) +
                                      margin;
            const QRect frame = option->rect.adjusted(0, top, 0, 0);
            const QMargins border(6, 6, 6, 6);
            const QRect inside = frame.marginsRemoved(border);
            const std::optional<QColor>& centre = reader_->pictures().groupBoxCentre;
            if (centre && inside.isValid()) {
                // The picture's centre is one translucent colour: filled, not stretched over
                // the whole box, which is most of the frame's cost.
                painter->save();
                painter->setClipRegion(QRegion(frame).subtracted(QRegion(inside)), Qt::IntersectClip);
                qDrawBorderPixmap(painter, frame, border, *groupBoxFrame_);
                painter->restore();
                fillTranslucent(painter, inside, *centre);
            } else {
                qDrawBorderPixmap(painter, frame, border, *groupBoxFrame_);
            }
            return;
        }
    }
    if (element == PE_FrameLineEdit && option->rect.width() >= 5 &&
        fillsFusionLines(fusion_, option, painter)) {
        // As Fusion draws it; only its inner shadow, a translucent row, is filled rather than
        // stroked with antialiasing, which costs as much as the rounded outline.
        const QRect& r = option->rect;
        const bool focus = option->state & State_HasFocus;
        QColor highlighted = option->palette.color(QPalette::Highlight).darker(125);
        if (highlighted.value() > 160) highlighted.setHsl(highlighted.hue(), highlighted.saturation(), 160);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->translate(0.5, 0.5);
        painter->setPen(QPen(focus ? highlighted : outlineColour(option->palette)));
        painter->drawRoundedRect(r.adjusted(0, 0, -1, -1), 2, 2);
        if (focus) {
            QColor soft = highlighted;
            soft.setAlpha(40);
            painter->setPen(soft);
            painter->drawRoundedRect(r.adjusted(1, 1, -2, -2), 1.7, 1.7);
        }
        painter->restore();
        fillTranslucent(painter, QRect(r.left() + 2, r.top() + 1, r.width() - 4, 1), QColor(0, 0, 0, 18));
        return;
    }
    // A frame too small for both its rings, or on a scaled screen, is left to Fusion.
    if (element == PE_FrameTabWidget && option->rect.width() >= 5 && option->rect.height() >= 5 &&
        fillsFusionLines(fusion_, option, painter)) {
        if (const auto* frame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(option)) {
            const QRect& r = option->rect;
            painter->fillRect(r.adjusted(0, 0, -1, -1), tabFrameColour(option->palette));
            QRect rect = r.adjusted(0, 0, -1, -1);
            if (frame->shape != QTabBar::RoundedSouth) {
                rect.adjust(0, 0, 0, -1);
                horizontalLine(painter, r, r.bottom(), QColor(0, 0, 0, 15));
            }
            strokeRect(painter, rect, outlineColour(option->palette));
            strokeRect(painter, rect.adjusted(1, 1, -1, -1), innerContrastLine);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    const auto* toolBar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    // The main window's tool bar at the top, as Fusion draws it; the others are left to Fusion.
    if (element == CE_ToolBar && toolBar && toolBar->toolBarArea == Qt::TopToolBarArea &&
        (option->state & State_Horizontal) && fillsFusionLines(fusion_, option, painter) &&
        (!widget || qobject_cast<const QMainWindow*>(widget->parentWidget()))) {
        const QRect& r = option->rect;
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, option->palette.window().color().lighter(104));
        gradient.setColorAt(1, option->palette.window().color());
        painter->fillRect(r, gradient);
        if (toolBar->positionOfLine == QStyleOptionToolBar::End ||
            toolBar->positionOfLine == QStyleOptionToolBar::OnlyOne) {
            // A double line at the bottom, to blend with the window's content.
            horizontalLine(painter, r, r.bottom(), lightShade);
            horizontalLine(painter, r, r.bottom() - 1, darkShade);
        } else {
            horizontalLine(painter, r, r.bottom(), darkShade);
        }
        horizontalLine(painter, r, r.top(), lightShade);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace quadrelo
