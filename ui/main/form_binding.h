// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "calc/practice_form.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

namespace quadrelo {

class EntryValidator;

// The thin layer between the practice and the widgets of the main window: creates the bound
// controls under their designer names, copies the practice into them (load) and forwards
// what the user does to the practice. Every forwarded action runs through `run`, which
// reports errors and reloads.
class FormBinding : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void()>;
    using Runner = std::function<void(const Action&)>;

    FormBinding(PracticeForm& form, QWidget* window, Runner run, std::function<void(int)> showPage);

    // --- controls bound to the practice (names and rules from the field catalogue) -------
    QLineEdit* edit(const QString& name);
    QComboBox* combo(const QString& name);
    QCheckBox* check(const QString& name, const QString& text = QString());
    QRadioButton* radio(const QString& name, const QString& text = QString());
    QDateEdit* date(const QString& name);
    QPlainTextEdit* memo(const QString& name);
    // A figure: framed, right-aligned, its text and colour from the practice.
    QLabel* result(const QString& name);
    // A row caption: framed, fixed text, its colour from the practice.
    QLabel* rowCaption(const QString& name, const QString& text);
    // A plain caption whose enabled state follows the practice.
    QLabel* label(const QString& name, const QString& text);
    // A group box; one that Enter sends the focus to must take the focus.
    QGroupBox* group(const QString& name, const QString& title, bool takesFocus = false);
    // Radio buttons created after this call form one exclusive group.
    void beginRadioGroup();

    QWidget* control(const QString& name) const { return controls_.value(name); }
    const QHash<QString, QWidget*>& controls() const { return controls_; }

    // Practice → widgets, every control; touches only what differs.
    void load();
    // Practice → widgets, only the controls the practice says its last actions changed.
    void loadChanges();
    bool isLoading() const { return loading_ > 0; }
    // Stops all forwarding (the window is going away).
    void detach() { detached_ = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forward(const Action& action);
    bool handleEnter(QWidget* widget, const QString& name);
    bool filterKey(QWidget* widget, QKeyEvent* event);
    void watch(QWidget* widget, const QString& name);
    void loadAll(bool memos);
    void loadControl(const QString& name);
    void loadEdit(const QString& name, QLineEdit* e);
    void loadCombo(const QString& name, QComboBox* c);
    void loadCheck(const QString& name, QCheckBox* c);
    void loadRadio(const QString& name, QRadioButton* r);
    void loadDate(const QString& name, QDateEdit* d);
    void loadMemo(const QString& name, QPlainTextEdit* m);
    void loadCaption(const QString& name, QLabel* l);
    void loadPlainLabel(const QString& name, QLabel* l);

    PracticeForm& form_;
    Runner run_;
    std::function<void(int)> showPage_;
    int loading_ = 0;
    bool detached_ = false;

    QHash<QString, QWidget*> controls_;
    QHash<QObject*, QString> names_;
    QHash<QString, QLineEdit*> edits_;
    QHash<QString, EntryValidator*> validators_;
    QHash<QString, QComboBox*> combos_;
    QHash<QString, QCheckBox*> checks_;
    QHash<QString, QRadioButton*> radios_;
    QHash<QString, QDateEdit*> dates_;
    QHash<QString, QPlainTextEdit*> memos_;
    QHash<QString, QLabel*> captions_;
    QSet<QString> fixedCaptions_;
    QHash<QString, QLabel*> plainLabels_;
    QHash<QRadioButton*, QButtonGroup*> radioGroups_;
    QButtonGroup* currentGroup_ = nullptr;
};

} // namespace quadrelo
