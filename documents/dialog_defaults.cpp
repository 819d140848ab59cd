// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "dialog_defaults.h"

#include "calc/practice_form.h"
#include "record/errors.h"

#include <limits>

namespace quadrelo {

QString wasteInitialDate() {
    return QStringLiteral("31/03/2003");
}

OccupationData occupationInitialData() {
    OccupationData data;
    // Equal first and last day leave the day count empty.
    data.firstDay = data.lastDay = QStringLiteral("01/01/2004");
    data.startHour = data.endHour = QStringLiteral("08:00");
    return data;
}

IciData iciInitialData(const PracticeForm& form) {
    IciData data;
    for (IciProperty& property : data) {
        property.category = QStringLiteral("A/1");
        for (QString* mark : {&property.listedBuilding, &property.owned, &property.excludedOrExempt,
                              &property.reduced, &property.mainHome})
            *mark = QStringLiteral(" ");
    }
    const QString address =
        form.ComboBox1.text + QLatin1Char(' ') + form.Edit10.text + QLatin1Char(' ') + form.Edit11.text;
    auto fill = [&](IciProperty& property, const QString& subUnit) {
        property.address = address;
        property.section = form.Edit17.text;
        property.sheet = form.Edit18.text;
        property.parcel = form.Edit19.text;
        property.subUnit = subUnit;
    };
    fill(data[0], form.Edit20.text);
    if (!form.Edit21.text.isEmpty()) fill(data[1], form.Edit21.text);
    return data;
}

bool setSwornAppraisalCourt(PracticeForm& form, const QString& court, const QString& section) {
    form.swornSection.clear();
    // Without a court there is nothing to print; the previous court stays.
    if (court.isEmpty()) return false;
    form.swornCourt = court.toUpper();
    if (!section.isEmpty()) form.swornSection = QStringLiteral("SEZIONE DISTACCATA DI ") + section.toUpper();
    return true;
}

namespace {

constexpr qint64 kLargest = std::numeric_limits<qint32>::max();

int side(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("Il lato di %1 m è troppo lungo per calcolare la superficie "
                                   "(al massimo %2 m): digitare la superficie direttamente.")
                        .arg(text)
                        .arg(kLargest));
    return value;
}

} // namespace

QString occupationArea(const QString& firstSide, const QString& secondSide) {
    const qint64 area = qint64(side(firstSide)) * side(secondSide);
    if (area > kLargest)
        throw Error(QStringLiteral("La superficie di %1 m x %2 m supera il massimo calcolabile di %3 mq: "
                                   "digitare la superficie direttamente.")
                        .arg(firstSide, secondSide)
                        .arg(kLargest));
    return QString::number(area);
}

QString occupationDays(const QDate& from, const QDate& to) {
    const qint64 days = from.daysTo(to);
    return days > 0 ? QString::number(days + 1) : QString();
}

} // namespace quadrelo
