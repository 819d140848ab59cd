// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// OpenSSL's libcrypto, loaded the first time a signature needs it. Linked to the program it
// would be mapped and relocated at every start (3.5 ms, 4.5 MB) for a feature most sessions never
// use. Each function the signing code calls is defined here, under OpenSSL's own declaration
// (a different signature does not compile), and calls the library's function, looked up once.
// Compiled with hidden visibility: these definitions serve this program's code alone and never
// stand in for the library's own.
#include "certificate.h"

#include <openssl/cms.h>
#include <openssl/crypto.h>
#include <openssl/ecdsa.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/pkcs7.h>
#include <openssl/provider.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <dlfcn.h>

namespace quadrelo::sign {

namespace {

void* cryptoFunction(const char* name) {
    // Once: a library that cannot be loaded now will not be later in the same session.
    static void* const library = dlopen("libcrypto.so.3", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw SignError(QStringLiteral("La libreria OpenSSL (libcrypto.so.3) non si può caricare: %1. "
                                       "Senza di essa i documenti non si possono firmare.")
                            .arg(QString::fromLocal8Bit(dlerror())));
    void* function = dlsym(library, name);
    if (!function)
        throw SignError(QStringLiteral("La libreria OpenSSL installata non ha la funzione %1: "
                                       "i documenti non si possono firmare.")
                            .arg(QLatin1String(name)));
    return function;
}

} // namespace

} // namespace quadrelo::sign

// clang-format off
#define LAZY(result, name, parameters, arguments)                                                  \
    extern "C" result name parameters {                                                            \
        static const auto function =                                                               \
            reinterpret_cast<decltype(&name)>(quadrelo::sign::cryptoFunction(#name));              \
        return function arguments;                                                                 \
    }

LAZY(void, ASN1_OCTET_STRING_free, (ASN1_OCTET_STRING* a), (a))
LAZY(ASN1_OCTET_STRING*, ASN1_OCTET_STRING_new, (), ())
LAZY(int, ASN1_OCTET_STRING_set, (ASN1_OCTET_STRING* str, const unsigned char* data, int len), (str, data, len))
LAZY(const unsigned char*, ASN1_STRING_get0_data, (const ASN1_STRING* x), (x))
LAZY(int, ASN1_STRING_length, (const ASN1_STRING* x), (x))
LAZY(int, ASN1_STRING_set, (ASN1_STRING* str, const void* data, int len), (str, data, len))
LAZY(int, ASN1_STRING_to_UTF8, (unsigned char** out, const ASN1_STRING* in), (out, in))
LAZY(int, ASN1_STRING_type, (const ASN1_STRING* x), (x))
LAZY(void, ASN1_TIME_free, (ASN1_TIME* a), (a))
LAZY(ASN1_TIME*, ASN1_TIME_set, (ASN1_TIME* s, time_t t), (s, t))
LAZY(int, ASN1_TIME_to_tm, (const ASN1_TIME* s, struct tm* tm), (s, tm))
LAZY(int, ASN1_item_i2d, (const ASN1_VALUE* val, unsigned char** out, const ASN1_ITEM* it), (val, out, it))
LAZY(BIGNUM*, BN_bin2bn, (const unsigned char* s, int len, BIGNUM* ret), (s, len, ret))
LAZY(void, CMS_ContentInfo_free, (CMS_ContentInfo* a), (a))
LAZY(ASN1_OCTET_STRING*, CMS_SignerInfo_get0_signature, (CMS_SignerInfo* si), (si))
LAZY(int, CMS_add1_cert, (CMS_ContentInfo* cms, X509* cert), (cms, cert))
LAZY(CMS_SignerInfo*, CMS_add1_signer, (CMS_ContentInfo* cms, X509* signer, EVP_PKEY* pk, const EVP_MD* md, unsigned int flags), (cms, signer, pk, md, flags))
LAZY(ASN1_OCTET_STRING**, CMS_get0_content, (CMS_ContentInfo* cms), (cms))
LAZY(const ASN1_OBJECT*, CMS_get0_type, (const CMS_ContentInfo* cms), (cms))
LAZY(CMS_ContentInfo*, CMS_sign, (X509* signcert, EVP_PKEY* pkey, struct stack_st_X509* certs, BIO* data, unsigned int flags), (signcert, pkey, certs, data, flags))
LAZY(int, CMS_signed_add1_attr_by_NID, (CMS_SignerInfo* si, int nid, int type, const void* bytes, int len), (si, nid, type, bytes, len))
LAZY(X509_ATTRIBUTE*, CMS_signed_get_attr, (const CMS_SignerInfo* si, int loc), (si, loc))
LAZY(int, CMS_signed_get_attr_count, (const CMS_SignerInfo* si), (si))
LAZY(void, CRYPTO_free, (void* ptr, const char* file, int line), (ptr, file, line))
LAZY(void, ECDSA_SIG_free, (ECDSA_SIG* sig), (sig))
LAZY(ECDSA_SIG*, ECDSA_SIG_new, (), ())
LAZY(int, ECDSA_SIG_set0, (ECDSA_SIG* sig, BIGNUM* r, BIGNUM* s), (sig, r, s))
LAZY(void, ERR_clear_error, (), ())
LAZY(int, EVP_Digest, (const void* data, size_t count, unsigned char* md, unsigned int* size, const EVP_MD* type, ENGINE* impl), (data, count, md, size, type, impl))
LAZY(int, EVP_DigestSign, (EVP_MD_CTX* ctx, unsigned char* sigret, size_t* siglen, const unsigned char* tbs, size_t tbslen), (ctx, sigret, siglen, tbs, tbslen))
LAZY(int, EVP_DigestSignInit, (EVP_MD_CTX* ctx, EVP_PKEY_CTX** pctx, const EVP_MD* type, ENGINE* e, EVP_PKEY* pkey), (ctx, pctx, type, e, pkey))
LAZY(void, EVP_MD_CTX_free, (EVP_MD_CTX* ctx), (ctx))
LAZY(EVP_MD_CTX*, EVP_MD_CTX_new, (), ())
LAZY(void, EVP_PKEY_free, (EVP_PKEY* pkey), (pkey))
LAZY(const EVP_MD*, EVP_sha256, (), ())
LAZY(ASN1_OBJECT*, OBJ_nid2obj, (int n), (n))
LAZY(int, OBJ_obj2nid, (const ASN1_OBJECT* o), (o))
LAZY(void, OPENSSL_cleanse, (void* ptr, size_t len), (ptr, len))
LAZY(void, OPENSSL_sk_free, (OPENSSL_STACK* a0), (a0))
LAZY(OPENSSL_STACK*, OPENSSL_sk_new_null, (), ())
LAZY(int, OPENSSL_sk_num, (const OPENSSL_STACK* a0), (a0))
LAZY(void, OPENSSL_sk_pop_free, (OPENSSL_STACK* st, void (*func)(void*)), (st, func))
LAZY(int, OPENSSL_sk_push, (OPENSSL_STACK* st, const void* data), (st, data))
LAZY(void*, OPENSSL_sk_value, (const OPENSSL_STACK* a0, int a1), (a0, a1))
LAZY(OSSL_PROVIDER*, OSSL_PROVIDER_try_load, (OSSL_LIB_CTX* a0, const char* name, int retain_fallbacks), (a0, name, retain_fallbacks))
LAZY(void, PKCS12_free, (PKCS12* a), (a))
LAZY(int, PKCS12_parse, (PKCS12* p12, const char* pass, EVP_PKEY** pkey, X509** cert, struct stack_st_X509** ca), (p12, pass, pkey, cert, ca))
LAZY(int, PKCS12_verify_mac, (PKCS12* p12, const char* pass, int passlen), (p12, pass, passlen))
LAZY(const ASN1_ITEM*, PKCS7_ATTR_SIGN_it, (), ())
LAZY(ASN1_STRING*, X509_NAME_ENTRY_get_data, (const X509_NAME_ENTRY* ne), (ne))
LAZY(X509_NAME_ENTRY*, X509_NAME_get_entry, (const X509_NAME* name, int loc), (name, loc))
LAZY(int, X509_NAME_get_index_by_NID, (const X509_NAME* name, int nid, int lastpos), (name, nid, lastpos))
LAZY(void, X509_free, (X509* a), (a))
LAZY(const ASN1_TIME*, X509_get0_notAfter, (const X509* x), (x))
LAZY(const ASN1_TIME*, X509_get0_notBefore, (const X509* x), (x))
LAZY(EVP_PKEY*, X509_get0_pubkey, (const X509* x), (x))
LAZY(X509_NAME*, X509_get_issuer_name, (const X509* a), (a))
LAZY(uint32_t, X509_get_key_usage, (X509* x), (x))
LAZY(X509_NAME*, X509_get_subject_name, (const X509* a), (a))
LAZY(CMS_ContentInfo*, d2i_CMS_ContentInfo, (CMS_ContentInfo** a, const unsigned char** in, long len), (a, in, len))
LAZY(PKCS12*, d2i_PKCS12, (PKCS12** a, const unsigned char** in, long len), (a, in, len))
LAZY(X509*, d2i_X509, (X509** a, const unsigned char** in, long len), (a, in, len))
LAZY(int, i2d_CMS_ContentInfo, (const CMS_ContentInfo* a, unsigned char** out), (a, out))
LAZY(int, i2d_ECDSA_SIG, (const ECDSA_SIG* a, unsigned char** out), (a, out))
LAZY(int, i2d_X509, (const X509* a, unsigned char** out), (a, out))
// Not called by the program: the tests read a certificate's subject through it, so that they too
// go through this file.
LAZY(int, i2d_X509_NAME, (const X509_NAME* a, unsigned char** out), (a, out))
// clang-format on
