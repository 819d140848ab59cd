// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Pages "Calcolo oblazione" and "Riepilogo versamenti".
#include "form_binding.h"
#include "pages.h"

#include "calc/oblation_rows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quadrelo {

using namespace page;

namespace {

// Typology, useful surface, second surface, total surface, measure, amount: the same widths
// in the three groups keep every column under its neighbour.
const QList<int> kOblationColumns{64, 124, 124, 124, 124, 134};

void fix(QWidget* cell, int column) {
    cell->setFixedWidth(kOblationColumns.at(column));
    // A wrapped heading keeps the height of all its lines, descenders of the last one too.
    if (auto* label = qobject_cast<QLabel*>(cell); label && label->wordWrap())
        label->setMinimumHeight(label->heightForWidth(cell->width()));
}

QLabel* total() {
    auto* l = new QLabel(QStringLiteral("TOTALE"));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QGridLayout* tableGrid(QGroupBox* group) {
    QGridLayout* g = gridIn(group);
    // Tight at the top: the headings now keep the full height of their lines.
    g->setContentsMargins(8, 0, 8, 4);
    g->setVerticalSpacing(2);
    g->setColumnStretch(kOblationColumns.size(), 1);
    return g;
}

QGroupBox* oblationGroup(FormBinding& b, const QString& name, const QString& title,
                         const QString& usefulHeading, const QString& secondHeading, bool residential) {
    QGroupBox* group = b.group(name, title);
    QGridLayout* g = tableGrid(group);
    const QString headings[] = {QStringLiteral("TIPOLOGIA"),
                                usefulHeading,
                                secondHeading,
                                QStringLiteral("SUPERFICIE COMPLESSIVA (mq)"),
                                QStringLiteral("MISURA OBLAZIONE (€/mq)"),
                                QStringLiteral("IMPORTO TOTALE DELL'OBLAZIONE (€)")};
    for (int c = 0; c < 6; ++c) {
        QLabel* h = heading(headings[c]);
        fix(h, c);
        g->addWidget(h, 0, c, Qt::AlignBottom);
    }
    int r = 1;
    for (const OblationRow& row : oblationRows()) {
        if (row.residential != residential) continue;
        QLabel* caption =
            b.rowCaption(QLatin1String(row.typologyCaption.name), QString::number(row.typology));
        caption->setAlignment(Qt::AlignCenter);
        QWidget* cells[] = {caption,
                            b.edit(QLatin1String(row.usefulInput.name)),
                            b.edit(QLatin1String(row.secondInput.name)),
                            b.result(QLatin1String(row.totalSurfaceCaption.name)),
                            b.result(QLatin1String(row.rateCaption.name)),
                            b.result(QLatin1String(row.amountCaption.name))};
        for (int c = 0; c < 6; ++c) {
            fix(cells[c], c);
            g->addWidget(cells[c], r, c);
        }
        ++r;
    }
    g->addWidget(total(), r, 4);
    QLabel* sum = b.result(QLatin1String(oblationTotal(residential).caption.name));
    fix(sum, 5);
    g->addWidget(sum, r, 5);
    return group;
}

} // namespace

QWidget* buildOblationPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet5"));
    auto* layout = new QVBoxLayout(pg);
    layout->setContentsMargins(8, 2, 8, 4);
    layout->setSpacing(4);

    layout->addWidget(oblationGroup(b, QStringLiteral("GroupBox17"), groupOf(QStringLiteral("Edit40")),
                                    QStringLiteral("SUPERFICIE UTILE RESIDENZIALE (mq)"),
                                    QStringLiteral("SUPERFICIE NON RESIDENZIALE (mq)"), true));
    layout->addWidget(oblationGroup(b, QStringLiteral("GroupBox18"), groupOf(QStringLiteral("Edit46")),
                                    QStringLiteral("SUPERFICIE UTILE  (mq)"),
                                    QStringLiteral("SUPERFICIE PERTINENZE (mq)"), false));

    QGroupBox* flat = b.group(QStringLiteral("GroupBox19"),
                              QStringLiteral(" Tipologie di abuso con valore fisso dell'oblazione "));
    QGridLayout* g = tableGrid(flat);
    const std::pair<int, QString> headings[] = {{0, QStringLiteral("TIPOLOGIA")},
                                                {4, QStringLiteral("OBLAZIONE FORFAIT (€)")},
                                                {5, QStringLiteral("IMPORTO TOTALE DELL'OBLAZIONE (€)")}};
    for (const auto& [c, text] : headings) {
        QLabel* h = heading(text);
        fix(h, c);
        g->addWidget(h, 0, c, Qt::AlignBottom);
    }
    // The middle columns stay empty; a blank of their width keeps them, and their spacing, so
    // that the amounts stand under those of the groups above.
    for (int c = 1; c <= 3; ++c) {
        auto* blank = new QWidget;
        blank->setFixedSize(kOblationColumns.at(c), 0);
        g->addWidget(blank, 0, c);
    }
    int r = 1;
    for (const ForfaitRow& row : forfaitRows()) {
        QLabel* c = b.rowCaption(QLatin1String(row.typologyCaption.name), QString::number(row.typology));
        c->setAlignment(Qt::AlignCenter);
        fix(c, 0);
        g->addWidget(c, r, 0);
        QLabel* m = b.result(QLatin1String(row.rateCaption.name));
        fix(m, 4);
        g->addWidget(m, r, 4);
        QLabel* a = b.result(QLatin1String(row.amountCaption.name));
        fix(a, 5);
        g->addWidget(a, r, 5);
        ++r;
    }
    g->addWidget(total(), r, 4);
    QLabel* sum = b.result(QLatin1String(forfaitTotal().caption.name));
    fix(sum, 5);
    g->addWidget(sum, r, 5);
    layout->addWidget(flat);
    layout->addStretch(1);
    return pg;
}

QWidget* buildSummaryPage(FormBinding& b) {
    QWidget* pg = newPage(QStringLiteral("TabSheet7"));
    auto* layout = new QVBoxLayout(pg);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    struct Summary {
        const char* group;
        QString title;
        const char* due;
        const char* share;
        const char* paid;
        const char* left;
        const char* second;
        const char* third;
    };
    const Summary summaries[] = {
        {"GroupBox21", QStringLiteral(" Oblazione "), "Label125", "Label129", "Label126", "Label134",
         "Label132", "Label137"},
        {"GroupBox22", QStringLiteral(" Anticipazione oneri concessori "), "Label138", "Label142", "Label139",
         "Label147", "Label145", "Label150"},
    };
    const int captionWidth =
        pg->fontMetrics().horizontalAdvance(QStringLiteral("Importo rate   seconda rata")) + 24;
    for (const Summary& s : summaries) {
        QGroupBox* group = b.group(QLatin1String(s.group), s.title);
        QGridLayout* g = gridIn(group);
        g->setVerticalSpacing(6);
        g->setColumnMinimumWidth(0, captionWidth);
        g->setColumnMinimumWidth(2, 90);
        g->setColumnStretch(4, 1);
        auto value = [&](const char* name) {
            QLabel* l = b.result(QLatin1String(name));
            l->setFixedWidth(kOblationColumns.at(5));
            return l;
        };
        auto right = [](const QString& text) {
            QLabel* l = fieldLabel(text);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return l;
        };
        g->addWidget(fieldLabel(QStringLiteral("Totale da versare")), 0, 0);
        g->addWidget(value(s.due), 0, 1);
        g->addWidget(right(QStringLiteral("x 0,30 =")), 0, 2);
        g->addWidget(value(s.share), 0, 3);
        g->addWidget(fieldLabel(QStringLiteral("Totale versato")), 1, 0);
        g->addWidget(value(s.paid), 1, 1);
        g->addWidget(fieldLabel(QStringLiteral("Resta da versare")), 2, 0);
        g->addWidget(value(s.left), 2, 1);
        auto* instalments = new QHBoxLayout;
        instalments->addWidget(fieldLabel(QStringLiteral("Importo rate")));
        instalments->addStretch(1);
        instalments->addWidget(right(QStringLiteral("seconda rata")));
        g->addLayout(instalments, 3, 0);
        g->addWidget(value(s.second), 3, 1);
        g->addWidget(right(QStringLiteral("terza rata")), 3, 2);
        g->addWidget(value(s.third), 3, 3);
        layout->addWidget(group);
    }
    layout->addStretch(1);
    return pg;
}

} // namespace quadrelo
