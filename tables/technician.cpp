// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "technician.h"

#include "calc/practice_form.h"
#include "parameter_tables.h"
#include "record/errors.h"
#include "record/text_file.h"

namespace quadrelo {

namespace {

const QString kFile = QStringLiteral("tec.dat");
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

QString lineOrEmpty(const QStringList& lines, int index) {
    return index < lines.size() ? lines.at(index) : QString();
}

QString* textVariable(PracticeForm& form, int i) {
    QString* vars[9] = {
        &form.technicianFirstName,        &form.technicianLastName,   &form.technicianBirthPlace,
        &form.technicianBirthProvince,    &form.technicianTaxCode,    &form.technicianRegisterNumber,
        &form.technicianRegisterProvince, &form.technicianOfficeTown, &form.technicianOfficeAddress};
    return vars[i];
}

} // namespace

QStringList registerItems() {
    return {QStringLiteral("Architetti"),    QStringLiteral("Dottori agronomi e forestali"),
            QStringLiteral("Geometri"),      QStringLiteral("Ingegneri"),
            QStringLiteral("Periti agrari"), QStringLiteral("Periti edili")};
}

QString registerName(int index) {
    static const QStringList names{
        QStringLiteral("degli Architetti"),  QStringLiteral("dei Dottori agronomi e forestali"),
        QStringLiteral("dei Geometri"),      QStringLiteral("degli Ingegneri"),
        QStringLiteral("dei Periti agrari"), QStringLiteral("dei Periti edili")};
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

void loadTechnician(PracticeForm& form) {
    const QStringList lines = readTextLines(parameterFilePath(form, kFile));
    for (int i = 0; i < 9; ++i)
        *textVariable(form, i) = lineOrEmpty(lines, i + 1);
    const QString index = lineOrEmpty(lines, 10);
    static const QStringList known{"0", "1", "2", "3", "4", "5"};
    form.technicianRegisterName = registerName(static_cast<int>(known.indexOf(index)));
    form.technicianBirthDate = lineOrEmpty(lines, 11);
}

void readTechnicianForDialog(const PracticeForm& form, TechnicianFields& fields) {
    const QStringList lines = readTextLines(parameterFilePath(form, kFile));
    for (int i = 0; i < 9; ++i)
        fields.texts[i] = lineOrEmpty(lines, i + 1);
    bool ok = false;
    const QString indexLine = lineOrEmpty(lines, 10);
    const int index = indexLine.toInt(&ok);
    if (!ok) throw ConversionError(QStringLiteral("'%1' non è un numero intero valido").arg(indexLine));
    fields.registerIndex = index >= 0 && index < registerItems().size() ? index : -1;
    const QString dateLine = lineOrEmpty(lines, 11);
    const QDate date = QDate::fromString(dateLine, kDateFormat);
    if (!date.isValid()) throw ConversionError(QStringLiteral("'%1' non è una data valida").arg(dateLine));
    fields.birthDate = date;
}

void saveTechnician(PracticeForm& form, const TechnicianFields& fields) {
    QStringList lines{QStringLiteral("NON MODIFICARE MANUALMENTE QUESTO FILE!!!")};
    for (int i = 0; i < 9; ++i)
        lines << (i < fields.texts.size() ? fields.texts.at(i) : QString());
    const int index = fields.registerIndex >= 0 && fields.registerIndex < registerItems().size()
                          ? fields.registerIndex
                          : -1;
    lines << QString::number(index) << fields.birthDate.toString(kDateFormat);
    writeTextLines(parameterFilePath(form, kFile), lines);

    for (int i = 0; i < 9; ++i)
        *textVariable(form, i) = lines.at(i + 1);
    form.technicianRegisterName = registerName(index);
    form.technicianBirthDate = lines.at(11);
}

} // namespace quadrelo
