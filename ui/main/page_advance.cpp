// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Pages "Calcolo anticipazione oneri" and "Aree dello Stato": one row per municipality class.
#include "form_binding.h"
#include "pages.h"

#include "calc/class_rows.h"

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

// Headings, the four class rows and the total, from `firstRow` of the group's grid on.
void classTable(FormBinding& b, QGridLayout* g, int firstRow, const QStringList& headings,
                const ClassGroup& group) {
    g->setColumnStretch(kClassColumns.size(), 1);
    for (int c = 0; c < 4; ++c) {
        QLabel* h = heading(headings.at(c));
        h->setFixedWidth(kClassColumns.at(c));
        h->setMinimumHeight(h->heightForWidth(kClassColumns.at(c)));
        g->addWidget(h, firstRow, c, Qt::AlignBottom);
    }
    int r = firstRow + 1;
    for (std::size_t k = 0; k < group.rows.size(); ++k) {
        const ClassRow& row = group.rows[k];
        QWidget* cells[] = {b.rowCaption(QLatin1String(row.classCaption.name),
                                         QLatin1String(municipalityClasses()[k].caption)),
                            b.edit(QLatin1String(row.input.name)),
                            b.result(QLatin1String(row.unitCaption.name)),
                            b.result(QLatin1String(row.amountCaption.name))};
        for (int c = 0; c < 4; ++c) {
            cells[c]->setFixedWidth(kClassColumns.at(c));
            g->addWidget(cells[c], r, c);
        }
        ++r;
    }
    auto* total = new QLabel(QStringLiteral("TOTALE"));
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(total, r, 2);
    QLabel* sum = b.result(QLatin1String(group.totalCaption.name));
    sum->setFixedWidth(kClassColumns.at(3));
    g->addWidget(sum, r, 3);
}

QString firstInput(const ClassGroup& group) {
    return QLatin1String(group.rows[0].input.name);
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

    const ClassGroup& newGroup = advanceGroups()[0];
    QGroupBox* fresh = b.group(QStringLiteral("GroupBox11"), groupOf(firstInput(newGroup)), true);
    classTable(b, gridIn(fresh), 0, headings, newGroup);
    layout->addWidget(fresh);

    const ClassGroup& restructuringGroup = advanceGroups()[1];
    QGroupBox* restructuring = b.group(QStringLiteral("GroupBox20"), groupOf(firstInput(restructuringGroup)));
    classTable(b, gridIn(restructuring), 0, headings, restructuringGroup);
    layout->addWidget(restructuring);
    layout->addStretch(1);
    return pg;
}

QWidget* buildStateLandPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet8"));
    QVBoxLayout* layout = pageLayout(pg);

    const LandGroup& indemnityGroup = stateLandGroups()[0];
    QGroupBox* indemnity = b.group(QStringLiteral("GroupBox23"), groupOf(firstInput(indemnityGroup)), true);
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
    classTable(b, g, 1,
               {QStringLiteral("NUMERO DI ABITANTI"), QStringLiteral("SUPERFICIE OCCUPATA (mq)"),
                QStringLiteral("INDENNIZZO UNITARIO\n(€/mq per anno)"), QStringLiteral("INDENNIZZO (€)")},
               indemnityGroup);
    layout->addWidget(indemnity);

    const LandGroup& areaGroup = stateLandGroups()[1];
    QGroupBox* area = b.group(QStringLiteral("GroupBox24"), groupOf(firstInput(areaGroup)), true);
    classTable(b, gridIn(area), 0,
               {QStringLiteral("NUMERO DI ABITANTI"), QStringLiteral("SUPERFICIE (mq)"),
                QStringLiteral("VALORE UNITARIO\n(€/mq)"), QStringLiteral("VALORE DELL'AREA (€)")},
               areaGroup);
    layout->addWidget(area);
    layout->addStretch(1);
    return pg;
}

} // namespace quadrelo
