// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "documents/engine/report_fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <mutex>

namespace quadrelo::report {

namespace {

const QHash<QString, QStringList>& standIns() {
    // Liberation Sans and Serif share Arial's and Times New Roman's metrics, so lines break
    // where the original faces would break them. The lettering face only has to be monospaced:
    // box rows and boxed values line up cell by cell only then.
    static const QHash<QString, QStringList> table = {
        {QStringLiteral("arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}},
        {QStringLiteral("times new roman"), {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")}},
        {QStringLiteral("isocteur"),
         {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Cousine")}},
    };
    return table;
}

void registerSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (auto it = standIns().cbegin(); it != standIns().cend(); ++it)
            QFont::insertSubstitutions(it.key(), it.value());
    });
}

} // namespace

QStringList standInFamilies(const QString& family) {
    return standIns().value(family.toLower(), QStringList{family});
}

QString resolveFamily(const QString& family) {
    // Asking the font database goes to fontconfig every time, and every laid-out element asks:
    // a family once found stays found for the life of the process.
    static std::mutex guard;
    static QHash<QString, QString> found;
    {
        const std::lock_guard<std::mutex> lock(guard);
        if (const auto it = found.constFind(family); it != found.cend()) return *it;
    }
    for (const QString& candidate : standInFamilies(family))
        if (QFontDatabase::hasFamily(candidate)) {
            const std::lock_guard<std::mutex> lock(guard);
            found.insert(family, candidate);
            return candidate;
        }
    return family;
}

QFont resolveFont(const FontSpec& descriptor) {
    registerSubstitutions();
    QFont font(resolveFamily(descriptor.family));
    font.setPointSizeF(descriptor.size);
    font.setBold(descriptor.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferQuality));
    if (descriptor.family.compare(QLatin1String("ISOCTEUR"), Qt::CaseInsensitive) == 0)
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

bool isMonospaced(const QFont& font, const QString& sample) {
    const QFontMetricsF metrics(font);
    const qreal first = metrics.horizontalAdvance(sample.left(1));
    for (const QChar c : sample)
        if (!qFuzzyCompare(metrics.horizontalAdvance(c), first)) return false;
    return first > 0;
}

} // namespace quadrelo::report
