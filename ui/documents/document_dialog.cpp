// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "document_dialogs.h"

#include "ui/common/error_box.h"
#include "ui/common/message_windows.h"
#include "ui/common/screen_fit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace quadrelo {

DocumentDialog::DocumentDialog(QWidget* owner, PracticeForm& form, const QString& caption)
    : QDialog(owner), form_(form) {
    setWindowTitle(caption);
    setModal(true);
}

void DocumentDialog::finish(QLayout* content, const QString& closingText, int closingResult,
                            bool confirmIsDefault) {
    closingResult_ = closingResult;
    BitBtn1 = bitButton(this, QStringLiteral("BitBtn1"), QStringLiteral("conferma"),
                        QStringLiteral("conferma le modifiche apportate"), QStyle::SP_DialogOkButton);
    const auto closingIcon =
        closingResult == mrNo ? QStyle::SP_DialogCancelButton : QStyle::SP_DialogCloseButton;
    BitBtn2 = bitButton(this, QStringLiteral("BitBtn2"), closingText, QStringLiteral("chiude la finestra"),
                        closingIcon);
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setMinimumWidth(100);
        // Without a default button no button may become one on its own either.
        b->setAutoDefault(confirmIsDefault);
    }
    BitBtn1->setDefault(confirmIsDefault);
    connect(BitBtn1, &QPushButton::clicked, this, &DocumentDialog::confirm);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(closingResult_); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    // Alt and a caption's letter reach its field, as far as the letters go.
    QList<QLabel*> captions;
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() && label->text().size() > 1) captions << label; // not a unit ("m")
    QSet<QChar> letters;
    markCaptions(captions, letters);

    auto* fields = new QWidget;
    content->setContentsMargins(0, 0, 0, 0);
    fields->setLayout(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    // On a small or scaled screen the fields scroll; the buttons stay in reach.
    layout->addWidget(new FittingScrollArea(fields, this), 1);
    layout->addLayout(buttons);
}

void DocumentDialog::confirm() {
    guarded(this, [this] { BitBtn1Click(); });
    done(mrOk);
}

void DocumentDialog::reject() {
    done(mrCancel);
}

void DocumentDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    showAtNaturalSize(this, parentWidget());
}

void DocumentDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn2->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quadrelo
