// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

// Shell windows: message windows, splash and about, help viewer, tool-bar icons, error box.
#include "ui/common/error_box.h"
#include "ui/common/icons.h"
#include "ui/common/interface_font.h"
#include "ui/common/message_windows.h"
#include "ui/common/program_style.h"
#include "ui/main/help_window.h"
#include "ui/main/splash_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <stdexcept>

using namespace quadrelo;

Q_DECLARE_METATYPE(QList<int>)

namespace {

std::unique_ptr<MessageWindow> makeMessageWindow(int form, QWidget* owner = nullptr) {
    switch (form) {
    case 12:
        return std::make_unique<MessageWindow>(MessageKind::Warning, owner);
    case 13:
        return std::make_unique<MessageWindow>(MessageKind::Question, owner);
    default:
        return std::make_unique<MessageWindow>(MessageKind::QuestionWithCancel, owner);
    }
}

// One user step on the dialog on screen: a key name ("Return", "Tab", ...), "click:<caption>",
// or "close" for the title-bar close box.
void perform(QDialog* dialog, const QString& step) {
    static const QHash<QString, Qt::Key> keys = {{"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter},
                                                 {"Space", Qt::Key_Space},   {"Escape", Qt::Key_Escape},
                                                 {"Tab", Qt::Key_Tab},       {"Right", Qt::Key_Right},
                                                 {"Left", Qt::Key_Left},     {"A", Qt::Key_A}};
    if (step == QLatin1String("close")) {
        dialog->close();
    } else if (step.startsWith(QLatin1String("press:"))) {
        // Through the window, so the click lands wherever the window's own hit testing puts it.
        QWidget* child = dialog->findChild<QWidget*>(step.mid(6));
        const QPoint at = child ? child->mapTo(dialog, child->rect().center()) : QPoint(3, 3);
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, at);
    } else if (step.startsWith(QLatin1String("click:"))) {
        const QString caption = step.mid(6);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == caption) QTest::mouseClick(b, Qt::LeftButton);
    } else {
        // Keys go where the keyboard would send them: the focused control of the dialog.
        QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QTest::keyClick(target, keys.value(step));
    }
}

// Shows the dialog modally, as the program does, and drives it with real events once it is up.
// Returns the dialog's result, or -100 when it never closed.
int runModal(QDialog& dialog, const QStringList& steps, bool* wasModal = nullptr) {
    QTimer::singleShot(0, &dialog, [&] {
        if (wasModal) *wasModal = QApplication::activeModalWidget() == &dialog;
        for (const QString& step : steps)
            perform(&dialog, step);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, [&] { dialog.done(-100); });
    guard.start(5000);
    return dialog.exec();
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    f.write(bytes);
    return QString();
}

// Restores the working directory a test moved away from.
struct CurrentDirectory {
    QString saved = QDir::currentPath();
    ~CurrentDirectory() { QDir::setCurrent(saved); }
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        MessageWindows::setTestMode(false);
        MessageWindows::clearShown();
    }
    void cleanup() {
        MessageWindows::setTestMode(false);
        if (HelpWindow::instance()) delete HelpWindow::instance();
    }

    void messageWindowAnswers_data();
    void messageWindowAnswers();
    void messageWindowLook_data();
    void messageWindowLook();
    void longWarningFitsTheWindow_data();
    void longWarningFitsTheWindow();
    void messageWindowsCentreOnOwner();
    void questionShowsRealWindowOutsideTestMode();
    void testModeAnswersFromQueue();

    void guardedReportsEveryFailure_data();
    void guardedReportsEveryFailure();

    void aboutClosesOnKey_data();
    void aboutClosesOnKey();
    void aboutClosesOnClick_data();
    void aboutClosesOnClick();
    void splashClosesByTimerOnly();
    void splashAndAboutShareTexts();

    void helpMissingFileExplainsWhy();
    void helpOpenContentsReloadsOnceFileExists();
    void helpNavigationAndSearch();
    void shippedGuideCoversTabsAndMenus();

    void toolIconsAreDistinctAndSized();
    void programStyleLooksAsItsBase_data();
    void programStyleLooksAsItsBase();
    void programStyleLinesAsItsBase_data();
    void programStyleLinesAsItsBase();
    void fontThreadEndsEitherWay();
};

void ShellTest::messageWindowAnswers_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("expected");

    QTest::newRow("12 Enter") << 12 << QStringList{"Return"} << int(mrOk);
    QTest::newRow("12 Space") << 12 << QStringList{"Space"} << int(mrOk);
    QTest::newRow("12 Esc") << 12 << QStringList{"Escape"} << int(mrOk);
    QTest::newRow("12 title bar") << 12 << QStringList{"close"} << int(mrCancel);

    QTest::newRow("13 Enter is SI") << 13 << QStringList{"Return"} << int(mrOk);
    QTest::newRow("13 keypad Enter is SI") << 13 << QStringList{"Enter"} << int(mrOk);
    QTest::newRow("13 click SI") << 13 << QStringList{"click:SI"} << int(mrOk);
    QTest::newRow("13 Esc is NO") << 13 << QStringList{"Escape"} << int(mrNo);
    QTest::newRow("13 click NO") << 13 << QStringList{"click:NO"} << int(mrNo);
    QTest::newRow("13 Tab to NO, Enter") << 13 << QStringList{"Tab", "Return"} << int(mrNo);
    QTest::newRow("13 Right to NO, Space") << 13 << QStringList{"Right", "Space"} << int(mrNo);
    QTest::newRow("13 title bar") << 13 << QStringList{"close"} << int(mrCancel);

    QTest::newRow("15 Enter is SI") << 15 << QStringList{"Return"} << int(mrOk);
    QTest::newRow("15 Tab to NO, Enter") << 15 << QStringList{"Tab", "Return"} << int(mrCancel);
    QTest::newRow("15 click NO") << 15 << QStringList{"click:NO"} << int(mrCancel);
    QTest::newRow("15 Tab Tab to Annulla, Enter") << 15 << QStringList{"Tab", "Tab", "Return"} << int(mrNo);
    QTest::newRow("15 Left wraps to Annulla") << 15 << QStringList{"Left", "Return"} << int(mrNo);
    QTest::newRow("15 click Annulla") << 15 << QStringList{"click:Annulla"} << int(mrNo);
    QTest::newRow("15 Esc does nothing") << 15 << QStringList{"Escape", "Return"} << int(mrOk);
    QTest::newRow("15 title bar") << 15 << QStringList{"close"} << int(mrCancel);
}

void ShellTest::messageWindowAnswers() {
    QFETCH(int, form);
    QFETCH(QStringList, steps);
    QFETCH(int, expected);

    auto dialog = makeMessageWindow(form);
    bool wasModal = false;
    QCOMPARE(runModal(*dialog, steps, &wasModal), expected);
    QVERIFY(wasModal);
    QVERIFY(!dialog->isVisible());
}

void ShellTest::messageWindowLook_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<QString>("defaultText");

    QTest::newRow("TForm12") << 12 << QStringList{"OK"} << "OK" << QString();
    QTest::newRow("TForm13") << 13 << QStringList{"SI", "NO"} << "SI"
                             << "Si desidera terminare la sessione di lavoro?";
    QTest::newRow("TForm15") << 15 << QStringList{"SI", "NO", "Annulla"} << "SI"
                             << "Si desidera terminare la sessione di lavoro?";
}

void ShellTest::messageWindowLook() {
    QFETCH(int, form);
    QFETCH(QStringList, buttons);
    QFETCH(QString, defaultButton);
    QFETCH(QString, defaultText);

    auto dialog = makeMessageWindow(form);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    QCOMPARE(dialog->windowTitle(), QStringLiteral("Attenzione!"));
    QCOMPARE(dialog->size(), QSize(281, 103));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QCOMPARE(dialog->text(), defaultText);

    // Buttons left to right in the given order, all inside the client area.
    QList<QPushButton*> found = dialog->findChildren<QPushButton*>();
    std::sort(found.begin(), found.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* b : found) {
        captions << b->text();
        QVERIFY(dialog->rect().contains(b->geometry()));
    }
    QCOMPARE(captions, buttons);
    QVERIFY(dialog->button(defaultButton)->isDefault());
    QCOMPARE(dialog->focusWidget(), dialog->button(defaultButton));
}

void ShellTest::longWarningFitsTheWindow_data() {
    QTest::addColumn<QString>("message");
    QTest::newRow("750 mc") << QStringLiteral(
        "La domanda di condono è improcedibile perché il volume della nuova "
        "costruzione o dell'ampliamento è superiore a 750 mc.");
    // Longer than any warning of the program: the text must shrink rather than be cut.
    QTest::newRow("two warnings") << QStringLiteral(
        "La domanda di condono è improcedibile perché il volume totale è superiore a 3000 mc. "
        "La domanda di condono dovrà essere corredata da una perizia giurata sulle "
        "dimensioni e sullo stato delle opere.");
}

void ShellTest::longWarningFitsTheWindow() {
    QFETCH(QString, message);
    MessageWindow dialog(MessageKind::Warning);
    dialog.setText(message);
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(label);
    QCOMPARE(label->text(), message);
    QVERIFY(label->wordWrap());
    QVERIFY(label->alignment() & Qt::AlignVCenter);
    const QRect needed = QFontMetrics(label->font())
                             .boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, message);
    QVERIFY2(needed.height() <= label->height(),
             qPrintable(QStringLiteral("needs %1 px, has %2").arg(needed.height()).arg(label->height())));
    // The text must not run into the buttons.
    QVERIFY(label->geometry().bottom() < dialog.BitBtn1->geometry().top());
}

void ShellTest::messageWindowsCentreOnOwner() {
    QWidget owner;
    owner.setGeometry(100, 120, 792, 546);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    MessageWindow dialog(MessageKind::Question, &owner);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint offset = dialog.frameGeometry().center() - owner.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4,
             qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
}

void ShellTest::questionShowsRealWindowOutsideTestMode() {
    const QString question = QStringLiteral("Salvare le modifiche apportate ai parametri?");
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<MessageWindow*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("Form13")) return;
        shownText = dialog->text();
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(-100);
    });
    guard.start(5000);
    QCOMPARE(MessageWindows::question(nullptr, question), int(mrNo));
    QCOMPARE(shownText, question);
    QCOMPARE(MessageWindows::shownMessages(), QStringList{question});
}

void ShellTest::testModeAnswersFromQueue() {
    MessageWindows::setNextAnswers({mrNo, mrCancel});
    QVERIFY(MessageWindows::testMode());
    QCOMPARE(MessageWindows::question(nullptr, "uno"), int(mrNo));
    QCOMPARE(MessageWindows::question3(nullptr, "due"), int(mrCancel));
    // An empty queue answers with the default button instead of blocking on a window.
    QCOMPARE(MessageWindows::question(nullptr, "tre"), int(mrOk));
    MessageWindows::warning(nullptr, "avviso");
    QCOMPARE(MessageWindows::shownMessages(), (QStringList{"uno", "due", "tre", "avviso"}));

    // A warning takes its place in the queue of answers.
    MessageWindows::setNextAnswers({mrOk, mrNo});
    MessageWindows::warning(nullptr, "avviso");
    QCOMPARE(MessageWindows::question(nullptr, "quattro"), int(mrNo));

    MessageWindows::clearShown();
    QVERIFY(MessageWindows::shownMessages().isEmpty());
}

void ShellTest::guardedReportsEveryFailure_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("message");

    QTest::newRow("success") << 0 << true << QString();
    QTest::newRow("conversion error") << 1 << false << "'1.234,5' is not a valid floating point value";
    QTest::newRow("file error") << 2 << false << "File not found";
    QTest::newRow("std exception") << 3 << false << "guasto";
    QTest::newRow("unknown") << 4 << false << "Errore imprevisto: l'operazione è stata interrotta.";
}

void ShellTest::guardedReportsEveryFailure() {
    QFETCH(int, kind);
    QFETCH(bool, succeeds);
    QFETCH(QString, message);

    MessageWindows::setNextAnswers({});
    bool finished = false;
    const bool ok = guarded(nullptr, [&] {
        switch (kind) {
        case 1:
            throw ConversionError(QStringLiteral("'1.234,5' is not a valid floating point value"));
        case 2:
            throw IoError(QStringLiteral("File not found"));
        case 3:
            throw std::runtime_error("guasto");
        case 4:
            throw 42;
        }
        finished = true;
    });
    QCOMPARE(ok, succeeds);
    QCOMPARE(finished, succeeds);
    QCOMPARE(MessageWindows::shownMessages(), succeeds ? QStringList() : QStringList{message});
}

void ShellTest::aboutClosesOnKey_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Tab") << int(Qt::Key_Tab);
    QTest::newRow("F1") << int(Qt::Key_F1);
}

void ShellTest::aboutClosesOnKey() {
    QFETCH(int, key);
    AboutWindow about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QWidget* target = about.focusWidget() ? about.focusWidget() : &about;
    QTest::keyClick(target, Qt::Key(key));
    QVERIFY(!about.isVisible());
}

void ShellTest::aboutClosesOnClick_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("window") << "";
    QTest::newRow("title") << "Label1";
    QTest::newRow("subtitle") << "Label2";
    QTest::newRow("credits") << "Label3";
    QTest::newRow("main picture") << "Image1";
}

void ShellTest::aboutClosesOnClick() {
    QFETCH(QString, target);
    AboutWindow about;
    QCOMPARE(runModal(about, {"press:" + target}), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
}

void ShellTest::splashClosesByTimerOnly() {
    SplashWindow splash;
    QVERIFY(splash.Timer1);
    QCOMPARE(splash.Timer1->interval(), 3000);
    QVERIFY(splash.Timer1->isSingleShot());
    QVERIFY(!splash.Timer1->isActive());

    // Shortened so the test does not wait three seconds; Esc must not end it early.
    splash.Timer1->setInterval(300);
    bool stillUpAfterEsc = false;
    QTimer::singleShot(50, &splash, [&] {
        QWidget* target = splash.focusWidget() ? splash.focusWidget() : &splash;
        QTest::keyClick(target, Qt::Key_Escape);
        stillUpAfterEsc = splash.isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runModal(splash, {}), int(QDialog::Accepted));
    QVERIFY(stillUpAfterEsc);
    // Coarse timers may fire up to 5 % early.
    QVERIFY(clock.elapsed() >= 280);
}

void ShellTest::splashAndAboutShareTexts() {
    SplashWindow splash;
    AboutWindow about;
    for (SplashView* view : {static_cast<SplashView*>(&splash), static_cast<SplashView*>(&about)}) {
        QVERIFY(view->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(view->palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(view->Label1->text(), QStringLiteral("Quadrelo 2004"));
        QCOMPARE(view->Label2->text(),
                 QStringLiteral("SOFTWARE PER LA COMPILAZIONE DELLE PRATICHE DI CONDONO EDILIZIO "
                                "(D.L. 30/09/2003 N.269, CONVERTITO IN LEGGE 24/11/2003, n.326)"));
        QVERIFY(!view->Label3->text().isEmpty());
        QVERIFY(view->Image1 && view->Image2);
        // Every text and picture lies inside the window.
        for (QWidget* w : {static_cast<QWidget*>(view->Label1), static_cast<QWidget*>(view->Label2),
                           static_cast<QWidget*>(view->Label3), static_cast<QWidget*>(view->Image1),
                           static_cast<QWidget*>(view->Image2)})
            QVERIFY(view->rect().contains(w->geometry()));
    }
    QVERIFY(!about.findChild<QTimer*>());
}

void ShellTest::helpMissingFileExplainsWhy() {
    CurrentDirectory keep;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));

    HelpWindow help;
    QVERIFY(!help.load());
    QVERIFY(!help.isLoaded());
    QVERIFY(help.headings().isEmpty());
    const QString shown = help.browser()->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("Impossibile aprire la guida quadrelo.hlp: ")), qPrintable(shown));
    // The reason says where the guide was looked for.
    QVERIFY2(shown.contains(QDir::toNativeSeparators(QDir(dir.path()).canonicalPath())) ||
                 shown.contains(QDir::toNativeSeparators(dir.path())),
             qPrintable(shown));
    QVERIFY(help.errorText().startsWith(QStringLiteral("Impossibile aprire la guida quadrelo.hlp: ")));
    QVERIFY(!help.canGoBack() && !help.canGoForward());
}

void ShellTest::helpOpenContentsReloadsOnceFileExists() {
    CurrentDirectory keep;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));

    HelpWindow::openContents(nullptr);
    HelpWindow* first = HelpWindow::instance();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Guida in linea - Quadrelo 2004"));
    QVERIFY(!first->isLoaded());

    QCOMPARE(
        writeFile(dir.filePath("quadrelo.hlp"),
                  "<html><head><meta charset=\"utf-8\"></head><body><h1>Guida</h1>"
                  "<h2>Novit\xc3\xa0</h2><p>uno</p><h3>Dettaglio</h3><h2>Menu \xc2\xabPratiche\xc2\xbb</h2>"
                  "</body></html>"),
        QString());
    HelpWindow::openContents(nullptr);
    // Still the one window, now with the guide in it.
    QCOMPARE(HelpWindow::instance(), first);
    QVERIFY(first->isLoaded());
    QCOMPARE(first->headings(), (QStringList{QStringLiteral("Novità"), QStringLiteral("Menu «Pratiche»")}));
}

void ShellTest::helpNavigationAndSearch() {
    CurrentDirectory keep;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray html = "<html><head><meta charset=\"utf-8\"></head><body>";
    for (int section = 1; section <= 3; ++section) {
        html += "<h2>Sezione " + QByteArray::number(section) + "</h2>";
        for (int i = 0; i < 60; ++i)
            html += "<p>Riga " + QByteArray::number(i) + " della sezione.</p>";
        if (section == 3) html += "<p>oblazione forfettaria</p>";
    }
    html += "</body></html>";
    QCOMPARE(writeFile(dir.filePath("guida.html"), html), QString());

    HelpWindow help;
    help.resize(700, 400);
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY(help.load(dir.filePath("guida.html")));
    QCOMPARE(help.headings(), (QStringList{"Sezione 1", "Sezione 2", "Sezione 3"}));

    QScrollBar* bar = help.browser()->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    QVERIFY(!help.canGoBack());

    // Enter on a line of the contents jumps to its section.
    auto* contents = help.findChild<QListWidget*>(QStringLiteral("Sommario"));
    QVERIFY(contents);
    contents->setFocus();
    contents->setCurrentRow(2);
    QTest::keyClick(contents, Qt::Key_Return);
    const int third = bar->value();
    QVERIFY(third > 0);
    QVERIFY(help.canGoBack());

    help.showHeading(1);
    const int second = bar->value();
    QVERIFY(second > 0 && second < third);

    help.goBack();
    QCOMPARE(bar->value(), third);
    help.goBack();
    QCOMPARE(bar->value(), 0);
    QVERIFY(!help.canGoBack());
    help.goForward();
    QCOMPARE(bar->value(), third);
    QVERIFY(help.canGoForward());
    // A new jump from the middle of the history drops what lay ahead.
    help.showHeading(0);
    QVERIFY(!help.canGoForward());
    help.goBack();
    QCOMPARE(bar->value(), third);

    QVERIFY(help.findText(QStringLiteral("oblazione forfettaria")));
    QCOMPARE(help.browser()->textCursor().selectedText(), QStringLiteral("oblazione forfettaria"));
    // Found again from the start after the end of the text.
    QVERIFY(help.findText(QStringLiteral("oblazione forfettaria")));
    QVERIFY(!help.findText(QStringLiteral("inesistente")));

    // The search field finds on Enter and moves the contents to the section of the hit.
    auto* search = help.findChild<QLineEdit*>(QStringLiteral("Cerca"));
    QVERIFY(search);
    contents->setCurrentRow(0);
    search->setText(QStringLiteral("forfettaria"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(contents->currentRow(), 2);
}

void ShellTest::shippedGuideCoversTabsAndMenus() {
    HelpWindow help;
    QVERIFY(help.load(QStringLiteral(QUADRELO_SOURCE_DIR "/help/quadrelo.hlp")));
    const QString text = help.browser()->toPlainText();
    const QStringList mustMention = {"Richiedente",
                                     "Immobile",
                                     "Illecito",
                                     "Tipologia abuso",
                                     "Calcolo oblazione",
                                     "Calcolo anticipazione oneri",
                                     "Riepilogo versamenti",
                                     "Aree dello Stato",
                                     "Allegati",
                                     "Pratiche",
                                     "Stampe",
                                     "Parametri",
                                     "Help",
                                     "31/03/2003",
                                     "750 mc",
                                     "3000 mc",
                                     "450 mc",
                                     "30%",
                                     "taba.dat",
                                     "tabb.dat",
                                     "tabc.dat",
                                     "tabd.dat",
                                     "tec.dat",
                                     ".qdr"};
    for (const QString& word : mustMention)
        QVERIFY2(text.contains(word), qPrintable(word));
    QVERIFY(help.headings().size() >= 9);
    for (const QString& heading : help.headings())
        QVERIFY2(!heading.contains(QChar::ReplacementCharacter), qPrintable(heading));
}

void ShellTest::toolIconsAreDistinctAndSized() {
    const QStringList ids = {"nuova",       "apri",    "salva",       "istanza", "antimafia",
                             "statolavori", "perizia", "statica",     "sismica", "tecnica",
                             "ici",         "rifiuti", "occupazione", "guida"};
    QCOMPARE(toolIconIds(), ids);
    QList<QImage> images;
    for (const QString& id : ids) {
        const QIcon icon = toolIcon(id);
        QVERIFY2(!icon.isNull(), qPrintable(id));
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY2(sizes.contains(QSize(24, 24)) && sizes.contains(QSize(48, 48)), qPrintable(id));
        for (int size : {24, 48}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // Something is drawn, and not over the whole square.
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            QVERIFY2(opaque > size * size / 8 && opaque < size * size, qPrintable(id));
        }
        images << icon.pixmap(48, 48).toImage();
    }
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j], qPrintable(ids[i] + " = " + ids[j]));
    QVERIFY(toolIcon(QStringLiteral("sconosciuta")).isNull());
    QVERIFY(!appIcon().isNull());
}

void ShellTest::programStyleLooksAsItsBase_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("titled") << "Dati del richiedente" << false << false << true;
    QTest::newRow("untitled") << "" << false << false << true;
    QTest::newRow("checkable") << "Dati del richiedente" << true << false << true;
    QTest::newRow("untitled checkable") << "" << true << false << true;
    QTest::newRow("flat") << "Dati del richiedente" << false << true << true;
    QTest::newRow("disabled") << "Dati del richiedente" << false << false << false;
}

// The pictures it reads itself are the toolkit's own, drawn where the toolkit draws them.
void ShellTest::programStyleLooksAsItsBase() {
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    QFETCH(bool, flat);
    QFETCH(bool, enabled);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
    auto draw = [&](QStyle* style) {
        QGroupBox box(title);
        box.setStyle(style);
        box.setCheckable(checkable);
        box.setFlat(flat);
        box.setEnabled(enabled);
        auto* field = new QLineEdit(QStringLiteral("Sant'Omero"));
        field->setStyle(style);
        (new QVBoxLayout(&box))->addWidget(field);
        box.resize(260, 90);
        return box.grab().toImage();
    };
    QCOMPARE(draw(&program), draw(fusion.get()));

    for (const QStyle::StandardPixmap arrow :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon ours = program.standardIcon(arrow), theirs = fusion->standardIcon(arrow);
        QCOMPARE(ours.availableSizes(), theirs.availableSizes());
        for (const QSize& size : theirs.availableSizes())
            QCOMPARE(ours.pixmap(size).toImage(), theirs.pixmap(size).toImage());
    }
}

void ShellTest::programStyleLinesAsItsBase_data() {
    QTest::addColumn<int>("element"); // a control element, or -1 - a primitive
    QTest::addColumn<int>("shapeOrLine");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("clipped");
    const int toolBar = QStyle::CE_ToolBar, frame = -1 - int(QStyle::PE_FrameTabWidget);
    QTest::newRow("main tool bar") << toolBar << int(QStyleOptionToolBar::OnlyOne) << QSize(792, 39) << false;
    QTest::newRow("tool bar, first line")
        << toolBar << int(QStyleOptionToolBar::Beginning) << QSize(400, 39) << false;
    QTest::newRow("page frame") << frame << int(QTabBar::RoundedNorth) << QSize(792, 455) << false;
    QTest::newRow("page frame, below") << frame << int(QTabBar::RoundedSouth) << QSize(300, 200) << false;
    QTest::newRow("page frame, partly covered")
        << frame << int(QTabBar::RoundedNorth) << QSize(792, 455) << true;
    QTest::newRow("page frame, smallest") << frame << int(QTabBar::RoundedNorth) << QSize(5, 5) << false;
    QTest::newRow("page frame, narrower") << frame << int(QTabBar::RoundedNorth) << QSize(4, 9) << false;
    QTest::newRow("page frame, tiny") << frame << int(QTabBar::RoundedNorth) << QSize(2, 3) << false;
    const int lineEdit = -1 - int(QStyle::PE_FrameLineEdit);
    QTest::newRow("field") << lineEdit << 0 << QSize(279, 22) << false;
    QTest::newRow("field with the focus") << lineEdit << 1 << QSize(279, 22) << false;
    QTest::newRow("field, partly covered") << lineEdit << 0 << QSize(44, 22) << true;
}

// The lines it fills itself are the pixels Fusion strokes, whatever part of them is uncovered,
// at any scale of the screen.
void ShellTest::programStyleLinesAsItsBase() {
    QFETCH(int, element);
    QFETCH(int, shapeOrLine);
    QFETCH(QSize, size);
    QFETCH(bool, clipped);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
    // Darker than the standard colours, so that every translucent line shows.
    const QPalette palette(QColor(150, 140, 130));
    auto draw = [&](QStyle* style, qreal scale) {
        QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(palette.window().color());
        QPainter painter(&image);
        if (clipped)
            painter.setClipRegion(
                QRegion(QRect(QPoint(), size)).subtracted(QRect(QPoint(2, 2), size - QSize(4, 6))));
        if (element >= 0) {
            QStyleOptionToolBar option;
            option.rect = QRect(QPoint(), size);
            option.palette = palette;
            option.state = QStyle::State_Enabled | QStyle::State_Horizontal;
            option.toolBarArea = Qt::TopToolBarArea;
            option.positionOfLine = QStyleOptionToolBar::ToolBarPosition(shapeOrLine);
            style->drawControl(QStyle::ControlElement(element), &option, &painter);
        } else if (element == -1 - int(QStyle::PE_FrameLineEdit)) {
            QStyleOptionFrame option;
            option.rect = QRect(QPoint(), size);
            option.palette = palette;
            option.state =
                QStyle::State_Enabled | (shapeOrLine ? QStyle::State_HasFocus : QStyle::State_None);
            option.lineWidth = 1;
            style->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter);
        } else {
            QStyleOptionTabWidgetFrame option;
            option.rect = QRect(QPoint(), size);
            option.palette = palette;
            option.shape = QTabBar::Shape(shapeOrLine);
            style->drawPrimitive(QStyle::PrimitiveElement(-1 - element), &option, &painter);
        }
        return image;
    };
    // On a scaled screen too, where a filled row and a stroked line part.
    for (const qreal scale : {1.0, 1.5, 2.0})
        QCOMPARE(draw(&program, scale), draw(fusion.get(), scale));
}

// The start reads the fonts on a thread: whether the program ends before its window or the window
// comes, the thread ends, and the window gets the interface face.
void ShellTest::fontThreadEndsEitherWay() {
    const QFont before = QApplication::font();
    startReadingFontConfiguration();
    waitForInterfaceFont(); // no application object signalled: the thread stops
    QCOMPARE(QApplication::font(), before);

    startReadingFontConfiguration();
    applyInterfaceFont(*qApp);
    waitForInterfaceFont();
    QCOMPARE(QApplication::font().family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QApplication::font().pointSize(), 9);
}

QTEST_MAIN(ShellTest)
#include "gui_test_shell.moc"
