// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "page_control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>

#include <limits>

namespace quadrelo {

namespace {

// The frame around the pages, drawn as the style draws a tab widget's pane.
class PageStack : public QStackedWidget {
public:
    explicit PageStack(QWidget* parent) : QStackedWidget(parent) {
        setFrameStyle(QFrame::NoFrame);
        setContentsMargins(2, 2, 2, 2);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionTabWidgetFrame opt;
        opt.initFrom(this);
        opt.shape = QTabBar::RoundedNorth;
        opt.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        p.drawPrimitive(QStyle::PE_FrameTabWidget, opt);
    }
};

} // namespace

// --- PageTabBar ---------------------------------------------------------------------------

PageTabBar::PageTabBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PageTabBar"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Pagine"));
}

void PageTabBar::addTab(const QString& title) {
    titles_ << title;
    mnemonics_ << -1;
    shortcuts_ << 0;
    if (current_ < 0) current_ = 0;
    relayout();
}

void PageTabBar::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == current_) return;
    current_ = index;
    update();
}

void PageTabBar::setMnemonic(int index, int position) {
    if (index < 0 || index >= count() || position < 0 || position >= titles_.at(index).size()) return;
    if (shortcuts_.at(index)) releaseShortcut(shortcuts_.at(index));
    mnemonics_[index] = position;
    const QString marked = QStringLiteral("&") + titles_.at(index).at(position);
    shortcuts_[index] = grabShortcut(QKeySequence::mnemonic(marked));
    update();
}

QString PageTabBar::tabMnemonic(int index) const {
    QString text = titles_.value(index);
    if (const int m = mnemonics_.value(index, -1); m >= 0) text.insert(m, QLatin1Char('&'));
    return text;
}

bool PageTabBar::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const int i = int(shortcuts_.indexOf(static_cast<QShortcutEvent*>(event)->shortcutId()));
        if (i >= 0) {
            emit tabActivated(i);
            // The page's fields are a Tab away, as after a click on the tab.
            setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return QWidget::event(event);
}

int PageTabBar::rowHeight() const {
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.shape = QTabBar::RoundedNorth;
    const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &opt, this);
    const QSize content(0, fontMetrics().height() + vspace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, content, this).height();
}

int PageTabBar::tabWidth(int index) const {
    // Only the tabs added since: the window adds its tabs one by one.
    if (widthCache_.size() < titles_.size()) {
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.shape = QTabBar::RoundedNorth;
        const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &opt, this);
        const QFontMetrics fm = fontMetrics();
        while (widthCache_.size() < titles_.size()) {
            const QSize content(fm.horizontalAdvance(titles_.at(widthCache_.size())) + hspace, fm.height());
            widthCache_ << style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, content, this).width();
        }
    }
    return widthCache_.value(index);
}

PageTabBar::Layout PageTabBar::computeLayout(int width) const {
    Layout l;
    if (titles_.isEmpty()) return l;
    width = std::max(width, 1);
    // As few rows as the width allows...
    int rowsNeeded = 1;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = tabWidth(i);
        if (used > 0 && used + w > width) {
            ++rowsNeeded;
            used = 0;
        }
        used += w;
    }
    // ...and the tabs shared out among them as evenly as they go, in order: the partition whose
    // widest row is narrowest. No row of two stretched tabs under a row of seven.
    const int n = count();
    QList<int> prefix(n + 1, 0);
    for (int i = 0; i < n; ++i)
        prefix[i + 1] = prefix[i] + tabWidth(i);
    const int inf = std::numeric_limits<int>::max();
    // best[r][i]: narrowest widest row for the first i tabs in r rows; cut[r][i]: where the last row starts.
    QList<QList<int>> best(rowsNeeded + 1, QList<int>(n + 1, inf));
    QList<QList<int>> cut(rowsNeeded + 1, QList<int>(n + 1, 0));
    best[0][0] = 0;
    for (int r = 1; r <= rowsNeeded; ++r)
        for (int i = 1; i <= n; ++i)
            for (int j = r - 1; j < i; ++j) {
                if (best[r - 1][j] == inf) continue;
                const int widest = std::max(best[r - 1][j], prefix[i] - prefix[j]);
                if (widest < best[r][i]) {
                    best[r][i] = widest;
                    cut[r][i] = j;
                }
            }
    QList<QList<int>> rows(rowsNeeded);
    for (int r = rowsNeeded, i = n; r > 0; --r) {
        for (int k = cut[r][i]; k < i; ++k)
            rows[r - 1] << k;
        i = cut[r][i];
    }
    const int h = rowHeight();
    l.rowCount = static_cast<int>(rows.size());
    l.rects.resize(count());
    l.rows.resize(count());
    for (int r = 0; r < rows.size(); ++r) {
        const QList<int>& row = rows.at(r);
        int natural = 0;
        for (int i : row)
            natural += tabWidth(i);
        // Several rows: each is stretched to the full width, the spare pixels shared out.
        const int extra = l.rowCount > 1 ? std::max(0, width - natural) : 0;
        int x = 0;
        int given = 0;
        for (int k = 0; k < row.size(); ++k) {
            const int i = row.at(k);
            int w = tabWidth(i);
            if (extra > 0) {
                const int share = (k == row.size() - 1)
                                      ? extra - given
                                      : static_cast<int>(qint64(extra) * tabWidth(i) / natural);
                given += share;
                w += share;
            }
            l.rects[i] = QRect(x, r * h, w, h);
            l.rows[i] = r;
            x += w;
        }
    }
    return l;
}

void PageTabBar::relayout() {
    // Until the header has been given its width, one row: the window is sized before that.
    layout_ = computeLayout(sized_ ? width() : std::numeric_limits<int>::max() / 2);
    updateGeometry();
    update();
}

int PageTabBar::rowCount() const {
    return layout_.rowCount;
}
int PageTabBar::tabRow(int index) const {
    return layout_.rows.value(index, -1);
}
QRect PageTabBar::tabRect(int index) const {
    return layout_.rects.value(index);
}

int PageTabBar::tabAt(const QPoint& pos) const {
    for (int i = 0; i < layout_.rects.size(); ++i)
        if (layout_.rects.at(i).contains(pos)) return i;
    return -1;
}

int PageTabBar::heightForWidth(int width) const {
    return std::max(1, computeLayout(width).rowCount) * rowHeight();
}

QSize PageTabBar::sizeHint() const {
    int total = 0;
    for (int i = 0; i < count(); ++i)
        total += tabWidth(i);
    return {total, std::max(1, layout_.rowCount) * rowHeight()};
}

QSize PageTabBar::minimumSizeHint() const {
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, tabWidth(i));
    return {widest, std::max(1, layout_.rowCount) * rowHeight()};
}

void PageTabBar::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    const bool focused = hasFocus();
    // The current tab last, so that its raised shape is drawn over its neighbours.
    QList<int> order;
    for (int i = 0; i < count(); ++i)
        if (i != current_) order << i;
    if (current_ >= 0) order << current_;
    for (int i : order) {
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.shape = QTabBar::RoundedNorth;
        opt.rect = layout_.rects.value(i);
        opt.text = tabMnemonic(i);
        opt.row = layout_.rows.value(i);
        const int row = opt.row;
        const bool first = i == 0 || layout_.rows.value(i - 1) != row;
        const bool last = i == count() - 1 || layout_.rows.value(i + 1) != row;
        opt.position = first && last ? QStyleOptionTab::OnlyOneTab
                       : first       ? QStyleOptionTab::Beginning
                       : last        ? QStyleOptionTab::End
                                     : QStyleOptionTab::Middle;
        if (i == current_ - 1 && layout_.rows.value(current_) == row)
            opt.selectedPosition = QStyleOptionTab::NextIsSelected;
        else if (i == current_ + 1 && layout_.rows.value(current_) == row)
            opt.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        // Only a tab of the row next to the pages can join them; a current tab of an upper
        // row is drawn plain and marked below.
        const bool joinsPages = row == layout_.rowCount - 1;
        opt.state &= ~QStyle::State_HasFocus;
        if (i == current_ && joinsPages) {
            opt.state |= QStyle::State_Selected;
            if (focused) opt.state |= QStyle::State_HasFocus;
        }
        if (!joinsPages) opt.selectedPosition = QStyleOptionTab::NotAdjacent;
        p.drawControl(QStyle::CE_TabBarTab, opt);
        if (i == current_ && !joinsPages) {
            // A current tab away from the pages gets the selection colour under its title.
            QRect mark = opt.rect.adjusted(3, opt.rect.height() - 3, -3, -1);
            p.fillRect(mark, palette().color(QPalette::Highlight));
            if (focused) {
                QStyleOptionFocusRect fr;
                fr.initFrom(this);
                fr.rect = opt.rect.adjusted(3, 3, -3, -4);
                p.drawPrimitive(QStyle::PE_FrameFocusRect, fr);
            }
        }
    }
}

void PageTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int i = tabAt(event->position().toPoint());
    if (i >= 0) emit tabActivated(i);
}

void PageTabBar::keyPressEvent(QKeyEvent* event) {
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        target = current_ - 1;
        break;
    case Qt::Key_Right:
        target = current_ + 1;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count() - 1;
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    if (target >= 0 && target < count()) emit tabActivated(target);
}

void PageTabBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sized_ = true;
    const int rows = layout_.rowCount;
    layout_ = computeLayout(width());
    if (rows != layout_.rowCount) updateGeometry();
}

void PageTabBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        widthCache_.clear();
        relayout();
    }
    QWidget::changeEvent(event);
}

// --- PageControl --------------------------------------------------------------------------

PageControl::PageControl(QWidget* parent) : QWidget(parent) {
    tabs_ = new PageTabBar(this);
    stack_ = new PageStack(this);
    stack_->setObjectName(QStringLiteral("PageStack"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(stack_, 1);
    connect(tabs_, &PageTabBar::tabActivated, this, &PageControl::setCurrentIndex);
}

namespace {

// The area a page scrolls in when the window is smaller than the page.
QScrollArea* areaFor(QWidget* page) {
    auto* area = new QScrollArea;
    area->setObjectName(page->objectName() + QStringLiteral("Scorrimento"));
    // Only the page's fields take the focus, never the area around them.
    area->setFocusPolicy(Qt::NoFocus);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // The pane's own frame and colour show through, as with the page alone.
    area->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    return area;
}

// A page goes into its area when it is first shown: laying out pages nobody looked at yet
// is most of what a window's start costs. Until then it waits, hidden, in the area.
void placeIn(QScrollArea* area, QWidget* page, bool shown) {
    if (shown) {
        area->setWidget(page);
    } else {
        page->setParent(area);
        page->hide();
    }
}

} // namespace

int PageControl::addPage(QWidget* page, const QString& title) {
    QScrollArea* area = areaFor(page);
    placeIn(area, page, stack_->count() == 0);
    const int index = stack_->addWidget(area);
    pages_ << page;
    tabs_->addTab(title);
    return index;
}

int PageControl::addWaitingPage(const QString& title) {
    auto* place = new QWidget;
    const int index = stack_->addWidget(place);
    pages_ << place;
    tabs_->addTab(title);
    return index;
}

void PageControl::setPage(int index, QWidget* page) {
    QWidget* old = stack_->widget(index);
    if (!old) return;
    const bool current = index == currentIndex();
    QScrollArea* area = areaFor(page);
    placeIn(area, page, current);
    stack_->insertWidget(index, area);
    stack_->removeWidget(old);
    if (current) stack_->setCurrentIndex(index);
    pages_[index] = page;
    delete old;
}

int PageControl::indexOf(const QWidget* page) const {
    for (int i = 0; i < pages_.size(); ++i)
        if (pages_.at(i) == page) return i;
    return -1;
}

void PageControl::setCurrentIndex(int index) {
    if (index < 0 || index >= count()) return;
    if (index == currentIndex()) {
        tabs_->setCurrentIndex(index);
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus && stack_->currentWidget() && stack_->currentWidget()->isAncestorOf(focus))
        tabs_->setFocus(Qt::OtherFocusReason);
    tabs_->setCurrentIndex(index);
    if (auto* area = qobject_cast<QScrollArea*>(stack_->widget(index)); area && !area->widget())
        area->setWidget(pages_.at(index));
    stack_->setCurrentIndex(index);
    emit currentChanged(index);
}

void PageControl::nextPage() {
    if (count() > 0) setCurrentIndex((currentIndex() + 1) % count());
}

void PageControl::previousPage() {
    if (count() > 0) setCurrentIndex((currentIndex() + count() - 1) % count());
}

} // namespace quadrelo
