// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "form_binding.h"

#include "record/catalogue.h"
#include "ui/common/field_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>

namespace quadrelo {

namespace {

QString toWidgetText(QString memo) {
    return memo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
QString toFileText(QString text) {
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

bool isEnterKey(const QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    return !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// Text a key would type: printable characters only, so shortcuts keep their own handling.
bool isTypedText(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

} // namespace

FormBinding::FormBinding(PracticeForm& form, QWidget* window, Runner run, std::function<void(int)> showPage)
    : QObject(window), form_(form), run_(std::move(run)), showPage_(std::move(showPage)) {}

void FormBinding::watch(QWidget* widget, const QString& name) {
    widget->setObjectName(name);
    controls_.insert(name, widget);
    names_.insert(widget, name);
    widget->installEventFilter(this);
}

void FormBinding::forward(const Action& action) {
    if (loading_ > 0 || detached_) return;
    run_(action);
}

// --- creation -----------------------------------------------------------------------------

QLineEdit* FormBinding::edit(const QString& name) {
    auto* e = new QLineEdit;
    const FieldSpec* descriptor = fieldSpec(name);
    auto* validator = new EntryValidator(descriptor ? descriptor->rules : EntryRules{}, e);
    e->setValidator(validator);
    if (descriptor && descriptor->kind == FieldKind::NumberText)
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    watch(e, name);
    edits_.insert(name, e);
    validators_.insert(name, validator);
    connect(e, &QLineEdit::textEdited, this, [this, name](const QString& text) {
        forward([this, name, text] { form_.setText(name, text); });
    });
    return e;
}

QComboBox* FormBinding::combo(const QString& name) {
    const FieldSpec* descriptor = fieldSpec(name);
    auto* c = new ListBox;
    c->setMaxVisibleItems(12);
    const bool editable = !descriptor || descriptor->kind != FieldKind::FixedList;
    // Given its field, the list becomes editable without building its drop-down first, as
    // setEditable would: that waits for the first time the list opens.
    if (editable) c->setLineEdit(new QLineEdit(c));
    if (descriptor) c->addItems(descriptor->items);
    watch(c, name);
    combos_.insert(name, c);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        auto* validator = new EntryValidator(descriptor ? descriptor->rules : EntryRules{}, c, c->lineEdit());
        c->lineEdit()->setValidator(validator);
        validators_.insert(name, validator);
        connect(c, &QComboBox::editTextChanged, this, [this, name](const QString& text) {
            forward([this, name, text] { form_.setText(name, text); });
        });
    } else {
        connect(c, &ListBox::closedUp, this,
                [this, name] { forward([this, name] { form_.closeUp(name); }); });
    }
    connect(c, &QComboBox::activated, this,
            [this, name](int index) { forward([this, name, index] { form_.chooseItem(name, index); }); });
    return c;
}

QCheckBox* FormBinding::check(const QString& name, const QString& text) {
    const FieldSpec* descriptor = fieldSpec(name);
    auto* c = new QCheckBox(text.isNull() && descriptor ? descriptor->caption : text);
    watch(c, name);
    checks_.insert(name, c);
    connect(c, &QCheckBox::toggled, this,
            [this, name](bool on) { forward([this, name, on] { form_.setChecked(name, on); }); });
    return c;
}

void FormBinding::beginRadioGroup() {
    currentGroup_ = new QButtonGroup(this);
}

QRadioButton* FormBinding::radio(const QString& name, const QString& text) {
    const FieldSpec* descriptor = fieldSpec(name);
    auto* r = new QRadioButton(text.isNull() && descriptor ? descriptor->caption : text);
    watch(r, name);
    radios_.insert(name, r);
    if (!currentGroup_) beginRadioGroup();
    currentGroup_->addButton(r);
    radioGroups_.insert(r, currentGroup_);
    connect(r, &QRadioButton::clicked, this, [this, name] { forward([this, name] { form_.select(name); }); });
    return r;
}

QDateEdit* FormBinding::date(const QString& name) {
    auto* d = new CalendarPicker;
    watch(d, name);
    connect(d, &CalendarPicker::closedUp, this,
            [this, name] { forward([this, name] { form_.closeUp(name); }); });
    dates_.insert(name, d);
    connect(d, &QDateEdit::dateChanged, this,
            [this, name](QDate value) { forward([this, name, value] { form_.setDate(name, value); }); });
    return d;
}

QPlainTextEdit* FormBinding::memo(const QString& name) {
    auto* m = new QPlainTextEdit;
    m->setTabChangesFocus(true);
    watch(m, name);
    memos_.insert(name, m);
    connect(m, &QPlainTextEdit::textChanged, this, [this, name, m] {
        forward([this, name, text = toFileText(m->toPlainText())] { form_.setMemo(name, text); });
    });
    return m;
}

QLabel* FormBinding::result(const QString& name) {
    auto* l = new CaptionCell(QStringLiteral("0,00"));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000000000,00")) + 8);
    setCaptionColour(l, false);
    watch(l, name);
    captions_.insert(name, l);
    return l;
}

QLabel* FormBinding::rowCaption(const QString& name, const QString& text) {
    auto* l = new CaptionCell(text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setCaptionColour(l, false);
    watch(l, name);
    captions_.insert(name, l);
    fixedCaptions_.insert(name);
    return l;
}

QLabel* FormBinding::label(const QString& name, const QString& text) {
    auto* l = new QLabel(text);
    watch(l, name);
    plainLabels_.insert(name, l);
    return l;
}

QGroupBox* FormBinding::group(const QString& name, const QString& title, bool takesFocus) {
    auto* g = new QGroupBox(title);
    if (takesFocus) g->setFocusPolicy(Qt::StrongFocus);
    g->setObjectName(name);
    controls_.insert(name, g);
    return g;
}

// --- practice → widgets -------------------------------------------------------------------

void FormBinding::load() {
    form_.takeChanges();
    ++loading_;
    loadAll(true);
    --loading_;
}

void FormBinding::loadChanges() {
    const PracticeForm::Changes changes = form_.takeChanges();
    ++loading_;
    if (changes.handlerRan) {
        loadAll(false);
        for (const QString& name : changes.controls)
            if (QPlainTextEdit* m = memos_.value(name)) loadMemo(name, m);
    } else {
        for (const QString& name : changes.controls)
            loadControl(name);
    }
    --loading_;
}

void FormBinding::loadAll(bool memos) {
    for (auto it = edits_.cbegin(); it != edits_.cend(); ++it)
        loadEdit(it.key(), it.value());
    for (auto it = combos_.cbegin(); it != combos_.cend(); ++it)
        loadCombo(it.key(), it.value());
    for (auto it = checks_.cbegin(); it != checks_.cend(); ++it)
        loadCheck(it.key(), it.value());
    for (auto it = radios_.cbegin(); it != radios_.cend(); ++it)
        loadRadio(it.key(), it.value());
    for (auto it = dates_.cbegin(); it != dates_.cend(); ++it)
        loadDate(it.key(), it.value());
    if (memos)
        for (auto it = memos_.cbegin(); it != memos_.cend(); ++it)
            loadMemo(it.key(), it.value());
    for (auto it = captions_.cbegin(); it != captions_.cend(); ++it)
        loadCaption(it.key(), it.value());
    for (auto it = plainLabels_.cbegin(); it != plainLabels_.cend(); ++it)
        loadPlainLabel(it.key(), it.value());
}

void FormBinding::loadControl(const QString& name) {
    if (QLineEdit* e = edits_.value(name)) loadEdit(name, e);
    if (QComboBox* c = combos_.value(name)) loadCombo(name, c);
    if (QCheckBox* c = checks_.value(name)) loadCheck(name, c);
    if (QRadioButton* r = radios_.value(name)) loadRadio(name, r);
    if (QDateEdit* d = dates_.value(name)) loadDate(name, d);
    if (QPlainTextEdit* m = memos_.value(name)) loadMemo(name, m);
    if (QLabel* l = captions_.value(name)) loadCaption(name, l);
    if (QLabel* l = plainLabels_.value(name)) loadPlainLabel(name, l);
}

void FormBinding::loadEdit(const QString& name, QLineEdit* e) {
    const EditState* s = form_.edit(name);
    if (!s) return;
    if (e->text() != s->text) {
        EntryValidator* v = validators_.value(name);
        v->beginLoad();
        e->setText(s->text);
        v->endLoad();
    }
    if (e->isEnabled() != s->enabled) e->setEnabled(s->enabled);
    setInputColour(e, s->enabled);
}

void FormBinding::loadCombo(const QString& name, QComboBox* c) {
    const ComboState* s = form_.combo(name);
    if (!s) return;
    if (c->isEditable()) {
        const int cursor = c->lineEdit()->cursorPosition();
        const bool sameText = c->currentText() == s->text;
        EntryValidator* v = validators_.value(name);
        v->beginLoad();
        if (c->currentIndex() != s->itemIndex) c->setCurrentIndex(s->itemIndex);
        if (c->currentText() != s->text) c->setEditText(s->text);
        v->endLoad();
        if (sameText && c->lineEdit()->cursorPosition() != cursor) c->lineEdit()->setCursorPosition(cursor);
    } else if (c->currentIndex() != s->itemIndex) {
        c->setCurrentIndex(s->itemIndex);
    }
    if (c->isEnabled() != s->enabled) c->setEnabled(s->enabled);
}

void FormBinding::loadCheck(const QString& name, QCheckBox* c) {
    const CheckState* s = form_.check(name);
    if (s && c->isChecked() != s->checked) c->setChecked(s->checked);
}

void FormBinding::loadRadio(const QString& name, QRadioButton* r) {
    const RadioState* s = form_.radio(name);
    if (!s || r->isChecked() == s->checked) return;
    if (s->checked) {
        r->setChecked(true);
    } else {
        // An exclusive group refuses to clear its checked button directly.
        QButtonGroup* g = radioGroups_.value(r);
        g->setExclusive(false);
        r->setChecked(false);
        g->setExclusive(true);
    }
}

void FormBinding::loadDate(const QString& name, QDateEdit* d) {
    const DateState* s = form_.datePicker(name);
    if (s && s->date.isValid() && d->date() != s->date) d->setDate(s->date);
}

void FormBinding::loadMemo(const QString& name, QPlainTextEdit* m) {
    const MemoState* s = form_.memo(name);
    if (!s) return;
    const QString shown = toWidgetText(s->text);
    if (m->toPlainText() != shown) m->setPlainText(shown);
}

void FormBinding::loadCaption(const QString& name, QLabel* l) {
    const CaptionState* s = form_.caption(name);
    if (!s) return;
    if (!fixedCaptions_.contains(name) && l->text() != s->text) l->setText(s->text);
    setCaptionColour(l, s->highlighted);
    if (l->isEnabled() != s->enabled) l->setEnabled(s->enabled);
}

void FormBinding::loadPlainLabel(const QString& name, QLabel* l) {
    const CaptionState* s = form_.caption(name);
    if (s && l->isEnabled() != s->enabled) l->setEnabled(s->enabled);
}

// --- keys and focus -----------------------------------------------------------------------

bool FormBinding::handleEnter(QWidget* widget, const QString& name) {
    const EnterStep step = enterStep(name);
    if (step.target.isEmpty()) return false;
    // A date being typed counts first; an impossible one keeps the user where it is.
    if (auto* picker = qobject_cast<CalendarPicker*>(widget); picker && !picker->commitTyping()) return true;
    if (step.page >= 0 && showPage_) showPage_(step.page);
    if (QWidget* target = controls_.value(step.target)) focusAsTab(target);
    return step.consumed;
}

// Typed characters are filtered before the edit sees them, so a refused key changes
// nothing at all (undo history included); pasted text is left to the validator.
bool FormBinding::filterKey(QWidget* widget, QKeyEvent* event) {
    QLineEdit* line = qobject_cast<QLineEdit*>(widget);
    if (!line) {
        if (auto* c = qobject_cast<QComboBox*>(widget)) line = c->lineEdit();
    }
    auto* v = line ? qobject_cast<const EntryValidator*>(line->validator()) : nullptr;
    if (!v || !isTypedText(event->text()) || line->isReadOnly()) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    QString remaining = line->text();
    qsizetype at = line->cursorPosition();
    if (line->hasSelectedText()) {
        at = line->selectionStart();
        remaining.remove(at, line->selectedText().size());
    }
    const QString accepted =
        filterInsertion(v->rules(), remaining.left(at), event->text(), remaining.mid(at));
    if (accepted == event->text()) return false;
    if (!accepted.isEmpty()) {
        QKeyEvent retyped(event->type(), event->key(), event->modifiers(), accepted, event->isAutoRepeat(),
                          static_cast<quint16>(event->count()));
        QCoreApplication::sendEvent(widget, &retyped);
    }
    return true;
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
    if (detached_) return false;
    const auto found = names_.constFind(watched);
    if (found == names_.cend()) return false;
    const QString& name = found.value();
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isEnterKey(key)) return handleEnter(widget, name);
        return filterKey(widget, key);
    }
    case QEvent::FocusOut: {
        // A message box or a drop-down taking the focus is no leaving of the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
        // The date typed in a picker is the one its field is left with.
        if (auto* picker = qobject_cast<CalendarPicker*>(widget)) picker->commitTyping();
        forward([this, name] { form_.leave(name); });
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace quadrelo
