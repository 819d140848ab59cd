// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "number_text.h"

#include "errors.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quadrelo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The shape a number text must have, on ASCII with the comma already made a point:
// [+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?
bool hasNumberShape(const char* text, int length) {
    int p = 0;
    if (p < length && (text[p] == '+' || text[p] == '-')) ++p;
    int digits = 0;
    while (p < length && isDigit(text[p]))
        ++p, ++digits;
    if (p < length && text[p] == '.') {
        ++p;
        int decimals = 0;
        while (p < length && isDigit(text[p]))
            ++p, ++decimals;
        if (digits == 0 && decimals == 0) return false;
    } else if (digits == 0) {
        return false;
    }
    if (p < length && (text[p] == 'e' || text[p] == 'E')) {
        ++p;
        if (p < length && (text[p] == '+' || text[p] == '-')) ++p;
        int exponentDigits = 0;
        while (p < length && isDigit(text[p]))
            ++p, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return p == length;
}

} // namespace

QString Formatta(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0) return QStringLiteral("0,00");

    // An amount near whole cents (not halfway between two) gives those cents whatever the
    // digits beyond: below 1e12 the 18 digits are within 0,005 of them.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e12) {
        const double cents = std::nearbyint(magnitude * 100);
        if (std::fabs(magnitude * 100 - cents) < 0.4) {
            if (cents == 0) return QStringLiteral("0,00");
            char out[24];
            char* end = out + sizeof out;
            char* p = end;
            auto whole = static_cast<unsigned long long>(cents);
            const auto hundredths = unsigned(whole % 100);
            whole /= 100;
            *--p = char('0' + hundredths % 10);
            *--p = char('0' + hundredths / 10);
            *--p = ',';
            do {
                *--p = char('0' + whole % 10);
                whole /= 10;
            } while (whole);
            if (std::signbit(value)) *--p = '-';
            return QString::fromLatin1(p, end - p);
        }
    }

    // 18 significant digits first, rounded to nearest: "d.ddddddddddddddddde±x". Every caption
    // goes through here, so the digits stay in buffers on the stack.
    char scientific[48];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific - 1, std::fabs(value),
                                       std::chars_format::scientific, 17);
    *written.ptr = '\0';
    const char* ePos = std::strchr(scientific, 'e');
    const int exponent = std::atoi(ePos + 1);
    char mantissa[24];
    int mantissaLength = 0;
    mantissa[mantissaLength++] = scientific[0];
    for (const char* p = scientific + 2; p < ePos && mantissaLength < int(sizeof mantissa); ++p)
        mantissa[mantissaLength++] = *p;
    // The digits beyond the mantissa are zeros, on both sides.
    const auto digit = [&](int i) { return i >= 0 && i < mantissaLength ? mantissa[i] : '0'; };

    // The integer part (the first exponent + 1 digits, or "0") and two decimals; the place
    // before them takes a carry.
    char kept[400];
    int length = 1;
    int fractionStart = 0; // the first decimal is digit(fractionStart)
    if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i)
            kept[length++] = digit(i);
        fractionStart = exponent + 1;
    } else {
        kept[length++] = '0';
        fractionStart = exponent + 1;
    }
    kept[length++] = digit(fractionStart);
    kept[length++] = digit(fractionStart + 1);

    // Half up on the digit string at two decimals.
    int first = 1;
    if (digit(fractionStart + 2) >= '5') {
        int i = length - 1;
        for (; i >= 1 && kept[i] == '9'; --i)
            kept[i] = '0';
        if (i >= 1)
            ++kept[i];
        else
            kept[first = 0] = '1';
    }
    const int centsStart = length - 2;
    int wholeStart = first;
    while (wholeStart < centsStart - 1 && kept[wholeStart] == '0')
        ++wholeStart;
    const bool isZero = centsStart - wholeStart == 1 && kept[wholeStart] == '0' && kept[centsStart] == '0' &&
                        kept[centsStart + 1] == '0';
    const bool negative = std::signbit(value) && !isZero;

    char out[410];
    int n = 0;
    if (negative) out[n++] = '-';
    for (int i = wholeStart; i < centsStart; ++i)
        out[n++] = kept[i];
    out[n++] = ',';
    out[n++] = kept[centsStart];
    out[n++] = kept[centsStart + 1];
    return QString::fromLatin1(out, n);
}

double Leggimi(const QString& text) {
    // Read on the stack: every figure of a practice passes here several times.
    char shortText[64];
    if (text.size() < qsizetype(sizeof shortText)) {
        const int length = int(text.size());
        bool comma = false;
        bool ascii = true;
        for (int i = 0; i < length && ascii; ++i) {
            char16_t c = text.at(i).unicode();
            if (c == u',' && !comma) c = u'.', comma = true;
            ascii = c < 0x80;
            shortText[i] = char(c);
        }
        if (ascii && hasNumberShape(shortText, length)) {
            const char* first = shortText[0] == '+' ? shortText + 1 : shortText;
            double value = 0;
            const auto parsed = std::from_chars(first, shortText + length, value);
            if (parsed.ec == std::errc() && parsed.ptr == shortText + length && std::isfinite(value))
                return value;
        }
        throw ConversionError(QStringLiteral("'%1' non è un valore numerico valido").arg(text));
    }
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
