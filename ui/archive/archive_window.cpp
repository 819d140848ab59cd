// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "archive_window.h"

#include "archive/archive_reader.h"
#include "practice_places.h"
#include "ui/common/error_box.h"
#include "ui/common/message_windows.h"
#include "ui/common/screen_fit.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace quadrelo {

// The rows read, the order of the list and the rows the search shows, each kept up to date
// by what changes it: a batch of rows is sorted into the order, a search narrowing the one
// before looks only at the rows shown, the totals follow the rows shown. Each row's sort keys
// are taken once, when it arrives: a change of column sorts numbers, never texts again.
class ArchiveModel : public QAbstractTableModel {
    // A total order: the column, then the path.
    int compare(int a, int b) const {
        quint64 x = sortKeys_[size_t(column_)][size_t(a)];
        quint64 y = sortKeys_[size_t(column_)][size_t(b)];
        if (x != y) {
            const TextColumn& texts = texts_[size_t(column_)];
            if (!isArchiveTextColumn(column_)) return x < y ? -1 : 1;
            if (texts.ranks.empty())
                return texts.texts[size_t(x)].compare(texts.texts[size_t(y)]) < 0 ? -1 : 1;
            return texts.ranks[size_t(x)] < texts.ranks[size_t(y)] ? -1 : 1;
        }
        const QString& p = rows_.at(a).path;
        const QString& q = rows_.at(b).path;
        return p < q ? -1 : q < p ? 1 : 0;
    }
    bool less(int a, int b) const {
        const int order = compare(a, b);
        return order_ == Qt::AscendingOrder ? order < 0 : order > 0;
    }
    struct Before {
        const ArchiveModel* model;
        bool operator()(int a, int b) const { return model->less(a, b); }
    };
    Before before() const { return {this}; }

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(shown_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ArchiveColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const ArchiveRow& row = rowAt(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return archiveCellText(row, index.column());
        case Qt::TextAlignmentRole:
            return isAmountColumn(index.column()) || index.column() == ColumnTypology
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            return row.readable() && !row.taxCodeDisagrees() ? QVariant()
                                                             : QVariant(QBrush(QColor(0xA0, 0x00, 0x00)));
        case Qt::FontRole:
            if (row.taxCodeDisagrees() &&
                (index.column() == ColumnTaxCode || index.column() == ColumnTaxCodeCheck)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ToolTipRole:
            return row.readable()
                       ? QDir::toNativeSeparators(row.path)
                       : QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(row.path), row.problem);
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return archiveColumnTitle(section);
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && isAmountColumn(section))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void clear() {
        beginResetModel();
        rows_.clear();
        keys_.clear();
        keyEnds_.clear();
        figures_.clear();
        for (std::vector<quint64>& keys : sortKeys_)
            keys.clear();
        for (TextColumn& texts : texts_)
            texts = {};
        byPath_.clear();
        sorted_.clear();
        shown_.clear();
        totals_ = {};
        searches_.clear();
        endResetModel();
    }

    // The rows go where the order puts them; the current row stays on its practice.
    void append(const QList<ArchiveRow>& rows, QItemSelectionModel* selection) {
        if (rows.isEmpty()) return;
        searches_.clear();
        const int first = int(rows_.size());
        rows_ << rows;
        for (int i = first; i < int(rows_.size()); ++i) {
            const ArchiveRow& row = rows_.at(i);
            figures_.emplace_back();
            figures_.back().add(row);
            keys_ += row.searchKey;
            keyEnds_.push_back(keys_.size());
            keys_ += QLatin1Char('\n');
            for (int c = 0; c < ArchiveColumnCount; ++c)
                sortKeys_[size_t(c)].push_back(isArchiveTextColumn(c)
                                                   ? texts_[size_t(c)].id(archiveSortText(row, c))
                                                   : archiveSortNumber(row, c));
        }
        std::vector<int> added(rows.size());
        std::iota(added.begin(), added.end(), first);
        std::sort(added.begin(), added.end(),
                  [this](int a, int b) { return rows_.at(a).path < rows_.at(b).path; });
        insertSorted(byPath_, added, [this](int a, int b) { return rows_.at(a).path < rows_.at(b).path; });
        std::sort(added.begin(), added.end(), before());
        insertSorted(sorted_, added, before());
        std::vector<int> matching;
        for (int i : added)
            if (matches(i)) {
                matching.push_back(i);
                addFigures(i);
            }
        if (matching.empty()) return;
        if (shown_.empty()) {
            beginInsertRows({}, 0, int(matching.size()) - 1);
            shown_ = std::move(matching);
            endInsertRows();
            return;
        }
        const int current = selection && selection->currentIndex().isValid()
                                ? shown_.at(size_t(selection->currentIndex().row()))
                                : -1;
        beginResetModel();
        insertSorted(shown_, matching, before());
        endResetModel();
        if (current >= 0) {
            const QModelIndex index = this->index(position(current), 0);
            selection->setCurrentIndex(index,
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }

    void setQuery(const QString& query) {
        const QStringList words = archiveSearchWords(query);
        // Every row a narrower search shows, the one before showed too.
        const bool narrower = std::all_of(words_.cbegin(), words_.cend(), [&words](const QString& old) {
            return std::any_of(words.cbegin(), words.cend(),
                               [&old](const QString& w) { return w.contains(old); });
        });
        if (words == words_) return;
        // Taking back what was typed finds the rows of the search before it again.
        if (searches_.size() > 64) searches_.clear();
        searches_.insert(words_, {shown_, totals_});
        words_ = words;
        beginResetModel();
        if (const auto earlier = searches_.constFind(words); earlier != searches_.constEnd()) {
            shown_ = earlier->shown;
            totals_ = earlier->totals;
        } else if (words.isEmpty()) {
            shown_ = sorted_;
            sumFigures();
        } else {
            const std::vector<int>& from = narrower ? shown_ : sorted_;
            // Among many rows one pass over every key at once is faster than row by row.
            const std::vector<char> found =
                qsizetype(from.size()) > rows_.size() / 4 ? matchingRows() : std::vector<char>();
            std::vector<int> kept;
            kept.reserve(from.size());
            for (int i : from)
                if (found.empty() ? matches(i) : found[size_t(i)] != 0) kept.push_back(i);
            shown_ = std::move(kept);
            sumFigures();
        }
        endResetModel();
    }

    void sort(int column, Qt::SortOrder order) override {
        if (column < 0 || column >= ArchiveColumnCount) return;
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList persistent = persistentIndexList();
        std::vector<int> rows;
        for (const QModelIndex& index : persistent)
            rows.push_back(shown_.at(size_t(index.row())));
        column_ = column;
        order_ = order;
        sorted_ = sortedByColumn();
        if (shown_.size() == sorted_.size()) {
            shown_ = sorted_;
        } else {
            std::vector<char> isShown(rows_.size(), 0);
            for (int i : shown_)
                isShown[size_t(i)] = 1;
            shown_.clear();
            for (int i : sorted_)
                if (isShown[size_t(i)]) shown_.push_back(i);
        }
        searches_.clear();
        QModelIndexList moved;
        for (qsizetype i = 0; i < persistent.size(); ++i)
            moved << index(position(rows.at(size_t(i))), persistent.at(i).column());
        changePersistentIndexList(persistent, moved);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    const ArchiveRow& rowAt(int shownRow) const { return rows_.at(shown_.at(size_t(shownRow))); }
    const ArchiveTotals& totals() const { return totals_; }

private:
    // The row's figures to the totals shown, in the same order of additions as adding the row.
    void addFigures(int i) {
        const ArchiveTotals& one = figures_[size_t(i)];
        totals_.practices += one.practices;
        totals_.unreadable += one.unreadable;
        totals_.wrongTaxCodes += one.wrongTaxCodes;
        if (!one.practices) return;
        totals_.oblationDue += one.oblationDue;
        totals_.oblationPaid += one.oblationPaid;
        totals_.oblationRemaining += one.oblationRemaining;
        totals_.advanceDue += one.advanceDue;
        totals_.advancePaid += one.advancePaid;
    }
    // The totals of the rows shown, in their order. The order of the list scatters their figures:
    // they are fetched some rows ahead.
    void sumFigures() {
        totals_ = {};
        for (size_t j = 0; j < shown_.size(); ++j) {
            if (j + 8 < shown_.size()) __builtin_prefetch(&figures_[size_t(shown_[j + 8])]);
            addFigures(shown_[j]);
        }
    }
    // The row's key among the others.
    bool matches(int i) const {
        const qsizetype start = i > 0 ? keyEnds_[size_t(i - 1)] + 1 : 0;
        return archiveKeyHoldsWords(QStringView(keys_).sliced(start, keyEnds_[size_t(i)] - start), words_);
    }
    // Which rows hold every word, found in the keys of all rows laid end to end: a word never
    // holds the line break between two keys, so each place it is found is within one key.
    std::vector<char> matchingRows() const {
        std::vector<int> words(rows_.size(), 0); // how many of the words, in order, each row holds
        for (int w = 0; w < int(words_.size()); ++w) {
            size_t row = 0;
            for (qsizetype at = findSearchWord(keys_, words_.at(w), 0); at >= 0 && row < keyEnds_.size();
                 at = findSearchWord(keys_, words_.at(w), at)) {
                while (keyEnds_[row] < at)
                    ++row;
                if (words[row] == w) words[row] = w + 1;
                at = keyEnds_[row] + 1; // on to the next key
            }
        }
        std::vector<char> found(rows_.size(), 0);
        for (size_t i = 0; i < found.size(); ++i)
            found[i] = words[i] == int(words_.size());
        return found;
    }
    // `added`, in the order `less`, into `into`, in the same order: each row is placed by a binary
    // search, so a batch costs few comparisons however long the list; after equal rows, as a merge.
    template <typename Less>
    static void insertSorted(std::vector<int>& into, const std::vector<int>& added, Less less) {
        std::vector<int> out;
        out.reserve(into.size() + added.size());
        auto from = into.cbegin();
        for (int i : added) {
            const auto at = std::upper_bound(from, into.cend(), i, less);
            out.insert(out.end(), from, at);
            out.push_back(i);
            from = at;
        }
        out.insert(out.end(), from, into.cend());
        into = std::move(out);
    }
    // Every row by the column: the rows in order of path, stably sorted by their keys alone,
    // are in the order of the column then the path; the other way round is the same reversed.
    std::vector<int> sortedByColumn() {
        const std::vector<quint64>& keys = sortKeys_[size_t(column_)];
        TextColumn& texts = texts_[size_t(column_)];
        if (isArchiveTextColumn(column_)) texts.rank();
        std::vector<std::pair<quint64, int>> keyed;
        keyed.reserve(byPath_.size());
        for (int i : byPath_)
            keyed.emplace_back(isArchiveTextColumn(column_) ? quint64(texts.ranks[size_t(keys[size_t(i)])])
                                                            : keys[size_t(i)],
                               i);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<int> out;
        out.reserve(keyed.size());
        for (const auto& k : keyed)
            out.push_back(k.second);
        if (order_ == Qt::DescendingOrder) std::reverse(out.begin(), out.end());
        return out;
    }
    int position(int row) const {
        return int(std::lower_bound(shown_.begin(), shown_.end(), row, before()) - shown_.begin());
    }

    QList<ArchiveRow> rows_;             // in the order read
    QString keys_;                       // their search keys in the same order, a line break after each
    std::vector<qsizetype> keyEnds_;     // where each key's line break is
    std::vector<ArchiveTotals> figures_; // each row's own, side by side for summing
    // A text column's distinct texts, each row keeping the number of its own; their ranks in
    // order once a sort by the column asks for them, until a new text comes.
    struct TextColumn {
        QHash<QStringView, int> ids;
        std::vector<QStringView> texts; // within the rows' search keys, which never change
        std::vector<int> ranks;
        quint64 id(QStringView text) {
            if (const auto known = ids.constFind(text); known != ids.constEnd()) return quint64(*known);
            ids.insert(text, int(texts.size()));
            texts.push_back(text);
            ranks.clear();
            return quint64(texts.size() - 1);
        }
        void rank() {
            if (!ranks.empty() || texts.empty()) return;
            std::vector<int> order(texts.size());
            std::iota(order.begin(), order.end(), 0);
            std::sort(order.begin(), order.end(),
                      [this](int a, int b) { return texts[size_t(a)].compare(texts[size_t(b)]) < 0; });
            ranks.resize(texts.size());
            for (size_t r = 0; r < order.size(); ++r)
                ranks[size_t(order[r])] = int(r);
        }
    };
    std::array<std::vector<quint64>, ArchiveColumnCount> sortKeys_; // each row's, by column
    std::array<TextColumn, ArchiveColumnCount> texts_;              // used by the text columns
    std::vector<int> byPath_;                                       // every row, in order of path
    std::vector<int> sorted_;                                       // every row, in the order of the list
    std::vector<int> shown_; // the rows the search finds, in the same order
    QStringList words_;
    int column_ = ColumnApplicant;
    Qt::SortOrder order_ = Qt::AscendingOrder;
    ArchiveTotals totals_; // of the rows shown
    struct Search {
        std::vector<int> shown;
        ArchiveTotals totals;
    };
    QHash<QStringList, Search> searches_; // the searches typed since the rows last changed
};

namespace {

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    // Enter belongs to the list and the search box: it opens a practice, never a button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

ArchiveWindow::ArchiveWindow(const QString& workFolder, QWidget* parent)
    : QDialog(parent), workFolder_(workFolder) {
    setObjectName(QStringLiteral("ArchiveWindow"));
    setWindowTitle(QStringLiteral("Archivio pratiche"));
    setSizeGripEnabled(true);

    model_ = new ArchiveModel(this);

    auto* searchLabel = new QLabel(QStringLiteral("&Cerca:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("searchBox"));
    search_->setPlaceholderText(
        QStringLiteral("nome, codice fiscale, comune, importo… in qualsiasi colonna"));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    search_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->setQuery(text);
        // A new search starts at its first match, not at a row kept from the one before.
        if (model_->rowCount() > 0) {
            table_->selectRow(0);
            table_->scrollToTop();
        }
        updateTotals();
    });

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("archiveTable"));
    table_->setModel(model_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(ColumnApplicant, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Shift+Tab leave the list (back to the search) instead of walking its cells.
    table_->setTabKeyNavigation(false);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the title, a tax code and an amount of six figures.
    const QFontMetrics metrics = table_->fontMetrics();
    const QString widest[ArchiveColumnCount] = {QStringLiteral("pratica-0000.qdr"),
                                                QStringLiteral("DELL'ACQUA GIOVANNI"),
                                                QStringLiteral("MMMMMM00M00M000MM"),
                                                QStringLiteral("non corrisponde alla data di nascita"),
                                                QStringLiteral("SAN GIOVANNI"),
                                                QStringLiteral("località GARIBALDI 100"),
                                                QString(),
                                                QStringLiteral("000000,00"),
                                                QStringLiteral("000000,00"),
                                                QStringLiteral("000000,00"),
                                                QStringLiteral("000000,00"),
                                                QStringLiteral("000000,00"),
                                                QStringLiteral("00/00/0000"),
                                                QStringLiteral("00/00/0000 00:00")};
    for (int c = 0; c < ArchiveColumnCount; ++c)
        table_->setColumnWidth(c, std::max(metrics.horizontalAdvance(widest[c]),
                                           table_->horizontalHeader()->fontMetrics().horizontalAdvance(
                                               archiveColumnTitle(c) + QStringLiteral("MM"))) +
                                      12);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this] { openCurrent(); });

    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("totalsLabel"));
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totals_->setWordWrap(true); // whole on a narrow or scaled screen
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("statusLabel"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("readingProgress"));
    progress_->setMaximumWidth(220);
    progress_->setFormat(QStringLiteral("%v di %m"));
    progress_->hide();

    folderList_ = new QListWidget(this);
    folderList_->setObjectName(QStringLiteral("folderList"));
    folderList_->setMaximumHeight(table_->fontMetrics().height() * 3 + 8);
    auto* addFolderButton =
        button(QStringLiteral("A&ggiungi cartella…"), QStringLiteral("addFolderButton"), this);
    removeFolderButton_ =
        button(QStringLiteral("&Togli cartella"), QStringLiteral("removeFolderButton"), this);
    connect(addFolderButton, &QPushButton::clicked, this, [this] { addFolder(); });
    connect(removeFolderButton_, &QPushButton::clicked, this, [this] { removeFolder(); });
    connect(folderList_, &QListWidget::currentRowChanged, this, [this](int row) {
        // The work folder is always part of the archive.
        removeFolderButton_->setEnabled(row > 0);
    });

    auto* openButton = button(QStringLiteral("&Apri"), QStringLiteral("openButton"), this);
    connect(openButton, &QPushButton::clicked, this, [this] { openCurrent(); });
    auto* exportButton = button(QStringLiteral("&Esporta elenco"), QStringLiteral("exportButton"), this);
    auto* exportMenu = new QMenu(exportButton);
    exportMenu->addAction(QStringLiteral("Foglio di calcolo (&CSV)…"), this, [this] { exportCsv(); });
    exportMenu->addAction(QStringLiteral("Documento &PDF…"), this, [this] { exportPdf(); });
    exportButton->setMenu(exportMenu);
    auto* closeButton = button(QStringLiteral("C&hiudi"), QStringLiteral("closeButton"), this);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    auto* folderButtons = new QVBoxLayout;
    folderButtons->addWidget(addFolderButton);
    folderButtons->addWidget(removeFolderButton_);
    folderButtons->addStretch();
    auto* folderRow = new QHBoxLayout;
    auto* folderLabel = new QLabel(QStringLiteral("Cartelle delle pratiche:"), this);
    folderLabel->setBuddy(folderList_);
    folderRow->addWidget(folderList_, 1);
    folderRow->addLayout(folderButtons);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(totals_, 1);
    statusRow->addWidget(status_);
    statusRow->addWidget(progress_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton);
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(table_, 1);
    layout->addLayout(statusRow);
    layout->addWidget(folderLabel);
    layout->addLayout(folderRow);
    layout->addLayout(buttons);

    setTabOrder(search_, table_);
    resize(1100, 620);
}

ArchiveWindow::~ArchiveWindow() = default;

QStringList ArchiveWindow::folders() const {
    QStringList list;
    if (!workFolder_.isEmpty()) list << QDir::cleanPath(QFileInfo(workFolder_).absoluteFilePath());
    for (const QString& f : PracticePlaces::folders())
        if (!list.contains(f)) list << f;
    return list;
}

bool ArchiveWindow::isReading() const {
    return reader_ && reader_->isReading();
}

void ArchiveWindow::reload(const PracticeForm& loaded) {
    prototype_ = archivePrototype(loaded);
    delete reader_;
    reader_ = new ArchiveReader(prototype_, this);
    connect(reader_, &ArchiveReader::filesFound, this, [this](int n) {
        expected_ = n;
        progress_->setRange(0, std::max(n, 1));
        progress_->setValue(0);
        progress_->setVisible(n > 0);
        status_->setText(n ? QStringLiteral("Lettura delle pratiche…")
                           : QStringLiteral("Nessuna pratica nelle cartelle."));
    });
    connect(reader_, &ArchiveReader::rowsRead, this,
            [this](const QList<ArchiveRow>& rows) { rowsArrived(rows); });
    connect(reader_, &ArchiveReader::finished, this, [this] {
        progress_->hide();
        status_->setText(read_ ? QString() : QStringLiteral("Nessuna pratica nelle cartelle."));
        if (table_->currentIndex().row() < 0 && model_->rowCount() > 0) table_->selectRow(0);
    });
    startReading();
}

void ArchiveWindow::startReading() {
    const QStringList list = folders();
    folderList_->clear();
    for (const QString& f : list)
        folderList_->addItem(QDir::toNativeSeparators(f));
    if (folderList_->count() && folderList_->item(0) && !workFolder_.isEmpty())
        folderList_->item(0)->setToolTip(QStringLiteral("Cartella di lavoro del programma"));
    removeFolderButton_->setEnabled(false);
    model_->clear();
    expected_ = 0;
    read_ = 0;
    updateTotals();
    status_->setText(QStringLiteral("Ricerca delle pratiche…"));
    reader_->start(list);
}

void ArchiveWindow::rowsArrived(const QList<ArchiveRow>& rows) {
    model_->append(rows, table_->selectionModel());
    read_ += int(rows.size());
    progress_->setValue(read_);
    updateTotals();
}

void ArchiveWindow::updateTotals() {
    totals_->setText(QStringLiteral("Totale: ") + archiveTotalsText(model_->totals()));
}

QList<ArchiveRow> ArchiveWindow::shownRows() const {
    QList<ArchiveRow> rows;
    rows.reserve(model_->rowCount());
    for (int i = 0; i < model_->rowCount(); ++i)
        rows << model_->rowAt(i);
    return rows;
}

void ArchiveWindow::openCurrent() {
    int row = table_->currentIndex().row();
    if (row < 0 && model_->rowCount() > 0) row = 0; // Enter in the search box: the first match
    if (row < 0) return;
    const ArchiveRow& chosen = model_->rowAt(row);
    // The window would open, and save, a file of the name it shows: another file than this one.
    if (chosen.nameNotText) {
        MessageWindows::warning(
            this, QStringLiteral("Il nome del file «%1» non è scritto nella codifica di questo sistema "
                                 "(viene forse da un vecchio disco Windows): per aprire la pratica, "
                                 "rinominare prima il file.")
                      .arg(QDir::toNativeSeparators(chosen.path)));
        return;
    }
    emit openPracticeRequested(chosen.path);
}

bool ArchiveWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers() == Qt::NoModifier) {
            openCurrent();
            return true;
        }
        if (watched == search_ && (key->key() == Qt::Key_Down || key->key() == Qt::Key_PageDown) &&
            model_->rowCount() > 0) {
            table_->setFocus(Qt::TabFocusReason);
            table_->selectRow(std::max(0, table_->currentIndex().row()));
            table_->scrollTo(table_->currentIndex());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ArchiveWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Its buttons and close box within reach on a small or scaled screen; the list scrolls.
    if (!event->spontaneous()) keepOnScreen(this);
}

void ArchiveWindow::addFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Aggiungi cartella di pratiche"), workFolder_);
    if (folder.isEmpty()) return;
    PracticePlaces::addFolder(folder);
    startReading();
}

void ArchiveWindow::removeFolder() {
    const int row = folderList_->currentRow();
    if (row <= 0) return;
    PracticePlaces::removeFolder(QDir::fromNativeSeparators(folderList_->item(row)->text()));
    startReading();
}

QString ArchiveWindow::exportName(const QString& suffix) const {
    const QString folder = workFolder_.isEmpty() ? QDir::homePath() : workFolder_;
    return QDir(folder).filePath(QStringLiteral("elenco-pratiche.") + suffix);
}

void ArchiveWindow::exportCsv() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta elenco"),
                                                exportName(QStringLiteral("csv")),
                                                QStringLiteral("Foglio di calcolo CSV (*.csv)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    const QList<ArchiveRow> rows = shownRows();
    guarded(this, [&] { writeArchiveCsv(path, rows); });
}

void ArchiveWindow::exportPdf() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta elenco"),
                                                exportName(QStringLiteral("pdf")),
                                                QStringLiteral("Documento PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    const QList<ArchiveRow> rows = shownRows();
    QString heading = QStringLiteral("Archivio pratiche");
    if (!search_->text().trimmed().isEmpty())
        heading += QStringLiteral(" — ricerca «%1»").arg(search_->text().trimmed());
    guarded(this, [&] { writeArchivePdf(path, rows, heading); });
}

QIcon archiveIcon() {
    QIcon icon;
    for (int size : {24, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 24.0, size / 24.0);
            // A drawer with two files standing in it.
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
            p.setBrush(QColor(0xFF, 0xFF, 0xFF));
            p.drawRect(QRectF(6.5, 3.5, 9, 11));
            p.setBrush(QColor(0xFF, 0xF4, 0xC0));
            p.drawRect(QRectF(9.5, 5.5, 9, 10));
            p.setBrush(QColor(0x8A, 0x6A, 0x3A));
            p.drawRect(QRectF(2.5, 12.5, 19, 9));
            p.setBrush(QColor(0xD8, 0xC0, 0x90));
            p.drawRect(QRectF(9.5, 15.5, 5, 2));
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace quadrelo
