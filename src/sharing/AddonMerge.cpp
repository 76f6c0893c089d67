// Merging add-on packs.
#include "sharing/AddonMerge.h"

#include <memory>
#include <vector>

#include "fileio/FolderOps.h"
#include "sharing/PacketFiles.h"
#include "sharing/PacketReader.h"
#include "sharing/SharingLimits.h"
#include "sharing/SharingNames.h"
#include "sharing/StoreSplice.h"
#include "store/StoreLog.h"
#include "store/TNimbusStructure.h"

namespace nimbus::addon {

namespace {

// FindLastchild over the splice: the handle to insert after.
int lastOfSubtree(const StoreSplice &splice, int handle)
{
    const TNimbusNode &parent = splice.Node(handle);
    int last = handle;
    for (int h = splice.Next(handle); h != StoreSplice::kNone; h = splice.Next(h)) {
        const TNimbusNode &node = splice.Node(h);
        if (node.lev <= parent.lev || node.type != parent.type)
            break;
        last = h;
    }
    return last;
}

} // namespace

int FindLastchild(const TNimbusStructure &store, int index)
{
    const TNimbusNode &parent = *store.Node(index);
    int p = index + 1;
    while (p < store.Count() && store.Node(p)->lev > parent.lev &&
           store.Node(p)->type == parent.type)
        ++p;
    return p;
}

bool ReadPack(const std::string &path, TNimbusStructure &pack, std::string &problem)
{
    std::string bytes;
    if (!sharing::readBounded(path, limits::kMaxStoreFileBytes, bytes, problem) ||
        !packet::ParseStoreRecords(bytes, pack, problem))
        return false;
    for (const auto &entry : pack.Entries()) {
        const TNimbusNode &node = *entry.node;
        if (!sharing::isSafeId(node.uni)) {
            problem = "the topic id \"" + node.uni + "\" is not allowed";
            return false;
        }
        if (node.lev < 0 || node.lev > limits::kMaxLevel) {
            problem = "the topic " + node.uni + " has the level " + std::to_string(node.lev);
            return false;
        }
    }
    return true;
}

bool MergeAddon(TNimbusStructure &store, const std::string &packFolder, const ContentFolders &to,
                StoreLog &log, MergeChanges &changes, ImportReport *import)
{
    changes = MergeChanges{};
    const std::string path = packFolder + kPackStoreName;
    if (!fileio::fileExists(path))
        return false;
    TNimbusStructure pack;
    std::string problem;
    if (!ReadPack(path, pack, problem)) {
        log.AddErrorToLog("*** Addon pack refused: " + packFolder, problem);
        return false;
    }
    std::vector<std::unique_ptr<TNimbusNode>> nodes(static_cast<std::size_t>(pack.Count()));
    for (int i = pack.Count() - 1; i >= 0; --i)
        nodes[static_cast<std::size_t>(i)] = pack.Extract(i);

    StoreSplice splice(store);
    std::vector<std::unique_ptr<TNimbusNode>> fresh;
    for (auto &node : nodes) {
        const int local = splice.Find(node->uni);
        if (local == StoreSplice::kNone) {
            fresh.push_back(std::move(node));
            continue;
        }
        TNimbusNode &target = splice.Node(local);
        target.AssignNode(*node);
        changes.updated.push_back(target.uni);
        log.AddToLog((target.lev == 0 ? "Addon - matched section: " : "Addon - matched topic: ") +
                     node->text);
    }

    std::string lastNewSection;
    for (auto &node : fresh) {
        const std::string uni = node->uni;
        const std::string text = node->text;
        const std::string parentId = node->parent;
        bool section = false;
        int anchor = StoreSplice::kNone; // kNone: at the end
        if (parentId.empty() || parentId == lastNewSection) {
            // Keeps its own level, but never deeper than one below the node it follows.
            node->lev = std::clamp(node->lev, 0, splice.LastLevel() + 1);
            section = parentId.empty();
            if (section)
                lastNewSection = uni;
        } else if (const int parent = splice.Find(parentId); parent != StoreSplice::kNone) {
            node->lev = splice.Node(parent).lev + 1;
            anchor = lastOfSubtree(splice, parent);
        } else if (const int kind = splice.FirstOfKind(node->type); kind != StoreSplice::kNone) {
            node->lev = splice.Node(kind).lev + 1;
            anchor = kind;
        } else {
            node->lev = 0;
            section = true;
        }
        const int handle = splice.Add(std::move(node));
        if (handle == StoreSplice::kNone)
            continue;
        if (anchor == StoreSplice::kNone)
            splice.Append(handle);
        else
            splice.InsertAfter(anchor, handle);
        changes.added.push_back(uni);
        log.AddToLog((section ? "Addon - new section: " : "Addon - new topic: ") + text);
    }
    if (!changes.added.empty())
        splice.Commit();
    if (changes.changed()) {
        store.SetSorted(false);
        store.modified = true;
    }
    ImportReport report = content_import::ImportContent(packFolder, "", to, log);
    if (import)
        *import = std::move(report);
    return true;
}

} // namespace nimbus::addon
