// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "main_window.h"

#include "documents/document_checks.h"
#include "form_binding.h"
#include "help_window.h"
#include "mnemonics.h"
#include "page_control.h"
#include "pages.h"
#include "practice_file/open_practice.h"
#include "practice_file/practice_file.h"
#include "practice_file/recovery_copy.h"
#include "record/catalogue.h"
#include "splash_window.h"
#include "startup/startup.h"
#include "ui/archive/archive_window.h"
#include "ui/common/error_box.h"
#include "ui/common/field_widgets.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/icons.h"
#include "ui/common/interface_font.h"
#include "ui/common/message_windows.h"
#include "ui/documents/sign_documents.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace quadrelo {

namespace {

// The commands of the menus other than the documents, in their order; a null caption is a
// separator. Each calls its handler directly; the handler's name is the command's key.
struct MenuEntry {
    const char* objectName;
    const char* caption;
    const char* handler;
    void (MainWindow::*run)();
    const char* shortcut = nullptr; // QKeySequence's portable text
};

const MenuEntry kSeparator{nullptr, nullptr, nullptr, nullptr};

constexpr int kToolIconSide = 24;

const MenuEntry kPratiche[] = {
    // Safe now that a changed practice is asked about before it goes.
    {"Nuova", "&Nuova", "Nuova1Click", &MainWindow::Nuova1Click, "Ctrl+N"},
    {"Apri", "&Apri", "Apri1Click", &MainWindow::Apri1Click, "Ctrl+O"},
    {"Salva", "&Salva", "Salva1Click", &MainWindow::Salva1Click, "Ctrl+S"},
    {"Salvaconnome1", "Sal&va con nome", "Salvaconnome1Click", &MainWindow::Salvaconnome1Click},
    kSeparator,
    {"Archiviopratiche1", "A&rchivio pratiche…", "Archiviopratiche1Click",
     &MainWindow::Archiviopratiche1Click, "Ctrl+Shift+A"},
    kSeparator,
    {"Ristampa1", "&Imposta stampante", "Ristampa1Click", &MainWindow::Ristampa1Click},
    kSeparator,
    {"Esci1", "&Esci", "Esci1Click", &MainWindow::Esci1Click},
};

const MenuEntry kParametri[] = {
    {"TabellaA1", "Tabella &A", "TabellaA1Click", &MainWindow::TabellaA1Click},
    {"TabellaB1", "Tabella &B", "TabellaB1Click", &MainWindow::TabellaB1Click},
    {"TabellaC1", "Tabella &C", "TabellaC1Click", &MainWindow::TabellaC1Click},
    {"TabellaD1", "Tabella &D", "TabellaD1Click", &MainWindow::TabellaD1Click},
    kSeparator,
    {"Datideltecnico1", "Dati del &tecnico", "Datideltecnico1Click", &MainWindow::Datideltecnico1Click},
};

const MenuEntry kHelp[] = {
    {"Help", "&Guida in linea", "Guidainlinea1Click", &MainWindow::Guidainlinea1Click, "F1"},
    {"Informazioni1", "&Informazioni", "Informazioni1Click", &MainWindow::Informazioni1Click},
};

} // namespace

MainWindow::MainWindow(bool showSplash, HiddenPages hiddenPages, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    FormCreate(showSplash, hiddenPages);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    finishDrawingAhead();
    // A normal end: the recovery copy goes (OpenPractice's destructor).
    // The widgets go before the practice they forward to.
    binding_->detach();
    delete takeCentralWidget();
}

void MainWindow::FormCreate(bool showSplash, HiddenPages hiddenPages) {
    if (showSplash) {
        waitForInterfaceFont();
        SplashWindow splash(this);
        splash.exec();
    }
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    drawToolIconsAhead(qRound(kToolIconSide * devicePixelRatioF()));
    setWindowIcon(appIcon());

    buildMenus();
    buildToolBar();
    // The pages are the first to measure text.
    waitForInterfaceFont();
    buildPages(hiddenPages);

    form_.setUserInterface(this);
    guarded(this, [this] { Inizializzazione(form_); });
    // Never in the work folder, which others may share: in the user's own folder.
    open_ = std::make_unique<OpenPractice>(form_, RecoveryCopy::defaultFolder());
    // The practice on screen is untouched; the copy is tried again after the interval.
    connect(open_.get(), &OpenPractice::recoveryFailed, this, [this](const QString& message) {
        statusBar()->showMessage(QStringLiteral("%1 La copia di recupero si ritenta ogni %2 secondi.")
                                     .arg(message)
                                     .arg(open_->recoveryInterval() / 1000));
    });
    reload();
    PageControl1->setCurrentIndex(PageRichiedente);
    focusControl(QStringLiteral("Edit1"));

    // Client area 792 x 546 below the menu bar, centred on the screen; never larger than the
    // screen: on a small or scaled one the pages scroll inside the window instead.
    QSize size(792, 546 + menuBar()->sizeHint().height());
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        size = size.boundedTo(screen->availableGeometry().size() - frame);
    }
    resize(size);
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QAction* MainWindow::command(const QString& objectName, const QString& caption, const QString& handler,
                             const std::function<void()>& run) {
    auto* action = new QAction(caption, this);
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, run);
    commands_.insert(handler, action);
    return action;
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    auto add = [this](QMenu* menu, const MenuEntry& e) {
        if (!e.caption) {
            menu->addSeparator();
            return;
        }
        QAction* action = command(QLatin1String(e.objectName), QString::fromUtf8(e.caption),
                                  QLatin1String(e.handler), [this, run = e.run] { (this->*run)(); });
        if (e.shortcut) action->setShortcut(QKeySequence(QLatin1String(e.shortcut)));
        menu->addAction(action);
    };
    auto menu = [this](const QString& title, const QString& objectName) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(objectName);
        return m;
    };
    QMenu* pratiche = menu(QStringLiteral("&Pratiche"), QStringLiteral("Pratiche1"));
    for (const MenuEntry& e : kPratiche)
        add(pratiche, e);
    QMenu* stampe = menu(QStringLiteral("&Stampe"), QStringLiteral("Stampe1"));
    for (const DocumentCommand& d : documentCommands()) {
        if (d.startsGroup) stampe->addSeparator();
        QAction* action = command(d.objectName, d.caption, d.handler, [this, &d] { runDocumentCommand(d); });
        if (!d.shortcut.isEmpty()) action->setShortcut(QKeySequence(d.shortcut));
        stampe->addAction(action);
    }
    // Signing prints nothing: an action of its own beside the table of documents.
    stampe->addSeparator();
    QAction* signing = stampe->addAction(QStringLiteral("Firma &documenti…"));
    signing->setObjectName(QStringLiteral("Firmadocumenti1"));
    connect(signing, &QAction::triggered, this, [this] {
        auto* dialog = new SignDocumentsDialog(this, form_);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    QMenu* parametri = menu(QStringLiteral("P&arametri"), QStringLiteral("Parametri1"));
    for (const MenuEntry& e : kParametri)
        add(parametri, e);
    QMenu* help = menu(QStringLiteral("&Help"), QStringLiteral("Help1"));
    for (const MenuEntry& e : kHelp)
        add(help, e);
    Nuova = commands_.value(QStringLiteral("Nuova1Click"));
    Apri = commands_.value(QStringLiteral("Apri1Click"));
    Salva = commands_.value(QStringLiteral("Salva1Click"));
    Help = commands_.value(QStringLiteral("Guidainlinea1Click"));
    buildRecentMenu();
}

void MainWindow::buildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("Barra degli strumenti"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(kToolIconSide, kToolIconSide));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Buttons are numbered left to right; a shared action keeps its menu item's text.
    int number = 0;
    auto add = [this, &number](QAction* action, const QString& hint, const QString& icon) {
        ++number;
        action->setIcon(toolIcon(icon));
        action->setToolTip(hint);
        action->setStatusTip(hint);
        ToolBar1->addAction(action);
        if (QWidget* button = ToolBar1->widgetForAction(action))
            button->setObjectName(QStringLiteral("ToolButton%1").arg(number));
    };
    add(Nuova, QStringLiteral("Nuova pratica"), QStringLiteral("nuova"));
    add(Apri, QStringLiteral("Apri pratica"), QStringLiteral("apri"));
    add(Salva, QStringLiteral("Salva pratica"), QStringLiteral("salva"));
    ToolBar1->addSeparator();
    for (const DocumentCommand& d : documentCommands()) {
        if (d.icon.isEmpty()) continue;
        if (d.startsGroup) ToolBar1->addSeparator();
        const QString hint = d.toolTip.isEmpty() ? QString(d.caption).remove(QLatin1Char('&')) : d.toolTip;
        add(command(QStringLiteral("ToolAction%1").arg(number + 1), hint, d.handler,
                    [this, &d] { runDocumentCommand(d); }),
            hint, d.icon);
    }
    ToolBar1->addSeparator();
    add(Help, QStringLiteral("Guida in linea"), QStringLiteral("guida"));
    // Menu entries keep their text but show no tool-bar picture.
    for (QAction* shared : {Nuova, Apri, Salva, Help})
        shared->setIconVisibleInMenu(false);
    // The archive beside the file commands; the numbered buttons keep their names.
    QAction* archive = commands_.value(QStringLiteral("Archiviopratiche1Click"));
    archive->setIcon(archiveIcon());
    archive->setIconVisibleInMenu(false);
    archive->setToolTip(QStringLiteral("Archivio pratiche"));
    archive->setStatusTip(QStringLiteral("Archivio pratiche"));
    const QList<QAction*> tools = ToolBar1->actions();
    ToolBar1->insertAction(tools.value(tools.indexOf(Salva) + 1), archive);
    if (QWidget* button = ToolBar1->widgetForAction(archive))
        button->setObjectName(QStringLiteral("ArchiveToolButton"));
}

namespace {

QWidget* (*const pageBuilders[])(FormBinding&) = {
    buildApplicantPage, buildPropertyPage, buildOffencePage,   buildTypologyPage,   buildOblationPage,
    buildAdvancePage,   buildSummaryPage,  buildStateLandPage, buildAttachmentsPage};

// Input that must find every page in place.
bool needsEveryPage(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

void MainWindow::buildPages(HiddenPages hiddenPages) {
    PageControl1 = new PageControl;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    binding_ = new FormBinding(
        form_, this, [this](const FormBinding::Action& action) { runUserAction(action); },
        [this](int page) { showPage(page); });
    const QStringList titles = pageTitles();
    for (int i = 0; i < PageCount; ++i) {
        if (hiddenPages == HiddenPages::AfterFirstPaint && i != PageRichiedente) {
            PageControl1->addWaitingPage(titles.at(i));
            waitingPages_ << i;
        } else {
            PageControl1->addPage(pageBuilders[i](*binding_), titles.at(i));
        }
    }
    setCentralWidget(PageControl1);
    if (waitingPages_.isEmpty())
        giveMnemonics(PageControl1, menuBar(), binding_->controls());
    else
        qApp->installEventFilter(this);

    // Page switching from anywhere in the window.
    const std::pair<QKeySequence, bool> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), true},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), false},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), false},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), true},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), false},
    };
    for (const auto& [key, forward] : keys) {
        auto* shortcut = new QShortcut(key, this);
        if (forward)
            connect(shortcut, &QShortcut::activated, PageControl1, &PageControl::nextPage);
        else
            connect(shortcut, &QShortcut::activated, PageControl1, &PageControl::previousPage);
    }
}

void MainWindow::buildWaitingPages() {
    if (waitingPages_.isEmpty()) return;
    qApp->removeEventFilter(this);
    const QList<int> pages = std::exchange(waitingPages_, {});
    for (int i : pages)
        PageControl1->setPage(i, pageBuilders[i](*binding_));
    giveMnemonics(PageControl1, menuBar(), binding_->controls());
    // The new controls show the practice as it is now; the others are already up to date.
    binding_->load();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!waitingPages_.isEmpty()) {
        if (needsEveryPage(event->type())) {
            buildWaitingPages();
        } else if (event->type() == QEvent::Paint && watched == PageControl1) {
            // Queued: the first frame is flushed to the screen before they are built. A second
            // paint before then queues a call that finds nothing left to build.
            QMetaObject::invokeMethod(this, &MainWindow::buildWaitingPages, Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::reload() {
    binding_->load();
    FileDialogs::setPractice(form_.currentFileName, form_.startDirectory);
    practiceChanged();
}

void MainWindow::runAction(const std::function<void()>& action) {
    guarded(this, action);
    reload();
}

void MainWindow::runUserAction(const std::function<void()>& action) {
    guarded(this, action);
    binding_->loadChanges();
    practiceChanged();
}

// --- commands -------------------------------------------------------------------------------

QStringList MainWindow::commandHandlers() {
    QStringList handlers;
    auto add = [&handlers](const QString& handler) {
        if (!handler.isEmpty() && !handlers.contains(handler)) handlers << handler;
    };
    for (const MenuEntry& e : kPratiche)
        add(QLatin1String(e.handler));
    for (const DocumentCommand& d : documentCommands())
        add(d.handler);
    for (const MenuEntry& e : kParametri)
        add(QLatin1String(e.handler));
    for (const MenuEntry& e : kHelp)
        add(QLatin1String(e.handler));
    return handlers;
}

void MainWindow::setCommandEnabled(const QString& handler, bool enabled) {
    for (QAction* action : commands_.values(handler))
        action->setEnabled(enabled);
}

bool MainWindow::isCommandEnabled(const QString& handler) const {
    const QList<QAction*> actions = commands_.values(handler);
    return !actions.isEmpty() &&
           std::all_of(actions.cbegin(), actions.cend(), [](QAction* a) { return a->isEnabled(); });
}

QList<QAction*> MainWindow::commandActions(const QString& handler) const {
    return commands_.values(handler);
}

void MainWindow::Nuova1Click() {
    if (!confirmDiscard()) return;
    runAction([this] {
        form_.Nuova1Click();
        markSaved(QByteArray());
    });
    showPage(PageRichiedente);
    // Ready to type the new applicant.
    focusControl(QStringLiteral("Edit1"));
}

void MainWindow::Esci1Click() {
    close();
}

void MainWindow::Informazioni1Click() {
    AboutWindow about(this);
    about.exec();
}

void MainWindow::Guidainlinea1Click() {
    // A file dialog may have moved the working directory; the guide lives where we started.
    if (!form_.startDirectory.isEmpty()) QDir::setCurrent(form_.startDirectory);
    HelpWindow::openContents(this);
}

// --- what the practice asks of the window -----------------------------------------------

void MainWindow::Attenzione(const QString& message) {
    MessageWindows::warning(this, message);
}

bool MainWindow::Uscita(const QString& question) {
    return MessageWindows::question(this, question) == mrNo;
}

bool MainWindow::Uscita2(const QString& question) {
    const int result = MessageWindows::question3(this, question);
    if (result == mrOk) Salvataggio();
    return result == mrNo;
}

void MainWindow::showPage(int page) {
    buildWaitingPages();
    PageControl1->setCurrentIndex(page);
}

void MainWindow::focusControl(const QString& control) {
    if (!binding_->control(control)) buildWaitingPages();
    if (QWidget* w = binding_->control(control))
        focusAsTab(w);
    else if (auto* found = findChild<QWidget*>(control))
        focusAsTab(found);
}

void MainWindow::beep() {
    QApplication::beep();
}

void MainWindow::reportError(const QString& message) {
    showErrorBox(this, message);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A changed practice asks about its changes instead; an unchanged one asks whether to quit.
    if (isModified() ? !confirmDiscard()
                     : Uscita(QStringLiteral("Si desidera terminare la sessione di lavoro?"))) {
        event->ignore();
        return;
    }
    open_->removeRecoveryCopy();
    event->accept();
}

} // namespace quadrelo
