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
    ~ArchiveReader() override; // stops a reading under way, never waiting for it

    // Starts reading the folders; a reading under way is dropped, its rows never arrive.
    void start(const QStringList& folders);
    // Returns at once, even while a file read hangs (a network folder gone): the thread
    // ends by itself when the read returns, and nothing of it arrives any more.
    void stop();
    bool isReading() const { return reading_ != nullptr; }

signals:
    void filesFound(int count);
    void rowsRead(const QList<quadrelo::ArchiveRow>& rows);
    void finished();

private:
    // What a reading thread shares with its reader; `owner` is only touched in the reader's thread.
    struct Reading {
        std::atomic<bool> cancelled{false};
        ArchiveReader* owner = nullptr;
    };

    PracticeForm prototype_;
    std::shared_ptr<Reading> reading_;
};

} // namespace quadrelo
