#include "file_dialogs.h"

#include "message_windows.h"

#include <QFileDialog>
#include <QMessageBox>

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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
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
    const QString question = QStringLiteral("Sostituire %1 ?").arg(path);
    MessageWindows::recordShown(question);
    if (MessageWindows::testMode()) return !nextReplace().isEmpty() && nextReplace().takeFirst();
    return QMessageBox::question(owner, QStringLiteral("Conferma"), question,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void FileDialogs::damagedFile(QWidget* owner, const QString& message) {
    MessageWindows::recordShown(message);
    if (MessageWindows::testMode()) return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quadrelo 2004"), message, QMessageBox::Ok, owner);
    box.exec();
}

void FileDialogs::setNextFileNames(QStringList names) {
    nextNames() = std::move(names);
}

void FileDialogs::setNextReplaceAnswers(QList<bool> answers) {
    nextReplace() = std::move(answers);
}

} // namespace quadrelo
