// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "file_dialogs.h"

#include "message_windows.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace quadrelo {

namespace {

QStringList& nextNames() {
    static QStringList names;
    return names;
}

QList<bool>& nextReplace() {
    static QList<bool> answers;
    return answers;
}

QString& practiceFile() {
    static QString file;
    return file;
}

QString& workFolder() {
    static QString folder;
    return folder;
}

QSettings settings() {
    return QSettings(QStringLiteral("Quadrelo"), QStringLiteral("Quadrelo 2004"));
}

const QString kLastFolder = QStringLiteral("cartelle/ultima");
const QString kLastPdfFolder = QStringLiteral("cartelle/ultimaPdf");

QString practiceDialog(QWidget* owner, QFileDialog::AcceptMode mode) {
    if (MessageWindows::testMode()) return nextNames().isEmpty() ? QString() : nextNames().takeFirst();
    QFileDialog dialog(owner, mode == QFileDialog::AcceptOpen ? QStringLiteral("Apri")
                                                              : QStringLiteral("Salva con nome"));
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(QStringLiteral("Pratiche Quadrelo 2004 (*.qdr)"));
    dialog.setDefaultSuffix(QStringLiteral("qdr"));
    // The commands ask about overwriting themselves; the open dialog takes names that do not
    // exist, and opening them reports the missing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(FileDialogs::startFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    FileDialogs::remember(dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString FileDialogs::openPractice(QWidget* owner) {
    return practiceDialog(owner, QFileDialog::AcceptOpen);
}

QString FileDialogs::savePractice(QWidget* owner) {
    return practiceDialog(owner, QFileDialog::AcceptSave);
}

bool FileDialogs::confirmReplace(QWidget* owner, const QString& path) {
    return askReplace(owner, path) == Replace::Yes;
}

FileDialogs::Replace FileDialogs::askReplace(QWidget* owner, const QString& path) {
    const QString question = QStringLiteral("Sostituire %1 ?").arg(path);
    MessageWindows::recordShown(question);
    if (MessageWindows::testMode())
        return !nextReplace().isEmpty() && nextReplace().takeFirst() ? Replace::Yes : Replace::Cancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Conferma"), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Annulla"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Replace::Yes;
    case QMessageBox::No:
        return Replace::No;
    default:
        return Replace::Cancel;
    }
}

void FileDialogs::damagedFile(QWidget* owner, const QString& message) {
    MessageWindows::recordShown(message);
    if (MessageWindows::testMode()) return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quadrelo 2004"), message, QMessageBox::Ok, owner);
    box.exec();
}

void FileDialogs::setPractice(const QString& file, const QString& folder) {
    practiceFile() = file == QLatin1String("-1") ? QString() : file;
    workFolder() = folder;
}

QString FileDialogs::startFolder() {
    if (!practiceFile().isEmpty()) {
        const QString folder = QFileInfo(practiceFile()).absolutePath();
        if (QFileInfo(folder).isDir()) return folder;
    }
    const QString last = settings().value(kLastFolder).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    if (!workFolder().isEmpty() && QFileInfo(workFolder()).isDir()) return workFolder();
    return QDir::currentPath();
}

void FileDialogs::remember(const QString& chosenFile) {
    if (chosenFile.isEmpty() || MessageWindows::testMode()) return;
    settings().setValue(kLastFolder, QFileInfo(chosenFile).absolutePath());
}

QString FileDialogs::pdfStartFolder() {
    const QString last = settings().value(kLastPdfFolder).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    return startFolder();
}

void FileDialogs::rememberPdf(const QString& chosenFile) {
    if (chosenFile.isEmpty() || MessageWindows::testMode()) return;
    settings().setValue(kLastPdfFolder, QFileInfo(chosenFile).absolutePath());
}

void FileDialogs::setNextFileNames(QStringList names) {
    nextNames() = std::move(names);
}

void FileDialogs::setNextReplaceAnswers(QList<bool> answers) {
    nextReplace() = std::move(answers);
}

} // namespace quadrelo
