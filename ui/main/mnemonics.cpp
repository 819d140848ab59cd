// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "mnemonics.h"

#include "page_control.h"
#include "record/catalogue.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include <optional>

namespace quadrelo {

namespace {

using Letters = QSet<QChar>;

// The letter after a single "&" of a text, lower case.
std::optional<QChar> mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&')) continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text.at(i + 1).toLower();
    }
    return std::nullopt;
}

// Where in `text` a free letter stands: a word's first letter first, then any other.
qsizetype freeLetter(const QString& text, const Letters& used) {
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

// The letters a page's own buttons and captions already carry.
Letters lettersIn(const QWidget* page) {
    Letters letters;
    auto add = [&letters](const QString& text) {
        if (const auto c = mnemonicOf(text)) letters.insert(*c);
    };
    for (const QAbstractButton* b : page->findChildren<QAbstractButton*>())
        add(b->text());
    for (const QLabel* l : page->findChildren<QLabel*>())
        add(l->text());
    for (const QGroupBox* g : page->findChildren<QGroupBox*>())
        add(g->title());
    return letters;
}

// The cell of `grid` that holds `w`, directly or inside a nested layout.
bool cellOf(QGridLayout* grid, const QWidget* w, int& row, int& column) {
    auto holds = [w](auto&& self, QLayoutItem* item) -> bool {
        if (item->widget() == w) return true;
        if (QLayout* inner = item->layout())
            for (int i = 0; i < inner->count(); ++i)
                if (self(self, inner->itemAt(i))) return true;
        return false;
    };
    for (int i = 0; i < grid->count(); ++i)
        if (holds(holds, grid->itemAt(i))) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            return true;
        }
    return false;
}

// The field a caption names: the one field of the page with that caption, or of several the
// nearest one after it on its row.
QWidget* fieldOf(const QLabel* label, const QWidget* page, const QHash<QString, QWidget*>& controls) {
    QList<QWidget*> named;
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        const FieldSpec* spec = fieldSpec(it.key());
        if (spec && !spec->caption.isEmpty() && spec->caption == label->text() &&
            page->isAncestorOf(it.value()))
            named << it.value();
    }
    if (named.size() == 1) return named.first();
    auto* grid =
        label->parentWidget() ? qobject_cast<QGridLayout*>(label->parentWidget()->layout()) : nullptr;
    int row = 0;
    int column = 0;
    if (!grid || !cellOf(grid, label, row, column)) return nullptr;
    QWidget* nearest = nullptr;
    int nearestColumn = 0;
    for (QWidget* w : named) {
        int r = 0;
        int c = 0;
        if (cellOf(grid, w, r, c) && r == row && c > column && (!nearest || c < nearestColumn)) {
            nearest = w;
            nearestColumn = c;
        }
    }
    return nearest;
}

} // namespace

void giveMnemonics(PageControl* pages, const QMenuBar* menus, const QHash<QString, QWidget*>& controls) {
    Letters always;
    for (const QAction* a : menus->actions())
        if (const auto c = mnemonicOf(a->text())) always.insert(*c);
    // A tab's letter works on every page: it must not be one a page already uses.
    QList<Letters> own;
    for (int i = 0; i < pages->count(); ++i) {
        own << lettersIn(pages->widget(i));
        always.unite(own.last());
    }
    for (int i = 0; i < pages->count(); ++i) {
        const qsizetype at = freeLetter(pages->tabText(i), always);
        if (at < 0) continue;
        pages->tabBar()->setMnemonic(i, static_cast<int>(at));
        always.insert(pages->tabText(i).at(at).toLower());
    }
    for (int i = 0; i < pages->count(); ++i) {
        QWidget* page = pages->widget(i);
        Letters used = always;
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (label->buddy() || label->text().contains(QLatin1Char('&'))) continue;
            QWidget* field = fieldOf(label, page, controls);
            if (!field) continue;
            const QString text = label->text();
            const qsizetype at = freeLetter(text, used);
            if (at < 0) continue;
            used.insert(text.at(at).toLower());
            label->setText(text.left(at) + QLatin1Char('&') + text.mid(at));
            label->setBuddy(field);
        }
    }
}

} // namespace quadrelo
