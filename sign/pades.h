// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "signing_key.h"

#include <QByteArray>
#include <QDateTime>

namespace quadrelo::sign {

// The PDF with a PAdES baseline signature (ETSI.CAdES.detached, SHA-256) added as an incremental
// update: an invisible signature field on the first page. The result begins with every byte of
// `pdf` unchanged, so a PDF/A stays PDF/A. Throws SignError when the PDF has a form this cannot
// extend or the key refuses.
QByteArray padesSign(const QByteArray& pdf, SigningKey& key,
                     const QDateTime& when = QDateTime::currentDateTimeUtc());

} // namespace quadrelo::sign
