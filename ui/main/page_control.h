// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QList>
#include <QRect>
#include <QStackedWidget>
#include <QStringList>
#include <QWidget>

namespace quadrelo {

// Tab header that flows its tabs onto as many rows as the width needs; every row is
// stretched to the full width. Rows never move, so a tab stays where the user last saw it.
// Keyboard: Left/Right, Home/End when it has the focus; Alt and a tab's underlined letter.
class PageTabBar : public QWidget {
    Q_OBJECT
public:
    explicit PageTabBar(QWidget* parent = nullptr);

    void addTab(const QString& title);
    int count() const { return static_cast<int>(titles_.size()); }
    QString tabText(int index) const { return titles_.value(index); }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    // Alt and the letter at `position` of the title choose the tab; the letter is underlined.
    void setMnemonic(int index, int position);
    // The title as drawn, "&" before the underlined letter.
    QString tabMnemonic(int index) const;

    int rowCount() const;
    // Row of a tab (0 = top) and its rectangle in the current geometry.
    int tabRow(int index) const;
    QRect tabRect(int index) const;
    int tabAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Height the header needs at a given width. Not a height-for-width layout: the window's
    // minimum height would then be taken at the narrowest width, one tab a row.
    int heightForWidth(int width) const override;

signals:
    // A tab chosen by the user (mouse or keyboard).
    void tabActivated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Layout {
        QList<QRect> rects;
        QList<int> rows;
        int rowCount = 0;
    };
    int tabWidth(int index) const;
    int rowHeight() const;
    Layout computeLayout(int width) const;
    void relayout();

    QStringList titles_;
    QList<int> mnemonics_; // position of the underlined letter, -1 for none
    QList<int> shortcuts_; // the shortcut id of each tab's letter, 0 for none
    int current_ = -1;
    bool sized_ = false;
    Layout layout_;
    mutable QList<int> widthCache_;
};

// Tab pages under a multi-row header: the page control of the main window.
class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // A page scrolls inside the window when the window is smaller than the page.
    int addPage(QWidget* page, const QString& title);
    // A tab whose page comes later (setPage); until then its place is empty.
    int addWaitingPage(const QString& title);
    // Puts `page` where the page at `index` was, which goes.
    void setPage(int index, QWidget* page);
    int count() const { return stack_->count(); }
    int currentIndex() const { return stack_->currentIndex(); }
    QWidget* currentWidget() const { return pages_.value(currentIndex()); }
    QWidget* widget(int index) const { return pages_.value(index); }
    int indexOf(const QWidget* page) const;
    QString tabText(int index) const { return tabs_->tabText(index); }
    PageTabBar* tabBar() const { return tabs_; }

    // Brings a page to the front. When the focus is on the page that goes away it first moves
    // to the header, so that the field is left cleanly and never hops through other fields.
    void setCurrentIndex(int index);
    void nextPage();
    void previousPage();

signals:
    void currentChanged(int index);

private:
    PageTabBar* tabs_;
    QStackedWidget* stack_;
    QList<QWidget*> pages_;
};

} // namespace quadrelo
