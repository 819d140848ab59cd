// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "table_editor.h"

#include "calc/class_rows.h"
#include "calc/practice_form.h"
#include "ui/common/error_box.h"
#include "ui/common/field_widgets.h"
#include "ui/common/message_windows.h"
#include "ui/common/screen_fit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace quadrelo {

namespace {

const EntryRules numberRules{KeyFamily::NumberText, false, 0};

QLabel* caption(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    return label;
}

QLabel* heading(const QString& text, int width = 0) {
    QLabel* label = caption(text, Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    if (width > 0) {
        // A fixed width keeps the wrapped heading's height stable in the fixed-size window.
        label->setWordWrap(true);
        label->setFixedWidth(width);
    }
    return label;
}

} // namespace

TableEditor::TableEditor(Table table, QWidget* owner, PracticeForm& form)
    : QDialog(owner), table_(table), form_(form) {
    // The designer's window names: Form2 for table A to Form5 for table D.
    setObjectName(QStringLiteral("Form%1").arg(int(table) + 2));
    setWindowTitle(tableEditorCaption(table));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    for (int k = 1; k <= tableSize(table); ++k)
        boxes_.append(makeBox(k));

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(14, 12, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    switch (table) {
    case Table::A:
    case Table::B:
        buildZoneGrid(grid);
        break;
    case Table::C:
        buildOblationGrid(grid);
        break;
    case Table::D:
        buildAdvanceGrid(grid);
        break;
    }

    CheckBox1 = new QCheckBox(QStringLiteral("proteggi il contenuto della tabella"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    CheckBox1->installEventFilter(this);

    BitBtn1 = bitButton(this, QStringLiteral("BitBtn1"), QStringLiteral("&modifica"),
                        QStringLiteral("conferma le modifiche apportate"), QStyle::SP_DialogSaveButton);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    BitBtn2 = bitButton(this, QStringLiteral("BitBtn2"), QStringLiteral("esci"),
                        QStringLiteral("chiude la finestra"), QStyle::SP_DialogCloseButton);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CheckBox1);
    bottom->addStretch(1);
    bottom->addSpacing(24);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    // On a small or scaled screen the table scrolls; the buttons stay in reach.
    layout->addWidget(new FittingScrollArea(panel, this), 1);
    layout->addLayout(bottom);

    // Keyboard path: protection, the boxes in numbering order, then the buttons.
    QWidget* previous = CheckBox1;
    for (QLineEdit* b : boxes_) {
        setTabOrder(previous, b);
        previous = b;
    }
    setTabOrder(previous, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    CheckBox1->setChecked(true);
    CheckBox1->setFocus(Qt::OtherFocusReason);
}

QLineEdit* TableEditor::makeBox(int k) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Edit%1").arg(k));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000,00")) + 16);
    auto* validator = new EntryValidator(numberRules, edit);
    edit->setValidator(validator);
    validators_.append(validator);
    edit->installEventFilter(this);
    return edit;
}

// Tabelle A and B: zones A-D have a box per municipality class, zones E and F one box each.
void TableEditor::buildZoneGrid(QGridLayout* grid) {
    grid->addWidget(heading(QStringLiteral("Zone territoriali omogenee")), 0, 2, 1, 6);
    QLabel* rowHeading = heading(QStringLiteral("    Classi dimensionali     Comuni"));
    rowHeading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(rowHeading, 1, 0, 1, 2);
    const QStringList zones{"A", "B", "C", "D", "E", "F"};
    for (int z = 0; z < zones.size(); ++z)
        grid->addWidget(heading(zones.at(z)), 1, 2 + z);

    const QStringList ordinals{QStringLiteral("1°"), QStringLiteral("2°"), QStringLiteral("3°"),
                               QStringLiteral("4°")};
    for (int c = 0; c < 4; ++c) {
        grid->addWidget(caption(ordinals.at(c), Qt::AlignCenter), 2 + c, 0);
        grid->addWidget(
            caption(QLatin1String(municipalityClasses()[static_cast<std::size_t>(c)].zoneTableCaption)),
            2 + c, 1);
        for (int z = 0; z < 4; ++z)
            grid->addWidget(boxes_.at(4 * z + c), 2 + c, 2 + z);
    }
    grid->addWidget(boxes_.at(16), 2, 6);
    grid->addWidget(boxes_.at(17), 2, 7);
    grid->setColumnMinimumWidth(0, 28);
    grid->setColumnMinimumWidth(1, 150);
}

// Tabella C: typologies 1-3 by surface (non-residential, residential), 4-6 as a fixed amount.
void TableEditor::buildOblationGrid(QGridLayout* grid) {
    constexpr int columnWidth = 190;
    grid->addWidget(heading(QStringLiteral("Tipologia dell'abuso"), 130), 0, 0);
    grid->addWidget(heading(QStringLiteral("Immobili non residenziali €/mq"), columnWidth), 0, 1);
    grid->addWidget(heading(QStringLiteral("Immobili residenziali €/mq"), columnWidth), 0, 2);
    for (int t = 0; t < 3; ++t) {
        grid->addWidget(caption(QString::number(t + 1), Qt::AlignCenter), 1 + t, 0);
        grid->addWidget(boxes_.at(t), 1 + t, 1, Qt::AlignHCenter);
        grid->addWidget(boxes_.at(3 + t), 1 + t, 2, Qt::AlignHCenter);
    }

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, 4, 0, 1, 3);

    grid->addWidget(heading(QStringLiteral("Misura dell’oblazione Forfait"), columnWidth), 5, 1);
    for (int t = 0; t < 3; ++t) {
        grid->addWidget(caption(QString::number(t + 4), Qt::AlignCenter), 6 + t, 0);
        grid->addWidget(boxes_.at(6 + t), 6 + t, 1, Qt::AlignHCenter);
    }
}

// Tabella D: a rate for new construction and one for restructuring per municipality class.
void TableEditor::buildAdvanceGrid(QGridLayout* grid) {
    constexpr int columnWidth = 190;
    grid->addWidget(heading(QStringLiteral("1. Numero abitanti"), 180), 0, 0, 1, 2);
    grid->addWidget(heading(QStringLiteral("2. Nuove costruzioni e ampliamenti (€/mq)"), columnWidth), 0, 2);
    grid->addWidget(heading(QStringLiteral("3. Ristrutturazioni e modifiche della destinazione d’uso (€/mq)"),
                            columnWidth),
                    0, 3);
    const QStringList ordinals{QStringLiteral("1°"), QStringLiteral("2°"), QStringLiteral("3°"),
                               QStringLiteral("4°")};
    for (int c = 0; c < 4; ++c) {
        grid->addWidget(caption(ordinals.at(c), Qt::AlignCenter), 1 + c, 0);
        grid->addWidget(
            caption(QLatin1String(municipalityClasses()[static_cast<std::size_t>(c)].rateTableCaption)),
            1 + c, 1);
        grid->addWidget(boxes_.at(c), 1 + c, 2, Qt::AlignHCenter);
        grid->addWidget(boxes_.at(4 + c), 1 + c, 3, Qt::AlignHCenter);
    }
    grid->setColumnMinimumWidth(0, 28);
}

QStringList TableEditor::boxTexts() const {
    QStringList texts;
    for (const QLineEdit* b : boxes_)
        texts << b->text();
    return texts;
}

void TableEditor::showBoxTexts(const QStringList& texts) {
    for (int i = 0; i < boxes_.size(); ++i) {
        // The file's text is shown as it is, not filtered like a key.
        validators_[i]->beginLoad();
        boxes_[i]->setText(texts.value(i));
        validators_[i]->endLoad();
    }
}

void TableEditor::FormActivate() {
    QDir::setCurrent(form_.startDirectory);
    QStringList texts = initialBoxTexts(table_);
    QString problem;
    try {
        readTableForEditor(form_, table_, texts);
    } catch (const std::exception& e) {
        problem = errorMessage(e);
    }
    showBoxTexts(texts);
    // Reported once the window is on screen, so the user sees which table it concerns.
    if (!problem.isEmpty()) QTimer::singleShot(0, this, [this, problem] { showErrorBox(this, problem); });
}

void TableEditor::CheckBox1Click() {
    const bool open = !CheckBox1->isChecked();
    for (QLineEdit* b : boxes_)
        b->setEnabled(open);
    BitBtn1->setEnabled(open);
}

void TableEditor::BitBtn1Click() {
    if (MessageWindows::question(this, QStringLiteral("Salvare le modifiche apportate ai parametri?")) ==
        mrNo) {
        reject();
        return;
    }
    // On failure the editor stays open with what was typed, so the user can mend the box or
    // free the disk and save again.
    if (!guarded(this, [this] { saveTable(form_, table_, boxTexts()); })) return;
    QApplication::beep();
    accept();
}

void TableEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    showAtNaturalSize(this, parentWidget());
    FormActivate();
}

bool TableEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // On the check box Enter must not reach the dialog, which would press "modifica".
        if (enter && watched == CheckBox1) return true;
        const int i = int(boxes_.indexOf(qobject_cast<QLineEdit*>(watched)));
        if (i >= 0 && enter) {
            // The last box keeps the focus: Enter never reaches the buttons from here.
            if (i + 1 < boxes_.size()) boxes_[i + 1]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TableEditor::run(QWidget* owner, PracticeForm& form, Table table) {
    TableEditor editor(table, owner, form);
    editor.exec();
}

} // namespace quadrelo
