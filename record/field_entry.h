// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <utility>

namespace quadrelo {

// How a field treats the keys typed into it (and text pasted into it, which goes
// through the same filter character by character).
enum class KeyFamily {
    Ordinary,     // the toolkit's own handling
    Text,         // everything; Enter moves on and is consumed
    TaxCode,      // everything but the space; Enter moves on
    Digits,       // 0-9 only; Enter moves on
    NumberText,   // 0-9 and one ","; "." becomes ","; Enter moves on
    FlagOrChoice, // Enter moves on, the key then goes on to the control
    Date,         // Enter moves on and is consumed
};

struct EntryRules {
    KeyFamily family = KeyFamily::Ordinary;
    bool upper = false; // letters stored and shown in upper case
    int maxLength = 0;  // 0 = no limit
};

// The characters of `inserted` that survive when they are typed or pasted into a field
// between `head` and `tail` (its text apart from the insertion). A number text takes two
// decimals at most: a figure is shown, saved and read back with two.
QString filterInsertion(const EntryRules& rules, const QString& head, const QString& inserted,
                        const QString& tail = QString());

// A field's text was about to change from `before` to `proposed` (typing, pasting,
// dropping, deleting): returns the text the field accepts and moves `cursor` with it.
QString applyEdit(const EntryRules& rules, const QString& before, const QString& proposed, int& cursor);

// Text pasted or dropped into a field, taken whole: a number field takes one number in
// Italian notation (thousands dots, decimal comma, or a lone decimal point) in its own form,
// and nothing else; the other fields filter it as typed text. nullopt: refused, the field
// stays as it was.
// `replaced` (start, length) names the part of `before` the paste went over when the field
// knows it (its selection); otherwise it is found from the two texts.
std::optional<QString> applyPaste(const EntryRules& rules, const QString& before, const QString& proposed,
                                  int& cursor, std::optional<std::pair<int, int>> replaced = std::nullopt);

// A number as a person writes it ("1.234,50", "1234,5", "12.5"), in the form a field of
// `family` holds it ("1234,50"); nullopt when it is no number that field can take.
std::optional<QString> numberInFieldForm(KeyFamily family, const QString& text);

// A date typed or pasted as day, month, year: "12/05/1960", "12-05-1960", "1/5/1960",
// "12051960", "12/05/60". Parts left out ("15/10", "15") come from `previous`. nullopt for
// anything that is not a real date; never another date.
std::optional<QDate> readTypedDate(const QString& text, QDate previous);

// Where Enter leads from a field of the main window.
struct EnterStep {
    QString target; // control (or group box) that receives the focus; empty: none
    int page = -1;  // tab page brought to the front first, -1 to stay
    bool consumed = true;
};

// Enter pressed in `control` of the main window; no target for fields without an order.
EnterStep enterStep(const QString& control);

} // namespace quadrelo
