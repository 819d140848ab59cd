// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Windows of the parameter tables (Form2..Form5) and of the technician (Form8), driven with
// real key and mouse events over a start-up directory holding a copy of the shipped files.
#include "calc/practice_form.h"
#include "ui/common/message_windows.h"
#include "ui/tables/table_editor.h"
#include "ui/tables/technician_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quadrelo;

Q_DECLARE_METATYPE(quadrelo::Table)

namespace {

using P = PracticeForm;

const QString kQuestion = QStringLiteral("Salvare le modifiche apportate ai parametri?");

// The shipped contents of the four tables, in file order.
const QStringList shippedA{"15,00", "30,00", "60,00", "90,00", "10,00", "20,00", "40,00", "60,00", "7,50",
                           "15,00", "30,00", "45,00", "10,00", "20,00", "40,00", "60,00", "5,00",  "7,50"};
const QStringList shippedB{"45,00",  "90,00",  "180,00", "270,00", "30,00", "60,00",
                           "120,00", "180,00", "22,50",  "45,00",  "90,00", "135,00",
                           "30,00",  "60,00",  "120,00", "180,00", "15,00", "22,50"};
const QStringList shippedC{"150,00", "100,00",  "80,00",   "100,00", "80,00",
                           "60,00",  "3500,00", "1700,00", "516,00"};
const QStringList shippedD{"38,00", "55,00", "71,00", "89,00", "18,00", "27,00", "36,00", "45,00"};

QStringList shipped(Table t) {
    switch (t) {
    case Table::A:
        return shippedA;
    case Table::B:
        return shippedB;
    case Table::C:
        return shippedC;
    case Table::D:
        break;
    }
    return shippedD;
}

QString fileOf(Table t) {
    switch (t) {
    case Table::A:
        return "taba.dat";
    case Table::B:
        return "tabb.dat";
    case Table::C:
        return "tabc.dat";
    case Table::D:
        break;
    }
    return "tabd.dat";
}

// The variables and main-window captions of Tabelle C and D, in file order.
const QList<double P::*> variablesC{&P::oblationRateNonResidential1,
                                    &P::oblationRateNonResidential2,
                                    &P::oblationRateNonResidential3,
                                    &P::oblationRateResidential1,
                                    &P::oblationRateResidential2,
                                    &P::oblationRateResidential3,
                                    &P::oblationFixed4,
                                    &P::oblationFixed5,
                                    &P::oblationFixed6};
const QList<double P::*> variablesD{&P::advanceRateNew1,           &P::advanceRateNew2,
                                    &P::advanceRateNew3,           &P::advanceRateNew4,
                                    &P::advanceRateRestructuring1, &P::advanceRateRestructuring2,
                                    &P::advanceRateRestructuring3, &P::advanceRateRestructuring4};
const QStringList captionsC{"Label53", "Label57", "Label61", "Label35", "Label39",
                            "Label43", "Label76", "Label80", "Label84"};
const QStringList captionsD{"Label90",  "Label94",  "Label98",  "Label105",
                            "Label104", "Label109", "Label112", "Label117"};

QList<double> memoryOf(PracticeForm& form, Table t) {
    QList<double> values;
    switch (t) {
    case Table::A:
        values = QList<double>(form.tableA, form.tableA + 18);
        break;
    case Table::B:
        values = QList<double>(form.tableB, form.tableB + 18);
        break;
    case Table::C:
        for (auto v : variablesC)
            values << form.*v;
        break;
    case Table::D:
        for (auto v : variablesD)
            values << form.*v;
        break;
    }
    return values;
}

QStringList captionsOf(PracticeForm& form, Table t) {
    QStringList texts;
    for (const QString& name : t == Table::C ? captionsC : t == Table::D ? captionsD : QStringList())
        texts << form.caption(name)->text;
    return texts;
}

// The values a file of number-text lines stands for, read independently of the program.
QList<double> numbersOf(const QStringList& lines) {
    QList<double> values;
    for (QString line : lines)
        values << line.replace(',', '.').toDouble();
    return values;
}

QByteArray fileBytes(const QStringList& lines) {
    QByteArray bytes = "NON MODIFICARE MANUALMENTE QUESTO FILE!!!\r\n";
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

std::unique_ptr<TableEditor> makeEditor(Table t, PracticeForm& form) {
    return std::make_unique<TableEditor>(t, nullptr, form);
}

// A start-up directory holding a fresh copy of the shipped files, and the practice bound to it.
struct Workspace {
    QTemporaryDir temp;
    QString dir;
    PracticeForm form;

    Workspace() {
        dir = temp.path() + "/avvio";
        QDir().mkpath(dir);
        const QDir data(QStringLiteral(QUADRELO_SOURCE_DIR "/data"));
        for (const QString& name : data.entryList({"*.dat"}, QDir::Files))
            QFile::copy(data.filePath(name), dir + "/" + name);
        form.startDirectory = dir;
    }
    ~Workspace() { QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }

    QString path(const QString& name) const { return dir + "/" + name; }
    QByteArray bytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& content) const {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
};

// Shows a window as its command does and lets its activation finish, error box included.
void open(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    QCoreApplication::processEvents();
}

// Key by key, as the keyboard sends them; letters outside ASCII carry only their text.
void typeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeKeys(edit, text);
}

void pasteInto(QLineEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void pressEnter(QWidget* window) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, Qt::Key_Return);
}

void unprotect(TableEditor& editor) {
    QTest::mouseClick(editor.CheckBox1, Qt::LeftButton, {}, QPoint(8, editor.CheckBox1->height() / 2));
    QVERIFY(!editor.CheckBox1->isChecked());
}

QStringList errorsShown() {
    QStringList errors = MessageWindows::shownMessages();
    errors.removeAll(kQuestion);
    return errors;
}

void addTableRows() {
    QTest::addColumn<Table>("table");
    QTest::newRow("Tabella A") << Table::A;
    QTest::newRow("Tabella B") << Table::B;
    QTest::newRow("Tabella C") << Table::C;
    QTest::newRow("Tabella D") << Table::D;
}

} // namespace

class EditorsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MessageWindows::setTestMode(true); }
    void init() {
        MessageWindows::setNextAnswers({});
        MessageWindows::clearShown();
    }

    void protectionLocksBoxesAndSave_data() { addTableRows(); }
    void protectionLocksBoxesAndSave();
    void boxesStandInTheirTableCells_data();
    void boxesStandInTheirTableCells();
    void boxesTakeNumberTextOnly_data();
    void boxesTakeNumberTextOnly();
    void enterWalksTheBoxesInOrder_data() { addTableRows(); }
    void enterWalksTheBoxesInOrder();
    void confirmedSaveWritesFileMemoryAndCaptions_data();
    void confirmedSaveWritesFileMemoryAndCaptions();
    void answerNoChangesNothing_data() { addTableRows(); }
    void answerNoChangesNothing();
    void boxThatIsNoNumberStopsTheSave_data();
    void boxThatIsNoNumberStopsTheSave();
    void failedWriteChangesNothing_data();
    void failedWriteChangesNothing();
    void missingFileShowsShippedValuesAndSaveRecreatesIt_data() { addTableRows(); }
    void missingFileShowsShippedValuesAndSaveRecreatesIt();
    void leavingWithoutSaving_data();
    void leavingWithoutSaving();

    void technicianFieldsTakeUpperCase_data();
    void technicianFieldsTakeUpperCase();
    void technicianOpensWithTheFileVerbatim();
    void technicianMissingFileGivesEmptyDialog();
    void technicianSaveWritesTwelveLines_data();
    void technicianSaveWritesTwelveLines();
    void technicianEnterOrder();
    void technicianFailedSaveKeepsTheDialog_data();
    void technicianFailedSaveKeepsTheDialog();
    void technicianLeavingWithoutSaving_data();
    void technicianLeavingWithoutSaving();
};

void EditorsTest::protectionLocksBoxesAndSave() {
    QFETCH(Table, table);
    Workspace ws;
    auto editor = makeEditor(table, ws.form);
    open(*editor);

    auto boxesEnabled = [&](bool enabled) {
        for (int k = 1; k <= editor->boxCount(); ++k)
            if (editor->box(k)->isEnabled() != enabled) return false;
        return editor->BitBtn1->isEnabled() == enabled;
    };
    QVERIFY(editor->CheckBox1->isChecked());
    QVERIFY(boxesEnabled(false));
    QVERIFY(editor->BitBtn2->isEnabled());

    unprotect(*editor);
    QVERIFY(boxesEnabled(true));

    // The keyboard toggles it too.
    editor->CheckBox1->setFocus();
    QTest::keyClick(editor->CheckBox1, Qt::Key_Space);
    QVERIFY(editor->CheckBox1->isChecked());
    QVERIFY(boxesEnabled(false));
    QVERIFY(editor->BitBtn2->isEnabled());

    // A new window starts protected again.
    editor.reset();
    auto again = makeEditor(table, ws.form);
    open(*again);
    QVERIFY(again->CheckBox1->isChecked());
    QVERIFY(!again->box(1)->isEnabled());
}

void EditorsTest::boxesStandInTheirTableCells_data() {
    // Boxes in one row (same height, left to right) and in one column (same x, top to bottom).
    QTest::addColumn<Table>("table");
    QTest::addColumn<QList<QList<int>>>("rows");
    QTest::addColumn<QList<QList<int>>>("columns");
    QTest::newRow("Tabella A")
        << Table::A
        << QList<QList<int>>{{1, 5, 9, 13, 17, 18}, {2, 6, 10, 14}, {3, 7, 11, 15}, {4, 8, 12, 16}}
        << QList<QList<int>>{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
    QTest::newRow("Tabella B") << Table::B << QList<QList<int>>{{1, 5, 9, 13, 17, 18}, {4, 8, 12, 16}}
                               << QList<QList<int>>{{1, 2, 3, 4}, {13, 14, 15, 16}};
    QTest::newRow("Tabella C") << Table::C << QList<QList<int>>{{1, 4}, {2, 5}, {3, 6}}
                               << QList<QList<int>>{{1, 2, 3, 7, 8, 9}, {4, 5, 6}};
    QTest::newRow("Tabella D") << Table::D << QList<QList<int>>{{1, 5}, {2, 6}, {3, 7}, {4, 8}}
                               << QList<QList<int>>{{1, 2, 3, 4}, {5, 6, 7, 8}};
}

void EditorsTest::boxesStandInTheirTableCells() {
    QFETCH(Table, table);
    QFETCH(QList<QList<int>>, rows);
    QFETCH(QList<QList<int>>, columns);
    Workspace ws;
    auto editor = makeEditor(table, ws.form);
    open(*editor);

    QCOMPARE(editor->boxCount(), shipped(table).size());
    for (int k = 1; k <= editor->boxCount(); ++k) {
        QCOMPARE(editor->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k)), editor->box(k));
        QVERIFY(editor->box(k)->isVisible());
    }
    QVERIFY(!editor->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(editor->boxCount() + 1)));

    auto at = [&](int k) { return editor->box(k)->mapTo(editor.get(), QPoint(0, 0)); };
    for (const QList<int>& row : rows)
        for (int i = 1; i < row.size(); ++i) {
            QCOMPARE(at(row[i]).y(), at(row[0]).y());
            QVERIFY2(at(row[i]).x() > at(row[i - 1]).x(), qPrintable(QStringLiteral("Edit%1").arg(row[i])));
        }
    for (const QList<int>& column : columns)
        for (int i = 1; i < column.size(); ++i) {
            QCOMPARE(at(column[i]).x(), at(column[0]).x());
            QVERIFY2(at(column[i]).y() > at(column[i - 1]).y(),
                     qPrintable(QStringLiteral("Edit%1").arg(column[i])));
        }
}

void EditorsTest::boxesTakeNumberTextOnly_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    // One row: what the box holds first, keys typed, text pasted, what it holds afterwards.
    auto row = [](const char* name, const char* start, const char* typed, const char* pasted,
                  const char* expected) {
        QTest::newRow(name) << QString(start) << QString(typed) << QString(pasted) << QString(expected);
    };
    row("point becomes comma", "", "1.5", "", "1,5");
    row("second comma refused", "", "1,5,3", "", "1,53");
    row("point after a comma refused", "", "1,5.3", "", "1,53");
    row("letters refused", "", "a1b2c", "", "12");
    row("sign and space refused", "", "-3 4", "", "34");
    row("comma refused after the file's comma", "3,5", ",7", "", "3,57");
    row("pasted point becomes comma", "", "", "12.5", "12,5");
    // A pasted text is one number, taken whole, or refused whole.
    row("pasted two commas refused", "", "", "1,2,3", "");
    row("pasted letters refused", "", "", "x7y", "");
    row("pasted grouping read", "", "", "1.234,5", "1234,5");
    row("pasted comma into a box with one refused", "3,5", "", ",7", "3,5");
    row("pasted line break refused", "", "", "4\r\n2", "");
}

void EditorsTest::boxesTakeNumberTextOnly() {
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    Workspace ws;
    for (Table table : {Table::A, Table::D}) {
        auto editor = makeEditor(table, ws.form);
        open(*editor);
        unprotect(*editor);
        QLineEdit* box = editor->box(2);
        retype(box, start);
        QCOMPARE(box->text(), start);
        if (!typed.isEmpty()) typeKeys(box, typed);
        if (!pasted.isEmpty()) pasteInto(box, pasted);
        QCOMPARE(box->text(), expected);
        QVERIFY(errorsShown().isEmpty());
    }
}

void EditorsTest::enterWalksTheBoxesInOrder() {
    QFETCH(Table, table);
    Workspace ws;
    const QByteArray before = ws.bytes(fileOf(table));
    auto editor = makeEditor(table, ws.form);
    open(*editor);
    unprotect(*editor);

    // Enter on the protection check box does not reach "modifica".
    editor->CheckBox1->setFocus();
    pressEnter(editor.get());
    QVERIFY(editor->isVisible());

    editor->box(1)->setFocus();
    for (int k = 2; k <= editor->boxCount(); ++k) {
        pressEnter(editor.get());
        QCOMPARE(editor->focusWidget()->objectName(), QStringLiteral("Edit%1").arg(k));
    }
    const QString last = editor->box(editor->boxCount())->text();
    pressEnter(editor.get());
    QCOMPARE(editor->focusWidget(), editor->box(editor->boxCount()));
    QCOMPARE(editor->box(editor->boxCount())->text(), last);
    QVERIFY(editor->isVisible());
    QVERIFY(MessageWindows::shownMessages().isEmpty());
    QCOMPARE(ws.bytes(fileOf(table)), before);
}

void EditorsTest::confirmedSaveWritesFileMemoryAndCaptions_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<QList<int>>("boxes");  // boxes retyped, numbered from 1
    QTest::addColumn<QStringList>("typed"); // what is typed into each
    QTest::addColumn<QStringList>("lines"); // the file's value lines afterwards

    QStringList a = shippedA;
    QTest::newRow("A untouched") << Table::A << QList<int>{} << QStringList{} << a;
    a[8] = "8,5";
    a[0] = "16";
    a[17] = "0,00";
    QTest::newRow("A typed text kept verbatim, empty box written 0,00")
        << Table::A << QList<int>{9, 1, 18} << QStringList{"8.5", "16", ""} << a;
    QStringList b = shippedB;
    b[16] = "16";
    b[3] = "275,";
    QTest::newRow("B zone E and a trailing comma")
        << Table::B << QList<int>{17, 4} << QStringList{"16", "275,"} << b;
    QStringList c = shippedC;
    c[0] = "7,50";
    QTest::newRow("C non-residential typology 1") << Table::C << QList<int>{1} << QStringList{"7.5"} << c;
    c = shippedC;
    c[8] = "0,00";
    c[6] = "3600,00";
    QTest::newRow("C forfait emptied and changed")
        << Table::C << QList<int>{9, 7} << QStringList{"", "3600"} << c;
    QStringList d = shippedD;
    d[7] = "50,00";
    d[0] = "0,00";
    QTest::newRow("D restructuring class 4, new class 1 emptied")
        << Table::D << QList<int>{8, 1} << QStringList{"50", ""} << d;
}

void EditorsTest::confirmedSaveWritesFileMemoryAndCaptions() {
    QFETCH(Table, table);
    QFETCH(QList<int>, boxes);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, lines);
    Workspace ws;
    auto editor = makeEditor(table, ws.form);
    open(*editor);
    unprotect(*editor);
    for (int i = 0; i < boxes.size(); ++i)
        retype(editor->box(boxes[i]), typed[i]);

    MessageWindows::setNextAnswers({mrOk});
    QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);

    QCOMPARE(MessageWindows::shownMessages(), QStringList{kQuestion});
    QVERIFY(!editor->isVisible());
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QCOMPARE(ws.bytes(fileOf(table)).toHex(' '), fileBytes(lines).toHex(' '));
    QCOMPARE(memoryOf(ws.form, table), numbersOf(lines));
    if (table == Table::C || table == Table::D) QCOMPARE(captionsOf(ws.form, table), lines);
}

void EditorsTest::answerNoChangesNothing() {
    QFETCH(Table, table);
    Workspace ws;
    const QByteArray before = ws.bytes(fileOf(table));
    auto editor = makeEditor(table, ws.form);
    open(*editor);
    const QList<double> memory = memoryOf(ws.form, table);
    const QStringList captions = captionsOf(ws.form, table);
    unprotect(*editor);
    retype(editor->box(1), "99");
    retype(editor->box(editor->boxCount()), "");

    MessageWindows::setNextAnswers({mrNo});
    QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);

    QCOMPARE(MessageWindows::shownMessages(), QStringList{kQuestion});
    QVERIFY(!editor->isVisible());
    QCOMPARE(ws.bytes(fileOf(table)), before);
    QCOMPARE(memoryOf(ws.form, table), memory);
    QCOMPARE(captionsOf(ws.form, table), captions);
}

void EditorsTest::boxThatIsNoNumberStopsTheSave_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("bad");
    QTest::newRow("A first box") << Table::A << 1;
    QTest::newRow("A zone F") << Table::A << 18;
    QTest::newRow("B middle box") << Table::B << 9;
    QTest::newRow("C residential 2") << Table::C << 5;
    QTest::newRow("D restructuring 2") << Table::D << 6;
}

void EditorsTest::boxThatIsNoNumberStopsTheSave() {
    QFETCH(Table, table);
    QFETCH(int, bad);
    Workspace ws;
    const QByteArray before = ws.bytes(fileOf(table));
    auto editor = makeEditor(table, ws.form);
    open(*editor);
    const QList<double> memory = memoryOf(ws.form, table);
    const QStringList captions = captionsOf(ws.form, table);
    unprotect(*editor);
    // Boxes before the bad one change too: none of them may reach memory.
    for (int k = 1; k < bad; ++k)
        retype(editor->box(k), "1");
    retype(editor->box(bad), ",");
    QCOMPARE(editor->box(bad)->text(), QStringLiteral(","));

    MessageWindows::setNextAnswers({mrOk});
    QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);

    const QStringList errors = errorsShown();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first(), QStringLiteral("',' non è un valore numerico valido"));
    // The editor stays open with what was typed, for the user to mend the box.
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->box(bad)->text(), QStringLiteral(","));
    QCOMPARE(ws.bytes(fileOf(table)).toHex(' '), before.toHex(' '));
    QCOMPARE(memoryOf(ws.form, table), memory);
    QCOMPARE(captionsOf(ws.form, table), captions);
}

void EditorsTest::failedWriteChangesNothing_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<bool>("readOnly"); // otherwise the folder is moved away while the editor is open
    QTest::newRow("A read-only folder") << Table::A << true;
    QTest::newRow("C read-only folder") << Table::C << true;
    QTest::newRow("B folder gone") << Table::B << false;
    QTest::newRow("D folder gone") << Table::D << false;
}

void EditorsTest::failedWriteChangesNothing() {
    QFETCH(Table, table);
    QFETCH(bool, readOnly);
    Workspace ws;
    const QByteArray before = ws.bytes(fileOf(table));
    auto editor = makeEditor(table, ws.form);
    open(*editor);
    const QList<double> memory = memoryOf(ws.form, table);
    const QStringList captions = captionsOf(ws.form, table);
    unprotect(*editor);
    retype(editor->box(2), "123,4");

    QString folder = ws.dir;
    if (readOnly) {
        QVERIFY(QFile::setPermissions(ws.dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                  QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        QFile probe(ws.path("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("The folder stays writable for this user (root): no write can fail here.");
        }
    } else {
        folder = ws.temp.path() + "/spostata";
        QVERIFY(QDir().rename(ws.dir, folder));
    }

    MessageWindows::setNextAnswers({mrOk});
    QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);

    const QStringList errors = errorsShown();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(fileOf(table)), qPrintable(errors.first()));
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->box(2)->text(), QStringLiteral("123,4"));
    QFile file(folder + "/" + fileOf(table));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 5); // no temporary file left behind
    QCOMPARE(memoryOf(ws.form, table), memory);
    QCOMPARE(captionsOf(ws.form, table), captions);
}

void EditorsTest::missingFileShowsShippedValuesAndSaveRecreatesIt() {
    QFETCH(Table, table);
    Workspace ws;
    QVERIFY(QFile::remove(ws.path(fileOf(table))));
    auto editor = makeEditor(table, ws.form);
    open(*editor);

    const QStringList errors = errorsShown();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(fileOf(table)), qPrintable(errors.first()));
    QStringList shown;
    for (int k = 1; k <= editor->boxCount(); ++k)
        shown << editor->box(k)->text();
    QCOMPARE(shown, shipped(table));

    unprotect(*editor);
    MessageWindows::setNextAnswers({mrOk});
    QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
    QCOMPARE(ws.bytes(fileOf(table)).toHex(' '), fileBytes(shipped(table)).toHex(' '));
    QCOMPARE(memoryOf(ws.form, table), numbersOf(shipped(table)));
}

void EditorsTest::leavingWithoutSaving_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<bool>("escape");
    QTest::newRow("A esci") << Table::A << false;
    QTest::newRow("C Escape") << Table::C << true;
    QTest::newRow("D Escape") << Table::D << true;
}

void EditorsTest::leavingWithoutSaving() {
    QFETCH(Table, table);
    QFETCH(bool, escape);
    Workspace ws;
    const QByteArray before = ws.bytes(fileOf(table));
    auto editor = makeEditor(table, ws.form);
    open(*editor);
    const QList<double> memory = memoryOf(ws.form, table);
    unprotect(*editor);
    retype(editor->box(1), "1");
    if (escape)
        QTest::keyClick(editor->box(1), Qt::Key_Escape);
    else
        QTest::mouseClick(editor->BitBtn2, Qt::LeftButton);

    QVERIFY(!editor->isVisible());
    QCOMPARE(editor->result(), int(QDialog::Rejected));
    QVERIFY(MessageWindows::shownMessages().isEmpty());
    QCOMPARE(ws.bytes(fileOf(table)), before);
    QCOMPARE(memoryOf(ws.form, table), memory);
}

// --- technician ------------------------------------------------------------------------------

void EditorsTest::technicianFieldsTakeUpperCase_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const char* field, const char* typed, const char* pasted,
                  const char* expected) {
        QTest::newRow(name) << QString(field) << QString::fromUtf8(typed) << QString(pasted)
                            << QString::fromUtf8(expected);
    };
    row("name typed", "Edit1", "mario", "", "MARIO");
    row("surname pasted", "Edit2", "", "de rossi", "DE ROSSI");
    row("accented town", "Edit8", "forlì", "", "FORLÌ");
    row("address with spaces", "Edit9", "via roma 1", "", "VIA ROMA 1");
    row("tax code typed with spaces", "Edit5", "rss mra 80a01 h501u", "", "RSSMRA80A01H501U");
    row("tax code stops at 16", "Edit5", "rssmra80a01h501uxyz", "", "RSSMRA80A01H501U");
    row("tax code pasted with spaces", "Edit5", "", "RSS MRA 80A01 H501U", "RSSMRA80A01H501U");
    row("tax code full, paste refused", "Edit5", "rssmra80a01h501u", "zz", "RSSMRA80A01H501U");
}

void EditorsTest::technicianFieldsTakeUpperCase() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    Workspace ws;
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);
    auto* edit = dialog.findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setFocus();
    if (!typed.isEmpty()) typeKeys(edit, typed);
    if (!pasted.isEmpty()) pasteInto(edit, pasted);
    QCOMPARE(edit->text(), expected);
}

void EditorsTest::technicianOpensWithTheFileVerbatim() {
    Workspace ws;
    ws.write("tec.dat", "NON MODIFICARE MANUALMENTE QUESTO FILE!!!\r\nMario\r\nRossi\r\nRoma\r\nRM\r\n"
                        "rss mra\r\n1234\r\nRM\r\nRoma\r\nVia Appia 10\r\n3\r\n02/05/1965\r\n");
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);
    QVERIFY(errorsShown().isEmpty());
    const QStringList expected{"Mario", "Rossi", "Roma", "RM",          "rss mra",
                               "1234",  "RM",    "Roma", "Via Appia 10"};
    QStringList shown;
    for (int k = 1; k <= 9; ++k)
        shown << dialog.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k))->text();
    QCOMPARE(shown, expected);
    QCOMPARE(dialog.ComboBox1->currentText(), QStringLiteral("Ingegneri"));
    QCOMPARE(dialog.DateTimePicker1->date(), QDate(1965, 5, 2));
    QCOMPARE(dialog.DateTimePicker1->text(), QStringLiteral("02/05/1965"));
    // Opening the dialog leaves the record in memory alone.
    QVERIFY(ws.form.technicianFirstName.isEmpty());
}

void EditorsTest::technicianMissingFileGivesEmptyDialog() {
    Workspace ws;
    QVERIFY(QFile::remove(ws.path("tec.dat")));
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);

    const QStringList errors = errorsShown();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("tec.dat"), qPrintable(errors.first()));
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>(QRegularExpression("^Edit\\d$")))
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    QCOMPARE(dialog.ComboBox1->currentIndex(), -1);
    QCOMPARE(dialog.DateTimePicker1->date(), QDate::currentDate());

    typeKeys(dialog.Edit1, "anna");
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ws.bytes("tec.dat").toHex(' '), fileBytes({"ANNA", "", "", "", "", "", "", "", "", "-1",
                                                        QDate::currentDate().toString("dd/MM/yyyy")})
                                                 .toHex(' '));
}

void EditorsTest::technicianSaveWritesTwelveLines_data() {
    QTest::addColumn<int>("registerIndex");
    QTest::addColumn<QString>("officeTown");
    QTest::addColumn<QString>("indexLine");
    QTest::addColumn<QString>("registerName");
    auto row = [](const char* name, int index, const char* town, const char* line, const char* registerName) {
        QTest::newRow(name) << index << QString(town) << QString(line) << QString(registerName);
    };
    row("Geometri", 2, "napoli", "2", "dei Geometri");
    row("Architetti", 0, "napoli", "0", "degli Architetti");
    row("Periti edili", 5, "napoli", "5", "dei Periti edili");
    row("no register, empty office town", -1, "", "-1", "");
}

void EditorsTest::technicianSaveWritesTwelveLines() {
    QFETCH(int, registerIndex);
    QFETCH(QString, officeTown);
    QFETCH(QString, indexLine);
    QFETCH(QString, registerName);
    Workspace ws;
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);
    QCOMPARE(dialog.ComboBox1->currentIndex(), -1); // the shipped file has no register

    const QStringList typed{"mario", "rossi", "caserta",  "ce",        "rssmra70c15b963k",
                            "1234",  "ce",    officeTown, "via roma 1"};
    for (int k = 1; k <= 9; ++k) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k));
        edit->setFocus();
        typeKeys(edit, typed[k - 1]);
    }
    dialog.ComboBox1->setCurrentIndex(registerIndex);
    dialog.DateTimePicker1->setDate(QDate(1970, 3, 15));

    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);

    QVERIFY(errorsShown().isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QStringList lines;
    for (const QString& t : typed)
        lines << t.toUpper();
    lines << indexLine << "15/03/1970";
    QCOMPARE(ws.bytes("tec.dat").toHex(' '), fileBytes(lines).toHex(' '));

    const PracticeForm& f = ws.form;
    QCOMPARE((QStringList{f.technicianFirstName, f.technicianLastName, f.technicianBirthPlace,
                          f.technicianBirthProvince, f.technicianTaxCode, f.technicianRegisterNumber,
                          f.technicianRegisterProvince, f.technicianOfficeTown, f.technicianOfficeAddress}),
             lines.mid(0, 9));
    QCOMPARE(f.technicianRegisterName, registerName);
    QCOMPARE(f.technicianBirthDate, QStringLiteral("15/03/1970"));
}

void EditorsTest::technicianEnterOrder() {
    Workspace ws;
    const QByteArray before = ws.bytes("tec.dat");
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);
    dialog.Edit1->setFocus();
    typeKeys(dialog.Edit1, "mario");
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        pressEnter(&dialog);
        visited << dialog.focusWidget()->objectName();
    }
    QStringList expected{"Edit2", "Edit3", "Edit4", "DateTimePicker1", "Edit5",  "ComboBox1",
                         "Edit6", "Edit7", "Edit8", "Edit9",           "BitBtn1"};
    QCOMPARE(visited, expected);
    // Enter moved the focus only: nothing typed changed, nothing saved, the dialog is open.
    QCOMPARE(dialog.Edit1->text(), QStringLiteral("MARIO"));
    QCOMPARE(dialog.ComboBox1->currentIndex(), -1);
    QVERIFY(dialog.isVisible());
    QCOMPARE(ws.bytes("tec.dat"), before);
}

void EditorsTest::technicianFailedSaveKeepsTheDialog_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("folder gone") << false;
}

void EditorsTest::technicianFailedSaveKeepsTheDialog() {
    QFETCH(bool, readOnly);
    Workspace ws;
    const QByteArray before = ws.bytes("tec.dat");
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);
    dialog.Edit1->setFocus();
    typeKeys(dialog.Edit1, "mario");
    dialog.ComboBox1->setCurrentIndex(3);

    QString folder = ws.dir;
    if (readOnly) {
        QVERIFY(QFile::setPermissions(ws.dir, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(ws.path("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("The folder stays writable for this user (root): no write can fail here.");
        }
    } else {
        folder = ws.temp.path() + "/spostata";
        QVERIFY(QDir().rename(ws.dir, folder));
    }

    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);

    const QStringList errors = errorsShown();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("tec.dat"), qPrintable(errors.first()));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.Edit1->text(), QStringLiteral("MARIO"));
    QCOMPARE(dialog.ComboBox1->currentIndex(), 3);
    QFile file(folder + "/tec.dat");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QVERIFY(ws.form.technicianFirstName.isEmpty());
    QVERIFY(ws.form.technicianRegisterName.isEmpty());
}

void EditorsTest::technicianLeavingWithoutSaving_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("esci") << false;
    QTest::newRow("Escape") << true;
}

void EditorsTest::technicianLeavingWithoutSaving() {
    QFETCH(bool, escape);
    Workspace ws;
    const QByteArray before = ws.bytes("tec.dat");
    TechnicianDialog dialog(nullptr, ws.form);
    open(dialog);
    dialog.Edit1->setFocus();
    typeKeys(dialog.Edit1, "mario");
    if (escape)
        QTest::keyClick(dialog.Edit1, Qt::Key_Escape);
    else
        QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(ws.bytes("tec.dat"), before);
    QVERIFY(ws.form.technicianFirstName.isEmpty());
}

QTEST_MAIN(EditorsTest)
#include "gui_test_editors.moc"
