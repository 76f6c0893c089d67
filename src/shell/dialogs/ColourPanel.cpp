// Colour panels of the highlighter and its chooser.
#include "shell/dialogs/ColourPanel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace nimbus::dialogs {

namespace {

// A colour panel is a switch to a screen reader, not a frame: checked while it is framed (on,
// or the chosen colour), its colour as its value, and "Press" as a click.
class ColourPanelAccessible : public QAccessibleWidget {
public:
    explicit ColourPanelAccessible(ColourPanel *panel)
        : QAccessibleWidget(panel, QAccessible::CheckBox)
    {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    ColourPanel *panel() const { return static_cast<ColourPanel *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = panel()->toolTip();
        if (t == QAccessible::Value && panel()->colour().isValid())
            text = panel()->colour().name();
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = panel()->switchedOn().value_or(panel()->framed());
        return s;
    }

    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }

    void doAction(const QString &action) override
    {
        if (action == pressAction() || action == toggleAction())
            emit panel()->clicked();
    }
};

QAccessibleInterface *colourPanelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("nimbus::dialogs::ColourPanel") && object &&
        object->isWidgetType())
        return new ColourPanelAccessible(static_cast<ColourPanel *>(object));
    return nullptr;
}

} // namespace

ColourPanel::ColourPanel(const QColor &colour, QWidget *parent) : QFrame(parent), colour_(colour)
{
    static const bool installed = [] {
        QAccessible::installFactory(colourPanelFactory);
        return true;
    }();
    (void)installed;
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
    const bool changed = framed_ != framed;
    framed_ = framed;
    update();
    if (changed && !switchedOn_)
        tellCheckedChanged();
}

void ColourPanel::setSwitchedOn(bool on)
{
    const bool changed = switchedOn_ != on;
    switchedOn_ = on;
    if (changed)
        tellCheckedChanged();
}

void ColourPanel::tellCheckedChanged()
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State state;
    state.checked = true;
    QAccessibleStateChangeEvent event(this, state);
    QAccessible::updateAccessibility(&event);
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
