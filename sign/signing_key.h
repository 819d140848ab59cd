// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "certificate.h"

#include <QByteArray>
#include <QList>

#include <memory>

namespace quadrelo::sign {

// A private key that signs, with its certificate: from a PKCS#12 file or on a token. The key itself
// never leaves it; the envelopes hand it only the bytes to sign.
class SigningKey {
public:
    virtual ~SigningKey() = default;
    // The signer's certificate (DER) and the others of its chain the key came with.
    virtual QByteArray certificate() const = 0;
    virtual QList<QByteArray> chain() const { return {}; }
    // The signature over SHA-256 of `data`: PKCS#1 v1.5 for RSA, DER-encoded for ECDSA.
    // Throws SignError with the reason in Italian.
    virtual QByteArray sign(const QByteArray& data) = 0;
};

// The key and certificates of a PKCS#12 file (.p12/.pfx). Throws SignError on a wrong password or
// a file that is no PKCS#12 or holds no key.
std::unique_ptr<SigningKey> openPkcs12(const QByteArray& fileBytes, const QByteArray& password);

// Overwrites a PIN or password in memory once it has served, so that it leaves no copy behind.
void forgetSecret(QByteArray& secret);

// The certificate of a PKCS#12 file with its password, to show it before signing.
CertificateInfo pkcs12Certificate(const QByteArray& fileBytes, const QByteArray& password);

} // namespace quadrelo::sign
