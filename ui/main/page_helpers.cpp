// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "pages.h"

#include "record/catalogue.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace quadrelo::page {

QString captionOf(const QString& field) {
    const FieldSpec* descriptor = fieldSpec(field);
    return descriptor ? descriptor->caption : QString();
}

QString groupOf(const QString& field) {
    const FieldSpec* descriptor = fieldSpec(field);
    return descriptor ? descriptor->group : QString();
}

QWidget* newPage(const QString& name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

QGridLayout* gridIn(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return grid;
}

QLabel* fieldLabel(const QString& text) {
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

QLabel* heading(const QString& text) {
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    l->setFont(f);
    return l;
}

void setChars(QWidget* field, int chars) {
    const int w = field->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('M'))) * 3 / 4 + 14;
    field->setFixedWidth(w);
}

} // namespace quadrelo::page
