// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "splash_window.h"

#include "ui/common/icons.h"
#include "ui/common/message_windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QtMath>

#include <cmath>
#include <utility>

namespace quadrelo {

namespace {

constexpr int viewWidth = 540;
constexpr int viewHeight = 350;

const QColor silver(192, 192, 192);
const QColor ink(34, 44, 60);
const QColor navy(0, 0, 128);

// A drafting sheet with a house, its dimension lines, a set square and a pair of compasses.
void paintHouse(QPainter& p, const QRectF& box) {
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 200.0, box.height() / 150.0);
    p.setRenderHint(QPainter::Antialiasing);

    // Blueprint sheet with its grid.
    p.setPen(QPen(QColor(60, 90, 140), 1.2));
    p.setBrush(QColor(226, 236, 250));
    p.drawRect(QRectF(2, 6, 170, 140));
    p.setPen(QPen(QColor(170, 195, 230), 0.6));
    for (int x = 12; x < 172; x += 10)
        p.drawLine(QPointF(x, 7), QPointF(x, 145));
    for (int y = 16; y < 146; y += 10)
        p.drawLine(QPointF(3, y), QPointF(171, y));

    const QPen outline(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    // Chimney, roof, walls.
    p.setPen(outline);
    p.setBrush(QColor(150, 60, 45));
    p.drawRect(QRectF(106, 26, 10, 22));
    QPainterPath roof;
    roof.moveTo(22, 66);
    roof.lineTo(78, 24);
    roof.lineTo(134, 66);
    roof.closeSubpath();
    p.setBrush(QColor(196, 78, 52));
    p.drawPath(roof);
    p.setBrush(QColor(250, 246, 232));
    p.drawRect(QRectF(32, 64, 92, 58));
    // Door and windows.
    p.setBrush(QColor(120, 80, 45));
    p.drawRect(QRectF(70, 90, 18, 32));
    p.setBrush(QColor(150, 200, 235));
    for (qreal x : {42.0, 98.0}) {
        p.drawRect(QRectF(x, 76, 16, 16));
        p.drawLine(QPointF(x + 8, 76), QPointF(x + 8, 92));
        p.drawLine(QPointF(x, 84), QPointF(x + 16, 84));
    }

    // Dimension line under the house.
    p.setPen(QPen(QColor(200, 30, 30), 1.2));
    p.drawLine(QPointF(32, 132), QPointF(124, 132));
    p.drawLine(QPointF(32, 126), QPointF(32, 138));
    p.drawLine(QPointF(124, 126), QPointF(124, 138));
    p.setBrush(QColor(200, 30, 30));
    for (auto [tip, dir] : {std::pair{QPointF(32, 132), 1.0}, std::pair{QPointF(124, 132), -1.0}}) {
        QPolygonF arrow{tip, tip + QPointF(6 * dir, -3), tip + QPointF(6 * dir, 3)};
        p.drawPolygon(arrow);
    }
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(8);
    p.setFont(small);
    p.drawText(QRectF(58, 133, 40, 10), Qt::AlignCenter, QStringLiteral("12,00"));

    // Set square, translucent, leaning on the sheet.
    QPainterPath square;
    square.moveTo(128, 146);
    square.lineTo(196, 146);
    square.lineTo(128, 62);
    square.closeSubpath();
    QPainterPath hole;
    hole.moveTo(140, 136);
    hole.lineTo(170, 136);
    hole.lineTo(140, 99);
    hole.closeSubpath();
    p.setPen(QPen(QColor(30, 110, 60), 1.5));
    p.setBrush(QColor(60, 170, 90, 150));
    p.drawPath(square.subtracted(hole));
    p.setPen(QPen(QColor(30, 110, 60), 0.8));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(132 + i * 10, 146), QPointF(132 + i * 10, 142));

    // Compasses: hinge, two legs, the needle and the lead.
    p.setPen(QPen(QColor(90, 95, 105), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(176, 16), QPointF(156, 92));
    p.drawLine(QPointF(176, 16), QPointF(194, 88));
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(156, 92), QPointF(154, 100));
    p.setPen(QPen(QColor(60, 60, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(194, 88), QPointF(196, 96));
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(210, 170, 60));
    p.drawEllipse(QPointF(176, 16), 5, 5);
    p.drawLine(QPointF(176, 11), QPointF(176, 3));
    p.restore();
}

// An application form with its revenue stamp, the office stamp and a signature.
void paintStampedDocument(QPainter& p, const QRectF& box) {
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 120.0, box.height() / 150.0);
    p.setRenderHint(QPainter::Antialiasing);

    // Shadow and sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(8, 4);
    sheet.lineTo(94, 4);
    sheet.lineTo(112, 22);
    sheet.lineTo(112, 146);
    sheet.lineTo(8, 146);
    sheet.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPath(sheet.translated(3, 3));
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(255, 253, 244));
    p.drawPath(sheet);
    p.setBrush(QColor(225, 220, 200));
    p.drawPolygon(QPolygonF{QPointF(94, 4), QPointF(94, 22), QPointF(112, 22)});

    // Revenue stamp with a perforated edge.
    const QRectF stamp(16, 12, 22, 26);
    p.setPen(QPen(QColor(40, 110, 70), 1));
    p.setBrush(QColor(170, 215, 180));
    p.drawRect(stamp);
    p.setPen(QPen(QColor(255, 253, 244), 1.6, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(stamp);
    p.setPen(QPen(QColor(40, 110, 70), 1.2));
    p.drawEllipse(stamp.center(), 6, 7);

    // Heading and lines of text.
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(46, 16, 42, 4));
    p.drawRect(QRectF(46, 25, 30, 3));
    p.setBrush(QColor(150, 155, 165));
    for (int i = 0; i < 8; ++i) {
        const qreal width = (i % 3 == 2) ? 60 : 88;
        p.drawRect(QRectF(16, 48 + i * 8, width, 2.2));
    }

    // Round office stamp, slightly tilted.
    p.save();
    p.translate(40, 124);
    p.rotate(-14);
    const QColor stampRed(200, 40, 50, 210);
    p.setPen(QPen(stampRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 17, 17);
    p.setPen(QPen(stampRed, 1));
    p.drawEllipse(QPointF(0, 0), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(stampRed);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? 3.2 : 8;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        star << QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.drawPolygon(star);
    p.restore();

    // Signature.
    QPainterPath signature;
    signature.moveTo(66, 130);
    signature.cubicTo(72, 112, 76, 140, 82, 124);
    signature.cubicTo(86, 114, 90, 136, 96, 122);
    signature.cubicTo(98, 118, 102, 126, 106, 124);
    p.setPen(QPen(QColor(20, 50, 140), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(signature);
    p.setPen(QPen(QColor(120, 120, 120), 0.8));
    p.drawLine(QPointF(62, 134), QPointF(108, 134));
    p.restore();
}

} // namespace

SplashPicture::SplashPicture(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {}

void SplashPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (kind_ == HouseWithCompass)
        paintHouse(p, rect());
    else
        paintStampedDocument(p, rect());
}

QString SplashView::titleText() {
    return QStringLiteral("Quadrelo 2004");
}

QString SplashView::subtitleText() {
    return QStringLiteral("SOFTWARE PER LA COMPILAZIONE DELLE PRATICHE DI CONDONO EDILIZIO "
                          "(D.L. 30/09/2003 N.269, CONVERTITO IN LEGGE 24/11/2003, n.326)");
}

QString SplashView::creditsText() {
    return QStringLiteral("Progettato e realizzato dal gruppo di sviluppo Quadrelo - "
                          "per geometri, architetti e ingegneri - 2004");
}

SplashView::SplashView(QWidget* owner) : QDialog(owner) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(titleText());
    setWindowIcon(appIcon());
    setFixedSize(viewWidth, viewHeight);
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, silver);
    pal.setColor(QPalette::WindowText, ink);
    setPalette(pal);
    setAutoFillBackground(true);

    Label1 = new QLabel(titleText(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    title.setItalic(true);
    Label1->setFont(title);
    Label1->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(16, 12, viewWidth - 32, 52);

    Label2 = new QLabel(subtitleText(), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(12);
    subtitle.setBold(true);
    Label2->setFont(subtitle);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(40, 66, viewWidth - 80, 44);

    Image1 = new SplashPicture(SplashPicture::HouseWithCompass, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(34, 126, 240, 180);

    Image2 = new SplashPicture(SplashPicture::StampedDocument, this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(340, 130, 148, 176);

    Label3 = new QLabel(creditsText(), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont credits(QStringLiteral("Liberation Sans"));
    credits.setPixelSize(11);
    credits.setItalic(true);
    Label3->setFont(credits);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setGeometry(16, viewHeight - 34, viewWidth - 32, 20);
}

// The raised bevel and the rule under the subtitle give the borderless panel its edge.
void SplashView::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(Qt::white);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(64, 64, 64));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(QColor(128, 128, 128));
    p.drawRect(r.adjusted(5, 5, -5, -5));
    p.setPen(Qt::white);
    p.drawRect(r.adjusted(6, 6, -4, -4));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(60, 116, viewWidth - 60, 116);
    p.setPen(Qt::white);
    p.drawLine(60, 117, viewWidth - 60, 117);
}

void SplashView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnOwner(this, parentWidget());
}

SplashWindow::SplashWindow(QWidget* owner) : SplashView(owner) {
    setObjectName(QStringLiteral("Form6"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &SplashWindow::Timer1Timer);
}

void SplashWindow::showEvent(QShowEvent* event) {
    SplashView::showEvent(event);
    Timer1->start();
}

// The splash stays its full time; Esc must not cut it short.
void SplashWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void SplashWindow::Timer1Timer() {
    accept();
}

AboutWindow::AboutWindow(QWidget* owner) : SplashView(owner) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Informazioni"));
    setFocusPolicy(Qt::StrongFocus);
    // Clicks on the texts and pictures land on the window itself and close it.
    for (QWidget* child :
         {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
          static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image2)})
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool AboutWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        QApplication::beep();
        break;
    case QEvent::KeyPress:
        // Every key closes, Tab and Esc included.
        accept();
        return true;
    default:
        break;
    }
    return SplashView::event(event);
}

void AboutWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}

} // namespace quadrelo
