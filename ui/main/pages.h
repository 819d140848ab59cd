// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QString>

class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;

namespace quadrelo {

class FormBinding;

// The nine tab pages of the main window, in their order. Each builds its controls through the
// binding, so that they carry their designer names and follow the practice.
QWidget* buildApplicantPage(FormBinding& b);   // "Richiedente"
QWidget* buildPropertyPage(FormBinding& b);    // "Immobile"
QWidget* buildOffencePage(FormBinding& b);     // "Illecito"
QWidget* buildTypologyPage(FormBinding& b);    // "Tipologia abuso"
QWidget* buildOblationPage(FormBinding& b);    // "Calcolo oblazione"
QWidget* buildAdvancePage(FormBinding& b);     // "Calcolo anticipazione oneri"
QWidget* buildSummaryPage(FormBinding& b);     // "Riepilogo versamenti"
QWidget* buildStateLandPage(FormBinding& b);   // "Aree dello Stato"
QWidget* buildAttachmentsPage(FormBinding& b); // "Allegati"

namespace page {

// Caption and group title of a field as the catalogue gives them.
QString captionOf(const QString& field);
QString groupOf(const QString& field);

QWidget* newPage(const QString& name);
// A group box with a grid inside, compact margins.
QGridLayout* gridIn(QGroupBox* group);
// Caption of a field, at the left of its control.
QLabel* fieldLabel(const QString& text);
// Column heading of a calculation table: centred, wrapped, small capitals as given.
QLabel* heading(const QString& text);
// Fixed width for a short field, in characters of the current font.
void setChars(QWidget* field, int chars);

} // namespace page

} // namespace quadrelo
