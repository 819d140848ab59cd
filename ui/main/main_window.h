// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "calc/practice_form.h"
#include "calc/user_interface.h"

#include <QMainWindow>
#include <QMultiHash>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QToolBar;

namespace quadrelo {

class ArchiveWindow;
class FormBinding;
class OpenPractice;
class PageControl;
struct DocumentCommand;
struct RecoveredPractice;

// The main window: the practice on nine tab pages under the menus and the tool bar. It shows
// what the practice holds and forwards what the user does; the practice decides.
class MainWindow : public QMainWindow, public UserInterface {
    Q_OBJECT
public:
    // When the pages behind the first are built. After the first paint the window is on
    // screen sooner; any key or click that comes first waits for them instead.
    enum class HiddenPages { AtOnce, AfterFirstPaint };

    // showSplash: the three-second splash before the window (off for tests and benchmarks).
    explicit MainWindow(bool showSplash = true, HiddenPages hiddenPages = HiddenPages::AtOnce,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    PracticeForm& form() { return form_; }
    PageControl* pageControl() const { return PageControl1; }
    QToolBar* toolBar() const { return ToolBar1; }

    // Widgets ← practice; after every user action and whenever the practice changed behind
    // the widgets' back.
    void reload();
    // Runs one user action on the practice: errors go to the standard error box, the program
    // keeps running, and the widgets show the outcome.
    void runAction(const std::function<void()>& action);

    // Every menu item and tool button of a command, by its handler ("Apri1Click", ...).
    void setCommandEnabled(const QString& handler, bool enabled);
    bool isCommandEnabled(const QString& handler) const;
    QList<QAction*> commandActions(const QString& handler) const;
    static QStringList commandHandlers();

    // --- messages (Form12, Form13, Form15) ---------------------------------------------
    void Attenzione(const QString& message) override;
    bool Uscita(const QString& question) override;
    // Yes/no/cancel; "SI" saves first. True exactly when the answer is "Annulla".
    bool Uscita2(const QString& question);
    void showPage(int page) override;
    void focusControl(const QString& control) override;
    void beep() override;
    void reportError(const QString& message) override;

    // "Apri" once the file is chosen, also for a practice named on the command line: asks
    // about unsaved changes first.
    void openPracticeFile(const QString& path);

    // The practice differs from what was last opened or saved.
    bool isModified() const;
    // Before a command discards the practice: "Salva", "Non salvare" or "Annulla" when it has
    // unsaved changes. False when the command must stop (cancelled, or the save did not happen).
    bool confirmDiscard();
    // At start: offers the practices that programs which did not end normally left unsaved.
    void offerRecovery();
    // Recovery copies are written at most this often (30 s).
    void setRecoveryInterval(int msec);
    QString recoveryCopyPath() const;

    // A document command: its checks in order, then its report or its dialog.
    void runDocumentCommand(const DocumentCommand& command);

    // Saves the practice to its file ("Salva" when it has none yet).
    virtual void Salvataggio();

    // Shared actions of the menu and the tool bar.
    QAction* Nuova = nullptr;
    QAction* Apri = nullptr;
    QAction* Salva = nullptr;
    QAction* Help = nullptr;

    // The commands of the menus (documents: runDocumentCommand).
    // "Pratiche"
    void Nuova1Click();
    void Apri1Click();
    void Salva1Click();
    void Salvaconnome1Click();
    void Archiviopratiche1Click();
    void Ristampa1Click();
    void Esci1Click();
    // "Parametri"
    void TabellaA1Click();
    void TabellaB1Click();
    void TabellaC1Click();
    void TabellaD1Click();
    void Datideltecnico1Click();
    // "Help"
    void Guidainlinea1Click();
    void Informazioni1Click();

protected:
    // FormCloseQuery: the window closes unless the answer to the exit question is "NO".
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }
    // While pages wait to be built: the first paint schedules them, input builds them first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the user does in a control: like runAction, but the widgets show again only the
    // controls the action changed.
    void runUserAction(const std::function<void()>& action);
    void FormCreate(bool showSplash, HiddenPages hiddenPages);
    void buildMenus();
    void buildToolBar();
    void buildPages(HiddenPages hiddenPages);
    // The pages left for after the first paint, with the mnemonics that need every page.
    void buildWaitingPages();
    QAction* command(const QString& objectName, const QString& caption, const QString& handler,
                     const std::function<void()>& run);
    // "Salva" and "Salva con nome": true when the practice was written. Throw on failure.
    // "Salva con nome" asks again for a name when the user will not replace the one chosen.
    bool saveCommand();
    bool saveAsCommand();
    void writePractice(const QString& path);
    void loadPracticeFile(const QString& path);
    void restore(const RecoveredPractice& copy);

    // The archive window and the recent practices ("Pratiche recenti").
    void buildRecentMenu();
    void fillRecentMenu();
    void openRecentPractice(const QString& path);
    // A practice opened from or saved to `path`: first among the recent ones.
    void practiceUsed(const QString& path);

    // What was opened or saved is now the unchanged state.
    void markSaved(const QByteArray& disk);
    // After every change: caption, recovery copy.
    void practiceChanged();

    PracticeForm form_;
    FormBinding* binding_ = nullptr;
    PageControl* PageControl1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QMultiHash<QString, QAction*> commands_;
    QList<int> waitingPages_;

    // Unchanged state, file on disk and recovery copy.
    std::unique_ptr<OpenPractice> open_;

    ArchiveWindow* archive_ = nullptr;
    QMenu* recentMenu_ = nullptr;
};

} // namespace quadrelo
