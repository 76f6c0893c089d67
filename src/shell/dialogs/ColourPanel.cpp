// Colour panels of the highlighter and its chooser.
#include "shell/dialogs/ColourPanel.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace nimbus::dialogs {

ColourPanel::ColourPanel(const QColor &colour, QWidget *parent) : QFrame(parent), colour_(colour)
{
    setMinimumSize(14, 14);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourPanel::setColour(const QColor &colour)
{
    colour_ = colour;
    update();
}

void ColourPanel::setFramed(bool framed)
{
    framed_ = framed;
    update();
}

void ColourPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    p.fillRect(area, colour_.isValid() ? colour_ : palette().window().color());
    p.setPen(framed_ ? QPen(Qt::black, 2) : QPen(QColor(128, 128, 128), 1));
    p.drawRect(framed_ ? area.adjusted(1, 1, 0, 0) : area);
    if (!isEnabled())
        p.fillRect(area, QColor(255, 255, 255, 140));
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(area.adjusted(2, 2, -2, -2));
    }
}

void ColourPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ColourPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void ColourPanel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
        emit clicked();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (isSignalConnected(QMetaMethod::fromSignal(&ColourPanel::doubleClicked))) {
            emit doubleClicked();
            return;
        }
        break;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}

} // namespace nimbus::dialogs
