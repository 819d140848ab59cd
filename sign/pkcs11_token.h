// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "signing_key.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace quadrelo::sign {

// A certificate found on a token, and where its key is.
struct TokenCertificate {
    CertificateInfo info;
    QString token; // the token's label
    unsigned long slot = 0;
    QByteArray id; // CKA_ID, shared by the certificate and its private key
};

// A smart card's or USB token's PKCS#11 module, loaded from its file for the life of the object.
class Pkcs11Module {
public:
    // Throws SignError when the file cannot be loaded or is no PKCS#11 module.
    explicit Pkcs11Module(const QString& path);
    ~Pkcs11Module();
    Pkcs11Module(const Pkcs11Module&) = delete;
    Pkcs11Module& operator=(const Pkcs11Module&) = delete;

    // The certificates on every token present, read without the PIN.
    QList<TokenCertificate> certificates();

    // Logs in with `pin` and returns the certificate's key; the token is logged out when the key
    // goes. Throws SignError on a wrong or locked PIN (saying how many attempts remain when the
    // token tells), a removed card, or a certificate without its key.
    std::unique_ptr<SigningKey> login(const TokenCertificate& certificate, const QByteArray& pin);

    struct Loaded;

private:
    std::shared_ptr<Loaded> loaded_;
};

// The module files of the cards Italian certification authorities ship, and OpenSC's, that are
// present on this system.
QStringList knownPkcs11Modules();

} // namespace quadrelo::sign
