// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "field_widgets.h"

#include "record/errors.h"

#include <QPushButton>

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScrollArea>
#include <QSignalBlocker>

#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <utility>

namespace quadrelo {

namespace {

// A key that types its text: printable, without Ctrl, Alt or Meta.
bool typesText(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

} // namespace

EntryValidator::EntryValidator(const EntryRules& rules, QWidget* parent, QLineEdit* edit)
    : QValidator(parent), rules_(rules) {
    if (!edit) edit = qobject_cast<QLineEdit*>(parent);
    edit_ = edit;
    // What the field shows is the text the next change starts from, however it got there.
    if (edit) {
        last_ = edit->text();
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
    }
    parent->installEventFilter(this);
}

bool EntryValidator::eventFilter(QObject*, QEvent* event) {
    const bool figure = rules_.family == KeyFamily::NumberText && edit_ && !edit_->isReadOnly();
    if (figure) {
        switch (event->type()) {
        case QEvent::FocusIn:
            // The press that gave the focus arrives after it.
            clickFocus_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            break;
        case QEvent::FocusOut:
            clickFocus_ = swallowingClick_ = false;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const bool first = std::exchange(clickFocus_, false);
            if (mouse->button() == Qt::MiddleButton) return true;
            if (mouse->button() == Qt::LeftButton && first) {
                // Typing then replaces the figure, never multiplies it; a second click places
                // the cursor. The click's drag and release are the selection's own too: they
                // neither move it nor put the figure in the primary selection.
                edit_->selectAll();
                swallowingClick_ = true;
                return true;
            }
            break;
        }
        case QEvent::MouseMove:
            if (swallowingClick_) return true;
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::MiddleButton) {
                pasteSelectionOverFigure();
                return true;
            }
            if (mouse->button() == Qt::LeftButton && std::exchange(swallowingClick_, false)) return true;
            break;
        }
        default:
            break;
        }
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ContextMenu:
        if (edit_)
            pasteOver_ = edit_->hasSelectedText()
                             ? std::pair<int, int>(edit_->selectionStart(), int(edit_->selectedText().size()))
                             : std::pair<int, int>(edit_->cursorPosition(), 0);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
        pasteOver_.reset(); // a paste by the mouse lands where the mouse says
        break;
    default:
        break;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Undo and redo give back what was typed before: filtered as typing, not as a paste.
        const auto* key = static_cast<QKeyEvent*>(event);
        typing_ = typesText(key) || key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
        break;
    }
    case QEvent::InputMethod: // composed letters are typed too
        typing_ = true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        typing_ = false;
        break;
    default:
        break;
    }
    return false;
}

void EntryValidator::pasteSelectionOverFigure() {
    if (!QApplication::clipboard()->supportsSelection()) return;
    const std::optional<QString> number =
        numberInFieldForm(rules_.family, QApplication::clipboard()->text(QClipboard::Selection));
    if (!number || (rules_.maxLength > 0 && number->size() > rules_.maxLength)) {
        refuseEntry();
        return;
    }
    replacing_ = true;
    edit_->selectAll();
    edit_->insert(*number); // as the user's own edit: the practice hears of it
    replacing_ = false;
}

QValidator::State EntryValidator::validate(QString& input, int& pos) const {
    const bool typed = typing_;
    typing_ = false;
    if (loading_ || replacing_ || input == last_) return Acceptable;
    if (typed) {
        input = applyEdit(rules_, last_, input, pos);
        return Acceptable;
    }
    if (const std::optional<QString> taken =
            applyPaste(rules_, last_, input, pos, std::exchange(pasteOver_, {}))) {
        input = *taken;
        return Acceptable;
    }
    // Refused whole: the field goes back to what it held.
    refuseEntry();
    return Invalid;
}

namespace {
int refusals = 0;
}

void refuseEntry() {
    ++refusals;
    QApplication::beep();
}

int refusedEntries() {
    return refusals;
}

void focusAsTab(QWidget* field) {
    // The focus mark shows as after a Tab, also on check boxes and radio buttons.
    field->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    field->setFocus(Qt::TabFocusReason);
    // Leaving the previous field may have shown a message or rewritten texts: select last.
    // A window still on its way to the front has no focus yet: the field takes it when it
    // arrives, selected all the same.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != field && !field->isAncestorOf(focus)) return;
    // On a page that scrolls, the field comes into view.
    for (QWidget* p = field->parentWidget(); p; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p)) {
            area->ensureWidgetVisible(field);
            break;
        }
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
}

void ListBox::hidePopup() {
    QComboBox::hidePopup();
    // The chosen item is applied after the list hides; report once it is.
    QMetaObject::invokeMethod(this, &ListBox::closedUp, Qt::QueuedConnection);
}

CaptionCell::CaptionCell(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setContentsMargins(1, 1, 1, 1);
    setMargin(2);
    setAutoFillBackground(true);
}

void CaptionCell::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

QColor highlightColour() {
    return QColor(255, 255, 0);
}
QColor plainCaptionColour() {
    return QColor(255, 255, 255);
}

void setInputColour(QWidget* input, bool enabled) {
    const QColor colour = enabled ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
    if (input->palette().color(QPalette::Disabled, QPalette::Base) == colour &&
        input->palette().color(QPalette::Active, QPalette::Base) == colour)
        return;
    QPalette p = input->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, colour);
    input->setPalette(p);
}

void setCaptionColour(QLabel* caption, bool highlighted) {
    const QColor colour = highlighted ? highlightColour() : plainCaptionColour();
    if (caption->palette().color(QPalette::Window) == colour) return;
    QPalette p = caption->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Window, colour);
    caption->setPalette(p);
}

QPushButton* bitButton(QWidget* parent, const QString& name, const QString& text, const QString& hint,
                       QStyle::StandardPixmap glyph) {
    auto* button = new QPushButton(parent->style()->standardIcon(glyph), text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    // Enter on a focused button presses it, as everywhere else in the program.
    button->setAutoDefault(true);
    button->setMinimumWidth(96);
    return button;
}

QChar mnemonicLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&')) continue;
        if (text.at(i + 1) != QLatin1Char('&')) return text.at(i + 1).toLower();
        ++i; // "&&" is a plain "&"
    }
    return {};
}

qsizetype freeMnemonicPosition(const QString& text, const QSet<QChar>& used) {
    auto usable = [&](qsizetype i) {
        const QChar c = text.at(i);
        return c.unicode() < 128 && c.isLetter() && !used.contains(c.toLower());
    };
    for (qsizetype i = 0; i < text.size(); ++i)
        if ((i == 0 || !text.at(i - 1).isLetter()) && usable(i)) return i;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (usable(i)) return i;
    return -1;
}

void markCaptions(const QList<QLabel*>& captions, QSet<QChar>& used) {
    QSet<QString> seen;
    for (QLabel* label : captions) {
        const QString text = label->text();
        // A caption repeated (a second property, a second register) keeps its letter for the first.
        if (text.contains(QLatin1Char('&')) || seen.contains(text)) continue;
        seen.insert(text);
        const qsizetype at = freeMnemonicPosition(text, used);
        if (at < 0) continue;
        used.insert(text.at(at).toLower());
        label->setText(text.left(at) + QLatin1Char('&') + text.mid(at));
    }
}

QString errorMessage(const std::exception& e) {
    if (const auto* error = dynamic_cast<const Error*>(&e)) return error->message();
    return QString::fromLocal8Bit(e.what());
}

CalendarPicker::CalendarPicker(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    lineEdit()->installEventFilter(this);
}

// The calendar is made the first time it opens, not with the window: a window has several
// pickers and most of them never open theirs.
void CalendarPicker::prepareCalendar() {
    if (calendarReady_) return;
    calendarReady_ = true;
    QCalendarWidget* calendar = calendarWidget();
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->window()->installEventFilter(this);
}

void CalendarPicker::mousePressEvent(QMouseEvent* event) {
    prepareCalendar();
    QDateEdit::mousePressEvent(event);
}

// Qt opens the calendar only from a click on the arrow, so the click is made here.
void CalendarPicker::openCalendar() {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QPointF at =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    prepareCalendar();
    QDateEdit::mousePressEvent(&press);
}

void CalendarPicker::keyPressEvent(QKeyEvent* event) {
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    event->accept();
    if (f4 || altDown) {
        commitTyping();
        openCalendar();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteDate(QApplication::clipboard()->text());
        return;
    }
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (typing_ && plain) {
            typed_.chop(1);
            showTyped();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (typing_) {
            typing_ = false;
            typed_.clear();
            setDate(date());
            selectAll();
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (plain) {
            if (commitTyping()) moveSection(event->key() == Qt::Key_Right ? 1 : -1);
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!commitTyping()) return;
        break;
    default:
        if (typesText(event)) {
            const QString text = event->text();
            for (QChar c : text)
                typeCharacter(c);
            return;
        }
        break;
    }
    QDateEdit::keyPressEvent(event);
}

void CalendarPicker::typeCharacter(QChar c) {
    const bool separator =
        c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(' ');
    if (!c.isDigit() && !separator) {
        refuseEntry();
        return;
    }
    // A date selected whole (Ctrl+A, Shift+Home, the mouse) is typed over afresh, even the one
    // being typed.
    if (typing_ && lineEdit()->hasSelectedText() && lineEdit()->selectedText() == lineEdit()->text())
        typing_ = false;
    if (!typing_) {
        // Typing over the whole date starts afresh; typing into a part keeps the parts before it.
        typed_.clear();
        if (lineEdit()->selectedText() != lineEdit()->text()) {
            const QStringList parts = lineEdit()->text().split(QLatin1Char('/'));
            for (int i = 0; i < currentSectionIndex() && i < parts.size(); ++i)
                typed_ += parts.at(i) + QLatin1Char('/');
        }
        typing_ = true;
    }
    const int part = static_cast<int>(typed_.count(QLatin1Char('/')));
    const QString current = typed_.section(QLatin1Char('/'), -1);
    if (separator) {
        // A separator closes the part being typed; with none begun there is nothing to close.
        if (current.isEmpty()) return;
        if (part >= 2) {
            refuseEntry();
            return;
        }
        typed_ += QLatin1Char('/');
    } else if (part < 2 && current.size() == 2) {
        // Day and month take two digits; the next one begins the next part.
        typed_ += QLatin1Char('/');
        typed_ += c;
    } else if (part == 2 && current.size() == 4) {
        refuseEntry();
        return;
    } else {
        typed_ += c;
    }
    showTyped();
}

void CalendarPicker::showTyped() {
    // Shown as typed; the picker's own parser must not fix up a half-typed date.
    const QSignalBlocker block(lineEdit());
    lineEdit()->setText(typed_);
    lineEdit()->setCursorPosition(static_cast<int>(typed_.size()));
}

bool CalendarPicker::commitTyping() {
    if (!typing_) return true;
    typing_ = false;
    const QString typed = std::exchange(typed_, QString());
    if (typed.isEmpty()) {
        setDate(date());
        return true;
    }
    if (takeDate(typed)) return true;
    selectAll();
    return false;
}

bool CalendarPicker::takeDate(const QString& text) {
    const std::optional<QDate> taken = readTypedDate(text, date());
    if (taken && *taken >= minimumDate() && *taken <= maximumDate()) {
        setDate(*taken);
        return true;
    }
    refuseEntry();
    setDate(date()); // the shown text goes back to the date kept
    return false;
}

void CalendarPicker::pasteDate(const QString& text) {
    typing_ = false;
    typed_.clear();
    takeDate(text);
    selectAll();
}

void CalendarPicker::moveSection(int step) {
    const int next = std::clamp(currentSectionIndex() + step, 0, sectionCount() - 1);
    setCurrentSectionIndex(next);
    setSelectedSection(currentSection());
}

void CalendarPicker::focusInEvent(QFocusEvent* event) {
    QDateEdit::focusInEvent(event);
    // As every other field: the whole date selected, typing replaces it.
    selectAll();
}

void CalendarPicker::focusOutEvent(QFocusEvent* event) {
    commitTyping();
    QDateEdit::focusOutEvent(event);
}

bool CalendarPicker::focusNextPrevChild(bool next) {
    // Tab leaves the picker at once; the parts are reached with Left and Right.
    commitTyping();
    return QAbstractSpinBox::focusNextPrevChild(next);
}

void CalendarPicker::contextMenuEvent(QContextMenuEvent* event) {
    commitTyping();
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copia"));
    QAction* paste = menu.addAction(QStringLiteral("&Incolla"));
    paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu.addSeparator();
    QAction* calendar = menu.addAction(QStringLiteral("&Calendario"));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copy)
        QApplication::clipboard()->setText(lineEdit()->text());
    else if (chosen == paste)
        pasteDate(QApplication::clipboard()->text());
    else if (chosen == calendar)
        openCalendar();
}

bool CalendarPicker::eventFilter(QObject* watched, QEvent* event) {
    // The date chosen in the calendar is already set when the calendar hides.
    if (event->type() == QEvent::Hide && calendarReady_ && watched == calendarWidget()->window())
        emit closedUp();
    // A middle click pastes the selection as a whole date too.
    if (watched == lineEdit() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
        if (event->type() == QEvent::MouseButtonRelease && QApplication::clipboard()->supportsSelection())
            pasteDate(QApplication::clipboard()->text(QClipboard::Selection));
        return true;
    }
    return QDateEdit::eventFilter(watched, event);
}

} // namespace quadrelo
