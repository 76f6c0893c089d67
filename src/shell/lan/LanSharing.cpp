// LAN sharing and add-on packs wired to the main window.
#include "shell/lan/LanSharing.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "shell/PageArea.h"
#include "shell/TformMain.h"
#include "shell/TreeActions.h"
#include "shell/TreeController.h"
#include "shell/lan/EventSoundPlayer.h"
#include "shell/lan/LanPrompts.h"
#include "shell/lan/MainMergeHost.h"
#include "shell/lan/NetworkPage.h"
#include "store/SummaryLists.h"
#include "store/TContent.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

LanSharing::LanSharing(TformMain &window, std::shared_ptr<LanPrompts> prompts,
                       std::shared_ptr<EventSoundPlayer> player)
    : QObject(&window), window_(window), prompts_(std::move(prompts)),
      paths_(SharingPaths::inDataFolder(window.paths().DataFolder, window.paths().InstallFolder))
{
    if (!prompts_)
        prompts_ = makeLanDialogPrompts();
    if (!player)
        player = makeQtEventSoundPlayer();
    prompts_->setContext(&window, window.paths().ProductTitle);
    details_.SetDataFolder(paths_.DataFolder);
    connection_ = std::make_unique<LanConnection>(details_, window.clock(), window.storeLog());
    sender_ =
        std::make_unique<TopicSender>(*connection_, paths_, window.clock(), window.storeLog());
    receiver_ = std::make_unique<InboxReceiver>(*connection_, paths_, gate_, window.storeLog());
    addons_ = std::make_unique<AddonInstaller>(paths_, gate_, window.clock(), window.storeLog());
    host_ = std::make_unique<MainMergeHost>(window, std::move(player));

    page_ = new NetworkPage(*connection_, *prompts_, window.preferences());
    window.pageArea()->setPage(page_);
    connect(page_, &NetworkPage::usersChanged, this, &LanSharing::rebuildSendMenu);
    if (TreeActions *actions = window.treeActions())
        actions->setLanConnected([this] { return connection_->connected(); });
    connect(window.timerCheckInbox, &QTimer::timeout, this, &LanSharing::timerCheckInboxTimer);
    connect(window.timerAddon, &QTimer::timeout, this, &LanSharing::timerAddonTimer);
}

LanSharing::~LanSharing() = default;

void LanSharing::StartUp(const EnvironmentReader &env)
{
    details_.Load();
    if (details_.user.empty())
        details_.user = userName(env);
    page_->showDetails();
    page_->StartUp();
}

void LanSharing::saveDetails()
{
    if (StoreResult saved = details_.Save(); !saved)
        window_.storeLog().AddErrorToLog(
            "*** A problem occurred while saving the network details: ", saved.errorText);
}

void LanSharing::rebuildSendMenu(const NetworkUsers &users)
{
    TreeActions *actions = window_.treeActions();
    if (!actions)
        return;
    QMenu *menu = actions->menuSendto;
    for (QAction *old : menu->actions())
        old->deleteLater();
    menu->clear();
    for (const SendtoItem &item : users.menuSendto) {
        QAction *action = menu->addAction(QString::fromLocal8Bit(item.caption.c_str()));
        action->setData(item.tag);
        const int tag = item.tag;
        connect(action, &QAction::triggered, this, [this, tag] { sendTo(tag); });
    }
}

void LanSharing::sendTo(int tag)
{
    TreeController *tree = window_.treeController();
    TNimbusStructure *store = window_.store();
    if (!tree || !store || !connection_->connected())
        return;
    TNimbusNode *selected = tree->selectedNode();
    if (!selected || selected->lev == 0)
        return;
    // The send reads the store's list by position while the lock question and the progress
    // window let events through: no merge, save or tree timer may change it meanwhile.
    MergeGate::Hold hold(gate_);
    if (!hold.entered())
        return;
    host_->PauseTimers(true);
    // The store's list is the tree in pre-order; the selected topic is found in it by id.
    tree->SyncStoreFromTree();
    const int start = store->IndexOf(selected->uni);
    SendOutcome outcome;
    {
        dialogs::OperationProgressDialog progress(tr("Sending topics"), &window_, timing_);
        progress_ = &progress;
        outcome = sender_->Send(*store, start, tag, *prompts_, window_.preferences().date,
                                progress);
    }
    host_->ResumeSaves(true);
    host_->PlayEventSound(outcome.sound);
    closeIfWaiting();
}

void LanSharing::timerCheckInboxTimer()
{
    TNimbusStructure *store = window_.store();
    SummaryLists *lists = window_.summaryLists();
    // A tick inside another merge (its progress window lets timers through) waits its turn.
    if (!store || !lists || window_.closing() || gate_.busy())
        return;
    const bool wasConnected = connection_->connected();
    ReceiveOutcome outcome;
    {
        dialogs::OperationProgressDialog progress(tr("Receiving topics"), &window_, timing_);
        progress_ = &progress;
        outcome = receiver_->timerCheckInboxTimer(*store, lists->RecentNew(), *host_, progress);
    }
    if (wasConnected && !connection_->connected())
        page_->connectionLost();
    if (outcome.changes.changed())
        afterMerge(outcome.changes);
    closeIfWaiting();
}

void LanSharing::timerAddonTimer()
{
    TNimbusStructure *store = window_.store();
    if (!store || window_.closing() || gate_.busy())
        return;
    const int before = addons_->interval();
    AddonOutcome outcome;
    {
        dialogs::OperationProgressDialog progress(tr("Installing add-on topics"), &window_,
                                                  timing_);
        progress_ = &progress;
        outcome = addons_->timerAddonTimer(*store, *host_, progress);
    }
    // Once a pass has found a pack, the timer runs once an hour.
    if (outcome.interval != before)
        window_.timerAddon->setInterval(outcome.interval);
    if (outcome.changes.changed())
        afterMerge(outcome.changes);
    closeIfWaiting();
}

bool LanSharing::deferClose()
{
    if (!gate_.busy())
        return false;
    closeWaiting_ = true;
    return true;
}

void LanSharing::closeIfWaiting()
{
    if (!closeWaiting_ || gate_.busy())
        return;
    closeWaiting_ = false;
    // Queued: the handler that ran the operation returns first.
    QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
}

// Topics that took incoming fields may have brought new pages: their loaded page lists are
// read again, and the page showing the selected one is told to show it afresh.
void LanSharing::afterMerge(const MergeChanges &changes)
{
    TNimbusStructure *store = window_.store();
    TreeController *tree = window_.treeController();
    if (!store || !tree || window_.closing())
        return;
    TNimbusNode *selected = tree->selectedNode();
    const bool selectedChanged =
        selected && (std::find(changes.updated.begin(), changes.updated.end(), selected->uni) !=
                         changes.updated.end() ||
                     std::find(changes.added.begin(), changes.added.end(), selected->uni) !=
                         changes.added.end());
    // The page lets go of the selected topic's pages before they are dropped.
    if (selectedChanged)
        emit window_.selectionChanged(nullptr);
    for (const std::string &id : changes.updated) {
        TNimbusNode *node = store->Find(id);
        if (node && node->contentLoaded) {
            node->content.reset();
            node->contentLoaded = false;
        }
    }
    if (selectedChanged)
        emit window_.selectionChanged(selected);
    emit merged();
}

} // namespace nimbus
