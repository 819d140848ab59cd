// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "message_windows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace quadrelo {

namespace {

constexpr int clientWidth = 281;
constexpr int clientHeight = 103;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 25;
constexpr int buttonGap = 8;
constexpr int buttonTop = 72;
const QRect textArea(66, 4, 207, 64);
constexpr int smallestPointSize = 7;

struct TestState {
    bool on = false;
    QList<int> answers;
    QList<int> choices;
    QStringList shown;
};

TestState& testState() {
    static TestState state;
    return state;
}

int nextAnswer() {
    TestState& state = testState();
    // An unanswered question in a test takes the default button, as Enter would.
    return state.answers.isEmpty() ? mrOk : state.answers.takeFirst();
}

} // namespace

void centreOnOwner(QWidget* window, QWidget* owner) {
    QWidget* top = owner ? owner->window() : nullptr;
    QRect area;
    if (top && top->isVisible()) {
        area = top->frameGeometry();
    } else {
        QScreen* screen = top ? top->screen() : QGuiApplication::primaryScreen();
        if (screen) area = screen->availableGeometry();
    }
    if (!area.isValid()) return;
    const QSize frame = window->frameGeometry().size();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

MessageSign::MessageSign(QChar sign, QWidget* parent) : QWidget(parent), sign_(sign) {
    setFixedSize(48, 48);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MessageSign::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    if (sign_ == QLatin1Char('!')) {
        QPainterPath triangle;
        triangle.moveTo(24, 3);
        triangle.lineTo(46, 43);
        triangle.lineTo(2, 43);
        triangle.closeSubpath();
        p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(250, 200, 20));
        p.drawPath(triangle);
        // Drawn as shapes so the sign looks the same whatever fonts the machine has.
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(21.5, 14, 5, 17), 2.5, 2.5);
        p.drawEllipse(QRectF(21.5, 34, 5, 5));
    } else {
        p.setPen(QPen(QColor(20, 60, 120), 2));
        p.setBrush(QColor(40, 100, 190));
        p.drawEllipse(QRectF(3, 3, 42, 42));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(32);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 42, 42), Qt::AlignCenter, QString(sign_));
    }
}

MessageWindow::MessageWindow(QWidget* owner, QChar sign, const QString& text) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Attenzione!"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientWidth, clientHeight);
    setModal(true);

    auto* image = new MessageSign(sign, this);
    image->setObjectName(QStringLiteral("Image1"));
    image->move(10, 12);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(textArea);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setText(text);
}

void MessageWindow::setText(const QString& text) {
    Label1->setText(text);
    fitText();
}

QString MessageWindow::text() const {
    return Label1->text();
}

QPushButton* MessageWindow::button(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

// Long warnings must stay readable inside the fixed window: shrink the font until the text fits.
void MessageWindow::fitText() {
    QFont font = this->font();
    const QString text = Label1->text();
    for (;;) {
        const QRect needed =
            QFontMetrics(font).boundingRect(QRect(0, 0, Label1->width(), 10000), Qt::TextWordWrap, text);
        if (needed.height() <= textArea.height() || font.pointSize() <= smallestPointSize) break;
        font.setPointSize(font.pointSize() - 1);
    }
    Label1->setFont(font);
}

QPushButton* MessageWindow::addButton(const QString& caption, int result) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QStringLiteral("BitBtn%1").arg(buttons_.size() + 1));
    b->setAutoDefault(true);
    b->setFixedSize(std::max(buttonWidth, b->sizeHint().width()), buttonHeight);
    connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons_.append(b);
    return b;
}

void MessageWindow::finishButtons(QPushButton* defaultButton, QPushButton* escapeButton) {
    const int n = int(buttons_.size());
    int rowWidth = (n - 1) * buttonGap;
    for (QPushButton* b : buttons_)
        rowWidth += b->width();
    // Answers longer than "OK" or "SI" widen the window rather than being cut.
    const int width = std::max(clientWidth, rowWidth + 2 * buttonGap);
    if (width != clientWidth) {
        setFixedSize(width, clientHeight);
        Label1->setGeometry(textArea.adjusted(0, 0, width - clientWidth, 0));
        fitText();
    }
    int x = (width - rowWidth) / 2;
    for (QPushButton* b : buttons_) {
        b->move(x, buttonTop);
        x += b->width() + buttonGap;
    }
    for (int i = 1; i < n; ++i)
        setTabOrder(buttons_[i - 1], buttons_[i]);
    defaultButton_ = defaultButton;
    escapeButton_ = escapeButton;
    defaultButton->setDefault(true);
}

void MessageWindow::reject() {
    done(mrCancel);
}

void MessageWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnOwner(this, parentWidget());
    if (defaultButton_) defaultButton_->setFocus(Qt::OtherFocusReason);
}

void MessageWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        // Only a window with a cancel button answers to Esc.
        if (escapeButton_) escapeButton_->click();
        event->accept();
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        const int n = int(buttons_.size());
        int i = int(buttons_.indexOf(qobject_cast<QPushButton*>(focusWidget())));
        if (i < 0) i = 0;
        const int step = (key == Qt::Key_Left || key == Qt::Key_Up) ? n - 1 : 1;
        buttons_[(i + step) % n]->setFocus(Qt::TabFocusReason);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

MessageWindow::MessageWindow(MessageKind kind, QWidget* owner)
    : MessageWindow(owner, kind == MessageKind::Warning ? QLatin1Char('!') : QLatin1Char('?'),
                    kind == MessageKind::Warning
                        ? QString()
                        : QStringLiteral("Si desidera terminare la sessione di lavoro?")) {
    switch (kind) {
    case MessageKind::Warning:
        setObjectName(QStringLiteral("Form12"));
        BitBtn1 = addButton(QStringLiteral("OK"), mrOk);
        // A warning has one answer, so Esc may give it too.
        finishButtons(BitBtn1, BitBtn1);
        break;
    case MessageKind::Question:
        setObjectName(QStringLiteral("Form13"));
        BitBtn1 = addButton(QStringLiteral("SI"), mrOk);
        BitBtn2 = addButton(QStringLiteral("NO"), mrNo);
        finishButtons(BitBtn1, BitBtn2);
        break;
    case MessageKind::QuestionWithCancel:
        setObjectName(QStringLiteral("Form15"));
        BitBtn1 = addButton(QStringLiteral("SI"), mrOk);
        BitBtn2 = addButton(QStringLiteral("NO"), mrCancel);
        BitBtn3 = addButton(QStringLiteral("Annulla"), mrNo);
        // No cancel button: each of the three answers does something different, so Esc picks none.
        finishButtons(BitBtn1, nullptr);
        break;
    }
}

ChoiceWindow::ChoiceWindow(QWidget* owner, const QString& question, const QStringList& answers,
                           int defaultIndex, int escapeIndex)
    : MessageWindow(owner, QLatin1Char('?'), question), escapeIndex_(escapeIndex) {
    setObjectName(QStringLiteral("ChoiceWindow"));
    QList<QPushButton*> made;
    for (int i = 0; i < answers.size(); ++i)
        made << addButton(answers.at(i), 100 + i);
    finishButtons(made.value(defaultIndex, made.constFirst()), made.value(escapeIndex, nullptr));
}

int ChoiceWindow::choose() {
    const int result = exec();
    return result >= 100 ? result - 100 : escapeIndex_;
}

void ChoiceWindow::reject() {
    done(100 + escapeIndex_);
}

void MessageWindows::warning(QWidget* owner, const QString& message) {
    recordShown(message);
    if (testMode()) {
        TestState& state = testState();
        if (!state.answers.isEmpty()) state.answers.removeFirst();
        return;
    }
    MessageWindow form(MessageKind::Warning, owner);
    form.setText(message);
    QApplication::beep();
    form.exec();
}

int MessageWindows::question(QWidget* owner, const QString& question) {
    recordShown(question);
    if (testMode()) return nextAnswer();
    MessageWindow form(MessageKind::Question, owner);
    form.setText(question);
    return form.exec();
}

int MessageWindows::question3(QWidget* owner, const QString& question) {
    recordShown(question);
    if (testMode()) return nextAnswer();
    MessageWindow form(MessageKind::QuestionWithCancel, owner);
    form.setText(question);
    return form.exec();
}

int MessageWindows::choice(QWidget* owner, const QString& question, const QStringList& answers,
                           int defaultIndex, int escapeIndex) {
    recordShown(question);
    if (testMode()) {
        QList<int>& choices = testState().choices;
        return choices.isEmpty() ? defaultIndex : choices.takeFirst();
    }
    ChoiceWindow form(owner, question, answers, defaultIndex, escapeIndex);
    return form.choose();
}

void MessageWindows::setNextChoices(QList<int> choices) {
    TestState& state = testState();
    state.on = true;
    state.choices = std::move(choices);
}

void MessageWindows::setNextAnswers(QList<int> answers) {
    TestState& state = testState();
    state.on = true;
    state.answers = std::move(answers);
}

void MessageWindows::setTestMode(bool on) {
    TestState& state = testState();
    state.on = on;
    if (!on) {
        state.answers.clear();
        state.choices.clear();
    }
}

bool MessageWindows::testMode() {
    return testState().on;
}

QStringList MessageWindows::shownMessages() {
    return testState().shown;
}

void MessageWindows::clearShown() {
    testState().shown.clear();
}

void MessageWindows::recordShown(const QString& text) {
    QStringList& shown = testState().shown;
    // Kept for the tests; a long working session must not grow it without end.
    if (shown.size() >= 1000) shown.removeFirst();
    shown.append(text);
}

} // namespace quadrelo
