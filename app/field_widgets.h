#pragma once

#include "record/field_entry.h"

#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QStyle>
#include <QValidator>
#include <exception>

class QPushButton;

namespace quadrelo {

// Every change of a line edit's text (typing, pasting, dropping, undo) passes through the
// field's key family: the same filter decides for a key and for a pasted string.
class EntryValidator : public QValidator {
    Q_OBJECT
public:
    EntryValidator(const EntryRules& rules, QObject* parent);

    const EntryRules& rules() const { return rules_; }
    State validate(QString& input, int& pos) const override;

    // Text put in by the program (the practice as the core holds it) is shown as it is.
    void beginLoad() { loading_ = true; }
    void endLoad() { loading_ = false; }

private:
    EntryRules rules_;
    bool loading_ = false;
    // The text before the change that is being validated.
    mutable QString last_;
};

// Drop-down list that tells when its list closes, the way a choice is confirmed.
class ListBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void hidePopup() override;

signals:
    void closedUp();
};

// Date picker whose calendar also opens from the keyboard (F4, Alt+Down) and that tells
// when its calendar closes, the moment a date chosen there counts as entered.
class CalendarPicker : public QDateEdit {
    Q_OBJECT
public:
    explicit CalendarPicker(QWidget* parent = nullptr);
    void openCalendar();

signals:
    void closedUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A caption cell of the calculation tables: a square thin frame, so that a figure the program
// computes never looks like a field the user types into.
class CaptionCell : public QLabel {
    Q_OBJECT
public:
    explicit CaptionCell(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Colours that carry meaning: highlighted result captions, white enabled inputs and inputs
// with the button-face colour when disabled.
QColor highlightColour();
QColor plainCaptionColour();
void setInputColour(QWidget* input, bool enabled);
void setCaptionColour(QLabel* caption, bool highlighted);

// A dialog's command button ("salva", "esci", ...): icon, hint, Enter presses it when focused.
QPushButton* bitButton(QWidget* parent, const QString& name, const QString& text, const QString& hint,
                       QStyle::StandardPixmap glyph);

// The text of an error for a message: our own message, or the library's.
QString errorMessage(const std::exception& e);

} // namespace quadrelo
