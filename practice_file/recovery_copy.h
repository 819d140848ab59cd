// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

namespace quadrelo {

// What a recovery copy holds: the practice as it would be saved, the file it belongs to
// ("-1" for none) and a digest of that file as the program last read or wrote it.
struct RecoveredPractice {
    QString copyPath;
    QString fileName = QStringLiteral("-1");
    QByteArray diskDigest;
    QByteArray practice;
    QString applicant; // surname and name, as the practice holds them
    QDateTime written;
    // Held while the copy is offered, so that no other program offers it at the same time.
    std::shared_ptr<QLockFile> lock;
};

// The recovery copy of one running program, in the user's private folder. Each program has
// its own copy, held under a lock for as long as it runs: another program only ever offers
// copies whose lock nobody holds any more, that is of programs that did not end normally.
class RecoveryCopy {
public:
    explicit RecoveryCopy(QString folder = defaultFolder());
    ~RecoveryCopy(); // a normal end: the copy goes with the program

    // Writes the copy through the checked writer. Throws IoError.
    void write(const QByteArray& practice, const QString& fileName, const QByteArray& diskDigest);
    void remove();
    bool exists() const;
    QString path() const { return path_; }
    QString folder() const { return folder_; }

    // $XDG_STATE_HOME/quadrelo, by default ~/.local/state/quadrelo: a folder of the user's own,
    // never the work folder, which others may share and plant links in.
    static QString defaultFolder();
    // Creates `folder` (mode 0700) when missing. Throws IoError naming it when it is a link,
    // not a folder, another user's, or writable by others.
    static void checkPrivateFolder(const QString& folder);

    // The user's own copies in `folder` left by programs that are no longer running, oldest
    // first. A copy that cannot be read or is damaged is renamed aside and its new path added
    // to `setAside`, so that it is reported once; those set aside a month ago go.
    static QList<RecoveredPractice> abandoned(const QString& folder, QStringList* setAside = nullptr);
    // Reads a copy; an empty copyPath when the file is not one.
    static RecoveredPractice read(const QString& copyPath);
    // Deletes an abandoned copy, then its lock.
    static void discard(RecoveredPractice& copy);

    static QByteArray digest(const QByteArray& bytes);

private:
    QString folder_;
    QString path_;
    bool created_ = false; // the copy's name was taken by this program
    std::unique_ptr<QLockFile> lock_;
};

} // namespace quadrelo
