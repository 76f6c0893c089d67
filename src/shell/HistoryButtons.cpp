// The undo history's buttons, with arrows drawn at several scales.
#include "shell/HistoryButtons.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>
#include <functional>

#include "widgets/KeyboardAccess.h"

namespace nimbus {

namespace {

// Drawn on a 16-unit grid at 1x, 2x and 3x.
QIcon drawnIcon(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (int scale : {1, 2, 3}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A curved arrow pointing left (undo) or, mirrored, right (redo).
QIcon arrow(bool forward)
{
    return drawnIcon([forward](QPainter &p) {
        if (forward) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        QPen pen(QColor(40, 70, 140), 1.6);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        QPainterPath curve;
        curve.moveTo(4, 6.5);
        curve.lineTo(10, 6.5);
        curve.cubicTo(15, 6.5, 15, 13.5, 10, 13.5);
        curve.lineTo(7, 13.5);
        p.drawPath(curve);
        QPainterPath head;
        head.moveTo(6.5, 3.5);
        head.lineTo(3.5, 6.5);
        head.lineTo(6.5, 9.5);
        p.drawPath(head);
    });
}

// Three lines of a list with a clock hand: the steps so far.
QIcon listIcon()
{
    return drawnIcon([](QPainter &p) {
        QPen pen(QColor(60, 60, 60), 1.2);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        for (double y : {3.5, 7.5, 11.5}) {
            p.drawEllipse(QPointF(2.5, y), 0.6, 0.6);
            p.drawLine(QPointF(5, y), QPointF(14, y));
        }
    });
}

QToolButton *historyButton(QWidget *parent, const char *name, QAction *action, const QIcon &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setDefaultAction(action);
    action->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Small enough for the heading row of the tree they sit in.
    button->setIconSize(QSize(14, 14));
    button->setFixedSize(18, 18);
    // The action's caption ("Undo Move 'Garden' up") is the hint and the name a screen reader
    // says; both follow the step.
    access::iconButton(button);
    QObject::connect(action, &QAction::changed, button, [button] {
        button->setAccessibleName(QString());
        access::iconButton(button);
    });
    return button;
}

} // namespace

HistoryButtons::HistoryButtons(QAction *undo, QAction *redo, QAction *list, QWidget *parent)
    : QWidget(parent)
{
    setObjectName("panelHistory");
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    buttonUndo = historyButton(this, "buttonUndo", undo, arrow(false));
    buttonRedo = historyButton(this, "buttonRedo", redo, arrow(true));
    buttonUndoHistory = historyButton(this, "buttonUndoHistory", list, listIcon());
    for (QToolButton *b : {buttonUndo, buttonRedo, buttonUndoHistory})
        row->addWidget(b);
}

} // namespace nimbus
