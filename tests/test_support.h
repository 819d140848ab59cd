#pragma once

#include "record/user_interface.h"

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
    int beeps = 0;

    void Attenzione(const QString& message) override { warnings << message; }
    bool Uscita(const QString& question) override {
        questions << question;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void showPage(int page) override { pages << page; }
    void focusControl(const QString& control) override { focused << control; }
    void beep() override { ++beeps; }
};

} // namespace quadrelo::testing
