// Reading the store for nimbus-cli.
#include "cli/TopicSnapshot.h"

#include "fileio/FolderOps.h"
#include "fileio/UiText.h"
#include "store/Clock.h"
#include "store/StructureReader.h"
#include "store/TPreferences.h"
#include "tree/TAppPaths.h"
#include "tree/TreeBuild.h"

namespace nimbus::cli {

TopicSnapshot::TopicSnapshot()
    : store_(std::make_unique<TNimbusStructure>()), lists_(std::make_unique<SummaryLists>())
{
}

TopicSnapshot::~TopicSnapshot()
{
    // The tree points at the store's nodes: it goes first.
    tree_.clear();
}

std::string dataFolderFromEnvironment()
{
    TAppPaths paths;
    setDataFolder(paths, homeFolder(readProcessEnvironment));
    return paths.DataFolder;
}

Outcome TopicSnapshot::readStore(const std::string &dataFolder, StructureReader::Use use,
                                 StructureReader::Sink sink)
{
    dataFolder_ = dataFolder;
    if (!fileio::folderExists(dataFolder))
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "there is no data folder %1: start Nimbus Desk once to make it"),
            {dataFolder});
    const std::string file = dataFolder + "Structure.dat";
    if (!fileio::entryExists(file))
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "there is no topic store %1: start Nimbus Desk once to make it"),
            {file});
    // The date order first: a pass that streams rows needs it while it reads.
    TPreferences preferences;
    preferences.SetDataFolder(dataFolder);
    if (preferences.Load() && preferences.date >= 0 && preferences.date <= 2)
        displayOrder_ = preferences.date;
    store_->SetFileName(file);
    // Only a change takes ids from the counter: a read must not move it (the reader hands
    // records without an id, or with a repeated one, numbers of their own).
    if (forChange_)
        store_->SetUniqueFileName(dataFolder + "StructUnique.dat");
    StructureReader reader(*store_);
    reader.SetUse(use);
    reader.SetSink(std::move(sink));
    if (!reader.ReadFile(file)) {
        const std::string why =
            reader.Refusal().empty() ? fileio::lastErrorText() : reader.Refusal().english();
        return Outcome::fail(
            kStoreProblem, NIMBUS_TEXT_NOOP("CliMessages", "the topic store %1 cannot be read: %2"),
            {file, why});
    }
    if (const int last = fileio::lastByteOf(file); last >= 0 && last != '\n' && last != '\r')
        reader.NoteProblem("it ends in the middle of a line (it was cut short)");
    if (!reader.Problems().empty())
        return Outcome::fail(
            kStoreProblem,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "the topic store %1 is damaged: %2; start Nimbus Desk to repair it"),
            {file, reader.Problems().front().english()});
    return Outcome::ok();
}

void TopicSnapshot::reset()
{
    tree_.clear();
    lists_ = std::make_unique<SummaryLists>();
    store_ = std::make_unique<TNimbusStructure>();
    held_.clear();
    onePass_ = false;
}

Outcome TopicSnapshot::loadInOnePass(const std::string &dataFolder, const Clock &clock,
                                     OnePassReader::Keep keep, bool recentLists,
                                     StructureReader::Use use)
{
    const DateTime now = clock.now();
    if (recentLists) {
        // The recent lists are bound to the topics they name, which are kept for that.
        for (const char *name : {"strnew.dat", "strchanges.dat"}) {
            TNimbusStructure list(TNimbusStructure::Role::IdList);
            list.SetFileName(dataFolder + name);
            if (fileio::fileExists(list.FileName()) && list.LoadIdList())
                for (int i = 0; i < list.Count(); ++i)
                    keep.ids.emplace(list.Id(i));
        }
    }
    bool regular = false;
    {
        // The topics kept go into a store of their own: the reader's store gets nothing.
        auto kept = std::make_unique<TNimbusStructure>();
        OnePassReader pass(std::move(keep), *kept, tree_, *lists_, now);
        Outcome read =
            readStore(dataFolder, use, [this, &pass](std::unique_ptr<TNimbusNode> &node) {
                if (everyRecord_)
                    everyRecord_(*node);
                pass.take(node);
            });
        if (!read && read.message.find(" is damaged: ") == std::string::npos)
            return read; // no folder, no file: the whole load would say the same
        regular = read && pass.finish();
        if (regular) {
            store_ = std::move(kept);
            held_ = pass.takeHeld();
            for (int i = 0; i < summary::kGroupCount; ++i)
                onePassCounts_[static_cast<std::size_t>(i)] = pass.count(summary::groupAt(i));
            if (recentLists) {
                lists_->SetDataFolder(dataFolder_);
                lists_->LoadRecentLists(*store_);
            }
        } else {
            tree_.clear(); // its items point at the nodes the pass kept
        }
    }
    if (!regular) {
        reset();
        if (use == StructureReader::Use::Everything)
            return load(dataFolder, clock, recentLists);
        return loadForReading(dataFolder, clock, recentLists, use == StructureReader::Use::Listing);
    }
    onePass_ = true;
    return Outcome::ok();
}

int TopicSnapshot::count(summary::Group group) const
{
    if (onePass_ && summary::isClassified(group))
        return onePassCounts_[static_cast<std::size_t>(summary::indexOf(group))];
    return lists_->Count(group);
}

Outcome TopicSnapshot::loadForChange(const std::string &dataFolder)
{
    forChange_ = true;
    return readStore(dataFolder, StructureReader::Use::Everything);
}

Outcome TopicSnapshot::loadForReading(const std::string &dataFolder, const Clock &clock, bool recentLists,
                                      bool titles)
{
    using Use = StructureReader::Use;
    if (Outcome read = readStore(dataFolder, titles ? Use::Listing : Use::Counting); !read)
        return read;
    build(clock, recentLists);
    return Outcome::ok();
}

Outcome TopicSnapshot::load(const std::string &dataFolder, const Clock &clock, bool recentLists)
{
    if (Outcome read = readStore(dataFolder, StructureReader::Use::Everything); !read)
        return read;
    build(clock, recentLists);
    return Outcome::ok();
}

void TopicSnapshot::build(const Clock &clock, bool recentLists)
{
    // The same build as the window's: upgrades, schedules, sort keys, roll-ups and groups.
    lists_->ClearGroups();
    tree::BuildTree(*store_, tree_, clock.now(), NullStoreLog::instance(),
                    [this](TNimbusNode &node) { lists_->ClassifyNode(node); });
    lists_->FinishClassify();
    if (recentLists) {
        lists_->SetDataFolder(dataFolder_);
        lists_->LoadRecentLists(*store_);
    }
}

std::string TopicSnapshot::pathOf(const TNimbusNode &node)
{
    // A list prints thousands of paths: the titles are measured on the way up, then copied
    // into place from the end on a second way up.
    using Item = tree::TreeItem;
    const Item *start = static_cast<const Item *>(node.treeItem);
    if (!start)
        return node.text;
    std::size_t length = 0;
    for (const Item *item = start; item; item = item->parent)
        length += item->node->text.size() + 1;
    std::string path(length - 1, '/');
    std::size_t end = path.size();
    for (const Item *item = start; item; item = item->parent) {
        const std::string &title = item->node->text;
        end -= title.size();
        path.replace(end, title.size(), title);
        if (end > 0)
            --end; // the '/' before it
    }
    return path;
}

} // namespace nimbus::cli
