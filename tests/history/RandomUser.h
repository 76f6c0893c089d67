// A user of the history's tests: random changes of a generated store with pages, each made as
// the window makes it and pushed onto a history. Removals and additions are named
// "Remove <id> below <parent id>" and "Add <id> below <parent id>", so that a test can tell
// which parent a step needs.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fileio/FolderOps.h"
#include "history/ChecklistEdit.h"
#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "history/HistoryStore.h"
#include "history/MoveTopic.h"
#include "history/PageFilesEdit.h"
#include "history/RemoveSubtree.h"
#include "history/ReorderChildren.h"
#include "history/TreePlace.h"
#include "history/UndoHistory.h"
#include "store/ContentFiles.h"

namespace nimbus::history {

class RandomUser {
public:
    RandomUser(test::HistoryStore &data, UndoHistory &history) : data_(data), history_(history) {}

    // One change as the user makes it, pushed onto the history; false when the dice chose a
    // change that does not apply here (nothing happened).
    bool act()
    {
        switch (data_.rng() % 8) {
        case 0:
            return remove();
        case 1:
            return add();
        case 2:
            return move();
        case 3:
            return sort();
        case 4:
            return checklist();
        case 5:
            return page();
        default:
            return edit();
        }
    }

private:
    TNimbusStructure &store() { return data_.store; }
    int randomTopic()
    {
        for (int tries = 0; tries < 50; ++tries) {
            const int index = std::uniform_int_distribution<int>(0, store().Count() - 1)(data_.rng);
            if (store().Node(index)->lev > 0)
                return index;
        }
        return -1;
    }
    bool run(std::unique_ptr<StoreCommand> command, const std::string &name)
    {
        HistoryContext context = data_.context();
        if (!command->apply(context))
            return false;
        history_.push(std::move(command), name);
        return true;
    }

    bool remove()
    {
        const int index = randomTopic();
        if (index < 0)
            return false;
        const std::string id(store().Id(index));
        return run(std::make_unique<RemoveSubtree>(id),
                   "Remove " + id + " below " + *parentIdOf(store(), id));
    }

    bool add()
    {
        const int index = randomTopic();
        if (index < 0)
            return false;
        const TNimbusNode &near = *store().Node(index);
        const bool asChild = data_.rng() % 2 == 0;
        const int at = asChild ? index + 1 : subtreeEnd(store(), index);
        std::vector<std::unique_ptr<TNimbusNode>> made;
        made.push_back(data_.makeTopic(std::to_string(nextId_++), near.lev + (asChild ? 1 : 0),
                                       data_.rng() % 2 == 0));
        const std::string id = made.front()->uni;
        if (!store().InsertRange(at, made))
            return false;
        history_.push(std::make_unique<Reversed>(std::make_unique<RemoveSubtree>(id)),
                      "Add " + id + " below " + *parentIdOf(store(), id));
        return true;
    }

    bool move()
    {
        const int index = randomTopic();
        const int target = randomTopic();
        if (index < 0 || target < 0)
            return false;
        const int end = subtreeEnd(store(), index);
        if (target >= index && target < end)
            return false;
        const TNimbusNode &near = *store().Node(target);
        TreePlace to;
        switch (data_.rng() % 3) {
        case 0: // before or after a topic elsewhere, as a drag does
            to = placeOf(store(), target);
            to.previousId = std::string(store().Id(target));
            break;
        case 1: // first below a topic elsewhere
            to.parentId = std::string(store().Id(target));
            to.lev = near.lev + 1;
            break;
        default: { // last below the previous sibling: a level down
            const TreePlace from = placeOf(store(), index);
            if (from.previousId.empty())
                return false;
            to.parentId = from.previousId;
            to.lev = from.lev + 1;
            const std::vector<std::string> children = childIds(store(), from.previousId);
            to.previousId = children.empty() ? std::string() : children.back();
        }
        }
        if (to.lev > 12)
            return false;
        auto command = std::make_unique<MoveTopic>(std::string(store().Id(index)),
                                                   placeOf(store(), index), to);
        if (command->from() == to)
            return false;
        return run(std::move(command), "Move");
    }

    bool sort()
    {
        const int index = randomTopic();
        if (index < 0)
            return false;
        const std::string parent(store().Id(index));
        std::vector<std::string> before = childIds(store(), parent);
        std::vector<std::string> after = before;
        std::sort(after.begin(), after.end(), [this](const std::string &a, const std::string &b) {
            return store().Find(a)->text < store().Find(b)->text;
        });
        if (after == before)
            return false;
        return run(std::make_unique<ReorderChildren>(parent, std::move(before), std::move(after)),
                   "Sort");
    }

    // A tick, a new item or a removed one on a topic's checklist page (page 2).
    bool checklist()
    {
        const int index = randomTopic();
        if (index < 0)
            return false;
        const std::string id(store().Id(index));
        THyperData page;
        page.con = kPageChecklist;
        page.file = id + "-2.lst";
        std::vector<ChecklistItem> before;
        if (!fileio::fileExists(data_.folders.checkList + page.file) ||
            !content::LoadChecklist(page, data_.folders, before, NullStoreLog::instance()))
            return false;
        std::vector<ChecklistItem> after = before;
        switch (data_.rng() % 3) {
        case 0:
            if (after.empty())
                return false;
            after.front().checked = !after.front().checked;
            break;
        case 1:
            after.push_back(ChecklistItem{false, "Step " + std::to_string(nextId_++), {}, {}});
            break;
        default:
            if (after.empty())
                return false;
            after.pop_back();
        }
        return run(std::make_unique<ChecklistEdit>(id, 2, std::move(before), std::move(after)),
                   "Checklist");
    }

    // A details page retyped and saved (page 1), keeping old versions as the window does.
    bool page()
    {
        const int index = randomTopic();
        if (index < 0)
            return false;
        const std::string id(store().Id(index));
        THyperData page;
        page.con = kPageDetails;
        page.file = id + "-1.txt";
        if (!fileio::fileExists(data_.folders.text + page.file))
            return false;
        PageFilesRecorder recorder(id, data_.folders, NullStoreLog::instance());
        if (!content::SaveDetails(page, data_.folders,
                                  "{\\rtf1 Retyped " + std::to_string(nextId_++) + "\\par }", 3,
                                  true, NullStoreLog::instance()))
            return false;
        std::unique_ptr<PageFilesEdit> command = recorder.finish();
        if (!command)
            return false;
        history_.push(std::move(command), "Page");
        return true;
    }

    bool edit()
    {
        const int index = randomTopic();
        if (index < 0)
            return false;
        TNimbusNode &node = *store().Node(index);
        std::vector<std::string> ids{node.uni};
        const int parent = parentIndex(store(), index);
        if (parent >= 0)
            ids.emplace_back(store().Id(parent));
        FieldEditRecorder recorder(store(), ids);
        switch (data_.rng() % 5) {
        case 0:
            node.text = "Renamed " + std::to_string(data_.rng() % 1000);
            break;
        case 1:
            node.status = 1 + static_cast<int>(data_.rng() % 5);
            node.percent = 100;
            break;
        case 2:
            node.urgent = !node.urgent;
            ++node.urgentCount;
            break;
        case 3:
            node.pri = static_cast<int>(data_.rng() % 10);
            break;
        default:
            node.fav = !node.fav;
            node.fdate = "20260301";
            break;
        }
        // The roll-up a change causes in the group above.
        if (parent >= 0)
            store().Node(parent)->percent = static_cast<int>(data_.rng() % 101);
        std::unique_ptr<FieldEdit> command = recorder.finish();
        if (!command)
            return false;
        history_.push(std::move(command), "Edit");
        return true;
    }

    test::HistoryStore &data_;
    UndoHistory &history_;
    int nextId_ = 500000;
};

} // namespace nimbus::history
