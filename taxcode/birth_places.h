// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace quadrelo::taxcode {

// A municipality or foreign state with the cadastral code it had over a period; a place renamed,
// merged or re-founded has one entry per period.
struct BirthPlace {
    QString code;     // "H501", foreign states "Z" and three digits
    QString name;     // as the public list writes it, "Corigliano-Rossano"
    QString province; // two letters; for a foreign state its ISO country code
    QDate validFrom;
    QDate validUntil; // null while the code is in use

    bool isForeignState() const { return code.startsWith(QLatin1Char('Z')); }
    bool validOn(const QDate& date) const;
};

// The name as a clerk would match it: upper case, no accents, letters and digits only, so that
// "SANT'ANGELO", "Sant Angelo" and "SANT ANGELO" are the same place.
QString placeKey(const QString& name);

// Every entry of the shipped table named so, in the given province when the name is shared by
// municipalities of several provinces and the province is known.
QList<BirthPlace> placesNamed(const QString& name, const QString& province = QString());

// The entry of that name in force on the date; when the table has none in force then (its dates
// start from when the register was kept), the nearest in time. Null code when the name is unknown.
BirthPlace placeOnDate(const QString& name, const QString& province, const QDate& date);

} // namespace quadrelo::taxcode
