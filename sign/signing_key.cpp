// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "signing_key.h"

#include "openssl_support.h"

#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>

namespace quadrelo::sign {

namespace {

using Pkcs12Ptr = Owned<PKCS12, PKCS12_free>;
using MdContextPtr = Owned<EVP_MD_CTX, EVP_MD_CTX_free>;

class Pkcs12Key : public SigningKey {
public:
    Pkcs12Key(KeyPtr key, X509Ptr cert, QList<QByteArray> chain)
        : key_(std::move(key)), cert_(certificateDer(cert.get())), chain_(std::move(chain)) {}

    QByteArray certificate() const override { return cert_; }
    QList<QByteArray> chain() const override { return chain_; }

    QByteArray sign(const QByteArray& data) override {
        const MdContextPtr context(EVP_MD_CTX_new());
        size_t length = 0;
        const auto* in = reinterpret_cast<const unsigned char*>(data.constData());
        if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) != 1 ||
            EVP_DigestSign(context.get(), nullptr, &length, in, size_t(data.size())) != 1) {
            clearErrors();
            throw SignError(QStringLiteral("La chiave del file non sa firmare."));
        }
        QByteArray signature(qsizetype(length), '\0');
        if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length, in,
                           size_t(data.size())) != 1) {
            clearErrors();
            throw SignError(QStringLiteral("La chiave del file non ha firmato."));
        }
        signature.truncate(qsizetype(length));
        return signature;
    }

private:
    KeyPtr key_;
    QByteArray cert_;
    QList<QByteArray> chain_;
};

struct Parsed {
    KeyPtr key;
    X509Ptr cert;
    QList<QByteArray> chain;
};

Parsed parsePkcs12(const QByteArray& bytes, const QByteArray& password) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const Pkcs12Ptr p12(d2i_PKCS12(nullptr, &p, bytes.size()));
    if (!p12) {
        clearErrors();
        throw SignError(QStringLiteral("Il file non è un certificato PKCS#12 (.p12 o .pfx)."));
    }
    if (PKCS12_verify_mac(p12.get(), password.constData(), int(password.size())) != 1) {
        clearErrors();
        throw SignError(QStringLiteral("La password del file del certificato è errata."));
    }
    EVP_PKEY* key = nullptr;
    X509* cert = nullptr;
    STACK_OF(X509)* others = nullptr;
    int parsed = PKCS12_parse(p12.get(), password.constData(), &key, &cert, &others);
    if (parsed != 1) {
        // Files made by older programs are often enciphered with algorithms OpenSSL keeps apart.
        clearErrors();
        if (OSSL_PROVIDER_try_load(nullptr, "legacy", 1))
            parsed = PKCS12_parse(p12.get(), password.constData(), &key, &cert, &others);
    }
    Parsed result{KeyPtr(key), X509Ptr(cert), {}};
    for (int i = 0; others && i < sk_X509_num(others); ++i)
        result.chain << certificateDer(sk_X509_value(others, i));
    sk_X509_pop_free(others, X509_free);
    clearErrors();
    if (parsed != 1 || !result.key || !result.cert)
        throw SignError(
            QStringLiteral("Il file del certificato non contiene una chiave di firma leggibile."));
    return result;
}

} // namespace

std::unique_ptr<SigningKey> openPkcs12(const QByteArray& fileBytes, const QByteArray& password) {
    Parsed p = parsePkcs12(fileBytes, password);
    return std::make_unique<Pkcs12Key>(std::move(p.key), std::move(p.cert), std::move(p.chain));
}

void forgetSecret(QByteArray& secret) {
    OPENSSL_cleanse(secret.data(), size_t(secret.size()));
    secret.clear();
}

CertificateInfo pkcs12Certificate(const QByteArray& fileBytes, const QByteArray& password) {
    return describeCertificate(certificateDer(parsePkcs12(fileBytes, password).cert.get()));
}

} // namespace quadrelo::sign
