// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "birth_places.h"

#include <QFile>
#include <QHash>

// The table lives in a static library: without a reference its resource would not be linked.
static void initShippedPlaces() {
    Q_INIT_RESOURCE(catastali);
}

namespace quadrelo::taxcode {

namespace {

using PlaceIndex = QHash<QString, QList<BirthPlace>>;

// Read once, on first use: about ten thousand lines.
const PlaceIndex& index() {
    static const PlaceIndex places = [] {
        initShippedPlaces();
        PlaceIndex byKey;
        QFile file(QStringLiteral(":/taxcode/catastali.csv"));
        if (!file.open(QIODevice::ReadOnly)) return byKey;
        const QString text = QString::fromUtf8(file.readAll());
        for (QStringView line : QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QList<QStringView> f = line.split(QLatin1Char(';'));
            if (f.size() != 5) continue;
            BirthPlace p{f[0].toString(), f[1].toString(), f[2].toString(),
                         QDate::fromString(f[3].toString(), Qt::ISODate),
                         QDate::fromString(f[4].toString(), Qt::ISODate)};
            byKey[placeKey(p.name)].append(p);
        }
        return byKey;
    }();
    return places;
}

int daysApart(const BirthPlace& p, const QDate& date) {
    if (date < p.validFrom) return int(date.daysTo(p.validFrom));
    if (p.validUntil.isValid() && date > p.validUntil) return int(p.validUntil.daysTo(date));
    return 0;
}

} // namespace

bool BirthPlace::validOn(const QDate& date) const {
    return date >= validFrom && (!validUntil.isValid() || date <= validUntil);
}

QString placeKey(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD).toUpper();
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed)
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c.isDigit()) key.append(c);
    return key;
}

QList<BirthPlace> placesNamed(const QString& name, const QString& province) {
    QList<BirthPlace> all = index().value(placeKey(name));
    const QString wanted = province.trimmed().toUpper();
    if (wanted.isEmpty()) return all;
    QList<BirthPlace> inProvince;
    for (const BirthPlace& p : std::as_const(all))
        if (p.isForeignState() || p.province.compare(wanted, Qt::CaseInsensitive) == 0) inProvince.append(p);
    // A province written otherwise ("ROMA" for RM, "EE" for abroad) tells nothing: keep them all.
    return inProvince.isEmpty() ? all : inProvince;
}

BirthPlace placeOnDate(const QString& name, const QString& province, const QDate& date) {
    const QList<BirthPlace> places = placesNamed(name, province);
    const BirthPlace* best = nullptr;
    for (const BirthPlace& p : places)
        if (!best || daysApart(p, date) < daysApart(*best, date)) best = &p;
    return best ? *best : BirthPlace{};
}

} // namespace quadrelo::taxcode
