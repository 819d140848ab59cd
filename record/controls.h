// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDate>
#include <QString>

namespace quadrelo {

// What each kind of control of a window shows. The form state holds one of these per
// control, under the control's designer name.

struct EditState {
    QString text;
    bool enabled = true;
};

struct CaptionState {
    QString text;
    bool highlighted = false; // yellow instead of white
    bool enabled = true;
};

struct CheckState {
    bool checked = false;
};

struct RadioState {
    bool checked = false;
};

struct ComboState {
    int itemIndex = -1; // -1: no item chosen, `text` is what the box shows
    QString text;
    bool enabled = true;
};

struct DateState {
    QDate date;
};

struct MemoState {
    QString text;
};

} // namespace quadrelo
