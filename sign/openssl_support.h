// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QByteArray>
#include <QString>

#include <openssl/err.h>
#include <openssl/x509.h>

#include <memory>

namespace quadrelo::sign {

// OpenSSL objects owned like any other: freed by their own function.
template <typename T, void (*Free)(T*)> struct Freer {
    void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)> using Owned = std::unique_ptr<T, Freer<T, Free>>;
using X509Ptr = Owned<X509, X509_free>;
using KeyPtr = Owned<EVP_PKEY, EVP_PKEY_free>;

inline X509Ptr parseCertificate(const QByteArray& der) {
    const auto* p = reinterpret_cast<const unsigned char*>(der.constData());
    return X509Ptr(d2i_X509(nullptr, &p, der.size()));
}

inline QByteArray certificateDer(X509* cert) {
    unsigned char* out = nullptr;
    const int n = i2d_X509(cert, &out);
    QByteArray der = n > 0 ? QByteArray(reinterpret_cast<const char*>(out), n) : QByteArray();
    OPENSSL_free(out);
    return der;
}

// The errors OpenSSL queued, dropped: our messages say what failed in the user's words.
inline void clearErrors() {
    ERR_clear_error();
}

} // namespace quadrelo::sign
