// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "archive_reader.h"

#include <QElapsedTimer>
#include <QMetaObject>

namespace quadrelo {

namespace {

// A batch goes to the window after this many rows or this long, whichever comes first.
constexpr int kBatchRows = 100;
constexpr int kBatchMsec = 100;

} // namespace

ArchiveReader::ArchiveReader(const PracticeForm& prototype, QObject* parent)
    : QObject(parent), prototype_(archivePrototype(prototype)) {}

ArchiveReader::~ArchiveReader() {
    stop();
}

void ArchiveReader::stop() {
    if (!thread_) return;
    cancelled_->store(true);
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    ++run_; // rows of the stopped reading still queued are dropped
}

void ArchiveReader::start(const QStringList& folders) {
    stop();
    const quint64 run = ++run_;
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    auto cancelled = cancelled_;
    const PracticeForm prototype = prototype_;
    thread_ = QThread::create([this, folders, prototype, cancelled, run] {
        const QStringList files = practiceFilesIn(folders);
        QMetaObject::invokeMethod(
            this,
            [this, run, n = int(files.size())] {
                if (run == run_) emit filesFound(n);
            },
            Qt::QueuedConnection);
        QList<ArchiveRow> batch;
        QElapsedTimer sinceBatch;
        sinceBatch.start();
        for (const QString& file : files) {
            if (cancelled->load()) return;
            batch << readArchiveRow(file, prototype);
            if (batch.size() >= kBatchRows || sinceBatch.elapsed() >= kBatchMsec) {
                QMetaObject::invokeMethod(
                    this, [this, run, batch] { deliver(run, batch); }, Qt::QueuedConnection);
                batch.clear();
                sinceBatch.restart();
            }
        }
        QMetaObject::invokeMethod(
            this,
            [this, run, batch] {
                if (!batch.isEmpty()) deliver(run, batch);
                done(run);
            },
            Qt::QueuedConnection);
    });
    thread_->start();
}

void ArchiveReader::deliver(quint64 run, const QList<ArchiveRow>& rows) {
    if (run == run_) emit rowsRead(rows);
}

void ArchiveReader::done(quint64 run) {
    if (run != run_) return;
    if (thread_) {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
    }
    emit finished();
}

} // namespace quadrelo
