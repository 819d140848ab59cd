// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;
class QToolButton;

namespace quadrelo {

// The program's own help viewer: the guide "quadrelo.hlp" (HTML) with a contents pane of its
// sections, back and forward, and a text search. Not modal; one instance at a time.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the guide from the current directory (the caller moves there first) and raises the one
    // help window, creating it on first use.
    static void openContents(QWidget* owner);
    static HelpWindow* instance();

    // Loads an HTML guide; on failure the window shows why instead. True when loaded.
    bool load(const QString& fileName = QStringLiteral("quadrelo.hlp"));
    bool isLoaded() const { return loaded_; }
    QString errorText() const { return error_; }

    // The h2 headings of the guide, in order, as the contents pane lists them.
    QStringList headings() const;
    void showHeading(int index);
    // Finds text from the cursor on, wrapping at the end; false when it is nowhere.
    bool findText(const QString& text, bool backwards = false);

    void goBack();
    void goForward();
    bool canGoBack() const { return historyIndex_ > 0; }
    bool canGoForward() const { return historyIndex_ + 1 < history_.size(); }

    QTextBrowser* browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showError(const QString& reason);
    void collectHeadings();
    int headingTop(int index) const;
    void followScroll(int value);
    void jumpTo(int position);
    void restore(int index);
    void updateNavigation();
    void searchNext(bool backwards);
    void anchorClicked(const QUrl& url);

    QTextBrowser* browser_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* status_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;

    bool loaded_ = false;
    QString error_;
    QList<int> headingPositions_;
    // Scroll positions visited; historyIndex_ is the one on screen.
    QList<int> history_;
    int historyIndex_ = -1;
};

} // namespace quadrelo
