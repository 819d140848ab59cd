// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "recovery_copy.h"

#include "practice_file.h"
#include "record/errors.h"
#include "record/text_file.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quadrelo {

namespace {

const QString kPrefix = QStringLiteral("~Quadrelo-");
const QString kCopySuffix = QStringLiteral(".recupero");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kSetAsideSuffix = QStringLiteral(".danneggiata");
constexpr int kSetAsideDays = 30;
const QByteArray kHeader = QByteArrayLiteral("QUADRELO RECUPERO 1");

QString lockPathOf(const QString& copyPath) {
    QString lock = copyPath;
    lock.chop(kCopySuffix.size());
    return lock + kLockSuffix;
}

// A lock that counts as held only while its program runs, however old it is.
std::shared_ptr<QLockFile> takeLock(const QString& lockPath) {
    auto lock = std::make_shared<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

QByteArray nextLine(const QByteArray& bytes, qsizetype& at) {
    const qsizetype end = bytes.indexOf("\r\n", at);
    if (end < 0) {
        at = bytes.size();
        return QByteArray();
    }
    const QByteArray line = bytes.mid(at, end - at);
    at = end + 2;
    return line;
}

// A folder or file that is the user's own: no link, and no one else may write to it.
bool ownedByUser(const struct stat& info) {
    return info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString applicantOf(const PracticeFileContents& contents) {
    QStringList parts;
    for (int line : {1, 0}) { // surname, name
        const QString text = contents.lines.value(line).trimmed();
        if (!text.isEmpty() && text != QLatin1String("-1")) parts << text;
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

RecoveryCopy::RecoveryCopy(QString folder) : folder_(std::move(folder)) {
    // Process id and start time: never the name of another program's copy, even a dead one's.
    path_ = QDir(folder_).filePath(QStringLiteral("%1%2-%3%4")
                                       .arg(kPrefix)
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QDateTime::currentMSecsSinceEpoch())
                                       .arg(kCopySuffix));
}

QString RecoveryCopy::defaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative path is to be ignored, as the base directory rules say.
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("quadrelo"));
}

void RecoveryCopy::checkPrivateFolder(const QString& folder) {
    const QByteArray native = QFile::encodeName(folder);
    auto refuse = [&folder](const QString& reason) {
        throw IoError(QStringLiteral("Impossibile usare la cartella delle copie di recupero %1: %2.")
                          .arg(QDir::toNativeSeparators(folder), reason));
    };
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0) {
        if (errno != ENOENT) refuse(systemFailureReason(errno, true));
        QDir().mkpath(QFileInfo(folder).absolutePath());
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
            refuse(systemFailureReason(errno, true));
        if (::lstat(native.constData(), &info) != 0) refuse(systemFailureReason(errno, true));
    }
    if (S_ISLNK(info.st_mode)) refuse(QStringLiteral("è un collegamento simbolico"));
    if (!S_ISDIR(info.st_mode)) refuse(QStringLiteral("non è una cartella"));
    if (info.st_uid != ::geteuid()) refuse(QStringLiteral("appartiene a un altro utente"));
    if (!ownedByUser(info)) refuse(QStringLiteral("anche altri utenti vi possono scrivere"));
}

RecoveryCopy::~RecoveryCopy() {
    remove();
}

QByteArray RecoveryCopy::digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

void RecoveryCopy::write(const QByteArray& practice, const QString& fileName, const QByteArray& diskDigest) {
    checkPrivateFolder(folder_);
    for (int attempt = 1; !created_; ++attempt) {
        if (!lock_) {
            lock_ = std::make_unique<QLockFile>(lockPathOf(path_));
            lock_->setStaleLockTime(0);
            if (!lock_->tryLock(0)) {
                lock_.reset();
                throw IoError(QStringLiteral("Impossibile scrivere la copia di recupero nella cartella %1.")
                                  .arg(QDir::toNativeSeparators(folder_)));
            }
        }
        // The name is taken exclusively: whatever was planted there is never written through.
        const int fd = ::open(QFile::encodeName(path_).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            created_ = true;
            break;
        }
        const int savedErrno = errno;
        lock_.reset();
        if (savedErrno != EEXIST || attempt == 10)
            throw IoError(QStringLiteral("Impossibile scrivere la copia di recupero %1: %2.")
                              .arg(QDir::toNativeSeparators(path_), systemFailureReason(savedErrno, true)));
        QString next = path_;
        next.chop(kCopySuffix.size());
        path_ = next + QStringLiteral("-%1").arg(attempt) + kCopySuffix;
    }
    QByteArray bytes = kHeader + "\r\n";
    bytes += (fileName == QLatin1String("-1") ? QByteArrayLiteral("-1") : QUrl::toPercentEncoding(fileName));
    bytes += "\r\n";
    bytes += (diskDigest.isEmpty() ? QByteArrayLiteral("-") : diskDigest) + "\r\n";
    bytes += practice;
    writePrivateBytes(path_, bytes);
}

void RecoveryCopy::remove() {
    if (created_) QFile::remove(path_);
    created_ = false;
    // The lock goes last, so no other program ever finds a copy without its lock held.
    if (lock_) lock_->unlock();
    lock_.reset();
}

bool RecoveryCopy::exists() const {
    return QFileInfo::exists(path_);
}

RecoveredPractice RecoveryCopy::read(const QString& copyPath) {
    RecoveredPractice found;
    QByteArray bytes;
    try {
        bytes = readFileBytes(copyPath, 2 * kPracticeFileLimit); // the practice and its file names
    } catch (const Error&) {
        return found;
    }
    qsizetype at = 0;
    if (nextLine(bytes, at) != kHeader) return found;
    const QByteArray name = nextLine(bytes, at);
    const QByteArray digest = nextLine(bytes, at);
    if (name.isEmpty() || digest.isEmpty()) return found;
    found.copyPath = copyPath;
    found.fileName = name == "-1" ? QStringLiteral("-1") : QUrl::fromPercentEncoding(name);
    found.diskDigest = digest == "-" ? QByteArray() : digest;
    found.practice = bytes.mid(at);
    try {
        found.applicant = applicantOf(parsePracticeFile(found.practice));
    } catch (const Error&) {
        return RecoveredPractice(); // damaged: nothing to restore
    }
    found.written = QFileInfo(copyPath).lastModified();
    return found;
}

QList<RecoveredPractice> RecoveryCopy::abandoned(const QString& folder, QStringList* setAside) {
    QList<RecoveredPractice> found;
    const QDir dir(folder);
    // Nothing is offered from a folder that others could have planted copies in.
    struct stat place {};
    if (::lstat(QFile::encodeName(folder).constData(), &place) != 0 || !S_ISDIR(place.st_mode) ||
        !ownedByUser(place))
        return found;
    const QDateTime monthAgo = QDateTime::currentDateTime().addDays(-kSetAsideDays);
    for (const QFileInfo& old :
         dir.entryInfoList({kPrefix + QLatin1Char('*') + kSetAsideSuffix}, QDir::Files | QDir::System))
        if (old.metadataChangeTime() < monthAgo) QFile::remove(old.filePath());
    // Locks of programs that ended without a copy to leave: taking them clears them away.
    for (const QString& name : dir.entryList({kPrefix + QLatin1Char('*') + kLockSuffix}, QDir::Files)) {
        QString copy = dir.filePath(name);
        copy.chop(kLockSuffix.size());
        if (!QFileInfo::exists(copy + kCopySuffix)) takeLock(dir.filePath(name));
    }
    for (const QFileInfo& info : dir.entryInfoList({kPrefix + QLatin1Char('*') + kCopySuffix},
                                                   QDir::Files | QDir::System, QDir::Time | QDir::Reversed)) {
        // Only a file of the user's own, never through a link.
        struct stat entry {};
        if (::lstat(QFile::encodeName(info.filePath()).constData(), &entry) != 0 || !S_ISREG(entry.st_mode) ||
            entry.st_uid != ::geteuid())
            continue;
        auto lock = takeLock(lockPathOf(info.filePath()));
        if (!lock) continue; // its program is still running
        RecoveredPractice copy = read(info.filePath());
        if (copy.copyPath.isEmpty()) {
            // Reported once: set aside, it is not offered again, and goes after a month.
            const QString aside = info.filePath() + kSetAsideSuffix;
            if (QFile::rename(info.filePath(), aside) && setAside) *setAside << aside;
            continue;
        }
        copy.lock = std::move(lock);
        found << copy;
    }
    return found;
}

void RecoveryCopy::discard(RecoveredPractice& copy) {
    QFile::remove(copy.copyPath);
    copy.lock.reset();
}

} // namespace quadrelo
