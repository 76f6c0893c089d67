// The crash test's data folder and its rounds of changes.
#include "reliability/CrashScenario.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "store/ContentFiles.h"
#include "store/DateFormat.h"
#include "store/PairFile.h"
#include "store/StructureWriter.h"
#include "store/UniqueCounter.h"
#include "store/ValueText.h"

namespace nimbus::test {

namespace {

std::string pairLines(const std::vector<std::string> &names, const std::vector<std::string> &values)
{
    std::string out;
    appendPairLines(out, names, values);
    return out;
}

template <typename Settings> std::string settingsLines(const Settings &settings)
{
    std::vector<std::string> names, values;
    settings.Pairs(names, values);
    return pairLines(names, values);
}

// Every field of every register entry, in one text that two registers share when equal.
std::string describe(const std::vector<std::unique_ptr<update::RegProduct>> &entries)
{
    std::string out;
    for (const auto &e : entries) {
        for (const std::string *field :
             {&e->supplier, &e->product, &e->application, &e->version, &e->installfolder,
              &e->versiondate, &e->autoupgrade, &e->url, &e->checkperiod, &e->checknumber,
              &e->rollbackallowed, &e->dateinstalled, &e->instance, &e->status, &e->versionfolder,
              &e->errorcodes, &e->datelastchecked, &e->checkresult})
            out += *field + "\n";
        for (const update::RegExec &x : e->execs)
            out += "exec " + x.exec + "|" + x.pipe + "|" + x.command + "\n";
        out += "--\n";
    }
    return out;
}

bool writeQuickly(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

} // namespace

CrashScenario::CrashScenario(std::string dataFolder)
    : folder_(std::move(dataFolder)), folders_(ContentFolders::inDataFolder(folder_)),
      clock_(DateTime::fromCivil(2025, 6, 1, 10, 0, 0)), register_(folder_, clock_)
{
    store_.SetFileName(folder_ + "Structure.dat");
    store_.SetUniqueFileName(folder_ + "StructUnique.dat");
    store_.setClock(&clock_);
    prefs_.SetDataFolder(folder_);
    net_.SetDataFolder(folder_);
    addons_.SetDataFolder(folder_);
}

bool CrashScenario::Create(std::string &error)
{
    for (const std::string *sub : {&folder_, &folders_.packs, &folders_.text, &folders_.checkList})
        if (!fileio::createFolder(*sub, 0700)) {
            error = "cannot create " + *sub;
            return false;
        }
    bench::GenerateStore(store_, kTopics, clock_.now(), 7);
    // Content files of a generated folder are written plainly: they are the starting point,
    // not what is being tested.
    const std::string now = dates::stamp(clock_.now());
    for (int i = 1; i < store_.Count(); i += 4) {
        TNimbusNode &node = *store_.Node(i);
        if (node.sys)
            continue;
        TContent content;
        content.name = node.uni;
        content.file = folders_.packs + node.uni + ".pkt";
        THyperData &page = content.AddPage(kPageChecklist, "Checklist");
        page.AddDefaultColumns();
        page.cre = page.ame = now;
        content::NamePageFile(page);
        std::vector<ChecklistItem> items(3);
        for (std::size_t n = 0; n < items.size(); ++n)
            items[n].text = "Step " + std::to_string(n + 1) + " of topic " + node.uni;
        std::vector<std::string> names, values;
        content::ContentPairs(content, names, values);
        bool ok = writeQuickly(content.file, pairLines(names, values));
        names.clear(), values.clear();
        content::ChecklistPairs(items, names, values);
        ok = ok && writeQuickly(folders_.checkList + page.file, pairLines(names, values));
        names.clear(), values.clear();
        content::DescriptionPairs(page, names, values);
        ok = ok && writeQuickly(folders_.checkList + page.DescriptionFileName(),
                                pairLines(names, values));
        if (!ok) {
            error = "cannot write the content of topic " + node.uni;
            return false;
        }
    }
    prefs_.font = "Sans";
    net_.net = "/srv/shared/";
    net_.user = "alice";
    net_.pw = "s3cret=with\tbytes";
    net_.modified = true;
    update::RegProduct entry;
    entry.supplier = "Nimbus Desk Team";
    entry.product = "Nimbus Desk";
    entry.application = "nimbus";
    entry.version = "1.0.0";
    entry.status = update::kStatusActive;
    entry.execs.push_back({"nimbus", "nimbusslavemode", "close"});
    register_.add(entry);
    addons_.Add(TAddon{"addon-garden", "install", "20250101", "2", ""});
    StoreResult saved = store_.SaveStructure();
    if (!saved || store_.SetUnique(kTopics + 1) < 0 || !prefs_.Save() || !net_.Save() ||
        !register_.Save() || !addons_.Save()) {
        error = "cannot write the new data folder: " + saved.errorText;
        return false;
    }
    return true;
}

bool CrashScenario::Load(std::string &error)
{
    store_.Clear();
    store_.LoadStructure();
    if (store_.LoadFailed() || !store_.LoadProblems().empty() || store_.Count() == 0) {
        error = "the store did not load completely";
        return false;
    }
    std::string counter;
    if (!fileio::readWholeFile(store_.UniqueFileName(), counter)) {
        error = "the counter file did not load";
        return false;
    }
    counter_ = values::intOr(std::string_view(counter).substr(0, 8), -1);
    if (!prefs_.Load() || !net_.Load() || !register_.Load(register_.registerPath, "L") ||
        register_.entries.empty() || !addons_.Load()) {
        error = "a settings file did not load";
        return false;
    }
    return true;
}

int CrashScenario::topicEnd() const
{
    const int end = store_.IndexOf("STD0002");
    return end > 1 ? end : store_.Count();
}

CrashScenario::TouchedPage &CrashScenario::touch(TNimbusNode &node)
{
    for (auto &t : touched_)
        if (t->node == &node)
            return *t;
    NullStoreLog &log = NullStoreLog::instance();
    TContent &content = node.contentLoaded ? *node.content : node.LoadContent(folders_, log);
    THyperData *page = nullptr;
    for (auto &p : content.pages)
        if (p->con == kPageChecklist && !page)
            page = p.get();
    if (!page) {
        page = &content.AddPage(kPageChecklist, "Checklist");
        page->AddDefaultColumns();
        content.modified = true;
    }
    content::NamePageFile(*page);
    auto t = std::make_unique<TouchedPage>(TouchedPage{&node, page, {}, content.modified});
    content::LoadChecklist(*page, folders_, t->items, log);
    content::LoadPageDescription(*page, folders_, log);
    if (page->cre.empty())
        page->cre = dates::stamp(clock_.now());
    touched_.push_back(std::move(t));
    return *touched_.back();
}

void CrashScenario::Change(std::uint32_t seed, int round)
{
    std::mt19937 random(seed * 7919u + static_cast<std::uint32_t>(round));
    const int topics = topicEnd() - 1;
    for (int n = 0; n < 6; ++n) {
        // Half of the changes fall on a few topics, so that their old versions fill up.
        const int pick = random() % 2 ? static_cast<int>(random() % std::min(30u, unsigned(topics)))
                                      : static_cast<int>(random() % unsigned(topics));
        TNimbusNode &node = *store_.Node(1 + pick);
        node.text = "Topic " + node.uni + " changed in round " + std::to_string(round) +
                    " of run " + std::to_string(seed);
        node.pri = static_cast<int>(random() % 10);
        TouchedPage &t = touch(node);
        t.pktChanged = t.pktChanged || t.page->owner->modified;
        if (!t.items.empty())
            t.items.front().checked = !t.items.front().checked;
        t.items.push_back({});
        t.items.back().text =
            "Added in round " + std::to_string(round) + " of run " + std::to_string(seed);
        if (t.items.size() > 12)
            t.items.erase(t.items.begin());
        t.page->dis = "List " + std::to_string(seed) + "/" + std::to_string(round);
        clock_.advanceSeconds(1);
        t.page->ame = dates::stamp(clock_.now());
    }
    if (round == 2) {
        // A new topic takes the next number of the counter file.
        do
            ++counter_;
        while (store_.IndexOf(std::to_string(counter_)) >= 0);
        auto node = std::make_unique<TNimbusNode>(std::to_string(counter_));
        node->lev = 1;
        node->type = 1;
        node->text = "New in run " + std::to_string(seed);
        store_.Insert(topicEnd(), std::move(node));
        counterChanged_ = true;
    }
    if (round == 3) {
        // A topic without children, and not one whose pages this run changes, is deleted.
        for (int tries = 0; tries < 100; ++tries) {
            const int index = 1 + static_cast<int>(random() % unsigned(topicEnd() - 1));
            TNimbusNode *node = store_.Node(index);
            const bool leaf =
                index + 1 >= store_.Count() || store_.Node(index + 1)->lev <= node->lev;
            const bool touched = std::any_of(touched_.begin(), touched_.end(),
                                             [&](const auto &t) { return t->node == node; });
            if (leaf && !touched && !node->sys) {
                store_.Delete(index);
                break;
            }
        }
    }
    store_.modified = true;
    prefs_.fsize = 8 + round;
    prefs_.font = "Font " + std::to_string(seed % 1000);
    net_.user = "user-" + std::to_string(seed) + "-" + std::to_string(round);
    net_.modified = true;
    update::RegProduct &entry = *register_.entries.front();
    entry.errorcodes =
        "Checked in round " + std::to_string(round) + " of run " + std::to_string(seed);
    entry.datelastchecked = dates::dateKey(clock_.now());
    if (addons_.items.size() >= 20)
        addons_.items.erase(addons_.items.begin());
    addons_.Add(TAddon{"addon-" + std::to_string(seed) + "-" + std::to_string(round), "install",
                       "20250601", std::to_string(round), ""});
}

bool CrashScenario::Save(std::string &error)
{
    NullStoreLog &log = NullStoreLog::instance();
    auto failed = [&](const char *what, const StoreResult &result) {
        error = std::string(what) + ": " + result.errorText;
        return false;
    };
    for (auto &t : touched_) {
        if (StoreResult r = content::SaveChecklist(*t->page, folders_, t->items, log); !r)
            return failed("checklist", r);
        if (StoreResult r = content::SavePageDescription(*t->page, folders_, clock_, log); !r)
            return failed("page description", r);
        if (t->page->owner->modified)
            if (StoreResult r = content::WriteContent(*t->page->owner, log); !r)
                return failed("page list", r);
    }
    if (counterChanged_ && store_.SetUnique(counter_) < 0)
        return failed("counter", StoreResult::failure(fileio::lastErrorText()));
    counterChanged_ = false;
    if (StoreResult r = store_.SaveStructure(); !r)
        return failed("store", r);
    if (StoreResult r = prefs_.Save(); !r)
        return failed("preferences", r);
    if (StoreResult r = net_.Save(); !r)
        return failed("network details", r);
    if (!register_.Save())
        return failed("register", StoreResult::failure(fileio::lastErrorText()));
    if (StoreResult r = addons_.Save(); !r)
        return failed("add-on list", r);
    return true;
}

std::string CrashScenario::relative(const std::string &path) const
{
    return path.substr(folder_.size());
}

std::map<std::string, std::string> CrashScenario::Expected() const
{
    std::map<std::string, std::string> files;
    for (const auto &t : touched_) {
        std::vector<std::string> names, values;
        content::ChecklistPairs(t->items, names, values);
        files[relative(folders_.checkList + t->page->file)] = pairLines(names, values);
        names.clear(), values.clear();
        content::DescriptionPairs(*t->page, names, values);
        files[relative(folders_.checkList + t->page->DescriptionFileName())] =
            pairLines(names, values);
        if (t->pktChanged) {
            names.clear(), values.clear();
            content::ContentPairs(*t->page->owner, names, values);
            files[relative(t->page->owner->file)] = pairLines(names, values);
        }
    }
    std::string records;
    for (const auto &entry : store_.Entries())
        structure::AppendRecord(records, *entry.node);
    files["Structure.dat"] = records;
    files["Structure.tmp"] = records;
    files["StructUnique.dat"] = counter::CounterText(counter_);
    files["pref.txt"] = settingsLines(prefs_);
    files["net.txt"] = settingsLines(net_);
    files["VersionReg.lst"] = describe(register_.entries);
    files["Addons.dat"] = settingsLines(addons_);
    return files;
}

std::string CrashScenario::Canonical(const std::string &relativePath) const
{
    const std::string path = folder_ + relativePath;
    if (!fileio::fileExists(path))
        return kMissing;
    if (relativePath == "net.txt") {
        std::string raw;
        fileio::readWholeFile(path, raw);
        fileio::OMFILEPtr file = fileio::openEnciphered(path, "R", 0);
        if (!file)
            return "<unreadable>";
        return (raw.starts_with(fileio::kContainerHeader) ? "" : "<plain>") + file->content;
    }
    if (relativePath == "VersionReg.lst") {
        update::RegList list(folder_, clock_);
        list.Load(path, "L");
        return describe(list.entries);
    }
    std::string bytes;
    if (!fileio::readWholeFile(path, bytes))
        return "<unreadable>";
    return bytes;
}

int CrashScenario::VersionsAllowed(const std::string &fileName)
{
    if (fileName == "Structure.dat" || fileName == "VersionReg.lst")
        return 5;
    if (fileName == "pref.txt")
        return TPreferences::kVersions;
    if (fileName == "Addons.dat")
        return TAddonList::kVersions;
    if (fileName.ends_with(".lst") || fileName.ends_with(".~lst"))
        return content::kChecklistVersions;
    return 0;
}

} // namespace nimbus::test
