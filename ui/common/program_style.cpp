// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "program_style.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

#include <initializer_list>
#include <optional>

namespace quadrelo {

namespace {

QImage styleImage(const char* name) {
    QImageReader reader(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1.png").arg(QLatin1String(name)), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The arrow at every size the toolkit draws it; null if one is missing (another toolkit version).
QIcon arrowIcon(std::initializer_list<const char*> names) {
    QIcon icon;
    for (const char* name : names) {
        const QImage image = styleImage(name);
        if (image.isNull()) return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
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

} // namespace

ProgramStyle::ProgramStyle(QStyle* base)
    : QProxyStyle(base),
      fusion_(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {}

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                 const QWidget* widget) const {
    // Right to left the horizontal arrow is another picture: left to the toolkit.
    const bool rightToLeft = option ? option->direction == Qt::RightToLeft
                                    : (widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft());
    if (fusion_ && which == SP_ToolBarHorizontalExtensionButton && !rightToLeft) {
        if (!horizontalArrow_)
            horizontalArrow_ = arrowIcon({"toolbar-ext-h-8", "toolbar-ext-h-16", "toolbar-ext-h-32"});
        if (!horizontalArrow_->isNull()) return *horizontalArrow_;
    } else if (fusion_ && which == SP_ToolBarVerticalExtensionButton) {
        if (!verticalArrow_)
            verticalArrow_ = arrowIcon({"toolbar-ext-v-5", "toolbar-ext-v-10", "toolbar-ext-v-20"});
        if (!verticalArrow_->isNull()) return *verticalArrow_;
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element == PE_FrameGroupBox && fusion_) {
        if (!groupBoxFrame_) {
            const QImage image = styleImage("fusion_groupbox");
            groupBoxFrame_ = QPixmap::fromImage(image);
            groupBoxCentre_ = uniformCentre(image, 6);
        }
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
            if (groupBoxCentre_ && inside.isValid()) {
                // The picture's centre is one translucent colour: filled, not stretched over
                // the whole box, which is most of the frame's cost.
                painter->save();
                painter->setClipRegion(QRegion(frame).subtracted(QRegion(inside)), Qt::IntersectClip);
                qDrawBorderPixmap(painter, frame, border, *groupBoxFrame_);
                painter->restore();
                painter->fillRect(inside, *groupBoxCentre_);
            } else {
                qDrawBorderPixmap(painter, frame, border, *groupBoxFrame_);
            }
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace quadrelo
