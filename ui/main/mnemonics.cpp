// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "mnemonics.h"

#include "page_control.h"
#include "record/catalogue.h"
#include "ui/common/field_widgets.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace quadrelo {

namespace {

using Letters = QSet<QChar>;

// The letters a page's own buttons and captions already carry.
Letters lettersIn(const QWidget* page) {
    Letters letters;
    auto add = [&letters](const QString& text) {
        if (const QChar c = mnemonicLetter(text); !c.isNull()) letters.insert(c);
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

// The controls by the caption their field has, in the order of `controls`.
using CaptionIndex = QHash<QString, QList<QWidget*>>;

CaptionIndex captionIndex(const QHash<QString, QWidget*>& controls) {
    CaptionIndex index;
    for (auto it = controls.cbegin(); it != controls.cend(); ++it)
        if (const FieldSpec* field = fieldSpec(it.key()); field && !field->caption.isEmpty())
            index[field->caption] << it.value();
    return index;
}

// The field a caption names: the one field of the page with that caption, or of several the
// nearest one after it on its row.
QWidget* fieldOf(const QLabel* label, const QWidget* page, const CaptionIndex& captions) {
    QList<QWidget*> named;
    for (QWidget* w : captions.value(label->text()))
        if (page->isAncestorOf(w)) named << w;
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
        if (const QChar c = mnemonicLetter(a->text()); !c.isNull()) always.insert(c);
    // A tab's letter works on every page: it must not be one a page already uses.
    QList<Letters> own;
    for (int i = 0; i < pages->count(); ++i) {
        own << lettersIn(pages->widget(i));
        always.unite(own.last());
    }
    for (int i = 0; i < pages->count(); ++i) {
        const qsizetype at = freeMnemonicPosition(pages->tabText(i), always);
        if (at < 0) continue;
        pages->tabBar()->setMnemonic(i, static_cast<int>(at));
        always.insert(pages->tabText(i).at(at).toLower());
    }
    const CaptionIndex index = captionIndex(controls);
    for (int i = 0; i < pages->count(); ++i) {
        QWidget* page = pages->widget(i);
        Letters used = always;
        QList<QLabel*> captions;
        QList<QWidget*> fields;
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (label->buddy() || label->text().contains(QLatin1Char('&'))) continue;
            if (QWidget* field = fieldOf(label, page, index)) {
                captions << label;
                fields << field;
            }
        }
        markCaptions(captions, used);
        for (qsizetype k = 0; k < captions.size(); ++k)
            if (!mnemonicLetter(captions.at(k)->text()).isNull()) captions.at(k)->setBuddy(fields.at(k));
    }
}

} // namespace quadrelo
