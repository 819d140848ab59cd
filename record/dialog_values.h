// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QString>

#include <array>

namespace quadrelo {

// What the document dialogs leave for their reports: text as the reports print it.

// "Occupazione suolo pubblico".
struct OccupationData {
    QString location;   // "ubicazione"
    QString purpose;    // "scopo dell'occupazione"
    QString firstSide;  // m
    QString secondSide; // m
    QString area;       // m²
    QString firstDay;   // "dal", dd/MM/yyyy
    QString lastDay;    // "al", dd/MM/yyyy
    QString days;       // both end days counted
    QString startHour;  // "dalle ore", HH:mm
    QString endHour;    // "alle ore", HH:mm
    QString kind;       // "tipologia di occupazione"

    bool operator==(const OccupationData&) const = default;
};

// The fields in the dialog's order, which is also the order of their report columns and of
// the fields of the command line's --occupazione.
inline constexpr std::array<QString OccupationData::*, 11> kOccupationFields{
    &OccupationData::location,   &OccupationData::purpose, &OccupationData::firstSide,
    &OccupationData::secondSide, &OccupationData::area,    &OccupationData::firstDay,
    &OccupationData::lastDay,    &OccupationData::days,    &OccupationData::startHour,
    &OccupationData::endHour,    &OccupationData::kind};

// One property of the I.C.I. declaration. A mark is "X" when ticked and " " when not.
struct IciProperty {
    QString address;
    QString section;           // "sezione"
    QString sheet;             // "foglio"
    QString parcel;            // "particella"
    QString subUnit;           // "subalterno"
    QString category;          // cadastral category, "A/1" ...
    QString cadastralClass;    // "classe"
    QString listedBuilding;    // mark, "immobile storico"
    QString value;             // "valore"
    QString ownershipShare;    // "% possesso"
    QString monthsOwned;       // "mesi possesso"
    QString monthsExempt;      // "mesi esclusione/esenzione"
    QString monthsReduced;     // "mesi riduzione"
    QString mainHomeDeduction; // "importo detrazione per l'abitazione principale"
    // The situation at 31 December, as marks.
    QString owned;            // "posseduto"
    QString excludedOrExempt; // "escluso o esente"
    QString reduced;          // "riduzione"
    QString mainHome;         // "abitazione principale"

    bool operator==(const IciProperty&) const = default;
};

// Item k (1..18) of a property is kIciItems[k - 1]: the numbering of the declaration's boxes,
// of the report columns ici<property>_<item> and of the fields of --ici1..--ici3.
inline constexpr std::array<QString IciProperty::*, 18> kIciItems{
    &IciProperty::address,          &IciProperty::section,           &IciProperty::sheet,
    &IciProperty::parcel,           &IciProperty::subUnit,           &IciProperty::category,
    &IciProperty::cadastralClass,   &IciProperty::listedBuilding,    &IciProperty::value,
    &IciProperty::ownershipShare,   &IciProperty::monthsOwned,       &IciProperty::monthsExempt,
    &IciProperty::monthsReduced,    &IciProperty::mainHomeDeduction, &IciProperty::owned,
    &IciProperty::excludedOrExempt, &IciProperty::reduced,           &IciProperty::mainHome};

// Properties 1 to 3 at 0 to 2.
using IciData = std::array<IciProperty, 3>;

} // namespace quadrelo
