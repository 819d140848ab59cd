// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "recovery_copy.h"

#include "record/errors.h"
#include "record/text_file.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QUrl>

namespace quadrelo {

namespace {

const QString kPrefix = QStringLiteral("~Quadrelo-");
const QString kCopySuffix = QStringLiteral(".recupero");
const QString kLockSuffix = QStringLiteral(".lock");
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

} // namespace

RecoveryCopy::RecoveryCopy(QString folder) : folder_(std::move(folder)) {
    // Process id and start time: never the name of another program's copy, even a dead one's.
    path_ = QDir(folder_).filePath(QStringLiteral("%1%2-%3%4")
                                       .arg(kPrefix)
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QDateTime::currentMSecsSinceEpoch())
                                       .arg(kCopySuffix));
}

RecoveryCopy::~RecoveryCopy() {
    remove();
}

QByteArray RecoveryCopy::digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

void RecoveryCopy::write(const QByteArray& practice, const QString& fileName, const QByteArray& diskDigest) {
    if (!lock_) {
        lock_ = std::make_unique<QLockFile>(lockPathOf(path_));
        lock_->setStaleLockTime(0);
        if (!lock_->tryLock(0)) {
            lock_.reset();
            throw IoError(QStringLiteral("Impossibile scrivere la copia di recupero nella cartella %1.")
                              .arg(QDir::toNativeSeparators(folder_)));
        }
    }
    QByteArray bytes = kHeader + "\r\n";
    bytes += (fileName == QLatin1String("-1") ? QByteArrayLiteral("-1") : QUrl::toPercentEncoding(fileName));
    bytes += "\r\n";
    bytes += (diskDigest.isEmpty() ? QByteArrayLiteral("-") : diskDigest) + "\r\n";
    bytes += practice;
    writeBytes(path_, bytes);
}

void RecoveryCopy::remove() {
    QFile::remove(path_);
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
    found.written = QFileInfo(copyPath).lastModified();
    return found;
}

QList<RecoveredPractice> RecoveryCopy::abandoned(const QString& folder) {
    QList<RecoveredPractice> found;
    const QDir dir(folder);
    // Locks of programs that ended without a copy to leave: taking them clears them away.
    for (const QString& name : dir.entryList({kPrefix + QLatin1Char('*') + kLockSuffix}, QDir::Files)) {
        QString copy = dir.filePath(name);
        copy.chop(kLockSuffix.size());
        if (!QFileInfo::exists(copy + kCopySuffix)) takeLock(dir.filePath(name));
    }
    for (const QFileInfo& info : dir.entryInfoList({kPrefix + QLatin1Char('*') + kCopySuffix}, QDir::Files,
                                                   QDir::Time | QDir::Reversed)) {
        auto lock = takeLock(lockPathOf(info.filePath()));
        if (!lock) continue; // its program is still running
        RecoveredPractice copy = read(info.filePath());
        if (copy.copyPath.isEmpty()) continue;
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
