// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Pages "Tipologia abuso" and "Allegati".
#include "form_binding.h"
#include "pages.h"
#include "record/catalogue.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quadrelo {

using namespace page;

QWidget* buildTypologyPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet4"));
    auto* layout = new QVBoxLayout(pg);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    QGroupBox* typologies = b.group(QStringLiteral("GroupBox15"), groupOf(QStringLiteral("RadioButton1")));
    QGridLayout* g = gridIn(typologies);
    g->setVerticalSpacing(6);
    b.beginRadioGroup();
    const QStringList descriptions = typologyDescriptions();
    const char* buttons[] = {"RadioButton1", "RadioButton2",  "RadioButton6",
                             "RadioButton7", "RadioButton10", "RadioButton11"};
    for (int i = 0; i < 6; ++i) {
        QRadioButton* r = b.radio(QLatin1String(buttons[i]));
        g->addWidget(r, i, 0, Qt::AlignTop);
        auto* text = new QLabel(descriptions.value(i).trimmed());
        text->setObjectName(QStringLiteral("Descrizione%1").arg(i + 1));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        g->addWidget(text, i, 1);
    }
    g->setColumnStretch(1, 1);
    layout->addWidget(typologies);

    QGroupBox* works = b.group(QStringLiteral("GroupBox16"), groupOf(QStringLiteral("RadioButton16")));
    g = gridIn(works);
    g->addWidget(
        fieldLabel(QStringLiteral("Ai fini della determinazione dell'anticipazione sugli oneri le opere "
                                  "riguardano: ")),
        0, 0, 1, 2);
    b.beginRadioGroup();
    g->addWidget(b.radio(QStringLiteral("RadioButton16")), 1, 0);
    g->addWidget(b.radio(QStringLiteral("RadioButton17")), 1, 1);
    g->setColumnStretch(2, 1);
    layout->addWidget(works);
    layout->addStretch(1);
    return pg;
}

QWidget* buildAttachmentsPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet9"));
    auto* layout = new QVBoxLayout(pg);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    QGroupBox* standard = b.group(QStringLiteral("GroupBox25"), groupOf(QStringLiteral("CheckBox3")));
    auto* box = new QVBoxLayout(standard);
    box->setContentsMargins(8, 4, 8, 6);
    box->setSpacing(4);
    for (const char* name : {"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7"})
        box->addWidget(b.check(QLatin1String(name)));
    layout->addWidget(standard);

    QGroupBox* others = b.group(QStringLiteral("GroupBox26"), groupOf(QStringLiteral("CheckBox8")));
    QGridLayout* g = gridIn(others);
    int row = 0;
    for (const char* name : {"CheckBox8", "CheckBox9", "CheckBox10"})
        g->addWidget(b.check(QLatin1String(name)), row++, 0, 1, 2);
    // Free attachments: a flag and the description beside it.
    const std::pair<const char*, const char*> free[] = {
        {"CheckBox11", "Edit34"}, {"CheckBox12", "Edit35"}, {"CheckBox13", "Edit36"}};
    for (const auto& [flag, text] : free) {
        QCheckBox* c = b.check(QLatin1String(flag));
        QLineEdit* e = b.edit(QLatin1String(text));
        c->setAccessibleName(QStringLiteral("Altro allegato"));
        g->addWidget(c, row, 0, Qt::AlignVCenter);
        g->addWidget(e, row, 1);
        ++row;
    }
    g->setColumnStretch(1, 1);
    layout->addWidget(others);
    layout->addStretch(1);
    return pg;
}

} // namespace quadrelo
