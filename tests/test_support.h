// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "calc/practice_form.h"
#include "calc/user_interface.h"
#include "startup/startup.h"

#include <QStringList>

namespace quadrelo::testing {

// Records what the practice shows the user and answers its questions from a queue.
class RecordingInterface : public UserInterface {
public:
    QStringList warnings;
    QStringList questions;
    QList<bool> answers; // Uscita results, "NO" = true; empty: "SI"
    QList<int> pages;
    QStringList focused;
    QStringList errors;
    int beeps = 0;

    void Attenzione(const QString& message) override { warnings << message; }
    bool Uscita(const QString& question) override {
        questions << question;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void showPage(int page) override { pages << page; }
    void focusControl(const QString& control) override { focused << control; }
    void beep() override { ++beeps; }
    void reportError(const QString& message) override { errors << message; }
};

} // namespace quadrelo::testing

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <unistd.h>

namespace quadrelo::testing {

// A work folder holding the shipped data files, as a user's would after the first start.
inline bool copyShippedData(const QString& folder) {
    const QDir data(QStringLiteral(QUADRELO_SOURCE_DIR "/data"));
    for (const QString& name : data.entryList(QDir::Files))
        if (!QFile::copy(data.filePath(name), QDir(folder).filePath(name))) return false;
    return true;
}

// The same with the example technician, as the shipped example practice expects.
inline bool copyExampleData(const QString& folder) {
    const QString technician = QDir(folder).filePath(QStringLiteral("tec.dat"));
    return copyShippedData(folder) && QFile::remove(technician) &&
           QFile::copy(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/tec.dat"), technician);
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Makes a folder unwritable for the life of the object. Root ignores the permission bits,
// so then the folder is made immutable instead; `active()` is false when neither worked.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path) : path_(std::move(path)) {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        if (writable())
            immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
        active_ = !writable();
    }
    ~ReadOnlyFolder() {
        if (immutable_) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool active() const { return active_; }

private:
    bool writable() const {
        QFile probe(QDir(path_).filePath(QStringLiteral(".probe")));
        const bool ok = probe.open(QIODevice::WriteOnly);
        if (ok) probe.remove();
        return ok;
    }
    QString path_;
    bool immutable_ = false;
    bool active_ = false;
};

// A practice as the program starts it in a work folder with the shipped tables.
struct StartedPractice {
    QTemporaryDir dir;
    RecordingInterface ui;
    PracticeForm form{&ui};
    StartedPractice() {
        copyShippedData(dir.path());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Inizializzazione(form);
        QDir::setCurrent(previous);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace quadrelo::testing
