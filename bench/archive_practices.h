// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once
// Varied practices for the archive's benchmarks, written into a folder.
#include "calc/page_inputs.h"
#include "calc/practice_form.h"
#include "practice_file/practice_file.h"
#include "record/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace quadrelo::bench {

const char* const kSurnames[] = {"ROSSI",   "RUSSO",  "FERRARI",  "ESPOSITO", "BIANCHI",  "ROMANO", "COLOMBO",
                                 "RICCI",   "MARINO", "GRECO",    "BRUNO",    "GALLO",    "CONTI",  "DE LUCA",
                                 "MANCINI", "COSTA",  "GIORDANO", "RIZZO",    "LOMBARDI", "MORETTI"};
const char* const kNames[] = {"MARIO",    "GIUSEPPE", "ANNA",   "MARIA", "LUCA",   "FRANCESCA", "PAOLO",
                              "GIOVANNI", "LAURA",    "NICOLÒ", "SARA",  "ANDREA", "ELENA",     "FABIO"};
const char* const kTowns[] = {
    "ROMA",   "MILANO",  "NAPOLI",  "TORINO", "FORLÌ",   "CANTÙ",  "PALERMO",
    "GENOVA", "BOLOGNA", "FIRENZE", "BARI",   "CATANIA", "VERONA", "SANT'AGATA LI BATTIATI"};
const char* const kStreets[] = {"GARIBALDI", "ROMA", "MAZZINI", "CAVOUR", "VERDI", "DANTE", "MARCONI"};

inline QString text(const char* s) {
    return QString::fromUtf8(s);
}

// A varied practice: applicant, works, typology and surfaces from the number.
inline void fill(PracticeForm& form, int n) {
    form.Inizializza();
    form.Edit1.text = text(kNames[n % 14]);
    form.Edit2.text = text(kSurnames[(n / 3) % 20]);
    form.Edit5.text = QStringLiteral("%1%2%3A01H501%4")
                          .arg(form.Edit2.text.left(3), form.Edit1.text.left(3))
                          .arg(50 + n % 40)
                          .arg(QChar('A' + n % 26));
    form.Edit9.text = text(kTowns[(n / 7) % 14]);
    form.chooseItem(QStringLiteral("ComboBox1"), n % 10);
    form.Edit10.text = text(kStreets[n % 7]);
    form.Edit11.text = QString::number(1 + n % 120);
    form.select(QStringLiteral("RadioButton%1").arg(12 + n % 4));
    const char* typologies[] = {"RadioButton1", "RadioButton2",  "RadioButton6",
                                "RadioButton7", "RadioButton10", "RadioButton11"};
    const int typology = n % 6;
    form.select(QLatin1String(typologies[typology]));
    if (typology < 3) {
        const QString useful = QStringLiteral("Edit%1").arg(40 + 2 * typology);
        const QString appurtenance = QStringLiteral("Edit%1").arg(41 + 2 * typology);
        form.setText(useful, QString::number(40 + n % 160));
        form.setText(appurtenance, QString::number(n % 50));
        form.leave(appurtenance);
        for (const QString& e : form.enabledEdits(advanceInputs()))
            form.leave(e);
    }
    form.DateTimePicker1.date = QDate(2002, 1, 1).addDays(n % 450);
    form.Memo1.text = QStringLiteral("Ampliamento di un fabbricato esistente n. %1").arg(n);
}

// `count` practice files pratica-00001.qdr … in `folder`; files already there are kept.
inline void writePractices(PracticeForm& form, const QString& folder, int count) {
    QDir().mkpath(folder);
    for (int n = 0; n < count; ++n) {
        const QString path =
            QDir(folder).filePath(QStringLiteral("pratica-%1.qdr").arg(n + 1, 5, 10, QLatin1Char('0')));
        if (QFileInfo::exists(path)) continue;
        fill(form, n);
        writeBytes(path, practiceFileBytes(form));
    }
}

} // namespace quadrelo::bench
