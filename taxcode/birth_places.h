// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace quadrelo::taxcode {

// A municipality or foreign state with the cadastral code it had over a period; a place renamed,
// merged or re-founded has one entry per period.
struct BirthPlace {
    QString code;     // "H501", foreign states "Z" and three digits
    QString name;     // the most recent official name, "Corigliano-Rossano"
    QString province; // two letters; for a foreign state its ISO country code or "EE"
    QDate validFrom;  // null when the sources do not tell
    QDate validUntil; // null while in force, or for a ceased code whose end is unknown
    bool ceased = false;
    QStringList otherNames;     // former names, spellings of other lists, the other language's
    QStringList otherProvinces; // provinces it belonged to before

    bool isForeignState() const { return code.startsWith(QLatin1Char('Z')); }
    bool validOn(const QDate& date) const;
    bool inProvince(const QString& province) const;
};

// The name as a clerk would match it: upper case, no accents, letters and digits only, so that
// "SANT'ANGELO", "Sant Angelo" and "SANT ANGELO" are the same place, "RICCO'" and "RICCÒ" too.
QString placeKey(const QString& name);

// Every entry of the shipped table, in its order.
const QList<BirthPlace>& allPlaces();

// True for the two letters of an Italian province, present or past ("RM", "FO"); not for "EE".
bool isProvinceCode(const QString& province);

// Every entry of the shipped table named so (by any of its names) that may be meant with that
// province: with a real province only its municipalities; with "EE" only foreign states; with no
// province (or one that is no province's letters) the municipalities, or the foreign states when
// no municipality has that name.
QList<BirthPlace> placesNamed(const QString& name, const QString& province = QString());

// The entry of that name in force on the date; when the table has none in force then (its dates
// start from when the register was kept), the nearest in time. Null code when the name is unknown.
BirthPlace placeOnDate(const QString& name, const QString& province, const QDate& date);

} // namespace quadrelo::taxcode
