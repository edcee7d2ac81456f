#include "shell/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QtMath>
#include <cmath>
#include <functional>

namespace agendix::shell {

namespace {

// Every icon is drawn on a 32 x 32 grid and scaled to the pixmap size.
using Drawing = std::function<void(QPainter&)>;

QIcon drawnIcon(const Drawing& draw) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen outline(const QColor& color, qreal width = 1.5) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor kInk(40, 48, 64);

// A five-pointed star centred on (cx, cy).
void drawStar(QPainter& p, qreal cx, qreal cy, qreal radius) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? radius : radius * 0.45;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    p.setPen(outline(QColor(150, 100, 0), 1.0));
    p.setBrush(QColor(255, 205, 40));
    p.drawPolygon(star);
}

void drawClock(QPainter& p) {
    // Bells and feet.
    p.setPen(outline(kInk));
    p.setBrush(QColor(200, 40, 40));
    p.drawChord(QRectF(2, 2, 11, 11), 30 * 16, 180 * 16);
    p.drawChord(QRectF(19, 2, 11, 11), -30 * 16, 180 * 16);
    p.drawLine(QPointF(8, 26), QPointF(5, 30));
    p.drawLine(QPointF(24, 26), QPointF(27, 30));
    // Case and face.
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(3.5, 5, 25, 25));
    p.setBrush(QColor(255, 252, 240));
    p.drawEllipse(QRectF(6.5, 8, 19, 19));
    // Hour marks.
    const QPointF centre(16, 17.5);
    p.setPen(outline(kInk, 1.2));
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal angle = hour * M_PI / 6;
        p.drawLine(centre + QPointF(7.5 * std::sin(angle), -7.5 * std::cos(angle)),
                   centre + QPointF(6 * std::sin(angle), -6 * std::cos(angle)));
    }
    // Hands at ten past ten.
    p.setPen(outline(kInk, 1.8));
    p.drawLine(centre, centre + QPointF(-4.2, -2.4));
    p.drawLine(centre, centre + QPointF(3.8, -5.2));
    p.setBrush(kInk);
    p.drawEllipse(centre, 1.2, 1.2);
}

void drawProgramWizard(QPainter& p) {
    p.setPen(outline(kInk));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(2, 6, 24, 20), 2, 2);
    p.setBrush(QColor(40, 90, 180));
    p.drawRect(QRectF(2, 6, 24, 5));
    p.setPen(outline(QColor(40, 90, 180), 2));
    p.drawLine(QPointF(7, 16), QPointF(10, 18.5));
    p.drawLine(QPointF(10, 18.5), QPointF(7, 21));
    p.drawLine(QPointF(12, 21), QPointF(17, 21));
    drawStar(p, 25, 8, 6.5);
}

void drawMessageWizard(QPainter& p) {
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(2, 7, 24, 16), 4, 4);
    QPolygonF tail;
    tail << QPointF(7, 22) << QPointF(5, 29) << QPointF(13, 22);
    balloon.addPolygon(tail);
    balloon = balloon.simplified();
    p.setPen(outline(kInk));
    p.setBrush(QColor(255, 255, 225));
    p.drawPath(balloon);
    p.setPen(outline(QColor(110, 110, 110), 1.5));
    p.drawLine(QPointF(6, 13), QPointF(20, 13));
    p.drawLine(QPointF(6, 17), QPointF(16, 17));
    drawStar(p, 25, 8, 6.5);
}

void drawSchedule(QPainter& p) {
    p.setPen(outline(kInk));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(3, 5, 26, 24), 2, 2);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(3, 5, 26, 7));
    // Rings.
    p.setPen(outline(kInk, 2));
    p.drawLine(QPointF(10, 2.5), QPointF(10, 7.5));
    p.drawLine(QPointF(22, 2.5), QPointF(22, 7.5));
    // Days, with today marked.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const bool today = row == 1 && column == 2;
            p.setBrush(today ? QColor(40, 90, 180) : QColor(150, 150, 150));
            p.drawRect(QRectF(6 + column * 5.5, 14.5 + row * 4.5, 3.5, 3));
        }
    }
}

void drawToDo(QPainter& p) {
    p.setPen(outline(kInk));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(5, 3, 22, 27), 2, 2);
    for (int line = 0; line < 3; ++line) {
        const qreal y = 10 + line * 7;
        p.setPen(outline(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, y - 2.5, 5, 5));
        p.setPen(outline(QColor(110, 110, 110), 1.5));
        p.drawLine(QPointF(15.5, y), QPointF(24, y));
        if (line < 2) {
            p.setPen(outline(QColor(30, 150, 60), 2));
            p.drawLine(QPointF(8.5, y - 0.5), QPointF(10.5, y + 2));
            p.drawLine(QPointF(10.5, y + 2), QPointF(14.5, y - 4.5));
        }
    }
}

void drawStop(QPainter& p) {
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = M_PI / 8 + i * M_PI / 4;
        octagon << QPointF(16 + 14 * std::cos(angle), 16 + 14 * std::sin(angle));
    }
    p.setPen(outline(QColor(120, 0, 0)));
    p.setBrush(QColor(210, 30, 30));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10, 10, 12, 12));
}

}  // namespace

QIcon frameIcon() {
    return drawnIcon(drawClock);
}
QIcon programWizardIcon() {
    return drawnIcon(drawProgramWizard);
}
QIcon messageWizardIcon() {
    return drawnIcon(drawMessageWizard);
}
QIcon scheduleIcon() {
    return drawnIcon(drawSchedule);
}
QIcon toDoIcon() {
    return drawnIcon(drawToDo);
}
QIcon stopIcon() {
    return drawnIcon(drawStop);
}

}  // namespace agendix::shell
