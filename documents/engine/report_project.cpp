// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "documents/engine/report_project.h"

#include <QDir>
#include <QFileInfo>

// The templates live in a static library: without a reference their resources would not be linked.
static void initStoredTemplates() {
    Q_INIT_RESOURCE(templates);
}

namespace quadrelo::report {

namespace {
const QString Suffix = QStringLiteral(".qrt");
}

ReportProject::ReportProject(QString folder) : folder_(std::move(folder)) {
    initStoredTemplates();
}

QString ReportProject::path(const QString& name) const {
    return QDir(folder_).filePath(name + Suffix);
}

QStringList ReportProject::reportNames() const {
    QStringList names;
    for (const QString& file :
         QDir(folder_).entryList({QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name))
        names << file.chopped(Suffix.size());
    return names;
}

bool ReportProject::contains(const QString& name) const {
    // Only plain names: no way out of the folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) return false;
    return QFileInfo(path(name)).isFile();
}

const Template* ReportProject::find(const QString& name) {
    if (const auto it = loaded_.find(name); it != loaded_.end()) return &it->second;
    if (!contains(name)) return nullptr;
    return &loaded_.emplace(name, loadTemplate(path(name))).first->second;
}

std::optional<Document> ReportProject::layout(const QString& name, const QStringList& columnNames,
                                              const QStringList& values, const PageProgress& pageDone,
                                              const QString& sheetHeading, Keep keep) {
    const Template* tmpl = find(name);
    if (!tmpl) return std::nullopt;
    Document document = layoutReport(*tmpl, columnNames, values, pageDone, keep);
    numberPages(document, sheetHeading);
    return document;
}

} // namespace quadrelo::report
