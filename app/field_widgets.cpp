#include "field_widgets.h"

#include "record/errors.h"

#include <QPushButton>

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QPainter>

namespace quadrelo {

EntryValidator::EntryValidator(const EntryRules& rules, QObject* parent)
    : QValidator(parent), rules_(rules) {}

QValidator::State EntryValidator::validate(QString& input, int& pos) const {
    if (!loading_ && input != last_) input = applyEdit(rules_, last_, input, pos);
    last_ = input;
    return Acceptable;
}

void ListBox::hidePopup() {
    QComboBox::hidePopup();
    // The chosen item is applied after the list hides; report once it is.
    QMetaObject::invokeMethod(this, &ListBox::closedUp, Qt::QueuedConnection);
}

CaptionCell::CaptionCell(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setContentsMargins(1, 1, 1, 1);
    setMargin(2);
    setAutoFillBackground(true);
}

void CaptionCell::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

QColor highlightColour() {
    return QColor(255, 255, 0);
}
QColor plainCaptionColour() {
    return QColor(255, 255, 255);
}

void setInputColour(QWidget* input, bool enabled) {
    const QColor colour = enabled ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
    if (input->palette().color(QPalette::Disabled, QPalette::Base) == colour &&
        input->palette().color(QPalette::Active, QPalette::Base) == colour)
        return;
    QPalette p = input->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, colour);
    input->setPalette(p);
}

void setCaptionColour(QLabel* caption, bool highlighted) {
    const QColor colour = highlighted ? highlightColour() : plainCaptionColour();
    if (caption->palette().color(QPalette::Window) == colour) return;
    QPalette p = caption->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Window, colour);
    caption->setPalette(p);
}

QPushButton* bitButton(QWidget* parent, const QString& name, const QString& text, const QString& hint,
                       QStyle::StandardPixmap glyph) {
    auto* button = new QPushButton(parent->style()->standardIcon(glyph), text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    // Enter on a focused button presses it, as everywhere else in the program.
    button->setAutoDefault(true);
    button->setMinimumWidth(96);
    return button;
}

QString errorMessage(const std::exception& e) {
    if (const auto* error = dynamic_cast<const Error*>(&e)) return error->message();
    return QString::fromLocal8Bit(e.what());
}

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

} // namespace quadrelo
