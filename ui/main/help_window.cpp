// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "help_window.h"

#include "ui/common/screen_fit.h"

#include "ui/common/icons.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace quadrelo {

namespace {

QPointer<HelpWindow>& theInstance() {
    static QPointer<HelpWindow> window;
    return window;
}

QString openFailure(const QFile& file) {
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return QStringLiteral("il file non si trova nella cartella %1.")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    if (info.isDir()) return QStringLiteral("%1 è una cartella, non un file.").arg(info.absoluteFilePath());
    if (!info.isReadable()) return QStringLiteral("permessi insufficienti per leggere il file.");
    return file.errorString();
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Guida in linea - Quadrelo 2004"));
    setWindowIcon(toolIcon(QStringLiteral("guida")));
    resize(860, 600);

    back_ = new QToolButton(this);
    back_->setText(QStringLiteral("◀ Indietro"));
    back_->setToolTip(QStringLiteral("Torna alla posizione precedente (Alt+Sinistra)"));
    back_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    forward_ = new QToolButton(this);
    forward_->setText(QStringLiteral("Avanti ▶"));
    forward_->setToolTip(QStringLiteral("Va alla posizione successiva (Alt+Destra)"));
    forward_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto* searchLabel = new QLabel(QStringLiteral("&Cerca:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("Cerca"));
    search_->setPlaceholderText(QStringLiteral("testo da cercare (Invio: successivo)"));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    auto* findButton = new QToolButton(this);
    findButton->setText(QStringLiteral("Trova"));
    findButton->setToolTip(QStringLiteral("Trova il testo successivo (F3)"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addSpacing(16);
    bar->addWidget(searchLabel);
    bar->addWidget(search_, 1);
    bar->addWidget(findButton);

    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("Sommario"));
    contents_->setToolTip(QStringLiteral("Sommario: Invio o clic per andare alla sezione"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("Testo"));
    browser_->setOpenLinks(false);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});

    status_ = new QLabel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);

    connect(back_, &QToolButton::clicked, this, &HelpWindow::goBack);
    connect(forward_, &QToolButton::clicked, this, &HelpWindow::goForward);
    connect(findButton, &QToolButton::clicked, this, [this] { searchNext(false); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { searchNext(false); });
    connect(contents_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showHeading(contents_->row(item)); });
    connect(contents_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showHeading(contents_->row(item)); });
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::anchorClicked);
    connect(browser_->verticalScrollBar(), &QScrollBar::valueChanged, this, &HelpWindow::followScroll);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { goBack(); });
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { goForward(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    shortcut(QKeySequence(Qt::Key_F3), [this] { searchNext(false); });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { searchNext(true); });

    updateNavigation();
}

void HelpWindow::openContents(QWidget* owner) {
    QPointer<HelpWindow>& window = theInstance();
    if (!window) {
        window = new HelpWindow(owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    // A guide that failed before may be there now; a loaded one keeps its place.
    if (!window->isLoaded()) window->load();
    window->show();
    keepOnScreen(window);
    window->raise();
    window->activateWindow();
}

HelpWindow* HelpWindow::instance() {
    return theInstance();
}

bool HelpWindow::load(const QString& fileName) {
    loaded_ = false;
    error_.clear();
    contents_->clear();
    headingPositions_.clear();
    history_.clear();
    historyIndex_ = -1;

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(openFailure(file));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        showError(file.errorString());
        return false;
    }
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString html = decoder.decode(bytes);

    browser_->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    browser_->setHtml(html);
    loaded_ = true;
    collectHeadings();
    if (contents_->count() > 0) contents_->setCurrentRow(0);
    history_ = {0};
    historyIndex_ = 0;
    updateNavigation();
    status_->clear();
    return true;
}

void HelpWindow::showError(const QString& reason) {
    error_ = QStringLiteral("Impossibile aprire la guida quadrelo.hlp: %1").arg(reason);
    browser_->setHtml(QStringLiteral("<h2>Guida non disponibile</h2><p>%1</p>"
                                     "<p>La guida deve trovarsi nella cartella di lavoro del programma, "
                                     "insieme ai file delle tabelle.</p>")
                          .arg(error_.toHtmlEscaped()));
    status_->setText(error_);
    updateNavigation();
}

void HelpWindow::collectHeadings() {
    const QTextDocument* doc = browser_->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2) continue;
        const QString title = block.text().simplified();
        if (title.isEmpty()) continue;
        headingPositions_.append(block.position());
        contents_->addItem(title);
    }
}

QStringList HelpWindow::headings() const {
    QStringList list;
    for (int i = 0; i < contents_->count(); ++i)
        list << contents_->item(i)->text();
    return list;
}

int HelpWindow::headingTop(int index) const {
    const QTextBlock block = browser_->document()->findBlock(headingPositions_[index]);
    return int(browser_->document()->documentLayout()->blockBoundingRect(block).top());
}

void HelpWindow::showHeading(int index) {
    if (index < 0 || index >= headingPositions_.size()) return;
    jumpTo(headingTop(index));
    browser_->setTextCursor(QTextCursor(browser_->document()->findBlock(headingPositions_[index])));
    contents_->setCurrentRow(index);
}

// The contents pane marks the section at the top of the text as the reader scrolls.
void HelpWindow::followScroll(int value) {
    int row = -1;
    for (int i = 0; i < headingPositions_.size() && headingTop(i) <= value + 4; ++i)
        row = i;
    if (row >= 0 && row != contents_->currentRow()) contents_->setCurrentRow(row);
}

// Each jump is a step of the history, as in a browser: what lay ahead of the current place is dropped.
void HelpWindow::jumpTo(int position) {
    if (historyIndex_ < 0) return;
    QScrollBar* bar = browser_->verticalScrollBar();
    // A click can arrive both as a click and as an activation: one step is enough.
    if (bar->value() == position && history_[historyIndex_] == position) return;
    history_[historyIndex_] = bar->value();
    history_.resize(historyIndex_ + 1);
    history_.append(position);
    historyIndex_ = int(history_.size()) - 1;
    bar->setValue(position);
    updateNavigation();
}

void HelpWindow::restore(int index) {
    history_[historyIndex_] = browser_->verticalScrollBar()->value();
    historyIndex_ = index;
    browser_->verticalScrollBar()->setValue(history_[index]);
    updateNavigation();
}

void HelpWindow::goBack() {
    if (canGoBack()) restore(historyIndex_ - 1);
}

void HelpWindow::goForward() {
    if (canGoForward()) restore(historyIndex_ + 1);
}

void HelpWindow::updateNavigation() {
    back_->setEnabled(canGoBack());
    forward_->setEnabled(canGoForward());
}

bool HelpWindow::findText(const QString& text, bool backwards) {
    if (text.isEmpty() || !loaded_) return false;
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) return true;
    // Wrap around once from the other end.
    QTextCursor cursor = browser_->textCursor();
    cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(cursor);
    return browser_->find(text, flags);
}

void HelpWindow::searchNext(bool backwards) {
    const QString text = search_->text();
    if (text.isEmpty()) {
        search_->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (findText(text, backwards)) {
        status_->clear();
        // Keep the contents pane on the section where the text was found.
        const int position = browser_->textCursor().position();
        int row = -1;
        for (int i = 0; i < headingPositions_.size() && headingPositions_[i] <= position; ++i)
            row = i;
        if (row >= 0) contents_->setCurrentRow(row);
    } else {
        status_->setText(QStringLiteral("Testo non trovato: «%1».").arg(text));
    }
}

void HelpWindow::anchorClicked(const QUrl& url) {
    const QString fragment = url.fragment();
    if (fragment.isEmpty()) return;
    const int before = browser_->verticalScrollBar()->value();
    browser_->scrollToAnchor(fragment);
    const int after = browser_->verticalScrollBar()->value();
    browser_->verticalScrollBar()->setValue(before);
    jumpTo(after);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace quadrelo
