// Changing the store file directly, under the single-copy lock.
#include "cli/OfflineWriter.h"

#include <optional>

#include "cli/TopicSnapshot.h"
#include "fileio/DataFolderLock.h"
#include "fileio/UiText.h"
#include "history/SessionTrash.h"
#include "history/TopicFiles.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/SummaryLists.h"
#include "store/TNimbusNode.h"
#include "tree/ChangeRules.h"
#include "tree/RepeatField.h"
#include "tree/RequestRecords.h"

namespace nimbus::cli {

namespace {

// The list position just after node's subtree (the store's list is in tree pre-order).
int endOfSubtree(const TNimbusStructure &store, int index)
{
    const int lev = store.Node(index)->lev;
    int at = index + 1;
    while (at < store.Count() && store.Node(at) && store.Node(at)->lev > lev)
        ++at;
    return at;
}

} // namespace

Outcome OfflineWriter::apply(const ChangeRequest &change, std::string &id)
{
    // A program on this data folder that this nimbus-cli cannot reach (it found another
    // channel folder) would save over the change later: nothing is written beside it. A
    // program that is closing has let go of its channels but still writes its last save: it
    // is waited for.
    fileio::DataFolderLock running;
    if (!running.take(dataFolder_, false, std::chrono::seconds(10))) {
        // A lock file nobody can lock cannot say that no program runs: nothing is written.
        if (!running.heldByOther())
            return Outcome::fail(
                kStoreProblem,
                NIMBUS_TEXT_NOOP("CliMessages",
                                 "the lock file %1 cannot be used (%2), so whether Nimbus Desk "
                                 "runs on this data folder cannot be told; nothing was changed"),
                {dataFolder_ + fileio::DataFolderLock::kFileName, running.problem()});
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "Nimbus Desk runs on %1 but does not answer on this nimbus-cli's "
                             "channel folder (is XDG_RUNTIME_DIR or NIMBUS_CHANNEL_DIR different "
                             "from the program's?); nothing was changed"),
            {dataFolder_});
    }
    // The same request again (its first answer was lost): answered, never made twice.
    const RequestRecords records(dataFolder_);
    if (const std::optional<ChangeAnswer> made = records.find(change.request)) {
        id = made->id;
        return Outcome::ok();
    }
    TopicSnapshot snapshot;
    if (Outcome read = snapshot.loadForChange(dataFolder_); !read)
        return read;
    TNimbusStructure &store = snapshot.store();
    // Topics with rich rules roll by them when completed here too.
    recurrence::RecurrenceFile rules(dataFolder_);
    const bool rulesRead = rules.Load(NullStoreLog::instance());
    if (rulesRead)
        recurrence::attachSeries(store, rules);
    // A repeat given here is kept in the recurrence file: one that cannot be read is never
    // written over, so such a change is refused.
    const bool repeatChanged =
        change.kind != ChangeRequest::Kind::Remove && touchesRepeat(change.fields);
    if (repeatChanged && !rulesRead)
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages", "the repeat rules in %1 cannot be read, so no repeat "
                                            "is changed; nothing was changed"),
            {rules.path()});
    TNimbusNode *changed = nullptr; // the topic made or changed
    SummaryLists lists;
    bool newTopic = false;
    std::vector<std::string> removedIds; // the removed topic and every topic under it

    if (change.kind == ChangeRequest::Kind::Add) {
        TNimbusNode *parent = nullptr;
        if (Outcome found = findParent(store, change.id, parent); !found)
            return found;
        const int parentIndex = store.IndexOf(parent->uni);
        // The id is taken only once the change is known to be good: a refused change must
        // not move the counter either.
        auto node = std::make_unique<TNimbusNode>("new");
        initNewTopic(*node, *parent, change.title, clock_);
        if (Outcome applied = applyFields(*node, change.fields, clock_); !applied)
            return applied;
        const int unique = store.NextUnique();
        if (unique < 0)
            return Outcome::fail(kStoreProblem,
                                 NIMBUS_TEXT_NOOP("CliMessages", "no id could be taken from %1"),
                                 {store.UniqueFileName()});
        node->uni = std::to_string(unique);
        id = node->uni;
        TNimbusNode *made = node.get();
        changed = made;
        if (store.Insert(endOfSubtree(store, parentIndex), std::move(node)) < 0)
            return Outcome::fail(kStoreProblem,
                                 NIMBUS_TEXT_NOOP("CliMessages", "the id %1 is already in use"),
                                 {id});
        lists.SetDataFolder(dataFolder_);
        lists.LoadRecentLists(store);
        lists.NoteNewTopic(*made);
        newTopic = true;
    } else {
        TNimbusNode *node = nullptr;
        if (Outcome found = checkTarget(store, change.id, node); !found)
            return found;
        id = node->uni;
        changed = node;
        Outcome applied;
        if (change.kind == ChangeRequest::Kind::Done) {
            applied = completeTopic(*node, clock_);
        } else if (change.kind == ChangeRequest::Kind::Set) {
            applied = applyFields(*node, change.fields, clock_);
        } else {
            applied = checkRemovable(*node);
            if (applied) {
                const int index = store.IndexOf(id);
                const int end = endOfSubtree(store, index);
                for (int i = index; i < end; ++i)
                    if (const TNimbusNode *leaving = store.Node(i))
                        removedIds.push_back(leaving->uni);
                for (int i = end - 1; i >= index; --i)
                    store.Delete(i);
            }
        }
        if (!applied)
            return applied;
    }
    // The pages of removed topics go aside first and are dropped once the store without
    // them is saved (and, should this be killed in between, by the next session to start).
    std::optional<history::SessionTrash> trash;
    std::vector<std::pair<std::string, std::string>> putAside;
    if (!removedIds.empty()) {
        trash.emplace(
            dataFolder_ + history::SessionTrash::kFolderName + "/", NullStoreLog::instance(),
            [&store](const std::string &topicId) { return store.Find(topicId) != nullptr; });
        putAside =
            history::putAsideTopicFiles(removedIds, ContentFolders::inDataFolder(dataFolder_),
                                        *trash, NullStoreLog::instance());
    }
    if (StoreResult saved = store.SaveStructure(); !saved) {
        for (const auto &[kept, path] : putAside)
            trash->giveBack(kept, path);
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages", "the topic store could not be written: %1"),
            {saved.errorText});
    }
    ChangeAnswer answer;
    answer.id = id;
    records.remember(change.request, answer);
    // After the store (and the request's record, like the lists below): a series is never on file
    // for a topic the store does not hold.
    if (repeatChanged && changed) {
        recordSeries(rules, *changed);
        if (rules.modified && !rules.Save(NullStoreLog::instance()))
            return Outcome::fail(
                kStoreProblem,
                NIMBUS_TEXT_NOOP("CliMessages",
                                 "the topic was changed, but its repeat rule could not be written "
                                 "to %1; it repeats by the nearest plain rule"),
                {rules.path()});
    }
    if (newTopic)
        if (StoreResult saved = lists.SaveRecentLists(store); !saved)
            return Outcome::fail(
                kStoreProblem,
                NIMBUS_TEXT_NOOP(
                    "CliMessages",
                    "the topic was added, but the list of new topics could not be written: %1"),
                {saved.errorText});
    return Outcome::ok();
}

} // namespace nimbus::cli
