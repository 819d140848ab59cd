// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// For benchmarks that compare whole programs: runs one to its end and reports what it cost.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

struct ChildCost {
    bool ok = false;
    double cpuSeconds = 0; // user and system time of the child
    double peakMiB = 0;    // its largest resident set
};

// Runs `program` with `arguments`, its output thrown away, and waits for it.
inline ChildCost runChild(const QString& program, const QStringList& arguments) {
    std::vector<QByteArray> bytes{program.toLocal8Bit()};
    for (const QString& a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ChildCost cost;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return cost;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return cost;
    cost.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    cost.peakMiB = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return cost;
}
