// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace quadrelo {

class PracticeForm;

// Runs a report by name on the practice as it is now: the data row is composed afresh and
// the document goes to the preview. A name the report project lacks does nothing.
void printDocument(QWidget* owner, PracticeForm& form, const QString& reportName);

// Tests see the reports run instead of a modal preview.
void setDocumentSink(std::function<void(const QString& reportName, const QStringList& row)> sink);

} // namespace quadrelo
