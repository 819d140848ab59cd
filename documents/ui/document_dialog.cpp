#include "document_dialogs.h"

#include "app/error_box.h"
#include "app/message_windows.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

namespace quadrelo {

CalendarPicker::CalendarPicker(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    // The calendar is made now, so that its closing can be watched from the start.
    QCalendarWidget* calendar = calendarWidget();
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->window()->installEventFilter(this);
}

// Qt opens the calendar only from a click on the arrow, so the click is made here.
void CalendarPicker::openCalendar() {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QPointF at =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateEdit::mousePressEvent(&press);
}

void CalendarPicker::keyPressEvent(QKeyEvent* event) {
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (f4 || altDown) {
        openCalendar();
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool CalendarPicker::eventFilter(QObject* watched, QEvent* event) {
    // The date chosen in the calendar is already set when the calendar hides.
    if (event->type() == QEvent::Hide && watched == calendarWidget()->window()) emit closedUp();
    return QDateEdit::eventFilter(watched, event);
}

DocumentDialog::DocumentDialog(QWidget* owner, PracticeForm& form, const QString& caption)
    : QDialog(owner), form_(form) {
    setWindowTitle(caption);
    setModal(true);
}

void DocumentDialog::finish(QLayout* content, const QString& closingText, int closingResult,
                            bool confirmIsDefault) {
    closingResult_ = closingResult;
    BitBtn1 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("conferma"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("conferma le modifiche apportate"));
    const auto closingIcon =
        closingResult == mrNo ? QStyle::SP_DialogCancelButton : QStyle::SP_DialogCloseButton;
    BitBtn2 = new QPushButton(style()->standardIcon(closingIcon), closingText, this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("chiude la finestra"));
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(content);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
    centreOnOwner(this, parentWidget());
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
