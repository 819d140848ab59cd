// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "field_entry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quadrelo {

enum Page {
    PageRichiedente,
    PageImmobile,
    PageIllecito,
    PageTipologia,
    PageOblazione,
    PageAnticipazione,
    PageRiepilogo,
    PageAreeStato,
    PageAllegati,
    PageCount
};

enum class FieldKind {
    Text,   // single-line text (upper case when its rules say so)
    Digits, // 0-9 only
    NumberText,
    Date,
    Choice,    // radio button of a group
    Flag,      // check box
    List,      // drop-down with items; other text may be typed
    FixedList, // drop-down; only its items
    Memo,
    Result, // caption showing a figure
};

// One field of the practice as the main window shows it.
struct FieldSpec {
    QString name;    // designer name
    int page = 0;    // tab page
    QString group;   // group box title, empty when the field stands alone
    QString caption; // caption beside the field (or the button's own text)
    FieldKind kind = FieldKind::Text;
    EntryRules rules;
    QStringList items; // lists only
};

QStringList pageTitles();
const QList<FieldSpec>& fieldCatalogue();
// nullptr for a name that is no field.
const FieldSpec* fieldSpec(const QString& name);

// The ten street types of ComboBox1 and ComboBox2.
QStringList streetTypes();

// Long descriptions shown beside the six typology buttons (index 0 = typology 1).
QStringList typologyDescriptions();

} // namespace quadrelo
