// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>
#include <QStringList>

namespace quadrelo {

// The files the program keeps in its work folder: the tables, the technician and the guide.
QStringList workFolderFiles();

// Where the installed copies of those files are: share/quadrelo beside the program's own
// prefix, else the system data folders. Empty when none holds the tables.
QString installedDataFolder();

// The work folder for this start: the folder named by --cartella (relative to the current
// directory), else the current directory when it holds taba.dat, else ~/Quadrelo2004.
QString chooseWorkFolder(const QString& option);

// Creates the work folder, copies in the installed files it lacks (never over the user's own)
// and makes it the current directory. When the folder cannot be made, the current directory
// becomes the installed data folder so that the installed tables are read. Returns what could
// not be done, in Italian, or an empty text.
QString enterWorkFolder(const QString& folder, const QString& installed = installedDataFolder());

// Takes "--cartella DIR" or "--cartella=DIR" out of arguments; the folder, or an empty text.
QString takeFolderOption(QStringList& arguments);

} // namespace quadrelo
