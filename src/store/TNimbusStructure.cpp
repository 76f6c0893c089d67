// The topic store's list, its id index and its files.
#include "store/TNimbusStructure.h"

#include <algorithm>
#include <unordered_set>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "fileio/UiText.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/PairFile.h"
#include "store/StructureReader.h"
#include "store/StructureWriter.h"
#include "store/TemplateContent.h"
#include "store/UniqueCounter.h"

namespace nimbus {

namespace {

constexpr int kStoreVersions = 5;

// "Structure.dat" -> "Structure.tmp", in the same folder.
std::string tmpNameOf(const std::string &path)
{
    const std::string name = fileio::fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    return fileio::folderOf(path) + base + ".tmp";
}

// A copy of a damaged file, under a name that old-version pruning never matches:
// base-damaged-yyyymmdd-hhmmss.ext.
std::string damagedCopyName(const std::string &path, DateTime now)
{
    return fileio::folderOf(path) + fileio::baseNameOf(path) + "-damaged-" + dates::stamp(now)
           + fileio::extensionOf(path);
}

// Whether the file at path is a readable file with exactly these bytes.
bool holdsExactly(const std::string &path, const std::string &bytes)
{
    if (fileio::fileSize(path) != static_cast<std::int64_t>(bytes.size()))
        return false;
    std::string current;
    return fileio::readWholeFile(path, current) && current == bytes;
}

}  // namespace

TNimbusStructure::TNimbusStructure(Role role)
    : role_(role), log_(&NullStoreLog::instance()), clock_(&SystemClock::instance())
{
}

TNimbusStructure::~TNimbusStructure()
{
    destroyNodes();
}

void TNimbusStructure::setLog(StoreLog *log)
{
    log_ = log ? log : &NullStoreLog::instance();
}

void TNimbusStructure::setClock(const Clock *clock)
{
    clock_ = clock ? clock : &SystemClock::instance();
}

void TNimbusStructure::destroyNodes()
{
    if (role_ == Role::Store)
        for (Entry &entry : entries_)
            delete entry.node;
    entries_.clear();
    ownIds_.clear();
    index_.clear();
}

// ---- files ----

void TNimbusStructure::SetPaths(const std::string &dataFolder, const std::string &programFolder)
{
    fileName_ = dataFolder + "Structure.dat";
    uniqueFileName_ = dataFolder + "StructUnique.dat";
    // Only a data folder with nothing under the store's name is new: a link whose target is
    // gone (an unmounted disk) or anything else there is a store that cannot be reached now,
    // which the template must never replace.
    if (!fileio::entryExists(fileName_)) {
        // A new data folder starts from the template shipped beside the program, with the
        // pages of the template's topics.
        if (fileio::copyFile(programFolder + "Structure.dat", fileName_)) {
            content::SeedTemplateContent(programFolder + content::kTemplateFolder, dataFolder, *log_);
            seededFromTemplate = true;
        }
        reseedUnique = true;
    }
}

bool TNimbusStructure::LoadStructure()
{
    loadProblems_.clear();
    keepVersionsOnce_ = false;
    loadFailed_ = false;
    StructureReader reader(*this);  // sizes the list and its index from the file
    if (!reader.ReadFile(fileName_)) {
        // A store file that exists but cannot be read (a link to nowhere, a folder, a file in
        // another encoding) must not be replaced by an empty store.
        loadFailed_ = fileio::entryExists(fileName_);
        if (loadFailed_) {
            const text::Sentence error = reader.Refusal().empty()
                                             ? text::Sentence(fileio::lastErrorText())
                                             : reader.Refusal();
            loadProblems_.push_back(
                {"nimbus::store",
                 NIMBUS_TEXT_NOOP("nimbus::store",
                                  "The structure file could not be read: %1. It "
                                  "is left as it is and nothing is saved over it."),
                 {error}});
            log_->AddErrorToLog("*** The structure file could not be read: " + fileName_,
                                error.english());
        }
    } else if (const int last = fileio::lastByteOf(fileName_); last >= 0 && last != '\n' && last != '\r') {
        // Every record ends with a line end: a file that stops elsewhere was cut short.
        reader.NoteProblem(
            {"nimbus::store",
             NIMBUS_TEXT_NOOP("nimbus::store",
                              "The structure file ends in the middle of a line: it "
                              "was cut short, and the last topic may be incomplete")});
    }
    if (reseedUnique) {
        reseedUnique = false;
        SetUnique(reader.HighestId() + 1);
    }
    if (!reader.Problems().empty()) {
        loadProblems_.insert(loadProblems_.end(), reader.Problems().begin(), reader.Problems().end());
        const std::string copy = damagedCopyName(fileName_, clock_->now());
        std::string error;
        const bool kept = fileio::fileExists(copy) || fileio::copyFile(fileName_, copy, &error);
        for (const text::Sentence &problem : reader.Problems())
            log_->AddToLog("*** " + problem.english());
        // The damaged file lives on as that copy: the first save replaces it without making
        // an old version of it, so that the complete old versions are not pushed out by it.
        keepVersionsOnce_ = kept;
        if (kept)
            log_->AddToLog("*** The structure file as it was read is kept as " + copy);
        else
            log_->AddErrorToLog("*** Unable to keep a copy of the damaged structure file " + copy, error);
    }
    return true;
}

StoreResult TNimbusStructure::SaveStructure()
{
    std::string bytes;
    try {
        bytes.reserve(entries_.size() * 160);
        for (const Entry &entry : entries_)
            if (entry.node)
                structure::AppendRecord(bytes, *entry.node);
    } catch (const std::exception &e) {
        return StoreResult::failure(e.what());
    }
    return replaceFile(bytes, loadFailed_);
}

StoreResult TNimbusStructure::replaceFile(const std::string &bytes, bool keepTarget)
{
    // The new content goes to the ".tmp" file first, which stays beside the target.
    const std::string tmp = tmpNameOf(fileName_);
    if (fileio::folderExists(tmp) && !keepTarget) {
        // Something made a folder of that name: the store is still written, atomically and
        // with its old versions, only without the visible copy.
        if (!tmpBlockedReported_) {
            tmpBlockedReported_ = true;
            log_->AddToLog("*** " + tmp + " is a folder: the structure file is saved without its .tmp copy");
        }
        if (holdsExactly(fileName_, bytes)) {
            modified = false;
            return {};
        }
        StoreResult written = writeWholeFile(fileName_, bytes, keepVersionsOnce_ ? 0 : kStoreVersions);
        if (written) {
            keepVersionsOnce_ = false;
            modified = false;
        }
        return written;
    }
    // Content equal to the file already there is not written again: no old version is made,
    // so the old versions keep earlier contents instead of copies of this one.
    if (!keepTarget && holdsExactly(fileName_, bytes)) {
        if (!holdsExactly(tmp, bytes))
            if (StoreResult written = writeWholeFile(tmp, bytes, 0); !written)
                return written;
        modified = false;
        return {};
    }
    StoreResult written = writeWholeFile(tmp, bytes, 0);
    if (!written)
        return written;
    if (keepTarget)
        return StoreResult::failure("the structure file could not be read when the program started; it is "
                                    "left as it is and the topics are in " + tmp);
    // Opening for appending with versions to keep makes the file service keep the old one.
    if (!keepVersionsOnce_) {
        fileio::OMFILEPtr current = fileio::openPlain(fileName_, "A", kStoreVersions);
        if (current)
            fileio::close(current);
    }
    // Replaced atomically: a crash leaves the old or the new file, never a torn one.
    std::string error;
    if (!fileio::copyFile(tmp, fileName_, &error))
        return StoreResult::failure(error.empty() ? fileio::lastErrorText() : error);
    keepVersionsOnce_ = false;
    modified = false;
    return {};
}

int TNimbusStructure::NextUnique()
{
    // A counter that fell behind (restored, hand-edited) must not hand out an id in use.
    for (int attempt = 0; attempt < 100000; ++attempt) {
        const int n = counter::NextUnique(uniqueFileName_);
        if (n < 0 || IndexOf(std::to_string(n)) < 0)
            return n;
    }
    return -1;
}

std::vector<int> TNimbusStructure::NextUniques(int count)
{
    std::vector<int> ids;
    if (count < 1)
        return ids;
    ids.reserve(static_cast<std::size_t>(count));
    for (int attempt = 0; attempt < 100 && static_cast<int>(ids.size()) < count; ++attempt) {
        const int wanted = count - static_cast<int>(ids.size());
        const int first = counter::TakeUniques(uniqueFileName_, wanted);
        if (first < 0)
            return {};
        for (int n = first; n < first + wanted; ++n)
            if (IndexOf(std::to_string(n)) < 0)
                ids.push_back(n);
    }
    if (static_cast<int>(ids.size()) < count)
        return {};
    return ids;
}

int TNimbusStructure::SetUnique(int n)
{
    return counter::SetUnique(uniqueFileName_, n);
}

bool TNimbusStructure::LoadIdList()
{
    std::vector<std::string> names;
    std::vector<std::string> values;
    if (!readPairFile(fileName_, names, values))
        return true;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == "uni")
            AppendId(values[i]);
    return true;
}

StoreResult TNimbusStructure::SaveIdList()
{
    std::string bytes;
    for (const Entry &entry : entries_)
        if (entry.node)
            structure::AppendIdLine(bytes, entry.node->uni);
    return replaceFile(bytes, false);
}

void TNimbusStructure::ResolveIdList(const TNimbusStructure &store, int limit)
{
    // A store's entries are its own nodes, never another store's.
    if (role_ != Role::IdList)
        return;
    std::size_t considered = entries_.size();
    bool changed = false;
    if (limit != -1 && limit >= 0 && static_cast<std::size_t>(limit) < entries_.size()) {
        considered = static_cast<std::size_t>(limit);
        changed = true;
    }
    // Built only when an entry's id is gone: its node may have been renamed or destroyed,
    // and only a node the store still owns may be looked at.
    std::unordered_set<const TNimbusNode *> live;
    std::vector<Entry> fresh;
    std::vector<std::string> freshIds;
    fresh.reserve(considered);
    freshIds.reserve(considered);
    for (std::size_t i = 0; i < considered; ++i) {
        const Entry &entry = entries_[i];
        std::string &id = ownIds_[i];
        if (id.empty()) {
            changed = true;
            continue;
        }
        int found = store.IndexOf(id);
        if ((found < 0 || store.Node(found) != entry.node) && entry.node) {
            if (live.empty())
                for (const Entry &e : store.Entries())
                    live.insert(e.node);
            if (live.count(entry.node))
                found = store.IndexOf(entry.node->uni);
        }
        if (found >= 0 && store.Node(found)) {
            fresh.push_back({store.Node(found), entry.hash});
            freshIds.push_back(std::move(id));
        } else {
            changed = true;
        }
    }
    entries_.clear();
    ownIds_.clear();
    index_.clear();
    sorted_ = limit == -1;
    for (std::size_t i = 0; i < fresh.size(); ++i)
        AppendId(std::move(freshIds[i]), fresh[i].node);
    modified = changed;
}

// ---- the list ----

int TNimbusStructure::IndexOf(std::string_view id) const
{
    if (sorted_) {
        const int position = sortedPosition(id);
        return position < Count() && Id(position) == id ? position : -1;
    }
    return index_.find(id, IdIndex::hashOf(id), ids());
}

TNimbusNode *TNimbusStructure::Find(std::string_view id) const
{
    const int index = IndexOf(id);
    return index < 0 ? nullptr : entries_[static_cast<std::size_t>(index)].node;
}

int TNimbusStructure::sortedPosition(std::string_view id) const
{
    int low = 0;
    int high = Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (Id(middle) < id)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int TNimbusStructure::Append(std::unique_ptr<TNimbusNode> &&node)
{
    return Insert(Count(), std::move(node));
}

int TNimbusStructure::Insert(int index, std::unique_ptr<TNimbusNode> &&node)
{
    if (!node || role_ != Role::Store)
        return -1;
    if (index >= Count() && !sorted_) {
        // Appending, as loading does for every node: one lookup both checks and indexes.
        const std::uint32_t hash = IdIndex::hashOf(node->uni);
        if (!index_.claimAtEnd(node->uni, hash, ids()))
            return -1;
        entries_.push_back(Entry{node.release(), hash});
        return Count() - 1;
    }
    if (IndexOf(node->uni) >= 0)
        return -1;
    std::string id = node->uni;
    return insertEntry(index, std::move(id), node.release());
}

int TNimbusStructure::AppendId(std::string id, TNimbusNode *node)
{
    return InsertId(Count(), std::move(id), node);
}

int TNimbusStructure::InsertId(int index, std::string id, TNimbusNode *node)
{
    // A store's entry takes its id from its node, so a store takes nothing else.
    if (role_ == Role::Store && (!node || node->uni != id || IndexOf(id) >= 0))
        return -1;
    return insertEntry(index, std::move(id), node);
}

int TNimbusStructure::insertEntry(int index, std::string id, TNimbusNode *node)
{
    if (sorted_) {
        const int position = sortedPosition(id);
        if (position < Count() && Id(position) == id)
            return position;  // a sorted list ignores repeated ids
        index = position;
    }
    index = std::clamp(index, 0, Count());
    const std::uint32_t hash = IdIndex::hashOf(id);
    if (role_ == Role::IdList)
        ownIds_.insert(ownIds_.begin() + index, std::move(id));
    entries_.insert(entries_.begin() + index, Entry{node, hash});
    if (sorted_)
        return index;
    if (index == Count() - 1)
        index_.appended(ids());
    else
        index_.changed();
    return index;
}

TNimbusNode *TNimbusStructure::removeAt(int index)
{
    const auto at = entries_.begin() + index;
    index_.changed();
    TNimbusNode *node = at->node;
    entries_.erase(at);
    if (role_ == Role::IdList)
        ownIds_.erase(ownIds_.begin() + index);
    return node;
}

void TNimbusStructure::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    TNimbusNode *node = removeAt(index);
    if (role_ == Role::Store)
        delete node;
}

std::unique_ptr<TNimbusNode> TNimbusStructure::Extract(int index)
{
    if (role_ != Role::Store || index < 0 || index >= Count())
        return nullptr;
    return std::unique_ptr<TNimbusNode>(removeAt(index));
}

std::vector<std::unique_ptr<TNimbusNode>> TNimbusStructure::ExtractRange(int index, int count)
{
    std::vector<std::unique_ptr<TNimbusNode>> taken;
    if (role_ != Role::Store || index < 0 || index >= Count() || count <= 0)
        return taken;
    const auto first = entries_.begin() + index;
    const auto last = first + std::min(count, Count() - index);
    taken.reserve(static_cast<std::size_t>(last - first));
    for (auto at = first; at != last; ++at)
        taken.emplace_back(at->node);
    entries_.erase(first, last);
    index_.changed();
    return taken;
}

bool TNimbusStructure::InsertRange(int index, std::vector<std::unique_ptr<TNimbusNode>> &nodes)
{
    if (role_ != Role::Store || sorted_)
        return false;
    std::unordered_set<std::string_view> incoming;
    for (const auto &node : nodes)
        if (!node || IndexOf(node->uni) >= 0 || !incoming.insert(node->uni).second)
            return false;
    std::vector<Entry> added;
    added.reserve(nodes.size());
    for (auto &node : nodes) {
        const std::uint32_t hash = IdIndex::hashOf(node->uni);
        added.push_back(Entry{node.release(), hash});
    }
    nodes.clear();
    index = std::clamp(index, 0, Count());
    entries_.insert(entries_.begin() + index, added.begin(), added.end());
    index_.changed();
    return true;
}

bool TNimbusStructure::SetId(int index, const std::string &id)
{
    if (index < 0 || index >= Count())
        return false;
    if (Id(index) == id)
        return true;
    if (role_ == Role::Store && IndexOf(id) >= 0)
        return false;
    if (sorted_) {
        TNimbusNode *node = removeAt(index);
        if (role_ == Role::Store)
            node->uni = id;
        insertEntry(0, id, node);
        return true;
    }
    index_.changed();
    Entry &entry = entries_[static_cast<std::size_t>(index)];
    entry.hash = IdIndex::hashOf(id);
    if (role_ == Role::IdList)
        ownIds_[static_cast<std::size_t>(index)] = id;
    else
        entry.node->uni = id;
    return true;
}

void TNimbusStructure::Clear()
{
    destroyNodes();
}

void TNimbusStructure::Rebuild(const std::vector<TNimbusNode *> &order)
{
    std::unordered_set<TNimbusNode *> owned;
    owned.reserve(entries_.size());
    for (const Entry &entry : entries_)
        owned.insert(entry.node);
    std::vector<Entry> fresh;
    fresh.reserve(order.size());
    for (TNimbusNode *node : order)
        if (node && owned.erase(node))
            fresh.push_back({node, IdIndex::hashOf(node->uni)});
    if (role_ == Role::Store)
        for (TNimbusNode *left : owned)
            delete left;
    entries_ = std::move(fresh);
    index_.clear();
    ownIds_.clear();
    if (role_ == Role::IdList)
        for (const Entry &entry : entries_)
            ownIds_.push_back(entry.node->uni);
    index_.changed();
}

void TNimbusStructure::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    sorted_ = sorted;
    index_.clear();
    index_.changed();
    if (!sorted_)
        return;
    std::vector<std::size_t> order(entries_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const IdEntries all = ids();
    std::stable_sort(order.begin(), order.end(),
                     [&all](std::size_t a, std::size_t b) { return all.id(a) < all.id(b); });
    std::vector<Entry> entries;
    std::vector<std::string> ownIds;
    entries.reserve(order.size());
    ownIds.reserve(ownIds_.size());
    for (std::size_t i : order) {
        entries.push_back(entries_[i]);
        if (role_ == Role::IdList)
            ownIds.push_back(std::move(ownIds_[i]));
    }
    entries_ = std::move(entries);
    ownIds_ = std::move(ownIds);
}

}  // namespace nimbus
