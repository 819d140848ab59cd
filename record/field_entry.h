#pragma once

#include <QString>

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
// whose text, apart from the insertion, is `remaining`.
QString filterInsertion(const EntryRules& rules, const QString& remaining, const QString& inserted);

// A field's text was about to change from `before` to `proposed` (typing, pasting,
// dropping, deleting): returns the text the field accepts and moves `cursor` with it.
QString applyEdit(const EntryRules& rules, const QString& before, const QString& proposed, int& cursor);

// Where Enter leads from a field of the main window.
struct EnterStep {
    QString target; // control (or group box) that receives the focus; empty: none
    int page = -1;  // tab page brought to the front first, -1 to stay
    bool consumed = true;
};

// Enter pressed in `control` of the main window; no target for fields without an order.
EnterStep enterStep(const QString& control);

} // namespace quadrelo
