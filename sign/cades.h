// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "signing_key.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace quadrelo::sign {

// CMS SignedData in DER with SHA-256 and, in the signed attributes, the content type, the digest,
// the signing certificate (ESS signing-certificate-v2) and, when given, the signing time. Every
// function first refuses a certificate that may not sign now (SignError with the reason).

// The CAdES envelope of a ".p7m": `content` inside, signed at `when`.
QByteArray cadesEnvelope(const QByteArray& content, SigningKey& key,
                         const QDateTime& when = QDateTime::currentDateTimeUtc());

// One more signer on an envelope, beside those already there, over the same content.
// Throws SignError when `envelope` is no signed envelope with its content inside.
QByteArray addCadesSigner(const QByteArray& envelope, SigningKey& key,
                          const QDateTime& when = QDateTime::currentDateTimeUtc());

// The content inside an envelope; throws SignError when it is none.
QByteArray envelopeContent(const QByteArray& envelope);

// The detached signature of `signedBytes` that a PDF carries: no signing time among the signed
// attributes (the PDF's signature dictionary holds it).
QByteArray detachedSignature(const QByteArray& signedBytes, SigningKey& key);

} // namespace quadrelo::sign
