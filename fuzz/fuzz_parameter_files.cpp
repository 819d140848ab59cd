// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// libFuzzer target: the table and technician readers on arbitrary file contents.
#include "calc/practice_form.h"
#include "record/errors.h"
#include "tables/parameter_tables.h"
#include "tables/technician.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    quadrelo::PracticeForm form;
    form.startDirectory = dir.path();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* name : {"taba.dat", "tabc.dat", "tec.dat"}) {
        QFile f(QDir(dir.path()).filePath(QLatin1String(name)));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    try {
        quadrelo::loadTable(form, quadrelo::Table::A);
    } catch (const quadrelo::Error&) {
    }
    try {
        QStringList boxes;
        quadrelo::readTableForEditor(form, quadrelo::Table::C, boxes);
    } catch (const quadrelo::Error&) {
    }
    try {
        quadrelo::loadTechnician(form);
        quadrelo::TechnicianFields fields;
        quadrelo::readTechnicianForDialog(form, fields);
    } catch (const quadrelo::Error&) {
    }
    return 0;
}
