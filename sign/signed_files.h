// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "pades.h"
#include "signing_key.h"

#include <QString>

namespace quadrelo::sign {

enum class Format {
    Pades, // the signature inside the PDF, which stays a .pdf
    Cades, // the PDF inside a signed envelope, "nome.pdf.p7m"
};

// The file a signed PDF goes to: the PDF's own name for PAdES, ".p7m" added for CAdES.
QString signedPath(const QString& pdfPath, Format format);

// Why the signed file of `pdfPath` may not be written, empty when it may: a new name, or an
// existing PDF (PAdES) or envelope (CAdES); never a folder, a device or a file of other content.
QString signedTargetProblem(const QString& pdfPath, Format format);

// The PDF's bytes signed: the PDF with its signature (PAdES) or the envelope (CAdES).
// A `stamp` makes a PAdES signature visible there.
QByteArray signedBytes(const QByteArray& pdf, SigningKey& key, Format format,
                       const std::optional<Stamp>& stamp = std::nullopt);

// Signs the PDF's bytes and writes the result to signedPath() through the checked writer. The
// signature is complete before anything is written: a failed one (SignError) or a failed write
// (IoError) leaves whatever was there as it was.
void writeSignedPdf(const QString& pdfPath, const QByteArray& pdf, SigningKey& key, Format format,
                    const std::optional<Stamp>& stamp = std::nullopt);

// How a document already signed in an envelope gets one more signature.
enum class Countersign {
    SameFile, // a parallel signature in the same envelope: the name stays "nome.pdf.p7m"
    Nested,   // the whole envelope inside a new one: "nome.pdf.p7m.p7m"
};

// Signs a file already written: a PDF as `format` says, an envelope (".p7m") as `countersign`
// says. Returns the file written.
QString signExistingFile(const QString& path, SigningKey& key, Format format,
                         Countersign countersign = Countersign::SameFile);

} // namespace quadrelo::sign
