// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "error_box.h"

#include "message_windows.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace quadrelo {

void showErrorBox(QWidget* parent, const QString& message) {
    MessageWindows::recordShown(message);
    if (MessageWindows::testMode()) return;
    // Called from catch blocks: a failure here must not escape either.
    try {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quadrelo 2004"), message, QMessageBox::Ok,
                        parent);
        box.setDefaultButton(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.exec();
    } catch (...) {
    }
}

} // namespace quadrelo
