// The topic store: every node of the tree as a list in tree pre-order, keyed by unique id,
// with the files that keep it (Structure.dat and the unique-id counter). The same class, not
// owning its nodes, serves as a plain list of topic ids (the summary's lists).
#pragma once

#include <bitset>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/UiSentence.h"
#include "store/IdIndex.h"
#include "store/StoreLog.h"
#include "store/TNimbusNode.h"

namespace nimbus {

class Clock;

class TNimbusStructure {
public:
    enum class Role {
        Store,   // owns its nodes; ids are unique
        IdList,  // entries point at another store's nodes (or none) and own nothing
    };
    // A node (may be null in an id list) and its id's hash. A store's ids are its nodes' unis;
    // an id list keeps its own copies (its ids may be sort keys, and its nodes belong to
    // another store, which may rename or destroy them).
    using Entry = IdEntry;

    explicit TNimbusStructure(Role role = Role::Store);
    ~TNimbusStructure();
    TNimbusStructure(const TNimbusStructure &) = delete;
    TNimbusStructure &operator=(const TNimbusStructure &) = delete;

    // Where problems are reported; the clock names the copy of a damaged file.
    void setLog(StoreLog *log);
    void setClock(const Clock *clock);

    // ---- files ----
    // Structure.dat and StructUnique.dat in the data folder; a data folder without a store is
    // seeded from the program folder's template (and the counter is reset after loading).
    void SetPaths(const std::string &dataFolder, const std::string &programFolder);
    // For packets, add-on packs and id lists: the file this structure reads and writes.
    void SetFileName(const std::string &path) { fileName_ = path; }
    void SetUniqueFileName(const std::string &path) { uniqueFileName_ = path; }
    const std::string &FileName() const { return fileName_; }
    const std::string &UniqueFileName() const { return uniqueFileName_; }

    // Reads the store file into the list; true also when there is no file. Damaged records
    // do not stop the reading: they are logged, listed in LoadProblems() and a copy of the file
    // is kept (see StructureReader).
    bool LoadStructure();
    // Writes Structure.tmp, keeps five old versions of the store file and replaces it with the
    // new content atomically; clears modified on success.
    StoreResult SaveStructure();
    // Problems found by the last LoadStructure, one per problem, for telling the user (shown())
    // in the user's language.
    const std::vector<text::Sentence> &LoadProblems() const { return loadProblems_; }
    // The store file existed but could not be read; saving then leaves it untouched.
    bool LoadFailed() const { return loadFailed_; }

    // The next unique number from the counter file (never one whose decimal text is already an
    // id of this store); -1 when the counter file cannot be read or written.
    int NextUnique();
    // count unique numbers, none in use here, taken from the counter in one write (a few
    // more when it fell behind); empty when the counter cannot be read or written.
    std::vector<int> NextUniques(int count);
    int SetUnique(int n);

    // Id lists: one "uni" line per entry.
    bool LoadIdList();
    StoreResult SaveIdList();
    // Binds the entries to the nodes of store, dropping those it no longer has; limit -1 makes
    // a sorted list, another limit keeps at most that many entries.
    void ResolveIdList(const TNimbusStructure &store, int limit);

    // ---- the list ----
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::vector<Entry> &Entries() const { return entries_; }
    std::string_view Id(int index) const
    {
        const auto at = static_cast<std::size_t>(index);
        return role_ == Role::IdList ? std::string_view(ownIds_[at])
                                     : std::string_view(entries_[at].node->uni);
    }
    TNimbusNode *Node(int index) const { return entries_[static_cast<std::size_t>(index)].node; }
    // Position of the first entry with that id, -1 when none; never a scan of the list.
    int IndexOf(std::string_view id) const;
    TNimbusNode *Find(std::string_view id) const;

    // Store: adds the node under its uni. Returns its position, or -1 (the node stays with the
    // caller) when another node already has that uni.
    int Append(std::unique_ptr<TNimbusNode> &&node);
    int Insert(int index, std::unique_ptr<TNimbusNode> &&node);
    // Id list: adds an entry (in sorted position for a sorted list, where a repeated id is
    // ignored and the existing position returned). A store takes only a node of its own with
    // that uni, and no id it has already (-1 otherwise).
    int AppendId(std::string id, TNimbusNode *node = nullptr);
    int InsertId(int index, std::string id, TNimbusNode *node = nullptr);
    // Removes an entry; a store destroys its node.
    void Delete(int index);
    // Store: removes an entry and hands its node to the caller.
    std::unique_ptr<TNimbusNode> Extract(int index);
    // Store: takes count entries from index on out of the list at once and hands their nodes
    // to the caller, in order (a removed subtree). Out-of-range parts are ignored.
    std::vector<std::unique_ptr<TNimbusNode>> ExtractRange(int index, int count);
    // Store: puts nodes into the list before index, in order, in one move of the list. False
    // (nothing changes, the nodes stay with the caller) when one of their ids is taken.
    bool InsertRange(int index, std::vector<std::unique_ptr<TNimbusNode>> &nodes);
    // Gives an entry (and, in a store, its node) a new id; false when a store has it already.
    bool SetId(int index, const std::string &id);
    void Clear();
    // Store: the list becomes exactly these nodes in this order (the tree's pre-order).
    // Owned nodes left out are destroyed; pointers the store does not own are skipped.
    void Rebuild(const std::vector<TNimbusNode *> &order);

    Role role() const { return role_; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    bool modified = false;
    bool reseedUnique = false;
    // SetPaths found no store and started this one from the template: the program's first run
    // on this data folder.
    bool seededFromTemplate = false;
    // Section kinds of which at least one node marked for sending was read.
    std::bitset<32> sendableKinds;

private:
    friend class StructureReader;
    TNimbusNode *removeAt(int index);
    int insertEntry(int index, std::string id, TNimbusNode *node);
    IdEntries ids() const { return {entries_, role_ == Role::IdList ? &ownIds_ : nullptr}; }
    StoreResult replaceFile(const std::string &bytes, bool keepTarget);
    void destroyNodes();
    int sortedPosition(std::string_view id) const;

    Role role_;
    bool sorted_ = false;
    std::string fileName_;
    std::string uniqueFileName_;
    std::vector<Entry> entries_;
    std::vector<std::string> ownIds_; // an id list's ids, in step with entries_; empty in a store
    mutable IdIndex index_;  // unused by sorted lists, which search by halves
    std::vector<text::Sentence> loadProblems_;
    bool loadFailed_ = false;
    bool tmpBlockedReported_ = false;
    bool keepVersionsOnce_ = false;  // the file as read is kept as a damaged copy
    StoreLog *log_;
    const Clock *clock_;
};

}  // namespace nimbus
