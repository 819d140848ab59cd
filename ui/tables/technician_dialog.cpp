// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "technician_dialog.h"

#include "calc/practice_form.h"
#include "ui/common/error_box.h"
#include "ui/common/field_widgets.h"
#include "ui/common/message_windows.h"
#include "ui/common/screen_fit.h"
#include "ui/common/tax_code_check.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
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

const EntryRules textRules{KeyFamily::Text, true, 0};
const EntryRules taxCodeRules{KeyFamily::TaxCode, true, 16};

QLabel* caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TechnicianDialog::TechnicianDialog(QWidget* owner, PracticeForm& form) : QDialog(owner), form_(form) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Tecnico incaricato"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    Edit1 = makeEdit(1, textRules);
    Edit2 = makeEdit(2, textRules);
    Edit3 = makeEdit(3, textRules);
    Edit4 = makeEdit(4, textRules);
    Edit5 = makeEdit(5, taxCodeRules);
    Edit6 = makeEdit(6, textRules);
    Edit7 = makeEdit(7, textRules);
    Edit8 = makeEdit(8, textRules);
    Edit9 = makeEdit(9, textRules);

    DateTimePicker1 = new CalendarPicker(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setMinimumWidth(DateTimePicker1->sizeHint().width() + 12);
    // Month and day names of the calendar in Italian.
    DateTimePicker1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    DateTimePicker1->setDate(TechnicianFields().birthDate);
    watchTaxCodeField(Edit5, [this] {
        return taxcode::Person{Edit2->text(), Edit1->text(), DateTimePicker1->date(), Edit3->text(),
                               Edit4->text()};
    });

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(registerItems());
    ComboBox1->setCurrentIndex(-1);

    const int letter = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    Edit4->setFixedWidth(5 * letter);
    Edit7->setFixedWidth(5 * letter);
    Edit6->setMinimumWidth(8 * letter);

    auto* group = new QGroupBox(QStringLiteral(" Dati anagrafici "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(12, 14, 12, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);

    // Six columns: caption, field, caption, field, caption, field.
    grid->addWidget(caption(QStringLiteral("Nome:"), Edit1), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(caption(QStringLiteral("Cognome:"), Edit2), 0, 2);
    grid->addWidget(Edit2, 0, 3, 1, 3);

    grid->addWidget(caption(QStringLiteral("Nato a:"), Edit3), 1, 0);
    grid->addWidget(Edit3, 1, 1);
    grid->addWidget(caption(QStringLiteral("Provincia:"), Edit4), 1, 2);
    grid->addWidget(Edit4, 1, 3, Qt::AlignLeft);
    grid->addWidget(caption(QStringLiteral("Data di nascita:"), DateTimePicker1), 1, 4);
    grid->addWidget(DateTimePicker1, 1, 5);

    grid->addWidget(caption(QStringLiteral("Codice fiscale:"), Edit5), 2, 0);
    grid->addWidget(Edit5, 2, 1);

    grid->addWidget(caption(QStringLiteral("Albo di iscrizione:"), ComboBox1), 3, 0);
    grid->addWidget(ComboBox1, 3, 1);
    grid->addWidget(caption(QStringLiteral("N° di iscrizione:"), Edit6), 3, 2);
    grid->addWidget(Edit6, 3, 3);
    grid->addWidget(caption(QStringLiteral("Provincia:"), Edit7), 3, 4);
    grid->addWidget(Edit7, 3, 5, Qt::AlignLeft);

    grid->addWidget(caption(QStringLiteral("Studio in:"), Edit8), 4, 0);
    grid->addWidget(Edit8, 4, 1, 1, 5);
    grid->addWidget(Edit9, 5, 1, 1, 5);

    // Wide enough for the sixteen characters of a tax code and the longest register.
    grid->setColumnMinimumWidth(
        1, std::max(220, fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWWWWWWWWWW"))));
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);

    BitBtn1 = bitButton(this, QStringLiteral("BitBtn1"), QStringLiteral("&salva"),
                        QStringLiteral("conferma le modifiche apportate"), QStyle::SP_DialogSaveButton);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    BitBtn2 = bitButton(this, QStringLiteral("BitBtn2"), QStringLiteral("esci"),
                        QStringLiteral("chiude la finestra"), QStyle::SP_DialogCloseButton);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    // On a small or scaled screen the fields scroll; the buttons stay in reach.
    layout->addWidget(new FittingScrollArea(group, this), 1);
    layout->addLayout(buttons);

    // Alt and a caption's letter reach its field; "salva" keeps its own.
    QSet<QChar> letters{mnemonicLetter(BitBtn1->text())};
    markCaptions(group->findChildren<QLabel*>(), letters);

    enterOrder_ = {Edit1,     Edit2, Edit3, Edit4, DateTimePicker1, Edit5,
                   ComboBox1, Edit6, Edit7, Edit8, Edit9,           BitBtn1};
    for (int i = 0; i + 1 < enterOrder_.size(); ++i) {
        setTabOrder(enterOrder_[i], enterOrder_[i + 1]);
        enterOrder_[i]->installEventFilter(this);
    }
    setTabOrder(BitBtn1, BitBtn2);
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TechnicianDialog::run(QWidget* owner, PracticeForm& form) {
    TechnicianDialog dialog(owner, form);
    dialog.exec();
}

QLineEdit* TechnicianDialog::makeEdit(int k, const EntryRules& rules) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Edit%1").arg(k));
    auto* validator = new EntryValidator(rules, edit);
    edit->setValidator(validator);
    edits_.append(edit);
    validators_.append(validator);
    return edit;
}

TechnicianFields TechnicianDialog::fields() const {
    TechnicianFields f;
    for (int i = 0; i < edits_.size(); ++i)
        f.texts[i] = edits_[i]->text();
    f.registerIndex = ComboBox1->currentIndex();
    f.birthDate = DateTimePicker1->date();
    return f;
}

void TechnicianDialog::showFields(const TechnicianFields& f) {
    for (int i = 0; i < edits_.size(); ++i) {
        // The file's text is shown as it is, not filtered like a key.
        validators_[i]->beginLoad();
        edits_[i]->setText(f.texts.value(i));
        validators_[i]->endLoad();
    }
    ComboBox1->setCurrentIndex(f.registerIndex);
    DateTimePicker1->setDate(f.birthDate);
}

void TechnicianDialog::FormActivate() {
    QDir::setCurrent(form_.startDirectory);
    TechnicianFields f;
    QString problem;
    try {
        readTechnicianForDialog(form_, f);
    } catch (const std::exception& e) {
        problem = errorMessage(e);
    }
    showFields(f);
    // Reported once the dialog is on screen, over the fields it concerns.
    if (!problem.isEmpty()) QTimer::singleShot(0, this, [this, problem] { showErrorBox(this, problem); });
}

void TechnicianDialog::BitBtn1Click() {
    // On failure the dialog stays open with everything typed, so nothing is lost.
    if (guarded(this, [this] { saveTechnician(form_, fields()); })) accept();
}

void TechnicianDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    showAtNaturalSize(this, parentWidget());
    FormActivate();
}

bool TechnicianDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int i = int(enterOrder_.indexOf(qobject_cast<QWidget*>(watched)));
        if (i >= 0 && i + 1 < enterOrder_.size() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            enterOrder_[i + 1]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quadrelo
