// Import into the store; see CalendarImport.h.
#include "calendar/CalendarImport.h"

#include <algorithm>
#include <map>
#include <optional>

#include "calendar/TopicUid.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"

namespace nimbus::calendar {

namespace {

// The existing topic a UID stands for: one we exported ourselves, or one an earlier import
// made. Sections are never replaced.
TNimbusNode *existingTopic(const CalendarTopic &topic, const ImportTarget &target)
{
    std::string uni;
    if (auto own = ownTopicId(topic.uid, target.links->installation()))
        uni = *own;
    TNimbusNode *node = uni.empty() ? nullptr : target.store->Find(uni);
    if (node == nullptr) {
        uni = target.links->topicFor(topic.uid);
        node = uni.empty() ? nullptr : target.store->Find(uni);
    }
    return node != nullptr && node->lev > 0 ? node : nullptr;
}

// The topic's rich recurrence, or none when the calendar's rule is a plain one: on the node and
// in the recurrence file.
void carrySeries(TNimbusNode &node, const CalendarTopic &topic, const ImportTarget &target)
{
    node.richRule = topic.node.richRule;
    if (target.recurrence == nullptr)
        return;
    if (const recurrence::Series *series = recurrence::seriesOf(node))
        target.recurrence->Set(node.uni, *series);
    else
        target.recurrence->Remove(node.uni);
}

// Position just after the last node of the subtree that starts at index.
int subtreeEnd(const TNimbusStructure &store, int index)
{
    const int level = store.Node(index)->lev;
    int end = index + 1;
    while (end < store.Count() && store.Node(end)->lev > level)
        ++end;
    return end;
}

void writePages(TNimbusNode &node, const CalendarTopic &topic, const ImportTarget &target)
{
    if (target.folders == nullptr)
        return;
    StoreLog &log = target.log ? *target.log : NullStoreLog::instance();
    TContent &content = node.contentLoaded && node.content ? *node.content : node.LoadContent(*target.folders, log);
    if (content.pages.empty())
        content.AddDefaultPages();
    PageWriter plain;
    bool rich = false;
    const std::string bytes = (target.pages ? target.pages : &plain)->render(topic, rich);
    int pagesWithData = 0;
    node.dam = 0;
    for (const auto &page : content.pages) {
        if (page->con == kPageDetails && !bytes.empty()) {
            content::SaveDetails(*page, *target.folders, bytes, content::kDetailsVersions, rich, log);
            node.dam |= 1, ++pagesWithData;
            break;
        }
    }
    for (const auto &page : content.pages) {
        if (page->con == kPageChecklist && !topic.checklist.empty()) {
            content::SaveChecklist(*page, *target.folders, topic.checklist, log);
            node.dam |= 2, ++pagesWithData;
            break;
        }
    }
    node.dac = pagesWithData;
    if (content.modified)
        content::WriteContent(content, log);
}

}  // namespace

std::string PageWriter::render(const CalendarTopic &topic, bool &richText)
{
    richText = false;
    std::string text = topic.detailsText;
    const std::string notes = notesText(topic);
    if (!notes.empty())
        text += (text.empty() ? "" : "\n\n") + notes;
    return text;
}

std::string notesText(const CalendarTopic &topic)
{
    std::string text;
    for (const std::string &line : topic.notes)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

ImportPreview previewImport(const ReadResult &read, const ImportTarget &target)
{
    ImportPreview preview;
    for (const CalendarTopic &topic : read.topics)
        (existingTopic(topic, target) ? preview.updated : preview.added).push_back(topic.node.text);
    return preview;
}

ImportOutcome applyImport(const ReadResult &read, const ImportTarget &target)
{
    ImportOutcome outcome;
    TNimbusStructure &store = *target.store;
    if (target.placeIndex < 0 || target.placeIndex >= store.Count() || store.Node(target.placeIndex) == nullptr) {
        outcome.error = "There is no place in the tree to import into.";
        return outcome;
    }
    StoreLog &log = target.log ? *target.log : NullStoreLog::instance();
    const std::string now = dates::stamp((target.clock ? *target.clock : SystemClock::instance()).now());

    // Every new id first: a counter that cannot be written stops the import before any change.
    std::vector<TNimbusNode *> existing;
    int newCount = 0;
    for (const CalendarTopic &topic : read.topics) {
        existing.push_back(existingTopic(topic, target));
        newCount += existing.back() == nullptr ? 1 : 0;
    }
    std::vector<std::string> newIds;
    if (newCount > 0) {
        const std::vector<int> taken = store.NextUniques(newCount);
        if (taken.empty()) {
            outcome.error =
                "No new topic id could be taken from the counter file; nothing was imported.";
            return outcome;
        }
        for (int n : taken)
            newIds.push_back(std::to_string(n));
    }

    // New topics go under their parent when it came in the same file, otherwise under the
    // place; a parent is always placed before its children, whatever the file's order.
    std::map<std::string, std::size_t> indexOfUid;
    for (std::size_t i = 0; i < read.topics.size(); ++i)
        indexOfUid.emplace(read.topics[i].uid, i);
    std::vector<TNimbusNode *> placed(read.topics.size(), nullptr);
    std::vector<int> state(read.topics.size(), 0);  // 0 to do, 1 in progress, 2 done
    std::size_t nextId = 0;
    std::vector<std::size_t> newIdOf(read.topics.size(), 0);
    for (std::size_t i = 0; i < read.topics.size(); ++i)
        if (existing[i] == nullptr)
            newIdOf[i] = nextId++;

    // New topics are made first and go into the store together, each run of them at the end
    // of the subtree of the topic already there that they hang from: one move of the list per
    // such topic, where inserting them one by one moved it once per topic.
    std::vector<std::unique_ptr<TNimbusNode>> made(read.topics.size());
    std::vector<std::vector<std::size_t>> newChildren(read.topics.size());
    std::map<TNimbusNode *, std::vector<std::size_t>> hangingFrom; // a node already in the store
    auto place = [&](std::size_t i, auto &self) -> void {
        if (state[i] != 0)
            return;
        state[i] = 1;
        const CalendarTopic &topic = read.topics[i];
        TNimbusNode *parent = store.Node(target.placeIndex);
        std::optional<std::size_t> newParent;
        const auto p = indexOfUid.find(topic.parentUid);
        if (p != indexOfUid.end() && state[p->second] != 1) {  // a loop of parents is cut
            self(p->second, self);
            parent = placed[p->second];
            if (made[p->second])
                newParent = p->second;
        }
        if (existing[i] != nullptr) {
            TNimbusNode &node = *existing[i];
            const int dac = node.dac, dam = node.dam;
            node.AssignNode(topic.node);
            node.dac = dac, node.dam = dam;
            carrySeries(node, topic, target);
            placed[i] = &node;
            ++outcome.updated;
        } else {
            auto node = std::make_unique<TNimbusNode>(newIds[newIdOf[i]]);
            node->AssignNode(topic.node);
            node->lev = parent->lev + 1;
            node->type = parent->type;
            node->dac = node->dam = 0;
            carrySeries(*node, topic, target);
            if (node->cre.empty())
                node->cre = now;
            placed[i] = node.get();
            made[i] = std::move(node);
            if (newParent)
                newChildren[*newParent].push_back(i);
            else
                hangingFrom[parent].push_back(i);
            ++outcome.added;
        }
        state[i] = 2;
    };
    for (std::size_t i = 0; i < read.topics.size(); ++i)
        place(i, place);

    // Where each run goes, found before anything moves. Runs are inserted from the back of
    // the list; of two that go to the same place the outer one goes first, so that the inner
    // topic's new children end up before it, as inside the inner topic's subtree.
    struct Run {
        int at;
        int level;
        std::vector<std::unique_ptr<TNimbusNode>> nodes;
    };
    std::vector<Run> runs;
    for (auto &[anchor, firstLevel] : hangingFrom) {
        Run run{subtreeEnd(store, store.IndexOf(anchor->uni)), anchor->lev, {}};
        auto take = [&](std::size_t i, auto &self) -> void {
            run.nodes.push_back(std::move(made[i]));
            for (std::size_t child : newChildren[i])
                self(child, self);
        };
        for (std::size_t i : firstLevel)
            take(i, take);
        runs.push_back(std::move(run));
    }
    std::sort(runs.begin(), runs.end(), [](const Run &a, const Run &b) {
        return a.at != b.at ? a.at > b.at : a.level < b.level;
    });
    for (Run &run : runs)
        if (!store.InsertRange(run.at, run.nodes)) {
            // Cannot happen: the ids came from the counter, none of them in use. Should it,
            // the import stops here rather than write pages for topics the store lacks.
            outcome.error = "A new topic's id was taken meanwhile; the import stopped.";
            return outcome;
        }

    for (std::size_t i = 0; i < read.topics.size(); ++i) {
        writePages(*placed[i], read.topics[i], target);
        target.links->link(read.topics[i].uid, placed[i]->uni);
    }
    if (const StoreResult saved = target.links->Save(); !saved)
        log.AddErrorToLog("*** The calendar links could not be saved: ", saved.errorText);
    for (const SkippedComponent &s : read.skipped)
        log.AddToLog("Calendar import skipped " + s.what + ": " + s.why);
    for (const std::string &w : read.warnings)
        log.AddToLog("Calendar import: " + w);
    for (const CalendarTopic &topic : read.topics)
        for (const std::string &note : topic.notes)
            log.AddToLog("Calendar import kept in the page of \"" + topic.node.text + "\": " + note);
    store.modified = true;
    outcome.ok = true;
    return outcome;
}

}  // namespace nimbus::calendar
