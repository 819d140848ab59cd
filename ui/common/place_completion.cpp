// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "place_completion.h"

#include "taxcode/birth_places.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSet>

#include <algorithm>

namespace quadrelo {

namespace {

using taxcode::BirthPlace;

// One name a place can be typed by, in the order the list offers them.
struct Offer {
    QString key;  // placeKey of the name
    QString name; // the name typed in, upper case
    QString label;
    QString province;
    int group; // 0 municipality in force, 1 ceased or a former name, 2 foreign state, 3 ceased state
};

QString period(const BirthPlace& p) {
    if (!p.validUntil.isValid()) return QStringLiteral("cessato");
    if (!p.validFrom.isValid()) return QStringLiteral("fino al %1").arg(p.validUntil.year());
    return QStringLiteral("%1–%2").arg(p.validFrom.year()).arg(p.validUntil.year());
}

QString labelOf(const BirthPlace& p, const QString& name) {
    QString label = name + (p.isForeignState() ? QStringLiteral(" (stato estero)")
                                               : QStringLiteral(" (%1)").arg(p.province));
    if (p.ceased) label += QLatin1Char(' ') + period(p);
    // A former name or the other language's: the place as it is called now.
    if (taxcode::placeKey(name) != taxcode::placeKey(p.name))
        label += QStringLiteral(" → ") + p.name.toUpper();
    return label;
}

const QList<Offer>& offers() {
    static const QList<Offer> all = [] {
        QList<Offer> list;
        QSet<QString> seen;
        for (const BirthPlace& p : taxcode::allPlaces()) {
            const QString province = p.isForeignState() ? QStringLiteral("EE") : p.province;
            const QStringList names = QStringList(p.otherNames) << p.name;
            for (const QString& name : names) {
                const QString key = taxcode::placeKey(name);
                const QString upper = name.toUpper();
                if (key.isEmpty() || seen.contains(key + QLatin1Char(';') + p.code + upper)) continue;
                seen.insert(key + QLatin1Char(';') + p.code + upper);
                // A former name goes with the ceased places: it is no longer the place's name.
                const bool current = !p.ceased && key == taxcode::placeKey(p.name);
                const int group = (p.isForeignState() ? 2 : 0) + (current ? 0 : 1);
                list.append({key, upper, labelOf(p, upper), province, group});
            }
        }
        std::sort(list.begin(), list.end(), [](const Offer& a, const Offer& b) {
            if (a.group != b.group) return a.group < b.group;
            if (a.key != b.key) return a.key < b.key;
            return a.label < b.label;
        });
        return list;
    }();
    return all;
}

constexpr int kMostOffers = 100;
constexpr int kRowsShown = 8;

class PlaceCompletion : public QObject {
public:
    PlaceCompletion(QLineEdit* field, bool foreignStates, QLineEdit* province)
        : QObject(field), field_(field), province_(province), foreignStates_(foreignStates) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (!taking_) offer(text);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != field_) return false;
        const bool open = list_ && list_->isVisible();
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            if (!open) return false;
            auto* key = static_cast<QKeyEvent*>(event);
            const bool choosing = list_->currentRow() >= 0;
            const bool ours = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up ||
                              key->key() == Qt::Key_Escape ||
                              ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && choosing);
            if (!ours) return false;
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept(); // ours, not a shortcut's
                return false;
            }
            if (key->key() == Qt::Key_Down)
                list_->setCurrentRow(std::min(list_->currentRow() + 1, list_->count() - 1));
            else if (key->key() == Qt::Key_Up)
                list_->setCurrentRow(std::max(list_->currentRow() - 1, 0));
            else if (key->key() == Qt::Key_Escape)
                list_->hide();
            else
                take(list_->currentRow());
            return true;
        }
        case QEvent::FocusOut:
        case QEvent::Hide:
            if (open) list_->hide();
            return false;
        default:
            return false;
        }
    }

private:
    void offer(const QString& text) {
        const QString typed = taxcode::placeKey(text);
        if (typed.size() < 2) {
            if (list_) list_->hide();
            return;
        }
        shown_.clear();
        for (const Offer& o : offers()) {
            if (o.group >= 2 && !foreignStates_) continue;
            if (!o.key.startsWith(typed)) continue;
            shown_.append(&o);
            if (shown_.size() == kMostOffers) break;
        }
        if (shown_.isEmpty()) {
            if (list_) list_->hide();
            return;
        }
        QListWidget* list = ensureList();
        list->clear();
        for (const Offer* o : std::as_const(shown_))
            list->addItem(o->label);
        list->setCurrentRow(-1);
        place(list);
        list->show();
        list->raise();
    }

    QListWidget* ensureList() {
        if (!list_) {
            list_ = new QListWidget(field_->window());
            list_->setObjectName(field_->objectName() + QStringLiteral("Luoghi"));
            list_->setAccessibleName(QStringLiteral("Luoghi che iniziano così"));
            list_->setFocusPolicy(Qt::NoFocus);
            list_->setUniformItemSizes(true);
            list_->setFrameShape(QFrame::Box);
            connect(list_, &QListWidget::itemClicked, this,
                    [this](QListWidgetItem* item) { take(list_->row(item)); });
        }
        return list_;
    }

    // Under the field, inside the window, as wide as the field or the longest label.
    void place(QListWidget* list) {
        QWidget* window = field_->window();
        const int row = list->sizeHintForRow(0);
        const int height = row * std::min<int>(int(shown_.size()), kRowsShown) + 2 * list->frameWidth();
        const int width =
            std::max(field_->width(), std::min(window->width() / 2, list->sizeHintForColumn(0) + 30));
        QPoint at = field_->mapTo(window, QPoint(0, field_->height()));
        if (at.y() + height > window->height()) at.setY(field_->mapTo(window, QPoint(0, 0)).y() - height);
        at.setX(std::min(at.x(), std::max(0, window->width() - width)));
        list->setGeometry(QRect(at, QSize(width, height)));
    }

    // Typed in as the user would, so that the practice takes it and Ctrl+Z brings back the text.
    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        edit->insert(text);
    }

    void take(int row) {
        if (row < 0 || row >= shown_.size()) return;
        const Offer chosen = *shown_.at(row);
        list_->hide();
        taking_ = true;
        typeInto(field_, chosen.name);
        if (province_ && province_->text().trimmed().isEmpty() && province_->isEnabled())
            typeInto(province_, chosen.province);
        taking_ = false;
    }

    QLineEdit* field_;
    QPointer<QLineEdit> province_;
    bool foreignStates_;
    QPointer<QListWidget> list_;
    QList<const Offer*> shown_;
    bool taking_ = false;
};

} // namespace

void completePlaces(QLineEdit* field, bool foreignStates, QLineEdit* province) {
    new PlaceCompletion(field, foreignStates, province);
}

} // namespace quadrelo
