// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace quadrelo {

// One of the two pictures of the splash and about windows, painted by us.
class SplashPicture : public QWidget {
    Q_OBJECT
public:
    enum Kind { HouseWithCompass, StampedDocument };
    explicit SplashPicture(Kind kind, QWidget* parent = nullptr);
    Kind kind() const { return kind_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
};

// The look shared by the splash and the about window: borderless silver panel with the title,
// the subtitle, the two pictures and the credits line, centred on the owner's window.
class SplashView : public QDialog {
    Q_OBJECT
public:
    static QString titleText();
    static QString subtitleText();
    static QString creditsText();

    QLabel* Label1 = nullptr;        // title
    QLabel* Label2 = nullptr;        // subtitle
    QLabel* Label3 = nullptr;        // credits
    SplashPicture* Image1 = nullptr; // main picture
    SplashPicture* Image2 = nullptr;

protected:
    explicit SplashView(QWidget* owner);
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// Start-up splash: closes by itself when Timer1 fires, three seconds after it is shown.
class SplashWindow : public SplashView {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* owner = nullptr);
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Timer1Timer();
};

// "Informazioni": the splash's look without the timer; beeps when activated and closes on any
// key or on a click anywhere on it.
class AboutWindow : public SplashView {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* owner = nullptr);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace quadrelo
