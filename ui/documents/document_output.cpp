// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_output.h"

#include "documents/report_data.h"
#include "report_preview.h"
#include "ui/common/error_box.h"

namespace quadrelo {

namespace {
std::function<void(const QString&, const QStringList&)>& sink() {
    static std::function<void(const QString&, const QStringList&)> s;
    return s;
}
} // namespace

void setDocumentSink(std::function<void(const QString&, const QStringList&)> s) {
    sink() = std::move(s);
}

void printDocument(QWidget* owner, PracticeForm& form, const QString& reportName) {
    const QStringList row = RvCustomConnection1GetRow(form);
    if (sink()) {
        sink()(reportName, row);
        return;
    }
    guarded(owner, [&] { runReport(owner, reportName, columnNames(), row, sheetHeading(form)); });
}

} // namespace quadrelo
