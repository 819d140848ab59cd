// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "field_entry.h"

#include <QHash>
#include <QRegularExpression>

namespace quadrelo {

namespace {

qsizetype decimalsOf(const QString& text) {
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return comma < 0 ? 0 : text.size() - comma - 1;
}

} // namespace

QString filterInsertion(const EntryRules& rules, const QString& head, const QString& inserted,
                        const QString& tail) {
    QString accepted;
    accepted.reserve(inserted.size());
    bool hasComma = head.contains(QLatin1Char(',')) || tail.contains(QLatin1Char(','));
    for (QChar c : inserted) {
        switch (rules.family) {
        case KeyFamily::Digits:
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
            break;
        case KeyFamily::NumberText:
            if (c == QLatin1Char('.')) c = QLatin1Char(',');
            if (c == QLatin1Char(',')) {
                if (hasComma) continue;
                hasComma = true;
            } else if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                continue;
            }
            // A third decimal is dropped, unless the text already had more (from a file).
            if (const qsizetype d = decimalsOf(head + accepted + c + tail);
                d > 2 && d > decimalsOf(head + accepted + tail)) {
                if (c == QLatin1Char(',')) hasComma = false;
                continue;
            }
            break;
        case KeyFamily::TaxCode:
            if (c == QLatin1Char(' ')) continue;
            break;
        default:
            break;
        }
        // A single-line field never holds a line break.
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) continue;
        accepted.append(rules.upper ? c.toUpper() : c);
    }
    return accepted;
}

namespace {

// What an edit kept of the text before it (head and tail) and what it put in between.
struct EditSplit {
    QString head;
    QString inserted;
    QString tail;
};

EditSplit splitEdit(const QString& before, const QString& proposed, int cursor) {
    // The edit replaced before[prefix, before.size()-suffix) by proposed[prefix, proposed.size()-suffix).
    qsizetype prefix = 0;
    const qsizetype shortest = std::min(before.size(), proposed.size());
    // The cursor marks the end of what was typed: the common prefix cannot run past it.
    const qsizetype prefixLimit = std::clamp<qsizetype>(cursor, 0, shortest);
    while (prefix < prefixLimit && before[prefix] == proposed[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix &&
           before[before.size() - 1 - suffix] == proposed[proposed.size() - 1 - suffix])
        ++suffix;
    return {before.left(prefix), proposed.mid(prefix, proposed.size() - prefix - suffix),
            before.right(suffix)};
}

} // namespace

QString applyEdit(const EntryRules& rules, const QString& before, const QString& proposed, int& cursor) {
    const auto [head, inserted, tail] = splitEdit(before, proposed, cursor);
    QString accepted = filterInsertion(rules, head, inserted, tail);
    if (rules.maxLength > 0) {
        const qsizetype room = std::max<qsizetype>(0, rules.maxLength - head.size() - tail.size());
        accepted.truncate(room);
    }
    cursor = static_cast<int>(head.size() + accepted.size());
    return head + accepted + tail;
}

std::optional<QString> numberInFieldForm(KeyFamily family, const QString& text) {
    const QString t = text.trimmed();
    QString whole;
    QString fraction;
    // Without a comma a single point is the decimal point; otherwise points group thousands.
    static const QRegularExpression pointDecimal(QStringLiteral("^(\\d+)\\.(\\d+)$"));
    static const QRegularExpression italian(QStringLiteral("^(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d+))?$"));
    if (const auto m = pointDecimal.match(t); !t.contains(QLatin1Char(',')) && m.hasMatch()) {
        whole = m.captured(1);
        fraction = m.captured(2);
    } else if (const auto n = italian.match(t); n.hasMatch()) {
        whole = n.captured(1).remove(QLatin1Char('.'));
        fraction = n.captured(2);
    } else {
        return std::nullopt;
    }
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    switch (family) {
    case KeyFamily::Digits:
        // A whole-number field takes no fraction; ",00" is none.
        for (QChar c : fraction)
            if (c != QLatin1Char('0')) return std::nullopt;
        return whole;
    case KeyFamily::NumberText:
        // Two decimals at most, as typed: zeros beyond them change nothing, other digits would.
        while (fraction.size() > 2 && fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
        if (fraction.size() > 2) return std::nullopt;
        return fraction.isEmpty() ? whole : whole + QLatin1Char(',') + fraction;
    default:
        return t;
    }
}

std::optional<QString> applyPaste(const EntryRules& rules, const QString& before, const QString& proposed,
                                  int& cursor, std::optional<std::pair<int, int>> replaced) {
    if (rules.family != KeyFamily::Digits && rules.family != KeyFamily::NumberText)
        return applyEdit(rules, before, proposed, cursor);
    EditSplit split = splitEdit(before, proposed, cursor);
    // A figure selected whole and pasted over ("10,00" by "1,5") shares a first digit with the
    // paste: only the selection tells what was replaced.
    if (replaced) {
        const auto [start, length] = *replaced;
        const QString keptHead = before.left(start);
        const QString keptTail = before.mid(start + length);
        if (start >= 0 && length >= 0 && start + length <= before.size() &&
            proposed.size() >= keptHead.size() + keptTail.size() && proposed.startsWith(keptHead) &&
            proposed.endsWith(keptTail))
            split = {keptHead,
                     proposed.mid(keptHead.size(), proposed.size() - keptHead.size() - keptTail.size()),
                     keptTail};
    }
    const auto& [head, inserted, tail] = split;
    if (inserted.isEmpty()) {
        cursor = static_cast<int>(head.size());
        return head + tail;
    }
    const std::optional<QString> number = numberInFieldForm(rules.family, inserted);
    if (!number) return std::nullopt;
    const QString result = head + *number + tail;
    // The number must stay the number the user saw: no second comma, nothing cut off.
    if (result.count(QLatin1Char(',')) > 1) return std::nullopt;
    if (rules.family == KeyFamily::NumberText &&
        decimalsOf(result) > std::max<qsizetype>(2, decimalsOf(before)))
        return std::nullopt;
    if (rules.maxLength > 0 && result.size() > rules.maxLength) return std::nullopt;
    cursor = static_cast<int>(head.size() + number->size());
    return result;
}

std::optional<QDate> readTypedDate(const QString& text, QDate previous) {
    const QString t = text.trimmed();
    QStringList parts;
    static const QRegularExpression separated(QStringLiteral("^\\d{1,4}(?:[/\\-. ]\\d{1,4}){0,2}$"));
    static const QRegularExpression packed(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})$"));
    if (const auto m = packed.match(t); m.hasMatch()) {
        parts = {m.captured(1), m.captured(2), m.captured(3)};
    } else if (separated.match(t).hasMatch()) {
        static const QRegularExpression separator(QStringLiteral("[/\\-. ]"));
        parts = t.split(separator);
    } else {
        return std::nullopt;
    }
    if (parts.at(0).size() > 2 || (parts.size() > 1 && parts.at(1).size() > 2)) return std::nullopt;
    const int day = parts.at(0).toInt();
    const int month = parts.size() > 1 ? parts.at(1).toInt() : previous.month();
    int year = previous.year();
    if (parts.size() > 2) {
        const QString& y = parts.at(2);
        if (y.size() == 4) {
            year = y.toInt();
        } else if (y.size() == 2) {
            // Two digits: the most recent such year that is not in the future.
            const int today = QDate::currentDate().year();
            year = today - today % 100 + y.toInt();
            if (year > today) year -= 100;
        } else {
            return std::nullopt;
        }
    }
    if (parts.size() < 3 && !previous.isValid()) return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

namespace {

struct Route {
    const char* from;
    const char* to;
    int page;
    bool consumed;
};

// Tab pages: 0 Richiedente, 1 Immobile, 2 Illecito, 3 Tipologia abuso, 4 Calcolo oblazione,
// 5 Calcolo anticipazione oneri, 6 Riepilogo versamenti, 7 Aree dello Stato, 8 Allegati.
constexpr Route routes[] = {
    {"Edit1", "Edit2", -1, true},
    {"Edit2", "Edit3", -1, true},
    {"Edit3", "Edit22", -1, true},
    {"Edit22", "DateTimePicker3", -1, true},
    {"DateTimePicker3", "Edit5", -1, true},
    {"Edit5", "Edit6", -1, true},
    {"Edit6", "ComboBox2", -1, true},
    {"ComboBox2", "Edit7", -1, true},
    {"Edit7", "Edit8", -1, true},
    {"Edit8", "ComboBox3", -1, true},
    {"ComboBox3", "Edit9", 1, true},
    {"Edit9", "ComboBox1", -1, true},
    {"ComboBox1", "Edit10", -1, true},
    {"Edit10", "Edit11", -1, true},
    {"Edit11", "Edit12", -1, true},
    {"Edit12", "Edit13", -1, true},
    {"Edit13", "Edit14", -1, true},
    {"Edit14", "Edit15", -1, true},
    {"Edit15", "Edit4", -1, true},
    {"Edit4", "Edit17", -1, true},
    {"Edit17", "Edit18", -1, true},
    {"Edit18", "Edit19", -1, true},
    {"Edit19", "Edit20", -1, true},
    {"Edit20", "Edit21", -1, true},
    {"Edit21", "CheckBox1", -1, true},
    {"CheckBox1", "CheckBox2", -1, false},
    {"CheckBox2", "RadioButton8", -1, false},
    {"RadioButton8", "RadioButton9", -1, false},
    {"RadioButton9", "RadioButton12", -1, false},
    {"RadioButton12", "RadioButton13", -1, false},
    {"RadioButton13", "RadioButton14", -1, false},
    {"RadioButton14", "RadioButton15", -1, false},
    {"RadioButton15", "DateTimePicker1", 2, true},
    {"DateTimePicker1", "DateTimePicker2", -1, true},
    {"DateTimePicker2", "Edit24", -1, true},
    {"Edit24", "Edit23", -1, true},
    {"Edit23", "Memo1", -1, true},
    {"Edit33", "GroupBox23", -1, true},
    {"Edit40", "Edit41", -1, true},
    {"Edit41", "Edit40", -1, true},
    {"Edit42", "Edit43", -1, true},
    {"Edit43", "Edit42", -1, true},
    {"Edit44", "Edit45", -1, true},
    {"Edit45", "Edit44", -1, true},
    {"Edit46", "Edit47", -1, true},
    {"Edit47", "Edit46", -1, true},
    {"Edit48", "Edit49", -1, true},
    {"Edit49", "Edit48", -1, true},
    {"Edit50", "Edit51", -1, true},
    {"Edit51", "Edit50", -1, true},
    {"Edit60", "GroupBox11", -1, true},
    {"Edit61", "GroupBox11", -1, true},
    {"Edit62", "GroupBox11", -1, true},
    {"Edit63", "GroupBox11", -1, true},
    {"Edit64", "GroupBox11", -1, true},
    {"Edit65", "GroupBox11", -1, true},
    {"Edit66", "GroupBox11", -1, true},
    {"Edit67", "GroupBox11", -1, true},
    {"Edit25", "GroupBox23", -1, true},
    {"Edit26", "GroupBox23", -1, true},
    {"Edit27", "GroupBox23", -1, true},
    {"Edit28", "GroupBox23", -1, true},
    {"Edit29", "GroupBox24", -1, true},
    {"Edit30", "GroupBox24", -1, true},
    {"Edit31", "GroupBox24", -1, true},
    {"Edit32", "GroupBox24", -1, true},
};

} // namespace

EnterStep enterStep(const QString& control) {
    static const QHash<QString, EnterStep> table = [] {
        QHash<QString, EnterStep> t;
        for (const Route& r : routes)
            t.insert(QLatin1String(r.from), {QLatin1String(r.to), r.page, r.consumed});
        return t;
    }();
    return table.value(control);
}

} // namespace quadrelo
