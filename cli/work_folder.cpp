// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "work_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quadrelo {

QStringList workFolderFiles() {
    return {QStringLiteral("taba.dat"), QStringLiteral("tabb.dat"), QStringLiteral("tabc.dat"),
            QStringLiteral("tabd.dat"), QStringLiteral("tec.dat"),  QStringLiteral("quadrelo.hlp")};
}

QString installedDataFolder() {
    // Beside the program first: a copy unpacked elsewhere, or the build tree, uses its own data.
    QStringList candidates{QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quadrelo")};
    for (const QString& root : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << root + QStringLiteral("/quadrelo");
    for (const QString& folder : candidates)
        if (QFileInfo::exists(folder + QStringLiteral("/taba.dat"))) return QDir::cleanPath(folder);
    return {};
}

QString chooseWorkFolder(const QString& option) {
    if (!option.isEmpty()) return QDir::current().absoluteFilePath(option);
    if (QFileInfo::exists(QStringLiteral("taba.dat"))) return QDir::currentPath();
    return QDir::home().filePath(QStringLiteral("Quadrelo2004"));
}

QString enterWorkFolder(const QString& folder, const QString& installed) {
    const QString path = QDir::cleanPath(folder);
    if (!QDir().mkpath(path) || !QDir::setCurrent(path)) {
        if (installed.isEmpty())
            return QStringLiteral("Impossibile creare la cartella di lavoro %1.").arg(path);
        QDir::setCurrent(installed);
        return QStringLiteral("Impossibile creare la cartella di lavoro %1: si usano le tabelle "
                              "installate in %2, che non si possono modificare.")
            .arg(path, installed);
    }
    if (installed.isEmpty() || QFileInfo(installed) == QFileInfo(path)) return {};

    QStringList failed;
    for (const QString& name : workFolderFiles()) {
        const QString target = QDir(path).filePath(name);
        // exists() is false for a dangling link too; never write through it.
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) continue;
        const QString source = QDir(installed).filePath(name);
        if (!QFileInfo::exists(source)) continue;
        if (!QFile::copy(source, target)) {
            failed << name;
            continue;
        }
        // The installed copy may be read-only; the user's copy is theirs to change.
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    if (failed.isEmpty()) return {};
    return QStringLiteral("Impossibile copiare %1 nella cartella di lavoro %2.")
        .arg(failed.join(QStringLiteral(", ")), path);
}

QString takeFolderOption(QStringList& arguments) {
    QString folder;
    for (int i = 0; i < arguments.size();) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--cartella") && i + 1 < arguments.size()) {
            folder = arguments.at(i + 1);
            arguments.remove(i, 2);
        } else if (a.startsWith(QLatin1String("--cartella="))) {
            folder = a.mid(11);
            arguments.remove(i);
        } else {
            ++i;
        }
    }
    return folder;
}

} // namespace quadrelo
