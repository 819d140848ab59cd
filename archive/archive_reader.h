// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "practice_archive.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

namespace quadrelo {

// Reads the practice files of some folders in a thread of its own and hands the rows over in
// batches, so that a window lists what is read so far and stays responsive.
class ArchiveReader : public QObject {
    Q_OBJECT
public:
    // `prototype`: a practice with the tables loaded (see archivePrototype).
    explicit ArchiveReader(const PracticeForm& prototype, QObject* parent = nullptr);
    ~ArchiveReader() override; // stops a reading under way and waits for it

    // Starts reading the folders; a reading under way is dropped, its rows never arrive.
    void start(const QStringList& folders);
    void stop();
    bool isReading() const { return thread_ != nullptr; }

signals:
    void filesFound(int count);
    void rowsRead(const QList<quadrelo::ArchiveRow>& rows);
    void finished();

private:
    void deliver(quint64 run, const QList<ArchiveRow>& rows);
    void done(quint64 run);

    PracticeForm prototype_;
    QThread* thread_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    quint64 run_ = 0;
};

} // namespace quadrelo
