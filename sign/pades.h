// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "signing_key.h"

#include <QByteArray>
#include <QDateTime>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace quadrelo::sign {

// Where a visible signature goes: the page (0-based) and the box on it, in points from the page's
// top-left corner.
struct Stamp {
    int page = 0;
    QRectF rect;
    QSizeF pageSize;
};

// The PDF with a PAdES baseline signature (ETSI.CAdES.detached, SHA-256) added as an incremental
// update: a signature field, invisible on the first page, or with a `stamp` the words "Firmato
// digitalmente da" and the holder's name drawn in its box (as outlines: a PDF/A needs no font for
// it). The result begins with every byte of `pdf` unchanged, so a PDF/A stays PDF/A. Throws
// SignError when the PDF has a form this cannot extend or the key refuses.
QByteArray padesSign(const QByteArray& pdf, SigningKey& key,
                     const QDateTime& when = QDateTime::currentDateTimeUtc(),
                     const std::optional<Stamp>& stamp = std::nullopt);

// A box for the visible signature that no part of the document covers: on the last page, under
// the last thing written, at the right, inside the margins; none when no such room is left.
std::optional<Stamp> freeStampPlace(const QList<QList<QRectF>>& occupiedByPage, QSizeF pageSize);

} // namespace quadrelo::sign
