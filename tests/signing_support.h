// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

// A certification authority of the test's own, made with the openssl program, and a SoftHSM2
// token holding a signer's key and certificate, as a smart card would.

#include "sign/pkcs11_declarations.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <openssl/x509.h>

namespace quadrelo::testing {

struct ToolRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline ToolRun runTool(const QString& program, const QStringList& arguments, const QString& folder = {}) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start(program, arguments);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

inline const QString kSoftHsmModule = QStringLiteral("/usr/lib/softhsm/libsofthsm2.so");
inline const QByteArray kTokenPin = "246810";
inline const QByteArray kP12Password = "parola d'ordine";

class TestAuthority {
public:
    QTemporaryDir dir;
    QString failure; // what went wrong while making it

    TestAuthority() {
        QFile cnf(path("ca.cnf"));
        cnf.open(QIODevice::WriteOnly);
        cnf.write(
            "[ca]\ndefault_ca = prova\n[prova]\ndatabase = index.txt\nnew_certs_dir = .\n"
            "serial = serial\ndefault_md = sha256\npolicy = libera\npreserve = yes\n"
            "unique_subject = no\n[libera]\ncountryName = optional\nserialNumber = optional\n"
            "givenName = optional\nsurname = optional\ncommonName = supplied\n"
            "[firma]\nkeyUsage = critical,nonRepudiation\n[cifra]\nkeyUsage = critical,keyEncipherment\n");
        cnf.close();
        QFile(path("index.txt")).open(QIODevice::WriteOnly);
        QFile serial(path("serial"));
        serial.open(QIODevice::WriteOnly);
        serial.write("1000\n");
        serial.close();
        openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
                 "-subj", "/O=Ente certificatore di prova/CN=CA di prova", "-days", "30", "-addext",
                 "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign"});
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // A signer's key `name`.key, certificate `name`.pem and `name`.p12, for `subject`, valid from
    // `from` to `to` (openssl's YYYYMMDDHHMMSSZ), with the usage of section `usage` ("firma", "cifra").
    void issue(const QString& name, const QString& subject, const QString& from, const QString& to,
               const QString& usage = QStringLiteral("firma")) {
        openssl({"req", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out",
                 name + ".csr", "-utf8", "-subj", subject});
        openssl({"ca",       "-batch",   "-utf8", "-config",     "ca.cnf", "-cert",       "ca.pem",
                 "-keyfile", "ca.key",   "-in",   name + ".csr", "-out",   name + ".pem", "-startdate",
                 from,       "-enddate", to,      "-extensions", usage,    "-notext"});
        openssl({"pkcs12", "-export", "-inkey", name + ".key", "-in", name + ".pem", "-certfile", "ca.pem",
                 "-out", name + ".p12", "-passout", "pass:" + QString::fromUtf8(kP12Password)});
    }

    QByteArray bytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QByteArray der(const QString& pem) { return openssl({"x509", "-in", pem, "-outform", "DER"}).out; }

    ToolRun openssl(const QStringList& arguments) {
        ToolRun r = runTool(QStringLiteral("openssl"), arguments, dir.path());
        if (r.status != 0 && failure.isEmpty())
            failure =
                QStringLiteral("openssl %1: %2").arg(arguments.join(' '), QString::fromLocal8Bit(r.err));
        return r;
    }
};

// A SoftHSM2 token initialised in a folder of its own, the PIN set, the signer's key imported
// with softhsm2-util and its certificate written as a card's would be.
class SoftToken {
public:
    QTemporaryDir dir;
    QString failure;

    SoftToken(TestAuthority& ca, const QString& signer) {
        QDir().mkpath(dir.filePath("tokens"));
        QFile conf(dir.filePath("softhsm2.conf"));
        conf.open(QIODevice::WriteOnly);
        conf.write("directories.tokendir = " + QFile::encodeName(dir.filePath("tokens")) +
                   "\nobjectstore.backend = file\nlog.level = ERROR\n");
        conf.close();
        qputenv("SOFTHSM2_CONF", QFile::encodeName(dir.filePath("softhsm2.conf")));
        step({"--init-token", "--free", "--label", "Firma Quadrelo", "--pin", kTokenPin, "--so-pin",
              "13579111"});
        step({"--import", ca.path(signer + ".key"), "--token", "Firma Quadrelo", "--label", "firma", "--id",
              "a1", "--pin", kTokenPin});
        if (failure.isEmpty()) storeCertificate(ca.der(signer + ".pem"));
    }

private:
    void step(const QStringList& arguments) {
        const ToolRun r = runTool(QStringLiteral("softhsm2-util"), arguments);
        if (r.status != 0 && failure.isEmpty())
            failure = QStringLiteral("softhsm2-util: %1").arg(QString::fromLocal8Bit(r.err + r.out));
    }

    void storeCertificate(QByteArray der) {
        const auto* p = reinterpret_cast<const unsigned char*>(der.constData());
        X509* cert = d2i_X509(nullptr, &p, der.size());
        unsigned char* name = nullptr;
        const int length = cert ? i2d_X509_NAME(X509_get_subject_name(cert), &name) : 0;
        QByteArray subject(reinterpret_cast<const char*>(name), std::max(length, 0));
        OPENSSL_free(name);
        X509_free(cert);
        void* module = dlopen(QFile::encodeName(kSoftHsmModule).constData(), RTLD_NOW | RTLD_LOCAL);
        auto* getList =
            module ? reinterpret_cast<CK_C_GetFunctionList>(dlsym(module, "C_GetFunctionList")) : nullptr;
        CK_FUNCTION_LIST* f = nullptr;
        if (!getList || getList(&f) != CKR_OK) {
            failure = QStringLiteral("SoftHSM2 non si carica");
            return;
        }
        f->C_Initialize(nullptr);
        CK_ULONG n = 8;
        CK_SLOT_ID slotIds[8] = {}; // the initialised token first, then SoftHSM's free slot
        const CK_SLOT_ID slot = f->C_GetSlotList(CK_TRUE, slotIds, &n) == CKR_OK ? slotIds[0] : 0;
        CK_SESSION_HANDLE session = 0;
        QByteArray pin = kTokenPin;
        f->C_OpenSession(slot, CKF_SERIAL_SESSION | CKF_RW_SESSION, nullptr, nullptr, &session);
        f->C_Login(session, CKU_USER, reinterpret_cast<CK_UTF8CHAR*>(pin.data()), CK_ULONG(pin.size()));
        CK_OBJECT_CLASS kind = CKO_CERTIFICATE;
        CK_CERTIFICATE_TYPE type = CKC_X_509;
        CK_BBOOL yes = CK_TRUE;
        unsigned char id[] = {0xa1};
        char label[] = "firma";
        CK_ATTRIBUTE attributes[] = {{CKA_CLASS, &kind, sizeof kind},
                                     {CKA_CERTIFICATE_TYPE, &type, sizeof type},
                                     {CKA_TOKEN, &yes, sizeof yes},
                                     {CKA_ID, id, sizeof id},
                                     {CKA_LABEL, label, sizeof label - 1},
                                     {CKA_VALUE, der.data(), CK_ULONG(der.size())},
                                     {CKA_SUBJECT, subject.data(), CK_ULONG(subject.size())}};
        CK_OBJECT_HANDLE object = 0;
        if (const CK_RV rv = f->C_CreateObject(session, attributes, 7, &object); rv != CKR_OK)
            failure = QStringLiteral("il certificato non entra nel token (0x%1)").arg(rv, 0, 16);
        f->C_Logout(session);
        f->C_CloseSession(session);
        f->C_Finalize(nullptr);
        dlclose(module);
    }
};

} // namespace quadrelo::testing
