// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
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
    QDateTime written;
    // Held while the copy is offered, so that no other program offers it at the same time.
    std::shared_ptr<QLockFile> lock;
};

// The recovery copy of one running program, in the work folder. Each program has its own
// copy, held under a lock for as long as it runs: another program only ever offers copies
// whose lock nobody holds any more, that is of programs that did not end normally.
class RecoveryCopy {
public:
    explicit RecoveryCopy(QString folder);
    ~RecoveryCopy(); // a normal end: the copy goes with the program

    // Writes the copy through the checked writer. Throws IoError.
    void write(const QByteArray& practice, const QString& fileName, const QByteArray& diskDigest);
    void remove();
    bool exists() const;
    QString path() const { return path_; }

    // Copies in `folder` left by programs that are no longer running, oldest first.
    static QList<RecoveredPractice> abandoned(const QString& folder);
    // Reads a copy; an empty copyPath when the file is not one.
    static RecoveredPractice read(const QString& copyPath);
    // Deletes an abandoned copy, then its lock.
    static void discard(RecoveredPractice& copy);

    static QByteArray digest(const QByteArray& bytes);

private:
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace quadrelo
