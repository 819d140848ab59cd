// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "signed_files.h"

#include "cades.h"
#include "pades.h"
#include "record/text_file.h"

namespace quadrelo::sign {

namespace {
// A signed PDF carries a few kilobytes more than the largest document the program writes.
constexpr qint64 kSignedFileLimit = 64 * 1024 * 1024;
} // namespace

QString signedPath(const QString& pdfPath, Format format) {
    return format == Format::Cades ? pdfPath + QStringLiteral(".p7m") : pdfPath;
}

QString signedTargetProblem(const QString& pdfPath, Format format) {
    if (format == Format::Pades)
        return replacementProblem(pdfPath, QStringLiteral("PDF"), QByteArrayLiteral("%PDF-"),
                                  QStringLiteral("file PDF"), QStringLiteral("il PDF"));
    // An envelope is DER: it begins with a SEQUENCE.
    return replacementProblem(signedPath(pdfPath, format), QStringLiteral("p7m"), QByteArray(1, '\x30'),
                              QStringLiteral("file firmato .p7m"), QStringLiteral("la busta firmata"));
}

QByteArray signedBytes(const QByteArray& pdf, SigningKey& key, Format format,
                       const std::optional<Stamp>& stamp) {
    return format == Format::Cades ? cadesEnvelope(pdf, key)
                                   : padesSign(pdf, key, QDateTime::currentDateTimeUtc(), stamp);
}

void writeSignedPdf(const QString& pdfPath, const QByteArray& pdf, SigningKey& key, Format format,
                    const std::optional<Stamp>& stamp) {
    const QByteArray bytes = signedBytes(pdf, key, format, stamp);
    writeBytes(signedPath(pdfPath, format), bytes);
}

QString signExistingFile(const QString& path, SigningKey& key, Format format, Countersign countersign) {
    const QByteArray bytes = readFileBytes(path, kSignedFileLimit);
    if (!path.endsWith(QLatin1String(".p7m"), Qt::CaseInsensitive)) {
        writeSignedPdf(path, bytes, key, format);
        return signedPath(path, format);
    }
    if (countersign == Countersign::Nested) {
        const QString nested = path + QStringLiteral(".p7m");
        writeBytes(nested, cadesEnvelope(bytes, key));
        return nested;
    }
    writeBytes(path, addCadesSigner(bytes, key));
    return path;
}

} // namespace quadrelo::sign
