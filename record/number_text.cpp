// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "number_text.h"

#include "errors.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quadrelo {

namespace {

// Adds one unit at the last position of a digit string; returns true on carry out.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
        } else {
            ++*it;
            return false;
        }
    }
    return true;
}

} // namespace

QString Formatta(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    // 18 significant digits first, rounded to nearest: "d.ddddddddddddddddde±x".
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17);
    const std::string text(buffer, written.ptr);
    const auto ePos = text.find('e');
    std::string mantissa = text.substr(0, 1) + text.substr(2, ePos - 2); // 18 digits
    int exponent = std::atoi(text.c_str() + ePos + 1);

    // Position the decimal point: integer part = first (exponent + 1) digits.
    std::string integerPart;
    std::string fraction;
    if (exponent >= 0) {
        const auto intLen = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() < intLen) mantissa.append(intLen - mantissa.size(), '0');
        integerPart = mantissa.substr(0, intLen);
        fraction = mantissa.substr(intLen);
    } else {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    fraction.append(3, '0');

    // Half up on the digit string at two decimals.
    std::string kept = integerPart + fraction.substr(0, 2);
    if (fraction[2] >= '5' && incrementDigits(kept)) kept.insert(kept.begin(), '1');
    const std::string whole = kept.substr(0, kept.size() - 2);
    const std::string cents = kept.substr(kept.size() - 2);

    std::size_t firstNonZero = whole.find_first_not_of('0');
    const std::string wholeTrimmed = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    const bool isZero = wholeTrimmed == "0" && cents == "00";
    const bool negative = std::signbit(value) && !isZero;
    return QString::fromLatin1((negative ? "-" : "") + wholeTrimmed + "," + cents);
}

double Leggimi(const QString& text) {
    QString normalized = text;
    const auto comma = normalized.indexOf(QLatin1Char(','));
    if (comma >= 0) normalized[comma] = QLatin1Char('.');

    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (number.match(normalized).hasMatch()) {
        // from_chars ignores the process locale, which Qt sets from the environment.
        QByteArray latin = normalized.toLatin1();
        if (latin.startsWith('+')) latin.remove(0, 1);
        double value = 0;
        const char* last = latin.constData() + latin.size();
        const auto parsed = std::from_chars(latin.constData(), last, value);
        if (parsed.ec == std::errc() && parsed.ptr == last && std::isfinite(value)) return value;
    }
    throw ConversionError(QStringLiteral("'%1' non è un valore numerico valido").arg(text));
}

bool inputVuoto(const QString& text) {
    return text.isEmpty() || text == QLatin1String(",");
}

double leggiInput(const QString& text) {
    return inputVuoto(text) ? 0.0 : Leggimi(Formatta(Leggimi(text)));
}

} // namespace quadrelo
