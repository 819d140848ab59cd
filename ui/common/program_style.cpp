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
        if (!groupBoxFrame_) groupBoxFrame_ = QPixmap::fromImage(styleImage("fusion_groupbox"));
        if (!groupBoxFrame_->isNull()) {
            // As Fusion draws it: the picture's border stretched around the box, below the title.
            constexpr int margin = 3;
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            const int top = box && !box->isCheckable() && box->title().isEmpty()
                                ? margin
                                : qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                       option->fontMetrics.height()) +
                                      margin;
            qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                              *groupBoxFrame_);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace quadrelo
