// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "pkcs11_token.h"

#include "openssl_support.h"
#include "pkcs11_declarations.h"

#include <QFile>
#include <QFileInfo>

#include <openssl/ecdsa.h>
#include <openssl/evp.h>

#include <dlfcn.h>

namespace quadrelo::sign {

struct Pkcs11Module::Loaded {
    void* library = nullptr;
    CK_FUNCTION_LIST* f = nullptr;
    bool initialized = false; // by us: finalized by us

    ~Loaded() {
        if (initialized) f->C_Finalize(nullptr);
        if (library) dlclose(library);
    }
};

namespace {

QString tokenFailure(CK_RV rv) {
    switch (rv) {
    case CKR_PIN_INCORRECT:
        return QStringLiteral("PIN errato.");
    case CKR_PIN_LOCKED:
        return QStringLiteral("Il PIN è bloccato: va sbloccato con il PUK della carta.");
    case CKR_PIN_LEN_RANGE:
        return QStringLiteral("Il PIN non ha la lunghezza che la carta accetta.");
    case CKR_DEVICE_REMOVED:
    case CKR_TOKEN_NOT_PRESENT:
    case CKR_SESSION_HANDLE_INVALID:
    case CKR_SESSION_CLOSED:
        return QStringLiteral("La carta è stata tolta dal lettore.");
    case CKR_DEVICE_ERROR:
    case CKR_DEVICE_MEMORY:
        return QStringLiteral("Il lettore o la carta non rispondono.");
    default:
        return QStringLiteral("La carta ha rifiutato l'operazione (codice PKCS#11 0x%1).")
            .arg(qulonglong(rv), 0, 16);
    }
}

[[noreturn]] void fail(CK_RV rv) {
    throw SignError(tokenFailure(rv));
}

void check(CK_RV rv) {
    if (rv != CKR_OK) fail(rv);
}

QString paddedText(const unsigned char* text, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text), qsizetype(size)).trimmed();
}

class Session {
public:
    Session(CK_FUNCTION_LIST* f, CK_SLOT_ID slot) : f_(f) {
        check(f_->C_OpenSession(slot, CKF_SERIAL_SESSION, nullptr, nullptr, &handle_));
    }
    ~Session() {
        if (loggedIn) f_->C_Logout(handle_);
        f_->C_CloseSession(handle_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    CK_SESSION_HANDLE handle() const { return handle_; }

    QList<CK_OBJECT_HANDLE> find(CK_ATTRIBUTE* filter, CK_ULONG size) {
        check(f_->C_FindObjectsInit(handle_, filter, size));
        QList<CK_OBJECT_HANDLE> found;
        CK_OBJECT_HANDLE objects[16];
        CK_ULONG n = 0;
        CK_RV rv;
        while ((rv = f_->C_FindObjects(handle_, objects, 16, &n)) == CKR_OK && n > 0)
            for (CK_ULONG i = 0; i < n; ++i)
                found << objects[i];
        f_->C_FindObjectsFinal(handle_);
        check(rv);
        return found;
    }

    QByteArray attribute(CK_OBJECT_HANDLE object, CK_ATTRIBUTE_TYPE type) {
        CK_ATTRIBUTE a{type, nullptr, 0};
        if (f_->C_GetAttributeValue(handle_, object, &a, 1) != CKR_OK ||
            a.ulValueLen == CK_UNAVAILABLE_INFORMATION)
            return {};
        QByteArray value(qsizetype(a.ulValueLen), '\0');
        a.pValue = value.data();
        check(f_->C_GetAttributeValue(handle_, object, &a, 1));
        return value;
    }

    bool loggedIn = false;

private:
    CK_FUNCTION_LIST* f_;
    CK_SESSION_HANDLE handle_ = 0;
};

// ECDSA tokens give r and s side by side; CMS wants them as a DER sequence.
QByteArray derEcdsa(const QByteArray& raw) {
    const int half = int(raw.size() / 2);
    ECDSA_SIG* sig = ECDSA_SIG_new();
    const auto* p = reinterpret_cast<const unsigned char*>(raw.constData());
    ECDSA_SIG_set0(sig, BN_bin2bn(p, half, nullptr), BN_bin2bn(p + half, half, nullptr));
    unsigned char* out = nullptr;
    const int n = i2d_ECDSA_SIG(sig, &out);
    QByteArray der(reinterpret_cast<const char*>(out), std::max(n, 0));
    OPENSSL_free(out);
    ECDSA_SIG_free(sig);
    return der;
}

class TokenKey : public SigningKey {
public:
    TokenKey(std::shared_ptr<Pkcs11Module::Loaded> loaded, std::unique_ptr<Session> session,
             CK_OBJECT_HANDLE key, CK_KEY_TYPE type, QByteArray cert)
        : loaded_(std::move(loaded)), session_(std::move(session)), key_(key), type_(type),
          cert_(std::move(cert)) {}
    ~TokenKey() override { session_.reset(); } // logged out before the module may go

    QByteArray certificate() const override { return cert_; }

    QByteArray sign(const QByteArray& data) override {
        CK_FUNCTION_LIST* f = loaded_->f;
        QByteArray input = data;
        CK_MECHANISM mechanism{CKM_SHA256_RSA_PKCS, nullptr, 0};
        if (type_ == CKK_EC) {
            // Tokens rarely hash for ECDSA: the digest is made here.
            mechanism.mechanism = CKM_ECDSA;
            input = QByteArray(32, '\0');
            EVP_Digest(data.constData(), size_t(data.size()), reinterpret_cast<unsigned char*>(input.data()),
                       nullptr, EVP_sha256(), nullptr);
        }
        auto* in = reinterpret_cast<CK_BYTE*>(input.data());
        CK_ULONG length = 0;
        check(f->C_SignInit(session_->handle(), &mechanism, key_));
        check(f->C_Sign(session_->handle(), in, CK_ULONG(input.size()), nullptr, &length));
        QByteArray signature(qsizetype(length), '\0');
        check(f->C_Sign(session_->handle(), in, CK_ULONG(input.size()),
                        reinterpret_cast<CK_BYTE*>(signature.data()), &length));
        signature.truncate(qsizetype(length));
        return type_ == CKK_EC ? derEcdsa(signature) : signature;
    }

private:
    std::shared_ptr<Pkcs11Module::Loaded> loaded_;
    std::unique_ptr<Session> session_;
    CK_OBJECT_HANDLE key_;
    CK_KEY_TYPE type_;
    QByteArray cert_;
};

} // namespace

Pkcs11Module::Pkcs11Module(const QString& path) : loaded_(std::make_shared<Loaded>()) {
    const QString shown = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        throw SignError(QStringLiteral("Il modulo della carta «%1» non esiste.").arg(path));
    loaded_->library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    auto* getList = loaded_->library
                        ? reinterpret_cast<CK_C_GetFunctionList>(dlsym(loaded_->library, "C_GetFunctionList"))
                        : nullptr;
    if (!getList || getList(&loaded_->f) != CKR_OK || !loaded_->f)
        throw SignError(QStringLiteral("«%1» non è un modulo PKCS#11 che si possa caricare.").arg(shown));
    const CK_RV rv = loaded_->f->C_Initialize(nullptr);
    if (rv != CKR_OK && rv != CKR_CRYPTOKI_ALREADY_INITIALIZED)
        throw SignError(
            QStringLiteral("Il modulo della carta «%1» non si avvia: %2").arg(shown, tokenFailure(rv)));
    loaded_->initialized = rv == CKR_OK;
}

Pkcs11Module::~Pkcs11Module() = default;

QList<TokenCertificate> Pkcs11Module::certificates() {
    CK_FUNCTION_LIST* f = loaded_->f;
    CK_ULONG slotCount = 0;
    check(f->C_GetSlotList(CK_TRUE, nullptr, &slotCount));
    QList<CK_SLOT_ID> slotIds(static_cast<qsizetype>(slotCount));
    check(f->C_GetSlotList(CK_TRUE, slotIds.data(), &slotCount));
    slotIds.resize(qsizetype(slotCount));
    QList<TokenCertificate> found;
    for (CK_SLOT_ID slot : slotIds) {
        CK_TOKEN_INFO token{};
        if (f->C_GetTokenInfo(slot, &token) != CKR_OK || !(token.flags & CKF_TOKEN_INITIALIZED)) continue;
        Session session(f, slot);
        CK_OBJECT_CLASS kind = CKO_CERTIFICATE;
        CK_CERTIFICATE_TYPE type = CKC_X_509;
        CK_ATTRIBUTE filter[] = {{CKA_CLASS, &kind, sizeof kind}, {CKA_CERTIFICATE_TYPE, &type, sizeof type}};
        for (CK_OBJECT_HANDLE object : session.find(filter, 2)) {
            TokenCertificate c;
            try {
                c.info = describeCertificate(session.attribute(object, CKA_VALUE));
            } catch (const SignError&) {
                continue; // not one we can read: not one to sign with
            }
            c.token = paddedText(token.label, sizeof token.label);
            c.slot = slot;
            c.id = session.attribute(object, CKA_ID);
            found << c;
        }
    }
    return found;
}

std::unique_ptr<SigningKey> Pkcs11Module::login(const TokenCertificate& certificate, const QByteArray& pin) {
    CK_FUNCTION_LIST* f = loaded_->f;
    auto session = std::make_unique<Session>(f, certificate.slot);
    QByteArray secret = pin;
    const CK_RV rv = f->C_Login(session->handle(), CKU_USER, reinterpret_cast<CK_UTF8CHAR*>(secret.data()),
                                CK_ULONG(secret.size()));
    OPENSSL_cleanse(secret.data(), size_t(secret.size()));
    if (rv == CKR_PIN_INCORRECT) {
        CK_TOKEN_INFO token{};
        QString attempts;
        if (f->C_GetTokenInfo(certificate.slot, &token) == CKR_OK) {
            if (token.flags & CKF_USER_PIN_LOCKED)
                attempts = QStringLiteral(" Il PIN ora è bloccato: va sbloccato con il PUK della carta.");
            else if (token.flags & CKF_USER_PIN_FINAL_TRY)
                attempts = QStringLiteral(" Resta un solo tentativo prima che la carta blocchi il PIN.");
            else if (token.flags & CKF_USER_PIN_COUNT_LOW)
                attempts = QStringLiteral(" Restano pochi tentativi prima che la carta blocchi il PIN.");
        }
        throw SignError(tokenFailure(rv) + attempts);
    }
    if (rv != CKR_OK && rv != CKR_USER_ALREADY_LOGGED_IN) fail(rv);
    session->loggedIn = true;

    CK_OBJECT_CLASS kind = CKO_PRIVATE_KEY;
    QByteArray id = certificate.id;
    CK_ATTRIBUTE filter[] = {{CKA_CLASS, &kind, sizeof kind}, {CKA_ID, id.data(), CK_ULONG(id.size())}};
    const QList<CK_OBJECT_HANDLE> keys = session->find(filter, 2);
    if (keys.isEmpty())
        throw SignError(QStringLiteral("Sulla carta non c'è la chiave del certificato di %1.")
                            .arg(certificate.info.holder));
    const QByteArray type = session->attribute(keys.first(), CKA_KEY_TYPE);
    CK_KEY_TYPE keyType = CKK_RSA;
    if (type.size() == sizeof keyType) std::memcpy(&keyType, type.constData(), sizeof keyType);
    if (keyType != CKK_RSA && keyType != CKK_EC)
        throw SignError(QStringLiteral("La chiave sulla carta non è né RSA né a curve ellittiche."));
    return std::make_unique<TokenKey>(loaded_, std::move(session), keys.first(), keyType,
                                      certificate.info.der);
}

QStringList knownPkcs11Modules() {
    // Cards of the Italian certification authorities (Bit4id, Athena/IDProtect, Oberthur/Idemia,
    // Incard) and OpenSC, where their installers put them.
    static const char* const candidates[] = {
        "/usr/lib/libbit4xpki.so",
        "/usr/lib/bit4id/libbit4xpki.so",
        "/usr/local/lib/libbit4xpki.so",
        "/usr/lib/libbit4ipki.so",
        "/usr/lib/libASEP11.so",
        "/usr/lib/x86_64-linux-gnu/libASEP11.so",
        "/usr/lib/libcnsPKCS11.so",
        "/usr/lib/libIDPrimePKCS11.so",
        "/usr/lib/libeTPkcs11.so",
        "/usr/lib/libacospkcs11.so",
        "/usr/lib/x86_64-linux-gnu/opensc-pkcs11.so",
        "/usr/lib/x86_64-linux-gnu/pkcs11/opensc-pkcs11.so",
        "/usr/lib/opensc-pkcs11.so",
    };
    QStringList present;
    for (const char* c : candidates)
        if (QFileInfo(QString::fromLatin1(c)).isFile()) present << QString::fromLatin1(c);
    return present;
}

} // namespace quadrelo::sign
