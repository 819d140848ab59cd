// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quadrelo {

// A practice recently opened or saved, with the applicant it was about at the time.
struct RecentPractice {
    QString path;
    QString applicant;
};

// Where the studio keeps its practices, remembered across runs: the folders practices were
// opened from or saved to (and those added in the archive), and the last practices used.
struct PracticePlaces {
    static constexpr int kMaxFolders = 10;
    static constexpr int kMaxRecent = 8;

    // Most recent first.
    static QStringList folders();
    static void addFolder(const QString& folder);
    static void removeFolder(const QString& folder);

    static QList<RecentPractice> recentPractices();
    // A practice opened or saved: first among the recent ones, its folder first among folders.
    static void practiceUsed(const QString& path, const QString& applicant);
    static void forgetPractice(const QString& path);
};

} // namespace quadrelo
