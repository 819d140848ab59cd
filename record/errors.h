// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>
#include <exception>

namespace quadrelo {

// An operation that stops at a failure throws one of these; the shell catches it at the
// edge of the user action and shows the message in the standard error box.
class Error : public std::exception {
public:
    explicit Error(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Text that is no number where a number is expected.
class ConversionError : public Error {
public:
    using Error::Error;
};

// A file that cannot be opened, read or written.
class IoError : public Error {
public:
    using Error::Error;
};

} // namespace quadrelo
