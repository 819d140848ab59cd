// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Main window: controls and their names, menus and tool bar, key filtering, the Enter order
// across the pages, field checks on leaving, new practice, exit question, state shown.
#include "app/application_setup.h"
#include "documents/document_checks.h"
#include "record/catalogue.h"
#include "ui/common/message_windows.h"
#include "ui/main/main_window.h"
#include "ui/main/page_control.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace quadrelo;

Q_DECLARE_METATYPE(QList<int>)

namespace {

QString plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// The designer name of the control that has the focus (a date picker's or a list's inner
// line edit counts as the control itself).
QString focusedControl() {
    static const QRegularExpression designer(
        QStringLiteral("^(Edit|ComboBox|DateTimePicker|CheckBox|RadioButton|Memo|GroupBox)\\d+$"));
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (designer.match(w->objectName()).hasMatch()) return w->objectName();
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> w;
    QByteArray openedFor; // the test function whose rows share `w`
    QTemporaryDir workDir;

    template <class T> T* get(const QString& name) {
        T* found = w->findChild<T*>(name);
        if (!found) qWarning("missing control %s", qPrintable(name));
        return found;
    }
    QLineEdit* edit(const QString& name) { return get<QLineEdit>(name); }
    int page() const { return w->pageControl()->currentIndex(); }

    // Focus on a field as a user would reach it: its page in front first.
    void focus(const QString& name) {
        const FieldSpec* descriptor = fieldSpec(name);
        if (descriptor) w->showPage(descriptor->page);
        QWidget* control = w->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        control->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(focusedControl(), name);
    }
    void pressReturn() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    void typeInto(const QString& name, const QString& text) {
        focus(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        typeText(text);
    }
    // Keys as the keyboard sends them, accented letters included.
    void typeText(const QString& text) {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            if (c.unicode() < 128) {
                QTest::keyClick(target, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }

private slots:
    void initTestCase() {
        QVERIFY(workDir.isValid());
        QDir::setCurrent(workDir.path());
        applyInterfaceFont(*qApp);
        MessageWindows::setTestMode(true);
    }

    void init() { QVERIFY(testing::windowForThisRow(w, openedFor)); }

    // --- what the window is made of ---------------------------------------------------------

    void startsOnFirstPageWithTitle() {
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004"));
        QCOMPARE(page(), 0);
        QCOMPARE(focusedControl(), QStringLiteral("Edit1"));
        const QSize client = w->centralWidget()->size() + QSize(0, w->toolBar()->height());
        QCOMPARE(client.width(), 792);
        QVERIFY2(std::abs(client.height() - 546) <= 2, qPrintable(QString::number(client.height())));
    }

    void controlsExistWithTheirKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        for (const QString& n : PracticeForm::editNames())
            QTest::newRow(qPrintable(n)) << n << "QLineEdit";
        for (const QString& n : PracticeForm::checkNames())
            QTest::newRow(qPrintable(n)) << n << "QCheckBox";
        for (const QString& n : PracticeForm::radioNames())
            QTest::newRow(qPrintable(n)) << n << "QRadioButton";
        for (const QString& n : PracticeForm::comboNames())
            QTest::newRow(qPrintable(n)) << n << "QComboBox";
        for (const QString& n : PracticeForm::dateNames())
            QTest::newRow(qPrintable(n)) << n << "QDateEdit";
        for (const QString& n : PracticeForm::memoNames())
            QTest::newRow(qPrintable(n)) << n << "QPlainTextEdit";
        for (const QString& n : PracticeForm::captionNames())
            QTest::newRow(qPrintable(n)) << n << "QLabel";
        for (const char* n : {"GroupBox11", "GroupBox23", "GroupBox24"})
            QTest::newRow(n) << QString::fromLatin1(n) << "QGroupBox";
        QTest::newRow("PageControl1") << "PageControl1"
                                      << "quadrelo::PageControl";
        QTest::newRow("ToolBar1") << "ToolBar1"
                                  << "QToolBar";
    }
    void controlsExistWithTheirKind() {
        QFETCH(QString, name);
        QFETCH(QString, className);
        const QList<QWidget*> found = w->findChildren<QWidget*>(name);
        QCOMPARE(found.size(), 1);
        QVERIFY2(found.first()->inherits(className.toLatin1().constData()),
                 found.first()->metaObject()->className());
    }

    // Every field sits on the page and in the group the catalogue gives it.
    void fieldsOnTheirPagesAndGroups() {
        const QStringList titles = pageTitles();
        QCOMPARE(w->pageControl()->count(), 9);
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(w->pageControl()->tabText(i), titles.at(i));
        for (const FieldSpec& f : fieldCatalogue()) {
            QWidget* control = w->findChild<QWidget*>(f.name);
            QVERIFY2(control, qPrintable(f.name));
            QVERIFY2(w->pageControl()->widget(f.page)->isAncestorOf(control), qPrintable(f.name));
            if (f.group.isEmpty()) continue;
            bool inGroup = false;
            for (QWidget* p = control->parentWidget(); p && !inGroup; p = p->parentWidget())
                if (auto* g = qobject_cast<QGroupBox*>(p)) inGroup = g->title() == f.group;
            QVERIFY2(inGroup, qPrintable(f.name + QStringLiteral(" not in") + f.group));
        }
    }

    void enterTargetGroupsTakeFocus() {
        for (const char* name : {"GroupBox11", "GroupBox23", "GroupBox24"})
            QCOMPARE(get<QGroupBox>(QLatin1String(name))->focusPolicy(), Qt::StrongFocus);
    }

    void pageTexts_data() {
        QTest::addColumn<int>("pageIndex");
        QTest::addColumn<QString>("text");
        const int ob = PageOblazione;
        for (const char* t : {"SUPERFICIE UTILE RESIDENZIALE (mq)", "SUPERFICIE UTILE  (mq)",
                              "SUPERFICIE NON RESIDENZIALE (mq)", "SUPERFICIE PERTINENZE (mq)",
                              "SUPERFICIE COMPLESSIVA (mq)", "MISURA OBLAZIONE (€/mq)",
                              "IMPORTO TOTALE DELL'OBLAZIONE (€)", "OBLAZIONE FORFAIT (€)", "TOTALE"})
            QTest::newRow(t) << ob << QString::fromUtf8(t);
        for (const char* t :
             {"Fino a 10.000", "Da 10.001 a 100.000", "Da 100.001 a 300.000", "Oltre 300.000"}) {
            QTest::newRow(qPrintable(QStringLiteral("anticipazione ") + t))
                << int(PageAnticipazione) << QString::fromUtf8(t);
            QTest::newRow(qPrintable(QStringLiteral("aree ") + t))
                << int(PageAreeStato) << QString::fromUtf8(t);
        }
        for (const char* t : {"Totale da versare", "x 0,30 =", "Totale versato", "Resta da versare",
                              "seconda rata", "terza rata"})
            QTest::newRow(t) << int(PageRiepilogo) << QString::fromUtf8(t);
        const QStringList descriptions = typologyDescriptions();
        for (int i = 0; i < descriptions.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("tipologia %1").arg(i + 1)))
                << int(PageTipologia) << descriptions.at(i).trimmed();
        QTest::newRow("Destinazione") << int(PageImmobile) << "Destinazione:";
        QTest::newRow("Numero di abitanti") << int(PageImmobile) << "Numero di abitanti:";
    }
    void pageTexts() {
        QFETCH(int, pageIndex);
        QFETCH(QString, text);
        bool found = false;
        for (QLabel* l : w->pageControl()->widget(pageIndex)->findChildren<QLabel*>())
            found = found || l->text() == text;
        QVERIFY2(found, qPrintable(text));
    }

    void groupTitlesOfCalculationPages_data() {
        QTest::addColumn<QString>("title");
        for (const char* t :
             {" Immobili residenziali ", " Immobili non residenziali ",
              " Tipologie di abuso con valore fisso dell'oblazione ", " Nuove costruzioni e ampliamenti ",
              " Ristrutturazioni e modifiche della destinazione d'uso ", " Oblazione ",
              " Anticipazione oneri concessori ", " Calcolo dell'indennizzo per l'occupazione ",
              " Calcolo del valore dell'area "})
            QTest::newRow(t) << QString::fromUtf8(t);
    }
    void groupTitlesOfCalculationPages() {
        QFETCH(QString, title);
        bool found = false;
        for (QGroupBox* g : w->findChildren<QGroupBox*>())
            found = found || g->title() == title;
        QVERIFY2(found, qPrintable(title));
    }

    // Result figures in one table line up in columns, right-aligned in a frame.
    void resultColumnsAligned_data() {
        QTest::addColumn<QStringList>("column");
        QTest::newRow("importi oblazione")
            << QStringList{"Label36", "Label40", "Label44", "Label63", "Label54", "Label58",
                           "Label62", "Label66", "Label71", "Label72", "Label74", "Label86"};
        QTest::newRow("misure oblazione")
            << QStringList{"Label35", "Label39", "Label43", "Label53", "Label57",
                           "Label61", "Label76", "Label80", "Label84"};
        QTest::newRow("anticipazione")
            << QStringList{"Label91",  "Label95",  "Label99",  "Label106", "Label100",
                           "Label107", "Label110", "Label113", "Label118", "Label114"};
        QTest::newRow("aree") << QStringList{"Label157", "Label160", "Label163", "Label168", "Label164",
                                             "Label175", "Label178", "Label181", "Label186", "Label182"};
    }
    void resultColumnsAligned() {
        QFETCH(QStringList, column);
        QLabel* first = get<QLabel>(column.first());
        for (int i = 0; i < PageCount; ++i)
            if (w->pageControl()->widget(i)->isAncestorOf(first)) w->showPage(i);
        QApplication::processEvents();
        const int right = first->mapTo(w.get(), first->rect().topRight()).x();
        for (const QString& name : column) {
            QLabel* l = get<QLabel>(name);
            QCOMPARE(l->mapTo(w.get(), l->rect().topRight()).x(), right);
            QVERIFY(l->alignment() & Qt::AlignRight);
            QVERIFY(l->inherits("quadrelo::CaptionCell"));
        }
    }

    // Nothing is cut off: every page's layout fits the room of a 792 x 546 client area.
    void pagesFitTheWindow() {
        const int pagesHigh = w->pageControl()->widget(0)->parentWidget()->contentsRect().height();
        const QSize room(w->pageControl()->widget(0)->parentWidget()->contentsRect().width(),
                         pagesHigh - (w->height() - 546 - w->menuBar()->height()));
        for (int i = 0; i < w->pageControl()->count(); ++i) {
            QWidget* pg = w->pageControl()->widget(i);
            const QSize need = pg->minimumSizeHint();
            QVERIFY2(need.width() <= room.width() && need.height() <= room.height(),
                     qPrintable(QStringLiteral("pagina %1: serve %2x%3, c'è %4x%5")
                                    .arg(i + 1)
                                    .arg(need.width())
                                    .arg(need.height())
                                    .arg(room.width())
                                    .arg(room.height())));
        }
        QCOMPARE(w->height(), 546 + w->menuBar()->height());
    }

    // --- tab header ---------------------------------------------------------------------

    void tabHeaderWrapsOntoRows() {
        PageTabBar* bar = w->pageControl()->tabBar();
        int natural = 0;
        for (int i = 0; i < bar->count(); ++i)
            natural += bar->tabRect(i).width();
        QVERIFY(bar->rowCount() >= 1);
        // Every tab visible, inside the header, none overlapping another.
        for (int i = 0; i < bar->count(); ++i) {
            const QRect r = bar->tabRect(i);
            QVERIFY2(bar->rect().contains(r), qPrintable(bar->tabText(i)));
            QVERIFY(r.width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
            for (int j = i + 1; j < bar->count(); ++j)
                QVERIFY(!r.intersects(bar->tabRect(j)));
        }
        // Reading order: row by row, left to right.
        for (int i = 1; i < bar->count(); ++i) {
            const QRect a = bar->tabRect(i - 1), b = bar->tabRect(i);
            QVERIFY(bar->tabRow(i) > bar->tabRow(i - 1) ||
                    (bar->tabRow(i) == bar->tabRow(i - 1) && b.left() >= a.right()));
        }
        // Narrower: more rows, still every tab inside.
        const int rowsWide = bar->rowCount();
        QVERIFY(bar->heightForWidth(bar->width()) == bar->height());
        bar->resize(bar->width() / 2, bar->heightForWidth(bar->width() / 2));
        QVERIFY(bar->rowCount() > rowsWide);
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY(bar->rect().contains(bar->tabRect(i)));
    }

    void tabClickAndKeysSwitchPages_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("Ctrl+Tab") << "ctrl-tab" << 0 << 1;
        QTest::newRow("Ctrl+Tab dall'ultima") << "ctrl-tab" << 8 << 0;
        QTest::newRow("Ctrl+Maiusc+Tab") << "ctrl-shift-tab" << 0 << 8;
        QTest::newRow("Ctrl+PgGiù") << "ctrl-pgdown" << 3 << 4;
        QTest::newRow("Ctrl+PgSu") << "ctrl-pgup" << 3 << 2;
        QTest::newRow("freccia a destra sulle linguette") << "right" << 2 << 3;
        QTest::newRow("clic sulla linguetta") << "click6" << 0 << 6;
    }
    void tabClickAndKeysSwitchPages() {
        QFETCH(QString, how);
        QFETCH(int, from);
        QFETCH(int, to);
        w->showPage(from);
        focus(QStringLiteral("Edit1"));
        if (from != 0) w->showPage(from);
        QWidget* target = QApplication::focusWidget();
        PageTabBar* bar = w->pageControl()->tabBar();
        if (how == QLatin1String("ctrl-tab"))
            QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
        else if (how == QLatin1String("ctrl-shift-tab"))
            QTest::keyClick(target, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        else if (how == QLatin1String("ctrl-pgdown"))
            QTest::keyClick(target, Qt::Key_PageDown, Qt::ControlModifier);
        else if (how == QLatin1String("ctrl-pgup"))
            QTest::keyClick(target, Qt::Key_PageUp, Qt::ControlModifier);
        else if (how == QLatin1String("right")) {
            bar->setFocus();
            QTest::keyClick(bar, Qt::Key_Right);
        } else {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(how.mid(5).toInt()).center());
        }
        QCOMPARE(page(), to);
    }

    // The window as the program starts: the pages behind the first are built after its first
    // paint, and the user's first key or click, however early, finds the window as one built
    // at once, every control in place and showing the practice.
    void hiddenPagesReadyForTheFirstInput_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("page");
        QTest::newRow("nessuna: dopo la prima pittura") << "" << 0;
        QTest::newRow("Ctrl+Tab") << "ctrl-tab" << 1;
        QTest::newRow("clic su una linguetta") << "click" << int(PageAreeStato);
        QTest::newRow("Alt e la lettera di una linguetta") << "alt" << int(PageAreeStato);
    }
    void hiddenPagesReadyForTheFirstInput() {
        QFETCH(QString, input);
        QFETCH(int, page);
        MainWindow atOnce(false);
        MainWindow late(false, MainWindow::HiddenPages::AfterFirstPaint);
        late.show();
        QVERIFY(QTest::qWaitForWindowExposed(&late));
        QApplication::setActiveWindow(&late);
        if (input.isEmpty()) {
            QTRY_VERIFY(late.findChild<QLineEdit*>(QStringLiteral("Edit40")));
        } else {
            QVERIFY2(!late.findChild<QLineEdit*>(QStringLiteral("Edit40")), "pagine già costruite");
            PageTabBar* bar = late.pageControl()->tabBar();
            if (input == QLatin1String("ctrl-tab")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            } else if (input == QLatin1String("click")) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
            } else {
                const QString title = atOnce.pageControl()->tabBar()->tabMnemonic(page);
                const QChar letter = title.at(title.indexOf(QLatin1Char('&')) + 1).toUpper();
                QTest::keyClick(QApplication::focusWidget(), letter.toLatin1(), Qt::AltModifier);
            }
        }
        QCOMPARE(late.pageControl()->currentIndex(), page);
        QCOMPARE(testing::controlStates(late), testing::controlStates(atOnce));
    }

    // --- menus and tool bar -------------------------------------------------------------

    void menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items"); // "-" separator, "" prefix: disabled
        QTest::newRow("Pratiche") << "Pratiche"
                                  << QStringList{"Nuova",
                                                 "Apri",
                                                 "Salva",
                                                 "Salva con nome",
                                                 "-",
                                                 "!Pratiche recenti",
                                                 "Archivio pratiche…",
                                                 "-",
                                                 "Imposta stampante",
                                                 "-",
                                                 "Esci"};
        QTest::newRow("Stampe") << "Stampe"
                                << QStringList{"Fac-simile istanza",
                                               "Dichiarazione antimafia",
                                               "Dichiarazione sullo stato dei lavori",
                                               "-",
                                               "Perizia giurata",
                                               "Certificazione di idoneità statica",
                                               "Certificazione relativa alle costruzioni in zona sismica",
                                               "Relazione tecnica descrittiva",
                                               "-",
                                               "Fac-simile denuncia ai fini dell'I.C.I.",
                                               "Denuncia per la tassa smaltimento rifiuti",
                                               "Denuncia per occupazione suolo pubblico",
                                               "-",
                                               "Riepilogo pratica",
                                               "Promemoria scadenze",
                                               "Prospetto relativo all'acquisizione aree pubbliche",
                                               "-",
                                               "Firma documenti…"};
        QTest::newRow("Parametri") << "Parametri"
                                   << QStringList{"Tabella A", "Tabella B", "Tabella C",
                                                  "Tabella D", "-",         "Dati del tecnico"};
        QTest::newRow("Help") << "Help" << QStringList{"Guida in linea", "Informazioni"};
    }
    void menus() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        QMenu* found = nullptr;
        QStringList titles;
        for (QAction* a : w->menuBar()->actions()) {
            titles << plain(a->text());
            if (plain(a->text()) == menu) found = a->menu();
        }
        QCOMPARE(titles, (QStringList{"Pratiche", "Stampe", "Parametri", "Help"}));
        QVERIFY(found);
        QStringList shown;
        for (QAction* a : found->actions())
            shown << (a->isSeparator() ? QStringLiteral("-")
                                       : (a->isEnabled() ? "" : "!") + plain(a->text()));
        QCOMPARE(shown, items);
        // Accelerators stay unique within the menu.
        QSet<QChar> keys;
        for (QAction* a : found->actions()) {
            const int amp = a->text().indexOf(QLatin1Char('&'));
            if (amp < 0) continue;
            const QChar key = a->text().at(amp + 1).toLower();
            QVERIFY2(!keys.contains(key), qPrintable(a->text()));
            keys.insert(key);
        }
    }

    void sharedActions() {
        QCOMPARE(plain(w->Nuova->text()), QStringLiteral("Nuova"));
        QCOMPARE(plain(w->Apri->text()), QStringLiteral("Apri"));
        QCOMPARE(plain(w->Salva->text()), QStringLiteral("Salva"));
        QCOMPARE(w->Nuova->objectName(), QStringLiteral("Nuova"));
        QVERIFY(w->toolBar()->actions().contains(w->Apri));
        QVERIFY(w->toolBar()->actions().contains(w->Salva));
        // A command enabled later is enabled everywhere it appears.
        w->setCommandEnabled(QStringLiteral("Apri1Click"), true);
        QVERIFY(w->Apri->isEnabled());
        QVERIFY(w->toolBar()->widgetForAction(w->Apri)->isEnabled());
        w->setCommandEnabled(QStringLiteral("Riepilogopratica1Click"), true);
        for (QAction* a : w->commandActions(QStringLiteral("Riepilogopratica1Click")))
            QVERIFY(a->isEnabled());
        QCOMPARE(w->commandActions(QStringLiteral("Riepilogopratica1Click")).size(), 2);
        // The ICI entry of the menu opens what its tool-bar button opens.
        QCOMPARE(w->commandActions(QStringLiteral("ToolButton11Click")).size(), 2);
    }

    void everyHandlerHasItsCommand() {
        for (const QString& handler : MainWindow::commandHandlers())
            QVERIFY2(!w->commandActions(handler).isEmpty(), qPrintable(handler));
        // The fourteen of "Pratiche", "Parametri" and "Help", and one per document.
        QCOMPARE(MainWindow::commandHandlers().size(), 14 + documentCommands().size());
        for (const QString& handler : MainWindow::commandHandlers())
            QVERIFY2(w->isCommandEnabled(handler), qPrintable(handler));
    }

    void toolBar() {
        const QStringList expected{"Nuova pratica",
                                   "Apri pratica",
                                   "Salva pratica",
                                   "Archivio pratiche",
                                   "-",
                                   "Fac-simile istanza",
                                   "Dichiarazione antimafia",
                                   "Dichiarazione sullo stato dei lavori",
                                   "-",
                                   "Perizia giurata",
                                   "Certificazione di idoneità statica",
                                   "Certificazione relativa alle costruzioni in zona sismica",
                                   "Relazione tecnica descrittiva",
                                   "-",
                                   "Denuncia ai fini dell'I.C.I.",
                                   "Denuncia per la tassa smaltimento rifiuti",
                                   "Denuncia per occupazione suolo pubblico",
                                   "-",
                                   "Guida in linea"};
        QStringList shown;
        for (QAction* a : w->toolBar()->actions()) {
            if (a->isSeparator()) {
                shown << QStringLiteral("-");
                continue;
            }
            shown << (a->isEnabled() ? "" : "!") + a->toolTip();
            QVERIFY2(!a->icon().isNull(), qPrintable(a->toolTip()));
            auto* button = qobject_cast<QToolButton*>(w->toolBar()->widgetForAction(a));
            QVERIFY(button);
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
        QCOMPARE(shown, expected);
        QCOMPARE(w->toolBar()->iconSize(), QSize(24, 24));
        QCOMPARE(w->findChild<QToolButton*>(QStringLiteral("ToolButton11"))->toolTip(),
                 QStringLiteral("Denuncia ai fini dell'I.C.I."));
    }

    // --- key filtering --------------------------------------------------------------------

    void typedKeysFiltered_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cifre: solo 0-9") << "Edit13"
                                         << "12a3.-b 4"
                                         << "1234";
        QTest::newRow("cifre: durata") << "Edit33"
                                       << "1x2"
                                       << "12";
        QTest::newRow("cifre: volume") << "Edit24"
                                       << "3,001"
                                       << "3001";
        QTest::newRow("importo: punto diventa virgola") << "Edit40"
                                                        << "1.5"
                                                        << "1,5";
        QTest::newRow("importo: seconda virgola rifiutata") << "Edit40"
                                                            << "1,5,6"
                                                            << "1,56";
        QTest::newRow("importo: punto dopo la virgola") << "Edit60"
                                                        << "12.3.4"
                                                        << "12,34";
        QTest::newRow("importo: lettere e segno") << "Edit25"
                                                  << "-a7b"
                                                  << "7";
        QTest::newRow("codice fiscale: niente spazi, maiuscolo") << "Edit5"
                                                                 << "rss mra 80a01 h501u"
                                                                 << "RSSMRA80A01H501U";
        QTest::newRow("codice fiscale: al massimo 16") << "Edit5"
                                                       << "ABCDEFGHIJKLMNOPQRS"
                                                       << "ABCDEFGHIJKLMNOP";
        QTest::newRow("testo: maiuscolo") << "Edit1"
                                          << "mario d'intino"
                                          << "MARIO D'INTINO";
        QTest::newRow("comune: maiuscolo, anche accentate") << "Edit9"
                                                            << "città di sorà"
                                                            << "CITTÀ DI SORÀ";
        QTest::newRow("allegato libero: come scritto") << "Edit34"
                                                       << "Planimetria 1:100"
                                                       << "Planimetria 1:100";
    }
    void typedKeysFiltered() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        typeInto(field, typed);
        QCOMPARE(edit(field)->text(), shown);
        QCOMPARE(w->form().edit(field)->text, shown);
    }

    void pastedTextFiltered_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        // Numbers are taken whole or refused whole.
        QTest::newRow("cifre") << "Edit13"
                               << "" << 0 << "12 34-5"
                               << "";
        QTest::newRow("cifre nel mezzo") << "Edit14"
                                         << "15" << 1 << "a2b"
                                         << "15";
        QTest::newRow("cifre nel mezzo, un numero") << "Edit14"
                                                    << "15" << 1 << "2"
                                                    << "125";
        QTest::newRow("importo") << "Edit40"
                                 << "" << 0 << "1.234,5"
                                 << "1234,5";
        QTest::newRow("importo con virgola già presente") << "Edit41"
                                                          << "3,2" << 3 << "4,5"
                                                          << "3,2";
        QTest::newRow("codice fiscale") << "Edit5"
                                        << "" << 0 << "rss mra 80a01 h501u xyz"
                                        << "RSSMRA80A01H501U";
        QTest::newRow("maiuscolo") << "Edit2"
                                   << "" << 0 << "rossi\n"
                                   << "ROSSI";
    }
    void pastedTextFiltered() {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        typeInto(field, before);
        edit(field)->setCursorPosition(cursor);
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        QCOMPARE(edit(field)->text(), shown);
        QCOMPARE(w->form().edit(field)->text, shown);
    }

    void droppedTextFiltered_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cifre") << "Edit18"
                               << "4a5"
                               << "";
        QTest::newRow("importo") << "Edit60"
                                 << "7.5.1"
                                 << "";
        QTest::newRow("importo col punto") << "Edit60"
                                           << "7.5"
                                           << "7,5";
        QTest::newRow("codice fiscale") << "Edit5"
                                        << "ab cd"
                                        << "ABCD";
    }
    void droppedTextFiltered() {
        QFETCH(QString, field);
        QFETCH(QString, dropped);
        QFETCH(QString, shown);
        typeInto(field, QString());
        QLineEdit* e = edit(field);
        QMimeData data;
        data.setText(dropped);
        const QPointF at(e->width() - 4, e->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &drop);
        QCOMPARE(e->text(), shown);
        QCOMPARE(w->form().edit(field)->text, shown);
    }

    void listsTakeTypedText() {
        typeInto(QStringLiteral("ComboBox2"), QStringLiteral("xstrada"));
        QCOMPARE(get<QComboBox>(QStringLiteral("ComboBox2"))->currentText(), QStringLiteral("xstrada"));
        QCOMPARE(w->form().ComboBox2.text, QStringLiteral("xstrada"));
        QCOMPARE(w->form().ComboBox2.itemIndex, -1);
        QVERIFY(!get<QComboBox>(QStringLiteral("ComboBox4"))->isEditable());
        QCOMPARE(get<QComboBox>(QStringLiteral("ComboBox1"))->currentText(), QStringLiteral("selezionare"));
    }

    void memoKeepsLineBreaksForTheFile() {
        focus(QStringLiteral("Memo1"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("prima"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("seconda"));
        QCOMPARE(w->form().Memo1.text, QStringLiteral("prima\r\nseconda"));
        w->form().Memo2.text = QStringLiteral("uno\r\ndue");
        w->reload();
        QCOMPARE(get<QPlainTextEdit>(QStringLiteral("Memo2"))->toPlainText(), QStringLiteral("uno\ndue"));
    }

    // --- Enter order ----------------------------------------------------------------------

    void enterOrderAcrossPages() {
        // The whole order from the first field to the description, one Return at a time.
        const std::pair<const char*, int> order[] = {
            {"Edit1", 0},           {"Edit2", 0},           {"Edit3", 0},           {"Edit22", 0},
            {"DateTimePicker3", 0}, {"Edit5", 0},           {"Edit6", 0},           {"ComboBox2", 0},
            {"Edit7", 0},           {"Edit8", 0},           {"ComboBox3", 0},       {"Edit9", 1},
            {"ComboBox1", 1},       {"Edit10", 1},          {"Edit11", 1},          {"Edit12", 1},
            {"Edit13", 1},          {"Edit14", 1},          {"Edit15", 1},          {"Edit4", 1},
            {"Edit17", 1},          {"Edit18", 1},          {"Edit19", 1},          {"Edit20", 1},
            {"Edit21", 1},          {"CheckBox1", 1},       {"CheckBox2", 1},       {"RadioButton8", 1},
            {"RadioButton9", 1},    {"RadioButton12", 1},   {"RadioButton13", 1},   {"RadioButton14", 1},
            {"RadioButton15", 1},   {"DateTimePicker1", 2}, {"DateTimePicker2", 2}, {"Edit24", 2},
            {"Edit23", 2},          {"Memo1", 2},
        };
        focus(QStringLiteral("Edit1"));
        for (size_t i = 1; i < std::size(order); ++i) {
            pressReturn();
            QCOMPARE(focusedControl(), QLatin1String(order[i].first));
            QCOMPARE(page(), order[i].second);
        }
        // Moving the focus selects nothing and ticks nothing.
        QVERIFY(w->form().RadioButton8.checked);
        QVERIFY(w->form().RadioButton12.checked);
        QVERIFY(!w->form().CheckBox1.checked);
        QVERIFY(MessageWindows::shownMessages().isEmpty());
        // Return in the description is a new line.
        pressReturn();
        QCOMPARE(focusedControl(), QStringLiteral("Memo1"));
        QCOMPARE(w->form().Memo1.text, QStringLiteral("\r\n"));
    }

    void enterInCalculationInputs_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("Edit40") << "Edit40"
                                << "Edit41";
        QTest::newRow("Edit41") << "Edit41"
                                << "Edit40";
        QTest::newRow("Edit60") << "Edit60"
                                << "GroupBox11";
        QTest::newRow("Edit25") << "Edit25"
                                << "GroupBox23";
        QTest::newRow("Edit29") << "Edit29"
                                << "GroupBox24";
        QTest::newRow("Edit33") << "Edit33"
                                << "GroupBox23";
        QTest::newRow("Edit16 senza ordine") << "Edit16"
                                             << "Edit16";
        QTest::newRow("Edit34 senza ordine") << "Edit34"
                                             << "Edit34";
    }
    void enterInCalculationInputs() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        if (from == QLatin1String("Edit16")) w->form().select(QStringLiteral("RadioButton9")), w->reload();
        const int before = fieldSpec(from)->page;
        focus(from);
        pressReturn();
        QCOMPARE(focusedControl(), to);
        QCOMPARE(page(), before);
    }

    // --- checks when a field is left ----------------------------------------------------

    void volumeChecksOnLeaving_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("regularised");
        QTest::addColumn<QStringList>("messages");
        const QString appraisal =
            QStringLiteral("La domanda di condono dovrà essere corredata da una perizia giurata "
                           "sulle dimensioni e sullo stato delle opere.");
        QTest::newRow("451 senza esistente") << ""
                                             << "451" << QStringList{appraisal};
        QTest::newRow("450 senza esistente") << ""
                                             << "450" << QStringList{};
        QTest::newRow("300 su 1000") << "1000"
                                     << "300" << QStringList{};
        QTest::newRow("301 su 1000")
            << "1000"
            << "301"
            << QStringList{
                   QStringLiteral("La domanda di condono è improcedibile perché l'ampliamento è superiore "
                                  "al 30% dell'esistente.")};
        QTest::newRow("100 su 2950") << "2950"
                                     << "100"
                                     << QStringList{
                                            QStringLiteral("La domanda di condono è improcedibile perché il "
                                                           "volume totale è superiore a 3000 mc.")};
        QTest::newRow("751") << "100000"
                             << "751"
                             << QStringList{
                                    QStringLiteral("Verificare la consistenza volumetrica totale "
                                                   "dell'immobile."),
                                    QStringLiteral("La domanda di condono è improcedibile perché il volume "
                                                   "della nuova costruzione o dell'ampliamento è superiore "
                                                   "a 750 mc.")};
        QTest::newRow("esistente 3001")
            << "3001"
            << ""
            << QStringList{QStringLiteral("Verificare la consistenza volumetrica totale dell'immobile.")};
    }
    void volumeChecksOnLeaving() {
        QFETCH(QString, existing);
        QFETCH(QString, regularised);
        QFETCH(QStringList, messages);
        typeInto(QStringLiteral("Edit24"), existing);
        pressReturn(); // leaves Edit24 for Edit23
        QTest::keyClicks(QApplication::focusWidget(), regularised);
        pressReturn(); // leaves Edit23 for Memo1
        QCOMPARE(focusedControl(), QStringLiteral("Memo1"));
        QCOMPARE(MessageWindows::shownMessages(), messages);
        // The warnings only warn: the values stay.
        QCOMPARE(edit(QStringLiteral("Edit24"))->text(), existing);
        QCOMPARE(edit(QStringLiteral("Edit23"))->text(), regularised);
    }

    void completionDateCheck_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QDate>("after");
        QTest::newRow("31/03/2003") << QDate(2003, 3, 31) << false << QDate(2003, 3, 31);
        QTest::newRow("01/04/2003") << QDate(2003, 4, 1) << true << QDate(2003, 3, 31);
        QTest::newRow("15/01/2001") << QDate(2001, 1, 15) << false << QDate(2001, 1, 15);
    }
    void completionDateCheck() {
        QFETCH(QDate, date);
        QFETCH(bool, warned);
        QFETCH(QDate, after);
        focus(QStringLiteral("DateTimePicker1"));
        auto* picker = get<QDateEdit>(QStringLiteral("DateTimePicker1"));
        picker->setDate(date);
        QCOMPARE(w->form().DateTimePicker1.date, date);
        pressReturn();
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker2"));
        const QStringList expected =
            warned ? QStringList{QStringLiteral("Le opere sono condonabili se ultimate entro il 31/03/2003.")}
                   : QStringList{};
        QCOMPARE(MessageWindows::shownMessages(), expected);
        QCOMPARE(picker->date(), after);
        QCOMPARE(picker->displayFormat(), QStringLiteral("dd/MM/yyyy"));
    }

    // The calendar opens from the keyboard and the date is checked when it closes, however it
    // closes: a day chosen with Return, or Esc.
    void completionDateCheckedWhenCalendarCloses_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QList<int>>("keys"); // in the calendar
        QTest::addColumn<bool>("warned");
        QTest::addColumn<QDate>("after");
        QTest::newRow("Esc su una data tarda")
            << QDate(2004, 5, 5) << QList<int>{Qt::Key_Escape} << true << QDate(2003, 3, 31);
        QTest::newRow("Invio sul giorno dopo il limite")
            << QDate(2003, 3, 31) << QList<int>{Qt::Key_Right, Qt::Key_Return} << true << QDate(2003, 3, 31);
        QTest::newRow("Invio sul giorno prima del limite")
            << QDate(2003, 3, 31) << QList<int>{Qt::Key_Left, Qt::Key_Return} << false << QDate(2003, 3, 30);
        QTest::newRow("Esc su una data buona")
            << QDate(2002, 6, 1) << QList<int>{Qt::Key_Escape} << false << QDate(2002, 6, 1);
    }
    void completionDateCheckedWhenCalendarCloses() {
        QFETCH(QDate, start);
        QFETCH(QList<int>, keys);
        QFETCH(bool, warned);
        QFETCH(QDate, after);
        focus(QStringLiteral("DateTimePicker1"));
        auto* picker = get<QDateEdit>(QStringLiteral("DateTimePicker1"));
        picker->setDate(start);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QVERIFY(MessageWindows::shownMessages().isEmpty()); // opening the calendar is no leaving
        for (int key : keys)
            QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key(key));
        QTRY_VERIFY(!popup->isVisible());
        const QStringList expected =
            warned ? QStringList{QStringLiteral("Le opere sono condonabili se ultimate entro il 31/03/2003.")}
                   : QStringList{};
        QCOMPARE(MessageWindows::shownMessages(), expected);
        QCOMPARE(picker->date(), after);
        QCOMPARE(w->form().DateTimePicker1.date, after);
        QCOMPARE(focusedControl(), QStringLiteral("DateTimePicker1"));
    }

    // --- commands -------------------------------------------------------------------------

    void nuovaStartsAnEmptyPractice() {
        typeInto(QStringLiteral("Edit1"), QStringLiteral("mario"));
        get<QRadioButton>(QStringLiteral("RadioButton9"))->click();
        w->form().currentFileName = QStringLiteral("/tmp/pratica.qdr");
        w->reload();
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004 - /tmp/pratica.qdr*"));
        w->showPage(PageOblazione);
        MessageWindows::setNextChoices({1}); // "Non salvare"
        w->Nuova->trigger();
        QCOMPARE(w->windowTitle(), QStringLiteral("Quadrelo 2004"));
        QCOMPARE(page(), 0);
        QCOMPARE(focusedControl(), QStringLiteral("Edit1"));
        QCOMPARE(edit(QStringLiteral("Edit1"))->text(), QString());
        QCOMPARE(w->form().currentFileName, QStringLiteral("-1"));
        QVERIFY(get<QRadioButton>(QStringLiteral("RadioButton8"))->isChecked());
        QVERIFY(get<QRadioButton>(QStringLiteral("RadioButton1"))->isChecked());
        QCOMPARE(get<QComboBox>(QStringLiteral("ComboBox2"))->currentText(), QStringLiteral("selezionare"));
        QCOMPARE(get<QDateEdit>(QStringLiteral("DateTimePicker3"))->date(), QDate(1950, 1, 1));
        for (int n = 40; n <= 51; ++n) {
            QLineEdit* e = edit(QStringLiteral("Edit%1").arg(n));
            QCOMPARE(e->isEnabled(), n == 40 || n == 41);
            QCOMPARE(e->text(), QStringLiteral("0,00"));
        }
        QCOMPARE(MessageWindows::shownMessages(),
                 QStringList{QStringLiteral("La pratica è stata modificata. Salvare le modifiche?")});
    }

    void exitQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("SI") << int(mrOk) << true;
        QTest::newRow("NO") << int(mrNo) << false;
        QTest::newRow("chiusa dalla barra del titolo") << int(mrCancel) << true;
    }
    void exitQuestion() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        // An unchanged practice: a changed one is asked about its changes instead.
        w->openPracticeFile(QStringLiteral(QUADRELO_SOURCE_DIR "/examples/pratica-esempio.qdr"));
        MessageWindows::clearShown();
        MessageWindows::setNextAnswers({answer});
        QCOMPARE(w->close(), closes);
        QCOMPARE(w->isVisible(), !closes);
        QCOMPARE(MessageWindows::shownMessages(),
                 QStringList{QStringLiteral("Si desidera terminare la sessione di lavoro?")});
        QCOMPARE(w->form().Edit1.text, QStringLiteral("MARIO"));
    }

    void esciAsksTheSameQuestion() {
        MessageWindows::setNextAnswers({mrNo});
        w->findChild<QAction*>(QStringLiteral("Esci1"))->trigger();
        QVERIFY(w->isVisible());
        QCOMPARE(MessageWindows::shownMessages(),
                 QStringList{QStringLiteral("Si desidera terminare la sessione di lavoro?")});
    }

    void uscita2SavesOnYes_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("saves");
        QTest::newRow("SI salva") << int(mrOk) << false << 1;
        QTest::newRow("NO non salva") << int(mrCancel) << false << 0;
        QTest::newRow("Annulla") << int(mrNo) << true << 0;
    }
    void uscita2SavesOnYes() {
        QFETCH(int, answer);
        QFETCH(bool, result);
        QFETCH(int, saves);
        struct Counting : MainWindow {
            using MainWindow::MainWindow;
            int saved = 0;
            void Salvataggio() override { ++saved; }
        } window(false);
        MessageWindows::setNextAnswers({answer});
        QCOMPARE(window.Uscita2(QStringLiteral("Salvare?")), result);
        QCOMPARE(window.saved, saves);
    }

    // --- the widgets show the practice --------------------------------------------------

    void widgetsShowThePractice() {
        PracticeForm& f = w->form();
        f.Edit40.enabled = false;
        f.Edit46.enabled = true;
        f.Label36.highlighted = true;
        f.Label36.text = QStringLiteral("1234,50");
        f.Label18.enabled = true;
        f.ComboBox4 = {3, QStringLiteral("zona D"), true};
        f.CheckBox7.checked = true;
        f.RadioButton14.checked = true;
        f.RadioButton12.checked = false;
        w->reload();
        const QColor face = QApplication::palette().color(QPalette::Button);
        QLineEdit* e40 = edit(QStringLiteral("Edit40"));
        QVERIFY(!e40->isEnabled());
        QCOMPARE(e40->palette().color(QPalette::Disabled, QPalette::Base), face);
        QLineEdit* e46 = edit(QStringLiteral("Edit46"));
        QVERIFY(e46->isEnabled());
        QCOMPARE(e46->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
        QLabel* l36 = get<QLabel>(QStringLiteral("Label36"));
        QCOMPARE(l36->text(), QStringLiteral("1234,50"));
        QCOMPARE(l36->palette().color(QPalette::Window), QColor(255, 255, 0));
        QVERIFY(l36->autoFillBackground());
        QCOMPARE(get<QLabel>(QStringLiteral("Label40"))->palette().color(QPalette::Window),
                 QColor(Qt::white));
        QVERIFY(get<QLabel>(QStringLiteral("Label18"))->isEnabled());
        QCOMPARE(get<QComboBox>(QStringLiteral("ComboBox4"))->currentText(), QStringLiteral("zona D"));
        QVERIFY(get<QCheckBox>(QStringLiteral("CheckBox7"))->isChecked());
        QVERIFY(get<QRadioButton>(QStringLiteral("RadioButton14"))->isChecked());
        QVERIFY(!get<QRadioButton>(QStringLiteral("RadioButton12"))->isChecked());
        // Row captions keep their own text; only their colour follows the practice.
        f.Label30.highlighted = true;
        w->reload();
        QCOMPARE(get<QLabel>(QStringLiteral("Label30"))->text(), QStringLiteral("1"));
        QCOMPARE(get<QLabel>(QStringLiteral("Label30"))->palette().color(QPalette::Window),
                 QColor(255, 255, 0));
    }

    void choosingRunsTheRules() {
        get<QRadioButton>(QStringLiteral("RadioButton9"))->click();
        QVERIFY(edit(QStringLiteral("Edit16"))->isEnabled());
        QVERIFY(get<QLabel>(QStringLiteral("Label18"))->isEnabled());
        QVERIFY(edit(QStringLiteral("Edit46"))->isEnabled());
        QVERIFY(!edit(QStringLiteral("Edit40"))->isEnabled());
        get<QRadioButton>(QStringLiteral("RadioButton7"))->click(); // typology 4: forfait
        for (int n = 40; n <= 51; ++n)
            QVERIFY(!edit(QStringLiteral("Edit%1").arg(n))->isEnabled());
        for (int n = 60; n <= 67; ++n)
            QVERIFY(!edit(QStringLiteral("Edit%1").arg(n))->isEnabled());
        QCOMPARE(get<QLabel>(QStringLiteral("Label71"))->palette().color(QPalette::Window),
                 QColor(255, 255, 0));
        get<QRadioButton>(QStringLiteral("RadioButton13"))->click(); // class 2
        QVERIFY(w->form().RadioButton13.checked);
        QVERIFY(!w->form().RadioButton12.checked);
    }

    void leavingAnInputRecomputes() {
        w->form().oblationRateResidential1 = 100;
        w->form().Label35.text = QStringLiteral("100,00");
        typeInto(QStringLiteral("Edit40"), QStringLiteral("78"));
        pressReturn();
        QCOMPARE(focusedControl(), QStringLiteral("Edit41"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("36"));
        pressReturn();
        QCOMPARE(focusedControl(), QStringLiteral("Edit40"));
        QCOMPARE(edit(QStringLiteral("Edit40"))->text(), QStringLiteral("78,00"));
        QCOMPARE(edit(QStringLiteral("Edit41"))->text(), QStringLiteral("36,00"));
        QCOMPARE(get<QLabel>(QStringLiteral("Label34"))->text(), QStringLiteral("99,60"));
        QCOMPARE(get<QLabel>(QStringLiteral("Label36"))->text(), QStringLiteral("9960,00"));
        QCOMPARE(get<QLabel>(QStringLiteral("Label63"))->palette().color(QPalette::Window),
                 QColor(255, 255, 0));
        QCOMPARE(edit(QStringLiteral("Edit60"))->text(), QStringLiteral("99,60"));
    }

    void conversionErrorIsReportedAndWindowGoesOn() {
        // Text that no key could type, put in by other means, fails when the field is left.
        w->form().Edit42.enabled = true;
        w->form().Edit40.text = QStringLiteral("1,2,3");
        w->reload();
        focus(QStringLiteral("Edit40"));
        pressReturn();
        QCOMPARE(MessageWindows::shownMessages(),
                 QStringList{QStringLiteral("'1,2,3' non è un valore numerico valido")});
        QCOMPARE(focusedControl(), QStringLiteral("Edit41"));
        typeInto(QStringLiteral("Edit41"), QStringLiteral("5"));
        QCOMPARE(w->form().Edit41.text, QStringLiteral("5"));
    }

    void zoneTakesEffectWhenTheListCloses() {
        w->form().tableA[4] = 12.5;
        w->form().tableB[4] = 30;
        w->showPage(PageAreeStato);
        auto* zone = get<QComboBox>(QStringLiteral("ComboBox4"));
        zone->setFocus();
        zone->showPopup();
        QTRY_VERIFY(zone->view()->isVisible());
        QTest::keyClick(zone->view(), Qt::Key_Down);
        QTest::keyClick(zone->view(), Qt::Key_Return);
        QTRY_COMPARE(get<QLabel>(QStringLiteral("Label156"))->text(), QStringLiteral("12,50"));
        QCOMPARE(w->form().ComboBox4.itemIndex, 1);
        QCOMPARE(get<QLabel>(QStringLiteral("Label174"))->text(), QStringLiteral("30,00"));
    }

    // --- pictures of the pages, on request --------------------------------------------------

    void screenshots() {
        const QString dir = qEnvironmentVariable("QUADRELO_SHOTS");
        if (dir.isEmpty()) QSKIP("QUADRELO_SHOTS non impostata");
        QDir().mkpath(dir);
        for (int i = 0; i < w->pageControl()->count(); ++i) {
            w->showPage(i);
            QApplication::processEvents();
            QVERIFY(w->grab().save(QStringLiteral("%1/pagina%2.png").arg(dir).arg(i + 1)));
        }
        // With figures: highlighted rows and totals.
        PracticeForm& f = w->form();
        f.oblationRateResidential1 = 150;
        f.Label35.text = QStringLiteral("150,00");
        f.Edit40.text = QStringLiteral("78");
        f.Edit41.text = QStringLiteral("36");
        f.Edit40Exit();
        w->reload();
        w->showPage(PageOblazione);
        QApplication::processEvents();
        QVERIFY(w->grab().save(QStringLiteral("%1/pagina5-importi.png").arg(dir)));
        w->showPage(PageRiepilogo);
        QApplication::processEvents();
        QVERIFY(w->grab().save(QStringLiteral("%1/pagina7-importi.png").arg(dir)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "gui_test_main_window.moc"
