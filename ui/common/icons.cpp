// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "icons.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <system_error>
#include <thread>

namespace quadrelo {

namespace {

// Every icon is drawn on a 48 x 48 grid and scaled, so both sizes come from one drawing.
constexpr qreal grid = 48.0;

namespace colour {
const QColor ink(38, 52, 69);
const QColor paper(255, 255, 255);
const QColor fold(214, 222, 232);
const QColor line(140, 152, 166);
const QColor blue(47, 109, 181);
const QColor lightBlue(160, 200, 240);
const QColor red(200, 55, 45);
const QColor yellow(242, 181, 28);
const QColor green(58, 141, 70);
const QColor grey(138, 150, 163);
const QColor orange(232, 118, 30);
} // namespace colour

QPen inkPen(qreal width = 2.5) {
    return QPen(colour::ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet with a folded top-right corner; the area right of x = right is left free for an emblem.
void sheet(QPainter& p, qreal right = 38) {
    QPainterPath path;
    path.moveTo(8, 3);
    path.lineTo(right - 9, 3);
    path.lineTo(right, 12);
    path.lineTo(right, 45);
    path.lineTo(8, 45);
    path.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(colour::paper);
    p.drawPath(path);
    p.setBrush(colour::fold);
    p.drawPolygon(QPolygonF{QPointF(right - 9, 3), QPointF(right - 9, 12), QPointF(right, 12)});
}

void textLines(QPainter& p, qreal top, int count, qreal width = 22) {
    p.setPen(QPen(colour::line, 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(13, top + i * 6), QPointF(13 + ((i % 3 == 2) ? width * 0.6 : width), top + i * 6));
}

// The signs are drawn, not lettered: a face would be loaded under the toolkit's font lock,
// which the window's own thread waits for while it builds its pages.
void euroSign(QPainter& p, const QPointF& centre, qreal radius, const QColor& c) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, radius * 0.36, Qt::SolidLine, Qt::FlatCap));
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(ring, 50 * 16, 260 * 16);
    p.setPen(QPen(c, radius * 0.27, Qt::SolidLine, Qt::FlatCap));
    for (qreal dy : {-0.27, 0.27})
        p.drawLine(QPointF(centre.x() - radius * 1.35, centre.y() + dy * radius),
                   QPointF(centre.x() + radius * 0.3, centre.y() + dy * radius));
}

void questionMark(QPainter& p, const QPointF& top, qreal height, const QColor& c) {
    const qreal r = height * 0.26; // the hook's radius
    QPainterPath hook;
    hook.moveTo(top.x() - r, top.y() + r);
    hook.arcTo(QRectF(top.x() - r, top.y(), 2 * r, 2 * r), 180, -180);
    hook.cubicTo(QPointF(top.x() + r, top.y() + 1.6 * r), QPointF(top.x(), top.y() + 1.7 * r),
                 QPointF(top.x(), top.y() + 2.4 * r));
    hook.lineTo(top.x(), top.y() + height * 0.7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, height * 0.21, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(top.x() - height * 0.105, top.y() + height * 0.8, height * 0.21, height * 0.2));
}

void paintNuova(QPainter& p) {
    sheet(p);
    // Sparkle of a brand-new sheet.
    QPolygonF star;
    const QPointF c(35, 34);
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? 4.5 : 11.5;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        star << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.setPen(inkPen(2));
    p.setBrush(colour::yellow);
    p.drawPolygon(star);
}

void paintApri(QPainter& p) {
    QPainterPath back;
    back.moveTo(3, 40);
    back.lineTo(3, 10);
    back.lineTo(16, 10);
    back.lineTo(20, 14);
    back.lineTo(38, 14);
    back.lineTo(38, 20);
    p.setPen(inkPen());
    p.setBrush(colour::yellow.darker(125));
    p.drawPath(back);
    // A sheet peeking out of the open folder.
    p.setBrush(colour::paper);
    p.drawRect(QRectF(9, 17, 24, 14));
    QPainterPath front;
    front.moveTo(3, 42);
    front.lineTo(11, 22);
    front.lineTo(46, 22);
    front.lineTo(38, 42);
    front.closeSubpath();
    p.setBrush(colour::yellow);
    p.drawPath(front);
}

void paintSalva(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(38, 4);
    body.lineTo(44, 10);
    body.lineTo(44, 44);
    body.lineTo(4, 44);
    body.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(colour::blue);
    p.drawPath(body);
    // Metal shutter with its slot, then the label.
    p.setBrush(colour::grey.lighter(130));
    p.drawRect(QRectF(13, 4, 20, 13));
    p.setBrush(colour::ink);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(26, 7, 4, 7));
    p.setPen(inkPen());
    p.setBrush(colour::paper);
    p.drawRect(QRectF(10, 25, 28, 19));
    p.setPen(QPen(colour::line, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 31), QPointF(34, 31));
    p.drawLine(QPointF(14, 37), QPointF(30, 37));
}

void paintIstanza(QPainter& p) {
    sheet(p, 42);
    // Rows of character boxes, as on the official form.
    p.setPen(QPen(colour::blue, 1.6));
    p.setBrush(colour::lightBlue.lighter(115));
    for (int row = 0; row < 4; ++row) {
        const int cells = (row == 3) ? 3 : 5;
        for (int c = 0; c < cells; ++c)
            p.drawRect(QRectF(12 + c * 5.6, 16 + row * 7.5, 5.6, 5.6));
    }
    p.setPen(QPen(colour::red, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 41), QPointF(30, 41));
}

void paintAntimafia(QPainter& p) {
    sheet(p);
    textLines(p, 12, 4, 18);
    QPainterPath shield;
    shield.moveTo(35, 20);
    shield.lineTo(46, 24);
    shield.cubicTo(46, 36, 42, 42, 35, 46);
    shield.cubicTo(28, 42, 24, 36, 24, 24);
    shield.closeSubpath();
    p.setPen(inkPen(2));
    p.setBrush(colour::blue);
    p.drawPath(shield);
    p.setPen(QPen(colour::paper, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(29.5, 32), QPointF(33.5, 36.5), QPointF(41, 27.5)});
}

void paintStatoLavori(QPainter& p) {
    sheet(p, 34);
    textLines(p, 12, 3, 15);
    // Progress bar two thirds done.
    p.setPen(inkPen(1.6));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(12, 32, 18, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::green);
    p.drawRect(QRectF(13, 33, 11, 5));
    // Tower crane.
    p.setPen(QPen(colour::orange.darker(120), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(40, 46), QPointF(40, 6));
    p.drawLine(QPointF(28, 9), QPointF(47, 9));
    p.drawLine(QPointF(40, 6), QPointF(33, 9));
    p.setPen(QPen(colour::ink, 1.4));
    p.drawLine(QPointF(31, 9), QPointF(31, 20));
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(28.5, 20, 5, 4));
    p.setPen(inkPen(2));
    p.drawLine(QPointF(35, 46), QPointF(46, 46));
}

void paintPerizia(QPainter& p) {
    sheet(p);
    textLines(p, 12, 4, 18);
    // Ribbon tails under a red rosette seal.
    p.setPen(inkPen(1.6));
    p.setBrush(colour::red.darker(115));
    p.drawPolygon(
        QPolygonF{QPointF(30, 36), QPointF(27, 47), QPointF(31, 45), QPointF(34, 48), QPointF(35, 37)});
    p.drawPolygon(
        QPolygonF{QPointF(37, 37), QPointF(38, 48), QPointF(41, 45), QPointF(45, 47), QPointF(42, 36)});
    QPolygonF rosette;
    const QPointF c(36, 30);
    for (int i = 0; i < 24; ++i) {
        const qreal r = (i % 2) ? 8.5 : 10.5;
        const qreal a = qDegreesToRadians(i * 15.0);
        rosette << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.setBrush(colour::red);
    p.drawPolygon(rosette);
    p.setPen(QPen(colour::yellow, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 5.5, 5.5);
}

void paintStatica(QPainter& p) {
    // Load arrow on a beam carried by two columns.
    p.setPen(QPen(colour::red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(24, 2), QPointF(24, 11));
    p.setBrush(colour::red);
    p.drawPolygon(QPolygonF{QPointF(19, 10), QPointF(29, 10), QPointF(24, 15)});
    p.setPen(inkPen(2));
    p.setBrush(colour::grey.lighter(120));
    p.drawRect(QRectF(3, 16, 42, 5));
    p.drawRect(QRectF(3, 21, 42, 4));
    p.setBrush(colour::grey);
    p.drawRect(QRectF(7, 25, 8, 17));
    p.drawRect(QRectF(33, 25, 8, 17));
    p.setBrush(colour::ink);
    p.drawRect(QRectF(3, 42, 42, 4));
}

void paintSismica(QPainter& p) {
    // A small building above a seismograph trace growing in amplitude.
    p.setPen(inkPen(2));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(16, 9, 16, 16));
    p.setBrush(colour::red);
    p.drawPolygon(QPolygonF{QPointF(13, 10), QPointF(24, 2), QPointF(35, 10)});
    p.setPen(QPen(colour::grey, 1.4, Qt::DashLine));
    p.drawLine(QPointF(2, 36), QPointF(46, 36));
    QPolygonF trace;
    const qreal amplitudes[] = {0, 2, -2, 4, -5, 8, -9, 10, -8, 5, -3, 1, 0};
    for (int i = 0; i < 13; ++i)
        trace << QPointF(2 + i * 44.0 / 12.0, 36 - amplitudes[i]);
    p.setPen(QPen(colour::red, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(trace);
}

void paintTecnica(QPainter& p) {
    sheet(p);
    textLines(p, 12, 5, 18);
    // Set square with a protractor arc.
    QPainterPath square;
    square.moveTo(24, 46);
    square.lineTo(47, 46);
    square.lineTo(24, 20);
    square.closeSubpath();
    QPainterPath hole;
    hole.moveTo(28.5, 42);
    hole.lineTo(37.5, 42);
    hole.lineTo(28.5, 31.5);
    hole.closeSubpath();
    p.setPen(inkPen(1.8));
    p.setBrush(colour::green);
    p.drawPath(square.subtracted(hole));
    p.setPen(QPen(colour::paper, 1.2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(30 + i * 4.5, 46), QPointF(30 + i * 4.5, 43.5));
}

void paintIci(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(colour::blue);
    p.drawPolygon(QPolygonF{QPointF(2, 22), QPointF(21, 5), QPointF(40, 22)});
    p.setBrush(colour::paper);
    p.drawRect(QRectF(7, 21, 28, 22));
    p.setBrush(colour::blue.darker(120));
    p.drawRect(QRectF(12, 29, 8, 14));
    // Coin with the euro sign.
    p.setPen(inkPen(2));
    p.setBrush(colour::yellow);
    p.drawEllipse(QPointF(35, 35), 11.5, 11.5);
    euroSign(p, QPointF(36, 35), 5.6, colour::ink);
}

void paintRifiuti(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(colour::grey.lighter(115));
    p.drawRoundedRect(QRectF(19, 3, 10, 5), 1.5, 1.5);
    p.setBrush(colour::green);
    p.drawRect(QRectF(6, 8, 36, 6));
    QPainterPath bin;
    bin.moveTo(9, 14);
    bin.lineTo(39, 14);
    bin.lineTo(36, 45);
    bin.lineTo(12, 45);
    bin.closeSubpath();
    p.setBrush(colour::green.lighter(140));
    p.drawPath(bin);
    p.setPen(QPen(colour::ink, 2, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {17.0, 24.0, 31.0})
        p.drawLine(QPointF(x, 19), QPointF(x, 40));
}

void paintOccupazione(QPainter& p) {
    // Road cone on its base.
    p.setPen(inkPen());
    p.setBrush(colour::ink);
    p.drawRect(QRectF(5, 40, 38, 5));
    QPainterPath cone;
    cone.moveTo(21, 4);
    cone.lineTo(27, 4);
    cone.lineTo(38, 40);
    cone.lineTo(10, 40);
    cone.closeSubpath();
    p.setBrush(colour::orange);
    p.drawPath(cone);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::paper);
    p.drawPolygon(QPolygonF{QPointF(18.2, 14), QPointF(29.8, 14), QPointF(31.6, 20), QPointF(16.4, 20)});
    p.drawPolygon(QPolygonF{QPointF(14.6, 26), QPointF(33.4, 26), QPointF(35.2, 32), QPointF(12.8, 32)});
}

void paintGuida(QPainter& p) {
    p.setPen(inkPen(2));
    p.setBrush(colour::blue);
    p.drawEllipse(QPointF(24, 24), 21, 21);
    questionMark(p, QPointF(24, 11), 24, colour::paper);
}

void paintApp(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::blue);
    p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    p.setPen(QPen(colour::ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::red);
    p.drawPolygon(QPolygonF{QPointF(6, 24), QPointF(24, 8), QPointF(42, 24)});
    p.setBrush(colour::paper);
    p.drawRect(QRectF(11, 23, 26, 18));
    p.setBrush(colour::blue.darker(130));
    p.drawRect(QRectF(20, 30, 8, 11));
    // Ruler across the foot of the house.
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(4, 39, 40, 6));
    p.setPen(QPen(colour::ink, 1.2));
    for (int i = 0; i < 8; ++i)
        p.drawLine(QPointF(8 + i * 5, 39), QPointF(8 + i * 5, i % 2 ? 41 : 42.5));
}

// A practice file in a file manager: a sheet carrying the program's house.
void paintPractice(QPainter& p) {
    sheet(p, 40);
    p.setPen(QPen(colour::ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::red);
    p.drawPolygon(QPolygonF{QPointF(12, 26), QPointF(24, 16), QPointF(36, 26)});
    p.setBrush(colour::paper);
    p.drawRect(QRectF(15, 25, 18, 12));
    p.setBrush(colour::blue);
    p.drawRect(QRectF(21, 30, 6, 7));
    p.setBrush(colour::yellow);
    p.drawRect(QRectF(11, 38, 26, 4));
}

using Painter = void (*)(QPainter&);

struct Entry {
    const char* id;
    Painter paint;
};

const Entry entries[] = {
    {"nuova", paintNuova},
    {"apri", paintApri},
    {"salva", paintSalva},
    {"istanza", paintIstanza},
    {"antimafia", paintAntimafia},
    {"statolavori", paintStatoLavori},
    {"perizia", paintPerizia},
    {"statica", paintStatica},
    {"sismica", paintSismica},
    {"tecnica", paintTecnica},
    {"ici", paintIci},
    {"rifiuti", paintRifiuti},
    {"occupazione", paintOccupazione},
    {"guida", paintGuida},
};

// An image, not a pixmap: it may be drawn on another thread.
QImage render(Painter paint, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / grid, size / grid);
    paint(p);
    return image;
}

// The tool bar's icons in one size, drawn on a thread of their own while the window is built.
struct DrawnAhead {
    int side = 0;
    QHash<Painter, QImage> images; // the thread's until it is joined
    std::jthread thread;           // last: joined before the images go
    void finish() {
        if (thread.joinable()) thread.join();
    }
};

DrawnAhead& drawnAhead() {
    static DrawnAhead ahead;
    return ahead;
}

QPixmap drawn(Painter paint, int side) {
    DrawnAhead& ahead = drawnAhead();
    ahead.finish();
    if (side == ahead.side)
        if (const QImage image = ahead.images.take(paint); !image.isNull()) return QPixmap::fromImage(image);
    return QPixmap::fromImage(render(paint, side));
}

// Draws each size the first time it is asked for: a window shows one size of a few icons,
// and drawing them all at start-up is time the user waits.
class PaintedIconEngine : public QIconEngine {
public:
    PaintedIconEngine(Painter painter, QList<int> sizes) : paint_(painter), sizes_(std::move(sizes)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = drawnSide(size);
        return side <= std::min(size.width(), size.height())
                   ? QSize(side, side)
                   : QSize(side, side).scaled(size, Qt::KeepAspectRatio);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const int side = drawnSide(size);
        auto it = drawn_.find(side);
        if (it == drawn_.end()) it = drawn_.insert(side, drawn(paint_, side));
        QPixmap pixmap = *it;
        const QSize actual = actualSize(size, mode, state);
        if (pixmap.size() != actual)
            pixmap = pixmap.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        // Disabled and selected looks as Qt makes them for any picture.
        if (mode != QIcon::Normal) pixmap = QIcon(pixmap).pixmap(actual, mode, state);
        return pixmap;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : sizes_)
            sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine* clone() const override { return new PaintedIconEngine(*this); }

private:
    // The smallest size drawn that covers the one asked for, else the largest.
    int drawnSide(const QSize& size) const {
        const int wanted = std::min(size.width(), size.height());
        for (int side : sizes_)
            if (side >= wanted) return side;
        return sizes_.constLast();
    }

    Painter paint_;
    QList<int> sizes_; // ascending
    QHash<int, QPixmap> drawn_;
};

QIcon makeIcon(Painter paint, std::initializer_list<int> sizes) {
    return QIcon(new PaintedIconEngine(paint, QList<int>(sizes)));
}

} // namespace

QIcon toolIcon(const QString& id) {
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(id); it != cache.constEnd()) return *it;
    for (const Entry& e : entries) {
        if (id == QLatin1String(e.id)) {
            QIcon icon = makeIcon(e.paint, {24, 48});
            cache.insert(id, icon);
            return icon;
        }
    }
    return QIcon();
}

void drawToolIconsAhead(int side) {
    DrawnAhead& ahead = drawnAhead();
    if (ahead.side != 0) return; // once per program
    ahead.side = side;
    try {
        ahead.thread = std::jthread([&ahead, side] {
            for (const Entry& e : entries)
                ahead.images.insert(e.paint, render(e.paint, side));
        });
    } catch (const std::system_error&) {
        // No thread to spare: each icon is drawn when the tool bar first shows it.
    }
}

void finishDrawingAhead() {
    drawnAhead().finish();
}

QStringList toolIconIds() {
    QStringList ids;
    for (const Entry& e : entries)
        ids << QString::fromLatin1(e.id);
    return ids;
}

void paintAppIcon(QPainter& painter) {
    paintApp(painter);
}

void paintPracticeIcon(QPainter& painter) {
    paintPractice(painter);
}

QIcon appIcon() {
    static const QIcon icon = makeIcon(paintApp, {16, 24, 32, 48, 64});
    return icon;
}

} // namespace quadrelo
