// The lean load of nimbus-cli's summary and lists against the full load: on a generated store
// holding every kind of topic, every count, list, sort and row must come out the same, so the
// fast path can never drift from the program's rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "StoreGenerator.h"
#include "cli/OutputFormat.h"
#include "cli/TopicSelection.h"
#include "cli/TopicSnapshot.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"
#include "tree/TreeRules.h"

namespace nimbus::cli {
namespace {

// Every field of a row, so that a difference shows where it is.
std::string textOf(const TopicRow &r)
{
    return r.id + "|" + r.path + "|" + r.status + "|" + r.due + "|" + r.date + "|" +
           std::to_string(r.priority) + (r.urgent ? "|urgent" : "");
}

// Beside the generator's realistic mix, one topic of every type, status and schedule shape,
// with old completion marks, stamps and origins, a group task over sub-tasks, and a topic
// stored too deep (the level repair moves it) unless the store must need no repair.
void addEveryKind(TNimbusStructure &store, DateTime now, bool repairNeeded)
{
    const std::string today = dates::dateKey(now);
    const std::string soon = dates::dateKey(now.addDays(3));
    const std::string past = dates::dateKey(now.addDays(-4));
    int id = 900000;
    auto add = [&](int lev, int ttype, int status) -> TNimbusNode & {
        auto node = std::make_unique<TNimbusNode>(std::to_string(++id));
        TNimbusNode &n = *node;
        n.lev = lev;
        n.type = 1;
        n.ttype = ttype;
        n.status = status;
        n.text = "kind " + std::to_string(id) + " with a title longer than a short string";
        n.cre = "20240101-120000";
        n.sta = "20240102-120000";
        n.from = "Colleague";
        n.sent = "20240103-120000";
        n.fdate = past;
        n.fTime = "10:00:00";
        store.Append(std::move(node));
        return n;
    };
    for (int ttype = kTopicGeneral; ttype <= kTopicFinancial; ++ttype)
        for (int status = kStatusNone; status <= kStatusWaiting; ++status)
            for (int shape = 0; shape < 6; ++shape) {
                TNimbusNode &n = add(1, ttype, status);
                n.pri = (shape * 3 + status) % 10;
                n.urgent = shape == 1;
                n.fav = shape == 2 || status == kStatusWaiting;
                n.done = shape == 5;
                n.dl = shape == 0 || shape == 1 || shape == 3;
                n.dlDate = shape == 0 ? today : shape == 1 ? soon : past;
                n.dlTime = shape == 3 ? "08:30:00" : "";
                if (shape == 4) {
                    n.recur = true;
                    n.dlDate = n.rsDate = past;
                    n.rno = 1;
                    n.rtype = kUnitWeeks;
                }
                if (shape == 2) {
                    n.flno = 5;
                    n.fltyp = kUnitDays;
                    n.dl = true;
                    n.dlDate = soon;
                }
            }
    // A group task whose status and urgency come from its sub-tasks, one of them urgent.
    TNimbusNode &group = add(1, kTopicTask, kStatusNotStarted);
    group.calpr = true;
    add(2, kTopicTask, kStatusInProgress).percent = 40;
    TNimbusNode &urgentChild = add(2, kTopicTask, kStatusCompleted);
    urgentChild.urgent = true;
    // Below the group, a group of its own whose sub-task's urgency rolls up through it.
    add(2, kTopicTask, kStatusNotStarted).dlDate = past;
    add(3, kTopicTask, kStatusWaiting).urgent = true;
    // Group tasks due today whose status the roll-up changes: one stored open whose sub-tasks
    // are all done (completed, so "today" leaves it out), one stored completed with an open
    // sub-task (reopened, but with no schedule text, as a completed task has none).
    for (const int stored : {int(kStatusNotStarted), int(kStatusCompleted)}) {
        TNimbusNode &dueGroup = add(1, kTopicTask, stored);
        dueGroup.dl = true;
        dueGroup.dlDate = today;
        add(2, kTopicTask, kStatusCompleted);
        add(2, kTopicTask, stored == kStatusCompleted ? kStatusNotStarted : kStatusCompleted);
    }
    if (!repairNeeded)
        return;
    // Stored four levels below its place: shown under the sub-task before it.
    TNimbusNode &tooDeep = add(6, kTopicEvent, kStatusNotStarted);
    tooDeep.dl = true;
    tooDeep.dlDate = today;
}

class CliLeanLoad : public ::testing::Test {
protected:
    explicit CliLeanLoad(bool repairNeeded = true) : repairNeeded_(repairNeeded) {}
    void SetUp() override
    {
        std::filesystem::create_directories(data);
        TNimbusStructure store;
        store.SetFileName(data + "Structure.dat");
        store.SetUniqueFileName(data + "StructUnique.dat");
        bench::GenerateStore(store, 3000, clock.now(), 7);
        addEveryKind(store, clock.now(), repairNeeded_);
        ASSERT_TRUE(store.SaveStructure());
        // The recent lists name some topics and one that is gone.
        SummaryLists recent;
        recent.SetDataFolder(data);
        for (const char *uni : {"5", "17", "900003", "no-such-topic"})
            recent.RecentNew().AppendId(uni);
        for (const char *uni : {"900010", "40"})
            recent.RecentChanges().AppendId(uni);
        recent.RecentNew().modified = recent.RecentChanges().modified = true;
        ASSERT_TRUE(recent.SaveRecentLists(store));
        ASSERT_TRUE(full.load(data, clock, true));
    }

    std::vector<std::string> rows(TopicSnapshot &snapshot, const ListQuery &query)
    {
        // The selection's outcome is compared where it matters.
        std::vector<TNimbusNode *> topics;
        (void)selectTopics(snapshot, query, topics);
        std::vector<std::string> out;
        for (const TNimbusNode *node : topics)
            out.push_back(textOf(rowOf(*node, snapshot.displayOrder())));
        return out;
    }

    test::TempFolder root;
    std::string data = root / "home/$Nimbus/";
    FixedClock clock{DateTime::fromCivil(2025, 3, 14, 9, 30)};
    TopicSnapshot full;
    bool repairNeeded_;

    // The summary's counting pass.
    Outcome countInOnePass(TopicSnapshot &snapshot, const std::string &folder)
    {
        OnePassReader::Keep keep;
        keep.tree = false;
        return snapshot.loadInOnePass(folder, clock, keep, true, StructureReader::Use::Counting);
    }

    // Every count, and every list the pass answers, with its sorts and its narrowing to a
    // section, a subtree and a type, by one pass against the full load; onePass: whether the
    // pass must have answered by itself.
    void expectOnePassMatches(bool onePass)
    {
        TopicSnapshot counting;
        ASSERT_TRUE(countInOnePass(counting, data));
        EXPECT_EQ(counting.readInOnePass(), onePass);
        for (const summary::Group group : summary::kMenuOrder)
            EXPECT_EQ(counting.count(group), full.lists().Count(group)) << summary::BadgeText(group, 0);
        std::vector<ListQuery> queries;
        for (const std::string &list : listNames()) {
            for (const char *sort : {"", "due", "priority", "title"})
                for (const int type : {0, int(kTopicTask), int(kTopicEvent)})
                    queries.push_back({list, "", "", type, sort});
            // An empty section by title, the first by id; the group task (its sub-tasks), a
            // plain topic and a section as the parent; a section and a parent that are not there.
            for (const char *section : {"Contacts", "STD0001", "Nowhere"})
                queries.push_back({list, section, "", 0, ""});
            for (const char *under : {"900217", "12", "STD0001", "no-such-id"})
                queries.push_back({list, "", under, 0, "due"});
            queries.push_back({list, "Topics", "900217", kTopicTask, ""});
        }
        int passes = 0;
        for (const ListQuery &query : queries) {
            const std::string what = query.list + " section " + query.section + " under " + query.under +
                                     " type " + std::to_string(query.type) + " sort " + query.sort;
            std::vector<TNimbusNode *> fullTopics;
            const Outcome fullSelected = selectTopics(full, query, fullTopics);
            if (streamsEveryTopic(query)) {
                // Every topic, its rows made as the pass reads.
                ++passes;
                TopicSnapshot streaming;
                std::vector<TopicRow> streamed;
                const Outcome listed = listEveryTopic(streaming, query, data, clock, streamed);
                EXPECT_EQ(streaming.readInOnePass(), onePass) << what;
                EXPECT_EQ(listed.status, fullSelected.status) << what;
                EXPECT_EQ(listed.message, fullSelected.message) << what;
                std::vector<std::string> texts;
                for (const TopicRow &row : streamed)
                    texts.push_back(textOf(row));
                EXPECT_EQ(texts, rows(full, query)) << what;
                continue;
            }
            const auto keep = onePassKeep(query);
            if (!keep)
                continue;
            ++passes;
            TopicSnapshot listing;
            ASSERT_TRUE(listing.loadInOnePass(data, clock, *keep, needsRecentLists(query.list),
                                              StructureReader::Use::Listing))
                << what;
            EXPECT_EQ(listing.readInOnePass(), onePass) << what;
            std::vector<TNimbusNode *> passTopics;
            const Outcome passSelected = selectTopics(listing, query, passTopics);
            EXPECT_EQ(passSelected.status, fullSelected.status) << what;
            EXPECT_EQ(passSelected.message, fullSelected.message) << what;
            EXPECT_EQ(rows(listing, query), rows(full, query)) << what;
        }
        // Only "all" over a section and below a parent at once needs the whole load.
        EXPECT_EQ(passes, int(queries.size()) - 1);
    }
};

class CliOnePass : public CliLeanLoad {
protected:
    CliOnePass() : CliLeanLoad(false) {}
};

TEST_F(CliLeanLoad, CountsMatchTheFullLoad)
{
    TopicSnapshot counting;
    ASSERT_TRUE(counting.loadForReading(data, clock, true, false));
    for (const summary::Group group : summary::kMenuOrder) {
        EXPECT_EQ(counting.lists().Count(group), full.lists().Count(group)) << summary::BadgeText(group, 0);
        if (summary::isClassified(group)) {
            EXPECT_GT(full.lists().Count(group), 0) << "the store lacks " << summary::BadgeText(group, 0);
        }
    }
}

TEST_F(CliLeanLoad, EveryListAndSortMatchesTheFullLoad)
{
    TopicSnapshot listing;
    ASSERT_TRUE(listing.loadForReading(data, clock, true, true));
    for (const std::string &list : listNames())
        for (const char *sort : {"", "due", "priority", "title"}) {
            ListQuery query;
            query.list = list;
            query.sort = sort;
            const auto expected = rows(full, query);
            EXPECT_EQ(rows(listing, query), expected) << list << " sorted by \"" << sort << "\"";
            if (list != "new" && list != "changes" && list != "today") {
                EXPECT_FALSE(expected.empty()) << "the store lacks " << list;
            }
        }
    // Narrowed to a section, a subtree and a type.
    ListQuery query;
    query.section = "Topics";
    query.under = "900217"; // the group task, after the 216 topics of every kind
    EXPECT_EQ(rows(listing, query), rows(full, query));
    query = {};
    query.type = kTopicEvent;
    query.list = "week";
    EXPECT_EQ(rows(listing, query), rows(full, query));
}

TEST_F(CliLeanLoad, OnePassGivesWayToTheWholeBuildWhereLevelsAreRepaired)
{
    expectOnePassMatches(false);
}

TEST_F(CliOnePass, CountsAndEveryGroupMatchTheFullLoad)
{
    expectOnePassMatches(true);
}

// The sort keys a list sorts by order the topics exactly as the tree's comparisons do: overdue
// and far-off days, topics without a date, equal titles and priorities.
TEST_F(CliOnePass, SortKeysOrderAsTheTreesComparisons)
{
    std::vector<const TNimbusNode *> nodes;
    for (const auto &entry : full.store().Entries())
        if (entry.node && entry.node->lev > 0 && nodes.size() < 300)
            nodes.push_back(entry.node);
    for (const auto mode : {tree::SortMode::Title, tree::SortMode::Priority, tree::SortMode::DaysDue})
        for (const TNimbusNode *a : nodes) {
            const std::string keyA = tree::SortKeyFor(mode, *a);
            for (const TNimbusNode *b : nodes) {
                const int byKeys = keyA.compare(tree::SortKeyFor(mode, *b));
                ASSERT_EQ((byKeys > 0) - (byKeys < 0), tree::CompareForSort(mode, *a, *b))
                    << int(mode) << " " << a->uni << " " << b->uni;
            }
        }
}

// "show" reads one topic in one pass: its row (path, status rolled up from its sub-tasks, due
// text) and its stamps are the full load's, for a group task, a topic deep in the tree, a
// section and a topic without sub-topics; an id that is not there is not found.
TEST_F(CliOnePass, OneTopicReadInOnePassIsTheFullLoadsTopic)
{
    const std::vector<std::string> ids = {"900217", "900218", "STD0001", "1", "2999", "no-such-id"};
    for (const std::string &id : ids) {
        TopicSnapshot one;
        OnePassReader::Keep keep;
        keep.ids.insert(id);
        ASSERT_TRUE(one.loadInOnePass(data, clock, keep, false, StructureReader::Use::Everything)) << id;
        EXPECT_TRUE(one.readInOnePass()) << id;
        const TNimbusNode *passNode = one.store().Find(id);
        const TNimbusNode *fullNode = full.store().Find(id);
        ASSERT_EQ(passNode != nullptr, fullNode != nullptr) << id;
        if (!fullNode)
            continue;
        EXPECT_EQ(textOf(rowOf(*passNode, one.displayOrder())), textOf(rowOf(*fullNode, full.displayOrder())));
        EXPECT_EQ(passNode->cre, fullNode->cre) << id;
        EXPECT_EQ(passNode->fdate, fullNode->fdate) << id;
        EXPECT_EQ(passNode->percent, fullNode->percent) << id;
    }
}

// Each thing the build repairs before it classifies makes the pass give way; the answer (or
// the refusal of a damaged store) is the whole load's.
TEST(CliOnePassFallback, StoresTheBuildWouldChangeAreLoadedWhole)
{
    const std::string section = "uni=STD0001\r\ntext=Topics\r\nlev=0\r\ntype=1\r\n";
    const std::string late = "uni=7\r\ntext=Late\r\nlev=1\r\ntype=1\r\nttype=4\r\nstatus=1\r\ndl=Y\r\n"
                             "dlDate=20250301\r\n";
    const std::string urgent = "uni=8\r\ntext=Flag\r\nlev=1\r\ntype=1\r\nurgent=Y\r\n";
    const std::vector<std::string> stores = {
        late + section + urgent,                                             // a topic before the section
        section + late + "uni=9\r\ntext=Deep\r\nlev=3\r\nurgent=Y\r\n", // too deep
        section + late + "uni=\r\ntext=No id\r\nlev=1\r\nurgent=Y\r\n",  // an empty id
        "uni=S1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\n" + late + urgent,   // a fixed section, another id
        section + late + late + urgent,                                      // an id twice
        section + late + "uni=10\r\ntext=No level\r\nurgent=Y\r\n",       // damaged
    };
    const FixedClock clock{DateTime::fromCivil(2025, 3, 14, 9, 30)};
    for (std::size_t i = 0; i < stores.size(); ++i) {
        // Each load reads its own copy: the whole load hands out ids through the counter file.
        test::TempFolder root;
        for (const char *folder : {"whole/", "pass/"}) {
            std::filesystem::create_directories(root / folder);
            test::writeFile(root / folder + "Structure.dat", stores[i]);
        }
        TopicSnapshot whole, pass;
        const Outcome wholeLoad = whole.load(root / "whole/", clock, true);
        OnePassReader::Keep keep;
        keep.tree = false;
        Outcome passLoad =
            pass.loadInOnePass(root / "pass/", clock, keep, true, StructureReader::Use::Counting);
        if (const auto at = passLoad.message.find("/pass/"); at != std::string::npos)
            passLoad.message.replace(at, 6, "/whole/");
        EXPECT_FALSE(pass.readInOnePass()) << i;
        // A read hands out no ids: the counter file is not made or moved.
        EXPECT_FALSE(std::filesystem::exists(root / "whole/StructUnique.dat")) << i;
        EXPECT_FALSE(std::filesystem::exists(root / "pass/StructUnique.dat")) << i;
        EXPECT_EQ(passLoad.status, wholeLoad.status) << i;
        EXPECT_EQ(passLoad.message, wholeLoad.message) << i;
        if (wholeLoad) {
            for (const summary::Group group : summary::kMenuOrder) {
                EXPECT_EQ(pass.count(group), whole.lists().Count(group)) << i << " " << summary::BadgeText(group, 0);
            }
        }
    }
}

} // namespace
} // namespace nimbus::cli
