// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "main_window.h"

#include "form_binding.h"
#include "help_window.h"
#include "mnemonics.h"
#include "page_control.h"
#include "pages.h"
#include "practice_file/practice_file.h"
#include "record/catalogue.h"
#include "recovery_copy.h"
#include "splash_window.h"
#include "startup/startup.h"
#include "ui/archive/archive_window.h"
#include "ui/common/error_box.h"
#include "ui/common/field_widgets.h"
#include "ui/common/file_dialogs.h"
#include "ui/common/icons.h"
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
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace quadrelo {

namespace {

// Commands of the menus, in their order; an empty caption is a separator. Items whose
// feature is not built yet are disabled until their handler is filled in.
struct MenuEntry {
    const char* objectName;
    const char* caption;
    const char* handler;
    bool enabled;
};

const MenuEntry kPratiche[] = {
    {"Nuova", "&Nuova", "Nuova1Click", true},
    {"Apri", "&Apri", "Apri1Click", false},
    {"Salva", "&Salva", "Salva1Click", false},
    {"Salvaconnome1", "Sal&va con nome", "Salvaconnome1Click", false},
    {nullptr, nullptr, nullptr, false},
    {"Archiviopratiche1", "A&rchivio pratiche…", "Archiviopratiche1Click", true},
    {nullptr, nullptr, nullptr, false},
    {"Ristampa1", "&Imposta stampante", "Ristampa1Click", false},
    {nullptr, nullptr, nullptr, false},
    {"Esci1", "&Esci", "Esci1Click", true},
};

const MenuEntry kStampe[] = {
    {"Riepilogopratica1", "&Fac-simile istanza", "Riepilogopratica1Click", false},
    {"Stampa1", "Dichiarazione &antimafia", "Stampa1Click", false},
    {"Dichiarazionesullostatodeilavori1", "Dichiarazione sullo stato dei &lavori",
     "Dichiarazionesullostatodeilavori1Click", false},
    {nullptr, nullptr, nullptr, false},
    {"Periziagiurata1", "&Perizia giurata", "Periziagiurata1Click", false},
    {"Certificazionediidoneitstatica2", "&Certificazione di idoneità statica",
     "Certificazionediidoneitstatica2Click", false},
    {"Certificazionediidoneitstatica1", "Certificazione relativa alle costruzioni in zona &sismica",
     "Certificazionediidoneitstatica1Click", false},
    {"Relazionetecnicadescrittiva1", "&Relazione tecnica descrittiva", "Relazionetecnicadescrittiva1Click",
     false},
    {nullptr, nullptr, nullptr, false},
    // The same dialog as the tool-bar button.
    {"FacsimiledenunciaaifinidellICI1", "Fac-simile denuncia ai fini dell'&I.C.I.", "ToolButton11Click",
     false},
    {"Denunciaaifinidellatassasmaltimentorifiuti1", "Denuncia per la &tassa smaltimento rifiuti",
     "Denunciaaifinidellatassasmaltimentorifiuti1Click", false},
    {"Denunciaperloccupazionesuolopubblico1", "Denuncia per &occupazione suolo pubblico",
     "Denunciaperloccupazionesuolopubblico1Click", false},
    {nullptr, nullptr, nullptr, false},
    {"Riepilogopratica2", "Ri&epilogo pratica", "Riepilogopratica2Click", false},
    {"Promemoriascadenze1", "Pro&memoria scadenze", "Promemoriascadenze1Click", false},
    {"Prospettorelativoallacquisizioneareepubbliche1", "Prospetto relativo all'acquisizione aree p&ubbliche",
     "Prospettorelativoallacquisizioneareepubbliche1Click", false},
};

const MenuEntry kParametri[] = {
    {"TabellaA1", "Tabella &A", "TabellaA1Click", false},
    {"TabellaB1", "Tabella &B", "TabellaB1Click", false},
    {"TabellaC1", "Tabella &C", "TabellaC1Click", false},
    {"TabellaD1", "Tabella &D", "TabellaD1Click", false},
    {nullptr, nullptr, nullptr, false},
    {"Datideltecnico1", "Dati del &tecnico", "Datideltecnico1Click", false},
};

const MenuEntry kHelp[] = {
    {"Help", "&Guida in linea", "Guidainlinea1Click", true},
    {"Informazioni1", "&Informazioni", "Informazioni1Click", true},
};

// Tool bar, left to right; a null hint is a separator. Buttons of a shared action use it.
struct ToolEntry {
    const char* hint;
    const char* handler;
    const char* icon;
};

const ToolEntry kToolBar[] = {
    {"Nuova pratica", "Nuova1Click", "nuova"},
    {"Apri pratica", "Apri1Click", "apri"},
    {"Salva pratica", "Salva1Click", "salva"},
    {nullptr, nullptr, nullptr},
    {"Fac-simile istanza", "Riepilogopratica1Click", "istanza"},
    {"Dichiarazione antimafia", "Stampa1Click", "antimafia"},
    {"Dichiarazione sullo stato dei lavori", "Dichiarazionesullostatodeilavori1Click", "statolavori"},
    {nullptr, nullptr, nullptr},
    {"Perizia giurata", "Periziagiurata1Click", "perizia"},
    {"Certificazione di idoneità statica", "Certificazionediidoneitstatica2Click", "statica"},
    {"Certificazione relativa alle costruzioni in zona sismica", "Certificazionediidoneitstatica1Click",
     "sismica"},
    {"Relazione tecnica descrittiva", "Relazionetecnicadescrittiva1Click", "tecnica"},
    {nullptr, nullptr, nullptr},
    {"Denuncia ai fini dell'I.C.I.", "ToolButton11Click", "ici"},
    {"Denuncia per la tassa smaltimento rifiuti", "Denunciaaifinidellatassasmaltimentorifiuti1Click",
     "rifiuti"},
    {"Denuncia per occupazione suolo pubblico", "Denunciaperloccupazionesuolopubblico1Click", "occupazione"},
    {nullptr, nullptr, nullptr},
    {"Guida in linea", "Guidainlinea1Click", "guida"},
};

} // namespace

MainWindow::MainWindow(bool showSplash, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    FormCreate(showSplash);
}

MainWindow::~MainWindow() {
    // A normal end: the recovery copy goes (RecoveryCopy's destructor).
    // The widgets go before the practice they forward to.
    binding_->detach();
    delete takeCentralWidget();
}

void MainWindow::FormCreate(bool showSplash) {
    if (showSplash) {
        SplashWindow splash(this);
        splash.exec();
    }
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    setWindowIcon(appIcon());

    buildMenus();
    buildToolBar();
    buildPages();

    form_.setUserInterface(this);
    guarded(this, [this] { Inizializzazione(form_); });
    // Never in the work folder, which others may share: in the user's own folder.
    recovery_ = std::make_unique<RecoveryCopy>();
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { writeRecoveryCopy(); });
    markSaved(QByteArray());
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

QAction* MainWindow::command(const QString& objectName, const QString& caption, const QString& handler) {
    auto* action = new QAction(caption, this);
    action->setObjectName(objectName);
    if (!handler.isEmpty()) {
        Q_ASSERT(metaObject()->indexOfSlot(QStringLiteral("%1()").arg(handler).toLatin1().constData()) >= 0);
        const QByteArray slot = handler.toLatin1();
        connect(action, &QAction::triggered, this,
                [this, slot] { QMetaObject::invokeMethod(this, slot.constData()); });
        commands_.insert(handler, action);
    }
    action->setEnabled(!handler.isEmpty());
    return action;
}

void MainWindow::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    auto fill = [this](const QString& title, const QString& objectName, const auto& entries) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setObjectName(objectName);
        for (const MenuEntry& e : entries) {
            if (!e.caption) {
                menu->addSeparator();
                continue;
            }
            QAction* action =
                command(QLatin1String(e.objectName), QString::fromUtf8(e.caption), QLatin1String(e.handler));
            menu->addAction(action);
        }
    };
    fill(QStringLiteral("&Pratiche"), QStringLiteral("Pratiche1"), kPratiche);
    fill(QStringLiteral("&Stampe"), QStringLiteral("Stampe1"), kStampe);
    // Signing prints nothing: an action of its own beside the table of documents.
    if (auto* documents = menuBar()->findChild<QMenu*>(QStringLiteral("Stampe1"))) {
        documents->addSeparator();
        QAction* signing = documents->addAction(QStringLiteral("Firma &documenti…"));
        signing->setObjectName(QStringLiteral("Firmadocumenti1"));
        connect(signing, &QAction::triggered, this, [this] {
            auto* dialog = new SignDocumentsDialog(this, form_);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->open();
        });
    }
    fill(QStringLiteral("P&arametri"), QStringLiteral("Parametri1"), kParametri);
    fill(QStringLiteral("&Help"), QStringLiteral("Help1"), kHelp);
    Nuova = commands_.value(QStringLiteral("Nuova1Click"));
    Apri = commands_.value(QStringLiteral("Apri1Click"));
    Salva = commands_.value(QStringLiteral("Salva1Click"));
    Help = commands_.value(QStringLiteral("Guidainlinea1Click"));
    Apri->setShortcut(QKeySequence::Open);
    Salva->setShortcut(QKeySequence::Save);
    Help->setShortcut(QKeySequence::HelpContents);
    // Safe now that a changed practice is asked about before it goes.
    Nuova->setShortcut(QKeySequence::New);
    commands_.value(QStringLiteral("Archiviopratiche1Click"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    buildRecentMenu();
}

void MainWindow::buildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("Barra degli strumenti"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    int number = 0;
    for (const ToolEntry& e : kToolBar) {
        if (!e.hint) {
            ToolBar1->addSeparator();
            continue;
        }
        const QString hint = QString::fromUtf8(e.hint);
        const QString handler = QLatin1String(e.handler);
        ++number;
        QAction* action = nullptr;
        if (handler == QLatin1String("Apri1Click"))
            action = Apri;
        else if (handler == QLatin1String("Salva1Click"))
            action = Salva;
        else if (handler == QLatin1String("Guidainlinea1Click"))
            action = Help;
        else if (handler == QLatin1String("Nuova1Click"))
            action = Nuova;
        else
            action = command(QStringLiteral("ToolAction%1").arg(number), hint, handler);
        action->setIcon(toolIcon(QLatin1String(e.icon)));
        action->setToolTip(hint);
        action->setStatusTip(hint);
        ToolBar1->addAction(action);
        if (QWidget* button = ToolBar1->widgetForAction(action))
            button->setObjectName(QStringLiteral("ToolButton%1").arg(number));
    }
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

void MainWindow::buildPages() {
    PageControl1 = new PageControl;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    binding_ = new FormBinding(
        form_, this, [this](const FormBinding::Action& action) { runUserAction(action); },
        [this](int page) { showPage(page); });
    QWidget* (*const builders[])(FormBinding&) = {
        buildApplicantPage, buildPropertyPage, buildOffencePage,   buildTypologyPage,   buildOblationPage,
        buildAdvancePage,   buildSummaryPage,  buildStateLandPage, buildAttachmentsPage};
    const QStringList titles = pageTitles();
    for (int i = 0; i < PageCount; ++i)
        PageControl1->addPage(builders[i](*binding_), titles.at(i));
    setCentralWidget(PageControl1);
    giveMnemonics(PageControl1, menuBar(), binding_->controls());

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
    auto add = [&handlers](const auto& entries) {
        for (const MenuEntry& e : entries)
            if (e.handler && *e.handler && !handlers.contains(QLatin1String(e.handler)))
                handlers << QLatin1String(e.handler);
    };
    add(kPratiche);
    add(kStampe);
    add(kParametri);
    add(kHelp);
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
    PageControl1->setCurrentIndex(page);
}

void MainWindow::focusControl(const QString& control) {
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
    recovery_->remove();
    event->accept();
}

} // namespace quadrelo
