// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/errors.h"

#include <QString>
#include <exception>
#include <new>
#include <utility>

class QWidget;

namespace quadrelo {

// The application's standard error box: critical icon, title "Quadrelo 2004", one "OK".
// In the message windows' test mode the text is only recorded (MessageWindows::shownMessages).
void showErrorBox(QWidget* parent, const QString& message);

// Runs one user action and reports whatever stops it in the standard error box, so that no
// exception ever crosses a Qt event handler. True when the action ran to its end.
template <class F> bool guarded(QWidget* parent, F&& action) {
    try {
        std::forward<F>(action)();
        return true;
    } catch (const Error& e) {
        showErrorBox(parent, e.message());
    } catch (const std::bad_alloc&) {
        showErrorBox(parent, QStringLiteral("Memoria insufficiente per completare l'operazione."));
    } catch (const std::exception& e) {
        showErrorBox(parent, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showErrorBox(parent, QStringLiteral("Errore imprevisto: l'operazione è stata interrotta."));
    }
    return false;
}

} // namespace quadrelo
