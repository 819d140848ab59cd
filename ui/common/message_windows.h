// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QPushButton;

namespace quadrelo {

// Centres a window on the window of owner, or on the screen when owner is null or not shown yet.
void centreOnOwner(QWidget* window, QWidget* owner);

// Dialog results of the three message windows.
enum MessageResult { mrOk = 1, mrCancel = 2, mrNo = 7 };

// The painted sign at the left of a message window: "!" for a warning, "?" for a question.
class MessageSign : public QWidget {
    Q_OBJECT
public:
    explicit MessageSign(QChar sign, QWidget* parent = nullptr);
    QChar sign() const { return sign_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QChar sign_;
};

// The three message windows of the program, told apart by their buttons.
enum class MessageKind {
    Warning,            // "!" sign and a single "OK" (Form12)
    Question,           // "SI" (OK, default) and "NO" (No, also Esc) (Form13)
    QuestionWithCancel, // "SI" (OK, default), "NO" (Cancel) and "Annulla" (No) (Form15)
};

// A message window: fixed 281 x 103 client area centred on the owner, the sign, the
// word-wrapped text and a row of buttons that end the dialog with a result.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(MessageKind kind, QWidget* owner = nullptr);

    void setText(const QString& text);
    QString text() const;
    QPushButton* button(const QString& caption) const;

    // Closing by the title bar ends with mrCancel; Esc goes through keyPressEvent instead.
    void reject() override;

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr; // questions only
    QPushButton* BitBtn3 = nullptr; // QuestionWithCancel only

protected:
    MessageWindow(QWidget* owner, QChar sign, const QString& text);

    QPushButton* addButton(const QString& caption, int result);
    // Lays the buttons out; escapeButton may be null, then Esc does nothing.
    void finishButtons(QPushButton* defaultButton, QPushButton* escapeButton);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitText();

    QLabel* Label1 = nullptr;
    QList<QPushButton*> buttons_;
    QPushButton* escapeButton_ = nullptr;
    QPushButton* defaultButton_ = nullptr;
};

// A question with answers of its own ("Salva", "Non salvare", "Annulla"): the result is the
// index of the button. Esc and the title bar's close box give escapeIndex.
class ChoiceWindow : public MessageWindow {
    Q_OBJECT
public:
    ChoiceWindow(QWidget* owner, const QString& question, const QStringList& answers, int defaultIndex,
                 int escapeIndex);
    int choose(); // shows it modally
    void reject() override;

private:
    int escapeIndex_;
};

// Entry points for everything that warns or asks. In test mode nothing is shown: questions take
// their answers from the queue given to setNextAnswers (mrOk, the default button, once it is empty).
struct MessageWindows {
    static void warning(QWidget* owner, const QString& message);
    static int question(QWidget* owner, const QString& question);
    static int question3(QWidget* owner, const QString& question);
    // The index of the answer chosen; test mode takes it from setNextChoices (defaultIndex once
    // that queue is empty).
    static int choice(QWidget* owner, const QString& question, const QStringList& answers, int defaultIndex,
                      int escapeIndex);
    static void setNextChoices(QList<int> choices);

    // Turns test mode on and queues the answers of the next calls.
    static void setNextAnswers(QList<int> answers);
    static void setTestMode(bool on);
    static bool testMode();

    // Every text shown or answered, oldest first, in test mode too.
    static QStringList shownMessages();
    static void clearShown();
    static void recordShown(const QString& text);
};

} // namespace quadrelo
