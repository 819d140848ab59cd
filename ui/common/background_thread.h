// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <pthread.h>
#include <sched.h>

namespace quadrelo {

// For a helper thread whose work the window needs only later: from now on it runs when a processor
// is free and never takes one from the window's thread, which a new thread otherwise does at once.
// Refused, the thread runs as before.
inline void runWhenProcessorFree() {
    const sched_param none{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
}

} // namespace quadrelo
