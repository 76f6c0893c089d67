// The topic record: copying, sort key, image index and content loading.
#include "store/TNimbusNode.h"

#include "fileio/FolderOps.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/Scheduler.h"
#include "store/SlotPool.h"
#include "store/StoreLog.h"
#include "store/TContent.h"

namespace nimbus {

TNimbusNode::TNimbusNode(std::string uid)
{
    uni = std::move(uid);
}

namespace {

SlotPool &nodePool()
{
    // Never destroyed: a node may be freed during the program's exit, after statics are gone.
    static SlotPool *pool = new SlotPool(sizeof(TNimbusNode), alignof(TNimbusNode));
    return *pool;
}

} // namespace

void *TNimbusNode::operator new(std::size_t size)
{
    if (!SlotPool::kUsed || size != sizeof(TNimbusNode))
        return ::operator new(size);
    return nodePool().allocate();
}

void TNimbusNode::operator delete(void *node, std::size_t size) noexcept
{
    if (!SlotPool::kUsed || size != sizeof(TNimbusNode))
        ::operator delete(node);
    else
        nodePool().deallocate(node);
}

std::size_t TNimbusNode::pooledCount()
{
    return SlotPool::kUsed ? nodePool().slotsInUse() : 0;
}

TNimbusNode::~TNimbusNode() = default;
TNimbusNode::TNimbusNode(TNimbusNode &&) noexcept = default;
TNimbusNode &TNimbusNode::operator=(TNimbusNode &&) noexcept = default;

void TNimbusNode::AssignNode(const TNimbusNode &other)
{
    recordTag = other.recordTag;
    text = other.text;
    urgent = other.urgent;
    fav = other.fav;
    dac = other.dac;
    dam = other.dam;
    ttype = other.ttype;
    status = other.status;
    pri = other.pri;
    recur = other.recur;
    lock = other.lock;
    dl = other.dl;
    dlDate = other.dlDate;
    dlTime = other.dlTime;
    rsDate = other.rsDate;
    rsTime = other.rsTime;
    rno = other.rno;
    rtype = other.rtype;
    autoComplete = other.autoComplete;
    flno = other.flno;
    fltyp = other.fltyp;
    calpr = other.calpr;
    percent = other.percent;
    fdate = other.fdate;
    fTime = other.fTime;
    cre = other.cre;
    sta = other.sta;
    from = other.from;
    sent = other.sent;
    durno = other.durno;
    durtype = other.durtype;
}

void TNimbusNode::UpdateSortKey()
{
    switch (status) {
    case kStatusNotStarted:
    case kStatusInProgress:
    case kStatusWaiting: sortKey[0] = 'A'; break;
    case kStatusCompleted: sortKey[0] = 'X'; break;
    case kStatusOnHold: sortKey[0] = 'Y'; break;
    default: sortKey[0] = 'Z'; break;
    }
    sortKey[1] = urgent || (childCount > 0 && urgentCount > 0) ? 'A' : 'Z';
    if (pri > 0)
        sortKey[2] = std::to_string(pri)[0];
    else
        sortKey[2] = pri == 0 ? 'Z' : '8';
}

int TNimbusNode::TreeImageIndex() const
{
    if (lev == 0)
        return type - 1;
    if (ttype == kTopicTask)
        return status + (recur ? 11 : 7);
    return ttype;
}

int TNimbusNode::UpdateSchedule(const Clock &clock)
{
    return schedule::UpdateSchedule(*this, clock.now());
}

void TNimbusNode::MarkCompleted(const Clock &clock)
{
    schedule::MarkCompleted(*this, clock.now());
}

void TNimbusNode::RollRecurrence(const Clock &clock)
{
    schedule::RollRecurrence(*this, clock.now());
}

TContent &TNimbusNode::LoadContent(const ContentFolders &folders, StoreLog &log, int option)
{
    content = std::make_unique<TContent>();
    content->name = uni;
    content->kind = type;
    content->option = option;
    content->filesAllowed = fileio::isSafeFileName(uni);
    if (content->filesAllowed)
        content->file = folders.packs + uni + ".pkt";
    else
        log.AddToLog("*** Topic id refused as a file name, its pages are not read or written: " + uni);
    contentFile = content->file;
    content::ReadContent(*content, log);
    contentLoaded = true;
    return *content;
}

}  // namespace nimbus
