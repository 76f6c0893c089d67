// Drawing of the sky and of the nine badges: a glossy disc in the group's colour with a white
// symbol (clock, exclamation mark, hourglass, calendar, progress ring, sparkle, pencil, star,
// pause), and a soft halo around the highlighted picture.
#include "shell/summary/BadgeArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace nimbus::summarypage {

using summary::Group;

namespace {

// Base colour of each group's disc, by picture number.
QColor discColour(Group group)
{
    switch (group) {
    case Group::Deadlines:
        return QColor(236, 139, 32);
    case Group::Urgent:
        return QColor(214, 48, 49);
    case Group::Overdue:
        return QColor(176, 52, 118);
    case Group::Events:
        return QColor(22, 150, 150);
    case Group::InProgress:
        return QColor(58, 160, 72);
    case Group::New:
        return QColor(42, 116, 214);
    case Group::Changes:
        return QColor(121, 82, 196);
    case Group::Favourites:
        return QColor(222, 172, 20);
    case Group::Waiting:
        return QColor(92, 120, 150);
    }
    return QColor(90, 90, 90);
}

QPen symbolPen(qreal width)
{
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / points;
        const QPointF p(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// The white symbol of a group, in the 100 x 100 square of the disc (centre 50, 47).
void drawSymbol(QPainter &p, Group group)
{
    const QPointF c(50, 47);
    p.setBrush(Qt::NoBrush);
    p.setPen(symbolPen(5));
    switch (group) {
    case Group::Deadlines: { // a clock at ten to two
        p.drawEllipse(c, 20, 20);
        p.drawLine(c, c + QPointF(0, -13));
        p.drawLine(c, c + QPointF(10, 5));
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c, 3.5, 3.5);
        break;
    }
    case Group::Urgent: { // exclamation mark in a triangle
        QPainterPath triangle;
        triangle.moveTo(50, 24);
        triangle.lineTo(74, 66);
        triangle.lineTo(26, 66);
        triangle.closeSubpath();
        p.setPen(symbolPen(4.5));
        p.drawPath(triangle);
        p.setPen(symbolPen(5.5));
        p.drawLine(QPointF(50, 38), QPointF(50, 51));
        p.drawPoint(QPointF(50, 59));
        break;
    }
    case Group::Overdue: { // hourglass with the sand run out
        QPainterPath glass;
        glass.moveTo(36, 26);
        glass.lineTo(64, 26);
        glass.lineTo(50, 47);
        glass.lineTo(64, 68);
        glass.lineTo(36, 68);
        glass.lineTo(50, 47);
        glass.closeSubpath();
        p.setPen(symbolPen(4));
        p.drawPath(glass);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPainterPath sand;
        sand.moveTo(41, 66);
        sand.lineTo(59, 66);
        sand.lineTo(50, 55);
        sand.closeSubpath();
        p.drawPath(sand);
        break;
    }
    case Group::Events: { // calendar page
        p.setPen(symbolPen(4));
        p.drawRoundedRect(QRectF(29, 29, 42, 38), 4, 4);
        p.drawLine(QPointF(29, 40), QPointF(71, 40));
        p.drawLine(QPointF(39, 24), QPointF(39, 33));
        p.drawLine(QPointF(61, 24), QPointF(61, 33));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 3; ++column)
                p.drawRect(QRectF(35 + column * 11, 46 + row * 9, 7, 5));
        break;
    }
    case Group::InProgress: { // a ring three quarters done with a play mark
        p.setPen(QPen(QColor(255, 255, 255, 90), 6, Qt::SolidLine, Qt::FlatCap));
        p.drawEllipse(c, 21, 21);
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(c.x() - 21, c.y() - 21, 42, 42), 90 * 16, -270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPainterPath play;
        play.moveTo(45, 38);
        play.lineTo(58, 47);
        play.lineTo(45, 56);
        play.closeSubpath();
        p.drawPath(play);
        break;
    }
    case Group::New: { // sparkle
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(starPath(c, 24, 7, 4));
        p.drawPath(starPath(QPointF(68, 28), 8, 2.5, 4));
        break;
    }
    case Group::Changes: { // pencil over a line
        p.save();
        p.translate(c);
        p.rotate(-45);
        p.setPen(symbolPen(3.5));
        QPainterPath pencil;
        pencil.moveTo(-20, -6);
        pencil.lineTo(14, -6);
        pencil.lineTo(24, 0);
        pencil.lineTo(14, 6);
        pencil.lineTo(-20, 6);
        pencil.closeSubpath();
        p.drawPath(pencil);
        p.drawLine(QPointF(-13, -6), QPointF(-13, 6));
        p.restore();
        p.setPen(symbolPen(3.5));
        p.drawLine(QPointF(30, 70), QPointF(56, 70));
        break;
    }
    case Group::Favourites: { // five-pointed star
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(starPath(c + QPointF(0, 2), 25, 11, 5));
        break;
    }
    case Group::Waiting: { // pause bars in a ring
        p.drawEllipse(c, 21, 21);
        p.setPen(symbolPen(6));
        p.drawLine(QPointF(43, 39), QPointF(43, 55));
        p.drawLine(QPointF(57, 39), QPointF(57, 55));
        break;
    }
    }
}

} // namespace

QPixmap BadgeArt::Badge(Group group, bool highlighted, qreal devicePixelRatio)
{
    QPixmap pixmap(qCeil(kBadgeWidth * devicePixelRatio), qCeil(kBadgeHeight * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The disc and symbol are drawn in a 100 x 100 square, moved to sit over the label.
    p.translate((kBadgeWidth - 100) / 2.0 + 5, 0);

    const QColor base = discColour(group);
    const QPointF centre(50, 47);
    const qreal radius = 38;

    if (highlighted) {
        // Halo: the picture lights up under the pointer.
        QRadialGradient halo(centre, 50);
        halo.setColorAt(0.70, QColor(255, 246, 190, 220));
        halo.setColorAt(1.0, QColor(255, 246, 190, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(centre, 50, 50);
    } else {
        // Soft shadow below the disc.
        QRadialGradient shadow(centre + QPointF(0, 5), radius + 8);
        shadow.setColorAt(0.78, QColor(0, 20, 60, 90));
        shadow.setColorAt(1.0, QColor(0, 20, 60, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(centre + QPointF(0, 5), radius + 8, radius + 8);
    }

    const QColor light = highlighted ? base.lighter(150) : base.lighter(125);
    const QColor dark = highlighted ? base : base.darker(135);
    QRadialGradient disc(centre + QPointF(-12, -16), radius * 1.5);
    disc.setColorAt(0.0, light);
    disc.setColorAt(1.0, dark);
    p.setBrush(disc);
    p.setPen(QPen(QColor(255, 255, 255, highlighted ? 255 : 215), highlighted ? 4 : 3));
    p.drawEllipse(centre, radius, radius);

    // Gloss on the upper half.
    QLinearGradient gloss(QPointF(0, centre.y() - radius), QPointF(0, centre.y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 120));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(
        QRectF(centre.x() - radius + 8, centre.y() - radius + 3, 2 * radius - 16, radius));

    drawSymbol(p, group);
    return pixmap;
}

QPixmap BadgeArt::Sky(QSize size, qreal devicePixelRatio, look::Shade shade)
{
    const look::TreeLook &colours = look::treeLook(shade);
    const bool night = shade == look::Shade::Dark;
    const auto rgb = [](look::Rgb c) { return QColor(c.red, c.green, c.blue); };
    const QSize logical = size.expandedTo(QSize(1, 1));
    QPixmap pixmap(logical * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = logical.width();
    const qreal h = logical.height();

    QLinearGradient sky(QPointF(0, 0), QPointF(0, h));
    sky.setColorAt(0.0, rgb(colours.skyTop));
    sky.setColorAt(0.55, rgb(colours.skyMiddle));
    sky.setColorAt(1.0, rgb(colours.skyBottom));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // Sun glow (at night a faint moon glow) in the upper right corner.
    const int glow = night ? 3 : 1;
    QRadialGradient sun(QPointF(w * 0.88, h * 0.08), h * 0.45);
    sun.setColorAt(0.0, QColor(255, 250, 220, 150 / glow));
    sun.setColorAt(0.25, QColor(255, 240, 200, 60 / glow));
    sun.setColorAt(1.0, QColor(255, 240, 200, 0));
    p.fillRect(QRectF(0, 0, w, h), sun);

    // Clouds: clusters of soft discs, placed in proportion to the page.
    struct Puff {
        qreal x, y, r;
    };
    const Puff clouds[][5] = {
        {{0.10, 0.30, 0.07},
         {0.16, 0.27, 0.09},
         {0.23, 0.30, 0.07},
         {0.17, 0.33, 0.08},
         {0.05, 0.33, 0.05}},
        {{0.62, 0.55, 0.06},
         {0.68, 0.51, 0.08},
         {0.75, 0.54, 0.07},
         {0.70, 0.58, 0.07},
         {0.80, 0.57, 0.05}},
        {{0.30, 0.86, 0.09},
         {0.40, 0.82, 0.11},
         {0.52, 0.86, 0.09},
         {0.42, 0.91, 0.10},
         {0.22, 0.91, 0.07}},
        {{0.85, 0.88, 0.08},
         {0.93, 0.84, 0.10},
         {1.00, 0.88, 0.08},
         {0.90, 0.93, 0.09},
         {0.78, 0.93, 0.06}},
    };
    const qreal scale = std::min(w, h * 1.5);
    p.setPen(Qt::NoPen);
    for (const auto &cloud : clouds)
        for (const Puff &puff : cloud) {
            const QPointF centre(puff.x * w, puff.y * h);
            const qreal r = puff.r * scale;
            QRadialGradient g(centre, r);
            g.setColorAt(0.0, QColor(255, 255, 255, 120 / (glow * 2 - 1)));
            g.setColorAt(0.6, QColor(255, 255, 255, 70 / (glow * 2 - 1)));
            g.setColorAt(1.0, QColor(255, 255, 255, 0));
            p.setBrush(g);
            p.drawEllipse(centre, r, r);
        }
    return pixmap;
}

} // namespace nimbus::summarypage
