// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_json.h"

#include "calc/practice_form.h"
#include "record/number_text.h"

#include <QJsonArray>

#include <cmath>

namespace quadrelo {

QJsonObject practiceJson(PracticeForm& form) {
    QJsonObject controls;
    for (const QString& n : PracticeForm::editNames()) {
        const EditState* e = form.edit(n);
        controls.insert(n, QJsonObject{{"text", e->text}, {"enabled", e->enabled}});
    }
    for (const QString& n : PracticeForm::captionNames()) {
        const CaptionState* c = form.caption(n);
        controls.insert(
            n, QJsonObject{{"text", c->text}, {"enabled", c->enabled}, {"highlighted", c->highlighted}});
    }
    for (const QString& n : PracticeForm::checkNames())
        controls.insert(n, QJsonObject{{"checked", form.check(n)->checked}, {"enabled", true}});
    for (const QString& n : PracticeForm::radioNames())
        controls.insert(n, QJsonObject{{"checked", form.radio(n)->checked}, {"enabled", true}});
    for (const QString& n : PracticeForm::comboNames()) {
        const ComboState* c = form.combo(n);
        controls.insert(n,
                        QJsonObject{{"itemIndex", c->itemIndex}, {"text", c->text}, {"enabled", c->enabled}});
    }
    for (const QString& n : PracticeForm::dateNames())
        controls.insert(n,
                        QJsonObject{{"date", form.datePicker(n)->date.toString(QStringLiteral("dd/MM/yyyy"))},
                                    {"enabled", true}});
    for (const QString& n : PracticeForm::memoNames())
        controls.insert(n, QJsonObject{{"text", form.memo(n)->text}, {"enabled", true}});

    QJsonObject figures;
    // JSON has no infinite numbers: those go as the program shows them ("INF").
    for (const QString& n : PracticeForm::figureNames()) {
        const double v = *form.figure(n);
        figures.insert(n, std::isfinite(v) ? QJsonValue(v) : QJsonValue(Formatta(v)));
    }

    return QJsonObject{{"file", form.currentFileName}, {"controls", controls}, {"figures", figures}};
}

} // namespace quadrelo
