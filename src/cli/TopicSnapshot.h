// The topics as nimbus-cli reads them: the store file read once, without a lock and without
// writing anything (a damaged file is reported, never copied or repaired), then brought to the
// state the window shows: the tree built, old values upgraded, schedules computed from the
// clock and the summary's groups classified. The file is only ever replaced whole, by a
// rename, so a read sees either the old or the new store.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/OnePassReader.h"
#include "store/StructureReader.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"
#include "tree/CliStatus.h"
#include "tree/TopicTree.h"

namespace nimbus {
class Clock;
}

namespace nimbus::cli {

class TopicSnapshot {
public:
    TopicSnapshot();
    ~TopicSnapshot();

    // The data folder's store, its preferences (date order) and, when recentLists, the
    // recent-new and recent-change lists. Fails with kStoreProblem and the reason.
    Outcome load(const std::string &dataFolder, const Clock &clock, bool recentLists);
    // load for the lists (titles) or the summary's counts (no titles): the same nodes, tree,
    // schedules and groups, without the keys such work never reads (StructureReader::Use).
    // Such a snapshot is never written back.
    Outcome loadForReading(const std::string &dataFolder, const Clock &clock, bool recentLists,
                           bool titles);
    // One pass over the file (OnePassReader) keeping only what keep asks for, read for use
    // (Listing for a list's titles, Counting for the summary, Everything for a topic shown
    // whole); with recentLists the recent-new and recent-change lists are read and the topics
    // they name kept. Then count(), store() (the topics kept when keep.findable, in file
    // order), tree() and, for a group, lists().Members(group) answer for those topics as after
    // a full load. A store that needs the whole build is loaded whole (load or
    // loadForReading) instead, and readInOnePass() says so.
    Outcome loadInOnePass(const std::string &dataFolder, const Clock &clock,
                          OnePassReader::Keep keep, bool recentLists, StructureReader::Use use);
    bool readInOnePass() const { return onePass_; }
    // Shown every record the next one-pass read goes through (kept or not), before it is kept.
    void setEveryRecord(std::function<void(const TNimbusNode &)> watch)
    {
        everyRecord_ = std::move(watch);
    }
    // A group's size, after any load.
    int count(summary::Group group) const;
    // The store file alone, for a change: nothing is built. Fails as load does.
    Outcome loadForChange(const std::string &dataFolder);

    TNimbusStructure &store() { return *store_; }
    SummaryLists &lists() { return *lists_; }
    tree::TopicTree &tree() { return tree_; }
    int displayOrder() const { return displayOrder_; }
    const std::string &dataFolder() const { return dataFolder_; }

    // "Topics/Work/Report": the titles from the section down to the node.
    static std::string pathOf(const TNimbusNode &node);

private:
    Outcome readStore(const std::string &dataFolder, StructureReader::Use use,
                      StructureReader::Sink sink = {});
    void reset();
    void build(const Clock &clock, bool recentLists);

    std::unique_ptr<TNimbusStructure> store_;
    std::vector<std::unique_ptr<TNimbusNode>> held_; // kept by a pass, not findable
    std::unique_ptr<SummaryLists> lists_;
    tree::TopicTree tree_;
    int displayOrder_ = 0;
    std::string dataFolder_;
    std::function<void(const TNimbusNode &)> everyRecord_;
    bool onePass_ = false;
    bool forChange_ = false;
    std::array<int, summary::kGroupCount> onePassCounts_{};
};

// The data folder of this user: $HOMEDRIVE/$Nimbus/, else $HOME/$Nimbus/.
std::string dataFolderFromEnvironment();

} // namespace nimbus::cli
