// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The applicant's tax code typed as a user types it: one click, then keys to the focused widget.
#include "app/application_setup.h"
#include "test_support.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"
#include "window_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quadrelo;

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

void type(const QString& text) {
    for (QChar c : text)
        QTest::keyClick(focused(), c.toLatin1());
}

void enter() {
    QTest::keyClick(focused(), Qt::Key_Return);
}

} // namespace

class TaxCodeWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> w;
    QByteArray openedFor; // the test function whose rows share `w`
    QTemporaryDir workDir;

    // Surname, name, place and date of birth typed from the first field; the focus ends on the
    // tax code.
    void typeApplicant(const char* name, const char* surname, const char* place, const char* province,
                       const char* born) {
        auto* first = w->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QVERIFY(first);
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(4, first->height() / 2));
        QTRY_COMPARE(focused(), first);
        for (const char* text : {name, surname, place, province, born}) {
            type(QLatin1String(text));
            enter();
        }
        QCOMPARE(focused()->objectName(), QStringLiteral("Edit5"));
    }

private slots:
    void initTestCase() { QVERIFY(testing::prepareWindowTests(workDir)); }

    void init() { QVERIFY(testing::windowForThisRow(w, openedFor)); }

    void leavingTheFieldChecksTheCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("agrees") << "RSSMRA80A01H501U" << QStringList();
        QTest::newRow("check character")
            << "RSSMRA80A01H501X" << QStringList{"Il codice fiscale ha il carattere di controllo errato."};
        QTest::newRow("surname and date")
            << "BNCMRA80A02H501F"
            << QStringList{"Il codice fiscale non corrisponde al cognome.\n"
                           "Il codice fiscale non corrisponde alla data di nascita."};
        QTest::newRow("VAT number") << "07643520567" << QStringList();
        QTest::newRow("VAT number, wrong digit")
            << "07643520568" << QStringList{"La partita IVA ha la cifra di controllo errata."};
        QTest::newRow("not finished") << "RSSMRA80" << QStringList{"Il codice fiscale è incompleto."};
    }
    void leavingTheFieldChecksTheCode() {
        QFETCH(QString, code);
        QFETCH(QStringList, warnings);
        typeApplicant("Mario", "Rossi", "Roma", "RM", "01/01/1980");
        type(code);
        enter();
        QCOMPARE(focused()->objectName(), QStringLiteral("Edit6"));
        // The warning comes once the field is left; the text stays as typed, in the practice too.
        QCoreApplication::processEvents();
        QCOMPARE(MessageWindows::shownMessages(), warnings);
        QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("Edit5"))->text(), code);
        QCOMPARE(w->form().edit(QStringLiteral("Edit5"))->text, code);
    }

    void computeFillsTheField_data() {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<int>("sex"); // answer to the question: 0 Maschio, 1 Femmina
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("woman") << "Rossi" << 1 << "RSSMRA80A41H501Y"
                               << "Per il codice fiscale: il richiedente è";
        QTest::newRow("no surname") << "" << 0 << ""
                                    << "Impossibile calcolare il codice fiscale: manca il cognome.";
    }
    void computeFillsTheField() {
        QFETCH(QString, surname);
        QFETCH(int, sex);
        QFETCH(QString, code);
        QFETCH(QString, message);
        MessageWindows::setNextChoices({sex});
        typeApplicant("Maria", qPrintable(surname), "Roma", "RM", "01/01/1980");
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(MessageWindows::shownMessages(), QStringList{message});
        QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("Edit5"))->text(), code);
        QCOMPARE(w->form().edit(QStringLiteral("Edit5"))->text, code);
    }

    // The birthplace taken from the list: its province comes with it, and the code is the
    // municipality's, not the foreign state's of the same name.
    void birthPlaceFromTheList() {
        auto* first = w->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(4, first->height() / 2));
        QTRY_COMPARE(focused(), first);
        for (const char* text : {"Mario", "Rossi"}) {
            type(QLatin1String(text));
            enter();
        }
        QCOMPARE(focused()->objectName(), QStringLiteral("Edit3"));
        const auto list = [this] { return w->findChild<QListWidget*>(QStringLiteral("Edit3Luoghi")); };
        // A place chosen, then typing on: the list starts again, the text is what was typed.
        type(QStringLiteral("PA"));
        QTest::keyClick(focused(), Qt::Key_Down);
        type(QStringLiteral("L"));
        QVERIFY(list() && list()->isVisible());
        QCOMPARE(list()->currentRow(), -1);
        QCOMPARE(w->form().edit(QStringLiteral("Edit3"))->text, QStringLiteral("PAL"));
        for (int i = 0; i < 100 && !(list()->currentItem() && list()->currentItem()->text() == "PALAU (SS)");
             ++i)
            QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("PALAU (SS)"));
        enter();
        QVERIFY(!list()->isVisible());
        QCOMPARE(focused()->objectName(), QStringLiteral("Edit3"));
        QCOMPARE(w->form().edit(QStringLiteral("Edit3"))->text, QStringLiteral("PALAU"));
        QCOMPARE(w->form().edit(QStringLiteral("Edit22"))->text, QStringLiteral("SS"));
        enter();
        enter();
        type(QStringLiteral("01/05/1990"));
        enter();
        QCOMPARE(focused()->objectName(), QStringLiteral("Edit5"));
        MessageWindows::setNextChoices({0});
        QTest::keyClick(focused(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(w->form().edit(QStringLiteral("Edit5"))->text, QStringLiteral("RSSMRA90E01G258T"));
    }
};

QTEST_MAIN(TaxCodeWindowTest)
#include "gui_test_tax_code.moc"
