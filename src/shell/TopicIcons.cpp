// Icons painted with QPainter on a 16 x 16 grid, rendered at several scales.
#include "shell/TopicIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace nimbus::icons {

namespace {

using Draw = std::function<void(QPainter &)>;

// Renders a drawing on the 16-unit grid at 1x, 2x and 3x, once per key; at 16 and at 32
// logical pixels, so that the dialogs' double-size image buttons are sharp on every screen too
// (an icon picks among its pictures of the screen's ratio first, then by size).
QIcon cached(const QString &key, const Draw &draw)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QIcon icon;
    for (int logical : {16, 32}) {
        for (int scale : {1, 2, 3}) {
            QPixmap pixmap(logical * scale, logical * scale);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(scale * logical / 16.0, scale * logical / 16.0);
            draw(p);
            p.end();
            pixmap.setDevicePixelRatio(scale);
            icon.addPixmap(pixmap);
        }
    }
    cache.insert(key, icon);
    return icon;
}

QPen pen(const QColor &colour, double width = 1.0)
{
    QPen p(colour, width);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void folder(QPainter &p, const QColor &fill, const QColor &edge)
{
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6, 3.5);
    path.lineTo(7.5, 5);
    path.lineTo(14.5, 5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.setPen(pen(edge));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(pen(fill.lighter(130)));
    p.drawLine(QPointF(2.5, 6.5), QPointF(13.5, 6.5));
}

void page(QPainter &p, const QColor &edge)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(12.5, 4);
    path.lineTo(12.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(pen(edge));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

void drawSection(QPainter &p, int kind)
{
    switch (kind) {
    case 1:
        folder(p, QColor(242, 190, 70), QColor(176, 124, 20));
        break;
    case 2: // two linked screens
        p.setPen(pen(QColor(40, 90, 160)));
        p.setBrush(QColor(170, 205, 240));
        p.drawRoundedRect(QRectF(0.5, 2.5, 7, 5.5), 1, 1);
        p.drawRoundedRect(QRectF(8.5, 7.5, 7, 5.5), 1, 1);
        p.drawLine(QPointF(4, 8), QPointF(4, 11));
        p.drawLine(QPointF(4, 11), QPointF(8.5, 11));
        break;
    case 3: { // a gear
        p.setPen(pen(QColor(90, 96, 104)));
        p.setBrush(QColor(168, 174, 182));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.3, -7, 2.6, 3));
            p.restore();
        }
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    }
    case 5: // information
        p.setPen(pen(QColor(30, 80, 150)));
        p.setBrush(QColor(70, 130, 210));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(pen(Qt::white, 1.8));
        p.drawLine(QPointF(8, 7.2), QPointF(8, 11.5));
        p.drawPoint(QPointF(8, 4.6));
        break;
    case 6: // a person
        p.setPen(pen(QColor(20, 110, 110)));
        p.setBrush(QColor(90, 180, 175));
        p.drawEllipse(QPointF(8, 5), 3, 3);
        p.drawChord(QRectF(2.5, 9, 11, 11), 0, 180 * 16);
        break;
    default:
        folder(p, QColor(200, 200, 200), QColor(120, 120, 120));
        break;
    }
}

void drawType(QPainter &p, int ttype)
{
    switch (ttype) {
    case 2: // general topic: stacked cards
        p.setPen(pen(QColor(60, 90, 150)));
        p.setBrush(QColor(200, 215, 240));
        p.drawRoundedRect(QRectF(3.5, 1.5, 10, 8), 1, 1);
        p.setBrush(QColor(120, 155, 215));
        p.drawRoundedRect(QRectF(1.5, 5.5, 11, 9), 1, 1);
        break;
    case 3: // event: a calendar leaf
        p.setPen(pen(QColor(150, 40, 40)));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 1.5, 1.5);
        p.setBrush(QColor(210, 60, 55));
        p.drawRect(QRectF(1.5, 2.5, 13, 3.5));
        p.setPen(pen(QColor(120, 120, 120)));
        for (double y : {8.5, 11.5})
            for (double x : {4.5, 8.0, 11.5})
                p.drawPoint(QPointF(x, y));
        break;
    case 4: // task: a ticked box
        p.setPen(pen(QColor(40, 100, 60)));
        p.setBrush(QColor(225, 245, 228));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
        p.setPen(pen(QColor(30, 140, 60), 2));
        p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 4.5)}));
        break;
    case 5: // information: a written page
        page(p, QColor(90, 100, 120));
        p.setPen(pen(QColor(110, 140, 190)));
        for (double y : {5.5, 8.0, 10.5, 13.0})
            p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
        break;
    case 6: { // idea: a light bulb
        p.setPen(pen(QColor(170, 130, 0)));
        p.setBrush(QColor(255, 222, 80));
        p.drawEllipse(QPointF(8, 6.5), 5, 5);
        p.setBrush(QColor(150, 150, 150));
        p.setPen(pen(QColor(100, 100, 100)));
        p.drawRect(QRectF(5.8, 11, 4.4, 3.5));
        break;
    }
    case 7: // finance: a coin
        p.setPen(pen(QColor(150, 110, 0)));
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(pen(QColor(150, 110, 0), 1.4));
        p.drawLine(QPointF(8, 3.8), QPointF(8, 12.2));
        p.drawArc(QRectF(5.5, 5, 5, 3.2), 30 * 16, 240 * 16);
        p.drawArc(QRectF(5.5, 7.8, 5, 3.2), 210 * 16, 240 * 16);
        break;
    default:
        page(p, QColor(120, 120, 120));
        break;
    }
}

void drawStatus(QPainter &p, int status)
{
    const QColor ring(70, 90, 120);
    p.setPen(pen(ring, 1.2));
    switch (status) {
    case 1: // not started: an empty circle
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        break;
    case 2: // in progress: half filled
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        p.setBrush(QColor(60, 140, 230));
        p.drawPie(QRectF(2, 2, 12, 12), 90 * 16, -180 * 16);
        break;
    case 3: // finished: a tick in green
        p.setBrush(QColor(60, 170, 80));
        p.setPen(pen(QColor(30, 120, 50), 1.2));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(pen(Qt::white, 2));
        p.drawPolyline(QPolygonF({QPointF(4.8, 8.2), QPointF(7.2, 10.6), QPointF(11.2, 5.6)}));
        break;
    case 4: // on hold: pause bars
        p.setBrush(QColor(230, 150, 40));
        p.setPen(pen(QColor(170, 100, 10), 1));
        p.drawRoundedRect(QRectF(3.5, 2.5, 3.5, 11), 1, 1);
        p.drawRoundedRect(QRectF(9, 2.5, 3.5, 11), 1, 1);
        break;
    case 5: // waiting: an hourglass
        p.setBrush(QColor(250, 225, 150));
        p.setPen(pen(QColor(140, 100, 30), 1.2));
        p.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(12.5, 1.5), QPointF(8, 8),
                                 QPointF(12.5, 14.5), QPointF(3.5, 14.5), QPointF(8, 8)}));
        break;
    default:
        break;
    }
}

} // namespace

QIcon section(int kind)
{
    return cached(QStringLiteral("section%1").arg(kind),
                  [kind](QPainter &p) { drawSection(p, kind); });
}

QIcon topicType(int ttype)
{
    return cached(QStringLiteral("type%1").arg(ttype),
                  [ttype](QPainter &p) { drawType(p, ttype); });
}

QIcon status(int code)
{
    return cached(QStringLiteral("status%1").arg(code),
                  [code](QPainter &p) { drawStatus(p, code); });
}

QIcon urgent(bool on)
{
    return cached(on ? QStringLiteral("urgent") : QStringLiteral("noturgent"), [on](QPainter &p) {
        const QColor colour = on ? QColor(215, 40, 40) : QColor(150, 150, 150);
        p.setPen(pen(colour.darker(130)));
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({QPointF(8, 1.2), QPointF(15, 14.5), QPointF(1, 14.5)}));
        p.setPen(pen(Qt::white, 1.8));
        p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
        p.drawPoint(QPointF(8, 12.5));
        if (!on) {
            p.setPen(pen(QColor(60, 60, 60), 1.5));
            p.drawLine(QPointF(2, 2), QPointF(14, 14));
        }
    });
}

QIcon priority(bool up)
{
    return cached(up ? QStringLiteral("priup") : QStringLiteral("pridown"), [up](QPainter &p) {
        p.setPen(pen(up ? QColor(30, 110, 200) : QColor(110, 120, 140), 1));
        p.setBrush(up ? QColor(90, 160, 240) : QColor(170, 180, 200));
        if (up)
            p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 8.5), QPointF(10.5, 8.5),
                                     QPointF(10.5, 14.5), QPointF(5.5, 14.5), QPointF(5.5, 8.5),
                                     QPointF(1.5, 8.5)}));
        else
            p.drawPolygon(QPolygonF({QPointF(8, 14.5), QPointF(14.5, 7.5), QPointF(10.5, 7.5),
                                     QPointF(10.5, 1.5), QPointF(5.5, 1.5), QPointF(5.5, 7.5),
                                     QPointF(1.5, 7.5)}));
    });
}

QIcon application()
{
    return cached(QStringLiteral("app"), [](QPainter &p) {
        p.setPen(pen(QColor(50, 110, 190), 0.8));
        p.setBrush(QColor(235, 245, 255));
        QPainterPath cloud;
        cloud.addEllipse(QPointF(5.5, 9.5), 4, 3.5);
        cloud.addEllipse(QPointF(9, 7), 4.5, 4.5);
        cloud.addEllipse(QPointF(12, 10), 3.2, 3);
        cloud.addRect(QRectF(5.5, 9.5, 6.5, 3.5));
        p.drawPath(cloud.simplified());
    });
}

} // namespace nimbus::icons
