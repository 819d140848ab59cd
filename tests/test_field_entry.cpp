// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "record/catalogue.h"
#include "record/field_entry.h"

#include <QtTest>

using namespace quadrelo;

namespace {

EntryRules rulesOf(const QString& field) {
    return fieldSpec(field)->rules;
}

// Types the characters one at a time at the end of the field, as a user would.
QString typeInto(const QString& field, const QString& start, const QString& keys) {
    QString text = start;
    for (QChar c : keys) {
        int cursor = static_cast<int>(text.size() + 1);
        text = applyEdit(rulesOf(field), text, text + c, cursor);
    }
    return text;
}

} // namespace

class FieldEntryTest : public QObject {
    Q_OBJECT
private slots:
    void typing_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("result");
        QTest::newRow("number: point becomes comma") << "Edit40"
                                                     << ""
                                                     << "1.5"
                                                     << "1,5";
        QTest::newRow("number: second comma refused") << "Edit40"
                                                      << ""
                                                      << "1,5,2"
                                                      << "1,52";
        QTest::newRow("number: two decimals at most") << "Edit40"
                                                      << ""
                                                      << "100,005"
                                                      << "100,00";
        QTest::newRow("number: comma already there") << "Edit61"
                                                     << "0,00"
                                                     << "."
                                                     << "0,00";
        QTest::newRow("number: letters and signs dropped") << "Edit25"
                                                           << ""
                                                           << "a-1+2e3 "
                                                           << "123";
        QTest::newRow("digits only") << "Edit13"
                                     << ""
                                     << "12a,3.4 5"
                                     << "12345";
        QTest::newRow("digits: Enter dropped") << "Edit23"
                                               << ""
                                               << "45\r\n"
                                               << "45";
        QTest::newRow("duration digits") << "Edit33"
                                         << ""
                                         << "1,2"
                                         << "12";
        QTest::newRow("tax code: no space, upper") << "Edit5"
                                                   << ""
                                                   << "rss mra 80a01"
                                                   << "RSSMRA80A01";
        QTest::newRow("tax code: 16 at most") << "Edit5"
                                              << ""
                                              << "ABCDEFGHIJKLMNOPQRS"
                                              << "ABCDEFGHIJKLMNOP";
        QTest::newRow("upper text keeps spaces") << "Edit1"
                                                 << ""
                                                 << "mario rossi"
                                                 << "MARIO ROSSI";
        QTest::newRow("upper accented") << "Edit9"
                                        << ""
                                        << "forlì"
                                        << "FORLÌ";
        QTest::newRow("destination upper") << "Edit16"
                                           << ""
                                           << "negozio"
                                           << "NEGOZIO";
        QTest::newRow("free attachment as typed") << "Edit34"
                                                  << ""
                                                  << "Planimetria"
                                                  << "Planimetria";
    }
    void typing() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, result);
        QCOMPARE(typeInto(field, start, keys), result);
    }

    // Pasting goes through the same filter as typing, wherever the text lands.
    void pasting_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("newCursor");
        QTest::newRow("number paste with grouping") << "Edit40"
                                                    << ""
                                                    << "1.234,56" << 8 << "1,23" << 4;
        QTest::newRow("number paste with comma before existing comma") << "Edit40"
                                                                       << "1,5"
                                                                       << "2,31,5" << 3 << "231,5" << 2;
        QTest::newRow("number paste into the middle") << "Edit40"
                                                      << "15"
                                                      << "1a9b5" << 4 << "195" << 2;
        QTest::newRow("digits paste") << "Edit18"
                                      << ""
                                      << "12 / 34" << 7 << "1234" << 4;
        QTest::newRow("tax code paste over limit")
            << "Edit5"
            << "RSSMRA"
            << "RSSMRA 80A01H501UXYZ" << 20 << "RSSMRA80A01H501U" << 16;
        QTest::newRow("text paste loses line breaks") << "Edit7"
                                                      << ""
                                                      << "via\r\nroma" << 9 << "VIAROMA" << 7;
        QTest::newRow("deletion passes") << "Edit40"
                                         << "12,50"
                                         << "1250" << 2 << "1250" << 2;
        QTest::newRow("replace selection") << "Edit13"
                                           << "999"
                                           << "9x9" << 2 << "99" << 1;
    }
    void pasting() {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, proposed);
        QFETCH(int, cursor);
        QFETCH(QString, result);
        QFETCH(int, newCursor);
        QCOMPARE(applyEdit(rulesOf(field), before, proposed, cursor), result);
        QCOMPARE(cursor, newCursor);
    }

    void controlCharactersDroppedInNumbers() {
        QCOMPARE(filterInsertion(rulesOf(QStringLiteral("Edit40")), QString(),
                                 QStringLiteral("\x16\x03"
                                                "1")),
                 QStringLiteral("1"));
        QCOMPARE(filterInsertion(rulesOf(QStringLiteral("Edit13")), QString(),
                                 QStringLiteral("\x16"
                                                "7")),
                 QStringLiteral("7"));
    }

    void enterOrder_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("consumed");
        QTest::newRow("Edit22 to birth date") << "Edit22"
                                              << "DateTimePicker3" << -1 << true;
        QTest::newRow("role list crosses to Immobile") << "ComboBox3"
                                                       << "Edit9" << 1 << true;
        QTest::newRow("third parcel to building section") << "Edit4"
                                                          << "Edit17" << -1 << true;
        QTest::newRow("check box passes the key on") << "CheckBox2"
                                                     << "RadioButton8" << -1 << false;
        QTest::newRow("last class crosses to Illecito") << "RadioButton15"
                                                        << "DateTimePicker1" << 2 << true;
        QTest::newRow("volume to description") << "Edit23"
                                               << "Memo1" << -1 << true;
        QTest::newRow("oblation pair back") << "Edit51"
                                            << "Edit50" << -1 << true;
        QTest::newRow("restructuring input to new group") << "Edit66"
                                                          << "GroupBox11" << -1 << true;
        QTest::newRow("area surface to its group") << "Edit31"
                                                   << "GroupBox24" << -1 << true;
        QTest::newRow("duration to indemnity group") << "Edit33"
                                                     << "GroupBox23" << -1 << true;
        QTest::newRow("memo has ordinary keys") << "Memo1"
                                                << "" << -1 << true;
        QTest::newRow("destination has ordinary keys") << "Edit16"
                                                       << "" << -1 << true;
    }
    void enterOrder() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, page);
        QFETCH(bool, consumed);
        const EnterStep step = enterStep(from);
        QCOMPARE(step.target, to);
        QCOMPARE(step.page, page);
        QCOMPARE(step.consumed, consumed);
    }

    // Every field reached by Enter exists in the catalogue and lives on the page the
    // step claims, so the window never loses the focus on a hidden page.
    void enterTargetsLiveOnTheirPage() {
        for (const FieldSpec& f : fieldCatalogue()) {
            const EnterStep step = enterStep(f.name);
            if (step.target.isEmpty() || step.target.startsWith(QLatin1String("GroupBox"))) continue;
            const FieldSpec* target = fieldSpec(step.target);
            QVERIFY2(target, qPrintable(step.target));
            QCOMPARE(target->page, step.page < 0 ? f.page : step.page);
        }
    }
};

QTEST_GUILESS_MAIN(FieldEntryTest)
#include "test_field_entry.moc"
