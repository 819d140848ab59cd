// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The four document dialogs (WasteTaxDialog, OccupationDialog, IciDialog, SwornAppraisalDialog), driven with
// real keys and clicks; the reports they run are captured instead of previewed.
#include "calc/practice_form.h"
#include "ui/common/message_windows.h"
#include "ui/documents/document_dialogs.h"
#include "ui/documents/document_output.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimeEdit>
#include <QtTest>

#include <memory>

using namespace quadrelo;

namespace {

// A report as the sink saw it, with the dialog values it could read at that moment.
struct Report {
    QString name;
    QString waste;
    OccupationData occupation;
    IciData ici;
    QString court;
    QString section;
};

// Every field of `Data` holding `text`.
template <typename Data, std::size_t count>
Data filled(const std::array<QString Data::*, count>& fields, const QString& text) {
    Data data;
    for (QString Data::*field : fields)
        data.*field = text;
    return data;
}

template <typename Data, std::size_t count>
char* fieldsText(const Data& data, const std::array<QString Data::*, count>& fields) {
    QStringList texts;
    for (QString Data::*field : fields)
        texts << data.*field;
    return QTest::toString(texts.join(QLatin1Char('|')));
}

} // namespace

// What QCOMPARE shows of the dialog values when they differ.
namespace quadrelo {
char* toString(const OccupationData& data) {
    return fieldsText(data, kOccupationFields);
}
char* toString(const IciData& data) {
    QStringList properties;
    for (const IciProperty& property : data) {
        char* text = fieldsText(property, kIciItems);
        properties << QString::fromUtf8(text);
        delete[] text;
    }
    return QTest::toString(properties.join(QStringLiteral(" / ")));
}
} // namespace quadrelo

class DocumentDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void frame_data();
    void frame();

    void wasteDate_data();
    void wasteDate();

    void occupationArea_data();
    void occupationArea();
    void occupationSwitchingWindowsIsNoLeaving();
    void occupationDays_data();
    void occupationDays();
    void occupationDaysOnCalendarClose();
    void occupationEnterOrder();
    void occupationConfirm();
    void occupationReopensWithInitialValues();
    void occupationClosingStoresNothing_data();
    void occupationClosingStoresNothing();
    void occupationDigits_data();
    void occupationDigits();

    void iciPrefill_data();
    void iciPrefill();
    void iciCategories();
    void iciMarks_data();
    void iciMarks();
    void iciEnterConfirms_data();
    void iciEnterConfirms();
    void iciEscapeStoresNothing_data();
    void iciEscapeStoresNothing();

    void sworn_data();
    void sworn();
    void swornClosingStoresNothing();

private:
    // Shows the dialog over the stand-in main window and waits until it has the keyboard.
    bool showActive(QDialog& dialog);
    // Keys go where the keyboard sends them: the focused control of the active window.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types text where the keyboard sends it; letters outside ASCII come as their own text.
    static void typeHere(const QString& text);
    static void type(QWidget* field, const QString& text);
    static QString focusName();

    QWidget owner_;
    std::unique_ptr<PracticeForm> form_;
    QList<Report> reports_;
};

void DocumentDialogsTest::initTestCase() {
    MessageWindows::setTestMode(true);
    owner_.setWindowTitle(QStringLiteral("Quadrelo 2004"));
    owner_.setGeometry(60, 40, 1000, 760);
    owner_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner_));
    setDocumentSink([this](const QString& name, const QStringList&) {
        reports_ << Report{name,           form_->wasteStartDate, form_->occupationData,
                           form_->iciData, form_->swornCourt,     form_->swornSection};
    });
}

void DocumentDialogsTest::cleanupTestCase() {
    setDocumentSink(nullptr);
}

void DocumentDialogsTest::init() {
    form_ = std::make_unique<PracticeForm>();
    reports_.clear();
    MessageWindows::clearShown();
}

void DocumentDialogsTest::cleanup() {
    QApplication::clipboard()->clear();
}

bool DocumentDialogsTest::showActive(QDialog& dialog) {
    dialog.show();
    // The headless platform leaves a new window inactive until asked, as no window manager is there.
    dialog.activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; });
}

void DocumentDialogsTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

void DocumentDialogsTest::typeHere(const QString& text) {
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        if (c.unicode() < 128)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void DocumentDialogsTest::type(QWidget* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    typeHere(text);
}

QString DocumentDialogsTest::focusName() {
    QWidget* w = QApplication::focusWidget();
    // An editable list box or a picker keeps its own line edit inside.
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

// --- all four: caption, buttons, closing result, fixed size centred on the main window ----------

void DocumentDialogsTest::frame_data() {
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<bool>("confirmIsDefault");
    QTest::addColumn<int>("closingResult");
    QTest::newRow("TForm10") << 10 << "Denuncia rifiuti solidi urbani"
                             << "esci" << true << int(mrCancel);
    QTest::newRow("TForm11") << 11 << "Occupazione suolo pubblico"
                             << "esci" << false << int(mrCancel);
    QTest::newRow("TForm14") << 14 << "Compilazione della dichiarazione I.C.I. (fac-simile)"
                             << "annulla" << true << int(mrNo);
    QTest::newRow("TForm16") << 16 << "Perizia giurata"
                             << "esci" << true << int(mrCancel);
}

void DocumentDialogsTest::frame() {
    QFETCH(int, dialog);
    QFETCH(QString, caption);
    QFETCH(QString, closing);
    QFETCH(bool, confirmIsDefault);
    QFETCH(int, closingResult);
    std::unique_ptr<DocumentDialog> d;
    switch (dialog) {
    case 10:
        d = std::make_unique<WasteTaxDialog>(&owner_, *form_);
        break;
    case 11:
        d = std::make_unique<OccupationDialog>(&owner_, *form_);
        break;
    case 14:
        d = std::make_unique<IciDialog>(&owner_, *form_);
        break;
    default:
        d = std::make_unique<SwornAppraisalDialog>(&owner_, *form_);
    }
    QVERIFY(showActive(*d));
    QCOMPARE(d->windowTitle(), caption);
    QCOMPARE(d->BitBtn1->text(), QStringLiteral("conferma"));
    QCOMPARE(d->BitBtn1->toolTip(), QStringLiteral("conferma le modifiche apportate"));
    QCOMPARE(d->BitBtn2->text(), closing);
    QCOMPARE(d->BitBtn2->toolTip(), QStringLiteral("chiude la finestra"));
    QCOMPARE(d->BitBtn1->isDefault(), confirmIsDefault);
    QCOMPARE(d->BitBtn2->isDefault(), false);

    // Its natural size where the screen has room, never larger; centred on its owner unless
    // that would put part of it off the screen.
    const QRect room = d->screen()->availableGeometry();
    QVERIFY(room.contains(d->frameGeometry()));
    if (room.contains(QRect(d->pos(), d->maximumSize() + QSize(8, 40))))
        QCOMPARE(d->size(), d->maximumSize());
    QRect centred = d->frameGeometry();
    centred.moveCenter(owner_.frameGeometry().center());
    const QPoint offset = d->frameGeometry().center() - owner_.frameGeometry().center();
    if (room.contains(centred))
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));

    QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), closingResult);
    QVERIFY(reports_.isEmpty());
}

// --- WasteTaxDialog -------------------------------------------------------------------------------------

void DocumentDialogsTest::wasteDate_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<int>("result");
    // Activating the dialog already takes the picker's date; closing takes nothing more.
    QTest::newRow("conferma clicked") << "click conferma"
                                      << "15/06/2003" << QStringList{"rifiuti"} << int(mrOk);
    QTest::newRow("Enter") << "Enter"
                           << "15/06/2003" << QStringList{"rifiuti"} << int(mrOk);
    QTest::newRow("esci") << "click esci"
                          << "31/03/2003" << QStringList{} << int(mrCancel);
    QTest::newRow("Esc") << "Esc"
                         << "31/03/2003" << QStringList{} << int(mrCancel);
}

void DocumentDialogsTest::wasteDate() {
    QFETCH(QString, how);
    QFETCH(QString, stored);
    QFETCH(QStringList, reports);
    QFETCH(int, result);
    form_->wasteStartDate = QStringLiteral("01/01/2001");
    WasteTaxDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    QCOMPARE(d.DateTimePicker3->date(), QDate(2003, 3, 31));
    QCOMPARE(form_->wasteStartDate, QStringLiteral("31/03/2003"));

    d.DateTimePicker3->setDate(QDate(2003, 6, 15));

    if (how == QLatin1String("click conferma"))
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    else if (how == QLatin1String("Enter"))
        press(Qt::Key_Return);
    else if (how == QLatin1String("click esci"))
        QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
    else
        press(Qt::Key_Escape);

    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), result);
    QCOMPARE(form_->wasteStartDate, stored);
    QStringList names;
    for (const Report& r : std::as_const(reports_)) {
        names << r.name;
        QCOMPARE(r.waste, stored);
    }
    QCOMPARE(names, reports);
}

// --- OccupationDialog -------------------------------------------------------------------------------------

void DocumentDialogsTest::occupationArea_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("area");
    QTest::addColumn<bool>("error");
    // The area starts as "7", typed by the user.
    QTest::newRow("12 x 5") << "12"
                            << "5"
                            << "60" << false;
    QTest::newRow("leading zeros") << "012"
                                   << "05"
                                   << "60" << false;
    QTest::newRow("a side of zero") << "0"
                                    << "5"
                                    << "0" << false;
    QTest::newRow("first side empty") << ""
                                      << "5"
                                      << "7" << false;
    QTest::newRow("second side empty") << "12"
                                       << ""
                                       << "7" << false;
    QTest::newRow("largest product") << "46340"
                                     << "46341"
                                     << "2147441940" << false;
    QTest::newRow("largest side") << "2147483647"
                                  << "1"
                                  << "2147483647" << false;
    QTest::newRow("product overflows") << "46341"
                                       << "46341"
                                       << "7" << true;
    QTest::newRow("side too long") << "2147483648"
                                   << "1"
                                   << "7" << true;
}

void DocumentDialogsTest::occupationArea() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, area);
    QFETCH(bool, error);
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    type(d.Edit3, QStringLiteral("7"));
    type(d.Edit1, first);
    press(Qt::Key_Return); // leaves Edit1 for Edit2
    QCOMPARE(focusName(), QStringLiteral("Edit2"));
    QCOMPARE(d.Edit3->text(), QStringLiteral("7")); // the second side is still empty
    typeHere(second);
    press(Qt::Key_Return); // leaves Edit2 for Edit3
    QCOMPARE(focusName(), QStringLiteral("Edit3"));
    QCOMPARE(d.Edit3->text(), area);

    const QStringList shown = MessageWindows::shownMessages();
    QCOMPARE(shown.size(), error ? 1 : 0);
    if (error) QVERIFY2(shown.first().contains(QStringLiteral("superficie")), qPrintable(shown.first()));
    QVERIFY(d.isVisible());
    QVERIFY(reports_.isEmpty());
}

void DocumentDialogsTest::occupationSwitchingWindowsIsNoLeaving() {
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    type(d.Edit1, QStringLiteral("46341"));
    type(d.Edit2, QStringLiteral("46341"));
    {
        // Another window over the dialog, as a message box would be, takes the keyboard away.
        QDialog other(&d);
        QVERIFY(showActive(other));
        QVERIFY(MessageWindows::shownMessages().isEmpty());
    }
    QVERIFY(showActive(d));
    QCOMPARE(focusName(), QStringLiteral("Edit2"));
    press(Qt::Key_Return);
    QCOMPARE(MessageWindows::shownMessages().size(), 1);
    QCOMPARE(d.Edit3->text(), QString());
}

void DocumentDialogsTest::occupationDays_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("days");
    QTest::newRow("January 2004") << QDate(2004, 1, 1) << QDate(2004, 1, 31) << "31";
    QTest::newRow("two days") << QDate(2004, 1, 1) << QDate(2004, 1, 2) << "2";
    QTest::newRow("across 29 February") << QDate(2004, 2, 1) << QDate(2004, 3, 1) << "30";
    QTest::newRow("whole leap year") << QDate(2004, 1, 1) << QDate(2004, 12, 31) << "366";
    QTest::newRow("equal dates") << QDate(2004, 1, 1) << QDate(2004, 1, 1) << "";
    QTest::newRow("end before start") << QDate(2004, 3, 10) << QDate(2004, 3, 1) << "";
}

void DocumentDialogsTest::occupationDays() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, days);
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    QCOMPARE(d.DateTimePicker1->date(), QDate(2004, 1, 1));
    QCOMPARE(d.DateTimePicker2->date(), QDate(2004, 1, 1));
    type(d.Edit6, QStringLiteral("99"));

    // Changing a date alone does not count the days; leaving the picker does.
    d.DateTimePicker1->setFocus(Qt::TabFocusReason);
    d.DateTimePicker1->setDate(from);
    d.DateTimePicker2->setDate(to);
    QCOMPARE(d.Edit6->text(), QStringLiteral("99"));
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("DateTimePicker2"));
    QCOMPARE(d.Edit6->text(), days);

    // Leaving the second picker by the mouse counts again, over what the user typed meanwhile.
    d.Edit6->setText(QStringLiteral("5"));
    QTest::mouseClick(d.Edit6, Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("Edit6"));
    QCOMPARE(d.Edit6->text(), days);
}

void DocumentDialogsTest::occupationDaysOnCalendarClose() {
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    d.DateTimePicker2->setFocus(Qt::TabFocusReason);
    press(Qt::Key_F4);
    QCalendarWidget* calendar = d.DateTimePicker2->calendarWidget();
    QTRY_VERIFY(calendar->isVisible());
    QTRY_VERIFY(QApplication::focusWidget() && calendar->isAncestorOf(QApplication::focusWidget()));
    // Nine days on in the calendar, chosen with Enter: the calendar closes and the days are counted.
    for (int i = 0; i < 9; ++i)
        press(Qt::Key_Right);
    press(Qt::Key_Return);
    QTRY_VERIFY(!calendar->isVisible());
    QCOMPARE(d.DateTimePicker2->date(), QDate(2004, 1, 10));
    QCOMPARE(d.Edit6->text(), QStringLiteral("10"));
    QCOMPARE(focusName(), QStringLiteral("DateTimePicker2"));
}

void DocumentDialogsTest::occupationEnterOrder() {
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    QCOMPARE(focusName(), QStringLiteral("Edit4"));
    const QStringList order{"Edit5",           "Edit1",           "Edit2",  "Edit3",
                            "DateTimePicker1", "DateTimePicker2", "Edit6",  "DateTimePicker3",
                            "DateTimePicker4", "Edit7",           "BitBtn1"};
    for (const QString& next : order) {
        press(Qt::Key_Return);
        QCOMPARE(focusName(), next);
        QVERIFY(d.isVisible()); // conferma is no default button
    }
    QVERIFY(reports_.isEmpty());
    QCOMPARE(d.Edit4->text(), QString()); // Enter typed nothing anywhere
    QCOMPARE(d.Edit1->text(), QString());

    // Tab walks the same order; in a picker it first steps through the date's or hour's parts.
    d.Edit4->setFocus(Qt::TabFocusReason);
    for (const QString& next : order) {
        const QString from = focusName();
        for (int parts = 0; parts < 3 && focusName() == from; ++parts)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), next);
    }

    // Enter on the focused conferma presses it.
    press(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrOk));
    QCOMPARE(reports_.size(), 1);
}

void DocumentDialogsTest::occupationConfirm() {
    const OccupationData before = form_->occupationData;
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    // Everything by keyboard, in the order of Enter.
    typeHere(QStringLiteral("Via Roma 12, Napoli"));
    press(Qt::Key_Return);
    typeHere(QStringLiteral("ponteggio"));
    press(Qt::Key_Return);
    typeHere(QStringLiteral("12"));
    press(Qt::Key_Return);
    typeHere(QStringLiteral("5"));
    press(Qt::Key_Return);
    QCOMPARE(d.Edit3->text(), QStringLiteral("60"));
    press(Qt::Key_Return);
    press(Qt::Key_Return); // "dal" stays 01/01/2004
    d.DateTimePicker2->setDate(QDate(2004, 1, 31));
    press(Qt::Key_Return); // leaving "al " counts the days
    QCOMPARE(focusName(), QStringLiteral("Edit6"));
    QCOMPARE(d.Edit6->text(), QStringLiteral("31"));
    press(Qt::Key_Return);
    press(Qt::Key_Return); // "dalle ore" stays 08:00
    d.DateTimePicker4->setTime(QTime(17, 30));
    press(Qt::Key_Return);
    typeHere(QStringLiteral("cantiere edile"));
    QVERIFY(form_->occupationData == before);
    QVERIFY(reports_.isEmpty());

    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    const OccupationData expected{.location = "Via Roma 12, Napoli",
                                  .purpose = "ponteggio",
                                  .firstSide = "12",
                                  .secondSide = "5",
                                  .area = "60",
                                  .firstDay = "01/01/2004",
                                  .lastDay = "31/01/2004",
                                  .days = "31",
                                  .startHour = "08:00",
                                  .endHour = "17:30",
                                  .kind = "cantiere edile"};
    QCOMPARE(form_->occupationData, expected);
    QCOMPARE(reports_.size(), 1);
    QCOMPARE(reports_.first().name, QStringLiteral("occupazione"));
    QCOMPARE(reports_.first().occupation, expected);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrOk));
}

void DocumentDialogsTest::occupationReopensWithInitialValues() {
    {
        OccupationDialog d(&owner_, *form_);
        QVERIFY(showActive(d));
        type(d.Edit4, QStringLiteral("Piazza Dante"));
        type(d.Edit1, QStringLiteral("3"));
        type(d.Edit2, QStringLiteral("4"));
        d.Edit7->setFocus(Qt::TabFocusReason); // leaving Edit2 computes the area
        d.DateTimePicker1->setDate(QDate(2004, 5, 1));
        d.DateTimePicker3->setTime(QTime(9, 15));
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    }
    const OccupationData confirmed = form_->occupationData;
    QCOMPARE(confirmed.location, QStringLiteral("Piazza Dante"));
    QCOMPARE(confirmed.area, QStringLiteral("12"));
    QCOMPARE(confirmed.firstDay, QStringLiteral("01/05/2004"));
    QCOMPARE(confirmed.startHour, QStringLiteral("09:15"));

    OccupationDialog again(&owner_, *form_);
    QVERIFY(showActive(again));
    for (QLineEdit* e :
         {again.Edit1, again.Edit2, again.Edit3, again.Edit4, again.Edit5, again.Edit6, again.Edit7})
        QCOMPARE(e->text(), QString());
    QCOMPARE(again.DateTimePicker1->date(), QDate(2004, 1, 1));
    QCOMPARE(again.DateTimePicker2->date(), QDate(2004, 1, 1));
    QCOMPARE(again.DateTimePicker3->time(), QTime(8, 0));
    QCOMPARE(again.DateTimePicker4->time(), QTime(8, 0));
    press(Qt::Key_Escape);
    QCOMPARE(form_->occupationData, confirmed);
}

void DocumentDialogsTest::occupationClosingStoresNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("esci") << false;
    QTest::newRow("Esc") << true;
}

void DocumentDialogsTest::occupationClosingStoresNothing() {
    QFETCH(bool, escape);
    const OccupationData before = filled(kOccupationFields, QStringLiteral("prima"));
    form_->occupationData = before;
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    type(d.Edit4, QStringLiteral("Via Toledo"));
    type(d.Edit1, QStringLiteral("8"));
    if (escape)
        press(Qt::Key_Escape);
    else
        QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrCancel));
    QCOMPARE(form_->occupationData, before);
    QVERIFY(reports_.isEmpty());
}

void DocumentDialogsTest::occupationDigits_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    // A paste is one whole number or nothing.
    QTest::newRow("Edit1") << "Edit1"
                           << "1a2"
                           << "3x4"
                           << "12";
    QTest::newRow("Edit2") << "Edit2"
                           << "5 ,.6"
                           << "-7"
                           << "56";
    QTest::newRow("Edit3") << "Edit3"
                           << "m2"
                           << "mq"
                           << "2";
    QTest::newRow("Edit6") << "Edit6"
                           << "3+1"
                           << "\t9\n"
                           << "319";
    QTest::newRow("Edit4 takes anything") << "Edit4"
                                          << "1a2"
                                          << "3x4"
                                          << "1a23x4";
}

void DocumentDialogsTest::occupationDigits() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    OccupationDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    auto* edit = d.findChild<QLineEdit*>(field);
    QVERIFY(edit);
    type(edit, typed);
    QApplication::clipboard()->setText(pasted);
    press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(focusName(), field);
}

// --- IciDialog -------------------------------------------------------------------------------------

void DocumentDialogsTest::iciPrefill_data() {
    QTest::addColumn<QString>("secondSubUnit");
    QTest::addColumn<QStringList>("property2");
    QTest::newRow("no second sub-unit") << "" << QStringList{"", "", "", "", ""};
    QTest::newRow("second sub-unit") << "8" << QStringList{"VIA Roma 12", "B", "14", "231", "8"};
}

void DocumentDialogsTest::iciPrefill() {
    QFETCH(QString, secondSubUnit);
    QFETCH(QStringList, property2);
    form_->ComboBox1.text = QStringLiteral("VIA");
    form_->Edit10.text = QStringLiteral("Roma");
    form_->Edit11.text = QStringLiteral("12");
    form_->Edit17.text = QStringLiteral("B");
    form_->Edit18.text = QStringLiteral("14");
    form_->Edit19.text = QStringLiteral("231");
    form_->Edit20.text = QStringLiteral("7");
    form_->Edit21.text = secondSubUnit;
    IciDialog d(&owner_, *form_);
    QVERIFY(showActive(d));

    for (int p = 1; p <= 3; ++p) {
        QVERIFY(d.groupBox(p));
        QCOMPARE(d.groupBox(p)->title(), QStringLiteral(" Immobile n°%1 ").arg(p));
    }
    const QStringList property1{"VIA Roma 12", "B", "14", "231", "7"};
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(d.value(1, k), property1.at(k - 1));
        QCOMPARE(d.value(2, k), property2.at(k - 1));
        QCOMPARE(d.value(3, k), QString());
    }
    // Everything else starts blank: category "A/1" with no entry chosen, boxes unticked.
    for (int p = 1; p <= 3; ++p) {
        QCOMPARE(d.comboBox(p)->currentText(), QStringLiteral("A/1"));
        QCOMPARE(d.comboBox(p)->currentIndex(), -1);
        for (int k : {7, 9, 10, 11, 12, 13, 14})
            QCOMPARE(d.value(p, k), QString());
        for (int k : {8, 15, 16, 17, 18})
            QCOMPARE(d.value(p, k), QStringLiteral(" "));
    }
    QCOMPARE(focusName(), QStringLiteral("Edit1"));
}

void DocumentDialogsTest::iciCategories() {
    IciDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    QStringList entries;
    for (int i = 0; i < d.comboBox(1)->count(); ++i)
        entries << d.comboBox(1)->itemText(i);
    QCOMPARE(entries.size(), 51);
    QCOMPARE(entries.mid(0, 12), (QStringList{"A/1", "A/2", "A/3", "A/4", "A/5", "A/6", "A/7", "A/8", "A/9",
                                              "A/10", "A/11", "B/1"}));
    QCOMPARE(entries.mid(17, 2), (QStringList{"B/7", "C/1"}));
    QCOMPARE(entries.mid(24, 2), (QStringList{"C/7", "D/1"}));
    QCOMPARE(entries.mid(36, 2), (QStringList{"D/12", "E/1"}));
    QCOMPARE(entries.mid(45, 2), (QStringList{"E/9", "F/1"}));
    QCOMPARE(entries.last(), QStringLiteral("F/5"));
    for (int p = 2; p <= 3; ++p) {
        QStringList other;
        for (int i = 0; i < d.comboBox(p)->count(); ++i)
            other << d.comboBox(p)->itemText(i);
        QCOMPARE(other, entries);
    }

    // Property 2 picks an entry of its list; property 3 holds typed text of its own.
    d.comboBox(2)->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Down); // A/1 .. A/4, from no entry chosen
    QCOMPARE(d.comboBox(2)->currentText(), QStringLiteral("A/4"));
    d.comboBox(3)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_A, Qt::ControlModifier);
    typeHere(QStringLiteral("Z/9"));
    QCOMPARE(d.comboBox(3)->currentText(), QStringLiteral("Z/9"));
    QCOMPARE(d.comboBox(3)->count(), 51); // typed text is not added to the list
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);

    QCOMPARE(reports_.size(), 1);
    QCOMPARE(form_->iciData[0].category, QStringLiteral("A/1"));
    QCOMPARE(form_->iciData[1].category, QStringLiteral("A/4"));
    QCOMPARE(form_->iciData[2].category, QStringLiteral("Z/9"));
}

void DocumentDialogsTest::iciMarks_data() {
    QTest::addColumn<QList<int>>("ticked"); // CheckBox numbers
    QTest::newRow("none") << QList<int>{};
    QTest::newRow("listed building of property 1") << QList<int>{1};
    QTest::newRow("situation of property 2") << QList<int>{7, 8, 9, 10};
    QTest::newRow("main home of property 3") << QList<int>{15};
    QList<int> all;
    for (int n = 1; n <= 15; ++n)
        all << n;
    QTest::newRow("all") << all;
}

void DocumentDialogsTest::iciMarks() {
    QFETCH(QList<int>, ticked);
    IciDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    for (int n : ticked) {
        d.checkBox(n)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
    }
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    QCOMPARE(d.result(), int(mrOk));
    // CheckBox n of property p stands for the listed building (the first of five) or the
    // situation at 31 December.
    const QString IciProperty::*marks[5] = {&IciProperty::listedBuilding, &IciProperty::owned,
                                            &IciProperty::excludedOrExempt, &IciProperty::reduced,
                                            &IciProperty::mainHome};
    for (int p = 1; p <= 3; ++p)
        for (int i = 0; i < 5; ++i) {
            const int number = (p - 1) * 5 + i + 1;
            const QString expected = ticked.contains(number) ? QStringLiteral("X") : QStringLiteral(" ");
            QCOMPARE(form_->iciData[p - 1].*marks[i], expected);
        }
    QCOMPARE(reports_.size(), 1);
    QCOMPARE(reports_.first().name, QStringLiteral("ici"));
}

void DocumentDialogsTest::iciEnterConfirms_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("address of property 1") << "Edit1";
    QTest::newRow("sub-unit of property 2") << "Edit17";
    QTest::newRow("deduction of property 3") << "Edit36";
    QTest::newRow("category list") << "ComboBox2";
    QTest::newRow("check box") << "CheckBox13";
}

void DocumentDialogsTest::iciEnterConfirms() {
    QFETCH(QString, field);
    form_->ComboBox1.text = QStringLiteral("PIAZZA");
    form_->Edit10.text = QStringLiteral("Dante");
    form_->Edit20.text = QStringLiteral("3");
    IciDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    type(d.edit(9), QStringLiteral("12"));        // property 1, "mesi possesso:"
    type(d.edit(31), QStringLiteral("85000,00")); // property 3, "valore:"
    auto* target = d.findChild<QWidget*>(field);
    QVERIFY(target);
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), field);
    press(Qt::Key_Return);

    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrOk));
    QCOMPARE(reports_.size(), 1);
    QCOMPARE(reports_.first().name, QStringLiteral("ici"));
    IciProperty property2;
    property2.category = QStringLiteral("A/1");
    for (QString* mark : {&property2.listedBuilding, &property2.owned, &property2.excludedOrExempt,
                          &property2.reduced, &property2.mainHome})
        *mark = QStringLiteral(" ");
    IciProperty property1 = property2;
    property1.address = QStringLiteral("PIAZZA Dante "); // no house number
    property1.subUnit = QStringLiteral("3");
    property1.monthsOwned = QStringLiteral("12");
    IciProperty property3 = property2;
    property3.value = QStringLiteral("85000,00");
    const IciData expected{property1, property2, property3};
    QCOMPARE(form_->iciData, expected);
    QCOMPARE(reports_.first().ici, expected);
}

void DocumentDialogsTest::iciEscapeStoresNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc in an edit") << "Edit5" << true;
    QTest::newRow("Esc in a category list") << "ComboBox1" << true;
    QTest::newRow("Esc on a check box") << "CheckBox6" << true;
    QTest::newRow("annulla") << "Edit5" << false;
}

void DocumentDialogsTest::iciEscapeStoresNothing() {
    QFETCH(QString, field);
    QFETCH(bool, escape);
    const IciProperty prima = filled(kIciItems, QStringLiteral("prima"));
    const IciData before{prima, prima, prima};
    form_->iciData = before;
    IciDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    type(d.edit(5), QStringLiteral("9"));
    d.findChild<QWidget*>(field)->setFocus(Qt::TabFocusReason);
    if (escape)
        press(Qt::Key_Escape);
    else
        QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrNo));
    QCOMPARE(form_->iciData, before);
    QVERIFY(reports_.isEmpty());
}

// --- SwornAppraisalDialog
// -------------------------------------------------------------------------------------

void DocumentDialogsTest::sworn_data() {
    QTest::addColumn<QString>("court");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("shownCourt");
    QTest::addColumn<QString>("storedCourt");
    QTest::addColumn<QString>("storedSection");
    QTest::addColumn<bool>("report");
    QTest::newRow("court only") << "napoli"
                                << ""
                                << "NAPOLI"
                                << "NAPOLI"
                                << "" << true;
    QTest::newRow("court and section") << "Santa Maria Capua Vetere"
                                       << "caserta"
                                       << "SANTA MARIA CAPUA VETERE"
                                       << "SANTA MARIA CAPUA VETERE"
                                       << "SEZIONE DISTACCATA DI CASERTA" << true;
    QTest::newRow("accented letters") << "forlì"
                                      << "cesena"
                                      << "FORLÌ"
                                      << "FORLÌ"
                                      << "SEZIONE DISTACCATA DI CESENA" << true;
    QTest::newRow("no court") << ""
                              << "ischia"
                              << ""
                              << "ROMA"
                              << "" << false;
    QTest::newRow("nothing") << ""
                             << ""
                             << ""
                             << "ROMA"
                             << "" << false;
}

void DocumentDialogsTest::sworn() {
    QFETCH(QString, court);
    QFETCH(QString, section);
    QFETCH(QString, shownCourt);
    QFETCH(QString, storedCourt);
    QFETCH(QString, storedSection);
    QFETCH(bool, report);
    form_->swornCourt = QStringLiteral("ROMA");
    form_->swornSection = QStringLiteral("SEZIONE DISTACCATA DI OSTIA");
    SwornAppraisalDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    QCOMPARE(focusName(), QStringLiteral("Edit1"));
    typeHere(court);
    QCOMPARE(d.Edit1->text(), shownCourt);
    press(Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("Edit2"));
    typeHere(section);
    QCOMPARE(d.Edit2->text(), section.toUpper());
    press(Qt::Key_Return); // the default button

    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrOk));
    QCOMPARE(form_->swornCourt, storedCourt);
    QCOMPARE(form_->swornSection, storedSection);
    QCOMPARE(reports_.size(), report ? 1 : 0);
    if (report) {
        QCOMPARE(reports_.first().name, QStringLiteral("giurata"));
        QCOMPARE(reports_.first().court, storedCourt);
        QCOMPARE(reports_.first().section, storedSection);
    }
    QVERIFY(MessageWindows::shownMessages().isEmpty());
}

void DocumentDialogsTest::swornClosingStoresNothing() {
    form_->swornCourt = QStringLiteral("ROMA");
    form_->swornSection = QStringLiteral("SEZIONE DISTACCATA DI OSTIA");
    SwornAppraisalDialog d(&owner_, *form_);
    QVERIFY(showActive(d));
    typeHere(QStringLiteral("milano"));
    press(Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(mrCancel));
    QCOMPARE(form_->swornCourt, QStringLiteral("ROMA"));
    QCOMPARE(form_->swornSection, QStringLiteral("SEZIONE DISTACCATA DI OSTIA"));
    QVERIFY(reports_.isEmpty());
}

QTEST_MAIN(DocumentDialogsTest)
#include "gui_test_document_dialogs.moc"
