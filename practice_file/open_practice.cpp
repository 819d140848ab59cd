// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "open_practice.h"

#include "calc/practice_form.h"
#include "practice_file.h"
#include "record/errors.h"
#include "record/text_file.h"
#include "recovery_copy.h"

#include <QFileInfo>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace quadrelo {

// Writes the recovery copy on a thread of its own, one write at a time. Only the latest
// request counts: a copy waiting to be written is replaced by a newer one, or dropped when the
// copy is to go, so an older practice never overwrites a newer one.
class RecoveryCopyWriter {
public:
    using FailureReport = std::function<void(const QString&)>;

    RecoveryCopyWriter(const QString& folder, FailureReport report)
        : copy_(folder), report_(std::move(report)) {}

    ~RecoveryCopyWriter() {
        if (thread_.joinable()) {
            {
                std::lock_guard lock(mutex_);
                stop_ = true;
                pending_.reset();
            }
            wake_.notify_one();
            thread_.join();
        }
        copy_.remove();
    }

    // Encodes and writes `practice` (a copy of its own, nothing else reads it) as the copy.
    void write(std::unique_ptr<PracticeForm> practice, const QByteArray& diskDigest) {
        {
            std::lock_guard lock(mutex_);
            pending_ = Job{std::move(practice), diskDigest};
            removePending_ = false;
        }
        // Started by the first copy: a window that is never changed needs none, and starting
        // it is time the window's start would wait for.
        if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
        wake_.notify_one();
    }

    // The copy goes now, after a write in progress.
    void removeNow() {
        std::unique_lock lock(mutex_);
        pending_.reset();
        removePending_ = false;
        idle_.wait(lock, [this] { return !busy_; });
        removeCopy();
    }

    // The copy goes without waiting: at once when no write is in progress, else right after it.
    void removeSoon() {
        {
            std::lock_guard lock(mutex_);
            pending_.reset();
            removePending_ = busy_;
            if (!busy_) removeCopy();
        }
        wake_.notify_one();
    }

    // Once the writes asked for are done: a write may still be choosing the name.
    QString path() {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !busy_ && !pending_ && !removePending_; });
        return copy_.path();
    }
    QString folder() const { return copy_.folder(); }

private:
    struct Job {
        std::unique_ptr<PracticeForm> practice;
        QByteArray diskDigest;
    };

    // copy_ and written_ belong to the thread while busy_, else to whoever holds mutex_.
    void removeCopy() {
        copy_.remove();
        written_.clear();
    }

    void run() {
        // Behind the window's thread when the processors are busy: the keys come first.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return stop_ || pending_ || removePending_; });
            if (stop_) return;
            std::optional<Job> job = std::move(pending_);
            pending_.reset();
            const bool remove = removePending_;
            removePending_ = false;
            busy_ = true;
            lock.unlock();
            QString failure;
            if (remove)
                removeCopy();
            else if (job)
                failure = writeCopy(*job);
            job.reset();
            lock.lock();
            busy_ = false;
            idle_.notify_all();
            if (!failure.isEmpty()) {
                lock.unlock();
                report_(failure);
                lock.lock();
            }
        }
    }

    // The failure to report, if any: once, until a copy is written again.
    QString writeCopy(const Job& job) {
        QByteArray bytes;
        try {
            bytes = practiceFileBytes(*job.practice);
        } catch (const Error&) {
            return QString(); // what a file cannot hold: "Salva" says why
        }
        const QString& fileName = job.practice->currentFileName;
        const QByteArray written = fileName.toUtf8() + '\n' + job.diskDigest + '\n' + bytes;
        if (written == written_) return QString();
        try {
            copy_.write(bytes, fileName, job.diskDigest);
            written_ = written;
            failureShown_ = false;
        } catch (const Error& e) {
            if (failureShown_) return QString();
            failureShown_ = true;
            return e.message();
        }
        return QString();
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Job> pending_;
    bool removePending_ = false;
    bool busy_ = false;
    bool stop_ = false;
    RecoveryCopy copy_;
    QByteArray written_; // what the copy on disk holds
    bool failureShown_ = false;
    FailureReport report_;
    std::thread thread_; // the writer's, from the first write on
};

namespace {

// The practice as it would be saved, without its memos; none when it holds what a file cannot.
std::optional<QByteArray> bytesWithoutMemos(const PracticeForm& form) {
    PracticeForm withoutMemos = form;
    withoutMemos.Memo1.text.clear();
    withoutMemos.Memo2.text.clear();
    try {
        return practiceFileBytes(withoutMemos);
    } catch (const Error&) {
        return std::nullopt;
    }
}

} // namespace

OpenPractice::OpenPractice(const PracticeForm& form, const QString& recoveryFolder, QObject* parent)
    : QObject(parent), form_(form) {
    writer_ = std::make_unique<RecoveryCopyWriter>(recoveryFolder, [this](const QString& message) {
        QMetaObject::invokeMethod(
            this, [this, message] { emit recoveryFailed(message); }, Qt::QueuedConnection);
    });
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { writeRecoveryCopy(); });
    markSaved(QByteArray());
}

OpenPractice::~OpenPractice() = default;

bool OpenPractice::isModified() const {
    if (!savedWithoutMemos_) return true;
    auto same = [](const QString& a, const QString& b) { return a.isSharedWith(b) || a == b; };
    if (!same(form_.Memo1.text, savedMemo1_) || !same(form_.Memo2.text, savedMemo2_)) return true;
    const std::optional<QByteArray> now = bytesWithoutMemos(form_);
    return !now || *now != *savedWithoutMemos_;
}

void OpenPractice::markSaved(const QByteArray& disk) {
    savedWithoutMemos_ = bytesWithoutMemos(form_);
    // Memos a file cannot hold leave the practice changed.
    try {
        practiceFileBytes(form_);
    } catch (const Error&) {
        savedWithoutMemos_.reset();
    }
    savedMemo1_ = form_.Memo1.text;
    savedMemo2_ = form_.Memo2.text;
    diskDigest_ = disk.isEmpty() ? QByteArray() : RecoveryCopy::digest(disk);
    removeRecoveryCopy();
}

void OpenPractice::markRestored(const QByteArray& diskDigest) {
    savedWithoutMemos_.reset();
    diskDigest_ = diskDigest;
}

bool OpenPractice::changedOnDisk() const {
    const QString& path = form_.currentFileName;
    if (!QFileInfo::exists(path)) return false; // gone: saving writes it again
    try {
        return RecoveryCopy::digest(readFileBytes(path, kPracticeFileLimit)) != diskDigest_;
    } catch (const Error&) {
        return false; // unreadable: the write reports what is wrong
    }
}

void OpenPractice::removeRecoveryCopy() {
    recoveryTimer_->stop();
    writer_->removeNow();
}

bool OpenPractice::practiceChanged() {
    if (!isModified()) {
        recoveryTimer_->stop();
        writer_->removeSoon();
        return false;
    }
    if (!recoveryTimer_->isActive()) {
        const qint64 wait = lastRecoveryWrite_.isValid()
                                ? std::max<qint64>(0, recoveryInterval_ - lastRecoveryWrite_.elapsed())
                                : 0;
        recoveryTimer_->start(int(wait));
    }
    return true;
}

void OpenPractice::writeRecoveryCopy() {
    if (!isModified()) return;
    // A copy of the practice is cheap (its texts are shared); encoding it is not.
    writer_->write(std::make_unique<PracticeForm>(form_), diskDigest_);
    lastRecoveryWrite_.start();
}

QString OpenPractice::recoveryCopyPath() const {
    return writer_->path();
}

QString OpenPractice::recoveryFolder() const {
    return writer_->folder();
}

} // namespace quadrelo
