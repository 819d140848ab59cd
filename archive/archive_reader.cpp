// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "archive_reader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>

namespace quadrelo {

namespace {

// A batch goes to the window after this many rows or this long, whichever comes first.
constexpr int kBatchRows = 100;
constexpr int kFirstBatchRows = 20;
constexpr int kBatchMsec = 100;

} // namespace

ArchiveReader::ArchiveReader(const PracticeForm& prototype, QObject* parent)
    : QObject(parent), prototype_(archivePrototype(prototype)) {}

ArchiveReader::~ArchiveReader() {
    stop();
}

void ArchiveReader::stop() {
    if (!reading_) return;
    reading_->cancelled.store(true);
    reading_->owner = nullptr; // rows of the stopped reading still queued are dropped
    reading_.reset();
}

void ArchiveReader::start(const QStringList& folders) {
    stop();
    auto reading = std::make_shared<Reading>();
    reading->owner = this;
    reading_ = reading;
    const PracticeForm prototype = prototype_;
    // Everything arrives through the application object, which outlives every reader; each
    // delivery asks first whether its reader still waits for it.
    QObject* const home = QCoreApplication::instance();
    auto post = [home, reading](auto call) {
        QMetaObject::invokeMethod(
            home,
            [reading, call] {
                if (ArchiveReader* owner = reading->owner) call(owner);
            },
            Qt::QueuedConnection);
    };
    QThread* thread = QThread::create([folders, prototype, reading, post] {
        post([n = countPracticeNames(folders)](ArchiveReader* owner) { emit owner->filesFound(n); });
        QList<ArchiveRow> batch;
        QElapsedTimer sinceBatch;
        sinceBatch.start();
        bool first = true;
        // Read as found: the window sorts the rows itself and shows the first ones at once.
        forEachPracticeFile(folders, [&](const PracticeEntry& file) {
            if (reading->cancelled.load()) return false;
            batch << readArchiveRow(file, prototype);
            if (batch.size() >= (first ? kFirstBatchRows : kBatchRows) ||
                sinceBatch.elapsed() >= kBatchMsec) {
                post([batch](ArchiveReader* owner) { emit owner->rowsRead(batch); });
                batch.clear();
                sinceBatch.restart();
                first = false;
            }
            return true;
        });
        if (reading->cancelled.load()) return;
        post([batch](ArchiveReader* owner) {
            if (!batch.isEmpty()) emit owner->rowsRead(batch);
            owner->reading_.reset();
            emit owner->finished();
        });
    });
    // Never waited for: the thread object goes once its work has ended.
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

} // namespace quadrelo
