// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_dialogs.h"

#include "calc/practice_form.h"
#include "document_output.h"
#include "documents/dialog_defaults.h"
#include "ui/common/message_windows.h"
#include "ui/common/tax_code_check.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quadrelo {

namespace {

constexpr int kProperties = 3;
constexpr int kItems = 18;
constexpr int kEditsPerProperty = 12;
constexpr int kChecksPerProperty = 5;
constexpr int kFieldWidth = 96;

enum class Kind { Text, Category, Mark };

// The eighteen items of a property, in the order of their numbers; `number` is the control's
// designer number within the property (Edit1..Edit12 or CheckBox1..CheckBox5 for property 1).
struct Item {
    const char* label;
    Kind kind;
    int number;
    QString IciProperty::*field;
};

using P = IciProperty;
constexpr Item kItemList[kItems] = {
    {"Indirizzo:", Kind::Text, 1, &P::address},
    {"sezione:", Kind::Text, 2, &P::section},
    {"foglio:", Kind::Text, 3, &P::sheet},
    {"particella:", Kind::Text, 4, &P::parcel},
    {"subalterno:", Kind::Text, 5, &P::subUnit},
    {"categoria:", Kind::Category, 0, &P::category},
    {"classe:", Kind::Text, 6, &P::cadastralClass},
    {"immobile storico", Kind::Mark, 1, &P::listedBuilding},
    {"valore:", Kind::Text, 7, &P::value},
    {"% possesso:", Kind::Text, 8, &P::ownershipShare},
    {"mesi possesso:", Kind::Text, 9, &P::monthsOwned},
    {"mesi esclusione/esenzione:", Kind::Text, 10, &P::monthsExempt},
    {"mesi riduzione (inagibilità/cond.agricola):", Kind::Text, 11, &P::monthsReduced},
    {"importo detrazione per l'abitazione principale:", Kind::Text, 12, &P::mainHomeDeduction},
    {"posseduto", Kind::Mark, 2, &P::owned},
    {"escluso o esente", Kind::Mark, 3, &P::excludedOrExempt},
    {"riduzione", Kind::Mark, 4, &P::reduced},
    {"abitazione principale", Kind::Mark, 5, &P::mainHome},
};

// Where item k (0-based) sits in a property's grid: three columns of label and field under
// the address row, the situation at 31 December on the last row. Tab follows this order.
struct Place {
    int item;
    int row;
    int column; // of the label; the field is one to the right
};

constexpr Place kPlaces[] = {
    {0, 0, 0},                                      // Indirizzo, over the first two columns
    {7, 0, 4},                                      // immobile storico
    {1, 1, 0},  {2, 2, 0},  {3, 3, 0},  {4, 4, 0},  // sezione .. subalterno
    {5, 1, 2},  {6, 2, 2},  {8, 3, 2},  {9, 4, 2},  // categoria, classe, valore, % possesso
    {10, 1, 4}, {11, 2, 4}, {12, 3, 4}, {13, 4, 4}, // the months and the deduction
};

QStringList categories() {
    QStringList list;
    const std::pair<char, int> groups[] = {{'A', 11}, {'B', 7}, {'C', 7}, {'D', 12}, {'E', 9}, {'F', 5}};
    for (const auto& [letter, count] : groups)
        for (int n = 1; n <= count; ++n)
            list << QStringLiteral("%1/%2").arg(QLatin1Char(letter)).arg(n);
    return list;
}

} // namespace

IciDialog::IciDialog(QWidget* owner, PracticeForm& form)
    : DocumentDialog(owner, form, QStringLiteral("Compilazione della dichiarazione I.C.I. (fac-simile)")) {
    setObjectName(QStringLiteral("Form14"));
    edits_.resize(kProperties * kEditsPerProperty);
    checks_.resize(kProperties * kChecksPerProperty);
    items_.resize(kProperties);

    auto* content = new QVBoxLayout;
    content->setSpacing(10);
    for (int p = 1; p <= kProperties; ++p)
        content->addWidget(buildProperty(p));
    finish(content, QStringLiteral("annulla"), mrNo, true);

    // Tab runs through each property's fields, its situation boxes, then the next property.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* w) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    };
    for (const QList<QWidget*>& property : std::as_const(items_)) {
        for (const Place& place : kPlaces)
            chain(property[place.item]);
        for (int k = 14; k < kItems; ++k)
            chain(property[k]);
    }
    setTabOrder(previous, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    prefill();
    edit(1)->setFocus();
    // The declarant's code goes on the official form: say now if it disagrees with the practice.
    warnAboutApplicantTaxCodeWhenShown(this, form_);
}

QGroupBox* IciDialog::buildProperty(int property) {
    auto* box = new QGroupBox(QStringLiteral(" Immobile n°%1 ").arg(property), this);
    box->setObjectName(QStringLiteral("GroupBox%1").arg(property));
    groups_ << box;
    // Labels are numbered through the three boxes: thirteen items with a label and the caption.
    int labelNumber = (property - 1) * 14;
    auto newLabel = [&](const QString& text) {
        auto* l = new QLabel(text, box);
        l->setObjectName(QStringLiteral("Label%1").arg(++labelNumber));
        l->setTextFormat(Qt::PlainText);
        return l;
    };

    QList<QWidget*>& widgets = items_[property - 1];
    widgets.resize(kItems);
    QList<QLabel*> labels(kItems, nullptr);
    for (int k = 0; k < kItems; ++k) {
        const Item& item = kItemList[k];
        const QString text = QString::fromUtf8(item.label);
        QWidget* w = nullptr;
        switch (item.kind) {
        case Kind::Text: {
            auto* e = new QLineEdit(box);
            e->setObjectName(QStringLiteral("Edit%1").arg((property - 1) * kEditsPerProperty + item.number));
            if (k != 0) e->setFixedWidth(kFieldWidth);
            edits_[(property - 1) * kEditsPerProperty + item.number - 1] = e;
            w = e;
            break;
        }
        case Kind::Category: {
            auto* c = new QComboBox(box);
            c->setObjectName(QStringLiteral("ComboBox%1").arg(property));
            c->setEditable(true);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setMaxVisibleItems(12);
            c->addItems(categories());
            c->setCurrentIndex(-1);
            c->setEditText(QStringLiteral("A/1"));
            c->setFixedWidth(kFieldWidth);
            combos_ << c;
            w = c;
            break;
        }
        case Kind::Mark: {
            auto* c = new QCheckBox(text, box);
            c->setObjectName(
                QStringLiteral("CheckBox%1").arg((property - 1) * kChecksPerProperty + item.number));
            checks_[(property - 1) * kChecksPerProperty + item.number - 1] = c;
            w = c;
            break;
        }
        }
        if (item.kind != Kind::Mark) {
            QLabel* l = newLabel(text);
            l->setBuddy(w);
            labels[k] = l;
        }
        widgets[k] = w;
    }

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    for (const Place& place : kPlaces) {
        QWidget* w = widgets[place.item];
        if (QLabel* l = labels[place.item]) {
            grid->addWidget(l, place.row, place.column);
            // The address runs over the first two columns.
            if (place.item == 0)
                grid->addWidget(w, place.row, place.column + 1, 1, 3);
            else
                grid->addWidget(w, place.row, place.column + 1);
        } else {
            grid->addWidget(w, place.row, place.column, 1, 2);
        }
    }
    auto* situation = new QHBoxLayout;
    situation->setSpacing(18);
    situation->addWidget(newLabel(QStringLiteral("situazione al 31/12:")));
    for (int k = 14; k < kItems; ++k)
        situation->addWidget(widgets[k]);
    situation->addStretch(1);
    grid->addLayout(situation, 5, 0, 1, 6);
    grid->setColumnStretch(5, 1);
    // Some air between the three columns.
    grid->setColumnMinimumWidth(1, kFieldWidth + 16);
    grid->setColumnMinimumWidth(3, kFieldWidth + 16);
    return box;
}

// Property 1 always, property 2 when the main window holds a second sub-unit; property 3 never.
void IciDialog::prefill() {
    const IciData initial = iciInitialData(form_);
    for (int p = 0; p < kProperties; ++p)
        for (int k = 0; k < kItems; ++k)
            if (kItemList[k].kind == Kind::Text)
                static_cast<QLineEdit*>(items_[p][k])->setText(initial[p].*kItemList[k].field);
}

void IciDialog::run(QWidget* owner, PracticeForm& form) {
    IciDialog dialog(owner, form);
    dialog.exec();
}

QLineEdit* IciDialog::edit(int number) const {
    return edits_.value(number - 1);
}
QComboBox* IciDialog::comboBox(int number) const {
    return combos_.value(number - 1);
}
QCheckBox* IciDialog::checkBox(int number) const {
    return checks_.value(number - 1);
}
QGroupBox* IciDialog::groupBox(int property) const {
    return groups_.value(property - 1);
}

QString IciDialog::value(int property, int item) const {
    QWidget* w = items_.value(property - 1).value(item - 1);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* c = qobject_cast<QCheckBox*>(w))
        return c->isChecked() ? QStringLiteral("X") : QStringLiteral(" ");
    return QString();
}

void IciDialog::BitBtn1Click() {
    for (int p = 1; p <= kProperties; ++p)
        for (int k = 1; k <= kItems; ++k)
            form_.iciData[p - 1].*kItemList[k - 1].field = value(p, k);
    printDocument(this, form_, QStringLiteral("ici"));
}

} // namespace quadrelo
