// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_places.h"

#include "ui/common/message_windows.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quadrelo {

namespace {

QSettings settings() {
    return QSettings(QStringLiteral("Quadrelo"), QStringLiteral("Quadrelo 2004"));
}

// Window tests keep the user's settings untouched unless they asked for settings of their own.
bool remembered() {
    return !MessageWindows::testMode() || QStandardPaths::isTestModeEnabled();
}

const QString kFolders = QStringLiteral("archivio/cartelle");
const QString kRecent = QStringLiteral("recenti");

QString cleanFolder(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

void writeRecent(const QList<RecentPractice>& recent) {
    QSettings s = settings();
    s.remove(kRecent);
    s.beginWriteArray(kRecent, int(recent.size()));
    for (int i = 0; i < recent.size(); ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("file"), recent.at(i).path);
        s.setValue(QStringLiteral("richiedente"), recent.at(i).applicant);
    }
    s.endArray();
}

} // namespace

QStringList PracticePlaces::folders() {
    if (!remembered()) return {};
    return settings().value(kFolders).toStringList().mid(0, kMaxFolders);
}

void PracticePlaces::addFolder(const QString& folder) {
    if (folder.isEmpty() || !remembered()) return;
    const QString clean = cleanFolder(folder);
    QStringList list = folders();
    list.removeAll(clean);
    list.prepend(clean);
    settings().setValue(kFolders, list.mid(0, kMaxFolders));
}

void PracticePlaces::removeFolder(const QString& folder) {
    if (!remembered()) return;
    QStringList list = folders();
    list.removeAll(cleanFolder(folder));
    settings().setValue(kFolders, list);
}

QList<RecentPractice> PracticePlaces::recentPractices() {
    if (!remembered()) return {};
    QSettings s = settings();
    QList<RecentPractice> recent;
    const int n = s.beginReadArray(kRecent);
    for (int i = 0; i < n && recent.size() < kMaxRecent; ++i) {
        s.setArrayIndex(i);
        const QString path = s.value(QStringLiteral("file")).toString();
        if (!path.isEmpty())
            recent << RecentPractice{path, s.value(QStringLiteral("richiedente")).toString()};
    }
    s.endArray();
    return recent;
}

void PracticePlaces::practiceUsed(const QString& path, const QString& applicant) {
    if (!remembered()) return;
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QList<RecentPractice> recent = recentPractices();
    recent.removeIf([&clean](const RecentPractice& r) { return r.path == clean; });
    recent.prepend(RecentPractice{clean, applicant.simplified()});
    writeRecent(recent.mid(0, kMaxRecent));
    addFolder(QFileInfo(clean).absolutePath());
}

void PracticePlaces::forgetPractice(const QString& path) {
    if (!remembered()) return;
    QList<RecentPractice> recent = recentPractices();
    recent.removeIf([&path](const RecentPractice& r) { return r.path == path; });
    writeRecent(recent);
}

} // namespace quadrelo
