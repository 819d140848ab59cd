// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "parameter_tables.h"

#include "calc/class_rows.h"
#include "calc/oblation_rows.h"
#include "calc/practice_form.h"
#include "record/errors.h"
#include "record/number_text.h"
#include "record/text_file.h"

#include <QDir>
#include <vector>

namespace quadrelo {

namespace {

const QString kHeader = QStringLiteral("NON MODIFICARE MANUALMENTE QUESTO FILE!!!");

using P = PracticeForm;

struct RateSlot {
    double P::*value;
    CaptionState P::*caption;
};

// Tabella C in file order: non-residential 1-3, residential 1-3, forfait 4-6; each rate goes
// with the caption its oblation row shows it in.
const std::vector<RateSlot>& tableC() {
    static const std::vector<RateSlot> rates = [] {
        std::vector<RateSlot> r;
        for (const bool residential : {false, true})
            for (const OblationRow& row : oblationRows())
                if (row.residential == residential) r.push_back({row.rate, row.rateCaption.member});
        for (const ForfaitRow& row : forfaitRows())
            r.push_back({row.rate, row.rateCaption.member});
        return r;
    }();
    return rates;
}

// Tabella D in file order: new construction 1-4, restructuring 1-4; each rate goes with the
// caption its advance row shows it in.
const std::vector<RateSlot>& tableD() {
    static const std::vector<RateSlot> rates = [] {
        std::vector<RateSlot> r;
        for (const ClassGroup& group : advanceGroups())
            for (const ClassRow& row : group.rows)
                r.push_back({row.unitValue, row.unitCaption.member});
        return r;
    }();
    return rates;
}

const RateSlot* slotsOf(Table table) {
    return table == Table::C ? tableC().data() : tableD().data();
}

double* zoneValues(PracticeForm& form, Table table) {
    return table == Table::A ? form.tableA : form.tableB;
}

QString lineOrEmpty(const QStringList& lines, int index) {
    return index < lines.size() ? lines.at(index) : QString();
}

} // namespace

QString tableFileName(Table table) {
    switch (table) {
    case Table::A:
        return QStringLiteral("taba.dat");
    case Table::B:
        return QStringLiteral("tabb.dat");
    case Table::C:
        return QStringLiteral("tabc.dat");
    case Table::D:
        break;
    }
    return QStringLiteral("tabd.dat");
}

QString tableEditorCaption(Table table) {
    switch (table) {
    case Table::A:
        return QStringLiteral("Tabella A - Valori unitari degli indennizzi");
    case Table::B:
        return QStringLiteral("Tabella B - Valori unitari delle aree");
    case Table::C:
        return QStringLiteral("Tabella C - Misura dell'oblazione");
    case Table::D:
        break;
    }
    return QStringLiteral("Tabella D - Misura dell'anticipazione degli oneri di concessione");
}

int tableSize(Table table) {
    switch (table) {
    case Table::A:
    case Table::B:
        return 18;
    case Table::C:
        return 9;
    case Table::D:
        break;
    }
    return 8;
}

QStringList initialBoxTexts(Table table) {
    // Zones A-D by class 1-4, then zone E and zone F.
    switch (table) {
    case Table::A:
        return {"15,00", "30,00", "60,00", "90,00", "10,00", "20,00", "40,00", "60,00", "7,50",
                "15,00", "30,00", "45,00", "10,00", "20,00", "40,00", "60,00", "5,00",  "7,50"};
    case Table::B:
        return {"45,00", "90,00", "180,00", "270,00", "30,00", "60,00",  "120,00", "180,00", "22,50",
                "45,00", "90,00", "135,00", "30,00",  "60,00", "120,00", "180,00", "15,00",  "22,50"};
    case Table::C:
        return {"150,00", "100,00", "80,00", "100,00", "80,00", "60,00", "3500,00", "1700,00", "516,00"};
    case Table::D:
        break;
    }
    return {"38,00", "55,00", "71,00", "89,00", "18,00", "27,00", "36,00", "45,00"};
}

QString parameterFilePath(const PracticeForm& form, const QString& fileName) {
    return form.startDirectory.isEmpty() ? fileName : QDir(form.startDirectory).filePath(fileName);
}

void showTableCaptions(PracticeForm& form, Table table) {
    if (table != Table::C && table != Table::D) return;
    const RateSlot* rates = slotsOf(table);
    for (int i = 0; i < tableSize(table); ++i)
        (form.*rates[i].caption).text = Formatta(form.*rates[i].value);
}

void loadTable(PracticeForm& form, Table table) {
    const QStringList lines = readTextLines(parameterFilePath(form, tableFileName(table)));
    const int n = tableSize(table);
    for (int i = 0; i < n; ++i) {
        double value = 0;
        try {
            value = Leggimi(lineOrEmpty(lines, i + 1));
        } catch (const ConversionError& e) {
            throw ConversionError(QStringLiteral("Il file %1 è danneggiato alla riga %2: %3.")
                                      .arg(tableFileName(table))
                                      .arg(i + 2)
                                      .arg(e.message()));
        }
        if (table == Table::A || table == Table::B) {
            zoneValues(form, table)[i] = value;
        } else {
            const RateSlot& slot = slotsOf(table)[i];
            form.*slot.value = value;
            (form.*slot.caption).text = Formatta(value);
        }
    }
}

void readTableForEditor(PracticeForm& form, Table table, QStringList& boxes) {
    boxes = initialBoxTexts(table);
    const QStringList lines = readTextLines(parameterFilePath(form, tableFileName(table)));
    for (int i = 0; i < tableSize(table); ++i) {
        const QString line = lineOrEmpty(lines, i + 1);
        if (table == Table::C) {
            const RateSlot& slot = tableC()[i];
            form.*slot.value = Leggimi(line);
            boxes[i] = Formatta(form.*slot.value);
        } else {
            boxes[i] = line;
        }
    }
}

void saveTable(PracticeForm& form, Table table, const QStringList& boxes) {
    const int n = tableSize(table);
    QList<double> values(n, 0.0);
    for (int i = 0; i < n; ++i) {
        const QString box = i < boxes.size() ? boxes.at(i) : QString();
        if (!box.isEmpty()) values[i] = Leggimi(box);
    }

    QStringList lines{kHeader};
    for (int i = 0; i < n; ++i) {
        const QString box = i < boxes.size() ? boxes.at(i) : QString();
        if (table == Table::A || table == Table::B)
            lines << (box.isEmpty() ? QStringLiteral("0,00") : box);
        else
            lines << Formatta(values.at(i));
    }
    writeTextLines(parameterFilePath(form, tableFileName(table)), lines);

    for (int i = 0; i < n; ++i) {
        if (table == Table::A || table == Table::B)
            zoneValues(form, table)[i] = values.at(i);
        else
            form.*slotsOf(table)[i].value = values.at(i);
    }
    showTableCaptions(form, table);
}

} // namespace quadrelo
