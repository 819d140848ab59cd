// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "stamp_place.h"

namespace quadrelo::sign {

std::optional<Stamp> stampPlace(const report::Document& document) {
    if (document.pages.isEmpty()) return std::nullopt;
    QList<QList<QRectF>> occupied;
    for (const report::Page& page : document.pages) {
        QList<QRectF> rects;
        for (const report::TextRun& t : report::pageTexts(page))
            rects << t.rect;
        for (const report::FrameItem& f : page.frames)
            rects << f.rect;
        for (const report::PictureItem& p : page.pictures)
            rects << p.rect;
        for (const report::LineItem& l : page.lines)
            rects << QRectF(l.line.p1(), l.line.p2()).normalized();
        occupied << rects;
    }
    return freeStampPlace(occupied, document.pages.constLast().size);
}

} // namespace quadrelo::sign
