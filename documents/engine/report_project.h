// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_layout.h"
#include "documents/engine/report_template.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace quadrelo::report {

// The stored templates, one file "<name>.qrt" per report, and the layout of a report by name.
class ReportProject {
public:
    // The templates stored with the program, in the resources.
    static QString storedTemplates() { return QStringLiteral(":/templates"); }

    explicit ReportProject(QString folder = storedTemplates());

    QStringList reportNames() const;
    bool contains(const QString& name) const;

    // The template of a report, read on first use; null when the project has no such report.
    // Throws TemplateError when its file cannot be read as a template.
    const Template* find(const QString& name);

    // Lays the named report out over one row (values[i] belongs to columnNames[i]) and numbers
    // its pages, `sheetHeading` at the head of the second and later ones (numberPages); no
    // document when the project has no such report. Throws Error as parseTemplate and
    // layoutReport do.
    std::optional<Document> layout(const QString& name, const QStringList& columnNames,
                                   const QStringList& values, const PageProgress& pageDone = {},
                                   const QString& sheetHeading = {}, Keep keep = Keep::Runs);

private:
    QString path(const QString& name) const;

    QString folder_;
    std::map<QString, Template> loaded_;
};

} // namespace quadrelo::report
