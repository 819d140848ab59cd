// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "record/field_entry.h"

#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QSet>
#include <QStyle>
#include <QValidator>
#include <exception>

class QLineEdit;
class QPushButton;

namespace quadrelo {

// Every change of a line edit's text (typing, pasting, dropping, undo) passes through the
// field's key family. A typed key is filtered; a pasted or dropped text is taken whole or
// refused whole with a beep, so that a number never changes into another one on the way.
// In a figure the first click selects it whole, and a middle click replaces it whole with
// the selection when that is a number, as typing over a selected figure does.
// `parent` is the widget that receives the keys: the line edit, or the list that holds it.
class EntryValidator : public QValidator {
    Q_OBJECT
public:
    EntryValidator(const EntryRules& rules, QWidget* parent, QLineEdit* edit = nullptr);

    const EntryRules& rules() const { return rules_; }
    State validate(QString& input, int& pos) const override;

    // Text put in by the program (the practice as the core holds it) is shown as it is.
    void beginLoad() { loading_ = true; }
    void endLoad() { loading_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pasteSelectionOverFigure();

    EntryRules rules_;
    QLineEdit* edit_ = nullptr;
    bool loading_ = false;
    // The figure got the focus from a mouse press still to come through.
    bool clickFocus_ = false;
    bool swallowingClick_ = false;
    // The figure's text is being replaced whole by the program on the user's behalf.
    bool replacing_ = false;
    // The change being validated comes from a key typed now, not from the clipboard.
    mutable bool typing_ = false;
    // The text before the change that is being validated.
    mutable QString last_;
    // What a paste from the keyboard or the menu goes over: the selection, or the cursor.
    mutable std::optional<std::pair<int, int>> pasteOver_;
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
// A date is typed as written on paper: "12/05/1960", "12051960", "1-5-1960"; the parts fill
// in order as digits come, and the date counts when it is complete and real, on Enter or on
// leaving. An impossible date is refused with a beep and the previous one stays. Pasted text
// is read whole the same way. One Tab leaves the picker; Left and Right move between parts.
class CalendarPicker : public QDateEdit {
    Q_OBJECT
public:
    explicit CalendarPicker(QWidget* parent = nullptr);
    void openCalendar();

    // Takes the date being typed: true when there was none or it was a real date; false
    // (with a beep, the previous date back in view) when it was refused.
    bool commitTyping();
    bool isTyping() const { return typing_; }
    // Reads a whole pasted text as a date; a beep and no change when it is none.
    void pasteDate(const QString& text);

signals:
    void closedUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void prepareCalendar();
    // Sets the date the text names, within the range; otherwise beeps and keeps the date.
    bool takeDate(const QString& text);
    void typeCharacter(QChar c);
    void showTyped();
    void moveSection(int step);

    bool typing_ = false;
    QString typed_;
    bool calendarReady_ = false;
};

// Refuses what was typed or pasted, audibly. Counted, so that a refusal can be seen in tests.
void refuseEntry();
int refusedEntries();

// Gives a field the focus as Tab does: its whole text selected, the focus mark shown.
void focusAsTab(QWidget* field);

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

// Alt letters of captions and buttons. The letter after a single "&" of a text, lower case;
// null when there is none.
QChar mnemonicLetter(const QString& text);
// Where in `text` a letter not in `used` stands: a word's first letter first, then any
// other; -1 when none is free.
qsizetype freeMnemonicPosition(const QString& text, const QSet<QChar>& used);
// Each caption gets a free letter, in order, as long as there are letters; a caption that
// repeats one before it gets none.
void markCaptions(const QList<QLabel*>& captions, QSet<QChar>& used);

// The text of an error for a message: our own message, or the library's.
QString errorMessage(const std::exception& e);

} // namespace quadrelo
