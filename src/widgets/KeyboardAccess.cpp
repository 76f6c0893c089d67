// Accessible names and keyboard routes shared by the windows.
#include "widgets/KeyboardAccess.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

namespace nimbus::access {

QString spokenText(const QString &caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&x" reads as "x", "&&" as "&"
        spoken += caption[i];
    }
    return spoken;
}

void nameFromHint(QWidget *widget)
{
    if (widget && widget->accessibleName().isEmpty() && !widget->toolTip().isEmpty())
        widget->setAccessibleName(spokenText(widget->toolTip()));
}

void iconButton(QAbstractButton *button)
{
    if (!button)
        return;
    nameFromHint(button);
    button->setFocusPolicy(Qt::TabFocus);
}

void reachableToolBar(QToolBar *bar)
{
    for (QAction *action : bar->actions()) {
        if (action->isSeparator())
            continue;
        auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
        if (!button)
            continue;
        const QString name = spokenText(action->text());
        button->setAccessibleName(name);
        if (action->toolTip() != name)
            button->setAccessibleDescription(action->toolTip());
        button->setFocusPolicy(Qt::TabFocus);
    }
}

void activateOnEnter(QAbstractItemView *view, std::function<void(const QModelIndex &)> act)
{
    auto run = [view, act] {
        if (view->currentIndex().isValid())
            act(view->currentIndex());
    };
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *shortcut = new QShortcut(key, view);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, view, run);
    }
}

void menuFromKeyboard(QToolButton *button)
{
    auto *open = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), button);
    open->setContext(Qt::WidgetShortcut);
    QObject::connect(open, &QShortcut::activated, button, &QToolButton::showMenu);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(button, &QWidget::customContextMenuRequested, button, &QToolButton::showMenu);
}

void orderTabChain(QWidget *window, const QList<QWidget *> &blocks)
{
    // The stops Tab can land on: widgets that take focus themselves rather than through a
    // proxy.
    QList<QWidget *> stops;
    for (QWidget *block : blocks) {
        if (!block)
            continue;
        for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
            if ((w == block || block->isAncestorOf(w)) && w->focusPolicy() != Qt::NoFocus &&
                !w->focusProxy() && !stops.contains(w))
                stops.push_back(w);
        }
    }
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

} // namespace nimbus::access
