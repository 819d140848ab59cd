// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Pages "Calcolo anticipazione oneri" and "Aree dello Stato": one row per municipality class.
#include "form_binding.h"
#include "pages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quadrelo {

using namespace page;

namespace {

// Class, surface, unit amount, amount.
const QList<int> kClassColumns{196, 168, 168, 178};

const QString kClasses[4] = {QStringLiteral("Fino a 10.000"), QStringLiteral("Da 10.001 a 100.000"),
                             QStringLiteral("Da 100.001 a 300.000"), QStringLiteral("Oltre 300.000")};

struct ClassRow {
    const char* caption;
    const char* input;
    const char* unit;
    const char* amount;
};

// Headings, the four class rows and the total, from `firstRow` of the group's grid on.
void classTable(FormBinding& b, QGridLayout* g, int firstRow, const QStringList& headings,
                const ClassRow (&rows)[4], const char* totalName) {
    g->setColumnStretch(kClassColumns.size(), 1);
    for (int c = 0; c < 4; ++c) {
        QLabel* h = heading(headings.at(c));
        h->setFixedWidth(kClassColumns.at(c));
        h->setMinimumHeight(h->heightForWidth(kClassColumns.at(c)));
        g->addWidget(h, firstRow, c, Qt::AlignBottom);
    }
    int r = firstRow + 1;
    for (int k = 0; k < 4; ++k) {
        QWidget* cells[] = {b.rowCaption(QLatin1String(rows[k].caption), kClasses[k]),
                            b.edit(QLatin1String(rows[k].input)), b.result(QLatin1String(rows[k].unit)),
                            b.result(QLatin1String(rows[k].amount))};
        for (int c = 0; c < 4; ++c) {
            cells[c]->setFixedWidth(kClassColumns.at(c));
            g->addWidget(cells[c], r, c);
        }
        ++r;
    }
    auto* total = new QLabel(QStringLiteral("TOTALE"));
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(total, r, 2);
    QLabel* sum = b.result(QLatin1String(totalName));
    sum->setFixedWidth(kClassColumns.at(3));
    g->addWidget(sum, r, 3);
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    return layout;
}

} // namespace

QWidget* buildAdvancePage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet6"));
    QVBoxLayout* layout = pageLayout(pg);
    const QStringList headings{QStringLiteral("NUMERO DI ABITANTI"), QStringLiteral("SUPERFICIE (mq)"),
                               QStringLiteral("IMPORTO UNITARIO\n(€/mq)"),
                               QStringLiteral("ANTICIPAZIONE ONERI\n(€)")};

    QGroupBox* fresh = b.group(QStringLiteral("GroupBox11"), groupOf(QStringLiteral("Edit60")), true);
    const ClassRow newRows[4] = {{"Label82", "Edit60", "Label90", "Label91"},
                                 {"Label92", "Edit61", "Label94", "Label95"},
                                 {"Label96", "Edit62", "Label98", "Label99"},
                                 {"Label103", "Edit63", "Label105", "Label106"}};
    classTable(b, gridIn(fresh), 0, headings, newRows, "Label100");
    layout->addWidget(fresh);

    QGroupBox* restructuring = b.group(QStringLiteral("GroupBox20"), groupOf(QStringLiteral("Edit64")));
    const ClassRow restructuringRows[4] = {{"Label79", "Edit64", "Label104", "Label107"},
                                           {"Label108", "Edit65", "Label109", "Label110"},
                                           {"Label111", "Edit66", "Label112", "Label113"},
                                           {"Label116", "Edit67", "Label117", "Label118"}};
    classTable(b, gridIn(restructuring), 0, headings, restructuringRows, "Label114");
    layout->addWidget(restructuring);
    layout->addStretch(1);
    return pg;
}

QWidget* buildStateLandPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet8"));
    QVBoxLayout* layout = pageLayout(pg);

    QGroupBox* indemnity = b.group(QStringLiteral("GroupBox23"), groupOf(QStringLiteral("Edit25")), true);
    QGridLayout* g = gridIn(indemnity);
    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(fieldLabel(captionOf(QStringLiteral("Edit33"))));
    QLineEdit* years = b.edit(QStringLiteral("Edit33"));
    setChars(years, 3);
    years->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->addWidget(years);
    top->addSpacing(24);
    top->addWidget(fieldLabel(captionOf(QStringLiteral("ComboBox4"))));
    QComboBox* zone = b.combo(QStringLiteral("ComboBox4"));
    setChars(zone, 9);
    top->addWidget(zone);
    top->addStretch(1);
    g->addLayout(top, 0, 0, 1, 5);
    const ClassRow indemnityRows[4] = {{"Label152", "Edit25", "Label156", "Label157"},
                                       {"Label158", "Edit26", "Label159", "Label160"},
                                       {"Label161", "Edit27", "Label162", "Label163"},
                                       {"Label166", "Edit28", "Label167", "Label168"}};
    classTable(b, g, 1,
               {QStringLiteral("NUMERO DI ABITANTI"), QStringLiteral("SUPERFICIE OCCUPATA (mq)"),
                QStringLiteral("INDENNIZZO UNITARIO\n(€/mq per anno)"), QStringLiteral("INDENNIZZO (€)")},
               indemnityRows, "Label164");
    layout->addWidget(indemnity);

    QGroupBox* area = b.group(QStringLiteral("GroupBox24"), groupOf(QStringLiteral("Edit29")), true);
    const ClassRow areaRows[4] = {{"Label170", "Edit29", "Label174", "Label175"},
                                  {"Label176", "Edit30", "Label177", "Label178"},
                                  {"Label179", "Edit31", "Label180", "Label181"},
                                  {"Label184", "Edit32", "Label185", "Label186"}};
    classTable(b, gridIn(area), 0,
               {QStringLiteral("NUMERO DI ABITANTI"), QStringLiteral("SUPERFICIE (mq)"),
                QStringLiteral("VALORE UNITARIO\n(€/mq)"), QStringLiteral("VALORE DELL'AREA (€)")},
               areaRows, "Label182");
    layout->addWidget(area);
    layout->addStretch(1);
    return pg;
}

} // namespace quadrelo
