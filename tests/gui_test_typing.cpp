// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// The main window typed as a user types it: one click on a field, then keys delivered to
// whatever widget has the focus. Also run on the xcb platform by scripts/test-xcb.
#include "app/application_setup.h"
#include "record/catalogue.h"
#include "tables/parameter_tables.h"
#include "test_support.h"
#include "ui/archive/archive_window.h"
#include "ui/common/field_widgets.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/message_windows.h"
#include "ui/common/printer_setup.h"
#include "ui/documents/document_dialogs.h"
#include "ui/documents/report_preview.h"
#include "ui/main/main_window.h"
#include "ui/main/page_control.h"
#include "ui/tables/table_editor.h"
#include "ui/tables/technician_dialog.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace quadrelo;

namespace {

// The designer name of the control that has the focus (a picker's or a list's inner line
// edit counts as the control itself).
QString focusedControl() {
    static const QRegularExpression designer(
        QStringLiteral("^(Edit|ComboBox|DateTimePicker|CheckBox|RadioButton|Memo|GroupBox)\\d+$"));
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (designer.match(w->objectName()).hasMatch()) return w->objectName();
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

QWidget* focused() {
    return QApplication::focusWidget();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused(), key, modifiers);
}

void enter() {
    press(Qt::Key_Return);
}

// Characters as the keyboard sends them, each to the widget that has the focus then.
void type(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(focused(), c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Pastes the clipboard into the focused field the way `how` names.
void paste(const QString& how, const QString& text) {
    if (how == QLatin1String("middle")) {
        QApplication::clipboard()->setText(text, QClipboard::Selection);
        QWidget* target = focused();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(target)) target = spin->findChild<QLineEdit*>();
        QTest::mouseClick(target, Qt::MiddleButton, {}, QPoint(target->width() - 3, target->height() / 2));
        return;
    }
    QApplication::clipboard()->setText(text);
    if (how == QLatin1String("ctrl-v")) {
        press(Qt::Key_V, Qt::ControlModifier);
    } else if (how == QLatin1String("shift-ins")) {
        press(Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        // The menu key, then "Incolla" in the menu it opens (its library's "Paste" untranslated).
        auto* chooser = new QTimer;
        chooser->setInterval(10);
        QObject::connect(chooser, &QTimer::timeout, chooser, [chooser] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible()) return;
            chooser->deleteLater();
            chooser->stop();
            for (QAction* a : menu->actions())
                if (const QString t = a->text().remove(QLatin1Char('&'));
                    t.startsWith(QLatin1String("Incolla")) || t.startsWith(QLatin1String("Paste"))) {
                    menu->setActiveAction(a);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            menu->close();
        });
        chooser->start();
        QPointer<QTimer> waiting(chooser);
        QWidget* field = focused();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                  field->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(field, &menuKey);
        QTRY_VERIFY(waiting.isNull() && !QApplication::activePopupWidget());
        // Without a window manager nobody gives the window back its activation after the menu.
        if (!QTest::qWaitFor([] { return focused() != nullptr; }, 500))
            QApplication::setActiveWindow(field->window());
        QTRY_VERIFY(focused() == field);
    }
}

} // namespace

class TypingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> w;
    QTemporaryDir workDir;

    template <class T> T* get(const QString& name) {
        T* found = w->findChild<T*>(name);
        if (!found) qWarning("missing control %s", qPrintable(name));
        return found;
    }
    QString shown(const QString& name) {
        if (auto* l = w->findChild<QLabel*>(name)) return l->text();
        if (auto* e = w->findChild<QLineEdit*>(name)) return e->text();
        return QStringLiteral("?");
    }

    // The one click: on a tab, then on the field, as the mouse reaches them.
    void clickOn(const QString& name) {
        QWidget* control = w->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        PageControl* pages = w->pageControl();
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(control) && pages->currentIndex() != i)
                QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(i).center());
        QWidget* target = control;
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            target = combo->lineEdit();
        if (qobject_cast<QAbstractSpinBox*>(control)) target = control->findChild<QLineEdit*>();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        QTRY_COMPARE(focusedControl(), name);
    }

    // Tab until the focus reaches a field, as a user does from a tab header.
    void tabTo(const QString& name) {
        for (int i = 0; i < 40 && focusedControl() != name; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusedControl(), name);
    }

    void pageBy(Qt::Key key, int times) {
        for (int i = 0; i < times; ++i)
            press(key, Qt::ControlModifier);
    }

    // The test functions whose rows go on in the window as the row before left it: each row
    // starts from what it types.
    QByteArray openedFor_;
    static bool sharesWindow(const char* function) {
        static const QList<QByteArray> sharing = {"dateRetypedOverItsSelection", "figureClickedOrPastedOver",
                                                  "keyboardReachesEveryField", "dialogsFitTheScreen"};
        return sharing.contains(QByteArray(function));
    }

private slots:
    void initTestCase() { QVERIFY(testing::prepareWindowTests(workDir)); }

    // The rows of the other functions start over in their function's window.
    void init() {
        if (w && openedFor_ == QTest::currentTestFunction() && sharesWindow(QTest::currentTestFunction()))
            return;
        QVERIFY(testing::windowForThisRow(w, openedFor_));
    }

    // The practice of every day, from the applicant's name to the payments.
    void typicalPracticeEndToEnd() {
        clickOn(QStringLiteral("Edit1"));
        type(QStringLiteral("Mario"));
        enter();
        type(QStringLiteral("Rossi"));
        enter();
        type(QStringLiteral("Roma"));
        enter();
        type(QStringLiteral("RM"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker3"));
        type(QStringLiteral("12/05/1960"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("Edit5"));
        type(QStringLiteral("RSSMRA60E12H501E"));
        enter();
        type(QStringLiteral("Roma"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("ComboBox2"));
        type(QStringLiteral("via"));
        enter();
        type(QStringLiteral("Appia"));
        enter();
        type(QStringLiteral("12"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("ComboBox3"));
        type(QStringLiteral("proprietario"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("Edit9"));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageImmobile));
        type(QStringLiteral("Frascati"));
        enter();
        type(QStringLiteral("via"));
        enter();
        type(QStringLiteral("Tuscolana"));
        enter();
        for (const char* text : {"5", "A", "10", "120", "121", "122", "B", "11", "130", "3", "4"}) {
            type(QLatin1String(text));
            enter();
        }
        QCOMPARE(focusedControl(), QStringLiteral("CheckBox1"));
        // A check box reached by Enter shows the focus mark at once.
        QVERIFY(w->testAttribute(Qt::WA_KeyboardFocusChange));
        for (const char* next :
             {"CheckBox2", "RadioButton8", "RadioButton9", "RadioButton12", "RadioButton13"}) {
            enter();
            QCOMPARE(focusedControl(), QLatin1String(next));
        }
        press(Qt::Key_Space); // "da 10.001 a 100.000"
        enter();
        enter();
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker1"));
        QCOMPARE(w->pageControl()->currentIndex(), int(PageIllecito));
        type(QStringLiteral("15/10/2002"));
        enter();
        type(QStringLiteral("20/10/2002"));
        enter();
        type(QStringLiteral("1000"));
        enter();
        type(QStringLiteral("300"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("Memo1"));
        type(QStringLiteral("Ampliamento di un vano"));

        // Attachments: two ticked with the space bar.
        pageBy(Qt::Key_PageDown, PageAllegati - PageIllecito);
        QCOMPARE(w->pageControl()->currentIndex(), int(PageAllegati));
        tabTo(QStringLiteral("CheckBox3"));
        press(Qt::Key_Space);
        tabTo(QStringLiteral("CheckBox4"));
        press(Qt::Key_Space);

        // The oblation: 78 and 36 square metres.
        pageBy(Qt::Key_PageUp, PageAllegati - PageOblazione);
        tabTo(QStringLiteral("Edit40"));
        type(QStringLiteral("78"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("Edit41"));
        type(QStringLiteral("36"));
        QCOMPARE(shown(QStringLiteral("Edit41")), QStringLiteral("36"));
        enter();
        QCOMPARE(shown(QStringLiteral("Edit40")), QStringLiteral("78,00"));
        QCOMPARE(shown(QStringLiteral("Edit41")), QStringLiteral("36,00"));
        QCOMPARE(shown(QStringLiteral("Label34")), QStringLiteral("99,60"));
        QCOMPARE(shown(QStringLiteral("Label36")), QStringLiteral("9960,00"));
        QCOMPARE(shown(QStringLiteral("Label63")), QStringLiteral("9960,00"));

        // The advance: the surface passed on, computed when its field is left.
        pageBy(Qt::Key_PageDown, 1);
        tabTo(QStringLiteral("Edit61"));
        QCOMPARE(shown(QStringLiteral("Edit61")), QStringLiteral("99,60"));
        enter();
        QCOMPARE(shown(QStringLiteral("Label95")), QStringLiteral("5478,00"));

        pageBy(Qt::Key_PageDown, 1);
        QCOMPARE(w->pageControl()->currentIndex(), int(PageRiepilogo));
        const std::pair<const char*, const char*> payments[] = {
            {"Label125", "9960,00"}, {"Label129", "2988,00"}, {"Label126", "2988,00"},
            {"Label134", "6972,00"}, {"Label132", "3486,00"}, {"Label137", "3486,00"},
            {"Label138", "5478,00"}, {"Label142", "1643,40"}, {"Label139", "1643,40"},
            {"Label147", "3834,60"}, {"Label145", "1917,30"}, {"Label150", "1917,30"},
        };
        for (const auto& [label, figure] : payments)
            QCOMPARE(shown(QLatin1String(label)), QLatin1String(figure));

        // What the practice holds is what was typed.
        PracticeForm& f = w->form();
        QCOMPARE(f.Edit1.text, QStringLiteral("MARIO"));
        QCOMPARE(f.Edit5.text, QStringLiteral("RSSMRA60E12H501E"));
        QCOMPARE(f.DateTimePicker3.date, QDate(1960, 5, 12));
        QCOMPARE(f.ComboBox2.text, QStringLiteral("via"));
        QCOMPARE(f.ComboBox1.text, QStringLiteral("via"));
        QCOMPARE(f.Edit14.text, QStringLiteral("120"));
        QVERIFY(f.RadioButton13.checked);
        QCOMPARE(f.DateTimePicker1.date, QDate(2002, 10, 15));
        QCOMPARE(f.DateTimePicker2.date, QDate(2002, 10, 20));
        QCOMPARE(f.Edit23.text, QStringLiteral("300"));
        QCOMPARE(f.Memo1.text, QStringLiteral("Ampliamento di un vano"));
        QVERIFY(f.CheckBox3.checked && f.CheckBox4.checked);
        QCOMPARE(MessageWindows::shownMessages(), QStringList());
    }

    // A date is typed or pasted as written; an impossible one is refused, never changed.
    void datesTypedAndPasted_data() {
        QTest::addColumn<QString>("how"); // "type" or a way of pasting
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("refused");
        const QDate birth(1960, 5, 12);
        const QDate unchanged(1950, 1, 1);
        for (const char* how : {"type", "ctrl-v"}) {
            for (const char* text : {"12/05/1960", "12051960", "12-05-1960", "12.05.1960", "120560"})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(how, text)))
                    << QString::fromLatin1(how) << QString::fromLatin1(text) << birth << false;
            QTest::newRow(qPrintable(QStringLiteral("%1 1/5/1960").arg(how)))
                << QString::fromLatin1(how) << "1/5/1960" << QDate(1960, 5, 1) << false;
        }
        QTest::newRow("shift-ins") << "shift-ins"
                                   << " 12/05/1960\n"
                                   << birth << false;
        QTest::newRow("menu") << "menu"
                              << "12-05-1960" << birth << false;
        QTest::newRow("middle") << "middle"
                                << "12/05/1960" << birth << false;
        QTest::newRow("type 31/02/2003") << "type"
                                         << "31/02/2003" << unchanged << true;
        QTest::newRow("type 12/13/1960") << "type"
                                         << "12/13/1960" << unchanged << true;
        QTest::newRow("ctrl-v 31/02/2003") << "ctrl-v"
                                           << "31/02/2003" << unchanged << true;
        QTest::newRow("ctrl-v lettere") << "ctrl-v"
                                        << "12 maggio 1960" << unchanged << true;
        QTest::newRow("menu 30/02/1960") << "menu"
                                         << "30/02/1960" << unchanged << true;
    }
    void datesTypedAndPasted() {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QFETCH(bool, refused);
        if (how == QLatin1String("middle") && !QApplication::clipboard()->supportsSelection())
            QSKIP("nessuna selezione primaria su questa piattaforma");
        // From the province, Enter to the birth date.
        clickOn(QStringLiteral("Edit22"));
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker3"));
        const int refusalsBefore = refusedEntries();
        if (how == QLatin1String("type"))
            type(text);
        else
            paste(how, text);
        enter();
        // A typed impossible date keeps the user on it; a refused paste was refused at once.
        const bool stays = refused && how == QLatin1String("type");
        QCOMPARE(focusedControl(), stays ? QStringLiteral("DateTimePicker3") : QStringLiteral("Edit5"));
        QCOMPARE(get<QDateEdit>(QStringLiteral("DateTimePicker3"))->date(), date);
        QCOMPARE(w->form().DateTimePicker3.date, date);
        QCOMPARE(get<QDateEdit>(QStringLiteral("DateTimePicker3"))->text(),
                 date.toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(refusedEntries() > refusalsBefore, refused);
    }

    // The completion date is checked when typed, as when picked.
    void typedCompletionDateChecked_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QDate>("after");
        QTest::newRow("15/10/2002") << "15/10/2002" << false << QDate(2002, 10, 15);
        QTest::newRow("31/03/2003") << "31032003" << false << QDate(2003, 3, 31);
        QTest::newRow("01/04/2003") << "1/4/2003" << true << QDate(2003, 3, 31);
        QTest::newRow("15/10/2004") << "15-10-2004" << true << QDate(2003, 3, 31);
    }
    void typedCompletionDateChecked() {
        QFETCH(QString, typed);
        QFETCH(bool, warned);
        QFETCH(QDate, after);
        clickOn(QStringLiteral("DateTimePicker1"));
        press(Qt::Key_A, Qt::ControlModifier);
        type(typed);
        enter();
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker2"));
        const QStringList expected =
            warned ? QStringList{QStringLiteral("Le opere sono condonabili se ultimate entro il 31/03/2003.")}
                   : QStringList{};
        QCOMPARE(MessageWindows::shownMessages(), expected);
        QCOMPARE(w->form().DateTimePicker1.date, after);
        QCOMPARE(get<QDateEdit>(QStringLiteral("DateTimePicker1"))->date(), after);
    }

    // One Tab leaves a date picker; Left and Right move between its parts.
    void oneTabLeavesADate() {
        clickOn(QStringLiteral("Edit22"));
        enter();
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        type(QStringLiteral("1960"));
        press(Qt::Key_Tab);
        QCOMPARE(focusedControl(), QStringLiteral("Edit5"));
        QCOMPARE(w->form().DateTimePicker3.date, QDate(1960, 1, 1));
        press(Qt::Key_Backtab);
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker3"));
    }

    // The whole window, its menu included, is on the screen at any scale; the pages scroll
    // inside it. With QUADRELO_SHOTS set, pictures of the screen are saved there.
    void windowFitsTheScreen() {
        const QRect room = w->screen()->availableGeometry();
        QVERIFY2(room.contains(w->frameGeometry()), qPrintable(QStringLiteral("finestra %1x%2, schermo %3x%4")
                                                                   .arg(w->frameGeometry().width())
                                                                   .arg(w->frameGeometry().height())
                                                                   .arg(room.width())
                                                                   .arg(room.height())));
        QWidget* menu = w->menuWidget();
        QVERIFY(menu && menu->isVisible());
        QVERIFY(room.contains(QRect(menu->mapToGlobal(QPoint(0, 0)), menu->size())));
        const QString dir = qEnvironmentVariable("QUADRELO_SHOTS");
        if (dir.isEmpty()) return;
        QDir().mkpath(dir);
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
        for (int page : {int(PageRichiedente), int(PageOblazione), int(PageRiepilogo)}) {
            QTest::mouseClick(w->pageControl()->tabBar(), Qt::LeftButton, {},
                              w->pageControl()->tabBar()->tabRect(page).center());
            QTest::qWait(200);
            QVERIFY(w->screen()->grabWindow(0).save(
                QStringLiteral("%1/schermo-%2-pagina%3.png").arg(dir, scale).arg(page + 1)));
        }
        PrinterSetupDialog printer(reportPrinter(), w.get());
        printer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&printer));
        QVERIFY(printer.grab().save(QStringLiteral("%1/imposta-stampante-%2.png").arg(dir, scale)));
    }

    // A date selected whole while it is being typed is typed over, in every picker.
    void dateRetypedOverItsSelection_data() {
        QTest::addColumn<QString>("from"); // the field whose Enter leads to the picker
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("selection");
        for (const char* how : {"ctrl-a", "shift-home", "home shift-end"}) {
            QTest::addRow("nascita, %s", how) << "Edit22"
                                              << "DateTimePicker3"
                                              << "Edit5" << how;
            QTest::addRow("abuso, %s", how) << "DateTimePicker1"
                                            << "DateTimePicker2"
                                            << "Edit24" << how;
        }
    }
    void dateRetypedOverItsSelection() {
        QFETCH(QString, from);
        QFETCH(QString, picker);
        QFETCH(QString, next);
        QFETCH(QString, selection);
        clickOn(from);
        enter();
        QCOMPARE(focusedControl(), picker);
        const int refusalsBefore = refusedEntries();
        type(QStringLiteral("12/05/1906"));
        if (selection == QLatin1String("ctrl-a")) {
            press(Qt::Key_A, Qt::ControlModifier);
        } else if (selection == QLatin1String("shift-home")) {
            press(Qt::Key_Home, Qt::ShiftModifier);
        } else {
            press(Qt::Key_Home);
            press(Qt::Key_End, Qt::ShiftModifier);
        }
        type(QStringLiteral("12/05/1960"));
        QCOMPARE(refusedEntries(), refusalsBefore);
        enter();
        QCOMPARE(focusedControl(), next);
        QCOMPARE(w->form().datePicker(picker)->date, QDate(1960, 5, 12));
        QCOMPARE(get<QDateEdit>(picker)->text(), QStringLiteral("12/05/1960"));
    }

    // The first click into a figure selects it whole, so that typing replaces it; a middle
    // click replaces it with the selection when that is a number, and is refused otherwise.
    void figureClickedOrPastedOver_data() {
        QTest::addColumn<QString>("held"); // typed and left before
        QTest::addColumn<QString>("how");  // "click", "second click", "middle" or a paste over the click
        QTest::addColumn<QString>("text"); // typed after the click, or pasted
        QTest::addColumn<QString>("shown");
        QTest::newRow("clic, 78 su 0,00") << "0"
                                          << "click"
                                          << "78"
                                          << "78";
        QTest::newRow("secondo clic al cursore") << "0"
                                                 << "second click"
                                                 << "1"
                                                 << "10,00";
        QTest::newRow("centrale, 78 su 0,00") << "0"
                                              << "middle"
                                              << "78"
                                              << "78";
        QTest::newRow("centrale, 7 su 10,00") << "10"
                                              << "middle"
                                              << "7"
                                              << "7";
        QTest::newRow("centrale, migliaia") << "10"
                                            << "middle"
                                            << "1.234,5"
                                            << "1234,5";
        QTest::newRow("centrale, lettere rifiutate") << "10"
                                                     << "middle"
                                                     << "7 mq"
                                                     << "10,00";
        for (const char* how : {"ctrl-v", "menu"})
            QTest::addRow("%s su tutta la cifra selezionata", how) << "10" << how << "1,5"
                                                                   << "1,5";
        QTest::newRow("centrale, terzo decimale rifiutato") << "0"
                                                            << "middle"
                                                            << "0,125"
                                                            << "0,00";
    }
    void figureClickedOrPastedOver() {
        QFETCH(QString, held);
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        if (how == QLatin1String("middle") && !QApplication::clipboard()->supportsSelection())
            QSKIP("nessuna selezione primaria su questa piattaforma");
        const QString figure = QStringLiteral("Edit40");
        clickOn(figure);
        press(Qt::Key_A, Qt::ControlModifier); // the field may have had the focus already
        type(held);
        enter(); // on to Edit41, the figure written back
        QCOMPARE(focusedControl(), QStringLiteral("Edit41"));
        auto* edit = get<QLineEdit>(figure);
        const QPoint start(4, edit->height() / 2);
        const QString before = edit->text();
        const int refusalsBefore = refusedEntries();
        if (how == QLatin1String("middle")) {
            QApplication::clipboard()->setText(text, QClipboard::Selection);
            QTest::mouseClick(edit, Qt::MiddleButton, {}, start);
        } else if (how != QLatin1String("click") && how != QLatin1String("second click")) {
            clickOn(figure);
            paste(how, text);
        } else {
            clickOn(figure);
            if (how == QLatin1String("second click")) QTest::mouseClick(edit, Qt::LeftButton, {}, start);
            type(text);
        }
        QCOMPARE(edit->text(), shown);
        QCOMPARE(w->form().edit(figure)->text, shown);
        QCOMPARE(refusedEntries() > refusalsBefore, shown == before);
    }

    // Tab from the tab header reaches the page's first field, Shift+Tab comes back; Alt and a
    // tab's letter bring its page; Alt and a caption's letter reach its field. No letter
    // serves twice on a page.
    void keyboardReachesEveryField_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("captioned"); // a field reached by its caption's letter
        const char* fields[PageCount] = {"Edit5", "Edit9", "Edit23", "", "", "", "", "Edit33", ""};
        for (int page = 0; page < PageCount; ++page)
            QTest::addRow("%s", qPrintable(pageTitles().at(page)))
                << page << QString::fromLatin1(fields[page]);
    }
    void keyboardReachesEveryField() {
        QFETCH(int, page);
        QFETCH(QString, captioned);
        PageTabBar* bar = w->pageControl()->tabBar();
        if (page == 0) QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        // The tab's own letter brings its page, from wherever the row before left the focus.
        QHash<QChar, QString> letters;
        auto claim = [&letters](const QString& text, const QString& owner) {
            for (qsizetype i = 0; i + 1 < text.size(); ++i)
                if (text.at(i) == QLatin1Char('&') && text.at(i + 1) != QLatin1Char('&')) {
                    const QChar c = text.at(i + 1).toLower();
                    QVERIFY2(!letters.contains(c),
                             qPrintable(
                                 QStringLiteral("%1 e %2: Alt+%3").arg(letters.value(c), owner, QString(c))));
                    letters.insert(c, owner);
                    return;
                }
        };
        for (QAction* menu : w->menuBar()->actions())
            claim(menu->text(), menu->text());
        QChar tabLetter;
        for (int i = 0; i < PageCount; ++i) {
            const QString marked = bar->tabMnemonic(i);
            claim(marked, marked);
            if (i == page) tabLetter = marked.at(marked.indexOf(QLatin1Char('&')) + 1);
        }
        QVERIFY(!tabLetter.isNull());
        QTest::keyClick(focused(), tabLetter.toLower().toLatin1(), Qt::AltModifier);
        QCOMPARE(w->pageControl()->currentIndex(), page);
        QCOMPARE(focused(), static_cast<QWidget*>(bar));

        // One Tab onto a field of the page (a page of figures only has none: the header keeps
        // it), one Shift+Tab back to the header.
        press(Qt::Key_Tab);
        QWidget* first = focused();
        if (page != PageRiepilogo)
            QVERIFY2(w->pageControl()->widget(page)->isAncestorOf(first) && !focusedControl().isEmpty() &&
                         first->isVisible(),
                     qPrintable(first->objectName()));
        else
            QCOMPARE(first, static_cast<QWidget*>(bar));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), static_cast<QWidget*>(bar));

        // Each caption's letter reaches its field, unique on its page.
        QWidget* pageWidget = w->pageControl()->widget(page);
        int reached = 0;
        for (QLabel* label : pageWidget->findChildren<QLabel*>()) {
            if (!label->buddy() || !label->isVisible()) continue;
            const QString text = label->text();
            claim(text, text);
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0, qPrintable(text));
            if (!label->buddy()->isEnabled() || !label->isEnabled()) continue;
            QTest::keyClick(focused(), text.at(at + 1).toLower().toLatin1(), Qt::AltModifier);
            QVERIFY2(focused() == label->buddy() || label->buddy()->isAncestorOf(focused()),
                     qPrintable(text));
            if (label->buddy()->objectName() == captioned) ++reached;
        }
        QCOMPARE(reached, captioned.isEmpty() ? 0 : 1);
    }

    // Every window opens within the screen, its buttons in reach; what does not fit scrolls.
    // With QUADRELO_SHOTS set, pictures of the screen are saved there.
    void dialogsFitTheScreen_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : {"archivio", "tecnico", "occupazione", "ici", "tabella-a"})
            QTest::newRow(name) << name;
    }
    void dialogsFitTheScreen() {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> d;
        if (window == QLatin1String("archivio")) {
            auto* archive = new ArchiveWindow(workDir.path(), w.get());
            archive->reload(w->form());
            d.reset(archive);
        } else if (window == QLatin1String("tecnico")) {
            d = std::make_unique<TechnicianDialog>(w.get(), w->form());
        } else if (window == QLatin1String("occupazione")) {
            d = std::make_unique<OccupationDialog>(w.get(), w->form());
        } else if (window == QLatin1String("ici")) {
            d = std::make_unique<IciDialog>(w.get(), w->form());
        } else {
            d = std::make_unique<TableEditor>(Table::A, w.get(), w->form());
        }
        d->setWindowModality(Qt::NonModal);
        QVERIFY(testing::showActive(d.get()));
        const QRect room = d->screen()->availableGeometry();
        QVERIFY2(room.contains(d->frameGeometry()), qPrintable(QStringLiteral("finestra %1x%2, schermo %3x%4")
                                                                   .arg(d->frameGeometry().width())
                                                                   .arg(d->frameGeometry().height())
                                                                   .arg(room.width())
                                                                   .arg(room.height())));
        for (QPushButton* button : d->findChildren<QPushButton*>()) {
            if (!button->isVisible()) continue;
            QVERIFY2(room.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())),
                     qPrintable(button->text()));
            QVERIFY2(d->rect().contains(QRect(button->mapTo(d.get(), QPoint(0, 0)), button->size())),
                     qPrintable(button->text()));
        }
        const QString dir = qEnvironmentVariable("QUADRELO_SHOTS");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            QTest::qWait(300);
            const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
            QVERIFY(d->screen()->grabWindow(0).save(QStringLiteral("%1/%2-%3.png").arg(dir, window, scale)));
        }
    }

    // "Apri", "Salva con nome" and "Esporta PDF" open in the open practice's folder, else in
    // the folder last used, else in the work folder.
    void dialogsStartInThePracticeFolder_data() {
        QTest::addColumn<QString>("practice"); // "" none, "gone" in a folder removed since
        QTest::addColumn<bool>("lastUsed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pratica aperta") << "pratiche/a.qdr" << true << "pratiche";
        QTest::newRow("ultima usata") << "" << true << "ultima";
        QTest::newRow("cartella della pratica sparita") << "gone" << true << "ultima";
        QTest::newRow("cartella di lavoro") << "" << false << "lavoro";
    }
    void dialogsStartInThePracticeFolder() {
        QFETCH(QString, practice);
        QFETCH(bool, lastUsed);
        QFETCH(QString, expected);
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir root;
        for (const char* folder : {"pratiche", "ultima", "lavoro"})
            QVERIFY(QDir(root.path()).mkpath(QLatin1String(folder)));
        QSettings settings(QStringLiteral("Quadrelo"), QStringLiteral("Quadrelo 2004"));
        settings.remove(QStringLiteral("cartelle/ultima"));
        if (lastUsed)
            settings.setValue(QStringLiteral("cartelle/ultima"), root.filePath(QStringLiteral("ultima")));
        settings.sync();
        const QString file = practice.isEmpty()   ? QStringLiteral("-1")
                             : practice == "gone" ? root.filePath(QStringLiteral("tolta/a.qdr"))
                                                  : root.filePath(practice);
        FileDialogs::setPractice(file, root.filePath(QStringLiteral("lavoro")));
        QCOMPARE(QDir(FileDialogs::startFolder()), QDir(root.filePath(expected)));
        settings.remove(QStringLiteral("cartelle/ultima"));
    }

    // A pasted number is taken whole in the field's own form, or refused whole.
    void numbersPastedWholeOrRefused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before"); // typed first; the paste goes at its end
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        const char* ways[] = {"ctrl-v", "shift-ins", "menu", "middle"};
        for (const char* how : ways) {
            const QString h = QString::fromLatin1(how);
            QTest::newRow(qPrintable(h + " migliaia e virgola")) << "Edit40"
                                                                 << "" << h << "1.234,50"
                                                                 << "1234,50";
            QTest::newRow(qPrintable(h + " lettera rifiutata")) << "Edit40"
                                                                << "7" << h << "12a"
                                                                << "7";
            QTest::newRow(qPrintable(h + " frazione negli interi")) << "Edit24"
                                                                    << "3" << h << "2,5"
                                                                    << "3";
        }
        QTest::newRow("virgola") << "Edit40"
                                 << ""
                                 << "ctrl-v"
                                 << "1234,5"
                                 << "1234,5";
        QTest::newRow("intero") << "Edit41"
                                << ""
                                << "ctrl-v"
                                << "1234"
                                << "1234";
        QTest::newRow("punto decimale") << "Edit40"
                                        << ""
                                        << "ctrl-v"
                                        << "12.5"
                                        << "12,5";
        QTest::newRow("spazi attorno") << "Edit40"
                                       << ""
                                       << "ctrl-v"
                                       << " 78,5\n"
                                       << "78,5";
        QTest::newRow("due virgole") << "Edit40"
                                     << "5"
                                     << "ctrl-v"
                                     << "1,2,3"
                                     << "5";
        QTest::newRow("seconda virgola nel campo") << "Edit41"
                                                   << "3,2"
                                                   << "ctrl-v"
                                                   << "4,5"
                                                   << "3,2";
        QTest::newRow("segno meno") << "Edit40"
                                    << "5"
                                    << "ctrl-v"
                                    << "-12"
                                    << "5";
        QTest::newRow("migliaia negli interi") << "Edit24"
                                               << ""
                                               << "ctrl-v"
                                               << "1.500,00"
                                               << "1500";
        QTest::newRow("punto decimale negli interi") << "Edit24"
                                                     << "8"
                                                     << "ctrl-v"
                                                     << "1.500"
                                                     << "8";
        QTest::newRow("interi con decimali a zero") << "Edit23"
                                                    << ""
                                                    << "ctrl-v"
                                                    << "450,00"
                                                    << "450";
        QTest::newRow("gruppi sbagliati") << "Edit24"
                                          << "9"
                                          << "ctrl-v"
                                          << "1.23.4"
                                          << "9";
    }
    void numbersPastedWholeOrRefused() {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, how);
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        if (how == QLatin1String("middle") && !QApplication::clipboard()->supportsSelection())
            QSKIP("nessuna selezione primaria su questa piattaforma");
        clickOn(field);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Delete);
        type(before);
        const int refusalsBefore = refusedEntries();
        paste(how, clipboard);
        QCOMPARE(get<QLineEdit>(field)->text(), shown);
        QCOMPARE(w->form().edit(field)->text, shown);
        QCOMPARE(refusedEntries() > refusalsBefore, shown == before);
    }
};

QTEST_MAIN(TypingTest)
#include "gui_test_typing.moc"
