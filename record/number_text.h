// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>

namespace quadrelo {

// Figure -> number text: decimal comma, two decimals, no grouping ("1234,50").
QString Formatta(double value);

// Number text -> figure. Throws ConversionError on anything that is no decimal number.
double Leggimi(const QString& text);

// The rule every Exit handler reads its inputs by: empty text or a bare "," counts as 0.
// An input holds the figure it shows, at two decimals: a text with more (a file can hold
// one) counts as written back, so a saved practice reopens with the same figures.
double leggiInput(const QString& text);

// True when an input's text counts as empty for the reading rule.
bool inputVuoto(const QString& text);

} // namespace quadrelo
