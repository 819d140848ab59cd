// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/errors.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace quadrelo::sign {

// A signature that could not be made: the key, the token or the file said no. Nothing was written.
class SignError : public Error {
public:
    using Error::Error;
};

// What the list of certificates shows of one.
struct CertificateInfo {
    QString holder;  // the subject's common name, or given name and surname
    QString taxCode; // the Italian tax code from the subject's serial number ("TINIT-…"), if any
    QString issuer;  // the issuer's organisation, or its common name
    QDateTime validFrom;
    QDateTime validTo;
    bool signingUsage = false; // the key usage allows digital signature or non-repudiation
    QByteArray der;
};

// Throws SignError when `der` is no certificate.
CertificateInfo describeCertificate(const QByteArray& der);

// Why the certificate may not sign at `when`, in Italian; empty when it may.
QString certificateProblem(const CertificateInfo& certificate,
                           const QDateTime& when = QDateTime::currentDateTimeUtc());

// "dal 01/02/2026 al 01/02/2029"
QString validityText(const CertificateInfo& certificate);

} // namespace quadrelo::sign
