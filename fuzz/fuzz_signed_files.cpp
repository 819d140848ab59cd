// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: what reads a file chosen for "Firma documenti…", a PDF to sign again or an
// envelope to add a signer to, up to the signature itself (the key here has no certificate, so
// every run stops there with its message).
#include "sign/cades.h"
#include "sign/pades.h"

#include <cstddef>
#include <cstdint>

namespace {
class NoKey : public quadrelo::sign::SigningKey {
public:
    QByteArray certificate() const override { return {}; }
    QByteArray sign(const QByteArray&) override { return {}; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    NoKey key;
    try {
        (void)quadrelo::sign::padesSign(bytes, key);
    } catch (const quadrelo::Error&) {
    }
    try {
        (void)quadrelo::sign::envelopeContent(bytes);
        (void)quadrelo::sign::addCadesSigner(bytes, key);
    } catch (const quadrelo::Error&) {
    }
    return 0;
}
