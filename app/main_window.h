#pragma once

#include "record/practice_form.h"
#include "record/user_interface.h"

#include <QMainWindow>
#include <QMultiHash>
#include <functional>

class QAction;
class QToolBar;

namespace quadrelo {

class FormBinding;
class PageControl;

// The main window: the practice on nine tab pages under the menus and the tool bar. It shows
// what the practice holds and forwards what the user does; the practice decides.
class TForm1 : public QMainWindow, public UserInterface {
    Q_OBJECT
public:
    // showSplash: the three-second splash before the window (off for tests and benchmarks).
    explicit TForm1(bool showSplash = true, QWidget* parent = nullptr);
    ~TForm1() override;

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

    // --- messages (TForm12, TForm13, TForm15) -------------------------------------------
    void Attenzione(const QString& message) override;
    bool Uscita(const QString& question) override;
    // Yes/no/cancel; "SI" saves first. True exactly when the answer is "Annulla".
    bool Uscita2(const QString& question);
    void showPage(int page) override;
    void focusControl(const QString& control) override;
    void beep() override;
    void reportError(const QString& message) override;

    // "Apri" once the file is chosen, also for a practice named on the command line.
    void openPracticeFile(const QString& path);

    // Saves the practice to its file ("Salva" when it has none yet).
    virtual void Salvataggio();

    // Shared actions of the menu and the tool bar.
    QAction* Nuova = nullptr;
    QAction* Apri = nullptr;
    QAction* Salva = nullptr;
    QAction* Help = nullptr;

public slots:
    // "Pratiche"
    void Nuova1Click();
    void Apri1Click();
    void Salva1Click();
    void Salvaconnome1Click();
    void Ristampa1Click();
    void Esci1Click();
    // "Stampe" and the document buttons of the tool bar
    void Riepilogopratica1Click();
    void Stampa1Click();
    void Dichiarazionesullostatodeilavori1Click();
    void Periziagiurata1Click();
    void Certificazionediidoneitstatica2Click();
    void Certificazionediidoneitstatica1Click();
    void Relazionetecnicadescrittiva1Click();
    void ToolButton11Click();
    void Denunciaaifinidellatassasmaltimentorifiuti1Click();
    void Denunciaperloccupazionesuolopubblico1Click();
    void Riepilogopratica2Click();
    void Promemoriascadenze1Click();
    void Prospettorelativoallacquisizioneareepubbliche1Click();
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

private:
    void FormCreate(bool showSplash);
    void buildMenus();
    void buildToolBar();
    void buildPages();
    QAction* command(const QString& objectName, const QString& caption, const QString& handler);
    // A document command: its checks in order, then its report or its dialog.
    void runDocumentCommand(const QString& handler);
    // Writes the practice to `path` after the overwrite question; false when it was not.
    bool saveAs(const QString& path);

    PracticeForm form_;
    FormBinding* binding_ = nullptr;
    PageControl* PageControl1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QMultiHash<QString, QAction*> commands_;
};

} // namespace quadrelo
