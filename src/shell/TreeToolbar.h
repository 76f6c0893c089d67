// The toolbar above the tree: topic type, task status, urgency and priority of the selected
// topic, with the priority menu `popPriority`. Which buttons are offered and what each does
// are the core rules UpdateToolButtons and Apply...; the TreeController applies them.
#pragma once

#include <QPointer>
#include <QWidget>

class QMenu;
class QToolButton;

namespace nimbus {

class Clock;
class TNimbusNode;
class TreeController;

class TreeToolbar : public QWidget {
    Q_OBJECT
public:
    TreeToolbar(TreeController &controller, const Clock &clock, QWidget *parent = nullptr);

    QToolButton *buttonGeneral = nullptr;
    QToolButton *buttonInfo = nullptr;
    QToolButton *buttonIdea = nullptr;
    QToolButton *buttonFinance = nullptr;
    QToolButton *buttonEvent = nullptr;
    QToolButton *buttonTask = nullptr;
    QToolButton *buttonStatusNotStarted = nullptr;
    QToolButton *buttonStatusInProgress = nullptr;
    QToolButton *buttonStatusWaiting = nullptr;
    QToolButton *buttonStatusFinished = nullptr;
    QToolButton *buttonStatusOnHold = nullptr;
    QToolButton *buttonUrgent = nullptr;
    QToolButton *buttonNotUrgent = nullptr;
    QToolButton *buttonPriorityUp = nullptr;
    QToolButton *buttonPriorityDown = nullptr;
    QToolButton *buttonPriorityMenu = nullptr; // opens popPriority
    QMenu *popPriority = nullptr;

    // Enables the buttons for the selected topic.
    void UpdateToolButtons();

private:
    QToolButton *button(const char *name, const QString &hint, const QIcon &icon);

    QPointer<TreeController> controller_;
    const Clock &clock_;
};

} // namespace nimbus
