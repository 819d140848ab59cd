#pragma once

#include <QList>
#include <QStringList>

namespace quadrelo {

class PracticeForm;

// What the document dialogs hold when they open, as the values their "conferma" would store:
// the dialogs show these, and documents written without a window use them.
QString wasteInitialDate();
QStringList occupationInitialData();
// Property 1 from the practice's building register, property 2 too when the practice has a
// second sub-unit, property 3 empty; category "A/1", marks " ".
QList<QStringList> iciInitialData(const PracticeForm& form);

} // namespace quadrelo
