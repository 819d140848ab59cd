// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "archive/practice_archive.h"

#include <QDialog>
#include <QIcon>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableView;

namespace quadrelo {

class ArchiveModel;
class ArchiveReader;

// "Archivio pratiche": every practice file of the practice folders in one sortable list, with
// a search over every column and the totals of what is shown. Enter opens a practice in the
// main window, which asks about its own unsaved changes first.
class ArchiveWindow : public QDialog {
    Q_OBJECT
public:
    // `workFolder` is always listed; the other folders are the remembered ones.
    ArchiveWindow(const QString& workFolder, QWidget* parent = nullptr);
    ~ArchiveWindow() override;

    // Reads the folders again with the tables of `loaded` (their figures follow the tables).
    void reload(const PracticeForm& loaded);
    QStringList folders() const;
    bool isReading() const;
    // The rows in the order and with the filter shown.
    QList<ArchiveRow> shownRows() const;

signals:
    void openPracticeRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void startReading();
    void rowsArrived(const QList<ArchiveRow>& rows);
    void updateTotals();
    void openCurrent();
    void addFolder();
    void removeFolder();
    void exportCsv();
    void exportPdf();
    QString exportName(const QString& suffix) const;

    QString workFolder_;
    PracticeForm prototype_;
    ArchiveModel* model_ = nullptr;
    ArchiveReader* reader_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableView* table_ = nullptr;
    QListWidget* folderList_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* removeFolderButton_ = nullptr;
    int expected_ = 0;
    int read_ = 0; // rows read so far, shown or not
};

// The tool-bar picture of the archive: a drawer of files.
QIcon archiveIcon();

} // namespace quadrelo
