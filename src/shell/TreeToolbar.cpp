// Buttons of the tree's toolbar.
#include "shell/TreeToolbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "shell/TopicIcons.h"
#include "shell/TreeController.h"
#include "store/Clock.h"
#include "store/TNimbusNode.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus {

using tree::ButtonEffect;
using tree::ToolButton;

namespace {

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TreeToolbar::TreeToolbar(TreeController &controller, const Clock &clock, QWidget *parent)
    : QWidget(parent), controller_(&controller), clock_(clock)
{
    setObjectName("panelTreeTools");
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);

    buttonGeneral =
        button("buttonGeneral", tr("General topic group"), icons::topicType(kTopicGeneral));
    buttonInfo =
        button("buttonInfo", tr("Notes and information"), icons::topicType(kTopicInformation));
    buttonIdea = button("buttonIdea", tr("Ideas and suggestions"), icons::topicType(kTopicIdea));
    buttonFinance = button("buttonFinance", tr("Finance"), icons::topicType(kTopicFinancial));
    buttonEvent = button("buttonEvent", tr("Event"), icons::topicType(kTopicEvent));
    buttonTask = button("buttonTask", tr("Task"), icons::topicType(kTopicTask));
    for (QToolButton *b :
         {buttonGeneral, buttonInfo, buttonIdea, buttonFinance, buttonEvent, buttonTask})
        row->addWidget(b);
    row->addWidget(divider(this));
    buttonStatusNotStarted =
        button("buttonStatusNotStarted", tr("Task not started"), icons::status(1));
    buttonStatusInProgress =
        button("buttonStatusInProgress", tr("Task in progress"), icons::status(2));
    buttonStatusWaiting = button("buttonStatusWaiting", tr("Task waiting"), icons::status(5));
    buttonStatusFinished = button("buttonStatusFinished", tr("Task finished"), icons::status(3));
    buttonStatusOnHold = button("buttonStatusOnHold", tr("Task on hold"), icons::status(4));
    for (QToolButton *b : {buttonStatusNotStarted, buttonStatusInProgress, buttonStatusWaiting,
                           buttonStatusFinished, buttonStatusOnHold})
        row->addWidget(b);
    row->addWidget(divider(this));
    buttonUrgent = button("buttonUrgent", tr("Mark as urgent"), icons::urgent(true));
    buttonNotUrgent = button("buttonNotUrgent", tr("Not urgent"), icons::urgent(false));
    buttonPriorityUp =
        button("buttonPriorityUp", tr("Increase task priority"), icons::priority(true));
    buttonPriorityDown =
        button("buttonPriorityDown", tr("Decrease task priority"), icons::priority(false));
    for (QToolButton *b : {buttonUrgent, buttonNotUrgent, buttonPriorityUp, buttonPriorityDown})
        row->addWidget(b);

    popPriority = new QMenu(this);
    popPriority->setObjectName("popPriority");
    for (int priority = 1; priority <= 9; ++priority) {
        QAction *item = popPriority->addAction(priority == 1 ? tr("Priority 1 - top")
                                                             : tr("Priority %1").arg(priority));
        connect(item, &QAction::triggered, this, [this, priority] {
            if (controller_)
                controller_->applyToSelected(
                    [priority](TNimbusNode &n) { return tree::SetPriority(n, priority); });
        });
    }
    // A drop-down beside the two priority buttons offers every priority at once.
    buttonPriorityMenu = new QToolButton(this);
    buttonPriorityMenu->setObjectName("buttonPriorityMenu");
    buttonPriorityMenu->setToolTip(tr("Set task priority"));
    buttonPriorityMenu->setText(tr("1-9"));
    buttonPriorityMenu->setAutoRaise(true);
    buttonPriorityMenu->setMenu(popPriority);
    buttonPriorityMenu->setPopupMode(QToolButton::InstantPopup);
    // "1-9" says little when read out; the hint says what the button is for.
    access::iconButton(buttonPriorityMenu);
    row->addWidget(buttonPriorityMenu);
    row->addStretch();

    auto on = [this](QToolButton *b, std::function<ButtonEffect(TNimbusNode &)> effect) {
        connect(b, &QToolButton::clicked, this, [this, effect] {
            if (controller_)
                controller_->applyToSelected(effect);
        });
    };
    auto type = [this, on](QToolButton *b, int ttype) {
        on(b,
           [this, ttype](TNimbusNode &n) { return tree::ApplyTopicType(n, ttype, clock_.now()); });
    };
    type(buttonGeneral, kTopicGeneral);
    type(buttonInfo, kTopicInformation);
    type(buttonIdea, kTopicIdea);
    type(buttonFinance, kTopicFinancial);
    type(buttonEvent, kTopicEvent);
    type(buttonTask, kTopicTask);
    auto status = [this, on](QToolButton *b, int code) {
        on(b, [this, code](TNimbusNode &n) { return tree::ApplyStatus(n, code, clock_.now()); });
    };
    status(buttonStatusNotStarted, kStatusNotStarted);
    status(buttonStatusInProgress, kStatusInProgress);
    status(buttonStatusWaiting, kStatusWaiting);
    status(buttonStatusFinished, kStatusCompleted);
    status(buttonStatusOnHold, kStatusOnHold);
    on(buttonUrgent, [](TNimbusNode &n) { return tree::ApplyUrgent(n, true); });
    on(buttonNotUrgent, [](TNimbusNode &n) { return tree::ApplyUrgent(n, false); });
    on(buttonPriorityUp, [](TNimbusNode &n) { return tree::PriorityUp(n); });
    on(buttonPriorityDown, [](TNimbusNode &n) { return tree::PriorityDown(n); });

    connect(&controller, &TreeController::selectionChanged, this, &TreeToolbar::UpdateToolButtons);
    connect(&controller, &TreeController::nodeChanged, this, &TreeToolbar::UpdateToolButtons);
    UpdateToolButtons();
}

QToolButton *TreeToolbar::button(const char *name, const QString &hint, const QIcon &icon)
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(icon);
    b->setIconSize(QSize(18, 18));
    b->setAutoRaise(true);
    access::iconButton(b);
    return b;
}

void TreeToolbar::UpdateToolButtons()
{
    const tree::ToolButtonState state =
        tree::UpdateToolButtons(controller_ ? controller_->selectedNode() : nullptr);
    const std::pair<QToolButton *, ToolButton> buttons[] = {
        {buttonGeneral, ToolButton::General},
        {buttonInfo, ToolButton::Info},
        {buttonIdea, ToolButton::Idea},
        {buttonFinance, ToolButton::Finance},
        {buttonEvent, ToolButton::Event},
        {buttonTask, ToolButton::Task},
        {buttonStatusNotStarted, ToolButton::NotStarted},
        {buttonStatusInProgress, ToolButton::InProgress},
        {buttonStatusWaiting, ToolButton::Waiting},
        {buttonStatusFinished, ToolButton::Finished},
        {buttonStatusOnHold, ToolButton::OnHold},
        {buttonUrgent, ToolButton::Urgent},
        {buttonNotUrgent, ToolButton::NotUrgent},
        {buttonPriorityUp, ToolButton::PriorityUp},
        {buttonPriorityDown, ToolButton::PriorityDown},
    };
    for (const auto &[b, which] : buttons)
        b->setEnabled(state[which]);
    // Any priority can be chosen for a task that is not completed.
    const TNimbusNode *node = controller_ ? controller_->selectedNode() : nullptr;
    buttonPriorityMenu->setEnabled(tree::IsEditableTopic(node) && node->ttype == kTopicTask &&
                                   node->status != kStatusCompleted);
}

} // namespace nimbus
