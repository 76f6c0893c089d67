// The user's steps, undos and redos interleaved with changes from outside the history (a
// colleague's packets, calendar sync, nimbus-cli: the same fields retitled and reset, pages
// rewritten, siblings and parents removed, topics added), from a fixed seed. No undo or redo
// may write over a change it did not make, a removal may refuse only when its parent is gone
// (its topics and pages kept), and the store stays one tree with unique ids.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "history/HistoryStore.h"
#include "history/NodeFields.h"
#include "history/RandomUser.h"
#include "history/TopicFiles.h"
#include "history/UndoHistory.h"

namespace nimbus::history {
namespace {

constexpr int kTopics = 300;
constexpr int kOperations = 4000;

int fieldNamed(const std::string &name)
{
    for (int field = 0; field < fieldCount(); ++field)
        if (name == fieldName(field))
            return field;
    return -1;
}

// Changes that come from elsewhere. Every value it sets is one no step of the user's holds,
// so that a step that writes over it cannot pass its check by chance.
class Outside {
public:
    explicit Outside(test::HistoryStore &data) : data_(data), rng_(11) {}

    // Values and page texts set here that no step of the user's changed since.
    std::map<std::pair<std::string, int>, FieldValue> cells;
    std::map<std::string, std::pair<std::string, std::string>> pages; // path: topic, bytes

    void act()
    {
        switch (rng_() % 6) {
        case 0:
            return remove();
        case 1:
            return add();
        case 2:
            return page();
        default:
            return edit();
        }
    }

    // A step of the user's changed some of them: they are the user's now.
    void forgetOverwritten()
    {
        for (auto it = cells.begin(); it != cells.end();) {
            const TNimbusNode *node = data_.store.Find(it->first.first);
            it = node && readField(*node, it->first.second) != it->second ? cells.erase(it)
                                                                          : std::next(it);
        }
        for (auto it = pages.begin(); it != pages.end();) {
            std::string bytes;
            const bool there = data_.store.Find(it->second.first) != nullptr;
            it = there && (!fileio::readWholeFile(it->first, bytes) || bytes != it->second.second)
                     ? pages.erase(it)
                     : std::next(it);
        }
    }

    // The first of them an undo or redo wrote over, or empty.
    std::string overwritten() const
    {
        for (const auto &[cell, value] : cells)
            if (const TNimbusNode *node = data_.store.Find(cell.first);
                node && readField(*node, cell.second) != value)
                return std::string(fieldName(cell.second)) + " of topic " + cell.first;
        for (const auto &[path, owner] : pages) {
            std::string bytes;
            if (data_.store.Find(owner.first) &&
                (!fileio::readWholeFile(path, bytes) || bytes != owner.second))
                return path;
        }
        return {};
    }

private:
    TNimbusStructure &store() { return data_.store; }
    int randomTopic()
    {
        for (int tries = 0; tries < 50; ++tries) {
            const int index = std::uniform_int_distribution<int>(0, store().Count() - 1)(rng_);
            if (store().Node(index)->lev > 0)
                return index;
        }
        return -1;
    }

    void edit()
    {
        static const int fields[] = {fieldNamed("text"), fieldNamed("pri"), fieldNamed("pr%"),
                                     fieldNamed("status")};
        const int index = randomTopic();
        if (index < 0)
            return;
        TNimbusNode &node = *store().Node(index);
        const int field = fields[rng_() % 4];
        const FieldValue value = field == fields[0]
                                     ? FieldValue(std::string("Theirs ") + std::to_string(++made_))
                                     : FieldValue(1000 + ++made_);
        writeField(node, field, value);
        cells[{node.uni, field}] = value;
    }

    // A colleague's text of a details page, without old versions of ours.
    void page()
    {
        const int index = randomTopic();
        if (index < 0)
            return;
        const std::string id(store().Id(index));
        const std::string path = data_.folders.text + id + "-1.txt";
        if (!fileio::fileExists(path))
            return;
        const std::string bytes = "{\\rtf1 Theirs " + std::to_string(++made_) + "\\par }";
        ASSERT_TRUE(fileio::writeFileAtomically(path, bytes));
        pages[path] = {id, bytes};
    }

    // A sync takes a topic out with everything below it and its pages.
    void remove()
    {
        const int index = randomTopic();
        if (index < 0)
            return;
        const int end = subtreeEnd(store(), index);
        for (int at = index; at < end; ++at)
            for (const std::string &path :
                 topicFiles(std::string(store().Id(at)), data_.folders, NullStoreLog::instance())) {
                fileio::deleteAllVersions(path);
                fileio::deleteFile(path);
                pages.erase(path);
            }
        store().ExtractRange(index, end - index);
    }

    // A packet brings a topic, below one or beside it.
    void add()
    {
        const int index = randomTopic();
        if (index < 0)
            return;
        const bool asChild = rng_() % 2 == 0;
        const int lev = store().Node(index)->lev + (asChild ? 1 : 0);
        if (lev > 12)
            return;
        std::vector<std::unique_ptr<TNimbusNode>> made;
        made.push_back(data_.makeTopic("9" + std::to_string(++made_), lev, rng_() % 2 == 0));
        store().InsertRange(asChild ? index + 1 : subtreeEnd(store(), index), made);
    }

    test::HistoryStore &data_;
    std::mt19937 rng_;
    int made_ = 0;
};

// One tree: a section first, no topic deeper than one below the one before it, ids unique
// and found where they are.
std::string inconsistency(const TNimbusStructure &store)
{
    std::set<std::string> ids;
    int lev = -1;
    for (int at = 0; at < store.Count(); ++at) {
        const TNimbusNode *node = store.Node(at);
        if (!node || node->lev < 0 || node->lev > lev + 1)
            return "level at " + std::to_string(at);
        lev = node->lev;
        const std::string id(store.Id(at));
        if (!ids.insert(id).second || store.IndexOf(id) != at)
            return "id " + id;
    }
    return {};
}

// "Remove 1234 below 1200": the parent a removal or an addition needs.
std::string parentNamed(const std::string &step)
{
    const std::size_t below = step.find(" below ");
    return below == std::string::npos ? std::string("?") : step.substr(below + 7);
}

TEST(HistoryOutside, NoUndoOrRedoWritesOverAChangeItDidNotMake)
{
    test::HistoryStore data(kTopics, 5);
    UndoHistory history(data.context(), HistoryLimits{100000, std::size_t{1} << 30});
    RandomUser user(data, history);
    Outside outside(data);
    std::mt19937 dice(23);
    int undone = 0, redone = 0, refused = 0, skipped = 0;

    for (int step = 0; step < kOperations; ++step) {
        const unsigned roll = dice() % 20;
        if (roll < 6) {
            if (user.act())
                outside.forgetOverwritten();
        } else if (roll < 12) {
            outside.act();
        } else {
            const bool back = roll < 17;
            if (back ? !history.canUndo() : !history.canRedo())
                continue;
            const std::string name = back ? history.undoName() : history.redoName();
            if ((back ? history.undo() : history.redo())) {
                ++(back ? undone : redone);
            } else {
                ++refused;
                // Putting topics back refuses only without their parent.
                const bool putsBack = name.rfind(back ? "Remove " : "Add ", 0) == 0;
                if (putsBack) {
                    const std::string parent = parentNamed(name);
                    ASSERT_TRUE(!parent.empty() && data.store.Find(parent) == nullptr)
                        << "step " << step << ": \"" << name << "\" refused beside its parent";
                }
                if (dice() % 2 == 0) {
                    ASSERT_TRUE(back ? history.skipUndo() : history.skipRedo());
                    ++skipped;
                }
            }
            const std::string over = outside.overwritten();
            ASSERT_TRUE(over.empty())
                << "step " << step << ": \"" << name << "\" wrote over " << over;
        }
        if (step % 25 == 0) {
            ASSERT_EQ(inconsistency(data.store), "") << "step " << step;
        }
    }
    ASSERT_EQ(inconsistency(data.store), "");
    // The run met every case it is about.
    EXPECT_GT(undone, 300);
    EXPECT_GT(redone, 100);
    EXPECT_GT(refused, 20);
    EXPECT_GT(skipped, 10);

    // Back to the start as far as the outside changes allow: nothing of theirs is lost on
    // the way.
    while (history.canUndo()) {
        if (!history.undo()) {
            ASSERT_TRUE(history.skipUndo());
        }
    }
    EXPECT_EQ(outside.overwritten(), "");
    ASSERT_EQ(inconsistency(data.store), "");
}

} // namespace
} // namespace nimbus::history
