#include "shell/TrayIcons.h"

#include <QPainter>
#include <QPixmap>

#include "shell/Icons.h"

namespace agendix::shell {

namespace {

// The frame's clock with a quarter sweep drawn over its face, starting at `quarter` (0 top right).
QIcon sweptClock(int quarter, const QColor& colour) {
    const QIcon base = frameIcon();
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = base.pixmap(size, size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        painter.setPen(Qt::NoPen);
        QColor fill = colour;
        fill.setAlpha(170);
        painter.setBrush(fill);
        // Qt counts angles anticlockwise from three o'clock, in sixteenths of a degree.
        painter.drawPie(QRectF(6.5, 8, 19, 19), (90 - 90 * quarter) * 16, -90 * 16);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon trayIcon(std::string_view name) {
    const QColor blue(40, 110, 220);
    const QColor red(220, 40, 40);
    if (name == "trayb_ico") {
        return sweptClock(1, blue);
    }
    if (name == "trayc_ico") {
        return sweptClock(2, blue);
    }
    if (name == "trayd_ico") {
        return sweptClock(3, blue);
    }
    if (name == "traybr_ico") {
        return sweptClock(1, red);
    }
    if (name == "traydr_ico") {
        return sweptClock(3, red);
    }
    return frameIcon();
}

}  // namespace agendix::shell
