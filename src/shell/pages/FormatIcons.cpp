// Toolbar pictures on a 16 x 16 grid, rendered at 1x, 2x and 3x.
#include "shell/pages/FormatIcons.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>

#include "shell/pages/ThemeText.h"

namespace nimbus::pages::icons {

namespace {

// The ink of the picture being drawn: dark on a light palette, the button text's colour on a
// dark one.
QColor kInk(40, 40, 60);

void letter(QPainter &p, const QString &text, bool bold, bool italic)
{
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 16, 14), Qt::AlignCenter, text);
}

void lines(QPainter &p, double left, bool numbers)
{
    p.setPen(QPen(kInk, 1.2));
    for (int row = 0; row < 3; ++row) {
        const double y = 3.5 + row * 4.5;
        if (numbers) {
            QFont font;
            font.setPixelSize(5);
            p.setFont(font);
            p.drawText(QRectF(0, y - 3, 4, 6), Qt::AlignCenter, QString::number(row + 1));
        } else {
            p.setBrush(kInk);
            p.drawEllipse(QPointF(2, y), 1.2, 1.2);
            p.setBrush(Qt::NoBrush);
        }
        p.drawLine(QPointF(left, y), QPointF(15, y));
    }
}

void arrow(QPainter &p, bool right)
{
    p.setPen(QPen(kInk, 1.2));
    for (int row = 0; row < 4; ++row)
        p.drawLine(QPointF(row == 0 || row == 3 ? 1 : 7, 2.5 + row * 3.5),
                   QPointF(15, 2.5 + row * 3.5));
    QPainterPath head;
    if (right) {
        head.moveTo(1, 6);
        head.lineTo(5, 7.75);
        head.lineTo(1, 9.5);
    } else {
        head.moveTo(5, 6);
        head.lineTo(1, 7.75);
        head.lineTo(5, 9.5);
    }
    head.closeSubpath();
    p.setBrush(QColor(30, 90, 200));
    p.setPen(Qt::NoPen);
    p.drawPath(head);
}

void draw(QPainter &p, const QString &name)
{
    if (name == "font") {
        letter(p, QStringLiteral("A"), true, false);
        p.fillRect(QRectF(3, 14, 10, 1.5), QColor(200, 30, 30));
    } else if (name == "bold") {
        letter(p, QStringLiteral("B"), true, false);
    } else if (name == "italic") {
        letter(p, QStringLiteral("I"), false, true);
    } else if (name == "underline") {
        letter(p, QStringLiteral("U"), false, false);
        p.fillRect(QRectF(4, 14, 8, 1), kInk);
    } else if (name == "strikeout") {
        letter(p, QStringLiteral("S"), false, false);
        p.fillRect(QRectF(3, 7.5, 10, 1), QColor(200, 30, 30));
    } else if (name == "bullets") {
        lines(p, 5, false);
    } else if (name == "numbers") {
        lines(p, 5, true);
    } else if (name == "indent") {
        arrow(p, true);
    } else if (name == "outdent") {
        arrow(p, false);
    } else if (name == "highlight") {
        p.fillRect(QRectF(1, 12, 14, 3), QColor(255, 217, 0));
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(255, 240, 120));
        QPainterPath pen;
        pen.moveTo(4, 11);
        pen.lineTo(11, 2);
        pen.lineTo(14, 4.5);
        pen.lineTo(7, 13);
        pen.closeSubpath();
        p.drawPath(pen);
    } else if (name == "print") {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(180, 180, 190));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    } else if (name == "save") {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(60, 100, 190));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.fillRect(QRectF(4, 9.5, 8, 5), QColor(230, 230, 235));
    }
}

} // namespace

QIcon format(const QString &name)
{
    static QHash<QString, QIcon> cache;
    kInk = theme::ink(QGuiApplication::palette());
    const QString key = name + kInk.name();
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QIcon icon;
    for (int scale : {1, 2, 3}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p, name);
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    cache.insert(key, icon);
    return icon;
}

QPixmap lock(int size, qreal devicePixelRatio)
{
    const int pixels = qCeil(size * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / 20.0, pixels / 20.0);
    p.setPen(QPen(QColor(110, 110, 120), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 2, 10, 12), 0, 180 * 16);
    p.drawLine(QPointF(5, 8), QPointF(5, 10));
    p.drawLine(QPointF(15, 8), QPointF(15, 10));
    p.setPen(QPen(QColor(140, 100, 20), 1));
    p.setBrush(QColor(230, 180, 40));
    p.drawRoundedRect(QRectF(3, 9, 14, 10), 2, 2);
    p.setBrush(QColor(90, 60, 10));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(10, 13.5), 1.6, 1.6);
    p.drawRect(QRectF(9.4, 13.5, 1.2, 3));
    p.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QCursor highlightCursor()
{
    QBitmap shape(20, 20);
    QBitmap mask(20, 20);
    shape.fill(Qt::color0);
    mask.fill(Qt::color0);
    for (QBitmap *bitmap : {&shape, &mask}) {
        QPainter p(bitmap);
        p.setPen(QPen(Qt::color1, bitmap == &mask ? 4 : 2));
        p.drawLine(2, 17, 16, 3);
        p.drawLine(2, 17, 6, 17);
    }
    return QCursor(shape, mask, 2, 17);
}

} // namespace nimbus::pages::icons
