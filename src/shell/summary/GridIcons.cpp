// Drawing of the status grid's icons in a 14 x 14 space.
#include "shell/summary/GridIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace nimbus::summarypage {

using gridcells::IconList;

namespace {

void drawPage(QPainter &p, QPointF at, QColor fold)
{
    QPainterPath page;
    page.moveTo(at + QPointF(0.5, 0.5));
    page.lineTo(at + QPointF(6.5, 0.5));
    page.lineTo(at + QPointF(9.5, 3.5));
    page.lineTo(at + QPointF(9.5, 12.5));
    page.lineTo(at + QPointF(0.5, 12.5));
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 100, 120), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(fold);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(at + QPointF(2, 5), QSizeF(6, 1.2)));
    p.drawRect(QRectF(at + QPointF(2, 7.5), QSizeF(6, 1.2)));
    p.drawRect(QRectF(at + QPointF(2, 10), QSizeF(4, 1.2)));
}

void drawStar(QPainter &p, QPointF centre, qreal outer, QColor fill)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : outer * 0.45;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(centre.x() + r * qCos(a), centre.y() + r * qSin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(fill.darker(140), 0.8));
    p.setBrush(fill);
    p.drawPath(star);
}

void drawUrgent(QPainter &p, QPointF centre, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(Qt::white, radius * 0.32, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(0, -radius * 0.5), centre + QPointF(0, radius * 0.1));
    p.drawPoint(centre + QPointF(0, radius * 0.52));
}

// Status 1 to 5 of a task or event: not started, in progress, done, on hold, waiting.
void drawStatus(QPainter &p, int status)
{
    const QPointF c(7, 7);
    switch (status) {
    case 1:
        p.setPen(QPen(QColor(70, 110, 170), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(c, 5.2, 5.2);
        break;
    case 2:
        p.setPen(QPen(QColor(30, 110, 200), 1.4));
        p.setBrush(Qt::white);
        p.drawEllipse(c, 5.2, 5.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 200));
        p.drawPie(QRectF(1.8, 1.8, 10.4, 10.4), 90 * 16, -180 * 16);
        break;
    case 3:
        p.setPen(QPen(QColor(20, 140, 50), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(2.5, 7.5), QPointF(5.8, 10.8), QPointF(11.5, 3.2)}));
        break;
    case 4:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(130, 130, 140));
        p.drawRoundedRect(QRectF(3, 2.5, 3, 9), 1, 1);
        p.drawRoundedRect(QRectF(8, 2.5, 3, 9), 1, 1);
        break;
    case 5:
        p.setPen(QPen(QColor(200, 130, 20), 1.4));
        p.setBrush(QColor(255, 236, 190));
        p.drawEllipse(c, 5.4, 5.4);
        p.setPen(QPen(QColor(160, 100, 10), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(0, -3.5));
        p.drawLine(c, c + QPointF(2.8, 1.2));
        break;
    default:
        break;
    }
}

void drawRecurring(QPainter &p)
{
    // A small circular arrow in the lower right corner marks a recurring topic.
    p.setPen(QPen(QColor(60, 60, 160), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8.3, 8.3, 5.2, 5.2), 30 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 160));
    p.drawPolygon(QPolygonF({QPointF(12.3, 7.6), QPointF(14, 10.4), QPointF(10.8, 10.2)}));
}

} // namespace

QPixmap GridIcons::Icon(gridcells::Icon icon, qreal devicePixelRatio)
{
    if (icon.list == IconList::None || icon.index < 0)
        return {};
    const quint64 key = (quint64(static_cast<int>(icon.list)) << 56) |
                        (quint64(icon.index & 0xFFFF) << 40) |
                        quint64(qRound(devicePixelRatio * 100));
    auto found = cache_.constFind(key);
    if (found != cache_.constEnd())
        return *found;
    QPixmap pixmap = draw(icon, devicePixelRatio);
    cache_.insert(key, pixmap);
    return pixmap;
}

QPixmap GridIcons::draw(gridcells::Icon icon, qreal devicePixelRatio)
{
    QPixmap pixmap(qCeil(kIconSize * devicePixelRatio), qCeil(kIconSize * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon.list) {
    case IconList::Doc:
        if (icon.index == 2) {
            drawPage(p, QPointF(3.5, 0), QColor(150, 160, 180));
            drawPage(p, QPointF(0.5, 1.5), QColor(70, 110, 170));
        } else {
            // Details page (0) in blue; another kind of page (1) in green.
            drawPage(p, QPointF(2, 0.5),
                     icon.index == 0 ? QColor(70, 110, 170) : QColor(60, 150, 90));
        }
        break;
    case IconList::TopicStatus:
        if (icon.index == 0) {
            drawUrgent(p, QPointF(7, 7), 6);
        } else if (icon.index == 14 || icon.index == 15) {
            drawStar(p, QPointF(7, 7.4), 6.6, QColor(245, 190, 30));
            if (icon.index == 15)
                drawUrgent(p, QPointF(10.5, 10.5), 3.4);
        } else if (icon.index >= 1 && icon.index <= 10) {
            drawStatus(p, icon.index > 5 ? icon.index - 5 : icon.index);
            if (icon.index > 5)
                drawRecurring(p);
        }
        break;
    case IconList::Progress: {
        // A pie filled by tenths.
        const QRectF disc(1.5, 1.5, 11, 11);
        p.setPen(QPen(QColor(30, 110, 200), 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(disc);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 200));
        p.drawPie(disc.adjusted(1, 1, -1, -1), 90 * 16, -qRound(icon.index * 36.0 * 16));
        break;
    }
    case IconList::None:
        break;
    }
    return pixmap;
}

} // namespace nimbus::summarypage
