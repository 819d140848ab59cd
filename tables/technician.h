// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace quadrelo {

class PracticeForm;

// The technician's dialog as it shows the record: nine texts, the register chosen
// (-1 for none) and the birth date.
struct TechnicianFields {
    QStringList texts = QStringList(9); // Edit1..Edit9
    int registerIndex = -1;
    QDate birthDate = QDate::currentDate();
};

// The professional registers of the list, and the name with its article that documents print.
QStringList registerItems();
QString registerName(int index);

// Start-up load of tec.dat into the technician's variables. Throws IoError.
void loadTechnician(PracticeForm& form);

// What the dialog shows when it opens. Throws IoError on a missing file and
// ConversionError on a register line that is no integer or a date that is no date;
// `fields` then holds what was filled so far.
void readTechnicianForDialog(const PracticeForm& form, TechnicianFields& fields);

// Writes tec.dat whole and, once written, takes the dialog's values into memory.
// Throws IoError (nothing changes then).
void saveTechnician(PracticeForm& form, const TechnicianFields& fields);

} // namespace quadrelo
