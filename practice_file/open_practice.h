// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QTimer;

namespace quadrelo {

class PracticeForm;
class RecoveryCopyWriter;

// The practice a window holds open, beside the practice itself: whether it differs from what
// was last opened or saved, whether someone else saved its file meanwhile, and its recovery
// copy, written at most once per interval while it has unsaved changes and never on the
// caller's thread.
class OpenPractice : public QObject {
    Q_OBJECT
public:
    explicit OpenPractice(const PracticeForm& form, const QString& recoveryFolder, QObject* parent = nullptr);
    ~OpenPractice() override; // a normal end: the recovery copy goes

    // The practice differs from what was last opened or saved.
    bool isModified() const;
    // What was opened or saved is now the unchanged state; `disk` is its file's bytes (none
    // for a new practice). The recovery copy goes.
    void markSaved(const QByteArray& disk);
    // A recovered practice: changed, and bound to its file as the program that left the copy
    // last knew it.
    void markRestored(const QByteArray& diskDigest);
    // Someone else saved the practice's file since we last read or wrote it.
    bool changedOnDisk() const;
    // The recovery copy goes now: the changes are given up, or the program ends normally.
    void removeRecoveryCopy();

    // After every change: true when the practice is modified. Schedules its recovery copy,
    // or removes the copy of changes taken back.
    bool practiceChanged();

    void setRecoveryInterval(int msec) { recoveryInterval_ = msec; }
    int recoveryInterval() const { return recoveryInterval_; }
    // Where the copy is, once the writes asked for are done.
    QString recoveryCopyPath() const;
    QString recoveryFolder() const;

signals:
    // A recovery copy could not be written; said once until a copy is written again.
    void recoveryFailed(const QString& message);

private:
    void writeRecoveryCopy();

    const PracticeForm& form_;
    // Unchanged state: the practice as last opened or saved without its memos, which are
    // compared as texts (after a key typed elsewhere they still share their data with the
    // saved ones, and comparing them costs nothing); none after a restore, or when the
    // practice held what a file cannot.
    std::optional<QByteArray> savedWithoutMemos_;
    QString savedMemo1_;
    QString savedMemo2_;
    // A digest of the practice's file as last read or written.
    QByteArray diskDigest_;

    std::unique_ptr<RecoveryCopyWriter> writer_;
    QTimer* recoveryTimer_ = nullptr;
    QElapsedTimer lastRecoveryWrite_;
    int recoveryInterval_ = 30000;
};

} // namespace quadrelo
