// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "certificate.h"

#include "openssl_support.h"

#include <openssl/asn1.h>
#include <openssl/x509v3.h>

namespace quadrelo::sign {

namespace {

QString entry(const X509_NAME* name, int nid) {
    const int at = X509_NAME_get_index_by_NID(name, nid, -1);
    if (at < 0) return {};
    const ASN1_STRING* value = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, at));
    unsigned char* utf8 = nullptr;
    const int n = ASN1_STRING_to_UTF8(&utf8, value);
    const QString text = n >= 0 ? QString::fromUtf8(reinterpret_cast<const char*>(utf8), n) : QString();
    OPENSSL_free(utf8);
    return text;
}

QDateTime dateTime(const ASN1_TIME* time) {
    struct tm parts {};
    if (!ASN1_TIME_to_tm(time, &parts)) return {};
    return QDateTime(QDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday),
                     QTime(parts.tm_hour, parts.tm_min, parts.tm_sec), Qt::UTC);
}

} // namespace

CertificateInfo describeCertificate(const QByteArray& der) {
    const X509Ptr cert = parseCertificate(der);
    if (!cert) {
        clearErrors();
        throw SignError(QStringLiteral("Il certificato non è leggibile."));
    }
    CertificateInfo info;
    info.der = der;
    const X509_NAME* subject = X509_get_subject_name(cert.get());
    info.holder = entry(subject, NID_commonName);
    if (info.holder.isEmpty())
        info.holder =
            (entry(subject, NID_givenName) + QLatin1Char(' ') + entry(subject, NID_surname)).trimmed();
    const QString serial = entry(subject, NID_serialNumber);
    if (serial.startsWith(QLatin1String("TINIT-"))) info.taxCode = serial.mid(6);
    const X509_NAME* issuer = X509_get_issuer_name(cert.get());
    info.issuer = entry(issuer, NID_organizationName);
    if (info.issuer.isEmpty()) info.issuer = entry(issuer, NID_commonName);
    info.validFrom = dateTime(X509_get0_notBefore(cert.get()));
    info.validTo = dateTime(X509_get0_notAfter(cert.get()));
    // Without the extension the key may do anything.
    const uint32_t usage = X509_get_key_usage(cert.get());
    info.signingUsage = usage == UINT32_MAX || (usage & (KU_DIGITAL_SIGNATURE | KU_NON_REPUDIATION));
    clearErrors();
    return info;
}

QString validityText(const CertificateInfo& c) {
    const QString format = QStringLiteral("dd/MM/yyyy");
    return QStringLiteral("dal %1 al %2")
        .arg(c.validFrom.toLocalTime().toString(format), c.validTo.toLocalTime().toString(format));
}

QString certificateProblem(const CertificateInfo& c, const QDateTime& when) {
    const QString who = c.holder.isEmpty() ? QStringLiteral("senza nome") : c.holder;
    if (!c.validTo.isValid() || when > c.validTo)
        return QStringLiteral("Il certificato di %1 è scaduto il %2: non può firmare.")
            .arg(who, c.validTo.toLocalTime().toString(QStringLiteral("dd/MM/yyyy")));
    if (!c.validFrom.isValid() || when < c.validFrom)
        return QStringLiteral("Il certificato di %1 è valido solo dal %2: non può ancora firmare.")
            .arg(who, c.validFrom.toLocalTime().toString(QStringLiteral("dd/MM/yyyy")));
    if (!c.signingUsage)
        return QStringLiteral("Il certificato di %1 non è un certificato di firma (il suo uso non "
                              "comprende la firma digitale).")
            .arg(who);
    return {};
}

} // namespace quadrelo::sign
