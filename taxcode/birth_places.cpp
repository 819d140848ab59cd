// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "birth_places.h"

#include <QFile>
#include <QHash>
#include <QSet>

// The table lives in a static library: without a reference its resource would not be linked.
static void initShippedPlaces() {
    Q_INIT_RESOURCE(catastali);
}

namespace quadrelo::taxcode {

namespace {

struct PlaceTable {
    QList<BirthPlace> places;
    QHash<QString, QList<qsizetype>> byKey; // every name's key to its entries
    QSet<QString> provinces;
};

QStringList listField(QStringView field) {
    QStringList items;
    for (QStringView item : field.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        items << item.toString();
    return items;
}

// Read once, on first use: about eleven thousand lines of
// code;name;province;from;until;other names;other provinces.
const PlaceTable& table() {
    static const PlaceTable shipped = [] {
        initShippedPlaces();
        PlaceTable t;
        QFile file(QStringLiteral(":/taxcode/catastali.csv"));
        if (!file.open(QIODevice::ReadOnly)) return t;
        const QString text = QString::fromUtf8(file.readAll());
        for (QStringView line : QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QList<QStringView> f = line.split(QLatin1Char(';'));
            if (f.size() < 5) continue;
            BirthPlace p;
            p.code = f[0].toString();
            p.name = f[1].toString();
            p.province = f[2].toString();
            p.validFrom = QDate::fromString(f[3].toString(), Qt::ISODate);
            p.validUntil = QDate::fromString(f[4].toString(), Qt::ISODate);
            p.ceased = !f[4].isEmpty();
            if (f.size() > 5) p.otherNames = listField(f[5]);
            if (f.size() > 6) p.otherProvinces = listField(f[6]);
            const qsizetype at = t.places.size();
            QSet<QString> keys{placeKey(p.name)};
            for (const QString& other : std::as_const(p.otherNames))
                keys.insert(placeKey(other));
            for (const QString& key : std::as_const(keys))
                t.byKey[key].append(at);
            if (!p.isForeignState()) {
                t.provinces.insert(p.province);
                for (const QString& other : std::as_const(p.otherProvinces))
                    t.provinces.insert(other);
            }
            t.places.append(p);
        }
        t.provinces.remove(QStringLiteral("EE"));
        return t;
    }();
    return shipped;
}

int daysApart(const BirthPlace& p, const QDate& date) {
    if (p.validFrom.isValid() && date < p.validFrom) return int(date.daysTo(p.validFrom));
    if (p.validUntil.isValid() && date > p.validUntil) return int(p.validUntil.daysTo(date));
    return 0;
}

// Of two entries as near in time, the one of the province as it is now, then the one whose period
// is known: "FOSSACECA (CB)" is today's Fossalto (CB), not Fontegreca, in Campobasso until 1945.
bool nearer(const BirthPlace& a, const BirthPlace& b, const QDate& date, const QString& province) {
    const int da = daysApart(a, date), db = daysApart(b, date);
    if (da != db) return da < db;
    const bool aHere = !a.isForeignState() && a.province.compare(province, Qt::CaseInsensitive) == 0;
    const bool bHere = !b.isForeignState() && b.province.compare(province, Qt::CaseInsensitive) == 0;
    if (aHere != bHere) return aHere;
    const bool aVague = a.ceased && !a.validUntil.isValid();
    const bool bVague = b.ceased && !b.validUntil.isValid();
    return !aVague && bVague;
}

} // namespace

bool BirthPlace::validOn(const QDate& date) const {
    return (!validFrom.isValid() || date >= validFrom) && (!validUntil.isValid() || date <= validUntil);
}

bool BirthPlace::inProvince(const QString& wanted) const {
    return province.compare(wanted, Qt::CaseInsensitive) == 0 ||
           otherProvinces.contains(wanted, Qt::CaseInsensitive);
}

QString placeKey(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD).toUpper();
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed)
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c.isDigit()) key.append(c);
    return key;
}

const QList<BirthPlace>& allPlaces() {
    return table().places;
}

bool isProvinceCode(const QString& province) {
    return table().provinces.contains(province.trimmed().toUpper());
}

QList<BirthPlace> placesNamed(const QString& name, const QString& province) {
    const PlaceTable& t = table();
    QList<BirthPlace> municipalities, states;
    for (qsizetype at : t.byKey.value(placeKey(name))) {
        const BirthPlace& p = t.places.at(at);
        (p.isForeignState() ? states : municipalities).append(p);
    }
    const QString wanted = province.trimmed().toUpper();
    if (wanted == QLatin1String("EE")) return states;
    if (!t.provinces.contains(wanted)) return municipalities.isEmpty() ? states : municipalities;
    // A real province: another province's namesake would give a wrong code, never a right one.
    QList<BirthPlace> inProvince;
    for (const BirthPlace& p : std::as_const(municipalities))
        if (p.inProvince(wanted)) inProvince.append(p);
    return inProvince;
}

BirthPlace placeOnDate(const QString& name, const QString& province, const QDate& date) {
    const QList<BirthPlace> places = placesNamed(name, province);
    const BirthPlace* best = nullptr;
    for (const BirthPlace& p : places)
        if (!best || nearer(p, *best, date, province.trimmed())) best = &p;
    return best ? *best : BirthPlace{};
}

} // namespace quadrelo::taxcode
