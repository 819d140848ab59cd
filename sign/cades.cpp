// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "cades.h"

#include "openssl_support.h"

#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/pkcs7.h>

namespace quadrelo::sign {

namespace {

using CmsPtr = Owned<CMS_ContentInfo, CMS_ContentInfo_free>;
using TimePtr = Owned<ASN1_TIME, ASN1_TIME_free>;

constexpr unsigned int partialFlags = CMS_PARTIAL | CMS_BINARY | CMS_CADES | CMS_NOSMIMECAP;

[[noreturn]] void failed(const QString& what) {
    clearErrors();
    throw SignError(what);
}

// The signer is added with its public key only: the signature over the signed attributes comes
// from the key's own `sign`, wherever the private key lives.
void addSigner(CMS_ContentInfo* cms, const QByteArray& content, SigningKey& key,
               const std::optional<QDateTime>& when) {
    const QByteArray der = key.certificate();
    if (const QString problem =
            certificateProblem(describeCertificate(der), when.value_or(QDateTime::currentDateTimeUtc()));
        !problem.isEmpty())
        throw SignError(problem);
    const X509Ptr cert = parseCertificate(der);
    CMS_SignerInfo* si =
        CMS_add1_signer(cms, cert.get(), X509_get0_pubkey(cert.get()), EVP_sha256(), partialFlags);
    if (!si) failed(QStringLiteral("La firma non si può comporre con questo certificato."));
    for (const QByteArray& other : key.chain())
        if (const X509Ptr c = parseCertificate(other))
            CMS_add1_cert(cms, c.get()); // one already there is fine
    clearErrors();

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    EVP_Digest(content.constData(), size_t(content.size()), digest, &digestLength, EVP_sha256(), nullptr);
    bool added = CMS_signed_add1_attr_by_NID(si, NID_pkcs9_contentType, V_ASN1_OBJECT,
                                             OBJ_nid2obj(NID_pkcs7_data), -1) == 1 &&
                 CMS_signed_add1_attr_by_NID(si, NID_pkcs9_messageDigest, V_ASN1_OCTET_STRING, digest,
                                             int(digestLength)) == 1;
    if (when) {
        const TimePtr time(ASN1_TIME_set(nullptr, time_t(when->toSecsSinceEpoch())));
        added = added && time &&
                CMS_signed_add1_attr_by_NID(si, NID_pkcs9_signingTime, ASN1_STRING_type(time.get()),
                                            time.get(), -1) == 1;
    }
    if (!added) failed(QStringLiteral("Gli attributi della firma non si possono comporre."));

    // What is signed: the signed attributes as a DER SET, as every verifier encodes them again.
    STACK_OF(X509_ATTRIBUTE)* attributes = sk_X509_ATTRIBUTE_new_null();
    for (int i = 0; i < CMS_signed_get_attr_count(si); ++i)
        sk_X509_ATTRIBUTE_push(attributes, CMS_signed_get_attr(si, i));
    unsigned char* encoded = nullptr;
    const int length =
        ASN1_item_i2d(reinterpret_cast<ASN1_VALUE*>(attributes), &encoded, ASN1_ITEM_rptr(PKCS7_ATTR_SIGN));
    sk_X509_ATTRIBUTE_free(attributes);
    if (length <= 0) failed(QStringLiteral("Gli attributi della firma non si possono comporre."));
    const QByteArray toSign(reinterpret_cast<const char*>(encoded), length);
    OPENSSL_free(encoded);
    const QByteArray signature = key.sign(toSign);
    if (ASN1_STRING_set(CMS_SignerInfo_get0_signature(si), signature.constData(), int(signature.size())) != 1)
        failed(QStringLiteral("La firma non si può comporre."));
}

QByteArray encoded(CMS_ContentInfo* cms) {
    unsigned char* out = nullptr;
    const int n = i2d_CMS_ContentInfo(cms, &out);
    if (n <= 0) failed(QStringLiteral("La busta firmata non si può comporre."));
    QByteArray der(reinterpret_cast<const char*>(out), n);
    OPENSSL_free(out);
    return der;
}

CmsPtr parsedEnvelope(const QByteArray& envelope) {
    const auto* p = reinterpret_cast<const unsigned char*>(envelope.constData());
    CmsPtr cms(d2i_CMS_ContentInfo(nullptr, &p, envelope.size()));
    if (!cms || OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed || !CMS_get0_content(cms.get()) ||
        !*CMS_get0_content(cms.get()))
        failed(QStringLiteral("Il file non è una busta firmata (.p7m) con il documento al suo interno."));
    return cms;
}

CmsPtr emptySignedData(bool detached) {
    CmsPtr cms(CMS_sign(nullptr, nullptr, nullptr, nullptr,
                        CMS_PARTIAL | CMS_BINARY | (detached ? CMS_DETACHED : 0)));
    if (!cms) failed(QStringLiteral("La busta firmata non si può comporre."));
    return cms;
}

} // namespace

QByteArray envelopeContent(const QByteArray& envelope) {
    const CmsPtr cms = parsedEnvelope(envelope);
    const ASN1_OCTET_STRING* content = *CMS_get0_content(cms.get());
    return QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(content)),
                      ASN1_STRING_length(content));
}

QByteArray cadesEnvelope(const QByteArray& content, SigningKey& key, const QDateTime& when) {
    const CmsPtr cms = emptySignedData(false);
    // The content held in the envelope itself, in one piece.
    ASN1_OCTET_STRING** inside = CMS_get0_content(cms.get());
    ASN1_OCTET_STRING_free(*inside);
    *inside = ASN1_OCTET_STRING_new();
    if (!*inside ||
        ASN1_OCTET_STRING_set(*inside, reinterpret_cast<const unsigned char*>(content.constData()),
                              int(content.size())) != 1)
        failed(QStringLiteral("Memoria insufficiente per la busta firmata."));
    addSigner(cms.get(), content, key, when);
    return encoded(cms.get());
}

QByteArray addCadesSigner(const QByteArray& envelope, SigningKey& key, const QDateTime& when) {
    const CmsPtr cms = parsedEnvelope(envelope);
    const ASN1_OCTET_STRING* content = *CMS_get0_content(cms.get());
    addSigner(cms.get(),
              QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(content)),
                         ASN1_STRING_length(content)),
              key, when);
    return encoded(cms.get());
}

QByteArray detachedSignature(const QByteArray& signedBytes, SigningKey& key) {
    const CmsPtr cms = emptySignedData(true);
    addSigner(cms.get(), signedBytes, key, std::nullopt);
    return encoded(cms.get());
}

} // namespace quadrelo::sign
